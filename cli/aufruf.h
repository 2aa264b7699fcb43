#pragma once

#include "render/seite.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// The command line of morvane-druck, read without any window or printer, so that it can be tested and fuzzed alone.

// The exit statuses of the command.
enum Rueckgabe : int {
    Gedruckt = 0,
    FalscherAufruf = 1,
    EtikettUnbrauchbar = 2, // picture or settings file, fit on A4, position on the sheet
    NichtGedruckt = 3,      // the printer or the PDF file
};

inline constexpr int MeisteKopien = 999;

// One label of --ab with its count of places; none: the rest of the sheet.
struct Bogenangabe
{
    QString etikett;
    std::optional<int> anzahl;

    bool operator==(const Bogenangabe &) const = default;
};

// --nummern VON-BIS: the running numbers of labels without a list, or the records of a list by their number.
struct Nummernbereich
{
    qint64 von = 1;
    qint64 bis = 1;

    bool operator==(const Nummernbereich &) const = default;
};

struct Druckbefehl
{
    QString etikett; // the label's picture file, as given
    QString pdf;     // the PDF file to write, or empty for a printer
    QString drucker; // the printer's name; empty with no --pdf means the system's default printer
    Seitenwahl wahl; // --einzeln 1,1 unless told otherwise
    int kopien = 1;
    // --ab SPALTE,ZEILE (the place in `wahl`, as --einzeln): every label with its count; `etikett` is the first.
    QList<Bogenangabe> bogen;
    // --rueckseite: the back page instead of the front; --beidseitig: front and back as two pages of one job, the
    // printer asked for two-sided printing; --kurze-kante: the sheet turned over its short edge for the back.
    bool rueckseite = false;
    bool beidseitig = false;
    Wendekante kante = Wendekante::Lang;
    // --anschnitt MM: the bleed of every label for this print, in hundredths of a millimetre, over what their
    // settings files say; 0 prints without one.
    std::optional<int> anschnitt;
    // --probedruck: the page as a test print on plain paper, every place of the sheet outlined; --schnittmarken:
    // crop marks on the front, over what the settings file says.
    bool probedruck = false;
    bool schnittmarken = false;
    // --liste DATEI: the label's places filled from the list's records, from the place of --ab on, sheet after
    // sheet; --nummern VON-BIS: those records only, or without a list labels numbered from VON to BIS.
    QString liste;
    std::optional<Nummernbereich> nummern;

    bool operator==(const Druckbefehl &) const = default;
};

// --help: the usage text goes to standard output.
struct Hilfewunsch
{
    bool operator==(const Hilfewunsch &) const = default;
};

// A German sentence that says what is wrong with the call.
struct Aufruffehler
{
    QString text;
    bool operator==(const Aufruffehler &) const = default;
};

using Aufruf = std::variant<Druckbefehl, Hilfewunsch, Aufruffehler>;

// The arguments without the program's name. Options and the picture may come in any order; "--" ends the options,
// and "--option=wert" is the same as "--option wert". Never throws.
Aufruf LiesAufruf(const QStringList &argumente);

// The short usage line, and the whole help text that --help prints.
QString Aufrufzeile();
QString Hilfetext();
