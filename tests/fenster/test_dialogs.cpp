#include "bitmaps.h"
#include "dialogs/bildwahldialog.h"
#include "dialogs/bogenplandialog.h"
#include "eigenerspeicher.h"
#include "skriptdialoge.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "dialogs/info.h"
#include "dialogs/machpause.h"
#include "dialogs/smiley.h"
#include "dialogs/spenden.h"

#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// Runs exec() and does `waehrend` once the dialog's event loop runs; a fallback closes a dialog that
// `waehrend` failed to close, so a fault fails the test instead of hanging it.
int FuehreModalAus(QDialog &dialog, const std::function<void()> &waehrend)
{
    bool liefModal = false;
    QTimer::singleShot(0, &dialog, [&] {
        liefModal = dialog.isVisible() && dialog.isModal();
        waehrend();
    });
    QTimer notbremse;
    notbremse.setSingleShot(true);
    QObject::connect(&notbremse, &QTimer::timeout, &dialog, [&] { dialog.done(4711); });
    notbremse.start(5000);
    const int ergebnis = dialog.exec();
    if (!liefModal)
        return -1;
    return ergebnis;
}

void PruefeKontaktzeilen(QWidget *panel, QPoint copyright, QPoint label2, QPoint label1)
{
    const struct
    {
        const char *name;
        QPoint ort;
        const char *enthaelt;
    } zeilen[] = {{"Copyright", copyright, "©"}, {"Label2", label2, "E-Mail"}, {"Label1", label1, "Web"}};
    for (const auto &z : zeilen) {
        auto *label = panel->findChild<QLabel *>(QLatin1String(z.name));
        QVERIFY2(label, z.name);
        QCOMPARE(label->pos(), z.ort);
        QVERIFY(label->text().contains(QString::fromUtf8(z.enthaelt)));
        QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(label->font().pixelSize(), 11);
    }
}

void PruefeOkKnopf(QDialog &dialog, QRect ort)
{
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("OKButton"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(ok->geometry(), ort);
    QVERIFY(ok->isDefault());
}

void PruefeRahmen(QDialog &dialog, const QString &titel, QSize groesse, QRect panelOrt)
{
    QCOMPARE(dialog.windowTitle(), titel);
    QCOMPARE(dialog.minimumSize(), groesse);
    QCOMPARE(dialog.maximumSize(), groesse);
    QCOMPARE(dialog.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(dialog.font().pixelSize(), 11);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    auto *panel = dialog.findChild<QFrame *>(QStringLiteral("Panel1"));
    QVERIFY(panel);
    QCOMPARE(panel->parentWidget(), &dialog);
    QCOMPARE(panel->geometry(), panelOrt);
    QVERIFY(panel->frameShape() != QFrame::NoFrame);
}

QColor MitteDesSymbols(const QIcon &symbol)
{
    const QImage bild = symbol.pixmap(16, 16).toImage();
    return bild.pixelColor(bild.width() / 2, bild.height() / 2);
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void infoDialog();
    void spendenDialog();
    void programmSymbol();
    void schliessen_data();
    void schliessen();
    void spendentextBleibtBeimNaechstenMal();
    void smileyUndBanner();
    void machPauseInterval();
    void machPauseTimerLaeuftNie();
    void bildwahlNamenUnterIhrenVorschauen();
    void bogenplan();
};

void TestDialogs::infoDialog()
{
    TAboutBox box;
    PruefeRahmen(box, QStringLiteral("Info"), QSize(338, 238), QRect(8, 8, 321, 193));
    auto *panel = box.findChild<QFrame *>(QStringLiteral("Panel1"));

    auto *memo = panel->findChild<QPlainTextEdit *>(QStringLiteral("Memo"));
    QVERIFY(memo);
    QCOMPARE(memo->parentWidget(), panel);
    QCOMPARE(memo->geometry(), QRect(3, 2, 313, 111));
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(memo->font().pixelSize(), 13);
    QVERIFY(memo->font().bold());

    const QStringList zeilen = memo->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(zeilen.size(), 6);
    QVERIFY2(zeilen[0].startsWith(QStringLiteral("    ")), qPrintable(zeilen[0]));
    QCOMPARE(zeilen[0].trimmed(), QStringLiteral("Morvane"));
    QVERIFY2(zeilen[1].startsWith(QStringLiteral("    ")), qPrintable(zeilen[1]));
    QVERIFY2(zeilen[1].contains(QStringLiteral(MORVANE_VERSION)), qPrintable(zeilen[1]));
    QCOMPARE(zeilen[2], QString());
    QVERIFY(zeilen[3].startsWith(QLatin1Char(' ')));
    QCOMPARE(zeilen[3].trimmed(), QStringLiteral("Freeware"));
    QCOMPARE(zeilen[4], QString());
    QCOMPARE(zeilen[5], QStringLiteral("Damit gestalten Sie Ihre Etiketten selbst."));

    PruefeKontaktzeilen(panel, {23, 139}, {81, 156}, {87, 171});
    PruefeOkKnopf(box, QRect(131, 206, 75, 25));
}

void TestDialogs::spendenDialog()
{
    TSpendenBox box;
    PruefeRahmen(box, QStringLiteral("Spenden"), QSize(414, 395), QRect(8, 8, 399, 343));
    auto *panel = box.findChild<QFrame *>(QStringLiteral("Panel1"));

    auto *banner = panel->findChild<QLabel *>(QStringLiteral("Image1"));
    QVERIFY(banner);
    QCOMPARE(banner->geometry(), QRect(88, 6, 225, 57));
    QCOMPARE(banner->pixmap().size(), QSize(225, 57));

    auto *text = panel->findChild<QTextEdit *>(QStringLiteral("RichEdit1"));
    QVERIFY(text);
    QCOMPARE(text->geometry(), QRect(1, 70, 396, 197));
    QVERIFY(!text->isReadOnly());
    QCOMPARE(text->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(text->font().pixelSize(), 15);

    const QStringList zeilen = text->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(zeilen.size(), 11);
    for (int i = 0; i < 10; ++i) {
        QVERIFY2(zeilen[i].startsWith(QStringLiteral("   ")) && !zeilen[i].startsWith(QStringLiteral("    ")),
                 qPrintable(zeilen[i]));
        QVERIFY2(!zeilen[i].trimmed().isEmpty(), qPrintable(QString::number(i)));
    }
    QVERIFY(zeilen[10].trimmed().isEmpty());
    const QString ganz = zeilen.join(QLatin1Char(' ')).simplified();
    for (const char *stichwort : {"Spende", "Konto", "Kontonummer", "Impressum", "Finanzamt"})
        QVERIFY2(ganz.contains(QString::fromUtf8(stichwort)), stichwort);

    PruefeKontaktzeilen(panel, {65, 279}, {123, 296}, {129, 311});
    PruefeOkKnopf(box, QRect(173, 360, 75, 25));
}

void TestDialogs::programmSymbol()
{
    QPixmap rot(16, 16);
    rot.fill(Qt::red);
    const QIcon symbol(rot);
    TAboutBox info(nullptr, symbol);
    TSpendenBox spenden(nullptr, symbol);
    QCOMPARE(MitteDesSymbols(info.windowIcon()), QColor(Qt::red));
    QCOMPARE(MitteDesSymbols(spenden.windowIcon()), QColor(Qt::red));
}

void TestDialogs::schliessen_data()
{
    QTest::addColumn<bool>("spenden");
    QTest::addColumn<bool>("mitOk");
    QTest::addColumn<int>("ergebnis");
    QTest::newRow("Info mit OK") << false << true << int(QDialog::Accepted);
    QTest::newRow("Info mit dem Schließknopf") << false << false << int(QDialog::Rejected);
    QTest::newRow("Spenden mit OK") << true << true << int(QDialog::Accepted);
    QTest::newRow("Spenden mit dem Schließknopf") << true << false << int(QDialog::Rejected);
}

void TestDialogs::schliessen()
{
    QFETCH(bool, spenden);
    QFETCH(bool, mitOk);
    QFETCH(int, ergebnis);
    std::unique_ptr<QDialog> box;
    if (spenden)
        box = std::make_unique<TSpendenBox>();
    else
        box = std::make_unique<TAboutBox>();

    // Twice: the one instance is shown again and again.
    for (int mal = 0; mal < 2; ++mal) {
        const int erhalten = FuehreModalAus(*box, [&] {
            if (mitOk)
                box->findChild<QPushButton *>(QStringLiteral("OKButton"))->click();
            else
                box->close();
        });
        QCOMPARE(erhalten, ergebnis);
        QVERIFY(!box->isVisible());
    }
}

void TestDialogs::spendentextBleibtBeimNaechstenMal()
{
    TSpendenBox box;
    auto *text = box.findChild<QTextEdit *>(QStringLiteral("RichEdit1"));
    QVERIFY(text);
    const QString vorher = text->toPlainText();

    QCOMPARE(FuehreModalAus(box,
                            [&] {
                                text->moveCursor(QTextCursor::End);
                                QTest::keyClicks(text, QStringLiteral("Gern geschehen"));
                                box.close();
                            }),
             int(QDialog::Rejected));
    QCOMPARE(text->toPlainText(), vorher + QStringLiteral("Gern geschehen"));

    QString beimZweitenMal;
    QCOMPARE(FuehreModalAus(box,
                            [&] {
                                beimZweitenMal = text->toPlainText();
                                box.findChild<QPushButton *>(QStringLiteral("OKButton"))->click();
                            }),
             int(QDialog::Accepted));
    QCOMPARE(beimZweitenMal, vorher + QStringLiteral("Gern geschehen"));
}

void TestDialogs::smileyUndBanner()
{
    const QImage smiley = SmileyBild().toImage();
    QCOMPARE(smiley.size(), QSize(36, 35));
    QCOMPARE(smiley.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(smiley.pixelColor(35, 34).alpha(), 0);
    const QColor mitte = smiley.pixelColor(18, 12);
    QCOMPARE(mitte.alpha(), 255);
    QVERIFY2(mitte.red() > 200 && mitte.green() > 150 && mitte.blue() < 150, "the face is yellow");

    const QImage banner = SpendenBanner().toImage();
    QCOMPARE(banner.size(), QSize(225, 57));
    // The word is drawn to the right of the face: that half holds dark text pixels.
    int dunkel = 0;
    for (int y = 0; y < banner.height(); ++y)
        for (int x = 70; x < banner.width() - 5; ++x)
            if (banner.pixelColor(x, y).lightness() < 100)
                ++dunkel;
    QVERIFY2(dunkel > 100, qPrintable(QString::number(dunkel)));
}

void TestDialogs::machPauseInterval()
{
    TMachPause frisch;
    QCOMPARE(frisch.Interval(), 1000);

    TMachPause pause;
    pause.setInterval(250);
    QCOMPARE(pause.Interval(), 250);
    pause.setInterval(0);
    QCOMPARE(pause.Interval(), 0);

    // Through the property, as a window description sets it.
    const int index = pause.metaObject()->indexOfProperty("Interval");
    QVERIFY(index >= 0);
    const QMetaProperty eigenschaft = pause.metaObject()->property(index);
    QCOMPARE(eigenschaft.metaType(), QMetaType::fromType<int>());
    QVERIFY(eigenschaft.isWritable());
    QVERIFY(pause.setProperty("Interval", 1000));
    QCOMPARE(pause.property("Interval").toInt(), 1000);
    QCOMPARE(pause.Interval(), 1000);
}

void TestDialogs::machPauseTimerLaeuftNie()
{
    QObject fenster;
    auto *pause = new TMachPause(&fenster);
    QCOMPARE(pause->parent(), &fenster);

    const QList<QTimer *> timer = pause->findChildren<QTimer *>();
    QCOMPARE(timer.size(), 1);
    QPointer<QTimer> zeitgeber = timer.first();
    QCOMPARE(zeitgeber->parent(), pause);
    QVERIFY(!zeitgeber->isActive());

    QSignalSpy ticks(zeitgeber.data(), &QTimer::timeout);
    pause->setInterval(5);
    QVERIFY(!zeitgeber->isActive());
    QTest::qWait(60);
    QCOMPARE(ticks.count(), 0);

    delete pause;
    QVERIFY(zeitgeber.isNull());
}

// A picture wider than the card: each way's name stands below its own preview, a click on the preview takes it, and
// Füllen says that the sides are cut.
void TestDialogs::bildwahlNamenUnterIhrenVorschauen()
{
    QImage breit(900, 300, QImage::Format_RGB32);
    breit.fill(Qt::red);
    TBildwahlDialog dialog(
        BildwahlFuer({QStringLiteral("breit.png"), breit, {}, breit.size()}, Bogenmasse{10, 15, 54, 95, 54, 85, 2, 5}));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const Einpassung e : Einpassungen) {
        auto *vorschau = dialog.findChild<QLabel *>(QStringLiteral("Vorschau") + EinpassungName(e));
        QVERIFY(vorschau);
        const QRect knopf = dialog.knopf(e)->geometry();
        QVERIFY(knopf.top() > vorschau->geometry().bottom());
        QVERIFY(knopf.center().x() > vorschau->x() && knopf.center().x() < vorschau->geometry().right());
        QTest::mouseClick(vorschau, Qt::LeftButton);
        QCOMPARE(dialog.einpassung(), e);
    }
    QCOMPARE(dialog.knopf(Einpassung::Fuellen)->accessibleDescription(),
             QStringLiteral("Füllen: das ganze Etikett bedruckt, das Bild an den Seiten beschnitten"));
}

// "Bogen zusammenstellen": Space right after a click acts on the clicked place, also where the platform gives the
// focus only on release or not at all; "Trotzdem schließen?" asked with "Nein" as the default.
void TestDialogs::bogenplan()
{
    QTemporaryDir ordner;
    NimmSpeicherIn(ordner.path());
    const Bogenmasse karte{10, 15, 54, 95, 54, 85, 2, 5};
    QImage bild(401, 255, QImage::Format_RGB32);
    bild.fill(Qt::green);
    for (const char *name : {"Gleich", "Gleich vorher", "Anders"}) {
        Schreibe(ordner, QLatin1String(name) + QStringLiteral(".bmp"), Bmp24(4, 4, false, [](int, int) { return 0u; }));
        Schreibe(ordner, QLatin1String(name) + QStringLiteral(".ini"),
                 EtikettdateiInhalt({qstrcmp(name, "Anders") ? karte : Bogenmasse{10, 15, 54, 95, 54, 85, 1, 5}}));
    }
    SkriptDialoge dialoge;
    TBogenplanDialog dialog(karte, {ordner.filePath(QStringLiteral("Karte.bmp")), bild, karte, 1, true}, ordner.path(),
                            [](const Bogenplan &, const QList<Seitenetikett> &) { return Druckziel::Nichts; }, {},
                            dialoge);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *raster = dialog.findChild<TPlatzraster *>();
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    const QPointF ort = raster->rechteck(4).center();
    QMouseEvent druck(QEvent::MouseButtonPress, ort, raster->mapToGlobal(ort), Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(raster, &druck);
    QCOMPARE(dialog.verbraucht()[3], true);
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Space);
    QCOMPARE(dialog.verbraucht()[3], false);
    auto *angebot = dialog.findChild<QMenu *>(QStringLiteral("MenueEtiketten"));
    Q_EMIT angebot->aboutToShow();
    QStringList angeboten;
    for (const QAction *a : angebot->actions())
        angeboten << (a->isEnabled() ? a->text() : QStringLiteral("(%1)").arg(a->text()));
    QCOMPARE(angeboten, (QStringList{"Gleich", "", "(Anders: für einen anderen Bogen)"}));
    dialog.findChild<QSpinBox *>(QStringLiteral("SpinAnzahl"))->setValue(2);
    dialoge.antworten = {true};
    dialog.reject();
    QCOMPARE(dialoge.neinVorgabe,
             QStringList{QStringLiteral("Der zusammengestellte Bogen wurde nicht gedruckt. Trotzdem schließen?")});
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
