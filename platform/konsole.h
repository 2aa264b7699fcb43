#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

// Text on standard output and error, as the console shows it: on Windows in the console's code page (a new
// console's, where the program has none), elsewhere in the locale's encoding.
QByteArray KonsolenBytes(const QString &text);
QString AusKonsolenBytes(const QByteArray &bytes);

// Writes the text to the stream with plain LF line ends, also where the C library would make them CR LF.
void SchreibeKonsole(FILE *strom, const QString &text);
