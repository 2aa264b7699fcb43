#pragma once

#include "storage/etikettenboegen.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Finding a sheet in the catalogue by what a person types, and what the person is shown and offered for it.

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
