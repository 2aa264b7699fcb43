#include "cli/ausgabe.h"

#include "platform/drucker.h"
#include "platform/fehler.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinterInfo>

#include <filesystem>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

Fehler NichtSchreibbar(const QString &pdf)
{
    return Fehler(QStringLiteral("Die Datei %1 kann nicht geschrieben werden. Es wurde nichts gedruckt.").arg(pdf));
}

// A temporary file is private to its owner; the finished PDF gets what any new file of this user gets.
void GewoehnlicheRechte(const QString &pfad)
{
#ifdef Q_OS_UNIX
    const mode_t maske = ::umask(0);
    ::umask(maske);
    ::chmod(QFile::encodeName(pfad).constData(), 0666 & ~maske);
#else
    Q_UNUSED(pfad);
#endif
}

} // namespace

Ausgabe::Ausgabe(const Druckauftrag &auftrag) : m_ziel(auftrag.pdf)
{
    if (!m_ziel.isEmpty()) {
        const QFileInfo ziel(m_ziel);
        m_entwurf = std::make_unique<QTemporaryFile>(
            ziel.absoluteDir().filePath(QStringLiteral(".") + ziel.fileName() + QStringLiteral(".XXXXXX")));
        if (!m_entwurf->open())
            throw NichtSchreibbar(m_ziel);
        m_entwurf->close();
        // A PDF file needs no print system: with no plugin folders the printer starts as a PDF writer and never
        // asks the print server, which may take long. The label's picture is already read.
        QCoreApplication::setLibraryPaths({});
        m_drucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_drucker->setOutputFormat(QPrinter::PdfFormat);
        m_drucker->setOutputFileName(m_entwurf->fileName());
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
        // The layout of every label assumes A4 portrait, whatever the printer is set to.
        if (!m_drucker->setPageSize(QPageSize(QPageSize::A4)))
            throw Fehler(QStringLiteral("Der Drucker %1 kennt kein A4-Papier. Es wurde nichts gedruckt.").arg(name));
        m_drucker->setPageOrientation(QPageLayout::Portrait);
    }
    m_drucker->setCopyCount(auftrag.kopien);
    m_drucker->setDocName(QFileInfo(auftrag.etikett).completeBaseName());
}

Ausgabe::~Ausgabe() = default;

Druckflaeche Ausgabe::flaeche()
{
    return FlaecheVon(*m_drucker);
}

void Ausgabe::drucke(const Seitenbild &seite)
{
    try {
        DruckeAuf(*m_drucker, seite);
    } catch (const Fehler &) {
        if (m_ziel.isEmpty())
            throw;
        // The text names the file the person asked for, not the draft beside it.
        throw NichtSchreibbar(m_ziel);
    }
    if (m_ziel.isEmpty())
        return;
    GewoehnlicheRechte(m_entwurf->fileName());
    std::error_code fehler;
    std::filesystem::rename(m_entwurf->fileName().toStdU16String(), m_ziel.toStdU16String(), fehler);
    if (fehler)
        throw NichtSchreibbar(m_ziel);
    m_entwurf->setAutoRemove(false);
}
