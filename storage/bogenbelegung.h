#pragma once

#include "blatt/bogenplan.h"

#include <QString>
#include <QStringList>

// The places already used of each sheet, per sheet measures (the eight values and a precise label's exact
// lengths), in the corrections' store (KorrekturOrt), which "Registry-Einträge löschen" leaves alone:
// Bogenbelegung/<Maße>/Verbraucht, the used places' numbers in reading order, "1,2,3".

// The name the measures' entry is stored under: "10_15_54_95_54_85_2_5", with "_genau_" and the six exact lengths
// in hundredths after it for a precise label.
QString Bogenschluessel(const Bogenmasse &m);

// One entry per place of the sheet; all free when nothing is stored or the entry cannot be read.
Belegung LiesVerbrauchtePlaetze(const Bogenmasse &m);

// Stores the used places, creating the store when it is missing; a sheet with none used removes its entry.
// Throws Fehler when the store cannot be written.
void SchreibVerbrauchtePlaetze(const Bogenmasse &m, const Belegung &verbraucht);

// The label pictures (*.bmp) of the folder whose settings files hold exactly these measures, sorted by name:
// the labels that can share the sheet.
QStringList EtikettenFuerBogen(const QString &ordner, const Bogenmasse &m);
