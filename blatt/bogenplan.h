#pragma once

#include "blatt/blatt.h"

#include <QList>
#include <QString>

#include <optional>

// The places of a sheet, numbered from 1 in reading order: left to right, then down.
struct Platz
{
    int spalte = 1;
    int zeile = 1;

    bool operator==(const Platz &) const = default;
};

int Platzanzahl(const Bogenmasse &m);
// 0 for a place that is not on the sheet.
int Platznummer(const Bogenmasse &m, Platz p);
Platz PlatzMitNummer(const Bogenmasse &m, int nummer);

// The places already taken off the sheet: entry nummer - 1 for each place.
using Belegung = QList<bool>;

// A change of a sheet's used places: these places now used, these free, every other as it was. Changes, not whole
// lists, go to the store, so that what another window marked meanwhile stays.
struct Platzaenderung
{
    QList<int> verbraucht;
    QList<int> frei;

    bool operator==(const Platzaenderung &) const = default;
};

// The places after the change; a number that is no place of `b` changes nothing.
Belegung MitAenderung(Belegung b, const Platzaenderung &aenderung);

// Two labels share a sheet, and its used places, when their sheets are the same on paper: the same counts and the
// same six lengths in hundredths of a millimetre, an ordinary label's being its whole millimetres x 100. So an
// ordinary label and a precise one whose lengths are whole and equal are partners; 63.5 mm is no 64 mm.
bool GleicherBogen(const Bogenmasse &a, const Bogenmasse &b);

// Where `ist` is not the sheet `soll`, measure by measure under its key: "Etikettenbreite 70 mm statt 85 mm,
// AnzahlEtikettenInZeile 3 statt 2". Empty for the same sheet.
QString Bogenunterschied(const Bogenmasse &soll, const Bogenmasse &ist);

// One label of a plan at one place; `etikett` indexes the caller's list of labels.
struct Planplatz
{
    int etikett = 0;
    Platz platz;

    bool operator==(const Planplatz &) const = default;
};

// Which labels lie at which places of one sheet.
struct Bogenplan
{
    Bogenmasse masse;
    QList<Planplatz> plaetze;

    bool operator==(const Bogenplan &) const = default;
};

// Where the labels of the plan lie on the paper, in the order of its places.
QList<MmRechteck> Etikettenrechtecke(const Bogenplan &plan);

// The refusal for a place beyond the sheet's counts.
QString StelleNichtAufDemBogen(const Bogenmasse &m, Platz p);

// Each label's count of places; none: what the others leave of the sheet.
using Anzahlen = QList<std::optional<int>>;

// The plan, or the German reason why there is none.
struct Fuellung
{
    Bogenplan plan;
    QString fehler;
};

// Fills the free places from `ab` in reading order, skipping used ones: the labels in their order, each its
// count. At most one label goes without a count; it takes the places the others leave, and needs one at least.
// Refused: a place beyond the sheet, a count below 1, two labels without one, more labels than free places.
Fuellung FuelleBogen(const Bogenmasse &m, const Belegung &verbraucht, Platz ab, const Anzahlen &anzahlen);
