#pragma once

#include "render/seite.h"

#include <QList>
#include <QString>

#include <functional>

class Fehler;
class QPagedPaintDevice;
class QPainter;

using Seitenmaler = std::function<void(QPainter &)>;

// Paints the pages one after the other onto a printer or a PDF writer, each after the first on a new page. Throws
// `beginntNicht` when no painter can begin on the device, and Fehler("Der Druck konnte nicht abgeschlossen
// werden.") when a page or the end fails; a page that throws is passed on after `abbrechen` (a printer's job is
// given up), and the painter is ended whatever happens.
void MaleSeiten(QPagedPaintDevice &geraet, const QList<Seitenmaler> &seiten, const Fehler &beginntNicht,
                const std::function<void()> &abbrechen = {});

// A PDF file holds the whole A4 page at the resolution Qt's PDF printer paints at in high resolution: the painter's
// origin is the paper's corner, and no printer's correction applies.
inline constexpr int PdfDpi = 1200;
Druckflaeche PdfFlaeche();

// Paints one A4 page into the PDF file `ziel` with Qt Gui's PDF writer alone, `titel` as its document title, and
// writes it as a Zieldatei: the target is replaced only by a complete PDF. Throws Fehler with the texts a printer
// that writes a file gives.
void SchreibePdf(const QString &ziel, const QString &titel, const Seitenmaler &zeichne);
// The same for several pages, one after the other.
void SchreibePdf(const QString &ziel, const QString &titel, const QList<Seitenmaler> &seiten);
