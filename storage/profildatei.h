#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads one value of a Windows profile file by the rules of GetPrivateProfileString:
// section and key names without regard to case, blanks around names and value removed, one pair of
// matching quotes stripped, ";" starts a comment line, lines without "=" skipped, the first matching key
// of the first matching section wins. CR LF, LF and CR end lines; a UTF-8 byte-order mark is skipped.
// A missing or unreadable file, section or key gives empty text. At most 254 characters are returned.
QString LeseProfilWert(const QString &datei, const QString &sektion, const QString &schluessel);

// The same on text already in memory.
QString LeseProfilWertAusText(const QByteArray &inhalt, const QString &sektion, const QString &schluessel);

// Whether the text holds a section of that name (without regard to case, blanks around the name ignored).
bool HatProfilSektion(const QByteArray &inhalt, const QString &sektion);

// The text less the named sections (without regard to case): every other section with its lines as they stand,
// each line ended by CR LF; lines before the first section are dropped, as no reader sees them.
QByteArray ProfilOhneSektionen(const QByteArray &inhalt, const QStringList &sektionen);

// The lines of every section of that name (its header and what follows up to the next section), in the order they
// stand, each ended in CR LF; empty when the text has none.
QByteArray ProfilAbschnitte(const QByteArray &inhalt, const QString &sektion);

// The text with every section of that name taken out and `ersatz` put where the first of them stood, or at the end
// when there was none; every other byte stays as it was.
QByteArray ErsetzeProfilAbschnitte(const QByteArray &inhalt, const QString &sektion, const QByteArray &ersatz);
