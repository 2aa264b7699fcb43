#include "layout/markierung.h"

#include <algorithm>

namespace {

using namespace Marke;

// The column in which a horizontal grid line must show, and the lowest row looked at there.
constexpr int PruefSpalte = 58;
constexpr int PruefZeileBis = 123;

bool GleicheFarbe(QRgb a, QRgb b)
{
    return (a & 0x00FFFFFF) == (b & 0x00FFFFFF);
}

// Reads outside the picture match no colour.
bool HatFarbe(const QImage &bild, int x, int y, QRgb farbe)
{
    if (x < 0 || y < 0 || x >= bild.width() || y >= bild.height())
        return false;
    const auto *zeile = reinterpret_cast<const QRgb *>(bild.constScanLine(y));
    return GleicheFarbe(zeile[x], farbe);
}

void Setze(QImage &bild, int x, int y, QRgb farbe)
{
    if (x < 0 || y < 0 || x >= bild.width() || y >= bild.height())
        return;
    reinterpret_cast<QRgb *>(bild.scanLine(y))[x] = farbe | 0xFF000000;
}

bool IstSchwarz(const QImage &bild, int x, int y)
{
    return HatFarbe(bild, x, y, Schwarz);
}

} // namespace

void ZeigeEtikettenPosition(QImage &bild, QRgb farbe, int spalte, int zeile, Zelle &markierteZelle)
{
    if (bild.isNull())
        return;
    if (bild.format() != QImage::Format_RGB32 && bild.format() != QImage::Format_ARGB32)
        bild.convertTo(QImage::Format_RGB32);

    const int breite = bild.width();
    const int hoehe = bild.height();

    int oben = 0;
    int zeilenabstand = 0;
    for (int r = 1; r < hoehe; ++r) {
        if (HatFarbe(bild, 0, r, Silber))
            zeilenabstand = r;
        if (HatFarbe(bild, 0, r, Grau))
            oben = r;
    }

    if (markierteZelle.Left > 0) {
        const int links = std::max(markierteZelle.Left, 0);
        const int rechts = std::min(markierteZelle.Right, breite - 1);
        const int von = std::max(markierteZelle.Top, 0);
        const int bis = std::min(markierteZelle.Bottom, hoehe - 1);
        for (int y = von; y <= bis; ++y)
            for (int x = links; x <= rechts; ++x)
                if (HatFarbe(bild, x, y, farbe))
                    Setze(bild, x, y, Weiss);
    }

    int linien = 0;
    for (int x = ZaehlspalteVon; x <= ZaehlspalteBis; ++x)
        if (IstSchwarz(bild, x, oben + AbstandZaehlzeile))
            ++linien;
    if (linien <= 0)
        return;
    // The pictures with four columns of lines in the scan row use the pitch of three.
    if (linien == 4)
        linien = 3;
    const int spaltenabstand = 60 / linien;

    bool gitterGefunden = false;
    for (int y = oben + 1; y <= PruefZeileBis && !gitterGefunden; ++y)
        gitterGefunden = IstSchwarz(bild, PruefSpalte, y);
    if (!gitterGefunden)
        return;

    const qint64 saatX = qint64(spalte) * (spaltenabstand - 1) + ErsteGitterSpalte;
    const qint64 saatY = qint64(zeile) * zeilenabstand + oben;
    if (saatX > breite - 1 || saatY > hoehe - 1 || saatX < 0 || saatY < 0)
        return;
    const int cx = int(saatX);
    const int cy = int(saatY);

    int links = cx - 1;
    for (;; --links) {
        if (links < ErsteGitterSpalte)
            return;
        if (IstSchwarz(bild, links, cy))
            break;
    }
    int rechts = cx + 1;
    for (;; ++rechts) {
        if (rechts >= breite - 1)
            return;
        if (IstSchwarz(bild, rechts, cy))
            break;
    }
    int ganzOben = cy - 1;
    for (;; --ganzOben) {
        if (ganzOben < oben)
            return;
        if (IstSchwarz(bild, cx, ganzOben))
            break;
    }
    int unten = ganzOben + 1;
    for (;; ++unten) {
        if (unten > hoehe - 1)
            return;
        if (IstSchwarz(bild, cx, unten))
            break;
    }

    for (int y = ganzOben; y <= unten; ++y)
        for (int x = links; x <= rechts; ++x)
            if (!IstSchwarz(bild, x, y))
                Setze(bild, x, y, farbe);

    markierteZelle = {links, ganzOben, rechts, unten};
}

std::optional<int> GetippteZahl(const QString &text)
{
    const QString zahl = text.trimmed();
    if (zahl.isEmpty() || zahl.size() > 9
        || !std::all_of(zahl.begin(), zahl.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return zahl.toInt();
}
