#pragma once

#include "genauesetikett.h"
#include "render/bogenbild.h"
#include "storage/etikettenboegen.h"

// Any sheet of the catalogue on paper, checked like the precise test label.

// The picture the check prints: the size of a new label for the sheet, black but for a white top row and left
// column, so that labels without a gap between them still show apart on paper.
inline QImage KantenBild(const Etikettenbogen &b)
{
    QImage bild = ZeichneLeeresEtikett(b);
    bild.fill(Qt::black);
    for (int x = 0; x < bild.width(); ++x)
        bild.setPixel(x, 0, qRgb(255, 255, 255));
    for (int y = 0; y < bild.height(); ++y)
        bild.setPixel(0, y, qRgb(255, 255, 255));
    return bild;
}

// Reads a printed whole sheet of KantenBild back at 1200 dpi across every row and down every column, and says
// what is wrong: a label missing or too many, or an edge further than toleranzMm from the sheet's measures.
// Empty when every edge is right. A label's dark part begins one picture pixel inside its edge, at the white
// row and column.
inline QStringList PruefeBogenKanten(const QString &pdf, const Etikettenbogen &b, double toleranzMm = 0.05)
{
    constexpr int Dpi = 1200;
    const QSize px = ZeichneLeeresEtikett(b).size();
    const double weissX = b.breite / 100.0 / px.width();
    const double weissY = b.hoehe / 100.0 / px.height();
    QStringList fehler;
    const auto vergleiche = [&](const QString &wo, const QList<QPair<double, double>> &ist,
                                const QList<QPair<double, double>> &soll) {
        if (ist.size() != soll.size()) {
            fehler.append(QStringLiteral("%1: %2 Etiketten statt %3").arg(wo).arg(ist.size()).arg(soll.size()));
            return;
        }
        for (qsizetype i = 0; i < ist.size(); ++i)
            if (std::abs(ist[i].first - soll[i].first) > toleranzMm
                || std::abs(ist[i].second - soll[i].second) > toleranzMm)
                fehler.append(QStringLiteral("%1: %2 bis %3 mm statt %4 bis %5 mm")
                                  .arg(wo)
                                  .arg(ist[i].first, 0, 'f', 3)
                                  .arg(ist[i].second, 0, 'f', 3)
                                  .arg(soll[i].first, 0, 'f', 3)
                                  .arg(soll[i].second, 0, 'f', 3));
    };
    for (int zeile = 1; zeile <= b.zeilen; ++zeile) {
        const MmRechteck erstes = EtikettImBogen(b, 1, zeile);
        const double y = erstes.y + erstes.hoehe / 2;
        QList<QPair<double, double>> soll;
        for (int spalte = 1; spalte <= b.spalten; ++spalte) {
            const MmRechteck r = EtikettImBogen(b, spalte, zeile);
            soll.append({r.x + weissX, r.x + r.breite});
        }
        const PdfAusschnitt quer = LiesPdf(pdf, Dpi, QRectF(0, y - 0.1, A4::BreiteMm, 0.2));
        vergleiche(QStringLiteral("Zeile %1").arg(zeile), DunkleStrecken(quer, Qt::Horizontal, y), soll);
    }
    for (int spalte = 1; spalte <= b.spalten; ++spalte) {
        const MmRechteck erstes = EtikettImBogen(b, spalte, 1);
        const double x = erstes.x + erstes.breite / 2;
        QList<QPair<double, double>> soll;
        for (int zeile = 1; zeile <= b.zeilen; ++zeile) {
            const MmRechteck r = EtikettImBogen(b, spalte, zeile);
            soll.append({r.y + weissY, r.y + r.hoehe});
        }
        const PdfAusschnitt laengs = LiesPdf(pdf, Dpi, QRectF(x - 0.1, 0, 0.2, A4::HoeheMm));
        vergleiche(QStringLiteral("Spalte %1").arg(spalte), DunkleStrecken(laengs, Qt::Vertical, x), soll);
    }
    return fehler;
}
