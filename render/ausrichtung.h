#pragma once

#include "blatt/blatt.h"

#include <QPoint>
#include <QString>

#include <array>
#include <optional>

class QPainter;

// Aligning a printer: a test page printed without any correction shows the printer's own error; the person
// measures where its two crosses landed, and the correction is the one that moves them back to where they
// were meant.

struct MmPunkt
{
    double x = 0.0;
    double y = 0.0;
};

// Where the centres of the two crosses are meant, from the paper's top-left corner.
inline constexpr MmPunkt TestkreuzOben{20.0, 20.0};
inline constexpr MmPunkt TestkreuzUnten{190.0, 277.0};

// Where the person found the crosses' centres on paper, in mm from the paper's left and top edges.
struct Kreuzmessung
{
    MmPunkt oben;
    MmPunkt unten;
};

// The correction that sends each measured centre back to its meant place, per axis. The printer put a point
// meant at p at p x s + o; drawing it at (p - o) / s puts it at p, so the correction is the inverse of the
// measured error, not the error itself. Not range-checked: crosses measured at one place give a non-finite one.
Druckerkorrektur KorrekturAusMessung(const Kreuzmessung &m);

// A measured length as typed: digits with a decimal comma or point, optionally signed and followed by "mm".
// Nothing else, so that "1.000,5" or "2e1" are not taken for a different length than the person meant.
std::optional<double> LiesMillimeter(const QString &text);

// The four measured values in the order Kreuz 1 links, oben, Kreuz 2 links, oben, as typed.
using Messtexte = std::array<QString, 4>;
// Their captions, for messages.
extern const std::array<QString, 4> Messnamen;
// A value near where the field's cross is meant, as the person would type it: "20,5", "190,5", "277,5".
QString Messbeispiel(std::size_t feld);

// The correction from four typed values, or a German message why there is none: a value that is empty, no
// number, or off the paper, named with its limits; or values that give no usable correction.
struct Messergebnis
{
    std::optional<Druckerkorrektur> korrektur;
    QString meldung;
};
Messergebnis WerteMessungAus(const Messtexte &texte);

// The correction as the person reads it: offsets in mm with one decimal, factors in percent with two.
QString BeschreibeKorrektur(const Druckerkorrektur &k);

// Draws the test page on a device with the given resolution whose painter origin is the corner of its printable
// area, `versatz` device pixels from the paper's corner: the two crosses, millimetre rulers along the top and
// left edges, and how to measure. It takes no correction, so none can slip into the measurement. The back's test
// page, printed on the back of the front's, is the same but for its title and how to measure.
void ZeichneTestseite(QPainter &maler, int dpiX, int dpiY, QPoint versatz, Blattseite seite = Blattseite::Vorderseite);

// The Wendeprobe shows on plain paper how the person turns a sheet for its back. Its front has an arrow to the
// top edge, "OBEN", "Diese Seite war oben" and a black square in the top-left corner; its back, printed after the
// person put the sheet back in as they think right, has a frame where the square shows through when the sheet was
// turned over the long edge and one where it shows through over the short edge, each named, and says what to do
// when the square shows through neither. Drawn as ZeichneTestseite draws, without a correction.
inline constexpr MmRechteck WendeprobeQuadrat{20.0, 20.0, 20.0, 20.0};
// The frame on the back page around where the square lies behind it, turned over `kante`.
MmRechteck WendeprobeRahmen(Wendekante kante);
void ZeichneWendeprobe(QPainter &maler, int dpiX, int dpiY, QPoint versatz, Blattseite seite);

// What the person does before a back page is printed, as learnt: "Legen Sie den Bogen mit der bedruckten Seite
// nach oben und der Oberkante voran ein" (over the long edge the top edge goes first again, over the short edge
// the bottom edge).
QString Einlegehinweis(Wendekante kante, bool bedrucktOben);
