// A label picture, decoded from any bytes or made from them, composed into the sheet raster and put on a page by
// the page painter, with measures inside the editors' ranges. The sheet keeps the margins white, shows the first
// label unchanged at its corner and, in the row mode, nothing outside the chosen row; the page painter draws only
// into its target, which the printer's offsets move and the label's position does not resize, and keeps the
// painter's state.
#include "gemeinsam.h"
#include "platform/fehler.h"
#include "render/bogen.h"
#include "render/seite.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <unordered_set>

namespace {

// Work per input: the picture's pixels and the labels the composition may draw.
constexpr qint64 GroessteBildflaeche = 1'000'000;
constexpr qint64 GroessteEtikettenzahl = 20'000;
constexpr qint64 GroessteSeitenflaeche = 600'000;
constexpr QRgb Weiss = 0xFFFFFFFF;

QImage Etikettbild(FuzzedDataProvider &eingabe)
{
    if (eingabe.ConsumeBool()) {
        // Made from the bytes: any size, any colours, with or without alpha.
        const int b = eingabe.ConsumeIntegralInRange(1, 600);
        const int h = eingabe.ConsumeIntegralInRange(1, 600);
        QImage bild(b, h, eingabe.ConsumeBool() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        const QRgb farben[4] = {eingabe.ConsumeIntegral<QRgb>(), eingabe.ConsumeIntegral<QRgb>(),
                                eingabe.ConsumeIntegral<QRgb>(), eingabe.ConsumeIntegral<QRgb>()};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < b; ++x)
                bild.setPixel(x, y, farben[(x * 7 + y * 3 + (x ^ y)) & 3]);
        return bild;
    }
    // Decoded as the window decodes a label file: by its content.
    const QByteArray bytes = QByteArray::fromStdString(eingabe.ConsumeRemainingBytesAsString());
    QBuffer puffer;
    puffer.setData(bytes);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer);
    const QSize angegeben = leser.size();
    if (angegeben.isValid() && qint64(angegeben.width()) * angegeben.height() > GroessteBildflaeche)
        return {};
    const QImage bild = QImage::fromData(bytes);
    if (qint64(bild.width()) * bild.height() > GroessteBildflaeche)
        return {};
    return bild;
}

// The picture as it shows on white paper. Converted as the composition converts it: Qt's conversions disagree on
// the colour of an index beyond a picture's colour table.
QImage AufWeiss(const QImage &bild)
{
    QImage flach(bild.size(), QImage::Format_RGB32);
    flach.fill(Weiss);
    QPainter p(&flach);
    p.drawImage(
        0, 0,
        bild.convertToFormat(bild.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32));
    return flach;
}

// RGB32 leaves the alpha byte to whoever wrote the pixel.
bool GleicheFarbe(QRgb a, QRgb b)
{
    return ((a ^ b) & 0x00FFFFFF) == 0;
}

// Every pixel of the rectangle (clipped to the picture) is white; the picture is 32-bit.
bool IstWeiss(const QImage &bild, const QRect &bereich)
{
    const QRect r = bereich & bild.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto *zeile = reinterpret_cast<const QRgb *>(bild.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            if ((zeile[x] & 0x00FFFFFF) != 0x00FFFFFF)
                return false;
    }
    return true;
}

// Everything of the picture outside `innen` is white.
bool AussenWeiss(const QImage &bild, const QRect &innen)
{
    const QRect i = innen & bild.rect();
    if (i.isEmpty())
        return IstWeiss(bild, bild.rect());
    return IstWeiss(bild, QRect(0, 0, bild.width(), i.top()))
        && IstWeiss(bild, QRect(0, i.bottom() + 1, bild.width(), bild.height()))
        && IstWeiss(bild, QRect(0, i.top(), i.left(), i.height()))
        && IstWeiss(bild, QRect(i.right() + 1, i.top(), bild.width(), i.height()));
}

void PruefeBogen(const QImage &bogen, const QImage &etikett, const Bogenangaben &a)
{
    PRUEFE(bogen.size() == QSize(BogenBreite, BogenHoehe));
    PRUEFE(a.left >= 0 && a.top >= 0);
    // Nothing left of the left margin or above the top margin.
    PRUEFE(AussenWeiss(bogen, QRect(QPoint(a.left, a.top), QPoint(BogenBreite, BogenHoehe))));

    const int W = etikett.width();
    const int H = etikett.height();
    if (a.zeilenModus && a.zeile >= 2) {
        // Only the chosen row, at the height where it stands on the whole sheet.
        const qint64 oben = a.top + qint64(a.zeile - 1) * (H + 1);
        if (oben >= BogenHoehe)
            PRUEFE(IstWeiss(bogen, bogen.rect()));
        else
            PRUEFE(AussenWeiss(bogen, QRect(0, int(oben), BogenBreite, H)));
        return;
    }
    if (a.zeilenModus && a.zeile != 1)
        return;

    // The first label at the margins' corner, as far as no later label of the row covers it.
    const QImage flach = AufWeiss(etikett);
    const int frei = a.n >= 2 ? std::min(W, W + a.gap) : W;
    const int sichtbar = std::min(frei, BogenBreite - a.left);
    for (int v = 0; v < H && a.top + v < BogenHoehe; ++v) {
        const auto *dort = reinterpret_cast<const QRgb *>(bogen.constScanLine(a.top + v)) + a.left;
        const auto *hier = reinterpret_cast<const QRgb *>(flach.constScanLine(v));
        for (int u = 0; u < sichtbar; ++u)
            PRUEFE(GleicheFarbe(dort[u], hier[u]));
    }

    // An opaque picture: every pixel of the sheet is paper or one of the picture's.
    if (etikett.hasAlphaChannel() || qint64(W) * H > 65536)
        return;
    std::unordered_set<QRgb> farben;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            farben.insert(flach.pixel(x, y) & 0x00FFFFFF);
    for (int y = 0; y < BogenHoehe; y += 5)
        for (int x = 0; x < BogenBreite; x += 5)
            PRUEFE(farben.count(bogen.pixel(x, y) & 0x00FFFFFF) || IstWeiss(bogen, QRect(x, y, 1, 1)));
}

bool GleicheMalerwerte(const QPainter &p, QPainter::RenderHints hinweise, const QTransform &t,
                       QPainter::CompositionMode modus, qreal deckkraft)
{
    return p.renderHints() == hinweise && p.worldTransform() == t && p.compositionMode() == modus
        && p.opacity() == deckkraft;
}

void PruefeSeite(const Seitenbild &seite, const Druckflaeche &f)
{
    const QSize papier = Arbeitsbildgroesse(f.dpiX, f.dpiY);
    const QSize geraet(papier.width() - f.versatz.x(), papier.height() - f.versatz.y());
    if (geraet.isEmpty() || qint64(geraet.width()) * geraet.height() > GroessteSeitenflaeche)
        return;
    QImage blatt(geraet, QImage::Format_RGB32);
    blatt.fill(Weiss);
    QPainter p(&blatt);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const auto hinweise = p.renderHints();
    const QTransform t = p.worldTransform();
    const auto modus = p.compositionMode();
    const qreal deckkraft = p.opacity();
    ZeichneSeite(p, seite);
    PRUEFE(GleicheMalerwerte(p, hinweise, t, modus, deckkraft));
    p.end();

    PRUEFE(AussenWeiss(blatt, Rechteck(seite.ziel)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t laenge)
{
    FuzzedDataProvider eingabe(daten, laenge);
    Bogenmasse m;
    for (const Massangabe &a : Massangaben)
        m.*a.feld = eingabe.ConsumeIntegralInRange(a.minimum, MassMaximum);
    Seitenwahl wahl;
    wahl.umfang = static_cast<Druckumfang>(eingabe.ConsumeIntegralInRange(0, 2));
    wahl.spalte = eingabe.ConsumeIntegralInRange(1, MassMaximum);
    wahl.zeile = eingabe.ConsumeIntegralInRange(1, MassMaximum);
    Druckflaeche flaeche;
    flaeche.dpiX = eingabe.ConsumeIntegralInRange(1, 1200);
    flaeche.dpiY = eingabe.ConsumeIntegralInRange(1, 1200);
    // A printer without offsets or correction, as a PDF file is, or one with both.
    const bool gerade = eingabe.ConsumeBool();
    if (!gerade) {
        flaeche.versatz = QPoint(eingabe.ConsumeIntegralInRange(0, 200), eingabe.ConsumeIntegralInRange(0, 200));
        flaeche.korrektur.versatzXMm = eingabe.ConsumeFloatingPointInRange(-20.0, 20.0);
        flaeche.korrektur.versatzYMm = eingabe.ConsumeFloatingPointInRange(-20.0, 20.0);
        flaeche.korrektur.massstabX = eingabe.ConsumeFloatingPointInRange(0.9, 1.1);
        flaeche.korrektur.massstabY = eingabe.ConsumeFloatingPointInRange(0.9, 1.1);
    }

    const QImage etikett = Etikettbild(eingabe);
    if (etikett.isNull())
        return 0;

    const bool nurZeile = wahl.umfang == Druckumfang::EineZeile;
    const Bogenangaben a = BogenangabenFuer(etikett.size(), m, nurZeile, wahl.zeile);
    const qint64 zeilen =
        nurZeile ? 1 : std::min<qint64>(a.anzahlInSpalte, BogenHoehe / (qint64(etikett.height()) + 1) + 2);
    if (wahl.umfang != Druckumfang::EineEtikette && zeilen * a.n > GroessteEtikettenzahl)
        return 0;

    Seitenbild seite;
    try {
        seite = BaueSeite(etikett, m, wahl, flaeche);
    } catch (const Fehler &) {
        Verletzt(__FILE__, __LINE__, "a picture was given, yet BaueSeite found nothing to print");
    }
    PruefeSeite(seite, flaeche);

    if (wahl.umfang == Druckumfang::EineEtikette) {
        // The label itself goes to the page; the printer's offsets move it, and where it stands does not resize it,
        // as long as its place is within int (beyond, far off any paper, it saturates).
        PRUEFE(seite.bild.cacheKey() == etikett.cacheKey());
        PRUEFE(seite.ziel.Left <= seite.ziel.Right && seite.ziel.Top <= seite.ziel.Bottom);
        Druckflaeche ohneVersatz = flaeche;
        ohneVersatz.versatz = QPoint();
        const Platzierung ohne = BaueSeite(etikett, m, wahl, ohneVersatz).ziel;
        if (ohne.Right == INT_MAX || ohne.Bottom == INT_MAX)
            return 0;
        PRUEFE(Rechteck(seite.ziel) == Rechteck(ohne).translated(-flaeche.versatz));
        Bogenmasse ecke = m;
        ecke.ObererRand = ecke.SeitenRand = 0;
        const Platzierung dort = BaueSeite(etikett, ecke, {Druckumfang::EineEtikette, 1, 1}, flaeche).ziel;
        PRUEFE(seite.ziel.Right - seite.ziel.Left == dort.Right - dort.Left);
        PRUEFE(seite.ziel.Bottom - seite.ziel.Top == dort.Bottom - dort.Top);
        return 0;
    }

    PruefeBogen(seite.bild, etikett, a);
    if (gerade) {
        // The raster covers 210 mm from the paper's corner.
        PRUEFE(seite.ziel.Left == 0 && seite.ziel.Top == 0);
        PRUEFE(seite.ziel.Right == MmInPixel(flaeche.dpiX, A4::BreiteMm));
    }
    return 0;
}
