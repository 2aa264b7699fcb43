// The dialog that picks a sheet from the catalogue, used with the keyboard alone.

#include "modal.h"
#include "probeboegen.h"

#include "dialogs/etikettenbogendialog.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

class TestEtikettenbogenDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tastatur_data();
    void tastatur();
};

void TestEtikettenbogenDialog::tastatur_data()
{
    QTest::addColumn<QString>("tippen");
    QTest::addColumn<int>("runter");
    QTest::addColumn<int>("hoch");
    QTest::addColumn<int>("sichtbar");
    QTest::addColumn<QString>("gewaehlt"); // empty: Enter takes nothing

    QTest::newRow("Enter nimmt den ersten") << "" << 0 << 0 << 6 << "Zweckform 3474, 3490";
    QTest::newRow("Pfeil runter im Suchfeld") << "" << 2 << 0 << 6 << "Herma 4360";
    QTest::newRow("3x7, dann der zweite") << "3x7" << 1 << 0 << 2 << "Herma 4360";
    QTest::newRow("Pfeil runter bleibt beim letzten") << "3x7" << 5 << 0 << 2 << "Herma 4360";
    QTest::newRow("Pfeil hoch zurück") << "3x7" << 1 << 1 << 2 << "Avery L7160, J8160";
    QTest::newRow("nichts passt") << "zzz" << 1 << 0 << 0 << "";
}

void TestEtikettenbogenDialog::tastatur()
{
    QFETCH(QString, tippen);
    QFETCH(int, runter);
    QFETCH(int, hoch);
    QFETCH(int, sichtbar);
    QFETCH(QString, gewaehlt);

    TEtikettenbogenDialog dialog(Probeboegen());
    int ergebnis = -1;
    const bool geoeffnet = ImModalenDialog<TEtikettenbogenDialog>(
        [&] { ergebnis = dialog.exec(); },
        [&](TEtikettenbogenDialog &d) {
            auto *suche = d.findChild<QLineEdit *>(QStringLiteral("EditSuche"));
            auto *liste = d.findChild<QListView *>(QStringLiteral("ListeBoegen"));
            auto *keine = d.findChild<QLabel *>(QStringLiteral("LabelKeineTreffer"));
            auto *bild = d.findChild<QLabel *>(QStringLiteral("ImageBogen"));
            auto *anlegen = d.findChild<QPushButton *>(QStringLiteral("ButtonAnlegen"));
            QVERIFY(suche && liste && keine && bild && anlegen);
            QCOMPARE(d.focusWidget(), suche);

            QTest::keyClicks(suche, tippen);
            for (int i = 0; i < runter; ++i)
                QTest::keyClick(suche, Qt::Key_Down);
            for (int i = 0; i < hoch; ++i)
                QTest::keyClick(suche, Qt::Key_Up);
            QCOMPARE(d.focusWidget(), suche);
            QCOMPARE(suche->text(), tippen);

            QCOMPARE(liste->model()->rowCount(), sichtbar);
            QCOMPARE(keine->isVisible(), sichtbar == 0);
            QCOMPARE(liste->isVisible(), sichtbar > 0);
            QCOMPARE(anlegen->isEnabled(), !gewaehlt.isEmpty());
            QCOMPARE(bild->pixmap().isNull(), gewaehlt.isEmpty());
            // What a screen reader hears while the focus stays in the field.
            const QString angesagt = sichtbar == 0 ? QStringLiteral("Keine passenden Etikettenbögen")
                                                   : QStringLiteral("%1 passende Etikettenbögen").arg(sichtbar);
            auto *zahl = d.findChild<QLabel *>(QStringLiteral("LabelTrefferzahl"));
            QCOMPARE(QAccessible::queryAccessibleInterface(zahl)->text(QAccessible::Name), angesagt);

            QTest::keyClick(suche, Qt::Key_Return);
            QCOMPARE(d.isVisible(), gewaehlt.isEmpty());
        });
    QVERIFY(geoeffnet);
    QCOMPARE(ergebnis, gewaehlt.isEmpty() ? int(QDialog::Rejected) : int(QDialog::Accepted));
    if (!gewaehlt.isEmpty()) {
        QVERIFY(dialog.gewaehlterBogen());
        QCOMPARE(BogenName(*dialog.gewaehlterBogen()), gewaehlt);
    }
}

QTEST_MAIN(TestEtikettenbogenDialog)
#include "test_etikettenbogendialog.moc"
