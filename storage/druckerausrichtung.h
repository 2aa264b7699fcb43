#pragma once

#include "blatt/blatt.h"

#include <QString>

#include <optional>

// The per-printer corrections in a per-user store of their own (KorrekturOrt), which "Registry-Einträge löschen"
// leaves alone: Druckerausrichtung/<Druckername>/VersatzX, VersatzY (mm) and MassstabX, MassstabY (factor), each a
// text number with "." as decimal point. An entry that earlier versions kept in the program's store is read
// until the printer's correction is stored or removed again. The back's correction, for the sheet's second pass
// through the printer, stands beside the front's with the same keys below Druckerausrichtung/<Druckername>/Rueckseite.

inline constexpr double GroessterVersatzMm = 20.0;
inline constexpr double KleinsterMassstab = 0.9;
inline constexpr double GroessterMassstab = 1.1;

// Offsets within +-20 mm and factors within 0.9 to 1.1, all finite.
bool IstBrauchbar(const Druckerkorrektur &k);

// The correction stored for the printer; no correction when none is stored or any of its four values cannot be
// read or is out of range. An empty printer name (a PDF file) never has one.
Druckerkorrektur LiesDruckerkorrektur(const QString &drucker, Blattseite seite = Blattseite::Vorderseite);

// What the person is told of a stored entry that LiesDruckerkorrektur does not use: "Die gespeicherte Ausrichtung
// der Rückseite für „Laser“ ist nicht brauchbar (MassstabX=2) und wird nicht angewandt. ..." (without "der
// Rückseite " for the front); empty where there is none or it is usable.
QString UnbrauchbareDruckerkorrektur(const QString &drucker, Blattseite seite = Blattseite::Vorderseite);

// Stores the correction, creating the store when it is missing; the default correction removes the entry (of that
// side only). Throws Fehler for an unusable correction or an empty printer name, and stores nothing then.
void SchreibDruckerkorrektur(const QString &drucker, const Druckerkorrektur &k,
                             Blattseite seite = Blattseite::Vorderseite);

// How the printed sheet goes back into the printer for its back, learnt from the Wendeprobe or chosen in the menu:
// over which edge it is turned, and whether its printed side lies up or down as it goes in. Kept beside the
// printer's corrections as Druckerausrichtung/<Druckername>/Wenden/Kante ("lang" or "kurz") and Bedruckt ("oben"
// or "unten"); what is missing or cannot be read is not known.
struct Wendung
{
    std::optional<Wendekante> kante;
    std::optional<bool> bedrucktOben;

    bool operator==(const Wendung &) const = default;
};

// Nothing for an empty printer name (a PDF file).
Wendung LiesWendung(const QString &drucker);

// Writes what `w` knows and removes what it does not. Throws Fehler when it cannot be kept or the printer has no
// name.
void SchreibWendung(const QString &drucker, const Wendung &w);
