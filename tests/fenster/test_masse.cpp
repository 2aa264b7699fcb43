#include "app/bildansicht.h"
#include "app/formetikette_p.h"
#include "app/updown.h"
#include "dialogs/anschnitt.h"
#include "dialogs/genau.h"
#include "dialogs/qtdialoge.h"
#include "genauesetikett.h"
#include "modal.h"
#include "programmordner.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QFontMetrics>
#include <QStyle>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <optional>

class TestMasse : public QObject
{
    Q_OBJECT

    // The measure editors unlocked, as after "Maße bearbeiten".
    struct Entsperrt : Gestartet
    {
        Entsperrt() { form->MasseBearbeitenClick(); }
    };

    // The precise 3 x 7 stock opened, the editors unlocked.
    struct GenauGeoeffnet : Gestartet
    {
        QString bild = p.daten(QStringLiteral("Adressen.bmp"));
        GenauGeoeffnet()
        {
            QVERIFY(SchreibeGenauesEtikett(bild));
            p.dialoge.dateien.push_back(bild);
            form->Oeffnen1->trigger();
            QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")), QStringList());
            p.dialoge.leeren();
            form->MasseBearbeitenClick();
        }
    };

    // The text of a measure's field, by its key.
    static QString feld(TFormEtikette &form, Massfeld f)
    {
        const QLineEdit *felder[] = {form.EditObererRand,        form.EditSeitenrand,        form.EditVertikalAbstand,
                                     form.EditHorizontalAbstand, form.EditEtikettenHoehe,   form.EditEtikettenbreite,
                                     form.EditAnzEtikettenInZeile, form.EditAnzEtikettenInSpalte};
        return felder[MassIndex(f)]->text();
    }

private Q_SLOTS:
    void dreiSchnelleKlicksEineAktualisierung()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        int changing = 0;
        connect(form.UpDownObererRand, &TUpDown::changing, &form, [&] { ++changing; });
        const int vorher = form.vorschauZaehler();
        klick(form.UpDownObererRand);
        klick(form.UpDownObererRand);
        klick(form.UpDownObererRand);
        QCOMPARE(changing, 3);
        QCOMPARE(form.ObererRand(), 13);
        QCOMPARE(form.EditObererRand->text(), QStringLiteral("13 mm"));
        QVERIFY(form.dokument().geaendert());
        QVERIFY(form.zustand().AktualisierungAusstehend[MassIndex(&Bogenmasse::ObererRand)]);
        QVERIFY(form.VerzoegerungsTimer->isActive());
        form.VerzoegerungsTimerTimer();
        form.VerzoegerungsTimerTimer();
        QCOMPARE(form.vorschauZaehler(), vorher); // ticks 1 and 2 only count
        form.VerzoegerungsTimerTimer();
        QCOMPARE(form.vorschauZaehler(), vorher + 1);
        QVERIFY(!form.VerzoegerungsTimer->isActive());
        QVERIFY(!form.zustand().AktualisierungAusstehend[MassIndex(&Bogenmasse::ObererRand)]);
        QCOMPARE(form.zustand().VerzoegerungsZaehler, 0);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void aktualisierungMitDerUhr()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        const int vorher = form.vorschauZaehler();
        klick(form.UpDownSeitenrand);
        QTRY_VERIFY(!form.VerzoegerungsTimer->isActive());
        QCOMPARE(form.vorschauZaehler(), vorher + 1);
        QCOMPARE(form.EditSeitenrand->text(), QStringLiteral("16 mm"));
    }

    void feste_Reihenfolge()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        // Rand 25 makes two per row fail; each step runs its own check, so the message comes twice: from the
        // margin's step before the height changed, then from the height's step after the view was resized.
        form.UpDownSeitenrand->setPosition(24);
        klick(form.UpDownSeitenrand);
        klick(form.UpDownEtikettenHoehe);
        const QSize bildVorher = form.Image1->size();
        QStringList protokoll;
        g.p.dialoge.beimZeigen = [&](const QString &) {
            protokoll << QStringLiteral("Meldung, Bild %1").arg(form.Image1->height());
        };
        ticken(form);
        QVERIFY(form.Image1->height() != bildVorher.height());
        QCOMPARE(protokoll,
                 (QStringList{QStringLiteral("Meldung, Bild %1").arg(bildVorher.height()),
                              QStringLiteral("Meldung, Bild %1").arg(form.Image1->height())}));
        QCOMPARE(form.AnzahlEtikettenInZeile(), 2);
    }

    void abstandFolgtDerGroesse()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        form.UpDownHorizontalAbstand->setPosition(50);
        form.UpDownEtikettenbreite->setPosition(50);
        klick(form.UpDownEtikettenbreite);
        QCOMPARE(form.Etikettenbreite(), 51);
        QCOMPARE(form.Horizontalabstand(), 51);
        QCOMPARE(form.EditHorizontalAbstand->text(), QStringLiteral("51 mm"));
        QVERIFY(!form.zustand().AktualisierungAusstehend[MassIndex(&Bogenmasse::Horizontalabstand)]);

        form.speichern1->trigger();
        form.MasseBearbeitenClick();
        QVERIFY(!form.dokument().geaendert());
        klick(form.UpDownHorizontalAbstand, false);
        QCOMPARE(form.Horizontalabstand(), 51);
        QCOMPARE(form.EditHorizontalAbstand->text(), QStringLiteral("51 mm"));
        QVERIFY(form.dokument().geaendert());

        form.UpDownVertikalAbstand->setPosition(40);
        form.UpDownEtikettenHoehe->setPosition(40);
        klick(form.UpDownEtikettenHoehe);
        QCOMPARE(form.Vertikalabstand(), 41);
        QCOMPARE(form.EditVertikalAbstand->text(), QStringLiteral("41 mm"));
        klick(form.UpDownVertikalAbstand, false);
        QCOMPARE(form.Vertikalabstand(), 41);
    }

    void anzahlKlicksBewegenDiePosition()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        klick(form.UpDownAnzEtikettenInZeile); // 2 -> 3
        QCOMPARE(form.EditAnzEtikettenInZeile->text(), QStringLiteral("3"));
        QCOMPARE(form.UpDownSpalte->Position(), 3);
        QCOMPARE(form.EditSpalte->text(), QStringLiteral("3"));
        QCOMPARE(form.zustand().LetzteAnzahlInZeile, 2); // loaded count 2

        form.UpDownAnzEtikettenInSpalte->setPosition(7);
        klick(form.UpDownAnzEtikettenInSpalte); // 7 -> 8
        QCOMPARE(form.UpDownSpalte->Max(), 8);
        QCOMPARE(form.UpDownZeile->Position(), 8);
        QCOMPARE(form.EditZeile->text(), QStringLiteral("8"));
        QCOMPARE(form.EditAnzEtikettenInSpalte->text(), QStringLiteral("8"));
        QCOMPARE(form.zustand().LetzteAnzahlInSpalte, 7);
    }

    void sperrenUndEntsperren()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        form.MasseBearbeitenClick(); // locked again
        QVERIFY(!form.obererRandLabel->isEnabled());
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QVERIFY(form.obererRandLabel->isEnabled());
        QVERIFY(form.UpDownAnzEtikettenInSpalte->isEnabled());
        QVERIFY(form.gerundetLabel->isEnabled());
        QVERIFY(!form.EditObererRand->isEnabled()); // the edit fields only display
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QVERIFY(!form.obererRandLabel->isEnabled());
        QVERIFY(!form.UpDownEtikettenbreite->isEnabled());
        QVERIFY(!form.gerundetLabel->isEnabled());
        form.MasseEtikettBearbeiten->trigger();
        form.MasseEtikettBearbeiten->trigger();
        QVERIFY(form.obererRandLabel->isEnabled());
    }

    void dreiNebeneinanderPassenNicht()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        klick(form.UpDownAnzEtikettenInZeile);
        ticken(form);
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("information")),
                 QStringList{QStringLiteral("Ein DIN-A4 Blatt ist 210 mm breit.\r\n\r\nLinker Rand = 15 mm +"
                                            "(Horizontalabstand x 3) = 300 mm\r\n\r\n3 Etiketten passen NICHT "
                                            "horizontal auf ein DIN-A4 Blatt! ")});
        QCOMPARE(form.AnzahlEtikettenInZeile(), 2);
        QCOMPARE(form.EditAnzEtikettenInZeile->text(), QStringLiteral("2"));
        QCOMPARE(form.UpDownSpalte->Position(), 2);
        QCOMPARE(form.EditSpalte->text(), QStringLiteral("2"));
        form.speichern1->trigger();
        QFile f(g.p.daten(QStringLiteral("Visitenkarte_85x54.ini")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("AnzahlEtikettenInZeile=2\r\n"));
    }

    void zuVieleZeilenWerdenZurueckgesetzt()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        form.UpDownObererRand->setPosition(30);
        klick(form.UpDownAnzEtikettenInSpalte); // 5 -> 6: 30 + 6 x 54 > 297
        ticken(form);
        const QStringList m = g.p.dialoge.texte(QStringLiteral("information"));
        QCOMPARE(m.size(), 1);
        QCOMPARE(m.first(),
                 QStringLiteral("Ein DIN-A4 Blatt ist 297 mm hoch.\r\n\r\nOberer Rand = 30 mm +"
                                "(Vertikalabstand x 6) = 354 mm\r\n\r\n6 Etiketten passen NICHT "
                                "vertikal auf ein DIN-A4 Blatt! "));
        QCOMPARE(form.AnzahlEtikettenInSpalte(), 5);
        QCOMPARE(form.UpDownZeile->Position(), 5);
        QCOMPARE(form.EditZeile->text(), QStringLiteral("5"));
    }

    // The repair puts the loaded count back above the row limit of the lowered count: the row becomes that last
    // row, in its editor as in its field.
    void zeileFolgtDerZurueckgesetztenAnzahl()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        klick(form.UpDownAnzEtikettenInSpalte, false);
        klick(form.UpDownAnzEtikettenInSpalte, false); // 5 -> 3
        ticken(form);
        QCOMPARE(form.UpDownZeile->Position(), 3);
        form.UpDownObererRand->setPosition(140);
        klick(form.UpDownObererRand); // 141 + 3 x 54 > 297
        ticken(form);
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("information")).size(), 1);
        QCOMPARE(form.AnzahlEtikettenInSpalte(), 5);
        QCOMPARE(form.UpDownZeile->Position(), 5);
        QCOMPARE(form.EditZeile->text(), QStringLiteral("5"));
    }

    void keinWiedereintrittWaehrendEinerMeldung()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        // Ticks arriving while the box is open change nothing and start nothing.
        int verschachtelt = 0;
        g.p.dialoge.beimZeigen = [&](const QString &) {
            ++verschachtelt;
            form.UpDownAnzEtikettenInZeileClick();
            for (int i = 0; i < 5; ++i)
                form.VerzoegerungsTimerTimer();
        };
        klick(form.UpDownAnzEtikettenInZeile);
        ticken(form);
        QCOMPARE(verschachtelt, 1);
        QCOMPARE(g.p.dialoge.gezeigt.size(), 1);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void fehlerImSchrittNurEinmal()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        QVERIFY(QFile::remove(form.dokument().bildPfad()));
        klick(form.UpDownEtikettenbreite);
        klick(form.UpDownSeitenrand);
        ticken(form);
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("fehler")).size(), 1);
        QVERIFY(!form.VerzoegerungsTimer->isActive());
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        for (int i = 0; i < 5; ++i)
            form.VerzoegerungsTimerTimer();
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("fehler")).size(), 1);
    }

    // A held arrow stops when a box opens in front of it or a menu takes the mouse: the value stays the one the
    // box is about, and no box comes back.
    void gehaltenerPfeilHaeltAn_data()
    {
        QTest::addColumn<bool>("menue"); // else the fit message, at 100 mm for two cards on the sample sheet
        QTest::newRow("the fit message") << false;
        QTest::newRow("a menu pops up") << true;
    }

    void gehaltenerPfeilHaeltAn()
    {
        QFETCH(bool, menue);
        Programmordner p;
        QtDialoge dialoge;
        TFormEtikette form(Umgebung{dialoge, p.schale, [] { return Aufloesung{96, 96}; }, 0, {}});
        Programmordner::starte(form);
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QToolButton *hoch = form.UpDownEtikettenbreite->hochKnopf();
        QVERIFY(hoch->isEnabled());
        QString meldung;
        int breiteBeiMeldung = 0;
        Dialogschritte person({{[](QWidget &w) { return w.inherits("QMessageBox"); },
                                [&](QWidget &w) {
                                    meldung = static_cast<QMessageBox &>(w).text();
                                    breiteBeiMeldung = form.Etikettenbreite();
                                    // The person reads, the mouse still down.
                                    QTest::qWait(1500);
                                    QTest::keyClick(&w, Qt::Key_Return);
                                }}});
        QTest::mousePress(hoch, Qt::LeftButton);
        int breite = 0;
        if (menue) {
            QTest::qWait(800);
            QMenu *datei = form.Datei1;
            datei->popup(form.mapToGlobal(QPoint(10, 10)));
            breite = form.Etikettenbreite();
            QTest::qWait(1000);
            datei->hide();
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!meldung.isEmpty() && person.uebrig() == 0, 15000);
            QTRY_VERIFY(!QApplication::activeModalWidget());
            breite = breiteBeiMeldung;
            QVERIFY2(meldung.contains(QStringLiteral(" = %1 mm").arg(15 + 2 * breite)), qPrintable(meldung));
        }
        QCOMPARE(form.Etikettenbreite(), breite);
        QTest::qWait(800);
        QCOMPARE(form.Etikettenbreite(), breite);
        // The label view that the arrow hid while held is back.
        QVERIFY(form.Image1->isVisible());
        QTest::mouseRelease(hoch, Qt::LeftButton);
        QVERIFY2(person.unerwartet.isEmpty(), qPrintable(person.unerwartet.join(u'|')));
    }

    void druckKnopfVersteckeDasBild()
    {
        Entsperrt g;
        TFormEtikette &form = *g.form;
        // A locked arrow does nothing.
        form.DeaktiviereEinstellungen();
        QTest::mousePress(form.UpDownEtikettenHoehe->hochKnopf(), Qt::LeftButton);
        QVERIFY(form.Image1->isVisible());
        QTest::mouseRelease(form.UpDownEtikettenHoehe->hochKnopf(), Qt::LeftButton);
        form.AktiviereEinstellungen();
        QVERIFY(form.Image1->isVisible());
        QTest::mousePress(form.UpDownEtikettenHoehe->hochKnopf(), Qt::LeftButton);
        QVERIFY(!form.Image1->isVisible());
        QTest::mouseRelease(form.UpDownEtikettenHoehe->hochKnopf(), Qt::LeftButton);
        QVERIFY(form.Image1->isVisible());
    }

    // A precise label in the window: its fields with a decimal comma and whole, the arrows keeping fractions, the
    // fit check and the side-by-side flag on paper, and saving with the exact lengths.
    void genauesEtikettMitPfeilen()
    {
        GenauGeoeffnet g;
        TFormEtikette &form = *g.form;
        QCOMPARE(form.EditObererRand->text(), QStringLiteral("15,5 mm"));
        QCOMPARE(form.EditSeitenrand->text(), QStringLiteral("6,75 mm"));
        QCOMPARE(form.EditVertikalAbstand->text(), QStringLiteral("38,1 mm"));
        // A screen reader hears the length as the field shows it.
        QCOMPARE(QAccessible::queryAccessibleInterface(form.UpDownVertikalAbstand)->text(QAccessible::Value),
                 QStringLiteral("38,1"));
        QCOMPARE(form.EditEtikettenbreite->text(), QStringLiteral("63,5 mm"));
        QCOMPARE(form.ObererRand(), 16);
        QVERIFY(!form.dokument().geaendert());
        // On the raster two 750-pixel pictures would not fit side by side; on paper three do.
        QVERIFY(form.zustand().MehrereNebeneinanderMoeglich);

        klick(form.UpDownVertikalAbstand);
        klick(form.UpDownEtikettenHoehe, false);
        QCOMPARE(form.EditVertikalAbstand->text(), QStringLiteral("39,1 mm"));
        QCOMPARE(form.EditEtikettenHoehe->text(), QStringLiteral("37,1 mm"));
        QCOMPARE(form.Masse().Hundertstel(&Bogenmasse::Vertikalabstand), 3910);
        QVERIFY(form.dokument().geaendert());
        // The height back up past its pitch raises the pitch to it, fraction included.
        for (int i = 0; i < 3; ++i)
            klick(form.UpDownEtikettenHoehe);
        QCOMPARE(form.EditVertikalAbstand->text(), QStringLiteral("40,1 mm"));
        QCOMPARE(form.Masse().Hundertstel(&Bogenmasse::Vertikalabstand), 4010);
        ticken(form);

        // 14.75 + 2 x 66.5 + 63.5 = 211.25 mm: the row no longer fits on paper (by whole millimetres it would).
        for (int i = 0; i < 8; ++i)
            klick(form.UpDownSeitenrand);
        QCOMPARE(form.EditSeitenrand->text(), QStringLiteral("14,75 mm"));
        for (const QLineEdit *f : {form.EditSeitenrand, form.EditVertikalAbstand})
            QVERIFY(QFontMetrics(f->font()).horizontalAdvance(f->text())
                    <= f->width() - 2 * f->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, f) - 4);
        g.p.dialoge.leeren();
        ticken(form);
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("information")),
                 QStringList{QStringLiteral("Ein DIN-A4 Blatt ist 210 mm breit.\r\n\r\nLinker Rand = 14,75 mm + 2 x "
                                            "Horizontalabstand 66,5 mm + Etikettenbreite 63,5 mm = 211,25 mm\r\n\r\n"
                                            "3 Etiketten passen NICHT horizontal auf ein DIN-A4 Blatt! ")});
        // The most that fit: 14,75 + 66,5 + 63,5 = 144,75 mm.
        QCOMPARE(form.AnzahlEtikettenInZeile(), 2);

        form.speichern1->trigger();
        QFile f(g.p.daten(QStringLiteral("Adressen.ini")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(),
                 QByteArray("[Einstellung]\r\nObererRand=16\r\nSeitenRand=15\r\nVertikalabstand=40\r\n"
                            "Horizontalabstand=67\r\nEtikettenhoehe=40\r\nEtikettenbreite=64\r\n"
                            "AnzahlEtikettenInZeile=2\r\nAnzahlEtikettenInSpalte=7\r\n[Genau]\r\nObererRand=15.5\r\n"
                            "SeitenRand=14.75\r\nVertikalabstand=40.1\r\nHorizontalabstand=66.5\r\n"
                            "Etikettenhoehe=40.1\r\nEtikettenbreite=63.5\r\n"));

        // At the end of its range an arrow drops the fraction: 15,5 mm comes down to 0 mm, not to -0,5.
        form.MasseBearbeitenClick();
        for (int i = 0; i < 16; ++i)
            klick(form.UpDownObererRand, false);
        QCOMPARE(form.Masse().Hundertstel(&Bogenmasse::ObererRand), 0);
        QCOMPARE(form.EditObererRand->text(), QStringLiteral("0 mm"));
    }

    // A [Genau] section written with a decimal comma, as the window shows values: the label is ordinary, and the
    // person is told once, when it is loaded.
    void genauMitKommaWirdGesagt()
    {
        Gestartet g;
        const QString bild = g.p.daten(QStringLiteral("Komma.bmp"));
        QVERIFY(SchreibeGenauesEtikett(bild));
        QFile ini(g.p.daten(QStringLiteral("Komma.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(QByteArray(GenauEinstellungen).replace("6.75", "6,75"));
        ini.close();
        g.p.dialoge.leeren();
        g.p.dialoge.dateien.push_back(bild);
        g.form->Oeffnen1->trigger();
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("information")),
                 QStringList{QStringLiteral("Der Abschnitt [Genau] der Einstellungsdatei %1 wird nicht benutzt: "
                                            "SeitenRand=6,75 ist keine Zahl mit Dezimalpunkt und höchstens zwei "
                                            "Nachkommastellen. Die Etikette wird mit den ganzen Millimetern aus "
                                            "[Einstellung] gedruckt.")
                                 .arg(QDir::toNativeSeparators(ini.fileName()))});
        QVERIFY(!g.form->Masse().IstGenau());
        QCOMPARE(g.form->EditSeitenrand->text(), QStringLiteral("7 mm"));
    }

    // "Maße genau eingeben...": what is typed is taken as the arrows would set it, or refused with nothing changed.
    void genauEingeben_data()
    {
        QTest::addColumn<bool>("genauerBogen"); // start on the precise stock rather than the sample card
        QTest::addColumn<QStringList>("eingaben"); // key=text
        QTest::addColumn<QString>("meldung");      // the refusal; empty when taken
        QTest::addColumn<QStringList>("felder");   // key=text of the window's fields afterwards
        QTest::addColumn<bool>("genau");

        QTest::newRow("the stock's measures typed with a decimal comma")
            << false
            << QStringList{"ObererRand=15,5",      "SeitenRand=6,75",     "Vertikalabstand=38,1",
                           "Horizontalabstand=66,5", "Etikettenhoehe=38,1", "Etikettenbreite= 63,5 ",
                           "AnzahlEtikettenInZeile=3", "AnzahlEtikettenInSpalte=7"}
            << QString() << QStringList{"SeitenRand=6,75 mm", "Etikettenbreite=63,5 mm", "AnzahlEtikettenInZeile=3"}
            << true;
        QTest::newRow("three decimals are refused, naming the field")
            << false << QStringList{"SeitenRand=6,75", "Etikettenhoehe=38,123"}
            << QStringLiteral("„38,123“ ist für „Höhe“ nicht möglich: erlaubt ist eine Zahl von 1 bis 10000 mm mit "
                              "höchstens zwei Nachkommastellen, zum Beispiel 38,1.")
            << QStringList{"SeitenRand=15 mm", "Etikettenhoehe=54 mm"} << false;
        QTest::newRow("a pitch below the range is named before a later bad field")
            << false << QStringList{"Etikettenbreite=63.5", "Vertikalabstand=0,5"}
            << QStringLiteral("„0,5“ ist für „Vertikalabstand“ nicht möglich: erlaubt ist eine Zahl von 1 bis 10000 "
                              "mm mit höchstens zwei Nachkommastellen, zum Beispiel 38,1.")
            << QStringList{"Vertikalabstand=54 mm"} << false;
        QTest::newRow("a count with a fraction")
            << false << QStringList{"AnzahlEtikettenInZeile=2,5"}
            << QStringLiteral("„2,5“ ist für „Anz. in einer Zeile [x]“ nicht möglich: erlaubt ist eine ganze Zahl von "
                              "1 bis 10000.")
            << QStringList{"AnzahlEtikettenInZeile=2"} << false;
        QTest::newRow("a pitch below its label's width is raised to it")
            << false << QStringList{"Horizontalabstand=80", "Etikettenbreite=85,5"} << QString()
            << QStringList{"Horizontalabstand=85,5 mm", "Etikettenbreite=85,5 mm"} << true;
        // Its picture is drawn for the exact size: made ordinary, it would print at 120 dpi.
        QTest::newRow("whole numbers keep a precise label precise")
            << true
            << QStringList{"ObererRand=16",     "SeitenRand=7",      "Vertikalabstand=38",
                           "Horizontalabstand=67", "Etikettenhoehe=38", "Etikettenbreite=64"}
            << QString() << QStringList{"SeitenRand=7 mm", "Vertikalabstand=38 mm"} << true;
        QTest::newRow("a sheet too tall is told before OK closes, with its far edge")
            << true << QStringList{"AnzahlEtikettenInSpalte=8"}
            << QStringLiteral("Ein DIN-A4 Blatt ist 297 mm hoch.\r\n\r\nOberer Rand = 15,5 mm + 7 x Vertikalabstand "
                              "38,1 mm + Etikettenhöhe 38,1 mm = 320,3 mm\r\n\r\n8 Etiketten passen NICHT vertikal "
                              "auf ein DIN-A4 Blatt! ")
            << QStringList{"AnzahlEtikettenInSpalte=7"} << true;
        QTest::newRow("whole numbers keep an ordinary label ordinary")
            << false << QStringList{"ObererRand=16", "Etikettenbreite=64"} << QString()
            << QStringList{"ObererRand=16 mm", "Etikettenbreite=64 mm"} << false;
    }

    void genauEingeben()
    {
        QFETCH(bool, genauerBogen);
        QFETCH(QStringList, eingaben);
        QFETCH(QString, meldung);
        QFETCH(QStringList, felder);
        QFETCH(bool, genau);
        std::optional<Gestartet> gewoehnlich;
        std::optional<GenauGeoeffnet> genauer;
        Gestartet *g = genauerBogen ? static_cast<Gestartet *>(&genauer.emplace()) : &gewoehnlich.emplace();
        TFormEtikette &form = *g->form;
        g->p.dialoge.leeren();
        const Bogenmasse vorher = form.Masse();
        QString vorbelegt;
        bool offenNachOk = false;
        const bool geoeffnet = ImModalenDialog<TGenauDialog>([&] { form.MasseGenauEingeben1->trigger(); },
                                                             [&](TGenauDialog &d) {
            vorbelegt = d.findChild<QLineEdit *>(QStringLiteral("GenauSeitenRand"))->text();
            for (const QString &e : eingaben) {
                auto *f = d.findChild<QLineEdit *>(QStringLiteral("Genau") + e.section(u'=', 0, 0));
                QVERIFY(f);
                f->setText(e.section(u'=', 1));
            }
            QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("OkButton")), Qt::LeftButton);
            offenNachOk = d.isVisible();
        });
        QVERIFY(geoeffnet);
        QCOMPARE(vorbelegt, genauerBogen ? QStringLiteral("6,75") : QStringLiteral("15"));
        QCOMPARE(offenNachOk, !meldung.isEmpty());
        QCOMPARE(g->p.dialoge.texte(QStringLiteral("meldung")), meldung.isEmpty() ? QStringList() : QStringList{meldung});
        if (!meldung.isEmpty()) {
            QCOMPARE(form.Masse(), vorher);
            QVERIFY(!form.VerzoegerungsTimer->isActive());
        } else {
            QVERIFY(form.dokument().geaendert());
            QVERIFY(form.VerzoegerungsTimer->isActive());
            ticken(form);
        }
        for (const QString &e : felder) {
            const auto i = std::ranges::find_if(Massangaben, [&](const Massangabe &a) {
                return e.section(u'=', 0, 0) == QLatin1String(a.schluessel);
            });
            QCOMPARE(feld(form, i->feld), e.section(u'=', 1));
        }
        QCOMPARE(form.Masse().IstGenau(), genau);
        QCOMPARE(g->p.dialoge.texte(QStringLiteral("fehler")), QStringList());
    }

    // "Option | Anschnitt...", by keyboard: the bleed typed goes into the settings file as a section of its own after
    // the lines that were there, and the preview shows it; anything else is refused with nothing changed.
    void anschnitt_data()
    {
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<QString>("meldung"); // the refusal; empty when taken
        QTest::addColumn<QByteArray>("angehaengt");
        QTest::newRow("1,5 mm") << "1,5" << QString() << QByteArray("[Anschnitt]\r\nRand=1.5\r\n");
        QTest::newRow("a point as in the file") << "2.25" << QString() << QByteArray("[Anschnitt]\r\nRand=2.25\r\n");
        QTest::newRow("more than 3 mm") << "3,5"
                                        << "Der Anschnitt ist eine Zahl von 0 bis 3 mm mit höchstens zwei "
                                           "Nachkommastellen, zum Beispiel 1,5. \"3,5\" ist keine."
                                        << QByteArray();
    }

    void anschnitt()
    {
        QFETCH(QString, eingabe);
        QFETCH(QString, meldung);
        QFETCH(QByteArray, angehaengt);
        Gestartet g;
        g.p.dialoge.leeren();
        QFile ini(g.p.daten(QStringLiteral("Visitenkarte_85x54.ini")));
        const auto lies = [&] {
            ini.open(QIODevice::ReadOnly);
            const QByteArray b = ini.readAll();
            ini.close();
            return b;
        };
        const QByteArray vorher = lies();
        const QImage vorschau = g.form->VorschauImage->bild();
        QVERIFY(ImModalenDialog<TAnschnittDialog>([&] { g.form->Anschnitt1->trigger(); },
                                                  [&](TAnschnittDialog &d) {
                                                      QTest::keyClicks(d.focusWidget(), eingabe);
                                                      QTest::keyClick(d.focusWidget(), Qt::Key_Return);
                                                      QCOMPARE(d.isVisible(), !meldung.isEmpty());
                                                  }));
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("meldung")),
                 meldung.isEmpty() ? QStringList() : QStringList{meldung});
        QCOMPARE(lies(), vorher + angehaengt);
        QCOMPARE(g.form->VorschauImage->bild() == vorschau, angehaengt.isEmpty());
        QVERIFY(!g.form->dokument().geaendert());
    }
};

QTEST_MAIN(TestMasse)
#include "test_masse.moc"
