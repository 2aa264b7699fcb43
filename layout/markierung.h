#pragma once

#include <QImage>

#include <optional>

// What a layout picture carries for the marker, shared by the marker and the drawing of the pictures.
namespace Marke {
inline constexpr QRgb Grau = qRgb(128, 128, 128);
inline constexpr QRgb Silber = qRgb(192, 192, 192);
inline constexpr QRgb Schwarz = qRgb(0, 0, 0);
inline constexpr QRgb Weiss = qRgb(255, 255, 255);
inline constexpr int ErsteGitterSpalte = 54;
// The row scanned for the column lines lies this far below the top of the grid.
inline constexpr int AbstandZaehlzeile = 5;
inline constexpr int ZaehlspalteVon = 55;
inline constexpr int ZaehlspalteBis = 115;
} // namespace Marke

// A cell of the layout picture, pixel coordinates, borders included.
struct Zelle
{
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Fills the cell at column spalte, row zeile (both from 1) of a layout picture with farbe.
//
// The picture tells where its grid is: in pixel column 0 a grey pixel (128, 128, 128) marks the
// top row of the grid and a silver pixel (192, 192, 192) at row r makes r the row pitch (row 0 is
// ignored, the lowest occurrence counts); the grid lines are black, the columns begin at pixel 54,
// and the column pitch follows from the number of black pixels in the row five below the top.
//
// First, pixels of the previously marked cell (markierteZelle, if its Left > 0) that have
// exactly farbe are set back to white; so white never clears a blue mark elsewhere. Then the
// cell is found from a seed point and every non-black pixel in it, borders included, gets farbe;
// markierteZelle becomes that cell. A picture without the marks or the grid, or a position off
// the picture, leaves the cell unmarked and markierteZelle unchanged.
//
// Colours are compared by red, green and blue only. Every pixel access stays inside the picture.
// A picture that is not 32-bit RGB is converted to Format_RGB32 first.
void ZeigeEtikettenPosition(QImage &bild, QRgb farbe, int spalte, int zeile, Zelle &markierteZelle);

// A column or row as typed into its field: a whole number in decimal digits, blanks around it allowed; anything
// else gives nothing.
std::optional<int> GetippteZahl(const QString &text);
