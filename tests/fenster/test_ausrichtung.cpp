// Aligning a printer: from measured crosses to the correction, the corrected page on paper, the test page, the
// dialog and its menu item.
#include "programmordner.h"
#include "drucken/ausrichtung.h"
#include "druckserver.h"
#include "modal.h"
#include "pdfseite.h"
#include "drucken/drucker.h"
#include "render/ausrichtung.h"
#include "render/seite.h"
#include "skriptdialoge.h"
#include "storage/druckerausrichtung.h"
#include "storage/speicher.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(Druckumfang)
Q_DECLARE_METATYPE(Druckerkorrektur)

namespace {

constexpr int LeseDpi = 600;
constexpr double GenauMm = 0.1;

// The fixture's label, 401 x 255 pixels for 85 x 54 mm: a dark red frame one pixel wide around a light inside,
// so that its outer edge is where the page turns dark.
QImage Etikett()
{
    QImage bild(401, 255, QImage::Format_RGB32);
    bild.fill(QColor(255, 255, 200));
    QPainter p(&bild);
    p.setPen(QColor(200, 0, 0));
    p.drawRect(0, 0, bild.width() - 1, bild.height() - 1);
    return bild;
}

const Bogenmasse Masse{10, 15, 54, 95, 54, 85, 2, 5};

// Where the printed labels meet the paper as a whole, in mm, for column 2 and row 3. On the sheet raster
// (210 / 991 mm a pixel) the labels stand at columns 71 and 519 and rows 47, 303, 559, 815 and 1071.
QRectF Gemeint(Druckumfang umfang)
{
    constexpr double r = 210.0 / 991.0;
    switch (umfang) {
    case Druckumfang::EineEtikette:
        return QRectF(110, 118, 85, 54); // 15 + 95, 10 + 2 x 54
    case Druckumfang::EineZeile:
        return QRectF(71 * r, 559 * r, (519 + 401 - 71) * r, 255 * r);
    case Druckumfang::GanzeSeite:
        break;
    }
    return QRectF(71 * r, 47 * r, (519 + 401 - 71) * r, (1071 + 255 - 47) * r);
}

QRectF KorrigiertMm(const QRectF &r, const Druckerkorrektur &k)
{
    const MmRechteck m = Korrigiert(MmRechteck{r.x(), r.y(), r.width(), r.height()}, k);
    return QRectF(m.x, m.y, m.breite, m.hoehe);
}

QString Abweichung(const QRectF &ist, const QRectF &soll)
{
    const double d = std::max({std::abs(ist.left() - soll.left()), std::abs(ist.top() - soll.top()),
                               std::abs(ist.right() - soll.right()), std::abs(ist.bottom() - soll.bottom())});
    if (d <= GenauMm)
        return QString();
    auto text = [](const QRectF &r) {
        return QStringLiteral("%1, %2 bis %3, %4 mm")
            .arg(r.left(), 0, 'f', 3)
            .arg(r.top(), 0, 'f', 3)
            .arg(r.right(), 0, 'f', 3)
            .arg(r.bottom(), 0, 'f', 3);
    };
    return QStringLiteral("gedruckt %1, erwartet %2").arg(text(ist), text(soll));
}

// A PDF printer on A4 portrait at 600 dpi with the given margins.
void PdfDrucker(QPrinter &d, const QString &datei, double randMm)
{
    d.setOutputFormat(QPrinter::PdfFormat);
    d.setOutputFileName(datei);
    d.setResolution(LeseDpi);
    d.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                QMarginsF(randMm, randMm, randMm, randMm), QPageLayout::Millimeter));
}

const QString KeinDrucker =
    QStringLiteral("Eine Ausrichtung gilt für einen Drucker; beim Drucken in eine Datei wird nichts ausgerichtet. "
                   "Bitte wählen Sie mit „Testseite drucken...“ einen Drucker.");

template <typename T>
T *Teil(QWidget &w, const char *name)
{
    T *t = w.findChild<T *>(QLatin1String(name));
    if (!t)
        qWarning("no %s", name);
    return t;
}

void Tippe(QWidget &dialog, const QStringList &werte)
{
    const char *felder[] = {"EditKreuz1Links", "EditKreuz1Oben", "EditKreuz2Links", "EditKreuz2Oben"};
    for (int i = 0; i < 4; ++i) {
        QLineEdit *feld = Teil<QLineEdit>(dialog, felder[i]);
        feld->clear();
        QTest::keyClicks(feld, werte[i]);
    }
}

} // namespace

class TestAusrichtung : public QObject
{
    Q_OBJECT

    Druckserver m_cups;
    std::unique_ptr<QTemporaryDir> m_speicher;

    // A printer that has a name, as the correction is kept per printer name: the print server's.
    std::unique_ptr<QPrinter> BenannterDrucker()
    {
        auto d = std::make_unique<QPrinter>(QPrinter::HighResolution);
        d->setPrinterName(Druckserver::Drucker);
        return d;
    }

private Q_SLOTS:
    void initTestCase() { m_cups.starte(); }
    void cleanupTestCase() { m_cups.stoppe(); }

    // Every test on an empty store of its own.
    void init()
    {
        m_speicher = std::make_unique<QTemporaryDir>();
        QVERIFY(m_speicher->isValid());
        NimmSpeicherIn(m_speicher->path());
    }

    void korrekturAusMessung_data()
    {
        QTest::addColumn<QList<double>>("gemessen"); // Kreuz 1 x, y, Kreuz 2 x, y
        QTest::addColumn<Druckerkorrektur>("erwartet");
        QTest::newRow("crosses where meant: nothing to correct")
            << QList<double>{20, 20, 190, 277} << Druckerkorrektur{0, 0, 1, 1};
        QTest::newRow("printer 2 mm right and 1.5 mm high: drawn 2 mm left and 1.5 mm lower")
            << QList<double>{22, 18.5, 192, 275.5} << Druckerkorrektur{-2, 1.5, 1, 1};
        // A printer that puts p at p x s + o needs p drawn at (p - o) / s: factor 1 / s, offset -o / s.
        QTest::newRow("printer 1 % large from the corner: drawn 1 / 1.01 the size")
            << QList<double>{20 * 1.01, 20 * 1.01, 190 * 1.01, 277 * 1.01}
            << Druckerkorrektur{0, 0, 1 / 1.01, 1 / 1.01};
        QTest::newRow("printer 0.5 % small, 1 mm right, 2 mm low")
            << QList<double>{20 * 0.995 + 1, 20 * 0.995 + 2, 190 * 0.995 + 1, 277 * 0.995 + 2}
            << Druckerkorrektur{-1 / 0.995, -2 / 0.995, 1 / 0.995, 1 / 0.995};
    }

    void korrekturAusMessung()
    {
        QFETCH(QList<double>, gemessen);
        QFETCH(Druckerkorrektur, erwartet);
        const Druckerkorrektur k = KorrekturAusMessung({{gemessen[0], gemessen[1]}, {gemessen[2], gemessen[3]}});
        QVERIFY2(std::abs(k.versatzXMm - erwartet.versatzXMm) < 1e-9, qPrintable(QString::number(k.versatzXMm)));
        QVERIFY2(std::abs(k.versatzYMm - erwartet.versatzYMm) < 1e-9, qPrintable(QString::number(k.versatzYMm)));
        QVERIFY2(std::abs(k.massstabX - erwartet.massstabX) < 1e-12, qPrintable(QString::number(k.massstabX)));
        QVERIFY2(std::abs(k.massstabY - erwartet.massstabY) < 1e-12, qPrintable(QString::number(k.massstabY)));
    }

    void messwerte_data()
    {
        QTest::addColumn<QStringList>("texte");
        QTest::addColumn<QString>("meldung"); // empty when the values give a correction
        QTest::addColumn<Druckerkorrektur>("erwartet");
        const QString keineZahl =
            QStringLiteral("„%1“ bei „%2“ ist keine Zahl. Bitte geben Sie Millimeter ein, zum Beispiel %3.");
        const QString nichtAufDemBlatt =
            QStringLiteral("„%1“ bei „%2“ liegt nicht auf dem Blatt: der Wert muss zwischen 0 und %3 mm liegen.");
        const QString unbrauchbar = QStringLiteral(
            "Diese Messung ergibt keine brauchbare Ausrichtung: die Verschiebung darf höchstens 20 mm "
            "betragen und der Maßstab muss zwischen 90\u00a0% und 110\u00a0% liegen. Bitte messen Sie noch "
            "einmal nach.");
        const Druckerkorrektur k{-2, 1.5, 1, 1};
        QTest::newRow("decimal comma, blanks and mm")
            << QStringList{"22,0", "18,5 mm", "192", " 275,5 "} << QString() << k;
        QTest::newRow("decimal point") << QStringList{"22.0", "18.5", "192.", "275.5MM"} << QString() << k;
        QTest::newRow("19 mm off is still taken")
            << QStringList{"39", "20", "209", "277"} << QString() << Druckerkorrektur{-19, 0, 1, 1};
        QTest::newRow("a field left empty") << QStringList{"22", " ", "192", "275,5"}
                                            << QStringLiteral("Bitte tragen Sie bei „Kreuz 1 von oben“ den "
                                                              "gemessenen Wert ein.")
                                            << Druckerkorrektur{};
        QTest::newRow("letters") << QStringList{"22", "18,5", "abc", "275,5"}
                                 << keineZahl.arg(QStringLiteral("abc"), QStringLiteral("Kreuz 2 von links"),
                                                  QStringLiteral("190,5"))
                                 << Druckerkorrektur{};
        QTest::newRow("a thousands separator is not taken for a length")
            << QStringList{"1.000,5", "18,5", "192", "275,5"}
            << keineZahl.arg(QStringLiteral("1.000,5"), QStringLiteral("Kreuz 1 von links"), QStringLiteral("20,5"))
            << Druckerkorrektur{};
        QTest::newRow("an exponent neither")
            << QStringList{"22", "18,5", "192", "2e2"}
            << keineZahl.arg(QStringLiteral("2e2"), QStringLiteral("Kreuz 2 von oben"), QStringLiteral("277,5"))
            << Druckerkorrektur{};
        QTest::newRow("a negative distance is a number, off the paper")
            << QStringList{"-2", "18,5", "192", "275,5"}
            << nichtAufDemBlatt.arg(QStringLiteral("-2"), QStringLiteral("Kreuz 1 von links")).arg(210)
            << Druckerkorrektur{};
        QTest::newRow("a typographic minus as well")
            << QStringList{"22", "\u22125 mm", "192", "275,5"}
            << nichtAufDemBlatt.arg(QStringLiteral("\u22125 mm"), QStringLiteral("Kreuz 1 von oben")).arg(297)
            << Druckerkorrektur{};
        QTest::newRow("beyond the paper's length")
            << QStringList{"22", "18,5", "192", "297,5"}
            << nichtAufDemBlatt.arg(QStringLiteral("297,5"), QStringLiteral("Kreuz 2 von oben")).arg(297)
            << Druckerkorrektur{};
        QTest::newRow("a plus sign") << QStringList{"+22", "18,5", "+ 192", "275,5"} << QString() << k;
        QTest::newRow("25 mm off puts cross 2 beyond the paper")
            << QStringList{"45", "20", "215", "277"}
            << nichtAufDemBlatt.arg(QStringLiteral("215"), QStringLiteral("Kreuz 2 von links")).arg(210)
            << Druckerkorrektur{};
        QTest::newRow("printer at 85 %: factor 118 %")
            << QStringList{"17", "17", "161,5", "235,45"} << unbrauchbar << Druckerkorrektur{};
        QTest::newRow("both crosses measured at one place")
            << QStringList{"20", "20", "20", "20"} << unbrauchbar << Druckerkorrektur{};
        QTest::newRow("crosses swapped") << QStringList{"190", "277", "20", "20"} << unbrauchbar << Druckerkorrektur{};
    }

    void messwerte()
    {
        QFETCH(QStringList, texte);
        QFETCH(QString, meldung);
        QFETCH(Druckerkorrektur, erwartet);
        const Messergebnis e = WerteMessungAus({texte[0], texte[1], texte[2], texte[3]});
        QCOMPARE(e.meldung, meldung);
        QCOMPARE(e.korrektur.has_value(), meldung.isEmpty());
        if (e.korrektur)
            QCOMPARE(*e.korrektur, erwartet);
    }

    void beschreibung_data()
    {
        QTest::addColumn<Druckerkorrektur>("k");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << Druckerkorrektur{}
                              << "Verschiebung nach rechts: 0,0 mm\nVerschiebung nach unten: 0,0 mm\n"
                                 "Maßstab waagerecht: 100,00\u00a0%\nMaßstab senkrecht: 100,00\u00a0%";
        QTest::newRow("rounded to a tenth and a hundredth, German commas")
            << Druckerkorrektur{-2.04, 1.46, 1 / 1.01, 1.0025}
            << "Verschiebung nach rechts: -2,0 mm\nVerschiebung nach unten: 1,5 mm\n"
               "Maßstab waagerecht: 99,01\u00a0%\nMaßstab senkrecht: 100,25\u00a0%";
        QTest::newRow("no minus before a zero")
            << Druckerkorrektur{-0.04, -0.01, 0.99999, 1}
            << "Verschiebung nach rechts: 0,0 mm\nVerschiebung nach unten: 0,0 mm\n"
               "Maßstab waagerecht: 100,00\u00a0%\nMaßstab senkrecht: 100,00\u00a0%";
    }

    void beschreibung()
    {
        QFETCH(Druckerkorrektur, k);
        QFETCH(QString, text);
        QCOMPARE(BeschreibeKorrektur(k), text);
    }

#if MORVANE_LINUX_WERKZEUGE
    // The page painter's page on a 600 dpi PDF, with the correction the printer would have stored.
    void korrigierteSeite_data()
    {
        QTest::addColumn<Druckumfang>("umfang");
        QTest::addColumn<Druckerkorrektur>("k");
        QTest::addColumn<double>("randMm");
        const Druckerkorrektur k{-2.5, 1.5, 1.015, 0.985};
        QTest::newRow("one label, no correction") << Druckumfang::EineEtikette << Druckerkorrektur{} << 0.0;
        QTest::newRow("one label, corrected") << Druckumfang::EineEtikette << k << 0.0;
        QTest::newRow("one label, corrected, 10 mm margins") << Druckumfang::EineEtikette << k << 10.0;
        QTest::newRow("one row, no correction") << Druckumfang::EineZeile << Druckerkorrektur{} << 0.0;
        QTest::newRow("one row, corrected") << Druckumfang::EineZeile << k << 0.0;
        QTest::newRow("whole sheet, no correction") << Druckumfang::GanzeSeite << Druckerkorrektur{} << 0.0;
        QTest::newRow("whole sheet, corrected") << Druckumfang::GanzeSeite << k << 5.0;
    }

    void korrigierteSeite()
    {
        QFETCH(Druckumfang, umfang);
        QFETCH(Druckerkorrektur, k);
        QFETCH(double, randMm);
        if (!PdfWerkzeugeDa())
            QSKIP("pdftoppm (poppler-utils) is needed to read the printed page");
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("seite.pdf"));
        QPrinter drucker(QPrinter::HighResolution);
        PdfDrucker(drucker, pdf, randMm);
        Druckflaeche flaeche = FlaecheVon(drucker);
        QCOMPARE(flaeche.korrektur, Druckerkorrektur{}); // a file is never corrected
        flaeche.korrektur = k;
        const Seitenwahl wahl{umfang, 2, 3};
        const Seitenbild seite = BaueSeite(Etikett(), Masse, wahl, flaeche);

        // Without a correction, to the device pixel the page it always was.
        if (k == Druckerkorrektur{}) {
            const QRectF g =
                umfang == Druckumfang::EineEtikette ? Gemeint(umfang) : QRectF(0, 0, 210, 210.0 * 1402 / 991);
            QCOMPARE(seite.ziel,
                     Platzierungsrechteck(LeseDpi, LeseDpi, flaeche.versatz.x(), flaeche.versatz.y(), g.x(), g.y(),
                                          g.width(), g.height()));
        }

        DruckeAuf(drucker, seite);
        // What lies around where the labels belong: they and nothing else.
        const QRectF soll = KorrigiertMm(Gemeint(umfang), k);
        const PdfAusschnitt gelesen = LiesPdf(pdf, LeseDpi, soll.adjusted(-3, -3, 3, 3));
        QVERIFY(!gelesen.bild.isNull());
        const QString abweichung = Abweichung(DunklerBereich(gelesen), soll);
        QVERIFY2(abweichung.isEmpty(), qPrintable(abweichung));
    }

    // Printed through the dialog: nothing when the print dialog is cancelled, else the crosses at their meant
    // places and the rulers' ticks at their millimetres, with the printable area's margins in between.
    void testseite()
    {
        if (!PdfWerkzeugeDa())
            QSKIP("pdftoppm (poppler-utils) is needed to read the printed page");
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("testseite.pdf"));
        SkriptDialoge dialoge;
        QPrinter drucker(QPrinter::HighResolution);
        TAusrichtungsDialog dialog(drucker, dialoge);
        QPushButton *testseite = Teil<QPushButton>(dialog, "TestseiteButton");
        QCOMPARE(testseite->text(), QStringLiteral("Testseite drucken..."));

        dialoge.druckDialoge = {false};
        testseite->click();
        QVERIFY(!QFile::exists(pdf));

        dialoge.druckDialoge = {true};
        dialoge.druckerEinrichten = [&](QPrinter &q) { PdfDrucker(q, pdf, 5.0); };
        testseite->click();
        QVERIFY(dialoge.unerwartet.isEmpty());
        QVERIFY(dialoge.texte(QStringLiteral("fehler")).isEmpty());
        QCOMPARE(Teil<QLabel>(dialog, "DruckerLabel")->text(), QStringLiteral("Ausgabe in die Datei ") + pdf);
        for (const MmPunkt &k : {TestkreuzOben, TestkreuzUnten}) {
            const QPointF mitte = Kreuzmitte(pdf, LeseDpi, k);
            QVERIFY2(std::abs(mitte.x() - k.x) <= GenauMm && std::abs(mitte.y() - k.y) <= GenauMm,
                     qPrintable(QStringLiteral("%1, %2").arg(mitte.x()).arg(mitte.y())));
        }
        // 5.5 mm from the edges only the ticks of every 5 mm reach; the other ruler's line lies at 8 mm.
        const QList<double> oben =
            DunkleMitten(LiesPdf(pdf, LeseDpi, QRectF(9, 5, 193, 1)), Qt::Horizontal, 5.5, 9.5, 200.5);
        const QList<double> links =
            DunkleMitten(LiesPdf(pdf, LeseDpi, QRectF(5, 9, 1, 283)), Qt::Vertical, 5.5, 9.5, 290.5);
        QCOMPARE(oben.size(), 39);
        QCOMPARE(links.size(), 57);
        for (int i = 0; i < oben.size(); ++i)
            QVERIFY2(std::abs(oben[i] - (10 + 5 * i)) <= GenauMm, qPrintable(QString::number(oben[i])));
        for (int i = 0; i < links.size(); ++i)
            QVERIFY2(std::abs(links[i] - (10 + 5 * i)) <= GenauMm, qPrintable(QString::number(links[i])));
    }
#endif

    // A page that cannot be printed is told in the error box; the dialog goes on.
    void testseiteNichtDruckbar()
    {
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("fehlt/testseite.pdf"));
        SkriptDialoge dialoge;
        QPrinter drucker(QPrinter::HighResolution);
        TAusrichtungsDialog dialog(drucker, dialoge);
        dialog.show();
        dialoge.druckDialoge = {true};
        dialoge.druckerEinrichten = [&](QPrinter &q) { PdfDrucker(q, pdf, 0); };
        Teil<QPushButton>(dialog, "TestseiteButton")->click();
        QCOMPARE(dialoge.texte(QStringLiteral("fehler")),
                 QStringList{
                     QStringLiteral("Die Datei %1 kann nicht geschrieben werden. Es wurde nichts gedruckt.").arg(pdf)});
        QVERIFY(dialog.isVisible());
    }

#if MORVANE_LINUX_WERKZEUGE
    void dialogZeigtUndSpeichert()
    {
        if (!m_cups.da())
            QSKIP(qPrintable(QStringLiteral("no private print server for a named printer: ") + m_cups.grund()));
        const Druckerkorrektur alt{1, 1, 1.01, 1.01};
        SchreibDruckerkorrektur(Druckserver::Drucker, alt);
        SkriptDialoge dialoge;
        auto drucker = BenannterDrucker();
        TAusrichtungsDialog dialog(*drucker, dialoge);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Drucker ausrichten"));
        QCOMPARE(Teil<QLabel>(dialog, "DruckerLabel")->text(), QStringLiteral("Drucker: MorvanePDF"));
        QCOMPARE(
            Teil<QLabel>(dialog, "GespeichertLabel")->text(),
            QStringLiteral("Für diesen Drucker ist gespeichert:\nVerschiebung nach rechts: 1,0 mm\n"
                           "Verschiebung nach unten: 1,0 mm\nMaßstab waagerecht: 101,00\u00a0%\nMaßstab senkrecht: "
                           "101,00\u00a0%\nDie Testseite wird ohne diese Ausrichtung gedruckt und zeigt so den Fehler "
                           "des Druckers selbst; Ihre neue Messung ersetzt die gespeicherte Ausrichtung."));
        QLabel *ergebnis = Teil<QLabel>(dialog, "ErgebnisLabel");
        QCOMPARE(ergebnis->text(), QStringLiteral("Tragen Sie die vier gemessenen Werte ein."));
        QStringList beschriftungen;
        for (const QLabel *l : dialog.findChildren<QLabel *>())
            if (l->text().startsWith(QStringLiteral("Kreuz ")))
                beschriftungen.append(l->text());
        QCOMPARE(beschriftungen, (QStringList{"Kreuz 1 (Soll: 20 / 20 mm)", "Kreuz 2 (Soll: 190 / 277 mm)"}));
        QStringList hinweise, namen;
        for (const char *feld : {"EditKreuz1Links", "EditKreuz1Oben", "EditKreuz2Links", "EditKreuz2Oben"}) {
            hinweise.append(Teil<QLineEdit>(dialog, feld)->placeholderText());
            namen.append(Teil<QLineEdit>(dialog, feld)->accessibleName());
        }
        QCOMPARE(hinweise, (QStringList{"z. B. 20,5", "z. B. 20,5", "z. B. 190,5", "z. B. 277,5"}));
        QCOMPARE(namen,
                 (QStringList{"Kreuz 1 von links", "Kreuz 1 von oben", "Kreuz 2 von links", "Kreuz 2 von oben"}));

        Tippe(dialog, {"22,0", "18,5", "192", "275,5"});
        QCOMPARE(ergebnis->text(),
                 QStringLiteral("Neue Ausrichtung:\nVerschiebung nach rechts: -2,0 mm\n"
                                "Verschiebung nach unten: 1,5 mm\nMaßstab waagerecht: 100,00\u00a0%\n"
                                "Maßstab senkrecht: 100,00\u00a0%"));
        // Enter in a field neither saves nor closes.
        QTest::keyClick(Teil<QLineEdit>(dialog, "EditKreuz2Oben"), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(LiesDruckerkorrektur(Druckserver::Drucker), alt);

        Teil<QPushButton>(dialog, "SpeichernButton")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(LiesDruckerkorrektur(Druckserver::Drucker), (Druckerkorrektur{-2, 1.5, 1, 1}));
        QCOMPARE(dialoge.texte(QStringLiteral("information")),
                 QStringList{QStringLiteral("Die Ausrichtung ist für den Drucker „MorvanePDF“ gespeichert. Morvane "
                                            "gleicht sie ab jetzt bei jedem Druck auf diesem Drucker aus.")});
        QCOMPARE(dialoge.gezeigt.size(), 1);
    }

    // The Wendeprobe: into a file both pages, the frames on the back around where the front's square shows through
    // over either edge; on a printer, what the person answers is kept for it, the window follows it after a start,
    // and the back's question says it.
    void wendeprobe()
    {
        if (!m_cups.da() || !PdfWerkzeugeDa())
            QSKIP("the private print server and poppler-utils are needed");
        Programmordner p;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("wende.pdf"));
        SkriptDialoge dialoge;
        QPrinter datei(QPrinter::HighResolution);
        TAusrichtungsDialog dialog(datei, dialoge);
        dialoge.druckDialoge = {true};
        dialoge.druckerEinrichten = [&](QPrinter &q) { PdfDrucker(q, pdf, 5.0); };
        Teil<QPushButton>(dialog, "WendeprobeButton")->click();
        QCOMPARE(dialoge.texte(QStringLiteral("information")).size(), 1);
        QCOMPARE(LiesPdfSeite(pdf, 10).seiten, 2);
        const auto um = [](const QRectF &r, double mm) { return r.adjusted(-mm, -mm, mm, mm); };
        const auto nah = [](const QRectF &ist, const QRectF &soll) {
            return std::max({std::abs(ist.left() - soll.left()), std::abs(ist.top() - soll.top()),
                             std::abs(ist.right() - soll.right()), std::abs(ist.bottom() - soll.bottom())})
                <= 0.2;
        };
        const QRectF quadrat(20, 20, 20, 20);
        QVERIFY(nah(DunklerBereich(LiesPdf(pdf, 200, um(quadrat, 10))), quadrat));
        // Behind the square over the long edge, and over the short edge.
        for (const QRectF &hinter : {QRectF(170, 20, 20, 20), QRectF(20, 257, 20, 20)}) {
            QVERIFY(DunklerBereich(LiesPdf(pdf, 200, um(hinter, -1), 2)).isEmpty());
            QVERIFY(nah(DunklerBereich(LiesPdf(pdf, 200, um(hinter, 6.5), 2)), um(hinter, 5.5)));
        }

        auto drucker = BenannterDrucker();
        dialoge.leeren();
        dialoge.druckDialoge = {true};
        dialoge.druckerEinrichten = [](QPrinter &) {};
        dialoge.antworten = {true};
        dialoge.auswahlen = {1, 1};
        QCOMPARE(DruckeWendeprobe(*drucker, dialoge), (Wendung{Wendekante::Kurz, false}));
        QCOMPARE(LiesWendung(Druckserver::Drucker), (Wendung{Wendekante::Kurz, false}));
        QVERIFY(dialoge.unerwartet.isEmpty());
        QVERIFY(dialoge.texte(QStringLiteral("information"))
                    .value(0)
                    .contains(QStringLiteral(
                        "Legen Sie den Bogen mit der bedruckten Seite nach unten und der Unterkante voran ein")));

        // Chosen in the menu for this printer only, it is there at the next start.
        const auto fenster = [&] {
            auto f = std::make_unique<TFormEtikette>(Umgebung{p.dialoge, p.schale,
                                                              [] {
                                                                  return Aufloesung{96, 96};
                                                              },
                                                              0, [&] { return BenannterDrucker(); }});
            Programmordner::starte(*f);
            return f;
        };
        auto form = fenster();
        form->KurzeKante1->trigger();
        form->KurzeKante1->trigger();
        QCOMPARE(LiesWendung(Druckserver::Drucker), (Wendung{Wendekante::Lang, false}));
        form->KurzeKante1->trigger();
        QCOMPARE(LiesWendung(Druckserver::Drucker).kante, Wendekante::Kurz);
        QCOMPARE(LiesWendung(Druckserver::Zweiseitig), Wendung{});
        form.reset();
        form = fenster();
        QVERIFY(form->KurzeKante1->isChecked());
        p.schreibeEtikett(QStringLiteral("Karte hinten"), 401, 255, {});
        p.dialoge.dateien.push_back(p.daten(QStringLiteral("Karte hinten.bmp")));
        form->RueckseiteWaehlen1->trigger();
        p.dialoge.leeren();
        p.dialoge.antworten = {false};
        form->RueckseiteDrucken1->trigger();
        QCOMPARE(p.dialoge.texte(QStringLiteral("druckFrage")),
                 QStringList{TFormEtikette::RueckseitenFrage(Wendekante::Kurz, false)});
    }

    void dialogFalscheEingabe_data()
    {
        QTest::addColumn<QStringList>("texte");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("not a number") << QStringList{"22", "18,5", "19x", "275,5"}
                                      << QStringLiteral("„19x“ bei „Kreuz 2 von links“ ist keine Zahl. Bitte geben Sie "
                                                        "Millimeter ein, zum Beispiel 190,5.");
        QTest::newRow("-5 is a number, off the paper")
            << QStringList{"22", "18,5", "-5", "275,5"}
            << QStringLiteral("„-5“ bei „Kreuz 2 von links“ liegt nicht auf dem Blatt: der Wert muss zwischen 0 und "
                              "210 mm liegen.");
        QTest::newRow("printer at 85 %") << QStringList{"17", "17", "161,5", "235,45"}
                                         << QStringLiteral("Diese Messung ergibt keine brauchbare Ausrichtung: die "
                                                           "Verschiebung darf höchstens 20 mm betragen und der "
                                                           "Maßstab muss zwischen 90\u00a0% und 110\u00a0% liegen. "
                                                           "Bitte messen Sie noch einmal nach.");
    }

    void dialogFalscheEingabe()
    {
        QFETCH(QStringList, texte);
        QFETCH(QString, meldung);
        if (!m_cups.da())
            QSKIP(qPrintable(QStringLiteral("no private print server for a named printer: ") + m_cups.grund()));
        const Druckerkorrektur alt{1, 1, 1.01, 1.01};
        SchreibDruckerkorrektur(Druckserver::Drucker, alt);
        SkriptDialoge dialoge;
        auto drucker = BenannterDrucker();
        TAusrichtungsDialog dialog(*drucker, dialoge);
        dialog.show();
        Tippe(dialog, texte);
        QCOMPARE(Teil<QLabel>(dialog, "ErgebnisLabel")->text(), meldung);

        Teil<QPushButton>(dialog, "SpeichernButton")->click();
        QCOMPARE(dialoge.texte(QStringLiteral("meldung")),
                 QStringList{meldung + QStringLiteral(" Es wurde nichts gespeichert.")});
        QVERIFY(dialog.isVisible());
        QCOMPARE(LiesDruckerkorrektur(Druckserver::Drucker), alt);
    }

    void dialogZuruecksetzen()
    {
        if (!m_cups.da())
            QSKIP(qPrintable(QStringLiteral("no private print server for a named printer: ") + m_cups.grund()));
        SchreibDruckerkorrektur(Druckserver::Drucker, {1, 1, 1.01, 1.01});
        SchreibDruckerkorrektur(QStringLiteral("Anderer"), {2, 2, 1, 1});
        QList<Speicheraenderung> hinten;
        for (const char *k : {"VersatzX=0", "VersatzY=0", "MassstabX=2", "MassstabY=1"})
            hinten.append({"Druckerausrichtung/MorvanePDF/Rueckseite/" + QString(k).section('=', 0, 0),
                           QString(k).section('=', 1)});
        QVERIFY(AendereKorrekturspeicher(hinten));
        SkriptDialoge dialoge;
        auto drucker = BenannterDrucker();
        TAusrichtungsDialog dialog(*drucker, dialoge);
        dialog.show();
        QCOMPARE(Teil<QLabel>(dialog, "RueckGespeichertLabel")->text(),
                 QStringLiteral("Die gespeicherte Ausrichtung der Rückseite für „MorvanePDF“ ist nicht brauchbar "
                                "(MassstabX=2) und wird nicht angewandt. Messen Sie neu, oder entfernen Sie sie mit "
                                "„Zurücksetzen“."));
        QPushButton *zuruecksetzen = Teil<QPushButton>(dialog, "ZuruecksetzenButton");
        QCOMPARE(zuruecksetzen->text(), QStringLiteral("Zurücksetzen"));
        const QString frage = QStringLiteral("Die gespeicherte Ausrichtung für „MorvanePDF“ löschen? Morvane druckt "
                                             "dann auf diesem Drucker wieder ohne Ausrichtung.");

        dialoge.antworten = {false};
        zuruecksetzen->click();
        QCOMPARE(dialoge.texte(QStringLiteral("frage")), QStringList{frage});
        QVERIFY(dialog.isVisible());
        QCOMPARE(LiesDruckerkorrektur(Druckserver::Drucker), (Druckerkorrektur{1, 1, 1.01, 1.01}));

        dialoge.antworten = {true};
        zuruecksetzen->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(LiesDruckerkorrektur(Druckserver::Drucker), Druckerkorrektur{});
        QSettings s = Korrekturzugang();
        s.beginGroup(QStringLiteral("Druckerausrichtung"));
        QCOMPARE(s.childGroups(), QStringList{QStringLiteral("Anderer")});
        QVERIFY(dialoge.unerwartet.isEmpty());
    }
#endif

    // A printer that writes a file has no correction: nothing to save and nothing to reset.
    void dialogDateiausgabe()
    {
        QTemporaryDir d;
        SkriptDialoge dialoge;
        QPrinter drucker(QPrinter::HighResolution);
        PdfDrucker(drucker, d.filePath(QStringLiteral("x.pdf")), 0);
        TAusrichtungsDialog dialog(drucker, dialoge);
        dialog.show();
        QCOMPARE(Teil<QLabel>(dialog, "GespeichertLabel")->text(), KeinDrucker);
        Tippe(dialog, {"22,0", "18,5", "192", "275,5"});
        Teil<QPushButton>(dialog, "SpeichernButton")->click();
        Teil<QPushButton>(dialog, "ZuruecksetzenButton")->click();
        QCOMPARE(dialoge.texte(QStringLiteral("meldung")),
                 (QStringList{KeinDrucker + QStringLiteral(" Es wurde nichts gespeichert."), KeinDrucker}));
        QVERIFY(dialog.isVisible());
        QVERIFY(!SpeicherVorhanden());
        QVERIFY(!KorrekturspeicherVorhanden());
    }

#if MORVANE_LINUX_WERKZEUGE
    // The store cannot be written: a clear message, the dialog stays open.
    void dialogSpeicherNichtSchreibbar()
    {
        if (!m_cups.da())
            QSKIP(qPrintable(QStringLiteral("no private print server for a named printer: ") + m_cups.grund()));
        // A folder where the store's file belongs stops root as well as anyone.
        QVERIFY(QDir().mkpath(KorrekturOrt()));
        SkriptDialoge dialoge;
        auto drucker = BenannterDrucker();
        TAusrichtungsDialog dialog(*drucker, dialoge);
        dialog.show();
        Tippe(dialog, {"22,0", "18,5", "192", "275,5"});
        Teil<QPushButton>(dialog, "SpeichernButton")->click();
        QCOMPARE(dialoge.texte(QStringLiteral("fehler")),
                 QStringList{QStringLiteral("Die Ausrichtung für MorvanePDF konnte nicht gespeichert werden.")});
        QVERIFY(dialog.isVisible());
    }
#endif

    // The item at the end of "Option" opens the dialog on the printer of the print command; cancelling keeps
    // the store as it was.
    void menuepunkt()
    {
        Programmordner p;
        int drucker = 0;
        auto form = std::make_unique<TFormEtikette>(Umgebung{p.dialoge, p.schale,
                                                             [] {
                                                                 return Aufloesung{96, 96};
                                                             },
                                                             0,
                                                             [&] {
                                                                 ++drucker;
                                                                 return std::make_unique<QPrinter>();
                                                             }});
        Programmordner::starte(*form);
        QCOMPARE(form->Option1->actions().last(), form->DruckerAusrichten1);
        QCOMPARE(form->DruckerAusrichten1->text(), QStringLiteral("Drucker ausrichten..."));
        const auto inhalt = [] { return Inhalt(Korrekturzugang()); };
        const auto vorher = inhalt();
        const QMap<QString, QVariant> vorherSpeicher = SpeicherInhalt();
        p.dialoge.leeren();

        bool modal = false;
        const bool offen = ImModalenDialog<TAusrichtungsDialog>([&] { form->DruckerAusrichten1->trigger(); },
                                                                [&](TAusrichtungsDialog &d) {
                                                                    modal = d.isModal();
                                                                    Tippe(d, {"22,0", "18,5", "192", "275,5"});
                                                                    Teil<QPushButton>(d, "AbbrechenButton")->click();
                                                                });
        QVERIFY(offen);
        QVERIFY(modal);
        QCOMPARE(drucker, 1);
        QVERIFY(p.dialoge.gezeigt.isEmpty());
        QCOMPARE(inhalt(), vorher);
        QVERIFY(SpeicherVorhanden());
        QCOMPARE(SpeicherInhalt(), vorherSpeicher);
    }
};

QTEST_MAIN(TestAusrichtung)
#include "test_ausrichtung.moc"
