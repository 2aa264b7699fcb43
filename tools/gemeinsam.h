#pragma once

// Helpers shared by the build-time generators of the bundled data folder.
// Every failure throws Fehler with a German text; the generator's main reports it and exits non-zero.

#include "blatt/bogenmasse.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;

namespace Werkzeug {

using Einstellung = Bogenmasse;

// Saves as an uncompressed Windows bitmap with a 40-byte information header: 8 bits for an indexed picture,
// 24 bits for any other.
void SpeichereBitmap(const QImage &bild, const QString &pfad);

// The picture with at most 256 colours, when its most frequent colours stand in for the rest within `abweichung`
// per channel (the soft edges of smooth drawing), so that it looks the same in a third of the bytes; otherwise a
// null image. SpeichereBitmap writes it with 8 bits per pixel.
QImage AchtBitBild(const QImage &bild, int abweichung);

// Creates the folder and its parents if needed.
void ErzeugeOrdner(const QString &pfad);

// Pixels for a length in millimetres at 120 dots per inch (about 4.72 per mm), rounded.
int MmInBildpixel(double mm);

// A white picture of the given size in a format that SpeichereBitmap writes as 24 bits.
QImage NeuesBild(int breite, int hoehe, const QColor &grund = Qt::white);

// A font by family with a size in pixels (labels are designed in pixels, not points).
QFont Schrift(const QString &familie, qreal pixel, bool fett = false, bool kursiv = false);

// The largest pixel size up to `pixel` at which `text` fits into `breite` pixels (at least 4).
QFont PassendeSchrift(const QString &familie, qreal pixel, bool fett, const QString &text, qreal breite);

// Draws `text` into `rahmen` with the Qt alignment flags, in the font and colour given.
void SchreibeText(QPainter &p, const QRectF &rahmen, int ausrichtung, const QString &text, const QFont &schrift,
                  const QColor &farbe);

// Draws lines one below the other from `links`/`oben`, each line `zeilenhoehe` pixels apart;
// returns the y below the last line.
qreal SchreibeZeilen(QPainter &p, qreal links, qreal oben, qreal zeilenhoehe, const QStringList &zeilen,
                     const QFont &schrift, const QColor &farbe);

// A small label-shaped emblem (rounded tag with a punched hole) filling `rahmen`.
void ZeichneEtikettSymbol(QPainter &p, const QRectF &rahmen, const QColor &farbe);

// Runs a generator: sets up a headless GUI application (fonts need one), calls arbeit with the arguments
// after the program name, and turns a Fehler into a message on stderr and exit code 1.
int FuehreAus(int argc, char **argv, const std::function<void(const QStringList &)> &arbeit);

} // namespace Werkzeug
