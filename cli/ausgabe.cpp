#include "cli/ausgabe.h"

#include "drucken/drucker.h"
#include "platform/fehler.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinterInfo>

Ausgabe::Ausgabe(const Druckauftrag &auftrag)
{
    if (!auftrag.pdf.isEmpty()) {
        // A PDF file needs no print system: with no plugin folders the printer starts as a PDF writer and never
        // asks the print server, which may take long. The label's picture is already read.
        QCoreApplication::setLibraryPaths({});
        m_drucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_drucker->setOutputFormat(QPrinter::PdfFormat);
        m_drucker->setOutputFileName(auftrag.pdf);
        // The whole sheet, nothing cut off: the painter's origin is the paper's corner.
        m_drucker->setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    } else {
        const QString name = auftrag.drucker.isEmpty() ? QPrinterInfo::defaultPrinterName() : auftrag.drucker;
        if (name.isEmpty())
            throw Fehler(QStringLiteral("Zur Zeit ist kein Standard-Drucker gewählt"));
        if (!QPrinterInfo::availablePrinterNames().contains(name))
            throw Fehler(QStringLiteral("Den Drucker %1 gibt es nicht. Es wurde nichts gedruckt.").arg(name));
        m_drucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_drucker->setPrinterName(name);
        if (!m_drucker->isValid())
            throw Fehler(QStringLiteral("Ausgewählter Drucker ist ungültig"));
        // As the window's print dialog sends it: left alone, the mode would be the default printer's, or grey for
        // a printer that does not say it knows colour.
        m_drucker->setColorMode(FarbeWieImDruckdialog(QPrinterInfo::printerInfo(name)));
        AufA4Hochformat(*m_drucker);
    }
    m_drucker->setCopyCount(auftrag.kopien);
    m_drucker->setDocName(QFileInfo(auftrag.etikett).completeBaseName());
}

Ausgabe::~Ausgabe() = default;

Druckflaeche Ausgabe::flaeche()
{
    return FlaecheVon(*m_drucker);
}

QStringList Ausgabe::randverlust(const QList<GedrucktesEtikett> &etiketten, const Druckerkorrektur &korrektur,
                                 int anschnitt) const
{
    const std::optional<Druckraender> raender = UnbedruckbareRaender(*m_drucker);
    if (!raender)
        return {};
    QStringList texte = WasAmRandFehlt(etiketten, *raender, korrektur);
    if (const QString imRand = AnschnittImRand(etiketten, anschnitt, *raender, korrektur); !imRand.isEmpty())
        texte.append(imRand);
    return texte;
}

void Ausgabe::drucke(const Seitenbild &seite)
{
    DruckeAuf(*m_drucker, seite);
}

void Ausgabe::drucke(const QList<Seitenbild> &seite)
{
    DruckeAuf(*m_drucker, [&seite](QPainter &maler) { ZeichneSeite(maler, seite); });
}
