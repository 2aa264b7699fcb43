// The A4 fit check of the window: reads the editors, tells the user, repairs the count.
#include "app/formetikette.h"

#include "app/updown.h"
#include "layout/bildgroesse.h"
#include "layout/passung.h"
#include "platform/dialogdienst.h"

#include <QLineEdit>
#include <QTimer>

void TFormEtikette::LiesBildGroesse()
{
    const QSize groesse = ::LiesBildGroesse(AktuelleEtikettDatei);
    EtikettBildBreite = groesse.width();
    EtikettBildHoehe = groesse.height();
}

void TFormEtikette::UeberpruefeObsInDerBreiteMehrmalsPasst()
{
    LiesBildGroesse();
    const Nebeneinander n =
        PruefeNebeneinander(EtikettBildBreite, SeitenRand(), Horizontalabstand(), Etikettenbreite());
    SeitenRandPixel = n.SeitenRandPixel;
    LueckePixel = n.LueckePixel;
    MehrereNebeneinanderMoeglich = n.moeglich;
}

void TFormEtikette::BerechneObEtikettenInDINA4Passen()
{
    const Pruefung horizontal =
        PruefeHorizontal(SeitenRand(), Horizontalabstand(), Etikettenbreite(), AnzahlEtikettenInZeile());
    if (!horizontal.passt) {
        // No refresh tick may arrive while the message is open.
        VerzoegerungsTimer->stop();
        dialoge().information(horizontal.meldung);
        const int v = Rueckfallanzahl(LetzteAnzahlInZeile, GeladeneAnzahlInZeile);
        EditAnzEtikettenInZeile->setText(QString::number(v));
        UpDownAnzEtikettenInZeile->setPosition(v);
        UpDownSpalte->setPosition(AnzahlEtikettenInZeile());
        EditSpalte->setText(EditAnzEtikettenInZeile->text());
        LadeEtikettenInfo();
    }
    const Pruefung vertikal =
        PruefeVertikal(ObererRand(), Vertikalabstand(), Etikettenhoehe(), AnzahlEtikettenInSpalte());
    if (!vertikal.passt) {
        VerzoegerungsTimer->stop();
        dialoge().information(vertikal.meldung);
        const int v = Rueckfallanzahl(LetzteAnzahlInSpalte, GeladeneAnzahlInSpalte);
        EditAnzEtikettenInSpalte->setText(QString::number(v));
        UpDownAnzEtikettenInSpalte->setPosition(v);
        UpDownZeile->setPosition(AnzahlEtikettenInSpalte());
        EditZeile->setText(EditAnzEtikettenInSpalte->text());
        LadeEtikettenInfo();
    }
}
