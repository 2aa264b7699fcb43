#include "platform/drucker.h"

#include "platform/fehler.h"
#include "storage/druckerausrichtung.h"

#include <QLoggingCategory>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

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

void DruckeAuf(QPrinter &drucker, const Seitenbild &seite)
{
    qCDebug(lcDruck) << "Ziel" << Rechteck(seite.ziel);
    DruckeAuf(drucker, [&seite](QPainter &maler) { ZeichneSeite(maler, seite); });
}

void DruckeAuf(QPrinter &drucker, const std::function<void(QPainter &)> &zeichne)
{
    qCDebug(lcDruck) << "Drucker" << drucker.printerName() << "Datei" << drucker.outputFileName();
    QPainter maler;
    if (!maler.begin(&drucker)) {
        if (!drucker.outputFileName().isEmpty())
            throw Fehler(QStringLiteral("Die Datei %1 kann nicht geschrieben werden. Es wurde nichts gedruckt.")
                             .arg(drucker.outputFileName()));
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
