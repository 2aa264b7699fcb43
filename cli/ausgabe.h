#pragma once

#include "cli/aufruf.h"
#include "render/randpruefung.h"
#include "render/seite.h"

#include <memory>

class Druckmodul;
class QPrinter;

// Where one job's page goes: a PDF file of the whole A4 page, written by Qt Gui alone as every PDF of the program is
// written (a complete file or none), or the chosen or the default printer on A4 portrait, through the printer
// adapter, which is loaded only then. Every failure throws Fehler with the German text.
class Ausgabe
{
public:
    explicit Ausgabe(const Druckbefehl &auftrag);
    ~Ausgabe();

    // The device as the page painter sees it, with the correction of that side; call before drucke().
    Druckflaeche flaeche(Blattseite seite = Blattseite::Vorderseite);
    // Whether the printer prints both sides in one job over that edge; a PDF file has no sides.
    bool kannBeidseitig(Wendekante kante) const;
    // Front and back as two pages of one job, the printer asked to print them on both sides of one sheet.
    void druckeBeidseitig(const QList<Seitenbild> &vorne, const QList<Seitenbild> &hinten, Wendekante kante);
    // The bands the printer cannot print; none for a PDF file, which has no margins.
    std::optional<Druckraender> raender() const;
    // Pages one after the other in one job, two-sided over `beidseitig` when it is given.
    void druckeSeiten(const QList<QList<Seitenbild>> &seiten, std::optional<Wendekante> beidseitig);
    // The one page, of one part or of the several a sheet plan gives.
    void drucke(const QList<Seitenbild> &seite);

private:
    QString m_pdf;
    QString m_titel;
    Druckmodul *m_modul = nullptr;
    std::shared_ptr<QPrinter> m_drucker;
};
