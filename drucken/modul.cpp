// The adapter's entry point: what the window and morvane-druck reach through Druckmodul.
#include "drucken/ausrichtung.h"
#include "drucken/druckdialog.h"
#include "drucken/druckmodul.h"
#include "drucken/drucker.h"

#include <QPrinter>

namespace {

class QtDruckmodul : public Druckmodul
{
public:
    std::shared_ptr<QPrinter> neuerDrucker() override { return std::make_shared<QPrinter>(QPrinter::HighResolution); }
    void aufA4(QPrinter &drucker) override { AufA4Hochformat(drucker); }
    std::shared_ptr<QPrinter> druckerFuer(const Druckerwahl &wahl) override { return DruckerFuer(wahl); }
    Druckflaeche flaecheVon(QPrinter &drucker, Blattseite seite) override { return FlaecheVon(drucker, seite); }
    void druckeAuf(QPrinter &drucker, const Seitenbild &seite) override { DruckeAuf(drucker, seite); }
    void druckeAuf(QPrinter &drucker, const QList<Seitenbild> &teile) override
    {
        if (teile.size() == 1)
            DruckeAuf(drucker, teile.front());
        else
            DruckeAuf(drucker, [&teile](QPainter &maler) { ZeichneSeite(maler, teile); });
    }
    bool kannBeidseitig(const QPrinter &drucker, Wendekante kante) override { return KannBeidseitig(drucker, kante); }
    void druckeBeidseitig(QPrinter &drucker, const QList<Seitenbild> &vorne, const QList<Seitenbild> &hinten,
                          Wendekante kante) override
    {
        DruckeBeidseitig(
            drucker, [&vorne](QPainter &maler) { ZeichneSeite(maler, vorne); },
            [&hinten](QPainter &maler) { ZeichneSeite(maler, hinten); }, kante);
    }
    QString auftragsname(const QPrinter &drucker) override { return drucker.docName(); }
    void benenneAuftrag(QPrinter &drucker, const QString &name) override { drucker.setDocName(name); }
    void druckeSeiten(QPrinter &drucker, const QList<QList<Seitenbild>> &seiten,
                      std::optional<Wendekante> beidseitig) override
    {
        QList<std::function<void(QPainter &)>> maler;
        for (const QList<Seitenbild> &seite : seiten)
            maler.append([&seite](QPainter &p) { ZeichneSeite(p, seite); });
        DruckeSeiten(drucker, maler, beidseitig);
    }
    bool schreibtDatei(const QPrinter &drucker) override { return !drucker.outputFileName().isEmpty(); }
    std::optional<Druckraender> unbedruckbareRaender(const QPrinter &drucker) override
    {
        return UnbedruckbareRaender(drucker);
    }
    std::unique_ptr<Druckdialog> neuerDruckdialog() override { return std::make_unique<QtDruckdialog>(); }
    QString druckername(const QPrinter &drucker) override { return AusrichtungsName(drucker); }
    std::optional<Wendung> wendeprobe(QPrinter &drucker, DialogDienst &dialoge) override
    {
        return DruckeWendeprobe(drucker, dialoge);
    }
    void ausrichten(QPrinter &drucker, DialogDienst &dialoge, QWidget *eltern) override
    {
        TAusrichtungsDialog dialog(drucker, dialoge, eltern);
        dialog.exec();
    }
};

} // namespace

extern "C" Q_DECL_EXPORT Druckmodul *morvane_druckmodul()
{
    static QtDruckmodul modul;
    return &modul;
}
