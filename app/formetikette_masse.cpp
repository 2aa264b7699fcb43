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
    m_zustand.EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownSeitenrandChanging()
{
    m_zustand.EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownVertikalAbstandChanging()
{
    m_zustand.EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownHorizontalAbstandChanging()
{
    m_zustand.EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownEtikettenHoeheChanging()
{
    m_zustand.EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownEtikettenbreiteChanging()
{
    m_zustand.EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownAnzEtikettenInZeileChanging()
{
    m_zustand.EinstellungenGeaendert = true;
}
void TFormEtikette::UpDownAnzEtikettenInSpalteChanging()
{
    m_zustand.EinstellungenGeaendert = true;
}

void TFormEtikette::vormerken(Massfeld feld)
{
    m_zustand.AktualisierungAusstehend[MassIndex(feld)] = true;
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
    m_zustand.LetzteAnzahlInZeile =
        LetzteAnzahlNachAenderung(AnzahlEtikettenInZeile(), m_zustand.GeladeneAnzahlInZeile);
}

void TFormEtikette::EditAnzEtikettenInSpalteChange()
{
    m_zustand.LetzteAnzahlInSpalte =
        LetzteAnzahlNachAenderung(AnzahlEtikettenInSpalte(), m_zustand.GeladeneAnzahlInSpalte);
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
    ++m_zustand.VerzoegerungsZaehler;
    if (m_zustand.VerzoegerungsZaehler >= 3) {
        for (const Massfeld feld : Aktualisierungsreihenfolge) {
            bool &ausstehend = m_zustand.AktualisierungAusstehend[MassIndex(feld)];
            if (!ausstehend)
                continue;
            // Cleared first: a step that fails is reported once and not started again at the next tick.
            ausstehend = false;
            m_zustand.VerzoegerungsZaehler = 0;
            if (!bewacht([this, feld] { AktualisiereMass(feld); })) {
                m_zustand.AktualisierungAusstehend.fill(false);
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
