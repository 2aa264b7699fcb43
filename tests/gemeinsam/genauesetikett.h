#pragma once

#include "pdfseite.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRectF>
#include <QStringList>

#include <algorithm>
#include <cmath>

// A precise label as label stock is sold: 3 x 7 labels of 63.5 x 38.1 mm, margins 6.75 and 15.5 mm, pitches 66.5
// and 38.1 mm, so that the rows touch. Its settings file, as the program writes it.
inline const QByteArray GenauEinstellungen = "[Einstellung]\r\nObererRand=16\r\nSeitenRand=7\r\nVertikalabstand=38\r\n"
                                             "Horizontalabstand=67\r\nEtikettenhoehe=38\r\nEtikettenbreite=64\r\n"
                                             "AnzahlEtikettenInZeile=3\r\nAnzahlEtikettenInSpalte=7\r\n"
                                             "[Genau]\r\nObererRand=15.5\r\nSeitenRand=6.75\r\nVertikalabstand=38.1\r\n"
                                             "Horizontalabstand=66.5\r\nEtikettenhoehe=38.1\r\nEtikettenbreite=63.5\r\n";

// Its picture, 750 x 450 pixels (300 dpi on the label): black but for a white top row, so that where one label
// ends and the one below begins still shows on paper.
inline QImage GenauBild()
{
    QImage bild(750, 450, QImage::Format_RGB32);
    bild.fill(Qt::black);
    for (int x = 0; x < bild.width(); ++x)
        bild.setPixel(x, 0, qRgb(255, 255, 255));
    return bild;
}

// Writes the picture and its settings file beside it; false when either cannot be written.
inline bool SchreibeGenauesEtikett(const QString &bmp)
{
    QFile ini(bmp.left(bmp.size() - 4) + QStringLiteral(".ini"));
    return GenauBild().save(bmp, "BMP") && ini.open(QIODevice::WriteOnly)
        && ini.write(GenauEinstellungen) == GenauEinstellungen.size();
}

// The exact place of label (spalte, zeile), from 1, in mm from the paper's corner.
inline QRectF GenauerOrt(int spalte, int zeile)
{
    return QRectF(6.75 + (spalte - 1) * 66.5, 15.5 + (zeile - 1) * 38.1, 63.5, 38.1);
}

// The dark stretches along one line of a part read, as (begin, end) in mm from the paper's corner.
inline QList<QPair<double, double>> DunkleStrecken(const PdfAusschnitt &a, Qt::Orientation richtung, double lageMm)
{
    const bool waagrecht = richtung == Qt::Horizontal;
    const int lage = int(lageMm / a.mmJePixel()) - (waagrecht ? a.ursprung.y() : a.ursprung.x());
    const int laengs = waagrecht ? a.ursprung.x() : a.ursprung.y();
    const int laenge = waagrecht ? a.bild.width() : a.bild.height();
    QList<QPair<double, double>> strecken;
    if (a.bild.isNull() || lage < 0 || lage >= (waagrecht ? a.bild.height() : a.bild.width()))
        return strecken;
    int anfang = -1;
    for (int i = 0; i <= laenge; ++i) {
        const bool dunkel =
            i < laenge && (waagrecht ? a.bild.constScanLine(lage)[i] : a.bild.constScanLine(i)[lage]) < 128;
        if (dunkel && anfang < 0)
            anfang = i;
        if (!dunkel && anfang >= 0) {
            strecken.append({(anfang + laengs) * a.mmJePixel(), (i + laengs) * a.mmJePixel()});
            anfang = -1;
        }
    }
    return strecken;
}

// The dark stretches along the line across (Horizontal, at y = lageMm) or down (Vertical, at x) a PDF's first page,
// as (begin, end) in mm from the paper's corner: read at `dpi` along the line and coarsely across it, so that the
// reader scales each picture the line crosses to a sixteenth of the pixels. Empty when it cannot be read.
inline QList<QPair<double, double>> DunkleStreckenImPdf(const QString &pdf, int dpi, Qt::Orientation richtung,
                                                        double lageMm)
{
    constexpr int Quer = 150;
    const bool waagrecht = richtung == Qt::Horizontal;
    const int lage = int(lageMm / (25.4 / Quer));
    const int laenge = int((waagrecht ? A4::BreiteMm : A4::HoeheMm) / (25.4 / dpi));
    const QString ziel = pdf + QStringLiteral("-linie");
    QProcess umwandlung;
    umwandlung.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-rx"), QString::number(waagrecht ? dpi : Quer), QStringLiteral("-ry"),
                      QString::number(waagrecht ? Quer : dpi), QStringLiteral("-gray"), QStringLiteral("-png"),
                      QStringLiteral("-singlefile"), QStringLiteral("-x"), QString::number(waagrecht ? 0 : lage),
                      QStringLiteral("-y"), QString::number(waagrecht ? lage : 0), QStringLiteral("-W"),
                      QString::number(waagrecht ? laenge : 1), QStringLiteral("-H"), QString::number(waagrecht ? 1 : laenge),
                      pdf, ziel});
    QImage bild;
    if (umwandlung.waitForFinished(120000) && umwandlung.exitCode() == 0)
        bild = QImage(ziel + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
    QFile::remove(ziel + QStringLiteral(".png"));
    // As a part read at `dpi` whose one pixel row or column lies at lageMm.
    const int linie = int(lageMm / (25.4 / dpi));
    return DunkleStrecken(PdfAusschnitt{bild, waagrecht ? QPoint(0, linie) : QPoint(linie, 0), dpi}, richtung, lageMm);
}

// Compares the dark stretches read across or down a printed page with where the labels belong (any order), and
// adds to `fehler` what is wrong: a label missing or too many, or an edge further than toleranzMm.
inline void VergleicheStrecken(QStringList &fehler, const QString &wo, const QList<QPair<double, double>> &ist,
                               QList<QPair<double, double>> soll, double toleranzMm)
{
    std::sort(soll.begin(), soll.end());
    if (ist.size() != soll.size()) {
        fehler.append(QStringLiteral("%1: %2 Etiketten statt %3").arg(wo).arg(ist.size()).arg(soll.size()));
        return;
    }
    for (qsizetype i = 0; i < ist.size(); ++i)
        if (std::abs(ist[i].first - soll[i].first) > toleranzMm || std::abs(ist[i].second - soll[i].second) > toleranzMm)
            fehler.append(QStringLiteral("%1: %2 bis %3 mm statt %4 bis %5 mm")
                              .arg(wo)
                              .arg(ist[i].first, 0, 'f', 3)
                              .arg(ist[i].second, 0, 'f', 3)
                              .arg(soll[i].first, 0, 'f', 3)
                              .arg(soll[i].second, 0, 'f', 3));
}

// Reads a printed page of the precise label back at 1200 dpi, across every row and down every column, and says
// what is wrong: a label missing or too many, or an edge further than toleranzMm from where `etiketten` (column,
// row) say. Empty when every edge is right. Down a column a label begins one picture row (38.1 / 450 mm) below
// its edge, at its white row.
inline QStringList PruefeGenauesBlatt(const QString &pdf, const QList<QPoint> &etiketten, double toleranzMm = 0.05)
{
    constexpr int Dpi = 1200;
    const double weiss = 38.1 / 450;
    QStringList fehler;
    const auto vergleiche = [&](const QString &wo, const QList<QPair<double, double>> &ist,
                                const QList<QPair<double, double>> &soll) {
        VergleicheStrecken(fehler, wo, ist, soll, toleranzMm);
    };
    for (int zeile = 1; zeile <= 7; ++zeile) {
        const double y = GenauerOrt(1, zeile).center().y();
        QList<QPair<double, double>> soll;
        for (const QPoint &e : etiketten)
            if (e.y() == zeile)
                soll.append({GenauerOrt(e.x(), zeile).left(), GenauerOrt(e.x(), zeile).right()});
        vergleiche(QStringLiteral("Zeile %1").arg(zeile), DunkleStreckenImPdf(pdf, Dpi, Qt::Horizontal, y), soll);
    }
    for (int spalte = 1; spalte <= 3; ++spalte) {
        const double x = GenauerOrt(spalte, 1).center().x();
        QList<QPair<double, double>> soll;
        for (const QPoint &e : etiketten)
            if (e.x() == spalte)
                soll.append({GenauerOrt(spalte, e.y()).top() + weiss, GenauerOrt(spalte, e.y()).bottom()});
        vergleiche(QStringLiteral("Spalte %1").arg(spalte), DunkleStreckenImPdf(pdf, Dpi, Qt::Vertical, x), soll);
    }
    return fehler;
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
