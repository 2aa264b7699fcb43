#include "render/seite.h"

#include "platform/fehler.h"
#include "render/bogen.h"

#include <QPainter>

namespace {

// The correction moves and scales in millimetres before the device's resolution and margins enter.
Platzierung Platziere(const Druckflaeche &f, const MmRechteck &gemeint)
{
    const MmRechteck mm = Korrigiert(gemeint, f.korrektur);
    return Platzierungsrechteck(f.dpiX, f.dpiY, f.versatz.x(), f.versatz.y(), mm.x, mm.y, mm.breite, mm.hoehe);
}

} // namespace

Seitenbild BaueSeite(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl, const Druckflaeche &flaeche)
{
    if (etikett.isNull())
        throw Fehler(QStringLiteral("Es gibt kein Bild zum Drucken. Es wurde nichts gedruckt."));
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
    ZeichneGestreckt(maler, Rechteck(seite.ziel), seite.bild);
}
