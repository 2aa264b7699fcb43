// "Bogen zusammenstellen...": several labels on the current label's sheet, printed as "Drucken" prints.
#include "app/formetikette.h"

#include "dialogs/bogenplandialog.h"
#include "platform/fehler.h"
#include "render/seite.h"

void TFormEtikette::BogenZusammenstellen1Click()
{
    const QImage &bild = Etikettbild();
    if (bild.isNull())
        throw Fehler(KeinLesbaresBild(m_zustand.AktuelleEtikettDatei));
    TBogenplanDialog dialog(
        Masse(), {m_zustand.AktuelleEtikettDatei, bild}, m_zustand.OrdnerEtiketten,
        [this](const Bogenplan &plan, const QList<QImage> &bilder) {
            return DruckeNachFrage(plan.masse, [&] {
                return DruckeSeite([&](const Druckflaeche &flaeche) { return BaueSeite(plan, bilder, flaeche); });
            });
        },
        dialoge(), this);
    dialog.exec();
}
