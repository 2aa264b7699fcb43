#pragma once

#include "blatt/bogenmasse.h"

#include <QString>

#include <optional>

inline const QString EinstellungsSektion = QStringLiteral("Einstellung");
// A precise label's exact lengths, after the nine lines of [Einstellung].
inline const QString GenauSektion = QStringLiteral("Genau");
// A label's bleed, after its other sections: Rand in millimetres.
inline const QString AnschnittSektion = QStringLiteral("Anschnitt");
// The largest bleed, in hundredths of a millimetre: more would reach a neighbour on most stock anyway.
inline constexpr int AnschnittMaximum = 300;

// A bleed as the settings file and the command line give it: "." and at most two decimals, 0 to 3 mm. Nothing
// for anything else.
std::optional<int> AnschnittAusText(const QString &text);

// Halves away from zero: 12.5 -> 13, 12.49 -> 12, -0.5 -> -1.
double KaufmaennischRunden(double x);

// Converts a settings value: the first "." becomes ",", then "," is the decimal separator.
// Throws Fehler("'<text>' ist kein gültiger Gleitkommawert") for anything that is not a number.
double WertAlsZahl(const QString &text);

// A rounded value brought into an editor's range, so that nothing wraps around 16 bits.
int InBereich(double wert, int min, int max);

// The settings file beside a picture: the picture path less its last four characters plus ".ini" when
// it ends in ".bmp"; otherwise the picture path plus ".ini". Empty when the result would be the picture
// itself, so that settings text can never land in a picture file.
QString EinstellungsPfad(const QString &bildPfad);

// Writes the nine lines of a settings file, CR LF, and for a precise label the section [Genau] with its six exact
// lengths ("." and at most two decimals), then for a label with a bleed the section [Anschnitt], through a temporary
// file in the same folder, so that a failure never leaves a truncated file behind. Throws Fehler("Datei <pfad> kann
// nicht erstellt werden").
void SchreibeEinstellungsdatei(const QString &pfad, const Bogenmasse &werte);

// The exact bytes the program writes.
QByteArray EinstellungsdateiInhalt(const Bogenmasse &werte);

// "Speichern": the file at `pfad` written as SchreibeEinstellungsdatei writes it, and after that the sections that
// travel with the label ([Rueckseite]) as they stood in it, so that a save loses no back. Throws as that.
void SpeichereEinstellungsdatei(const QString &pfad, const Bogenmasse &werte);

// What a settings file holds: every measure whose key has a value, rounded halves away from zero and brought into
// its editor's range, over the values of `bisher`. Reading stops at the first value that is no number; `fehler`
// then holds its message, `fehlerStelle` the key and value as "Schluessel=Wert", and the values before it are kept.
// The label is precise when [Genau] counts: all six lengths there, each a plain number with at most two decimals
// ("."), within its editor's range, and rounding to the value read from [Einstellung], which has all six lengths.
// Anything else was changed by a hand or a program that knows only [Einstellung]: the label is ordinary, whatever
// `bisher` was, and `genauUnbenutzt` names the first key that failed and why, for the person to be told.
struct GeleseneMasse
{
    Bogenmasse werte;
    std::array<bool, Massangaben.size()> vorhanden{};
    QString fehler;
    QString fehlerStelle;
    QString genauUnbenutzt; // empty without a [Genau] section or when it counts
    // The same for [Anschnitt]: its Rand is used when AnschnittAusText takes it; otherwise the label has no bleed.
    QString anschnittUnbenutzt;
    // The text of each value that lay below its editor's range and was raised to it; empty for the others.
    std::array<QString, Massangaben.size()> angehoben;
    // The back's picture that [Rueckseite] names (RueckseiteAusText), read in the same read; empty without one.
    QString rueckseite;
};
// The file is read once, so that a copy saved over it meanwhile gives one version or the other, never a mix.
GeleseneMasse LiesEinstellungsdatei(const QString &pfad, const Bogenmasse &bisher);
GeleseneMasse LiesEinstellungen(const QByteArray &inhalt, const Bogenmasse &bisher);

// What the person is told once when a [Genau] section is not used: its file and the reason of GeleseneMasse.
QString GenauUnbenutztMeldung(const QString &pfad, const QString &grund);
QString AnschnittUnbenutztMeldung(const QString &pfad, const QString &grund);

// The bytes of a settings file with its [Anschnitt] section set to the bleed (hundredths; 0 removes it), every
// other line as it was: the section stands where it stood, or last, as [Rueckseite] is set (ErsetzeProfilAbschnitte).
QByteArray InhaltMitAnschnitt(const QByteArray &inhalt, int hundertstel);
// Writes that into the file at `pfad` as SchreibeEinstellungsdatei writes; a missing file gets the section alone.
// Throws Fehler as SchreibeEinstellungsdatei, and for a file that cannot be read.
void SchreibeAnschnitt(const QString &pfad, int hundertstel);
