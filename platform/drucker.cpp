#include "platform/drucker.h"

#include "platform/fehler.h"
#include "storage/druckerausrichtung.h"

#include <QLoggingCategory>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

Q_LOGGING_CATEGORY(lcDruck, "morvane.druck")

Druckflaeche FlaecheVon(QPrinter &drucker)
{
    const QPageLayout seite = drucker.pageLayout();
    const int res = drucker.resolution();
    Druckflaeche f{drucker.logicalDpiX(),
                   drucker.logicalDpiY(),
                   seite.paintRectPixels(res).topLeft() - seite.fullRectPixels(res).topLeft(),
                   {}};
    if (drucker.outputFileName().isEmpty())
        f.korrektur = LiesDruckerkorrektur(drucker.printerName());
    return f;
}

void DruckeAuf(QPrinter &drucker, const Seitenbild &seite)
{
    qCDebug(lcDruck) << "Drucker" << drucker.printerName() << "Datei" << drucker.outputFileName() << "Ziel"
                     << Rechteck(seite.ziel);
    QPainter maler;
    if (!maler.begin(&drucker)) {
        if (!drucker.outputFileName().isEmpty())
            throw Fehler(QStringLiteral("Die Datei %1 kann nicht geschrieben werden. Es wurde nichts gedruckt.")
                             .arg(drucker.outputFileName()));
        throw Fehler(QStringLiteral("Ausgewählter Drucker ist ungültig"));
    }
    try {
        ZeichneSeite(maler, seite);
    } catch (...) {
        drucker.abort();
        maler.end();
        throw;
    }
    if (!maler.end())
        throw Fehler(QStringLiteral("Der Druck konnte nicht abgeschlossen werden."));
}
