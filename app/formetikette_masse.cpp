// The eight measure editors, their delayed refresh, and locking them.
#include "app/formetikette_p.h"

#include "app/bildansicht.h"
#include "app/updown.h"
#include "dialogs/anschnitt.h"
#include "dialogs/genau.h"
#include "layout/passung.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
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
    d->dokument.setzeGeaendert(true);
}
void TFormEtikette::UpDownSeitenrandChanging()
{
    d->dokument.setzeGeaendert(true);
}
void TFormEtikette::UpDownVertikalAbstandChanging()
{
    d->dokument.setzeGeaendert(true);
}
void TFormEtikette::UpDownHorizontalAbstandChanging()
{
    d->dokument.setzeGeaendert(true);
}
void TFormEtikette::UpDownEtikettenHoeheChanging()
{
    d->dokument.setzeGeaendert(true);
}
void TFormEtikette::UpDownEtikettenbreiteChanging()
{
    d->dokument.setzeGeaendert(true);
}
void TFormEtikette::UpDownAnzEtikettenInZeileChanging()
{
    d->dokument.setzeGeaendert(true);
}
void TFormEtikette::UpDownAnzEtikettenInSpalteChanging()
{
    d->dokument.setzeGeaendert(true);
}

void TFormEtikette::vormerken(Massfeld feld)
{
    d->z.AktualisierungAusstehend[MassIndex(feld)] = true;
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
    SetzeMass(abstand, Masse().Hundertstel(groesse));
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
    TAnschnittDialog dialog(d->dokument.anschnitt(), dialoge(), this);
    if (dialog.exec() != QDialog::Accepted || dialog.hundertstel() == d->dokument.anschnitt())
        return;
    d->dokument.setzeAnschnitt(dialog.hundertstel());
    MachVorschau();
}

void TFormEtikette::Schnittmarken1Click()
{
    // The tick shows what the settings file holds, also when it could not be written.
    const auto zeigt = qScopeGuard([this] { Schnittmarken1->setChecked(d->dokument.schnittmarken()); });
    d->dokument.setzeSchnittmarken(Schnittmarken1->isChecked());
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
    d->dokument.setzeGeaendert(true);
    // A fraction typed makes an ordinary label precise; a precise one stays precise.
    if (neu.IstGenau() && !alt.IstGenau())
        d->dokument.setzeMasse(MitGenauenLaengen(alt, GenaueLaengen(alt), true));
    gerundetLabel->setHidden(Masse().IstGenau());
    for (std::size_t i = 0; i < Massangaben.size(); ++i)
        if (anders[i])
            SetzeMass(Massangaben[i].feld, neu.Hundertstel(Massangaben[i].feld));
    for (std::size_t i = 0; i < Massangaben.size(); ++i)
        if (anders[i])
            (this->*klicks[i])();
}

void TFormEtikette::EditAnzEtikettenInZeileChange()
{
    d->z.LetzteAnzahlInZeile =
        LetzteAnzahlNachAenderung(AnzahlEtikettenInZeile(), d->z.GeladeneAnzahlInZeile);
}

void TFormEtikette::EditAnzEtikettenInSpalteChange()
{
    d->z.LetzteAnzahlInSpalte =
        LetzteAnzahlNachAenderung(AnzahlEtikettenInSpalte(), d->z.GeladeneAnzahlInSpalte);
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
    if (d->aktualisierungLaeuft)
        return;
    d->aktualisierungLaeuft = true;
    const Sanduhr sanduhr;
    ++d->z.VerzoegerungsZaehler;
    if (d->z.VerzoegerungsZaehler >= 3) {
        for (const Massfeld feld : Aktualisierungsreihenfolge) {
            bool &ausstehend = d->z.AktualisierungAusstehend[MassIndex(feld)];
            if (!ausstehend)
                continue;
            // Cleared first: a step that fails is reported once and not started again at the next tick.
            ausstehend = false;
            d->z.VerzoegerungsZaehler = 0;
            if (!bewacht([this, feld] { AktualisiereMass(feld); })) {
                d->z.AktualisierungAusstehend.fill(false);
                break;
            }
        }
        VerzoegerungsTimer->stop();
    }
    d->aktualisierungLaeuft = false;
}

void TFormEtikette::AktiviereEinstellungen()
{
    for (const Privat::Masseditor &e : d->masseditoren) {
        e.beschriftung->setEnabled(true);
        e.updown->setEnabled(true);
    }
    gerundetLabel->setEnabled(true);
    Beschreibe(BitBtn1, QStringLiteral("Maße frei"));
}

void TFormEtikette::DeaktiviereEinstellungen()
{
    for (const Privat::Masseditor &e : d->masseditoren) {
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
