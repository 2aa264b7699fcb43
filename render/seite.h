#pragma once

#include "blatt/blatt.h"
#include "render/masse.h"

#include <QImage>
#include <QPoint>

class QPainter;

// What one printed page covers.
enum class Druckumfang { EineEtikette, EineZeile, GanzeSeite };

struct Seitenwahl
{
    Druckumfang umfang = Druckumfang::EineEtikette;
    int spalte = 1; // the one label's column
    int zeile = 1;  // the one label's row, or the row printed alone

    bool operator==(const Seitenwahl &) const = default;
};

// The device a page goes to: its resolution, the corner of its printable area on the paper in device pixels
// (where the painter's origin lies; 0 for a picture or a full-page PDF), and its correction.
struct Druckflaeche
{
    int dpiX = 0;
    int dpiY = 0;
    QPoint versatz;
    Druckerkorrektur korrektur;
};

// The picture a page shows and where it goes in device pixels from the painter's origin: the label itself
// stretched to its millimetres, or the composed sheet raster 210 mm wide from the paper's corner.
struct Seitenbild
{
    QImage bild;
    Platzierung ziel{};
};

// Throws Fehler when there is nothing to print: no picture, or a sheet that cannot be composed.
Seitenbild BaueSeite(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl, const Druckflaeche &flaeche);

// Draws one page onto any painter, the picture's own pixels unsmoothed. The painter's state is kept.
void ZeichneSeite(QPainter &maler, const Seitenbild &seite);
