#include "layout/infobild.h"

#include "platform/fehler.h"

#include "layout/markierung.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace {

using namespace Marke;

constexpr QRgb Hintergrund = qRgb(212, 212, 212);
constexpr QRgb Schatten = qRgb(160, 160, 160);
constexpr QRgb Blattrand = qRgb(96, 96, 96);
constexpr QRgb Blatt = qRgb(240, 240, 240);
constexpr QRgb Schrift = qRgb(64, 64, 64);
constexpr QRgb Blau = qRgb(0, 0, 255);

constexpr int BlattRand = 6;
constexpr int GroessteGitterHoehe = InfobildHoehe - 2 * (BlattRand + 1);
// Room between the grid lines for the cell rows and the scan row of the marker.
constexpr int KleinsterZeilenabstand = 6;

struct Gitter
{
    int spaltenabstand = 0; // pixels from one vertical line to the next
    int zeilenabstand = 0;  // pixels from one horizontal line to the next
    int oben = 0;           // row of the grey mark
    int ersteLinie = 0;     // row of the top grid line
    int spalten = 0;
    int zeilen = 0;

    int rechts() const { return ErsteGitterSpalte + spalten * spaltenabstand; }
    int unten() const { return ersteLinie + zeilen * zeilenabstand; }
};

// The marker derives the column pitch d from the count k of lines in its scan row
// (d = 60 div k, four counting as three) and looks for column x at 54 + x * (d - 1).
// With lines every d pixels from 54, that seed lies x pixels left of the right line of
// column x, inside it as long as x < d. The widest pitch that stays consistent and fits wins.
int SpaltenabstandFuer(int spalten)
{
    for (int d = 60; d > spalten; --d) {
        if (ErsteGitterSpalte + spalten * d > InfobildBreite - BlattRand - 3)
            continue;
        int k = 0;
        for (int i = 1; i <= spalten; ++i)
            if (ErsteGitterSpalte + i * d <= ZaehlspalteBis)
                ++k;
        if (k == 4)
            k = 3;
        if (k > 0 && 60 / k == d)
            return d;
    }
    return 0;
}

// The marker looks for row y at oben + y * pitch, pitch being the row of the silver mark.
// Drawing the lines at oben + versatz + j * pitch puts that seed versatz rows above the
// bottom line of row y, for every y. A versatz below 5 keeps the scan row oben + 5 between
// the first two horizontal lines, where it crosses only vertical ones.
Gitter BerechneGitter(int spalten, int zeilen)
{
    Gitter g;
    g.spalten = spalten;
    g.zeilen = zeilen;
    g.spaltenabstand = spalten > 0 ? SpaltenabstandFuer(spalten) : 0;
    g.zeilenabstand = zeilen > 0 ? (GroessteGitterHoehe - 1) / zeilen : 0;
    if (g.spaltenabstand == 0 || g.zeilenabstand < KleinsterZeilenabstand)
        throw Fehler(
            QStringLiteral("Für %1 x %2 Etiketten lässt sich kein Infobild zeichnen.").arg(spalten).arg(zeilen));

    const int versatz = std::min(AbstandZaehlzeile - 1, g.zeilenabstand / 2);
    g.ersteLinie = (InfobildHoehe - (zeilen * g.zeilenabstand + 1)) / 2;
    g.oben = g.ersteLinie - versatz;
    // Grey and silver must not share a row.
    if (g.oben == g.zeilenabstand) {
        ++g.ersteLinie;
        ++g.oben;
    }
    return g;
}

QImage LeeresBild()
{
    QImage bild(InfobildBreite, InfobildHoehe, QImage::Format_RGB32);
    bild.fill(Hintergrund);
    return bild;
}

void ZeichneBlatt(QPainter &maler, const QRect &blatt)
{
    maler.fillRect(blatt.translated(2, 2), QColor(Schatten));
    maler.fillRect(blatt, QColor(Blattrand));
    maler.fillRect(blatt.adjusted(1, 1, -1, -1), QColor(Blatt));
}

QFont Schriftart(int pixel, bool fett)
{
    QFont schrift(QStringLiteral("DejaVu Sans"));
    schrift.setStyleHint(QFont::SansSerif);
    schrift.setPixelSize(pixel);
    schrift.setBold(fett);
    return schrift;
}

// Whether k lines in the scan row make the marker use the column pitch d.
bool ZaehltAls(int k, int d)
{
    const int wie = k == 4 ? 3 : k;
    return wie > 0 && 60 / wie == d;
}

void ZeichneText(QPainter &maler, int x, int y)
{
    maler.setPen(QColor(Schrift));
    maler.setFont(Schriftart(11, true));
    const QRect textfeld(4, 0, ErsteGitterSpalte - BlattRand - 6, InfobildHoehe);
    maler.drawText(textfeld, Qt::AlignCenter, QStringLiteral("%1 x %2").arg(x).arg(y));
}

// Layouts too dense for the even grid. The marker seeds column x at 54 + x * (d - 1) and row y at
// oben + y * pitch; a line one pixel past each seed gives every seed a cell of its own. The scan row then
// crosses more lines than 60 div d allows: the surplus gets white gaps there, never where a seed's
// search runs, so marking and clearing still find whole cells. Checked cell by cell before it is used.
std::optional<QImage> DichtesInfobild(int x, int y, int d, int zeilenabstand, int versatz)
{
    const int gitterHoehe = y * zeilenabstand + 1;
    int ersteLinie = (InfobildHoehe - gitterHoehe) / 2;
    int oben = ersteLinie - versatz;
    if (oben == zeilenabstand) {
        ++ersteLinie;
        ++oben;
    }
    const int zaehlzeile = oben + AbstandZaehlzeile;
    const int letzteLinie = ersteLinie + y * zeilenabstand;
    if (oben < 1 || letzteLinie > InfobildHoehe - 3 || zaehlzeile <= ersteLinie || zaehlzeile >= letzteLinie)
        return std::nullopt;

    QList<int> spalten, zeilen, saaten;
    for (int i = 0; i <= x; ++i)
        spalten << ErsteGitterSpalte + 1 + i * (d - 1);
    for (int i = 1; i <= x; ++i)
        saaten << ErsteGitterSpalte + i * (d - 1);
    for (int j = 0; j <= y; ++j)
        zeilen << ersteLinie + j * zeilenabstand;

    QImage bild = LeeresBild();
    {
        QPainter maler(&bild);
        const QRect gitter(QPoint(spalten.first(), ersteLinie), QPoint(spalten.last(), letzteLinie));
        const int rand =
            std::min({BlattRand, ersteLinie - 1, InfobildHoehe - 4 - letzteLinie, InfobildBreite - 4 - spalten.last()});
        ZeichneBlatt(maler, gitter.adjusted(-rand, -rand, rand, rand));
        maler.fillRect(gitter, QColor(Weiss));
        for (int s : std::as_const(spalten))
            maler.fillRect(s, gitter.top(), 1, gitter.height(), QColor(Schwarz));
        for (int z : std::as_const(zeilen))
            maler.fillRect(gitter.left(), z, gitter.width(), 1, QColor(Schwarz));
        ZeichneText(maler, x, y);
    }

    // On a horizontal line the seeds' columns must stay black for the searches up and down.
    const bool aufLinie = zeilen.contains(zaehlzeile);
    auto *zaehl = reinterpret_cast<QRgb *>(bild.scanLine(zaehlzeile));
    QList<int> frei;
    int schwarz = 0, noetig = 0;
    for (int i = ZaehlspalteVon; i <= ZaehlspalteBis; ++i) {
        if ((zaehl[i] & 0xFFFFFF) != (Schwarz & 0xFFFFFF))
            continue;
        ++schwarz;
        if (aufLinie && saaten.contains(i))
            ++noetig;
        else
            frei << i;
    }
    int ziel = schwarz;
    while (ziel >= noetig && !ZaehltAls(ziel, d))
        --ziel;
    if (ziel < noetig || ziel <= 0)
        return std::nullopt;
    for (int n = schwarz - ziel; n > 0; --n)
        zaehl[frei.takeLast()] = Weiss;
    bild.setPixel(0, oben, Grau);
    bild.setPixel(0, zeilenabstand, Silber);

    const QImage vorher = bild;
    for (int j = 1; j <= y; ++j) {
        for (int i = 1; i <= x; ++i) {
            Zelle zelle;
            ZeigeEtikettenPosition(bild, Blau, i, j, zelle);
            const bool richtig = zelle.Left == spalten[i - 1] && zelle.Right == spalten[i] && zelle.Top == zeilen[j - 1]
                && zelle.Bottom == zeilen[j];
            ZeigeEtikettenPosition(bild, Weiss, i, j, zelle);
            if (!richtig)
                return std::nullopt;
        }
    }
    if (bild != vorher)
        return std::nullopt;
    return bild;
}

std::optional<QImage> ZeichneDichtesInfobild(int x, int y)
{
    if (x < 1 || y < 1)
        return std::nullopt;
    // Widest cells first, then tallest.
    QList<int> abstaende;
    for (int k = 1; k <= 61; ++k)
        if (const int d = 60 / (k == 4 ? 3 : k); !abstaende.contains(d))
            abstaende << d;
    for (int d : std::as_const(abstaende)) {
        if (d < 3 || ErsteGitterSpalte + 1 + x * (d - 1) > InfobildBreite - 6)
            continue;
        for (int p = (InfobildHoehe - 9) / y; p >= 2; --p)
            for (int versatz = 1; versatz <= std::min(p - 1, AbstandZaehlzeile - 1); ++versatz)
                if (std::optional<QImage> bild = DichtesInfobild(x, y, d, p, versatz))
                    return bild;
    }
    return std::nullopt;
}

} // namespace

QList<QPair<int, int>> InfobildLayouts()
{
    return {{1, 2}, {1, 1}, {2, 2}, {1, 3},  {1, 12}, {2, 4},  {1, 5},
            {2, 5}, {3, 7}, {3, 8}, {4, 10}, {4, 14}, {4, 16}, {5, 13}};
}

QString InfobildDatei(int anzahlInZeile, int anzahlInSpalte)
{
    QString datei = QStringLiteral("Kein Bild.bmp");
    for (const auto &[x, y] : InfobildLayouts())
        if (anzahlInZeile == x && anzahlInSpalte == y)
            datei = QStringLiteral("Info Etikette %1x%2.bmp").arg(x).arg(y);
    return datei;
}

QImage ZeichneInfobild(int x, int y)
{
    std::optional<Gitter> gleichmaessig;
    try {
        gleichmaessig = BerechneGitter(x, y);
    } catch (const Fehler &) {
        if (std::optional<QImage> dicht = ZeichneDichtesInfobild(x, y))
            return *dicht;
        throw;
    }
    const Gitter g = *gleichmaessig;
    QImage bild = LeeresBild();
    {
        QPainter maler(&bild);
        const QRect gitter(QPoint(ErsteGitterSpalte, g.ersteLinie), QPoint(g.rechts(), g.unten()));
        ZeichneBlatt(maler, gitter.adjusted(-BlattRand, -BlattRand, BlattRand, BlattRand));

        // Cells white, lines one pixel black: marking with white restores the picture exactly.
        maler.fillRect(gitter, QColor(Weiss));
        for (int i = 0; i <= x; ++i)
            maler.fillRect(ErsteGitterSpalte + i * g.spaltenabstand, gitter.top(), 1, gitter.height(), QColor(Schwarz));
        for (int j = 0; j <= y; ++j)
            maler.fillRect(gitter.left(), g.ersteLinie + j * g.zeilenabstand, gitter.width(), 1, QColor(Schwarz));

        ZeichneText(maler, x, y);
    }
    bild.setPixel(0, g.oben, Grau);
    bild.setPixel(0, g.zeilenabstand, Silber);
    return bild;
}

std::optional<QImage> InfobildOhneDatei(int x, int y)
{
    try {
        return ZeichneInfobild(x, y);
    } catch (const Fehler &) {
        return std::nullopt;
    }
}

QImage ZeichneKeinBild()
{
    QImage bild = LeeresBild();
    QPainter maler(&bild);
    const QRect blatt(ErsteGitterSpalte - BlattRand, BlattRand + 1, 60 + 2 * BlattRand, GroessteGitterHoehe);
    ZeichneBlatt(maler, blatt);

    // No black anywhere: the marker must find no grid here.
    maler.setPen(QColor(Schrift));
    maler.setFont(Schriftart(12, true));
    maler.drawText(blatt.adjusted(0, 18, 0, 0), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Kein\nBild"));
    maler.setFont(Schriftart(9, false));
    maler.drawText(blatt.adjusted(2, 0, -2, -18), Qt::AlignHCenter | Qt::AlignBottom,
                   QStringLiteral("für diese\nAnzahl\nEtiketten"));
    return bild;
}
