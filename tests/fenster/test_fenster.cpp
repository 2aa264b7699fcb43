#include "app/bildansicht.h"
#include "render/programmbilder.h"
#include "app/formetikette_p.h"
#include "app/updown.h"
#include "platform/fehler.h"
#include "programmordner.h"
#include "storage/druckerausrichtung.h"
#include "storage/etikettdatei.h"
#include "storage/speicher.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>

#include <functional>

class TestFenster : public QObject
{
    Q_OBJECT

    static QByteArray lies(const QString &pfad)
    {
        QFile f(pfad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void ersterStartLaedtDasBeispiel()
    {
        Programmordner p;
        auto form = p.fenster();
        // The first run wrote the five values, the install location with its separator.
        QCOMPARE(LiesSpeicherwert(QStringLiteral("InstallOrt")), p.wurzel);
        QCOMPARE(LiesSpeicherwert(QStringLiteral("ZuletztAngezeigt")),
                 p.daten(QStringLiteral("Visitenkarte_85x54.bmp")));
        QCOMPARE(form->zustand().OrdnerEtikettenInfos, p.pfad(QStringLiteral("Morvane/Druckposition Infos/")));
        QCOMPARE(form->zustand().OrdnerEtikettenVorlagen, p.pfad(QStringLiteral("Morvane/Vorlagen/")));
        QCOMPARE(form->windowTitle(), QString());
        QCOMPARE(form->Klientflaeche->size(), QSize(1137, 556));

        Programmordner::starte(*form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Etiketten|Visitenkarten drucken - Visitenkarte_85x54"));
        QCOMPARE(form->EditObererRand->text(), QStringLiteral("10 mm"));
        QCOMPARE(form->EditHorizontalAbstand->text(), QStringLiteral("95 mm"));
        QCOMPARE(form->EditAnzEtikettenInSpalte->text(), QStringLiteral("5"));
        QVERIFY(!form->dokument().geaendert());
        QCOMPARE(form->zustand().GeladeneAnzahlInZeile, 2);
        QCOMPARE(form->zustand().GeladeneAnzahlInSpalte, 5);
        QCOMPARE(form->UpDownZeile->Max(), 5);
        QVERIFY(form->Image1->isVisible());
        QVERIFY(form->NurEineDruckenCheckBox->isChecked());
        QVERIFY(form->EditSpalte->isEnabled());
        QVERIFY(!form->MehrereEtikettenDruckenCheckBox->isEnabled());
        // The measure editors are locked, the edit fields too.
        QVERIFY(!form->obererRandLabel->isEnabled());
        QVERIFY(!form->UpDownObererRand->isEnabled());
        QVERIFY(!form->EditObererRand->isEnabled());
        QVERIFY(p.dialoge.gezeigt.isEmpty());
        QCOMPARE(form->NurEineDruckenCheckBox->toolTip(), QStringLiteral("Hier klicken für mehrere Etiketten drucken"));
    }

    void startOhneEtikett_data()
    {
        QTest::addColumn<int>("argumente");
        QTest::addColumn<bool>("zuletztLeer");
        QTest::newRow("a command-line argument") << 1 << false;
        QTest::newRow("no last label in the store") << 0 << true;
    }

    void startOhneEtikett()
    {
        QFETCH(int, argumente);
        QFETCH(bool, zuletztLeer);
        Programmordner p;
        SchreibErstwerte(p.wurzel);
        if (zuletztLeer)
            SchreibSpeicherwert(QStringLiteral("ZuletztAngezeigt"), QString());
        auto form = p.fenster(argumente);
        Programmordner::starte(*form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Etiketten|Visitenkarten drucken - "));
        QVERIFY(form->dokument().bildPfad().isEmpty());
        QVERIFY(!form->Image1->isVisible());
        QVERIFY(form->EditObererRand->text().isEmpty());
        QVERIFY(!form->EditSpalte->isEnabled());
        QVERIFY(!form->UpDownZeile->isEnabled());
        QVERIFY(!form->UpDownObererRand->isEnabled());
        QVERIFY(p.dialoge.gezeigt.isEmpty());
    }

    void fehlendesEtikettUndAbgebrochenerDialog()
    {
        Programmordner p;
        SchreibErstwerte(p.wurzel);
        const QString fehlt = p.daten(QStringLiteral("Weg.bmp"));
        SchreibSpeicherwert(QStringLiteral("ZuletztAngezeigt"), fehlt);
        p.dialoge.dateien.push_back(std::nullopt);
        auto form = p.fenster();
        Programmordner::starte(*form);
        QCOMPARE(p.dialoge.texte(QStringLiteral("dateiOeffnen")), QStringList{p.daten(QStringLiteral("*.bmp"))});
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")),
                 QStringList{QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(fehlt)});
        QCOMPARE(form->windowTitle(), QStringLiteral("Etiketten|Visitenkarten drucken - "));
        QVERIFY(form->UpDownObererRand->isEnabled()); // the remaining steps were skipped
        // Later paints do not start the work again.
        form->Klientflaeche->repaint();
        QTest::qWait(50);
        QCOMPARE(p.dialoge.gezeigt.size(), 2);
        QVERIFY(p.dialoge.unerwartet.isEmpty());
    }

    void titelOhneEndungUndFlagGeloescht()
    {
        Programmordner p;
        SchreibErstwerte(p.wurzel);
        const QString muster = p.schreibeEtikett(
            QStringLiteral("Muster.BMP").chopped(4) + QStringLiteral(".BMP").chopped(4), 401, 255, QByteArray());
        QFile::rename(muster, p.daten(QStringLiteral("Muster.BMP")));
        QFile::copy(p.daten(QStringLiteral("Visitenkarte_85x54.ini")), p.daten(QStringLiteral("Muster.ini")));
        SchreibSpeicherwert(QStringLiteral("ZuletztAngezeigt"), p.daten(QStringLiteral("Muster.BMP")));
        auto form = p.fenster();
        Programmordner::starte(*form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Etiketten|Visitenkarten drucken - Muster"));
        QCOMPARE(form->dokument().einstellungsPfad(), p.daten(QStringLiteral("Muster.ini")));
        QCOMPARE(form->Etikettenbreite(), 85);
        QVERIFY(!form->dokument().geaendert());
    }

    // A card made from a picture, 1007 pixels wide at its exact 85 mm: two side by side decided in millimetres at
    // the start as after "Öffnen...", so the print modes follow.
    void genaueKarteNebeneinander()
    {
        Programmordner p;
        SchreibErstwerte(p.wurzel);
        const QString karte = p.schreibeEtikett(
            QStringLiteral("Foto"), 1007, 640,
            EtikettdateiInhalt({MitGenauenLaengen({10, 15, 54, 95, 54, 85, 2, 5}, {1000, 1500, 5400, 9500, 5400, 8500}, true)}));
        SchreibSpeicherwert(QStringLiteral("ZuletztAngezeigt"), karte);
        auto form = p.fenster();
        Programmordner::starte(*form);
        QVERIFY(form->Masse().IstGenau());
        QVERIFY(form->zustand().MehrereNebeneinanderMoeglich);
        form->NurEineDruckenCheckBox->setChecked(false);
        QVERIFY(form->MehrereEtikettenDruckenCheckBox->isEnabled() && form->GanzeSeiteCheckBox->isChecked());
        QCOMPARE(form->NurEineDruckenCheckBox->toolTip(), QStringLiteral("Hier klicken für \"Nur eine Etikette drucken\""));
    }

    void einstellungenLesen()
    {
        Programmordner p;
        auto form = p.fenster(1);
        Programmordner::starte(*form);
        const QString bild = p.schreibeEtikett(QStringLiteral("Lesen"), 100, 50,
                                               "[Einstellung]\r\nObererRand=12.5\r\nEtikettenbreite=85,4\r\n"
                                               "Horizontalabstand=  90  \r\nEtikettenhoehe=99999\r\n");
        QVERIFY(!form->dokument().geaendert());
        form->LiesVorlagenDatenEin(bild);
        QCOMPARE(form->ObererRand(), 13);
        QCOMPARE(form->EditObererRand->text(), QStringLiteral("13 mm"));
        QCOMPARE(form->Etikettenbreite(), 85);
        QCOMPARE(form->Horizontalabstand(), 90);
        QCOMPARE(form->Etikettenhoehe(), 10000);         // beyond the range ends at its limit
        QCOMPARE(form->SeitenRand(), 0);                 // missing keys leave their measure
        QVERIFY(form->dokument().geaendert()); // moving an editor marks the settings changed

        // Only one key: only that count changes.
        const QString nurZahl =
            p.schreibeEtikett(QStringLiteral("NurZahl"), 100, 50, "[Einstellung]\r\nAnzahlEtikettenInZeile=2\r\n");
        form->LiesVorlagenDatenEin(nurZahl);
        QCOMPARE(form->AnzahlEtikettenInZeile(), 2);
        QCOMPARE(form->EditAnzEtikettenInZeile->text(), QStringLiteral("2"));
        QCOMPARE(form->ObererRand(), 13);

        // A value that is no number stops the reading there, through the window's guard.
        const QString kaputt = p.schreibeEtikett(QStringLiteral("Kaputt"), 100, 50,
                                                 "[Einstellung]\r\nObererRand=20\r\nSeitenRand=1.234.5\r\n"
                                                 "Vertikalabstand=77\r\n");
        QVERIFY(!form->bewacht([&] { form->LiesVorlagenDatenEin(kaputt); }));
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")),
                 QStringList{QStringLiteral("'1,234.5' ist kein gültiger Gleitkommawert")});
        QCOMPARE(form->ObererRand(), 20);
        QVERIFY(form->Vertikalabstand() != 77);
    }

    void speichernSchreibtNeunZeilen()
    {
        Programmordner p;
        auto form = p.fenster();
        Programmordner::starte(*form);
        form->MasseEtikettBearbeitenClick();
        QVERIFY(form->obererRandLabel->isEnabled());
        form->speichern1->trigger();
        const QByteArray erwartet = "[Einstellung]\r\nObererRand=10\r\nSeitenRand=15\r\nVertikalabstand=54\r\n"
                                    "Horizontalabstand=95\r\nEtikettenhoehe=54\r\nEtikettenbreite=85\r\n"
                                    "AnzahlEtikettenInZeile=2\r\nAnzahlEtikettenInSpalte=5\r\n";
        QCOMPARE(lies(p.daten(QStringLiteral("Visitenkarte_85x54.ini"))), erwartet);
        QVERIFY(!form->obererRandLabel->isEnabled());
        QVERIFY(!form->dokument().geaendert());
        form->speichern1->trigger();
        QCOMPARE(lies(p.daten(QStringLiteral("Visitenkarte_85x54.ini"))), erwartet);
        QVERIFY(p.dialoge.gezeigt.isEmpty());
    }

    void speichernOhneEtikett()
    {
        Programmordner p;
        auto form = p.fenster(1);
        Programmordner::starte(*form);
        form->speichern1->trigger();
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")),
                 QStringList{QStringLiteral("Datei  kann nicht erstellt werden")});
        QVERIFY(form->dokument().geaendert());
    }

    void schliessen_data()
    {
        QTest::addColumn<bool>("geaendert");
        QTest::addColumn<int>("antwort"); // -1: no question
        QTest::newRow("unchanged writes the last label") << false << -1;
        QTest::newRow("changed, Nein writes nothing") << true << 0;
        QTest::newRow("changed, Ja saves and writes") << true << 1;
    }

    void schliessen()
    {
        QFETCH(bool, geaendert);
        QFETCH(int, antwort);
        Programmordner p;
        auto form = p.fenster();
        Programmordner::starte(*form);
        SchreibSpeicherwert(QStringLiteral("ZuletztAngezeigt"), QStringLiteral("vorher"));
        const QByteArray iniVorher = lies(p.daten(QStringLiteral("Visitenkarte_85x54.ini")));
        if (geaendert) {
            form->UpDownObererRand->setPosition(20);
            QVERIFY(form->dokument().geaendert());
            p.dialoge.antworten.push_back(antwort == 1);
        }
        QVERIFY(form->close());
        const QString zuletzt = LiesSpeicherwert(QStringLiteral("ZuletztAngezeigt"));
        const QByteArray iniNachher = lies(p.daten(QStringLiteral("Visitenkarte_85x54.ini")));
        if (antwort == 0) {
            QCOMPARE(zuletzt, QStringLiteral("vorher"));
            QCOMPARE(iniNachher, iniVorher);
        } else {
            QCOMPARE(zuletzt, form->dokument().bildPfad());
            QCOMPARE(iniNachher.contains("ObererRand=20\r\n"), antwort == 1);
        }
        if (geaendert)
            QCOMPARE(p.dialoge.texte(QStringLiteral("frage")),
                     QStringList{QStringLiteral("Die Einstellungen von VISITENKARTE_85X54 wurden geändert. "
                                                "Einstellungen speichern?")});
        QVERIFY(p.dialoge.unerwartet.isEmpty());
    }

    void fehlgeschlagenesSpeichernHaeltDasProgramm()
    {
        Programmordner p;
        auto form = p.fenster();
        Programmordner::starte(*form);
        form->UpDownObererRand->setPosition(20);
        // A folder stands where the settings file belongs: the save fails and the window stays.
        const QString ini = p.daten(QStringLiteral("Visitenkarte_85x54.ini"));
        QVERIFY(QFile::remove(ini));
        QVERIFY(QDir().mkpath(ini));
        p.dialoge.antworten.push_back(true);
        QVERIFY(!form->close());
        QVERIFY(form->isVisible());
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")),
                 QStringList{QStringLiteral("Datei %1 kann nicht erstellt werden").arg(ini)});
        QVERIFY(form->dokument().geaendert());
    }

    void startAnAnderemOrt()
    {
        Programmordner p;
        SchreibErstwerte(QDir::toNativeSeparators(QStringLiteral("/woanders/")));
        auto form = p.fenster(1);
        const QStringList m = p.dialoge.texte(QStringLiteral("information"));
        QCOMPARE(m.size(), 2);
        // Its only slashes are the path's, which the program writes as the system does.
        QCOMPARE(m[0],
                 QDir::toNativeSeparators(QStringLiteral(
                     "\"Morvane\" haben Sie schon mal an einem anderen Speicherort benutzt:\n\r"
                     "\"/woanders/\"\n\r\n\rIhre Daten finden Sie weiterhin im Ordner:\n\r\"/woanders/\"")));
        QCOMPARE(m[1],
                 QStringLiteral("Wenn Sie hier in diesem Ordner zukünftig Ihre Daten anlegen möchten,\n\r"
                                "dann betätigen Sie den Menüpunkt \"Optionen|Registry-Eintrag löschen\""));
        // The stored folders stay in use.
        QCOMPARE(form->zustand().OrdnerEtikettenVorlagen,
                 QDir::toNativeSeparators(QStringLiteral("/woanders/Morvane/Vorlagen/")));
    }

    void startAmGespeichertenOrt()
    {
        Programmordner p;
        SchreibErstwerte(p.wurzel.toUpper());
        auto inAndererSchreibung = p.fenster(1);
        QDir().mkpath(p.pfad(QStringLiteral("unter/Morvane")));
        QDir::setCurrent(p.pfad(QStringLiteral("unter")));
        SchreibSpeicherwert(QStringLiteral("InstallOrt"), p.wurzel);
        auto imUnterordner = p.fenster(1);
        QVERIFY(p.dialoge.gezeigt.isEmpty());
        // An empty install location counts as a first run: all five values again.
        SchreibSpeicherwert(QStringLiteral("InstallOrt"), QString());
        SchreibSpeicherwert(QStringLiteral("ZuletztAngezeigt"), QStringLiteral("x"));
        auto erneut = p.fenster(1);
        QCOMPARE(LiesSpeicherwert(QStringLiteral("InstallOrt")), p.pfad(QStringLiteral("unter/")));
        QCOMPARE(LiesSpeicherwert(QStringLiteral("ZuletztAngezeigt")),
                 p.pfad(QStringLiteral("unter/Morvane/Visitenkarte_85x54.bmp")));
    }

    void ersterStartOhneDatenordnerSpeichertNichts()
    {
        Programmordner p;
        QDir().mkpath(p.pfad(QStringLiteral("leer")));
        QDir::setCurrent(p.pfad(QStringLiteral("leer")));
        auto falsch = p.fenster();
        QVERIFY(falsch->beendet());
        QCOMPARE(p.dialoge.texte(QStringLiteral("meldung")),
                 QStringList{QStringLiteral("Der Ordner ") + p.pfad(QStringLiteral("leer/Morvane"))
                             + QStringLiteral(" ist nicht vorhanden! Programm wird beendet!")});
        QVERIFY(!SpeicherVorhanden());

        // The next start from the right folder is a proper first run.
        p.dialoge.leeren();
        QDir::setCurrent(p.wurzel);
        auto richtig = p.fenster();
        QVERIFY(!richtig->beendet());
        QCOMPARE(LiesSpeicherwert(QStringLiteral("InstallOrt")), p.wurzel);
        Programmordner::starte(*richtig);
        QCOMPARE(richtig->dokument().bildPfad(), p.daten(QStringLiteral("Visitenkarte_85x54.bmp")));
        QVERIFY(p.dialoge.gezeigt.isEmpty());
    }

    // The measure fields show every value whole, as a field wide enough would draw it.
    void masseStehenGanzImFeld()
    {
        Gestartet g;
        TFormEtikette &f = *g.form;
        // The pixels a text adds to its field, as columns from the field's left edge.
        auto tinte = [](QLineEdit *feld, const QString &text) {
            feld->setText(QString());
            const QImage leer = feld->grab().toImage();
            feld->setText(text);
            const QImage voll = feld->grab().toImage();
            int links = -1, rechts = -1;
            for (int x = 0; x < voll.width(); ++x)
                for (int y = 0; y < voll.height(); ++y)
                    if (voll.pixel(x, y) != leer.pixel(x, y)) {
                        if (links < 0)
                            links = x;
                        rechts = x;
                    }
            return QPair<int, int>(links, rechts);
        };
        for (QLineEdit *feld : {f.EditObererRand, f.EditEtikettenbreite, f.EditAnzEtikettenInZeile}) {
            QLineEdit breit;
            breit.setFont(feld->font());
            breit.setEnabled(feld->isEnabled());
            breit.resize(300, feld->height());
            const bool anzahl = feld == f.EditAnzEtikettenInZeile;
            for (int wert : {0, 210, 999}) {
                const QString text = anzahl ? QString::number(wert) : MassMitEinheit(wert);
                const auto [links, rechts] = tinte(feld, text);
                const auto [breitLinks, breitRechts] = tinte(&breit, text);
                QVERIFY2(links > 0 && rechts < feld->width() - 2, qPrintable(text));
                QCOMPARE(rechts - links, breitRechts - breitLinks);
            }
            // A longer text shows from its first character.
            QCOMPARE(tinte(feld, QStringLiteral("10000 mm")).first, tinte(feld, QStringLiteral("1")).first);
        }
        QCOMPARE(f.EditEtikettenbreite->geometry(), QRect(196, 333, 49, 24));
    }

    void registryLoeschen()
    {
        Programmordner p;
        auto form = p.fenster();
        Programmordner::starte(*form);
        p.dialoge.antworten.push_back(false);
        form->RegistryEintraegeloeschen1->trigger();
        QVERIFY(SpeicherVorhanden());
        QVERIFY(form->isVisible());
        QCOMPARE(p.dialoge.texte(QStringLiteral("frage")),
                 QStringList{QStringLiteral("Möchten Sie die Registry-Einträge löschen? \n\rWenn JA, dann wird danach "
                                            "das Programm beendet und \n\rSie müssen es noch mal starten.")});
        // Changed measures are saved on the way out, and the store stays deleted. A printer's correction
        // describes the printer and stays.
        const Druckerkorrektur korrektur{1.5, -2, 1.01, 0.99};
        SchreibDruckerkorrektur(QStringLiteral("Büro"), korrektur);
        form->UpDownObererRand->setPosition(30);
        p.dialoge.antworten.push_back(true);
        p.dialoge.antworten.push_back(true);
        form->RegistryEintraegeloeschen1->trigger();
        QVERIFY(!form->isVisible());
        QVERIFY(!SpeicherVorhanden());
        QVERIFY(LiesDruckerkorrektur(QStringLiteral("Büro")) == korrektur);
        QVERIFY(lies(p.daten(QStringLiteral("Visitenkarte_85x54.ini"))).contains("ObererRand=30"));
    }

    // The tip follows its box and the side-by-side flag, the row limit the count: at once, without a paint.
    void hinweisUndZeilengrenzeFolgenIhremGrund()
    {
        Programmordner p;
        auto form = p.fenster();
        Programmordner::starte(*form);
        QCOMPARE(form->NurEineDruckenCheckBox->toolTip(), QStringLiteral("Hier klicken für mehrere Etiketten drucken"));
        form->NurEineDruckenCheckBox->setChecked(false);
        QCOMPARE(form->NurEineDruckenCheckBox->toolTip(),
                 QStringLiteral("Hier klicken für \"Nur eine Etikette drucken\""));
        oeffneZuBreit(p, *form);
        QVERIFY(!form->zustand().MehrereNebeneinanderMoeglich);
        QCOMPARE(form->NurEineDruckenCheckBox->toolTip(),
                 QStringLiteral("!!!Mehrere Etiketten nebeneinander drucken NICHT möglich!!!"));
        form->UpDownAnzEtikettenInSpalte->setPosition(7);
        QCOMPARE(form->UpDownZeile->Max(), 7);
        QVERIFY(!form->Timer1->isActive());
        QVERIFY(!form->Memo1->isVisible());
        QVERIFY(!form->HinweisDateneingabeLabel->isVisible());
    }

    void fehlerEinmalAuchVerschachtelt()
    {
        Programmordner p;
        auto form = p.fenster(1);
        // An error passing through nested handlers reaches the user once, after the outermost one.
        const bool ok = form->bewacht([&] {
            form->bewacht([] { throw Fehler(QStringLiteral("innen")); });
            QVERIFY(p.dialoge.gezeigt.isEmpty());
            throw Fehler(QStringLiteral("innen"));
        });
        QVERIFY(!ok);
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")), QStringList{QStringLiteral("innen")});
        QVERIFY(form->bewacht([] {}));
        QCOMPARE(p.dialoge.gezeigt.size(), 1);
    }

    void spinEditor()
    {
        TUpDown u(1, 10, 5);
        QStringList ereignisse;
        connect(&u, &TUpDown::changing, &u, [&] { ereignisse << QStringLiteral("changing %1").arg(u.Position()); });
        connect(&u, &TUpDown::click, &u, [&] { ereignisse << QStringLiteral("click %1").arg(u.Position()); });
        u.setPosition(5);
        QVERIFY(ereignisse.isEmpty());
        u.setPosition(7);
        QCOMPARE(ereignisse, QStringList{QStringLiteral("changing 5")});
        QCOMPARE(u.Position(), 7);
        ereignisse.clear();
        u.setPosition(50);
        QCOMPARE(u.Position(), 10);
        u.setPosition(-3);
        QCOMPARE(u.Position(), 1);
        ereignisse.clear();
        u.resize(17, 25);
        u.show();
        QTest::mouseClick(u.hochKnopf(), Qt::LeftButton);
        QCOMPARE(ereignisse, (QStringList{QStringLiteral("changing 1"), QStringLiteral("click 2")}));
        ereignisse.clear();
        QTest::mouseClick(u.runterKnopf(), Qt::LeftButton);
        QTest::mouseClick(u.runterKnopf(), Qt::LeftButton);
        // At the limit the position stays: no changing, but the click still arrives.
        QCOMPARE(ereignisse,
                 (QStringList{QStringLiteral("changing 2"), QStringLiteral("click 1"), QStringLiteral("click 1")}));
        TUpDown gross(0, 100000, 70000);
        QCOMPARE(gross.Max(), 32767);
        QCOMPARE(gross.Position(), 32767);

        // By keyboard: Up and Down are the arrows, PageUp ten clicks; the focus shows.
        const QImage ohneFokus = u.grab().toImage();
        u.activateWindow();
        u.setFocus();
        QTRY_VERIFY(u.hasFocus());
        QVERIFY(u.grab().toImage() != ohneFokus);
        ereignisse.clear();
        QTest::keyClick(&u, Qt::Key_Up);
        QCOMPARE(ereignisse, (QStringList{QStringLiteral("changing 1"), QStringLiteral("click 2")}));
        QTest::keyClick(&u, Qt::Key_PageUp);
        QCOMPARE(u.Position(), 10);
        QCOMPARE(ereignisse.filter(QStringLiteral("click")).size(), 11);
        // A held key stops when the focus goes, as a box in front takes it, and does not come back with it.
        QTest::keyPress(&u, Qt::Key_Down);
        QCOMPARE(u.Position(), 9);
        u.clearFocus();
        u.setFocus();
        QKeyEvent wiederholt(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(&u, &wiederholt);
        QCOMPARE(u.Position(), 9);
    }

    // Every control a person can reach says what it is, and a spin editor its value and range.
    void zugaenglichkeit_data()
    {
        QTest::addColumn<bool>("entsperrt");
        QTest::newRow("measures locked") << false;
        QTest::newRow("measures unlocked") << true;
    }

    void zugaenglichkeit()
    {
        QFETCH(bool, entsperrt);
        Gestartet g;
        TFormEtikette &f = *g.form;
        if (entsperrt)
            QTest::keyClick(f.BitBtn1, Qt::Key_Space);
        QCOMPARE(f.UpDownEtikettenbreite->isEnabled(), entsperrt);
        const QList<QAccessible::Role> bedienbar{QAccessible::PushButton, QAccessible::CheckBox,
                                                 QAccessible::EditableText, QAccessible::SpinBox,
                                                 QAccessible::MenuItem};
        QStringList ohneNamen;
        int editoren = 0;
        std::function<void(QAccessibleInterface *)> gehe = [&](QAccessibleInterface *knoten) {
            if (knoten->state().invisible)
                return;
            if (bedienbar.contains(knoten->role()) && knoten->text(QAccessible::Name).trimmed().isEmpty())
                ohneNamen << knoten->object()->metaObject()->className();
            if (knoten->role() == QAccessible::SpinBox) {
                const auto *editor = qobject_cast<TUpDown *>(knoten->object());
                QAccessibleValueInterface *wert = knoten->valueInterface();
                QVERIFY(editor && wert);
                QCOMPARE(wert->currentValue().toInt(), editor->Position());
                QCOMPARE(wert->minimumValue().toInt(), editor->Min());
                // The column's own maximum is 100; it is heard as the count per row that the arrows keep to.
                QCOMPARE(wert->maximumValue().toInt(), editor == f.UpDownSpalte ? 2 : editor->Max());
                ++editoren;
            }
            for (int i = 0; i < knoten->childCount(); ++i)
                gehe(knoten->child(i));
        };
        gehe(QAccessible::queryAccessibleInterface(&f));
        QCOMPARE(ohneNamen, QStringList());
        QCOMPARE(editoren, 10);

        auto zugang = [](QObject *o) { return QAccessible::queryAccessibleInterface(o); };
        QCOMPARE(zugang(f.EditEtikettenbreite)->text(QAccessible::Name), QStringLiteral("Breite"));
        QCOMPARE(zugang(f.UpDownEtikettenbreite)->text(QAccessible::Value), QStringLiteral("85"));
        QCOMPARE(zugang(f.UpDownEtikettenbreite->hochKnopf())->text(QAccessible::Name),
                 QStringLiteral("Erhöhen: Breite"));
        QCOMPARE(zugang(f.EditSpalte)->text(QAccessible::Name), QStringLiteral("Spalte Nr."));
        QCOMPARE(zugang(f.BitBtn1)->text(QAccessible::Description),
                 entsperrt ? QStringLiteral("Maße frei") : QStringLiteral("Maße gesperrt"));
        QCOMPARE(f.Label_Y_InZeilenNummer->buddy(), f.EditZeile);
        QCOMPARE(zugang(f.Image1)->text(QAccessible::Description), QStringLiteral("Etikett Visitenkarte_85x54"));
        QCOMPARE(zugang(f.VorschauImage)->text(QAccessible::Description), QStringLiteral("Vorschau des Bogens"));
        klick(f.UpDownZeile);
        QCOMPARE(zugang(f.ImageInfo)->text(QAccessible::Description),
                 QStringLiteral("Druckposition: Spalte 1, Zeile 2"));
    }

    // Alt with a title's letter opens its menu; F10 the first one; three items have shortcuts.
    void menuesPerTastatur()
    {
        Gestartet g;
        TFormEtikette &f = *g.form;
        // The focus shows from the start, before any key moved it.
        QVERIFY(f.NurEineDruckenCheckBox->hasFocus());
        const QImage mitFokus = f.NurEineDruckenCheckBox->grab().toImage();
        f.NurEineDruckenCheckBox->clearFocus();
        QVERIFY(f.NurEineDruckenCheckBox->grab().toImage() != mitFokus);
        for (const auto &[taste, menue] : {std::pair{Qt::Key_D, f.Datei1}, std::pair{Qt::Key_B, f.Bearbeiten1},
                                           std::pair{Qt::Key_O, f.Option1}, std::pair{Qt::Key_H, f.Hilfe1}}) {
            QTest::keyClick(&f, taste, Qt::AltModifier);
            QTRY_VERIFY(menue->isVisible());
            menue->hide();
        }
        QTest::keyClick(&f, Qt::Key_F10);
        QTRY_VERIFY(f.Datei1->isVisible());
        f.Datei1->hide();
        QVERIFY(g.p.dialoge.gezeigt.isEmpty());
        // "Etikett neu laden", once it shows, is reached by Tab between the row and "Maße bearbeiten".
        f.Etikettbearbeiten1->trigger();
        f.UpDownZeile->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.BitBtnNeuladen);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.BitBtn1);
        // Strg+O, Strg+S and Strg+Q are the menu items; "Drucken" has no shortcut.
        QCOMPARE(f.drucken1->shortcut(), QKeySequence());
        g.p.dialoge.leeren();
        g.p.dialoge.dateien = {std::nullopt};
        QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("dateiOeffnen")).size(), 1);
        const QString ini = g.p.daten(QStringLiteral("Visitenkarte_85x54.ini"));
        QVERIFY(QFile::remove(ini));
        QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFile::exists(ini));
        QTest::keyClick(&f, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(f.beendet());
    }

    void menueUndSteuerelemente()
    {
        Programmordner p;
        auto form = p.fenster(1);
        QStringList menues;
        for (QAction *a : form->menuBar()->actions())
            menues << a->text();
        QCOMPARE(menues,
                 (QStringList{QStringLiteral("&Datei"), QStringLiteral("&Bearbeiten"), QStringLiteral("&Option"),
                              QStringLiteral("&Hilfe")}));
        QStringList datei;
        for (QAction *a : form->Datei1->actions())
            datei << a->text();
        QCOMPARE(datei,
                 (QStringList{
                     QStringLiteral("Neu mit Hilfe einer Vorlage"), QStringLiteral("Neu für einen Etikettenbogen..."),
                     QStringLiteral("Neu aus einem Bild..."), QStringLiteral("Öffnen..."), QStringLiteral("Drucken"),
                     QStringLiteral("Rückseite drucken"), QStringLiteral("Probedruck auf Normalpapier..."),
                     QStringLiteral("Speichern"), QStringLiteral("Etikett neu laden"),
                     QStringLiteral("Bogen zusammenstellen..."), QStringLiteral("Etiketten aus einer Liste..."),
                     QStringLiteral("   "), QStringLiteral("Beenden")}));
        QVERIFY(!form->N1->isSeparator());
        QCOMPARE(form->UpDownSpalte->geometry(), QRect(647, 179, 17, 35));
        QCOMPARE(form->EditAnzEtikettenInSpalte->geometry(), QRect(196, 472, 49, 24));
        QCOMPARE(form->VorschauImage->geometry(), QRect(848, 37, 264, 482));
        QCOMPARE(form->EtikettInfoImage->geometry(), QRect(12, 7, 592, 165));
        // Drawn at build time, shown with the pixels the picture has when drawn. The Windows build draws it under
        // Wine with the build machine's fonts, which the test's own drawing need not find alike.
#ifndef Q_OS_WIN
        QCOMPARE(form->EtikettInfoImage->bild(), ErklaerungsBild());
#else
        QCOMPARE(form->EtikettInfoImage->bild().size(), ErklaerungsBild().size());
#endif
        QCOMPARE(form->Image1->toolTip(), QStringLiteral("Doppelklick zum  Bearbeiten"));
        QCOMPARE(form->UpDownHorizontalAbstand->Position(), 10);
        QCOMPARE(form->UpDownObererRand->Min(), 0);
        QCOMPARE(form->VerzoegerungsTimer->interval(), 100);
        QVERIFY(form->NurEineDruckenCheckBox->isChecked());
        // Tab order starts with the two print boxes and runs into the measures.
        QCOMPARE(form->MehrereEtikettenDruckenCheckBox->nextInFocusChain(), form->NurEineDruckenCheckBox);
        QCOMPARE(form->NurEineDruckenCheckBox->nextInFocusChain(), form->EditObererRand);
    }

    void erklaerungsbildInFarbstufen()
    {
        // More colours than a palette holds: the steps are those of Qt's threshold conversion.
        QImage verlauf(256, 3, QImage::Format_RGB32);
        for (int x = 0; x < 256; ++x) {
            verlauf.setPixel(x, 0, qRgb(x, 255 - x, x / 2));
            verlauf.setPixel(x, 1, qRgb(x / 3, x, 255 - x / 2));
            verlauf.setPixel(x, 2, qRgb(212, 208, 200));
        }
        const QImage erwartet = verlauf.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither)
                                    .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(Farbstufen(verlauf), erwartet);
        QCOMPARE(Farbstufen(verlauf).pixel(0, 2), qRgb(204, 204, 204));

        const QImage bild = ErklaerungsBild();
        QCOMPARE(bild.size(), QSize(592, 165));
        QCOMPARE(Farbstufen(bild), bild);
        QCOMPARE(bild.pixel(0, 0), qRgb(204, 204, 204));
    }

    void infoUndSpendenAusDemMenue()
    {
        Programmordner p;
        auto form = p.fenster(1);
        // Triggers a menu item and, inside the modal dialog it opens, runs `waehrend`, then closes the dialog.
        QPointer<QDialog> offen;
        std::function<void()> waehrend = [] {};
        auto zeige = [&](QAction *aktion) {
            offen = nullptr;
            QTimer::singleShot(0, form.get(), [&] {
                offen = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                if (offen) {
                    waehrend();
                    offen->accept();
                }
            });
            aktion->trigger();
        };

        zeige(form->InfoUeber);
        QVERIFY(offen);
        QCOMPARE(offen->windowTitle(), QStringLiteral("Info"));
        QCOMPARE(offen->parentWidget(), form.get());
        QCOMPARE(offen->windowIcon().cacheKey(), form->windowIcon().cacheKey());
        const QPointer<QDialog> info = offen;
        zeige(form->InfoUeber);
        QCOMPARE(offen, info);

        // The donation box is one instance for the whole run: what the user typed is there the next time.
        waehrend = [&] {
            auto *text = offen->findChild<QTextEdit *>(QStringLiteral("RichEdit1"));
            QVERIFY(text);
            text->moveCursor(QTextCursor::End);
            QTest::keyClicks(text, QStringLiteral("Danke"));
        };
        zeige(form->Spenden1);
        QVERIFY(offen);
        QCOMPARE(offen->windowTitle(), QStringLiteral("Spenden"));
        QCOMPARE(offen->parentWidget(), form.get());
        const QPointer<QDialog> spenden = offen;
        QString beimZweitenMal;
        waehrend = [&] { beimZweitenMal = offen->findChild<QTextEdit *>(QStringLiteral("RichEdit1"))->toPlainText(); };
        zeige(form->Spenden1);
        QCOMPARE(offen, spenden);
        QVERIFY(beimZweitenMal.endsWith(QStringLiteral("Danke")));
        QVERIFY(p.dialoge.gezeigt.isEmpty());
    }
};

QTEST_MAIN(TestFenster)
#include "test_fenster.moc"
