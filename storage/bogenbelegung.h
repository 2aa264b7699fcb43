#pragma once

#include "blatt/bogenplan.h"

#include <QString>
#include <QStringList>

// The places already used of each sheet, per sheet on paper (GleicherBogen: the labels of one sheet share its
// places), in the corrections' store (KorrekturOrt), which "Registry-Einträge löschen" leaves alone:
// Bogenbelegung/<Bogen>/Verbraucht, the used places' numbers in reading order, "1,2,3".

// The name the sheet's entry is stored under: the eight values, "10_15_54_95_54_85_2_5"; when a length has a
// fraction, "_genau_" and the six lengths in hundredths after them. A precise label with whole lengths kept an
// entry of that second form of its own before its sheet was shared; it is read as well and taken over at the
// next change.
QString Bogenschluessel(const Bogenmasse &m);

// One entry per place of the sheet; all free when nothing is stored or the entry cannot be read.
Belegung LiesVerbrauchtePlaetze(const Bogenmasse &m);

// Applies the change to the used places that the store holds now, in one step under a lock beside the store, so
// that two windows never undo each other's places; the sheet's places as stored afterwards.
// Creates the store when it is missing; a sheet with none used loses its entry. Throws Fehler, the store left as
// it was, when it cannot be locked or written.
Belegung AendereVerbrauchtePlaetze(const Bogenmasse &m, const Platzaenderung &aenderung);

// The label pictures (*.bmp) of the folder with a settings file, sorted by name: those that describe the same sheet
// on paper (GleicherBogen), the labels that can share the sheet, and the others. A keep of a replaced picture
// (IstAufbewahrung) is no label of either.
struct EtikettenImOrdner
{
    QStringList passend;
    QStringList andere;
};
EtikettenImOrdner EtikettenFuerBogen(const QString &ordner, const Bogenmasse &m);
