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
        [this, &dialog](const Bogenplan &plan, const QList<Seitenetikett> &etiketten) {
            return DruckePlan(plan, etiketten, dialog.planung().etiketten());
        },
        dialoge(), this);
    dialog.exec();
}

Druckziel TFormEtikette::DruckePlan(const Bogenplan &plan, const QList<Seitenetikett> &etiketten,
                                    const QList<Planetikett> &dateien)
{
    // The backs the labels' settings files name; a label without one leaves its place on the back empty.
    QStringList namen;
    bool mitRueckseite = false;
    for (const Planetikett &e : dateien)
        namen.append(LiesEinstellungsdatei(EinstellungsPfad(e.pfad), Anfangsmasse).rueckseite);
    for (const Planplatz &p : plan.plaetze)
        mitRueckseite = mitRueckseite || !namen.value(p.etikett).isEmpty();
    int anschnitt = 0;
    for (const Seitenetikett &e : etiketten)
        anschnitt = std::max(anschnitt, e.masse.Anschnitt);
    const Wendekante kante = m_zustand.Wenden;
    const auto rueckseite = [&]() -> Druckseite {
        QList<Seitenetikett> hinten;
        for (qsizetype i = 0; i < namen.size(); ++i)
            hinten.append({namen[i].isEmpty() ? QImage() : LeseRueckseite(dateien[i].pfad, namen[i]),
                           etiketten.value(i, {{}, plan.masse}).masse});
        QList<GedrucktesEtikett> orte;
        for (const Planplatz &p : plan.plaetze)
            if (!hinten.value(p.etikett).bild.isNull())
                orte +=
                    GedruckteEtiketten(QSize(), plan.masse, {Druckumfang::EineEtikette, p.platz.spalte, p.platz.zeile});
        return {
            AufDerRueckseite(orte, kante),
            [plan, hinten, kante](const Druckflaeche &flaeche) { return BaueRueckseite(plan, hinten, flaeche, kante); },
            anschnitt};
    };
    Druckergebnis ergebnis = Druckergebnis::Nichts;
    bool inDatei = false;
    const Druckseite vorne{GedruckteEtiketten(plan),
                           [&](const Druckflaeche &flaeche) { return BaueSeite(plan, etiketten, flaeche); }, anschnitt};
    DruckeNachFrage(plan.masse, [&] {
        ergebnis = DruckeSeite(vorne, Blattseite::Vorderseite,
                               mitRueckseite ? std::function<Druckseite()>(rueckseite) : std::function<Druckseite()>());
        // Into a file no label stock was touched; only paper uses places up.
        inDatei = ergebnis != Druckergebnis::Nichts && m_umgebung.druckmodul().schreibtDatei(Drucker());
        return ergebnis != Druckergebnis::Nichts;
    });
    const Druckziel ziel = ergebnis == Druckergebnis::Nichts ? Druckziel::Nichts
        : inDatei                                            ? Druckziel::Datei
                                                             : Druckziel::Papier;
    if (ergebnis != Druckergebnis::EineSeite || !mitRueckseite)
        return ziel;
    // The front went out, so its places are used whatever becomes of the back.
    try {
        DruckeNachFrage(
            plan.masse, [&] { return DruckeSeite(rueckseite(), Blattseite::Rueckseite) != Druckergebnis::Nichts; },
            RueckseitenFrage(kante));
    } catch (const Fehler &f) {
        dialoge().fehler(f.text());
    }
    return ziel;
}
