#include "bitmaps.h"
#include "platform/fehler.h"
#include "render/anschnitt.h"
#include "render/bildeinpassung.h"
#include "render/bogen.h"
#include "render/bogenplanung.h"
#include "render/masse.h"
#include "render/randpruefung.h"
#include "render/seite.h"
#include "render/seitenzeichen.h"
#include "storage/bilddatei.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <climits>
#include <functional>

using Positionen = QList<QPoint>;
Q_DECLARE_METATYPE(Bogenangaben)
Q_DECLARE_METATYPE(Seitenwahl)
Q_DECLARE_METATYPE(Druckflaeche)
Q_DECLARE_METATYPE(Druckraender)
Q_DECLARE_METATYPE(Druckerkorrektur)
Q_DECLARE_METATYPE(Bogenmasse)
Q_DECLARE_METATYPE(Einpassung)
Q_DECLARE_METATYPE(Wendekante)

namespace {

const QRgb Grau = qRgb(128, 128, 128);
const QRgb EckeOben = qRgb(255, 0, 255);  // top-left pixel of every label
const QRgb EckeUnten = qRgb(0, 255, 255); // bottom-right pixel
const QRgb Weiss = qRgb(255, 255, 255);
const QRect Bevel4(280, 224, 553, 309);

// A label picture whose two corners can be told apart from everything else.
QImage Markenbild(int w, int h)
{
    QImage bild(w, h, QImage::Format_RGB32);
    bild.fill(Grau);
    bild.setPixel(0, 0, EckeOben);
    bild.setPixel(w - 1, h - 1, EckeUnten);
    return bild;
}

QImage Einfarbig(int w, int h, QRgb farbe)
{
    QImage bild(w, h, QImage::Format_RGB32);
    bild.fill(farbe);
    return bild;
}

// The sheet as it must look: the picture pasted at the given places, in that order.
QImage Referenzbogen(const QImage &bild, const Positionen &orte)
{
    QImage bogen(BogenBreite, BogenHoehe, QImage::Format_RGB32);
    bogen.fill(Weiss);
    QPainter p(&bogen);
    for (const QPoint &o : orte)
        p.drawImage(o, bild);
    return bogen;
}

Positionen Finde(const QImage &bild, QRgb farbe)
{
    Positionen orte;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (bild.pixel(x, y) == farbe)
                orte.append(QPoint(x, y));
    return orte;
}

Bogenangaben Visitenkarte()
{
    return Bogenangaben{401, 255, 47, 71, 47, 2, 5, 1, false};
}

// A picture in which every pixel differs from its neighbours, so that a label one pixel off, or drawn in the
// wrong order, shows; half transparent if asked.
QImage Musterbild(int w, int h, bool durchsichtig = false)
{
    QImage bild(w, h, durchsichtig ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bild.setPixel(x, y,
                          qRgba((x * 37 + y * 11) & 255, (x * 5 + y * 29) & 255, (x ^ y) & 255,
                                durchsichtig ? 64 + (x + y) % 128 : 255));
    return bild;
}

// The composition the plain way: every label of every row drawn in turn at the cursor, each an opaque copy of
// the picture on white. Rows from the third on that start below the raster end it, as all later rows lie lower.
QImage LabelFuerLabel(const QImage &bild, const Bogenangaben &a, QSize raster = QSize(BogenBreite, BogenHoehe))
{
    QImage etikett(bild.size(), QImage::Format_RGB32);
    etikett.fill(Weiss);
    {
        QPainter p(&etikett);
        p.drawImage(0, 0, bild);
    }
    QImage bogen(raster, QImage::Format_RGB32);
    bogen.fill(Weiss);
    QPainter p(&bogen);
    const qint64 W = bild.width();
    const qint64 H = bild.height();
    const qint64 schritt = W + a.gap;
    qint64 x = a.left;
    qint64 y = a.top;
    const int zeilen = a.zeilenModus ? a.zeile : a.anzahlInSpalte;
    for (int i = 0; i < zeilen; ++i) {
        if (a.zeilenModus && i != a.zeile - 1)
            continue;
        if (i >= 2 && a.top + i * (H + 1) >= raster.height())
            break;
        for (int k = 0; k < a.n; ++k) {
            if (!a.zeilenModus && a.n == 1 && i >= 1)
                x = a.left;
            qint64 py = y;
            if (i == 1) {
                py = a.top + H + 1;
            } else if (i >= 2) {
                y = a.top + i * H;
                py = y + i;
            }
            if (x > -W && x < raster.width() && py > -H && py < raster.height())
                p.drawImage(QPoint(int(x), int(py)), etikett);
            x += schritt;
            if (x + schritt > raster.width()) {
                x = a.left;
                y += i == 0 ? a.top + H : H;
            }
        }
    }
    return bogen;
}

QString Text(const Bogenangaben &a)
{
    return QStringLiteral("W %1 H %2 top %3 left %4 gap %5 n %6 Zeilen %7 Zeile %8 %9")
        .arg(a.W)
        .arg(a.H)
        .arg(a.top)
        .arg(a.left)
        .arg(a.gap)
        .arg(a.n)
        .arg(a.anzahlInSpalte)
        .arg(a.zeile)
        .arg(a.zeilenModus ? QStringLiteral("Zeilenmodus") : QStringLiteral("ganze Seite"));
}

} // namespace

class TestRender : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rundeHalbGerade_data();
    void rundeHalbGerade();
    void mmInPixel_data();
    void mmInPixel();
    void platzierung_data();
    void platzierung();
    void platzierungMitSeitenverhaeltnis_data();
    void platzierungMitSeitenverhaeltnis();
    void arbeitsbildgroesse();
    void passeBildgroesseAn_data();
    void passeBildgroesseAn();
    void image1Box_data();
    void image1Box();
    void skaliereBildGleicheGroesseIstKopie();
    void skaliereBildWiederholtOhneGlaettung();
    void skaliereBildFehler_data();
    void skaliereBildFehler();
    void zeichneGestrecktBehaeltMalerZustand();
    void pixelmasse_data();
    void pixelmasse();
    void etikettenbogen_data();
    void etikettenbogen();
    void etikettenbogenPixelDerVisitenkarte();
    void etikettenbogenSchneidetAmRandAb();
    void etikettenbogenNimmtBildgroesseStattKopf();
    void etikettenbogenOhneBild();
    void etikettenbogenVonObenWieVonUnten();
    void etikettenbogenWieLabelFuerLabel_data();
    void etikettenbogenWieLabelFuerLabel();
    void etikettenbogenZufaelligeMasse();
    void etikettenbogenRiesigeAnzahlen_data();
    void etikettenbogenRiesigeAnzahlen();
    void einzelvorschau();
    void genauePlatzierung_data();
    void genauePlatzierung();
    void randverlust_data();
    void randverlust();
    void bogenplanung_data();
    void bogenplanung();
    void bildeinpassung_data();
    void bildeinpassung();
    void fremdbild_data();
    void fremdbild();
    void rueckseite_data();
    void rueckseite();
    void anschnittgrenzen_data();
    void anschnittgrenzen();
    void anschnittDerVisitenkarte();
    void anschnittGenau();
    void anschnittRueckseite();
    void schnittmarken_data();
    void schnittmarken();
};

void TestRender::rundeHalbGerade_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<int>("erwartet");
    QTest::newRow("12,5 rounds down to even") << 12.5 << 12;
    QTest::newRow("13,5 rounds up to even") << 13.5 << 14;
    QTest::newRow("2,5 gives 2") << 2.5 << 2;
    QTest::newRow("just below a half") << 2.4999999 << 2;
    QTest::newRow("just above a half") << 2.5000001 << 3;
    QTest::newRow("-2,5 gives -2") << -2.5 << -2;
    QTest::newRow("-3,5 gives -4") << -3.5 << -4;
    QTest::newRow("-0,4 gives 0") << -0.4 << 0;
    QTest::newRow("too large is clamped") << 1e12 << INT_MAX;
    QTest::newRow("too small is clamped") << -1e12 << INT_MIN;
    QTest::newRow("NaN gives 0") << std::nan("") << 0;
}

void TestRender::rundeHalbGerade()
{
    QFETCH(double, wert);
    QFETCH(int, erwartet);
    QCOMPARE(RundeHalbGerade(wert), erwartet);
}

void TestRender::mmInPixel_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<double>("mm");
    QTest::addColumn<int>("erwartet");
    QTest::newRow("A4 width at 96 dpi") << 96 << 210.0 << 794;
    QTest::newRow("A4 height at 96 dpi, 1122.52 rounds up") << 96 << 297.0 << 1123;
    QTest::newRow("A4 width at 600 dpi") << 600 << 210.0 << 4961;
    QTest::newRow("A4 height at 600 dpi") << 600 << 297.0 << 7016;
    QTest::newRow("85 mm at 300 dpi") << 300 << 85.0 << 1004;
    QTest::newRow("0 mm") << 96 << 0.0 << 0;
    QTest::newRow("2,5 pixels round to 2") << 254 << 0.25 << 2;
    QTest::newRow("7,5 pixels round to 8") << 254 << 0.75 << 8;
    QTest::newRow("real size, 297,0938 mm at 600 dpi") << 600 << 210.0 * 1402 / 991 << 7018;
    QTest::newRow("negative position") << 600 << -10.0 << -236;
}

void TestRender::mmInPixel()
{
    QFETCH(int, dpi);
    QFETCH(double, mm);
    QFETCH(int, erwartet);
    QCOMPARE(MmInPixel(dpi, mm), erwartet);
}

void TestRender::platzierung_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("off");
    QTest::addColumn<int>("xMm");
    QTest::addColumn<int>("yMm");
    QTest::addColumn<double>("wMm");
    QTest::addColumn<double>("hMm");
    QTest::addColumn<QRect>("erwartet"); // left, top, right, bottom as a QRect's corners

    QTest::newRow("card at 110,118 mm on 600 dpi")
        << 600 << 0 << 110 << 118 << 85.0 << 54.0 << QRect(QPoint(2598, 2787), QPoint(4606, 4063));
    QTest::newRow("printer offsets reach back to the paper's corner")
        << 600 << 50 << 0 << 0 << 85.0 << 54.0 << QRect(QPoint(-50, -50), QPoint(1958, 1226));
    // 1 mm is 3.78 and 0.16 mm 0.60 pixels: 4 + 1, not Round(4.38).
    QTest::newRow("size does not depend on position")
        << 96 << 0 << 1 << 1 << 0.16 << 0.16 << QRect(QPoint(4, 4), QPoint(5, 5));
    // Column 10000 at a pitch of 10000 mm, on 1200 dpi: far beyond int, and beyond any paper.
    QTest::newRow("a place beyond int saturates instead of wrapping")
        << 1200 << 0 << 99990000 << 0 << 85.0 << 54.0 << QRect(QPoint(INT_MAX, 0), QPoint(INT_MAX, 2551));
}

void TestRender::platzierung()
{
    QFETCH(int, dpi);
    QFETCH(int, off);
    QFETCH(int, xMm);
    QFETCH(int, yMm);
    QFETCH(double, wMm);
    QFETCH(double, hMm);
    QFETCH(QRect, erwartet);
    const Platzierung p = Platzierungsrechteck(dpi, dpi, off, off, xMm, yMm, wMm, hMm);
    QCOMPARE(QRect(QPoint(p.Left, p.Top), QPoint(p.Right, p.Bottom)), erwartet);
    QCOMPARE(Rechteck(p).size(), QSize(p.Right - p.Left, p.Bottom - p.Top));
}

void TestRender::platzierungMitSeitenverhaeltnis_data()
{
    QTest::addColumn<bool>("breiteGegeben");
    QTest::addColumn<double>("laenge");
    QTest::addColumn<int>("bildB");
    QTest::addColumn<int>("bildH");
    QTest::addColumn<int>("off");
    QTest::addColumn<QRect>("erwartet");

    QTest::newRow("sheet raster 210 mm wide prints 297,09 mm high")
        << true << 210.0 << 991 << 1402 << 0 << QRect(QPoint(0, 0), QPoint(4961, 7018));
    QTest::newRow("width given, picture twice as high")
        << true << 50.0 << 100 << 200 << 0 << QRect(QPoint(0, 0), QPoint(1181, 2362));
    QTest::newRow("height given, picture twice as high")
        << false << 100.0 << 100 << 200 << 0 << QRect(QPoint(0, 0), QPoint(1181, 2362));
    QTest::newRow("with printer offsets")
        << true << 210.0 << 991 << 1402 << 50 << QRect(QPoint(-50, -50), QPoint(4911, 6968));
    QTest::newRow("picture without pixels gets no height")
        << true << 210.0 << 0 << 1402 << 0 << QRect(QPoint(0, 0), QPoint(4961, 0));
    QTest::newRow("picture without pixels gets no width")
        << false << 297.0 << 991 << 0 << 0 << QRect(QPoint(0, 0), QPoint(0, 7016));
}

void TestRender::platzierungMitSeitenverhaeltnis()
{
    QFETCH(bool, breiteGegeben);
    QFETCH(double, laenge);
    QFETCH(int, bildB);
    QFETCH(int, bildH);
    QFETCH(int, off);
    QFETCH(QRect, erwartet);
    const Platzierung p =
        PlatzierungMitSeitenverhaeltnis(600, 600, off, off, 0, 0, laenge, breiteGegeben, bildB, bildH);
    QCOMPARE(QRect(QPoint(p.Left, p.Top), QPoint(p.Right, p.Bottom)), erwartet);
}

void TestRender::arbeitsbildgroesse()
{
    QCOMPARE(Arbeitsbildgroesse(96, 96), QSize(794, 1123));
    QCOMPARE(Arbeitsbildgroesse(120, 120), QSize(992, 1403));
    QCOMPARE(Arbeitsbildgroesse(600, 96), QSize(4961, 1123)); // axes are never mixed
}

void TestRender::passeBildgroesseAn_data()
{
    QTest::addColumn<QSize>("bild");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("erwartet");
    QTest::newRow("landscape fills the width") << QSize(200, 100) << QSize(400, 300) << QSize(400, 200);
    QTest::newRow("landscape limited by the height") << QSize(200, 100) << QSize(400, 150) << QSize(300, 150);
    QTest::newRow("square takes the portrait branch") << QSize(50, 50) << QSize(400, 300) << QSize(300, 300);
    QTest::newRow("portrait limited by the width") << QSize(100, 300) << QSize(90, 300) << QSize(90, 270);
    QTest::newRow("card picture in its box") << QSize(401, 255) << QSize(402, 255) << QSize(401, 255);
    QTest::newRow("A4 picture in the limited box") << QSize(992, 1403) << QSize(549, 305) << QSize(216, 305);
    QTest::newRow("wide strip, 945 x 236") << QSize(945, 236) << QSize(549, 236) << QSize(549, 137);
    QTest::newRow("wide strip, 800 x 200") << QSize(800, 200) << QSize(549, 236) << QSize(548, 137);
    // 2/3 as a float is a little more than 2/3: 203 / r falls just below 304.5.
    QTest::newRow("ratio kept in single precision") << QSize(2, 3) << QSize(549, 305) << QSize(203, 304);
    QTest::newRow("picture without width keeps the box") << QSize(0, 100) << QSize(400, 300) << QSize(400, 300);
    QTest::newRow("picture without height keeps the box") << QSize(100, 0) << QSize(400, 300) << QSize(400, 300);
    QTest::newRow("empty box stays empty") << QSize(100, 50) << QSize(0, 0) << QSize(0, 0);
}

void TestRender::passeBildgroesseAn()
{
    QFETCH(QSize, bild);
    QFETCH(QSize, box);
    QFETCH(QSize, erwartet);
    QCOMPARE(PasseBildgroesseAn(bild.width(), bild.height(), box.width(), box.height()), erwartet);
}

void TestRender::image1Box_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QSize>("etikettMm");
    QTest::addColumn<QSize>("bild");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QSize>("ansicht");

    QTest::newRow("business card 85 x 54")
        << 96 << QSize(85, 54) << QSize(401, 255) << QRect(355, 251, 402, 255) << QSize(401, 255);
    QTest::newRow("A4 label is limited to the frame")
        << 96 << QSize(210, 297) << QSize(992, 1403) << QRect(282, 226, 549, 305) << QSize(216, 305);
    QTest::newRow("wide label 200 x 50") << 96 << QSize(200, 50) << QSize(945, 236) << QRect(282, 260, 549, 236)
                                         << QSize(549, 137);
    QTest::newRow("wide label with 800 x 200 picture")
        << 96 << QSize(200, 50) << QSize(800, 200) << QRect(282, 260, 549, 236) << QSize(548, 137);
    // 117 mm are 553 pixels, the frame's width: not less, so limited.
    QTest::newRow("width equal to the frame is limited")
        << 96 << QSize(117, 54) << QSize(553, 255) << QRect(282, 251, 549, 255) << QSize(549, 253);
    QTest::newRow("width just below the frame stays")
        << 96 << QSize(116, 54) << QSize(548, 255) << QRect(282, 251, 548, 255) << QSize(548, 255);
    QTest::newRow("120 dpi card is limited in height")
        << 120 << QSize(85, 54) << QSize(502, 319) << QRect(305, 226, 502, 305) << QSize(480, 305);
}

void TestRender::image1Box()
{
    QFETCH(int, dpi);
    QFETCH(QSize, etikettMm);
    QFETCH(QSize, bild);
    QFETCH(QRect, box);
    QFETCH(QSize, ansicht);
    const QRect ist = Image1Box(dpi, dpi, etikettMm.width(), etikettMm.height(), Bevel4);
    QCOMPARE(ist, box);
    QCOMPARE(PasseBildgroesseAn(bild.width(), bild.height(), ist.width(), ist.height()), ansicht);
}

void TestRender::skaliereBildGleicheGroesseIstKopie()
{
    QImage quelle(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            quelle.setPixel(x, y, qRgb(40 * x, 100 * y, 7));
    const QImage kopie = SkaliereBild(quelle, 3, 2);
    QCOMPARE(kopie, quelle);
    QVERIFY(kopie.constBits() != quelle.constBits());

    // An indexed source gives the same colours.
    const QImage indiziert = quelle.convertToFormat(QImage::Format_Indexed8);
    QCOMPARE(SkaliereBild(indiziert, 3, 2), indiziert.convertToFormat(QImage::Format_RGB32));
}

void TestRender::skaliereBildWiederholtOhneGlaettung()
{
    const QRgb rot = qRgb(255, 0, 0);
    const QRgb blau = qRgb(0, 0, 255);
    QImage paar(2, 1, QImage::Format_RGB32);
    paar.setPixel(0, 0, rot);
    paar.setPixel(1, 0, blau);

    const QImage breit = SkaliereBild(paar, 4, 3);
    QCOMPARE(breit.size(), QSize(4, 3));
    for (int y = 0; y < 3; ++y) {
        QCOMPARE(breit.pixel(0, y), rot);
        QCOMPARE(breit.pixel(1, y), rot);
        QCOMPARE(breit.pixel(2, y), blau);
        QCOMPARE(breit.pixel(3, y), blau);
    }

    // An odd factor in both directions: every pixel is one of the source's, nothing mixed.
    QImage schach(2, 2, QImage::Format_RGB32);
    schach.setPixel(0, 0, rot);
    schach.setPixel(1, 1, rot);
    schach.setPixel(1, 0, blau);
    schach.setPixel(0, 1, blau);
    for (const QSize groesse : {QSize(7, 5), QSize(1, 1), QSize(3, 1)}) {
        const QImage ziel = SkaliereBild(schach, groesse.width(), groesse.height());
        QCOMPARE(ziel.size(), groesse);
        for (int y = 0; y < ziel.height(); ++y)
            for (int x = 0; x < ziel.width(); ++x)
                QVERIFY2(ziel.pixel(x, y) == rot || ziel.pixel(x, y) == blau,
                         qPrintable(QStringLiteral("mixed colour at %1,%2").arg(x).arg(y)));
    }
}

void TestRender::skaliereBildFehler_data()
{
    QTest::addColumn<QImage>("quelle");
    QTest::addColumn<QSize>("groesse");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty source") << QImage() << QSize(10, 10)
                                  << QStringLiteral("Das Bild ist leer und kann nicht skaliert werden");
    QTest::newRow("zero width") << Einfarbig(4, 4, Grau) << QSize(0, 10)
                                << QStringLiteral("Ein Bild von 0 x 10 Pixeln kann nicht angelegt werden");
    QTest::newRow("negative height") << Einfarbig(4, 4, Grau) << QSize(10, -1)
                                     << QStringLiteral("Ein Bild von 10 x -1 Pixeln kann nicht angelegt werden");
    QTest::newRow("too large to make") << Einfarbig(4, 4, Grau) << QSize(100000000, 1)
                                       << QStringLiteral(
                                              "Ein Bild von 100000000 x 1 Pixeln kann nicht angelegt werden");
}

void TestRender::skaliereBildFehler()
{
    QFETCH(QImage, quelle);
    QFETCH(QSize, groesse);
    QFETCH(QString, text);
    try {
        SkaliereBild(quelle, groesse.width(), groesse.height());
        QFAIL("no Fehler thrown");
    } catch (const Fehler &f) {
        QCOMPARE(f.text(), text);
    }
}

void TestRender::zeichneGestrecktBehaeltMalerZustand()
{
    QImage paar(2, 1, QImage::Format_RGB32);
    paar.setPixel(0, 0, qRgb(255, 0, 0));
    paar.setPixel(1, 0, qRgb(0, 0, 255));
    QImage ziel = Einfarbig(10, 1, Weiss);
    QPainter p(&ziel);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    ZeichneGestreckt(p, QRect(1, 0, 8, 1), paar);
    QVERIFY(p.testRenderHint(QPainter::SmoothPixmapTransform));
    p.end();
    // Even a smoothing painter stretches without blending; outside the target stays white.
    const QList<QRgb> erwartet = {Weiss,           qRgb(255, 0, 0), qRgb(255, 0, 0), qRgb(255, 0, 0), qRgb(255, 0, 0),
                                  qRgb(0, 0, 255), qRgb(0, 0, 255), qRgb(0, 0, 255), qRgb(0, 0, 255), Weiss};
    for (int x = 0; x < 10; ++x)
        QCOMPARE(ziel.pixel(x, 0), erwartet[x]);
}

void TestRender::pixelmasse_data()
{
    QTest::addColumn<QSize>("bild");
    QTest::addColumn<QList<int>>("masse");    // ObererRand, SeitenRand, Horizontalabstand, Höhe, Breite
    QTest::addColumn<QList<int>>("erwartet"); // ObererRandPixel, SeitenRandPixel, LueckePixel

    QTest::newRow("business card sheet") << QSize(401, 255) << QList<int>{10, 15, 95, 54, 85} << QList<int>{47, 71, 47};
    QTest::newRow("400 pixels on 85 mm") << QSize(400, 255) << QList<int>{10, 10, 90, 54, 85} << QList<int>{47, 47, 24};
    QTest::newRow("480 pixels on 85 mm") << QSize(480, 255) << QList<int>{10, 10, 90, 54, 85} << QList<int>{47, 56, 28};
    // 2.5 pixels per mm: 1 mm is 2.5 and goes to 2, 3 mm is 7.5 and goes to 8.
    QTest::newRow("halves go to even") << QSize(5, 5) << QList<int>{3, 1, 3, 2, 2} << QList<int>{8, 2, 3};
    QTest::newRow("pitch equal to label width leaves no gap")
        << QSize(179, 99) << QList<int>{11, 9, 38, 21, 38} << QList<int>{52, 42, 0};
    QTest::newRow("label size 0 counts as no pixels")
        << QSize(401, 255) << QList<int>{10, 15, 95, 0, 0} << QList<int>{0, 0, -401};
}

void TestRender::pixelmasse()
{
    QFETCH(QSize, bild);
    QFETCH(QList<int>, masse);
    QFETCH(QList<int>, erwartet);
    Bogenmasse b;
    b.ObererRand = masse[0];
    b.SeitenRand = masse[1];
    b.Horizontalabstand = masse[2];
    b.Etikettenhoehe = masse[3];
    b.Etikettenbreite = masse[4];
    const Pixelmasse m = BerechnePixelmasse(bild, b);
    QCOMPARE((QList<int>{m.ObererRandPixel, m.SeitenRandPixel, m.LueckePixel}), erwartet);
}

void TestRender::etikettenbogen_data()
{
    QTest::addColumn<Bogenangaben>("a");
    QTest::addColumn<Positionen>("orte"); // top-left corners in drawing order

    QTest::newRow("business card, whole sheet")
        << Visitenkarte() << Positionen{{71, 47},   {519, 47}, {71, 303},  {519, 303}, {71, 559},
                                        {519, 559}, {71, 815}, {519, 815}, {71, 1071}, {519, 1071}};
    Bogenangaben zeile3 = Visitenkarte();
    zeile3.zeilenModus = true;
    zeile3.zeile = 3;
    QTest::newRow("business card, only row 3") << zeile3 << Positionen{{71, 559}, {519, 559}};
    Bogenangaben zeile1 = zeile3;
    zeile1.zeile = 1;
    QTest::newRow("business card, only row 1") << zeile1 << Positionen{{71, 47}, {519, 47}};

    QTest::newRow("one per row always starts at the left margin")
        << Bogenangaben{100, 50, 5, 10, 10, 1, 4, 1, false} << Positionen{{10, 5}, {10, 56}, {10, 107}, {10, 158}};
    QTest::newRow("row without wrap hands its cursor to the next row")
        << Bogenangaben{100, 50, 5, 10, 10, 2, 3, 1, false}
        << Positionen{{10, 5}, {120, 5}, {230, 56}, {340, 56}, {450, 107}, {560, 107}};
    QTest::newRow("row mode does not move the cursor for other rows")
        << Bogenangaben{100, 50, 5, 10, 10, 2, 3, 2, true} << Positionen{{10, 56}, {120, 56}};
    QTest::newRow("wrap inside row 0 moves down by top + H")
        << Bogenangaben{300, 50, 5, 10, 10, 5, 1, 1, false}
        << Positionen{{10, 5}, {320, 5}, {630, 5}, {10, 60}, {320, 60}};
    // After the sixth label x is 870: the seventh would still end at 969, but its gap not.
    QTest::newRow("the gap after the next label decides the wrap")
        << Bogenangaben{100, 50, 5, 30, 40, 7, 1, 1, false}
        << Positionen{{30, 5}, {170, 5}, {310, 5}, {450, 5}, {590, 5}, {730, 5}, {30, 60}};
    QTest::newRow("wraps in later rows keep the row's height")
        << Bogenangaben{300, 50, 5, 10, 10, 4, 3, 1, false}
        << Positionen{{10, 5},  {320, 5},  {630, 5},   {10, 60},  {320, 56},  {630, 56},
                      {10, 56}, {320, 56}, {630, 107}, {10, 107}, {320, 107}, {630, 107}};
    QTest::newRow("label past the right edge is cut off")
        << Bogenangaben{300, 50, 5, 800, 0, 1, 2, 1, false} << Positionen{{800, 5}, {800, 56}};
    QTest::newRow("rows past the bottom edge are cut off")
        << Bogenangaben{100, 500, 5, 10, 0, 1, 4, 1, false} << Positionen{{10, 5}, {10, 506}, {10, 1007}};
    QTest::newRow("row mode beyond the sheet stays white")
        << Bogenangaben{100, 50, 5, 10, 10, 2, 3, 40, true} << Positionen{};
    QTest::newRow("no rows, white sheet") << Bogenangaben{100, 50, 5, 10, 10, 2, 0, 1, false} << Positionen{};
    QTest::newRow("5 x 13 small labels") << Bogenangaben{179, 99, 52, 42, 0, 5, 13, 1, false} << [] {
        Positionen p;
        for (int i = 0; i < 13; ++i)
            for (int k = 0; k < 5; ++k)
                p.append(QPoint(42 + k * 179, 52 + i * 100));
        return p;
    }();
}

void TestRender::etikettenbogen()
{
    QFETCH(Bogenangaben, a);
    QFETCH(Positionen, orte);
    const QImage bild = Markenbild(a.W, a.H);
    const QImage bogen = ErzeugeEtikettenbogen(bild, a);
    QCOMPARE(bogen.size(), QSize(991, 1402));
    const QImage referenz = Referenzbogen(bild, orte);
    if (bogen != referenz)
        qWarning() << "corners found:" << Finde(bogen, EckeOben);
    QVERIFY(bogen == referenz);
}

void TestRender::etikettenbogenPixelDerVisitenkarte()
{
    const QImage bogen = ErzeugeEtikettenbogen(Markenbild(401, 255), Visitenkarte());
    Positionen oben;
    Positionen unten;
    for (int y : {47, 303, 559, 815, 1071})
        for (int x : {71, 519}) {
            oben.append(QPoint(x, y));
            unten.append(QPoint(x + 400, y + 254));
        }
    QCOMPARE(Finde(bogen, EckeOben), oben);
    QCOMPARE(Finde(bogen, EckeUnten), unten);
    // Unscaled, with one white pixel row between rows and the gap left white.
    QCOMPARE(bogen.pixel(70, 47), Weiss);
    QCOMPARE(bogen.pixel(72, 47), Grau);
    QCOMPARE(bogen.pixel(71, 302), Weiss);
    QCOMPARE(bogen.pixel(472, 100), Weiss);
    QCOMPARE(bogen.pixel(518, 100), Weiss);
    QCOMPARE(bogen.pixel(0, 0), Weiss);
    QCOMPARE(bogen.pixel(990, 1401), Weiss);
}

void TestRender::etikettenbogenSchneidetAmRandAb()
{
    const Bogenangaben a{300, 500, 5, 800, 0, 1, 3, 1, false};
    const QImage bogen = ErzeugeEtikettenbogen(Markenbild(300, 500), a);
    QCOMPARE(bogen.size(), QSize(991, 1402));
    QCOMPARE(Finde(bogen, EckeOben), (Positionen{{800, 5}, {800, 506}, {800, 1007}}));
    QVERIFY(Finde(bogen, EckeUnten).isEmpty());
    QCOMPARE(bogen.pixel(990, 10), Grau);
    QCOMPARE(bogen.pixel(990, 1401), Grau);
    QCOMPARE(bogen.pixel(799, 1401), Weiss);
}

void TestRender::etikettenbogenNimmtBildgroesseStattKopf()
{
    const QImage bild = Markenbild(401, 255);
    const QImage richtig = ErzeugeEtikettenbogen(bild, Visitenkarte());
    for (const QSize kopf : {QSize(401, -255), QSize(0, 0), QSize(2000000000, 2000000000)}) {
        Bogenangaben a = Visitenkarte();
        a.W = kopf.width();
        a.H = kopf.height();
        QVERIFY2(ErzeugeEtikettenbogen(bild, a) == richtig,
                 qPrintable(QStringLiteral("header %1 x %2").arg(kopf.width()).arg(kopf.height())));
    }
}

void TestRender::etikettenbogenOhneBild()
{
    QVERIFY(ErzeugeEtikettenbogen(QImage(), Visitenkarte()).isNull());
    QVERIFY(ErzeugeEtikettenbogen(Markenbild(401, 255), Visitenkarte(), 0, 1402).isNull());
    QVERIFY(ErzeugeEtikettenbogen(Markenbild(401, 255), Visitenkarte(), 991, -1).isNull());
}

void TestRender::etikettenbogenVonObenWieVonUnten()
{
    QTemporaryDir ordner;
    QVERIFY(ordner.isValid());
    // Odd width, so that every stored row carries padding.
    auto farbe = [](int x, int y) { return x == 0 && y == 0 ? EckeOben : qRgb(10 * x, 20 * y, 99); };
    const QString unten = Schreibe(ordner, QStringLiteral("unten.bmp"), Bmp24(7, 5, false, farbe));
    const QString oben = Schreibe(ordner, QStringLiteral("oben.bmp"), Bmp24(7, 5, true, farbe));

    const QImage bildUnten = LeseBild(unten);
    const QImage bildOben = LeseBild(oben);
    QCOMPARE(bildUnten.size(), QSize(7, 5));
    QCOMPARE(bildOben.size(), QSize(7, 5));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            QCOMPARE(bildUnten.pixel(x, y), farbe(x, y));
            QCOMPARE(bildOben.pixel(x, y), farbe(x, y));
        }

    // The top-down file's header says -5; the composition goes by the decoded picture.
    const Pixelmasse m = BerechnePixelmasse(
        QSize(7, 5),
        Bogenmasse{
            .ObererRand = 10, .SeitenRand = 10, .Horizontalabstand = 10, .Etikettenhoehe = 5, .Etikettenbreite = 7});
    const Bogenangaben a{7, 5, m.ObererRandPixel, m.SeitenRandPixel, m.LueckePixel, 3, 4, 1, false};
    Bogenangaben kopfOben = a;
    kopfOben.H = -5;
    const QImage bogenUnten = ErzeugeEtikettenbogen(bildUnten, a);
    const QImage bogenOben = ErzeugeEtikettenbogen(bildOben, kopfOben);
    QVERIFY(!bogenUnten.isNull());
    QVERIFY(bogenUnten == bogenOben);
    QCOMPARE(Finde(bogenOben, EckeOben).size(), 12);
}

void TestRender::etikettenbogenWieLabelFuerLabel_data()
{
    QTest::addColumn<Bogenangaben>("a"); // W, H, top, left, gap, n, rows, Zeile, row mode
    QTest::addColumn<bool>("durchsichtig");

    QTest::newRow("zero step: a thousand labels on one spot")
        << Bogenangaben{300, 40, 20, 30, -300, 1000, 6, 1, false} << false;
    QTest::newRow("one pixel step under a wide label, wrapping down into the next rows")
        << Bogenangaben{945, 20, 10, 5, -944, 1500, 4, 1, false} << false;
    QTest::newRow("five pixel step, wrapping") << Bogenangaben{400, 30, 12, 7, -395, 700, 5, 1, false} << false;
    QTest::newRow("gap wider than the label leaves room") << Bogenangaben{100, 30, 12, 7, 35, 40, 5, 1, false} << false;
    QTest::newRow("backward step runs off to the left")
        << Bogenangaben{100, 30, 10, 600, -130, 12, 4, 1, false} << false;
    QTest::newRow("backward step, one label per row") << Bogenangaben{100, 30, 10, 600, -130, 1, 40, 1, false} << false;
    QTest::newRow("backward step from past the right edge wraps at once")
        << Bogenangaben{100, 30, 10, 1000, -103, 5, 3, 1, false} << false;
    QTest::newRow("row mode: row 4 of a thousand on one spot")
        << Bogenangaben{200, 50, 15, 40, -200, 1000, 10, 4, true} << false;
    QTest::newRow("row mode: row 1 wraps down the whole sheet")
        << Bogenangaben{300, 50, 5, 10, 10, 40, 3, 1, true} << false;
    QTest::newRow("row mode: a later row wraps within its height")
        << Bogenangaben{300, 50, 5, 10, -280, 200, 30, 7, true} << false;
    QTest::newRow("one label per row, thousands of rows") << Bogenangaben{50, 5, 3, 20, 10, 1, 3000, 1, false} << false;
    QTest::newRow("labels past the right and bottom edges")
        << Bogenangaben{400, 300, 1000, 800, 50, 3, 5, 1, false} << false;
    QTest::newRow("rows above the sheet") << Bogenangaben{60, 40, -500, 10, 5, 20, 30, 1, false} << false;
    QTest::newRow("wrapped stretches of row 0 overlap each other")
        << Bogenangaben{200, 40, -30, 10, -50, 60, 2, 1, false} << false;
    QTest::newRow("wrapped stretches of row 0 at one height")
        << Bogenangaben{200, 40, -40, 10, -50, 60, 2, 1, false} << false;
    QTest::newRow("wrapped stretches of row 0 climb up")
        << Bogenangaben{200, 40, -60, 10, -50, 60, 4, 1, false} << false;
    // Each label is an opaque copy: where labels overlap, the last one shows, not a blend of all that lie there.
    QTest::newRow("transparent picture, overlapping labels")
        << Bogenangaben{120, 60, 10, 20, -110, 300, 3, 1, false} << true;
    QTest::newRow("transparent picture, labels apart") << Bogenangaben{120, 60, 10, 20, 5, 6, 3, 1, false} << true;
}

void TestRender::etikettenbogenWieLabelFuerLabel()
{
    QFETCH(Bogenangaben, a);
    QFETCH(bool, durchsichtig);
    const QImage bild = Musterbild(a.W, a.H, durchsichtig);
    QVERIFY(ErzeugeEtikettenbogen(bild, a) == LabelFuerLabel(bild, a));
}

// Small rasters and measures of every sign, against the plain way.
void TestRender::etikettenbogenZufaelligeMasse()
{
    QRandomGenerator zufall(20240607);
    auto zahl = [&](int von, int bis) { return int(zufall.bounded(von, bis + 1)); };
    for (int fall = 0; fall < 2000; ++fall) {
        const QSize raster(zahl(20, 90), zahl(20, 110));
        Bogenangaben a;
        a.W = zahl(1, 30);
        a.H = zahl(1, 30);
        a.top = zahl(-50, 100);
        a.left = zahl(-50, 100);
        a.gap = zahl(-2 * a.W - 5, 30);
        a.n = zahl(-1, 60);
        a.anzahlInSpalte = zahl(-1, 40);
        a.zeilenModus = zahl(0, 3) == 0;
        a.zeile = zahl(-1, a.anzahlInSpalte + 2);
        const bool durchsichtig = zahl(0, 4) == 0;
        const QImage bild = Musterbild(a.W, a.H, durchsichtig);
        const QImage bogen = ErzeugeEtikettenbogen(bild, a, raster.width(), raster.height());
        QVERIFY2(bogen == LabelFuerLabel(bild, a, raster),
                 qPrintable(QStringLiteral("Raster %1 x %2, %3, ")
                                .arg(raster.width())
                                .arg(raster.height())
                                .arg(durchsichtig ? QStringLiteral("durchsichtig") : QStringLiteral("deckend"))
                            + Text(a)));
    }
}

void TestRender::etikettenbogenRiesigeAnzahlen_data()
{
    QTest::addColumn<Bogenangaben>("a");
    QTest::addColumn<int>("wenigerImGleichenBild"); // a count per row that gives the same sheet

    QTest::newRow("zero step") << Bogenangaben{300, 40, 20, 30, -300, INT_MAX, INT_MAX, 1, false} << 2;
    QTest::newRow("backward step") << Bogenangaben{100, 30, 10, 600, -130, INT_MAX, 10000, 1, false} << 30;
    QTest::newRow("backward step of 2^31") << Bogenangaben{100, 30, 10, 600, INT_MIN, INT_MAX, 10000, 1, false} << 2;
    QTest::newRow("row mode, zero step") << Bogenangaben{300, 40, 20, 30, -300, INT_MAX, INT_MAX, 9, true} << 2;
}

void TestRender::etikettenbogenRiesigeAnzahlen()
{
    QFETCH(Bogenangaben, a);
    QFETCH(int, wenigerImGleichenBild);
    const QImage bild = Musterbild(a.W, a.H);
    const QImage bogen = ErzeugeEtikettenbogen(bild, a);
    a.n = wenigerImGleichenBild;
    QVERIFY(bogen == LabelFuerLabel(bild, a));
}

void TestRender::einzelvorschau()
{
    const QRgb rot = qRgb(255, 0, 0);
    // 15 mm -> 57, 10 mm -> 38, 85 mm -> 321, 54 mm -> 204 pixels at 96 dpi.
    const QImage seite = Einzelvorschau(Einfarbig(401, 255, rot), 96, 96, {15, 10, 85, 54});
    QCOMPARE(seite.size(), QSize(794, 1123));
    QCOMPARE(Finde(seite, rot).size(), 321 * 204);
    QCOMPARE(seite.pixel(57, 38), rot);
    QCOMPARE(seite.pixel(377, 241), rot);
    QCOMPARE(seite.pixel(56, 38), Weiss);
    QCOMPARE(seite.pixel(57, 37), Weiss);
    QCOMPARE(seite.pixel(378, 241), Weiss);
    QCOMPARE(seite.pixel(377, 242), Weiss);

    // Nothing but the picture: a page without one is all white.
    const QImage leer = Einzelvorschau(QImage(), 120, 120, {15, 10, 85, 54});
    QCOMPARE(leer.size(), QSize(992, 1403));
    QCOMPARE(Finde(leer, Weiss).size(), 992 * 1403);

    // A label reaching past the page is cut off at the page's edge.
    const QImage rand = Einzelvorschau(Einfarbig(10, 10, rot), 96, 96, {200, 290, 85, 54});
    QCOMPARE(rand.size(), QSize(794, 1123));
    QCOMPARE(rand.pixel(793, 1122), rot);
    QCOMPARE(rand.pixel(755, 1122), Weiss);

    // Made at the view's size, the preview holds the pixels of the page drawn into the view, whatever the
    // stretch in either step, also with the label cut off at the page's edge.
    struct Fall
    {
        QSize bild;
        MmRechteck ort;
        QSize ansicht;
        int dpi;
    };
    const Fall faelle[] = {{{401, 255}, {10, 10, 85, 54}, {264, 482}, 96}, {{401, 255}, {0, 0, 85, 54}, {263, 481}, 96},
                           {{17, 9}, {33.3, 71.7, 63.5, 38.1}, {264, 482}, 96}, {{640, 480}, {150, 250, 85, 54}, {264, 482}, 120},
                           {{321, 204}, {15, 10, 85, 54}, {900, 1300}, 96}, {{50, 40}, {-20, -5, 60, 30}, {101, 143}, 72},
                           {{50, 40}, {220, 300, 30, 20}, {264, 482}, 96}};
    for (const Fall &f : faelle) {
        QImage bild(f.bild, QImage::Format_RGB32);
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x)
                bild.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 13) % 256));
        QImage erwartet(f.ansicht, QImage::Format_RGB32);
        erwartet.fill(Qt::black);
        QPainter(&erwartet).drawImage(QRect(QPoint(), f.ansicht), Einzelvorschau(bild, f.dpi, f.dpi, f.ort));
        const std::optional<Seitenansicht> ansicht = EinzelvorschauAnsicht(bild, f.dpi, f.dpi, f.ort, f.ansicht);
        QVERIFY(ansicht);
        QImage gezeigt(ansicht->groesse, QImage::Format_RGB32);
        gezeigt.fill(Qt::white);
        QPainter(&gezeigt).drawImage(ansicht->ort, ansicht->teil);
        QCOMPARE(gezeigt, erwartet);
    }
    // A picture that Qt draws another way is left to the page.
    QVERIFY(!EinzelvorschauAnsicht(Einfarbig(401, 255, rot).convertToFormat(QImage::Format_Indexed8), 96, 96,
                                   {15, 10, 85, 54}, {264, 482}));
}

// The precise 3 x 7 stock (63.5 x 38.1 mm: 1500 x 900 pixels at 600 dpi) in every mode and on every kind of
// device: where the first and the last label of the page go, in device pixels, worked out by hand.
void TestRender::genauePlatzierung_data()
{
    QTest::addColumn<Seitenwahl>("wahl");
    QTest::addColumn<Druckflaeche>("flaeche");
    QTest::addColumn<int>("zeilen"); // AnzahlEtikettenInSpalte
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<QRectF>("erstes");
    QTest::addColumn<QRectF>("letztes");

    const Druckflaeche pdf600{600, 600, {}, {}};
    const QRectF ecke600(159.4488, 366.1417, 1500, 900);   // 6.75 mm, 15.5 mm
    const QRectF spalte3zeile7(3301.1811, 5766.1417, 1500, 900); // 139.75 mm, 244.1 mm
    QTest::newRow("whole sheet into a 600 dpi PDF") << Seitenwahl{Druckumfang::GanzeSeite, 1, 1} << pdf600 << 7
                                                    << 21 << ecke600 << spalte3zeile7;
    QTest::newRow("one label at column 3, row 7") << Seitenwahl{Druckumfang::EineEtikette, 3, 7} << pdf600 << 7
                                                  << 1 << spalte3zeile7 << spalte3zeile7;
    QTest::newRow("row 7 alone on the screen's 96 dpi preview")
        << Seitenwahl{Druckumfang::EineZeile, 1, 7} << Druckflaeche{96, 96, {}, {}} << 7 << 3
        << QRectF(25.5118, 922.5827, 240, 144) << QRectF(528.1890, 922.5827, 240, 144);
    // (6.75 x 1.01 + 1) mm, (15.5 x 0.99 - 0.5) mm at 300 dpi, less the 50 pixels of the printer's margins.
    QTest::newRow("whole sheet on a corrected printer with margins")
        << Seitenwahl{Druckumfang::GanzeSeite, 1, 1} << Druckflaeche{300, 300, {50, 50}, {1.0, -0.5, 1.01, 0.99}} << 7
        << 21 << QRectF(42.3327, 125.3346, 757.5, 445.5) << QRectF(1628.9075, 2798.3346, 757.5, 445.5);
    QTest::newRow("rows that begin below the paper are left out")
        << Seitenwahl{Druckumfang::GanzeSeite, 1, 1} << pdf600 << 12 << 24 << ecke600
        << QRectF(3301.1811, 6666.1417, 1500, 900);
    QTest::newRow("a unequal resolution keeps its axes apart")
        << Seitenwahl{Druckumfang::EineEtikette, 1, 1} << Druckflaeche{300, 600, {}, {}} << 7 << 1
        << QRectF(79.7244, 366.1417, 750, 900) << QRectF(79.7244, 366.1417, 750, 900);
}

void TestRender::genauePlatzierung()
{
    QFETCH(Seitenwahl, wahl);
    QFETCH(Druckflaeche, flaeche);
    QFETCH(int, zeilen);
    QFETCH(int, anzahl);
    QFETCH(QRectF, erstes);
    QFETCH(QRectF, letztes);
    Bogenmasse m = MitGenauenLaengen(Bogenmasse{16, 7, 38, 67, 38, 64, 3, zeilen, {}},
                                     {1550, 675, 3810, 6650, 3810, 6350});
    QVERIFY(m.IstGenau());
    QImage etikett(750, 450, QImage::Format_RGB32);
    etikett.fill(Qt::black);

    const Seitenbild seite = BaueSeite(etikett, m, wahl, flaeche);
    QCOMPARE(seite.etiketten.size(), anzahl);
    QCOMPARE(seite.bild, etikett);
    const auto nahe = [](const QRectF &a, const QRectF &b) {
        return std::abs(a.x() - b.x()) < 1e-3 && std::abs(a.y() - b.y()) < 1e-3 && std::abs(a.width() - b.width()) < 1e-3
            && std::abs(a.height() - b.height()) < 1e-3;
    };
    QVERIFY2(nahe(seite.etiketten.first(), erstes), qPrintable(QDebug::toString(seite.etiketten.first())));
    QVERIFY2(nahe(seite.etiketten.last(), letztes), qPrintable(QDebug::toString(seite.etiketten.last())));

    // Drawn, every label covers its rectangle and nothing else: the preview shows what is printed.
    if (flaeche.versatz.isNull() && flaeche.dpiX <= 300) {
        const QImage bild = Seitenvorschau(etikett, m, wahl, flaeche.dpiX, flaeche.dpiY);
        QCOMPARE(bild.size(), Arbeitsbildgroesse(flaeche.dpiX, flaeche.dpiY));
        qint64 dunkel = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x)
                dunkel += qGray(bild.pixel(x, y)) < 128;
        QCOMPARE(dunkel, qint64(anzahl) * qRound(erstes.width()) * qRound(erstes.height()));
        const QPoint mitte = letztes.center().toPoint();
        QCOMPARE(bild.pixel(mitte), qRgb(0, 0, 0));
        QCOMPARE(bild.pixel(qFloor(letztes.right()) + 1, mitte.y()), qRgb(255, 255, 255));
    }
}

void TestRender::randverlust_data()
{
    QTest::addColumn<Bogenmasse>("m");
    QTest::addColumn<Seitenwahl>("wahl");
    QTest::addColumn<Druckraender>("raender");
    QTest::addColumn<Druckerkorrektur>("korrektur");
    QTest::addColumn<QStringList>("texte");
    // A laser driver's printable area on A4, and a generic PDF driver's.
    const Druckraender laser{210, 297, 4.23, 4.35, 4.21, 4.28};
    const Druckraender generisch{210, 297, 6.35, 12.7, 6.35, 12.7};
    // 3 x 8 labels of 70 x 36 mm from the paper's left edge, 4.5 mm from the top.
    const Bogenmasse bogen =
        MitGenauenLaengen(Bogenmasse{5, 0, 36, 70, 36, 70, 3, 8, {}}, {450, 0, 3600, 7000, 3600, 7000});
    const Seitenwahl seite{Druckumfang::GanzeSeite, 1, 1};
    QTest::newRow("3 x 8 from the left edge, laser")
        << bogen << seite << laser << Druckerkorrektur{}
        << QStringList{"Links fehlen 4,23 mm an Spalte 1 (alle 8 Zeilen).",
                       "Rechts fehlen 4,21 mm an Spalte 3 (alle 8 Zeilen)."};
    QTest::newRow("3 x 8 from the left edge, generic driver")
        << bogen << seite << generisch << Druckerkorrektur{}
        << QStringList{"Links fehlen 6,35 mm an Spalte 1 (alle 8 Zeilen).",
                       "Oben fehlen 8,2 mm an Zeile 1 (alle 3 Spalten).",
                       "Rechts fehlen 6,35 mm an Spalte 3 (alle 8 Zeilen).",
                       "Unten fehlen 8,2 mm an Zeile 8 (alle 3 Spalten)."};
    QTest::newRow("row 8 alone, generic driver")
        << bogen << Seitenwahl{Druckumfang::EineZeile, 1, 8} << generisch << Druckerkorrektur{}
        << QStringList{"Links fehlen 6,35 mm an Spalte 1, Zeile 8.", "Rechts fehlen 6,35 mm an Spalte 3, Zeile 8.",
                       "Unten fehlen 8,2 mm an Zeile 8 (alle 3 Spalten)."};
    // Drawn at p x 1.01 + 0.5 across, p x 1.02 + 0.5 down: column 3 ends at 212.6 mm, row 8 at 298.85 mm.
    QTest::newRow("a correction that scales reaches further")
        << bogen << seite << laser << Druckerkorrektur{0.5, 0.5, 1.01, 1.02}
        << QStringList{"Links fehlen 3,73 mm an Spalte 1 (alle 8 Zeilen).",
                       "Rechts fehlen 6,81 mm an Spalte 3 (alle 8 Zeilen).",
                       "Unten fehlen 6,13 mm an Zeile 8 (alle 3 Spalten)."};
    // An ordinary sheet is its raster: rows at the picture's height plus one pixel, so row 5 ends at raster pixel
    // 118 + 4 x 256 + 255 = 1397, 296.03 mm, not at 295 mm.
    QTest::newRow("the sample card from the left edge, 25 mm down")
        << Bogenmasse{25, 0, 54, 95, 54, 85, 2, 5, {}} << seite << laser << Druckerkorrektur{}
        << QStringList{"Links fehlen 4,23 mm an Spalte 1 (alle 5 Zeilen).",
                       "Unten fehlen 3,31 mm an Zeile 5 (alle 2 Spalten)."};
    QTest::newRow("a PDF page has no bands") << bogen << seite << Druckraender{} << Druckerkorrektur{} << QStringList();
}

void TestRender::randverlust()
{
    QFETCH(Bogenmasse, m);
    QFETCH(Seitenwahl, wahl);
    QFETCH(Druckraender, raender);
    QFETCH(Druckerkorrektur, korrektur);
    QFETCH(QStringList, texte);
    const QList<GedrucktesEtikett> etiketten = GedruckteEtiketten({401, 255}, m, wahl);
    QCOMPARE(RandverlustTexte(Randverluste(etiketten, raender, korrektur), etiketten), texte);
}

// The sample card's 2 x 5 places, "Rot" first, places used before as the store hands them in; steps "+Blau" (a label),
// "1=3" (a count, "-" none), "ab7", "x5"/".5" (used/free), "1@6" (label 1 there), "druck", "neu"; "!": no change.
// Then each place ("." free, "x" used, its label), the list's entries, the reason there is no plan.
void TestRender::bogenplanung_data()
{
    QTest::addColumn<QString>("vorher");
    QTest::addColumn<QStringList>("schritte");
    QTest::addColumn<QStringList>("nachher");
    QTest::newRow("each label its count in list order, a name with \"%1\" as it is")
        << ".........." << QStringList{"+Blau %1", "0=3", "1=2"} << QStringList{"00011.....", "Rot: 3|Blau %1: 2", ""};
    QTest::newRow("a label without a count takes the rest")
        << "....x....." << QStringList{"+Blau", "1=-"} << QStringList{"0111x11111", "Rot: 1|Blau: Rest", ""};
    QTest::newRow("a count of 0 takes no part")
        << ".........." << QStringList{"+Blau", "0=0"} << QStringList{"1.........", "Rot: 0|Blau: 1", ""};
    QTest::newRow("no label with a count")
        << ".........." << QStringList{"0=0"}
        << QStringList{"..........", "Rot: 0", "Keine Etikette hat eine Anzahl: es gibt nichts zu drucken."};
    QTest::newRow("more labels than free places")
        << ".........." << QStringList{"ab8", "0=4"}
        << QStringList{"..........", "Rot: 4", "Ab Spalte 2, Zeile 4 sind nur 3 Plätze frei."};
    QTest::newRow("toggled places skipped or taken again; the same again or off the sheet changes nothing")
        << ".........." << QStringList{"0=3", "x2", "x3", ".3", "!0=3", "!x2", "!.1", "!ab1", "!ab11", "!x11", "!2@1"}
        << QStringList{"0x00......", "Rot: 3", ""};
    QTest::newRow("a label set at a place goes first, with one place at least")
        << ".........." << QStringList{"+Blau", "1=0", "1@6"} << QStringList{".....01...", "Blau: 1|Rot: 1", ""};
    QTest::newRow("after a print its places are used, the plan from the first free one")
        << "x........." << QStringList{"ab4", "0=2", "druck"} << QStringList{"x00xx.....", "Rot: 2", ""};
    QTest::newRow("a print of the last places uses the sheet up")
        << "xxxxxxxx.." << QStringList{"0=2", "druck"}
        << QStringList{"xxxxxxxxxx", "Rot: 2",
                       "Auf diesem Bogen ist kein Platz mehr frei. \"Neuer Bogen\" gibt alle Plätze wieder frei."};
    QTest::newRow("a new sheet frees every place, from the first")
        << "xxx......." << QStringList{"ab6", "x8", "neu"} << QStringList{"0.........", "Rot: 1", ""};
}

void TestRender::bogenplanung()
{
    QFETCH(QString, vorher);
    QFETCH(QStringList, schritte);
    QFETCH(QStringList, nachher);
    const QImage bild = Markenbild(4, 3);
    Belegung verbraucht(vorher.size());
    std::transform(vorher.begin(), vorher.end(), verbraucht.begin(), [](QChar c) { return c == u'x'; });
    Bogenplanung p({10, 15, 54, 95, 54, 85, 2, 5}, {QStringLiteral("/etiketten/Rot.bmp"), bild}, verbraucht);
    for (QString s : schritte) {
        const bool aendert = !s.startsWith(u'!');
        s.remove(u'!');
        const int vorne = s.section(QRegularExpression(QStringLiteral("\\D")), 0, 0).toInt();
        const int zahl = s.section(QRegularExpression(QStringLiteral("\\D")), -1).toInt();
        if (s.startsWith(u'+'))
            p.fuegeHinzu({QStringLiteral("/etiketten/%1.bmp").arg(s.mid(1)), bild});
        else if (s == QStringLiteral("druck") || s == QStringLiteral("neu"))
            s == QStringLiteral("druck") ? p.gedruckt(MitAenderung(p.verbraucht(), p.planplaetze())) : p.neuerBogen();
        else if (s.startsWith(QStringLiteral("ab")))
            QCOMPARE(p.setzeAb(zahl), aendert);
        else if (s.startsWith(u'x') || s.startsWith(u'.'))
            QCOMPARE(p.setzeVerbraucht(zahl, s.startsWith(u'x')), aendert);
        else if (s.contains(u'@'))
            QCOMPARE(p.setzeAn(vorne, zahl), aendert);
        else
            QCOMPARE(p.setzeAnzahl(vorne, s.endsWith(u'-') ? std::nullopt : std::optional<int>(zahl)), aendert);
    }
    QString plaetze;
    for (const int inhalt : p.inhalte())
        plaetze += inhalt == PlatzFrei ? u'.' : inhalt == PlatzVerbraucht ? u'x' : QChar(u'0' + inhalt);
    QStringList eintraege;
    for (const Planetikett &e : p.etiketten())
        eintraege.append(Listeneintrag(e));
    QCOMPARE((QStringList{plaetze, eintraege.join(u'|'), p.fuellung().fehler}), nachher);
}

namespace {

const QRgb Rot = qRgb(200, 0, 0);

QByteArray RoteZeichnung(QSize s)
{
    const QByteArray masse =
        "width=\"" + QByteArray::number(s.width()) + "\" height=\"" + QByteArray::number(s.height());
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" " + masse + "\"><rect " + masse + "\" fill=\"#c80000\"/></svg>";
}

Bogenmasse Etikett(qint64 breite, qint64 hoehe)
{
    return MitGenauenLaengen({.AnzahlEtikettenInZeile = 1, .AnzahlEtikettenInSpalte = 1},
                             Laengen{1000, 1000, int(hoehe), int(breite), int(hoehe), int(breite)}, true);
}

} // namespace

void TestRender::bildeinpassung_data()
{
    QTest::addColumn<QSize>("bild");
    QTest::addColumn<QString>("datei"); // as the test writes it, read back as a picture of another program
    QTest::addColumn<QSize>("etikett"); // hundredths of a millimetre
    QTest::addColumn<Einpassung>("einpassung");
    QTest::addColumn<bool>("abweichend");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QRect>("sichtbar");   // where the picture lands on the label picture
    QTest::addColumn<QRect>("ausschnitt"); // the part of the scaled picture that shows
    QTest::addColumn<int>("unscharf");     // the dpi the hint names, 0 for none
    QTest::addColumn<QSize>("groesse");    // of the label picture; empty: the label's at `dpi`
    const auto S = Einpassung::Strecken;
    const auto zeile = [&](const char *name, QSize bild, const char *datei, Einpassung e, bool abweichend, int dpi,
                           QRect sichtbar, QRect ausschnitt, int unscharf, QSize etikett = {8500, 5400},
                           QSize groesse = {}) {
        QTest::newRow(name) << bild << QString::fromLatin1(datei) << etikett << e << abweichend << dpi << sichtbar
                            << ausschnitt << unscharf << groesse;
    };
    zeile("1000 x 635, the card's 1004 x 638 at 300 dpi but for 4 pixels: its own pixels", {1000, 635}, "rot.png", S,
          false, 300, {0, 0, 1000, 635}, {0, 0, 1000, 635}, 0, {8500, 5400}, {1000, 635});
    zeile("1000 x 640, 0.7 % off the card: its own pixels, no line smoothed into two", {1000, 640}, "rot.png", S, false,
          300, {0, 0, 1000, 640}, {0, 0, 1000, 640}, 0, {8500, 5400}, {1000, 640});
    zeile("a 1500 x 953 JPEG, the card at 448 dpi but for a pixel: its own pixels", {1500, 953}, "rot.jpg", S, false,
          448, {0, 0, 1500, 953}, {0, 0, 1500, 953}, 0, {8500, 5400}, {1500, 953});
    zeile("1000 x 600 Füllen: cut at the sides", {1000, 600}, "rot.png", Einpassung::Fuellen, true, 300,
          {0, 0, 1004, 638}, {29, 0, 1004, 638}, 0);
    zeile("4000 x 2541 is held at 600 dpi", {4000, 2541}, "rot.png", S, false, 600, {0, 0, 2008, 1276},
          {0, 0, 2008, 1276}, 0);
    zeile("300 x 300 Einpassen: whole, centred, white beside", {300, 300}, "rot.png", Einpassung::Einpassen, true, 300,
          {183, 0, 638, 638}, {0, 0, 638, 638}, 141);
    zeile("300 x 300 Füllen: the label filled, cut above and below", {300, 300}, "rot.png", Einpassung::Fuellen, true,
          300, {0, 0, 1004, 638}, {0, 183, 1004, 638}, 90);
    zeile("300 x 300 Strecken: 90 dpi across", {300, 300}, "rot.png", S, true, 300, {0, 0, 1004, 638},
          {0, 0, 1004, 638}, 90);
    zeile("an SVG drawing at 600 dpi, never coarse", {100, 100}, "rot.svg", Einpassung::Einpassen, true, 600,
          {366, 0, 1276, 1276}, {0, 0, 1276, 1276}, 0);
    zeile("a label far beyond A4 lowers the dpi to the limits", {3000, 60}, "rot.png", S, true, 76, {0, 0, 29921, 150},
          {0, 0, 29921, 150}, 8, {1000000, 5000});
}

void TestRender::bildeinpassung()
{
    QFETCH(QSize, bild);
    QFETCH(QString, datei);
    QFETCH(QSize, etikett);
    QFETCH(Einpassung, einpassung);
    QFETCH(QRect, sichtbar);
    QFETCH(int, unscharf);
    QFETCH(QSize, groesse);
    QFETCH(QRect, ausschnitt);
    const Bogenmasse m = Etikett(etikett.width(), etikett.height());
    QTemporaryDir ordner;
    QImage rot(bild, QImage::Format_RGB32);
    rot.fill(Rot);
    QVERIFY(datei.endsWith(QStringLiteral(".svg")) ? !Schreibe(ordner, datei, RoteZeichnung(bild)).isEmpty()
                                                   : rot.save(ordner.filePath(datei), nullptr, 100));
    DatiereZurueck(ordner.filePath(datei));
#ifdef MORVANE_OHNE_SVG
    if (datei.endsWith(QStringLiteral(".svg"))) {
        QVERIFY_THROWS_EXCEPTION(Fehler, LiesFremdbild(ordner.filePath(datei)));
        return;
    }
#endif
    const Fremdbild quelle = LiesFremdbild(ordner.filePath(datei));
    QCOMPARE(quelle.groesse, bild);
    QTEST(SeitenverhaeltnisWeichtAb(bild, m), "abweichend");
    QTEST(UebernahmeDpi(quelle, m, einpassung), "dpi");
    const QSize pixel = groesse.isEmpty() ? EtikettPixel(m, UebernahmeDpi(quelle, m, einpassung)) : groesse;
    const Bildplatz platz = Platziere(bild, pixel, einpassung);
    QCOMPARE(QRect(platz.ort, platz.ausschnitt.size()), sichtbar);
    QTEST(platz.ausschnitt, "ausschnitt");
    const QString hinweis = unscharf
        ? QStringLiteral("Das Bild hat auf dem Etikett nur %1 dpi; gedruckt wirkt es unscharf.").arg(unscharf)
        : QString();
    QCOMPARE(UnschaerfeHinweis(quelle, m, einpassung), hinweis);
    const Bildwahl wahl = BildwahlFuer(quelle, m);
    QCOMPARE(wahl.hinweis(einpassung), hinweis);
    QTEST(wahl.wahl, "abweichend");
    if (einpassung == Einpassung::Fuellen)
        QVERIFY(wahl.beschreibung(einpassung)
                    .endsWith(ausschnitt.y() > 0 ? "oben und unten beschnitten" : "an den Seiten beschnitten"));

    const QImage gezeichnet = EtikettAusBild(quelle, m, einpassung);
    QCOMPARE(gezeichnet.size(), pixel);
    QCOMPARE(gezeichnet.dotsPerMeterX(), qRound(UebernahmeDpi(quelle, m, einpassung) / 0.0254));
    for (const QPoint p : {sichtbar.topLeft(), sichtbar.center(), sichtbar.bottomRight()})
        QVERIFY(qAbs(qRed(gezeichnet.pixel(p)) - qRed(Rot)) + qGreen(gezeichnet.pixel(p)) < 4);
    if (sichtbar.left() > 0)
        QCOMPARE(gezeichnet.pixel(sichtbar.left() - 1, sichtbar.center().y()), Weiss);
}

namespace {

QByteArray Kodiert(const QImage &bild, const char *format, double anteil = 1)
{
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    bild.save(&puffer, format);
    return daten.left(qsizetype(daten.size() * anteil));
}

// A red GIF of 1 x 1 pixel, trailer and all.
const QByteArray Gif("GIF89a\1\0\1\0\x80\0\0\xff\0\0\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 35);

} // namespace

// What the take-in refuses before it draws (damage its decoder reads past, a cut GIF, proportions no label has, a
// module that is missing) and what it mends (colours meant in Adobe RGB, a drawing's picture beside it).
void TestRender::fremdbild_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QString>("meldung"); // %1 the file; empty: taken, its middle pixel `mitte`
    QTest::addColumn<QRgb>("mitte");
    const QString kaputt = QStringLiteral("Die Datei %1 enthält kein vollständiges Bild: sie ist beschädigt oder nicht "
                                          "zu Ende gespeichert.");
    QTest::newRow("a JPEG cut short") << Kodiert(Musterbild(300, 200), "jpg", 0.6) << kaputt << QRgb();
    QTest::newRow("a GIF without its end") << Gif.chopped(1) << kaputt << QRgb();
    QTest::newRow("the GIF whole") << Gif << QString() << qRgb(255, 0, 0);
    QTest::newRow("1020 x 20, beyond 1 : 50")
        << Kodiert(Einfarbig(1020, 20, Rot), "png")
        << QStringLiteral("Das Bild %1 ist 1020 x 20 Pixel groß: mehr als 50-mal so breit wie hoch oder so hoch wie "
                          "breit. Ein solches Bild passt auf kein Etikett und wird nicht übernommen.")
        << QRgb();
    if (!QImageReader::supportedImageFormats().contains("tiff"))
        QTest::newRow("TIFF without its module") << QByteArray("II*\0\x08\0\0\0", 8)
                                                 << QStringLiteral("Die Datei %1 ist ein TIFF-Bild; das Modul, das "
                                                                   "TIFF liest (Qt Image Formats), ist hier nicht "
                                                                   "installiert.")
                                                 << QRgb();
    QImage adobe = Einfarbig(10, 10, qRgb(120, 160, 200));
    adobe.setColorSpace(QColorSpace::AdobeRgb);
    QTest::newRow("Adobe RGB (120, 160, 200) taken in sRGB")
        << Kodiert(adobe, "png") << QString() << qRgb(99, 161, 203);
#ifndef MORVANE_OHNE_SVG
    QTest::newRow("an SVG's picture found beside it")
        << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                      "width=\"10\" height=\"10\"><image width=\"10\" height=\"10\" xlink:href=\"daneben.png\"/>"
                      "</svg>")
        << QString() << Rot;
#endif
}

void TestRender::fremdbild()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QString, meldung);
    QTemporaryDir ordner;
    Schreibe(ordner, QStringLiteral("daneben.png"), Kodiert(Einfarbig(10, 10, Rot), "png"));
    const QString pfad = Schreibe(ordner, QStringLiteral("bild"), inhalt);
    try {
        const Fremdbild b = LiesFremdbild(pfad);
        const QImage bild = b.istZeichnung() ? ZeichnungAlsBild(b, b.groesse, QRect({}, b.groesse)) : b.bild;
        QCOMPARE(meldung, QString());
        QTEST(bild.pixel(bild.width() / 2, bild.height() / 2) | 0xff000000, "mitte");
    } catch (const Fehler &f) {
        QCOMPARE(f.text(), meldung.arg(pfad));
    }
}

void TestRender::rueckseite_data()
{
    QTest::addColumn<Bogenmasse>("m");
    QTest::addColumn<Seitenwahl>("wahl");
    QTest::addColumn<QList<Planplatz>>("plan"); // a sheet plan instead of `wahl`: label 0 has a back, label 1 none
    QTest::addColumn<Wendekante>("kante");
    QTest::addColumn<QList<QRectF>>("erwartet"); // the backs in mm from the back page's corner
    const Bogenmasse karte{10, 15, 54, 95, 54, 85, 2, 5};
    const Bogenmasse genau =
        MitGenauenLaengen(Bogenmasse{16, 7, 38, 67, 38, 64, 3, 7, {}}, {1550, 675, 3810, 6650, 3810, 6350});
    const auto zeile = [](const char *name, const Bogenmasse &m, Seitenwahl w, Wendekante k, QList<QRectF> soll,
                          QList<Planplatz> plan = {}) { QTest::newRow(name) << m << w << plan << k << soll; };
    // The card's raster places: columns 71 and 519, row 3 at 559, 401 x 255 pixels.
    const double r = 210.0 / 991.0;
    const Seitenwahl karte23{Druckumfang::EineEtikette, 2, 3}, zeile3{Druckumfang::EineZeile, 1, 3};
    zeile("one card at column 2, row 3, long edge: 210 - 110 - 85", karte, karte23, Wendekante::Lang,
          {{15, 118, 85, 54}});
    zeile("that card, short edge: 297 - 118 - 54, on its head", karte, karte23, Wendekante::Kurz, {{110, 125, 85, 54}});
    zeile("the card's raster row 3, long edge: behind 71 lies 991 - 71 - 401", karte, zeile3, Wendekante::Lang,
          {{519 * r, 559 * r, 401 * r, 255 * r}, {71 * r, 559 * r, 401 * r, 255 * r}});
    zeile("that row, short edge", karte, zeile3, Wendekante::Kurz,
          {{71 * r, 297 - 814 * r, 401 * r, 255 * r}, {519 * r, 297 - 814 * r, 401 * r, 255 * r}});
    zeile("precise 3 x 7 at 1,7, long edge: 210 - 6.75 - 63.5", genau, {Druckumfang::EineEtikette, 1, 7},
          Wendekante::Lang, {{139.75, 244.1, 63.5, 38.1}});
    zeile("precise 3 x 7 at 1,1, short edge: 297 - 15.5 - 38.1", genau, {}, Wendekante::Kurz,
          {{6.75, 243.4, 63.5, 38.1}});
    zeile("a plan: the label without a back leaves its place empty", karte, {}, Wendekante::Lang,
          {{110, 10, 85, 54}, {15, 10, 85, 54}}, {{0, {1, 1}}, {0, {2, 1}}, {1, {1, 2}}});
}

void TestRender::rueckseite()
{
    QFETCH(Bogenmasse, m);
    QFETCH(Seitenwahl, wahl);
    QFETCH(QList<Planplatz>, plan);
    QFETCH(Wendekante, kante);
    QFETCH(QList<QRectF>, erwartet);
    const QImage bild = Markenbild(401, 255);
    const Druckflaeche f{600, 600, {}, {}};
    const QList<Seitenbild> seite = plan.isEmpty()
        ? QList{BaueRueckseite(bild.size(), bild, m, wahl, f, kante)}
        : BaueRueckseite(Bogenplan{m, plan}, {{bild, m}, {QImage(), m}}, f, kante);
    // The picture's own top-left corner shows at its place's top-left upright, at its bottom-right on its head.
    const QRgb anfang = kante == Wendekante::Lang ? EckeOben : EckeUnten;
    const double mm = 25.4 / 600;
    QList<QRectF> orte;
    for (const Seitenbild &s : seite) {
        const QRectF ziel(Rechteck(s.ziel));
        if (s.bild.size() != QSize(BogenBreite, BogenHoehe)) {
            QCOMPARE(s.bild.pixel(0, 0), anfang);
            for (const QRectF &r : s.etiketten.isEmpty() ? QList<QRectF>{ziel} : s.etiketten)
                orte << QRectF(r.topLeft() * mm, r.size() * mm);
            continue;
        }
        const double sx = ziel.width() / BogenBreite * mm, sy = ziel.height() / BogenHoehe * mm;
        for (const QPoint &p : Finde(s.bild, anfang)) {
            QCOMPARE(s.bild.pixel(p + QPoint(400, 254)), anfang == EckeOben ? EckeUnten : EckeOben);
            orte << QRectF(ziel.x() * mm + p.x() * sx, ziel.y() * mm + p.y() * sy, 401 * sx, 255 * sy);
        }
    }
    // Within a pixel of 600 dpi at each corner.
    const auto nahe = [](const QRectF &a, const QRectF &b) {
        return (a.topLeft() - b.topLeft()).manhattanLength() + (a.bottomRight() - b.bottomRight()).manhattanLength()
            < 0.1;
    };
    QCOMPARE(orte.size(), erwartet.size());
    for (const QRectF &r : std::as_const(erwartet))
        QVERIFY2(std::any_of(orte.begin(), orte.end(), [&](const QRectF &o) { return nahe(o, r); }),
                 qPrintable(QDebug::toString(r) + QStringLiteral(" fehlt in ") + QDebug::toString(orte)));
}

// Millimetres of a label of 63.5 x 38.1 mm at 10, 10 on A4; pixels of a raster label of 401 x 255 at 71, 47.
void TestRender::anschnittgrenzen_data()
{
    QTest::addColumn<QRectF>("etikett");
    QTest::addColumn<QList<QRectF>>("andere");
    QTest::addColumn<bool>("ganzePixel");
    QTest::addColumn<QList<double>>("erwartet"); // left, top, right, bottom
    const QRectF e(10, 10, 63.5, 38.1);
    QTest::newRow("a 2.5 mm gap: 1.25 mm into it")
        << e << QList<QRectF>{{76, 10, 63.5, 38.1}, {10, 50.6, 63.5, 38.1}} << false << QList<double>{2, 2, 1.25, 1.25};
    QTest::newRow("touching labels: none between them")
        << e << QList<QRectF>{{-53.5, 10, 63.5, 38.1}, {10, -28.1, 63.5, 38.1}} << false << QList<double>{0, 0, 2, 2};
    QTest::newRow("the paper's edge, a label beyond it: none on that side")
        << QRectF(-1, 296, 211.5, 0.5) << QList<QRectF>{} << false << QList<double>{0, 2, 0, 0.5};
    QTest::newRow("a plan's label a little off its place, diagonal ones not")
        << e << QList<QRectF>{{74.5, 30, 63.5, 38.1}, {75, 49, 63.5, 38.1}} << false << QList<double>{2, 2, 0.5, 2};
    QTest::newRow("raster: whole pixels, half of a 47 pixel gap and of the one pixel between rows")
        << QRectF(71, 47, 401, 255) << QList<QRectF>{{519, 47, 401, 255}, {71, 303, 401, 255}} << true
        << QList<double>{30, 30, 23, 0};
    QTest::newRow("raster: the row below takes that pixel")
        << QRectF(71, 303, 401, 255) << QList<QRectF>{{71, 47, 401, 255}} << true << QList<double>{30, 1, 30, 30};
}

void TestRender::anschnittgrenzen()
{
    QFETCH(QRectF, etikett);
    QFETCH(QList<QRectF>, andere);
    QFETCH(bool, ganzePixel);
    QFETCH(QList<double>, erwartet);
    const QRectF papier = ganzePixel ? QRectF(0, 0, BogenBreite, 1401.56) : QRectF(0, 0, 210, 297);
    const double rand = ganzePixel ? 30 : 2;
    Anschnittbreiten b = Anschnittgrenzen(etikett, andere, papier, {rand, rand, rand, rand});
    if (ganzePixel)
        b = LueckeGeschlossen(b);
    const QList<double> ist{b.links, b.oben, b.rechts, b.unten};
    for (qsizetype i = 0; i < ist.size(); ++i)
        QVERIFY2(std::abs(ist[i] - erwartet[i]) < 1e-9, qPrintable(QDebug::toString(ist)));
}

// The sample card with a bleed of 2 mm, 9 raster pixels (1.91 mm): each edge's own pixels continued on every side,
// the one pixel between the touching rows taken by the row below; inside each card the raster without a bleed.
void TestRender::anschnittDerVisitenkarte()
{
    const QImage bild = Musterbild(401, 255);
    Bogenmasse m{10, 15, 54, 95, 54, 85, 2, 5};
    const Seitenwahl seite{Druckumfang::GanzeSeite, 1, 1};
    QImage erwartet = BaueSeite(bild, m, seite, {600, 600, {}, {}}).bild.convertToFormat(QImage::Format_RGB32);
    const QImage mit = BaueSeite(bild, m, seite, {600, 600, {}, {}}, 200).bild.convertToFormat(QImage::Format_RGB32);
    for (int zeile = 0; zeile < 5; ++zeile)
        for (int x : {71, 519})
            for (int j = zeile == 0 ? -9 : -1; j < 255 + (zeile == 4 ? 9 : 0); ++j)
                for (int i = -9; i < 401 + 9; ++i)
                    erwartet.setPixel(x + i, 47 + zeile * 256 + j,
                                      bild.pixel(std::clamp(i, 0, 400), std::clamp(j, 0, 254)));
    QCOMPARE(mit, erwartet);

    // Composed of the card at 1,1 and 1,2, at 1200 dpi: each placed in whole pixels, the row below takes the pixel
    // that rounding leaves between them at 64 mm.
    QImage schwarz(401, 255, QImage::Format_RGB32), schnitt(100, 40, QImage::Format_RGB32);
    schwarz.fill(Qt::black);
    schnitt.fill(Qt::white);
    QPainter maler(&schnitt);
    maler.translate(-1000, -3004);
    ZeichneSeite(maler, BaueSeite(Bogenplan{m, {{0, {1, 1}}, {0, {1, 2}}}}, {{schwarz, m, 200}}, {1200, 1200, {}, {}}));
    maler.end();
    QCOMPARE(schnitt, schwarz.copy(0, 0, 100, 40));
}

// A precise 3 x 7 label with gaps of 2.5 mm and a bleed of 2 mm, on the preview at 254 dpi, 0.1 mm a pixel: the
// first label begins at 67.5, its bleed at 47.5; the gap from 702.5 to 727.5 takes 1.25 mm of each side's edge.
void TestRender::anschnittGenau()
{
    const Bogenmasse m =
        MitGenauenLaengen(Bogenmasse{10, 7, 41, 66, 38, 64, 3, 7}, {1000, 675, 4060, 6600, 3810, 6350});
    QImage bild(635, 381, QImage::Format_RGB32);
    bild.fill(Qt::black);
    for (int y = 0; y < bild.height(); ++y)
        bild.setPixel(0, y, qRgb(255, 0, 0)), bild.setPixel(634, y, qRgb(0, 0, 255));
    const QImage v = Seitenvorschau(bild, m, {Druckumfang::GanzeSeite, 1, 1}, 254, 254, 200);
    QCOMPARE(QList<QRgb>({v.pixel(46, 200), v.pixel(48, 200), v.pixel(713, 200), v.pixel(717, 200), v.pixel(200, 79),
                          v.pixel(200, 81)}),
             QList<QRgb>({qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(255, 0, 0), qRgb(255, 255, 255),
                          qRgb(0, 0, 0)}));
}

// Behind the front the same rules on the back page's places: the precise label at 1,1, its right and lower sides
// stopped by the gaps, has them on the back's left (long edge) or top (short edge); the card's raster, its bleed added before it is
// turned, each edge's own pixels beside the back that stands behind column 1, the row below's between the touching
// rows.
void TestRender::anschnittRueckseite()
{
    const Bogenmasse genau =
        MitGenauenLaengen(Bogenmasse{10, 7, 41, 66, 38, 64, 3, 7}, {1000, 675, 4060, 6600, 3810, 6350});
    const QImage hinten = Musterbild(635, 381);
    const Seitenwahl eins{Druckumfang::EineEtikette, 1, 1};
    const Druckflaeche f{254, 254, {}, {}};
    for (const auto &[kante, soll] : {std::pair{Wendekante::Lang, QList<double>{12.5, 20, 20, 12.5}},
                                      std::pair{Wendekante::Kurz, QList<double>{20, 12.5, 12.5, 20}}}) {
        const QList<Anschnittbreiten> b = BaueRueckseite(hinten.size(), hinten, genau, eins, f, kante, 200).anschnitt;
        QCOMPARE(b.size(), 1);
        const QList<double> ist{b[0].links, b[0].oben, b[0].rechts, b[0].unten};
        for (qsizetype i = 0; i < ist.size(); ++i)
            QVERIFY2(std::abs(ist[i] - soll[i]) < 1e-6, qPrintable(QDebug::toString(ist)));
    }

    const QImage karte = Musterbild(401, 255);
    const Bogenmasse m{10, 15, 54, 95, 54, 85, 2, 5};
    const QImage r =
        BaueRueckseite(karte.size(), karte, m, {Druckumfang::GanzeSeite, 1, 1}, f, Wendekante::Lang, 200).bild;
    QCOMPARE(
        QList<QRgb>({r.pixel(510, 147), r.pixel(928, 147), r.pixel(569, 38), r.pixel(509, 147), r.pixel(569, 302)}),
        QList<QRgb>({karte.pixel(0, 100), karte.pixel(400, 100), karte.pixel(50, 0), Weiss, r.pixel(569, 303)}));
}

// Crop marks 3 mm off the cards (a bleed of 2 mm and 1 mm clear of it), 5 mm long; a card is 85 x 54 mm.
void TestRender::schnittmarken_data()
{
    QTest::addColumn<QList<QRectF>>("karten");
    QTest::addColumn<QList<QRectF>>("leer");
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<QList<QLineF>>("darunter");
    const QRectF karte(20, 30, 85, 54);
    QTest::newRow("one card: two marks on each of its four cut lines")
        << QList<QRectF>{karte} << QList<QRectF>{} << 8
        << QList<QLineF>{{20, 22, 20, 27}, {20, 87, 20, 92},   {105, 22, 105, 27}, {105, 87, 105, 92},
                         {12, 30, 17, 30}, {108, 30, 113, 30}, {12, 84, 17, 84},   {108, 84, 113, 84}};
    QTest::newRow("a gap of 10 mm holds a mark in its 4 mm left free, cards edge to edge share their cut")
        << QList<QRectF>{karte, {115, 30, 85, 54}, {20, 84, 85, 54}} << QList<QRectF>{} << 16
        << QList<QLineF>{{108, 30, 112, 30}, {108, 84, 112, 84}, {12, 84, 17, 84}};
    QTest::newRow("a gap of 6 mm holds none")
        << QList<QRectF>{karte, {111, 30, 85, 54}} << QList<QRectF>{} << 12 << QList<QLineF>{{199, 30, 204, 30}};
    QTest::newRow("an empty place 1 mm below: no mark between, the cut's mark beyond it")
        << QList<QRectF>{karte} << QList<QRectF>{{20, 85, 85, 54}} << 8 << QList<QLineF>{{20, 142, 20, 147}};
    QTest::newRow("at the paper's edge a mark is shortened or left out")
        << QList<QRectF>{{5.5, 2, 85, 54}} << QList<QRectF>{} << 6 << QList<QLineF>{{0, 2, 2.5, 2}, {5.5, 59, 5.5, 64}};
}

void TestRender::schnittmarken()
{
    QFETCH(QList<QRectF>, karten);
    QFETCH(QList<QRectF>, leer);
    QFETCH(int, anzahl);
    QFETCH(QList<QLineF>, darunter);
    const QList<QLineF> marken = Schnittmarken(karten, leer, 3, QRectF(0, 0, 210, 297));
    QCOMPARE(marken.size(), anzahl);
    for (const QLineF &m : darunter)
        QVERIFY2(marken.contains(m), qPrintable(QDebug::toString(marken)));
}

QTEST_MAIN(TestRender)
#include "test_render.moc"
