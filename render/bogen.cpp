#include "render/bogen.h"

#include "render/masse.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <tuple>

Bogenangaben BogenangabenFuer(QSize bildgroesse, const Bogenmasse &m, bool nurZeile, int zeile)
{
    const Pixelmasse p = BerechnePixelmasse(bildgroesse, m);
    return {bildgroesse.width(),
            bildgroesse.height(),
            p.ObererRandPixel,
            p.SeitenRandPixel,
            p.LueckePixel,
            m.AnzahlEtikettenInZeile,
            m.AnzahlEtikettenInSpalte,
            zeile,
            nurZeile};
}

namespace {

constexpr qint64 Nie = std::numeric_limits<qint64>::max();
// Far enough off the raster that nothing there shows, and far from overflowing.
constexpr qint64 Fern = qint64(1) << 62;

qint64 AbgerundetGeteilt(qint64 a, qint64 b) // b > 0
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// start + k * schritt, held within +-Fern: a cursor that far out never comes back into sight.
qint64 Weiter(qint64 start, qint64 k, qint64 schritt)
{
    if (schritt != 0 && k > Fern / std::abs(schritt))
        return schritt > 0 ? Fern : -Fern;
    return std::clamp(start + k * schritt, -Fern, Fern);
}

// The steps t in [0, anzahl) at which start + t * schritt lies in (-groesse, grenze), as first and last; none
// when erster > letzter.
struct Schritte
{
    qint64 erster;
    qint64 letzter;
};

Schritte ImBild(qint64 start, qint64 schritt, qint64 anzahl, qint64 groesse, qint64 grenze)
{
    if (schritt == 0)
        return start > -groesse && start < grenze ? Schritte{0, anzahl - 1} : Schritte{0, -1};
    if (schritt > 0)
        return {std::max<qint64>(0, AbgerundetGeteilt(-groesse - start, schritt) + 1),
                std::min(anzahl - 1, AbgerundetGeteilt(grenze - start - 1, schritt))};
    return {std::max<qint64>(0, AbgerundetGeteilt(start - grenze, -schritt) + 1),
            std::min(anzahl - 1, AbgerundetGeteilt(start + groesse - 1, -schritt))};
}

// The labels of one row, as the cursor lays them: a first stretch from where the row begins, then, after each
// wrap back to the left margin, stretches from there, all alike but for the last.
struct Zeilenweg
{
    qint64 erste = 0;  // labels of the first stretch
    qint64 zyklus = 0; // labels of every full stretch from the left margin, each followed by a wrap
    qint64 volle = 0;
    qint64 rest = 0; // labels after the last wrap
    qint64 xEnde = 0;
};

class Bogenmaler
{
public:
    Bogenmaler(QImage &bogen, const QImage &etikett, qint64 left, qint64 gap)
        : m_breite(bogen.width()), m_hoehe(bogen.height()), m_ziel(bogen.bits()), m_zielZeile(bogen.bytesPerLine()),
          m_quelle(etikett.constBits()), m_quelleZeile(etikett.bytesPerLine()), m_W(etikett.width()), m_left(left),
          m_schritt(m_W + gap)
    {}

    // The cursor moves on after each label and goes back to the left margin when the next label with its gap
    // would pass the right edge; the labels drawn from x up to that wrap, or Nie.
    qint64 bisUmbruch(qint64 x) const
    {
        if (m_schritt > 0)
            return std::max<qint64>(1, AbgerundetGeteilt(m_breite - x, m_schritt));
        return x + 2 * m_schritt > m_breite ? 1 : Nie;
    }

    Zeilenweg weg(qint64 x, qint64 n) const
    {
        Zeilenweg w;
        const qint64 erste = bisUmbruch(x);
        if (n < erste) {
            w.erste = n;
            w.xEnde = Weiter(x, n, m_schritt);
            return w;
        }
        w.erste = erste;
        const qint64 uebrig = n - erste;
        const qint64 zyklus = bisUmbruch(m_left);
        if (zyklus == Nie) {
            w.rest = uebrig;
        } else {
            w.zyklus = zyklus;
            w.volle = uebrig / zyklus;
            w.rest = uebrig % zyklus;
        }
        w.xEnde = Weiter(m_left, w.rest, m_schritt);
        return w;
    }

    // A stretch of `anzahl` labels from x at height y, of whose rows only [von, bis) show in the end. Within the
    // stretch each label covers all but a strip of the one before, so only that strip is drawn.
    void strecke(qint64 x, qint64 anzahl, qint64 y, qint64 von, qint64 bis)
    {
        von = std::max<qint64>(von, 0);
        bis = std::min(bis, m_hoehe);
        if (anzahl <= 0 || von >= bis)
            return;
        if (m_schritt == 0) {
            kopiere(x, y, x, x + m_W, von, bis);
            return;
        }
        const Schritte s = ImBild(x, m_schritt, anzahl, m_W, m_breite);
        const bool streifen = std::abs(m_schritt) < m_W;
        for (qint64 t = s.erster; t <= s.letzter; ++t) {
            const qint64 px = x + t * m_schritt;
            if (t == anzahl - 1 || !streifen)
                kopiere(px, y, px, px + m_W, von, bis);
            else if (m_schritt > 0)
                kopiere(px, y, px, px + m_schritt, von, bis);
            else
                kopiere(px, y, px + m_W + m_schritt, px + m_W, von, bis);
        }
    }

private:
    // The label's pixels in columns [links, rechts) and rows [von, bis) of the sheet, its corner at (x, y).
    void kopiere(qint64 x, qint64 y, qint64 links, qint64 rechts, qint64 von, qint64 bis)
    {
        links = std::max<qint64>(links, 0);
        rechts = std::min(rechts, m_breite);
        if (links >= rechts)
            return;
        const size_t laenge = size_t(rechts - links) * sizeof(QRgb);
        for (qint64 r = von; r < bis; ++r)
            std::memcpy(m_ziel + r * m_zielZeile + links * qint64(sizeof(QRgb)),
                        m_quelle + (r - y) * m_quelleZeile + (links - x) * qint64(sizeof(QRgb)), laenge);
    }

    const qint64 m_breite;
    const qint64 m_hoehe;
    uchar *const m_ziel;
    const qint64 m_zielZeile;
    const uchar *const m_quelle;
    const qint64 m_quelleZeile;
    const qint64 m_W;
    const qint64 m_left;
    const qint64 m_schritt;
};

// Each label is an opaque copy of the picture on white, so that one drawn over another hides it.
QImage AufWeiss(const QImage &bild)
{
    if (!bild.hasAlphaChannel())
        return bild.convertToFormat(QImage::Format_RGB32);
    QImage etikett(bild.size(), QImage::Format_RGB32);
    if (etikett.isNull())
        return etikett;
    etikett.fill(Qt::white);
    QPainter p(&etikett);
    p.drawImage(0, 0, bild.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return etikett;
}

} // namespace

QImage ErzeugeEtikettenbogen(const QImage &bild, const Bogenangaben &a, int breite, int hoehe)
{
    if (bild.isNull() || breite <= 0 || hoehe <= 0)
        return QImage();
    QImage bogen(breite, hoehe, QImage::Format_RGB32);
    const QImage etikett = AufWeiss(bild);
    if (bogen.isNull() || etikett.isNull())
        return QImage();
    bogen.fill(Qt::white);

    // The cursor walks every label as laid out; of the labels that land on one spot, or under later ones, only
    // what stays visible is drawn. Labels are drawn in the same order, so the last one on a pixel shows.
    // 64-bit: counts and margins from a settings file may be large.
    Bogenmaler maler(bogen, etikett, a.left, a.gap);
    const qint64 H = etikett.height();
    const qint64 top = a.top;
    const qint64 n = a.n;
    qint64 x = a.left;
    if (n <= 0)
        return bogen;

    const int zeilen = a.zeilenModus ? a.zeile : a.anzahlInSpalte;
    for (int i = 0; i < zeilen; ++i) {
        // In row mode the other rows neither draw nor move the cursor.
        if (a.zeilenModus && i != a.zeile - 1)
            continue;
        // From row 2 on every label lies at the same height, below the raster once there.
        if (i >= 2 && top + i * (H + 1) >= hoehe)
            break;
        if (!a.zeilenModus && n == 1 && i >= 1)
            x = a.left;
        const Zeilenweg w = maler.weg(x, n);
        if (i == 0) {
            // Row 0 moves down by top + H at each wrap, so its stretches stand one below the other.
            const qint64 d = top + H;
            maler.strecke(x, w.erste, top, top, top + H);
            if (w.volle > 0) {
                // Alike stretches at one height cover each other, so only the last shows.
                const Schritte s = d == 0 ? Schritte{w.volle - 1, w.volle - 1} : ImBild(top + d, d, w.volle, H, hoehe);
                for (qint64 k = s.erster; k <= s.letzter; ++k) {
                    const qint64 y = top + (k + 1) * d;
                    // With a negative top the next stretch, alike, covers this one's lower rows. (Were d < 0,
                    // every stretch of row 0 would lie above the raster.)
                    const qint64 bis = k < w.volle - 1 && d < H ? y + d : y + H;
                    maler.strecke(a.left, w.zyklus, y, y, bis);
                }
            }
            const qint64 y = Weiter(top, w.volle + 1, d);
            maler.strecke(a.left, w.rest, y, y, y + H);
        } else {
            const qint64 y = top + i * (H + 1);
            maler.strecke(x, w.erste, y, y, y + H);
            // Each full stretch is covered by the next, alike, at the same height.
            if (w.volle > 0)
                maler.strecke(a.left, w.zyklus, y, y, y + H);
            maler.strecke(a.left, w.rest, y, y, y + H);
        }
        x = w.xEnde;
    }
    return bogen;
}

QImage Einzelvorschau(const QImage &bild, int dpiX, int dpiY, const MmRechteck &ort)
{
    QImage seite = WeisseSeite(dpiX, dpiY);
    if (!bild.isNull()) {
        QPainter p(&seite);
        ZeichneGestreckt(p, Rechteck(Platzierungsrechteck(dpiX, dpiY, 0, 0, ort.x, ort.y, ort.breite, ort.hoehe)),
                         bild);
    }
    return seite;
}

namespace {

// Which of `quelle` pixels each of `flaeche` pixels shows when Qt draws a line of them stretched, unsmoothed, onto
// [anfang, anfang + laenge) of a line of `flaeche`; -1 where it draws nothing. Asked of Qt itself, with a line of
// pixels that carry their own number, so that it holds however Qt rounds; `senkrecht` asks along a column, as
// the second direction is drawn.
QList<int> Stichproben(int quelle, int anfang, int laenge, int flaeche, bool senkrecht)
{
    const auto groesse = [senkrecht](int n) { return senkrecht ? QSize(1, n) : QSize(n, 1); };
    QImage nummern(groesse(quelle), QImage::Format_RGB32);
    QImage ziel(groesse(flaeche), QImage::Format_RGB32);
    // No alpha, which QImage::fill and pixel() would put in: a pixel Qt drew carries 0xff there.
    std::memset(ziel.bits(), 0, size_t(ziel.sizeInBytes()));
    for (int i = 0; i < quelle; ++i)
        nummern.setPixel(senkrecht ? 0 : i, senkrecht ? i : 0, 0xff000000u | uint(i));
    {
        QPainter p(&ziel);
        ZeichneGestreckt(p, senkrecht ? QRect(0, anfang, 1, laenge) : QRect(anfang, 0, laenge, 1), nummern);
    }
    QList<int> nummer(flaeche);
    for (int i = 0; i < flaeche; ++i) {
        const QRgb wert = reinterpret_cast<const QRgb *>(ziel.constScanLine(senkrecht ? i : 0))[senkrecht ? 0 : i];
        nummer[i] = qAlpha(wert) == 0xff ? int(wert & 0xffffffu) : -1;
    }
    return nummer;
}

} // namespace

std::optional<Seitenansicht> EinzelvorschauAnsicht(const QImage &bild, int dpiX, int dpiY, const MmRechteck &ort,
                                                   QSize ansicht)
{
    const QSize seite = Arbeitsbildgroesse(dpiX, dpiY);
    const QRect platz = Rechteck(Platzierungsrechteck(dpiX, dpiY, 0, 0, ort.x, ort.y, ort.breite, ort.hoehe));
    // Qt draws a 32-bit picture of two pixels or more each way, in reach of its fixed-point arithmetic, by one
    // rule in each direction; that rule is what the lines below ask for. Anything else takes its other ways.
    const QRect reichweite(-0x3fff, -0x3fff, 0x7ffe, 0x7ffe);
    if (bild.format() != QImage::Format_RGB32 || bild.width() < 2 || bild.height() < 2 || seite.width() < 2
        || seite.height() < 2 || ansicht.isEmpty() || !reichweite.contains(platz) || platz.isEmpty()
        || bild.width() > 0xffffff || bild.height() > 0xffffff)
        return std::nullopt;
    const QList<int> spalteAufSeite = Stichproben(seite.width(), 0, ansicht.width(), ansicht.width(), false);
    const QList<int> zeileAufSeite = Stichproben(seite.height(), 0, ansicht.height(), ansicht.height(), true);
    if (spalteAufSeite.contains(-1) || zeileAufSeite.contains(-1))
        return std::nullopt;
    const QList<int> spalteImBild = Stichproben(bild.width(), platz.x(), platz.width(), seite.width(), false);
    const QList<int> zeileImBild = Stichproben(bild.height(), platz.y(), platz.height(), seite.height(), true);

    // The label's picture in the view: the view's pixels that show one of its pixels, one rectangle.
    QList<int> spalten(ansicht.width());
    QList<int> zeilen(ansicht.height());
    for (int x = 0; x < ansicht.width(); ++x)
        spalten[x] = spalteImBild[spalteAufSeite[x]];
    for (int y = 0; y < ansicht.height(); ++y)
        zeilen[y] = zeileImBild[zeileAufSeite[y]];
    const auto bereich = [](const QList<int> &nummern) {
        const auto anfang = std::find_if(nummern.begin(), nummern.end(), [](int n) { return n >= 0; });
        const auto ende = std::find_if(anfang, nummern.end(), [](int n) { return n < 0; });
        const bool eines = std::none_of(ende, nummern.end(), [](int n) { return n >= 0; });
        return std::make_tuple(int(anfang - nummern.begin()), int(ende - anfang), eines);
    };
    const auto [x0, breite, spaltenEines] = bereich(spalten);
    const auto [y0, hoehe, zeilenEines] = bereich(zeilen);
    if (!spaltenEines || !zeilenEines)
        return std::nullopt;
    Seitenansicht ergebnis{ansicht, QPoint(x0, y0), {}};
    if (breite == 0 || hoehe == 0)
        return ergebnis;
    ergebnis.teil = QImage(breite, hoehe, QImage::Format_RGB32);
    if (ergebnis.teil.isNull())
        return std::nullopt;
    for (int y = 0; y < hoehe; ++y) {
        const auto *quelle = reinterpret_cast<const QRgb *>(bild.constScanLine(zeilen[y0 + y]));
        auto *ziel = reinterpret_cast<QRgb *>(ergebnis.teil.scanLine(y));
        for (int x = 0; x < breite; ++x)
            ziel[x] = quelle[spalten[x0 + x]];
    }
    return ergebnis;
}
