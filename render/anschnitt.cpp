#include "render/anschnitt.h"

#include "render/masse.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

Anschnittbreiten Anschnittgrenzen(const QRectF &etikett, const QList<QRectF> &andere, const QRectF &papier,
                                  const Anschnittbreiten &hoechstens)
{
    const QRectF e = etikett.normalized();
    Anschnittbreiten b = hoechstens;
    b.links = std::min(b.links, e.left() - papier.left());
    b.oben = std::min(b.oben, e.top() - papier.top());
    b.rechts = std::min(b.rechts, papier.right() - e.right());
    b.unten = std::min(b.unten, papier.bottom() - e.bottom());
    for (const QRectF &roh : andere) {
        const QRectF o = roh.normalized();
        const bool nebeneinander = o.top() < e.bottom() && o.bottom() > e.top();
        const bool untereinander = o.left() < e.right() && o.right() > e.left();
        if (nebeneinander && o.right() <= e.left())
            b.links = std::min(b.links, (e.left() - o.right()) / 2);
        else if (nebeneinander && o.left() >= e.right())
            b.rechts = std::min(b.rechts, (o.left() - e.right()) / 2);
        if (untereinander && o.bottom() <= e.top())
            b.oben = std::min(b.oben, (e.top() - o.bottom()) / 2);
        else if (untereinander && o.top() >= e.bottom())
            b.unten = std::min(b.unten, (o.top() - e.bottom()) / 2);
        if (nebeneinander && untereinander) {
            // Overlapping labels: no side that the other reaches past gets a bleed.
            if (o.left() < e.left())
                b.links = 0;
            if (o.top() < e.top())
                b.oben = 0;
            if (o.right() > e.right())
                b.rechts = 0;
            if (o.bottom() > e.bottom())
                b.unten = 0;
        }
    }
    b.links = std::max(b.links, 0.0);
    b.oben = std::max(b.oben, 0.0);
    b.rechts = std::max(b.rechts, 0.0);
    b.unten = std::max(b.unten, 0.0);
    return b;
}

Anschnittbreiten LueckeGeschlossen(const Anschnittbreiten &b)
{
    // Half of an odd gap is a hair off a half pixel either way; its middle pixel goes to the label below or to the
    // right. Any other part of a pixel is left out, so that no bleed reaches past what it may take.
    const auto ab = [](double v) { return std::floor(v + 1e-9); };
    const auto halbAuf = [&](double v) { return std::abs(v - std::floor(v) - 0.5) < 1e-6 ? std::ceil(v) : ab(v); };
    return {halbAuf(b.links), halbAuf(b.oben), ab(b.rechts), ab(b.unten)};
}

Anschnittbreiten AnschnittAmPlatz(const std::function<QRectF(int, int)> &ort, int spalte, int zeile, int inZeile,
                                  int inSpalte, const QRectF &papier, const Anschnittbreiten &hoechstens,
                                  const QList<QRectF> &weitere)
{
    QList<QRectF> andere = weitere;
    // The sheet's places lie in a regular grid: the nearest ones beside, above and below decide.
    const int nachbarn[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto &n : nachbarn) {
        const int s = spalte + n[0];
        const int z = zeile + n[1];
        if (s >= 1 && s <= inZeile && z >= 1 && z <= inSpalte)
            andere.append(ort(s, z));
    }
    return Anschnittgrenzen(ort(spalte, zeile), andere, papier, hoechstens);
}

Anschnittbreiten GleicherAnschnitt(int hundertstel, double jeMmX, double jeMmY)
{
    const double mm = std::max(hundertstel, 0) / 100.0;
    return {mm * jeMmX, mm * jeMmY, mm * jeMmX, mm * jeMmY};
}

void ZeichneAnschnitt(QPainter &maler, const QRectF &ziel, const QImage &bild, const Anschnittbreiten &b)
{
    if (bild.isNull() || b.leer())
        return;
    const int w = bild.width();
    const int h = bild.height();
    const QRectF e = ziel.normalized();
    const auto streifen = [&](const QRectF &wohin, const QRect &aus) {
        if (wohin.width() > 0 && wohin.height() > 0)
            ZeichneGestreckt(maler, wohin, bild.copy(aus));
    };
    streifen(QRectF(e.left() - b.links, e.top(), b.links, e.height()), QRect(0, 0, 1, h));
    streifen(QRectF(e.right(), e.top(), b.rechts, e.height()), QRect(w - 1, 0, 1, h));
    streifen(QRectF(e.left(), e.top() - b.oben, e.width(), b.oben), QRect(0, 0, w, 1));
    streifen(QRectF(e.left(), e.bottom(), e.width(), b.unten), QRect(0, h - 1, w, 1));
    streifen(QRectF(e.left() - b.links, e.top() - b.oben, b.links, b.oben), QRect(0, 0, 1, 1));
    streifen(QRectF(e.right(), e.top() - b.oben, b.rechts, b.oben), QRect(w - 1, 0, 1, 1));
    streifen(QRectF(e.left() - b.links, e.bottom(), b.links, b.unten), QRect(0, h - 1, 1, 1));
    streifen(QRectF(e.right(), e.bottom(), b.rechts, b.unten), QRect(w - 1, h - 1, 1, 1));
}

QImage RasterMitAnschnitt(QImage bogen, const QImage &etikett, const Bogenangaben &a, int hundertstel)
{
    if (bogen.isNull() || etikett.isNull() || hundertstel <= 0)
        return bogen;
    const int W = etikett.width();
    const int H = etikett.height();
    const qint64 schritt = qint64(W) + a.gap;
    const auto ort = [&](int spalte, int zeile) {
        return QRectF(double(a.left + (spalte - 1) * schritt), double(a.top + qint64(zeile - 1) * (H + 1)), W, H);
    };
    // The raster is 210 mm wide; its paper ends a little above its last row of pixels.
    const double jeMm = double(BogenBreite) / A4::BreiteMm;
    const QRectF papier(0, 0, BogenBreite, std::min<double>(BogenHoehe, A4::HoeheMm * jeMm));
    const double rand = std::round(hundertstel / 100.0 * jeMm);
    const Anschnittbreiten hoechstens{rand, rand, rand, rand};
    const int von = a.zeilenModus ? a.zeile : 1;
    const int bis = a.zeilenModus ? a.zeile : a.anzahlInSpalte;
    // Labels that do not move on lie over one another; the first stands for all.
    const int spalten = schritt > 0 ? std::min(a.n, BogenBreite) : std::min(a.n, 1);
    QPainter maler(&bogen);
    for (int zeile = von; zeile <= bis && ort(1, zeile).top() < BogenHoehe; ++zeile)
        for (int spalte = 1; spalte <= spalten && ort(spalte, zeile).left() < BogenBreite; ++spalte) {
            const Anschnittbreiten b =
                LueckeGeschlossen(AnschnittAmPlatz(ort, spalte, zeile, a.n, a.anzahlInSpalte, papier, hoechstens));
            ZeichneAnschnitt(maler, ort(spalte, zeile), etikett, b);
        }
    return bogen;
}
