// The A4 fit check of the window: reads the editors, tells the user, repairs the count.
#include "app/formetikette_p.h"

#include "app/updown.h"
#include "layout/bildgroesse.h"
#include "layout/passung.h"
#include "platform/dialogdienst.h"

#include <QLineEdit>
#include <QTimer>

void TFormEtikette::LiesBildGroesse()
{
    const QSize groesse = ::LiesBildGroesse(d->dokument.bildPfad());
    d->z.EtikettBildBreite = groesse.width();
    d->z.EtikettBildHoehe = groesse.height();
}

void TFormEtikette::UeberpruefeObsInDerBreiteMehrmalsPasst()
{
    LiesBildGroesse();
    d->z.MehrereNebeneinanderMoeglich = PruefeNebeneinander(d->z.EtikettBildBreite, Masse()).moeglich;
    SetzeHinweisNurEineDrucken();
}

void TFormEtikette::BerechneObEtikettenInDINA4Passen()
{
    SetzeAnzahlZurueck(PruefeHorizontal(Masse()), &Bogenmasse::AnzahlEtikettenInZeile, UpDownSpalte, EditSpalte,
                       d->z.LetzteAnzahlInZeile, d->z.GeladeneAnzahlInZeile);
    SetzeAnzahlZurueck(PruefeVertikal(Masse()), &Bogenmasse::AnzahlEtikettenInSpalte, UpDownZeile, EditZeile,
                       d->z.LetzteAnzahlInSpalte, d->z.GeladeneAnzahlInSpalte);
}

void TFormEtikette::SetzeAnzahlZurueck(const Pruefung &pruefung, Massfeld anzahl, TUpDown *position,
                                       QLineEdit *positionsFeld, const int &letzte, const int &geladene)
{
    if (pruefung.passt)
        return;
    // No refresh tick may arrive while the message is open.
    VerzoegerungsTimer->stop();
    dialoge().information(pruefung.meldung);
    // A precise label falls back to the most that fit; an ordinary one to the count it had, as always.
    const int v = pruefung.hoechstens > 0 ? pruefung.hoechstens : Rueckfallanzahl(letzte, geladene);
    // The field first: its change handler reads the count that was refused.
    QLineEdit *anzahlFeld = d->editor(anzahl).feld;
    anzahlFeld->setText(QString::number(v));
    SetzeMass(anzahl, qint64(v) * 100);
    // The chosen column or row becomes the last one.
    position->setPosition(Masse().*anzahl);
    positionsFeld->setText(anzahlFeld->text());
    LadeEtikettenInfo();
}
