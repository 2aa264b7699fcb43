// The window's handlers for the per-user store and the settings file.
#include "app/formetikette_p.h"

#include "app/updown.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "storage/etikettdatei.h"
#include "storage/namen.h"
#include "storage/speicher.h"

#include <QAction>
#include <QLineEdit>

QString TFormEtikette::Lies_String_aus_Registry(const QString &name)
{
    return LiesSpeicherwert(name);
}

void TFormEtikette::Schreib_String_in_Registry(const QString &name, const QString &text)
{
    SchreibSpeicherwert(name, text);
}

void TFormEtikette::Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege()
{
    SchreibErstwerte(d->z.ProgrammOrdner);
}

void TFormEtikette::RegistryEintraegeloeschen1Click()
{
    if (!dialoge().frage(QStringLiteral("Möchten Sie die Registry-Einträge löschen? \n\r"
                                        "Wenn JA, dann wird danach das Programm beendet und \n\r"
                                        "Sie müssen es noch mal starten.")))
        return;
    LoescheSpeicher();
    close();
}

void TFormEtikette::LiesVorlagenDatenEin(const QString &bildPfad)
{
    d->dokument.setzeBild(bildPfad);
    const Bogenmasse bisher = Masse();
    const GeleseneEtikettdatei gelesen = d->dokument.liesEinstellungen();
    ZeigeRueckseitenSchalter();
    Schnittmarken1->setChecked(d->dokument.schnittmarken());
    if (d->dokument.einstellungsPfad().isEmpty())
        return;
    // The values before a bad one are taken, as the editors move one after the other.
    ZeigeMasse(bisher, gelesen.inhalt.masse, gelesen.vorhanden);
    // One notice for the file, whatever it holds that is not used.
    if (const QString unbenutzt = gelesen.unbenutzt(d->dokument.einstellungsPfad()); !unbenutzt.isEmpty())
        dialoge().information(unbenutzt);
    if (!gelesen.fehler.isEmpty())
        throw Fehler(gelesen.fehler);
}

void TFormEtikette::speichern1Click()
{
    d->dokument.setzeGeaendert(true);
    DeaktiviereEinstellungen();
    AllesSpeichern();
}

void TFormEtikette::AllesSpeichern()
{
    d->dokument.speichere();
    SpeichereDaten();
}

void TFormEtikette::SpeichereDaten()
{
    if (!d->dokument.bildPfad().isEmpty())
        Schreib_String_in_Registry(QStringLiteral("ZuletztAngezeigt"), d->dokument.bildPfad());
}

void TFormEtikette::EinstellungenSpeichernFrage()
{
    const QString name = Anzeigename(d->dokument.bildPfad());
    if (!dialoge().frage(QStringLiteral("Die Einstellungen von ") + name
                         + QStringLiteral(" wurden geändert. Einstellungen speichern?")))
        return;
    if (!d->dokument.bildPfad().isEmpty())
        Schreib_String_in_Registry(QStringLiteral("ZuletztAngezeigt"), d->dokument.bildPfad());
    AllesSpeichern();
}
