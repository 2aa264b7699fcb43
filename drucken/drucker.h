#pragma once

#include "drucken/druckmodul.h"
#include "render/randpruefung.h"
#include "render/seite.h"

#include <QPrinter>

#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QPrinterInfo;

// The name a printer's correction is stored under: its printer name, empty when it writes a file.
QString AusrichtungsName(const QPrinter &drucker);

// The colour mode the print dialog sends to a printer when the person leaves it as it is: grey only for a printer
// that can print colour and is set to grey; one that knows only grey, or nothing of colours (a raw queue), gets
// the colours and makes of them what it can.
QPrinter::ColorMode FarbeWieImDruckdialog(const QPrinterInfo &drucker);

// Every sheet is laid out for A4 portrait: the printer is set to it, whatever paper and orientation it was set to
// (an A4 of its own, such as one without margins, is kept). A printer whose driver offers paper sizes but neither
// A4 nor a size of the program's choosing is left as it is, and Fehler names the paper it is set to: "Der Drucker
// ist auf A5 eingestellt; Etikettenbögen sind A4."
void AufA4Hochformat(QPrinter &drucker);

// The printer `wahl` names, or the system's default printer, set up as the print dialog would send a job to it
// unchanged: A4 portrait, its colours (FarbeWieImDruckdialog), the copies and the job's name. Throws Fehler with a
// German text when there is no default printer, the printer does not exist or is invalid, or it cannot take A4 portrait
// (AufA4Hochformat).
std::shared_ptr<QPrinter> DruckerFuer(const Druckerwahl &wahl);

// A configured printer as the page painter sees it: its resolution, the corner of its printable area on the
// paper (the painter's origin), and the correction stored for it for that side of the sheet. A printer that writes
// a file has none.
Druckflaeche FlaecheVon(QPrinter &drucker, Blattseite seite = Blattseite::Vorderseite);

// Whether the printer prints both sides of a sheet in one job, turned over that edge, as its driver says; a printer
// that writes a file has no sides.
bool KannBeidseitig(const QPrinter &drucker, Wendekante kante);

// The bands along the paper's edges that the printer cannot print, as its driver declares them for the paper it is
// set to, with the A4 paper without margins it offers; nothing for a printer that writes a file, whose page holds
// all of it.
std::optional<Druckraender> UnbedruckbareRaender(const QPrinter &drucker);

// One document with one page. Throws Fehler with a German text when the printer or the file cannot be opened, the
// page cannot be finished, or the print server refuses the job; an open document is closed before the error goes
// on. A printer that writes a file writes it as a Zieldatei: the target is replaced only by a complete PDF.
void DruckeAuf(QPrinter &drucker, const Seitenbild &seite);

// The same for a page that `zeichne` paints onto the printer's painter.
void DruckeAuf(QPrinter &drucker, const std::function<void(QPainter &)> &zeichne);

// One document of these pages, two-sided over `beidseitig` when it is given, the printer's own setting as it was
// afterwards. Throws as DruckeAuf.
void DruckeSeiten(QPrinter &drucker, const QList<std::function<void(QPainter &)>> &seiten,
                  std::optional<Wendekante> beidseitig);

// One document of two pages, the front and then the back, the printer asked for two-sided printing turned over
// `kante` (a file holds the two pages); its own two-sided setting is as it was afterwards. Throws as DruckeAuf.
void DruckeBeidseitig(QPrinter &drucker, const std::function<void(QPainter &)> &vorne,
                      const std::function<void(QPainter &)> &hinten, Wendekante kante);
