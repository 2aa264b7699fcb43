#include "blatt/blatt.h"

#include <climits>
#include <cmath>

int RundeHalbGerade(long double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<long double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<long double>(INT_MIN))
        return INT_MIN;
    // Explicit, so that a changed FPU rounding mode cannot alter the result.
    const long double unten = std::floor(v);
    const long double rest = v - unten;
    long double r = unten;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(unten, 2.0L) != 0.0L))
        r = unten + 1.0L;
    return static_cast<int>(r);
}

int MmInPixel(int dpi, double mm)
{
    const long double produkt = static_cast<long double>(dpi) * static_cast<long double>(mm);
    return RundeHalbGerade(produkt / MmProZoll);
}

namespace {

long double ProMm(int pixel, int mm)
{
    return mm > 0 ? static_cast<long double>(pixel) / mm : 0.0L;
}

} // namespace

Pixelmasse BerechnePixelmasse(QSize bild, const Bogenmasse &m)
{
    const long double qv = ProMm(bild.height(), m.Etikettenhoehe);
    const long double qh = ProMm(bild.width(), m.Etikettenbreite);
    Pixelmasse p;
    p.ObererRandPixel = RundeHalbGerade(m.ObererRand * qv);
    p.SeitenRandPixel = RundeHalbGerade(m.SeitenRand * qh);
    p.LueckePixel = RundeHalbGerade(m.Horizontalabstand * qh) - bild.width();
    return p;
}

MmRechteck Korrigiert(const MmRechteck &r, const Druckerkorrektur &k)
{
    return {r.x * k.massstabX + k.versatzXMm, r.y * k.massstabY + k.versatzYMm, r.breite * k.massstabX,
            r.hoehe * k.massstabY};
}

namespace {

// A label's place in whole hundredths, only then in floating point: whole millimetres come out exactly as they are.
struct Hundertstelrechteck
{
    qint64 x, y, breite, hoehe;
};

Hundertstelrechteck EtikettInHundertsteln(const Bogenmasse &m, int spalte, int zeile)
{
    return {m.Hundertstel(&Bogenmasse::SeitenRand) + (spalte - 1) * m.Hundertstel(&Bogenmasse::Horizontalabstand),
            m.Hundertstel(&Bogenmasse::ObererRand) + (zeile - 1) * m.Hundertstel(&Bogenmasse::Vertikalabstand),
            m.Hundertstel(&Bogenmasse::Etikettenbreite), m.Hundertstel(&Bogenmasse::Etikettenhoehe)};
}

} // namespace

MmRechteck EtikettAufDemBlatt(const Bogenmasse &m, int spalte, int zeile)
{
    const Hundertstelrechteck r = EtikettInHundertsteln(m, spalte, zeile);
    return {r.x / 100.0, r.y / 100.0, r.breite / 100.0, r.hoehe / 100.0};
}

Reihenende EndeDerReihe(const Bogenmasse &m, Qt::Orientation richtung, int anzahl)
{
    const bool waagrecht = richtung == Qt::Horizontal;
    const Hundertstelrechteck r = EtikettInHundertsteln(m, waagrecht ? anzahl : 1, waagrecht ? 1 : anzahl);
    const qint64 ende = waagrecht ? r.x + r.breite : r.y + r.hoehe;
    const qint64 blatt = qint64(waagrecht ? A4::BreiteMm : A4::HoeheMm) * 100;
    return {ende, anzahl >= 1 && ende <= blatt};
}
