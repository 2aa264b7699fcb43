#pragma once

// The templates of the bundled templates folder: one per layout that has a layout picture, each for a real
// A4 label sheet in whole millimetres.

#include "tools/gemeinsam.h"

#include <QSize>

#include <span>

enum class Motiv {
    Paketaufkleber,
    Aushang,
    Umzugskarton,
    Umschlag,
    Regal,
    Versand,
    Ordnerruecken,
    Visitenkarte,
    Adresse,
    Namensschild,
    Marmelade,
    Namensaufkleber,
    Absender,
    Preis,
};

struct Vorlage
{
    const char *name; // file name without ".bmp" / ".ini"; tells the use, the layout and the label size
    Motiv motiv;
    Werkzeug::Einstellung masse;
};

std::span<const Vorlage> Vorlagen();

// Pixel size of the template's picture: about 4.72 pixels per mm, one pixel less on an axis where the
// full layout would otherwise not fit into the sheet raster. Throws Fehler if even that is not enough.
QSize Bildgroesse(const Vorlage &v);
