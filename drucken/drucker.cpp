#include "drucken/drucker.h"

#include "platform/fehler.h"
#include "storage/druckerausrichtung.h"
#include "storage/zieldatei.h"

#include <QLoggingCategory>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>

#ifdef MORVANE_CUPS
#include <cups/cups.h>
#endif

// Quiet unless QT_LOGGING_RULES asks for it: a person printing has no use for it on the terminal.
Q_LOGGING_CATEGORY(lcDruck, "morvane.druck", QtInfoMsg)

QString AusrichtungsName(const QPrinter &drucker)
{
    return drucker.outputFileName().isEmpty() ? drucker.printerName() : QString();
}

QPrinter::ColorMode FarbeWieImDruckdialog(const QPrinterInfo &drucker)
{
    const bool grauGewaehlt =
        drucker.defaultColorMode() == QPrinter::GrayScale && drucker.supportedColorModes().contains(QPrinter::Color);
    return grauGewaehlt ? QPrinter::GrayScale : QPrinter::Color;
}

bool AufA4(QPrinter &drucker)
{
    const bool a4 = drucker.setPageSize(QPageSize(QPageSize::A4));
    drucker.setPageOrientation(QPageLayout::Portrait);
    return a4;
}

std::shared_ptr<QPrinter> DruckerFuer(const Druckerwahl &wahl)
{
    const QString name = wahl.name.isEmpty() ? QPrinterInfo::defaultPrinterName() : wahl.name;
    if (name.isEmpty())
        throw Fehler(QStringLiteral("Zur Zeit ist kein Standard-Drucker gewählt"));
    if (!QPrinterInfo::availablePrinterNames().contains(name))
        throw Fehler(QStringLiteral("Den Drucker %1 gibt es nicht. Es wurde nichts gedruckt.").arg(name));
    auto drucker = std::make_shared<QPrinter>(QPrinter::HighResolution);
    drucker->setPrinterName(name);
    if (!drucker->isValid())
        throw Fehler(QStringLiteral("Ausgewählter Drucker ist ungültig"));
    // Left alone, the mode would be the default printer's, or grey for a printer that does not say it knows colour.
    drucker->setColorMode(FarbeWieImDruckdialog(QPrinterInfo::printerInfo(name)));
    if (!AufA4(*drucker))
        throw Fehler(QStringLiteral("Der Drucker %1 kennt kein A4-Papier. Es wurde nichts gedruckt.").arg(name));
    drucker->setCopyCount(wahl.kopien);
    drucker->setDocName(wahl.dokument);
    return drucker;
}

Druckflaeche FlaecheVon(QPrinter &drucker)
{
    const QPageLayout seite = drucker.pageLayout();
    const int res = drucker.resolution();
    Druckflaeche f{drucker.logicalDpiX(),
                   drucker.logicalDpiY(),
                   seite.paintRectPixels(res).topLeft() - seite.fullRectPixels(res).topLeft(),
                   {}};
    f.korrektur = LiesDruckerkorrektur(AusrichtungsName(drucker));
    return f;
}

std::optional<Druckraender> UnbedruckbareRaender(const QPrinter &drucker)
{
    if (!drucker.outputFileName().isEmpty())
        return std::nullopt;
    QPageLayout seite = drucker.pageLayout();
    seite.setUnits(QPageLayout::Millimeter);
    // The driver's least margins, not the layout's: the painter is not clipped to these, the paper is.
    const QMarginsF rand = seite.minimumMargins();
    const QRectF papier = seite.fullRect();
    Druckraender r{papier.width(), papier.height(), rand.left(), rand.top(), rand.right(), rand.bottom()};
    r.drucker = drucker.printerName();
    r.randlosesA4 = RandlosesA4(QPrinterInfo::printerInfo(r.drucker).supportedPageSizes());
    return r;
}

void DruckeAuf(QPrinter &drucker, const Seitenbild &seite)
{
    qCDebug(lcDruck) << "Ziel" << Rechteck(seite.ziel);
    DruckeAuf(drucker, [&seite](QPainter &maler) { ZeichneSeite(maler, seite); });
}

namespace {

// One document with one page on the printer as it is set up; `ziel` names the file in the message.
void Male(QPrinter &drucker, const std::function<void(QPainter &)> &zeichne, const QString &ziel)
{
    QPainter maler;
    if (!maler.begin(&drucker)) {
        if (!ziel.isEmpty())
            throw DateiNichtGeschrieben(ziel);
        throw Fehler(QStringLiteral("Ausgewählter Drucker ist ungültig"));
    }
    try {
        zeichne(maler);
    } catch (...) {
        drucker.abort();
        maler.end();
        throw;
    }
    if (!maler.end())
        throw Fehler(QStringLiteral("Der Druck konnte nicht abgeschlossen werden."));
}

// Qt hands the finished page to the print server and keeps the answer to itself: a printer that refuses jobs
// would look printed. The print library keeps the answer to the last request, which was that one.
void PruefeAntwortDesDruckservers(const QPrinter &drucker)
{
#ifdef MORVANE_CUPS
    const ipp_status_t antwort = cupsLastError();
    if (antwort == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
        throw Fehler(QStringLiteral("Der Drucker %1 nimmt keine Aufträge an. Es wurde nichts gedruckt.")
                         .arg(drucker.printerName()));
    if (antwort >= IPP_STATUS_REDIRECTION_OTHER_SITE)
        throw Fehler(QStringLiteral("Der Drucker %1 hat den Auftrag nicht angenommen (%2). Es wurde nichts gedruckt.")
                         .arg(drucker.printerName(), QString::fromUtf8(cupsLastErrorString())));
#else
    Q_UNUSED(drucker);
#endif
}

} // namespace

void DruckeAuf(QPrinter &drucker, const std::function<void(QPainter &)> &zeichne)
{
    qCDebug(lcDruck) << "Drucker" << drucker.printerName() << "Datei" << drucker.outputFileName();
    const QString ziel = drucker.outputFileName();
    if (ziel.isEmpty()) {
        Male(drucker, zeichne, ziel);
        PruefeAntwortDesDruckservers(drucker);
        return;
    }
    // The writer reports no failed write, so the file is checked before it takes the name the person chose.
    Zieldatei datei(ziel);
    drucker.setOutputFileName(datei.entwurf());
    const auto zurueck = qScopeGuard([&] { drucker.setOutputFileName(ziel); });
    Male(drucker, zeichne, ziel);
    if (!PdfVollstaendig(datei.inhalt()))
        throw DateiNichtGeschrieben(ziel);
    datei.uebernehmen();
}
