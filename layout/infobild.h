#pragma once

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// The layouts (labels in a row, labels in a column) that have a layout picture, in the
// order in which they are looked up.
QList<QPair<int, int>> InfobildLayouts();

// The file name of the layout picture for the two counts: "Info Etikette <x>x<y>.bmp"
// for a layout of the list, "Kein Bild.bmp" for any other.
QString InfobildDatei(int anzahlInZeile, int anzahlInSpalte);

inline constexpr int InfobildBreite = 144;
inline constexpr int InfobildHoehe = 112;

// Draws the layout picture of x labels in a row and y in a column: a sheet with a black grid
// of x by y white cells, carrying the marks ZeigeEtikettenPosition reads, so that every cell
// can be marked. The picture is InfobildBreite by InfobildHoehe pixels, Format_RGB32.
// Works for every layout of the list; a layout too dense for even cells gets cells as wide and tall as the
// marker's seeds allow, with white gaps in the scan row where it would count too many lines. Throws Fehler for
// counts no such grid can be drawn for.
// Draws text, so a QGuiApplication must exist.
QImage ZeichneInfobild(int x, int y);

// The layout picture drawn for counts that have no file, as a precise label's sheet may have: nothing when the
// layout is too dense for a grid the marker can read (more than 41 columns or about 50 rows).
std::optional<QImage> InfobildOhneDatei(int x, int y);

// The picture shown for counts without a layout picture: a sheet saying so, without a grid
// or marks. Same size and format as the layout pictures; needs a QGuiApplication.
QImage ZeichneKeinBild();
