#include "bitmaps.h"
#include "blatt/bogenplan.h"
#include "layout/bildgroesse.h"
#include "layout/infobild.h"
#include "layout/markierung.h"
#include "layout/passung.h"
#include "platform/fehler.h"

#include <QBuffer>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

bool operator==(const Zelle &a, const Zelle &b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

char *toString(const Zelle &z)
{
    return QTest::toString(QStringLiteral("(%1, %2, %3, %4)").arg(z.Left).arg(z.Top).arg(z.Right).arg(z.Bottom));
}

namespace {

bool InZelle(const Zelle &z, const QPoint &p)
{
    return p.x() >= z.Left && p.x() <= z.Right && p.y() >= z.Top && p.y() <= z.Bottom;
}

constexpr QRgb Blau = qRgb(0, 0, 255);
constexpr QRgb Weiss = qRgb(255, 255, 255);
constexpr QRgb Schwarz = qRgb(0, 0, 0);
constexpr QRgb Grau = qRgb(128, 128, 128);
constexpr QRgb Silber = qRgb(192, 192, 192);

// A white picture with the two marks in column 0 and a grid of black lines.
QImage Gitterbild(int breite, int hoehe, int oben, int pitch, const QList<int> &spalten, const QList<int> &zeilen)
{
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    bild.fill(Weiss);
    bild.setPixel(0, oben, Grau);
    bild.setPixel(0, pitch, Silber);
    for (int x : spalten)
        for (int y = zeilen.first(); y <= zeilen.last(); ++y)
            bild.setPixel(x, y, Schwarz);
    for (int y : zeilen)
        for (int x = 54; x <= spalten.last(); ++x)
            bild.setPixel(x, y, Schwarz);
    return bild;
}

// The one grid used by most marking tests: cells (1, 1) = 60..80 x 12..32, (2, 1) = 80..100.
QImage Standardgitter()
{
    return Gitterbild(140, 80, 10, 20, {60, 80, 100, 130}, {12, 32, 52});
}

QRect Innen(const Zelle &z)
{
    return QRect(QPoint(z.Left + 1, z.Top + 1), QPoint(z.Right - 1, z.Bottom - 1));
}

// Pixels that differ, as a list of points.
QList<QPoint> Unterschiede(const QImage &a, const QImage &b)
{
    QList<QPoint> punkte;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                punkte.append(QPoint(x, y));
    return punkte;
}

QByteArray BmpKopf(quint32 infoLaenge, qint32 breite, qint32 hoehe)
{
    QByteArray kopf(54, '\0');
    auto *b = reinterpret_cast<uchar *>(kopf.data());
    b[0] = 'B';
    b[1] = 'M';
    qToLittleEndian<quint32>(infoLaenge, b + 14);
    qToLittleEndian<qint32>(breite, b + 18);
    qToLittleEndian<qint32>(hoehe, b + 22);
    return kopf;
}

QString Infoordner()
{
    return qEnvironmentVariable("MORVANE_PROGRAMM_DIR") + QStringLiteral("/Morvane/Druckposition Infos");
}

} // namespace

// The measures one direction of the fit check reads.
Bogenmasse Horizontal(int rand, int abstand, int breite, int anzahl)
{
    return {
        .SeitenRand = rand, .Horizontalabstand = abstand, .Etikettenbreite = breite, .AnzahlEtikettenInZeile = anzahl};
}

Bogenmasse Vertikal(int rand, int abstand, int hoehe, int anzahl)
{
    return {.ObererRand = rand, .Vertikalabstand = abstand, .Etikettenhoehe = hoehe, .AnzahlEtikettenInSpalte = anzahl};
}

class TestLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void horizontal_data();
    void horizontal();
    void vertikal_data();
    void vertikal();
    void meldungen();
    void rueckfall();
    void nebeneinander_data();
    void nebeneinander();
    void bildgroesse_data();
    void bildgroesse();
    void bildgroesseFehler();
    void vollstaendigesBitmap_data();
    void vollstaendigesBitmap();
    void spaltenabstand_data();
    void spaltenabstand();
    void markenUndZeilen();
    void weissLoeschtUndVerschiebt();
    void formate();
    void kaputteBilder_data();
    void kaputteBilder();
    void zufallsbilderBleibenImBild();
    void infobildDatei_data();
    void infobildDatei();
    void jedeZelleMarkierbar_data();
    void jedeZelleMarkierbar();
    void keinBild();
    void bogenFuellen_data();
    void bogenFuellen();
};

void TestLayout::horizontal_data()
{
    QTest::addColumn<int>("rand");
    QTest::addColumn<int>("abstand");
    QTest::addColumn<int>("breite");
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<bool>("passt");
    QTest::newRow("q exactly 3.0 fits") << 0 << 72 << 72 << 3 << true;
    QTest::newRow("2 mm allowance lets 214 mm pass") << 4 << 70 << 70 << 3 << true;
    QTest::newRow("q 2.94 fails") << 10 << 70 << 70 << 3 << false;
    QTest::newRow("label wider than pitch: width decides") << 10 << 60 << 70 << 3 << false;
    QTest::newRow("pitch wider than label decides") << 10 << 70 << 60 << 3 << false;
    QTest::newRow("pitch 1: divisor -1, nothing fits") << 0 << 1 << 1 << 1 << false;
    QTest::newRow("pitch 2: divisor 0, does not fit") << 0 << 2 << 2 << 1 << false;
    QTest::newRow("pitch 2 from width alone") << 0 << 1 << 2 << 0 << false;
    QTest::newRow("pitch 3: 208 fit") << 0 << 3 << 3 << 210 << true;
    QTest::newRow("margin wider than sheet") << 220 << 70 << 70 << 1 << false;
}

void TestLayout::horizontal()
{
    QFETCH(int, rand);
    QFETCH(int, abstand);
    QFETCH(int, breite);
    QFETCH(int, anzahl);
    QFETCH(bool, passt);
    const Pruefung p = PruefeHorizontal(Horizontal(rand, abstand, breite, anzahl));
    QCOMPARE(p.passt, passt);
    QCOMPARE(p.meldung.isEmpty(), passt);
}

void TestLayout::vertikal_data()
{
    QTest::addColumn<int>("rand");
    QTest::addColumn<int>("abstand");
    QTest::addColumn<int>("hoehe");
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<bool>("passt");
    QTest::newRow("q exactly 5.0 fits, nothing subtracted") << 12 << 57 << 57 << 5 << true;
    QTest::newRow("q 4.98 fails") << 13 << 57 << 57 << 5 << false;
    QTest::newRow("label higher than pitch: height decides") << 13 << 50 << 57 << 5 << false;
    QTest::newRow("pitch 0: does not fit") << 0 << 0 << 0 << 1 << false;
}

void TestLayout::vertikal()
{
    QFETCH(int, rand);
    QFETCH(int, abstand);
    QFETCH(int, hoehe);
    QFETCH(int, anzahl);
    QFETCH(bool, passt);
    const Pruefung p = PruefeVertikal(Vertikal(rand, abstand, hoehe, anzahl));
    QCOMPARE(p.passt, passt);
    QCOMPARE(p.meldung.isEmpty(), passt);
}

void TestLayout::meldungen()
{
    QCOMPARE(
        PruefeHorizontal(Horizontal(10, 70, 70, 3)).meldung,
        QStringLiteral("Ein DIN-A4 Blatt ist 210 mm breit.\r\n\r\nLinker Rand = 10 mm +(Horizontalabstand x 3) = 220 mm"
                       "\r\n\r\n3 Etiketten passen NICHT horizontal auf ein DIN-A4 Blatt! "));
    // The total uses the pitch as entered, not the wider label.
    QVERIFY(PruefeHorizontal(Horizontal(10, 60, 70, 3)).meldung.contains(QStringLiteral("x 3) = 190 mm\r\n")));
    QCOMPARE(
        PruefeVertikal(Vertikal(13, 57, 57, 5)).meldung,
        QStringLiteral("Ein DIN-A4 Blatt ist 297 mm hoch.\r\n\r\nOberer Rand = 13 mm +(Vertikalabstand x 5) = 298 mm"
                       "\r\n\r\n5 Etiketten passen NICHT vertikal auf ein DIN-A4 Blatt! "));
    QVERIFY(PruefeVertikal(Vertikal(13, 50, 57, 5)).meldung.contains(QStringLiteral("x 5) = 263 mm\r\n")));
}

void TestLayout::rueckfall()
{
    QCOMPARE(Rueckfallanzahl(3, 2), 3);
    QCOMPARE(Rueckfallanzahl(1, 2), 2);
    QCOMPARE(Rueckfallanzahl(2, 2), 2);
    // A count above the loaded one remembers the one below it, never less than the loaded one.
    QCOMPARE(LetzteAnzahlNachAenderung(4, 2), 3);
    QCOMPARE(LetzteAnzahlNachAenderung(3, 2), 2);
    QCOMPARE(LetzteAnzahlNachAenderung(2, 2), 2);
    QCOMPARE(LetzteAnzahlNachAenderung(1, 2), 1);
}

void TestLayout::nebeneinander_data()
{
    QTest::addColumn<int>("bildBreite");
    QTest::addColumn<int>("rand");
    QTest::addColumn<int>("abstand");
    QTest::addColumn<int>("breite");
    QTest::addColumn<int>("randPixel");
    QTest::addColumn<int>("lueckePixel");
    QTest::addColumn<bool>("moeglich");
    QTest::newRow("400 px card: 2 x 424 + 47 = 895") << 400 << 10 << 90 << 85 << 47 << 24 << true;
    QTest::newRow("480 px card: 2 x 508 + 56 = 1072") << 480 << 10 << 90 << 85 << 56 << 28 << false;
    QTest::newRow("exactly 991 passes") << 400 << 191 << 400 << 400 << 191 << 0 << true;
    QTest::newRow("992 does not") << 400 << 192 << 400 << 400 << 192 << 0 << false;
    QTest::newRow("12.5 and 102.5 round down to even") << 100 << 25 << 205 << 200 << 12 << 2 << true;
    QTest::newRow("13.5 and 103.5 round up to even") << 100 << 27 << 207 << 200 << 14 << 4 << true;
    QTest::newRow("label width 0: not possible") << 100 << 10 << 90 << 0 << 0 << 0 << false;
}

void TestLayout::nebeneinander()
{
    QFETCH(int, bildBreite);
    QFETCH(int, rand);
    QFETCH(int, abstand);
    QFETCH(int, breite);
    const Nebeneinander n = PruefeNebeneinander(bildBreite, Horizontal(rand, abstand, breite, 1));
    QTEST(n.SeitenRandPixel, "randPixel");
    QTEST(n.LueckePixel, "lueckePixel");
    QTEST(n.moeglich, "moeglich");
}

void TestLayout::bildgroesse_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QSize>("groesse"); // invalid: not a readable bitmap

    QByteArray os2 = BmpKopf(12, 0, 0).left(26);
    qToLittleEndian<quint16>(500, os2.data() + 18);
    qToLittleEndian<quint16>(250, os2.data() + 20);
    qToLittleEndian<quint16>(1, os2.data() + 22);  // planes
    qToLittleEndian<quint16>(24, os2.data() + 24); // bits per pixel

    QTest::newRow("bottom-up 400 x 300") << BmpKopf(40, 400, 300) << QSize(400, 300);
    QTest::newRow("top-down height is its magnitude") << BmpKopf(40, 400, -300) << QSize(400, 300);
    QTest::newRow("V5 header") << BmpKopf(124, 7, 9) << QSize(7, 9);
    QTest::newRow("OS/2 header, 16-bit sizes") << os2 << QSize(500, 250);
    QTest::newRow("30000 is still a picture") << BmpKopf(40, 30000, 1000) << QSize(30000, 1000);
    QTest::newRow("empty file") << QByteArray() << QSize();
    QTest::newRow("shorter than the headers") << BmpKopf(40, 400, 300).left(25) << QSize();
    QTest::newRow("width 0") << BmpKopf(40, 0, 300) << QSize();
    QTest::newRow("negative width") << BmpKopf(40, -400, 300) << QSize();
    QTest::newRow("height 0") << BmpKopf(40, 400, 0) << QSize();
    QTest::newRow("smallest height") << BmpKopf(40, 400, std::numeric_limits<qint32>::min()) << QSize();
}

void TestLayout::bildgroesse()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QSize, groesse);
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("bild.bmp"));
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write(inhalt);
    datei.close();
    DatiereZurueck(pfad);

    if (groesse.isValid()) {
        QCOMPARE(LiesBildGroesse(pfad), groesse);
        return;
    }
    try {
        LiesBildGroesse(pfad);
        QFAIL("no Fehler thrown");
    } catch (const Fehler &fehler) {
        QCOMPARE(fehler.text(),
                 QStringLiteral("Die Datei ") + pfad + QStringLiteral(" enthält kein lesbares Bitmap-Bild."));
    }
}

void TestLayout::bildgroesseFehler()
{
    QTemporaryDir ordner;
    const QString fehlt = ordner.filePath(QStringLiteral("fehlt.bmp"));
    try {
        LiesBildGroesse(fehlt);
        QFAIL("no Fehler thrown");
    } catch (const Fehler &fehler) {
        QCOMPARE(fehler.text(), QStringLiteral("Datei ") + fehlt + QStringLiteral(" kann nicht geöffnet werden"));
    }

    // What Qt itself writes is read back.
    const QString echt = ordner.filePath(QStringLiteral("echt.bmp"));
    QImage bild(37, 23, QImage::Format_RGB32);
    bild.fill(Weiss);
    QVERIFY(bild.save(echt, "BMP"));
    DatiereZurueck(echt);
    QCOMPARE(LiesBildGroesse(echt), QSize(37, 23));
}

// A 4 x 2 picture of 8 bits with two colours, its pixels run-length encoded as `strom`.
QByteArray Rle8(const QByteArray &strom)
{
    QByteArray datei = BmpKopf(40, 4, 2) + QByteArray(8, '\0') + strom;
    auto *b = reinterpret_cast<uchar *>(datei.data());
    qToLittleEndian<quint32>(62, b + 10);
    qToLittleEndian<quint16>(1, b + 26);
    qToLittleEndian<quint16>(8, b + 28);
    qToLittleEndian<quint32>(1, b + 30);
    qToLittleEndian<quint32>(2, b + 46);
    return datei;
}

void TestLayout::vollstaendigesBitmap_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<bool>("vollstaendig");

    // The sample cut at its typical places is the command's and the window's case; here the other layouts.
    QFile beispiel(qEnvironmentVariable("MORVANE_PROGRAMM_DIR") + QStringLiteral("/Morvane/Visitenkarte_85x54.bmp"));
    QVERIFY(beispiel.open(QIODevice::ReadOnly));
    QByteArray vonOben = beispiel.readAll();
    qToLittleEndian<qint32>(-qFromLittleEndian<qint32>(vonOben.constData() + 22), vonOben.data() + 22);
    QImage grau(37, 5, QImage::Format_Grayscale8); // written with a table of 256 colours
    grau.fill(7);
    auto gespeichert = [&grau](const char *art) {
        QByteArray datei;
        QBuffer puffer(&datei);
        return puffer.open(QIODevice::WriteOnly) && grau.save(&puffer, art) ? datei : QByteArray();
    };
    const QByteArray indiziert = gespeichert("BMP");

    QTest::newRow("cut inside the file header") << vonOben.left(10) << false;
    QTest::newRow("top-down, whole") << vonOben << true;
    QTest::newRow("top-down, one byte short") << vonOben.chopped(1) << false;
    QTest::newRow("256 colours, whole") << indiziert << true;
    QTest::newRow("256 colours, cut inside the colour table") << indiziert.left(54 + 500) << false;
    QTest::newRow("256 colours, one byte short") << indiziert.chopped(1) << false;
    QTest::newRow("run-length, up to its end mark") << Rle8(QByteArray("\x02\x01\x00\x00\x02\x00\x00\x01", 8)) << true;
    QTest::newRow("run-length, both rows ended") << Rle8(QByteArray("\x02\x01\x00\x00\x02\x00\x00\x00", 8)) << true;
    QTest::newRow("run-length, literal pixels padded")
        << Rle8(QByteArray("\x00\x03\x01\x00\x01\x00\x00\x00\x04\x00\x00\x01", 12)) << true;
    QTest::newRow("run-length, cut inside literal pixels") << Rle8(QByteArray("\x00\x03\x01\x00", 4)) << false;
    QTest::newRow("run-length, cut before its second row") << Rle8(QByteArray("\x02\x01\x00\x00", 4)) << false;
    QTest::newRow("no bitmap: the decoder of its own kind judges") << gespeichert("PNG") << true;
}

void TestLayout::vollstaendigesBitmap()
{
    QFETCH(QByteArray, datei);
    QFETCH(bool, vollstaendig);
    QCOMPARE(BitmapVollstaendig(datei), vollstaendig);
    // Never stricter than the decoder: what it counts as complete, the decoder reads.
    if (vollstaendig)
        QVERIFY(!QImage::fromData(datei).isNull());
}

void TestLayout::spaltenabstand_data()
{
    // Vertical lines; the scan row counts those in 55..115. The seed of column x lies at
    // 54 + x * (d - 1): the cell found for columns 1 and 2 shows which d was used.
    QTest::addColumn<QList<int>>("linien");
    QTest::addColumn<int>("links1");
    QTest::addColumn<int>("rechts1");
    QTest::addColumn<int>("links2");
    QTest::addColumn<int>("rechts2");
    QTest::newRow("2 lines: pitch 30") << QList<int>{70, 100, 120} << 70 << 100 << 100 << 120;
    QTest::newRow("3 lines: pitch 20") << QList<int>{60, 80, 100, 130} << 60 << 80 << 80 << 100;
    QTest::newRow("4 lines count as 3: pitch 20") << QList<int>{60, 70, 80, 90, 130} << 70 << 80 << 90 << 130;
    QTest::newRow("5 lines: pitch 12") << QList<int>{57, 62, 66, 70, 75, 130} << 62 << 66 << 75 << 130;
    QTest::newRow("6 lines: pitch 10") << QList<int>{56, 60, 62, 66, 70, 80, 130} << 62 << 66 << 70 << 80;
}

void TestLayout::spaltenabstand()
{
    QFETCH(QList<int>, linien);
    QFETCH(int, links1);
    QFETCH(int, rechts1);
    QFETCH(int, links2);
    QFETCH(int, rechts2);
    const QImage original = Gitterbild(140, 80, 10, 20, linien, {12, 32, 52});
    const Zelle erwartet[] = {{links1, 12, rechts1, 32}, {links2, 12, rechts2, 32}};
    for (int spalte : {1, 2}) {
        QImage bild = original;
        Zelle zelle;
        ZeigeEtikettenPosition(bild, Blau, spalte, 1, zelle);
        QCOMPARE(zelle, erwartet[spalte - 1]);
        const QList<QPoint> geaendert = Unterschiede(original, bild);
        QCOMPARE(geaendert.size(), Innen(zelle).width() * Innen(zelle).height());
        for (const QPoint &p : geaendert)
            QVERIFY(Innen(zelle).contains(p) && bild.pixel(p) == Blau);
    }
}

void TestLayout::markenUndZeilen()
{
    QImage bild = Standardgitter();
    // Row 0 is ignored and the lowest mark counts: top 10, pitch 20 as in the plain grid.
    bild.setPixel(0, 0, Grau);
    bild.setPixel(0, 3, Grau);
    bild.setPixel(0, 7, Silber);
    const QImage original = bild;
    Zelle zelle;
    ZeigeEtikettenPosition(bild, Blau, 1, 2, zelle);
    QCOMPARE(zelle, (Zelle{60, 32, 80, 52}));
    QCOMPARE(Unterschiede(original, bild).size(), 19 * 19);

    // Row 3 is below the grid: the search down passes the last line and finds nothing.
    bild = original;
    Zelle unveraendert{1, 2, 3, 4};
    ZeigeEtikettenPosition(bild, Blau, 1, 3, unveraendert);
    QCOMPARE(unveraendert, (Zelle{1, 2, 3, 4}));
    QCOMPARE(bild, original);
}

void TestLayout::weissLoeschtUndVerschiebt()
{
    const QImage original = Standardgitter();
    QImage bild = original;
    Zelle zelle;
    ZeigeEtikettenPosition(bild, Blau, 1, 1, zelle);
    ZeigeEtikettenPosition(bild, Weiss, 1, 1, zelle);
    QCOMPARE(bild, original);

    // Moved position: white leaves the old blue cell, paints the new one white.
    ZeigeEtikettenPosition(bild, Blau, 1, 1, zelle);
    const Zelle alt = zelle;
    const QRect neu = Innen({80, 12, 100, 32});
    for (int y = neu.top(); y <= neu.bottom(); ++y)
        for (int x = neu.left(); x <= neu.right(); ++x)
            bild.setPixel(x, y, qRgb(255, 255, 0));
    ZeigeEtikettenPosition(bild, Weiss, 2, 1, zelle);
    QCOMPARE(zelle, (Zelle{80, 12, 100, 32}));
    QCOMPARE(bild.pixel(Innen(alt).center()), Blau);
    QCOMPARE(Unterschiede(original, bild).size(), 19 * 19);

    // Blue elsewhere clears the blue of the cell marked last only.
    ZeigeEtikettenPosition(bild, Blau, 1, 2, zelle);
    QCOMPARE(bild.pixel(Innen(alt).center()), Blau);
    ZeigeEtikettenPosition(bild, Blau, 2, 2, zelle);
    QCOMPARE(bild.pixel(Innen({60, 32, 80, 52}).center()), Weiss);
    QCOMPARE(bild.pixel(Innen(zelle).center()), Blau);
    QCOMPARE(Unterschiede(original, bild).size(), 2 * 19 * 19);
}

void TestLayout::formate()
{
    // Marks and lines with alpha other than opaque still count: only red, green and blue matter.
    QImage argb = Standardgitter().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            argb.setPixel(x, y, (argb.pixel(x, y) & 0xFFFFFF) | 0x40000000);
    Zelle zelle;
    ZeigeEtikettenPosition(argb, Blau, 2, 1, zelle);
    QCOMPARE(zelle, (Zelle{80, 12, 100, 32}));
    QCOMPARE(argb.pixel(90, 20) & 0xFFFFFF, Blau & 0xFFFFFF);

    // A 24-bit picture is converted so it can take the colour.
    QImage rgb888 = Standardgitter().convertToFormat(QImage::Format_RGB888);
    zelle = {};
    ZeigeEtikettenPosition(rgb888, Blau, 2, 1, zelle);
    QCOMPARE(rgb888.format(), QImage::Format_RGB32);
    QCOMPARE(rgb888.pixel(90, 20), Blau);
}

void TestLayout::kaputteBilder_data()
{
    QTest::addColumn<QImage>("bild");
    QTest::addColumn<int>("spalte");
    QTest::addColumn<int>("zeile");

    QImage ohneMarken = Standardgitter();
    ohneMarken.setPixel(0, 10, Weiss);
    ohneMarken.setPixel(0, 20, Weiss);
    QImage grauUnten = Standardgitter();
    grauUnten.setPixel(0, 79, Grau);
    QImage schwarz(140, 80, QImage::Format_RGB32);
    schwarz.fill(Schwarz);
    schwarz.setPixel(0, 10, Grau);
    schwarz.setPixel(0, 20, Silber);
    QImage leeresGitter = Gitterbild(140, 80, 10, 20, {60, 80}, {12, 32});
    leeresGitter.fill(Weiss);
    leeresGitter.setPixel(0, 10, Grau);
    leeresGitter.setPixel(0, 20, Silber);

    QTest::newRow("no marks") << ohneMarken << 1 << 1;
    QTest::newRow("no grid") << leeresGitter << 1 << 1;
    QTest::newRow("grey in the last row") << grauUnten << 1 << 1;
    QTest::newRow("all black: pitch 0") << schwarz << 1 << 1;
    QImage untenOffen = Gitterbild(140, 60, 10, 20, {60, 80, 100, 130}, {12, 59});
    for (int x = 0; x < untenOffen.width(); ++x)
        untenOffen.setPixel(x, 59, Weiss);

    QTest::newRow("grid line in the last column") << Gitterbild(76, 40, 10, 20, {60, 65, 70, 75}, {12, 32}) << 1 << 1;
    QTest::newRow("cell open at the bottom") << untenOffen << 1 << 1;
    QTest::newRow("narrower than the grid start") << Gitterbild(50, 40, 10, 20, {45}, {12, 32}) << 1 << 1;
    QTest::newRow("seed right of the picture") << Standardgitter() << 5 << 1;
    QTest::newRow("seed below the picture") << Standardgitter() << 1 << 4;
    QTest::newRow("position 0 and negative") << Standardgitter() << 0 << -3;
    QTest::newRow("largest positions") << Standardgitter() << 32767 << 32767;
    QTest::newRow("no picture") << QImage() << 1 << 1;
}

void TestLayout::kaputteBilder()
{
    QFETCH(QImage, bild);
    QFETCH(int, spalte);
    QFETCH(int, zeile);
    const QImage original = bild;
    Zelle zelle;
    ZeigeEtikettenPosition(bild, Blau, spalte, zeile, zelle);
    QCOMPARE(zelle, Zelle{});
    QCOMPARE(bild, original);

    // An old cell from a bigger picture is cleared only where it overlaps this one.
    Zelle gross{1, 1, 5000, 5000};
    ZeigeEtikettenPosition(bild, Blau, spalte, zeile, gross);
    QCOMPARE(gross, (Zelle{1, 1, 5000, 5000}));
    QCOMPARE(bild, original);
}

void TestLayout::zufallsbilderBleibenImBild()
{
    // Noise pictures with marks at random rows: whatever the routine does, it may only turn
    // non-black pixels of the new cell into the colour, and pixels of the old cell that had
    // the colour into white.
    QRandomGenerator zufall(20240611);
    const QRgb farben[] = {Schwarz, Weiss, Grau, Silber, Blau};
    for (int runde = 0; runde < 3000; ++runde) {
        QImage bild(zufall.bounded(1, 150), zufall.bounded(1, 130), QImage::Format_RGB32);
        bild.fill(Weiss);
        const int dichte = zufall.bounded(2, 60);
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x)
                if (zufall.bounded(dichte) == 0)
                    bild.setPixel(x, y, farben[zufall.bounded(5)]);
        // Lines make cells likely.
        for (int i = zufall.bounded(8); i > 0; --i) {
            const int x = zufall.bounded(bild.width());
            for (int y = 0; y < bild.height(); ++y)
                bild.setPixel(x, y, Schwarz);
        }
        for (int i = zufall.bounded(8); i > 0; --i) {
            const int y = zufall.bounded(bild.height());
            for (int x = 0; x < bild.width(); ++x)
                bild.setPixel(x, y, Schwarz);
        }
        const QImage original = bild;
        const Zelle alt{zufall.bounded(-10, 160), zufall.bounded(-10, 140), zufall.bounded(-10, 300),
                        zufall.bounded(-10, 300)};
        const QRgb farbe = zufall.bounded(2) ? Blau : Weiss;
        Zelle zelle = alt;
        ZeigeEtikettenPosition(bild, farbe, zufall.bounded(-3, 12), zufall.bounded(-3, 30), zelle);

        QCOMPARE(bild.size(), original.size());
        const bool neueZelle = !(zelle == alt);
        if (neueZelle)
            QVERIFY(QRect(QPoint(0, 0), bild.size())
                        .contains(QRect(QPoint(zelle.Left, zelle.Top), QPoint(zelle.Right, zelle.Bottom))));
        for (const QPoint &p : Unterschiede(original, bild)) {
            QVERIFY(original.pixel(p) != Schwarz);
            const bool gefuellt = neueZelle && InZelle(zelle, p) && bild.pixel(p) == farbe;
            const bool geloescht =
                alt.Left > 0 && InZelle(alt, p) && original.pixel(p) == farbe && bild.pixel(p) == Weiss;
            if (!gefuellt && !geloescht)
                QFAIL(qPrintable(QStringLiteral("round %1: pixel %2,%3 changed").arg(runde).arg(p.x()).arg(p.y())));
        }
    }
}

void TestLayout::infobildDatei_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("datei");
    QTest::newRow("2 x 5 has a picture") << 2 << 5 << QStringLiteral("Info Etikette 2x5.bmp");
    QTest::newRow("5 x 2 has none") << 5 << 2 << QStringLiteral("Kein Bild.bmp");
    QTest::newRow("1 x 2 is listed") << 1 << 2 << QStringLiteral("Info Etikette 1x2.bmp");
    QTest::newRow("2 x 1 is not") << 2 << 1 << QStringLiteral("Kein Bild.bmp");
    QTest::newRow("last of the list") << 5 << 13 << QStringLiteral("Info Etikette 5x13.bmp");
    QTest::newRow("4 x 16") << 4 << 16 << QStringLiteral("Info Etikette 4x16.bmp");
}

void TestLayout::infobildDatei()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QTEST(InfobildDatei(x, y), "datei");

    const QList<QPair<int, int>> layouts = InfobildLayouts();
    QCOMPARE(layouts.size(), 14);
    QCOMPARE(layouts.first(), (qMakePair(1, 2)));
    QCOMPARE(layouts.last(), (qMakePair(5, 13)));
    const QSet<QPair<int, int>> verschieden(layouts.begin(), layouts.end());
    QCOMPARE(verschieden.size(), 14);
}

void TestLayout::jedeZelleMarkierbar_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QImage>("bild");
    QTest::addColumn<bool>("luecken"); // white gaps in the scan row, on cell borders
    const QDir ordner(Infoordner());
    for (const auto &[x, y] : InfobildLayouts()) {
        const QString datei = InfobildDatei(x, y);
        QTest::newRow(qPrintable(QStringLiteral("drawn ") + datei)) << x << y << ZeichneInfobild(x, y) << false;
        if (ordner.exists(datei))
            QTest::newRow(qPrintable(QStringLiteral("file ") + datei))
                << x << y << QImage(ordner.filePath(datei)) << false;
    }
    // Layouts of precise labels that have no file: the even grid where it fits, else the dense one,
    // up to the catalogue's densest sheets.
    const std::tuple<int, int, bool> ohneDatei[] = {{2, 7, false},  {6, 4, false},  {9, 10, true},
                                                    {13, 19, true}, {10, 27, true}, {7, 27, true},
                                                    {3, 32, true},  {4, 39, true},  {1, 48, true}};
    for (const auto &[x, y, luecken] : ohneDatei)
        QTest::newRow(qPrintable(QStringLiteral("drawn %1 x %2").arg(x).arg(y)))
            << x << y << ZeichneInfobild(x, y) << luecken;
}

void TestLayout::jedeZelleMarkierbar()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QImage, bild);
    QFETCH(bool, luecken);
    QCOMPARE(bild.size(), QSize(InfobildBreite, InfobildHoehe));
    const QImage original = bild.convertToFormat(QImage::Format_RGB32);
    QCOMPARE(original, ZeichneInfobild(x, y)); // saved without loss
    int zaehlzeile = -1;
    for (int r = 1; r < original.height(); ++r)
        if (original.pixel(0, r) == Grau)
            zaehlzeile = r + 5;
    const auto rand = [&](int i, int j) { return original.pixel(i, j) == Schwarz || (luecken && j == zaehlzeile); };

    QList<Zelle> zellen;
    for (int zeile = 1; zeile <= y; ++zeile) {
        for (int spalte = 1; spalte <= x; ++spalte) {
            QImage markiert = original;
            Zelle zelle;
            ZeigeEtikettenPosition(markiert, Blau, spalte, zeile, zelle);
            const QRect innen = Innen(zelle);
            QVERIFY2(!innen.isEmpty(), qPrintable(QStringLiteral("cell %1,%2 not found").arg(spalte).arg(zeile)));

            // Exactly the inside turns blue (and a gap in the border): it was white, its border is black all round.
            const QList<QPoint> geaendert = Unterschiede(original, markiert);
            int aufDemRand = 0;
            for (const QPoint &p : geaendert) {
                QVERIFY(InZelle(zelle, p) && original.pixel(p) == Weiss && markiert.pixel(p) == Blau);
                aufDemRand += !innen.contains(p);
            }
            QCOMPARE(geaendert.size() - aufDemRand, innen.width() * innen.height());
            for (int i = zelle.Left; i <= zelle.Right; ++i)
                QVERIFY(rand(i, zelle.Top) && rand(i, zelle.Bottom));
            for (int j = zelle.Top; j <= zelle.Bottom; ++j)
                QVERIFY(rand(zelle.Left, j) && rand(zelle.Right, j));

            ZeigeEtikettenPosition(markiert, Weiss, spalte, zeile, zelle);
            QCOMPARE(markiert, original);
            zellen.append(zelle);
        }
    }

    // The cells lie in the grid's order, each next to the one before.
    for (int zeile = 0; zeile < y; ++zeile) {
        for (int spalte = 0; spalte < x; ++spalte) {
            const Zelle &z = zellen[zeile * x + spalte];
            if (spalte > 0) {
                const Zelle &links = zellen[zeile * x + spalte - 1];
                QCOMPARE(z.Left, links.Right);
                QCOMPARE(z.Top, links.Top);
            }
            if (zeile > 0) {
                const Zelle &oben = zellen[(zeile - 1) * x + spalte];
                QCOMPARE(z.Top, oben.Bottom);
                QCOMPARE(z.Left, oben.Left);
            }
        }
    }
}

void TestLayout::keinBild()
{
    const QImage original = ZeichneKeinBild();
    QCOMPARE(original.size(), QSize(InfobildBreite, InfobildHoehe));
    // Beyond what a cell of one pixel can show, no grid is drawn.
    QVERIFY_THROWS_EXCEPTION(Fehler, ZeichneInfobild(42, 2));
    QVERIFY_THROWS_EXCEPTION(Fehler, ZeichneInfobild(2, 60));
    for (int zeile = 1; zeile <= 16; ++zeile) {
        for (int spalte = 1; spalte <= 5; ++spalte) {
            QImage bild = original;
            Zelle zelle;
            ZeigeEtikettenPosition(bild, Blau, spalte, zeile, zelle);
            QCOMPARE(zelle, Zelle{});
            QCOMPARE(bild, original);
        }
    }

    const QDir ordner(Infoordner());
    if (!ordner.exists())
        QSKIP("the layout pictures have not been generated");
    for (const auto &[x, y] : InfobildLayouts()) {
        const QString pfad = ordner.filePath(InfobildDatei(x, y));
        QCOMPARE(LiesBildGroesse(pfad), QSize(InfobildBreite, InfobildHoehe));
        QFile datei(pfad);
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QCOMPARE(qFromLittleEndian<quint16>(datei.read(30).constData() + 28), quint16(24)); // bits per pixel
    }
    QCOMPARE(QImage(ordner.filePath(InfobildDatei(0, 0))).convertToFormat(QImage::Format_RGB32), original);
}

void TestLayout::bogenFuellen_data()
{
    // Places by number in reading order; a count of 0 stands for none. The expected places of each label are
    // separated by "|".
    QTest::addColumn<int>("spalten");
    QTest::addColumn<int>("zeilen");
    QTest::addColumn<QList<int>>("verbraucht");
    QTest::addColumn<int>("abSpalte");
    QTest::addColumn<int>("abZeile");
    QTest::addColumn<QList<int>>("anzahlen");
    QTest::addColumn<QString>("plaetze");
    QTest::addColumn<QString>("fehler");
    QTest::newRow("ab 2,3 on 3 x 7: four red, five blue")
        << 3 << 7 << QList<int>{} << 2 << 3 << QList<int>{4, 5} << "8,9,10,11|12,13,14,15,16"
        << "";
    QTest::newRow("used places are skipped") << 3 << 7 << QList<int>{2, 3, 5} << 1 << 1 << QList<int>{3} << "1,4,6"
                                             << "";
    QTest::newRow("used places before the start do not count")
        << 2 << 5 << QList<int>{1, 2, 3, 9} << 2 << 4 << QList<int>{2} << "8,10"
        << "";
    QTest::newRow("without a count: the rest of the sheet")
        << 2 << 5 << QList<int>{} << 2 << 4 << QList<int>{0} << "8,9,10"
        << "";
    QTest::newRow("without a count: what the next label leaves")
        << 3 << 7 << QList<int>{} << 1 << 7 << QList<int>{0, 1} << "19,20|21"
        << "";
    QTest::newRow("more labels than places") << 3 << 7 << QList<int>{} << 1 << 7 << QList<int>{4} << ""
                                             << "Ab Spalte 1, Zeile 7 sind nur 3 Plätze frei.";
    QTest::newRow("used places are no free places") << 3 << 7 << QList<int>{20} << 1 << 7 << QList<int>{1, 2} << ""
                                                    << "Ab Spalte 1, Zeile 7 sind nur 2 Plätze frei.";
    QTest::newRow("a label without a count needs one place")
        << 3 << 7 << QList<int>{} << 3 << 7 << QList<int>{1, 0} << ""
        << "Ab Spalte 3, Zeile 7 ist nur 1 Platz frei.";
    QTest::newRow("nothing free") << 2 << 5 << QList<int>{9, 10} << 1 << 5 << QList<int>{1} << ""
                                  << "Ab Spalte 1, Zeile 5 ist kein Platz mehr frei.";
    QTest::newRow("two labels without a count")
        << 2 << 5 << QList<int>{} << 1 << 1 << QList<int>{0, 0} << ""
        << "Nur eine Etikette ohne Anzahl je Bogen: sie füllt, was die anderen frei lassen.";
    QTest::newRow("start beyond the sheet")
        << 2 << 5 << QList<int>{} << 3 << 1 << QList<int>{1} << ""
        << "Die Stelle Spalte 3, Zeile 1 liegt nicht auf dem Bogen: er hat 2 Etiketten in einer Zeile und 5 in "
           "einer Spalte.";
}

void TestLayout::bogenFuellen()
{
    QFETCH(int, spalten);
    QFETCH(int, zeilen);
    QFETCH(QList<int>, verbraucht);
    QFETCH(int, abSpalte);
    QFETCH(int, abZeile);
    QFETCH(QList<int>, anzahlen);
    QFETCH(QString, plaetze);
    QFETCH(QString, fehler);

    const Bogenmasse m{10, 7, 38, 66, 38, 63, spalten, zeilen};
    Belegung belegung(Platzanzahl(m), false);
    for (const int n : verbraucht)
        belegung[n - 1] = true;
    Anzahlen gewuenscht;
    for (const int a : anzahlen)
        gewuenscht.append(a > 0 ? std::optional<int>(a) : std::nullopt);

    const Fuellung f = FuelleBogen(m, belegung, {abSpalte, abZeile}, gewuenscht);
    QCOMPARE(f.fehler, fehler);
    QStringList jeEtikett(plaetze.isEmpty() ? 0 : anzahlen.size());
    for (const Planplatz &p : f.plan.plaetze) {
        QCOMPARE(PlatzMitNummer(m, Platznummer(m, p.platz)), p.platz);
        QString &liste = jeEtikett[p.etikett];
        liste += (liste.isEmpty() ? "" : ",") + QString::number(Platznummer(m, p.platz));
    }
    QCOMPARE(jeEtikett.join(QLatin1Char('|')), plaetze);
}

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
