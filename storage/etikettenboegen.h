#pragma once

#include "blatt/bogenmasse.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The catalogue of A4 label sheets that people buy: Morvane/Vorlagen/Etikettenboegen.csv, UTF-8, ";" separated,
// one sheet per line under the header below, lengths in millimetres with "." and at most two decimals.

enum class Etikettenform { Rechteck, Rund, Oval };

// A sheet of the catalogue: its measures as a new label for it gets them, the counts and the six lengths exactly,
// precise also where they are whole (the label's picture is drawn for the exact size), with the maker, the product
// numbers and the shape beside them.
struct Etikettenbogen
{
    QString hersteller;
    QStringList nummern; // the maker's product numbers that share the sheet
    Etikettenform form = Etikettenform::Rechteck;
    Bogenmasse masse;

    int anzahl() const { return masse.AnzahlEtikettenInZeile * masse.AnzahlEtikettenInSpalte; }
    bool operator==(const Etikettenbogen &) const = default;
};

inline const QString EtikettenboegenDatei = QStringLiteral("Etikettenboegen.csv");
inline const QString EtikettenboegenKopf = QStringLiteral(
    "Hersteller;Nummern;Form;Spalten;Zeilen;Breite;Hoehe;LinkerRand;ObererRand;Horizontalabstand;Vertikalabstand");

// "Rechteck", "Rund", "Oval".
QString Formname(Etikettenform form);

// Why the sheet cannot be printed as described, or an empty text when it can: counts and sizes at least 1 and
// margins not negative, a pitch at least the label size (labels must not overlap), every label within A4
// (EndeDerReihe, the fit of a precise label).
QString BogenFehler(const Etikettenbogen &bogen);

// One line of the file split at ";" into a sheet; on failure nothing, and *fehler (when given) says why.
std::optional<Etikettenbogen> BogenAusFeldern(const QStringList &felder, QString *fehler = nullptr);

// The line the file holds for a sheet, without line end.
QString BogenZeile(const Etikettenbogen &bogen);

struct Bogenkatalog
{
    QList<Etikettenbogen> boegen;
    QStringList uebergangen;   // "Zeile 7: ..." for the first lines left out
    int anzahlUebergangen = 0; // all lines left out
};

// Reads the catalogue. A missing or unreadable file or a wrong header throws Fehler; a line that is not a valid
// sheet is left out, counted and (the first hundred) named in `uebergangen`, so that one bad line does not cost
// the others. A line that is not UTF-8 is read as Windows-1252, as a catalogue edited on Windows is, also when
// other lines of the file are UTF-8.
Bogenkatalog LiesEtikettenboegen(const QString &pfad);

// What the person is told about left-out lines: "3 Zeilen der Datei <pfad> wurden übersprungen:" and each one's
// reason on a line of its own, "Zeile 12: ...", the first ten and how many more; empty when none was.
QString UebersprungenText(const Bogenkatalog &katalog, const QString &pfad);
