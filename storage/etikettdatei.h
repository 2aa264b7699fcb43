#pragma once

#include "blatt/bogenmasse.h"
#include "blatt/datenfelder.h"

#include <QByteArray>
#include <QFlags>
#include <QString>

#include <array>
#include <optional>

// A label's settings file, <Name>.ini: every section it holds is read and written here, and nowhere else. Beside the
// nine lines of [Einstellung] stand the sections that a reader knowing only those passes over.

inline const QString EinstellungsSektion = QStringLiteral("Einstellung");
// A precise label's exact lengths, after the nine lines of [Einstellung].
inline const QString GenauSektion = QStringLiteral("Genau");
// A label's back: Bild names its picture, a file in the label's own folder.
inline const QString RueckseitenSektion = QStringLiteral("Rueckseite");
// A label's bleed: Rand in millimetres.
inline const QString AnschnittSektion = QStringLiteral("Anschnitt");
// Crop marks on the label's prints: Drucken=1.
inline const QString SchnittmarkenSektion = QStringLiteral("Schnittmarken");

// The lines of text a list fills on each label, and the code it carries (storage/datenfelder.h has their keys).
inline const QString TextSektion = QStringLiteral("Text");
inline const QString CodeSektion = QStringLiteral("Code");

// The largest bleed, in hundredths of a millimetre: more would reach a neighbour on most stock anyway.
inline constexpr int AnschnittMaximum = 300;

// A bleed as the settings file and the command line give it: "." and at most two decimals, 0 to 3 mm. Nothing
// for anything else.
std::optional<int> AnschnittAusText(const QString &text);

// Why `name` cannot stand as a back in a settings file: it is no bare file name (a path part, "." or ".."), holds a
// line break, or is longer than a settings value. Empty when it can.
QString RueckseitenNamenFehler(const QString &name);

// What a label's settings file holds.
struct Etikettinhalt
{
    // [Einstellung], and [Genau] for a precise label.
    Bogenmasse masse = Anfangsmasse;
    // The back's picture as [Rueckseite] names it; empty for a label of one side.
    QString rueckseite;
    // How far the picture runs past the label's edges, in hundredths of a millimetre; 0: not at all.
    int anschnitt = 0;
    // Whether its prints carry crop marks, for cutting it out of plain card.
    bool schnittmarken = false;
    // What a list fills in over the picture; none: the label is its picture alone.
    std::optional<Textfeld> text;
    std::optional<Codefeld> code;

    bool operator==(const Etikettinhalt &) const = default;
};

// The parts of the file a writer replaces: the measures ([Einstellung] with [Genau]), the back, the bleed, the crop
// marks, the text, the code.
enum class Abschnitt : unsigned { Masse = 1, Rueckseite = 2, Anschnitt = 4, Schnittmarken = 8, Text = 16, Code = 32 };
Q_DECLARE_FLAGS(Abschnitte, Abschnitt)
Q_DECLARE_OPERATORS_FOR_FLAGS(Abschnitte)

// What a settings file gave: every measure whose key has a value, rounded halves away from zero and brought into
// its editor's range, over the values of `bisher`. Reading stops at the first value that is no number; `fehler`
// then holds its message, `fehlerStelle` the key and value as "Schluessel=Wert", and the values before it are kept.
// The label is precise when [Genau] counts: all six lengths there, each a plain number with at most two decimals
// ("."), within its editor's range, and rounding to the value read from [Einstellung], which has all six lengths.
// Anything else was changed by a hand or a program that knows only [Einstellung]: the label is ordinary, whatever
// `bisher` was, and `genauUnbenutzt` names the first key that failed and why, for the person to be told.
struct GeleseneEtikettdatei
{
    Etikettinhalt inhalt;
    std::array<bool, Massangaben.size()> vorhanden{};
    QString fehler;
    QString fehlerStelle;
    QString genauUnbenutzt; // empty without a [Genau] section or when it counts
    // The same for [Anschnitt]: its Rand is used when AnschnittAusText takes it; otherwise the label has no bleed.
    QString anschnittUnbenutzt;
    // The same for [Text] and [Code]: why a section is not used (TextfeldAusWerten, CodefeldAusWerten).
    QString textUnbenutzt;
    QString codeUnbenutzt;
    // The text of each value that lay below its editor's range and was raised to it; empty for the others.
    std::array<QString, Massangaben.size()> angehoben;

    // What the person is told once for the file at `pfad`: every section it holds that is not used; empty when none.
    QString unbenutzt(const QString &pfad) const;
};
// The file is read once, so that a copy saved over it meanwhile gives one version or the other, never a mix. A
// missing or unreadable file gives nothing over `bisher`.
GeleseneEtikettdatei LiesEtikettdatei(const QString &pfad, const Bogenmasse &bisher);
GeleseneEtikettdatei LiesEtikettinhalt(const QByteArray &inhalt, const Bogenmasse &bisher);

// The whole file as "Speichern" writes it, CR LF: the nine lines of [Einstellung], [Genau] with the six exact lengths
// of a precise label ("." and at most two decimals), then the bleed, the back, the crop marks, the text and the code
// where the label has them.
QByteArray EtikettdateiInhalt(const Etikettinhalt &inhalt);

// The text with the given parts replaced by the label's, a part it lacks taken out, and every other line byte for
// byte: each section stands where its first stood ([Genau] with [Einstellung]), or last.
QByteArray MitAbschnitten(const QByteArray &bisher, const Etikettinhalt &inhalt, Abschnitte welche);

// Writes the file at `pfad` as MitAbschnitten makes it of the file as it stands (a missing file: those parts
// alone), through a draft that takes the file's place only when it is whole. Throws Fehler: a back's name that
// cannot stand in the file (RueckseitenNamenFehler), a text or code that cannot (TextfeldFehler, CodefeldFehler), a
// file that cannot be read, "Datei <pfad> kann nicht erstellt werden".
void SchreibeEtikettdatei(const QString &pfad, const Etikettinhalt &inhalt, Abschnitte welche);

// "Speichern" and a new label's file: the file written anew as EtikettdateiInhalt gives it; whatever it held
// before is gone. Throws as SchreibeEtikettdatei.
void SpeichereEtikettdatei(const QString &pfad, const Etikettinhalt &inhalt);
