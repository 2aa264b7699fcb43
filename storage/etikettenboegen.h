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
// the others. Text that is not UTF-8 is read as Windows-1252, as a catalogue edited on Windows is.
Bogenkatalog LiesEtikettenboegen(const QString &pfad);

// What the person is told about left-out lines: "3 Zeilen der Datei <pfad> wurden übersprungen, zum Beispiel
// Zeile 12: ..."; empty when none was.
QString UebersprungenText(const Bogenkatalog &katalog, const QString &pfad);

// "Zweckform 3474, 3490 - 24 Etiketten 70 x 37 mm (3 x 8)"; fractions with a decimal comma ("63,5 x 38,1 mm"),
// round and oval labels say so ("24 runde Etiketten").
QString Eintragstext(const Etikettenbogen &bogen);

// What the search compares, worked out once per sheet: the maker with its other names and the shape's words,
// both in lower case, and the product numbers in lower case without spaces and dashes.
struct Suchschluessel
{
    QString hersteller; // the maker's own name
    QString familie;    // its other names
    QString form;
    QStringList nummern;
};
Suchschluessel SuchschluesselFuer(const Etikettenbogen &bogen);
// The same for a whole catalogue; sheets of one maker share its text.
QList<Suchschluessel> SuchschluesselFuer(const QList<Etikettenbogen> &boegen);

// How well the sheet matches what the person typed, word by word (all must match): a maker or one of its other
// names ("Avery Zweckform", "Zweckform" and "Avery" are one maker), a product number as printed, with or without
// its prefix letters and spaces ("L7160", "7160", "LA505"), a label size in either order ("70x37", "70 × 37",
// "38,1x63,5"; a whole number matches a length that begins with it or rounds to it: 63 and 64 match 63.5), a
// layout ("3x8") or a count of labels ("24"). Case does not matter; an empty text matches all. Nothing when the
// sheet does not match; otherwise 0 for the best, a product number or count that a bare number matches exactly,
// higher for a weaker match (a maker under another of its names, part of a number).
std::optional<int> BogenRang(const Suchschluessel &schluessel, const Etikettenbogen &bogen, const QString &suchtext);
bool BogenPasst(const Etikettenbogen &bogen, const QString &suchtext);

// The positions of the matching sheets in `boegen`, best first and in the catalogue's order among equals.
// One pass over the catalogue: `schluessel` holds SuchschluesselFuer of each sheet.
QList<int> SucheBoegen(const QList<Etikettenbogen> &boegen, const QList<Suchschluessel> &schluessel,
                       const QString &suchtext);

// The sheet with the product number the person searched for first, so that the new label is named after it.
Etikettenbogen MitGesuchterNummer(Etikettenbogen bogen, const QString &suchtext);

// The name a new label for the sheet is offered under: maker and first product number, "Zweckform_3474.bmp";
// what a file name should not hold becomes "_".
QString NamensVorschlag(const Etikettenbogen &bogen);
