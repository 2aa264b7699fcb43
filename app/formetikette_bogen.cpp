// "Bogen zusammenstellen...": several labels on the current label's sheet, printed as "Drucken" prints.
#include "app/formetikette.h"

#include "dialogs/bogenplandialog.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "render/randpruefung.h"
#include "render/seite.h"
#include "storage/einstellungen.h"
#include "storage/rueckseite.h"

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
        [this, &dialog](const Bogenplan &plan, const QList<QImage> &bilder) {
            return DruckePlan(plan, bilder, dialog.planung().etiketten());
        },
        dialoge(), this);
    dialog.exec();
}

bool TFormEtikette::DruckePlan(const Bogenplan &plan, const QList<QImage> &bilder, const QList<Planetikett> &etiketten)
{
    // The backs the labels' settings files name; a label without one leaves its place on the back empty.
    QStringList namen;
    bool mitRueckseite = false;
    for (const Planetikett &e : etiketten)
        namen.append(LiesEinstellungsdatei(EinstellungsPfad(e.pfad), Anfangsmasse).rueckseite);
    for (const Planplatz &p : plan.plaetze)
        mitRueckseite = mitRueckseite || !namen.value(p.etikett).isEmpty();
    const Wendekante kante = m_zustand.Wenden;
    const auto rueckseite = [&]() -> Druckseite {
        QList<QImage> hinten(namen.size());
        for (qsizetype i = 0; i < namen.size(); ++i)
            if (!namen[i].isEmpty())
                hinten[i] = LeseRueckseite(etiketten[i].pfad, namen[i]);
        QList<GedrucktesEtikett> orte;
        for (const Planplatz &p : plan.plaetze)
            if (!hinten.value(p.etikett).isNull())
                orte +=
                    GedruckteEtiketten(QSize(), plan.masse, {Druckumfang::EineEtikette, p.platz.spalte, p.platz.zeile});
        return {AufDerRueckseite(orte, kante), [plan, hinten, kante](const Druckflaeche &flaeche) {
                    return BaueRueckseite(plan, hinten, flaeche, kante);
                }};
    };
    Druckergebnis ergebnis = Druckergebnis::Nichts;
    const Druckseite vorne{GedruckteEtiketten(plan),
                           [&](const Druckflaeche &flaeche) { return BaueSeite(plan, bilder, flaeche); }};
    DruckeNachFrage(plan.masse, [&] {
        ergebnis = DruckeSeite(vorne, Blattseite::Vorderseite,
                               mitRueckseite ? std::function<Druckseite()>(rueckseite) : std::function<Druckseite()>());
        return ergebnis != Druckergebnis::Nichts;
    });
    if (ergebnis != Druckergebnis::EineSeite || !mitRueckseite)
        return ergebnis != Druckergebnis::Nichts;
    // The front went out, so its places are used whatever becomes of the back.
    try {
        DruckeNachFrage(
            plan.masse, [&] { return DruckeSeite(rueckseite(), Blattseite::Rueckseite) != Druckergebnis::Nichts; },
            RueckseitenFrage(kante));
    } catch (const Fehler &f) {
        dialoge().fehler(f.text());
    }
    return true;
}
