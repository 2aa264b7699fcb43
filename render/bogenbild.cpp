#include "render/bogenbild.h"

#include "blatt/blatt.h"

#include <QPainter>

#include <cmath>

QImage ZeichneBogenbild(const Etikettenbogen &bogen, int hoehe)
{
    hoehe = qMax(hoehe, 10);
    const double mmPixel = hoehe / double(A4::HoeheMm);
    QImage bild(int(std::lround(A4::BreiteMm * mmPixel)), hoehe, QImage::Format_RGB32);
    bild.fill(BogenbildPapier);

    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(BogenbildRand);
    p.drawRect(QRectF(0.5, 0.5, bild.width() - 1, bild.height() - 1));

    p.setPen(QPen(BogenbildKontur, 1));
    p.setBrush(BogenbildEtikett);
    for (int zeile = 1; zeile <= bogen.masse.AnzahlEtikettenInSpalte; ++zeile) {
        for (int spalte = 1; spalte <= bogen.masse.AnzahlEtikettenInZeile; ++spalte) {
            const MmRechteck mm = EtikettAufDemBlatt(bogen.masse, spalte, zeile);
            // Inset by half a pen so that neighbours without a gap stay apart and the outline stays inside.
            const QRectF r = QRectF(mm.x * mmPixel, mm.y * mmPixel, mm.breite * mmPixel, mm.hoehe * mmPixel)
                                 .adjusted(0.5, 0.5, -0.5, -0.5);
            if (bogen.form == Etikettenform::Rechteck)
                p.drawRect(r);
            else
                p.drawEllipse(r);
        }
    }
    return bild;
}

QSize EtikettBildgroesse(const Etikettenbogen &bogen)
{
    const auto pixel = [&bogen](Massfeld feld) {
        return qMax(1, int(std::lround(bogen.masse.Hundertstel(feld) * EtikettDpi / 2540.0)));
    };
    return {pixel(&Bogenmasse::Etikettenbreite), pixel(&Bogenmasse::Etikettenhoehe)};
}

QImage ZeichneLeeresEtikett(const Etikettenbogen &bogen)
{
    QImage bild(EtikettBildgroesse(bogen), QImage::Format_RGB32);
    bild.setDotsPerMeterX(int(std::lround(EtikettDpi / 0.0254)));
    bild.setDotsPerMeterY(bild.dotsPerMeterX());
    bild.fill(Qt::white);
    QPainter p(&bild);
    const int w = bild.width(), h = bild.height();
    const int linie = qMin(EtikettKonturPixel, qMin(w, h));
    // The outermost pixels are the edge; an ellipse is drawn smooth so that its curve reads as a line.
    if (bogen.form == Etikettenform::Rechteck) {
        p.fillRect(0, 0, w, linie, EtikettKontur);
        p.fillRect(0, h - linie, w, linie, EtikettKontur);
        p.fillRect(0, 0, linie, h, EtikettKontur);
        p.fillRect(w - linie, 0, linie, h, EtikettKontur);
    } else {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(EtikettKontur, linie));
        p.drawEllipse(QRectF(linie / 2.0, linie / 2.0, w - linie, h - linie));
    }
    return bild;
}
