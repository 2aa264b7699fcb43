#include "render/seite.h"

#include "platform/fehler.h"
#include "render/bogen.h"
#include "render/randpruefung.h"
#include "render/seitenzeichen.h"
#include "render/textsatz.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The correction moves and scales in millimetres before the device's resolution and margins enter.
Platzierung Platziere(const Druckflaeche &f, const MmRechteck &gemeint)
{
    const MmRechteck mm = Korrigiert(gemeint, f.korrektur);
    return Platzierungsrechteck(f.dpiX, f.dpiY, f.versatz.x(), f.versatz.y(), mm.x, mm.y, mm.breite, mm.hoehe);
}

// The same without rounding: a precise label lands where its millimetres say, at the device's resolution.
QRectF PlatziereGenau(const Druckflaeche &f, const MmRechteck &gemeint)
{
    const MmRechteck mm = Korrigiert(gemeint, f.korrektur);
    const double jeMmX = f.dpiX / double(MmProZoll);
    const double jeMmY = f.dpiY / double(MmProZoll);
    return QRectF(mm.x * jeMmX - f.versatz.x(), mm.y * jeMmY - f.versatz.y(), mm.breite * jeMmX, mm.hoehe * jeMmY);
}

// The paper in device pixels from the painter's origin.
QRectF Papier(const Druckflaeche &f)
{
    return QRectF(-f.versatz.x(), -f.versatz.y(), A4::BreiteMm * (f.dpiX / double(MmProZoll)),
                  A4::HoeheMm * (f.dpiY / double(MmProZoll)));
}

// A label's rectangle on the sheet, or on the back of the sheet turned over `rueckseite`.
MmRechteck AufDemBlatt(const Bogenmasse &m, int spalte, int zeile, std::optional<Wendekante> rueckseite)
{
    const MmRechteck ort = EtikettAufDemBlatt(m, spalte, zeile);
    return rueckseite ? AufDerRueckseite(ort, *rueckseite) : ort;
}

Seitenbild GenaueSeite(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl, const Druckflaeche &flaeche,
                       int anschnitt, std::optional<Wendekante> rueckseite = std::nullopt)
{
    Seitenbild seite{etikett, {}, {}, {}};
    const auto ort = [&](int spalte, int zeile) {
        return PlatziereGenau(flaeche, AufDemBlatt(m, spalte, zeile, rueckseite));
    };
    const Anschnittbreiten rand =
        GleicherAnschnitt(anschnitt, flaeche.dpiX / double(MmProZoll), flaeche.dpiY / double(MmProZoll));
    for (const GedrucktesEtikett &e : GedruckteEtiketten({}, m, wahl)) {
        seite.etiketten.append(PlatziereGenau(flaeche, rueckseite ? AufDerRueckseite(e.ort, *rueckseite) : e.ort));
        if (anschnitt > 0)
            seite.anschnitt.append(AnschnittAmPlatz(ort, e.spalte, e.zeile, m.AnzahlEtikettenInZeile,
                                                    m.AnzahlEtikettenInSpalte, Papier(flaeche), rand));
    }
    return seite;
}

// An ordinary label alone: its bleed in whole pixels of its picture, then in whole device pixels.
Seitenbild EinzelneSeite(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl,
                         const Druckflaeche &flaeche, int anschnitt,
                         std::optional<Wendekante> rueckseite = std::nullopt)
{
    Seitenbild seite{etikett, Platziere(flaeche, AufDemBlatt(m, wahl.spalte, wahl.zeile, rueckseite)), {}, {}};
    if (anschnitt <= 0 || m.Etikettenbreite <= 0 || m.Etikettenhoehe <= 0)
        return seite;
    const QRect ziel = Rechteck(seite.ziel);
    const double mm = anschnitt / 100.0;
    const double randX = std::round(mm * etikett.width() / m.Etikettenbreite) * ziel.width() / etikett.width();
    const double randY = std::round(mm * etikett.height() / m.Etikettenhoehe) * ziel.height() / etikett.height();
    const auto ort = [&](int spalte, int zeile) {
        return QRectF(Rechteck(Platziere(flaeche, AufDemBlatt(m, spalte, zeile, rueckseite))));
    };
    seite.anschnitt.append(
        LueckeGeschlossen(AnschnittAmPlatz(ort, wahl.spalte, wahl.zeile, m.AnzahlEtikettenInZeile,
                                           m.AnzahlEtikettenInSpalte, Papier(flaeche), {randX, randY, randX, randY})));
    return seite;
}

QList<QRectF> Etikettenorte(const Seitenbild &seite)
{
    return seite.etiketten.isEmpty() ? QList<QRectF>{QRectF(Rechteck(seite.ziel))} : seite.etiketten;
}

// Partners of one sheet on paper may round to slightly different places: each bleed stops short of the others.
void BegrenzeAnschnitte(QList<Seitenbild> &seite, const Druckflaeche &flaeche)
{
    for (qsizetype i = 0; i < seite.size(); ++i) {
        if (seite[i].anschnitt.isEmpty())
            continue;
        QList<QRectF> andere;
        for (qsizetype j = 0; j < seite.size(); ++j)
            if (j != i)
                andere += Etikettenorte(seite[j]);
        const QList<QRectF> orte = Etikettenorte(seite[i]);
        for (qsizetype k = 0; k < seite[i].anschnitt.size() && k < orte.size(); ++k) {
            const Anschnittbreiten b = Anschnittgrenzen(orte[k], andere, Papier(flaeche), seite[i].anschnitt[k]);
            seite[i].anschnitt[k] = seite[i].etiketten.isEmpty() ? LueckeGeschlossen(b) : b;
        }
    }
}

[[noreturn]] void KeinBildZumDrucken()
{
    throw Fehler(QStringLiteral("Es gibt kein Bild zum Drucken. Es wurde nichts gedruckt."));
}

// A back whose picture is stretched to its places, as the front's of a precise label or of one label are, with
// the bleed the front's rules give it behind its front; `bild` as it goes onto the page, on its head for the short
// edge.
Seitenbild Gestreckt(const QImage &bild, const Bogenmasse &m, const Seitenwahl &wahl, const Druckflaeche &flaeche,
                     int anschnitt, Wendekante kante)
{
    if (m.IstGenau())
        return GenaueSeite(bild, m, wahl, flaeche, anschnitt, kante);
    return EinzelneSeite(bild, m, wahl, flaeche, anschnitt, kante);
}

// A page in a white A4 picture at the given resolution, a precise label's picture shrunk to its place first.
QImage Vorschau(Seitenbild seite, int dpiX, int dpiY)
{
    if (!seite.etiketten.isEmpty())
        seite.bild = GeglaettetVerkleinert(seite.bild, seite.etiketten.first().size().toSize());
    QImage bild = WeisseSeite(dpiX, dpiY);
    QPainter maler(&bild);
    ZeichneSeite(maler, seite);
    return bild;
}

} // namespace

Seitenbild BaueSeite(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl, const Druckflaeche &flaeche,
                     int anschnitt)
{
    if (etikett.isNull())
        KeinBildZumDrucken();
    if (m.IstGenau())
        return GenaueSeite(etikett, m, wahl, flaeche, anschnitt);
    if (wahl.umfang == Druckumfang::EineEtikette)
        return EinzelneSeite(etikett, m, wahl, flaeche, anschnitt);

    const Bogenangaben angaben = BogenangabenFuer(etikett.size(), m, wahl.umfang == Druckumfang::EineZeile, wahl.zeile);
    const QImage bogen = RasterMitAnschnitt(ErzeugeEtikettenbogen(etikett, angaben), etikett, angaben, anschnitt);
    if (bogen.isNull())
        KeinBildZumDrucken();
    // The raster stands for the whole width of the sheet; its height follows its proportions.
    const double breite = A4::BreiteMm;
    const double hoehe = breite * bogen.height() / bogen.width();
    return {bogen, Platziere(flaeche, {0.0, 0.0, breite, hoehe})};
}

bool SeiteLeer(const Seitenbild &seite, const Bogenmasse &m, const Seitenwahl &wahl)
{
    if (m.IstGenau())
        return seite.etiketten.isEmpty();
    if (wahl.umfang == Druckumfang::EineEtikette)
        return false;
    const QImage bogen = seite.bild.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < bogen.height(); ++y) {
        const auto *zeile = reinterpret_cast<const QRgb *>(bogen.constScanLine(y));
        if (std::any_of(zeile, zeile + bogen.width(), [](QRgb p) { return (p & 0xFFFFFF) != 0xFFFFFF; }))
            return false;
    }
    return true;
}

QString LeereSeiteMeldung()
{
    return QStringLiteral("Mit diesen Maßen liegt keine Etikette auf der Seite; sie bliebe leer. Es wurde nichts "
                          "gedruckt.");
}

void ZeichneSeite(QPainter &maler, const Seitenbild &seite)
{
    const QList<QRectF> orte = seite.bild.isNull() ? QList<QRectF>() : Etikettenorte(seite);
    for (qsizetype i = 0; i < orte.size(); ++i) {
        ZeichneGestreckt(maler, orte[i], seite.bild);
        if (i < seite.anschnitt.size())
            ZeichneAnschnitt(maler, orte[i], seite.bild, seite.anschnitt[i]);
    }
    for (const Aufdruck &a : seite.aufdrucke) {
        if (a.text && !a.zeilen.isEmpty())
            ZeichneText(maler, *a.text, a.zeilen, a.groesse, a.etikett, a.jeMmX, a.jeMmY);
        if (a.code && !a.codebild.leer())
            ZeichneCode(maler, *a.code, a.codebild, a.etikett, a.jeMmX, a.jeMmY);
    }
    ZeichneStriche(maler, seite.striche);
}

QRectF GenauAufDemGeraet(const Druckflaeche &flaeche, const MmRechteck &mm)
{
    return PlatziereGenau(flaeche, mm);
}

QImage Seitenvorschau(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl, int dpiX, int dpiY,
                      int anschnitt)
{
    return Vorschau(BaueSeite(etikett, m, wahl, {dpiX, dpiY, {}, {}}, anschnitt), dpiX, dpiY);
}

Seitenbild BaueRueckseite(QSize vorne, const QImage &hinten, const Bogenmasse &m, const Seitenwahl &wahl,
                          const Druckflaeche &flaeche, Wendekante kante, int anschnitt)
{
    if (hinten.isNull())
        KeinBildZumDrucken();
    const bool kurz = kante == Wendekante::Kurz;
    if (m.IstGenau() || wahl.umfang == Druckumfang::EineEtikette)
        return Gestreckt(kurz ? hinten.mirrored(true, true) : hinten, m, wahl, flaeche, anschnitt, kante);

    // The front's composition with the back's picture mirrored, the raster then mirrored back: every label's back
    // lands behind its own place, upright, however the cursor laid the places out.
    const QImage bild = hinten.size() == vorne ? hinten : SkaliereBild(hinten, vorne.width(), vorne.height());
    const QImage gespiegelt = bild.mirrored(true, false);
    const Bogenangaben angaben = BogenangabenFuer(vorne, m, wahl.umfang == Druckumfang::EineZeile, wahl.zeile);
    const QImage bogen =
        RasterMitAnschnitt(ErzeugeEtikettenbogen(gespiegelt, angaben), gespiegelt, angaben, anschnitt);
    if (bogen.isNull())
        KeinBildZumDrucken();
    const double breite = A4::BreiteMm;
    const double hoehe = breite * bogen.height() / bogen.width();
    // Turned over the long edge the raster is mirrored; over the short edge, that turned by 180 degrees.
    return {kurz ? bogen.mirrored(false, true) : bogen.mirrored(true, false),
            Platziere(flaeche, AufDerRueckseite({0.0, 0.0, breite, hoehe}, kante))};
}

QImage Rueckseitenvorschau(QSize vorne, const QImage &hinten, const Bogenmasse &m, const Seitenwahl &wahl, int dpiX,
                           int dpiY, Wendekante kante, int anschnitt)
{
    return Vorschau(BaueRueckseite(vorne, hinten, m, wahl, {dpiX, dpiY, {}, {}}, kante, anschnitt), dpiX, dpiY);
}

QImage GeglaettetVerkleinert(const QImage &bild, QSize groesse)
{
    if (bild.isNull() || groesse.isEmpty() || groesse.width() > bild.width() || groesse.height() > bild.height()
        || groesse == bild.size())
        return bild;
    // Qt's smooth scaling averages every source pixel when it shrinks.
    return bild.scaled(groesse, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QList<Seitenbild> BaueSeite(const Bogenplan &plan, const QList<Seitenetikett> &etiketten, const Druckflaeche &flaeche)
{
    if (plan.plaetze.isEmpty())
        throw Fehler(QStringLiteral("Auf dem Bogen ist keine Etikette. Es wurde nichts gedruckt."));
    QList<Seitenbild> seite;
    for (const Planplatz &p : plan.plaetze) {
        const Seitenetikett e =
            p.etikett >= 0 && p.etikett < etiketten.size() ? etiketten[p.etikett] : Seitenetikett{{}, plan.masse};
        seite.append(BaueSeite(e.bild, e.masse, {Druckumfang::EineEtikette, p.platz.spalte, p.platz.zeile}, flaeche,
                               e.anschnitt));
    }
    BegrenzeAnschnitte(seite, flaeche);
    return seite;
}

void ZeichneSeite(QPainter &maler, const QList<Seitenbild> &seite)
{
    for (const Seitenbild &teil : seite)
        ZeichneSeite(maler, teil);
}

QList<Seitenbild> BaueRueckseite(const Bogenplan &plan, const QList<Seitenetikett> &rueckseiten,
                                 const Druckflaeche &flaeche, Wendekante kante)
{
    // Each picture turned once, so that a PDF holds it once however many places show it.
    QList<Seitenetikett> hinten = rueckseiten;
    if (kante == Wendekante::Kurz)
        for (Seitenetikett &e : hinten)
            e.bild = e.bild.mirrored(true, true);
    QList<Seitenbild> seite;
    for (const Planplatz &p : plan.plaetze)
        if (p.etikett >= 0 && p.etikett < hinten.size() && !hinten[p.etikett].bild.isNull())
            seite.append(Gestreckt(hinten[p.etikett].bild, hinten[p.etikett].masse,
                                   {Druckumfang::EineEtikette, p.platz.spalte, p.platz.zeile}, flaeche,
                                   hinten[p.etikett].anschnitt, kante));
    if (seite.isEmpty())
        throw Fehler(QStringLiteral("Keine Etikette auf dem Bogen hat eine Rückseite. Es wurde nichts gedruckt."));
    BegrenzeAnschnitte(seite, flaeche);
    return seite;
}

QImage Seitenvorschau(const Bogenplan &plan, const QList<Seitenetikett> &etiketten, int dpiX, int dpiY)
{
    const QList<Seitenbild> seite = BaueSeite(plan, etiketten, {dpiX, dpiY, {}, {}});
    QImage bild = WeisseSeite(dpiX, dpiY);
    QPainter maler(&bild);
    ZeichneSeite(maler, seite);
    return bild;
}
