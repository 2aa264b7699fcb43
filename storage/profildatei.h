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

// A value as the reader gives it (one character a byte) decoded: UTF-8 where its bytes are that, otherwise each byte
// one character, as another hand may have written it. A text that holds characters beyond one byte was decoded
// already and comes back as it is.
QString ProfilText(const QString &gelesen);

// The bytes to write for `text` so that the reader, and ProfilText after it, give it back: UTF-8, in quotes when it
// begins or ends with a blank or begins with a quote, which the reader would take off.
QByteArray ProfilWert(const QString &text);

// Why `text` cannot be written as a value that reads back the same: it holds a line break, or its bytes are more
// than the reader returns ("<schluessel> ist zu lang ..."). Empty when it can.
QString ProfilWertFehler(const QString &schluessel, const QString &text);
