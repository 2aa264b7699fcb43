#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// Sets the file's last-write time to zeit (a local date and time), in the two-second steps of DOS times
// and only for the years 1980 to 2099. The file must exist; it is opened for writing without being changed.
// False when the file cannot be opened or its time not set.
bool SetzeDateiDatum(const QString &pfad, const QDateTime &zeit);

struct Kopierauftrag
{
    QString quelle;
    QString ziel;
};

// Copies quelle to ziel, replacing ziel only once the whole copy has been written to a temporary file
// beside it. False on any failure; ziel is then as it was.
bool KopiereErsetzend(const QString &quelle, const QString &ziel);

// Copies that belong together: each is written completely beside its target first, and only when all of them
// are complete are they moved into place, in the given order. A failure before that replaces nothing.
bool KopiereErsetzend(const QList<Kopierauftrag> &auftraege);

// Why a name typed for a new label cannot be used, or an empty text when it can. Refused are names that are
// empty (or blank) once the picture extension is taken away, and names with a folder part ("/", "\" or "..")
// that would put the label outside the labels folder, and names starting with a dot, which no file dialog lists.
QString NeuerNameFehler(const QString &name);
