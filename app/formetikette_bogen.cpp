// "Bogen zusammenstellen...": several labels on the current label's sheet, printed as "Drucken" prints.
#include "app/formetikette.h"

#include "dialogs/bogenplandialog.h"
#include "platform/fehler.h"
#include "render/seite.h"

#include <QFileInfo>

void TFormEtikette::BogenZusammenstellen1Click()
{
    const QImage &bild = Etikettbild();
    if (bild.isNull())
        throw Fehler(KeinLesbaresBild(m_zustand.AktuelleEtikettDatei));
    // The labels folder is known once a label was opened; before, it is the store's, or the shown label's own.
    QString ordner = m_zustand.OrdnerEtiketten;
    if (ordner.isEmpty())
        ordner = Lies_String_aus_Registry(QStringLiteral("OrdnerEtiketten"));
    if (ordner.isEmpty())
        ordner = QFileInfo(m_zustand.AktuelleEtikettDatei).absolutePath();
    TBogenplanDialog dialog(
        Masse(), {m_zustand.AktuelleEtikettDatei, bild}, ordner,
        [this](const Bogenplan &plan, const QList<QImage> &bilder) {
            return DruckeNachFrage(plan.masse, [&] {
                return DruckeSeite(GedruckteEtiketten(plan),
                                   [&](const Druckflaeche &flaeche) { return BaueSeite(plan, bilder, flaeche); });
            });
        },
        dialoge(), this);
    dialog.exec();
}
