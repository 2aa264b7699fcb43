#include "app/bildansicht.h"
#include "app/formetikette_p.h"
#include "app/updown.h"
#include "programmordner.h"
#include "render/masse.h"

#include <QCheckBox>
#include <QFrame>
#include <QPainter>

namespace {

// The bytes of a 24-bit bitmap stored top-down: the same picture with its rows in reading order.
QByteArray vonObenNachUnten(const QString &bmpPfad)
{
    QFile f(bmpPfad);
    f.open(QIODevice::ReadOnly);
    QByteArray daten = f.readAll();
    const qint32 breite = qFromLittleEndian<qint32>(daten.constData() + 18);
    const qint32 hoehe = qFromLittleEndian<qint32>(daten.constData() + 22);
    const quint32 anfang = qFromLittleEndian<quint32>(daten.constData() + 10);
    const int zeile = ((breite * 3 + 3) / 4) * 4;
    QByteArray gedreht = daten.left(anfang);
    for (int y = hoehe - 1; y >= 0; --y)
        gedreht += daten.mid(anfang + y * zeile, zeile);
    qToLittleEndian<qint32>(-hoehe, gedreht.data() + 22);
    return gedreht;
}

} // namespace

class TestVorschau : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void etikettenansichtBei96Dpi_data()
    {
        QTest::addColumn<int>("breiteMm");
        QTest::addColumn<int>("hoeheMm");
        QTest::addColumn<QSize>("bild");
        QTest::addColumn<QRect>("ansicht");
        QTest::newRow("business card 85 x 54") << 85 << 54 << QSize(401, 255) << QRect(355, 251, 401, 255);
        QTest::newRow("A4 page 210 x 297") << 210 << 297 << QSize(992, 1403) << QRect(282, 226, 216, 305);
        QTest::newRow("strip 200 x 50") << 200 << 50 << QSize(945, 236) << QRect(282, 260, 549, 137);
        QTest::newRow("strip 200 x 50, picture of exactly 4 : 1")
            << 200 << 50 << QSize(800, 200) << QRect(282, 260, 548, 137);
    }

    void etikettenansichtBei96Dpi()
    {
        QFETCH(int, breiteMm);
        QFETCH(int, hoeheMm);
        QFETCH(QSize, bild);
        QFETCH(QRect, ansicht);
        Programmordner p;
        auto form = p.fenster(1);
        Programmordner::starte(*form);
        p.dialoge.dateien.push_back(p.schreibeEtikett(QStringLiteral("Ansicht"), bild.width(), bild.height(), {}));
        form->Oeffnen1->trigger();
        form->UpDownEtikettenbreite->setPosition(breiteMm);
        form->UpDownEtikettenHoehe->setPosition(hoeheMm);
        form->StelleGroesseImage1ein();
        QCOMPARE(form->Image1->geometry(), ansicht);
        QVERIFY(form->Image1->isVisible());
        QVERIFY(form->Bevel4->geometry().contains(form->Image1->geometry()));
    }

    void einzelvorschauAnDerPosition()
    {
        Programmordner p;
        auto form = p.fenster();
        Programmordner::starte(*form);
        // Made at the view's size, the view shows what stretching the page into it shows.
        QImage gestreckt(form->VorschauImage->size(), QImage::Format_RGB32);
        QPainter(&gestreckt).drawImage(gestreckt.rect(), form->VorschauImage->bild());
        QCOMPARE(form->VorschauImage->grab().toImage().convertToFormat(QImage::Format_RGB32), gestreckt);
        QCOMPARE(form->VorschauImage->bild().size(), QSize(794, 1123));
        form->UpDownSpalte->setPosition(2);
        form->UpDownZeile->setPosition(3);
        form->MachVorschau();
        const QImage seite = form->VorschauImage->bild();
        // 110 mm and 118 mm from the corner: the label's red frame starts there.
        const int x = MmInPixel(96, 110);
        const int y = MmInPixel(96, 118);
        QCOMPARE(QColor(seite.pixel(x, y)), QColor(200, 0, 0));
        QCOMPARE(QColor(seite.pixel(x - 1, y)), QColor(Qt::white));
        QCOMPARE(QColor(seite.pixel(x, y - 1)), QColor(Qt::white));
        QCOMPARE(QColor(seite.pixel(x + MmInPixel(96, 85) - 1, y + MmInPixel(96, 54) - 1)), QColor(200, 0, 0));
        QCOMPARE(QColor(seite.pixel(x + MmInPixel(96, 85), y)), QColor(Qt::white));

        // The pitch moves the single label but not the composed sheet.
        form->UpDownVertikalAbstand->setPosition(60);
        form->MachVorschau();
        QVERIFY(form->VorschauImage->bild() != seite);
        QCOMPARE(QColor(form->VorschauImage->bild().pixel(x, MmInPixel(96, 130))), QColor(200, 0, 0));

        form->NurEineDruckenCheckBox->setChecked(false);
        const QImage bogen = form->VorschauImage->bild();
        QCOMPARE(bogen.size(), QSize(991, 1402));
        QCOMPARE(form->ImageMitEtikettenAuffuellen(), bogen);
        form->UpDownVertikalAbstand->setPosition(54);
        form->MachVorschau();
        QCOMPARE(form->VorschauImage->bild(), bogen);
        // The example layout: labels at x = 71 and 519 in the rows at y = 47 ... 1071.
        for (int zeile : {47, 303, 559, 815, 1071})
            for (int spalte : {71, 519})
                QCOMPARE(QColor(bogen.pixel(spalte, zeile)), QColor(200, 0, 0));
        QVERIFY(p.dialoge.gezeigt.isEmpty());
    }

    void vonObenNachUntenGespeichert()
    {
        Programmordner p;
        auto form = p.fenster();
        Programmordner::starte(*form);
        form->NurEineDruckenCheckBox->setChecked(false);
        const QImage bogen = form->VorschauImage->bild();
        const QString pfad = p.daten(QStringLiteral("Oben.bmp"));
        QFile f(pfad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(vonObenNachUnten(form->dokument().bildPfad()));
        f.close();
        p.dialoge.dateien.push_back(pfad);
        form->Oeffnen1->trigger();
        QCOMPARE(form->zustand().EtikettBildHoehe, 255);
        QCOMPARE(form->VorschauImage->bild(), bogen);
        QCOMPARE(p.dialoge.gezeigt.size(), 1); // the file dialog alone
    }

    void unlesbaresBildGibtLeereVorschauUndEineMeldung()
    {
        Programmordner p;
        auto form = p.fenster();
        Programmordner::starte(*form);
        form->NurEineDruckenCheckBox->setChecked(false);
        // A sound header with the pixels missing, claiming a large picture (a huge one the limits refuse).
        QFile f(form->dokument().bildPfad());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray kopf = f.read(54);
        f.close();
        qToLittleEndian<qint32>(5000, kopf.data() + 18);
        qToLittleEndian<qint32>(5000, kopf.data() + 22);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(kopf);
        f.close();
        p.dialoge.leeren();
        QTest::mouseClick(form->GanzeSeiteCheckBox, Qt::LeftButton, {}, QPoint(5, 8));
        QVERIFY(form->VorschauImage->bild().isNull());
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")),
                 QStringList{QStringLiteral("Die Datei %1 enthält kein lesbares Bitmap-Bild.")
                                 .arg(form->dokument().bildPfad())});
    }
};

QTEST_MAIN(TestVorschau)
#include "test_vorschau.moc"
