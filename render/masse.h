#pragma once

#include "blatt/blatt.h"

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

// Device rectangle; Right and Bottom lie one past the last covered pixel.
struct Platzierung
{
    int Left;
    int Top;
    int Right;
    int Bottom;
};

inline bool operator==(const Platzierung &a, const Platzierung &b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

// The same area as a QRect (width = Right - Left).
inline QRect Rechteck(const Platzierung &p)
{
    return QRect(p.Left, p.Top, p.Right - p.Left, p.Bottom - p.Top);
}

// Where a picture goes on a device. Position and size are converted separately, so the
// size in pixels does not depend on the position. offX/offY are the printer's physical
// offsets (0 on the screen): the result counts from the paper's corner. Pixels beyond int saturate; a place that
// far lies off any paper.
Platzierung Platzierungsrechteck(int dpiX, int dpiY, int offX, int offY, double xMm, double yMm, double wMm,
                                 double hMm);

// As Platzierungsrechteck, with one side given (laengeMm) and the other following the
// picture's proportions; the derived side is not rounded before the conversion.
// A picture without pixels (bildB or bildH <= 0) gives 0 for the derived side.
Platzierung PlatzierungMitSeitenverhaeltnis(int dpiX, int dpiY, int offX, int offY, double xMm, double yMm,
                                            double laengeMm, bool breiteGegeben, int bildB, int bildH);

// One A4 page (210 x 297 mm) at the given resolution: 794 x 1123 at 96 dpi.
QSize Arbeitsbildgroesse(int dpiX, int dpiY);

// Fits a view to a picture's aspect ratio within a box; the ratio is kept in single
// precision. Landscape pictures (ratio > 1) fill the box width, the rest the box height.
// A picture or box without pixels returns the box unchanged.
QSize PasseBildgroesseAn(int bildBreite, int bildHoehe, int boxBreite, int boxHoehe);

// The box of the label view: the label at 125 % of its size at the screen's resolution,
// limited to the frame `bevel` and centred in it.
QRect Image1Box(int dpiX, int dpiY, double breiteMm, double hoeheMm, const QRect &bevel);

// A new white picture of the given size with `quelle` stretched over all of it, rows and
// columns dropped or repeated (no smoothing). Same size gives a pixel-identical copy.
// Throws Fehler when the source is empty or the picture cannot be made; nothing is left behind.
QImage SkaliereBild(const QImage &quelle, int breite, int hoehe);

// Stretch-draws the whole picture into `ziel` without smoothing and, on a printer, without lossy compression;
// the painter's state is kept.
void ZeichneGestreckt(QPainter &p, const QRect &ziel, const QImage &bild);
void ZeichneGestreckt(QPainter &p, const QRectF &ziel, const QImage &bild);

// One white A4 page at the given resolution (Arbeitsbildgroesse). Throws Fehler when it cannot be made.
QImage WeisseSeite(int dpiX, int dpiY);
