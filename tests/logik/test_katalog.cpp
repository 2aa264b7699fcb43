// The catalogue of label sheets: its lines and their cross-check, the entry text, the search and the sheet picture.

#include "probeboegen.h"

#include "blatt/blatt.h"
#include "platform/fehler.h"
#include "render/bogenbild.h"
#include "storage/bogensuche.h"
#include "storage/etikettenboegen.h"

#include <QTemporaryDir>
#include <QTest>

class TestKatalog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void zeile_data();
    void zeile();
    void katalogdatei();
    void zeichensatz_data();
    void zeichensatz();
    void eintrag_data();
    void eintrag();
    void suche_data();
    void suche();
    void bogenbild_data();
    void bogenbild();
    void neuesEtikett_data();
    void neuesEtikett();
};

void TestKatalog::zeile_data()
{
    QTest::addColumn<QString>("zeile");
    QTest::addColumn<QString>("fehler"); // a part of the reason, empty for a valid line

    QTest::newRow("gültig, mit Brüchen") << ProbeboegenZeilen[1] << QString();
    QTest::newRow("rechts 0,01 mm über A4") << "X;1;Rechteck;3;1;70;37;0.01;0;70;37"
                                            << "rechts über das A4-Blatt hinaus (bis 210.01 mm)";
    QTest::newRow("unten 0,01 mm über A4") << "X;1;Rechteck;1;8;70;37;0;1.01;70;37"
                                           << "unten über das A4-Blatt hinaus (bis 297.01 mm)";
    QTest::newRow("überlappen in der Zeile") << "X;1;Rechteck;3;1;70;37;0;0;69.99;37"
                                             << "Horizontalabstand ist kleiner als die Breite";
    QTest::newRow("überlappen in der Spalte") << "X;1;Rechteck;1;2;70;37;0;0;70;36.99"
                                              << "Vertikalabstand ist kleiner als die Höhe";
    QTest::newRow("Breite 0") << "X;1;Rechteck;1;1;0;37;0;0;70;37"
                              << "größer als 0";
    QTest::newRow("drei Nachkommastellen") << "X;1;Rechteck;1;1;63.505;37;0;0;70;37"
                                           << "keine Länge";
    QTest::newRow("unbekannte Form") << "X;1;Dreieck;1;1;63;37;0;0;70;37"
                                     << "unbekannte Form";
    QTest::newRow("ein Feld zu wenig") << "X;1;Rechteck;1;1;63;37;0;0;70"
                                       << "10 statt 11 Felder";
    QTest::newRow("leere Nummer in der Liste") << "X;3474, ;Rechteck;1;1;63;37;0;0;70;37"
                                               << "leere Nummer";
    QTest::newRow("999 Etiketten von 0,01 mm") << "X;1;Rechteck;1;999;70;0.01;0;0;70;0.01"
                                               << "unter 1 mm";
}

void TestKatalog::zeile()
{
    QFETCH(QString, zeile);
    QFETCH(QString, fehler);
    QString grund;
    const std::optional<Etikettenbogen> bogen = BogenAusFeldern(zeile.split(QLatin1Char(';')), &grund);
    if (fehler.isEmpty()) {
        QVERIFY2(bogen, qPrintable(grund));
        QCOMPARE(BogenZeile(*bogen), zeile);
        QCOMPARE(BogenFehler(*bogen), QString());
    } else {
        QVERIFY(!bogen);
        QVERIFY2(grund.contains(fehler), qPrintable(grund));
    }
}

void TestKatalog::katalogdatei()
{
    // A byte-order mark, CRLF line ends and an empty line are taken in stride; a bad line costs only itself.
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(EtikettenboegenDatei);
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write("\xEF\xBB\xBF" + EtikettenboegenKopf.toUtf8() + "\r\n" + ProbeboegenZeilen[0].toUtf8()
                + "\r\n\r\nX;1;Rechteck;3;1;71;37;0;0;71;37\r\n" + ProbeboegenZeilen[1].toUtf8());
    datei.close();
    const Bogenkatalog katalog = LiesEtikettenboegen(pfad);
    QCOMPARE(katalog.boegen, Probeboegen().mid(0, 2));
    QCOMPARE(katalog.uebergangen,
             QStringList{"Zeile 4: Die Etiketten reichen rechts über das A4-Blatt hinaus (bis 213 mm)."});

    QVERIFY(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
    datei.write("Hersteller;Nummern\n" + ProbeboegenZeilen[0].toUtf8());
    datei.close();
    QVERIFY_THROWS_EXCEPTION(Fehler, LiesEtikettenboegen(pfad));
    QVERIFY_THROWS_EXCEPTION(Fehler, LiesEtikettenboegen(ordner.filePath(QStringLiteral("fehlt.csv"))));

    // Edited on Windows: not UTF-8, so Windows-1252; every bad line is counted, the message names the first.
    QVERIFY(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
    datei.write(EtikettenboegenKopf.toUtf8() + "\n" + ProbeboegenZeilen[2].toUtf8()
                + "\nM\xFCller \x80;1;Rechteck;3\nM\xFCller;1;Rechteck;drei;8;70;37;0;0;70;37\n"
                  "M\xFCller;2;Rechteck;0;8;70;37;0;0;70;37\nM\xFCller;3;Rechteck;10000;8;70;37;0;0;70;37\n"
                  "M\xFCller;4;Rechteck;3;8;70;37;0;0.5;70;37\n");
    datei.close();
    const Bogenkatalog beschaedigt = LiesEtikettenboegen(pfad);
    QCOMPARE(beschaedigt.boegen.size(), 2);
    QCOMPARE(BogenName(beschaedigt.boegen[1]), QStringLiteral("Müller 4"));
    QCOMPARE(beschaedigt.anzahlUebergangen, 4);
    QCOMPARE(UebersprungenText(beschaedigt, QStringLiteral("K.csv")),
             QStringLiteral("4 Zeilen der Datei K.csv wurden übersprungen:\n") + beschaedigt.uebergangen.join(u'\n'));
    QCOMPARE(beschaedigt.uebergangen.size(), 4);
    QVERIFY(beschaedigt.uebergangen[0].startsWith(QStringLiteral("Zeile 3: 4 statt 11 Felder")));
    QVERIFY(beschaedigt.uebergangen[1].startsWith(QStringLiteral("Zeile 4: Spalten \"drei\"")));
    QCOMPARE(UebersprungenText(katalog, QStringLiteral("K.csv")),
             QStringLiteral("1 Zeile der Datei K.csv wurde übersprungen: Zeile 4: Die Etiketten reichen rechts über "
                            "das A4-Blatt hinaus (bis 213 mm)."));
}

// A line pasted from a file of the other kind reads as it was written.
void TestKatalog::zeichensatz_data()
{
    QTest::addColumn<QByteArray>("anfang");
    QTest::newRow("eine Windows-1252-Zeile zwischen UTF-8-Zeilen") << QByteArray();
    QTest::newRow("mit Byte-Order-Mark") << QByteArray("\xEF\xBB\xBF");
}

void TestKatalog::zeichensatz()
{
    QFETCH(QByteArray, anfang);
    const QByteArray utf8 = "M\xC3\xBCller & S\xC3\xB6hne;1;Rechteck;3;8;70;37;0;0.5;70;37\r\n";
    QTemporaryDir ordner;
    QFile datei(ordner.filePath(EtikettenboegenDatei));
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write(anfang + EtikettenboegenKopf.toUtf8() + "\r\n" + utf8
                + "Gr\xFCn \x80;2;Rechteck;3;8;70;37;0;0.5;70;37\r\n" + utf8);
    datei.close();
    QStringList hersteller;
    for (const Etikettenbogen &b : LiesEtikettenboegen(datei.fileName()).boegen)
        hersteller << b.hersteller;
    QCOMPARE(hersteller, (QStringList{"Müller & Söhne", "Grün €", "Müller & Söhne"}));
}

void TestKatalog::eintrag_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("ganze Millimeter, zwei Nummern") << 0 << "Zweckform 3474, 3490 - 24 Etiketten 70 x 37 mm (3 x 8)";
    QTest::newRow("Brüche mit Dezimalkomma") << 1 << "Avery L7160, J8160 - 21 Etiketten 63,5 x 38,1 mm (3 x 7)";
    QTest::newRow("rund") << 3 << "Endisch 6500040x - 24 runde Etiketten 40 x 40 mm (4 x 6)";
    QTest::newRow("ein Etikett") << 5 << "Zweckform 3478 - 1 Etikett 210 x 297 mm (1 x 1)";
}

void TestKatalog::eintrag()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QCOMPARE(Eintragstext(Probeboegen()[index]), text);
}

void TestKatalog::suche_data()
{
    QTest::addColumn<QString>("suche");
    QTest::addColumn<QStringList>("treffer");

    const QString z3474 = QStringLiteral("Zweckform 3474, 3490");
    const QString avery = QStringLiteral("Avery L7160, J8160");
    const QString herma = QStringLiteral("Herma 4360");
    const QString endisch = QStringLiteral("Endisch 6500040x");
    const QString sigel = QStringLiteral("Sigel LA 505");
    const QString z3478 = QStringLiteral("Zweckform 3478");

    QTest::newRow("leer zeigt alle") << "  " << QStringList{z3474, avery, herma, endisch, sigel, z3478};
    // Avery and Zweckform are one maker under two names; the name typed comes first.
    QTest::newRow("Hersteller, klein geschrieben") << "zweckform" << QStringList{z3474, z3478, avery};
    QTest::newRow("avery schließt Zweckform ein") << "avery" << QStringList{avery, z3474, z3478};
    QTest::newRow("wie auf der Schachtel") << "Avery Zweckform 3490" << QStringList{z3474};
    QTest::newRow("Nummer ohne Vorsilbe") << "7160" << QStringList{avery};
    QTest::newRow("Nummer ohne Leerzeichen") << "la505" << QStringList{sigel};
    QTest::newRow("gerundet auf ganze mm") << "64x38" << QStringList{avery};
    QTest::newRow("gedreht") << "38,1x63,5" << QStringList{avery};
    QTest::newRow("gedreht, ganze mm") << "37 x 70 mm" << QStringList{z3474, herma};
    QTest::newRow("Anzahl vor Teil einer Nummer") << "1" << QStringList{z3478, avery};
    QTest::newRow("Anzahl 21") << "21" << QStringList{avery, herma};
    QTest::newRow("Teil einer Nummer") << "816" << QStringList{avery};
    QTest::newRow("Nummer mit Leerzeichen") << "LA 505" << QStringList{sigel};
    QTest::newRow("Größe 70x37") << "70x37" << QStringList{z3474, herma};
    QTest::newRow("Größe mit Malzeichen") << "70 × 37" << QStringList{z3474, herma};
    QTest::newRow("Größe mit mm") << "70 X 37 mm" << QStringList{z3474, herma};
    QTest::newRow("Größe mit Dezimalkomma") << "63,5x38,1" << QStringList{avery};
    QTest::newRow("ganze Zahlen treffen Brüche") << "63x38" << QStringList{avery};
    QTest::newRow("ein Zehntel daneben") << "63,4x38,1" << QStringList();
    QTest::newRow("Aufteilung 3x8") << "3x8" << QStringList{z3474};
    QTest::newRow("Aufteilung 3 x 7") << "3 x 7" << QStringList{avery, herma};
    QTest::newRow("während des Tippens: 70 x") << "70 x" << QStringList{z3474, herma};
    QTest::newRow("Anzahl 24") << "24" << QStringList{z3474, endisch};
    QTest::newRow("alle Wörter müssen passen") << "zweckform 24" << QStringList{z3474};
    QTest::newRow("Form rund") << "Rund" << QStringList{endisch};
}

void TestKatalog::suche()
{
    QFETCH(QString, suche);
    QFETCH(QStringList, treffer);
    const QList<Etikettenbogen> boegen = Probeboegen();
    QList<Suchschluessel> schluessel;
    QStringList passend;
    for (const Etikettenbogen &b : boegen) {
        schluessel << SuchschluesselFuer(b);
        if (BogenPasst(b, suche))
            passend << BogenName(b);
    }
    QStringList gefunden;
    for (int i : SucheBoegen(boegen, schluessel, suche))
        gefunden << BogenName(boegen[i]);
    QCOMPARE(gefunden, treffer);
    // Best first; which sheets match does not depend on the order.
    passend.sort();
    gefunden.sort();
    QCOMPARE(passend, gefunden);
}

void TestKatalog::bogenbild_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("rund");
    QTest::newRow("Rechtecke mit Lücke") << 1 << false;
    QTest::newRow("Kreise") << 3 << true;
    QTest::newRow("Ellipsen") << 4 << true;
}

void TestKatalog::bogenbild()
{
    QFETCH(int, index);
    QFETCH(bool, rund);
    const Etikettenbogen b = Probeboegen()[index];
    constexpr int proMm = 2;
    const QImage bild = ZeichneBogenbild(b, A4::HoeheMm * proMm);
    QCOMPARE(bild.size(), QSize(A4::BreiteMm * proMm, A4::HoeheMm * proMm));
    const auto farbe = [&](double xMm, double yMm) { return bild.pixelColor(int(xMm * proMm), int(yMm * proMm)); };

    const Bogenmasse &m = b.masse;
    for (int zeile = 1; zeile <= m.AnzahlEtikettenInSpalte; ++zeile) {
        for (int spalte = 1; spalte <= m.AnzahlEtikettenInZeile; ++spalte) {
            const MmRechteck r = EtikettAufDemBlatt(m, spalte, zeile);
            QCOMPARE(farbe(r.x + r.breite / 2, r.y + r.hoehe / 2), BogenbildEtikett);
            // Just inside a corner of the label's box: label for a rectangle, paper beside an ellipse.
            QCOMPARE(farbe(r.x + 2, r.y + 2), rund ? BogenbildPapier : BogenbildEtikett);
            // The middle of the gap to the next label, and of the left margin.
            const double luecke =
                (m.Hundertstel(&Bogenmasse::Horizontalabstand) - m.Hundertstel(&Bogenmasse::Etikettenbreite)) / 100.0;
            if (spalte < m.AnzahlEtikettenInZeile)
                QCOMPARE(farbe(r.x + r.breite + luecke / 2, r.y + r.hoehe / 2), BogenbildPapier);
            QCOMPARE(farbe(m.Hundertstel(&Bogenmasse::SeitenRand) / 200.0, r.y + r.hoehe / 2), BogenbildPapier);
        }
    }
}

// A new label for a sheet: its offered name, its picture at 300 dpi with the edge drawn, its measures exact.
void TestKatalog::neuesEtikett_data()
{
    QTest::addColumn<QString>("zeile");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("groesse");
    QTest::addColumn<bool>("rund");
    QTest::addColumn<QString>("suche"); // the name follows the number searched for
    QTest::newRow("ganze Maße, erste von zwei Nummern")
        << ProbeboegenZeilen[0] << "Zweckform_3474.bmp" << QSize(827, 437) << false << "70x37";
    QTest::newRow("gesucht: die zweite Nummer")
        << ProbeboegenZeilen[0] << "Zweckform_3490.bmp" << QSize(827, 437) << false << "Avery Zweckform 3490";
    QTest::newRow("Bruchteile") << ProbeboegenZeilen[1] << "Avery_L7160.bmp" << QSize(750, 450) << false << "";
    QTest::newRow("gesucht ohne Vorsilbe")
        << ProbeboegenZeilen[1] << "Avery_J8160.bmp" << QSize(750, 450) << false << "8160";
    QTest::newRow("rund, Nummer mit Endung x")
        << ProbeboegenZeilen[3] << "Endisch_6500040x.bmp" << QSize(472, 472) << true << "";
    QTest::newRow("oval, Leerzeichen in der Nummer")
        << ProbeboegenZeilen[4] << "Sigel_LA_505.bmp" << QSize(945, 555) << true << "";
    QTest::newRow("Zeichen, die kein Dateiname verträgt")
        << "Data Becker;A4/24 (Box)?;Rechteck;1;1;210;297;0;0;210;297"
        << "Data_Becker_A4_24_Box.bmp" << QSize(2480, 3508) << false << "";
}

void TestKatalog::neuesEtikett()
{
    QFETCH(QString, zeile);
    QFETCH(QString, name);
    QFETCH(QSize, groesse);
    QFETCH(bool, rund);
    QFETCH(QString, suche);
    const std::optional<Etikettenbogen> b = BogenAusFeldern(zeile.split(QLatin1Char(';')));
    QVERIFY(b);
    QCOMPARE(NamensVorschlag(MitGesuchterNummer(*b, suche)), name);

    const QImage bild = ZeichneLeeresEtikett(*b);
    QCOMPARE(bild.size(), groesse);
    QCOMPARE(bild.dotsPerMeterX(), 11811);
    const int w = bild.width(), h = bild.height();
    QCOMPARE(bild.pixelColor(w / 2, h / 2), QColor(Qt::white));
    // The middle of each side is on the edge; a corner is on it only for a rectangle.
    for (const QPoint &rand : {QPoint(w / 2, 0), QPoint(w / 2, h - 1), QPoint(0, h / 2), QPoint(w - 1, h / 2)})
        QVERIFY2(qGray(bild.pixel(rand)) < 230, qPrintable(QStringLiteral("%1,%2").arg(rand.x()).arg(rand.y())));
    QCOMPARE(bild.pixelColor(0, 0), rund ? QColor(Qt::white) : EtikettKontur);
    // The outline is some 0.3 mm wide, so that the view at screen size still shows it.
    QVERIFY(qGray(bild.pixel(EtikettKonturPixel - 2, h / 2)) < 230);
    QCOMPARE(bild.pixelColor(EtikettKonturPixel + 2, h / 2), QColor(Qt::white));

    const Bogenmasse &m = b->masse;
    // Precise in whole millimetres too: ordinary, the 300 dpi picture would print two and a half times its size.
    QVERIFY(m.IstGenau());
    // Each column of the line in its measure: Spalten, Zeilen, Breite, Hoehe, LinkerRand, ObererRand, Horizontal-
    // and Vertikalabstand.
    const QStringList f = zeile.split(QLatin1Char(';'));
    const auto l = [&f](int i) { return int(HundertstelAusText(f[i], QLatin1Char('.')).value_or(-1)); };
    QCOMPARE(GenaueLaengen(m), (Laengen{l(8), l(7), l(10), l(9), l(6), l(5)}));
    QCOMPARE(m.AnzahlEtikettenInZeile, f[3].toInt());
    QCOMPARE(m.AnzahlEtikettenInSpalte, f[4].toInt());
}

QTEST_MAIN(TestKatalog)
#include "test_katalog.moc"
