// The window's handlers for the per-user store and the settings file.
#include "app/formetikette.h"

#include "app/updown.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "storage/einstellungen.h"
#include "storage/namen.h"
#include "storage/profildatei.h"
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
    SchreibErstwerte(ProgrammOrdner);
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

TEinstellung TFormEtikette::Einstellungswerte() const
{
    return {ObererRand(),     SeitenRand(),      Vertikalabstand(),        Horizontalabstand(),
            Etikettenhoehe(), Etikettenbreite(), AnzahlEtikettenInZeile(), AnzahlEtikettenInSpalte()};
}

void TFormEtikette::LiesVorlagenDatenEin(const QString &bildPfad)
{
    AktuelleIniDatei = EinstellungsPfad(bildPfad);
    const std::array<std::pair<TUpDown *, QLineEdit *>, 8> editoren = {{
        {UpDownObererRand, EditObererRand},
        {UpDownSeitenrand, EditSeitenrand},
        {UpDownVertikalAbstand, EditVertikalAbstand},
        {UpDownHorizontalAbstand, EditHorizontalAbstand},
        {UpDownEtikettenHoehe, EditEtikettenHoehe},
        {UpDownEtikettenbreite, EditEtikettenbreite},
        {UpDownAnzEtikettenInZeile, EditAnzEtikettenInZeile},
        {UpDownAnzEtikettenInSpalte, EditAnzEtikettenInSpalte},
    }};
    if (AktuelleIniDatei.isEmpty())
        return;
    for (std::size_t i = 0; i < editoren.size(); ++i) {
        const QString text = LeseProfilWert(AktuelleIniDatei, EinstellungsSektion, EinstellungsSchluessel[i]);
        if (text.isEmpty())
            continue;
        auto [updown, edit] = editoren[i];
        updown->setPosition(InBereich(KaufmaennischRunden(WertAlsZahl(text)), updown->Min(), updown->Max()));
        const bool anzahl = i >= 6;
        edit->setText(anzahl ? QString::number(updown->Position()) : MassMitEinheit(updown->Position()));
    }
}

void TFormEtikette::speichern1Click()
{
    EinstellungenGeaendert = true;
    DeaktiviereEinstellungen();
    AllesSpeichern();
}

void TFormEtikette::AllesSpeichern()
{
    const QString pfad = EinstellungsPfad(AktuelleEtikettDatei);
    if (pfad.isEmpty() && !AktuelleEtikettDatei.isEmpty())
        throw Fehler(QStringLiteral("Die Einstellungen zu %1 können nicht gespeichert werden: sie würden die "
                                    "Bilddatei selbst überschreiben.")
                         .arg(AktuelleEtikettDatei));
    // The whole file is written at once, so a failure leaves the old one as it was.
    SchreibeEinstellungsdatei(pfad, Einstellungswerte());
    AktuelleIniDatei = pfad;
    SpeichereDaten();
    EinstellungenGeaendert = false;
}

void TFormEtikette::SpeichereDaten()
{
    if (!AktuelleEtikettDatei.isEmpty())
        Schreib_String_in_Registry(QStringLiteral("ZuletztAngezeigt"), AktuelleEtikettDatei);
}

void TFormEtikette::EinstellungenSpeichernFrage()
{
    const QString name = Anzeigename(AktuelleEtikettDatei);
    if (!dialoge().frage(QStringLiteral("Die Einstellungen von ") + name
                         + QStringLiteral(" wurden geändert. Einstellungen speichern?")))
        return;
    if (!AktuelleEtikettDatei.isEmpty())
        Schreib_String_in_Registry(QStringLiteral("ZuletztAngezeigt"), AktuelleEtikettDatei);
    AllesSpeichern();
}
