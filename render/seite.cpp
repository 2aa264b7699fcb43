#include "render/seite.h"

#include "platform/fehler.h"
#include "render/bogen.h"
#include "render/randpruefung.h"

#include <QPainter>

#include <algorithm>
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

QList<QRectF> GenaueEtiketten(const Bogenmasse &m, const Seitenwahl &wahl, const Druckflaeche &flaeche,
                              std::optional<Wendekante> rueckseite = std::nullopt)
{
    QList<QRectF> etiketten;
    for (const GedrucktesEtikett &e : GedruckteEtiketten({}, m, wahl))
        etiketten.append(PlatziereGenau(flaeche, rueckseite ? AufDerRueckseite(e.ort, *rueckseite) : e.ort));
    return etiketten;
}

[[noreturn]] void KeinBildZumDrucken()
{
    throw Fehler(QStringLiteral("Es gibt kein Bild zum Drucken. Es wurde nichts gedruckt."));
}

// A back whose picture is stretched to its places, as the front's of a precise label or of one label are; `bild` as
// it goes onto the page, on its head for the short edge.
Seitenbild Gestreckt(const QImage &bild, const Bogenmasse &m, const Seitenwahl &wahl, const Druckflaeche &flaeche,
                     Wendekante kante)
{
    if (m.IstGenau())
        return {bild, {}, GenaueEtiketten(m, wahl, flaeche, kante)};
    return {bild, Platziere(flaeche, AufDerRueckseite(EtikettAufDemBlatt(m, wahl.spalte, wahl.zeile), kante))};
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

Seitenbild BaueSeite(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl, const Druckflaeche &flaeche)
{
    if (etikett.isNull())
        throw Fehler(QStringLiteral("Es gibt kein Bild zum Drucken. Es wurde nichts gedruckt."));
    if (m.IstGenau())
        return {etikett, {}, GenaueEtiketten(m, wahl, flaeche)};
    if (wahl.umfang == Druckumfang::EineEtikette)
        return {etikett, Platziere(flaeche, EtikettAufDemBlatt(m, wahl.spalte, wahl.zeile))};

    const QImage bogen = ErzeugeEtikettenbogen(
        etikett, BogenangabenFuer(etikett.size(), m, wahl.umfang == Druckumfang::EineZeile, wahl.zeile));
    if (bogen.isNull())
        throw Fehler(QStringLiteral("Es gibt kein Bild zum Drucken. Es wurde nichts gedruckt."));
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
    if (seite.etiketten.isEmpty()) {
        ZeichneGestreckt(maler, Rechteck(seite.ziel), seite.bild);
        return;
    }
    for (const QRectF &ziel : seite.etiketten)
        ZeichneGestreckt(maler, ziel, seite.bild);
}

QImage Seitenvorschau(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl, int dpiX, int dpiY)
{
    return Vorschau(BaueSeite(etikett, m, wahl, {dpiX, dpiY, {}, {}}), dpiX, dpiY);
}

Seitenbild BaueRueckseite(QSize vorne, const QImage &hinten, const Bogenmasse &m, const Seitenwahl &wahl,
                          const Druckflaeche &flaeche, Wendekante kante)
{
    if (hinten.isNull())
        KeinBildZumDrucken();
    const bool kurz = kante == Wendekante::Kurz;
    if (m.IstGenau() || wahl.umfang == Druckumfang::EineEtikette)
        return Gestreckt(kurz ? hinten.mirrored(true, true) : hinten, m, wahl, flaeche, kante);

    // The front's composition with the back's picture mirrored, the raster then mirrored back: every label's back
    // lands behind its own place, upright, however the cursor laid the places out.
    const QImage bild = hinten.size() == vorne ? hinten : SkaliereBild(hinten, vorne.width(), vorne.height());
    const QImage bogen = ErzeugeEtikettenbogen(
        bild.mirrored(true, false), BogenangabenFuer(vorne, m, wahl.umfang == Druckumfang::EineZeile, wahl.zeile));
    if (bogen.isNull())
        KeinBildZumDrucken();
    const double breite = A4::BreiteMm;
    const double hoehe = breite * bogen.height() / bogen.width();
    // Turned over the long edge the raster is mirrored; over the short edge, that turned by 180 degrees.
    return {kurz ? bogen.mirrored(false, true) : bogen.mirrored(true, false),
            Platziere(flaeche, AufDerRueckseite({0.0, 0.0, breite, hoehe}, kante))};
}

QImage Rueckseitenvorschau(QSize vorne, const QImage &hinten, const Bogenmasse &m, const Seitenwahl &wahl, int dpiX,
                           int dpiY, Wendekante kante)
{
    return Vorschau(BaueRueckseite(vorne, hinten, m, wahl, {dpiX, dpiY, {}, {}}, kante), dpiX, dpiY);
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
        seite.append(BaueSeite(e.bild, e.masse, {Druckumfang::EineEtikette, p.platz.spalte, p.platz.zeile}, flaeche));
    }
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
                                   {Druckumfang::EineEtikette, p.platz.spalte, p.platz.zeile}, flaeche, kante));
    if (seite.isEmpty())
        throw Fehler(QStringLiteral("Keine Etikette auf dem Bogen hat eine Rückseite. Es wurde nichts gedruckt."));
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
