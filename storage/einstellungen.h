#pragma once

#include "blatt/bogenmasse.h"

#include <QString>

#include <optional>

// Halves away from zero: 12.5 -> 13, 12.49 -> 12, -0.5 -> -1.
double KaufmaennischRunden(double x);

// Converts a settings value: the first "." becomes ",", then "," is the decimal separator.
// Throws Fehler("'<text>' ist kein gültiger Gleitkommawert") for anything that is not a number.
double WertAlsZahl(const QString &text);

// A rounded value brought into an editor's range, so that nothing wraps around 16 bits.
int InBereich(double wert, int min, int max);

// The settings file beside a picture: the picture path less its last four characters plus ".ini" when
// it ends in ".bmp"; otherwise the picture path plus ".ini". Empty when the result would be the picture
// itself, so that settings text can never land in a picture file.
QString EinstellungsPfad(const QString &bildPfad);
