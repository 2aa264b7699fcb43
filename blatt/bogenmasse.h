#pragma once

#include <QString>

#include <array>
#include <optional>

// The six lengths of a precise label, exactly, in hundredths of a millimetre: whole numbers, so that no sum
// drifts.
struct Genaumasse
{
    int ObererRand = 0;
    int SeitenRand = 0;
    int Vertikalabstand = 0;
    int Horizontalabstand = 0;
    int Etikettenhoehe = 0;
    int Etikettenbreite = 0;

    bool operator==(const Genaumasse &) const = default;
};

struct Bogenmasse;
using Massfeld = int Bogenmasse::*;

// The eight measures of a sheet of labels, named like the keys of the settings file. The six lengths are whole
// millimetres; all eight are 16-bit editor positions in the window. A precise label (one whose stock has lengths
// with fractions) carries them exactly as well; everything that places, checks or shows a label follows `genau`
// when it is there, and the whole millimetres, as always, when it is not.
struct Bogenmasse
{
    int ObererRand = 0;
    int SeitenRand = 0;
    int Vertikalabstand = 0;
    int Horizontalabstand = 0;
    int Etikettenhoehe = 0;
    int Etikettenbreite = 0;
    int AnzahlEtikettenInZeile = 0;
    int AnzahlEtikettenInSpalte = 0;
    // Only on a precise label: each length rounds (halves away from zero) to its whole field. Set through
    // MitGenauenLaengen, which keeps both in step. A precise label stays precise with whole lengths too: its
    // picture is drawn into the exact size, whatever its resolution.
    std::optional<Genaumasse> genau;

    bool IstGenau() const { return genau.has_value(); }
    // A length in hundredths of a millimetre: the exact one of a precise label, otherwise the whole one x 100.
    qint64 Hundertstel(Massfeld feld) const;

    bool operator==(const Bogenmasse &) const = default;
};

struct Massangabe
{
    Massfeld feld;
    const char *schluessel;           // key in the settings file
    bool anzahl;                      // a count, shown without unit
    int minimum;                      // the smallest value its editor takes
    int Genaumasse::*genau = nullptr; // the exact length; none for a count
};

// The measures in the order of the settings file: the one list of them.
inline constexpr std::array<Massangabe, 8> Massangaben{{
    {&Bogenmasse::ObererRand, "ObererRand", false, 0, &Genaumasse::ObererRand},
    {&Bogenmasse::SeitenRand, "SeitenRand", false, 0, &Genaumasse::SeitenRand},
    {&Bogenmasse::Vertikalabstand, "Vertikalabstand", false, 1, &Genaumasse::Vertikalabstand},
    {&Bogenmasse::Horizontalabstand, "Horizontalabstand", false, 1, &Genaumasse::Horizontalabstand},
    {&Bogenmasse::Etikettenhoehe, "Etikettenhoehe", false, 1, &Genaumasse::Etikettenhoehe},
    {&Bogenmasse::Etikettenbreite, "Etikettenbreite", false, 1, &Genaumasse::Etikettenbreite},
    {&Bogenmasse::AnzahlEtikettenInZeile, "AnzahlEtikettenInZeile", true, 1},
    {&Bogenmasse::AnzahlEtikettenInSpalte, "AnzahlEtikettenInSpalte", true, 1},
}};

// The measures of the window's editors before any settings file is read: a key a file lacks keeps its value here.
inline constexpr Bogenmasse Anfangsmasse{.ObererRand = 0,
                                         .SeitenRand = 0,
                                         .Vertikalabstand = 10,
                                         .Horizontalabstand = 10,
                                         .Etikettenhoehe = 10,
                                         .Etikettenbreite = 10,
                                         .AnzahlEtikettenInZeile = 1,
                                         .AnzahlEtikettenInSpalte = 1};

// The largest value a measure editor takes.
inline constexpr int MassMaximum = 10000;

// The order in which the delayed refresh handles pending measures.
inline constexpr std::array<Massfeld, 8> Aktualisierungsreihenfolge{
    &Bogenmasse::ObererRand,
    &Bogenmasse::SeitenRand,
    &Bogenmasse::Horizontalabstand,
    &Bogenmasse::Etikettenbreite,
    &Bogenmasse::Vertikalabstand,
    &Bogenmasse::Etikettenhoehe,
    &Bogenmasse::AnzahlEtikettenInZeile,
    &Bogenmasse::AnzahlEtikettenInSpalte,
};

// The index of a field in Massangaben.
constexpr std::size_t MassIndex(Massfeld feld)
{
    for (std::size_t i = 0; i < Massangaben.size(); ++i)
        if (Massangaben[i].feld == feld)
            return i;
    return Massangaben.size();
}

// The lengths come first in Massangaben: these many.
inline constexpr std::size_t AnzahlLaengen = 6;
using Laengen = std::array<int, AnzahlLaengen>; // hundredths of a millimetre, in the order of Massangaben

// Whole millimetres from hundredths, halves away from zero, as the settings file's reader rounds: 3850 -> 39,
// 3849 -> 38.
int GanzeMm(qint64 hundertstel);

// The measures with their six lengths set exactly: each whole field becomes its length rounded by GanzeMm; the
// label is precise when `genau` says so or any length has a fraction, ordinary otherwise. The counts stay.
Bogenmasse MitGenauenLaengen(Bogenmasse m, const Laengen &hundertstel, bool genau = false);

// The six lengths in hundredths (see Bogenmasse::Hundertstel).
Laengen GenaueLaengen(const Bogenmasse &m);

// A length in hundredths as a decimal number with at most two decimals and the given separator: 3810 -> "38,1",
// 675 -> "6,75", 3800 -> "38".
QString HundertstelText(qint64 hundertstel, QChar trenner);

// A plain decimal number with at most two decimals and the given separator, blanks around it allowed, as
// hundredths; nothing for anything else (signs, exponents, a third decimal, more than nine whole digits).
std::optional<qint64> HundertstelAusText(QStringView text, QChar trenner);

// "12" -> "12 mm".
QString MassMitEinheit(int n);

// A measure as its edit field shows it: lengths with " mm", counts bare.
QString MassText(const Massangabe &angabe, int wert);

// A measure of m as its edit field shows it: an exact length with a decimal comma ("38,1 mm"), a whole one as
// MassText.
QString MassText(const Massangabe &angabe, const Bogenmasse &m);

// The measure's caption as the window shows it, without the colon: "Oberer Rand", "Höhe", "Anz. in einer Zeile [x]".
QString MassBezeichnung(const Massangabe &angabe);

// The eight measures as typed by a person: lengths with a decimal comma and at most two decimals, counts whole,
// each within its editor's range. Either the measures (precise when a length has a fraction) or, for the first
// field that is not such a value, a German message naming it and its range.
struct EingegebeneMasse
{
    std::optional<Bogenmasse> masse;
    QString fehler;
};
EingegebeneMasse LiesEingegebeneMasse(const std::array<QString, Massangaben.size()> &texte);
