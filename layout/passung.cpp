#include "layout/passung.h"

#include <cmath>

namespace {

constexpr int BlattBreiteMm = 210;
constexpr int BlattHoeheMm = 297;
// Allowance the row test grants on every horizontal pitch.
constexpr int HorizontalerSpielraumMm = 2;

int RundeGerade(double wert)
{
    return static_cast<int>(std::nearbyint(wert));
}

// With a divisor of 0 nothing can be said to fit.
bool PasstAnzahl(int anzahl, int frei, int teiler)
{
    if (teiler == 0)
        return false;
    return anzahl <= static_cast<double>(frei) / teiler;
}

} // namespace

Pruefung PruefeHorizontal(int SeitenRand, int Horizontalabstand, int Etikettenbreite, int AnzahlInZeile)
{
    const int frei = BlattBreiteMm - SeitenRand;
    const int pitch = Horizontalabstand > Etikettenbreite ? Horizontalabstand : Etikettenbreite;
    if (PasstAnzahl(AnzahlInZeile, frei, pitch - HorizontalerSpielraumMm))
        return {};

    const QString n = QString::number(AnzahlInZeile);
    return {false,
            QStringLiteral("Ein DIN-A4 Blatt ist 210 mm breit.\r\n\r\nLinker Rand = ") + QString::number(SeitenRand)
                + QStringLiteral(" mm +(Horizontalabstand x ") + n + QStringLiteral(") = ")
                + QString::number(Horizontalabstand * AnzahlInZeile + SeitenRand) + QStringLiteral(" mm")
                + QStringLiteral("\r\n\r\n") + n
                + QStringLiteral(" Etiketten passen NICHT horizontal auf ein DIN-A4 Blatt! ")};
}

Pruefung PruefeVertikal(int ObererRand, int Vertikalabstand, int Etikettenhoehe, int AnzahlInSpalte)
{
    const int frei = BlattHoeheMm - ObererRand;
    const int pitch = Vertikalabstand > Etikettenhoehe ? Vertikalabstand : Etikettenhoehe;
    if (PasstAnzahl(AnzahlInSpalte, frei, pitch))
        return {};

    const QString m = QString::number(AnzahlInSpalte);
    return {false,
            QStringLiteral("Ein DIN-A4 Blatt ist 297 mm hoch.\r\n\r\nOberer Rand = ") + QString::number(ObererRand)
                + QStringLiteral(" mm +(Vertikalabstand x ") + m + QStringLiteral(") = ")
                + QString::number(Vertikalabstand * AnzahlInSpalte + ObererRand) + QStringLiteral(" mm")
                + QStringLiteral("\r\n\r\n") + m
                + QStringLiteral(" Etiketten passen NICHT vertikal auf ein DIN-A4 Blatt! ")};
}

int Rueckfallanzahl(int letzte, int geladene)
{
    return letzte > geladene ? letzte : geladene;
}

int LetzteAnzahlNachAenderung(int position, int geladene)
{
    return position > geladene ? position - 1 : position;
}

Nebeneinander PruefeNebeneinander(int bildBreite, int SeitenRand, int Horizontalabstand, int Etikettenbreite)
{
    if (Etikettenbreite == 0)
        return {};

    const double pixelProMm = static_cast<double>(bildBreite) / Etikettenbreite;
    Nebeneinander ergebnis;
    ergebnis.SeitenRandPixel = RundeGerade(SeitenRand * pixelProMm);
    ergebnis.LueckePixel = RundeGerade(Horizontalabstand * pixelProMm) - bildBreite;
    ergebnis.moeglich = 2 * (bildBreite + ergebnis.LueckePixel) + ergebnis.SeitenRandPixel <= BogenBreitePixel;
    return ergebnis;
}
