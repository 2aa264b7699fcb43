#include "tools/vorlagen/vorlagen.h"

#include "blatt/blatt.h"
#include "platform/fehler.h"

#include <cmath>

namespace {

using Werkzeug::Einstellung;

// Layouts in the order of the layout pictures. Measures of the real stock rounded to whole millimetres, with
// margins and pitches chosen so that the program's fit check accepts the full count in both directions.
constexpr Vorlage Tabelle[] = {
    // A5 halves, 210 x 148.5.
    {"Paketaufkleber_1x2_210x148", Motiv::Paketaufkleber,
     Einstellung{.ObererRand = 0,
                 .SeitenRand = 0,
                 .Vertikalabstand = 148,
                 .Horizontalabstand = 210,
                 .Etikettenhoehe = 148,
                 .Etikettenbreite = 210,
                 .AnzahlEtikettenInZeile = 1,
                 .AnzahlEtikettenInSpalte = 2}},
    // One label filling the whole sheet.
    {"Aushang_1x1_210x297", Motiv::Aushang,
     Einstellung{.ObererRand = 0,
                 .SeitenRand = 0,
                 .Vertikalabstand = 297,
                 .Horizontalabstand = 210,
                 .Etikettenhoehe = 297,
                 .Etikettenbreite = 210,
                 .AnzahlEtikettenInZeile = 1,
                 .AnzahlEtikettenInSpalte = 1}},
    // A6 quarters, 105 x 148.5.
    {"Umzugskarton_2x2_105x148", Motiv::Umzugskarton,
     Einstellung{.ObererRand = 0,
                 .SeitenRand = 0,
                 .Vertikalabstand = 148,
                 .Horizontalabstand = 105,
                 .Etikettenhoehe = 148,
                 .Etikettenbreite = 105,
                 .AnzahlEtikettenInZeile = 2,
                 .AnzahlEtikettenInSpalte = 2}},
    // Thirds of the sheet, 210 x 99; the picture is a millimetre lower so that three rows fit the raster.
    {"Umschlagetikett_1x3_210x98", Motiv::Umschlag,
     Einstellung{.ObererRand = 0,
                 .SeitenRand = 0,
                 .Vertikalabstand = 99,
                 .Horizontalabstand = 210,
                 .Etikettenhoehe = 98,
                 .Etikettenbreite = 210,
                 .AnzahlEtikettenInZeile = 1,
                 .AnzahlEtikettenInSpalte = 3}},
    // Shelf strips.
    {"Regaletikett_1x12_190x24", Motiv::Regal,
     Einstellung{.ObererRand = 4,
                 .SeitenRand = 10,
                 .Vertikalabstand = 24,
                 .Horizontalabstand = 190,
                 .Etikettenhoehe = 24,
                 .Etikettenbreite = 190,
                 .AnzahlEtikettenInZeile = 1,
                 .AnzahlEtikettenInSpalte = 12}},
    // Shipping labels 105 x 74.
    {"Versandetikett_2x4_105x74", Motiv::Versand,
     Einstellung{.ObererRand = 0,
                 .SeitenRand = 0,
                 .Vertikalabstand = 74,
                 .Horizontalabstand = 105,
                 .Etikettenhoehe = 74,
                 .Etikettenbreite = 105,
                 .AnzahlEtikettenInZeile = 2,
                 .AnzahlEtikettenInSpalte = 4}},
    // Wide file-folder spines.
    {"Ordnerruecken_1x5_192x57", Motiv::Ordnerruecken,
     Einstellung{.ObererRand = 6,
                 .SeitenRand = 9,
                 .Vertikalabstand = 57,
                 .Horizontalabstand = 192,
                 .Etikettenhoehe = 57,
                 .Etikettenbreite = 192,
                 .AnzahlEtikettenInZeile = 1,
                 .AnzahlEtikettenInSpalte = 5}},
    // Business cards 85 x 54, top margin 13.5 on the stock.
    {"Visitenkarte_2x5_85x54", Motiv::Visitenkarte,
     Einstellung{.ObererRand = 14,
                 .SeitenRand = 15,
                 .Vertikalabstand = 54,
                 .Horizontalabstand = 95,
                 .Etikettenhoehe = 54,
                 .Etikettenbreite = 85,
                 .AnzahlEtikettenInZeile = 2,
                 .AnzahlEtikettenInSpalte = 5}},
    // Address labels 63.5 x 38.1.
    {"Adressetikett_3x7_64x38", Motiv::Adresse,
     Einstellung{.ObererRand = 15,
                 .SeitenRand = 7,
                 .Vertikalabstand = 38,
                 .Horizontalabstand = 66,
                 .Etikettenhoehe = 38,
                 .Etikettenbreite = 64,
                 .AnzahlEtikettenInZeile = 3,
                 .AnzahlEtikettenInSpalte = 7}},
    // Name badges 70 x 36, top margin 4.5 on the stock.
    {"Namensschild_3x8_70x36", Motiv::Namensschild,
     Einstellung{.ObererRand = 4,
                 .SeitenRand = 0,
                 .Vertikalabstand = 36,
                 .Horizontalabstand = 70,
                 .Etikettenhoehe = 36,
                 .Etikettenbreite = 70,
                 .AnzahlEtikettenInZeile = 3,
                 .AnzahlEtikettenInSpalte = 8}},
    // Product labels about 48 x 25 mm.
    {"Marmeladenetikett_4x10_48x25", Motiv::Marmelade,
     Einstellung{.ObererRand = 22,
                 .SeitenRand = 8,
                 .Vertikalabstand = 25,
                 .Horizontalabstand = 48,
                 .Etikettenhoehe = 25,
                 .Etikettenbreite = 48,
                 .AnzahlEtikettenInZeile = 4,
                 .AnzahlEtikettenInSpalte = 10}},
    // Name stickers 52.5 x 21.2, edge to edge.
    {"Namensaufkleber_4x14_52x21", Motiv::Namensaufkleber,
     Einstellung{.ObererRand = 0,
                 .SeitenRand = 0,
                 .Vertikalabstand = 21,
                 .Horizontalabstand = 52,
                 .Etikettenhoehe = 21,
                 .Etikettenbreite = 52,
                 .AnzahlEtikettenInZeile = 4,
                 .AnzahlEtikettenInSpalte = 14}},
    // Small return-address labels 48.5 x 16.9.
    {"Absenderetikett_4x16_48x17", Motiv::Absender,
     Einstellung{.ObererRand = 13,
                 .SeitenRand = 8,
                 .Vertikalabstand = 17,
                 .Horizontalabstand = 48,
                 .Etikettenhoehe = 17,
                 .Etikettenbreite = 48,
                 .AnzahlEtikettenInZeile = 4,
                 .AnzahlEtikettenInSpalte = 16}},
    // Price labels 38.1 x 21.2.
    {"Preisetikett_5x13_38x21", Motiv::Preis,
     Einstellung{.ObererRand = 11,
                 .SeitenRand = 10,
                 .Vertikalabstand = 21,
                 .Horizontalabstand = 38,
                 .Etikettenhoehe = 21,
                 .Etikettenbreite = 38,
                 .AnzahlEtikettenInZeile = 5,
                 .AnzahlEtikettenInSpalte = 13}},
};

// The composition puts labels of a row one horizontal pitch apart after the left margin, and rows one picture
// height plus one pixel apart below the top margin.
bool ZeileImRaster(int bildBreite, const Einstellung &m)
{
    const Pixelmasse p = BerechnePixelmasse(QSize(bildBreite, 0), m);
    return p.SeitenRandPixel + m.AnzahlEtikettenInZeile * (bildBreite + p.LueckePixel) <= BogenBreite;
}

bool SpalteImRaster(int bildHoehe, const Einstellung &m)
{
    const Pixelmasse p = BerechnePixelmasse(QSize(0, bildHoehe), m);
    return p.ObererRandPixel + m.AnzahlEtikettenInSpalte * (bildHoehe + 1) <= BogenHoehe + 1;
}

} // namespace

std::span<const Vorlage> Vorlagen()
{
    return Tabelle;
}

QSize Bildgroesse(const Vorlage &v)
{
    const Einstellung &m = v.masse;
    int breite = Werkzeug::MmInBildpixel(m.Etikettenbreite);
    int hoehe = Werkzeug::MmInBildpixel(m.Etikettenhoehe);
    if (!ZeileImRaster(breite, m))
        --breite;
    if (!SpalteImRaster(hoehe, m))
        --hoehe;
    if (!ZeileImRaster(breite, m) || !SpalteImRaster(hoehe, m))
        throw Fehler(QStringLiteral("Vorlage %1 passt nicht in den Etikettenbogen").arg(QLatin1String(v.name)));
    return {breite, hoehe};
}
