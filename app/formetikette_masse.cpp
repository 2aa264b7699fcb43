// The eight measure editors, their delayed refresh, and locking them.
#include "app/formetikette.h"

#include "app/bildansicht.h"
#include "app/updown.h"
#include "layout/passung.h"
#include "storage/einstellungen.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

// Puts the cursor back however the refresh ends.
struct Sanduhr
{
    Sanduhr() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Sanduhr() { QGuiApplication::restoreOverrideCursor(); }
    Sanduhr(const Sanduhr &) = delete;
    Sanduhr &operator=(const Sanduhr &) = delete;
};

} // namespace

void TFormEtikette::UpDownObererRandChanging()
{
    EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownSeitenrandChanging()
{
    EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownVertikalAbstandChanging()
{
    EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownHorizontalAbstandChanging()
{
    EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownEtikettenHoeheChanging()
{
    EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownEtikettenbreiteChanging()
{
    EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownAnzEtikettenInZeileChanging()
{
    EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownAnzEtikettenInSpalteChanging()
{
    EinstellungenGeaendert = true;
}

void TFormEtikette::vormerken(Massfeld feld)
{
    AktualisierungAusstehend[MassIndex(feld)] = true;
    // A running timer keeps its interval: a burst of clicks gives one refresh.
    if (!VerzoegerungsTimer->isActive())
        VerzoegerungsTimer->start();
}

void TFormEtikette::UpDownObererRandClick()
{
    vormerken(&Bogenmasse::ObererRand);
    EditObererRand->setText(MassMitEinheit(ObererRand()));
}

void TFormEtikette::UpDownSeitenrandClick()
{
    vormerken(&Bogenmasse::SeitenRand);
    EditSeitenrand->setText(MassMitEinheit(SeitenRand()));
}

void TFormEtikette::UpDownHorizontalAbstandClick()
{
    vormerken(&Bogenmasse::Horizontalabstand);
    if (Horizontalabstand() < Etikettenbreite())
        UpDownHorizontalAbstand->setPosition(Etikettenbreite());
    EditHorizontalAbstand->setText(MassMitEinheit(Horizontalabstand()));
}

void TFormEtikette::UpDownEtikettenbreiteClick()
{
    vormerken(&Bogenmasse::Etikettenbreite);
    EditEtikettenbreite->setText(MassMitEinheit(Etikettenbreite()));
    if (Horizontalabstand() < Etikettenbreite()) {
        EditHorizontalAbstand->setText(EditEtikettenbreite->text());
        UpDownHorizontalAbstand->setPosition(Etikettenbreite());
    }
}

void TFormEtikette::UpDownVertikalAbstandClick()
{
    vormerken(&Bogenmasse::Vertikalabstand);
    if (Vertikalabstand() < Etikettenhoehe())
        UpDownVertikalAbstand->setPosition(Etikettenhoehe());
    EditVertikalAbstand->setText(MassMitEinheit(Vertikalabstand()));
}

void TFormEtikette::UpDownEtikettenHoeheClick()
{
    vormerken(&Bogenmasse::Etikettenhoehe);
    EditEtikettenHoehe->setText(MassMitEinheit(Etikettenhoehe()));
    if (Vertikalabstand() < Etikettenhoehe()) {
        EditVertikalAbstand->setText(EditEtikettenHoehe->text());
        UpDownVertikalAbstand->setPosition(Etikettenhoehe());
    }
}

void TFormEtikette::UpDownAnzEtikettenInZeileClick()
{
    vormerken(&Bogenmasse::AnzahlEtikettenInZeile);
    EditAnzEtikettenInZeile->setText(QString::number(AnzahlEtikettenInZeile()));
    UpDownSpalte->setPosition(AnzahlEtikettenInZeile());
    EditSpalte->setText(EditAnzEtikettenInZeile->text());
}

void TFormEtikette::UpDownAnzEtikettenInSpalteClick()
{
    vormerken(&Bogenmasse::AnzahlEtikettenInSpalte);
    EditAnzEtikettenInSpalte->setText(QString::number(AnzahlEtikettenInSpalte()));
    UpDownSpalte->setMax(AnzahlEtikettenInSpalte());
    EditAnzEtikettenInSpalte->setText(QString::number(AnzahlEtikettenInSpalte()));
    // The row limit follows the count on every paint; raise it now so the new last row can be chosen.
    UpDownZeile->setMax(AnzahlEtikettenInSpalte());
    UpDownZeile->setPosition(AnzahlEtikettenInSpalte());
    EditZeile->setText(EditAnzEtikettenInSpalte->text());
}

void TFormEtikette::EditAnzEtikettenInZeileChange()
{
    LetzteAnzahlInZeile = LetzteAnzahlNachAenderung(AnzahlEtikettenInZeile(), GeladeneAnzahlInZeile);
}

void TFormEtikette::EditAnzEtikettenInSpalteChange()
{
    LetzteAnzahlInSpalte = LetzteAnzahlNachAenderung(AnzahlEtikettenInSpalte(), GeladeneAnzahlInSpalte);
}

void TFormEtikette::AktualisiereMass(Massfeld feld)
{
    if (feld == &Bogenmasse::Etikettenbreite || feld == &Bogenmasse::Etikettenhoehe) {
        StelleGroesseImage1ein();
        BerechneObEtikettenInDINA4Passen();
        return;
    }
    if (feld == &Bogenmasse::AnzahlEtikettenInZeile || feld == &Bogenmasse::AnzahlEtikettenInSpalte)
        LadeEtikettenInfo();
    BerechneObEtikettenInDINA4Passen();
    MachVorschau();
}

void TFormEtikette::VerzoegerungsTimerTimer()
{
    // A tick that arrives while a box of a refresh step is open must not start the step again.
    if (m_aktualisierungLaeuft)
        return;
    m_aktualisierungLaeuft = true;
    const Sanduhr sanduhr;
    ++VerzoegerungsZaehler;
    if (VerzoegerungsZaehler >= 3) {
        for (const Massfeld feld : Aktualisierungsreihenfolge) {
            bool &ausstehend = AktualisierungAusstehend[MassIndex(feld)];
            if (!ausstehend)
                continue;
            // Cleared first: a step that fails is reported once and not started again at the next tick.
            ausstehend = false;
            VerzoegerungsZaehler = 0;
            if (!bewacht([this, feld] { AktualisiereMass(feld); })) {
                AktualisierungAusstehend.fill(false);
                break;
            }
        }
        VerzoegerungsTimer->stop();
    }
    m_aktualisierungLaeuft = false;
}

void TFormEtikette::AktiviereEinstellungen()
{
    for (const Masseditor &e : m_masseditoren) {
        e.beschriftung->setEnabled(true);
        e.updown->setEnabled(true);
    }
    gerundetLabel->setEnabled(true);
}

void TFormEtikette::DeaktiviereEinstellungen()
{
    for (const Masseditor &e : m_masseditoren) {
        e.beschriftung->setEnabled(false);
        e.feld->setEnabled(false);
        e.updown->setEnabled(false);
    }
    gerundetLabel->setEnabled(false);
}

void TFormEtikette::MasseBearbeitenClick()
{
    // The first caption's state is the lock state.
    if (obererRandLabel->isEnabled())
        DeaktiviereEinstellungen();
    else
        AktiviereEinstellungen();
}

void TFormEtikette::MasseEtikettBearbeitenClick()
{
    AktiviereEinstellungen();
}

void TFormEtikette::UpDownEtikettenHoeheMouseDown()
{
    Image1->hide();
}
void TFormEtikette::UpDownEtikettenHoeheMouseUp()
{
    Image1->show();
}
void TFormEtikette::UpDownEtikettenbreiteMouseDown()
{
    Image1->hide();
}
void TFormEtikette::UpDownEtikettenbreiteMouseUp()
{
    Image1->show();
}

// The window has a fixed size and so no scroll range: the wheel moves nothing.
void TFormEtikette::FormMouseWheelDown() {}
void TFormEtikette::FormMouseWheelUp() {}
