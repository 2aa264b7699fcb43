// The label view and the sheet preview of the window.
#include "app/formetikette.h"

#include "app/bildansicht.h"
#include "app/updown.h"
#include "platform/fehler.h"
#include "render/anschnitt.h"
#include "render/bogen.h"
#include "render/masse.h"
#include "render/randpruefung.h"
#include "render/seite.h"
#include "storage/bilddatei.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>

const QImage &TFormEtikette::Etikettbild(bool neuLaden)
{
    const QFileInfo datei(m_zustand.AktuelleEtikettDatei);
    Bildstand stand{m_zustand.AktuelleEtikettDatei, datei.lastModified(), datei.size()};
    // An outside editor's save shows in the next composition without a reload.
    if (neuLaden || !m_bildGeladen || !(stand == m_bildStand)) {
        m_bildGeladen = false;
        m_etikett = LeseBild(m_zustand.AktuelleEtikettDatei);
        m_bildStand = std::move(stand);
        m_bildGeladen = true;
    }
    return m_etikett;
}

QImage TFormEtikette::ImageMitEtikettenAuffuellen()
{
    LiesBildGroesse();
    const QImage &bild = Etikettbild();
    if (bild.isNull()) {
        Image2->leeren();
        return {};
    }
    // The decoded size, as the printout takes it: preview and paper agree even when a header lies.
    const Bogenangaben angaben = BogenangabenFuer(bild.size(), Masse(), NurDieZeileCheckBox->isChecked(), Zeile());
    m_zustand.ObererRandPixel = angaben.top;
    m_zustand.SeitenRandPixel = angaben.left;
    m_zustand.LueckePixel = angaben.gap;
    const QImage bogen = RasterMitAnschnitt(ErzeugeEtikettenbogen(bild, angaben), bild, angaben, Masse().Anschnitt);
    Image2->setBild(bogen);
    return bogen;
}

void TFormEtikette::MachVorschau()
{
    ++m_vorschauZaehler;
    const Bogenmasse m = Masse();
    // Only a precise label is smoothed on screen: an ordinary one keeps the raster's own pixels.
    VorschauImage->setGlatt(m.IstGenau());
    if (RueckseiteZeigt()) {
        // The back page as it is printed, from the front's places; nothing of it is kept for printing.
        const QImage &vorne = Etikettbild();
        if (vorne.isNull())
            throw Fehler(KeinLesbaresBild(m_zustand.AktuelleEtikettDatei));
        const QImage hinten = Rueckseitenbild();
        const Aufloesung a = bildschirm();
        const Seitenwahl wahl = Druckwahl();
        // An ordinary sheet shows its raster, as its front does.
        if (!m.IstGenau() && wahl.umfang != Druckumfang::EineEtikette)
            ZeigeVorschau(BaueRueckseite(vorne.size(), hinten, m, wahl, {a.x, a.y, {}, {}}, m_zustand.Wenden).bild);
        else
            ZeigeVorschau(Rueckseitenvorschau(vorne.size(), hinten, m, wahl, a.x, a.y, m_zustand.Wenden));
        return;
    }
    if (m.IstGenau()) {
        // No raster: the page as it is printed, at the screen's resolution.
        const QImage &bild = NurEineDruckenCheckBox->isChecked() ? Image1->bild() : Etikettbild();
        if (bild.isNull())
            throw Fehler(KeinLesbaresBild(m_zustand.AktuelleEtikettDatei));
        const Aufloesung a = bildschirm();
        const QImage seite = Seitenvorschau(bild, m, Druckwahl(), a.x, a.y);
        if (!NurEineDruckenCheckBox->isChecked())
            Image2->setBild(seite);
        ZeigeVorschau(seite);
        return;
    }
    if (!NurEineDruckenCheckBox->isChecked()) {
        const QImage bogen = ImageMitEtikettenAuffuellen();
        ZeigeVorschau(bogen);
        if (bogen.isNull())
            throw Fehler(KeinLesbaresBild(m_zustand.AktuelleEtikettDatei));
        return;
    }
    const Aufloesung a = bildschirm();
    const QImage bild = Image1->bild();
    if (m.Anschnitt > 0) {
        // The page as it prints, bleed and all; the shortcut of the view knows the label alone.
        if (bild.isNull())
            throw Fehler(KeinLesbaresBild(m_zustand.AktuelleEtikettDatei));
        ZeigeVorschau(Seitenvorschau(bild, m, Druckwahl(), a.x, a.y));
        return;
    }
    const MmRechteck ort = EtikettAufDemBlatt(Masse(), Spalte(), Zeile());
    // The start asks twice for the same (loading the label, then setting the mode): once is made.
    const Einzelvorschaustand stand{bild.cacheKey(), a.x, a.y, ort.x, ort.y, ort.breite, ort.hoehe,
                                    VorschauImage->size()};
    if (m_einzelvorschauStand == stand)
        return;
    // The page itself is made only when something asks for it; the view is made at its own size, where its pixels
    // are the screen's (on a screen that doubles them, the view draws the page as before).
    const QSize ansichtsgroesse = VorschauImage->devicePixelRatioF() == 1 ? VorschauImage->size() : QSize();
    const std::optional<Seitenansicht> ansicht = EinzelvorschauAnsicht(bild, a.x, a.y, ort, ansichtsgroesse);
    if (!ansicht)
        ZeigeVorschau(Einzelvorschau(bild, a.x, a.y, ort));
    else
        ZeigeVorschau([bild, a, ort] { return Einzelvorschau(bild, a.x, a.y, ort); }, ansicht);
    m_einzelvorschauStand = stand;
}

void TFormEtikette::ZeigeVorschau(const QImage &seite)
{
    ZeigeVorschau([seite] { return seite; }, std::nullopt);
}

void TFormEtikette::ZeigeVorschau(std::function<QImage()> seite, const std::optional<Seitenansicht> &ansicht)
{
    m_einzelvorschauStand.reset();
    m_vorschau = std::move(seite);
    m_vorschauAnsicht = ansicht;
    if (m_druckraender)
        VorschauImage->setBild(MitDruckraendern(m_vorschau(), *m_druckraender));
    else if (ansicht)
        VorschauImage->setBild(*ansicht, m_vorschau);
    else
        VorschauImage->setBild(m_vorschau());
}

void TFormEtikette::ZeigeDruckraender(const std::optional<Druckraender> &raender)
{
    // Without bands there is nothing to mark, and the preview stays as it was before any printer.
    const bool baender =
        raender && (raender->links > 0 || raender->oben > 0 || raender->rechts > 0 || raender->unten > 0);
    const std::optional<Druckraender> neu = baender ? raender : std::nullopt;
    if (neu == m_druckraender)
        return;
    m_druckraender = neu;
    ZeigeVorschau(m_vorschau, m_vorschauAnsicht);
}

void TFormEtikette::StelleGroesseImage1ein()
{
    Image1->setStretch(true);
    const Aufloesung a = bildschirm();
    const Bogenmasse m = Masse();
    const QRect box = Image1Box(a.x, a.y, m.Hundertstel(&Bogenmasse::Etikettenbreite) / 100.0,
                                m.Hundertstel(&Bogenmasse::Etikettenhoehe) / 100.0, Bevel4->geometry());
    Image1->setGeometry(box);
    if (Etikettbild().isNull())
        throw Fehler(KeinLesbaresBild(m_zustand.AktuelleEtikettDatei));
    const QImage bild = RueckseiteZeigt() ? Rueckseitenbild() : Etikettbild();
    Image1->setGlatt(m.IstGenau());
    Image1->setBild(bild);
    Image1->resize(PasseBildgroesseAn(bild.width(), bild.height(), box.width(), box.height()));
    Image1->show();
    MachVorschau();
}
