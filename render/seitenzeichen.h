#pragma once

#include "render/randpruefung.h"
#include "render/seite.h"

#include <QImage>
#include <QLineF>
#include <QList>
#include <QPainterPath>
#include <QRectF>

class QPainter;

// Lines a page carries over its labels, in millimetres on the paper: a test print on plain paper and crop marks.

// A crop mark's length and the shortest one worth drawing, mm.
inline constexpr double SchnittmarkenLaenge = 5.0;
inline constexpr double KuerzesteSchnittmarke = 1.0;

// Crop marks for cutting the labels at `etiketten` out of plain card: on the extension of every label edge (edges
// that meet are one cut), beyond the labels' block and, where a gap leaves room, in the gap between two labels,
// each at most SchnittmarkenLaenge long and at least `abstand` clear of every label and of every place in `leer`
// (those of the sheet the page leaves empty), on `papier`. Beyond the block a mark lies next to it, in a gap in its
// middle; a mark shorter than KuerzesteSchnittmarke is left out. All in one unit, mm on the paper.
QList<QLineF> Schnittmarken(const QList<QRectF> &etiketten, const QList<QRectF> &leer, double abstand,
                            const QRectF &papier);

// The marks as they are drawn: 0.1 mm, black.
Strich Schnittmarkenstrich(const QList<QLineF> &marken);

// Every place of the sheet on the paper, where the stock has it (EtikettAufDemBlatt); places that begin beyond the
// paper are left out.
QList<GedrucktesEtikett> PlaetzeDesBogens(const Bogenmasse &m);

// A test print: every place of the sheet outlined thinly in grey where the stock's label lies, its number small in
// its top-left corner, and at the foot of the page what the page is. On the back page each outline stands behind
// its place (AufDerRueckseite) with the number of that place, upright, in its own top-left corner, so that the
// two numbers of a place stand apart against the light; the foot line says it is the back, a line higher than the
// front's, so that the two do not lie over one another either.
QList<Strich> Probedruckzeichen(const Bogenmasse &m, Blattseite seite, Wendekante kante);

// The foot lines of a test print.
QString ProbedruckFusszeile(Blattseite seite);

// `text` in the program's own line font, capitals `hoehe` high, its baseline beginning at `ort`: no font of the
// system is needed, so that morvane-druck draws it without a display, alike everywhere. It has the digits and the
// letters of the test print's lines; any other character is left out, with a blank's width.
QPainterPath Schriftzug(const QString &text, QPointF ort, double hoehe);
double Schriftbreite(const QString &text, double hoehe);

// The lines from mm on the paper to a device: through its correction, at its resolution, from its painter's origin.
QList<Strich> AufDemGeraet(const QList<Strich> &striche, const Druckflaeche &flaeche);

// The preview's page with the lines over it; the picture stands for the paper, 210 mm wide. A line thinner than a
// pixel there is drawn one pixel wide.
QImage MitStrichen(QImage seite, const QList<Strich> &striche);

// Draws the lines, in the painter's unit, unsmoothed; no lines, no drawing at all, so that a page without them
// stays as it was to the byte. The painter's state is kept.
void ZeichneStriche(QPainter &maler, const QList<Strich> &striche);
