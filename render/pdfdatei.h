#pragma once

#include "render/seite.h"

#include <QList>
#include <QString>

#include <functional>

class QPainter;

// A PDF file holds the whole A4 page at the resolution Qt's PDF printer paints at in high resolution: the painter's
// origin is the paper's corner, and no printer's correction applies.
inline constexpr int PdfDpi = 1200;
Druckflaeche PdfFlaeche();

// Paints one A4 page into the PDF file `ziel` with Qt Gui's PDF writer alone, `titel` as its document title, and
// writes it as a Zieldatei: the target is replaced only by a complete PDF. Throws Fehler with the texts a printer
// that writes a file gives.
void SchreibePdf(const QString &ziel, const QString &titel, const std::function<void(QPainter &)> &zeichne);
// The same for several pages, one after the other.
void SchreibePdf(const QString &ziel, const QString &titel, const QList<std::function<void(QPainter &)>> &seiten);
