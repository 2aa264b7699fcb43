// The window's handlers for the per-user store and the settings file.
#include "app/formetikette.h"

#include "app/updown.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "storage/einstellungen.h"
#include "storage/namen.h"
#include "storage/speicher.h"

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
    SchreibErstwerte(m_zustand.ProgrammOrdner);
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
    m_zustand.AktuelleIniDatei = EinstellungsPfad(bildPfad);
    m_zustand.Rueckseite.clear();
    // A bleed belongs to its label: none carries over to the next.
    m_zustand.Masse.Anschnitt = 0;
    if (m_zustand.AktuelleIniDatei.isEmpty()) {
        ZeigeRueckseitenSchalter();
        return;
    }
    const GeleseneMasse gelesen = LiesEinstellungsdatei(m_zustand.AktuelleIniDatei, Masse());
    m_zustand.Rueckseite = gelesen.rueckseite;
    ZeigeRueckseitenSchalter();
    // The values before a bad one are taken, as the editors move one after the other.
    ZeigeMasse(gelesen.werte, gelesen.vorhanden);
    m_zustand.Masse.Anschnitt = gelesen.werte.Anschnitt;
    QStringList unbenutzt;
    if (!gelesen.genauUnbenutzt.isEmpty())
        unbenutzt.append(GenauUnbenutztMeldung(m_zustand.AktuelleIniDatei, gelesen.genauUnbenutzt));
    if (!gelesen.anschnittUnbenutzt.isEmpty())
        unbenutzt.append(AnschnittUnbenutztMeldung(m_zustand.AktuelleIniDatei, gelesen.anschnittUnbenutzt));
    // One notice for the file, whatever it holds that is not used.
    if (!unbenutzt.isEmpty())
        dialoge().information(unbenutzt.join(QStringLiteral("\n\n")));
    if (!gelesen.fehler.isEmpty())
        throw Fehler(gelesen.fehler);
}

void TFormEtikette::speichern1Click()
{
    m_zustand.EinstellungenGeaendert = true;
    DeaktiviereEinstellungen();
    AllesSpeichern();
}

void TFormEtikette::AllesSpeichern()
{
    const QString pfad = EinstellungsPfad(m_zustand.AktuelleEtikettDatei);
    if (pfad.isEmpty() && !m_zustand.AktuelleEtikettDatei.isEmpty())
        throw Fehler(QStringLiteral("Die Einstellungen zu %1 können nicht gespeichert werden: sie würden die "
                                    "Bilddatei selbst überschreiben.")
                         .arg(m_zustand.AktuelleEtikettDatei));
    // The whole file is written at once, so a failure leaves the old one as it was; its back stays.
    SpeichereEinstellungsdatei(pfad, Masse());
    m_zustand.AktuelleIniDatei = pfad;
    SpeichereDaten();
    m_zustand.EinstellungenGeaendert = false;
}

void TFormEtikette::SpeichereDaten()
{
    if (!m_zustand.AktuelleEtikettDatei.isEmpty())
        Schreib_String_in_Registry(QStringLiteral("ZuletztAngezeigt"), m_zustand.AktuelleEtikettDatei);
}

void TFormEtikette::EinstellungenSpeichernFrage()
{
    const QString name = Anzeigename(m_zustand.AktuelleEtikettDatei);
    if (!dialoge().frage(QStringLiteral("Die Einstellungen von ") + name
                         + QStringLiteral(" wurden geändert. Einstellungen speichern?")))
        return;
    if (!m_zustand.AktuelleEtikettDatei.isEmpty())
        Schreib_String_in_Registry(QStringLiteral("ZuletztAngezeigt"), m_zustand.AktuelleEtikettDatei);
    AllesSpeichern();
}
