#pragma once

#include "storage/bilddatei.h"

#include <QByteArray>
#include <QSize>
#include <QString>

// The pixel size of a bitmap file, read from its headers alone (the picture is not decoded), by the rules and
// limits that every picture file is read by: a file that is no regular file, or that changed while it was read, is
// refused as the decoder refuses it, and so is a size beyond the decoder's limits, with its message.
// A top-down bitmap (negative height) gives its height as a positive number; the old 12-byte OS/2 header is
// understood too.
// Throws Fehler when the file cannot be opened, is too short for its headers, or names a size no real picture has
// (zero, negative width), or one beyond the limits.
QSize LiesBildGroesse(const QString &pfad);

// The same on the first bytes of a file already in memory; `pfad` only names the file in the message.
QSize LiesBildGroesse(const QByteArray &kopf, const QString &pfad);
