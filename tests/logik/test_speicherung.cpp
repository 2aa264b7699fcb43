#include "bitmaps.h"
#include "eigenerspeicher.h"
#include "layout/bildgroesse.h"
#include "platform/fehler.h"
#include "storage/bilddatei.h"
#include "storage/bogenbelegung.h"
#include "storage/druckerausrichtung.h"
#include "storage/dateien.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "storage/etikettdateien.h"
#include "render/etikettdokument.h"
#include "storage/namen.h"
#include "storage/profildatei.h"
#include "storage/rueckseite.h"
#include "storage/speicher.h"
#include "storage/zieldatei.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <limits>
#include <thread>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

Q_DECLARE_METATYPE(Druckerkorrektur)

class TestSpeicherung : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        NimmSpeicherIn(m_dir.filePath(QStringLiteral("config")));
    }

    void profilRegeln_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("sektion");
        QTest::addColumn<QString>("schluessel");
        QTest::addColumn<QString>("erwartet");

        QTest::newRow("CR LF") << QByteArray("[Einstellung]\r\nObererRand=12\r\n") << "Einstellung"
                               << "ObererRand"
                               << "12";
        QTest::newRow("LF alone") << QByteArray("[Einstellung]\nA=1\nB=2\n") << "Einstellung"
                                  << "B"
                                  << "2";
        QTest::newRow("CR alone") << QByteArray("[Einstellung]\rA=1\rB=2") << "Einstellung"
                                  << "B"
                                  << "2";
        QTest::newRow("byte-order mark skipped") << QByteArray("\xEF\xBB\xBF[Einstellung]\r\nA=5\r\n") << "Einstellung"
                                                 << "A"
                                                 << "5";
        QTest::newRow("section and key in other case")
            << QByteArray("[EINSTELLUNG]\r\nobererrand=7\r\n") << "Einstellung"
            << "ObererRand"
            << "7";
        QTest::newRow("blanks around name and value")
            << QByteArray("[ Einstellung ]\r\n  A  =   90  \r\n") << "Einstellung"
            << "A"
            << "90";
        QTest::newRow("tabs around value") << QByteArray("[Einstellung]\r\nA=\t90\t\r\n") << "Einstellung"
                                           << "A"
                                           << "90";
        QTest::newRow("double quotes stripped once") << QByteArray("[S]\r\nA=\"\"x\"\"\r\n") << "S"
                                                     << "A"
                                                     << "\"x\"";
        QTest::newRow("single quotes stripped") << QByteArray("[S]\r\nA='12'\r\n") << "S"
                                                << "A"
                                                << "12";
        QTest::newRow("mixed quotes kept") << QByteArray("[S]\r\nA='12\"\r\n") << "S"
                                           << "A"
                                           << "'12\"";
        QTest::newRow("a lone quote is kept") << QByteArray("[S]\r\nA=\"\r\n") << "S"
                                              << "A"
                                              << "\"";
        QTest::newRow("split at first equals sign") << QByteArray("[S]\r\nA=b=c\r\n") << "S"
                                                    << "A"
                                                    << "b=c";
        QTest::newRow("comment line") << QByteArray("[S]\r\n;A=1\r\nA=2\r\n") << "S"
                                      << "A"
                                      << "2";
        QTest::newRow("no inline comments") << QByteArray("[S]\r\nA=12 ;x\r\n") << "S"
                                            << "A"
                                            << "12 ;x";
        QTest::newRow("lines without equals skipped") << QByteArray("[S]\r\nA\r\nA=3\r\n") << "S"
                                                      << "A"
                                                      << "3";
        QTest::newRow("first key wins") << QByteArray("[S]\r\nA=1\r\nA=2\r\n") << "S"
                                        << "A"
                                        << "1";
        QTest::newRow("first section wins") << QByteArray("[S]\r\nB=1\r\n[T]\r\nA=9\r\n[S]\r\nA=2\r\n") << "S"
                                            << "A"
                                            << "";
        QTest::newRow("other sections ignored") << QByteArray("[T]\r\nA=9\r\n[S]\r\nA=2\r\n") << "S"
                                                << "A"
                                                << "2";
        QTest::newRow("keys in any order") << QByteArray("[S]\r\nB=2\r\nA=1\r\n") << "S"
                                           << "A"
                                           << "1";
        QTest::newRow("empty value") << QByteArray("[S]\r\nA=\r\n") << "S"
                                     << "A"
                                     << "";
        QTest::newRow("key missing") << QByteArray("[S]\r\nB=2\r\n") << "S"
                                     << "A"
                                     << "";
        QTest::newRow("key outside any section") << QByteArray("A=1\r\n[S]\r\n") << "S"
                                                 << "A"
                                                 << "";
    }

    void profilRegeln()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, sektion);
        QFETCH(QString, schluessel);
        QFETCH(QString, erwartet);
        const QString pfad = m_dir.filePath(QStringLiteral("profil.ini"));
        QFile f(pfad);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(inhalt);
        f.close();
        QCOMPARE(LeseProfilWert(pfad, sektion, schluessel), erwartet);
    }

    void profilOhneDateiIstLeer()
    {
        QCOMPARE(LeseProfilWert(m_dir.filePath(QStringLiteral("fehlt.ini")), QStringLiteral("S"), QStringLiteral("A")),
                 QString());
    }

    void langerWertWirdGekuerzt()
    {
        const QByteArray lang(300, '7');
        QCOMPARE(LeseProfilWertAusText("[S]\r\nA=" + lang, QStringLiteral("S"), QStringLiteral("A")).size(), 254);
    }

    void rundenUndWandeln_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("gerundet");
        QTest::newRow("12.5 rounds away from zero") << "12.5" << 13.0;
        QTest::newRow("12,49 rounds down") << "12,49" << 12.0;
        QTest::newRow("85,4 gives 85") << "85,4" << 85.0;
        QTest::newRow("-0,5 gives -1") << "-0,5" << -1.0;
        QTest::newRow("13,5 gives 14") << "13,5" << 14.0;
        QTest::newRow("whole number") << "90" << 90.0;
        QTest::newRow("exponent") << "1,5E1" << 15.0;
    }

    void rundenUndWandeln()
    {
        QFETCH(QString, text);
        QFETCH(double, gerundet);
        QCOMPARE(KaufmaennischRunden(WertAlsZahl(text)), gerundet);
    }

    void keineZahl_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("two dots") << "1.234.5"
                                  << "'1,234.5' ist kein gültiger Gleitkommawert";
        QTest::newRow("letters") << "abc"
                                 << "'abc' ist kein gültiger Gleitkommawert";
        QTest::newRow("not a number word") << "nan"
                                           << "'nan' ist kein gültiger Gleitkommawert";
        QTest::newRow("comma and dot") << "1,5.0"
                                       << "'1,5,0' ist kein gültiger Gleitkommawert";
    }

    void keineZahl()
    {
        QFETCH(QString, text);
        QFETCH(QString, meldung);
        try {
            WertAlsZahl(text);
            QFAIL("no error");
        } catch (const Fehler &f) {
            QCOMPARE(f.text(), meldung);
        }
    }

    // A write that failed on the way shows in the file itself, wherever the bytes went missing.
    void pdfVollstaendig_data()
    {
        QTest::addColumn<QByteArray>("pdf");
        QTest::addColumn<bool>("vollstaendig");
        QByteArray ganz;
        QBuffer puffer(&ganz);
        QVERIFY(puffer.open(QIODevice::WriteOnly));
        {
            QPdfWriter schreiber(&puffer);
            QPainter(&schreiber).fillRect(QRect(100, 100, 2000, 2000), Qt::red);
        }
        const qsizetype tabelle = ganz.lastIndexOf("\nxref") + 1;
        QVERIFY(tabelle > 200);
        QTest::newRow("as the writer wrote it") << ganz << true;
        QTest::newRow("nothing") << QByteArray() << false;
        QTest::newRow("without its end mark") << ganz.left(ganz.lastIndexOf("%%EOF")) << false;
        QTest::newRow("cut inside the table") << ganz.left(tabelle + 30) << false;
        QTest::newRow("a piece lost before the table") << ganz.left(tabelle - 200) + ganz.mid(tabelle - 100) << false;
        QTest::newRow("a piece lost from the first object") << ganz.left(20) + ganz.mid(120) << false;
    }

    void pdfVollstaendig()
    {
        QFETCH(QByteArray, pdf);
        QTEST(PdfVollstaendig(pdf), "vollstaendig");
    }

    void bereichOhneUeberlauf()
    {
        QCOMPARE(InBereich(70000.0, 1, 10000), 10000);
        QCOMPARE(InBereich(1e30, 0, 10000), 10000);
        QCOMPARE(InBereich(-5.0, 1, 10000), 1);
        QCOMPARE(InBereich(65537.0, 0, 10000), 10000); // would wrap to 1 in 16 bits
        QCOMPARE(InBereich(42.0, 0, 10000), 42);
        QCOMPARE(MassMitEinheit(12), QStringLiteral("12 mm"));
    }

    void einstellungsPfad()
    {
        QCOMPARE(EinstellungsPfad(QStringLiteral("/e/Foto.BMP")), QStringLiteral("/e/Foto.ini"));
        QCOMPARE(EinstellungsPfad(QStringLiteral("/e/Visitenkarte_85x54.bmp")),
                 QStringLiteral("/e/Visitenkarte_85x54.ini"));
        // The extension counts only at the end, so no settings path leads back to the picture.
        QCOMPARE(EinstellungsPfad(QStringLiteral("/e/x.bmp.ini")), QStringLiteral("/e/x.bmp.ini.ini"));
        // Without the picture extension the settings file sits beside the picture under its own name.
        QCOMPARE(EinstellungsPfad(QStringLiteral("/e/foto.png")), QStringLiteral("/e/foto.png.ini"));
        QCOMPARE(EinstellungsPfad(QString()), QString());
        // Long paths are used whole.
        const QString lang = QStringLiteral("/e/") + QString(300, QLatin1Char('a')) + QStringLiteral(".bmp");
        QCOMPARE(EinstellungsPfad(lang), lang.left(lang.size() - 4) + QStringLiteral(".ini"));
    }

    void schreibenGenauDieNeunZeilen()
    {
        const QString pfad = m_dir.filePath(QStringLiteral("karte.ini"));
        QFile alt(pfad);
        QVERIFY(alt.open(QIODevice::WriteOnly));
        alt.write("[Fremd]\r\nX=1\r\n[Einstellung]\r\nObererRand=99\r\nZusatz=4\r\n");
        alt.close();
        const Bogenmasse werte{14, 15, 54, 95, 54, 85, 2, 5};
        SpeichereEtikettdatei(pfad, {werte});
        const QByteArray erwartet = "[Einstellung]\r\nObererRand=14\r\nSeitenRand=15\r\nVertikalabstand=54\r\n"
                                    "Horizontalabstand=95\r\nEtikettenhoehe=54\r\nEtikettenbreite=85\r\n"
                                    "AnzahlEtikettenInZeile=2\r\nAnzahlEtikettenInSpalte=5\r\n";
        QFile f(pfad);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), erwartet);
        f.close();
        SpeichereEtikettdatei(pfad, {werte});
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), erwartet);
        // Round trip through the reader.
        QCOMPARE(LiesEtikettdatei(pfad, Bogenmasse{}).inhalt.masse, werte);
    }

    // The back is set, changed and removed in its own section, every other line byte for byte; "Speichern"
    // rewrites the nine lines and keeps it.
    void rueckseite_data()
    {
        QTest::addColumn<QByteArray>("vorher");
        QTest::addColumn<QString>("name"); // null: "Speichern"
        QTest::addColumn<QByteArray>("nachher");
        QTest::addColumn<int>("anschnitt"); // the bleed "Speichern" writes
        QTest::newRow("a back after the other lines, which keep their line ends")
            << QByteArray("[Einstellung]\nX=1") << "Karte hinten.bmp"
            << QByteArray("[Einstellung]\nX=1\r\n[Rueckseite]\r\nBild=Karte hinten.bmp\r\n") << 0;
        QTest::newRow("another where the first stood, a second section of that name gone, blanks quoted, UTF-8")
            << QByteArray("[Rueckseite]\r\nBild=a.bmp\r\n[Einstellung]\r\nX=1\r\n [rueckseite] \r\nBild=b.bmp\r\n")
            << " Rück.bmp"
            << QByteArray("[Rueckseite]\r\nBild=\" R\xc3\xbc"
                          "ck.bmp\"\r\n[Einstellung]\r\nX=1\r\n")
            << 0;
        QTest::newRow("Keine Rückseite: the section goes, the one after it stays")
            << QByteArray("[Rueckseite]\r\nBild=a.bmp\r\n[Genau]\r\nY=2\r\n") << "" << QByteArray("[Genau]\r\nY=2\r\n")
            << 0;
        QTest::newRow("Speichern keeps the back, after the nine lines")
            << QByteArray("[Rueckseite]\nBild=hinten.bmp\n[Einstellung]\r\nObererRand=99\r\n") << QString()
            << EtikettdateiInhalt({Bogenmasse{14, 15, 54, 95, 54, 85, 2, 5}}) + "[Rueckseite]\r\nBild=hinten.bmp\r\n"
            << 0;
        QTest::newRow("Speichern with a bleed: its section as the window holds it, then the back")
            << QByteArray(
                   "[Einstellung]\r\nObererRand=99\r\n[Anschnitt]\r\nRand=1\r\n[Rueckseite]\r\nBild=hinten.bmp\r\n")
            << QString()
            << EtikettdateiInhalt({Bogenmasse{14, 15, 54, 95, 54, 85, 2, 5}})
                + "[Anschnitt]\r\nRand=1.5\r\n[Rueckseite]\r\nBild=hinten.bmp\r\n"
            << 150;
        QTest::newRow("Speichern keeps the crop marks, last")
            << QByteArray("[Schnittmarken]\r\nDrucken=1\r\n[Rueckseite]\r\nBild=hinten.bmp\r\n") << QString()
            << EtikettdateiInhalt({Bogenmasse{14, 15, 54, 95, 54, 85, 2, 5}})
                + "[Rueckseite]\r\nBild=hinten.bmp\r\n[Schnittmarken]\r\nDrucken=1\r\n"
            << 0;
    }

    void rueckseite()
    {
        QFETCH(QByteArray, vorher);
        QFETCH(QString, name);
        QFETCH(QByteArray, nachher);
        QFETCH(int, anschnitt);
        QFile f(m_dir.filePath(QStringLiteral("hinten.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(vorher) == vorher.size());
        f.close();
        if (name.isNull()) {
            // "Speichern" of the label as the window holds it: read, the measures moved, its bleed set.
            Etikettdokument dokument;
            dokument.setzeBild(m_dir.filePath(QStringLiteral("hinten.bmp")));
            dokument.liesEinstellungen();
            dokument.setzeMasse({14, 15, 54, 95, 54, 85, 2, 5});
            if (anschnitt > 0)
                dokument.setzeAnschnitt(anschnitt);
            dokument.speichere();
        } else {
            SchreibeEtikettdatei(f.fileName(), {Anfangsmasse, name}, Abschnitt::Rueckseite);
        }
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), nachher);
        f.close();
        const QString hinten = name.isNull() ? QStringLiteral("hinten.bmp") : name;
        QCOMPARE(LiesEtikettdatei(f.fileName(), {}).inhalt.rueckseite, hinten);
        QCOMPARE(LiesEtikettdatei(f.fileName(), {}).inhalt.anschnitt, anschnitt);
        QVERIFY_THROWS_EXCEPTION(Fehler, SchreibeEtikettdatei(f.fileName(), {Anfangsmasse, QStringLiteral("../x.bmp")},
                                                             Abschnitt::Rueckseite));
        // "Option | Anschnitt..." leaves the back where it is.
        SchreibeEtikettdatei(f.fileName(), {Anfangsmasse, {}, 250}, Abschnitt::Anschnitt);
        QCOMPARE(LiesEtikettdatei(f.fileName(), {}).inhalt.rueckseite, hinten);
        QCOMPARE(LiesEtikettdatei(f.fileName(), {}).inhalt.anschnitt, 250);
        // "Option | Schnittmarken" switches its own section alone.
        Etikettdokument dokument;
        dokument.setzeBild(m_dir.filePath(QStringLiteral("hinten.bmp")));
        const bool marken = !dokument.liesEinstellungen().inhalt.schnittmarken;
        dokument.setzeSchnittmarken(marken);
        const Etikettinhalt danach = LiesEtikettdatei(f.fileName(), {}).inhalt;
        QCOMPARE(danach, (Etikettinhalt{danach.masse, hinten, 250, marken}));
    }

    // The text and the code: read with the file, kept by "Speichern" after the other sections, the text set alone by
    // the document with every other line byte for byte, an unusable section named and left as it stands.
    void datenAbschnitte_data()
    {
        QTest::addColumn<QByteArray>("vorher");
        QTest::addColumn<bool>("speichern"); // otherwise a text of one line is set
        QTest::addColumn<QByteArray>("nachher");
        QTest::addColumn<QString>("unbenutzt");
        const QByteArray text = "[Text]\r\nZeile1={Name}\r\nSchrift=DejaVu Sans\r\nGroesse=10.5\r\nFett=0\r\n"
                                "Ausrichtung=links\r\nSenkrecht=oben\r\n";
        QTest::newRow("Speichern keeps both, last, in their own spelling")
            << QByteArray(
                   "[Code]\r\nArt=qr\r\nInhalt={Web}\r\n[Einstellung]\r\n[Text]\r\nZeile1={Name}\r\nGroesse=10.5\r\n")
            << true << EtikettdateiInhalt({Anfangsmasse}) + text + "[Code]\r\nArt=QR\r\nInhalt={Web}\r\n"
            << QString();
        QTest::newRow("a text set where the old one stood; a code without content named, left as it is")
            << QByteArray("[Einstellung]\nX=1\n[Text]\nZeile1=alt\n[Code]\nArt=QR\n") << false
            << "[Einstellung]\nX=1\n" + text + "[Code]\nArt=QR\n"
            << "Der Abschnitt [Code] der Einstellungsdatei %1 wird nicht benutzt: Inhalt fehlt";
    }

    void datenAbschnitte()
    {
        QFETCH(QByteArray, vorher);
        QFETCH(bool, speichern);
        QFETCH(QByteArray, nachher);
        QFETCH(QString, unbenutzt);
        QFile f(m_dir.filePath(QStringLiteral("daten.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(vorher) == vorher.size());
        f.close();
        Etikettdokument dokument;
        dokument.setzeBild(m_dir.filePath(QStringLiteral("daten.bmp")));
        const QString gesagt = dokument.liesEinstellungen().unbenutzt(f.fileName());
        QVERIFY2(unbenutzt.isEmpty() ? gesagt.isEmpty() : gesagt.startsWith(unbenutzt.arg(f.fileName())),
                 qPrintable(gesagt));
        Textfeld neu{{QStringLiteral("{Name}")}, QStringLiteral("DejaVu Sans"), 1050};
        speichern ? dokument.speichere() : dokument.setzeText(neu);
        // A text that cannot be read back the same is refused, the file as it was.
        neu.Zeilen = QStringList{QStringLiteral("a\nb")};
        QVERIFY_THROWS_EXCEPTION(Fehler, dokument.setzeText(neu));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), nachher);
        f.close();
        QCOMPARE(LiesEtikettdatei(f.fileName(), Anfangsmasse).inhalt, dokument.inhalt());
    }

    // A picture taken into a label twice, as "Bild übernehmen..." takes it: the measures where they stood, exact,
    // and every section once, the back and the bleed as they were, a keep for each picture replaced.
    void bildZweimalUebernommen()
    {
        const QString bild = m_dir.filePath(QStringLiteral("zweimal.bmp"));
        const QString ini = EinstellungsPfad(bild);
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Rueckseite]\r\nBild=hinten.bmp\r\n" + EtikettdateiInhalt({{10, 15, 54, 95, 54, 85, 2, 5}})
                + "[Anschnitt]\r\nRand=1.5\r\n");
        f.close();
        QImage neu(1004, 638, QImage::Format_RGB32);
        neu.fill(Qt::red);
        neu.setDotsPerMeterX(11811);
        neu.setDotsPerMeterY(11811);
        QVERIFY(neu.save(bild, "BMP"));
        Etikettdokument dokument;
        dokument.setzeBild(bild);
        dokument.liesEinstellungen();
        for (int i = 0; i < 2; ++i)
            dokument.uebernimmBild(neu, FreieAufbewahrung(bild));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray inhalt = f.readAll();
        for (const char *abschnitt : {"[Einstellung]", "[Genau]", "[Rueckseite]", "[Anschnitt]"})
            QCOMPARE(inhalt.count(abschnitt), 1);
        QVERIFY(inhalt.startsWith("[Rueckseite]\r\nBild=hinten.bmp\r\n[Einstellung]"));
        const Bogenmasse m{10, 15, 54, 95, 54, 85, 2, 5};
        QCOMPARE(LiesEtikettdatei(ini, Anfangsmasse).inhalt,
                 (Etikettinhalt{MitGenauenLaengen(m, GenaueLaengen(m), true), QStringLiteral("hinten.bmp"), 150}));
        QVERIFY(QFileInfo::exists(m_dir.filePath(QStringLiteral("zweimal vorher 2.ini"))));
    }

    // The second section of a precise label: it counts only complete, plain, in range and agreeing with the nine
    // lines; otherwise the label reads as ordinary, silently. Written back, a label gives the same bytes.
    void genaueLaengen_data()
    {
        QTest::addColumn<QByteArray>("genau");     // what follows [Einstellung] of the stock in the example
        QTest::addColumn<QByteArray>("einstellung"); // replaces that section's lengths, when not empty
        QTest::addColumn<QList<int>>("erwartet");  // the six exact lengths in hundredths; empty: ordinary
        QTest::addColumn<QString>("grund");        // why a [Genau] section is not used, as the person is told

        const QByteArray beispiel = "[Genau]\r\nObererRand=15.5\r\nSeitenRand=6.75\r\nVertikalabstand=38.1\r\n"
                                    "Horizontalabstand=66.5\r\nEtikettenhoehe=38.1\r\nEtikettenbreite=63.5\r\n";
        const QList<int> exakt{1550, 675, 3810, 6650, 3810, 6350};
        const auto ersetzt = [&](const char *alt, const char *neu) {
            return QByteArray(beispiel).replace(alt, neu);
        };
        QTest::newRow("the stock's measures") << beispiel << QByteArray() << exakt << QString();
        QTest::newRow("blanks, other order, lower case and a later section")
            << QByteArray("[genau]\r\netikettenbreite = 63.5\r\nEtikettenhoehe=38.1\r\nHorizontalabstand=66.5\r\n"
                          "Vertikalabstand= 38.1\r\nSeitenRand=6.75\r\nObererRand=15.5\r\n[Andere]\r\nx=1\r\n")
            << QByteArray() << exakt << QString();
        QTest::newRow("a half rounds away from zero: 38.5 agrees with 39")
            << ersetzt("Etikettenhoehe=38.1", "Etikettenhoehe=38.5") << QByteArray("Etikettenhoehe=39")
            << QList<int>{1550, 675, 3810, 6650, 3850, 6350} << QString();
        QTest::newRow("the nine lines written with fractions themselves")
            << beispiel << QByteArray("ObererRand=15.5\r\nSeitenRand=6,75") << exakt << QString();
        QTest::newRow("only whole values: still precise")
            << QByteArray("[Genau]\r\nObererRand=16\r\nSeitenRand=7.00\r\nVertikalabstand=38\r\n"
                          "Horizontalabstand=67\r\nEtikettenhoehe=38.0\r\nEtikettenbreite=64\r\n")
            << QByteArray() << QList<int>{1600, 700, 3800, 6700, 3800, 6400} << QString();
        QTest::newRow("a length missing") << ersetzt("SeitenRand=6.75\r\n", "") << QByteArray() << QList<int>{}
            << QStringLiteral("SeitenRand fehlt dort");
        QTest::newRow("three decimals") << ersetzt("6.75", "6.755") << QByteArray() << QList<int>{}
            << QStringLiteral("SeitenRand=6.755 ist keine Zahl mit Dezimalpunkt und höchstens zwei Nachkommastellen");
        QTest::newRow("a decimal comma") << ersetzt("6.75", "6,75") << QByteArray() << QList<int>{}
            << QStringLiteral("SeitenRand=6,75 ist keine Zahl mit Dezimalpunkt und höchstens zwei Nachkommastellen");
        QTest::newRow("a sign") << ersetzt("6.75", "+6.75") << QByteArray() << QList<int>{}
            << QStringLiteral("SeitenRand=+6.75 ist keine Zahl mit Dezimalpunkt und höchstens zwei Nachkommastellen");
        QTest::newRow("disagrees with the nine lines") << ersetzt("15.5", "17.5") << QByteArray() << QList<int>{}
            << QStringLiteral("ObererRand=17.5 passt nicht zu ObererRand=16 in [Einstellung]");
        QTest::newRow("38.49 does not round to 39")
            << ersetzt("Etikettenhoehe=38.1", "Etikettenhoehe=38.49") << QByteArray("Etikettenhoehe=39")
            << QList<int>{}
            << QStringLiteral("Etikettenhoehe=38.49 passt nicht zu Etikettenhoehe=39 in [Einstellung]");
        QTest::newRow("below the editor's range: a pitch of 0.6 mm")
            << ersetzt("Vertikalabstand=38.1", "Vertikalabstand=0.6") << QByteArray("Vertikalabstand=1")
            << QList<int>{}
            << QStringLiteral("Vertikalabstand=0.6 liegt nicht zwischen 1 und 10000");
        QTest::newRow("a length missing from the nine lines")
            << beispiel << QByteArray("SeitenRand=") << QList<int>{}
            << QStringLiteral("SeitenRand fehlt in [Einstellung]");
        QTest::newRow("no number in the nine lines") << beispiel << QByteArray("ObererRand=1.2.3") << QList<int>{} << QString();
    }

    void genaueLaengen()
    {
        QFETCH(QByteArray, genau);
        QFETCH(QByteArray, einstellung);
        QFETCH(QList<int>, erwartet);
        QFETCH(QString, grund);
        QByteArray neun = "[Einstellung]\r\nObererRand=16\r\nSeitenRand=7\r\nVertikalabstand=38\r\n"
                          "Horizontalabstand=67\r\nEtikettenhoehe=38\r\nEtikettenbreite=64\r\n"
                          "AnzahlEtikettenInZeile=3\r\nAnzahlEtikettenInSpalte=7\r\n";
        for (const QByteArray &zeile : einstellung.split('\n')) {
            if (zeile.isEmpty())
                break;
            const QByteArray schluessel = zeile.left(zeile.indexOf('=') + 1);
            const qsizetype von = neun.indexOf("\n" + schluessel) + 1;
            neun.replace(von, neun.indexOf('\r', von) - von, zeile.trimmed());
        }
        const QString pfad = m_dir.filePath(QStringLiteral("genau.ini"));
        QFile datei(pfad);
        QVERIFY(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
        datei.write(neun + genau);
        datei.close();

        // The previous label was precise: nothing of it stays.
        const Bogenmasse bisher = MitGenauenLaengen(Anfangsmasse, {1, 2, 303, 404, 505, 606});
        const GeleseneEtikettdatei gelesen = LiesEtikettdatei(pfad, bisher);
        QCOMPARE(gelesen.inhalt.masse.IstGenau(), !erwartet.isEmpty());
        QCOMPARE(gelesen.genauUnbenutzt, grund);
        for (std::size_t i = 0; i < AnzahlLaengen && gelesen.inhalt.masse.IstGenau(); ++i)
            QCOMPARE(gelesen.inhalt.masse.Hundertstel(Massangaben[i].feld), erwartet[qsizetype(i)]);

        // Saved, a precise label gets the nine lines and its exact lengths; an ordinary one the nine lines alone.
        const QByteArray geschrieben = EtikettdateiInhalt({gelesen.inhalt.masse});
        QCOMPARE(geschrieben.count('\n'), erwartet.isEmpty() ? 9 : 16);
        if (QTest::currentDataTag() == QByteArray("the stock's measures"))
            QCOMPARE(geschrieben, neun + genau);
        SpeichereEtikettdatei(pfad, {gelesen.inhalt.masse});
        QCOMPARE(LiesEtikettdatei(pfad, Anfangsmasse).inhalt.masse, gelesen.inhalt.masse);
    }

    void fehlgeschlagenesSchreibenLaesstAlteDatei()
    {
        // A name so long that no temporary file can be made beside it: the write fails for root too.
        const QString ordner = m_dir.filePath(QStringLiteral("lang"));
        QVERIFY(QDir().mkpath(ordner));
        const QString pfad = ordner + QLatin1Char('/') + QString(251, QLatin1Char('k')) + QStringLiteral(".ini");
        QFile alt(pfad);
        QVERIFY(alt.open(QIODevice::WriteOnly));
        alt.write("alt");
        alt.close();
        try {
            SpeichereEtikettdatei(pfad, {Bogenmasse{1, 2, 3, 4, 5, 6, 7, 8}});
            QFAIL("no error when the file cannot be written");
        } catch (const Fehler &f) {
            QCOMPARE(f.text(), QStringLiteral("Datei %1 kann nicht erstellt werden").arg(pfad));
        }
        QVERIFY(alt.open(QIODevice::ReadOnly));
        QCOMPARE(alt.readAll(), QByteArray("alt"));
        QCOMPARE(QDir(ordner).entryList(QDir::Files).size(), 1); // no temporary file left behind
        const QString fehlt = m_dir.filePath(QStringLiteral("gibtsnicht/k.ini"));
        QVERIFY_THROWS_EXCEPTION(Fehler, SpeichereEtikettdatei(fehlt, {Bogenmasse{}}));
        QVERIFY(!QFile::exists(fehlt));
        QVERIFY_THROWS_EXCEPTION(Fehler, SpeichereEtikettdatei(QString(), {Bogenmasse{}}));
    }

    void speicherLebenslauf()
    {
        LoescheSpeicher();
        QVERIFY(!SpeicherVorhanden());
        QCOMPARE(LiesSpeicherwert(QStringLiteral("InstallOrt")), QString());
        SchreibSpeicherwert(QStringLiteral("ZuletztAngezeigt"), QStringLiteral("/x.bmp"));
        QVERIFY(!SpeicherVorhanden()); // writes need an existing store

        // The values are paths as the system writes them.
        const auto nativ = [](const char *pfad) { return QDir::toNativeSeparators(QString::fromUtf8(pfad)); };
        SchreibErstwerte(nativ("/prog/"));
        QVERIFY(SpeicherVorhanden());
#ifdef Q_OS_WIN
        QCOMPARE(SpeicherOrt(), QStringLiteral("HKEY_CURRENT_USER\\Software\\")
                                    + SpeicherUmgebung(m_dir.filePath(QStringLiteral("config"))).second);
#else
        QCOMPARE(SpeicherOrt(), m_dir.filePath(QStringLiteral("config/Morvane.ini")));
#endif
        QCOMPARE(LiesSpeicherwert(QStringLiteral("InstallOrt")), nativ("/prog/"));
        QCOMPARE(LiesSpeicherwert(QStringLiteral("OrdnerEtikettenInfos")), nativ("/prog/Morvane/Druckposition Infos"));
        QCOMPARE(LiesSpeicherwert(QStringLiteral("OrdnerEtiketten")), nativ("/prog/Morvane"));
        QCOMPARE(LiesSpeicherwert(QStringLiteral("OrdnerEtikettenVorlagen")), nativ("/prog/Morvane/Vorlagen"));
        QCOMPARE(LiesSpeicherwert(QStringLiteral("ZuletztAngezeigt")), nativ("/prog/Morvane/Visitenkarte_85x54.bmp"));

        // Paths with commas stay text.
        SchreibSpeicherwert(QStringLiteral("ZuletztAngezeigt"), QStringLiteral("/a, b/c.bmp"));
        QCOMPARE(LiesSpeicherwert(QStringLiteral("ZuletztAngezeigt")), QStringLiteral("/a, b/c.bmp"));

        {
            QSettings s = Speicherzugang();
            s.setValue(QStringLiteral("InstallOrt"), 42);
            s.setValue(QStringLiteral("OrdnerEtiketten"), QStringList{QStringLiteral("a"), QStringLiteral("b")});
        }
        QVERIFY_THROWS_EXCEPTION(Fehler, LiesSpeicherwert(QStringLiteral("OrdnerEtiketten")));
        try {
            LiesSpeicherwert(QStringLiteral("OrdnerEtiketten"));
        } catch (const Fehler &f) {
            QCOMPARE(f.text(), QStringLiteral("Ungültiger Datentyp für 'OrdnerEtiketten'"));
        }

        LoescheSpeicher();
        QVERIFY(!SpeicherVorhanden());
        QCOMPARE(LiesSpeicherwert(QStringLiteral("ZuletztAngezeigt")), QString());
    }

    // Per printer name, as text numbers with a decimal point, in a store of their own; the default removes the entry.
    void druckerausrichtung()
    {
        LoescheSpeicher();
        LoescheKorrekturspeicher();
        const QString laser = QStringLiteral("Laser");
        const QString buero = QStringLiteral("Büro Laser/2 \\ 100%");
        QCOMPARE(LiesDruckerkorrektur(laser), Druckerkorrektur{});
        SchreibDruckerkorrektur(laser, {});
        QVERIFY(!KorrekturspeicherVorhanden()); // nothing to remove makes no store

        const Druckerkorrektur a{0.5, -1.25, 1.002, 0.998};
        const Druckerkorrektur b{-2.05, 1.3, 1 / 1.003, 0.9987};
        SchreibDruckerkorrektur(laser, a);
        SchreibDruckerkorrektur(buero, b);
        QVERIFY(KorrekturspeicherVorhanden());
        QVERIFY(!SpeicherVorhanden()); // a first start still finds no store of the program
        QCOMPARE(LiesDruckerkorrektur(laser), a);
        QCOMPARE(LiesDruckerkorrektur(buero), b);
        QCOMPARE(LiesDruckerkorrektur(QStringLiteral("Büro Laser")), Druckerkorrektur{});
        QCOMPARE(LiesDruckerkorrektur(QString()), Druckerkorrektur{});
        {
            QSettings s = Korrekturzugang();
            s.beginGroup(QStringLiteral("Druckerausrichtung/Laser"));
            QCOMPARE(s.childKeys(), (QStringList{"MassstabX", "MassstabY", "VersatzX", "VersatzY"}));
            QCOMPARE(s.value(QStringLiteral("VersatzY")), QVariant(QStringLiteral("-1.25")));
            QCOMPARE(s.value(QStringLiteral("MassstabX")), QVariant(QStringLiteral("1.002")));
        }

        // Refused whole: the stored one stays.
        QVERIFY_THROWS_EXCEPTION(Fehler, SchreibDruckerkorrektur(laser, {20.5, 0, 1, 1}));
        QVERIFY_THROWS_EXCEPTION(Fehler, SchreibDruckerkorrektur(laser, {0, 0, 1, 1.11}));
        QVERIFY_THROWS_EXCEPTION(Fehler,
                                 SchreibDruckerkorrektur(laser, {std::numeric_limits<double>::quiet_NaN(), 0, 1, 1}));
        QVERIFY_THROWS_EXCEPTION(Fehler, SchreibDruckerkorrektur(QString(), a));
        QCOMPARE(LiesDruckerkorrektur(laser), a);

        // The back's correction stands beside the front's, each kept and removed alone.
        SchreibDruckerkorrektur(laser, b, Blattseite::Rueckseite);
        QCOMPARE(LiesDruckerkorrektur(laser), a);
        QCOMPARE(LiesDruckerkorrektur(laser, Blattseite::Rueckseite), b);
        QCOMPARE(LiesDruckerkorrektur(buero, Blattseite::Rueckseite), Druckerkorrektur{});
        SchreibDruckerkorrektur(laser, {});
        QCOMPARE(LiesDruckerkorrektur(laser, Blattseite::Rueckseite), b);
        SchreibDruckerkorrektur(laser, {}, Blattseite::Rueckseite);
        QCOMPARE(LiesDruckerkorrektur(laser), Druckerkorrektur{});
        QCOMPARE(Korrekturzugang().childGroups(),
                 QStringList{QStringLiteral("Druckerausrichtung")});
        QCOMPARE(LiesDruckerkorrektur(buero), b);

        // "Registry-Einträge löschen" leaves them alone.
        SchreibErstwerte(QStringLiteral("/prog/"));
        LoescheSpeicher();
        QCOMPARE(LiesDruckerkorrektur(buero), b);

        // One kept in the program's store by an earlier version counts until it is replaced or removed.
        SchreibErstwerte(QStringLiteral("/prog/"));
        {
            QSettings s = Speicherzugang();
            s.beginGroup(QStringLiteral("Druckerausrichtung/Alt"));
            for (const char *name : {"VersatzX", "VersatzY"})
                s.setValue(QLatin1String(name), QStringLiteral("1.5"));
            for (const char *name : {"MassstabX", "MassstabY"})
                s.setValue(QLatin1String(name), QStringLiteral("1.01"));
        }
        const QString alt = QStringLiteral("Alt");
        QCOMPARE(LiesDruckerkorrektur(alt), (Druckerkorrektur{1.5, 1.5, 1.01, 1.01}));
        SchreibDruckerkorrektur(alt, a);
        QCOMPARE(LiesDruckerkorrektur(alt), a);
        SchreibDruckerkorrektur(alt, {});
        QCOMPARE(LiesDruckerkorrektur(alt), Druckerkorrektur{});
        QCOMPARE(LiesSpeicherwert(QStringLiteral("InstallOrt")), QStringLiteral("/prog/"));

#ifndef Q_OS_WIN
        // A hand-edited line the store cannot read does not make a kept correction look lost (a file store only).
        {
            QFile f(KorrekturOrt());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[General]\n/home/x/\n[Druckerausrichtung]\nLaser\\VersatzX=1\n");
        }
        SchreibDruckerkorrektur(laser, a);
        QCOMPARE(LiesDruckerkorrektur(laser), a);
        // A quote never closed swallows every line after it: the correction is still kept where it reads back.
        {
            QFile f(KorrekturOrt());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("; von Hand\n[General]\nNotiz=\"offen\n");
        }
        SchreibDruckerkorrektur(buero, b);
        QCOMPARE(LiesDruckerkorrektur(buero), b);
#endif
    }

    void bogenbelegung_data()
    {
        QTest::addColumn<bool>("genau");
        QTest::addColumn<int>("breite");           // in hundredths; the rest of the sheet is the sample card's
        QTest::addColumn<QStringList>("vorher");   // stored, sheet=places
        QTest::addColumn<QList<int>>("aenderung"); // used, or freed when negative
        QTest::addColumn<QStringList>("nachher");
        const QString karte = "10_15_54_95_54_85_2_5", genau = karte + "_genau_1000_1500_5400_9500_5400_";
        QTest::newRow("what another window marked meanwhile stays, a number that is no place goes")
            << false << 8500 << QStringList{karte + "=1,7,8,11"} << QList<int>{2, -7} << QStringList{karte + "=1,2,8"};
        QTest::newRow("a precise partner shares the entry and takes its own old one over")
            << true << 8500 << QStringList{karte + "=5", genau + "8500=1"} << QList<int>{6}
            << QStringList{karte + "=1,5,6"};
        QTest::newRow("84.5 mm is another sheet") << true << 8450 << QStringList{karte + "=1", genau + "8450=3"}
                                                  << QList<int>{4} << QStringList{karte + "=1", genau + "8450=3,4"};
    }

    // A change of the used places goes onto what the store holds now, under the key of the sheet on paper.
    void bogenbelegung()
    {
        QFETCH(bool, genau);
        QFETCH(int, breite);
        QFETCH(QStringList, vorher);
        QFETCH(QList<int>, aenderung);
        QFETCH(QStringList, nachher);
        LoescheKorrekturspeicher();
        for (const QString &e : vorher)
            Korrekturzugang().setValue("Bogenbelegung/" + e.section('=', 0, 0) + "/Verbraucht", e.section('=', 1));
        const Bogenmasse karte{10, 15, 54, 95, 54, 85, 2, 5};
        const Bogenmasse m = MitGenauenLaengen(karte, {1000, 1500, 5400, 9500, 5400, breite}, genau);
        Platzaenderung a;
        for (const int n : aenderung)
            (n > 0 ? a.verbraucht : a.frei).append(std::abs(n));
        const Belegung jetzt = AendereVerbrauchtePlaetze(m, a);
        QSettings s = Korrekturzugang();
        QStringList gespeichert;
        for (const QString &k : s.allKeys())
            gespeichert.append(k.section('/', 1, 1) + '=' + s.value(k).toStringList().join(','));
        gespeichert.sort();
        QCOMPARE(gespeichert, nachher);
        QCOMPARE(jetzt, LiesVerbrauchtePlaetze(m));
        QCOMPARE(GleicherBogen(m, karte), breite == 8500);
    }

    void druckerausrichtungUnbrauchbar_data()
    {
        QTest::addColumn<QString>("schluessel");
        QTest::addColumn<QVariant>("wert"); // invalid: the key is removed
        QTest::addColumn<Druckerkorrektur>("erwartet");
        const Druckerkorrektur keine{};
        QTest::newRow("offset beyond 20 mm") << "VersatzX" << QVariant("20.01") << keine;
        QTest::newRow("factor below 0.9") << "MassstabY" << QVariant("0.899") << keine;
        QTest::newRow("not a number") << "VersatzY" << QVariant("abc") << keine;
        QTest::newRow("a decimal comma") << "MassstabX" << QVariant("1,01") << keine;
        QTest::newRow("infinite") << "VersatzX" << QVariant("inf") << keine;
        QTest::newRow("not a number at all") << "MassstabX" << QVariant("nan") << keine;
        QTest::newRow("a list") << "VersatzY" << QVariant(QStringList{"1", "2"}) << keine;
        QTest::newRow("one value missing") << "MassstabY" << QVariant() << keine;
        QTest::newRow("20 mm and 110 % are still taken")
            << "VersatzX" << QVariant("-20") << Druckerkorrektur{-20, -1, 1.1, 0.99};
    }

    // Never half a correction: one bad value and the printer counts as having none.
    void druckerausrichtungUnbrauchbar()
    {
        QFETCH(QString, schluessel);
        QFETCH(QVariant, wert);
        QFETCH(Druckerkorrektur, erwartet);
        LoescheKorrekturspeicher();
        SchreibDruckerkorrektur(QStringLiteral("Laser"), {1, -1, 1.1, 0.99});
        {
            QSettings s = Korrekturzugang();
            s.beginGroup(QStringLiteral("Druckerausrichtung/Laser"));
            if (wert.isValid())
                s.setValue(schluessel, wert);
            else
                s.remove(schluessel);
        }
        QCOMPARE(LiesDruckerkorrektur(QStringLiteral("Laser")), erwartet);
    }

    // A value the store's reader would unpack trusting its counts, however it is spelt; texts as written stay.
    void gepackterWert_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<bool>("gepackt");
        const QByteArray gruppe = "[Druckerausrichtung]\nLaser\\VersatzX=";
        QTest::newRow("a list of 2^31 entries") << gruppe + R"w("@Variant(\0\0\0\t\x7f\0\0\x1)")w" << true;
        QTest::newRow("spelt with escapes") << gruppe + R"w(\x40Var\151a\qnt(\0))w" << true;
        QTest::newRow("split by quotes") << gruppe + R"w("@Var" "iant(\0)")w" << true;
        QTest::newRow("a hex escape wraps at 16 bits") << gruppe + R"w(\x10040Variant(\0))w" << true;
        QTest::newRow("a date, second in a list") << gruppe + R"w(1, @DateTime(\0))w" << true;
        QTest::newRow("a text that starts with @") << gruppe + "@@Variant(x)" << false;
        QTest::newRow("as written") << gruppe + "0.5\nLaser\\MassstabX=1.002\n" << false;
        QTest::newRow("a folder with @") << QByteArray("[General]\nOrdnerEtiketten=/home/a@b/Variant(1)\n") << false;
    }

    void gepackterWert()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(bool, gepackt);
        QCOMPARE(BirgtGepacktenWert(inhalt), gepackt);
#ifndef Q_OS_WIN
        auto lies = [](const QString &pfad) {
            QFile f(pfad);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const Druckerkorrektur buero{1, 0, 1, 1};
        const Druckerkorrektur laser{0.5, 0, 1, 1};
        LoescheKorrekturspeicher();
        SchreibDruckerkorrektur(QStringLiteral("Büro"), buero);
        QFile datei(KorrekturOrt());
        QVERIFY(datei.open(QIODevice::Append));
        datei.write(inhalt);
        datei.close();
        const QByteArray vorher = lies(KorrekturOrt());
        // Put aside whole under the first free name (a folder stands in the way of the first): nothing of it is
        // read, nothing deleted, and the next alignment starts a new store.
        const QString beiseite = KorrekturOrt() + QStringLiteral(".unlesbar");
        QVERIFY(QDir().mkpath(beiseite));
        const QStringList hinweise = SpeicherHinweise(); // as a start shows them
        QVERIFY2(hinweise.size() == int(gepackt) && (!gepackt || hinweise[0].contains(beiseite + " 2 daneben")),
                 qPrintable(hinweise.join(u'|')));
        QCOMPARE(LiesDruckerkorrektur(QStringLiteral("Büro")), gepackt ? Druckerkorrektur{} : buero);
        QCOMPARE(lies(beiseite + QStringLiteral(" 2")), gepackt ? vorher : QByteArray());
        SchreibDruckerkorrektur(QStringLiteral("Laser"), laser);
        QCOMPARE(LiesDruckerkorrektur(QStringLiteral("Laser")), laser);
        QVERIFY(QDir(beiseite).removeRecursively());
        QFile::remove(beiseite + QStringLiteral(" 2"));
#endif
    }

    // The stores' writer changes only the lines it names, in the encoding Qt's reader reads back: "K=W" sets, "-K"
    // removes K and its levels below.
    void speichertext_data()
    {
        QTest::addColumn<QByteArray>("vorher");
        QTest::addColumn<QStringList>("aenderungen");
        QTest::addColumn<QByteArray>("nachher");
        QTest::newRow("a new key after its section's last, a new section at the end, CR LF kept")
            << QByteArray("[Bogenbelegung]\r\na\\Verbraucht=1\r\n; Ende\r\n")
            << QStringList{"Bogenbelegung/b/Verbraucht=1,2", "Druckerausrichtung/Büro Laser/MassstabX=1.01"}
            << QByteArray("[Bogenbelegung]\r\na\\Verbraucht=1\r\nb\\Verbraucht=\"1,2\"\r\n; Ende\r\n\r\n"
                          "[Druckerausrichtung]\r\nB%FCro%20Laser\\MassstabX=1.01\r\n");
        QTest::newRow("comments and order kept, values changed in their lines, a group gone with its levels below")
            << QByteArray("; meine\n[General]\nInstallOrt=/a\n[Druckerausrichtung]\nMein Drucker\\VersatzX=1\n"
                          "Mein%20Drucker\\Rueckseite\\VersatzX=2\nAnder\\VersatzY=3\nAnder\\VersatzX=3\n")
            << QStringList{"-Druckerausrichtung/Mein Drucker", "InstallOrt= /b@", "Druckerausrichtung/Ander/VersatzX=4"}
            << QByteArray("; meine\n[General]\nInstallOrt=\" /b@\"\n[Druckerausrichtung]\nAnder\\VersatzY=3\n"
                          "Ander\\VersatzX=4\n");
    }

    void speichertext()
    {
        QFETCH(QByteArray, vorher);
        QFETCH(QStringList, aenderungen);
        QList<Speicheraenderung> liste;
        for (const QString &a : aenderungen)
            liste.append(a.startsWith(u'-') ? Speicheraenderung{a.mid(1), std::nullopt}
                                            : Speicheraenderung{a.section(u'=', 0, 0), a.section(u'=', 1)});
        const QByteArray text = IniMitAenderungen(vorher, liste);
        QTEST(text, "nachher");
        QTemporaryDir ordner;
        const QSettings gelesen(Schreibe(ordner, QStringLiteral("s.ini"), text), QSettings::IniFormat);
        for (const Speicheraenderung &a : liste)
            QCOMPARE(gelesen.value(a.schluessel), a.wert ? QVariant(*a.wert) : QVariant());
    }

    void ortsMeldungen()
    {
        QVERIFY(OrtsMeldungen(QStringLiteral("/Prog/"), QStringLiteral("/prog/")).isEmpty());
        QVERIFY(OrtsMeldungen(QStringLiteral("/prog/"), QStringLiteral("/prog/unter/")).isEmpty());
        const QStringList m = OrtsMeldungen(QStringLiteral("/alt/"), QStringLiteral("/neu/"));
        QCOMPARE(m.size(), 2);
        QCOMPARE(m[0],
                 QStringLiteral("\"Morvane\" haben Sie schon mal an einem anderen Speicherort benutzt:\n\r"
                                "\"/alt/\"\n\r\n\rIhre Daten finden Sie weiterhin im Ordner:\n\r\"/alt/\""));
        QCOMPARE(m[1],
                 QStringLiteral("Wenn Sie hier in diesem Ordner zukünftig Ihre Daten anlegen möchten,\n\r"
                                "dann betätigen Sie den Menüpunkt \"Optionen|Registry-Eintrag löschen\""));
    }

    void namensregeln()
    {
        QCOMPARE(Einstellungsname(QStringLiteral("Karte.BMP")), QStringLiteral("Karte.ini"));
        QCOMPARE(Einstellungsname(QStringLiteral("a.bmp.bmp")), QStringLiteral("a.bmp.ini"));
        QCOMPARE(Einstellungsname(QStringLiteral("x.bmpneu")), QStringLiteral("x.bmpneu.ini"));
        QVERIFY(!HatBildendung(QStringLiteral("x.BmPneu")));
        QCOMPARE(EinstellungsPfad(QStringLiteral("/a/Etikett.bmpNeu")), QStringLiteral("/a/Etikett.bmpNeu.ini"));
        QVERIFY(!HatBildendung(QStringLiteral("x.png")));
        QCOMPARE(DateinamenTeil(QStringLiteral("/a/b/Muster.BMP")), QStringLiteral("Muster.BMP"));
        QCOMPARE(NameOhneEndung(QStringLiteral("/a/b/Muster.BMP")), QStringLiteral("Muster"));
        QCOMPARE(Anzeigename(QStringLiteral("/a/Visitenkarte_85x54.bmp")), QStringLiteral("VISITENKARTE_85X54"));
        QCOMPARE(Anzeigename(QStringLiteral("/a/Größe.bmp")), QStringLiteral("GRÖßE"));
        QCOMPARE(Anzeigename(QStringLiteral("/a/Bär.png")), QStringLiteral("BÄR.PNG"));
    }

    // The one room for picture files: when it reads and waits, what it refuses, and that the size reader and the
    // decoder refuse alike.
    void bilddatei_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("art");     // how the file comes to stand there, and when it was last changed
        QTest::addColumn<int>("aenderungen"); // reads during which another writer rewrites the file in place
        QTest::addColumn<QString>("ablauf");  // of the read: W waited, L read
        QTest::addColumn<QString>("meldung"); // of the read, %1 the path; empty: read
        QTest::addColumn<QString>("grenze");  // of the size reader and the decoder alike; empty: read

        const QByteArray bild = Bmp24(3, 2, false, [](int x, int) { return qRgb(80 * x, 0, 0); });
        const auto schwarz = [](int breite, int hoehe) {
            return Bmp24(breite, hoehe, true, [](int, int) { return 0u; });
        };
        QByteArray viele = schwarz(8000, 1); // its pixels missing
        qToLittleEndian<qint32>(6000, viele.data() + 22);
        QByteArray weit = bild;
        qToLittleEndian<quint32>(0x80000036, weit.data() + 10);
        const QString keine;
        const QString kein = QStringLiteral("Die Datei %1 enthält kein lesbares Bitmap-Bild.");
        const QString seite = QStringLiteral("Das Bild %1 ist zu groß (%2 Pixel); höchstens 30000 Pixel in der Breite "
                                             "und in der Höhe werden gedruckt.");
        const auto zuGross = [&seite](const char *groesse) { return seite.arg(QStringLiteral("%1"), groesse); };
        QTest::newRow("an old file is read at once, once") << bild << "alt" << 0 << "L" << keine << keine;
        QTest::newRow("changed a moment ago: read once it stood still") << bild << "neu" << 0 << "WL" << keine << keine;
        QTest::newRow("changed 1.5 s ago: watched for a second") << bild << "frisch" << 0 << "WL" << keine << keine;
        QTest::newRow("changed 2.5 s ago: read at once") << bild << "ruhig" << 0 << "L" << keine << keine;
        QTest::newRow("its writer resting half way: read whole once it stood still a second")
            << bild << "ruhend" << 0 << "WL" << keine << keine;
        QTest::newRow("a time ahead of the clock was set, not written")
            << bild << "zukunft" << 0 << "L" << keine << keine;
        QTest::newRow("rewritten during the read: read again") << bild << "alt" << 1 << "LL" << keine << keine;
        QTest::newRow("rewritten during every read: no mix, a message")
            << bild << "alt" << 4 << "LLLL"
            << QStringLiteral("Die Datei %1 ändert sich laufend und wurde deshalb nicht gelesen. Versuchen Sie es "
                              "noch einmal, wenn sie fertig gespeichert ist.")
            << keine;
#ifndef Q_OS_WIN
        QTest::newRow("a named pipe, without waiting for a writer") << bild << "fifo" << 0 << "" << kein << kein;
        QTest::newRow("a device") << bild << "geraet" << 0 << "" << kein << kein;
#endif
        QTest::newRow("a folder") << bild << "ordner" << 0 << "" << kein << kein;
        const QString nicht = QStringLiteral("Datei %1 kann nicht geöffnet werden");
        QTest::newRow("missing") << bild << "fehlt" << 0 << "" << nicht << nicht;
        const QString gross =
            QStringLiteral("Die Datei %1 ist zu groß (513 MB); höchstens 512 MB werden als Bild gelesen.");
        QTest::newRow("beyond 512 MB, refused unread") << bild << "gross" << 0 << "" << gross << gross;
        QTest::newRow("65535 x 1") << schwarz(65535, 1) << "alt" << 0 << "L" << keine << zuGross("65535 x 1");
        QTest::newRow("30000 x 1") << schwarz(30000, 1) << "alt" << 0 << "L" << keine << keine;
        QTest::newRow("30001 x 1") << schwarz(30001, 1) << "alt" << 0 << "L" << keine << zuGross("30001 x 1");
        QTest::newRow("1 x 30001") << schwarz(1, 30001) << "alt" << 0 << "L" << keine << zuGross("1 x 30001");
        QTest::newRow("more than 40 million pixels, pixels missing")
            << viele << "alt" << 0 << "L" << keine
            << QStringLiteral("Das Bild %1 ist zu groß (8000 x 6000 Pixel); höchstens 40 Millionen Pixel werden "
                              "gedruckt.");
        QTest::newRow("pixels said to begin at byte 2^31 or beyond")
            << weit << "alt" << 0 << "L" << keine
            << QStringLiteral("Das Bild %1 lässt seine Pixel bei Byte 2147483702 beginnen; gelesen werden nur "
                              "Bilder, deren Pixel vor Byte 2147483648 beginnen.");
    }

    void bilddatei()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, art);
        QFETCH(int, aenderungen);
        QTemporaryDir ordner;
        // A "%2" in the name must stay in the messages as it is.
        QString pfad = ordner.filePath(QStringLiteral("Rabatt 5%2 bild.bmp"));
        if (art == QLatin1String("geraet")) {
            pfad = QStringLiteral("/dev/null");
        } else if (art == QLatin1String("fifo")) {
#ifndef Q_OS_WIN
            QCOMPARE(::mkfifo(QFile::encodeName(pfad).constData(), 0600), 0);
#endif
        } else if (art == QLatin1String("ordner")) {
            QVERIFY(QDir().mkdir(pfad));
        } else if (art != QLatin1String("fehlt")) {
            Schreibe(ordner, QStringLiteral("Rabatt 5%2 bild.bmp"), inhalt);
            QFile datei(pfad);
            QVERIFY(datei.resize(art == QLatin1String("gross") ? 513 << 20 : inhalt.size()));
            QVERIFY(datei.open(QIODevice::ReadWrite));
            const qint64 vorMs = art == QLatin1String("neu") ? -45
                : art == QLatin1String("zukunft")            ? -86400000
                : art == QLatin1String("frisch")             ? 1500
                : art == QLatin1String("ruhig")              ? 2500
                : art == QLatin1String("ruhend")             ? 0
                                                             : 3600000;
            QVERIFY(
                datei.setFileTime(QDateTime::currentDateTimeUtc().addMSecs(-vorMs), QFileDevice::FileModificationTime));
            if (art == QLatin1String("ruhend"))
                QVERIFY(datei.resize(inhalt.size() / 2));
        }
        // The rest comes while the reader watches.
        std::thread rest;
        if (art == QLatin1String("ruhend"))
            rest = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(400));
                QFile datei(pfad);
                if (datei.open(QIODevice::Append))
                    datei.write(inhalt.mid(inhalt.size() / 2));
            });
        const auto warteAufRest = qScopeGuard([&] {
            if (rest.joinable())
                rest.join();
        });

        QByteArray zuletzt = inhalt;
        QString ablauf;
        const auto beobachter = [&](Leseschritt schritt) {
            ablauf += schritt == Leseschritt::Gewartet ? QLatin1Char('W') : QLatin1Char('L');
            if (schritt == Leseschritt::Gelesen && aenderungen-- > 0) {
                zuletzt.back() ^= 1;
                QFile datei(pfad);
                QVERIFY(datei.open(QIODevice::ReadWrite) && datei.write(zuletzt) == zuletzt.size() && datei.flush());
                // Dated back, so that the test does not wait for it to stand still, and each time to another second:
                // where the system keeps no time of the change itself (Windows), the new time tells it.
                QVERIFY(datei.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-7200 - aenderungen),
                                          QFileDevice::FileModificationTime));
            }
        };
        const auto fehlerVon = [&pfad](const std::function<void()> &lesen) {
            try {
                lesen();
            } catch (const Fehler &f) {
                return QString(f.text()).replace(pfad, QLatin1String("%1"));
            }
            return QString();
        };
        QByteArray gelesen;
        const QString meldung = fehlerVon([&] { gelesen = LiesBilddatei(pfad, beobachter); });
        QTEST(meldung, "meldung");
        QCOMPARE(gelesen, meldung.isEmpty() ? zuletzt : QByteArray());
        QTEST(ablauf, "ablauf");

        // With nobody writing, the size reader and the decoder give the same message, or the same size.
        if (rest.joinable())
            rest.join();
        if (QFile datei(pfad); QFileInfo(pfad).isFile() && datei.open(QIODevice::Append))
            QVERIFY(
                datei.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600), QFileDevice::FileModificationTime));
        QSize groesse;
        QSize dekodiert;
        QTEST(fehlerVon([&] { groesse = LiesBildGroesse(pfad); }), "grenze");
        QTEST(fehlerVon([&] { dekodiert = LeseBild(pfad).size(); }), "grenze");
        QCOMPARE(dekodiert, groesse);
    }

    // Two windows replacing the same label's picture: each keep's names are its own from before the question on;
    // the ones given back leave nothing behind.
    void aufbewahrung()
    {
        QTemporaryDir ordner;
        const QString karte =
            Schreibe(ordner, QStringLiteral("Karte.bmp"), Bmp24(2, 2, false, [](int, int) { return 0u; }));
        {
            const Aufbewahrungsplatz erster(karte);
            const Aufbewahrungsplatz zweiter(karte);
            QCOMPARE(QFileInfo(zweiter.namen().bild).fileName(), QStringLiteral("Karte vorher 2.bmp"));
            QVERIFY(KopiereErsetzend(karte, erster.namen().bild));
        }
        QCOMPARE(QDir(ordner.path()).entryList(QDir::Files), (QStringList{"Karte vorher.bmp", "Karte.bmp"}));
    }

    void leseBild()
    {
        QTemporaryDir ordner;
        QVERIFY(ordner.isValid());

        const QString fehlt = ordner.filePath(QStringLiteral("fehlt.bmp"));
        try {
            LeseBild(fehlt);
            QFAIL("no Fehler for a missing file");
        } catch (const Fehler &f) {
            QCOMPARE(f.text(), QStringLiteral("Datei ") + fehlt + QStringLiteral(" kann nicht geöffnet werden"));
        }
        QVERIFY_THROWS_EXCEPTION(Fehler, LeseBild(ordner.path()));

        const QByteArray gut = Bmp24(3, 2, false, [](int, int) { return qRgb(128, 128, 128); });
        QCOMPARE(LeseBild(Schreibe(ordner, QStringLiteral("gut.bmp"), gut)).size(), QSize(3, 2));
        QVERIFY(LeseBild(Schreibe(ordner, QStringLiteral("leer.bmp"), QByteArray())).isNull());
        QVERIFY(LeseBild(Schreibe(ordner, QStringLiteral("text.bmp"), "kein Bild")).isNull());
        QVERIFY(LeseBild(Schreibe(ordner, QStringLiteral("kurz.bmp"), gut.left(30))).isNull());

        // A header that claims an absurd size must not make the reader allocate it: our limit refuses it.
        QByteArray riesig = gut;
        qToLittleEndian<qint32>(200000, riesig.data() + 18);
        qToLittleEndian<qint32>(200000, riesig.data() + 22);
        QVERIFY_THROWS_EXCEPTION(Fehler, LeseBild(Schreibe(ordner, QStringLiteral("riesig.bmp"), riesig)));

        // A 24-bit bitmap decodes as Qt's reader decodes it, whichever way up, however padded, wherever its pixels
        // start and whatever resolution it names.
        const auto bunt = [](int x, int y) { return qRgb(x * 40, y * 60, 255 - x * y); };
        QByteArray luecke = Bmp24(1, 4, false, bunt);
        luecke.insert(54, 6, '\x7f');
        qToLittleEndian<qint32>(60, luecke.data() + 10);
        QByteArray imKopf = Bmp24(4, 2, true, bunt);
        qToLittleEndian<qint32>(20, imKopf.data() + 10);
        qToLittleEndian<qint32>(2835, imKopf.data() + 38);
        qToLittleEndian<qint32>(-7, imKopf.data() + 42);
        for (const QByteArray &datei : {Bmp24(5, 3, false, bunt), Bmp24(3, 5, true, bunt), luecke, imKopf}) {
            const QImage gelesen = LeseBild(Schreibe(ordner, QStringLiteral("bunt.bmp"), datei));
            const QImage vonQt = QImage::fromData(datei, "BMP");
            QVERIFY(!vonQt.isNull());
            QCOMPARE(gelesen, vonQt);
            QCOMPARE(gelesen.format(), vonQt.format());
            QCOMPARE(QSize(gelesen.dotsPerMeterX(), gelesen.dotsPerMeterY()),
                     QSize(vonQt.dotsPerMeterX(), vonQt.dotsPerMeterY()));
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestSpeicherung)
#include "test_speicherung.moc"
