#pragma once

#include "storage/speichertext.h"

#include <QByteArrayView>
#include <QSettings>
#include <QString>
#include <QStringList>

// The per-user store: on Windows the registry key HKEY_CURRENT_USER\Software\Morvane, elsewhere the INI file
// $XDG_CONFIG_HOME/Morvane.ini (default ~/.config/Morvane.ini). The key exists exactly when that file exists.
// Every routine opens the store afresh and lets it write back before it returns.

// A store file that holds a value packed as "@Variant(...)" or "@DateTime(...)", which the store's reader unpacks
// trusting every count in it (it can ask for any amount of memory, or loop for minutes), was written by something
// else: Morvane writes only texts. Before the store is opened, such a file is put aside whole as
// "<file>.unlesbar" (or "<file>.unlesbar 2" and on, never over an earlier one) and the store starts empty. Where it
// cannot be put aside it stays as it is and is neither read nor written: the store is empty for that call and
// every write fails (QSettings::AccessError). `hinweis`, where given, then says what became of it, for the person.
// (The registry's values are left to it.)
bool BirgtGepacktenWert(QByteArrayView inhalt);

QString SpeicherOrt();
// The store opened for this call; it writes back when it goes out of scope.
QSettings Speicherzugang(QString *hinweis = nullptr);
bool SpeicherVorhanden();

// The printer corrections' own store beside it (HKEY_CURRENT_USER\Software\Morvane-Druckerausrichtung, elsewhere
// Morvane-Druckerausrichtung.ini in the same folder), which LoescheSpeicher leaves alone.
QString KorrekturOrt();
QSettings Korrekturzugang(QString *hinweis = nullptr);
bool KorrekturspeicherVorhanden();

// Both stores opened once, as a start does before it reads them: what became of a store that held a packed value,
// a sentence each for the person; empty when both read as they are.
QStringList SpeicherHinweise();

// Changes the program's store (AendereSpeicher) or the corrections' store as one write, creating it when it is
// missing: on Windows in the registry; elsewhere as text (IniMitAenderungen: comments and the order of sections and
// keys stay), under the lock that Qt's own writer takes, through a draft that replaces the file only whole. A file
// holding a packed value is put aside first, as for reading; where it cannot be, nothing is written. False when
// nothing could be written; `hinweis` as for Speicherzugang.
bool AendereSpeicher(const QList<Speicheraenderung> &aenderungen, QString *hinweis = nullptr);
bool AendereKorrekturspeicher(const QList<Speicheraenderung> &aenderungen, QString *hinweis = nullptr);

// Empty text when the store or the value is missing. Throws Fehler("Ungültiger Datentyp für '<name>'")
// for a value that holds something other than text.
QString LiesSpeicherwert(const QString &name);

// Writes only when the store exists; failures are silent. Both keep the file's other lines as they stand.
void SchreibSpeicherwert(const QString &name, const QString &text);

// Creates the store when missing and writes the five first-run values from the program folder
// (which ends in a separator).
void SchreibErstwerte(const QString &programmOrdner);

// Deletes the store with all its values.
void LoescheSpeicher();

// The two messages shown when the program runs outside the folder it was first run in; empty when
// installOrt occurs (without regard to case) in programmOrdner.
QStringList OrtsMeldungen(const QString &installOrt, const QString &programmOrdner);

// The data folders below the program folder.
QString OrdnerMitTrenner(const QString &ordner);
inline const QString DatenordnerName = QStringLiteral("Morvane");
QString DatenordnerPfad(const QString &programmOrdner);
QString InfoordnerPfad(const QString &programmOrdner);
QString VorlagenordnerPfad(const QString &programmOrdner);
inline const QString BeispielEtikett = QStringLiteral("Visitenkarte_85x54.bmp");
