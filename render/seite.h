#pragma once

#include "blatt/blatt.h"
#include "blatt/bogenplan.h"
#include "blatt/datenfelder.h"
#include "render/anschnitt.h"
#include "render/codes.h"
#include "render/masse.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPoint>
#include <QRectF>
#include <QStringList>

#include <optional>

class QPainter;

// What one printed page covers.
enum class Druckumfang { EineEtikette, EineZeile, GanzeSeite };

struct Seitenwahl
{
    Druckumfang umfang = Druckumfang::EineEtikette;
    int spalte = 1; // the one label's column
    int zeile = 1;  // the one label's row, or the row printed alone

    bool operator==(const Seitenwahl &) const = default;
};

// The device a page goes to: its resolution, the corner of its printable area on the paper in device pixels
// (where the painter's origin lies; 0 for a picture or a full-page PDF), and its correction.
struct Druckflaeche
{
    int dpiX = 0;
    int dpiY = 0;
    QPoint versatz;
    Druckerkorrektur korrektur;
};

// A line drawn over a page's labels: a test print's outline, place number or foot line, or a crop mark; its path
// and its pen's width in the unit of the page it belongs to. Ends cut off square with the path, or round for writing.
struct Strich
{
    QPainterPath pfad;
    double breite = 0.0;
    QColor farbe;
    bool rund = false;
};

// What a record fills in on one label over its picture: the label's exact place in device pixels, the device's
// pixels per millimetre, the lines of text at the size they fit in (none: no text), and the code encoded.
struct Aufdruck
{
    QRectF etikett;
    double jeMmX = 0.0;
    double jeMmY = 0.0;
    std::optional<Textfeld> text;
    QStringList zeilen;
    int groesse = 0;
    std::optional<Codefeld> code;
    Codebild codebild;
};

// The picture a page shows and where it goes in device pixels from the painter's origin: the label itself
// stretched to its millimetres, or the composed sheet raster 210 mm wide from the paper's corner.
// A precise label's page has no raster: the label's own picture goes into each of `etiketten`, exact
// rectangles in device pixels, and `ziel` is unused.
// A label with a bleed carries its widths in device pixels: one for `ziel`, or one for each of `etiketten`; a
// composed raster has its bleed on it already.
// `aufdrucke` go over the pictures and their bleed, `striche` over those, in device pixels; a part with no picture
// carries only them.
struct Seitenbild
{
    QImage bild;
    Platzierung ziel{};
    QList<QRectF> etiketten;
    QList<Anschnittbreiten> anschnitt;
    QList<Strich> striche;
    QList<Aufdruck> aufdrucke;
};

// A rectangle on the paper in device pixels from the painter's origin, the device's correction applied, unrounded.
QRectF GenauAufDemGeraet(const Druckflaeche &flaeche, const MmRechteck &mm);

// Throws Fehler when there is nothing to print: no picture, or a sheet that cannot be composed.
// A precise label is placed in millimetres in every mode: the label in column k, row i (from 0) at SeitenRand +
// k x Horizontalabstand, ObererRand + i x Vertikalabstand, Etikettenbreite x Etikettenhoehe large; labels that
// begin beyond the paper are left out. A label's bleed (`anschnitt`, hundredths of a millimetre) is limited by its
// neighbours on the sheet and the paper (AnschnittAmPlatz): an ordinary label's in whole picture pixels, a precise
// one's exactly.
Seitenbild BaueSeite(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl, const Druckflaeche &flaeche,
                     int anschnitt = 0);

// Whether a page of BaueSeite would come out blank: a precise page with no label on the paper, or a composed sheet
// that stayed white (margins that put every label beyond the raster). A single ordinary label always shows.
bool SeiteLeer(const Seitenbild &seite, const Bogenmasse &m, const Seitenwahl &wahl);

// "Mit diesen Maßen liegt keine Etikette auf der Seite; sie bliebe leer. Es wurde nichts gedruckt."
QString LeereSeiteMeldung();

// Draws one page onto any painter, the picture's own pixels unsmoothed. The painter's state is kept. Every label
// of a precise page is the same QImage, so a PDF holds its pixels once.
void ZeichneSeite(QPainter &maler, const Seitenbild &seite);

// The page as the preview shows it: a white A4 page at the given resolution, without margins or correction.
// A precise label's picture is shrunk to its place by averaging first (GeglaettetVerkleinert), so that its thin
// lines and small text show on screen; the printout keeps its own pixels.
// Throws Fehler as BaueSeite, or when the page cannot be made.
QImage Seitenvorschau(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl, int dpiX, int dpiY,
                      int anschnitt = 0);

// The picture shrunk to `groesse` by averaging the pixels that each new pixel covers, as an image viewer shows a
// large picture small. A picture no larger in either direction, or an empty size, comes back as it is.
QImage GeglaettetVerkleinert(const QImage &bild, QSize groesse);

// The back page of the page that BaueSeite prints with a front picture of size `vorne`: every label's back where the
// turned sheet brings it behind its front (AufDerRueckseite applied to the rectangles the front is placed by; the
// composed sheet raster of an ordinary label turned as a whole, so that each raster place lands behind its own),
// the back's picture scaled by the front's rules: an ordinary sheet's to the front picture's pixels on the same
// raster, everything else stretched to its place. Over the short edge the picture stands on its head. The device's
// correction is the one for the back. The bleed follows the front's rules, limited by the places on the back page
// (an ordinary sheet's raster gets it before it is turned). Throws Fehler as BaueSeite.
Seitenbild BaueRueckseite(QSize vorne, const QImage &hinten, const Bogenmasse &m, const Seitenwahl &wahl,
                          const Druckflaeche &flaeche, Wendekante kante, int anschnitt = 0);
// The back page as the preview shows it, as Seitenvorschau.
QImage Rueckseitenvorschau(QSize vorne, const QImage &hinten, const Bogenmasse &m, const Seitenwahl &wahl, int dpiX,
                           int dpiY, Wendekante kante, int anschnitt = 0);

// A label of a sheet plan: its picture and its own measures, which describe the plan's sheet on paper
// (GleicherBogen) and decide how it is placed: an ordinary label as its raster rounds, a precise one exactly; its
// bleed, hundredths of a millimetre; and the text and code a record fills in over it.
struct Seitenetikett
{
    QImage bild;
    Bogenmasse masse;
    int anschnitt = 0;
    std::optional<Textfeld> text;
    std::optional<Codefeld> code;
};

// A page of several labels: each at its place exactly as the one-label mode prints it there alone, by
// etiketten[etikett] of its plan entry; each bleed is limited by the other labels of the page as well. Throws Fehler as
// BaueSeite, or for a plan without labels.
QList<Seitenbild> BaueSeite(const Bogenplan &plan, const QList<Seitenetikett> &etiketten, const Druckflaeche &flaeche);
void ZeichneSeite(QPainter &maler, const QList<Seitenbild> &seite);
// The plan's page as the preview shows it, as Seitenvorschau.
QImage Seitenvorschau(const Bogenplan &plan, const QList<Seitenetikett> &etiketten, int dpiX, int dpiY);
// The plan's back page: each label's back behind its front, rueckseiten[etikett] its back's picture with the
// label's own measures; a label without one (a null picture) leaves its place empty. Each bleed is limited by the
// other backs of the page as well. Throws Fehler for a plan of which no label has a back.
QList<Seitenbild> BaueRueckseite(const Bogenplan &plan, const QList<Seitenetikett> &rueckseiten,
                                 const Druckflaeche &flaeche, Wendekante kante);
