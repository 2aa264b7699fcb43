#include "layout/infobild.h"

#include "platform/fehler.h"

#include "layout/markierung.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

namespace {

using namespace Marke;

constexpr QRgb Hintergrund = qRgb(212, 212, 212);
constexpr QRgb Schatten = qRgb(160, 160, 160);
constexpr QRgb Blattrand = qRgb(96, 96, 96);
constexpr QRgb Blatt = qRgb(240, 240, 240);
constexpr QRgb Schrift = qRgb(64, 64, 64);

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
    const Gitter g = BerechneGitter(x, y);
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

        maler.setPen(QColor(Schrift));
        maler.setFont(Schriftart(11, true));
        const QRect textfeld(4, 0, ErsteGitterSpalte - BlattRand - 6, InfobildHoehe);
        maler.drawText(textfeld, Qt::AlignCenter, QStringLiteral("%1 x %2").arg(x).arg(y));
    }
    bild.setPixel(0, g.oben, Grau);
    bild.setPixel(0, g.zeilenabstand, Silber);
    return bild;
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
