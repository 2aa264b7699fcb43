// The print command through the real window: the paper question, the print dialog, and where the labels land
// on paper, read back from the PDF that a PDF printer, or the print server's PDF printer, writes.
#include "app/bildansicht.h"
#include "app/formetikette_p.h"
#include "programmordner.h"
#include "app/updown.h"
#include "dialogs/qtdialoge.h"
#include "drucken/ausrichtung.h"
#include "dialogs/bogenplandialog.h"
#include "druckserver.h"
#include "genauesetikett.h"
#include "modal.h"
#include "pdfseite.h"
#include "vollerordner.h"
#include "platform/fehler.h"
#include "render/ausrichtung.h"
#include "storage/bogenbelegung.h"
#include "storage/druckerausrichtung.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

enum class Modus { EineEtikette, GanzeSeite, EineZeile };
Q_DECLARE_METATYPE(Modus)

namespace {

constexpr double MmProZoll = 25.4;
// Printed pages are read back at this resolution: one pixel is 0.17 mm.
constexpr int LeseDpi = 150;
// One pixel of the sheet raster; the fixture's label picture (401 pixels for 85 mm) has nearly the same, so
// this is also the width of the label's red frame on paper.
constexpr double RasterMm = 210.0 / 991.0;
constexpr double ToleranzMm = 0.5;

// The fixture's label on the sheet raster: 401 x 255 pixels, columns at x 71 and 519, rows at y 47, 303, 559,
// 815 and 1071 (9.96, 64.21, 118.46, 172.70 and 226.95 mm).
const QList<int> BogenSpalten{71, 519};
const QList<int> BogenZeilen{47, 303, 559, 815, 1071};

QRectF AufBogen(int x, int y)
{
    return QRectF(x * RasterMm, y * RasterMm, 401 * RasterMm, 255 * RasterMm);
}

// Where the labels belong on paper, in mm from the top-left edge, for column 2 and row 3.
QList<QRectF> Erwartet(Modus modus)
{
    if (modus == Modus::EineEtikette)
        return {QRectF(110, 118, 85, 54)}; // 95 * 1 + 15, 54 * 2 + 10
    QList<QRectF> r;
    const QList<int> zeilen = modus == Modus::GanzeSeite ? BogenZeilen : QList<int>{BogenZeilen[2]};
    for (int y : zeilen)
        for (int x : BogenSpalten)
            r.append(AufBogen(x, y));
    return r;
}

// The inside of the fixture's label, (255, 255, 200), as the PDF renderer gives it.
bool istEtikett(QRgb c)
{
    return qRed(c) >= 230 && qGreen(c) >= 230 && qBlue(c) >= 170 && qBlue(c) <= 232;
}

struct Strecke
{
    double von;
    double bis;
};

// The label insides met along one line of the page, in mm from the paper's edge, each widened by the frame.
QList<Strecke> Strecken(const QImage &seite, Qt::Orientation richtung, double lageMm)
{
    const double mmProPixel = MmProZoll / LeseDpi;
    const int lage = int(lageMm / mmProPixel);
    const bool senkrecht = richtung == Qt::Vertical;
    const int laenge = senkrecht ? seite.height() : seite.width();
    QList<Strecke> ergebnis;
    int anfang = -1;
    for (int i = 0; i <= laenge; ++i) {
        const bool innen = i < laenge && istEtikett(senkrecht ? seite.pixel(lage, i) : seite.pixel(i, lage));
        if (innen && anfang < 0)
            anfang = i;
        if (!innen && anfang >= 0) {
            if ((i - anfang) * mmProPixel > 1.0) // no label is this thin; a stray pixel is no label
                ergebnis.append({anfang * mmProPixel - RasterMm, i * mmProPixel + RasterMm});
            anfang = -1;
        }
    }
    return ergebnis;
}

QString Text(const QList<Strecke> &s)
{
    QStringList t;
    for (const Strecke &e : s)
        t.append(QStringLiteral("%1..%2").arg(e.von, 0, 'f', 2).arg(e.bis, 0, 'f', 2));
    return t.join(QStringLiteral(", "));
}

QString VergleicheStrecken(const QImage &seite, Qt::Orientation richtung, double lageMm, QList<Strecke> soll)
{
    std::sort(soll.begin(), soll.end(), [](const Strecke &a, const Strecke &b) { return a.von < b.von; });
    const QList<Strecke> ist = Strecken(seite, richtung, lageMm);
    bool gleich = ist.size() == soll.size();
    for (qsizetype i = 0; gleich && i < ist.size(); ++i)
        gleich = std::abs(ist[i].von - soll[i].von) <= ToleranzMm && std::abs(ist[i].bis - soll[i].bis) <= ToleranzMm;
    if (gleich)
        return QString();
    return QStringLiteral("%1 bei %2 mm: gefunden %3, erwartet %4")
        .arg(richtung == Qt::Vertical ? QStringLiteral("senkrecht") : QStringLiteral("waagrecht"))
        .arg(lageMm, 0, 'f', 2)
        .arg(Text(ist), Text(soll));
}

// Compares the labels on a page read at LeseDpi with where they belong: through the middle of every expected
// label, across and down, the label insides must lie where expected (within half a millimetre), and no label
// colour may appear anywhere else. Empty when all matches, else what differs.
QString VergleicheSeite(const QImage &seite, const QList<QRectF> &erwartet)
{
    const double pxProMm = LeseDpi / MmProZoll;
    if (std::abs(seite.width() - 210 * pxProMm) > 2 || std::abs(seite.height() - 297 * pxProMm) > 2)
        return QStringLiteral("keine A4-Hochformatseite: %1 x %2 Pixel").arg(seite.width()).arg(seite.height());
    for (const QRectF &r : erwartet) {
        QList<Strecke> senkrecht, waagrecht;
        for (const QRectF &o : erwartet) {
            if (o.left() <= r.center().x() && r.center().x() <= o.right())
                senkrecht.append({o.top(), o.bottom()});
            if (o.top() <= r.center().y() && r.center().y() <= o.bottom())
                waagrecht.append({o.left(), o.right()});
        }
        QString f = VergleicheStrecken(seite, Qt::Vertical, r.center().x(), senkrecht);
        if (f.isEmpty())
            f = VergleicheStrecken(seite, Qt::Horizontal, r.center().y(), waagrecht);
        if (!f.isEmpty())
            return f;
    }
    for (int y = 0; y < seite.height(); ++y)
        for (int x = 0; x < seite.width(); ++x) {
            if (!istEtikett(seite.pixel(x, y)))
                continue;
            const QPointF mm(x / pxProMm, y / pxProMm);
            if (std::none_of(erwartet.begin(), erwartet.end(),
                             [&](const QRectF &r) { return r.adjusted(-1, -1, 1, 1).contains(mm); }))
                return QStringLiteral("Etikett an unerwarteter Stelle: %1, %2 mm").arg(mm.x()).arg(mm.y());
        }
    return QString();
}

bool WerkzeugeDa()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty();
}

// The first page's size in points, rounded, as pdfinfo gives it; empty when it cannot be read.
QSize Seitengroesse(const QString &pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    if (!info.waitForFinished(60000) || info.exitCode() != 0)
        return QSize();
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                                         QRegularExpression::MultilineOption)
                                          .match(QString::fromLocal8Bit(info.readAllStandardOutput()));
    if (!m.hasMatch())
        return QSize();
    return QSize(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble()));
}

// Overwrites the sample label with fine noise in the label's colours, which any lossy compression would change;
// the frame and the colour ranges that the page comparison looks for stay.
void SchreibeRauschetikett(const QString &pfad)
{
    QImage bild(401, 255, QImage::Format_RGB32);
    quint32 z = 12345;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x) {
            z = z * 1103515245u + 12345u;
            const int r = int(z >> 8);
            bild.setPixel(x, y, qRgb(255 - (r & 15), 255 - ((r >> 4) & 15), 190 + ((r >> 8) & 31)));
        }
    QPainter p(&bild);
    p.setPen(QColor(200, 0, 0));
    p.drawRect(0, 0, bild.width() - 1, bild.height() - 1);
    p.end();
    QVERIFY(bild.save(pfad, "BMP"));
}

// The print dialog's choice: a PDF file on A4 portrait at 300 dpi with the given margins.
std::function<void(QPrinter &)> PdfDrucker(const QString &datei, double randMm = 0, bool ganzeSeite = false)
{
    return [=](QPrinter &d) {
        d.setOutputFormat(QPrinter::PdfFormat);
        d.setOutputFileName(datei);
        d.setResolution(300);
        d.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(randMm, randMm, randMm, randMm), QPageLayout::Millimeter));
        d.setFullPage(ganzeSeite);
    };
}

QByteArray Frage(int seitenRand)
{
    return "\tHaben Sie das Papier richtig in den Drucker eingelegt? \r\nDer linke Rand mit Ma\xc3\x9f"
           "angabe "
        + QByteArray::number(seitenRand)
        + " mm ist bei eingelegtem Papier auf der rechten Seite \r\nwenn man von vorne auf den Drucker schaut!";
}

} // namespace

class TestDrucken : public QObject
{
    Q_OBJECT

    Druckserver m_cups;

    static std::unique_ptr<TFormEtikette> Fenster(Programmordner &p,
                                                  std::function<std::unique_ptr<QPrinter>()> fabrik = {})
    {
        auto form = std::make_unique<TFormEtikette>(Umgebung{p.dialoge, p.schale,
                                                             [] {
                                                                 return Aufloesung{96, 96};
                                                             },
                                                             0, std::move(fabrik)});
        Programmordner::starte(*form);
        return form;
    }

    // The window on Qt's own dialogs, printing on `drucker` the jobs titled `titel`.
    static std::unique_ptr<TFormEtikette> FensterMitEchtenDialogen(Programmordner &p, QtDialoge &dialoge,
                                                                   const QString &drucker, const QString &titel)
    {
        auto form =
            std::make_unique<TFormEtikette>(Umgebung{dialoge, p.schale,
                                                     [] {
                                                         return Aufloesung{96, 96};
                                                     },
                                                     0,
                                                     [=] {
                                                         auto q = std::make_unique<QPrinter>(QPrinter::HighResolution);
                                                         q->setPrinterName(drucker);
                                                         q->setDocName(titel);
                                                         return q;
                                                     }});
        Programmordner::starte(*form);
        return form;
    }

    // Mode, column and row as the user sets them; nothing is asked on the way.
    static void waehle(Programmordner &p, TFormEtikette &f, Modus modus)
    {
        if (modus != Modus::EineEtikette)
            f.NurEineDruckenCheckBox->setChecked(false);
        if (modus == Modus::EineZeile)
            f.GanzeSeiteCheckBox->setChecked(false);
        f.UpDownSpalte->setPosition(2);
        f.UpDownZeile->setPosition(3);
        QCOMPARE(f.NurEineDruckenCheckBox->isChecked(), modus == Modus::EineEtikette);
        QCOMPARE(f.NurDieZeileCheckBox->isChecked(), modus == Modus::EineZeile);
        QCOMPARE(f.Spalte(), 2);
        QCOMPARE(f.Zeile(), 3);
        QVERIFY(p.dialoge.gezeigt.isEmpty());
    }

    // The menu item with "&Ja" to the paper question and the print dialog confirmed with `einrichten`.
    static void drucke(Programmordner &p, TFormEtikette &f, std::function<void(QPrinter &)> einrichten)
    {
        p.dialoge.leeren();
        p.dialoge.antworten = {true};
        p.dialoge.druckDialoge = {true};
        p.dialoge.druckerEinrichten = std::move(einrichten);
        f.drucken1->trigger();
    }

    // The print dialog's choice: the print server's PDF printer, the job titled `titel` (which names its file).
    static std::function<void(QPrinter &)> CupsDrucker(const QString &titel)
    {
        return [titel](QPrinter &d) {
            d.setOutputFileName({});
            d.setPrinterName(Druckserver::Drucker);
            d.setDocName(titel);
            d.setPageSize(QPageSize(QPageSize::A4));
            d.setPageOrientation(QPageLayout::Portrait);
        };
    }

    static QString Jobtitel()
    {
        return QStringLiteral("MorvaneDruckprobe-") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    }

    static QStringList arten(const Programmordner &p)
    {
        QStringList a;
        for (const auto &e : p.dialoge.gezeigt)
            a.append(e.art);
        return a;
    }

private Q_SLOTS:
    // The print server comes from the test run (scripts/test); run alone, the test starts its own.
    void initTestCase() { m_cups.starte(); }

    void cleanupTestCase() { m_cups.stoppe(); }

    void neinDrucktNichts_data()
    {
        QTest::addColumn<Modus>("modus");
        QTest::addColumn<int>("seitenRand");
        QTest::newRow("one label, margin 15") << Modus::EineEtikette << 15;
        QTest::newRow("whole sheet, margin 15") << Modus::GanzeSeite << 15;
        QTest::newRow("one row, margin 0") << Modus::EineZeile << 0;
        QTest::newRow("one label, margin 0") << Modus::EineEtikette << 0;
    }

    void neinDrucktNichts()
    {
        QFETCH(Modus, modus);
        QFETCH(int, seitenRand);
        Programmordner p;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("seite.pdf"));
        int drucker = 0;
        auto form = Fenster(p, [&] {
            ++drucker;
            auto q = std::make_unique<QPrinter>();
            PdfDrucker(pdf)(*q);
            return q;
        });
        waehle(p, *form, modus);
        if (QTest::currentTestFailed())
            return;
        form->UpDownSeitenrand->setPosition(seitenRand);
        QCOMPARE(form->SeitenRand(), seitenRand);
        const int vorschauen = form->vorschauZaehler();
        const bool geaendert = form->dokument().geaendert();
        p.dialoge.leeren();

        p.dialoge.antworten = {false};
        form->drucken1->trigger();

        QCOMPARE(p.dialoge.texte(QStringLiteral("druckFrage")).size(), 1);
        QCOMPARE(p.dialoge.texte(QStringLiteral("druckFrage")).first().toUtf8(), Frage(seitenRand));
        QCOMPARE(TFormEtikette::DruckFrage(seitenRand).toUtf8(), Frage(seitenRand));
        QCOMPARE(arten(p), QStringList{QStringLiteral("druckFrage")});
        QCOMPARE(drucker, 0);
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(form->vorschauZaehler(), vorschauen);
        QCOMPARE(form->dokument().geaendert(), geaendert);
    }

    void abgebrochenerDruckdialog_data()
    {
        QTest::addColumn<Modus>("modus");
        QTest::newRow("one label") << Modus::EineEtikette;
        QTest::newRow("whole sheet") << Modus::GanzeSeite;
        QTest::newRow("one row") << Modus::EineZeile;
    }

    void abgebrochenerDruckdialog()
    {
        QFETCH(Modus, modus);
        Programmordner p;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("seite.pdf"));
        // The printer writes to a file from the start, so anything printed would show.
        auto form = Fenster(p, [&] {
            auto q = std::make_unique<QPrinter>();
            PdfDrucker(pdf)(*q);
            return q;
        });
        waehle(p, *form, modus);
        if (QTest::currentTestFailed())
            return;
        p.dialoge.antworten = {true};
        p.dialoge.druckDialoge = {false};
        form->drucken1->trigger();

        QCOMPARE(arten(p), (QStringList{QStringLiteral("druckFrage"), QStringLiteral("druckDialog")}));
        QVERIFY(p.dialoge.unerwartet.isEmpty());
        QVERIFY(!QFile::exists(pdf));
    }

    // Without its printer adapter the window says so in German, prints nothing and carries on.
    void ohneDruckmodul_data()
    {
        QTest::addColumn<bool>("ausrichten");
        QTest::newRow("Drucken") << false;
        QTest::newRow("Drucker ausrichten") << true;
    }

    void ohneDruckmodul()
    {
        QFETCH(bool, ausrichten);
        Programmordner p;
        Umgebung u{p.dialoge, p.schale, [] { return Aufloesung{96, 96}; }};
        u.druckmodul = []() -> Druckmodul & {
            return LadeDruckmodul({QDir::temp().filePath(QStringLiteral("fehlt/morvane_drucken"))});
        };
        TFormEtikette form(std::move(u));
        Programmordner::starte(form);
        p.dialoge.leeren();
        p.dialoge.antworten = {true};
        (ausrichten ? form.DruckerAusrichten1 : form.drucken1)->trigger();

        const QStringList fehler = p.dialoge.texte(QStringLiteral("fehler"));
        QCOMPARE(fehler.size(), 1);
        QVERIFY2(fehler.first().startsWith(QStringLiteral("Das Druckmodul konnte nicht geladen werden")),
                 qPrintable(fehler.first()));
        QVERIFY(!arten(p).contains(QStringLiteral("druckDialog")));
        QVERIFY(p.dialoge.unerwartet.isEmpty());
    }

#if MORVANE_LINUX_WERKZEUGE
    void druckAufPdf_data()
    {
        QTest::addColumn<Modus>("modus");
        QTest::addColumn<double>("randMm");
        QTest::addColumn<bool>("ganzeSeite");
        QTest::newRow("one label at column 2, row 3") << Modus::EineEtikette << 0.0 << false;
        QTest::newRow("one label, 10 mm margins: still from the paper's edge") << Modus::EineEtikette << 10.0 << false;
        QTest::newRow("one label, full-page mode with margins") << Modus::EineEtikette << 10.0 << true;
        QTest::newRow("whole sheet: five rows of two") << Modus::GanzeSeite << 0.0 << false;
        QTest::newRow("whole sheet, 10 mm margins") << Modus::GanzeSeite << 10.0 << false;
        QTest::newRow("row 3 only") << Modus::EineZeile << 0.0 << false;
    }

    void druckAufPdf()
    {
        QFETCH(Modus, modus);
        QFETCH(double, randMm);
        QFETCH(bool, ganzeSeite);
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        Programmordner p;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("seite.pdf"));
        const QString etikett = p.daten(QStringLiteral("Visitenkarte_85x54.bmp"));
        SchreibeRauschetikett(etikett);
        auto form = Fenster(p);
        waehle(p, *form, modus);
        if (QTest::currentTestFailed())
            return;

        drucke(p, *form, PdfDrucker(pdf, randMm, ganzeSeite));

        QCOMPARE(arten(p), (QStringList{QStringLiteral("druckFrage"), QStringLiteral("druckDialog")}));
        QVERIFY(p.dialoge.unerwartet.isEmpty());
        const PdfSeite seite = LiesPdfSeite(pdf, LeseDpi);
        QCOMPARE(seite.seiten, 1);
        const QString abweichung = VergleicheSeite(seite.bild, Erwartet(modus));
        QVERIFY2(abweichung.isEmpty(), qPrintable(abweichung));
        // The page holds exactly the pixels of the label, or of the sheet composed of it.
        const QImage gedruckt = modus == Modus::EineEtikette ? QImage(etikett) : form->ImageMitEtikettenAuffuellen();
        QCOMPARE(gedruckt.size(), modus == Modus::EineEtikette ? QSize(401, 255) : QSize(991, 1402));
        const QString verlust = PruefeBildImPdf(pdf, gedruckt);
        QVERIFY2(verlust.isEmpty(), qPrintable(verlust));
    }

    // A second print command while the first still has its print dialog open must not disturb the first.
    void zweiterDruckbefehlImGang()
    {
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        Programmordner p;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("seite.pdf"));
        auto form = Fenster(p);
        waehle(p, *form, Modus::EineEtikette);
        if (QTest::currentTestFailed())
            return;
        const auto einrichten = PdfDrucker(pdf);
        int zweite = 0;
        drucke(p, *form, [&](QPrinter &drucker) {
            einrichten(drucker);
            ++zweite;
            form->drucken1->trigger();
        });

        QCOMPARE(zweite, 1);
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")), QStringList{QStringLiteral("Das Drucken ist im Gang")});
        QCOMPARE(p.dialoge.texte(QStringLiteral("druckFrage")).size(), 1);
        QVERIFY(p.dialoge.unerwartet.isEmpty());
        const PdfSeite seite = LiesPdfSeite(pdf, LeseDpi);
        QCOMPARE(seite.seiten, 1);
        const QString abweichung = VergleicheSeite(seite.bild, Erwartet(Modus::EineEtikette));
        QVERIFY2(abweichung.isEmpty(), qPrintable(abweichung));

        // Once the first is done, the next command runs as usual.
        p.dialoge.leeren();
        p.dialoge.antworten = {false};
        form->drucken1->trigger();
        QCOMPARE(arten(p), QStringList{QStringLiteral("druckFrage")});
    }

    // The print dialog's choices stay for the session: the second command opens it on the same printer, with
    // the file and the copies chosen the first time, and confirmed unchanged it prints there again.
    void druckerBleibtFuerDieSitzung()
    {
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        Programmordner p;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("seite.pdf"));
        QList<const QPrinter *> gemacht;
        auto form = Fenster(p, [&] {
            auto q = std::make_unique<QPrinter>();
            gemacht.append(q.get());
            return q;
        });
        waehle(p, *form, Modus::EineEtikette);
        if (QTest::currentTestFailed())
            return;
        drucke(p, *form, [&](QPrinter &drucker) {
            PdfDrucker(pdf)(drucker);
            drucker.setCopyCount(3);
        });
        QCOMPARE(LiesPdfSeite(pdf, LeseDpi).seiten, 1);
        QVERIFY(QFile::remove(pdf));

        const QPrinter *zweiter = nullptr;
        QString datei;
        int kopien = 0;
        drucke(p, *form, [&](QPrinter &drucker) {
            zweiter = &drucker;
            datei = drucker.outputFileName();
            kopien = drucker.copyCount();
            // Should the choice be lost, the page still goes to a file and never to a real printer.
            if (datei.isEmpty())
                PdfDrucker(d.filePath(QStringLiteral("verloren.pdf")))(drucker);
        });
        QCOMPARE(gemacht.size(), 1);
        QCOMPARE(zweiter, gemacht.first());
        QCOMPARE(datei, pdf);
        QCOMPARE(kopien, 3);
        QCOMPARE(LiesPdfSeite(pdf, LeseDpi).seiten, 1);
        QVERIFY(p.dialoge.unerwartet.isEmpty());
    }

    // The production print dialog outlives its command, so that what was set in it, down to the printer's
    // properties, is there again next time; another printer gets a dialog of its own. It needs a printer of the
    // system's: Wine, as scripts/windows runs the tests, has none, and Qt shows no print dialog without one.
    void einDruckdialogFuerDenDrucker()
    {
        QtDialoge dialoge;
        QPrinter drucker;
        QPrinter andererDrucker;
        QList<QPointer<QPrintDialog>> gezeigt;
        const auto abbrechen = [&] {
            QTimer::singleShot(0, [&] {
                auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
                gezeigt.append(dialog);
                if (dialog)
                    dialog->reject();
            });
        };
        abbrechen();
        QVERIFY(!dialoge.druckDialog(drucker));
        abbrechen();
        QVERIFY(!dialoge.druckDialog(drucker));
        QCOMPARE(gezeigt.size(), 2);
        QVERIFY(gezeigt[0]);
        QCOMPARE(gezeigt[1], gezeigt[0]);

        abbrechen();
        QVERIFY(!dialoge.druckDialog(andererDrucker));
        QCOMPARE(gezeigt.size(), 3);
        QVERIFY(gezeigt[2]);
        QCOMPARE(gezeigt[2]->printer(), &andererDrucker);
    }

    // A test print on paper asks no paper question and uses up no place of the sheet, in the dialog or the store.
    // While the print dialog asks, the preview shows the test page.
    void probedruckVerbrauchtKeinenPlatz()
    {
        if (!m_cups.da())
            QSKIP("the private print server is needed to print on paper");
        Programmordner p;
        auto form = Fenster(p);
        const Belegung vorher = LiesVerbrauchtePlaetze(form->Masse());
        const QString titel = Jobtitel();
        const QImage vorschau = form->VorschauImage->bild();
        QImage waehrend;
        p.dialoge.druckDialoge = {true, true};
        p.dialoge.druckerEinrichten = [&](QPrinter &d) {
            waehrend = form->VorschauImage->bild();
            CupsDrucker(titel)(d);
        };
        form->Probedruck1->trigger();
        QVERIFY(waehrend != vorschau && form->VorschauImage->bild() == vorschau);
        QFile::remove(m_cups.warteAufPdf(titel).pdf);
        QVERIFY(ImModalenDialog<TBogenplanDialog>([&] { form->BogenZusammenstellen1->trigger(); },
                                                  [](TBogenplanDialog &dlg) {
                                                      dlg.findChild<QPushButton *>("ButtonProbedruck")->click();
                                                      QCOMPARE(dlg.findChild<QLabel *>("LabelHinweis")->text(),
                                                               "Der Probedruck verbraucht keinen Platz des Bogens.");
                                                      dlg.reject();
                                                  }));
        QFile::remove(m_cups.warteAufPdf(titel).pdf);
        QCOMPARE(arten(p), (QStringList{"druckDialog", "druckDialog"}));
        QCOMPARE(LiesVerbrauchtePlaetze(form->Masse()), vorher);
    }

    // A printer whose own default is Letter, landscape, gets an A4 portrait page: the sheet is laid out for it. A
    // paper the person chooses in the dialog stands from then on.
    // "Bogen zusammenstellen..." by keyboard alone on the sample card, as a screen reader sees it: places 1-3 used
    // by hand, seven cards from place 4, each as the one-label mode prints it there, into a file that uses no place;
    // on paper the plan's places used beside another window's; closing unprinted asked; a precise card of the same
    // whole measures beside the first, printed with the picture its file holds at "Drucken".
    void bogenZusammenstellen()
    {
        if (!WerkzeugeDa() || !m_cups.da())
            QSKIP("poppler-utils and the private print server are needed to print and read the page");
        Programmordner p;
        QTemporaryDir d;
        const QString etikett = p.daten(QStringLiteral("Visitenkarte_85x54.bmp"));
        SchreibeRauschetikett(etikett);
        auto form = Fenster(p);
        // Into a PDF file, or onto paper: the print server's PDF printer, the job titled `pdf`.
        const auto bedienen = [&](const QString &pdf, const std::function<void(TBogenplanDialog &)> &im) {
            p.dialoge.leeren();
            p.dialoge.antworten = {true};
            p.dialoge.druckDialoge = {true};
            p.dialoge.druckerEinrichten = pdf.endsWith(".pdf") ? PdfDrucker(pdf) : CupsDrucker(pdf);
            QVERIFY(ImModalenDialog<TBogenplanDialog>([&] { form->BogenZusammenstellen1->trigger(); }, im));
            QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")), QStringList());
        };
        const auto taste = [](TBogenplanDialog &dlg, Qt::Key k, int mal = 1) {
            for (int i = 0; i < mal; ++i)
                QTest::keyClick(dlg.focusWidget(), k);
        };
        const QString bogen = d.filePath(QStringLiteral("bogen.pdf"));
        bedienen(bogen, [&](TBogenplanDialog &dlg) {
            auto *raster = dynamic_cast<TPlatzraster *>(dlg.focusWidget());
            QVERIFY(raster);
            QCOMPARE(raster->gewaehlt(), 1);
            for (const Qt::Key k : {Qt::Key_Space, Qt::Key_Right, Qt::Key_Space, Qt::Key_Down, Qt::Key_Left,
                                    Qt::Key_Space, Qt::Key_Right, Qt::Key_Return})
                taste(dlg, k);
            QAccessibleInterface *zugang = QAccessible::queryAccessibleInterface(raster);
            QCOMPARE(zugang->focusChild(), zugang->tableInterface()->cellAt(1, 1));
            QStringList texte;
            for (const QPoint z : {QPoint(1, 1), QPoint(1, 0), QPoint(0, 2)})
                texte << zugang->tableInterface()->cellAt(z.y(), z.x())->text(QAccessible::Name);
            for (const char *name : {"ListeEtiketten", "SpinAnzahl", "SpinAbPlatz"}) {
                QAccessibleInterface *feld = QAccessible::queryAccessibleInterface(dlg.findChild<QWidget *>(name));
                texte << feld->text(QAccessible::Name);
                if (QAccessibleValueInterface *wert = feld->valueInterface())
                    for (const QVariant &v : {wert->minimumValue(), wert->maximumValue(), wert->minimumStepSize()})
                        texte << v.toString();
            }
            QCOMPARE(texte,
                     (QStringList{"Spalte 2, Zeile 2: Visitenkarte_85x54", "Spalte 2, Zeile 1: verbraucht",
                                  "Spalte 1, Zeile 3: frei", "Etiketten auf diesem Bogen", "Anzahl", "0", "10", "1",
                                  "Ab Platz", "1", "10", "1"}));
            taste(dlg, Qt::Key_Tab, 2);
            QCOMPARE(dlg.focusWidget()->objectName(), QStringLiteral("SpinAnzahl"));
            QTest::keyClick(dlg.focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(dlg.focusWidget(), QStringLiteral("7"));
            taste(dlg, Qt::Key_Tab, 3);
            QCOMPARE(dlg.focusWidget()->objectName(), QStringLiteral("ButtonDrucken"));
            taste(dlg, Qt::Key_Space);
            QVERIFY(dlg.findChild<QLabel *>(QStringLiteral("LabelHinweis"))->text().contains("Datei gedruckt"));
        });
        QCOMPARE(arten(p), (QStringList{QStringLiteral("druckFrage"), QStringLiteral("druckDialog")}));
        QList<QRectF> plaetze;
        for (int n = 4; n <= 10; ++n)
            plaetze.append(QRectF(15 + 95 * ((n - 1) % 2), 10 + 54 * ((n - 1) / 2), 85, 54));
        const QImage seite = LiesPdfSeite(bogen, LeseDpi).bild;
        QCOMPARE(VergleicheSeite(seite, plaetze), QString());
        QCOMPARE(PruefeBildImPdf(bogen, QImage(etikett)), QString());
        // Place 10 pixel for pixel as the one-label mode prints it at column 2, row 5.
        const QString einzeln = d.filePath(QStringLiteral("einzeln.pdf"));
        form->UpDownSpalte->setPosition(2);
        form->UpDownZeile->setPosition(5);
        drucke(p, *form, PdfDrucker(einzeln));
        const double pxJeMm = LeseDpi / 25.4;
        const QRect platz10 = QRectF(plaetze.last().topLeft() * pxJeMm, plaetze.last().bottomRight() * pxJeMm)
                                  .toAlignedRect()
                                  .adjusted(2, 2, -2, -2);
        QCOMPARE(Pixelabweichung(seite.copy(platz10), LiesPdfSeite(einzeln, LeseDpi).bild.copy(platz10)), QString());

        // Remembered for the sheet, also past "Registry-Einträge löschen", until "Neuer Bogen"; on paper its places
        // join what another window marked meanwhile.
        LoescheSpeicher();
        const QString titel = Jobtitel();
        bedienen(titel, [&](TBogenplanDialog &dlg) {
            QCOMPARE(dlg.verbraucht(), (Belegung{true, true, true, false, false, false, false, false, false, false}));
            AendereVerbrauchtePlaetze(form->Masse(), {{8, 10}, {}});
            taste(dlg, Qt::Key_Tab, 5);
            taste(dlg, Qt::Key_Space);
            QCOMPARE(dlg.verbraucht(), (Belegung{true, true, true, true, false, false, false, true, false, true}));
            QCOMPARE(dlg.verbraucht(), LiesVerbrauchtePlaetze(form->Masse()));
            taste(dlg, Qt::Key_Tab);
            taste(dlg, Qt::Key_Space);
            QCOMPARE(dlg.verbraucht(), Belegung(10, false));
            p.dialoge.antworten = {false, true};
            for (const bool offen : {true, false}) {
                taste(dlg, Qt::Key_Escape);
                QCOMPARE(dlg.isVisible(), offen);
            }
        });
        QFile::remove(m_cups.warteAufPdf(titel).pdf);
        QCOMPARE(p.dialoge.texte("frage"),
                 QStringList(2, "Der zusammengestellte Bogen wurde nicht gedruckt. Trotzdem schließen?"));
        QCOMPARE(LiesVerbrauchtePlaetze(form->Masse()), Belegung(10, false));

        // A precise label of the same whole measures, offered by "Etikett hinzufügen...", lands beside the first.
        QFile::copy(p.daten(QStringLiteral("Visitenkarte_85x54.ini")), p.daten(QStringLiteral("Zweite.ini")));
        QFile ini(p.daten(QStringLiteral("Zweite.ini")));
        QVERIFY(ini.open(QIODevice::Append));
        ini.write("[Genau]\r\nObererRand=10\r\nSeitenRand=15\r\nVertikalabstand=54\r\nHorizontalabstand=95\r\n"
                  "Etikettenhoehe=54\r\nEtikettenbreite=85\r\n");
        ini.close();
        QImage blau(401, 255, QImage::Format_RGB32);
        blau.fill(Qt::blue);
        QVERIFY(blau.save(p.daten(QStringLiteral("Zweite.bmp")), "BMP"));
        const QString zwei = d.filePath(QStringLiteral("zwei.pdf"));
        bedienen(zwei, [&](TBogenplanDialog &dlg) {
            taste(dlg, Qt::Key_Tab, 3);
            QTimer menue;
            bool imBaum = false;
            QObject::connect(&menue, &QTimer::timeout, [&] {
                if (QWidget *offen = QApplication::activePopupWidget()) {
                    menue.stop();
                    QAccessibleInterface *popup = QAccessible::queryAccessibleInterface(offen);
                    imBaum = popup->parent()->indexOfChild(popup) == 0
                        && popup->child(0)->text(QAccessible::Name) == "Zweite";
                    QTest::keyClick(offen, Qt::Key_Down);
                    QTest::keyClick(offen, Qt::Key_Return);
                    offen->close();
                }
            });
            menue.start(20);
            taste(dlg, Qt::Key_Space);
            QTRY_COMPARE(dlg.fuellung().plan.plaetze.size(), 2);
            QCOMPARE(dlg.fuellung().plan.plaetze, (QList<Planplatz>{{0, {1, 1}}, {1, {2, 1}}}));
            QVERIFY(imBaum);
            // Changed on disk after it joined: printed as it is now, not in the blue it had.
            p.schreibeEtikett(QStringLiteral("Zweite"), 750, 450, {});
            taste(dlg, Qt::Key_Tab, 2);
            taste(dlg, Qt::Key_Space);
        });
        QCOMPARE(VergleicheSeite(LiesPdfSeite(zwei, LeseDpi).bild, {QRectF(15, 10, 85, 54), QRectF(110, 10, 85, 54)}),
                 QString());
    }

    void a4VorDemErstenDialog()
    {
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        Programmordner p;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("seite.pdf"));
        auto form = Fenster(p, [] {
            auto q = std::make_unique<QPrinter>();
            q->setPageSize(QPageSize(QPageSize::Letter));
            q->setPageOrientation(QPageLayout::Landscape);
            return q;
        });
        waehle(p, *form, Modus::GanzeSeite);
        if (QTest::currentTestFailed())
            return;
        const auto nurDatei = [&](QPrinter &drucker) {
            drucker.setOutputFormat(QPrinter::PdfFormat);
            drucker.setOutputFileName(pdf);
        };
        drucke(p, *form, nurDatei);
        QCOMPARE(Seitengroesse(pdf), QSize(595, 842));

        // Letter chosen in the dialog: the sheet goes out on A4 all the same, and so does the next.
        drucke(p, *form, [&](QPrinter &drucker) {
            nurDatei(drucker);
            drucker.setPageSize(QPageSize(QPageSize::Letter));
        });
        QCOMPARE(Seitengroesse(pdf), QSize(595, 842));
        drucke(p, *form, nurDatei);
        QCOMPARE(Seitengroesse(pdf), QSize(595, 842));
        QVERIFY(p.dialoge.unerwartet.isEmpty());
    }
#endif

    void keinBildKeinDruck_data()
    {
        QTest::addColumn<Modus>("modus");
        QTest::addColumn<QString>("datei");   // "fehlt", "kein Bild", "nicht lesbar" (a sound header, no picture), or
                                              // the sample cut off: "im Kopf", "in der ersten Zeile", "ein Byte kurz"
        QTest::addColumn<QString>("meldung"); // %1 is the file
        QTest::newRow("one label, file missing") << Modus::EineEtikette << "fehlt"
                                                 << "Datei %1 kann nicht geöffnet werden";
        QTest::newRow("one label, no picture") << Modus::EineEtikette << "kein Bild"
                                               << "Die Datei %1 enthält kein lesbares Bitmap-Bild.";
        QTest::newRow("whole sheet, file missing") << Modus::GanzeSeite << "fehlt"
                                                   << "Datei %1 kann nicht geöffnet werden";
        QTest::newRow("whole sheet, no bitmap header") << Modus::GanzeSeite << "kein Bild"
                                                       << "Die Datei %1 enthält kein lesbares Bitmap-Bild.";
        QTest::newRow("whole sheet, header but no readable bitmap")
            << Modus::GanzeSeite << "nicht lesbar"
            << "Die Datei %1 enthält kein lesbares Bitmap-Bild. Es wurde nichts gedruckt.";
        QTest::newRow("one row, header but no readable bitmap")
            << Modus::EineZeile << "nicht lesbar"
            << "Die Datei %1 enthält kein lesbares Bitmap-Bild. Es wurde nichts gedruckt.";
        QTest::newRow("one label, cut off in its header") << Modus::EineEtikette << "im Kopf"
                                                          << "Die Datei %1 enthält kein lesbares Bitmap-Bild.";
        QTest::newRow("one label, cut off in its first row") << Modus::EineEtikette << "in der ersten Zeile"
                                                             << "Die Datei %1 enthält kein lesbares Bitmap-Bild.";
        QTest::newRow("one label, one byte short") << Modus::EineEtikette << "ein Byte kurz"
                                                   << "Die Datei %1 enthält kein lesbares Bitmap-Bild.";
        QTest::newRow("whole sheet, one byte short")
            << Modus::GanzeSeite << "ein Byte kurz"
            << "Die Datei %1 enthält kein lesbares Bitmap-Bild. Es wurde nichts gedruckt.";
    }

    void keinBildKeinDruck()
    {
        QFETCH(Modus, modus);
        QFETCH(QString, datei);
        QFETCH(QString, meldung);
        Programmordner p;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("seite.pdf"));
        auto form = Fenster(p);
        waehle(p, *form, modus);
        if (QTest::currentTestFailed())
            return;

        const QString pfad = p.daten(QStringLiteral("Kaputt.bmp"));
        QFile f(pfad);
        QFile beispiel(p.daten(QStringLiteral("Visitenkarte_85x54.bmp")));
        QVERIFY(beispiel.open(QIODevice::ReadOnly));
        const QByteArray muster = beispiel.readAll();
        const QMap<QString, qsizetype> gekuerzt{{QStringLiteral("im Kopf"), 30},
                                                {QStringLiteral("in der ersten Zeile"), 54 + 7},
                                                {QStringLiteral("ein Byte kurz"), muster.size() - 1}};
        if (gekuerzt.contains(datei)) {
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(muster.left(gekuerzt[datei]));
            QVERIFY(
                QFile::copy(p.daten(QStringLiteral("Visitenkarte_85x54.ini")), p.daten(QStringLiteral("Kaputt.ini"))));
        } else if (datei == QStringLiteral("kein Bild")) {
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("kein Bild");
        } else if (datei == QStringLiteral("nicht lesbar")) {
            // The sample with compression 6 in its header: the size is there, the pixels are not readable.
            QByteArray bytes = muster;
            bytes[30] = 6;
            QVERIFY(QImage::fromData(bytes).isNull());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        f.close();
        const QImage vorher = form->Image1->bild();
        p.dialoge.dateien.push_back(pfad);
        form->Oeffnen1->trigger();
        // Opening says so already, and the view keeps the picture it had: no pixel from beyond the file's end.
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")),
                 QStringList{meldung.arg(pfad).remove(QStringLiteral(" Es wurde nichts gedruckt."))});
        QCOMPARE(form->Image1->bild(), vorher);
        p.dialoge.leeren();

        drucke(p, *form, PdfDrucker(pdf));

        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")), QStringList{meldung.arg(pfad)});
        QVERIFY(!arten(p).contains(QStringLiteral("druckDialog")));
        QVERIFY(!QFile::exists(pdf));
    }

    // Measures that do not fit never reach paper: refused as morvane-druck refuses them, before the paper question.
    void passtNichtKeinDruck()
    {
        Programmordner p;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("seite.pdf"));
        QVERIFY(QFile::copy(p.daten(QStringLiteral("Visitenkarte_85x54.bmp")), p.daten(QStringLiteral("Breit.bmp"))));
        QFile ini(p.daten(QStringLiteral("Breit.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Einstellung]\r\nSeitenRand=15\r\nHorizontalabstand=95\r\nAnzahlEtikettenInZeile=3\r\n");
        ini.close();
        auto form = Fenster(p);
        p.dialoge.dateien.push_back(p.daten(QStringLiteral("Breit.bmp")));
        form->Oeffnen1->trigger();
        drucke(p, *form, PdfDrucker(pdf));
        QCOMPARE(arten(p), QStringList{QStringLiteral("information")});
        QCOMPARE(p.dialoge.texte(QStringLiteral("information")),
                 QStringList{QStringLiteral("Ein DIN-A4 Blatt ist 210 mm breit.\r\n\r\nLinker Rand = 15 mm +"
                                            "(Horizontalabstand x 3) = 300 mm\r\n\r\n3 Etiketten passen NICHT "
                                            "horizontal auf ein DIN-A4 Blatt! ")});
        QVERIFY(!QFile::exists(pdf));
    }

    // The print job refuses a picture without pixels in every mode, before any page: no blank page.
    void leeresBildWirdNichtGedruckt()
    {
        Programmordner p;
        auto form = Fenster(p);
        for (Druckumfang u : {Druckumfang::EineEtikette, Druckumfang::EineZeile, Druckumfang::GanzeSeite})
            QVERIFY_THROWS_EXCEPTION(Fehler, Druckauftrag({QImage(), form->Masse()}, Seitenwahl{u, 1, 1}).leer());
    }

    void dateiNichtSchreibbar()
    {
        Programmordner p;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("fehlt/seite.pdf"));
        auto form = Fenster(p);
        waehle(p, *form, Modus::EineEtikette);
        if (QTest::currentTestFailed())
            return;
        drucke(p, *form, PdfDrucker(pdf));
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")),
                 QStringList{
                     QStringLiteral("Die Datei %1 kann nicht geschrieben werden. Es wurde nichts gedruckt.").arg(pdf)});
        // The failed command does not block the next.
        p.dialoge.leeren();
        p.dialoge.antworten = {false};
        form->drucken1->trigger();
        QCOMPARE(arten(p), QStringList{QStringLiteral("druckFrage")});
    }

    // A print from the window says nothing on the terminal unless the logging rules ask for it.
    void leiseAusserAufWunsch_data()
    {
        QTest::addColumn<QString>("regeln");
        QTest::addColumn<bool>("gesprochen");
        QTest::newRow("no rules") << QString() << false;
        QTest::newRow("the printing log asked for") << QStringLiteral("morvane.druck.debug=true") << true;
    }

    void leiseAusserAufWunsch()
    {
        QFETCH(QString, regeln);
        QFETCH(bool, gesprochen);
        Programmordner p;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("seite.pdf"));
        auto form = Fenster(p);
        waehle(p, *form, Modus::EineEtikette);
        static QStringList meldungen;
        meldungen.clear();
        QLoggingCategory::setFilterRules(regeln);
        const QtMessageHandler vorher = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &text) { meldungen.append(text); });
        const auto zurueck = qScopeGuard([&] {
            qInstallMessageHandler(vorher);
            QLoggingCategory::setFilterRules(QString());
        });
        drucke(p, *form, PdfDrucker(pdf));
        QVERIFY(QFile::exists(pdf));
        if (gesprochen)
            QVERIFY2(meldungen.size() >= 2 && meldungen.first().startsWith(QStringLiteral("Ziel")),
                     qPrintable(meldungen.join(u'|')));
        else
            QCOMPARE(meldungen, QStringList());
    }

#if MORVANE_LINUX_WERKZEUGE
    // Qt's own print dialog, with nothing but Return pressed, sets a printer up on the printer's own default
    // paper; the sheet and the alignment's test page still get A4 portrait, whatever paper or orientation the
    // person chooses in the printer's properties. A printer without A4 prints nothing and says which paper it has.
    void a4DurchDenEchtenDruckdialog_data()
    {
        QTest::addColumn<bool>("testseite");
        QTest::addColumn<QString>("papier"); // chosen in the printer's properties: "" not opened, "=" as shown
        QTest::addColumn<QSize>("seite");    // in points; none: a printer on A5 that has no A4
        const QSize a4(595, 842);
        QTest::newRow("label, Return only") << false << QString() << a4;
        QTest::newRow("test page, Return only") << true << QString() << a4;
        QTest::newRow("label, the properties confirmed as shown") << false << QStringLiteral("=") << a4;
        QTest::newRow("label, Letter chosen in the properties") << false << QStringLiteral("Letter") << a4;
        QTest::newRow("label, Querformat chosen in the properties") << false << QStringLiteral("landscape") << a4;
        QTest::newRow("label, a printer without A4 is refused") << false << QString() << QSize();
    }

    void a4DurchDenEchtenDruckdialog()
    {
        QFETCH(bool, testseite);
        QFETCH(QString, papier);
        QFETCH(QSize, seite);
        if (!m_cups.da())
            QSKIP(qPrintable(QStringLiteral("no private print server: ") + m_cups.grund()));
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        const QString drucker = QStringLiteral("MorvaneZLetter-") + Jobtitel().right(8);
        const QString grund = m_cups.richteDruckerEin(drucker, [&](const QByteArray &ppd) {
            static const QRegularExpression a4(
                QStringLiteral("^\\*Default(PageSize|PageRegion|ImageableArea|PaperDimension): A4"),
                QRegularExpression::MultilineOption);
            // Neither A4 nor a size of the program's own: "A4/A4" entries and the custom size go.
            static const QRegularExpression keinA4(
                QStringLiteral("^\\*[A-Za-z]+ "
                               "A4/A4:.*\\n|^\\*(Param)?CustomPageSize[^*]*(\\*End\\n)?|^\\*VariablePaperSize: True"),
                QRegularExpression::MultilineOption);
            QString text = QString::fromUtf8(ppd).replace(
                a4, seite.isValid() ? QStringLiteral("*Default\\1: Letter") : QStringLiteral("*Default\\1: A5"));
            return (seite.isValid() ? text : text.replace(keinA4, QString())).toUtf8();
        });
        const auto entfernt = qScopeGuard([&] { m_cups.entferneDrucker(drucker); });
        QVERIFY2(grund.isEmpty(), qPrintable(grund));

        using S = Dialogschritte;
        const auto art = [](const char *klasse) { return [klasse](QWidget &w) { return w.inherits(klasse); }; };
        const auto knopf = [](const char *name) {
            return [name](QWidget &w) { w.findChild<QPushButton *>(QLatin1String(name))->click(); };
        };
        std::deque<S::Schritt> schritte;
        schritte.push_back(testseite ? S::Schritt{art("TAusrichtungsDialog"), knopf("TestseiteButton")}
                                     : S::Return<QMessageBox>());
        if (!papier.isEmpty()) {
            schritte.push_back({art("QPrintDialog"), knopf("properties")});
            schritte.push_back({art("QPrintPropertiesDialog"), [papier](QWidget &w) {
                                    auto *groesse = w.findChild<QComboBox *>(QStringLiteral("pageSizeCombo"));
                                    if (auto *richtung = w.findChild<QRadioButton *>(papier))
                                        richtung->click();
                                    else if (papier != QLatin1String("="))
                                        groesse->setCurrentIndex(groesse->findText(papier, Qt::MatchContains));
                                    QTest::keyClick(&w, Qt::Key_Return);
                                }});
        }
        schritte.push_back(S::Return<QPrintDialog>());
        if (testseite)
            schritte.push_back({art("TAusrichtungsDialog"), [](QWidget &w) { static_cast<QDialog &>(w).reject(); }});
        S person(std::move(schritte));

        Programmordner p;
        QtDialoge dialoge;
        const QString titel = Jobtitel();
        auto form = FensterMitEchtenDialogen(p, dialoge, drucker, titel);
        (testseite ? form->DruckerAusrichten1 : form->drucken1)->trigger();
        const QString nichtA4 =
            QStringLiteral("QMessageBox: Der Drucker ist auf A5 eingestellt; Etikettenbögen sind A4.");
        QCOMPARE(person.unerwartet, seite.isValid() ? QStringList() : QStringList{nichtA4});
        QCOMPARE(person.uebrig(), std::size_t(0));
        if (!seite.isValid()) {
            QCOMPARE(m_cups.gesendet(drucker), QString());
            return;
        }

        const Druckserver::Auftrag auftrag = m_cups.warteAufPdf(titel);
        const auto weg = qScopeGuard([&] { QFile::remove(auftrag.pdf); });
        QVERIFY2(auftrag.fertig, qPrintable(m_cups.keinPdf(titel)));
        QCOMPARE(Seitengroesse(auftrag.pdf), seite);
        if (!testseite)
            QCOMPARE(VergleicheSeite(LiesPdfSeite(auftrag.pdf, LeseDpi).bild, {QRectF(15, 10, 85, 54)}), QString());
    }

    // The window keeps its print dialog for the session, yet a printer added meanwhile is in the next one.
    void neuerDruckerImNaechstenDialog()
    {
        if (!m_cups.da())
            QSKIP(qPrintable(QStringLiteral("no private print server: ") + m_cups.grund()));
        Programmordner p;
        QtDialoge dialoge;
        auto form = FensterMitEchtenDialogen(p, dialoge, Druckserver::Drucker, Jobtitel());
        QStringList liste;
        const auto oeffne = [&] {
            Dialogschritte person({Dialogschritte::Return<QMessageBox>(),
                                   {[](QWidget &w) { return w.inherits("QPrintDialog"); },
                                    [&](QWidget &w) {
                                        const auto *drucker = w.findChild<QComboBox *>(QStringLiteral("printers"));
                                        liste.clear();
                                        for (int i = 0; drucker && i < drucker->count(); ++i)
                                            liste.append(drucker->itemText(i));
                                        static_cast<QDialog &>(w).reject();
                                    }}});
            form->drucken1->trigger();
            QCOMPARE(person.uebrig(), std::size_t(0));
        };
        oeffne();
        QVERIFY2(liste.contains(Druckserver::Drucker), qPrintable(liste.join(u'|')));
        const QString neu = QStringLiteral("MorvaneZNeu-") + Jobtitel().right(8);
        const QString grund = m_cups.richteDruckerEin(neu, [](const QByteArray &ppd) { return ppd; });
        const auto entfernt = qScopeGuard([&] { m_cups.entferneDrucker(neu); });
        QVERIFY2(grund.isEmpty(), qPrintable(grund));
        QVERIFY(!liste.contains(neu));
        oeffne();
        QVERIFY2(liste.contains(neu), qPrintable(liste.join(u'|')));
    }

    // A page that did not reach its file or printer is never taken for printed: the window says what happened, and
    // no file or draft is left on the full disk.
    void nichtGedruckt_data()
    {
        QTest::addColumn<bool>("volleDatei"); // else the printer that refuses every job
        QTest::addColumn<QString>("meldung"); // %1: the PDF file
        QTest::newRow("PDF on a full disk")
            << true << "Die Datei %1 kann nicht geschrieben werden. Es wurde nichts gedruckt.";
        QTest::newRow("printer refuses jobs")
            << false << "Der Drucker " + Druckserver::Abweisend + " nimmt keine Aufträge an. Es wurde nichts gedruckt.";
    }

    void nichtGedruckt()
    {
        QFETCH(bool, volleDatei);
        QFETCH(QString, meldung);
        VollerOrdner voll;
        if (volleDatei)
            QVERIFY2(voll.da(), qPrintable(voll.grund()));
        else
            QVERIFY2(m_cups.da(), qPrintable(QStringLiteral("no private print server: ") + m_cups.grund()));
        Programmordner p;
        auto form = Fenster(p);
        waehle(p, *form, Modus::GanzeSeite);
        if (QTest::currentTestFailed())
            return;
        const QString pdf = voll.ordner() + QStringLiteral("/seite.pdf");
        drucke(
            p, *form, volleDatei ? PdfDrucker(pdf) : [](QPrinter &d) { d.setPrinterName(Druckserver::Abweisend); });
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")), QStringList{meldung.arg(pdf)});
        if (volleDatei)
            QCOMPARE(voll.inhalt(), QStringList());
    }

    // Through the print server's PDF printer: the page goes through the server's filters, and the positions on
    // paper hold with that printer's own resolution and printable area, on A4 although the printer starts on
    // Letter.
    void druckUeberCups_data()
    {
        QTest::addColumn<Modus>("modus");
        QTest::newRow("one label at column 2, row 3") << Modus::EineEtikette;
        QTest::newRow("whole sheet") << Modus::GanzeSeite;
    }

    void druckUeberCups()
    {
        QFETCH(Modus, modus);
        if (!m_cups.da())
            QSKIP(qPrintable(QStringLiteral("no private print server: ") + m_cups.grund()));
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        Programmordner p;
        SchreibeRauschetikett(p.daten(QStringLiteral("Visitenkarte_85x54.bmp")));
        // A printer that starts on Letter, as many drivers do.
        auto form = Fenster(p, [] {
            auto q = std::make_unique<QPrinter>(QPrinter::HighResolution);
            q->setPageSize(QPageSize(QPageSize::Letter));
            return q;
        });
        waehle(p, *form, modus);
        if (QTest::currentTestFailed())
            return;
        // The job's title names the file that the PDF printer writes.
        const QString titel = Jobtitel();
        QString drucker;
        QPoint versatz;
        int dpi = 0;
        drucke(p, *form, [&](QPrinter &d) {
            CupsDrucker(titel)(d);
            drucker = d.isValid() ? d.printerName() : QString();
            const QPageLayout l = d.pageLayout();
            versatz = l.paintRectPixels(d.resolution()).topLeft() - l.fullRectPixels(d.resolution()).topLeft();
            dpi = d.resolution();
        });
        QCOMPARE(drucker, QStringLiteral("MorvanePDF"));
        QCOMPARE(arten(p), (QStringList{QStringLiteral("druckFrage"), QStringLiteral("druckDialog")}));
        qInfo() << "printer resolution" << dpi << "offset in pixels" << versatz;

        const Druckserver::Auftrag auftrag = m_cups.warteAufPdf(titel);
        // The printer's folder belongs to the user; no test leaves anything there.
        const auto weg = qScopeGuard([&] { QFile::remove(auftrag.pdf); });
        QVERIFY2(auftrag.fertig, qPrintable(m_cups.keinPdf(titel)));
        const QString pdf = auftrag.pdf;
        QCOMPARE(Seitengroesse(pdf), QSize(595, 842));
        const PdfSeite seite = LiesPdfSeite(pdf, LeseDpi);
        QCOMPARE(seite.seiten, 1);
        const QString abweichung = VergleicheSeite(seite.bild, Erwartet(modus));
        QVERIFY2(abweichung.isEmpty(), qPrintable(abweichung));
        // Through the server's filters, the page still holds the printed picture's own pixels.
        const QString verlust = PruefeBildImPdf(
            pdf, modus == Modus::EineEtikette ? form->dokument().bild() : form->ImageMitEtikettenAuffuellen());
        QVERIFY2(verlust.isEmpty(), qPrintable(verlust));
    }

    // On a printer whose driver declares margins, labels that reach into them are named after the print dialog and
    // before anything is printed: "Abbrechen" sends nothing and keeps the printer. The preview marks the bands
    // from the choice of that printer on and keeps its pixels inside them.
    void randFrage_data()
    {
        QTest::addColumn<bool>("amRand"); // 3 x 8 labels of 70 x 36 mm from the paper's left edge, else the card
        QTest::addColumn<bool>("trotzdem");
        QTest::newRow("3 x 8 from the left edge, Abbrechen") << true << false;
        QTest::newRow("3 x 8 from the left edge, Trotzdem drucken") << true << true;
        QTest::newRow("the sample card prints without a word") << false << true;
    }

    void randFrage()
    {
        QFETCH(bool, amRand);
        QFETCH(bool, trotzdem);
        if (!m_cups.da())
            QSKIP(qPrintable(QStringLiteral("no private print server: ") + m_cups.grund()));
        Programmordner p;
        auto form = Fenster(p);
        if (amRand) {
            p.dialoge.dateien.push_back(p.schreibeEtikett(QStringLiteral("Bogen_3x8"), 827, 425, AmRandEinstellungen));
            form->Oeffnen1->trigger();
            QVERIFY(form->Masse().IstGenau());
        }
        form->NurEineDruckenCheckBox->setChecked(false);
        const QImage vorher = form->VorschauImage->bild();
        const QString vorigerAuftrag = m_cups.gesendet(Druckserver::Rand);
        const QString titel = Jobtitel();
        const auto druckeMit = [&](std::function<void(QPrinter &)> einrichten) {
            p.dialoge.leeren();
            p.dialoge.antworten = {true, trotzdem};
            p.dialoge.druckDialoge = {true};
            p.dialoge.druckerEinrichten = std::move(einrichten);
            form->drucken1->trigger();
        };
        druckeMit([titel](QPrinter &d) {
            d.setPrinterName(Druckserver::Rand);
            d.setDocName(titel);
        });
        const QStringList frage = p.dialoge.texte(QStringLiteral("randFrage"));
        QCOMPARE(frage.size(), amRand ? 1 : 0);
        for (const QString &teil : {QStringLiteral("Links fehlen 4,23 mm an Spalte 1 (alle 8 Zeilen).\nRechts fehlen "
                                                   "4,21 mm an Spalte 3 (alle 8 Zeilen)."),
                                    QStringLiteral("\"A4 (Borderless)\"")})
            QVERIFY2(!amRand || frage.first().contains(teil), qPrintable(frage.value(0)));

        // 5 mm in from the paper's edges, the preview is as it was.
        const QImage nachher = form->VorschauImage->bild();
        const QRect innen = vorher.rect().marginsRemoved(QMargins(1, 1, 1, 1) * (vorher.width() * 5 / 210));
        QVERIFY(nachher != vorher);
        QCOMPARE(nachher.copy(innen), vorher.copy(innen));

        if (trotzdem) {
            const Druckserver::Auftrag auftrag = m_cups.warteAufPdf(titel);
            const auto weg = qScopeGuard([&] { QFile::remove(auftrag.pdf); });
            QVERIFY2(auftrag.fertig, qPrintable(m_cups.keinPdf(titel)));
            return;
        }
        QCOMPARE(m_cups.gesendet(Druckserver::Rand), vorigerAuftrag);
        // The next print command starts on the printer chosen.
        QString drucker;
        druckeMit([&](QPrinter &d) { drucker = d.printerName(); });
        QCOMPARE(drucker, Druckserver::Rand);
        QCOMPARE(m_cups.gesendet(Druckserver::Rand), vorigerAuftrag);
    }

    // The whole alignment on the print server's printer, from the window: the test page is printed without the
    // correction stored for the printer, the measured crosses give a new one, and the next page is corrected.
    void ausrichtenUeberCups_data()
    {
        QTest::addColumn<Modus>("modus");
        QTest::newRow("one label at column 2, row 3") << Modus::EineEtikette;
        QTest::newRow("row 3 only") << Modus::EineZeile;
        QTest::newRow("whole sheet") << Modus::GanzeSeite;
    }

    void ausrichtenUeberCups()
    {
        QFETCH(Modus, modus);
        if (!m_cups.da())
            QSKIP(qPrintable(QStringLiteral("no private print server: ") + m_cups.grund()));
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        Programmordner p;
        auto form = Fenster(p);
        waehle(p, *form, modus);
        if (QTest::currentTestFailed())
            return;
        SchreibDruckerkorrektur(Druckserver::Drucker, {3, 3, 1.02, 1.02});

        // A printer 1.5 mm to the right, 1 mm high and 0.5 % large puts the crosses here.
        const QStringList gemessen{"21,6", "19,1", "192,45", "277,385"};
        const QString testTitel = Jobtitel();
        p.dialoge.leeren();
        p.dialoge.druckDialoge = {true};
        p.dialoge.druckerEinrichten = CupsDrucker(testTitel);
        const bool offen = ImModalenDialog<TAusrichtungsDialog>(
            [&] { form->DruckerAusrichten1->trigger(); },
            [&](TAusrichtungsDialog &d) {
                d.findChild<QPushButton *>(QStringLiteral("TestseiteButton"))->click();
                const char *felder[] = {"EditKreuz1Links", "EditKreuz1Oben", "EditKreuz2Links", "EditKreuz2Oben"};
                for (int i = 0; i < 4; ++i)
                    QTest::keyClicks(d.findChild<QLineEdit *>(QLatin1String(felder[i])), gemessen[i]);
                d.findChild<QPushButton *>(QStringLiteral("SpeichernButton"))->click();
            });
        QVERIFY(offen);
        QCOMPARE(arten(p), (QStringList{QStringLiteral("druckDialog"), QStringLiteral("information")}));
        QVERIFY(p.dialoge.unerwartet.isEmpty());
        const Druckerkorrektur neu = LiesDruckerkorrektur(Druckserver::Drucker);
        QCOMPARE(neu, KorrekturAusMessung({{21.6, 19.1}, {192.45, 277.385}}));

        const Druckserver::Auftrag testseite = m_cups.warteAufPdf(testTitel);
        const auto testseiteWeg = qScopeGuard([&] { QFile::remove(testseite.pdf); });
        QVERIFY2(testseite.fertig, qPrintable(m_cups.keinPdf(testTitel)));
        for (const MmPunkt &k : {TestkreuzOben, TestkreuzUnten}) {
            const QPointF mitte = Kreuzmitte(testseite.pdf, 600, k);
            QVERIFY2(std::abs(mitte.x() - k.x) <= ToleranzMm && std::abs(mitte.y() - k.y) <= ToleranzMm,
                     qPrintable(QStringLiteral("Kreuz bei %1, %2 mm").arg(mitte.x()).arg(mitte.y())));
        }

        const QString druckTitel = Jobtitel();
        drucke(p, *form, CupsDrucker(druckTitel));
        QCOMPARE(arten(p), (QStringList{QStringLiteral("druckFrage"), QStringLiteral("druckDialog")}));
        const Druckserver::Auftrag auftrag = m_cups.warteAufPdf(druckTitel);
        const auto weg = qScopeGuard([&] { QFile::remove(auftrag.pdf); });
        QVERIFY2(auftrag.fertig, qPrintable(m_cups.keinPdf(druckTitel)));
        const PdfSeite seite = LiesPdfSeite(auftrag.pdf, LeseDpi);
        QCOMPARE(seite.seiten, 1);
        QList<QRectF> soll;
        for (const QRectF &r : Erwartet(modus)) {
            const MmRechteck k = Korrigiert(MmRechteck{r.x(), r.y(), r.width(), r.height()}, neu);
            soll.append(QRectF(k.x, k.y, k.breite, k.hoehe));
        }
        const QString abweichung = VergleicheSeite(seite.bild, soll);
        QVERIFY2(abweichung.isEmpty(), qPrintable(abweichung));
    }

    // A card with a back: chosen in "Bearbeiten", shown beside the preview (Tab, Space), printed by "Rückseite
    // drucken" after the question how the sheet goes back in, and on a printer that prints both sides asked for
    // with "Drucken" and sent as one two-sided job.
    void rueckseite()
    {
        if (!m_cups.da() || !WerkzeugeDa())
            QSKIP("the private print server and poppler-utils are needed");
        Programmordner p;
        QTemporaryDir d;
        p.schreibeEtikett(QStringLiteral("Karte hinten"), 401, 255, {});
        auto form = Fenster(p);
        QVERIFY(form->RueckseiteZeigenCheckBox->isHidden());
        QCOMPARE(form->Bearbeiten1->actions().indexOf(form->RueckseiteWaehlen1), 2);
        p.dialoge.dateien.push_back(p.daten(QStringLiteral("Karte hinten.bmp")));
        form->RueckseiteWaehlen1->trigger();
        // The card at column 1, row 1 is 15 to 100 mm from the left, its back 110 to 195 mm; the preview is at 96 dpi.
        const auto zeigt = [&](int xMm) { return istEtikett(form->VorschauImage->bild().pixel(xMm * 96 / 25.4, 140)); };
        QVERIFY(form->RueckseiteZeigenCheckBox->isChecked() && zeigt(152) && !zeigt(57));
        // After the last control of the chain, whichever of the mode boxes this mode leaves enabled.
        form->BitBtn1->setFocus();
        for (int i = 0; i < 3 && QApplication::focusWidget() != form->RueckseiteZeigenCheckBox; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->RueckseiteZeigenCheckBox);
        QTest::keyClick(form->RueckseiteZeigenCheckBox, Qt::Key_Space);
        QVERIFY(zeigt(57) && !zeigt(152));

        const auto befehl = [&](QAction *a, std::deque<bool> antworten, std::function<void(QPrinter &)> einrichten) {
            p.dialoge.leeren();
            p.dialoge.antworten = std::move(antworten);
            p.dialoge.druckDialoge = {true};
            p.dialoge.druckerEinrichten = std::move(einrichten);
            a->trigger();
        };
        const QString pdf = d.filePath(QStringLiteral("hinten.pdf"));
        befehl(form->RueckseiteDrucken1, {true}, PdfDrucker(pdf));
        QCOMPARE(p.dialoge.texte(QStringLiteral("druckFrage")),
                 QStringList{TFormEtikette::RueckseitenFrage(Wendekante::Lang)});
        QCOMPARE(VergleicheSeite(LiesPdfSeite(pdf, LeseDpi).bild, {QRectF(110, 10, 85, 54)}), QString());

        const QString titel = Jobtitel();
        befehl(form->drucken1, {true, true}, [&](QPrinter &q) {
            CupsDrucker(titel)(q);
            q.setOutputFileName({});
            q.setPrinterName(Druckserver::Zweiseitig);
        });
        QCOMPARE(p.dialoge.texte(QStringLiteral("frage")),
                 QStringList{TFormEtikette::BeidseitigFrage(Druckserver::Zweiseitig, Wendekante::Lang)});
        const Druckserver::Auftrag auftrag = m_cups.warteAufPdf(titel);
        const auto weg = qScopeGuard([&] { QFile::remove(auftrag.pdf); });
        QVERIFY2(auftrag.fertig, qPrintable(m_cups.keinPdf(titel)));
        QCOMPARE(LiesPdfSeite(auftrag.pdf, LeseDpi).seiten, 2);
        QTRY_VERIFY(m_cups.auftragsangaben(Druckserver::Zweiseitig).contains("two-sided-long-edge"));
        QVERIFY(p.dialoge.unerwartet.isEmpty());

        // "Nein" to both sides: told, the front goes alone under the card's name, and the back is offered next.
        befehl(form->drucken1, {true, false, false}, [&](QPrinter &q) {
            CupsDrucker(QString())(q);
            q.setPrinterName(Druckserver::Zweiseitig);
        });
        QCOMPARE(p.dialoge.texte(QStringLiteral("information")), QStringList{TFormEtikette::NurVorderseite()});
        QCOMPARE(p.dialoge.texte(QStringLiteral("druckFrage")).value(1),
                 TFormEtikette::RueckseitenFrage(Wendekante::Lang));
        QTRY_VERIFY(m_cups.auftragsangaben(Druckserver::Zweiseitig).contains("Visitenkarte_85x54 – Vorderseite"));
        QFile::remove(m_cups.warteAufPdf(QStringLiteral("Visitenkarte_85x54")).pdf);
        QVERIFY(p.dialoge.unerwartet.isEmpty());

        // A back that is gone shows no more: the box goes off and the front shows, with the reason.
        QVERIFY(QFile::remove(p.daten(QStringLiteral("Karte hinten.bmp"))));
        p.dialoge.leeren();
        form->RueckseiteZeigenCheckBox->setChecked(true);
        QVERIFY(!form->RueckseiteZeigenCheckBox->isChecked() && zeigt(57) && !zeigt(152));
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")),
                 QStringList{QStringLiteral("Die Rückseite %1 fehlt.").arg(p.daten(QStringLiteral("Karte hinten.bmp")))});
    }
#endif
};

QTEST_MAIN(TestDrucken)
#include "test_drucken.moc"
