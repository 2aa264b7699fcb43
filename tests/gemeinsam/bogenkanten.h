#pragma once

#include "genauesetikett.h"
#include "render/bogenbild.h"
#include "storage/etikettenboegen.h"

#include <QPainter>

// Any sheet of the catalogue on paper, checked like the precise test label.

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

// Reads a printed whole sheet of KantenBild back at 2400 dpi across every row and down every column, and says
// what is wrong: a label missing or too many, or an edge further than toleranzMm from the sheet's measures.
// Empty when every edge is right. A label's dark part begins KantenWeiss picture pixels inside its edge, at the white
// rows and columns, and ends at its edge or where the PDF's page ends: Qt writes A4 as 595 x 842 points.
inline QStringList PruefeBogenKanten(const QString &pdf, const Etikettenbogen &b, double toleranzMm = 0.05)
{
    // The reader fits a picture to its own pixels, which at 1200 dpi can move an inner edge by 0.06 mm.
    constexpr int Dpi = 2400;
    constexpr double SeiteBreite = 595 * 25.4 / 72, SeiteHoehe = 842 * 25.4 / 72;
    const QSize px = ZeichneLeeresEtikett(b).size();
    const double weissX = KantenWeiss * b.breite / 100.0 / px.width();
    const double weissY = KantenWeiss * b.hoehe / 100.0 / px.height();
    QStringList fehler;
    const auto vergleiche = [&](const QString &wo, const QList<QPair<double, double>> &ist,
                                const QList<QPair<double, double>> &soll) {
        VergleicheStrecken(fehler, wo, ist, soll, toleranzMm);
    };
    for (int zeile = 1; zeile <= b.zeilen; ++zeile) {
        const MmRechteck erstes = EtikettImBogen(b, 1, zeile);
        const double y = erstes.y + erstes.hoehe / 2;
        QList<QPair<double, double>> soll;
        for (int spalte = 1; spalte <= b.spalten; ++spalte) {
            const MmRechteck r = EtikettImBogen(b, spalte, zeile);
            soll.append({r.x + weissX, std::min(r.x + r.breite, SeiteBreite)});
        }
        vergleiche(QStringLiteral("Zeile %1").arg(zeile), DunkleStreckenImPdf(pdf, Dpi, Qt::Horizontal, y), soll);
    }
    for (int spalte = 1; spalte <= b.spalten; ++spalte) {
        const MmRechteck erstes = EtikettImBogen(b, spalte, 1);
        const double x = erstes.x + erstes.breite / 2;
        QList<QPair<double, double>> soll;
        for (int zeile = 1; zeile <= b.zeilen; ++zeile) {
            const MmRechteck r = EtikettImBogen(b, spalte, zeile);
            soll.append({r.y + weissY, std::min(r.y + r.hoehe, SeiteHoehe)});
        }
        vergleiche(QStringLiteral("Spalte %1").arg(spalte), DunkleStreckenImPdf(pdf, Dpi, Qt::Vertical, x), soll);
    }
    return fehler;
}
