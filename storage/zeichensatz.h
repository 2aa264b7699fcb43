#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text files that people edit on Windows and elsewhere: UTF-8 or Windows-1252, sometimes both in one file.

// Each byte as Windows-1252; the five codes it leaves free become U+FFFD.
QString AusWindows1252(QByteArrayView bytes);

// Line by line: UTF-8 where a line is valid UTF-8, otherwise Windows-1252, so that a line pasted from a file of the
// other kind reads as it was written. A sequence cut off at a line's end makes the line Windows-1252 instead of
// losing its bytes. The file's own byte-order mark goes; line ends stay as they are.
QString Utf8OderWindows1252(const QByteArray &bytes);
