#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The eight measures of a label's settings file, in file order.
inline const std::array<QString, 8> EinstellungsSchluessel = {
    QStringLiteral("ObererRand"),
    QStringLiteral("SeitenRand"),
    QStringLiteral("Vertikalabstand"),
    QStringLiteral("Horizontalabstand"),
    QStringLiteral("Etikettenhoehe"),
    QStringLiteral("Etikettenbreite"),
    QStringLiteral("AnzahlEtikettenInZeile"),
    QStringLiteral("AnzahlEtikettenInSpalte"),
};
inline const QString EinstellungsSektion = QStringLiteral("Einstellung");

using TEinstellung = std::array<int, 8>;

// "12" -> "12 mm".
QString MassMitEinheit(int n);

// Halves away from zero: 12.5 -> 13, 12.49 -> 12, -0.5 -> -1.
double KaufmaennischRunden(double x);

// Converts a settings value: the first "." becomes ",", then "," is the decimal separator.
// Throws Fehler("'<text>' ist kein gültiger Gleitkommawert") for anything that is not a number.
double WertAlsZahl(const QString &text);

// A rounded value brought into an editor's range, so that nothing wraps around 16 bits.
int InBereich(double wert, int min, int max);

// The settings file beside a picture: the picture path less its last four characters plus ".ini" when
// it contains ".bmp"; otherwise the picture path plus ".ini". Empty when the result would be the picture
// itself, so that settings text can never land in a picture file.
QString EinstellungsPfad(const QString &bildPfad);

// Writes the nine lines of a settings file, CR LF, through a temporary file in the same folder, so that a
// failure never leaves a truncated file behind. Throws Fehler("Datei <pfad> kann nicht erstellt werden").
void SchreibeEinstellungsdatei(const QString &pfad, const TEinstellung &werte);

// The exact bytes the program writes.
QByteArray EinstellungsdateiInhalt(const TEinstellung &werte);
