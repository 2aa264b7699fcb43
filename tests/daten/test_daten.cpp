// The bundled data folder that the build writes: templates, the sample label and the help file.

#include "layout/infobild.h"
#include "layout/passung.h"
#include "storage/etikettenboegen.h"
#include "tools/vorlagen/vorlagen.h"

#include "platform/fehler.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>

#include <cmath>

namespace {

int Runde(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

int SollPixel(int mm)
{
    return Runde(mm * 120 / 25.4);
}

// The program's own fit check in both directions.
bool PasstInDieBreite(const Werkzeug::Einstellung &m)
{
    return PruefeHorizontal(m).passt;
}

bool PasstInDieHoehe(const Werkzeug::Einstellung &m)
{
    return PruefeVertikal(m).passt;
}

QByteArray ErwarteteEinstellungen(const Werkzeug::Einstellung &m)
{
    return QStringLiteral("[Einstellung]\r\nObererRand=%1\r\nSeitenRand=%2\r\nVertikalabstand=%3\r\n"
                          "Horizontalabstand=%4\r\nEtikettenhoehe=%5\r\nEtikettenbreite=%6\r\n"
                          "AnzahlEtikettenInZeile=%7\r\nAnzahlEtikettenInSpalte=%8\r\n")
        .arg(m.ObererRand)
        .arg(m.SeitenRand)
        .arg(m.Vertikalabstand)
        .arg(m.Horizontalabstand)
        .arg(m.Etikettenhoehe)
        .arg(m.Etikettenbreite)
        .arg(m.AnzahlEtikettenInZeile)
        .arg(m.AnzahlEtikettenInSpalte)
        .toLatin1();
}

struct Bitmapkopf
{
    bool gelesen = false;
    QByteArray signatur;
    quint32 kopfgroesse = 0;
    qint32 breite = 0;
    qint32 hoehe = 0;
    quint16 bits = 0;
    quint32 kompression = 0;
};

Bitmapkopf LiesBitmapkopf(const QString &pfad)
{
    Bitmapkopf k;
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return k;
    const QByteArray kopf = datei.read(54);
    if (kopf.size() < 54)
        return k;
    const auto *d = reinterpret_cast<const uchar *>(kopf.constData());
    k.gelesen = true;
    k.signatur = kopf.left(2);
    k.kopfgroesse = qFromLittleEndian<quint32>(d + 14);
    k.breite = qFromLittleEndian<qint32>(d + 18);
    k.hoehe = qFromLittleEndian<qint32>(d + 22);
    k.bits = qFromLittleEndian<quint16>(d + 28);
    k.kompression = qFromLittleEndian<quint32>(d + 30);
    return k;
}

QByteArray Dateiinhalt(const QString &pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

// Number of different colours, up to `grenze`: a drawn design has many, a blank picture one.
int Farbanzahl(const QImage &bild, int grenze)
{
    QSet<QRgb> farben;
    for (int y = 0; y < bild.height() && farben.size() < grenze; y += 2)
        for (int x = 0; x < bild.width() && farben.size() < grenze; x += 2)
            farben.insert(bild.pixel(x, y));
    return int(farben.size());
}

QString Programmordner()
{
    return qEnvironmentVariable("MORVANE_PROGRAMM_DIR");
}

} // namespace

class TestDaten : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void vorlagenPassenAufDenBogen_data();
    void vorlagenPassenAufDenBogen();
    void jedesLayoutGenauEinmal();
    void bildgroessen_data();
    void bildgroessen();
    void erzeugteVorlagen_data();
    void erzeugteVorlagen();
    void beispielEtikett();
    void hilfedatei();
    void etikettenboegen_data();
    void etikettenboegen();
};

void TestDaten::vorlagenPassenAufDenBogen_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(Vorlagen().size()); ++i)
        QTest::newRow(Vorlagen()[i].name) << i;
}

void TestDaten::vorlagenPassenAufDenBogen()
{
    QFETCH(int, index);
    const Vorlage &v = Vorlagen()[index];
    const Werkzeug::Einstellung &m = v.masse;

    QVERIFY(m.ObererRand >= 0 && m.SeitenRand >= 0);
    QVERIFY(m.Etikettenbreite >= 1 && m.Etikettenhoehe >= 1);
    QVERIFY(m.AnzahlEtikettenInZeile >= 1 && m.AnzahlEtikettenInSpalte >= 1);
    QVERIFY2(m.Horizontalabstand >= m.Etikettenbreite, "the horizontal pitch is at least the label width");
    QVERIFY2(m.Vertikalabstand >= m.Etikettenhoehe, "the vertical pitch is at least the label height");

    QVERIFY2(PasstInDieBreite(m), "the fit check rejects the count per row");
    QVERIFY2(PasstInDieHoehe(m), "the fit check rejects the count per column");

    // And the labels really lie on the sheet.
    QVERIFY(m.SeitenRand + (m.AnzahlEtikettenInZeile - 1) * m.Horizontalabstand + m.Etikettenbreite <= 210);
    QVERIFY(m.ObererRand + (m.AnzahlEtikettenInSpalte - 1) * m.Vertikalabstand + m.Etikettenhoehe <= 297);

    // The name tells the layout and the label size.
    const QString name = QString::fromLatin1(v.name);
    QVERIFY2(name.contains(QStringLiteral("_%1x%2_").arg(m.AnzahlEtikettenInZeile).arg(m.AnzahlEtikettenInSpalte)),
             v.name);
    QVERIFY2(name.endsWith(QStringLiteral("_%1x%2").arg(m.Etikettenbreite).arg(m.Etikettenhoehe)), v.name);
    QVERIFY2(QRegularExpression(QStringLiteral("^[A-Za-z]+_\\d+x\\d+_\\d+x\\d+$")).match(name).hasMatch(), v.name);
}

void TestDaten::jedesLayoutGenauEinmal()
{
    // One template for each layout that has a layout picture.
    const QList<QPair<int, int>> layouts = InfobildLayouts();
    QCOMPARE(int(Vorlagen().size()), int(layouts.size()));
    for (const auto &[x, y] : layouts) {
        int anzahl = 0;
        for (const Vorlage &v : Vorlagen())
            if (v.masse.AnzahlEtikettenInZeile == x && v.masse.AnzahlEtikettenInSpalte == y)
                ++anzahl;
        QVERIFY2(anzahl == 1, qPrintable(QStringLiteral("%1x%2: %3 Vorlagen").arg(x).arg(y).arg(anzahl)));
    }
    QSet<QString> namen;
    for (const Vorlage &v : Vorlagen())
        namen.insert(QString::fromLatin1(v.name).toLower());
    QCOMPARE(int(namen.size()), int(Vorlagen().size()));
}

void TestDaten::bildgroessen_data()
{
    vorlagenPassenAufDenBogen_data();
}

void TestDaten::bildgroessen()
{
    QFETCH(int, index);
    const Vorlage &v = Vorlagen()[index];
    const Werkzeug::Einstellung &m = v.masse;
    QSize groesse;
    try {
        groesse = Bildgroesse(v);
    } catch (const Fehler &f) {
        QFAIL(f.what());
    }

    QVERIFY2(qAbs(groesse.width() - SollPixel(m.Etikettenbreite)) <= 1, qPrintable(QString::number(groesse.width())));
    QVERIFY2(qAbs(groesse.height() - SollPixel(m.Etikettenhoehe)) <= 1, qPrintable(QString::number(groesse.height())));

    // The sheet raster of 991 x 1402 pixels, which the preview and the multi-label print are composed in, holds
    // the full layout: a row is the left margin plus the count times the scaled pitch, rows step by the picture
    // height plus one pixel.
    const double rx = double(groesse.width()) / m.Etikettenbreite;
    const int links = Runde(m.SeitenRand * rx);
    const int schritt = Runde(m.Horizontalabstand * rx);
    QVERIFY2(links + m.AnzahlEtikettenInZeile * schritt <= 991,
             qPrintable(QStringLiteral("row reaches %1").arg(links + m.AnzahlEtikettenInZeile * schritt)));
    const double ry = double(groesse.height()) / m.Etikettenhoehe;
    const int oben = Runde(m.ObererRand * ry);
    const int unten = oben + (m.AnzahlEtikettenInSpalte - 1) * (groesse.height() + 1) + groesse.height();
    QVERIFY2(unten <= 1402, qPrintable(QStringLiteral("last row ends at %1").arg(unten)));
}

void TestDaten::erzeugteVorlagen_data()
{
    vorlagenPassenAufDenBogen_data();
}

void TestDaten::erzeugteVorlagen()
{
    QFETCH(int, index);
    const QDir ordner(Programmordner() + QStringLiteral("/Morvane/Vorlagen"));
    if (Programmordner().isEmpty() || !ordner.exists())
        QSKIP("the templates folder has not been generated");
    const Vorlage &v = Vorlagen()[index];
    const QString name = QString::fromLatin1(v.name);

    const QString bildpfad = ordner.filePath(name + QStringLiteral(".bmp"));
    const Bitmapkopf kopf = LiesBitmapkopf(bildpfad);
    QVERIFY2(kopf.gelesen, qPrintable(bildpfad));
    QCOMPARE(kopf.signatur, QByteArray("BM"));
    QCOMPARE(kopf.kopfgroesse, 40u);
    QCOMPARE(kopf.bits, quint16(24));
    QCOMPARE(kopf.kompression, 0u);
    QVERIFY(qAbs(kopf.breite - SollPixel(v.masse.Etikettenbreite)) <= 1);
    QVERIFY(qAbs(kopf.hoehe - SollPixel(v.masse.Etikettenhoehe)) <= 1);
    QCOMPARE(QSize(kopf.breite, kopf.hoehe), Bildgroesse(v));

    const QImage bild(bildpfad);
    QCOMPARE(bild.size(), Bildgroesse(v));
    QVERIFY2(Farbanzahl(bild, 20) >= 20, "the picture shows a design");

    QCOMPARE(Dateiinhalt(ordner.filePath(name + QStringLiteral(".ini"))), ErwarteteEinstellungen(v.masse));
}

void TestDaten::beispielEtikett()
{
    const QDir ordner(Programmordner() + QStringLiteral("/Morvane"));
    const QString bildpfad = ordner.filePath(QStringLiteral("Visitenkarte_85x54.bmp"));
    if (Programmordner().isEmpty() || !QFile::exists(bildpfad))
        QSKIP("the sample label has not been generated");

    const Bitmapkopf kopf = LiesBitmapkopf(bildpfad);
    QVERIFY(kopf.gelesen);
    QCOMPARE(kopf.signatur, QByteArray("BM"));
    QCOMPARE(kopf.kopfgroesse, 40u);
    QCOMPARE(kopf.bits, quint16(24));
    QCOMPARE(kopf.breite, 401);
    QCOMPARE(kopf.hoehe, 255);
    QVERIFY(Farbanzahl(QImage(bildpfad), 20) >= 20);

    QCOMPARE(Dateiinhalt(ordner.filePath(QStringLiteral("Visitenkarte_85x54.ini"))),
             QByteArray("[Einstellung]\r\nObererRand=14\r\nSeitenRand=15\r\nVertikalabstand=54\r\n"
                        "Horizontalabstand=95\r\nEtikettenhoehe=54\r\nEtikettenbreite=85\r\n"
                        "AnzahlEtikettenInZeile=2\r\nAnzahlEtikettenInSpalte=5\r\n"));
}

void TestDaten::hilfedatei()
{
    const QString pfad = Programmordner() + QStringLiteral("/Morvane-Hilfe.pdf");
    if (Programmordner().isEmpty() || !QFile::exists(pfad))
        QSKIP("the help file has not been generated");
    QVERIFY(Dateiinhalt(pfad).startsWith("%PDF"));

#if MORVANE_LINUX_WERKZEUGE
    if (const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo")); !pdfinfo.isEmpty()) {
        QProcess info;
        info.start(pdfinfo, {pfad});
        QVERIFY(info.waitForFinished(30000));
        const QString ausgabe = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(ausgabe.contains(QStringLiteral("(A4)")), qPrintable(ausgabe));
    }

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess umwandlung;
    umwandlung.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pfad, QStringLiteral("-")});
    QVERIFY(umwandlung.waitForFinished(30000));
    QCOMPARE(umwandlung.exitCode(), 0);
    QString text = QString::fromUtf8(umwandlung.readAllStandardOutput());
    // Undo typographic ligatures and line breaks so that phrases can be searched for.
    text.replace(QChar(0xFB00), QStringLiteral("ff"))
        .replace(QChar(0xFB01), QStringLiteral("fi"))
        .replace(QChar(0xFB02), QStringLiteral("fl"))
        .replace(QChar(0xFB03), QStringLiteral("ffi"))
        .replace(QChar(0xFB04), QStringLiteral("ffl"));
    text = text.simplified();

    const char *stichworte[] = {"Öffnen...",
                                "Neu mit Hilfe einer Vorlage",
                                "Oberer Rand",
                                "Linker Rand",
                                "Horizontalabstand",
                                "Vertikalabstand",
                                "Breite",
                                "Höhe",
                                "Anz. in einer Zeile [x]",
                                "Anz. in einer Spalte [y]",
                                "Maße bearbeiten",
                                "Nur eine Etikette drucken",
                                "Mehrere Etiketten drucken",
                                "Ganze Seite",
                                "Nur die Zeile",
                                "[x] Spalte Nr.:",
                                "[y] In Zeile Nr.:",
                                "Drucken",
                                "passen NICHT horizontal",
                                "Etikett bearbeiten",
                                "Etikett neu laden",
                                "4,72 Pixel je Millimeter",
                                "Speichern",
                                "Registry-Einträge löschen",
                                "Drucker ausrichten..."};
    for (const char *wort : stichworte)
        QVERIFY2(text.contains(QString::fromUtf8(wort)), wort);
#endif
}

void TestDaten::etikettenboegen_data()
{
    // The makers' own data sheets: columns, rows, then in mm width, height, left and top margin, horizontal and
    // vertical pitch. The first row stands for the file as a whole.
    QTest::addColumn<QString>("produkt");
    QTest::addColumn<QList<double>>("angaben");
    QTest::newRow("ganze Datei") << QString() << QList<double>();
    QTest::newRow("Avery L7160") << "Avery L7160" << QList<double>{3, 7, 63.5, 38.1, 7.21, 15.15, 66.04, 38.1};
    QTest::newRow("Avery L7163") << "Avery L7163" << QList<double>{2, 7, 99.1, 38.1, 4.65, 15.15, 101.6, 38.1};
    QTest::newRow("Avery L7165") << "Avery L7165" << QList<double>{2, 4, 99.1, 67.7, 4.65, 13.1, 101.6, 67.7};
    QTest::newRow("Avery L7651") << "Avery L7651" << QList<double>{5, 13, 38.1, 21.2, 4.75, 10.7, 40.6, 21.2};
    QTest::newRow("Zweckform 3474") << "Zweckform 3474" << QList<double>{3, 8, 70, 37, 0, 0.5, 70, 37};
    QTest::newRow("Zweckform 3651") << "Zweckform 3651" << QList<double>{4, 10, 52.5, 29.7, 0, 0, 52.5, 29.7};
    QTest::newRow("Zweckform 3659") << "Zweckform 3659" << QList<double>{2, 6, 97, 42.3, 8, 21.6, 97, 42.3};
    QTest::newRow("Zweckform 3669") << "Zweckform 3669" << QList<double>{3, 5, 70, 50.8, 0, 21.5, 70, 50.8};
}

void TestDaten::etikettenboegen()
{
    QFETCH(QString, produkt);
    QFETCH(QList<double>, angaben);
    if (Programmordner().isEmpty())
        QSKIP("no program folder given");
    const QString pfad = Programmordner() + QStringLiteral("/Morvane/Vorlagen/") + EtikettenboegenDatei;
    const Bogenkatalog katalog = LiesEtikettenboegen(pfad);
    QCOMPARE(katalog.uebergangen, QStringList());

    // Written exactly as each sheet is written back: the header, ", " between numbers, "." decimals.
    QString erwartet = EtikettenboegenKopf + QLatin1Char('\n');
    QSet<QString> produkte;
    QSet<Etikettenform> formen;
    const Etikettenbogen *gesucht = nullptr;
    for (const Etikettenbogen &b : katalog.boegen) {
        erwartet += BogenZeile(b) + QLatin1Char('\n');
        formen.insert(b.form);
        for (const QString &n : b.nummern) {
            const QString name = b.hersteller + QLatin1Char(' ') + n;
            QVERIFY2(!produkte.contains(name), qPrintable(QStringLiteral("zweimal: ") + name));
            produkte.insert(name);
            if (name == produkt)
                gesucht = &b;
        }
    }
    if (produkt.isEmpty()) {
        QCOMPARE(QString::fromUtf8(Dateiinhalt(pfad)), erwartet);
        QVERIFY2(produkte.size() >= 500, qPrintable(QString::number(produkte.size())));
        QCOMPARE(formen.size(), 3);
        return;
    }

    QVERIFY2(gesucht, "not in the catalogue");
    QCOMPARE(gesucht->form, Etikettenform::Rechteck);
    const double ist[] = {double(gesucht->spalten),
                          double(gesucht->zeilen),
                          gesucht->breite / 100.0,
                          gesucht->hoehe / 100.0,
                          gesucht->linkerRand / 100.0,
                          gesucht->obererRand / 100.0,
                          gesucht->horizontalabstand / 100.0,
                          gesucht->vertikalabstand / 100.0};
    for (int i = 0; i < 8; ++i)
        QVERIFY2(qAbs(ist[i] - angaben[i]) <= 0.05,
                 qPrintable(QStringLiteral("%1: %2 statt %3")
                                .arg(EtikettenboegenKopf.split(QLatin1Char(';'))[3 + i])
                                .arg(ist[i])
                                .arg(angaben[i])));
}

QTEST_MAIN(TestDaten)
#include "test_daten.moc"
