#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The per-user stores' INI files changed as text, so that a person's comments and the order of sections and keys
// stay as they stood (the profile file's writer keeps the settings files so): keys and values are written in the
// encoding of Qt's INI reader, which reads them, and every line that no change names stays byte for byte.

// One change: the key, with "/" between its levels ("Druckerausrichtung/Laser/VersatzX"), set to `wert`, or without
// a value removed together with every key below it.
struct Speicheraenderung
{
    QString schluessel;
    std::optional<QString> wert;
    bool operator==(const Speicheraenderung &) const = default;
};

// The text with the changes made in their order. A key that stands in the text keeps its line, only its value
// changes; a new key goes after the last key of its section, a new section at the end; a key without a level
// stands in [General]. Lines whose key is removed go, also the lines of its levels below; everything else stays.
QByteArray IniMitAenderungen(const QByteArray &text, const QList<Speicheraenderung> &aenderungen);
