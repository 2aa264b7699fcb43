// The window's commands that bring a label into it: open one, or make one from a template.
#include "app/formetikette.h"

#include "app/updown.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "storage/namen.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

bool TFormEtikette::OeffnenVorbereiten()
{
    BitBtnNeuladen->hide();
    if (!AktuelleEtikettDatei.isEmpty())
        Schreib_String_in_Registry(QStringLiteral("ZuletztAngezeigt"), AktuelleEtikettDatei);
    if (EinstellungenGeaendert)
        EinstellungenSpeichernFrage();
    const QString ordner = Lies_String_aus_Registry(QStringLiteral("OrdnerEtiketten"));
    if (!ordner.isEmpty())
        OrdnerEtiketten = ordner;
    if (OrdnerEtiketten.isEmpty() || !QFileInfo(OrdnerEtiketten).isDir()) {
        dialoge().meldung(QStringLiteral("Der Ordner ") + OrdnerEtiketten
                          + QStringLiteral(" ist nicht vorhanden! Programm wird beendet!"));
        close();
        return false;
    }
    return true;
}

void TFormEtikette::Oeffnen1Click()
{
    if (!OeffnenVorbereiten())
        return;
    const std::optional<QString> gewaehlt =
        dialoge().dateiOeffnen(OrdnerEtiketten + QDir::separator() + QStringLiteral("*.bmp"));
    if (!gewaehlt)
        return;
    AktuelleEtikettDatei = QDir::toNativeSeparators(*gewaehlt);
    LiesVorlagenDatenEin(AktuelleEtikettDatei);
    setWindowTitle(TitelAnfang + Anzeigename(AktuelleEtikettDatei));
    UpDownZeileClick();
    UpDownZeile->setPosition(1);
    EditZeile->setText(QStringLiteral("1"));
    UpDownSpalteClick();
    UpDownSpalte->setPosition(1);
    EditSpalte->setText(QStringLiteral("1"));
    UeberpruefeObsInDerBreiteMehrmalsPasst();
    EinstellungenGeaendert = false;
    DeaktiviereEinstellungen();
    StelleGroesseImage1ein();
    LadeEtikettenInfo();
    GeladeneAnzahlInZeile = AnzahlEtikettenInZeile();
    GeladeneAnzahlInSpalte = AnzahlEtikettenInSpalte();
}

void TFormEtikette::Neu1Click()
{
    if (!OeffnenVorbereiten())
        return;
    dialoge().meldung(QStringLiteral("Neue Etiketten aus Vorlagen folgen in Kürze."));
}
