#pragma once

#include "blatt/datenfelder.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <variant>

// The keys of a label's text and code sections in its settings file. The owner of the file frames the sections and
// names them; these read one section through a lookup of its keys and write its key lines.
//
//     Zeile1={Vorname} {Name}        Art=QR
//     Zeile2={Straße}                Inhalt={Web}
//     Schrift=DejaVu Sans            Feld=45,11,15,15
//     Groesse=10.5
//     Fett=0
//     Ausrichtung=links
//     Senkrecht=mitte
//     Feld=4,4,38,30.1
//     Farbe=#1a2b3c
//
// Lengths are millimetres with "." and at most two decimals, from the label's top-left corner; Feld is x,y,width,
// height. Values are UTF-8 where their bytes are that, otherwise one character a byte (ProfilText).

// The value of one key of the section, as LeseProfilWertAusText answers it: empty when the key is missing.
using Schluesselwert = std::function<QString(const QString &schluessel)>;

// The text of a label, or why its section is not used, naming the key ("Groesse=elf ist keine Zahl ..."). Zeile1 to
// Zeile50 are read; lines between them that are empty stay as empty templates, those after the last are dropped,
// and at least one must have a template. A missing Schrift, Groesse (11 pt), Fett (0), Ausrichtung (links) or
// Senkrecht (oben) takes its default, a missing Feld or Farbe leaves it unset.
std::variant<Textfeld, QString> TextfeldAusWerten(const Schluesselwert &wert);
// The code of a label, or why its section is not used: Art and Inhalt are needed, Feld as a text's.
std::variant<Codefeld, QString> CodefeldAusWerten(const Schluesselwert &wert);

// Why the text or code cannot be written so that it reads back the same: a value with a line break or beyond the
// reader's length, more than 50 lines, a size or a field a reader would refuse. Empty when it can.
QString TextfeldFehler(const Textfeld &text);
QString CodefeldFehler(const Codefeld &code);

// The section's key lines as above, each "Schluessel=Wert\r\n", without its header; unset optional keys are left
// out. Throws Fehler with the text of TextfeldFehler or CodefeldFehler when it cannot be written.
QByteArray TextfeldZeilen(const Textfeld &text);
QByteArray CodefeldZeilen(const Codefeld &code);
