// The four print-mode boxes, the label position with its mark, the preview per mode and the layout picture,
// driven through the real window.
#include "app/bildansicht.h"
#include "app/formetikette_p.h"
#include "app/updown.h"
#include "programmordner.h"
#include "storage/speicher.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

enum class Modus { EineEtikette, GanzeSeite, EineZeile, Keiner };
Q_DECLARE_METATYPE(Modus)

namespace {

constexpr QRgb Blau = qRgb(0, 0, 255);
constexpr QRgb Schwarz = qRgb(0, 0, 0);
constexpr QRgb Weiss = qRgb(255, 255, 255);
// Inside of the fixture's label picture.
constexpr QRgb Etikettfarbe = qRgb(255, 255, 200);
constexpr int ErsteGitterSpalte = 54;

bool gleich(QRgb a, QRgb b)
{
    return (a & 0x00FFFFFF) == (b & 0x00FFFFFF);
}

// The blue cell of a layout picture as (column, row), counted by the black grid lines left of it and above
// it; (0, 0) when nothing is blue, (-1, -1) when the blue is not exactly the inside of one cell.
QPoint BlaueZelle(const QImage &gezeigt)
{
    const QImage bild = gezeigt.convertToFormat(QImage::Format_RGB32);
    QRect blau;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (gleich(bild.pixel(x, y), Blau))
                blau |= QRect(x, y, 1, 1);
    if (blau.isNull())
        return {0, 0};
    const QPoint falsch(-1, -1);
    for (int y = blau.top(); y <= blau.bottom(); ++y)
        for (int x = blau.left(); x <= blau.right(); ++x)
            if (!gleich(bild.pixel(x, y), Blau))
                return falsch;
    if (!bild.valid(blau.left() - 1, blau.top()) || !bild.valid(blau.right() + 1, blau.top())
        || !bild.valid(blau.left(), blau.top() - 1) || !bild.valid(blau.left(), blau.bottom() + 1))
        return falsch;
    if (!gleich(bild.pixel(blau.left() - 1, blau.top()), Schwarz)
        || !gleich(bild.pixel(blau.right() + 1, blau.top()), Schwarz)
        || !gleich(bild.pixel(blau.left(), blau.top() - 1), Schwarz)
        || !gleich(bild.pixel(blau.left(), blau.bottom() + 1), Schwarz))
        return falsch;
    int spalte = 0;
    for (int x = ErsteGitterSpalte; x < blau.left(); ++x)
        spalte += gleich(bild.pixel(x, blau.top()), Schwarz);
    int zeile = 0;
    for (int y = 0; y < blau.top(); ++y)
        zeile += gleich(bild.pixel(blau.left(), y), Schwarz);
    return {spalte, zeile};
}

// The shown picture is the file's, apart from white pixels that a mark turned blue.
bool GleichBisAufMarke(const QImage &gezeigt, const QImage &datei)
{
    const QImage a = gezeigt.convertToFormat(QImage::Format_RGB32);
    const QImage b = datei.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size() || a.isNull())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!gleich(a.pixel(x, y), b.pixel(x, y)) && !(gleich(a.pixel(x, y), Blau) && gleich(b.pixel(x, y), Weiss)))
                return false;
    return true;
}

QString InfoDatei(const Programmordner &p, const QString &name)
{
    return p.daten(QStringLiteral("Druckposition Infos/") + name);
}

} // namespace

class TestDruckmodus : public QObject
{
    Q_OBJECT

    enum Kasten { NurEine, Mehrere, Ganze, Zeile };

    static QCheckBox *kasten(TFormEtikette &f, int k)
    {
        switch (k) {
        case NurEine:
            return f.NurEineDruckenCheckBox;
        case Mehrere:
            return f.MehrereEtikettenDruckenCheckBox;
        case Ganze:
            return f.GanzeSeiteCheckBox;
        default:
            return f.NurDieZeileCheckBox;
        }
    }

    static void tippe(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QCOMPARE(edit->text(), text);
    }

    // From the mode one label, by the program's own settings of the boxes.
    static void waehle(TFormEtikette &f, Modus modus)
    {
        if (modus == Modus::EineEtikette)
            return;
        f.NurEineDruckenCheckBox->setChecked(false);
        if (modus == Modus::EineZeile)
            f.GanzeSeiteCheckBox->setChecked(false);
    }

    // The row of the mode table; marke is the cell expected blue, (0, 0) for none.
    static void pruefeModus(TFormEtikette &f, Modus modus, QPoint marke)
    {
        const bool eine = modus == Modus::EineEtikette;
        const bool mehrere = modus == Modus::GanzeSeite || modus == Modus::EineZeile;
        QCOMPARE(f.NurEineDruckenCheckBox->isChecked(), eine);
        QCOMPARE(f.MehrereEtikettenDruckenCheckBox->isChecked(), mehrere);
        QCOMPARE(f.GanzeSeiteCheckBox->isChecked(), modus == Modus::GanzeSeite);
        QCOMPARE(f.NurDieZeileCheckBox->isChecked(), modus == Modus::EineZeile);
        for (int k : {Mehrere, Ganze, Zeile})
            QCOMPARE(kasten(f, k)->isEnabled(), mehrere);
        QVERIFY(f.NurEineDruckenCheckBox->isEnabled());
        for (QWidget *w : std::initializer_list<QWidget *>{f.Label_x_SpaltenNummer, f.EditSpalte, f.UpDownSpalte,
                                                           f.Label_Y_InZeilenNummer, f.EditZeile, f.UpDownZeile})
            QVERIFY2(w->isEnabled(), qPrintable(w->metaObject()->className()));
        QCOMPARE(BlaueZelle(f.ImageInfo->bild()), marke);
    }

private Q_SLOTS:
    void startMitEinerEtikette()
    {
        Gestartet g;
        TFormEtikette &f = *g.form;
        pruefeModus(f, Modus::EineEtikette, {1, 1});
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(f.NurDieZeileCheckBox->text(), QStringLiteral("Nur die Zeile"));
        QCOMPARE(f.EditSpalte->text(), QStringLiteral("1"));
        QCOMPARE(f.EditZeile->text(), QStringLiteral("1"));
        QVERIFY(
            GleichBisAufMarke(f.ImageInfo->bild(), QImage(InfoDatei(g.p, QStringLiteral("Info Etikette 2x5.bmp")))));
        QCOMPARE(f.ImageInfo->size(), f.ImageInfo->bild().size());

        // The multi boxes are disabled: a click on them changes nothing.
        const int vorher = f.vorschauZaehler();
        klick(f.MehrereEtikettenDruckenCheckBox);
        klick(f.NurDieZeileCheckBox);
        pruefeModus(f, Modus::EineEtikette, {1, 1});
        QCOMPARE(f.vorschauZaehler(), vorher);
        QVERIFY(g.p.dialoge.gezeigt.isEmpty());
    }

    void uebergaenge_data()
    {
        QTest::addColumn<Modus>("von");
        QTest::addColumn<bool>("moeglich");
        QTest::addColumn<int>("box");
        QTest::addColumn<bool>("an");
        QTest::addColumn<bool>("maus");
        QTest::addColumn<Modus>("nach");
        QTest::addColumn<int>("vorschauen");

        struct Fall
        {
            const char *name;
            Modus von;
            bool moeglich;
            int box;
            bool an;
            Modus nach;
            int vorschauen;
        };
        // The preview counts follow the nested handlers: each uncheck or check runs the box's handler at once.
        const Fall faelle[] = {
            {"one label, uncheck one label, several possible -> whole page", Modus::EineEtikette, true, NurEine, false,
             Modus::GanzeSeite, 1},
            {"one label, uncheck one label, several impossible -> nothing", Modus::EineEtikette, false, NurEine, false,
             Modus::Keiner, 1},
            {"nothing, check one label -> one label", Modus::Keiner, false, NurEine, true, Modus::EineEtikette, 1},
            {"whole page, check one label -> one label", Modus::GanzeSeite, true, NurEine, true, Modus::EineEtikette,
             3},
            {"one row, check one label -> one label", Modus::EineZeile, true, NurEine, true, Modus::EineEtikette, 2},
            {"whole page, uncheck several -> one label", Modus::GanzeSeite, true, Mehrere, false, Modus::EineEtikette,
             5},
            {"one row, uncheck several -> one label", Modus::EineZeile, true, Mehrere, false, Modus::EineEtikette, 4},
            {"whole page, uncheck whole page -> one row", Modus::GanzeSeite, true, Ganze, false, Modus::EineZeile, 1},
            {"whole page, check one row -> one row", Modus::GanzeSeite, true, Zeile, true, Modus::EineZeile, 1},
            {"one row, check whole page -> whole page", Modus::EineZeile, true, Ganze, true, Modus::GanzeSeite, 1},
            {"one row, uncheck one row -> whole page", Modus::EineZeile, true, Zeile, false, Modus::GanzeSeite, 1},
        };
        for (const Fall &z : faelle)
            for (bool maus : {true, false})
                QTest::addRow("%s (%s)", z.name, maus ? "click" : "setChecked")
                    << z.von << z.moeglich << z.box << z.an << maus << z.nach << z.vorschauen;
    }

    void uebergaenge()
    {
        QFETCH(Modus, von);
        QFETCH(bool, moeglich);
        QFETCH(int, box);
        QFETCH(bool, an);
        QFETCH(bool, maus);
        QFETCH(Modus, nach);
        QFETCH(int, vorschauen);

        Gestartet g;
        TFormEtikette &f = *g.form;
        if (!moeglich)
            oeffneZuBreit(g.p, f);
        // A position other than the first, so that a mark in the wrong place shows.
        klick(f.UpDownSpalte);
        klick(f.UpDownZeile);
        klick(f.UpDownZeile);
        QCOMPARE(BlaueZelle(f.ImageInfo->bild()), QPoint(2, 3));
        waehle(f, von);
        QCOMPARE(f.zustand().MehrereNebeneinanderMoeglich, moeglich);
        const QPoint marke = von == Modus::EineEtikette || von == Modus::Keiner ? QPoint(2, 3) : QPoint();
        pruefeModus(f, von, marke);
        if (QTest::currentTestFailed())
            return;

        const int vorher = f.vorschauZaehler();
        QCheckBox *k = kasten(f, box);
        QCOMPARE(k->isChecked(), !an);
        if (maus)
            klick(k);
        else
            k->setChecked(an);
        QCOMPARE(k->isChecked(), an);
        const bool markiert = nach == Modus::EineEtikette || nach == Modus::Keiner;
        pruefeModus(f, nach, markiert ? QPoint(2, 3) : QPoint());
        QCOMPARE(f.vorschauZaehler() - vorher, vorschauen);
        QCOMPARE(f.NurDieZeileCheckBox->text(), QStringLiteral("Nur die Zeile 3"));
        QCOMPARE(f.UpDownSpalte->Position(), 2);
        QCOMPARE(f.UpDownZeile->Position(), 3);
        QVERIFY(g.p.dialoge.gezeigt.isEmpty());
    }

    void spaltenPfeil_data()
    {
        QTest::addColumn<Modus>("modus");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("hoch");
        QTest::addColumn<int>("spalte");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QPoint>("marke");
        QTest::addColumn<int>("vorschauen");
        // The user has typed 9 into the column field, which moves nothing.
        QTest::newRow("one label: 1 up to 2 is written, marked and previewed")
            << Modus::EineEtikette << 1 << true << 2 << "2" << QPoint(2, 1) << 1;
        QTest::newRow("one label: 2 down to 1 moves the mark")
            << Modus::EineEtikette << 2 << false << 1 << "1" << QPoint(1, 1) << 1;
        QTest::newRow("one label: past the 2 in a row goes back to 2, field kept")
            << Modus::EineEtikette << 2 << true << 2 << "9" << QPoint(2, 1) << 0;
        QTest::newRow("whole page: back to 1, field kept")
            << Modus::GanzeSeite << 2 << true << 1 << "9" << QPoint() << 0;
        QTest::newRow("one row: back to 1, field kept") << Modus::EineZeile << 2 << true << 1 << "9" << QPoint() << 0;
        QTest::newRow("nothing chosen: written, marked and previewed")
            << Modus::Keiner << 1 << true << 2 << "2" << QPoint(2, 1) << 1;
    }

    void spaltenPfeil()
    {
        QFETCH(Modus, modus);
        QFETCH(int, start);
        QFETCH(bool, hoch);
        QFETCH(int, spalte);
        QFETCH(QString, edit);
        QFETCH(QPoint, marke);
        QFETCH(int, vorschauen);

        Gestartet g;
        TFormEtikette &f = *g.form;
        if (modus == Modus::Keiner)
            oeffneZuBreit(g.p, f);
        for (int i = 1; i < start; ++i)
            klick(f.UpDownSpalte);
        QCOMPARE(f.UpDownSpalte->Position(), start);
        // Set, not typed: a typed column is taken before the arrow moves.
        f.EditSpalte->setText(QStringLiteral("9"));
        QCOMPARE(f.UpDownSpalte->Position(), start);
        waehle(f, modus);

        const int vorher = f.vorschauZaehler();
        klick(f.UpDownSpalte, hoch);
        QCOMPARE(f.UpDownSpalte->Position(), spalte);
        QCOMPARE(f.EditSpalte->text(), edit);
        QCOMPARE(BlaueZelle(f.ImageInfo->bild()), marke);
        QCOMPARE(f.vorschauZaehler() - vorher, vorschauen);
        QCOMPARE(f.UpDownZeile->Position(), 1);
        QVERIFY(g.p.dialoge.gezeigt.isEmpty());
    }

    void zeilenPfeil_data()
    {
        QTest::addColumn<Modus>("modus");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("hoch");
        QTest::addColumn<int>("zeile");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QPoint>("marke");
        QTest::addColumn<int>("vorschauen");
        // The user has typed 9 into the row field; the row caption reads that text until the field is written.
        QTest::newRow("one label: 1 up to 2") << Modus::EineEtikette << 1 << true << 2 << "2" << QPoint(1, 2) << 1;
        QTest::newRow("one label: 3 down to 2") << Modus::EineEtikette << 3 << false << 2 << "2" << QPoint(1, 2) << 1;
        QTest::newRow("one label: up at the last of 5 rows stays")
            << Modus::EineEtikette << 5 << true << 5 << "5" << QPoint(1, 5) << 1;
        QTest::newRow("whole page: back to row 1, no preview")
            << Modus::GanzeSeite << 3 << true << 1 << "1" << QPoint() << 0;
        QTest::newRow("one row: 2 up to 3, previewed, nothing marked")
            << Modus::EineZeile << 2 << true << 3 << "3" << QPoint() << 1;
        QTest::newRow("nothing chosen: 1 up to 2") << Modus::Keiner << 1 << true << 2 << "2" << QPoint(1, 2) << 1;
    }

    void zeilenPfeil()
    {
        QFETCH(Modus, modus);
        QFETCH(int, start);
        QFETCH(bool, hoch);
        QFETCH(int, zeile);
        QFETCH(QString, edit);
        QFETCH(QPoint, marke);
        QFETCH(int, vorschauen);

        Gestartet g;
        TFormEtikette &f = *g.form;
        if (modus == Modus::Keiner)
            oeffneZuBreit(g.p, f);
        for (int i = 1; i < start; ++i)
            klick(f.UpDownZeile);
        QCOMPARE(f.UpDownZeile->Position(), start);
        tippe(f.EditZeile, QStringLiteral("9"));
        waehle(f, modus);
        if (modus == Modus::GanzeSeite || modus == Modus::EineZeile)
            QCOMPARE(f.NurDieZeileCheckBox->text(), QStringLiteral("Nur die Zeile 9"));

        const int vorher = f.vorschauZaehler();
        klick(f.UpDownZeile, hoch);
        QCOMPARE(f.UpDownZeile->Position(), zeile);
        QCOMPARE(f.EditZeile->text(), edit);
        QCOMPARE(f.NurDieZeileCheckBox->text(), QStringLiteral("Nur die Zeile ") + edit);
        QCOMPARE(BlaueZelle(f.ImageInfo->bild()), marke);
        QCOMPARE(f.vorschauZaehler() - vorher, vorschauen);
        QCOMPARE(f.UpDownSpalte->Position(), 1);
        QVERIFY(g.p.dialoge.gezeigt.isEmpty());
    }

    // A typed column or row counts when the person leaves the field or presses Enter, as if the arrows had moved
    // there; what the arrows could not reach, or no number, puts the field back.
    void getipptePosition_data()
    {
        QTest::addColumn<Modus>("modus");
        QTest::addColumn<bool>("spalteFeld");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QPoint>("marke");
        QTest::addColumn<int>("vorschauen");
        QTest::newRow("one label: column 2, then Tab")
            << Modus::EineEtikette << true << "2" << false << QPoint(2, 1) << "2" << QPoint(2, 1) << 1;
        QTest::newRow("one label: row 4, then Enter")
            << Modus::EineEtikette << false << "4" << true << QPoint(1, 4) << "4" << QPoint(1, 4) << 1;
        QTest::newRow("one label: column 3 of 2 in a row is put back")
            << Modus::EineEtikette << true << "3" << false << QPoint(1, 1) << "1" << QPoint(1, 1) << 0;
        QTest::newRow("one label: row 6 of 5 is put back")
            << Modus::EineEtikette << false << "6" << true << QPoint(1, 1) << "1" << QPoint(1, 1) << 0;
        QTest::newRow("one label: row 0 is put back")
            << Modus::EineEtikette << false << "0" << false << QPoint(1, 1) << "1" << QPoint(1, 1) << 0;
        QTest::newRow("one label: no number is put back")
            << Modus::EineEtikette << true << "2a" << true << QPoint(1, 1) << "1" << QPoint(1, 1) << 0;
        QTest::newRow("one row: row 3 is the row printed")
            << Modus::EineZeile << false << "3" << false << QPoint(1, 3) << "3" << QPoint() << 1;
        QTest::newRow("whole page: a column goes back to 1, as the arrow does")
            << Modus::GanzeSeite << true << "2" << true << QPoint(1, 1) << "1" << QPoint() << 0;
    }

    void getipptePosition()
    {
        QFETCH(Modus, modus);
        QFETCH(bool, spalteFeld);
        QFETCH(QString, text);
        QFETCH(bool, enter);
        QFETCH(QPoint, position);
        QFETCH(QString, edit);
        QFETCH(QPoint, marke);
        QFETCH(int, vorschauen);

        Gestartet g;
        TFormEtikette &f = *g.form;
        waehle(f, modus);
        QLineEdit *feld = spalteFeld ? f.EditSpalte : f.EditZeile;
        const int vorher = f.vorschauZaehler();
        tippe(feld, text);
        QTest::keyClick(feld, enter ? Qt::Key_Return : Qt::Key_Tab);
        QVERIFY(enter || !feld->hasFocus());
        QCOMPARE(QPoint(f.Spalte(), f.Zeile()), position);
        QCOMPARE(feld->text(), edit);
        QCOMPARE(BlaueZelle(f.ImageInfo->bild()), marke);
        QCOMPARE(f.vorschauZaehler() - vorher, vorschauen);
        if (modus == Modus::EineZeile)
            QCOMPARE(f.NurDieZeileCheckBox->text(), QStringLiteral("Nur die Zeile ") + edit);
        QVERIFY(g.p.dialoge.gezeigt.isEmpty());
    }

    // The keyboard alone: unlock, one millimetre wider with Up, save; then column 2 and row 4 typed give the
    // preview that the arrows give there, and the print goes there.
    void nurMitDerTastatur()
    {
        Gestartet g;
        TFormEtikette &f = *g.form;
        auto tabBis = [&](QWidget *ziel) {
            for (int i = 0; i < 40 && QApplication::focusWidget() != ziel; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), ziel);
        };
        tabBis(f.BitBtn1);
        QTest::keyClick(f.BitBtn1, Qt::Key_Space);
        tabBis(f.UpDownEtikettenbreite);
        QTest::keyClick(f.UpDownEtikettenbreite, Qt::Key_Up);
        ticken(f);
        QTest::keyClick(&f, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(f.Datei1->isVisible());
        for (int i = 0; i < 8 && f.Datei1->activeAction() != f.speichern1; ++i)
            QTest::keyClick(f.Datei1, Qt::Key_Down);
        QTest::keyClick(f.Datei1, Qt::Key_Return);
        QFile ini(g.p.daten(QStringLiteral("Visitenkarte_85x54.ini")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("\r\nEtikettenbreite=86\r\n"));

        tabBis(f.EditSpalte);
        QTest::keyClicks(f.EditSpalte, QStringLiteral("2"));
        tabBis(f.EditZeile);
        QTest::keyClicks(f.EditZeile, QStringLiteral("4"));
        QTest::keyClick(f.EditZeile, Qt::Key_Tab);
        QCOMPARE(BlaueZelle(f.ImageInfo->bild()), QPoint(2, 4));
        QCOMPARE(f.Druckwahl(), (Seitenwahl{Druckumfang::EineEtikette, 2, 4}));
        const QImage getippt = f.VorschauImage->bild();
        for (TUpDown *pfeile : {f.UpDownSpalte, f.UpDownZeile}) {
            klick(pfeile, false);
            klick(pfeile, true);
        }
        QCOMPARE(f.VorschauImage->bild(), getippt);
        // An arrow clicked before Enter moves from the row typed, not from the row before.
        tippe(f.EditZeile, QStringLiteral("2"));
        klick(f.UpDownZeile);
        QCOMPARE(f.Druckwahl(), (Seitenwahl{Druckumfang::EineEtikette, 2, 3}));
        QCOMPARE(f.EditZeile->text(), QStringLiteral("3"));
        QVERIFY(g.p.dialoge.gezeigt.isEmpty());
    }

    void vorschauFolgtDemModus()
    {
        Gestartet g;
        TFormEtikette &f = *g.form;
        // The sample label is 401 x 255 pixels for 85 x 54 mm with margins 10 and 15 mm: on the sheet raster
        // its rows begin 47 pixels down and follow every 256 pixels, 71 pixels from the left.
        auto aufBogen = [&](int zeile) {
            return gleich(f.VorschauImage->bild().pixel(71 + 200, 47 + (zeile - 1) * 256 + 127), Etikettfarbe);
        };
        // One label: the A4 work page at 96 dpi, the label stretched to its millimetres (cell 1, 1 centred at
        // 57.5 x 37 mm, cell 2, 1 at 152.5 x 37 mm).
        auto aufSeite = [&](double xMm, double yMm) {
            return gleich(f.VorschauImage->bild().pixel(int(xMm * 96 / 25.4), int(yMm * 96 / 25.4)), Etikettfarbe);
        };

        QCOMPARE(f.VorschauImage->bild().size(), QSize(794, 1123));
        QVERIFY(aufSeite(57.5, 37));
        QVERIFY(!aufSeite(152.5, 37));

        klick(f.NurEineDruckenCheckBox);
        QCOMPARE(f.VorschauImage->bild().size(), QSize(991, 1402));
        QVERIFY(aufBogen(1));
        QVERIFY(aufBogen(3));

        klick(f.GanzeSeiteCheckBox);
        QVERIFY(f.NurDieZeileCheckBox->isChecked());
        QCOMPARE(f.VorschauImage->bild().size(), QSize(991, 1402));
        QVERIFY(aufBogen(1));
        QVERIFY(!aufBogen(3));
        klick(f.UpDownZeile);
        klick(f.UpDownZeile);
        QCOMPARE(f.NurDieZeileCheckBox->text(), QStringLiteral("Nur die Zeile 3"));
        QVERIFY(!aufBogen(1));
        QVERIFY(!aufBogen(2));
        QVERIFY(aufBogen(3));

        klick(f.NurDieZeileCheckBox);
        QVERIFY(f.GanzeSeiteCheckBox->isChecked());
        QVERIFY(aufBogen(1));
        QVERIFY(aufBogen(3));

        // Back to one label; the column arrow moves the label on the work page.
        klick(f.NurEineDruckenCheckBox);
        QCOMPARE(f.VorschauImage->bild().size(), QSize(794, 1123));
        klick(f.UpDownSpalte);
        QVERIFY(!aufSeite(57.5, 37 + 2 * 54));
        QVERIFY(aufSeite(152.5, 37 + 2 * 54)); // the row stayed 3 from the row mode
        QVERIFY(g.p.dialoge.gezeigt.isEmpty());
    }

    // A label of one per row and three rows, 210 x 98 mm, too wide for two side by side.
    static QString umschlag(Programmordner &p, const QString &name)
    {
        return p.schreibeEtikett(name, 991, 462,
                                 "[Einstellung]\r\nObererRand=0\r\nSeitenRand=0\r\nVertikalabstand=98\r\n"
                                 "Horizontalabstand=210\r\nEtikettenhoehe=98\r\nEtikettenbreite=210\r\n"
                                 "AnzahlEtikettenInZeile=1\r\nAnzahlEtikettenInSpalte=3\r\n");
    }

    // Fewer columns and rows bring the position onto the sheet at once: field, caption, mark and preview agree.
    void positionFolgtKleineremBogen()
    {
        Gestartet g;
        TFormEtikette &f = *g.form;
        klick(f.UpDownSpalte);
        for (int i = 0; i < 4; ++i)
            klick(f.UpDownZeile);
        QCOMPARE(f.EditZeile->text(), QStringLiteral("5"));

        g.p.dialoge.dateien.push_back(umschlag(g.p, QStringLiteral("Vorlagen/Umschlag_1x3")));
        g.p.dialoge.antworten.push_back(false);
        f.Neu1->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(f.Spalte(), 1);
        QCOMPARE(f.Zeile(), 3);
        QCOMPARE(f.UpDownZeile->Max(), 3);
        QCOMPARE(f.EditSpalte->text(), QStringLiteral("1"));
        QCOMPARE(f.EditZeile->text(), QStringLiteral("3"));
        QCOMPARE(f.NurDieZeileCheckBox->text(), QStringLiteral("Nur die Zeile 3"));
        QCOMPARE(BlaueZelle(f.ImageInfo->bild()), QPoint(1, 3));
        // The third envelope on the work page at 96 dpi: 196 to 294 mm down.
        QVERIFY(gleich(f.VorschauImage->bild().pixel(397, int(245 * 96 / 25.4)), Etikettfarbe));

        // Opening in the row mode: the caption names the row the program moved to.
        g.p.dialoge.dateien.push_back(g.p.daten(QStringLiteral("Visitenkarte_85x54.bmp")));
        f.Oeffnen1->trigger();
        for (int i = 0; i < 3; ++i)
            klick(f.UpDownZeile);
        klick(f.NurEineDruckenCheckBox);
        klick(f.GanzeSeiteCheckBox);
        QCOMPARE(f.NurDieZeileCheckBox->text(), QStringLiteral("Nur die Zeile 4"));
        g.p.dialoge.dateien.push_back(umschlag(g.p, QStringLiteral("Umschlag")));
        f.Oeffnen1->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(f.EditZeile->text(), QStringLiteral("1"));
        QCOMPARE(f.NurDieZeileCheckBox->text(), QStringLiteral("Nur die Zeile 1"));
        QVERIFY(g.p.dialoge.unerwartet.isEmpty());
    }

    // Nothing chosen prints the whole sheet, and the preview shows it.
    void keinModusZeigtDenGanzenBogen()
    {
        Gestartet g;
        TFormEtikette &f = *g.form;
        g.p.dialoge.dateien.push_back(umschlag(g.p, QStringLiteral("Umschlag")));
        f.Oeffnen1->trigger();
        QVERIFY(!f.zustand().MehrereNebeneinanderMoeglich);
        QCOMPARE(f.VorschauImage->bild().size(), QSize(794, 1123));
        klick(f.NurEineDruckenCheckBox);
        pruefeModus(f, Modus::Keiner, {1, 1});
        QCOMPARE(f.VorschauImage->bild().size(), QSize(991, 1402));
        for (int zeile = 0; zeile < 3; ++zeile)
            QVERIFY(gleich(f.VorschauImage->bild().pixel(495, zeile * 463 + 231), Etikettfarbe));
        // Back to one label, the preview shows the one label again.
        klick(f.NurEineDruckenCheckBox);
        pruefeModus(f, Modus::EineEtikette, {1, 1});
        QCOMPARE(f.VorschauImage->bild().size(), QSize(794, 1123));
    }

    void infobildNachAnzahl_data()
    {
        QTest::addColumn<int>("inZeile");
        QTest::addColumn<int>("inSpalte");
        QTest::addColumn<QString>("datei");
        QTest::newRow("2 x 5 has its picture") << 2 << 5 << "Info Etikette 2x5.bmp";
        QTest::newRow("5 x 2 is not listed") << 5 << 2 << "Kein Bild.bmp";
        QTest::newRow("1 x 2 is listed") << 1 << 2 << "Info Etikette 1x2.bmp";
        QTest::newRow("2 x 1 is not: the table is not symmetric") << 2 << 1 << "Kein Bild.bmp";
        QTest::newRow("5 x 13, the last of the table") << 5 << 13 << "Info Etikette 5x13.bmp";
    }

    void infobildNachAnzahl()
    {
        QFETCH(int, inZeile);
        QFETCH(int, inSpalte);
        QFETCH(QString, datei);

        Gestartet g;
        TFormEtikette &f = *g.form;
        f.ImageInfo->setBild(QImage()); // so that a picture left from the start-up does not count
        f.UpDownAnzEtikettenInZeile->setPosition(inZeile);
        f.UpDownAnzEtikettenInSpalte->setPosition(inSpalte);
        f.LadeEtikettenInfo();

        const QImage erwartet(InfoDatei(g.p, datei));
        QVERIFY(!erwartet.isNull());
        QVERIFY(GleichBisAufMarke(f.ImageInfo->bild(), erwartet));
        QCOMPARE(f.ImageInfo->size(), erwartet.size());
        // Cell (1, 1) is marked, where there is a grid.
        QCOMPARE(BlaueZelle(f.ImageInfo->bild()), datei.startsWith(QStringLiteral("Kein")) ? QPoint() : QPoint(1, 1));
        QVERIFY(g.p.dialoge.gezeigt.isEmpty());
    }

    void infobildFehlt_data()
    {
        QTest::addColumn<int>("inZeile");
        QTest::addColumn<QString>("datei");
        QTest::addColumn<bool>("unlesbar");
        QTest::newRow("listed layout, picture missing") << 2 << "Info Etikette 2x5.bmp" << false;
        QTest::newRow("unlisted layout, Kein Bild missing") << 5 << "Kein Bild.bmp" << false;
        QTest::newRow("picture that does not decode") << 2 << "Info Etikette 2x5.bmp" << true;
    }

    void infobildFehlt()
    {
        QFETCH(int, inZeile);
        QFETCH(QString, datei);
        QFETCH(bool, unlesbar);

        Gestartet g;
        TFormEtikette &f = *g.form;
        const QImage vorher(InfoDatei(g.p, QStringLiteral("Info Etikette 2x5.bmp")));
        QCOMPARE(BlaueZelle(f.ImageInfo->bild()), QPoint(1, 1));
        const QString pfad = InfoDatei(g.p, datei);
        QVERIFY(QFile::remove(pfad));
        if (unlesbar) {
            QFile kaputt(pfad);
            QVERIFY(kaputt.open(QIODevice::WriteOnly));
            kaputt.write("BM kein Bild");
            kaputt.close();
            DatiereZurueck(pfad);
        }
        f.UpDownAnzEtikettenInZeile->setPosition(inZeile);

        for (int spalte : {1, 2}) {
            // Loading goes through the window's guard, as from any handler.
            f.UpDownSpalte->setPosition(spalte);
            const bool ok = f.bewacht([&] { f.LadeEtikettenInfo(); });
            QVERIFY(GleichBisAufMarke(f.ImageInfo->bild(), vorher));
            if (unlesbar) {
                // The error leaves before the mark: it stays on the first cell.
                QVERIFY(!ok);
                QCOMPARE(g.p.dialoge.texte(QStringLiteral("fehler")).size(), spalte);
                QVERIFY(g.p.dialoge.texte(QStringLiteral("fehler")).last().contains(pfad));
                QCOMPARE(BlaueZelle(f.ImageInfo->bild()), QPoint(1, 1));
            } else {
                QVERIFY(ok);
                // Every call tells it again; the previous picture is marked at the new position.
                QCOMPARE(g.p.dialoge.texte(QStringLiteral("meldung")),
                         QStringList(spalte, QStringLiteral("Die Datei: ") + pfad + QStringLiteral(" fehlt!")));
                QCOMPARE(BlaueZelle(f.ImageInfo->bild()), QPoint(spalte, 1));
            }
        }
        QCOMPARE(g.p.dialoge.gezeigt.size(), 2);
    }

    void leererOrdnerSuchtImArbeitsordner()
    {
        Programmordner p;
        p.fenster(1); // the first run writes the store
        Speicherzugang().remove(QStringLiteral("OrdnerEtikettenInfos"));
        auto form = p.fenster();
        TFormEtikette &f = *form;
        QVERIFY(f.zustand().OrdnerEtikettenInfos.isEmpty());
        QCOMPARE(QDir::toNativeSeparators(QDir::currentPath() + QStringLiteral("/")), p.wurzel);
        Programmordner::starte(f);
        QCOMPARE(p.dialoge.texte(QStringLiteral("meldung")),
                 QStringList{QStringLiteral("Die Datei: Info Etikette 2x5.bmp fehlt!")});
        p.dialoge.leeren();

        // A picture of that name in the working folder is taken, whatever it shows.
        const QImage anderes = ZeichneInfobild(1, 1);
        QVERIFY(anderes.save(p.pfad(QStringLiteral("Info Etikette 2x5.bmp")), "BMP"));
        DatiereZurueck(p.pfad(QStringLiteral("Info Etikette 2x5.bmp")));
        f.LadeEtikettenInfo();
        QVERIFY(p.dialoge.gezeigt.isEmpty());
        QVERIFY(GleichBisAufMarke(f.ImageInfo->bild(), anderes));
        QCOMPARE(BlaueZelle(f.ImageInfo->bild()), QPoint(1, 1));
    }

    void meldungWaehrendDerAktualisierungNurEinmal()
    {
        Gestartet g;
        TFormEtikette &f = *g.form;
        f.MasseBearbeitenClick();
        const QString pfad = InfoDatei(g.p, QStringLiteral("Info Etikette 1x5.bmp"));
        QVERIFY(QFile::remove(pfad));
        const QString text = QStringLiteral("Die Datei: ") + pfad + QStringLiteral(" fehlt!");

        // Ticks of the refresh timer arriving while the message is open.
        int offen = 0;
        int tiefe = 0;
        int tiefsteVerschachtelung = 0;
        g.p.dialoge.beimZeigen = [&](const QString &) {
            ++offen;
            tiefsteVerschachtelung = std::max(tiefsteVerschachtelung, ++tiefe);
            for (int i = 0; i < 5; ++i)
                f.VerzoegerungsTimerTimer();
            --tiefe;
        };
        auto aktualisiere = [&] {
            for (int i = 0; i < 3; ++i)
                f.VerzoegerungsTimerTimer();
        };

        klick(f.UpDownAnzEtikettenInZeile, false); // 2 -> 1
        aktualisiere();
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("meldung")), QStringList{text});
        QCOMPARE(offen, 1);
        QVERIFY(!f.VerzoegerungsTimer->isActive());

        // Two counts pending: each step tells once, one after the other, never while the other's message is open.
        QVERIFY(QFile::remove(InfoDatei(g.p, QStringLiteral("Kein Bild.bmp"))));
        const QString keinBild =
            QStringLiteral("Die Datei: ") + InfoDatei(g.p, QStringLiteral("Kein Bild.bmp")) + QStringLiteral(" fehlt!");
        klick(f.UpDownAnzEtikettenInSpalte, false); // 5 -> 4: no picture for 1 x 4
        klick(f.UpDownAnzEtikettenInZeile);
        klick(f.UpDownAnzEtikettenInZeile, false);
        aktualisiere();
        QCOMPARE(g.p.dialoge.texte(QStringLiteral("meldung")), (QStringList{text, keinBild, keinBild}));
        QCOMPARE(offen, 3);
        QCOMPARE(tiefsteVerschachtelung, 1);
        QCOMPARE(g.p.dialoge.gezeigt.size(), 3);
        QVERIFY(!f.VerzoegerungsTimer->isActive());
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        // The picture of 2 x 5 stays, marked at the row the count editor set.
        QCOMPARE(f.UpDownZeile->Position(), 4);
        QVERIFY(
            GleichBisAufMarke(f.ImageInfo->bild(), QImage(InfoDatei(g.p, QStringLiteral("Info Etikette 2x5.bmp")))));
        QCOMPARE(BlaueZelle(f.ImageInfo->bild()), QPoint(1, 4));
    }
};

QTEST_MAIN(TestDruckmodus)
#include "test_druckmodus.moc"
