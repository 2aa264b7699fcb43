// The print command: one label at its position, one row, or the whole sheet, on one page.
#include "app/formetikette.h"

#include "app/bildansicht.h"
#include "app/updown.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "render/bogen.h"
#include "render/masse.h"

#include <QCheckBox>
#include <QLoggingCategory>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>

Q_LOGGING_CATEGORY(lcDruck, "morvane.druck")

QString TFormEtikette::DruckFrage(int seitenRand)
{
    return QStringLiteral("\tHaben Sie das Papier richtig in den Drucker eingelegt? \r\nDer linke Rand mit Maßangabe ")
        + QString::number(seitenRand)
        + QStringLiteral(" mm ist bei eingelegtem Papier auf der rechten Seite \r\n"
                         "wenn man von vorne auf den Drucker schaut!");
}

void TFormEtikette::drucken1Click()
{
    // The dialogs of a running command keep the window's messages flowing; a second command started meanwhile
    // must neither ask again nor touch Image2 or the printer of the first.
    if (m_drucktGerade)
        throw Fehler(QStringLiteral("Das Drucken ist im Gang"));
    m_drucktGerade = true;
    const auto frei = qScopeGuard([this] { m_drucktGerade = false; });

    if (!dialoge().druckFrage(DruckFrage(SeitenRand())))
        return;
    if (NurEineDruckenCheckBox->isChecked()) {
        const int x = Horizontalabstand() * (Spalte() - 1) + SeitenRand();
        const int y = Vertikalabstand() * (Zeile() - 1) + ObererRand();
        Image2->laden(AktuelleEtikettDatei);
        DruckeEtikettAnPosition(Image2->bild(), x, y, Etikettenbreite(), Etikettenhoehe());
        return;
    }
    // Without a sheet there is nothing to print: no empty page goes to the printer.
    if (!ImageMitEtikettenAuffuellen())
        throw Fehler(KeinLesbaresBild(AktuelleEtikettDatei) + QStringLiteral(" Es wurde nichts gedruckt."));
    DruckeBildMitSeitenverhaeltnis(Image2->bild(), true, 0, 0, 210.0);
}

void TFormEtikette::DruckeEtikettAnPosition(const QImage &bild, int xMm, int yMm, double breiteMm, double hoeheMm)
{
    DruckeSeite(bild, [=](int dpiX, int dpiY, int offX, int offY) {
        return Platzierungsrechteck(dpiX, dpiY, offX, offY, xMm, yMm, breiteMm, hoeheMm);
    });
}

void TFormEtikette::DruckeBildMitSeitenverhaeltnis(const QImage &bild, bool breiteGegeben, int xMm, int yMm,
                                                   double laengeMm)
{
    DruckeSeite(bild, [&bild, breiteGegeben, xMm, yMm, laengeMm](int dpiX, int dpiY, int offX, int offY) {
        return PlatzierungMitSeitenverhaeltnis(dpiX, dpiY, offX, offY, xMm, yMm, laengeMm, breiteGegeben, bild.width(),
                                               bild.height());
    });
}

void TFormEtikette::DruckeSeite(const QImage &bild, const std::function<Platzierung(int, int, int, int)> &platzierung)
{
    // A blank page would look like a printer fault; refuse before the user chooses a printer.
    if (bild.isNull())
        throw Fehler(QStringLiteral("Es gibt kein Bild zum Drucken. Es wurde nichts gedruckt."));
    QPrinter &drucker = Drucker();
    if (!dialoge().druckDialog(drucker))
        return;

    // Resolution and offsets come before the page, as positions count from the paper's edge while the
    // painter's origin is the corner of the printable area (the paper's corner in full-page mode).
    const int dpiX = drucker.logicalDpiX();
    const int dpiY = drucker.logicalDpiY();
    const QPageLayout seite = drucker.pageLayout();
    const int res = drucker.resolution();
    const QPoint versatz = seite.paintRectPixels(res).topLeft() - seite.fullRectPixels(res).topLeft();
    const Platzierung p = platzierung(dpiX, dpiY, versatz.x(), versatz.y());
    qCDebug(lcDruck) << "dpi" << dpiX << dpiY << "Versatz" << versatz << "Ziel" << Rechteck(p);

    QPainter maler;
    if (!maler.begin(&drucker)) {
        if (!drucker.outputFileName().isEmpty())
            throw Fehler(QStringLiteral("Die Datei %1 kann nicht geschrieben werden. Es wurde nichts gedruckt.")
                             .arg(drucker.outputFileName()));
        throw Fehler(QStringLiteral("Ausgewählter Drucker ist ungültig"));
    }
    // The document is open from here on: whatever happens, it is closed before the error goes on.
    try {
        ZeichneGestreckt(maler, Rechteck(p), bild);
    } catch (...) {
        drucker.abort();
        maler.end();
        throw;
    }
    if (!maler.end())
        throw Fehler(QStringLiteral("Der Druck konnte nicht abgeschlossen werden."));
}

QPrinter &TFormEtikette::Drucker()
{
    if (!m_drucker) {
        m_drucker = m_umgebung.druckerFabrik();
        // The sheet is laid out for A4: a printer that starts on Letter would cut off its bottom.
        m_drucker->setPageSize(QPageSize(QPageSize::A4));
        m_drucker->setPageOrientation(QPageLayout::Portrait);
    }
    return *m_drucker;
}
