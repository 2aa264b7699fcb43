#pragma once

#include "blatt/blatt.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>

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

// The composition of a label picture of the given size on a sheet of m: the whole sheet, or only row `zeile`.
Bogenangaben BogenangabenFuer(QSize bildgroesse, const Bogenmasse &m, bool nurZeile, int zeile);

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
QImage Einzelvorschau(const QImage &bild, int dpiX, int dpiY, const MmRechteck &ort);

// A page as a view of `groesse` pixels shows it: white but for `teil` at `ort` (none where nothing else shows).
struct Seitenansicht
{
    QSize groesse;
    QPoint ort;
    QImage teil;
};

// Einzelvorschau as a view of `ansicht` pixels shows it when it draws the page stretched, unsmoothed: the same
// pixels, made without the page (a page at the screen's resolution is a few megabytes to fill). Nothing where that
// sameness is not certain (a label in a format that Qt draws by another way, a place far off the page, a view
// that the drawn page would not cover whole); the caller then makes the page.
std::optional<Seitenansicht> EinzelvorschauAnsicht(const QImage &bild, int dpiX, int dpiY, const MmRechteck &ort,
                                                   QSize ansicht);
