#pragma once

#include "blatt/bogenmasse.h"

#include <QSize>

// The A4 sheet, portrait, and the raster of picture pixels that stands for it when labels are composed.
namespace A4 {
inline constexpr int BreiteMm = 210;
inline constexpr int HoeheMm = 297;
} // namespace A4

inline constexpr long double MmProZoll = 25.4L;

// The sheet raster: 991 x 1402, not 992 x 1403.
inline constexpr int BogenBreite = 991;
inline constexpr int BogenHoehe = 1402;

// Nearest whole number, halves to even (12.5 -> 12, 13.5 -> 14), independent of the current floating-point
// rounding mode. NaN gives 0; values beyond int are clamped.
int RundeHalbGerade(long double v);

// Millimetres to device pixels: Round(dpi * mm / 25.4), the product formed first, all in extended precision.
int MmInPixel(int dpi, double mm);

// Margins and gap of the sheet in label-picture pixels: the picture of a label covers its measured size, so the
// picture's own pixels per millimetre scale every other length.
struct Pixelmasse
{
    int ObererRandPixel = 0;
    int SeitenRandPixel = 0;
    int LueckePixel = 0; // empty space between two labels of a row
};

// Each quotient (picture pixels per mm) is formed first, in extended precision, then multiplied by the measure
// and rounded halves to even. A label size <= 0 counts as 0 pixels per mm.
Pixelmasse BerechnePixelmasse(QSize bild, const Bogenmasse &m);

// A rectangle in millimetres from the paper's top-left corner.
struct MmRechteck
{
    double x = 0;
    double y = 0;
    double breite = 0;
    double hoehe = 0;
};

// A printer's own correction, measured by the person: a point meant at p mm from the paper's top-left corner is
// drawn at p x massstab + versatz, per axis. The default changes nothing.
struct Druckerkorrektur
{
    double versatzXMm = 0.0;
    double versatzYMm = 0.0;
    double massstabX = 1.0;
    double massstabY = 1.0;

    bool operator==(const Druckerkorrektur &) const = default;
};

// The rectangle where the corrected printer puts what is meant at r.
MmRechteck Korrigiert(const MmRechteck &r, const Druckerkorrektur &k);

// Where the label at column spalte and row zeile (from 1) lies on the paper: one pitch per step from the margins,
// with the exact lengths of a precise label.
MmRechteck EtikettAufDemBlatt(const Bogenmasse &m, int spalte, int zeile);

// How far a row of `anzahl` labels reaches from the paper's left edge (Qt::Horizontal), or a column from its top
// edge: the far edge of its last label, in exact hundredths of a millimetre, and whether that lies within A4. This
// is how a precise label and a catalogue sheet fit: measured on paper, where EtikettAufDemBlatt puts the label.
// Fewer than one label never fits.
struct Reihenende
{
    qint64 hundertstel = 0;
    bool aufA4 = false;
};
Reihenende EndeDerReihe(const Bogenmasse &m, Qt::Orientation richtung, int anzahl);
