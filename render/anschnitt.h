#pragma once

#include "render/bogen.h"

#include <QImage>
#include <QList>
#include <QRectF>

#include <functional>

class QPainter;

// How far a picture runs past each edge of its label, in the unit of the rectangles it was worked out from.
struct Anschnittbreiten
{
    double links = 0.0;
    double oben = 0.0;
    double rechts = 0.0;
    double unten = 0.0;

    bool leer() const { return links <= 0 && oben <= 0 && rechts <= 0 && unten <= 0; }
    bool operator==(const Anschnittbreiten &) const = default;
};

// The bleed of the label at `etikett`, at most `hoechstens` on each side, but never past half the gap to any of
// `andere` that stands beside it (one that touches or overlaps it leaves that side none), nor beyond `papier`.
// One unit for all of them; nothing is rounded.
Anschnittbreiten Anschnittgrenzen(const QRectF &etikett, const QList<QRectF> &andere, const QRectF &papier,
                                  const Anschnittbreiten &hoechstens);

// In whole pixels with no pixel of a gap left between two labels: each side rounded down, except that the left and
// upper sides round a half up, so that the middle pixel of a gap of an odd count of pixels goes to the label below or
// to the right. The raster's rows lie one pixel apart, and touching labels placed in whole device pixels may, so
// touching rows meet so.
Anschnittbreiten LueckeGeschlossen(const Anschnittbreiten &b);

// The bleed of the label at place (spalte, zeile) of a sheet of inZeile x inSpalte places, each place where `ort`
// puts it on the page: its neighbours on the sheet limit it whether or not they are printed, for the stock has a
// label there. `weitere` are other labels of the page that limit it as well.
Anschnittbreiten AnschnittAmPlatz(const std::function<QRectF(int spalte, int zeile)> &ort, int spalte, int zeile,
                                  int inZeile, int inSpalte, const QRectF &papier, const Anschnittbreiten &hoechstens,
                                  const QList<QRectF> &weitere = {});

// The same bleed on each side: hundredths of a millimetre at the given pixels per millimetre.
Anschnittbreiten GleicherAnschnitt(int hundertstel, double jeMmX, double jeMmY);

// After the picture was drawn into `ziel`: its outermost pixels continued outwards by the widths, each edge column
// or row stretched over its strip as the picture is stretched, each corner filled with its corner pixel.
void ZeichneAnschnitt(QPainter &maler, const QRectF &ziel, const QImage &bild, const Anschnittbreiten &breiten);

// The composed sheet raster with the bleed of every label on it, counted in whole raster pixels (LueckeGeschlossen,
// so that no white line stays between touching labels); the places are those of the raster's usual result (see
// GedruckteEtiketten). The raster unchanged without a bleed.
QImage RasterMitAnschnitt(QImage bogen, const QImage &etikett, const Bogenangaben &a, int hundertstel);
