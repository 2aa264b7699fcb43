#pragma once

#include <QString>
#include <QStringList>

// The placeholders of a label's text lines and code: {Feldname} for a field of the list, named as its first line
// names it (without regard to case, blanks inside the braces ignored), {Nr} for the running number and {Nr:4} for it
// with zeros in front up to four digits; {{ and }} stand for a brace. {Nr} is always the running number, also when
// the list has a field of that name.

// The record that fills a label: the list's fields, one value for each, and the label's running number. Without a
// list (numbers alone) both lists are empty.
struct Datensatz
{
    QStringList felder;
    QStringList werte;
    qint64 nummer = 0;
};

// The template filled. A placeholder that names no field, a brace that closes nothing and one that opens nothing
// stay as they stand.
QString FuelleVorlage(const QString &vorlage, const Datensatz &satz);

// The lines a label shows: each template filled, a line break in a value starting a line of its own, and every
// line that comes out empty or only blanks left out, so that an empty field leaves no gap.
QStringList FuelleZeilen(const QStringList &vorlagen, const Datensatz &satz);

// The placeholders of the templates that name no field among `felder` and are not the running number, as written
// with their braces ("{Strasse}"), each once, in the order they first stand.
QStringList UnbekanntePlatzhalter(const QStringList &vorlagen, const QStringList &felder);

// What the person is told before anything prints, for the placeholders of UnbekanntePlatzhalter: with a list (its
// path `liste` and its fields) "Die Liste <liste> hat kein Feld „{Strasse}“; ihre erste Zeile nennt: Vorname, Name,
// Straße.", for numbers alone (an empty `liste`) "Ohne Liste gibt es nur die laufende Nummer {Nr}; „{Name}“ bleibt
// ungefüllt." Several are listed together.
QString UnbekanntePlatzhalterMeldung(const QStringList &unbekannt, const QStringList &felder, const QString &liste);
