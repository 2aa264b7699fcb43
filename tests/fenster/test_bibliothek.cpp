#include "app/bildansicht.h"
#include "app/formetikette_p.h"
#include "programmordner.h"
#include "app/updown.h"
#include "storage/bilddatei.h"
#include "storage/dateien.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "storage/etikettdateien.h"
#include "storage/namen.h"
#include "storage/speicher.h"

#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#ifdef MORVANE_LINUX_WERKZEUGE
#include "vollerordner.h"
#endif

namespace {

// A 3 x 7 sheet, so that every measure differs from the sample label's 2 x 5 business cards.
const QByteArray VorlagenIni = "[Einstellung]\r\nObererRand=15\r\nSeitenRand=7\r\nVertikalabstand=38\r\n"
                               "Horizontalabstand=66\r\nEtikettenhoehe=38\r\nEtikettenbreite=63\r\n"
                               "AnzahlEtikettenInZeile=3\r\nAnzahlEtikettenInSpalte=7\r\n";
const QString NamenFrage = QStringLiteral("Möchten Sie dem Etikett einen neuen Namen geben?");
const QString Kopierfehler = QStringLiteral("Datei kann nicht kopiert werden.");
const QString LeerMeldung = QStringLiteral("Der Name ist leer. Bitte geben Sie dem Etikett einen Namen.");
const QString OrdnerMeldung = QStringLiteral("Der Name darf weder \"/\" noch \"\\\" noch \"..\" enthalten: das Etikett "
                                             "wird immer im Ordner der Etiketten gespeichert. Bitte geben Sie nur "
                                             "einen Namen ein.");
const QString BearbeitenMeldung = QStringLiteral(
    "Das Etikett wird in Ihr Standard Bildverarbeitungsprogramm geladen. Sie können es dann bearbeiten und danach "
    "SPEICHERN.\r\nWechseln Sie nach dem Speichern zum Programm Etiketten zurück und betätigen den Schalter "
    "\"Etikett neu laden\"");
const QDateTime Altes = QDateTime(QDate(2001, 3, 4), QTime(10, 20, 30));

QByteArray lies(const QString &pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void schreibe(const QString &pfad, const QByteArray &inhalt)
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
    f.close();
    DatiereZurueck(pfad);
}

void schreibeBild(const QString &pfad, QColor farbe, QSize groesse = {300, 180})
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QImage bild(groesse, QImage::Format_RGB32);
    bild.fill(farbe);
    QVERIFY(bild.save(pfad, "BMP"));
    DatiereZurueck(pfad);
}

void macheAlt(const QString &pfad)
{
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(Altes, QFileDevice::FileModificationTime));
}

// Stamped with the time of copying, in the two-second steps the stamp uses.
bool frisch(const QString &pfad)
{
    const QDateTime zeit = QFileInfo(pfad).lastModified();
    return qAbs(zeit.secsTo(QDateTime::currentDateTime())) <= 5 && zeit.time().second() % 2 == 0
        && zeit.time().msec() == 0;
}

QStringList dateienIn(const QString &ordner)
{
    return QDir(ordner).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A started window on the sample label, with a template "Vorlage" in the templates folder, the position set
// away from the first cell and the reload button shown, so that what the commands change can be seen.
struct MitVorlage : Gestartet
{
    QString vorlage;
    QString beispiel;
    QString titelVorher;

    MitVorlage()
    {
        vorlage = form->zustand().OrdnerEtikettenVorlagen + QStringLiteral("Vorlage.bmp");
        schreibeBild(vorlage, QColor(0, 120, 0));
        schreibe(form->zustand().OrdnerEtikettenVorlagen + QStringLiteral("Vorlage.ini"), VorlagenIni);
        beispiel = p.daten(QStringLiteral("Visitenkarte_85x54.bmp"));
        form->UpDownSpalte->setPosition(2);
        form->EditSpalte->setText(QStringLiteral("2"));
        form->UpDownZeile->setPosition(3);
        form->EditZeile->setText(QStringLiteral("3"));
        form->BitBtnNeuladen->show();
        titelVorher = form->windowTitle();
    }

    bool istNochDasBeispiel() const
    {
        return form->dokument().bildPfad() == beispiel && form->windowTitle() == titelVorher
            && form->ObererRand() == 10 && form->AnzahlEtikettenInZeile() == 2;
    }
};

// A picture as another program exports it: 1000 x 635, the card's proportions, a gradient that scaling shows.
QImage Verlauf()
{
    QImage bild(1000, 635, QImage::Format_RGB32);
    for (int i = 0; i < 1000 * 635; ++i)
        bild.setPixel(i % 1000, i / 1000, qRgb(i % 256, i / 1000 % 256, i / 7 % 256));
    return bild;
}

} // namespace

class TestBibliothek : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bildUebernehmen_data()
    {
        QTest::addColumn<int>("weg");
        QTest::addColumn<QString>("meldungsende"); // of the error; empty where the picture is taken
        QTest::newRow("Bearbeiten | Bild übernehmen... replaces the card's picture") << 0 << QString();
        QTest::newRow("Datei | Neu aus einem Bild... makes a new label of the card's sheet") << 1 << QString();
        QTest::newRow("a file dropped onto the label view replaces the card's picture") << 2 << QString();
        QTest::newRow("a 300 x 300 PNG asks how, and takes Füllen with its hint") << 4 << QString();
        QTest::newRow("a broken PNG is refused") << 0 << QStringLiteral("enthält kein lesbares Bild.");
        QTest::newRow("a folder dropped onto the view is no picture")
            << 5 << QStringLiteral("enthält kein lesbares Bild.");
#ifdef MORVANE_LINUX_WERKZEUGE
        QTest::newRow("a label in a folder without room keeps its files")
            << 3 << QStringLiteral("Das Bild wurde nicht übernommen.");
#endif
    }

    void bildUebernehmen()
    {
        QFETCH(int, weg);
        QFETCH(QString, meldungsende);
        Gestartet g;
        QString ordner = g.p.daten(QString());
#ifdef MORVANE_LINUX_WERKZEUGE
        VollerOrdner voll;
        if (weg == 3) {
            QVERIFY2(voll.da(), qPrintable(voll.grund()));
            ordner = voll.ordner() + QDir::separator();
            schreibeBild(ordner + QStringLiteral("Karte.bmp"), Qt::blue, {40, 25});
            schreibe(ordner + QStringLiteral("Karte.ini"), "[Einstellung]\r\nEtikettenhoehe=54\r\n");
            g.p.dialoge.dateien.push_back(ordner + QStringLiteral("Karte.bmp"));
            g.form->Oeffnen1->trigger();
        }
#endif
        const QString karte = g.form->dokument().bildPfad();
        // A card with a back and a bleed: a picture taken keeps both, once each; a new label starts with neither.
        if (weg != 3)
            schreibe(EinstellungsPfad(karte),
                     lies(EinstellungsPfad(karte)) + "[Rueckseite]\r\nBild=hinten.bmp\r\n[Anschnitt]\r\nRand=1.5\r\n");
        const QStringList dateien = dateienIn(ordner);
        const QByteArray bildVorher = lies(karte), iniVorher = lies(EinstellungsPfad(karte));
        const QString png = g.p.pfad(weg == 5 ? QStringLiteral("Ordner.png") : QStringLiteral("logo.png"));
        QVERIFY(weg == 5 ? QDir().mkpath(png)
                         : (weg == 4 ? Verlauf().copy(0, 0, 300, 300) : Verlauf()).save(png, "PNG"));
        if (weg == 4)
            g.p.dialoge.einpassungen.push_back(Einpassung::Fuellen);
        if (weg == 0 && !meldungsende.isEmpty())
            schreibe(png, lies(png).left(200));
        else if (weg != 5)
            g.p.dialoge.antworten = {weg != 1}; // replace the picture; no new name for the new label
        QMimeData abgelegt;                     // as the desktop delivers a file dropped onto the view
        abgelegt.setUrls({QUrl::fromLocalFile(png)});
        QDragEnterEvent hinein(QPoint(5, 5), Qt::CopyAction, &abgelegt, Qt::LeftButton, Qt::NoModifier);
        QDropEvent ablage(QPointF(5, 5), Qt::CopyAction, &abgelegt, Qt::LeftButton, Qt::NoModifier);
        if (weg == 2 || weg == 5)
            QVERIFY(QCoreApplication::sendEvent(g.form->Image1, &hinein)
                    && QCoreApplication::sendEvent(g.form->Image1, &ablage) && ablage.isAccepted());
        else
            g.p.dialoge.dateien.push_back(png);
        if (weg != 2 && weg != 5)
            (weg == 1 ? g.form->NeuAusBild1 : g.form->BildUebernehmen1)->trigger();

        const QString ziel = weg == 1 ? g.p.daten(QStringLiteral("logo.bmp")) : karte;
        QTRY_COMPARE(g.p.dialoge.dateien.size() + g.p.dialoge.antworten.size(), std::size_t(0));
        QCOMPARE(g.p.dialoge.unerwartet, QStringList());
        if (!meldungsende.isEmpty()) {
            QTRY_VERIFY(!g.p.dialoge.texte(QStringLiteral("fehler")).isEmpty()); // a drop is taken after it ended
            const QStringList fehler = g.p.dialoge.texte(QStringLiteral("fehler"));
            QVERIFY2(fehler.size() == 1 && fehler.first().endsWith(meldungsende), qPrintable(fehler.join(u'|')));
            QCOMPARE(dateienIn(ordner), dateien);
            QCOMPARE(lies(karte), bildVorher);
            QCOMPARE(lies(EinstellungsPfad(karte)), iniVorher);
            return;
        }
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("fehler")), QStringList());
        QTRY_COMPARE(g.form->dokument().bildPfad(), ziel);
        const QImage erwartet = weg == 4 ? EtikettAusBild(LiesFremdbild(png), g.form->Masse(), Einpassung::Fuellen)
                                         : Verlauf(); // 4 pixels short of the card at 300 dpi: its own pixels
        QVERIFY(weg != 4
                || g.p.dialoge.gezeigteBildwahl->hinweis(Einpassung::Fuellen).contains(QStringLiteral(" nur 90 dpi;")));
        QCOMPARE(LeseBild(ziel), erwartet);
        QCOMPARE(LeseBild(ziel).dotsPerMeterX(), 11811); // 300 dpi
        QCOMPARE(g.form->Image1->bild(), erwartet);
        const Bogenmasse genau = LiesEtikettdatei(EinstellungsPfad(ziel), Anfangsmasse).inhalt.masse;
        QVERIFY(genau.IstGenau());
        QCOMPARE(GenaueLaengen(genau), (Laengen{1000, 1500, 5400, 9500, 5400, 8500}));
        QCOMPARE(g.form->Masse(), genau);
        const QByteArray ini = lies(EinstellungsPfad(ziel));
        for (const char *abschnitt : {"[Einstellung]", "[Genau]"})
            QCOMPARE(ini.count(abschnitt), 1);
        for (const char *abschnitt : {"[Rueckseite]", "[Anschnitt]"})
            QCOMPARE(ini.count(abschnitt), weg == 1 ? 0 : 1);
        if (weg != 1) // the next keep takes a name of its own
            QCOMPARE(FreieAufbewahrung(karte).bild, g.p.daten(QStringLiteral("Visitenkarte_85x54 vorher 2.bmp")));
        QCOMPARE(lies(g.p.daten(QStringLiteral("Visitenkarte_85x54 vorher.bmp"))),
                 weg == 1 ? QByteArray() : bildVorher);
        const QString frage = g.p.dialoge.texte(QStringLiteral("frage")).value(0);
        QVERIFY2(weg == 1
                     || frage.contains(QStringLiteral("VISITENKARTE_85X54 wird durch logo.png ersetzt"))
                         && frage.contains(QStringLiteral("als \"Visitenkarte_85x54 vorher.bmp\"")),
                 qPrintable(frage));
    }

    // "Rückseite wählen...": a picture from anywhere becomes the card's back beside it through the picture take-in;
    // a card with a back is asked what to do, and Return never removes it.
    void rueckseiteWaehlen_data()
    {
        QTest::addColumn<int>("antwort");        // to the question of a card with a back; -1: it has none
        QTest::addColumn<QString>("datei");      // png, kaputt (a broken PNG) or bmp (one in the labels folder)
        QTest::addColumn<QString>("rueckseite"); // what the settings file then names
        const QString erste = QStringLiteral("Visitenkarte_85x54 Rückseite.bmp");
        QTest::newRow("a PNG from another folder becomes the back beside the card") << -1 << "png" << erste;
        QTest::newRow("another back takes the next name, the first stays")
            << 0 << "png" << QStringLiteral("Visitenkarte_85x54 Rückseite 2.bmp");
        QTest::newRow("Keine Rückseite takes it from the settings, the file stays") << 1 << "png" << QString();
        QTest::newRow("Abbrechen keeps the back") << 2 << "png" << erste;
        QTest::newRow("a broken PNG is refused and nothing written") << -1 << "kaputt" << QString();
        QTest::newRow("a 1000 x 640 BMP in the labels folder is the back as it is, shown at the card's size")
            << -1 << "bmp" << QStringLiteral("Logo hinten.bmp");
    }

    void rueckseiteWaehlen()
    {
        QFETCH(int, antwort);
        QFETCH(QString, datei);
        const bool kaputt = datei == QLatin1String("kaputt");
        QFETCH(QString, rueckseite);
        Gestartet g;
        const QString karte = g.form->dokument().bildPfad();
        const QString erste = g.p.daten(QStringLiteral("Visitenkarte_85x54 Rückseite.bmp"));
        QTemporaryDir anderswo;
        const QString png = anderswo.filePath(QStringLiteral("hinten.png"));
        const auto waehle = [&](const QImage &bild, std::optional<int> frage) {
            QVERIFY(bild.save(png, "PNG"));
            g.p.dialoge.leeren();
            if (frage)
                g.p.dialoge.auswahlen = {*frage};
            if (!frage || *frage == 0)
                g.p.dialoge.dateien = {png};
            g.form->RueckseiteWaehlen1->trigger();
        };
        if (antwort >= 0) {
            waehle(QImage(Verlauf()).mirrored(), std::nullopt);
            QCOMPARE(LeseBild(erste), QImage(Verlauf()).mirrored());
        }
        if (datei == QLatin1String("bmp"))
            schreibeBild(g.p.daten(rueckseite), Qt::red, {1000, 640});
        const QStringList vorher = dateienIn(g.p.daten(QString()));
        const QSize vorne = g.form->Image1->size();
        if (datei != QLatin1String("png")) {
            if (kaputt)
                schreibe(png, "\x89PNG kaputt");
            g.p.dialoge.dateien = {kaputt ? png : g.p.daten(rueckseite)};
            g.form->RueckseiteWaehlen1->trigger();
        } else {
            waehle(Verlauf(), antwort >= 0 ? std::optional<int>(antwort) : std::nullopt);
        }
        QCOMPARE(g.p.dialoge.unerwartet, QStringList());
        QCOMPARE(LiesEtikettdatei(EinstellungsPfad(karte), Anfangsmasse).inhalt.rueckseite, rueckseite);
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("fehler")).size(), kaputt ? 1 : 0);
        if (datei != QLatin1String("png") || antwort > 0)
            QCOMPARE(dateienIn(g.p.daten(QString())), vorher);
        if (antwort >= 0) {
            const QString knoepfe = g.p.dialoge.texte(QStringLiteral("auswahl")).value(0).section(u'\n', -1);
            QCOMPARE(knoepfe.split(u'|').value(g.p.dialoge.auswahlVorgaben.value(0)),
                     QStringLiteral("&Andere wählen..."));
            QCOMPARE(LeseBild(erste), QImage(Verlauf()).mirrored());
        }
        if (datei == QLatin1String("bmp"))
            QVERIFY(g.form->RueckseiteZeigenCheckBox->isChecked() && g.form->Image1->size() == vorne);
        if (antwort <= 0 && datei == QLatin1String("png")) {
            // The card's own size at 300 dpi holds the picture's own pixels.
            const QString neu = g.p.daten(rueckseite);
            QCOMPARE(LeseBild(neu), Verlauf());
            QCOMPARE(LeseBild(neu).dotsPerMeterX(), 11811);
            QCOMPARE(g.p.dialoge.texte(QStringLiteral("bildOeffnen")), QStringList{QFileInfo(karte).absolutePath()});
        }
    }

    void dateiDatum_data()
    {
        QTest::addColumn<QDateTime>("zeit");
        QTest::addColumn<bool>("gesetzt");
        QTest::addColumn<QDateTime>("erwartet");
        const QDate tag(2001, 5, 6);
        QTest::newRow("odd second goes down to the two-second step")
            << QDateTime(tag, QTime(12, 34, 57, 600)) << true << QDateTime(tag, QTime(12, 34, 56));
        QTest::newRow("even second stays") << QDateTime(tag, QTime(8, 0, 2)) << true << QDateTime(tag, QTime(8, 0, 2));
        QTest::newRow("first day of 1980")
            << QDateTime(QDate(1980, 1, 1), QTime(0, 0)) << true << QDateTime(QDate(1980, 1, 1), QTime(0, 0));
        QTest::newRow("last second of 2099") << QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59)) << true
                                             << QDateTime(QDate(2099, 12, 31), QTime(23, 59, 58));
        QTest::newRow("before 1980 is refused") << QDateTime(QDate(1979, 12, 31), QTime(23, 59, 58)) << false << Altes;
        QTest::newRow("after 2099 is refused") << QDateTime(QDate(2100, 1, 1), QTime(0, 0)) << false << Altes;
    }

    void dateiDatum()
    {
        QFETCH(QDateTime, zeit);
        QFETCH(bool, gesetzt);
        QFETCH(QDateTime, erwartet);
        QTemporaryDir dir;
        const QString pfad = dir.filePath(QStringLiteral("Karte.bmp"));
        schreibe(pfad, "Inhalt");
        macheAlt(pfad);
        QCOMPARE(SetzeDateiDatum(pfad, zeit), gesetzt);
        QCOMPARE(QFileInfo(pfad).lastModified(), erwartet);
        QCOMPARE(lies(pfad), QByteArray("Inhalt")); // opened for writing, yet not emptied
    }

    void dateiDatumOhneDatei()
    {
        QTemporaryDir dir;
        const QString pfad = dir.filePath(QStringLiteral("fehlt.bmp"));
        QVERIFY(!SetzeDateiDatum(pfad, QDateTime::currentDateTime()));
        QVERIFY(!QFileInfo::exists(pfad));
        QVERIFY(!SetzeDateiDatum(dir.path(), QDateTime::currentDateTime()));
    }

    void kopiereErsetzend()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.bmp"));
        const QString b = dir.filePath(QStringLiteral("b.ini"));
        QByteArray gross(200000, Qt::Uninitialized); // more than one read of the copy loop
        for (int i = 0; i < gross.size(); ++i)
            gross[i] = char(i * 7 % 251);
        schreibe(a, gross);
        schreibe(b, "neu");
        const QString ziel = dir.filePath(QStringLiteral("ziel/x.bmp"));
        const QString zielIni = dir.filePath(QStringLiteral("ziel/x.ini"));
        QDir().mkpath(dir.filePath(QStringLiteral("ziel")));

        QVERIFY(KopiereErsetzend(a, ziel));
        QCOMPARE(lies(ziel), gross);
        QCOMPARE(lies(a), gross);

        schreibe(ziel, "alt");
        schreibe(zielIni, "alt ini");
        // A source that cannot be read leaves the target as it was and no temporary file behind.
        QVERIFY(!KopiereErsetzend(dir.filePath(QStringLiteral("fehlt.bmp")), ziel));
        QVERIFY(!KopiereErsetzend(dir.filePath(QStringLiteral("ziel")), ziel));
        QCOMPARE(lies(ziel), QByteArray("alt"));
        QCOMPARE(dateienIn(dir.filePath(QStringLiteral("ziel"))), (QStringList{"x.bmp", "x.ini"}));
        QVERIFY(!KopiereErsetzend(a, dir.filePath(QStringLiteral("weg/x.bmp"))));

        // Together: the second copy failing keeps the first target too.
        QVERIFY(!KopiereErsetzend({{a, ziel}, {dir.filePath(QStringLiteral("fehlt.ini")), zielIni}}));
        QCOMPARE(lies(ziel), QByteArray("alt"));
        QCOMPARE(lies(zielIni), QByteArray("alt ini"));
        QCOMPARE(dateienIn(dir.filePath(QStringLiteral("ziel"))), (QStringList{"x.bmp", "x.ini"}));

        QVERIFY(KopiereErsetzend({{a, ziel}, {b, zielIni}}));
        QCOMPARE(lies(ziel), gross);
        QCOMPARE(lies(zielIni), QByteArray("neu"));
        // Onto itself: read whole before the file is replaced.
        QVERIFY(KopiereErsetzend(ziel, ziel));
        QCOMPARE(lies(ziel), gross);
        QCOMPARE(dateienIn(dir.filePath(QStringLiteral("ziel"))), (QStringList{"x.bmp", "x.ini"}));
    }

    void neuerNameFehler_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("plain name") << QStringLiteral("Karte") << QString();
        QTest::newRow("with extension in capitals") << QStringLiteral("Karte.BMP") << QString();
        QTest::newRow("blanks and umlauts") << QStringLiteral("Grüße an Jörg") << QString();
        QTest::newRow("one dot inside") << QStringLiteral("v1.2") << QString();
        QTest::newRow("empty") << QString() << LeerMeldung;
        QTest::newRow("only blanks") << QStringLiteral("   ") << LeerMeldung;
        QTest::newRow("only the extension") << QStringLiteral(".BMP") << LeerMeldung;
        QTest::newRow("parent folder") << QStringLiteral("../Karte") << OrdnerMeldung;
        QTest::newRow("two dots alone") << QStringLiteral("..") << OrdnerMeldung;
        QTest::newRow("sub folder") << QStringLiteral("Unter/Karte") << OrdnerMeldung;
        QTest::newRow("backslash") << QStringLiteral("Unter\\Karte") << OrdnerMeldung;
        QTest::newRow("absolute path") << QStringLiteral("/tmp/Karte.bmp") << OrdnerMeldung;
        QTest::newRow("a dot first: a hidden file") << QStringLiteral(".Karte")
                                                    << QStringLiteral("Der Name darf nicht mit einem Punkt beginnen: "
                                                                      "eine solche Datei ist versteckt, und \"Öffnen..."
                                                                      "\" würde das Etikett nicht zeigen. Bitte geben "
                                                                      "Sie einen anderen Namen ein.");
    }

    void neuerNameFehler()
    {
        QFETCH(QString, name);
        QFETCH(QString, meldung);
        QCOMPARE(NeuerNameFehler(name), meldung);
    }

    void neuNamen_data()
    {
        QTest::addColumn<bool>("umbenennen");
        QTest::addColumn<std::optional<QString>>("eingabe");
        QTest::addColumn<QString>("bild");
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("titel");
        const std::optional<QString> abbrechen;
        QTest::newRow("Nein keeps the template's name") << false << abbrechen << QStringLiteral("Vorlage.bmp")
                                                        << QStringLiteral("Vorlage.ini") << QStringLiteral("VORLAGE");
        QTest::newRow("Ja, then Abbrechen keeps the template's name")
            << true << abbrechen << QStringLiteral("Vorlage.bmp") << QStringLiteral("Vorlage.ini")
            << QStringLiteral("VORLAGE");
        QTest::newRow("Ja, Karte.BMP keeps its extension")
            << true << std::optional(QStringLiteral("Karte.BMP")) << QStringLiteral("Karte.BMP")
            << QStringLiteral("Karte.ini") << QStringLiteral("KARTE");
        QTest::newRow("Ja, Karte gets the extension")
            << true << std::optional(QStringLiteral("Karte")) << QStringLiteral("Karte.bmp")
            << QStringLiteral("Karte.ini") << QStringLiteral("KARTE");
        QTest::newRow("Ja, only the first extension gives way to .ini")
            << true << std::optional(QStringLiteral("a.bmp.bmp")) << QStringLiteral("a.bmp.bmp")
            << QStringLiteral("a.bmp.ini") << QStringLiteral("A.BMP");
        QTest::newRow("Ja, .bmp inside the name is no extension")
            << true << std::optional(QStringLiteral("Karte.bmpZwei")) << QStringLiteral("Karte.bmpZwei.bmp")
            << QStringLiteral("Karte.bmpZwei.ini") << QStringLiteral("KARTE.BMPZWEI");
        QTest::newRow("Ja, blanks and umlauts, caption in capitals")
            << true << std::optional(QStringLiteral("Grüße an Jörg")) << QStringLiteral("Grüße an Jörg.bmp")
            << QStringLiteral("Grüße an Jörg.ini") << QStringLiteral("GRÜßE AN JÖRG");
    }

    void neuNamen()
    {
        QFETCH(bool, umbenennen);
        QFETCH(std::optional<QString>, eingabe);
        QFETCH(QString, bild);
        QFETCH(QString, ini);
        QFETCH(QString, titel);
        MitVorlage g;
        TFormEtikette &form = *g.form;
        const QString vorlagenIni = form.zustand().OrdnerEtikettenVorlagen + QStringLiteral("Vorlage.ini");
        macheAlt(g.vorlage);
        macheAlt(vorlagenIni);
        g.p.dialoge.dateien.push_back(g.vorlage);
        g.p.dialoge.antworten.push_back(umbenennen);
        if (umbenennen)
            g.p.dialoge.eingaben.push_back(eingabe);

        form.Neu1->trigger();

        QCOMPARE(g.p.dialoge.dateiVorgaben, QStringList{g.p.pfad(QStringLiteral("Morvane/Vorlagen/*.bmp"))});
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("frage")), QStringList{NamenFrage});
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("eingabe")),
                 umbenennen ? QStringList{QStringLiteral("Vorlage.bmp")} : QStringList());
        QVERIFY(g.p.dialoge.unerwartet.isEmpty());
        QVERIFY(g.p.dialoge.texte(QStringLiteral("fehler")).isEmpty());

        const QString neuesBild = g.p.daten(bild);
        const QString neueIni = g.p.daten(ini);
        QCOMPARE(lies(neuesBild), lies(g.vorlage));
        QCOMPARE(lies(neueIni), VorlagenIni);
        QVERIFY(frisch(neuesBild));
        QVERIFY(frisch(neueIni));
        QCOMPARE(QFileInfo(g.vorlage).lastModified(), Altes); // the template itself is left alone
        QCOMPARE(form.zustand().OrdnerEtiketten, g.p.pfad(QStringLiteral("Morvane")));

        QCOMPARE(form.dokument().bildPfad(), neuesBild);
        QCOMPARE(form.windowTitle(), TitelAnfang + titel);
        QCOMPARE(form.ObererRand(), 15);
        QCOMPARE(form.EditEtikettenbreite->text(), QStringLiteral("63 mm"));
        QCOMPARE(form.AnzahlEtikettenInZeile(), 3);
        QCOMPARE(form.AnzahlEtikettenInSpalte(), 7);
        QVERIFY(!form.dokument().geaendert());
        QVERIFY(!form.UpDownObererRand->isEnabled());
        QCOMPARE(form.Image1->bild().size(), QSize(300, 180));
        QCOMPARE(form.Image1->bild().pixelColor(5, 5), QColor(0, 120, 0));
        QVERIFY(!form.BitBtnNeuladen->isVisible());
        // Unlike opening: the position and the counts as loaded stay.
        QCOMPARE(form.Spalte(), 2);
        QCOMPARE(form.Zeile(), 3);
        QCOMPARE(form.EditZeile->text(), QStringLiteral("3"));
        QCOMPARE(form.zustand().GeladeneAnzahlInZeile, 2);
        QCOMPARE(form.zustand().GeladeneAnzahlInSpalte, 5);
        // The store names the label that was current before; the new one reaches it later.
        QCOMPARE(LiesSpeicherwert(QStringLiteral("ZuletztAngezeigt")), g.beispiel);
    }

    void ueberschreiben_data()
    {
        QTest::addColumn<bool>("bildDa");
        QTest::addColumn<bool>("ja");
        QTest::newRow("picture exists, Nein leaves both files") << true << false;
        QTest::newRow("picture exists, Ja replaces both files") << true << true;
        QTest::newRow("only the settings file exists, Nein leaves it") << false << false;
        QTest::newRow("only the settings file exists, Ja replaces it") << false << true;
    }

    void ueberschreiben()
    {
        QFETCH(bool, bildDa);
        QFETCH(bool, ja);
        MitVorlage g;
        const QString karte = g.p.daten(QStringLiteral("Karte.bmp"));
        const QString karteIni = g.p.daten(QStringLiteral("Karte.ini"));
        if (bildDa)
            schreibeBild(karte, Qt::blue, {40, 20});
        schreibe(karteIni, "[Einstellung]\r\nObererRand=1\r\n");
        const QByteArray bildVorher = lies(karte);
        const QByteArray iniVorher = lies(karteIni);
        g.p.dialoge.dateien.push_back(g.vorlage);
        g.p.dialoge.antworten = {true, ja};
        g.p.dialoge.eingaben.push_back(QStringLiteral("Karte"));

        g.form->Neu1->trigger();

        const QStringList fragen{NamenFrage,
                                 QStringLiteral("Die Datei \"Karte.%1\" ist schon vorhanden! Soll sie überschrieben "
                                                "werden?")
                                     .arg(bildDa ? QStringLiteral("bmp") : QStringLiteral("ini"))};
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("frage")), fragen);
        const bool ersetzt = ja;
        QCOMPARE(lies(karte), ersetzt ? lies(g.vorlage) : bildVorher);
        QCOMPARE(lies(karteIni), ersetzt ? VorlagenIni : iniVorher);
        QCOMPARE(g.form->dokument().bildPfad(), ersetzt ? karte : g.beispiel);
        QCOMPARE(g.istNochDasBeispiel(), !ersetzt);
        QVERIFY(g.p.dialoge.texte(QStringLiteral("fehler")).isEmpty());
    }

    void vorlageAusAnderemOrdner()
    {
        MitVorlage g;
        const QString fremd = g.p.pfad(QStringLiteral("anderer Ordner/Fremd.bmp"));
        schreibeBild(fremd, Qt::red);
        const QByteArray fremdIni = "[Einstellung]\r\nObererRand=21\r\n";
        schreibe(g.p.pfad(QStringLiteral("anderer Ordner/Fremd.ini")), fremdIni);
        // A settings file of the same name in the templates folder must not be the one taken.
        schreibe(g.form->zustand().OrdnerEtikettenVorlagen + QStringLiteral("Fremd.ini"), VorlagenIni);
        g.p.dialoge.dateien.push_back(fremd);
        g.p.dialoge.antworten.push_back(false);

        g.form->Neu1->trigger();

        QCOMPARE(lies(g.p.daten(QStringLiteral("Fremd.ini"))), fremdIni);
        QCOMPARE(lies(g.p.daten(QStringLiteral("Fremd.bmp"))), lies(fremd));
        QCOMPARE(g.form->ObererRand(), 21);
        QCOMPARE(g.form->windowTitle(), TitelAnfang + QStringLiteral("FREMD"));
        QVERIFY(g.p.dialoge.unerwartet.isEmpty());
    }

    void vorlageOhneEinstellungen_data()
    {
        QTest::addColumn<bool>("bildDa");
        QTest::newRow("no label of that name before") << false;
        QTest::newRow("a label of that name stays as it was") << true;
    }

    void vorlageOhneEinstellungen()
    {
        QFETCH(bool, bildDa);
        MitVorlage g;
        const QString ohne = g.form->zustand().OrdnerEtikettenVorlagen + QStringLiteral("Ohne.bmp");
        schreibeBild(ohne, Qt::red);
        const QString ziel = g.p.daten(QStringLiteral("Ohne.bmp"));
        if (bildDa) {
            schreibeBild(ziel, Qt::blue, {40, 20});
            schreibe(g.p.daten(QStringLiteral("Ohne.ini")), "[Einstellung]\r\nObererRand=1\r\n");
        }
        const QByteArray bildVorher = lies(ziel);
        const QByteArray iniVorher = lies(g.p.daten(QStringLiteral("Ohne.ini")));
        const QStringList vorher = dateienIn(g.p.daten(QString()));
        g.p.dialoge.dateien.push_back(ohne);
        g.p.dialoge.antworten = {false, true};

        g.form->Neu1->trigger();

        QCOMPARE(g.p.dialoge.texte(QStringLiteral("fehler")), QStringList{Kopierfehler});
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("frage")).size(), bildDa ? 2 : 1);
        // Nothing half done: no new picture, the old label current and shown, the files as they were.
        QVERIFY(g.istNochDasBeispiel());
        QCOMPARE(dateienIn(g.p.daten(QString())), vorher);
        QCOMPARE(lies(ziel), bildVorher);
        QCOMPARE(lies(g.p.daten(QStringLiteral("Ohne.ini"))), iniVorher);
    }

    void ungueltigeNamen_data()
    {
        QTest::addColumn<QString>("falsch");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<std::optional<QString>>("danach");
        QTest::addColumn<QString>("bild");
        const std::optional<QString> gut = QStringLiteral("Gut");
        QTest::newRow("empty") << QString() << LeerMeldung << gut << QStringLiteral("Gut.bmp");
        QTest::newRow("only blanks") << QStringLiteral("  ") << LeerMeldung << gut << QStringLiteral("Gut.bmp");
        QTest::newRow("only the extension")
            << QStringLiteral(".bmp") << LeerMeldung << gut << QStringLiteral("Gut.bmp");
        QTest::newRow("parent folder") << QStringLiteral("../Ausbruch") << OrdnerMeldung << gut
                                       << QStringLiteral("Gut.bmp");
        QTest::newRow("sub folder") << QStringLiteral("Unter/Karte") << OrdnerMeldung << gut
                                    << QStringLiteral("Gut.bmp");
        QTest::newRow("absolute path") << absoluterPfad() << OrdnerMeldung << gut << QStringLiteral("Gut.bmp");
        QTest::newRow("refused, then Abbrechen keeps the template's name")
            << QString() << LeerMeldung << std::optional<QString>() << QStringLiteral("Vorlage.bmp");
    }

    void ungueltigeNamen()
    {
        QFETCH(QString, falsch);
        QFETCH(QString, meldung);
        QFETCH(std::optional<QString>, danach);
        QFETCH(QString, bild);
        MitVorlage g;
        const QStringList wurzelVorher = dateienIn(g.p.wurzel);
        const QStringList vorher = dateienIn(g.p.daten(QString()));
        g.p.dialoge.dateien.push_back(g.vorlage);
        g.p.dialoge.antworten.push_back(true);
        g.p.dialoge.eingaben = {falsch, danach};

        g.form->Neu1->trigger();

        QCOMPARE(g.p.dialoge.texte(QStringLiteral("meldung")), QStringList{meldung});
        // Asked again with the refused text, so that it can be mended.
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("eingabe")), (QStringList{QStringLiteral("Vorlage.bmp"), falsch}));
        QStringList erwartet = vorher;
        erwartet << bild << QFileInfo(bild).completeBaseName() + QStringLiteral(".ini");
        erwartet.sort();
        QCOMPARE(dateienIn(g.p.daten(QString())), erwartet);
        QCOMPARE(dateienIn(g.p.wurzel), wurzelVorher);
        QVERIFY(!QFileInfo::exists(absoluterPfad()));
        QCOMPARE(g.form->dokument().bildPfad(), g.p.daten(bild));
        QVERIFY(g.p.dialoge.unerwartet.isEmpty());
    }

    void oeffnen_data()
    {
        QTest::addColumn<bool>("geaendert");
        QTest::newRow("unchanged settings") << false;
        QTest::newRow("changed settings, Nein to saving goes on") << true;
    }

    void oeffnen()
    {
        QFETCH(bool, geaendert);
        MitVorlage g;
        TFormEtikette &form = *g.form;
        const QString zweites = g.p.schreibeEtikett(QStringLiteral("Zweites"), 300, 180, VorlagenIni);
        const QByteArray beispielIni = lies(g.p.daten(QStringLiteral("Visitenkarte_85x54.ini")));
        SchreibSpeicherwert(QStringLiteral("ZuletztAngezeigt"), QStringLiteral("vorher"));
        QVERIFY(form.zustand().OrdnerEtiketten.isEmpty());
        if (geaendert) {
            form.UpDownObererRand->setPosition(20);
            QVERIFY(form.dokument().geaendert());
            g.p.dialoge.antworten.push_back(false);
        }
        g.p.dialoge.dateien.push_back(zweites);

        form.Oeffnen1->trigger();

        QCOMPARE(g.p.dialoge.dateiVorgaben, QStringList{g.p.daten(QStringLiteral("*.bmp"))});
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("frage")),
                 geaendert ? QStringList{QStringLiteral("Die Einstellungen von VISITENKARTE_85X54 wurden geändert. "
                                                        "Einstellungen speichern?")}
                           : QStringList());
        QCOMPARE(lies(g.p.daten(QStringLiteral("Visitenkarte_85x54.ini"))), beispielIni);
        QCOMPARE(LiesSpeicherwert(QStringLiteral("ZuletztAngezeigt")), g.beispiel);
        QCOMPARE(form.zustand().OrdnerEtiketten, g.p.pfad(QStringLiteral("Morvane")));
        QCOMPARE(form.dokument().bildPfad(), zweites);
        QCOMPARE(form.windowTitle(), TitelAnfang + QStringLiteral("ZWEITES"));
        QCOMPARE(form.ObererRand(), 15);
        QCOMPARE(form.Spalte(), 1);
        QCOMPARE(form.Zeile(), 1);
        QCOMPARE(form.EditSpalte->text(), QStringLiteral("1"));
        QCOMPARE(form.EditZeile->text(), QStringLiteral("1"));
        QCOMPARE(form.zustand().GeladeneAnzahlInZeile, 3);
        QCOMPARE(form.zustand().GeladeneAnzahlInSpalte, 7);
        QVERIFY(!form.dokument().geaendert());
        QVERIFY(!form.UpDownObererRand->isEnabled());
        QVERIFY(!form.BitBtnNeuladen->isVisible());
        QCOMPARE(form.Image1->bild().size(), QSize(300, 180));
        QVERIFY(g.p.dialoge.unerwartet.isEmpty());
    }

    void abgebrochenerDialog_data()
    {
        QTest::addColumn<bool>("neu");
        QTest::addColumn<QString>("fehler"); // the picture chosen is refused with it; empty: the dialog cancelled
        QTest::newRow("Öffnen...") << false << QString();
        QTest::newRow("Neu mit Hilfe einer Vorlage") << true << QString();
        QTest::newRow("Öffnen... of a picture too large to print keeps the card shown")
            << false << QStringLiteral("ist zu groß (30001 x 1 Pixel)");
    }

    void abgebrochenerDialog()
    {
        QFETCH(bool, neu);
        QFETCH(QString, fehler);
        MitVorlage g;
        SchreibSpeicherwert(QStringLiteral("ZuletztAngezeigt"), QStringLiteral("vorher"));
        std::optional<QString> gewaehlt;
        if (!fehler.isEmpty())
            gewaehlt = g.p.schreibeEtikett(QStringLiteral("Riesig"), 30001, 1, VorlagenIni);
        const QStringList vorher = dateienIn(g.p.daten(QString()));
        g.p.dialoge.dateien.push_back(gewaehlt);
        (neu ? g.form->Neu1 : g.form->Oeffnen1)->trigger();
        const QStringList fehlerTexte = g.p.dialoge.texte(QStringLiteral("fehler"));
        QVERIFY(fehler.isEmpty() ? fehlerTexte.isEmpty() : fehlerTexte.size() == 1 && fehlerTexte[0].contains(fehler));
        // The opening steps stay done; nothing else happens.
        QVERIFY(!g.form->BitBtnNeuladen->isVisible());
        QCOMPARE(LiesSpeicherwert(QStringLiteral("ZuletztAngezeigt")), g.beispiel);
        QVERIFY(g.istNochDasBeispiel());
        QCOMPARE(g.form->Spalte(), 2);
        QCOMPARE(dateienIn(g.p.daten(QString())), vorher);
        QCOMPARE(g.p.dialoge.gezeigt.size(), fehler.isEmpty() ? 1 : 2);
    }

    void fehlenderOrdner_data()
    {
        QTest::addColumn<bool>("neu");
        QTest::addColumn<QString>("ordner");
        const QString fehlt = QStringLiteral("/gibt/es/nicht/Morvane");
        QTest::newRow("Öffnen..., folder gone") << false << fehlt;
        QTest::newRow("Neu, folder gone") << true << fehlt;
        QTest::newRow("Öffnen..., no folder known") << false << QString();
        QTest::newRow("Neu, no folder known") << true << QString();
    }

    void fehlenderOrdner()
    {
        QFETCH(bool, neu);
        QFETCH(QString, ordner);
        MitVorlage g;
        SchreibSpeicherwert(QStringLiteral("OrdnerEtiketten"), ordner);
        (neu ? g.form->Neu1 : g.form->Oeffnen1)->trigger();
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("meldung")),
                 QStringList{QStringLiteral("Der Ordner ") + ordner
                             + QStringLiteral(" ist nicht vorhanden! Programm wird beendet!")});
        QVERIFY(g.form->beendet());
        QVERIFY(!g.form->isVisible());
        QVERIFY(g.p.dialoge.dateiVorgaben.isEmpty());
        // Closed through the closing path, which keeps the current label.
        QCOMPARE(LiesSpeicherwert(QStringLiteral("ZuletztAngezeigt")), g.beispiel);
    }

    void bearbeiten_data()
    {
        QTest::addColumn<bool>("doppelklick");
        QTest::addColumn<bool>("startet");
        QTest::newRow("menu item, paint program starts") << false << true;
        QTest::newRow("double click on the label, paint program starts") << true << true;
        QTest::newRow("menu item, start fails") << false << false;
        QTest::newRow("double click on the label, start fails") << true << false;
    }

    void bearbeiten()
    {
        QFETCH(bool, doppelklick);
        QFETCH(bool, startet);
        MitVorlage g;
        TFormEtikette &form = *g.form;
        const QString mitBlanks = g.p.schreibeEtikett(QStringLiteral("Mein schönes Etikett"), 200, 100, VorlagenIni);
        g.p.dialoge.dateien.push_back(mitBlanks);
        form.Oeffnen1->trigger();
        QCOMPARE(form.dokument().bildPfad(), mitBlanks);
        g.p.dialoge.leeren();
        g.p.schale.startErfolg = startet;

        if (doppelklick)
            QTest::mouseDClick(form.Image1, Qt::LeftButton, {}, QPoint(5, 5));
        else
            form.Etikettbearbeiten1->trigger();

        QStringList meldungen{BearbeitenMeldung};
        if (!startet)
            meldungen << QStringLiteral("Es ist ein Fehler aufgetreten");
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("meldung")), meldungen);
        QCOMPARE(g.p.schale.gestartet, QStringList{mitBlanks});
        QVERIFY(form.BitBtnNeuladen->isVisible());
        QVERIFY(g.p.dialoge.unerwartet.isEmpty());
    }

    void neuLaden_data()
    {
        QTest::addColumn<int>("weg"); // 0: the button, 1: the menu item with the button shown, 2: the menu item alone
        QTest::addColumn<bool>("bildDa");
        QTest::newRow("button") << 0 << true;
        QTest::newRow("menu item, button shown") << 1 << true;
        QTest::newRow("menu item, button hidden") << 2 << true;
        QTest::newRow("picture gone: nothing loaded, no message") << 1 << false;
    }

    void neuLaden()
    {
        QFETCH(int, weg);
        QFETCH(bool, bildDa);
        MitVorlage g;
        TFormEtikette &form = *g.form;
        form.UpDownObererRand->setPosition(20);
        QVERIFY(form.dokument().geaendert());
        const QImage infoVorher = form.ImageInfo->bild();
        const QImage bildVorher = form.Image1->bild();
        // As if saved in the paint program, with the settings file changed behind the program's back too.
        if (bildDa)
            schreibeBild(g.beispiel, QColor(10, 20, 30), {170, 108});
        else
            QVERIFY(QFile::remove(g.beispiel));
        schreibe(g.p.daten(QStringLiteral("Visitenkarte_85x54.ini")), VorlagenIni);
        if (weg == 2)
            form.BitBtnNeuladen->hide();

        if (weg == 0)
            form.BitBtnNeuladen->click();
        else
            form.Etikettneuladen1->trigger();

        if (bildDa) {
            QCOMPARE(form.Image1->bild().size(), QSize(170, 108));
            QCOMPARE(form.Image1->bild().pixelColor(3, 3), QColor(10, 20, 30));
        } else {
            QCOMPARE(form.Image1->bild(), bildVorher);
        }
        QVERIFY(!form.BitBtnNeuladen->isVisible());
        // Only the picture: measures, the changed flag and the layout picture stay.
        QCOMPARE(form.ObererRand(), 20);
        QCOMPARE(form.AnzahlEtikettenInZeile(), 2);
        QVERIFY(form.dokument().geaendert());
        QCOMPARE(form.ImageInfo->bild(), infoVorher);
        QVERIFY(g.p.dialoge.gezeigt.isEmpty());
    }

    void hilfe_data()
    {
        QTest::addColumn<bool>("vorhanden");
        QTest::addColumn<bool>("betrachter"); // a program opens PDF files
        QTest::addColumn<QString>("meldung");
        QTest::newRow("help file present, opened with F1") << true << true << QString();
        QTest::newRow("help file missing") << false << true << "Die Datei: Morvane-Hilfe.pdf existiert nicht!";
        QTest::newRow("no program for PDF files: where the help is")
            << true << false
            << "Zum Anzeigen der Hilfe wurde kein Programm für PDF-Dateien gefunden. Die Hilfe liegt in %1; Sie können "
               "sie mit jedem PDF-Betrachter öffnen.";
    }

    void hilfe()
    {
        QFETCH(bool, vorhanden);
        QFETCH(bool, betrachter);
        QFETCH(QString, meldung);
        MitVorlage g;
        const QString pdf = g.p.pfad(QStringLiteral("Morvane-Hilfe.pdf"));
        if (vorhanden)
            schreibe(pdf, "%PDF-1.4\n");
        g.p.schale.oeffnenErfolg = betrachter;
        if (meldung.isEmpty())
            QTest::keyClick(g.form.get(), Qt::Key_F1);
        else
            g.form->Hilfethemen1->trigger();
        QCOMPARE(g.p.schale.geoeffnet, vorhanden ? QStringList{pdf} : QStringList());
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("meldung")),
                 meldung.isEmpty() ? QStringList() : QStringList{meldung.replace("%1", QDir::toNativeSeparators(pdf))});
    }

private:
    // A path outside every program folder of the tests.
    static QString absoluterPfad() { return QDir::tempPath() + QStringLiteral("/morvane-ausbruch-test.bmp"); }
};

QTEST_MAIN(TestBibliothek)
#include "test_bibliothek.moc"
