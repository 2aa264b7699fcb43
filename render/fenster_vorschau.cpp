// The label view and the sheet preview of the window.
#include "app/formetikette.h"

#include "app/bildansicht.h"
#include "app/updown.h"
#include "platform/fehler.h"
#include "render/bogen.h"
#include "render/masse.h"

#include <QCheckBox>
#include <QFrame>

bool TFormEtikette::ImageMitEtikettenAuffuellen()
{
    LiesBildGroesse();
    const Pixelmasse p = BerechnePixelmasse(EtikettBildBreite, EtikettBildHoehe, ObererRand(), SeitenRand(),
                                            Horizontalabstand(), Etikettenhoehe(), Etikettenbreite());
    ObererRandPixel = p.ObererRandPixel;
    SeitenRandPixel = p.SeitenRandPixel;
    LueckePixel = p.LueckePixel;

    // Decoded once for the whole sheet.
    const QImage bild = LeseBild(AktuelleEtikettDatei);
    QImage bogen;
    if (!bild.isNull()) {
        const Bogenangaben angaben{EtikettBildBreite,         EtikettBildHoehe, ObererRandPixel,
                                   SeitenRandPixel,           LueckePixel,      AnzahlEtikettenInZeile(),
                                   AnzahlEtikettenInSpalte(), Zeile(),          NurDieZeileCheckBox->isChecked()};
        bogen = ErzeugeEtikettenbogen(bild, angaben);
    }
    Image2->setBild(bogen);
    return !bogen.isNull();
}

void TFormEtikette::MachVorschau()
{
    ++m_vorschauZaehler;
    if (!NurEineDruckenCheckBox->isChecked()) {
        const bool zusammengesetzt = ImageMitEtikettenAuffuellen();
        VorschauImage->setBild(Image2->bild());
        if (!zusammengesetzt)
            throw Fehler(KeinLesbaresBild(AktuelleEtikettDatei));
        return;
    }
    const Aufloesung a = bildschirm();
    const int x = SeitenRand() + (Spalte() - 1) * Horizontalabstand();
    const int y = ObererRand() + (Zeile() - 1) * Vertikalabstand();
    VorschauImage->setBild(Einzelvorschau(Image1->bild(), a.x, a.y, x, y, Etikettenbreite(), Etikettenhoehe()));
}

void TFormEtikette::StelleGroesseImage1ein()
{
    Image1->setStretch(true);
    const Aufloesung a = bildschirm();
    const QRect box = Image1Box(a.x, a.y, Etikettenbreite(), Etikettenhoehe(), Bevel4->geometry());
    Image1->setGeometry(box);
    Image1->laden(AktuelleEtikettDatei);
    Image1->resize(PasseBildgroesseAn(Image1->bild().width(), Image1->bild().height(), box.width(), box.height()));
    Image1->show();
    MachVorschau();
}
