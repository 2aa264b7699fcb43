#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Label pictures are opened here and nowhere else, for the window, its dialogs and the command line alike, so that
// every reader refuses the same files with the same words: a picture is read in one read and only as one version
// of its file, anything but a regular file is refused before it could block, and one set of limits holds.

// The most pixels a label picture may have: a 600-dpi A4 picture (4961 x 7016, about 34.8 million) passes, as 8 or
// 24 bit; decoded at 32 bits it takes at most 160 MB.
inline constexpr qint64 MeisteBildpunkte = 40'000'000;
// The widest and the highest a label picture may be, in pixels.
inline constexpr int GroessteBildseite = 30000;
// The largest picture file read: more than any picture within MeisteBildpunkte needs, even at 64 bits a pixel.
inline constexpr qint64 GroessteBilddatei = qint64(512) * 1024 * 1024;
// The bytes of a bitmap's file header and its usual information header, all the size reader looks at.
inline constexpr qint64 BitmapKopflaenge = 14 + 40;

// "Das Bild <pfad> ist zu groß (<b> x <h> Pixel); höchstens 40 Millionen Pixel werden gedruckt."
QString BildZuGross(const QString &pfad, QSize groesse);

// The steps of one reading of a file, as an observer is told of them (tests watch the rules with it).
enum class Leseschritt {
    Gewartet, // the file was fresh and was watched until it stood still
    Gelesen,  // its bytes were read, before it is checked that they are still the file's
};
using Lesebeobachter = std::function<void(Leseschritt)>;

// The whole file as one version of it. A file whose modification time lies within two seconds of the clock may still
// be written (a writer resting half way on a slow disk or a share): it is watched until it stood still for a second,
// within a few seconds in all. The file is then read in one read, its size known first, and taken only when its
// size and times stayed the same across the read; otherwise it is read again, a few times at most. A file left
// alone for two seconds reads at once, and so does a version already watched or written whole (GanzGeschrieben).
// Throws Fehler: the file cannot be opened or read; it is no regular file (a folder, a named pipe, a device: decided
// without waiting for anything, with the message for an unreadable picture); it is larger than GroessteBilddatei;
// it kept changing over every try.
QByteArray LiesBilddatei(const QString &pfad, const Lesebeobachter &beobachter = {});

// For this program's writers: the file at `pfad`, as it stands now, was written whole by them (a draft or a copy
// that took its place), so that a read takes it at once instead of watching it come to rest. Nothing for a file
// that is not there. IstGanzGeschrieben: whether its version now is one known whole, watched or written so.
void GanzGeschrieben(const QString &pfad);
bool IstGanzGeschrieben(const QString &pfad);

// The first `anzahl` bytes of the file (fewer when it is shorter), by the same rules.
QByteArray LiesBildkopf(const QString &pfad, qint64 anzahl = BitmapKopflaenge);

// The pixel size that a bitmap's headers give, read as the size reader has always read them: no check of the
// signature or of the header's kind beyond the old 12-byte OS/2 header, whose fields are 16 bits; a top-down
// height counts by its magnitude. Nothing when the bytes are too short for it or give no real size (a width below
// 1, a height of 0 or of the smallest 32-bit number). Throws Fehler, with a message that names the figure, where our
// limits refuse the picture: more than GroessteBildseite pixels wide or high, more than MeisteBildpunkte pixels,
// or, for a file that begins "BM", pixels that the file header says begin at byte 2^31 or beyond.
std::optional<QSize> Bitmapgroesse(const QByteArray &kopf, const QString &pfad);

// Whether a bitmap file holds all the pixel data its headers promise: every row of an uncompressed picture, the
// run-length stream of a compressed one up to its end. The decoder fills a cut-off picture up with whatever its
// memory held, so a label picture is decoded only when this says yes. Bytes that are no bitmap file count as
// complete: other decoders judge them.
bool BitmapVollstaendig(const QByteArray &datei);

// Decodes the bytes of a picture file by their content: a bitmap by our own rules and Qt's bitmap reader (a 24-bit
// one straight from the bytes), anything else by Qt's recognition. Bytes that hold no readable picture, or a bitmap
// cut off before the end of its pixels, give a null QImage; a picture beyond the limits throws Fehler (also when its
// pixels are missing: it would not be printed anyway). `pfad` only names the file in the messages.
QImage BildAusDaten(const QByteArray &daten, const QString &pfad);

// LiesBilddatei, then BildAusDaten.
QImage LeseBild(const QString &pfad);

// A picture from another program, read to become a label's picture: pixels decoded whole, turned upright as the
// camera noted, or a drawing (SVG) kept as its bytes, to be drawn at the size it is needed at.
struct Fremdbild
{
    QString pfad;
    QImage bild;          // the pixels; null for a drawing
    QByteArray zeichnung; // the drawing's bytes; empty for pixels
    QSize groesse;        // in pixels, or the drawing's own size
    bool istZeichnung() const { return !zeichnung.isEmpty(); }
};

// A picture taken from another program may be at most this many times as wide as high, or as high as wide.
inline constexpr int GroesstesSeitenverhaeltnis = 50;

// "*.png", "*.jpg", ... for the formats of other programs that Qt's image plugins read here, SVG included where
// its module is installed.
QStringList FremdbildMuster();

// A picture file of any format Qt reads, by its content, read as one version of the file (LiesBilddatei) and held
// to the limits of a label picture and to GroesstesSeitenverhaeltnis, checked before it is decoded; pixels with a
// colour profile are converted to sRGB. Throws Fehler as LiesBilddatei does, for a picture beyond the limits, for a
// picture that its decoder reads past damage in or that is cut short, and with "Die Datei <pfad> enthält kein
// lesbares Bild." for anything else that gives no picture; an SVG, TIFF or WebP file while the module that reads it
// is missing says so.
Fremdbild LiesFremdbild(const QString &pfad);

// The drawing rendered whole at `groesse`, of which the part `ausschnitt` is returned, transparent where the
// drawing leaves it so; a picture it names by a relative path is the one beside the drawing's file. Throws Fehler
// when it cannot be drawn.
QImage ZeichnungAlsBild(const Fremdbild &zeichnung, QSize groesse, const QRect &ausschnitt);
