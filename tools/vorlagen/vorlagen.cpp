#include "tools/vorlagen/vorlagen.h"

#include "render/bogenbild.h"

namespace {

// A sheet in the order of the catalogue's columns, lengths in hundredths of a millimetre.
Etikettenbogen Bogen(const char *hersteller, const char *nummer, int spalten, int zeilen, int breite, int hoehe,
                     int linkerRand, int obererRand, int horizontalabstand, int vertikalabstand)
{
    Etikettenbogen b;
    b.hersteller = QString::fromUtf8(hersteller);
    if (*nummer)
        b.nummern = {QString::fromUtf8(nummer)};
    b.masse =
        MitGenauenLaengen({.AnzahlEtikettenInZeile = spalten, .AnzahlEtikettenInSpalte = zeilen},
                          Laengen{obererRand, linkerRand, vertikalabstand, horizontalabstand, hoehe, breite}, true);
    return b;
}

// Layouts in the order of the layout pictures, each with a product of the catalogue.
const Vorlage Tabelle[] = {
    {"Paketaufkleber_1x2_210x148,5", Motiv::Paketaufkleber, {210, 148},
     Bogen("Endisch", "6521018x", 1, 2, 21000, 14850, 0, 0, 21000, 14850)},
    {"Aushang_1x1_210x297", Motiv::Aushang, {210, 297},
     Bogen("Endisch", "6521029x", 1, 1, 21000, 29700, 0, 0, 21000, 29700)},
    {"Umzugskarton_2x2_105x148,5", Motiv::Umzugskarton, {105, 148},
     Bogen("Endisch", "6510518x", 2, 2, 10500, 14850, 0, 0, 10500, 14850)},
    {"Umschlagetikett_1x3_210x99", Motiv::Umschlag, {210, 98},
     Bogen("Endisch", "6521099x", 1, 3, 21000, 9900, 0, 0, 21000, 9900)},
    // No product of this layout in the catalogue: shelf strips in whole millimetres.
    {"Regaletikett_1x12_190x24", Motiv::Regal, {190, 24}, Bogen("", "", 1, 12, 19000, 2400, 1000, 400, 19000, 2400)},
    {"Versandetikett_2x4_105x74,25", Motiv::Versand, {105, 74},
     Bogen("Endisch", "6510574x", 2, 4, 10500, 7425, 0, 0, 10500, 7425)},
    {"Ordnerruecken_1x5_190x58", Motiv::Ordnerruecken, {192, 57},
     Bogen("Hama", "50485", 1, 5, 19000, 5800, 1000, 350, 19000, 5800)},
    {"Visitenkarte_2x5_85x54", Motiv::Visitenkarte, {85, 54},
     Bogen("Avery", "C32011-10", 2, 5, 8500, 5400, 1500, 1350, 9500, 5400)},
    {"Adressetikett_3x7_63,5x38,1", Motiv::Adresse, {64, 38},
     Bogen("Avery", "L7160", 3, 7, 6350, 3810, 721, 1515, 6604, 3810)},
    {"Namensschild_3x8_70x36", Motiv::Namensschild, {70, 36},
     Bogen("Zweckform", "3475", 3, 8, 7000, 3600, 0, 450, 7000, 3600)},
    {"Marmeladenetikett_4x10_48,5x25,4", Motiv::Marmelade, {48, 25},
     Bogen("Rayfilm", "0203N", 4, 10, 4850, 2540, 800, 2150, 4850, 2540)},
    {"Namensaufkleber_4x14_52,5x21,2", Motiv::Namensaufkleber, {52, 21},
     Bogen("Rayfilm", "0302N", 4, 14, 5250, 2120, 0, 0, 5250, 2120)},
    {"Absenderetikett_4x16_48,5x16,9", Motiv::Absender, {48, 17},
     Bogen("Endisch", "6504816x", 4, 16, 4850, 1690, 800, 1330, 4850, 1690)},
    {"Preisetikett_5x13_38,1x21,2", Motiv::Preis, {38, 21},
     Bogen("Avery", "L7651", 5, 13, 3810, 2120, 475, 1070, 4060, 2120)},
};

} // namespace

std::span<const Vorlage> Vorlagen()
{
    return Tabelle;
}

Werkzeug::Einstellung Masse(const Vorlage &v)
{
    return v.bogen.masse;
}

QSize Bildgroesse(const Vorlage &v)
{
    return EtikettBildgroesse(v.bogen);
}
