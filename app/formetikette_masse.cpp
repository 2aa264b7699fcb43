// The eight measure editors, their delayed refresh, and locking them.
#include "app/formetikette.h"

#include "app/bildansicht.h"
#include "app/updown.h"
#include "dialogs/anschnitt.h"
#include "dialogs/genau.h"
#include "layout/passung.h"
#include "storage/einstellungen.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

// Puts the cursor back however the refresh ends.
struct Sanduhr
{
    Sanduhr() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Sanduhr() { QGuiApplication::restoreOverrideCursor(); }
    Sanduhr(const Sanduhr &) = delete;
    Sanduhr &operator=(const Sanduhr &) = delete;
};

// The button's caption is the same either way; a screen reader hears the lock as its description, told once.
void Beschreibe(QPushButton *knopf, const QString &zustand)
{
    if (knopf->accessibleDescription() != zustand)
        knopf->setAccessibleDescription(zustand);
}

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

bool TFormEtikette::AbstandUnterGroesse(Massfeld abstand, Massfeld groesse) const
{
    const Bogenmasse m = Masse();
    return m.Hundertstel(abstand) < m.Hundertstel(groesse);
}

void TFormEtikette::SetzeAbstandAufGroesse(Massfeld abstand, Massfeld groesse)
{
    SetzeMass(abstand, m_zustand.Masse.Hundertstel(groesse));
}

void TFormEtikette::UpDownObererRandClick()
{
    vormerken(&Bogenmasse::ObererRand);
    ZeigeMassText(&Bogenmasse::ObererRand);
}

void TFormEtikette::UpDownSeitenrandClick()
{
    vormerken(&Bogenmasse::SeitenRand);
    ZeigeMassText(&Bogenmasse::SeitenRand);
}

void TFormEtikette::UpDownHorizontalAbstandClick()
{
    vormerken(&Bogenmasse::Horizontalabstand);
    if (AbstandUnterGroesse(&Bogenmasse::Horizontalabstand, &Bogenmasse::Etikettenbreite))
        SetzeAbstandAufGroesse(&Bogenmasse::Horizontalabstand, &Bogenmasse::Etikettenbreite);
    ZeigeMassText(&Bogenmasse::Horizontalabstand);
}

void TFormEtikette::UpDownEtikettenbreiteClick()
{
    vormerken(&Bogenmasse::Etikettenbreite);
    ZeigeMassText(&Bogenmasse::Etikettenbreite);
    if (AbstandUnterGroesse(&Bogenmasse::Horizontalabstand, &Bogenmasse::Etikettenbreite)) {
        EditHorizontalAbstand->setText(EditEtikettenbreite->text());
        SetzeAbstandAufGroesse(&Bogenmasse::Horizontalabstand, &Bogenmasse::Etikettenbreite);
    }
}

void TFormEtikette::UpDownVertikalAbstandClick()
{
    vormerken(&Bogenmasse::Vertikalabstand);
    if (AbstandUnterGroesse(&Bogenmasse::Vertikalabstand, &Bogenmasse::Etikettenhoehe))
        SetzeAbstandAufGroesse(&Bogenmasse::Vertikalabstand, &Bogenmasse::Etikettenhoehe);
    ZeigeMassText(&Bogenmasse::Vertikalabstand);
}

void TFormEtikette::UpDownEtikettenHoeheClick()
{
    vormerken(&Bogenmasse::Etikettenhoehe);
    ZeigeMassText(&Bogenmasse::Etikettenhoehe);
    if (AbstandUnterGroesse(&Bogenmasse::Vertikalabstand, &Bogenmasse::Etikettenhoehe)) {
        EditVertikalAbstand->setText(EditEtikettenHoehe->text());
        SetzeAbstandAufGroesse(&Bogenmasse::Vertikalabstand, &Bogenmasse::Etikettenhoehe);
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
    UpDownZeile->setPosition(AnzahlEtikettenInSpalte());
    EditZeile->setText(EditAnzEtikettenInSpalte->text());
}

void TFormEtikette::MasseGenauEingeben1Click()
{
    TGenauDialog dialog(Masse(), dialoge(), this);
    if (dialog.exec() == QDialog::Accepted)
        UebernimmMasse(dialog.masse());
}

void TFormEtikette::Anschnitt1Click()
{
    TAnschnittDialog dialog(Masse().Anschnitt, dialoge(), this);
    if (dialog.exec() != QDialog::Accepted || dialog.hundertstel() == Masse().Anschnitt)
        return;
    // Only its own section changes: the measures on disk stay as they are, saved or not.
    if (const QString pfad = EinstellungsPfad(m_zustand.AktuelleEtikettDatei); !pfad.isEmpty())
        SchreibeAnschnitt(pfad, dialog.hundertstel());
    m_zustand.Masse.Anschnitt = dialog.hundertstel();
    MachVorschau();
}

void TFormEtikette::UebernimmMasse(const Bogenmasse &neu)
{
    // The arrows' click handlers, in the order of Massangaben: each measure typed is taken as if its arrow had set
    // it, with the pitch raised to its label's size, the position following a count, and the delayed refresh.
    static constexpr std::array<void (TFormEtikette::*)(), Massangaben.size()> klicks{
        &TFormEtikette::UpDownObererRandClick,          &TFormEtikette::UpDownSeitenrandClick,
        &TFormEtikette::UpDownVertikalAbstandClick,     &TFormEtikette::UpDownHorizontalAbstandClick,
        &TFormEtikette::UpDownEtikettenHoeheClick,      &TFormEtikette::UpDownEtikettenbreiteClick,
        &TFormEtikette::UpDownAnzEtikettenInZeileClick, &TFormEtikette::UpDownAnzEtikettenInSpalteClick};
    const Bogenmasse alt = Masse();
    std::array<bool, Massangaben.size()> anders{};
    for (std::size_t i = 0; i < Massangaben.size(); ++i) {
        const Massfeld f = Massangaben[i].feld;
        anders[i] = Massangaben[i].anzahl ? alt.*f != neu.*f : alt.Hundertstel(f) != neu.Hundertstel(f);
    }
    if (std::ranges::none_of(anders, [](bool a) { return a; }))
        return;
    // A fraction alone moves no editor, and so no changing handler marks the change.
    m_zustand.EinstellungenGeaendert = true;
    // A fraction typed makes an ordinary label precise; a precise one stays precise.
    if (neu.IstGenau() && !alt.IstGenau())
        m_zustand.Masse = MitGenauenLaengen(alt, GenaueLaengen(alt), true);
    gerundetLabel->setHidden(m_zustand.Masse.IstGenau());
    for (std::size_t i = 0; i < Massangaben.size(); ++i)
        if (anders[i])
            SetzeMass(Massangaben[i].feld, neu.Hundertstel(Massangaben[i].feld));
    for (std::size_t i = 0; i < Massangaben.size(); ++i)
        if (anders[i])
            (this->*klicks[i])();
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
    Beschreibe(BitBtn1, QStringLiteral("Maße frei"));
}

void TFormEtikette::DeaktiviereEinstellungen()
{
    for (const Masseditor &e : m_masseditoren) {
        e.beschriftung->setEnabled(false);
        e.feld->setEnabled(false);
        e.updown->setEnabled(false);
    }
    gerundetLabel->setEnabled(false);
    Beschreibe(BitBtn1, QStringLiteral("Maße gesperrt"));
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
