#pragma once

#include "bitmaps.h"
#include "bogenkanten.h"

#include <QFile>
#include <QList>
#include <QPoint>

// A precise label as label stock is sold: 3 x 7 labels of 63.5 x 38.1 mm, margins 6.75 and 15.5 mm, pitches 66.5
// and 38.1 mm, so that the rows touch. Its settings file, as the program writes it.
inline const QByteArray GenauEinstellungen = "[Einstellung]\r\nObererRand=16\r\nSeitenRand=7\r\nVertikalabstand=38\r\n"
                                             "Horizontalabstand=67\r\nEtikettenhoehe=38\r\nEtikettenbreite=64\r\n"
                                             "AnzahlEtikettenInZeile=3\r\nAnzahlEtikettenInSpalte=7\r\n"
                                             "[Genau]\r\nObererRand=15.5\r\nSeitenRand=6.75\r\nVertikalabstand=38.1\r\n"
                                             "Horizontalabstand=66.5\r\nEtikettenhoehe=38.1\r\nEtikettenbreite=63.5\r\n";
// 3 x 8 labels of 70 x 36 mm from the paper's left edge, 4.5 mm from the top: columns 1 and 3 reach into a laser
// printer's margins.
inline const QByteArray AmRandEinstellungen =
    "[Einstellung]\r\nObererRand=5\r\nSeitenRand=0\r\nVertikalabstand=36\r\nHorizontalabstand=70\r\n"
    "Etikettenhoehe=36\r\nEtikettenbreite=70\r\nAnzahlEtikettenInZeile=3\r\nAnzahlEtikettenInSpalte=8\r\n"
    "[Genau]\r\nObererRand=4.5\r\nSeitenRand=0\r\nVertikalabstand=36\r\nHorizontalabstand=70\r\n"
    "Etikettenhoehe=36\r\nEtikettenbreite=70\r\n";
inline const Etikettenbogen GenauBogen{{},
                                       {},
                                       Etikettenform::Rechteck,
                                       MitGenauenLaengen({.AnzahlEtikettenInZeile = 3, .AnzahlEtikettenInSpalte = 7},
                                                         Laengen{1550, 675, 3810, 6650, 3810, 6350}, true)};

// Its picture, 750 x 450 pixels (300 dpi on the label), that the edge check reads.
inline QImage GenauBild()
{
    return KantenBild(GenauBogen);
}

// Writes the picture and its settings file beside it; false when either cannot be written.
inline bool SchreibeGenauesEtikett(const QString &bmp)
{
    QFile ini(bmp.left(bmp.size() - 4) + QStringLiteral(".ini"));
    if (!GenauBild().save(bmp, "BMP"))
        return false;
    DatiereZurueck(bmp);
    return ini.open(QIODevice::WriteOnly) && ini.write(GenauEinstellungen) == GenauEinstellungen.size();
}

// The labels of the whole sheet, of one row, and one label, as (column, row).
inline QList<QPoint> GenauesBlatt(int nurZeile = 0)
{
    QList<QPoint> alle;
    for (int zeile = 1; zeile <= 7; ++zeile)
        for (int spalte = 1; spalte <= 3; ++spalte)
            if (nurZeile == 0 || zeile == nurZeile)
                alle.append(QPoint(spalte, zeile));
    return alle;
}
