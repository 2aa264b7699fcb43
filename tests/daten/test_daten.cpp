// The bundled data folder that the build writes: templates, the sample label and the help file.

#include "layout/infobild.h"
#include "layout/passung.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "storage/etikettenboegen.h"
#include "tools/vorlagen/vorlagen.h"


#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>

#include <algorithm>

namespace {

// The program's own fit check in both directions.
bool PasstInDieBreite(const Werkzeug::Einstellung &m)
{
    return PruefeHorizontal(m).passt;
}

bool PasstInDieHoehe(const Werkzeug::Einstellung &m)
{
    return PruefeVertikal(m).passt;
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
    quint32 punkteProMeter = 0;
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
    k.punkteProMeter = qFromLittleEndian<quint32>(d + 38);
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
    void vorlagen_data();
    void vorlagen();
    void jedesLayoutGenauEinmal();
    void beispielEtikett();
    void hilfedatei();
    void etikettenboegen_data();
    void etikettenboegen();
};

void TestDaten::vorlagen_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(Vorlagen().size()); ++i)
        QTest::newRow(Vorlagen()[i].name) << i;
}

// Each template is a precise label with its product's measures from the catalogue, that the fit check takes, named
// after its use, layout and exact size, with a 300 dpi picture.
void TestDaten::vorlagen()
{
    QFETCH(int, index);
    const Vorlage &v = Vorlagen()[index];
    const Werkzeug::Einstellung m = Masse(v);
    QVERIFY(m.IstGenau());
    QVERIFY2(PasstInDieBreite(m), "the fit check rejects the count per row");
    QVERIFY2(PasstInDieHoehe(m), "the fit check rejects the count per column");
    QCOMPARE(BogenFehler(v.bogen), QString());

    const QString name = QString::fromLatin1(v.name);
    QCOMPARE(name.section(u'_', 1),
             QStringLiteral("%1x%2_%3x%4")
                 .arg(m.AnzahlEtikettenInZeile)
                 .arg(m.AnzahlEtikettenInSpalte)
                 .arg(HundertstelText(m.Hundertstel(&Bogenmasse::Etikettenbreite), QLatin1Char(',')),
                      HundertstelText(m.Hundertstel(&Bogenmasse::Etikettenhoehe), QLatin1Char(','))));
    QVERIFY2(QRegularExpression(QStringLiteral("^[A-Za-z]+_\\d+x\\d+_[\\d,]+x[\\d,]+$")).match(name).hasMatch(), v.name);

    if (Programmordner().isEmpty())
        QSKIP("no program folder given");
    if (!v.bogen.hersteller.isEmpty()) {
        const Bogenkatalog katalog =
            LiesEtikettenboegen(Programmordner() + QStringLiteral("/Morvane/Vorlagen/") + EtikettenboegenDatei);
        const auto produkt = std::ranges::find_if(katalog.boegen, [&](const Etikettenbogen &b) {
            return b.hersteller == v.bogen.hersteller && b.nummern.contains(v.bogen.nummern.value(0));
        });
        QVERIFY2(produkt != katalog.boegen.end(), "the product is not in the catalogue");
        Etikettenbogen ohneNamen = *produkt;
        ohneNamen.nummern = v.bogen.nummern;
        QCOMPARE(ohneNamen, v.bogen);
    }

    const QDir ordner(Programmordner() + QStringLiteral("/Morvane/Vorlagen"));
    const QString bildpfad = ordner.filePath(name + QStringLiteral(".bmp"));
    const Bitmapkopf kopf = LiesBitmapkopf(bildpfad);
    QVERIFY2(kopf.gelesen, qPrintable(bildpfad));
    QCOMPARE(kopf.signatur, QByteArray("BM"));
    QCOMPARE(kopf.kopfgroesse, 40u);
    QVERIFY(kopf.bits == 8 || kopf.bits == 24);
    QCOMPARE(kopf.kompression, 0u);
    QCOMPARE(kopf.punkteProMeter, 11811u);
    // 300 dpi for the exact size, to the nearest pixel.
    QVERIFY(qAbs(kopf.breite - m.Hundertstel(&Bogenmasse::Etikettenbreite) * 300 / 2540.0) <= 0.5);
    QVERIFY(qAbs(kopf.hoehe - m.Hundertstel(&Bogenmasse::Etikettenhoehe) * 300 / 2540.0) <= 0.5);
    QVERIFY2(Farbanzahl(QImage(bildpfad), 20) >= 20, "the picture shows a design");

    const QString einstellungen = ordner.filePath(name + QStringLiteral(".ini"));
    QCOMPARE(Dateiinhalt(einstellungen), EtikettdateiInhalt({m}));
    QCOMPARE(LiesEtikettdatei(einstellungen, Anfangsmasse).inhalt.masse, m);
}

void TestDaten::jedesLayoutGenauEinmal()
{
    // One template for each layout that has a layout picture.
    const QList<QPair<int, int>> layouts = InfobildLayouts();
    QCOMPARE(int(Vorlagen().size()), int(layouts.size()));
    for (const auto &[x, y] : layouts) {
        int anzahl = 0;
        for (const Vorlage &v : Vorlagen())
            if (v.bogen.masse.AnzahlEtikettenInZeile == x && v.bogen.masse.AnzahlEtikettenInSpalte == y)
                ++anzahl;
        QVERIFY2(anzahl == 1, qPrintable(QStringLiteral("%1x%2: %3 Vorlagen").arg(x).arg(y).arg(anzahl)));
    }
    QSet<QString> namen;
    for (const Vorlage &v : Vorlagen())
        namen.insert(QString::fromLatin1(v.name).toLower());
    QCOMPARE(int(namen.size()), int(Vorlagen().size()));
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
                                "Drucker ausrichten...",
                                "Bogen zusammenstellen...",
                                "alle Etiketten desselben Bogens teilen sich seine verbrauchten Plätze",
                                "Neuer Bogen"};
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
    const Bogenmasse &m = gesucht->masse;
    const auto mm = [&m](Massfeld feld) { return m.Hundertstel(feld) / 100.0; };
    const double ist[] = {double(m.AnzahlEtikettenInZeile),   double(m.AnzahlEtikettenInSpalte),
                          mm(&Bogenmasse::Etikettenbreite),   mm(&Bogenmasse::Etikettenhoehe),
                          mm(&Bogenmasse::SeitenRand),        mm(&Bogenmasse::ObererRand),
                          mm(&Bogenmasse::Horizontalabstand), mm(&Bogenmasse::Vertikalabstand)};
    for (int i = 0; i < 8; ++i)
        QVERIFY2(qAbs(ist[i] - angaben[i]) <= 0.05,
                 qPrintable(QStringLiteral("%1: %2 statt %3")
                                .arg(EtikettenboegenKopf.split(QLatin1Char(';'))[3 + i])
                                .arg(ist[i])
                                .arg(angaben[i])));
}

QTEST_MAIN(TestDaten)
#include "test_daten.moc"
