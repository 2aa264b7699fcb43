#include "bitmaps.h"
// The command line of morvane-druck and the label it accepts, without a printer.
#include "cli/aufruf.h"
#include "cli/etikett.h"
#include "storage/etikettdatei.h"
#include "layout/passung.h"
#include "platform/fehler.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(Druckbefehl)
Q_DECLARE_METATYPE(Seitenwahl)
Q_DECLARE_METATYPE(Bogenmasse)

namespace {

Druckbefehl Auftrag(Seitenwahl wahl = {}, QString pdf = {}, QString drucker = {}, int kopien = 1)
{
    return {QStringLiteral("karte.bmp"), pdf, drucker, wahl, kopien};
}

} // namespace

class TestAufruf : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A label picture of 401 x 255 pixels with the given settings file beside it (none when null).
    QString Etikett(const QString &name, const QByteArray &einstellungen)
    {
        const QString pfad = m_dir.filePath(name + QStringLiteral(".bmp"));
        QImage bild(401, 255, QImage::Format_RGB32);
        bild.fill(Qt::yellow);
        bild.save(pfad, "BMP");
        DatiereZurueck(pfad);
        if (!einstellungen.isNull()) {
            QFile f(m_dir.filePath(name + QStringLiteral(".ini")));
            f.open(QIODevice::WriteOnly);
            f.write(einstellungen);
        }
        return pfad;
    }

private Q_SLOTS:
    void gueltigerAufruf_data()
    {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<Druckbefehl>("erwartet");
        const Seitenwahl eins{Druckumfang::EineEtikette, 1, 1};
        QTest::newRow("the label alone: one label at 1,1 on the default printer")
            << QStringList{"karte.bmp"} << Auftrag(eins);
        QTest::newRow("one label at column 2, row 3, to a PDF")
            << QStringList{"--einzeln", "2,3", "--pdf", "aus.pdf", "karte.bmp"}
            << Auftrag({Druckumfang::EineEtikette, 2, 3}, "aus.pdf");
        QTest::newRow("row 4 on a printer, options after the label")
            << QStringList{"karte.bmp", "--zeile", "4", "--drucker", "Büro"}
            << Auftrag({Druckumfang::EineZeile, 1, 4}, {}, "Büro");
        QTest::newRow("whole page, 3 copies, values after =")
            << QStringList{"--seite", "--kopien=3", "--drucker=Labor 2", "karte.bmp"}
            << Auftrag({Druckumfang::GanzeSeite, 1, 1}, {}, "Labor 2", 3);
        QTest::newRow("999 copies") << QStringList{"--kopien", "999", "karte.bmp"} << Auftrag(eins, {}, {}, 999);
        QTest::newRow("-- ends the options")
            << QStringList{"--pdf", "aus.pdf", "--", "--seite"} << Druckbefehl{"--seite", "aus.pdf", {}, eins, 1};
#ifdef Q_OS_WIN
        QTest::newRow("paths as Windows writes them")
            << QStringList{"--pdf", "C:/aus/seite.pdf", "Etiketten/karte.bmp"}
            << Druckbefehl{"Etiketten\\karte.bmp", "C:\\aus\\seite.pdf", {}, eins, 1};
#endif
        QTest::newRow("--ab 2,3: four red, five blue")
            << QStringList{"--pdf", "p.pdf", "--ab", "2,3", "Rot.bmp:4", "Blau.bmp:5"}
            << Druckbefehl{
                   "Rot.bmp", "p.pdf", {}, {Druckumfang::EineEtikette, 2, 3}, 1, {{"Rot.bmp", 4}, {"Blau.bmp", 5}}};
        QTest::newRow("--ab: without a count the rest, a colon before no digits belongs to the name")
            << QStringList{"--ab=1,2", "Rot.bmp:2", "Etikett:neu.bmp"}
            << Druckbefehl{"Rot.bmp", {},
                            {},        {Druckumfang::EineEtikette, 1, 2},
                            1,         {{"Rot.bmp", 2}, {"Etikett:neu.bmp", std::nullopt}}};
        QTest::newRow("--rueckseite: the back of the whole page")
            << QStringList{"--rueckseite", "--seite", "--pdf", "aus.pdf", "karte.bmp"}
            << Druckbefehl{"karte.bmp", "aus.pdf", {}, {Druckumfang::GanzeSeite, 1, 1}, 1, {}, true};
        QTest::newRow("--beidseitig over the short edge, on a printer")
            << QStringList{"karte.bmp", "--kurze-kante", "--drucker", "Büro", "--beidseitig"}
            << Druckbefehl{"karte.bmp", {}, "Büro", eins, 1, {}, false, true, Wendekante::Kurz};
        Druckbefehl anschnitt = Auftrag({Druckumfang::GanzeSeite, 1, 1});
        anschnitt.anschnitt = 150;
        QTest::newRow("--anschnitt 1.5 over the settings file")
            << QStringList{"--seite", "--anschnitt", "1.5", "karte.bmp"} << anschnitt;
        anschnitt.anschnitt = 0;
        QTest::newRow("--anschnitt=0 switches it off")
            << QStringList{"--seite", "--anschnitt=0", "karte.bmp"} << anschnitt;
        Druckbefehl probe = Auftrag({Druckumfang::GanzeSeite, 1, 1});
        probe.probedruck = probe.schnittmarken = true;
        QTest::newRow("a test print with crop marks")
            << QStringList{"--schnittmarken", "--seite", "karte.bmp", "--probedruck"} << probe;
        Druckbefehl liste = Auftrag({Druckumfang::EineEtikette, 2, 3}, "aus.pdf");
        liste.liste = "adressen.csv";
        liste.nummern = Nummernbereich{7, 30};
        QTest::newRow("a list's records 7 to 30 from place 2,3")
            << QStringList{"--pdf", "aus.pdf", "--nummern=7-30", "--ab", "2,3", "--liste", "adressen.csv", "karte.bmp"}
            << liste;
        liste.liste.clear();
        liste.wahl = eins;
        QTest::newRow("numbers alone, from place 1,1")
            << QStringList{"--pdf", "aus.pdf", "--nummern", "7-30", "karte.bmp"} << liste;
#ifndef Q_OS_WIN
        QTest::newRow("paths as given") << QStringList{"--pdf", "/aus/seite.pdf", "Etiketten/karte.bmp"}
                                        << Druckbefehl{"Etiketten/karte.bmp", "/aus/seite.pdf", {}, eins, 1};
#endif
    }

    void gueltigerAufruf()
    {
        QFETCH(QStringList, argumente);
        QFETCH(Druckbefehl, erwartet);
        const Aufruf a = LiesAufruf(argumente);
        QVERIFY2(std::holds_alternative<Druckbefehl>(a),
                 qPrintable(std::holds_alternative<Aufruffehler>(a) ? std::get<Aufruffehler>(a).text : "help"));
        const Druckbefehl &ist = std::get<Druckbefehl>(a);
        QCOMPARE(ist.etikett, erwartet.etikett);
        QCOMPARE(ist.pdf, erwartet.pdf);
        QCOMPARE(ist.drucker, erwartet.drucker);
        QCOMPARE(int(ist.wahl.umfang), int(erwartet.wahl.umfang));
        QCOMPARE(ist.wahl.spalte, erwartet.wahl.spalte);
        QCOMPARE(ist.wahl.zeile, erwartet.wahl.zeile);
        QCOMPARE(ist.kopien, erwartet.kopien);
        QCOMPARE(ist.bogen, erwartet.bogen);
        QCOMPARE(ist.anschnitt, erwartet.anschnitt);
        QVERIFY(ist == erwartet);
    }

    void hilfe()
    {
        QVERIFY(std::holds_alternative<Hilfewunsch>(LiesAufruf({"--seite", "--help"})));
        QVERIFY(std::holds_alternative<Hilfewunsch>(LiesAufruf({"-h"})));
        QVERIFY(Hilfetext().startsWith(Aufrufzeile()));
    }

    void falscherAufruf_data()
    {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QString>("fehler");
        QTest::newRow("nothing") << QStringList{} << "Welche Etikette? Die Bilddatei fehlt im Aufruf.";
        QTest::newRow("two labels") << QStringList{"a.bmp", "b.bmp"}
                                    << "Nur eine Etikette je Aufruf: a.bmp oder b.bmp?";
        QTest::newRow("empty label name") << QStringList{""} << "Der Name der Etikette ist leer.";
        QTest::newRow("unknown option") << QStringList{"--farbig", "a.bmp"} << "Unbekannte Option: --farbig";
        QTest::newRow("a single dash option") << QStringList{"-p", "a.bmp"} << "Unbekannte Option: -p";
        QTest::newRow("value missing at the end") << QStringList{"a.bmp", "--pdf"} << "Nach --pdf fehlt der Wert.";
        QTest::newRow("empty PDF name") << QStringList{"--pdf=", "a.bmp"} << "Nach --pdf fehlt der Name der PDF-Datei.";
        QTest::newRow("empty printer name")
            << QStringList{"--drucker", "", "a.bmp"} << "Nach --drucker fehlt der Name des Druckers.";
        QTest::newRow("PDF and printer") << QStringList{"--pdf", "a.pdf", "--drucker", "X", "a.bmp"}
                                         << "Nur ein Ziel je Aufruf: --pdf DATEI oder --drucker NAME.";
        QTest::newRow("two PDF files") << QStringList{"--pdf", "a.pdf", "--pdf", "b.pdf", "a.bmp"}
                                       << "Nur ein Ziel je Aufruf: --pdf DATEI oder --drucker NAME.";
        const QString eineArt = "Nur eine Druckart je Aufruf: --einzeln SPALTE,ZEILE, --zeile N oder --seite.";
        QTest::newRow("row and page") << QStringList{"--zeile", "2", "--seite", "a.bmp"} << eineArt;
        QTest::newRow("page twice") << QStringList{"--seite", "--seite", "a.bmp"} << eineArt;
        QTest::newRow("--seite with a value")
            << QStringList{"--seite=2", "a.bmp"} << "Die Option --seite nimmt keinen Wert.";
        const QString einzeln = "--einzeln braucht SPALTE,ZEILE als zwei Nummern ab 1, zum Beispiel --einzeln 2,3, "
                                "nicht \"%1\".";
        QTest::newRow("position with one number") << QStringList{"--einzeln", "2", "a.bmp"} << einzeln.arg("2");
        QTest::newRow("position 0") << QStringList{"--einzeln", "0,1", "a.bmp"} << einzeln.arg("0,1");
        QTest::newRow("position with blanks") << QStringList{"--einzeln", "1, 2", "a.bmp"} << einzeln.arg("1, 2");
        QTest::newRow("position with three numbers")
            << QStringList{"--einzeln", "1,2,3", "a.bmp"} << einzeln.arg("1,2,3");
        QTest::newRow("position beyond int")
            << QStringList{"--einzeln", "1,99999999999", "a.bmp"} << einzeln.arg("1,99999999999");
        QTest::newRow("negative row") << QStringList{"--zeile", "-1", "a.bmp"}
                                      << "--zeile braucht eine Zeilennummer ab 1, nicht \"-1\".";
        QTest::newRow("1000 copies") << QStringList{"--kopien", "1000", "a.bmp"}
                                     << "--kopien braucht eine Anzahl von 1 bis 999, nicht \"1000\".";
        QTest::newRow("copies twice") << QStringList{"--kopien", "2", "--kopien", "2", "a.bmp"}
                                      << "Die Option --kopien steht mehr als einmal im Aufruf.";
        const QString ab = "--ab füllt einen Bogen und steht nicht zusammen mit --einzeln, --zeile, --seite oder --ab.";
        QTest::newRow("--ab and --einzeln") << QStringList{"--einzeln", "1,1", "--ab", "1,1", "a.bmp"} << ab;
        QTest::newRow("--ab and --seite") << QStringList{"--ab", "1,1", "--seite", "a.bmp"} << ab;
        QTest::newRow("--ab with one number") << QStringList{"--ab", "2", "a.bmp"}
                                              << "--ab braucht SPALTE,ZEILE als zwei Nummern ab 1, zum Beispiel --ab "
                                                 "2,3, nicht \"2\".";
        QTest::newRow("--ab with a count of 0") << QStringList{"--ab", "1,1", "a.bmp:0"}
                                                << "Die Anzahl nach dem Doppelpunkt ist eine Nummer ab 1, nicht "
                                                   "\"0\" in a.bmp:0.";
        QTest::newRow("the back alone and both sides")
            << QStringList{"--rueckseite", "--beidseitig", "a.bmp"}
            << "Nur eines je Aufruf: --rueckseite druckt die Rückseite allein, --beidseitig beide Seiten.";
        QTest::newRow("--rueckseite twice") << QStringList{"--rueckseite", "--rueckseite", "a.bmp"}
                                            << "Die Option --rueckseite steht mehr als einmal im Aufruf.";
        QTest::newRow("--kurze-kante without a back")
            << QStringList{"--kurze-kante", "a.bmp"}
            << "--kurze-kante gilt für die Rückseite: nur zusammen mit --rueckseite oder --beidseitig.";
        const QString anschnitt = "--anschnitt braucht Millimeter von 0 bis 3, mit Punkt und höchstens zwei "
                                  "Nachkommastellen, zum Beispiel --anschnitt 1.5, nicht \"%1\".";
        QTest::newRow("a bleed beyond 3 mm") << QStringList{"--anschnitt", "3.01", "a.bmp"} << anschnitt.arg("3.01");
        QTest::newRow("a bleed with a comma") << QStringList{"--anschnitt", "1,5", "a.bmp"} << anschnitt.arg("1,5");
        QTest::newRow("--probedruck twice") << QStringList{"--probedruck", "a.bmp", "--probedruck"}
                                            << "Die Option --probedruck steht mehr als einmal im Aufruf.";
        const QString nummern = "--nummern braucht VON-BIS, zwei Nummern, VON nicht größer als BIS und höchstens "
                                "100000 Etiketten, zum Beispiel --nummern 7-30, nicht \"%1\".";
        QTest::newRow("numbers backwards") << QStringList{"--nummern", "30-7", "a.bmp"} << nummern.arg("30-7");
        QTest::newRow("numbers one beyond the most")
            << QStringList{"--nummern", "1-100001", "a.bmp"} << nummern.arg("1-100001");
        QTest::newRow("a list on one place alone")
            << QStringList{"--liste", "l.csv", "--einzeln", "1,1", "a.bmp"}
            << "--liste und --nummern füllen die Plätze ab --ab SPALTE,ZEILE und stehen nicht zusammen mit "
               "--einzeln, --zeile oder --seite.";
        QTest::newRow("a list with two labels")
            << QStringList{"--liste", "l.csv", "--ab", "1,1", "a.bmp", "b.bmp"}
            << "--liste und --nummern füllen so viele Plätze, wie es Einträge gibt, mit einer Etikette ohne ANZAHL.";
        QTest::newRow("copies of a PDF") << QStringList{"--pdf", "a.pdf", "--kopien", "2", "a.bmp"}
                                         << "--kopien gilt nur für einen Drucker; die PDF-Datei enthält die Seite "
                                            "einmal.";
    }

    void falscherAufruf()
    {
        QFETCH(QStringList, argumente);
        QFETCH(QString, fehler);
        const Aufruf a = LiesAufruf(argumente);
        QVERIFY(std::holds_alternative<Aufruffehler>(a));
        QCOMPARE(std::get<Aufruffehler>(a).text, fehler);
    }

    // The measures come out as the window's editors hold them after reading the same file at start.
    void etikettWieImFenster_data()
    {
        QTest::addColumn<QByteArray>("einstellungen");
        QTest::addColumn<Etikettinhalt>("erwartet");
        QTest::newRow("the sample card's file")
            << QByteArray("[Einstellung]\r\nObererRand=10\r\nSeitenRand=15\r\nVertikalabstand=54\r\n"
                          "Horizontalabstand=95\r\nEtikettenhoehe=54\r\nEtikettenbreite=85\r\n"
                          "AnzahlEtikettenInZeile=2\r\nAnzahlEtikettenInSpalte=5\r\n")
            << Etikettinhalt{Bogenmasse{10, 15, 54, 95, 54, 85, 2, 5}};
        QTest::newRow("fractions rounded halves away from zero, keys in any case and order")
            << QByteArray("[einstellung]\nETIKETTENBREITE=85,4\nobererrand=12.5\nSeitenRand= 14,5 \n"
                          "Horizontalabstand=95\nVertikalabstand=54.49\nEtikettenhoehe=54\n"
                          "AnzahlEtikettenInZeile=2\nAnzahlEtikettenInSpalte=5\n")
            << Etikettinhalt{Bogenmasse{13, 15, 54, 95, 54, 85, 2, 5}};
        QTest::newRow("missing keys keep the editors' start values")
            << QByteArray("[Einstellung]\r\nEtikettenbreite=85\r\nEtikettenhoehe=54\r\n")
            << Etikettinhalt{Bogenmasse{0, 0, 10, 10, 54, 85, 1, 1}};
        QTest::newRow("values below the editors' ranges are brought in")
            << QByteArray("[Einstellung]\r\nObererRand=-3\r\nEtikettenbreite=85\r\nEtikettenhoehe=54\r\n"
                          "Vertikalabstand=0\r\n")
            << Etikettinhalt{Bogenmasse{0, 0, 1, 10, 54, 85, 1, 1}};
        QTest::newRow("a bleed of 2 mm after the measures")
            << QByteArray("[Einstellung]\r\nEtikettenbreite=85\r\nEtikettenhoehe=54\r\n[Anschnitt]\r\nRand=2\r\n")
            << Etikettinhalt{Bogenmasse{0, 0, 10, 10, 54, 85, 1, 1}, {}, 200};
    }

    void etikettWieImFenster()
    {
        QFETCH(QByteArray, einstellungen);
        QFETCH(Etikettinhalt, erwartet);
        const DruckbaresEtikett e = LadeEtikett(Etikett(QStringLiteral("wie"), einstellungen), {});
        QCOMPARE((Etikettinhalt{e.masse, e.rueckseite, e.anschnitt}), erwartet);
        QCOMPARE(e.bild.size(), QSize(401, 255));
    }

    // Refused with the fit check's own messages, both when both directions fail, for the measures as read: a
    // value beyond the editor's range counts at its maximum.
    void passtNichtAufA4()
    {
        const QString bild =
            Etikett(QStringLiteral("breit"),
                    "[Einstellung]\r\nSeitenRand=200\r\nHorizontalabstand=95\r\nEtikettenbreite=85\r\n"
                    "AnzahlEtikettenInZeile=2\r\nVertikalabstand=70000\r\nAnzahlEtikettenInSpalte=2\r\n");
        const Bogenmasse gelesen{0, 200, MassMaximum, 95, 10, 85, 2, 2};
        QString meldung;
        try {
            LadeEtikett(bild, {});
        } catch (const Fehler &f) {
            meldung = f.text();
        }
        QCOMPARE(meldung,
                 PruefeHorizontal(gelesen).meldung + QStringLiteral("\r\n\r\n") + PruefeVertikal(gelesen).meldung);
        QVERIFY(meldung.contains(QStringLiteral("(Vertikalabstand x 2) = 20000 mm")));
    }

    void stelleAufDemBogen_data()
    {
        QTest::addColumn<Seitenwahl>("wahl");
        QTest::addColumn<bool>("gedruckt");
        // The sheet has 2 labels in a row and 5 in a column.
        QTest::newRow("last label") << Seitenwahl{Druckumfang::EineEtikette, 2, 5} << true;
        QTest::newRow("column 3") << Seitenwahl{Druckumfang::EineEtikette, 3, 1} << false;
        QTest::newRow("row 6") << Seitenwahl{Druckumfang::EineEtikette, 1, 6} << false;
        QTest::newRow("last row alone") << Seitenwahl{Druckumfang::EineZeile, 1, 5} << true;
        QTest::newRow("row 6 alone") << Seitenwahl{Druckumfang::EineZeile, 1, 6} << false;
        QTest::newRow("whole page") << Seitenwahl{Druckumfang::GanzeSeite, 1, 1} << true;
    }

    void stelleAufDemBogen()
    {
        QFETCH(Seitenwahl, wahl);
        QFETCH(bool, gedruckt);
        const QString bild = Etikett(QStringLiteral("karte"),
                                     "[Einstellung]\r\nObererRand=10\r\nSeitenRand=15\r\nVertikalabstand=54\r\n"
                                     "Horizontalabstand=95\r\nEtikettenhoehe=54\r\nEtikettenbreite=85\r\n"
                                     "AnzahlEtikettenInZeile=2\r\nAnzahlEtikettenInSpalte=5\r\n");
        bool angenommen = true;
        try {
            LadeEtikett(bild, wahl);
        } catch (const Fehler &) {
            angenommen = false;
        }
        QCOMPARE(angenommen, gedruckt);
    }
};

QTEST_GUILESS_MAIN(TestAufruf)
#include "test_aufruf.moc"
