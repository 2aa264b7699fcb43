#include "render/seite.h"

#include "platform/fehler.h"
#include "render/bogen.h"
#include "render/randpruefung.h"

#include <QPainter>

#include <algorithm>

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
    Seitenbild seite = BaueSeite(etikett, m, wahl, {dpiX, dpiY, {}, {}});
    if (!seite.etiketten.isEmpty())
        seite.bild = GeglaettetVerkleinert(seite.bild, seite.etiketten.first().size().toSize());
    QImage bild = WeisseSeite(dpiX, dpiY);
    QPainter maler(&bild);
    ZeichneSeite(maler, seite);
    return bild;
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

QImage Seitenvorschau(const Bogenplan &plan, const QList<Seitenetikett> &etiketten, int dpiX, int dpiY)
{
    const QList<Seitenbild> seite = BaueSeite(plan, etiketten, {dpiX, dpiY, {}, {}});
    QImage bild = WeisseSeite(dpiX, dpiY);
    QPainter maler(&bild);
    ZeichneSeite(maler, seite);
    return bild;
}
