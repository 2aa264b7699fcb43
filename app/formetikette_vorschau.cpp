// The label view and the sheet preview of the window.
#include "app/formetikette_p.h"

#include "app/bildansicht.h"
#include "app/updown.h"
#include "platform/fehler.h"
#include "render/anschnitt.h"
#include "render/etikettdokument.h"
#include "render/bogen.h"
#include "render/masse.h"
#include "render/randpruefung.h"
#include "render/seite.h"
#include "render/seitenzeichen.h"
#include "storage/bilddatei.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QPainter>

namespace {

// The label's text and code over a front page of the preview at its resolution, as the print places them: the
// first record of the list last printed from, or the running number 1 alone.
QImage MitAufdruck(QImage seite, Etikettdokument &dokument, const Bogenmasse &m, const Seitenwahl &wahl, int dpiX,
                   int dpiY, const std::optional<Datensatz> &satz)
{
    if ((!dokument.inhalt().text && !dokument.inhalt().code) || seite.isNull())
        return seite;
    Seitenetikett e = dokument.seitenetikett();
    e.masse = m;
    Druckauftrag auftrag(e, wahl);
    if (satz)
        auftrag.setzeMustersatz(*satz);
    Seitenbild teil;
    teil.aufdrucke = auftrag.aufdrucke({dpiX, dpiY, {}, {}});
    seite = seite.convertToFormat(QImage::Format_RGB32);
    QPainter maler(&seite);
    ZeichneSeite(maler, teil);
    return seite;
}

} // namespace

QImage TFormEtikette::ImageMitEtikettenAuffuellen()
{
    LiesBildGroesse();
    const QImage &bild = d->dokument.bild();
    if (bild.isNull())
        return {};
    // The decoded size, as the printout takes it: preview and paper agree even when a header lies.
    const Bogenangaben angaben = BogenangabenFuer(bild.size(), Masse(), NurDieZeileCheckBox->isChecked(), Zeile());
    return RasterMitAnschnitt(ErzeugeEtikettenbogen(bild, angaben), bild, angaben, d->dokument.anschnitt());
}

QList<Strich> TFormEtikette::Vorschauzeichen()
{
    if ((!d->probedruck && !d->dokument.schnittmarken()) || d->dokument.bild().isNull())
        return {};
    Druckauftrag auftrag = d->dokument.druckauftrag(false);
    auftrag.setzeProbedruck(d->probedruck);
    auftrag.setzeKante(d->z.Wenden);
    return auftrag.zeichen(RueckseiteZeigt() ? Blattseite::Rueckseite : Blattseite::Vorderseite);
}

void TFormEtikette::MachVorschau()
{
    ++d->vorschauZaehler;
    d->vorschauzeichen = Vorschauzeichen();
    const Bogenmasse m = Masse();
    // Only a precise label is smoothed on screen: an ordinary one keeps the raster's own pixels.
    VorschauImage->setGlatt(m.IstGenau());
    if (RueckseiteZeigt()) {
        // The back page as it is printed, from the front's places; nothing of it is kept for printing.
        const QImage &vorne = d->dokument.bild();
        if (vorne.isNull())
            throw Fehler(KeinLesbaresBild(d->dokument.bildPfad()));
        QImage hinten;
        try {
            hinten = d->dokument.rueckseitenbild();
        } catch (const Fehler &) {
            // A back that is gone is no longer shown: the view and the preview go back to the front.
            ZeigeRueckseitenSchalter();
            StelleGroesseImage1ein();
            throw;
        }
        const Aufloesung a = bildschirm();
        const Seitenwahl wahl = Druckwahl();
        const int anschnitt = d->dokument.anschnitt();
        // An ordinary sheet shows its raster, as its front does.
        if (!m.IstGenau() && wahl.umfang != Druckumfang::EineEtikette)
            ZeigeVorschau(
                BaueRueckseite(vorne.size(), hinten, m, wahl, {a.x, a.y, {}, {}}, d->z.Wenden, anschnitt).bild);
        else
            ZeigeVorschau(Rueckseitenvorschau(vorne.size(), hinten, m, wahl, a.x, a.y, d->z.Wenden, anschnitt));
        return;
    }
    if (m.IstGenau()) {
        // No raster: the page as it is printed, at the screen's resolution.
        const QImage &bild = d->dokument.bild();
        if (bild.isNull())
            throw Fehler(KeinLesbaresBild(d->dokument.bildPfad()));
        const Aufloesung a = bildschirm();
        ZeigeVorschau(MitAufdruck(Seitenvorschau(bild, m, Druckwahl(), a.x, a.y, d->dokument.anschnitt()), d->dokument,
                                  m, Druckwahl(), a.x, a.y, d->ersterSatz));
        return;
    }
    if (!NurEineDruckenCheckBox->isChecked()) {
        const QImage bogen = ImageMitEtikettenAuffuellen();
        // The raster stands for the paper's 210 mm.
        const int dpi = bogen.isNull() ? 0 : qRound(bogen.width() * double(MmProZoll) / A4::BreiteMm);
        ZeigeVorschau(MitAufdruck(bogen, d->dokument, m, Druckwahl(), dpi, dpi, d->ersterSatz));
        if (bogen.isNull())
            throw Fehler(KeinLesbaresBild(d->dokument.bildPfad()));
        return;
    }
    const Aufloesung a = bildschirm();
    // The one label as the label view shows it: the person's next refresh or reload brings a changed file in.
    const QImage bild = d->dokument.gezeigtesBild();
    if (d->dokument.anschnitt() > 0 || !d->vorschauzeichen.isEmpty() || d->dokument.inhalt().text
        || d->dokument.inhalt().code) {
        // The page as it prints, bleed, lines and text and all; the shortcut of the view knows the label alone.
        if (bild.isNull())
            throw Fehler(KeinLesbaresBild(d->dokument.bildPfad()));
        ZeigeVorschau(MitAufdruck(Seitenvorschau(bild, m, Druckwahl(), a.x, a.y, d->dokument.anschnitt()), d->dokument,
                                  m, Druckwahl(), a.x, a.y, d->ersterSatz));
        return;
    }
    const MmRechteck ort = EtikettAufDemBlatt(Masse(), Spalte(), Zeile());
    // The start asks twice for the same (loading the label, then setting the mode): once is made.
    const Privat::Einzelvorschaustand stand{bild.cacheKey(), a.x, a.y, ort.x, ort.y, ort.breite, ort.hoehe,
                                    VorschauImage->size()};
    if (d->einzelvorschauStand == stand)
        return;
    // The page itself is made only when something asks for it; the view is made at its own size, where its pixels
    // are the screen's (on a screen that doubles them, the view draws the page as before).
    const QSize ansichtsgroesse = VorschauImage->devicePixelRatioF() == 1 ? VorschauImage->size() : QSize();
    const std::optional<Seitenansicht> ansicht = EinzelvorschauAnsicht(bild, a.x, a.y, ort, ansichtsgroesse);
    if (!ansicht)
        ZeigeVorschau(Einzelvorschau(bild, a.x, a.y, ort));
    else
        ZeigeVorschau([bild, a, ort] { return Einzelvorschau(bild, a.x, a.y, ort); }, ansicht);
    d->einzelvorschauStand = stand;
}

void TFormEtikette::ZeigeVorschau(const QImage &seite)
{
    ZeigeVorschau([seite] { return seite; }, std::nullopt);
}

void TFormEtikette::ZeigeVorschau(std::function<QImage()> seite, const std::optional<Seitenansicht> &ansicht)
{
    d->einzelvorschauStand.reset();
    d->vorschau = std::move(seite);
    d->vorschauAnsicht = ansicht;
    if (d->druckraender)
        VorschauImage->setBild(MitDruckraendern(MitStrichen(d->vorschau(), d->vorschauzeichen), *d->druckraender));
    else if (ansicht && d->vorschauzeichen.isEmpty())
        VorschauImage->setBild(*ansicht, d->vorschau);
    else
        VorschauImage->setBild(MitStrichen(d->vorschau(), d->vorschauzeichen));
}

void TFormEtikette::ZeigeDruckraender(const std::optional<Druckraender> &raender)
{
    // Without bands there is nothing to mark, and the preview stays as it was before any printer.
    const bool baender =
        raender && (raender->links > 0 || raender->oben > 0 || raender->rechts > 0 || raender->unten > 0);
    const std::optional<Druckraender> neu = baender ? raender : std::nullopt;
    if (neu == d->druckraender)
        return;
    d->druckraender = neu;
    ZeigeVorschau(d->vorschau, d->vorschauAnsicht);
}

void TFormEtikette::StelleGroesseImage1ein()
{
    Image1->setStretch(true);
    const Aufloesung a = bildschirm();
    const Bogenmasse m = Masse();
    const QRect box = Image1Box(a.x, a.y, m.Hundertstel(&Bogenmasse::Etikettenbreite) / 100.0,
                                m.Hundertstel(&Bogenmasse::Etikettenhoehe) / 100.0, Bevel4->geometry());
    Image1->setGeometry(box);
    if (d->dokument.bild().isNull())
        throw Fehler(KeinLesbaresBild(d->dokument.bildPfad()));
    QImage bild = d->dokument.bild();
    std::optional<Fehler> ohneRueckseite;
    if (RueckseiteZeigt()) {
        try {
            bild = d->dokument.rueckseitenbild();
        } catch (const Fehler &f) {
            // A back that is gone is no longer shown: the front shows, and the person is told why.
            ohneRueckseite = f;
            ZeigeRueckseitenSchalter();
        }
    }
    Image1->setGlatt(m.IstGenau());
    Image1->setBild(bild);
    // The back prints drawn into the card's size, whatever its own proportions: it shows so.
    const QImage &vorne = d->dokument.bild();
    Image1->resize(PasseBildgroesseAn(vorne.width(), vorne.height(), box.width(), box.height()));
    Image1->show();
    MachVorschau();
    if (ohneRueckseite)
        throw *ohneRueckseite;
}
