#pragma once

#include "pdfseite.h"
#include "blatt/blatt.h"
#include "render/bogenbild.h"
#include "storage/etikettenboegen.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QPoint>
#include <QStringList>

#include <algorithm>
#include <cmath>

// Where labels land on a printed sheet, read back from the PDF.

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


// The picture the check prints: the size of a new label for the sheet, black but for white top rows and left
// columns, so that labels without a gap between them still show apart on paper. A single white row is not
// enough: the PDF reader draws a picture's outermost row thinner where the label begins between its pixels.
inline constexpr int KantenWeiss = 4;
inline QImage KantenBild(const Etikettenbogen &b)
{
    QImage bild = ZeichneLeeresEtikett(b);
    bild.fill(Qt::white);
    QPainter(&bild).fillRect(KantenWeiss, KantenWeiss, bild.width(), bild.height(), Qt::black);
    return bild;
}

// Reads a sheet printed with KantenBild back at 2400 dpi across every row and down every column, and says what is
// wrong: a label missing or too many, or an edge further than toleranzMm from the sheet's measures. `etiketten`
// (column, row, from 1) are the labels printed, the whole sheet when empty. Empty when every edge is right. A
// label's dark part begins KantenWeiss picture pixels inside its edge, at the white rows and columns, and ends at
// its edge or where the PDF's page ends: Qt writes A4 as 595 x 842 points.
inline QStringList PruefeBogenKanten(const QString &pdf, const Etikettenbogen &b, QList<QPoint> etiketten = {},
                                     double toleranzMm = 0.05)
{
    const Bogenmasse &m = b.masse;
    if (etiketten.isEmpty())
        for (int zeile = 1; zeile <= m.AnzahlEtikettenInSpalte; ++zeile)
            for (int spalte = 1; spalte <= m.AnzahlEtikettenInZeile; ++spalte)
                etiketten.append(QPoint(spalte, zeile));
    // The reader fits a picture to its own pixels, which at 1200 dpi can move an inner edge by 0.06 mm.
    constexpr int Dpi = 2400;
    constexpr double SeiteBreite = 595 * 25.4 / 72, SeiteHoehe = 842 * 25.4 / 72;
    const QSize px = ZeichneLeeresEtikett(b).size();
    const double weissX = KantenWeiss * m.Hundertstel(&Bogenmasse::Etikettenbreite) / 100.0 / px.width();
    const double weissY = KantenWeiss * m.Hundertstel(&Bogenmasse::Etikettenhoehe) / 100.0 / px.height();
    QStringList fehler;
    const auto vergleiche = [&](const QString &wo, const QList<QPair<double, double>> &ist,
                                const QList<QPair<double, double>> &soll) {
        VergleicheStrecken(fehler, wo, ist, soll, toleranzMm);
    };
    for (int zeile = 1; zeile <= m.AnzahlEtikettenInSpalte; ++zeile) {
        const MmRechteck erstes = EtikettAufDemBlatt(m, 1, zeile);
        const double y = erstes.y + erstes.hoehe / 2;
        QList<QPair<double, double>> soll;
        for (const QPoint &e : std::as_const(etiketten))
            if (e.y() == zeile) {
                const MmRechteck r = EtikettAufDemBlatt(m, e.x(), zeile);
                soll.append({r.x + weissX, std::min(r.x + r.breite, SeiteBreite)});
            }
        vergleiche(QStringLiteral("Zeile %1").arg(zeile), DunkleStreckenImPdf(pdf, Dpi, Qt::Horizontal, y), soll);
    }
    for (int spalte = 1; spalte <= m.AnzahlEtikettenInZeile; ++spalte) {
        const MmRechteck erstes = EtikettAufDemBlatt(m, spalte, 1);
        const double x = erstes.x + erstes.breite / 2;
        QList<QPair<double, double>> soll;
        for (const QPoint &e : std::as_const(etiketten))
            if (e.x() == spalte) {
                const MmRechteck r = EtikettAufDemBlatt(m, spalte, e.y());
                soll.append({r.y + weissY, std::min(r.y + r.hoehe, SeiteHoehe)});
            }
        vergleiche(QStringLiteral("Spalte %1").arg(spalte), DunkleStreckenImPdf(pdf, Dpi, Qt::Vertical, x), soll);
    }
    return fehler;
}
