#include "platform/fehler.h"
#include "render/codes.h"
#include "render/pdfdatei.h"
#include "render/platzhalter.h"
#include "render/textsatz.h"
#include "storage/datenfelder.h"
#include "storage/liste.h"
#include "storage/profildatei.h"

#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#ifdef MORVANE_LIBCSV
#include <csv.h>
#endif

Q_DECLARE_METATYPE(Textfeld)
Q_DECLARE_METATYPE(Codeart)

namespace {

// A list as one line: its fields, then each record with its line, "Name|Ort / 2:A|B".
QString AlsZeile(const Liste &l)
{
    QStringList teile{l.felder.join(u'|')};
    for (const Listeneintrag &e : l.eintraege)
        teile.append(QString::number(e.zeile) + u':' + e.werte.join(u'|'));
    return teile.join(QStringLiteral(" / "));
}

// A section's key lines read back as the settings file's owner reads them.
Schluesselwert Abschnitt(const QByteArray &zeilen)
{
    return [text = "[S]\r\n" + zeilen](const QString &k) { return LeseProfilWertAusText(text, "S", k); };
}

Textfeld Text(const QStringList &zeilen, int groesse = 1000, bool fett = false)
{
    Textfeld t;
    t.Zeilen = zeilen;
    t.Groesse = groesse;
    t.Fett = fett;
    return t;
}

// The rectangle in mm around the pixels that are not `grund`, or (without one) darker than half grey.
QRectF Flaeche(const QImage &bild, double jeMm, std::optional<QRgb> grund = {})
{
    QRect r;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (grund ? bild.pixel(x, y) != *grund : qGray(bild.pixel(x, y)) < 128)
                r |= QRect(x, y, 1, 1);
    return QRectF(QPointF(r.topLeft()) / jeMm, QSizeF(r.size()) / jeMm);
}

} // namespace

class TestDatendruck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void liste_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("liste");
        const struct
        {
            const char *name, *inhalt, *liste;
        } zeilen[] = {
            {"semicolon, CR LF", "Name;Ort\r\nA;B\r\n", "Name|Ort / 2:A|B"},
            {"comma, LF, no last line end", "Name,Ort\nA,B", "Name|Ort / 2:A|B"},
            {"CR alone", "Name;Ort\rA;B\r", "Name|Ort / 2:A|B"},
            {"tab: blanks and commas are text", "Name\tOrt\n a, b \tC\n", "Name|Ort / 2:a, b|C"},
            {"most frequent separator of the first line", "N, T;O;P\nA, B;C;D", "N, T|O|P / 2:A, B|C|D"},
            {"no separator: one field", "Name\nOtt, Eva; Dr.\n", "Name / 2:Ott, Eva; Dr."},
            {"quoted separator, doubled quote, line break", "N;O\n\"A;B\";\"s \"\"ja\"\"\"\n\"x\r\ny\";z\nC;D\n",
             "N|O / 2:A;B|s \"ja\" / 3:x\ny|z / 5:C|D"},
            {"blanks trimmed outside quotes, kept inside", " N ; O \n  a b  ;  \"  c \"  \n", "N|O / 2:a b|  c "},
            {"byte-order mark", "\xEF\xBB\xBFN;O\n\xC3\xA4;\xE2\x82\xAC\n", "N|O / 2:ä|€"},
            {"Windows-1252 as UTF-8", "N;O\n\xE4;\x80\xDF\n", "N|O / 2:ä|€ß"},
            {"empty lines and records skipped", "\r\n;;\r\nN;O\r\n\r\n  \r\n;\r\nA;B\r\n", "N|O / 7:A|B"},
            {"short record filled, long one cut", "N;O\nA\nB;C;D\nE;F;;\n", "N|O / 2:A| / 3:B|C / 4:E|F"},
        };
        for (const auto &z : zeilen)
            QTest::newRow(z.name) << QByteArray(z.inhalt) << QString::fromUtf8(z.liste);
    }

    void liste()
    {
        QFETCH(QByteArray, inhalt);
        const Liste l = ListeAusText(inhalt, "l.csv");
        QTEST(AlsZeile(l), "liste");
        // Only values beyond the fields are told, once.
        QCOMPARE(l.hinweis,
                 QByteArray(QTest::currentDataTag()).contains("long one")
                     ? QStringLiteral("Zeile 3 der Liste l.csv hat 3 Felder, ihre "
                                      "erste Zeile nur 2; was darüber hinausgeht, "
                                      "wird nicht gedruckt.")
                     : QString());
    }

    void listeFehler_data()
    {
        QTest::addColumn<QByteArray>("inhalt"); // "/": a folder, "|": a named pipe
        QTest::addColumn<QString>("fehler");
        QTest::newRow("quote never closed") << QByteArray("N;O\nA;B\n\"C;D\nE;F\n")
                                            << "In der Liste l.csv wird das Anführungszeichen in Zeile 3 nicht "
                                               "geschlossen; der Rest der Datei wäre ein einziges Feld.";
        QTest::newRow("nothing but empty lines")
            << QByteArray("\r\n ; \r\n") << "Die Liste l.csv ist leer; ihre erste Zeile müsste die Felder nennen.";
        QTest::newRow("100000 records pass") << "N\n" + QByteArray("x\n").repeated(MeisteEintraege) << "";
        QTest::newRow("one more is refused") << "N\n" + QByteArray("x\n").repeated(MeisteEintraege + 1)
                                             << "Die Liste l.csv hat mehr als 100.000 Einträge; so viele Etiketten "
                                                "druckt Morvane nicht in einem Auftrag. Bitte teilen Sie die Liste.";
        QTest::newRow("a folder") << QByteArray("/") << "l.csv ist keine Datei, die als Liste gelesen werden kann.";
#ifdef MORVANE_LINUX_WERKZEUGE
        // Opened, a pipe without a writer would block.
        QTest::newRow("a named pipe") << QByteArray("|") << "l.csv ist keine Datei, die als Liste gelesen werden kann.";
#endif
    }

    void listeFehler()
    {
        QFETCH(QByteArray, inhalt);
        QTemporaryDir ordner;
        const QString pfad = ordner.filePath("l.csv");
        QFile datei(pfad);
        if (inhalt == "/")
            QVERIFY(QDir().mkdir(pfad));
        else if (inhalt == "|")
            QCOMPARE(QProcess::execute("mkfifo", {pfad}), 0);
        else
            QVERIFY(datei.open(QIODevice::WriteOnly) && datei.write(inhalt) == inhalt.size());
        datei.close();
        QString fehler;
        try {
            QCOMPARE(LiesListe(pfad).eintraege.size(), MeisteEintraege);
        } catch (const Fehler &f) {
            fehler = f.text();
        }
        QTEST(fehler.replace(pfad, "l.csv"), "fehler");
    }

#ifdef MORVANE_LIBCSV
    // Random values of separators, quotes, line breaks and blanks, quoted as RFC 4180 says, read as libcsv reads them.
    void listeWieLibcsv()
    {
        QRandomGenerator zufall(4180);
        const QString zeichen = QStringLiteral("ab;,\"\n äß");
        QByteArray text = "A;B;C;D\r\n";
        for (int z = 0; z < 300; ++z)
            for (int f = 0; f < 4; ++f) {
                QString wert;
                for (int n = zufall.bounded(6); n > 0; --n)
                    wert += zeichen[zufall.bounded(zeichen.size())];
                text += '"' + wert.replace("\"", "\"\"").toUtf8() + (f < 3 ? "\";" : "\"\r\n");
            }
        QList<QStringList> libcsv{{}};
        csv_parser p;
        QCOMPARE(csv_init(&p, CSV_STRICT), 0);
        csv_set_delim(&p, ';');
        const auto feld = [](void *d, size_t n, void *l) {
            static_cast<QList<QStringList> *>(l)->back().append(QString::fromUtf8(static_cast<char *>(d), n));
        };
        const auto ende = [](int, void *l) { static_cast<QList<QStringList> *>(l)->append(QStringList()); };
        QCOMPARE(csv_parse(&p, text.constData(), size_t(text.size()), feld, ende, &libcsv), size_t(text.size()));
        csv_free(&p);
        libcsv.removeIf([](const QStringList &e) { return e.join(QString()).isEmpty(); });
        const Liste l = ListeAusText(text, "l.csv");
        QCOMPARE(l.eintraege.size() + 1, libcsv.size());
        for (qsizetype i = 0; i < l.eintraege.size(); ++i)
            QCOMPARE(l.eintraege[i].werte, libcsv[i + 1]);
    }
#endif

    void platzhalter_data()
    {
        QTest::addColumn<QString>("vorlagen"); // lines and values separated by "|"
        QTest::addColumn<QString>("werte");
        QTest::addColumn<QString>("zeilen");
        QTest::addColumn<QString>("unbekannt");
        const struct
        {
            const char *name, *vorlagen, *werte, *zeilen, *unbekannt;
        } zeilen[] = {
            {"fields, case and blanks", "{Vorname} {Name}|{ straße }", "Eva|Ott|Weg 1", "Eva Ott|Weg 1", ""},
            {"empty field leaves no line", "{Name}|{Straße}|{Vorname} {Straße}|x", "|Ott|", "Ott|x", ""},
            {"a value's line break", "{Straße}", "||Hof\nHaus 2", "Hof|Haus 2", ""},
            {"running number, padded", "{Nr}/{nr:4}/{Nr:2}", "", "7/0007/07", ""},
            {"doubled and lone braces", "{{Nr}} }} {x { y}", "", "{Nr} } {x { y}", "{y}"},
            {"unknown ones stay, named once", "{Ort} {Nr:x}|{Ort}{}", "", "{Ort} {Nr:x}|{Ort}{}", "{Ort}|{Nr:x}|{}"},
        };
        for (const auto &z : zeilen)
            QTest::newRow(z.name) << QString::fromUtf8(z.vorlagen) << QString::fromUtf8(z.werte)
                                  << QString::fromUtf8(z.zeilen) << QString::fromUtf8(z.unbekannt);
    }

    void platzhalter()
    {
        QFETCH(QString, vorlagen);
        QFETCH(QString, werte);
        const QStringList felder{"Vorname", "Name", "Straße"};
        const QStringList v = vorlagen.split(u'|');
        QTEST(FuelleZeilen(v, {felder, werte.split(u'|'), 7}).join(u'|'), "zeilen");
        QTEST(UnbekanntePlatzhalter(v, felder).join(u'|'), "unbekannt");
        QCOMPARE(UnbekanntePlatzhalterMeldung({"{A}", "{B}"}, felder, "l.csv"),
                 "Die Liste l.csv hat keine Felder „{A}“ und „{B}“; ihre erste Zeile nennt: Vorname, Name, Straße.");
    }

    void abschnitte_data()
    {
        QTest::addColumn<QByteArray>("zeilen");
        QTest::addColumn<QString>("grund");
        const struct
        {
            const char *name, *zeilen, *grund;
        } zeilen[] = {
            {"no line", "Schrift=x", "Zeile1 fehlt dort"},
            {"size below 6 pt", "Zeile1=a\r\nGroesse=5.99",
             "Groesse=5.99 ist keine Zahl mit Dezimalpunkt und höchstens zwei Nachkommastellen zwischen 6 und 500"},
            {"decimal comma in the field", "Zeile1=a\r\nFeld=4,4,38,30,1",
             "Feld=4,4,38,30,1 sind nicht vier Zahlen x,y,Breite,Höhe in Millimetern mit Dezimalpunkt und höchstens "
             "zwei Nachkommastellen"},
            {"field without height", "Zeile1=a\r\nFeld=1,1,5,0", "Feld=1,1,5,0 hat keine Breite oder keine Höhe"},
            {"alignment unknown", "Zeile1=a\r\nSenkrecht=zentriert",
             "Senkrecht=zentriert ist keins von oben, mitte, unten"},
            {"colour by name", "Zeile1=a\r\nFarbe=rot", "Farbe=rot ist keine Farbe wie #1a2b3c (rot, grün, blau)"},
            {"code of another kind", "Art=PDF417\r\nInhalt=x",
             "Art=PDF417 ist keins von QR, DataMatrix, EAN13, Code128"},
            {"code without content", "Art=QR", "Inhalt fehlt dort"},
        };
        for (const auto &z : zeilen)
            QTest::newRow(z.name) << QByteArray(z.zeilen) << QString::fromUtf8(z.grund);
    }

    void abschnitte()
    {
        QFETCH(QByteArray, zeilen);
        const auto gelesen = zeilen.startsWith("Art") ? std::get<QString>(CodefeldAusWerten(Abschnitt(zeilen)))
                                                      : std::get<QString>(TextfeldAusWerten(Abschnitt(zeilen)));
        QTEST(gelesen, "grund");
    }

    // Every key read, and written to be read back the same; a Windows-1252 byte read as its letter.
    void abschnitteZurueck()
    {
        Textfeld t = Text({"{Vorname} {Name}", "", "  Stra\u00DFe \"1\""}, 1050, true);
        t.Schrift = "DejaVu Serif";
        t.Ausrichtung = Waagrecht::Rechts;
        t.Senkrecht = Lotrecht::Unten;
        t.Feld = Etikettfeld{400, 450, 3800, 3010};
        t.Farbe = 0x1a2b3c;
        QCOMPARE(std::get<Textfeld>(TextfeldAusWerten(Abschnitt(
                     "Zeile1={Vorname} {Name}\r\nZeile3=\"  Stra\xDF"
                     "e \"1\"\"\r\nSchrift=DejaVu Serif\r\nGroesse=10.5\r\n"
                     "Fett=1\r\nAusrichtung=RECHTS\r\nSenkrecht=unten\r\nFeld=4, 4.5,38,30.1\r\nFarbe=#1A2B3C"))),
                 t);
        QCOMPARE(std::get<Textfeld>(TextfeldAusWerten(Abschnitt(TextfeldZeilen(t)))), t);
        const Codefeld ean{Codeart::EAN13, "{EAN}", Etikettfeld{4500, 1100, 1500, 1500}};
        QCOMPARE(std::get<Codefeld>(CodefeldAusWerten(Abschnitt("Art=ean13\r\nInhalt={EAN}\r\nFeld=45,11,15,15"))),
                 ean);
        QCOMPARE(std::get<Codefeld>(CodefeldAusWerten(Abschnitt(CodefeldZeilen(ean)))), ean);
        // A value the reader would cut is not written.
        QVERIFY_THROWS_EXCEPTION(Fehler, CodefeldZeilen({Codeart::QR, QString(128, u'ä'), {}}));
    }

    void schriftgroesse_data()
    {
        QTest::addColumn<Textfeld>("text");
        QTest::addColumn<QSize>("feld");  // hundredths of a millimetre
        QTest::addColumn<int>("groesse"); // -1: none
        // DejaVu Sans: an M is 0.864 of the size wide, 0.997 in bold; a line 1.166 of it high.
        const QStringList m{"MMMMMMMMMM"};
        QTest::newRow("fits at its own size") << Text(m) << QSize(4000, 1000) << 1000;
        QTest::newRow("a fraction of a point kept") << Text(m, 1055) << QSize(4000, 1000) << 1055;
        QTest::newRow("too wide: the largest tenth that fits") << Text(m) << QSize(2000, 1000) << 650;
        QTest::newRow("too high: two lines") << Text({"M", "M"}) << QSize(4000, 704) << 850;
        QTest::newRow("bold measured bold") << Text(m, 1000, true) << QSize(2500, 1000) << 710;
        QTest::newRow("not even at 6 pt") << Text(m) << QSize(1500, 1000) << -1;
    }

    void schriftgroesse()
    {
        QFETCH(Textfeld, text);
        QFETCH(QSize, feld);
        QTEST(PassendeSchriftgroesse(text, text.Zeilen, feld.width(), feld.height()).value_or(-1), "groesse");
    }

    // The same lines at the same places on the screen and at 600 dpi, and in a PDF, as text, inside their field.
    void textAufJedemGeraet()
    {
        Textfeld t = Text({"Erika Mustermann", "Heidestraße 17", "12345 Köln"}, 1400);
        t.Ausrichtung = Waagrecht::Mitte;
        t.Senkrecht = Lotrecht::Unten;
        t.Feld = Etikettfeld{400, 400, 3800, 2000};
        const int groesse = PassendeSchriftgroesse(t, t.Zeilen, 3800, 2000).value_or(0);
        QVERIFY(groesse > KleinsteSchrift && groesse < 1400);
        const QRectF feld(24, 34, 38, 20); // on the label at 20 mm, 30 mm
        const auto zeichne = [&](QPainter &p, double j) {
            ZeichneText(p, t, t.Zeilen, groesse, QRectF(20 * j, 30 * j, 63.5 * j, 38.1 * j), j, j);
        };
        QList<QRectF> tinte;
        for (const double j : {96 / 25.4, 600 / 25.4}) {
            QImage bild(qRound(70 * j), qRound(60 * j), QImage::Format_Grayscale8);
            bild.fill(Qt::white);
            QPainter p(&bild);
            zeichne(p, j);
            p.end();
            tinte.append(Flaeche(bild, j));
        }
        QVERIFY(feld.contains(tinte[1]));
        const QPointF abstand =
            tinte[0].topLeft() - tinte[1].topLeft() + tinte[0].bottomRight() - tinte[1].bottomRight();
        QVERIFY2(abstand.manhattanLength() < 0.5, qPrintable(QString::number(abstand.manhattanLength())));
#ifdef MORVANE_LINUX_WERKZEUGE
        QTemporaryDir ordner;
        SchreibePdf(ordner.filePath("t.pdf"), "t", [&](QPainter &p) { zeichne(p, PdfDpi / 25.4); });
        QProcess text;
        text.start("pdftotext", {"-bbox", ordner.filePath("t.pdf"), "-"});
        QVERIFY(text.waitForFinished(60000) && text.exitCode() == 0);
        // Each word with its box in points: xMin, yMin, xMax, yMax.
        static const QRegularExpression wort(
            "xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
        QStringList woerter;
        QRectF alle;
        for (const QRegularExpressionMatch &m : wort.globalMatch(QString::fromUtf8(text.readAllStandardOutput()))) {
            const QRectF r(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) * 25.4 / 72,
                           QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()) * 25.4 / 72);
            QVERIFY2(feld.adjusted(-0.5, -0.5, 0.5, 0.5).contains(r), qPrintable(m.captured(5)));
            woerter.append(m.captured(5));
            alle |= r;
        }
        QCOMPARE(woerter.join(u' '), t.Zeilen.join(u' '));
        QVERIFY(qAbs(alle.bottom() - feld.bottom()) < 0.5 && qAbs(alle.center().x() - feld.center().x()) < 0.5);
#endif
    }

    void codes_data()
    {
        QTest::addColumn<Codeart>("art");
        QTest::addColumn<QString>("inhalt");
        QTest::addColumn<QString>("gelesen"); // by zbarimg, a DataMatrix by dmtxread
        QTest::addColumn<QString>("fehler");
        const QString url = "https://example.org/?Straße=1&b=2";
        QTest::newRow("QR, UTF-8") << Codeart::QR << url << url << "";
        QTest::newRow("DataMatrix") << Codeart::DataMatrix << "Inventar 0042"
                                    << "Inventar 0042"
                                    << "";
        QTest::newRow("EAN-13 of 12 digits") << Codeart::EAN13 << "400638133393"
                                             << "4006381333931"
                                             << "";
        QTest::newRow("EAN-13 of 13 digits") << Codeart::EAN13 << "4006381333931"
                                             << "4006381333931"
                                             << "";
        QTest::newRow("Code 128") << Codeart::Code128 << "Regal B-17"
                                  << "Regal B-17"
                                  << "";
        QTest::newRow("empty: nothing drawn") << Codeart::QR << ""
                                              << ""
                                              << "";
        QTest::newRow("EAN-13 of letters") << Codeart::EAN13 << "ABC"
                                           << ""
                                           << "Ein EAN-13-Code besteht aus 12 oder 13 Ziffern; „ABC“ ist keiner.";
        QTest::newRow("EAN-13, wrong check digit") << Codeart::EAN13 << "4006381333932"
                                                   << ""
                                                   << "Die letzte Ziffer von „4006381333932“ ist nicht die Prüfziffer "
                                                      "eines EAN-13-Codes; richtig wäre 1.";
        QTest::newRow("Code 128 beyond Latin-1")
            << Codeart::Code128 << "5 €"
            << ""
            << "Ein Code-128-Code kennt nur die Zeichen westeuropäischer Sprachen; „5 €“ enthält „€“.";
        QTest::newRow("QR too long") << Codeart::QR << QString(8000, u'x') << ""
                                     << "„" + QString(39, u'x') + "…“ ist mit 8000 Zeichen zu lang für einen QR-Code.";
    }

    void codes()
    {
        QFETCH(Codeart, art);
        QFETCH(QString, inhalt);
        QFETCH(QString, gelesen);
        const auto code = BaueCode(art, inhalt);
        QTEST(std::holds_alternative<QString>(code) ? std::get<QString>(code) : QString(), "fehler");
        if (!std::holds_alternative<Codebild>(code))
            return;
        const double j = 300 / 25.4;
        QImage etikett(qRound(50 * j), qRound(30 * j), QImage::Format_RGB32);
        etikett.fill(Qt::lightGray);
        QPainter p(&etikett);
        ZeichneCode(p, {art, inhalt, {}}, std::get<Codebild>(code), etikett.rect(), j, j);
        p.end();
        // In the label less 3 mm, centred, its proportions kept: within a pixel on each side.
        const QRectF f = Flaeche(etikett, j, QColor(Qt::lightGray).rgb());
        QCOMPARE(f.isEmpty(), inhalt.isEmpty());
        if (inhalt.isEmpty())
            return;
        const bool quadrat = art == Codeart::QR || art == Codeart::DataMatrix;
        QVERIFY(qAbs(f.width() - (quadrat ? 24 : 44)) < 0.2
                && (quadrat ? qAbs(f.height() - 24) < 0.2 : f.height() < 24.2));
        QVERIFY(qAbs(f.center().x() - 25) < 0.2 && qAbs(f.center().y() - 15) < 0.2);
#ifdef MORVANE_LINUX_WERKZEUGE
        QTemporaryDir ordner;
        QVERIFY(etikett.save(ordner.filePath("c.png")));
        QProcess leser;
        if (art == Codeart::DataMatrix)
            leser.start("dmtxread", {"-N1", ordner.filePath("c.png")});
        else
            leser.start("zbarimg", {"--raw", "-q", ordner.filePath("c.png")});
        QVERIFY2(leser.waitForFinished(60000), "zbarimg (zbar-tools) or dmtxread (dmtx-utils) is missing");
        QCOMPARE(QString::fromUtf8(leser.readAllStandardOutput()).trimmed(), gelesen);
#endif
    }
};

QTEST_MAIN(TestDatendruck)
#include "test_datendruck.moc"
