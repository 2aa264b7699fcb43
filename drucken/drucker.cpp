#include "drucken/drucker.h"

#include "platform/fehler.h"
#include "render/pdfdatei.h"
#include "storage/druckerausrichtung.h"
#include "storage/zieldatei.h"

#include <QLoggingCategory>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>

#include <algorithm>

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

void AufA4Hochformat(QPrinter &drucker)
{
    const QPageSize a4(QPageSize::A4);
    const QPageSize eingestellt = drucker.pageLayout().pageSize();
    const bool schonA4 = eingestellt.isEquivalentTo(a4);
    // A file takes any paper; so does a printer that tells nothing of its papers.
    const QPrinterInfo info =
        drucker.outputFileName().isEmpty() ? QPrinterInfo::printerInfo(drucker.printerName()) : QPrinterInfo();
    const QList<QPageSize> papiere = info.isNull() ? QList<QPageSize>() : info.supportedPageSizes();
    const bool kannA4 = papiere.isEmpty() || info.supportsCustomPageSizes()
        || std::any_of(papiere.begin(), papiere.end(), [&](const QPageSize &p) { return p.isEquivalentTo(a4); });
    if (kannA4) {
        // The orientation first: the driver's margins come with the paper, for the orientation it is set to.
        drucker.setPageOrientation(QPageLayout::Portrait);
        if (drucker.setPageSize(schonA4 ? eingestellt : a4)
            && drucker.pageLayout().orientation() == QPageLayout::Portrait)
            return;
    }
    // An A4 the driver does not know stands for the paper the printer then takes.
    const QString papier = schonA4 && !info.isNull() ? info.defaultPageSize().name() : eingestellt.name();
    throw Fehler(QStringLiteral("Der Drucker ist auf %1 eingestellt; Etikettenbögen sind A4.").arg(papier));
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
    AufA4Hochformat(*drucker);
    drucker->setCopyCount(wahl.kopien);
    drucker->setDocName(wahl.dokument);
    return drucker;
}

Druckflaeche FlaecheVon(QPrinter &drucker, Blattseite blattseite)
{
    const QPageLayout seite = drucker.pageLayout();
    const int res = drucker.resolution();
    Druckflaeche f{drucker.logicalDpiX(),
                   drucker.logicalDpiY(),
                   seite.paintRectPixels(res).topLeft() - seite.fullRectPixels(res).topLeft(),
                   {}};
    f.korrektur = LiesDruckerkorrektur(AusrichtungsName(drucker), blattseite);
    return f;
}

bool KannBeidseitig(const QPrinter &drucker, Wendekante kante)
{
    if (!drucker.outputFileName().isEmpty() || drucker.printerName().isEmpty())
        return false;
    return QPrinterInfo::printerInfo(drucker.printerName())
        .supportedDuplexModes()
        .contains(kante == Wendekante::Kurz ? QPrinter::DuplexShortSide : QPrinter::DuplexLongSide);
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

// One document of these pages on the printer as it is set up; `ziel` names the file in the message.
void Male(QPrinter &drucker, const QList<Seitenmaler> &seiten, const QString &ziel)
{
    MaleSeiten(drucker, seiten,
               ziel.isEmpty() ? Fehler(QStringLiteral("Ausgewählter Drucker ist ungültig")) : DateiNichtGeschrieben(ziel),
               [&drucker] { drucker.abort(); });
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

namespace {

void DruckeSeiten(QPrinter &drucker, const QList<Seitenmaler> &seiten)
{
    qCDebug(lcDruck) << "Drucker" << drucker.printerName() << "Datei" << drucker.outputFileName() << "Seiten"
                     << seiten.size() << "beidseitig" << drucker.duplex();
    const QString ziel = drucker.outputFileName();
    if (ziel.isEmpty()) {
        Male(drucker, seiten, ziel);
        PruefeAntwortDesDruckservers(drucker);
        return;
    }
    // The writer reports no failed write, so the file is checked before it takes the name the person chose.
    Zieldatei datei(ziel);
    drucker.setOutputFileName(datei.entwurf());
    const auto zurueck = qScopeGuard([&] { drucker.setOutputFileName(ziel); });
    Male(drucker, seiten, ziel);
    if (!PdfVollstaendig(datei.inhalt()))
        throw DateiNichtGeschrieben(ziel);
    datei.uebernehmen();
}

} // namespace

void DruckeAuf(QPrinter &drucker, const std::function<void(QPainter &)> &zeichne)
{
    DruckeSeiten(drucker, {zeichne});
}

void DruckeSeiten(QPrinter &drucker, const QList<std::function<void(QPainter &)>> &seiten,
                  std::optional<Wendekante> beidseitig)
{
    if (!beidseitig) {
        DruckeSeiten(drucker, seiten);
        return;
    }
    const QPrinter::DuplexMode vorher = drucker.duplex();
    drucker.setDuplex(*beidseitig == Wendekante::Kurz ? QPrinter::DuplexShortSide : QPrinter::DuplexLongSide);
    const auto zurueck = qScopeGuard([&] { drucker.setDuplex(vorher); });
    DruckeSeiten(drucker, seiten);
}

void DruckeBeidseitig(QPrinter &drucker, const std::function<void(QPainter &)> &vorne,
                      const std::function<void(QPainter &)> &hinten, Wendekante kante)
{
    // The session's printer keeps the person's choices: two sides for this job only.
    const QPrinter::DuplexMode vorher = drucker.duplex();
    drucker.setDuplex(kante == Wendekante::Kurz ? QPrinter::DuplexShortSide : QPrinter::DuplexLongSide);
    const auto zurueck = qScopeGuard([&] { drucker.setDuplex(vorher); });
    DruckeSeiten(drucker, {vorne, hinten});
}
