#pragma once

#include <QString>

#include <array>

// The eight measures of a sheet of labels, named like the keys of the settings file. The six lengths are whole
// millimetres; all eight are 16-bit editor positions in the window.
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

    bool operator==(const Bogenmasse &) const = default;
};

using Massfeld = int Bogenmasse::*;

struct Massangabe
{
    Massfeld feld;
    const char *schluessel; // key in the settings file
    bool anzahl;            // a count, shown without unit
    int minimum;            // the smallest value its editor takes
};

// The measures in the order of the settings file: the one list of them.
inline constexpr std::array<Massangabe, 8> Massangaben{{
    {&Bogenmasse::ObererRand, "ObererRand", false, 0},
    {&Bogenmasse::SeitenRand, "SeitenRand", false, 0},
    {&Bogenmasse::Vertikalabstand, "Vertikalabstand", false, 1},
    {&Bogenmasse::Horizontalabstand, "Horizontalabstand", false, 1},
    {&Bogenmasse::Etikettenhoehe, "Etikettenhoehe", false, 1},
    {&Bogenmasse::Etikettenbreite, "Etikettenbreite", false, 1},
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

// "12" -> "12 mm".
QString MassMitEinheit(int n);

// A measure as its edit field shows it: lengths with " mm", counts bare.
QString MassText(const Massangabe &angabe, int wert);
