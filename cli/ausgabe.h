#pragma once

#include "cli/aufruf.h"
#include "render/randpruefung.h"
#include "render/seite.h"

#include <QPrinter>

#include <memory>

// Where one job's page goes: the chosen or the default printer on A4 portrait, or a PDF file of the whole A4 page
// (written as every PDF of the program is: see DruckeAuf). Every failure throws Fehler with the German text.
class Ausgabe
{
public:
    explicit Ausgabe(const Druckauftrag &auftrag);
    ~Ausgabe();

    // The device as the page painter sees it; call before drucke().
    Druckflaeche flaeche();
    // What the page would lose at the printer's edges, one sentence per side; nothing for a PDF file.
    QStringList randverlust(const QList<GedrucktesEtikett> &etiketten, const Druckerkorrektur &korrektur,
                            int anschnitt = 0) const;
    void drucke(const Seitenbild &seite);
    void drucke(const QList<Seitenbild> &seite);

private:
    std::unique_ptr<QPrinter> m_drucker;
};
