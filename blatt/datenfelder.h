#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What a label carries besides its picture when it is printed from a list: lines of text and a code, each in a
// field of its own. The templates hold placeholders that each record fills; lengths are hundredths of a
// millimetre from the label's top-left corner, as a precise label's lengths are, so that they add up exactly.

// A rectangle on the label, in hundredths of a millimetre from its top-left corner.
struct Etikettfeld
{
    qint64 x = 0;
    qint64 y = 0;
    qint64 breite = 0;
    qint64 hoehe = 0;

    bool operator==(const Etikettfeld &) const = default;
};

// Where the lines stand across the field, and where they stand as a block in its height.
enum class Waagrecht { Links, Mitte, Rechts };
enum class Lotrecht { Oben, Mitte, Unten };

// The smallest size a text is set in when it does not fit at its own, in hundredths of a point.
inline constexpr int KleinsteSchrift = 600;
// The largest size a text may ask for, in hundredths of a point: 500 pt, a glyph of some 18 cm.
inline constexpr int GroessteSchrift = 50000;
// The most lines a text holds: Zeile1 to Zeile50.
inline constexpr int MeisteZeilen = 50;

// The text of a label: one template per line (Zeile1 ... ZeileN), set in `Schrift` at `Groesse`, or smaller when
// the lines do not fit the field.
struct Textfeld
{
    QStringList Zeilen;
    QString Schrift = QStringLiteral("DejaVu Sans");
    int Groesse = 1100; // the largest size, in hundredths of a point
    bool Fett = false;
    Waagrecht Ausrichtung = Waagrecht::Links;
    Lotrecht Senkrecht = Lotrecht::Oben;
    std::optional<Etikettfeld> Feld; // none: the label less 3 mm on every side (FeldAufEtikett)
    std::optional<quint32> Farbe;    // 0xrrggbb; none: black

    bool operator==(const Textfeld &) const = default;
};

enum class Codeart { QR, DataMatrix, EAN13, Code128 };

// A code on the label: its content a template as a text line is, drawn as large as the field allows.
struct Codefeld
{
    Codeart Art = Codeart::QR;
    QString Inhalt;
    std::optional<Etikettfeld> Feld; // none: as a text's

    bool operator==(const Codefeld &) const = default;
};

// The field where it lies on a label of breite x hoehe hundredths: `feld` itself, or the label less 3 mm on every
// side (the whole label when it is no more than 6 mm in that direction).
Etikettfeld FeldAufEtikett(const std::optional<Etikettfeld> &feld, qint64 breite, qint64 hoehe);

// "Das Feld 4,4,80,30 reicht über das Etikett (63,5 x 38,1 mm) hinaus." when `feld` does not lie wholly on a label
// of that size; empty when it does.
QString FeldUeberDemRand(const Etikettfeld &feld, qint64 breite, qint64 hoehe);

// The names the settings file writes for them: "QR", "DataMatrix", "EAN13", "Code128"; "links", "mitte",
// "rechts"; "oben", "mitte", "unten".
QString Codename(Codeart art);
QString Ausrichtungsname(Waagrecht a);
QString Senkrechtname(Lotrecht s);
// The same read back, without regard to case; nothing for any other text.
std::optional<Codeart> CodeartAusText(const QString &text);
std::optional<Waagrecht> AusrichtungAusText(const QString &text);
std::optional<Lotrecht> SenkrechtAusText(const QString &text);
