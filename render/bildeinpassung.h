#pragma once

#include "blatt/bogenmasse.h"
#include "storage/bilddatei.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <optional>

// How a picture from another program becomes a label's picture: drawn into the label's exact size at a resolution
// fit for print, its proportions kept or not as the person chooses.

// Where a picture whose proportions are not the label's goes.
enum class Einpassung : int {
    Einpassen, // the whole picture, as large as it fits, centred, white beside it
    Fuellen,   // the label filled, the picture centred and cut where it reaches beyond
    Strecken,  // the whole picture stretched over the whole label
};
inline constexpr std::array<Einpassung, 3> Einpassungen{Einpassung::Einpassen, Einpassung::Fuellen,
                                                        Einpassung::Strecken};
// "Einpassen", "Füllen", "Strecken".
QString EinpassungName(Einpassung e);

// A label picture is drawn at the picture's own resolution within these bounds; a drawing (SVG) at the highest,
// so that its edges stay sharp.
inline constexpr int UebernahmeDpiMin = 300;
inline constexpr int UebernahmeDpiMax = 600;
// Below this a picture looks blurred in print.
inline constexpr int ScharfAbDpi = 150;
// Proportions closer than this are the label's: the picture is stretched without asking.
inline constexpr double SeitenverhaeltnisToleranz = 0.01;

// A picture this close to the label's size in pixels at some resolution is taken pixel for pixel.
inline constexpr int NahePixel = 4;

// The label's exact width and height at `dpi`: hundredths x dpi / 2540, rounded, at least 1 pixel.
QSize EtikettPixel(const Bogenmasse &m, int dpi);

// The resolution from UebernahmeDpiMin to UebernahmeDpiMax at which the label has the picture's size within
// NahePixel in each axis, the nearest, where the proportions are the label's (SeitenverhaeltnisWeichtAb); nothing
// otherwise. Such a picture is taken as it is: scaled by a few pixels it would turn each one-pixel line into two
// grey ones, while the print stretches a precise label's picture unsmoothed anyway.
std::optional<int> NaheAufloesung(QSize bild, const Bogenmasse &m);

// Whether the picture's width to height differs from the label's by more than 1 %, either way.
bool SeitenverhaeltnisWeichtAb(QSize bild, const Bogenmasse &m);

// Where a picture of size `bild` lands on a label picture of size `ziel`: scaled whole to `groesse`, of which the
// part `ausschnitt` shows, its top-left corner at `ort`. Einpassen: as large as fits, centred; Fuellen: as small as
// covers, the middle part shown; Strecken: the label's size.
struct Bildplatz
{
    QSize groesse;
    QRect ausschnitt;
    QPoint ort;
    bool operator==(const Bildplatz &) const = default;
};
Bildplatz Platziere(QSize bild, QSize ziel, Einpassung e);

// The picture's own resolution on the label as `e` places it, per axis its pixels over the inches they cover:
// the lower and the higher of the two axes (the same unless stretched).
struct BildAufloesung
{
    double niedrig = 0;
    double hoch = 0;
};
BildAufloesung AufloesungAufEtikett(QSize bild, const Bogenmasse &m, Einpassung e);

// The resolution the label picture is drawn at: the picture's own (its higher axis), rounded, within
// UebernahmeDpiMin and UebernahmeDpiMax, or the NaheAufloesung; a drawing's is UebernahmeDpiMax. Lower only where
// the label picture would pass the limits of a label picture otherwise, on a label far larger than A4.
int UebernahmeDpi(const Fremdbild &bild, const Bogenmasse &m, Einpassung e);

// "Das Bild hat auf dem Etikett nur 96 dpi; gedruckt wirkt es unscharf." while the picture's lower axis has less
// than ScharfAbDpi, rounded; empty otherwise and for a drawing.
QString UnschaerfeHinweis(const Fremdbild &bild, const Bogenmasse &m, Einpassung e);

// The label picture that `bild` gives: white, at UebernahmeDpi for the label's exact size, the picture drawn in
// as `e` places it, smoothly scaled, over white where it is transparent; 32-bit without alpha, its resolution set.
// A picture of a NaheAufloesung keeps its own size and pixels. Throws Fehler when a drawing cannot be drawn.
QImage EtikettAusBild(const Fremdbild &bild, const Bogenmasse &m, Einpassung e);

// What a way does to this picture on this label, in a sentence: "Füllen: das ganze Etikett bedruckt, das Bild an
// den Seiten beschnitten" where the picture is the wider, "... oben und unten beschnitten" where it is the higher.
QString EinpassungBeschreibung(Einpassung e, QSize bild, const Bogenmasse &m);

// What the person is asked before a picture is taken: how it goes onto the label when the proportions differ,
// and each way's resolution hint, with a small picture of the label as each way would make it.
struct Bildwahl
{
    bool wahl = false; // the proportions differ: Einpassen, Fuellen or Strecken; otherwise stretched
    QString frage;     // the line above the choices
    std::array<QString, Einpassungen.size()> hinweise;
    std::array<QString, Einpassungen.size()> beschreibungen; // EinpassungBeschreibung
    std::array<QImage, Einpassungen.size()> vorschauen;

    // Whether anything needs asking: a choice, or a hint for the way the picture goes without one.
    bool noetig() const { return wahl || !hinweise[int(Einpassung::Strecken)].isEmpty(); }
    const QString &hinweis(Einpassung e) const { return hinweise[int(e)]; }
    const QString &beschreibung(Einpassung e) const { return beschreibungen[int(e)]; }
};
// The previews fit `kasten`, in the label's proportions. They are drawn from a copy of at most VorschauBildpunkte
// pixels, however long or narrow the picture.
inline constexpr qint64 VorschauBildpunkte = 1'000'000;
Bildwahl BildwahlFuer(const Fremdbild &bild, const Bogenmasse &m, QSize kasten = {180, 120});
