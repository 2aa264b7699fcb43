// The label's back: choosing it, showing it, printing it behind its front.
#include "app/formetikette_p.h"

#include "app/bildansicht.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "render/ausrichtung.h"
#include "render/randpruefung.h"
#include "render/seite.h"
#include "storage/bilddatei.h"
#include "storage/druckerausrichtung.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "storage/namen.h"
#include "storage/rueckseite.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>

QString TFormEtikette::RueckseitenFrage(Wendekante kante)
{
    return QStringLiteral("\tHaben Sie das bedruckte Blatt für die Rückseite gewendet wieder in den Drucker "
                          "eingelegt? \r\n")
        + (kante == Wendekante::Kurz
               ? QStringLiteral("Gewendet über die kurze Kante: die bedruckte Seite zeigt jetzt dorthin, wohin beim "
                                "ersten Druck die andere zeigte, \r\nund die untere Kante geht jetzt zuerst in den "
                                "Drucker!")
               : QStringLiteral("Gewendet über die lange Kante, wie man eine Buchseite umblättert: die bedruckte "
                                "Seite zeigt jetzt dorthin, wohin beim ersten Druck die andere zeigte, \r\nund die "
                                "obere Kante geht wieder zuerst in den Drucker!"))
        + QStringLiteral("\r\n\r\nWie Ihr Drucker den Bogen braucht, zeigt die Wendeprobe auf einem Blatt "
                         "Normalpapier.");
}

QString TFormEtikette::RueckseitenFrage(Wendekante kante, bool bedrucktOben)
{
    return QStringLiteral("\tHaben Sie den bedruckten Bogen für die Rückseite wieder in den Drucker eingelegt? \r\n")
        + Einlegehinweis(kante, bedrucktOben) + QStringLiteral("!");
}

bool TFormEtikette::FrageVorDerRueckseite()
{
    for (;;) {
        Druckmodul &modul = d->umgebung.druckmodul();
        if (const Wendung gelernt = FolgeDemDrucker(modul.druckername(Drucker()));
            gelernt.kante && gelernt.bedrucktOben)
            return dialoge().druckFrage(RueckseitenFrage(d->z.Wenden, *gelernt.bedrucktOben));
        const int antwort = dialoge().wendeFrage(RueckseitenFrage(d->z.Wenden));
        if (antwort != 1)
            return antwort == 0;
        // A sheet of plain paper now; the printed sheet waits for the question again.
        if (modul.wendeprobe(Drucker(), dialoge()))
            Schreib_String_in_Registry(QStringLiteral("Wendedrucker"), modul.druckername(Drucker()));
    }
}

Wendung TFormEtikette::FolgeDemDrucker(const QString &drucker)
{
    const Wendung gelernt = LiesWendung(drucker);
    // Another printer's turning is not this one's; one chosen for a file stays for the session.
    const bool fremd = !drucker.isEmpty() && !d->z.WendenVon.isEmpty() && d->z.WendenVon != drucker;
    if (!gelernt.kante && !fremd)
        return gelernt;
    const Wendekante vorher = d->z.Wenden;
    d->z.Wenden = gelernt.kante.value_or(Wendekante::Lang);
    d->z.WendenVon = gelernt.kante ? drucker : QString();
    KurzeKante1->setChecked(d->z.Wenden == Wendekante::Kurz);
    if (d->z.Wenden != vorher && RueckseiteZeigt())
        MachVorschau();
    return gelernt;
}

QString TFormEtikette::BeidseitigFrage(const QString &drucker, Wendekante kante)
{
    return QStringLiteral("Der Drucker %1 kann beidseitig drucken. Vorder- und Rückseite in einem Auftrag drucken, "
                          "das Blatt über die %2 Kante gewendet?")
        .arg(drucker, kante == Wendekante::Kurz ? QStringLiteral("kurze") : QStringLiteral("lange"));
}

QString TFormEtikette::NurVorderseite()
{
    return QStringLiteral("Es wird nur die Vorderseite gedruckt. Legen Sie den bedruckten Bogen danach für die "
                          "Rückseite wieder ein: Das Programm bietet sie Ihnen gleich an, und „Datei | Rückseite "
                          "drucken“ druckt sie jederzeit.");
}

bool TFormEtikette::RueckseiteZeigt() const
{
    return RueckseiteZeigenCheckBox->isChecked() && !d->dokument.rueckseite().isEmpty();
}

void TFormEtikette::ZeigeRueckseitenSchalter()
{
    // A load shows the front: the view follows from the caller's refresh, not from this box.
    const bool hinten = RueckseiteZeigenCheckBox->isChecked();
    {
        const QSignalBlocker still(RueckseiteZeigenCheckBox);
        RueckseiteZeigenCheckBox->setChecked(false);
    }
    RueckseiteZeigenCheckBox->setVisible(!d->dokument.rueckseite().isEmpty());
    if (hinten) {
        Image1->beschreibe((QStringLiteral("Etikett ") + NameOhneEndung(d->dokument.bildPfad())).trimmed());
        VorschauImage->beschreibe(QStringLiteral("Vorschau des Bogens"));
    }
}

void TFormEtikette::RueckseiteZeigenCheckBoxClick()
{
    const bool hinten = RueckseiteZeigt();
    const QString name = NameOhneEndung(d->dokument.bildPfad());
    Image1->beschreibe(hinten ? QStringLiteral("Rückseite von Etikett ") + name
                              : (QStringLiteral("Etikett ") + name).trimmed());
    VorschauImage->beschreibe(hinten ? QStringLiteral("Vorschau der Rückseite")
                                     : QStringLiteral("Vorschau des Bogens"));
    StelleGroesseImage1ein();
}

void TFormEtikette::KurzeKante1Click()
{
    d->z.Wenden = KurzeKante1->isChecked() ? Wendekante::Kurz : Wendekante::Lang;
    // Chosen for the session's printer, it stays with that printer; a file has no sheet to turn.
    const QString drucker = d->umgebung.druckmodul().druckername(Drucker());
    d->z.WendenVon = drucker;
    if (!drucker.isEmpty()) {
        Wendung w = LiesWendung(drucker);
        w.kante = d->z.Wenden;
        SchreibWendung(drucker, w);
        Schreib_String_in_Registry(QStringLiteral("Wendedrucker"), drucker);
    }
    if (RueckseiteZeigt())
        MachVorschau();
}

void TFormEtikette::RueckseiteWaehlen1Click()
{
    const QString etikett = d->dokument.bildPfad();
    const QString ini = EinstellungsPfad(etikett);
    if (ini.isEmpty()) {
        dialoge().meldung(QStringLiteral("Es ist keine Etikette geöffnet, zu der eine Rückseite gehören könnte."));
        return;
    }
    if (!d->dokument.rueckseite().isEmpty()) {
        // Removing is never the default: a hasty Return keeps the back.
        const int antwort = dialoge().auswahl(
            QStringLiteral("Die Etikette %1 hat die Rückseite %2.\r\n\r\nEine andere Rückseite wählen, oder keine "
                           "Rückseite mehr? Die Bilddatei bleibt, wie sie ist.")
                .arg(Anzeigename(etikett), d->dokument.rueckseite()),
            {QStringLiteral("&Andere wählen..."), QStringLiteral("&Keine Rückseite"), QStringLiteral("Abbrechen")}, 0);
        if (antwort == 1) {
            const bool gezeigt = RueckseiteZeigt();
            d->dokument.setzeRueckseite(QString());
            ZeigeRueckseitenSchalter();
            if (gezeigt)
                StelleGroesseImage1ein();
        }
        if (antwort != 0)
            return;
    }
    const std::optional<QString> gewaehlt = dialoge().bildOeffnen(QFileInfo(etikett).absolutePath(), FremdbildMuster(),
                                                                  QStringLiteral("Rückseite für das Etikett wählen"));
    if (!gewaehlt)
        return;
    const std::optional<QString> genommen = RueckseiteAusBild(QDir::toNativeSeparators(*gewaehlt));
    if (!genommen)
        return;
    const QString name = *genommen;
    if (const QString fehler = RueckseitenNamenFehler(name); !fehler.isEmpty()) {
        dialoge().meldung(fehler);
        return;
    }
    // A picture that would not print is not taken.
    LeseRueckseite(etikett, name);
    d->dokument.setzeRueckseite(name);
    ZeigeRueckseitenSchalter();
    // What was chosen shows at once.
    RueckseiteZeigenCheckBox->setChecked(true);
}

void TFormEtikette::RueckseiteDrucken1Click()
{
    const Bogenmasse m = Masse();
    const QString etikett = d->dokument.bildPfad();
    if (d->dokument.rueckseite().isEmpty()) {
        dialoge().information(KeineRueckseite(etikett)
                              + QStringLiteral(" Eine Rückseite wählen Sie mit „Bearbeiten | Rückseite wählen...“."));
        return;
    }
    // The back's places are the front's; its picture is read before anything is asked.
    const QImage vorne = d->dokument.bild();
    if (vorne.isNull())
        throw Fehler(KeinLesbaresBild(etikett) + QStringLiteral(" Es wurde nichts gedruckt."));
    Druckauftrag auftrag(Vorderseite(vorne, m), Druckwahl(), d->dokument.rueckseitenbild());
    auftrag.setzeSeiten(Druckseiten::Rueckseite);
    auftrag.setzeKante(d->z.Wenden);
    DruckeOhneFrage(m, [&] {
        if (!FrageVorDerRueckseite())
            return false;
        // What the question taught, the page follows.
        auftrag.setzeKante(d->z.Wenden);
        return DruckeAuftrag(auftrag) != Druckergebnis::Nichts;
    });
}
