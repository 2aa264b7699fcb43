#pragma once

#include <QString>

inline const QString TitelAnfang = QStringLiteral("Etiketten|Visitenkarten drucken - ");

// Everything after the last separator ("/" here; "\" or ":" on Windows).
QString DateinamenTeil(const QString &pfad);

// ".bmp" at the end of the name, without regard to case: "Karte.bmpZwei" is a name of its own.
bool HatBildendung(const QString &name);

// The picture extension at the end replaced by ".ini", otherwise ".ini" appended: Karte.BMP -> Karte.ini,
// x.bmpneu -> x.bmpneu.ini.
QString Einstellungsname(const QString &name);

// The file-name part less its last four characters when it has the picture extension.
QString NameOhneEndung(const QString &pfad);

// NameOhneEndung in upper case, umlauts included: the caption after opening or making a label.
QString Anzeigename(const QString &pfad);
