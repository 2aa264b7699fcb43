#include "layout/passung.h"

#include "blatt/blatt.h"

#include <QStringList>

#include <algorithm>

namespace {

// Allowance the row test grants on every horizontal pitch.
constexpr int HorizontalerSpielraumMm = 2;

// With a divisor of 0 nothing can be said to fit.
bool PasstAnzahl(int anzahl, int frei, int teiler)
{
    if (teiler == 0)
        return false;
    return anzahl <= static_cast<double>(frei) / teiler;
}

// A length of a precise label as its messages show it: "6,75".
QString Mm(qint64 hundertstel)
{
    return HundertstelText(hundertstel, QLatin1Char(','));
}

// A precise label is measured on paper: the far edge of the last label, margin + (anzahl - 1) x pitch + size,
// must lie within the sheet (EndeDerReihe, as for a catalogue sheet). The message shows that sum with the exact values,
// so that it names what to change.
Pruefung PruefeGenau(const Bogenmasse &m, Qt::Orientation achse, Massfeld rand, Massfeld abstand, Massfeld groesse,
                     int anzahl, const QString &kopf, const QString &randName, const QString &abstandName,
                     const QString &groesseName, const QString &richtung)
{
    const qint64 r = m.Hundertstel(rand);
    const qint64 a = m.Hundertstel(abstand);
    const qint64 g = m.Hundertstel(groesse);
    const qint64 frei = qint64(achse == Qt::Horizontal ? A4::BreiteMm : A4::HoeheMm) * 100 - r - g;
    // Everything up to the largest count that fits, so that a rejected count falls back to one that does.
    const int hoechstens = frei < 0 ? 1 : a <= 0 ? anzahl : int(std::min<qint64>(frei / a + 1, MassMaximum));
    const Reihenende ende = EndeDerReihe(m, achse, anzahl);
    if (ende.aufA4)
        return {};
    const QString n = QString::number(anzahl);
    return {false,
            kopf + QStringLiteral("\r\n\r\n") + randName + QStringLiteral(" = ") + Mm(r) + QStringLiteral(" mm + ")
                + QString::number(anzahl - 1) + QStringLiteral(" x ") + abstandName + QLatin1Char(' ') + Mm(a)
                + QStringLiteral(" mm + ") + groesseName + QLatin1Char(' ') + Mm(g) + QStringLiteral(" mm = ")
                + Mm(ende.hundertstel) + QStringLiteral(" mm") + QStringLiteral("\r\n\r\n") + n
                + QStringLiteral(" Etiketten passen NICHT ") + richtung + QStringLiteral(" auf ein DIN-A4 Blatt! "),
            hoechstens};
}

} // namespace

Pruefung PruefeHorizontal(const Bogenmasse &m)
{
    if (m.IstGenau())
        return PruefeGenau(m, Qt::Horizontal, &Bogenmasse::SeitenRand, &Bogenmasse::Horizontalabstand,
                           &Bogenmasse::Etikettenbreite, m.AnzahlEtikettenInZeile,
                           QStringLiteral("Ein DIN-A4 Blatt ist 210 mm breit."), QStringLiteral("Linker Rand"),
                           QStringLiteral("Horizontalabstand"), QStringLiteral("Etikettenbreite"),
                           QStringLiteral("horizontal"));
    const int SeitenRand = m.SeitenRand;
    const int Horizontalabstand = m.Horizontalabstand;
    const int Etikettenbreite = m.Etikettenbreite;
    const int AnzahlInZeile = m.AnzahlEtikettenInZeile;
    const int frei = A4::BreiteMm - SeitenRand;
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

Pruefung PruefeVertikal(const Bogenmasse &m)
{
    if (m.IstGenau())
        return PruefeGenau(m, Qt::Vertical, &Bogenmasse::ObererRand, &Bogenmasse::Vertikalabstand,
                           &Bogenmasse::Etikettenhoehe, m.AnzahlEtikettenInSpalte,
                           QStringLiteral("Ein DIN-A4 Blatt ist 297 mm hoch."), QStringLiteral("Oberer Rand"),
                           QStringLiteral("Vertikalabstand"), QStringLiteral("Etikettenhöhe"),
                           QStringLiteral("vertikal"));
    const int ObererRand = m.ObererRand;
    const int Vertikalabstand = m.Vertikalabstand;
    const int Etikettenhoehe = m.Etikettenhoehe;
    const int AnzahlInSpalte = m.AnzahlEtikettenInSpalte;
    const int frei = A4::HoeheMm - ObererRand;
    const int pitch = Vertikalabstand > Etikettenhoehe ? Vertikalabstand : Etikettenhoehe;
    if (PasstAnzahl(AnzahlInSpalte, frei, pitch))
        return {};

    const QString anzahl = QString::number(AnzahlInSpalte);
    return {false,
            QStringLiteral("Ein DIN-A4 Blatt ist 297 mm hoch.\r\n\r\nOberer Rand = ") + QString::number(ObererRand)
                + QStringLiteral(" mm +(Vertikalabstand x ") + anzahl + QStringLiteral(") = ")
                + QString::number(Vertikalabstand * AnzahlInSpalte + ObererRand) + QStringLiteral(" mm")
                + QStringLiteral("\r\n\r\n") + anzahl
                + QStringLiteral(" Etiketten passen NICHT vertikal auf ein DIN-A4 Blatt! ")};
}

QString DruckHindernis(const Bogenmasse &m)
{
    QStringList passtNicht;
    for (const Pruefung &p : {PruefeHorizontal(m), PruefeVertikal(m)})
        if (!p.passt)
            passtNicht.append(p.meldung);
    return passtNicht.join(QStringLiteral("\r\n\r\n"));
}

int Rueckfallanzahl(int letzte, int geladene)
{
    return letzte > geladene ? letzte : geladene;
}

int LetzteAnzahlNachAenderung(int position, int geladene)
{
    return position > geladene ? position - 1 : position;
}

Nebeneinander PruefeNebeneinander(int bildBreite, const Bogenmasse &m)
{
    if (m.Etikettenbreite == 0)
        return {};
    const Pixelmasse p = BerechnePixelmasse(QSize(bildBreite, 0), m);
    Nebeneinander ergebnis;
    ergebnis.SeitenRandPixel = p.SeitenRandPixel;
    ergebnis.LueckePixel = p.LueckePixel;
    ergebnis.moeglich = 2 * (bildBreite + p.LueckePixel) + p.SeitenRandPixel <= BogenBreite;
    // A precise label has no raster: a second label must fit beside the first on the paper.
    if (m.IstGenau())
        ergebnis.moeglich = EndeDerReihe(m, Qt::Horizontal, 2).aufA4;
    return ergebnis;
}
