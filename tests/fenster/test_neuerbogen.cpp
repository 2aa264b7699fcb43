#include "app/bildansicht.h"
#include "app/formetikette_p.h"
#include "genauesetikett.h"
#include "probeboegen.h"
#include "programmordner.h"
#include "render/bogenbild.h"
#include "storage/bogensuche.h"
#include "storage/etikettenboegen.h"
#include "storage/namen.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const QString NamenFrage = QStringLiteral("Möchten Sie dem Etikett einen neuen Namen geben?");

// The stock of the precise test label: its settings file is GenauEinstellungen.
const QString GenauerBogen = QStringLiteral("Herma;4103, 4113;Rechteck;3;7;63.5;38.1;6.75;15.5;66.5;38.1");
const QString RunderBogen = QStringLiteral("Endisch;6500040x;Rund;4;6;40;40;16;13.5;46;46");
// Whole millimetres, still a precise label: its picture is drawn for the exact size.
const QString GanzerBogen = QStringLiteral("Sigel;LA 505;Oval;2;5;80;47;15;11;100;57");

Etikettenbogen bogen(const QString &zeile)
{
    return *BogenAusFeldern(zeile.split(QLatin1Char(';')));
}

QByteArray lies(const QString &pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A started window on the sample label with a catalogue in the templates folder.
struct MitKatalog : Gestartet
{
    QString katalog;
    MitKatalog()
    {
        katalog = form->zustand().OrdnerEtikettenVorlagen + EtikettenboegenDatei;
        QFile f(katalog);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("Katalog nicht schreibbar");
        f.write((QStringList{EtikettenboegenKopf} + ProbeboegenZeilen + QStringList{GenauerBogen})
                    .join(QLatin1Char('\n'))
                    .toUtf8());
    }
};

} // namespace

class TestNeuerBogen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "Anlegen" through the window: the questions "Neu mit Hilfe einer Vorlage" asks, the picture and settings
    // file of the sheet in the labels folder, and the new label loaded with the sheet's exact measures.
    void anlegen_data()
    {
        QTest::addColumn<QString>("zeile");
        QTest::addColumn<std::optional<QString>>("eingabe"); // nothing: Nein to the name question
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("groesse");
        QTest::addColumn<QString>("feldBreite");
        QTest::addColumn<bool>("keinBild");
        QTest::newRow("precise 3 x 7, offered name")
            << GenauerBogen << std::optional<QString>() << "Herma_4103" << QSize(750, 450) << "63,5 mm" << false;
        // 4 x 6 has no file: a precise label's layout picture is drawn.
        QTest::newRow("round, a name of one's own")
            << RunderBogen << std::optional<QString>("Deckel") << "Deckel" << QSize(472, 472) << "40 mm" << false;
        QTest::newRow("oval in whole millimetres")
            << GanzerBogen << std::optional<QString>() << "Sigel_LA_505" << QSize(945, 555) << "80 mm" << false;
    }

    void anlegen()
    {
        QFETCH(QString, zeile);
        QFETCH(std::optional<QString>, eingabe);
        QFETCH(QString, name);
        QFETCH(QSize, groesse);
        QFETCH(QString, feldBreite);
        QFETCH(bool, keinBild);
        MitKatalog g;
        TFormEtikette &form = *g.form;
        const Etikettenbogen b = bogen(zeile);
        g.p.dialoge.boegen.push_back(b);
        g.p.dialoge.antworten.push_back(eingabe.has_value());
        if (eingabe)
            g.p.dialoge.eingaben.push_back(eingabe);

        form.NeuFuerEtikettenbogen1->trigger();

        QCOMPARE(g.p.dialoge.angeboteneBoegen.size(), ProbeboegenZeilen.size() + 1);
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("frage")), QStringList{NamenFrage});
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("eingabe")),
                 eingabe ? QStringList{NamensVorschlag(b)} : QStringList());
        QVERIFY(g.p.dialoge.unerwartet.isEmpty());
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("fehler")), QStringList());
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("meldung")), QStringList());

        const QString bild = g.p.daten(name + QStringLiteral(".bmp"));
        const QString ini = g.p.daten(name + QStringLiteral(".ini"));
        QCOMPARE(QImage(bild).size(), groesse);
        if (zeile == GenauerBogen)
            QCOMPARE(lies(ini), GenauEinstellungen);
        else
            QCOMPARE(lies(ini), EtikettdateiInhalt({b.masse}));
        QCOMPARE(form.dokument().bildPfad(), bild);
        QCOMPARE(form.windowTitle(), TitelAnfang + name.toUpper());
        QCOMPARE(form.Masse(), b.masse);
        QCOMPARE(form.EditEtikettenbreite->text(), feldBreite);
        QVERIFY(!form.dokument().geaendert());
        QCOMPARE(form.Image1->bild().size(), groesse);
        const QImage keinBildDatei(g.p.daten(QStringLiteral("Druckposition Infos/Kein Bild.bmp")));
        QCOMPARE(form.ImageInfo->bild().convertToFormat(QImage::Format_RGB32)
                     == keinBildDatei.convertToFormat(QImage::Format_RGB32),
                 keinBild);
        QCOMPARE(form.zustand().MarkierteZelle.Left > 0, !keinBild); // the label's cell is marked
    }

    // The name and overwrite questions are those of "Neu mit Hilfe einer Vorlage": Nein leaves a label of the
    // same name as it was, Ja replaces its picture and settings file.
    void ueberschreiben_data()
    {
        QTest::addColumn<bool>("ja");
        QTest::newRow("Nein keeps the label") << false;
        QTest::newRow("Ja replaces both files") << true;
    }

    void ueberschreiben()
    {
        QFETCH(bool, ja);
        MitKatalog g;
        const QString bild = g.p.schreibeEtikett(QStringLiteral("Herma_4103"), 20, 10, "[Einstellung]\r\n");
        const QByteArray bildVorher = lies(bild);
        g.p.dialoge.boegen.push_back(bogen(GenauerBogen));
        g.p.dialoge.antworten = {false, ja};

        g.form->NeuFuerEtikettenbogen1->trigger();

        QCOMPARE(g.p.dialoge.texte(QStringLiteral("frage")),
                 (QStringList{NamenFrage,
                              QStringLiteral("Die Datei \"Herma_4103.bmp\" ist schon vorhanden! Soll sie "
                                             "überschrieben werden?")}));
        QCOMPARE(lies(bild) == bildVorher, !ja);
        QCOMPARE(lies(g.p.daten(QStringLiteral("Herma_4103.ini"))),
                 ja ? GenauEinstellungen : QByteArray("[Einstellung]\r\n"));
        QCOMPARE(g.form->dokument().bildPfad(),
                 ja ? bild : g.p.daten(QStringLiteral("Visitenkarte_85x54.bmp")));
    }

    // Without a usable catalogue, or when the dialog is left, nothing is written and the label stays.
    void ohneBogen_data()
    {
        QTest::addColumn<QByteArray>("katalog"); // null: no file
        QTest::addColumn<QString>("meldung");    // empty: the dialog is shown and cancelled
        QTest::newRow("no catalogue") << QByteArray()
                                      << "Die Liste der Etikettenbögen kann nicht gelesen werden: Datei %1 kann "
                                         "nicht geöffnet werden";
        QTest::newRow("not a catalogue") << QByteArray("Name;Breite\n")
                                         << "Die Liste der Etikettenbögen kann nicht gelesen werden: Die Datei %1 ist "
                                            "keine Liste von Etikettenbögen.";
        QTest::newRow("no valid line")
            << (EtikettenboegenKopf + QStringLiteral("\nX;1;Dreieck;1;1;1;1;0;0;1;1\n")).toUtf8()
            << "Die Liste der Etikettenbögen %1 enthält keinen Bogen. 1 Zeile der Datei %1 wurde übersprungen: "
               "Zeile 2: unbekannte Form \"Dreieck\"";
        QTest::newRow("dialog cancelled") << QByteArray() << QString();
    }

    void ohneBogen()
    {
        QFETCH(QByteArray, katalog);
        QFETCH(QString, meldung);
        MitKatalog g;
        if (meldung.isEmpty()) {
            g.p.dialoge.boegen.push_back(std::nullopt);
        } else {
            QFile::remove(g.katalog);
            if (!katalog.isNull()) {
                QFile f(g.katalog);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(katalog);
            }
        }
        const QStringList vorher = QDir(g.p.daten(QString())).entryList(QDir::Files);

        g.form->NeuFuerEtikettenbogen1->trigger();

        QCOMPARE(g.p.dialoge.texte(QStringLiteral("meldung")),
                 meldung.isEmpty() ? QStringList() : QStringList{meldung.arg(g.katalog)});
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("etikettenbogen")).size(), meldung.isEmpty() ? 1 : 0);
        QVERIFY(g.p.dialoge.unerwartet.isEmpty());
        QCOMPARE(QDir(g.p.daten(QString())).entryList(QDir::Files), vorher);
        QCOMPARE(g.form->dokument().bildPfad(), g.p.daten(QStringLiteral("Visitenkarte_85x54.bmp")));
    }
};

QTEST_MAIN(TestNeuerBogen)
#include "test_neuerbogen.moc"
