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

Druckflaeche Ausgabe::flaeche(Blattseite seite)
{
    return FlaecheVon(*m_drucker, seite);
}

bool Ausgabe::kannBeidseitig(Wendekante kante) const
{
    return KannBeidseitig(*m_drucker, kante);
}

void Ausgabe::druckeBeidseitig(const QList<Seitenbild> &vorne, const QList<Seitenbild> &hinten, Wendekante kante)
{
    DruckeBeidseitig(
        *m_drucker, [&vorne](QPainter &maler) { ZeichneSeite(maler, vorne); },
        [&hinten](QPainter &maler) { ZeichneSeite(maler, hinten); }, kante);
}

QStringList Ausgabe::randverlust(const QList<GedrucktesEtikett> &etiketten, const Druckerkorrektur &korrektur) const
{
    const std::optional<Druckraender> raender = UnbedruckbareRaender(*m_drucker);
    return raender ? WasAmRandFehlt(etiketten, *raender, korrektur) : QStringList();
}

void Ausgabe::drucke(const Seitenbild &seite)
{
    DruckeAuf(*m_drucker, seite);
}

void Ausgabe::drucke(const QList<Seitenbild> &seite)
{
    DruckeAuf(*m_drucker, [&seite](QPainter &maler) { ZeichneSeite(maler, seite); });
}
