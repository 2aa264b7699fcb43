#pragma once

#include <QImage>
#include <QString>

// The sheet raster that stands for the A4 page: 991 x 1402, not 992 x 1403.
constexpr int BogenBreite = 991;
constexpr int BogenHoehe = 1402;

// Margins and gap in label-picture pixels.
struct Pixelmasse
{
    int ObererRandPixel;
    int SeitenRandPixel;
    int LueckePixel; // empty space between two labels of a row
};

// Each quotient (picture pixels per mm) is formed first, in extended precision, then
// multiplied by the measure and rounded halves to even. A label size <= 0 counts as
// 0 pixels per mm.
Pixelmasse BerechnePixelmasse(int bildBreite, int bildHoehe, int ObererRand, int SeitenRand, int Horizontalabstand,
                              int Etikettenhoehe, int Etikettenbreite);

struct Bogenangaben
{
    int W; // picture width and height in pixels
    int H;
    int top;            // ObererRandPixel
    int left;           // SeitenRandPixel
    int gap;            // LueckePixel
    int n;              // AnzahlEtikettenInZeile
    int anzahlInSpalte; // rows in the whole-sheet mode
    int zeile;          // row mode: the one row drawn, counted from 1
    bool zeilenModus;
};

// Composes the sheet: a white raster with the picture drawn unscaled, row by row, at the
// cursor positions the print layout has always used (rows follow at H + 1 pixels; Vertikalabstand
// does not enter). Labels reaching past the raster are cut off. Each label is an opaque copy of the
// picture on white, so where labels overlap the later one shows. The work grows with the raster,
// not with the counts.
// W and H always come from `bild` itself: when a.W/a.H disagree (a file header that lies, or
// the negative height of a top-down bitmap) the decoded size wins, so nothing absurd is made.
// Returns a null picture when `bild` is null or the raster cannot be made.
QImage ErzeugeEtikettenbogen(const QImage &bild, const Bogenangaben &a, int breite = BogenBreite,
                             int hoehe = BogenHoehe);

// The single-label preview: a white A4 page at the given resolution with the picture
// stretched into its millimetre place. Throws Fehler when the page cannot be made.
QImage Einzelvorschau(const QImage &bild, int dpiX, int dpiY, int xMm, int yMm, double wMm, double hMm);

// Decodes a picture file by its content. A file that opens but holds no readable picture
// gives a null QImage; a file that cannot be opened throws Fehler.
QImage LeseBild(const QString &pfad);
