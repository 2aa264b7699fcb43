#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A label's back: the section [Rueckseite] of its settings file, whose key Bild names the back's picture, a file in
// the label's own folder. A reader that knows only [Einstellung] passes over it; a label without it has one side.

inline const QString RueckseitenSektion = QStringLiteral("Rueckseite");

// The back's file name as the settings text gives it; empty when it names none. Its bytes are read as UTF-8 where
// they are that, otherwise one character a byte, as another hand may have written them.
QString RueckseiteAusText(const QByteArray &inhalt);

// Why `name` cannot stand as a back in a settings file: it is no bare file name (a path part, "." or ".."), holds a
// line break, or is longer than a settings value. Empty when it can.
QString RueckseitenNamenFehler(const QString &name);

// The settings text with its back set to `name` (UTF-8), or without one when `name` is empty: one section where the
// first [Rueckseite] stood, else after all others; every other line byte for byte.
QByteArray MitRueckseite(const QByteArray &inhalt, const QString &name);

// Sets the back in the settings file at `pfad` as MitRueckseite does, through a draft that takes the file's place
// only when it is whole. Throws Fehler: the name's refusal, or "Datei <pfad> kann nicht erstellt werden".
void SchreibeRueckseite(const QString &pfad, const QString &name);

// The file the back `name` of the label picture `etikett` is: beside it. Throws Fehler naming it: a name with a path
// part, a file that is not there.
QString RueckseitenDatei(const QString &etikett, const QString &name);

// The back's picture, read through the one picture room. Throws Fehler as RueckseitenDatei, as the picture room
// refuses files, and for a file that holds no readable picture.
QImage LeseRueckseite(const QString &etikett, const QString &name);

// "Das Etikett <Name> hat keine Rückseite."
QString KeineRueckseite(const QString &etikett);
