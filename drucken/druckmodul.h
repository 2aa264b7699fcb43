#pragma once

// The printer adapter as the window and morvane-druck see it. The adapter is a library of its own (morvane_drucken),
// loaded the first time something needs a printer, so that the print stack (QtPrintSupport, the print server's library)
// is not mapped before. Nothing here needs the print stack's headers: printers travel as pointers and references only.

#include "render/randpruefung.h"
#include "render/seite.h"
#include "storage/druckerausrichtung.h"

#include <QStringList>

#include <memory>
#include <optional>

class DialogDienst;
class Druckdialog;
class QPrinter;
class QWidget;

// A printer chosen without the print dialog, as morvane-druck chooses it.
struct Druckerwahl
{
    QString name; // empty: the system's default printer
    int kopien = 1;
    QString dokument; // the job's name at the print server
};

class Druckmodul
{
public:
    virtual ~Druckmodul() = default;

    // A printer at high resolution; it belongs to the adapter, which deletes it.
    virtual std::shared_ptr<QPrinter> neuerDrucker() = 0;
    // AufA4Hochformat (drucken/drucker.h): the sheet is laid out for A4 portrait, whatever the printer or its
    // properties in the print dialog chose.
    virtual void aufA4(QPrinter &drucker) = 0;
    // DruckerFuer (drucken/drucker.h).
    virtual std::shared_ptr<QPrinter> druckerFuer(const Druckerwahl &wahl) = 0;
    // FlaecheVon and DruckeAuf (drucken/drucker.h).
    virtual Druckflaeche flaecheVon(QPrinter &drucker, Blattseite seite) = 0;
    virtual void druckeAuf(QPrinter &drucker, const Seitenbild &seite) = 0;
    // One page of several parts, as a sheet plan gives it.
    virtual void druckeAuf(QPrinter &drucker, const QList<Seitenbild> &teile) = 0;
    // KannBeidseitig and DruckeBeidseitig (drucken/drucker.h), each page of several parts.
    virtual bool kannBeidseitig(const QPrinter &drucker, Wendekante kante) = 0;
    virtual void druckeBeidseitig(QPrinter &drucker, const QList<Seitenbild> &vorne, const QList<Seitenbild> &hinten,
                                  Wendekante kante) = 0;
    // The name the printer's jobs carry at the print server (its document name), and setting it.
    virtual QString auftragsname(const QPrinter &drucker) = 0;
    virtual void benenneAuftrag(QPrinter &drucker, const QString &name) = 0;
    // Pages of several parts one after the other in one job, two-sided over `beidseitig` when it is given.
    virtual void druckeSeiten(QPrinter &drucker, const QList<QList<Seitenbild>> &seiten,
                              std::optional<Wendekante> beidseitig) = 0;
    // Whether the printer writes a file instead of putting the page on paper.
    virtual bool schreibtDatei(const QPrinter &drucker) = 0;
    // UnbedruckbareRaender (drucken/drucker.h).
    virtual std::optional<Druckraender> unbedruckbareRaender(const QPrinter &drucker) = 0;
    // The print dialog of one dialog service.
    virtual std::unique_ptr<Druckdialog> neuerDruckdialog() = 0;
    // The name its corrections and its turning are stored under (AusrichtungsName, drucken/drucker.h).
    virtual QString druckername(const QPrinter &drucker) = 0;
    // DruckeWendeprobe (drucken/ausrichtung.h).
    virtual std::optional<Wendung> wendeprobe(QPrinter &drucker, DialogDienst &dialoge) = 0;
    // "Drucker ausrichten" on `drucker`, modal over `eltern`.
    virtual void ausrichten(QPrinter &drucker, DialogDienst &dialoge, QWidget *eltern) = 0;
};

// The adapter, loaded once and kept for the run. Throws Fehler with a German text when it cannot be loaded.
Druckmodul &LadeDruckmodul();
// The adapter from the first of `orte` (library paths without prefix and suffix) that loads; not kept.
Druckmodul &LadeDruckmodul(const QStringList &orte);

// The name of the adapter's one entry point, `Druckmodul *morvane_druckmodul()`.
inline constexpr char DruckmodulEinsprung[] = "morvane_druckmodul";

// The print dialog of the dialog service, from the adapter, loaded at the first call. Throws Fehler with a German text
// when the adapter cannot be loaded.
std::unique_ptr<Druckdialog> NeuerDruckdialog();
