#pragma once

#include "blatt/datenfelder.h"

#include <QRectF>
#include <QStringList>

#include <optional>

class QPainter;

// A label's lines of text, set in its field. The size is decided once, measured at one resolution, and the lines
// are drawn there in the same layout on every device, scaled to it: the screen's preview, a PDF and a printer show
// the same lines at the same places. Both need a QGuiApplication, for fonts.

// The resolution text is measured and laid out at, in dots per inch.
inline constexpr int TextsatzDpi = 1200;

// The size, in hundredths of a point, at which `zeilen` fit a field of breite x hoehe hundredths of a millimetre:
// as wide as the longest line, as high as the lines one below the other. The text's Groesse when they fit at it,
// otherwise the largest size on the steps of 0.1 pt below it down to KleinsteSchrift; none when they do not fit
// even then (the caller names the record). No lines fit at any size.
std::optional<int> PassendeSchriftgroesse(const Textfeld &text, const QStringList &zeilen, qint64 breite, qint64 hoehe);

// Draws `zeilen` at `groesse` (hundredths of a point) into the text's field (FeldAufEtikett) on the label at
// `etikett`, in device pixels, on a device of jeMmX x jeMmY pixels per millimetre: as text in the text's font, bold
// and colour, each line aligned across the field, the lines as a block in its height. A size too large for the
// field draws beyond it. The painter's state is kept.
void ZeichneText(QPainter &maler, const Textfeld &text, const QStringList &zeilen, int groesse, const QRectF &etikett,
                 double jeMmX, double jeMmY);
