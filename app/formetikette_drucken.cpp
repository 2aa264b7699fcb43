// The print command: one label at its position, one row, or the whole sheet, on one page.
#include "app/formetikette_p.h"

#include "app/bildansicht.h"
#include "app/updown.h"
#include "layout/passung.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "render/masse.h"
#include "render/etikettdokument.h"
#include "render/seite.h"
#include "storage/namen.h"

#include <QCheckBox>
#include <QPainter>
#include <QScopeGuard>

QString TFormEtikette::DruckFrage(const QString &seitenRand)
{
    return QStringLiteral("\tHaben Sie das Papier richtig in den Drucker eingelegt? \r\nDer linke Rand mit Maßangabe ")
        + seitenRand
        + QStringLiteral(" mm ist bei eingelegtem Papier auf der rechten Seite \r\n"
                         "wenn man von vorne auf den Drucker schaut!");
}

Seitenwahl TFormEtikette::Druckwahl() const
{
    return d->dokument.wahl();
}

void TFormEtikette::drucken1Click()
{
    // One print, one set of measures: the dialogs on the way keep the window's messages flowing.
    const Bogenmasse m = Masse();
    const bool mitRueckseite = !d->dokument.rueckseite().isEmpty();
    Druckergebnis ergebnis = Druckergebnis::Nichts;
    DruckeNachFrage(m, [&] {
        const Seitenwahl wahl = Druckwahl();
        const Seitenetikett vorne = Vorderseite(DruckbaresBild(m, wahl), m);
        Druckauftrag auftrag(vorne, wahl);
        auftrag.setzeSchnittmarken(d->dokument.schnittmarken());
        if (!mitRueckseite) {
            ergebnis = DruckeAuftrag(auftrag);
            return ergebnis != Druckergebnis::Nichts;
        }
        // The back is read only when the person asks for it in the same job.
        ergebnis = DruckeAuftrag(auftrag, [&] {
            Druckauftrag beide(vorne, wahl, d->dokument.rueckseitenbild());
            beide.setzeSeiten(Druckseiten::Beide);
            beide.setzeKante(d->z.Wenden);
            beide.setzeSchnittmarken(d->dokument.schnittmarken());
            return beide;
        });
        return ergebnis != Druckergebnis::Nichts;
    });
    // The front alone on paper: the back is offered next, as the person turns the sheet.
    if (mitRueckseite && ergebnis == Druckergebnis::EineSeite)
        RueckseiteDrucken1Click();
}

Seitenetikett TFormEtikette::Vorderseite(const QImage &bild, const Bogenmasse &m) const
{
    return {bild, m, d->dokument.anschnitt(), d->dokument.inhalt().text, d->dokument.inhalt().code};
}

const QImage &TFormEtikette::DruckbaresBild(const Bogenmasse &m, const Seitenwahl &wahl)
{
    const QString etikett = d->dokument.bildPfad();
    const QImage &bild = d->dokument.bild();
    if (wahl.umfang == Druckumfang::EineEtikette) {
        if (bild.isNull())
            throw Fehler(KeinLesbaresBild(etikett));
    } else if (m.IstGenau() ? bild.isNull() : ImageMitEtikettenAuffuellen().isNull()) {
        // Without a sheet there is nothing to print: no empty page goes to the printer.
        throw Fehler(KeinLesbaresBild(etikett) + QStringLiteral(" Es wurde nichts gedruckt."));
    }
    return bild;
}

void TFormEtikette::Probedruck1Click()
{
    const Bogenmasse m = Masse();
    const bool mitRueckseite = !d->dokument.rueckseite().isEmpty();
    // Nothing to print is told once, before the preview changes.
    DruckbaresBild(m, Druckwahl());
    // The preview shows the test page while the print dialog asks for it.
    d->probedruck = true;
    const auto danach = qScopeGuard([this] {
        d->probedruck = false;
        try {
            MachVorschau();
        } catch (const Fehler &) {
            // Told by the command, or at the next refresh: not twice in one.
        }
    });
    MachVorschau();
    Druckergebnis vorne = Druckergebnis::Nichts;
    DruckeOhneFrage(m, [&] {
        const Seitenwahl wahl = Druckwahl();
        Druckauftrag auftrag(Vorderseite(DruckbaresBild(m, wahl), m), wahl);
        auftrag.setzeProbedruck(true);
        auftrag.setzeSchnittmarken(d->dokument.schnittmarken());
        vorne = DruckeAuftrag(auftrag);
        return vorne != Druckergebnis::Nichts;
    });
    if (vorne == Druckergebnis::Nichts || !mitRueckseite)
        return;
    // The back's test page goes on the back of the front's, as "Rückseite drucken" prints it.
    Druckauftrag hinten(Vorderseite(d->dokument.bild(), m), Druckwahl(), d->dokument.rueckseitenbild());
    hinten.setzeSeiten(Druckseiten::Rueckseite);
    hinten.setzeKante(d->z.Wenden);
    hinten.setzeProbedruck(true);
    DruckeOhneFrage(m, [&] {
        if (!FrageVorDerRueckseite())
            return false;
        hinten.setzeKante(d->z.Wenden);
        return DruckeAuftrag(hinten) != Druckergebnis::Nichts;
    });
}

bool TFormEtikette::DruckeNachFrage(const Bogenmasse &m, const std::function<bool()> &drucke, const QString &frage)
{
    const QString text =
        frage.isEmpty() ? DruckFrage(HundertstelText(m.Hundertstel(&Bogenmasse::SeitenRand), QLatin1Char(','))) : frage;
    return DruckeOhneFrage(m, [&] { return dialoge().druckFrage(text) && drucke(); });
}

bool TFormEtikette::DruckeOhneFrage(const Bogenmasse &m, const std::function<bool()> &drucke)
{
    // The dialogs of a running command keep the window's messages flowing; a second command started meanwhile
    // must neither ask again nor touch the printer of the first.
    if (d->drucktGerade)
        throw Fehler(QStringLiteral("Das Drucken ist im Gang"));
    d->drucktGerade = true;
    const auto frei = qScopeGuard([this] { d->drucktGerade = false; });

    // As morvane-druck refuses them: no sheet that does not fit goes to paper with its last row cut off.
    if (const QString hindernis = DruckHindernis(m); !hindernis.isEmpty()) {
        dialoge().information(hindernis);
        return false;
    }
    return drucke();
}

TFormEtikette::Druckergebnis TFormEtikette::DruckeAuftrag(const Druckauftrag &auftrag,
                                                          const std::function<Druckauftrag()> &beideSeiten)
{
    // A blank page would look like a printer fault: refused before the person chooses a printer.
    if (auftrag.leer())
        throw Fehler(LeereSeiteMeldung());
    QPrinter &drucker = Drucker();
    if (!dialoge().druckDialog(drucker))
        return Druckergebnis::Nichts;
    Druckmodul &modul = d->umgebung.druckmodul();
    // The printer chosen brings its turning, for both sides in one job and for the backs that follow.
    FolgeDemDrucker(modul.druckername(drucker));
    // Whatever the dialog's printer properties chose: the margins are checked on the page that prints.
    modul.aufA4(drucker);
    const Druckflaeche vorne = modul.flaecheVon(drucker, Blattseite::Vorderseite);
    const Druckflaeche hinten = modul.flaecheVon(drucker, Blattseite::Rueckseite);
    const std::optional<Druckraender> raender = modul.unbedruckbareRaender(drucker);
    ZeigeDruckraender(raender);
    std::optional<Druckauftrag> beide;
    // A file has no sheet to turn: both sides go into it as its pages, as a print shop or a viewer wants them.
    if (beideSeiten && modul.schreibtDatei(drucker))
        beide = beideSeiten();
    else if (beideSeiten && modul.kannBeidseitig(drucker, d->z.Wenden)) {
        if (dialoge().frage(BeidseitigFrage(raender ? raender->drucker : QString(), d->z.Wenden)))
            beide = beideSeiten();
        else
            dialoge().information(NurVorderseite());
    }
    const Druckauftrag &job = beide ? *beide : auftrag;
    if (raender) {
        QStringList verlust;
        QStringList imRand;
        for (const Randsaetze &seite : job.rand(*raender, vorne.korrektur, hinten.korrektur)) {
            verlust += seite.verlust;
            if (!seite.imRand.isEmpty())
                imRand.append(seite.imRand);
        }
        // A bleed alone in the bands costs no label: it is told, not asked about.
        if (verlust.isEmpty() && !imRand.isEmpty())
            dialoge().information(imRand.join(QLatin1Char('\n')));
        else
            verlust += imRand;
        if (!verlust.isEmpty() && !dialoge().randFrage(RandFrage(raender->drucker, verlust, raender->randlosesA4)))
            return Druckergebnis::Nichts;
    }
    // The job's name for this job only; one the print dialog gave stays.
    const QString name = modul.auftragsname(drucker);
    if (name.isEmpty())
        modul.benenneAuftrag(drucker, Auftragsname(NameOhneEndung(d->dokument.bildPfad()), job.seiten()));
    const auto benannt = qScopeGuard([&] { modul.benenneAuftrag(drucker, name); });
    if (job.hatDaten()) {
        QList<QList<Seitenbild>> seiten;
        for (int bogen = 0; bogen < job.boegen(); ++bogen)
            for (const Blattseite blatt : job.blaetter())
                seiten.append(job.seite(blatt, blatt == Blattseite::Vorderseite ? vorne : hinten, bogen));
        modul.druckeSeiten(drucker, seiten, beide ? std::optional<Wendekante>(job.kante()) : std::nullopt);
        return beide ? Druckergebnis::BeideSeiten : Druckergebnis::EineSeite;
    }
    if (!beide) {
        const Blattseite seite = job.blaetter().front();
        modul.druckeAuf(drucker, job.seite(seite, seite == Blattseite::Vorderseite ? vorne : hinten));
        return Druckergebnis::EineSeite;
    }
    modul.druckeBeidseitig(drucker, job.seite(Blattseite::Vorderseite, vorne),
                           job.seite(Blattseite::Rueckseite, hinten), job.kante());
    return Druckergebnis::BeideSeiten;
}

QString TFormEtikette::RandFrage(const QString &drucker, const QStringList &verlust, const QString &randlos)
{
    QString text = QStringLiteral("Der Drucker %1 kann nicht bis an den Rand des Papiers drucken. Was in seinen "
                                  "Rändern liegt, fehlt auf dem Papier:\n\n")
                       .arg(drucker)
        + verlust.join(QLatin1Char('\n'));
    if (!randlos.isEmpty())
        text += QStringLiteral("\n\nSein Treiber bietet das Papierformat \"%1\" ohne Rand an; Sie können es in den "
                               "Eigenschaften des Druckers wählen.")
                    .arg(randlos);
    return text + QStringLiteral("\n\nTrotzdem drucken?");
}

QPrinter &TFormEtikette::Drucker()
{
    if (!d->drucker) {
        Druckmodul &modul = d->umgebung.druckmodul();
        d->drucker = d->umgebung.druckerFabrik ? d->umgebung.druckerFabrik() : modul.neuerDrucker();
        try {
            modul.aufA4(*d->drucker);
        } catch (const Fehler &) {
            // Said after the print dialog, in which another printer can be chosen.
        }
    }
    return *d->drucker;
}
