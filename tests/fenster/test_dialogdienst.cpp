#include "dialogs/qtdialoge.h"
#include "platform/konsole.h"
#include "platform/schale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(Schalenaufruf)

// The production dialogs: titles and button texts letter for letter, and what each answer means.
class TestDialogDienst : public QObject
{
    Q_OBJECT

    struct Gesehen
    {
        QString titel;
        QString text;
        QStringList knoepfe;
        QString vorgabe;
    };

    // Reads the box that opens next and answers it with the given key or button text.
    static void beantworte(Gesehen &gesehen, const QString &antwort)
    {
        QTimer::singleShot(0, [&gesehen, antwort] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            gesehen.titel = box->windowTitle();
            gesehen.text = box->text();
            for (QAbstractButton *k : box->buttons())
                gesehen.knoepfe << k->text();
            if (box->defaultButton())
                gesehen.vorgabe = box->defaultButton()->text();
            if (antwort == QLatin1String("Escape")) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton *k : box->buttons())
                if (k->text() == antwort)
                    k->click();
        });
    }

private Q_SLOTS:
    void fragen_data()
    {
        QTest::addColumn<bool>("druck");
        QTest::addColumn<QString>("antwort");
        QTest::addColumn<bool>("ja");
        QTest::newRow("question, Ja") << false << "&Ja" << true;
        QTest::newRow("question, Nein") << false << "&Nein" << false;
        QTest::newRow("question, Escape") << false << "Escape" << false;
        QTest::newRow("paper question, Ja") << true << "&Ja" << true;
        QTest::newRow("paper question, Escape") << true << "Escape" << false;
    }

    void fragen()
    {
        QFETCH(bool, druck);
        QFETCH(QString, antwort);
        QFETCH(bool, ja);
        QtDialoge dialoge;
        Gesehen g;
        beantworte(g, antwort);
        const bool ergebnis =
            druck ? dialoge.druckFrage(QStringLiteral("Frage?")) : dialoge.frage(QStringLiteral("Frage?"));
        QCOMPARE(ergebnis, ja);
        QCOMPARE(g.titel, QStringLiteral("Bestätigung"));
        QCOMPARE(g.text, QStringLiteral("Frage?"));
        QCOMPARE(g.knoepfe, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
        QCOMPARE(g.vorgabe, QStringLiteral("&Ja"));
    }

    void hinweise()
    {
        QtDialoge dialoge;
        Gesehen info;
        beantworte(info, QStringLiteral("OK"));
        dialoge.information(QStringLiteral("Hinweis"));
        QCOMPARE(info.titel, QStringLiteral("Information"));
        QCOMPARE(info.knoepfe, QStringList{QStringLiteral("OK")});

        Gesehen meldung;
        beantworte(meldung, QStringLiteral("OK"));
        dialoge.meldung(QStringLiteral("Die Datei: x fehlt!"));
        QCOMPARE(meldung.titel, ProgrammTitel);
        QCOMPARE(meldung.text, QStringLiteral("Die Datei: x fehlt!"));
        QCOMPARE(meldung.knoepfe, QStringList{QStringLiteral("OK")});

        Gesehen fehler;
        beantworte(fehler, QStringLiteral("OK"));
        dialoge.fehler(QStringLiteral("Datei x kann nicht erstellt werden"));
        QCOMPARE(fehler.titel, ProgrammTitel);
        QCOMPARE(fehler.knoepfe, QStringList{QStringLiteral("OK")});

        // A question whose yes gives something up: Return answers "&Nein".
        Gesehen vorsicht;
        beantworte(vorsicht, QStringLiteral("&Ja"));
        QVERIFY(dialoge.vorsichtsfrage(QStringLiteral("Trotzdem schließen?")));
        QCOMPARE(QStringList(vorsicht.knoepfe) << vorsicht.vorgabe << vorsicht.titel,
                 (QStringList{"&Ja", "&Nein", "&Nein", "Bestätigung"}));

        // The margin question prints only on "Trotzdem drucken": Return and Escape print nothing.
        Gesehen rand;
        beantworte(rand, QStringLiteral("Escape"));
        QVERIFY(!dialoge.randFrage(QStringLiteral("Links fehlen")));
        QCOMPARE(QStringList(rand.knoepfe) << rand.vorgabe << rand.titel,
                 (QStringList{"Trotzdem drucken", "Abbrechen", "Abbrechen", ProgrammTitel}));
    }

    void pfeilStattSanduhrInDerBox()
    {
        QtDialoge dialoge;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        Qt::CursorShape inDerBox = Qt::WaitCursor;
        QTimer::singleShot(0, [&] {
            inDerBox = QGuiApplication::overrideCursor()->shape();
            QApplication::activeModalWidget()->close();
        });
        dialoge.information(QStringLiteral("Hinweis"));
        QCOMPARE(inDerBox, Qt::ArrowCursor);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QGuiApplication::restoreOverrideCursor();
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void eingabe()
    {
        QtDialoge dialoge;
        QString titel, aufforderung, ok, abbrechen, feldname;
        auto antworte = [&](bool bestaetigen) {
            QTimer::singleShot(0, [&, bestaetigen] {
                auto *d = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
                QVERIFY(d);
                titel = d->windowTitle();
                aufforderung = d->labelText();
                ok = d->okButtonText();
                abbrechen = d->cancelButtonText();
                feldname = d->findChild<QLineEdit *>()->accessibleName();
                d->setTextValue(d->textValue() + QStringLiteral("2"));
                bestaetigen ? d->accept() : d->reject();
            });
        };
        antworte(true);
        QCOMPARE(dialoge.eingabe(QStringLiteral("Karte.bmp")), std::optional<QString>(QStringLiteral("Karte.bmp2")));
        QCOMPARE(titel, QStringLiteral("Eingabedialog"));
        QCOMPARE(aufforderung, QStringLiteral("Eingabeaufforderung"));
        QCOMPARE(ok, QStringLiteral("OK"));
        QCOMPARE(abbrechen, QStringLiteral("Abbrechen"));
        QCOMPARE(feldname, QStringLiteral("Name des neuen Etiketts"));
        antworte(false);
        QCOMPARE(dialoge.eingabe(QStringLiteral("Karte.bmp")), std::nullopt);
    }

    // What the desktop seam hands the Windows shell: the picture whole, quoted for the paint program.
    void schalenaufrufe_data()
    {
        QTest::addColumn<Schalenaufruf>("ist");
        QTest::addColumn<Schalenaufruf>("erwartet");
        QTest::newRow("paint program, path with blanks quoted")
            << MalprogrammAufruf(QStringLiteral("C:/Meine Etiketten/Karte 1.bmp"), true)
            << Schalenaufruf{"open", "C:\\Windows\\System32\\mspaint.exe", "\"C:\\Meine Etiketten\\Karte 1.bmp\"",
                             Zeige};
        QTest::newRow("no paint program: the picture's default action")
            << MalprogrammAufruf(QStringLiteral("C:\\Etiketten\\Karte.bmp"), false)
            << Schalenaufruf{{}, "C:\\Etiketten\\Karte.bmp", {}, ZeigeNormal};
        QTest::newRow("help opened") << OeffnenAufruf(QStringLiteral("C:/Programme/Morvane/Morvane-Hilfe.pdf"))
                                     << Schalenaufruf{"open", "C:\\Programme\\Morvane\\Morvane-Hilfe.pdf", {},
                                                      ZeigeNormal};
    }

    void schalenaufrufe()
    {
        QFETCH(Schalenaufruf, ist);
        QFETCH(Schalenaufruf, erwartet);
#ifndef Q_OS_WIN
        // Only Windows turns slashes into its separator.
        ist.datei.replace(QLatin1Char('/'), QLatin1Char('\\'));
        ist.parameter.replace(QLatin1Char('/'), QLatin1Char('\\'));
#endif
        QCOMPARE(ist.verb, erwartet.verb);
        QCOMPARE(ist.datei, erwartet.datei);
        QCOMPARE(ist.parameter, erwartet.parameter);
        QCOMPARE(ist.zeigen, erwartet.zeigen);
    }

    // Umlauts survive the console's encoding.
    void konsolentext()
    {
        const QString text = QStringLiteral("Die Datei Büro/Maß.bmp kann nicht geöffnet werden\n");
        QCOMPARE(AusKonsolenBytes(KonsolenBytes(text)), text);
        QCOMPARE(KonsolenBytes(QString()), QByteArray());
    }
};

QTEST_MAIN(TestDialogDienst)
#include "test_dialogdienst.moc"
