#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

// The most pixels a label picture may have: a 600-dpi A4 picture (4961 x 7016, about 34.8 million) passes, as 8 or
// 24 bit; decoded at 32 bits it takes at most 160 MB.
inline constexpr qint64 MeisteBildpunkte = 40'000'000;

// "Das Bild <pfad> ist zu groß (<b> x <h> Pixel); höchstens 40 Millionen Pixel werden gedruckt."
QString BildZuGross(const QString &pfad, QSize groesse);

// The pixel size of a bitmap file, read from its headers alone (the picture is not decoded).
// A top-down bitmap (negative height) gives its height as a positive number; the old
// 12-byte OS/2 header is understood too.
// Throws Fehler when the file cannot be opened, is too short for its headers, or names
// a size no real picture has (zero, negative width, more than 30000 pixels).
QSize LiesBildGroesse(const QString &pfad);

// The same on the first bytes of a file already in memory; `pfad` only names the file in the message.
QSize LiesBildGroesse(const QByteArray &kopf, const QString &pfad);

// Whether a bitmap file holds all the pixel data its headers promise: every row of an uncompressed picture, the
// run-length stream of a compressed one up to its end. The decoder fills a cut-off picture up with whatever its
// memory held, so a label picture is decoded only when this says yes. Bytes that are no bitmap file count as
// complete: other decoders judge them.
bool BitmapVollstaendig(const QByteArray &datei);
