#include "render/seite.h"

#include "platform/fehler.h"
#include "render/bogen.h"
#include "render/randpruefung.h"

#include <QPainter>

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

QList<QRectF> GenaueEtiketten(const Bogenmasse &m, const Seitenwahl &wahl, const Druckflaeche &flaeche)
{
    QList<QRectF> etiketten;
    for (const GedrucktesEtikett &e : GedruckteEtiketten({}, m, wahl))
        etiketten.append(PlatziereGenau(flaeche, e.ort));
    return etiketten;
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
    const Seitenbild seite = BaueSeite(etikett, m, wahl, {dpiX, dpiY, {}, {}});
    QImage bild = WeisseSeite(dpiX, dpiY);
    QPainter maler(&bild);
    ZeichneSeite(maler, seite);
    return bild;
}
