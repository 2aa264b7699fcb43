// "Bogen zusammenstellen...": several labels on the current label's sheet, printed as "Drucken" prints.
#include "app/formetikette_p.h"

#include "dialogs/bogenplandialog.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "render/randpruefung.h"
#include "render/seite.h"
#include "storage/rueckseite.h"

#include <QFileInfo>

#include <algorithm>

void TFormEtikette::BogenZusammenstellen1Click()
{
    const QImage &bild = d->dokument.bild();
    const QString etikett = d->dokument.bildPfad();
    if (bild.isNull())
        throw Fehler(KeinLesbaresBild(etikett));
    // The labels folder is known once a label was opened; before, it is the store's, or the shown label's own.
    QString ordner = d->z.OrdnerEtiketten;
    if (ordner.isEmpty())
        ordner = Lies_String_aus_Registry(QStringLiteral("OrdnerEtiketten"));
    if (ordner.isEmpty())
        ordner = QFileInfo(etikett).absolutePath();
    const Bogenmasse m = Masse();
    Planetikett eigenes{etikett, bild, m, 1, true, d->dokument.rueckseite(), d->dokument.anschnitt()};
    TBogenplanDialog dialog(
        m, std::move(eigenes), ordner,
        [this, &dialog](const Bogenplan &plan, const QList<Seitenetikett> &etiketten) {
            return DruckePlan(plan, etiketten, dialog.planung().etiketten());
        },
        [this, &dialog](const Bogenplan &plan, const QList<Seitenetikett> &etiketten) {
            return DruckePlan(plan, etiketten, dialog.planung().etiketten(), true);
        },
        dialoge(), this);
    dialog.exec();
}

Druckziel TFormEtikette::DruckePlan(const Bogenplan &plan, const QList<Seitenetikett> &etiketten,
                                    const QList<Planetikett> &dateien, bool probe)
{
    // The backs the plan's labels carry, read when a back page is made; a label without one leaves its place on
    // the back empty.
    const auto rueckseiten = [&] {
        QList<QImage> bilder;
        for (const Planetikett &e : dateien)
            bilder.append(e.rueckseite.isEmpty() ? QImage() : LeseRueckseite(e.pfad, e.rueckseite));
        return bilder;
    };
    const bool mitRueckseite = std::any_of(plan.plaetze.begin(), plan.plaetze.end(), [&](const Planplatz &p) {
        return p.etikett >= 0 && p.etikett < dateien.size() && !dateien[p.etikett].rueckseite.isEmpty();
    });
    Wendekante kante = d->z.Wenden;
    const auto auftrag = [&](Druckseiten seiten) {
        Druckauftrag job(plan, etiketten, seiten == Druckseiten::Vorderseite ? QList<QImage>() : rueckseiten());
        job.setzeSeiten(seiten);
        job.setzeKante(kante);
        job.setzeProbedruck(probe);
        // The page's marks are the window's label's, whose sheet the plan fills.
        job.setzeSchnittmarken(d->dokument.schnittmarken());
        return job;
    };
    Druckergebnis ergebnis = Druckergebnis::Nichts;
    bool inDatei = false;
    const auto vorne = [&] {
        ergebnis = DruckeAuftrag(auftrag(Druckseiten::Vorderseite),
                                 mitRueckseite && !probe
                                     ? std::function<Druckauftrag()>([&] { return auftrag(Druckseiten::Beide); })
                                     : std::function<Druckauftrag()>());
        // Into a file no label stock was touched; only paper uses places up.
        inDatei = ergebnis != Druckergebnis::Nichts && d->umgebung.druckmodul().schreibtDatei(Drucker());
        return ergebnis != Druckergebnis::Nichts;
    };
    if (probe)
        DruckeOhneFrage(plan.masse, vorne);
    else
        DruckeNachFrage(plan.masse, vorne);
    const Druckziel ziel = ergebnis == Druckergebnis::Nichts ? Druckziel::Nichts
        : inDatei                                            ? Druckziel::Datei
                                                             : Druckziel::Papier;
    if (ergebnis != Druckergebnis::EineSeite || !mitRueckseite)
        return ziel;
    // The front went out, so its places are used whatever becomes of the back.
    try {
        DruckeOhneFrage(plan.masse, [&] {
            if (!FrageVorDerRueckseite())
                return false;
            kante = d->z.Wenden;
            return DruckeAuftrag(auftrag(Druckseiten::Rueckseite)) != Druckergebnis::Nichts;
        });
    } catch (const Fehler &f) {
        dialoge().fehler(f.text());
    }
    return ziel;
}
