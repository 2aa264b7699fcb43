#pragma once

#include "storage/etikettenboegen.h"

#include <QColor>
#include <QImage>

// The small picture of a catalogue sheet: the A4 page in proportion, its labels in their places and shapes.
inline const QColor BogenbildPapier(Qt::white);
inline const QColor BogenbildRand(0x80, 0x80, 0x80);
inline const QColor BogenbildEtikett(0xcf, 0xe3, 0xf2);
inline const QColor BogenbildKontur(0x2d, 0x5f, 0x8a);

// `hoehe` pixels high (at least 10) and as wide as A4's proportion gives; each label is filled and outlined, as
// a rectangle or, for round and oval labels, as the ellipse in its bounding box.
QImage ZeichneBogenbild(const Etikettenbogen &bogen, int hoehe);

// The picture of a new label for the sheet: white, at EtikettDpi for the label's exact size, with a light-grey
// outline EtikettKonturPixel wide along the label's edge (an ellipse for round and oval labels), to paint within.
// About 0.3 mm, so that it still shows when the view shrinks the picture to the screen.
inline constexpr int EtikettDpi = 300;
inline constexpr int EtikettKonturPixel = 4;
inline const QColor EtikettKontur(0xc8, 0xc8, 0xc8);
QImage ZeichneLeeresEtikett(const Etikettenbogen &bogen);

// The pixel size of a label's picture at EtikettDpi, at least 1 x 1.
QSize EtikettBildgroesse(const Etikettenbogen &bogen);
