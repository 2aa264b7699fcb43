// "Bogen zusammenstellen...": several labels on the current label's sheet, printed as "Drucken" prints.
#include "app/formetikette.h"

#include "dialogs/bogenplandialog.h"
#include "platform/fehler.h"
#include "render/seite.h"

#include <QFileInfo>

#include <algorithm>

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
    const Bogenmasse m = Masse();
    TBogenplanDialog dialog(
        m, {m_zustand.AktuelleEtikettDatei, bild, m, 1, true}, ordner,
        [this](const Bogenplan &plan, const QList<Seitenetikett> &etiketten) {
            bool inDatei = false;
            const bool gedruckt = DruckeNachFrage(plan.masse, [&] {
                int anschnitt = 0;
                for (const Seitenetikett &e : etiketten)
                    anschnitt = std::max(anschnitt, e.masse.Anschnitt);
                const bool raus = DruckeSeite(
                    GedruckteEtiketten(plan),
                    [&](const Druckflaeche &flaeche) { return BaueSeite(plan, etiketten, flaeche); }, anschnitt);
                // Into a file no label stock was touched; only paper uses places up.
                inDatei = raus && m_umgebung.druckmodul().schreibtDatei(Drucker());
                return raus;
            });
            return !gedruckt ? Druckziel::Nichts : inDatei ? Druckziel::Datei : Druckziel::Papier;
        },
        dialoge(), this);
    dialog.exec();
}
