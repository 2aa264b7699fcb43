#pragma once

// The templates of the bundled templates folder: one per layout that has a layout picture, each with the exact
// measures of a real A4 label sheet of that layout.

#include "storage/etikettenboegen.h"
#include "tools/gemeinsam.h"

#include <QSize>
#include <QSizeF>

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
    QSizeF entwurf; // the label size in mm the sample picture is laid out in; stretched to the real size
    // The product, by maker and number; a layout the catalogue has no product for names none.
    Etikettenbogen bogen;
};

std::span<const Vorlage> Vorlagen();

// How far a colour of a sample picture may move for the picture to be stored in 8 bits: a step in the soft edge of a
// letter that nobody sees, on paper or in the window.
inline constexpr int AchtBitAbweichung = 48;

// The settings of the template: a precise label with the product's measures.
Werkzeug::Einstellung Masse(const Vorlage &v);

// Pixel size of the template's picture, at the resolution of a new label for a catalogue sheet.
QSize Bildgroesse(const Vorlage &v);
