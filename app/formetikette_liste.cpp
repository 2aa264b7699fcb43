// "Etiketten aus einer Liste...": the label's text and code filled from records, printed as "Drucken" prints.
#include "app/formetikette_p.h"

#include "dialogs/datenfelddialog.h"
#include "dialogs/listendruck.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "render/etikettdokument.h"
#include "storage/bogenbelegung.h"
#include "storage/einstellungen.h"

#include <QFileInfo>

void TFormEtikette::EtikettenAusListe1Click()
{
    const Etikettinhalt &inhalt = d->dokument.inhalt();
    if (!inhalt.text && !inhalt.code)
        throw Fehler(QStringLiteral("Die Etikette hat weder Text noch Code, in den eine Liste etwas einsetzen könnte. "
                                    "Legen Sie zuerst mit \"Bearbeiten | Text auf dem Etikett...\" oder \"Bearbeiten | "
                                    "Code auf dem Etikett...\" fest, was auf jede Etikette kommt."));
    const Bogenmasse m = Masse();
    if (d->dokument.bild().isNull())
        throw Fehler(KeinLesbaresBild(d->dokument.bildPfad()));
    QString ordner = d->z.OrdnerEtiketten;
    if (ordner.isEmpty())
        ordner = QFileInfo(d->dokument.bildPfad()).absolutePath();
    const Belegung verbraucht = LiesVerbrauchtePlaetze(m);
    TListenDialog dialog(m, verbraucht, ordner, dialoge(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    d->listenfelder = dialog.reihe().felder;
    d->ersterSatz = dialog.reihe().satz(0);
    Seitenetikett vorne = d->dokument.seitenetikett();
    vorne.masse = m;
    const bool mitRueckseite = !d->dokument.rueckseite().isEmpty();
    const auto auftrag = [&](Druckseiten seiten) {
        Druckauftrag job(vorne, {Druckumfang::EineEtikette, 1, 1},
                         seiten == Druckseiten::Vorderseite ? QImage() : d->dokument.rueckseitenbild());
        job.setzeSeiten(seiten);
        job.setzeKante(d->z.Wenden);
        job.setzeSchnittmarken(d->dokument.schnittmarken());
        job.setzeDaten(dialog.reihe(), dialog.ab(), verbraucht);
        return job;
    };
    const Druckauftrag vorderseiten = auftrag(Druckseiten::Vorderseite);
    // A placeholder without a field would print on every label; the others concern single records.
    const Datenhinweise hinweise = vorderseiten.vorDemDruck();
    if (!hinweise.unbekannt.isEmpty())
        throw Fehler(hinweise.unbekannt + QStringLiteral(" Es wurde nichts gedruckt."));
    if (!hinweise.leer()
        && !dialoge().vorsichtsfrage(hinweise.text()
                                     + QStringLiteral("\n\nTrotzdem drucken? Ein Code, der seinen "
                                                      "Inhalt nicht fassen kann, bleibt weg.")))
        return;
    if (dialog.probedruck()) {
        // Plain paper: the first sheet, no question about the stock, no place used.
        Druckauftrag probe = auftrag(Druckseiten::Vorderseite);
        probe.setzeProbedruck(true);
        DruckeOhneFrage(m, [&] { return DruckeAuftrag(probe) != Druckergebnis::Nichts; });
        return;
    }
    Druckergebnis ergebnis = Druckergebnis::Nichts;
    bool inDatei = false;
    DruckeNachFrage(m, [&] {
        ergebnis =
            DruckeAuftrag(vorderseiten,
                          mitRueckseite ? std::function<Druckauftrag()>([&] { return auftrag(Druckseiten::Beide); })
                                        : std::function<Druckauftrag()>());
        inDatei = ergebnis != Druckergebnis::Nichts && d->umgebung.druckmodul().schreibtDatei(Drucker());
        return ergebnis != Druckergebnis::Nichts;
    });
    // Only paper uses places up: the last sheet's printed places, on a fresh sheet every other one free.
    if (ergebnis == Druckergebnis::Nichts || inDatei)
        return;
    const Belegung danach = vorderseiten.belegungDanach();
    Platzaenderung aenderung;
    for (int n = 1; n <= danach.size(); ++n)
        if (danach[n - 1])
            aenderung.verbraucht.append(n);
        else if (vorderseiten.boegen() > 1)
            aenderung.frei.append(n);
    AendereVerbrauchtePlaetze(m, aenderung);
}

void TFormEtikette::TextAufEtikett1Click()
{
    const Bogenmasse m = Masse();
    TTextDialog dialog(d->dokument.inhalt().text, d->listenfelder, m.Hundertstel(&Bogenmasse::Etikettenbreite),
                       m.Hundertstel(&Bogenmasse::Etikettenhoehe), dialoge(), this);
    if (dialog.exec() == QDialog::Accepted)
        d->dokument.setzeText(dialog.text());
}

void TFormEtikette::CodeAufEtikett1Click()
{
    const Bogenmasse m = Masse();
    TCodeDialog dialog(d->dokument.inhalt().code, m.Hundertstel(&Bogenmasse::Etikettenbreite),
                       m.Hundertstel(&Bogenmasse::Etikettenhoehe), dialoge(), this);
    if (dialog.exec() == QDialog::Accepted)
        d->dokument.setzeCode(dialog.code());
}
