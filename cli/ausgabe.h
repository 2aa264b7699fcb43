#pragma once

#include "cli/aufruf.h"
#include "render/seite.h"

#include <QPrinter>
#include <QTemporaryFile>

#include <memory>

// Where one job's page goes: the chosen or the default printer on A4 portrait, or a PDF file of the whole A4 page.
// A PDF is written beside its target under another name and takes the target's name only when it is complete,
// so a failure leaves no half-written file. Every failure throws Fehler with the German text.
class Ausgabe
{
public:
    explicit Ausgabe(const Druckauftrag &auftrag);
    ~Ausgabe();

    // The device as the page painter sees it; call before drucke().
    Druckflaeche flaeche();
    void drucke(const Seitenbild &seite);

private:
    QString m_ziel; // the PDF file, or empty
    std::unique_ptr<QTemporaryFile> m_entwurf;
    std::unique_ptr<QPrinter> m_drucker;
};
