#pragma once

#include "blatt/blatt.h"
#include "blatt/bogenplan.h"
#include "render/seite.h"

#include <QImage>
#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <array>

// What a printer cannot print: its paper and the bands along the paper's edges outside its printable area, in mm.
struct Druckraender
{
    double papierBreite = A4::BreiteMm;
    double papierHoehe = A4::HoeheMm;
    double links = 0.0;
    double oben = 0.0;
    double rechts = 0.0;
    double unten = 0.0;
    // The printer's name, for messages, and an A4 paper without margins that it offers as well, as its driver names
    // it; empty when it has none.
    QString drucker;
    QString randlosesA4;

    bool operator==(const Druckraender &) const = default;
};

// One label of a page: its place on the sheet (from 1) and where it is meant on the paper.
struct GedrucktesEtikett
{
    int spalte = 1;
    int zeile = 1;
    MmRechteck ort;
};

// The labels a page shows. A precise label's are where its millimetres put them (those that begin beyond the paper
// are left out, as the page painter leaves them out). An ordinary label's sheet is its raster, 210 mm wide: the
// labels at their raster places, rows at the picture's height plus one pixel, cut off at the raster's edge.
QList<GedrucktesEtikett> GedruckteEtiketten(QSize bild, const Bogenmasse &m, const Seitenwahl &wahl);

// The labels of a sheet plan, each where the one-label mode puts it at its place.
QList<GedrucktesEtikett> GedruckteEtiketten(const Bogenplan &plan);

// The same labels on the back page, each where its back lies (AufDerRueckseite), with its place on the sheet.
QList<GedrucktesEtikett> AufDerRueckseite(QList<GedrucktesEtikett> etiketten, Wendekante kante);

enum class Papierseite { Links, Oben, Rechts, Unten };

// What is lost at one side: the most that any label loses there, in hundredths of a millimetre, and the labels.
struct Randverlust
{
    Papierseite seite = Papierseite::Links;
    qint64 hundertstel = 0;
    QList<GedrucktesEtikett> etiketten;
};

// The sides at which labels reach outside the printable area, after the printer's correction, in the order left,
// top, right, bottom; empty when nothing is lost. Less than half a hundredth of a millimetre does not count.
QList<Randverlust> Randverluste(const QList<GedrucktesEtikett> &etiketten, const Druckraender &raender,
                                const Druckerkorrektur &korrektur);

// One German sentence per side, naming the millimetres and the labels: "Links fehlen 4,23 mm an Spalte 1 (alle 8
// Zeilen)." `alle` is the whole page, to tell a whole column or row from part of it.
QStringList RandverlustTexte(const QList<Randverlust> &verluste, const QList<GedrucktesEtikett> &alle);

// The sentences for a page of these labels on a printer with these bands and correction.
QStringList WasAmRandFehlt(const QList<GedrucktesEtikett> &etiketten, const Druckraender &raender,
                           const Druckerkorrektur &korrektur);
// The sentences for a page of label pictures of size `bild` on a printer with these bands and correction.
QStringList WasAmRandFehlt(QSize bild, const Bogenmasse &m, const Seitenwahl &wahl, const Druckraender &raender,
                           const Druckerkorrektur &korrektur);

// The sentence for a bleed of `hundertstel` that reaches into the bands, with the most that any label's bleed
// reaches there past its own edge: "Der Anschnitt reicht 1,25 mm in den Rand, den der Drucker nicht bedruckt."
// Empty when none does. The label itself is not cut by it: what a label loses is told by Randverluste.
QString AnschnittImRand(const QList<GedrucktesEtikett> &etiketten, int hundertstel, const Druckraender &raender,
                        const Druckerkorrektur &korrektur);

// The name of a paper size among `groessen` that is A4 without margins, as drivers offer it ("A4 (Borderless)");
// empty when there is none.
QString RandlosesA4(const QList<QPageSize> &groessen);

// The preview with the bands a printer cannot print hatched lightly; the picture stands for the paper, its pixels
// between the hatch lines and outside the bands stay as they are.
QImage MitDruckraendern(QImage seite, const Druckraender &raender);
