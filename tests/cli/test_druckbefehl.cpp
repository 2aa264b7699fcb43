// morvane-druck as a person runs it: without a display, its exit statuses and messages, the page it prints
// compared with the window's page of the same label, and a job through the private print server.
#include "app/formetikette.h"
#include "druckserver.h"
#include "pdfseite.h"
#include "programmordner.h"
#include "app/updown.h"
#include "cli/aufruf.h"
#include "platform/konsole.h"
#include "storage/druckerausrichtung.h"

#include <QAction>
#include <QCheckBox>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QUuid>

Q_DECLARE_METATYPE(Seitenwahl)

namespace {

const QString Befehl = QStringLiteral(MORVANE_DRUCK);
// Printed pages are read back at this resolution: one pixel is 0.17 mm.
constexpr int LeseDpi = 150;
constexpr double ToleranzMm = 0.5;

struct Lauf
{
    int status = -1;
    QString aus;
    QString fehler;
};

// The command without any display, its per-user store below `konfig`.
Lauf Starte(const QStringList &argumente, const QString &konfig, const QString &programm = Befehl)
{
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        umgebung.remove(QString::fromLatin1(name));
    NimmSpeicherIn(umgebung, konfig);
    QProcess p;
    p.setProcessEnvironment(umgebung);
    p.start(programm, argumente);
    Lauf l;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return l;
    l.status = p.exitCode();
    l.aus = AusKonsolenBytes(p.readAllStandardOutput());
    l.fehler = AusKonsolenBytes(p.readAllStandardError());
    return l;
}

bool WerkzeugeDa()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// Everything on the page that is clearly not paper, in pixels at LeseDpi.
QRect Bedruckt(const QImage &seite)
{
    QRect r;
    for (int y = 0; y < seite.height(); ++y) {
        const QRgb *zeile = reinterpret_cast<const QRgb *>(seite.constScanLine(y));
        for (int x = 0; x < seite.width(); ++x)
            if (qRed(zeile[x]) + qGreen(zeile[x]) + qBlue(zeile[x]) < 600)
                r |= QRect(x, y, 1, 1);
    }
    return r;
}

QString Mm(double pixel)
{
    return QString::number(pixel * 25.4 / LeseDpi, 'f', 2);
}

QStringList Namen(const QString &ordner)
{
    return QDir(ordner).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The sample card that the build writes into the program folder.
QString Beispiel(const QString &endung)
{
    return qEnvironmentVariable("MORVANE_PROGRAMM_DIR") + QStringLiteral("/Morvane/Visitenkarte_85x54") + endung;
}

// Settings as another hand writes them: fractions, blanks, lower case, and no ObererRand (stays 0).
const QByteArray FremdeEinstellungen = "[einstellung]\r\nseitenrand = 14,5\r\nVertikalabstand=54.4\r\n"
                                       "Horizontalabstand=95\r\nEtikettenhoehe=54\r\netikettenbreite=85,4\r\n"
                                       "AnzahlEtikettenInZeile=2\r\nAnzahlEtikettenInSpalte=5\r\n";

} // namespace

class TestDruckbefehl : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    Druckserver m_server;

    QString pfad(const QString &name) const { return m_dir.filePath(name); }

    void kopiereBeispiel(const QString &name)
    {
        for (const QString &endung : {QStringLiteral(".bmp"), QStringLiteral(".ini")}) {
            QFile::remove(pfad(name + endung));
            QVERIFY(QFile::copy(Beispiel(endung), pfad(name + endung)));
        }
    }

    void schreibe(const QString &name, const QByteArray &inhalt)
    {
        QFile f(pfad(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }

private Q_SLOTS:
    // The commands started here print through the private print server only.
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo::exists(Beispiel(QStringLiteral(".bmp"))), "the build writes the sample card");
        m_server.starte();
    }

    void cleanupTestCase() { m_server.stoppe(); }

    void rueckgabe_data()
    {
        QTest::addColumn<QStringList>("argumente"); // %D is the test's folder
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("fehler"); // standard error, %D as above

        const QString aufruf =
            QStringLiteral("\n") + Aufrufzeile() + QStringLiteral("\nMehr dazu: morvane-druck --help\n");
        QTest::newRow("printed") << QStringList{"--pdf", "%D/aus/seite.pdf", "--seite", "%D/karte.bmp"} << 0 << "";
        QTest::newRow("wrong usage") << QStringList{"--pdf", "%D/aus/seite.pdf"} << 1
                                     << "morvane-druck: Welche Etikette? Die Bilddatei fehlt im Aufruf." + aufruf;
        QTest::newRow("picture missing") << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/fehlt.bmp"} << 2
                                         << "morvane-druck: Datei %D/fehlt.bmp kann nicht geöffnet werden\n";
        QTest::newRow("no picture in the file")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/kaputt.bmp"} << 2
            << "morvane-druck: Die Datei %D/kaputt.bmp enthält kein lesbares Bitmap-Bild.\n";
        QTest::newRow("settings file missing") << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/ohne.bmp"} << 2
                                               << "morvane-druck: Die Einstellungsdatei %D/ohne.ini fehlt.\n";
        QTest::newRow("a value that is no number") << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/zahl.bmp"} << 2
                                                   << "morvane-druck: '1,234.5' ist kein gültiger Gleitkommawert\n";
        QTest::newRow("three cards do not fit across")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/breit.bmp"} << 2
            << "morvane-druck: Ein DIN-A4 Blatt ist 210 mm breit.\n\nLinker Rand = 15 mm +(Horizontalabstand x 3) = "
               "300 mm\n\n3 Etiketten passen NICHT horizontal auf ein DIN-A4 Blatt! \n";
        QTest::newRow("label beyond the sheet")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--einzeln", "3,1", "%D/karte.bmp"} << 2
            << "morvane-druck: Die Stelle Spalte 3, Zeile 1 liegt nicht auf dem Bogen: er hat 2 Etiketten in einer "
               "Zeile und 5 in einer Spalte.\n";
        QTest::newRow("row beyond the sheet")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--zeile", "6", "%D/karte.bmp"} << 2
            << "morvane-druck: Die Zeile 6 liegt nicht auf dem Bogen: er hat 5 Zeilen.\n";
        QTest::newRow("PDF folder missing")
            << QStringList{"--pdf", "%D/aus/fehlt/seite.pdf", "%D/karte.bmp"} << 3
            << "morvane-druck: Die Datei %D/aus/fehlt/seite.pdf kann nicht geschrieben werden. Es wurde nichts "
               "gedruckt.\n";
        QTest::newRow("PDF name taken by a folder: written, then not put in place")
            << QStringList{"--pdf", "%D/aus/ordner", "%D/karte.bmp"} << 3
            << "morvane-druck: Die Datei %D/aus/ordner kann nicht geschrieben werden. Es wurde nichts gedruckt.\n";
        QTest::newRow("no such printer")
            << QStringList{"--drucker", "Gibt-es-nicht-4711", "%D/karte.bmp"} << 3
            << "morvane-druck: Den Drucker Gibt-es-nicht-4711 gibt es nicht. Es wurde nichts gedruckt.\n";
    }

    void rueckgabe()
    {
        QFETCH(QStringList, argumente);
        QFETCH(int, status);
        QFETCH(QString, fehler);
        const QString d = m_dir.path();
        kopiereBeispiel(QStringLiteral("karte"));
        schreibe(QStringLiteral("kaputt.bmp"), "kein Bild");
        kopiereBeispiel(QStringLiteral("ohne"));
        QFile::remove(pfad(QStringLiteral("ohne.ini")));
        kopiereBeispiel(QStringLiteral("zahl"));
        schreibe(QStringLiteral("zahl.ini"), "[Einstellung]\r\nObererRand=10\r\nSeitenRand=1.234.5\r\n");
        kopiereBeispiel(QStringLiteral("breit"));
        schreibe(QStringLiteral("breit.ini"),
                 "[Einstellung]\r\nSeitenRand=15\r\nHorizontalabstand=95\r\n"
                 "Etikettenbreite=85\r\nEtikettenhoehe=54\r\nAnzahlEtikettenInZeile=3\r\n");
        QDir(pfad(QStringLiteral("aus"))).removeRecursively();
        QVERIFY(QDir().mkpath(pfad(QStringLiteral("aus/ordner/drin"))));
        const QStringList vorher = Namen(pfad(QStringLiteral("aus")));

        for (QString &a : argumente)
            a.replace(QStringLiteral("%D"), d);
        const Lauf l = Starte(argumente, pfad(QStringLiteral("konfig")));

        // Every slash in these messages belongs to a path, which the command shows as the system writes it.
        QCOMPARE(l.fehler, QDir::toNativeSeparators(fehler.replace(QStringLiteral("%D"), d)));
        QCOMPARE(l.status, status);
        QCOMPARE(l.aus, QString());
        // A PDF appears whole or not at all, and nothing else is left beside it.
        QStringList nachher = vorher;
        if (status == Gedruckt)
            nachher.append(QStringLiteral("seite.pdf"));
        nachher.sort();
        QCOMPARE(Namen(pfad(QStringLiteral("aus"))), nachher);
        QCOMPARE(Namen(pfad(QStringLiteral("aus/ordner"))), QStringList{QStringLiteral("drin")});
    }

    void hilfe()
    {
        const Lauf l = Starte({QStringLiteral("--help")}, pfad(QStringLiteral("konfig")));
        QCOMPARE(l.status, 0);
        QCOMPARE(l.aus, Hilfetext());
        QCOMPARE(l.fehler, QString());
    }

    // The PDF is written under a private name first; the finished file has what the person's umask gives.
    void pdfNachUmask()
    {
        kopiereBeispiel(QStringLiteral("karte"));
        const QString pdf = pfad(QStringLiteral("umask.pdf"));
        QFile::remove(pdf);
        const Lauf l = Starte({QStringLiteral("-c"), QStringLiteral("umask 027 && exec \"$0\" \"$@\""), Befehl,
                               QStringLiteral("--pdf"), pdf, pfad(QStringLiteral("karte.bmp"))},
                              pfad(QStringLiteral("konfig")), QStringLiteral("/bin/sh"));
        QCOMPARE(l.fehler, QString());
        QCOMPARE(l.status, 0);
        QCOMPARE(QFileInfo(pdf).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    }

#if MORVANE_LINUX_WERKZEUGE
    // The window and the command print the same label in the same mode: the pages agree pixel for pixel.
    void gleicheSeiteWieFenster_data()
    {
        QTest::addColumn<QByteArray>("einstellungen"); // null: the sample card's own
        QTest::addColumn<Seitenwahl>("wahl");
        QTest::addColumn<QStringList>("art");
        QTest::newRow("sample card, whole sheet")
            << QByteArray() << Seitenwahl{Druckumfang::GanzeSeite, 1, 1} << QStringList{"--seite"};
        QTest::newRow("sample card, row 4")
            << QByteArray() << Seitenwahl{Druckumfang::EineZeile, 1, 4} << QStringList{"--zeile", "4"};
        QTest::newRow("sample card, one card at column 2, row 3")
            << QByteArray() << Seitenwahl{Druckumfang::EineEtikette, 2, 3} << QStringList{"--einzeln", "2,3"};
        QTest::newRow("sample card, one card at 1,1 by default")
            << QByteArray() << Seitenwahl{Druckumfang::EineEtikette, 1, 1} << QStringList{};
        QTest::newRow("another hand's settings, one card at column 2, row 3")
            << FremdeEinstellungen << Seitenwahl{Druckumfang::EineEtikette, 2, 3} << QStringList{"--einzeln", "2,3"};
        QTest::newRow("another hand's settings, whole sheet")
            << FremdeEinstellungen << Seitenwahl{Druckumfang::GanzeSeite, 1, 1} << QStringList{"--seite"};
    }

    void gleicheSeiteWieFenster()
    {
        QFETCH(QByteArray, einstellungen);
        QFETCH(Seitenwahl, wahl);
        QFETCH(QStringList, art);
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        Programmordner p;
        const QString bild = p.daten(QStringLiteral("Visitenkarte_85x54.bmp"));
        const QString ini = p.daten(QStringLiteral("Visitenkarte_85x54.ini"));
        for (const QString &datei : {bild, ini})
            QFile::remove(datei);
        QVERIFY(QFile::copy(Beispiel(QStringLiteral(".bmp")), bild));
        if (einstellungen.isNull()) {
            QVERIFY(QFile::copy(Beispiel(QStringLiteral(".ini")), ini));
        } else {
            QFile f(ini);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(einstellungen);
        }
        const QString fensterPdf = pfad(QStringLiteral("fenster.pdf"));
        const QString befehlPdf = pfad(QStringLiteral("befehl.pdf"));
        QFile::remove(fensterPdf);
        QFile::remove(befehlPdf);

        // The window, printing to a PDF file of the whole A4 page as the command writes it. (With the print
        // dialog's margins the page is the same, but a viewer may round the shifted picture's pixels otherwise.)
        auto form = p.fenster();
        Programmordner::starte(*form);
        QCOMPARE(form->zustand().AktuelleEtikettDatei, bild);
        if (wahl.umfang != Druckumfang::EineEtikette)
            form->NurEineDruckenCheckBox->setChecked(false);
        if (wahl.umfang == Druckumfang::EineZeile)
            form->GanzeSeiteCheckBox->setChecked(false);
        form->UpDownSpalte->setPosition(wahl.spalte);
        form->UpDownZeile->setPosition(wahl.zeile);
        QCOMPARE(form->NurDieZeileCheckBox->isChecked(), wahl.umfang == Druckumfang::EineZeile);
        p.dialoge.leeren();
        p.dialoge.antworten = {true};
        p.dialoge.druckDialoge = {true};
        p.dialoge.druckerEinrichten = [&](QPrinter &d) {
            d.setOutputFormat(QPrinter::PdfFormat);
            d.setOutputFileName(fensterPdf);
            d.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        };
        form->drucken1->trigger();
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")), QStringList());

        const Lauf l =
            Starte(art + QStringList{QStringLiteral("--pdf"), befehlPdf, bild}, pfad(QStringLiteral("konfig")));
        QCOMPARE(l.fehler, QString());
        QCOMPARE(l.status, 0);

        const PdfSeite fenster = LiesPdfSeite(fensterPdf, LeseDpi);
        const PdfSeite befehl = LiesPdfSeite(befehlPdf, LeseDpi);
        QCOMPARE(fenster.seiten, 1);
        QCOMPARE(befehl.seiten, 1);
        QVERIFY(!Bedruckt(befehl.bild).isEmpty());
        QCOMPARE(befehl.bild, fenster.bild);
    }

    // Through the print server's PDF printer, with a correction stored for it: the page arrives, moved by the
    // correction from where the PDF file has it.
    void druckUeberCups()
    {
        if (!m_server.da())
            QSKIP(qPrintable(QStringLiteral("no private print server: ") + m_server.grund()));
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        // The job's title is the label's name, and the PDF printer names its file after it.
        const QString titel =
            QStringLiteral("MorvaneDruckprobe-") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        kopiereBeispiel(titel);
        const QString konfig = pfad(QStringLiteral("konfig-cups"));
        NimmSpeicherIn(konfig);
        const double rechtsMm = 4.0, untenMm = 6.0;
        SchreibDruckerkorrektur(Druckserver::Drucker, Druckerkorrektur{rechtsMm, untenMm, 1.0, 1.0});

        const QString ohne = pfad(QStringLiteral("ohne-korrektur.pdf"));
        const Lauf datei =
            Starte({QStringLiteral("--seite"), QStringLiteral("--pdf"), ohne, pfad(titel + ".bmp")}, konfig);
        QCOMPARE(datei.status, 0);
        const Lauf l =
            Starte({QStringLiteral("--seite"), QStringLiteral("--drucker"), Druckserver::Drucker, pfad(titel + ".bmp")},
                   konfig);
        QCOMPARE(l.fehler, QString());
        QCOMPARE(l.status, 0);

        const Druckserver::Auftrag auftrag = m_server.warteAufPdf(titel);
        const auto weg = qScopeGuard([&] { QFile::remove(auftrag.pdf); });
        QVERIFY2(auftrag.fertig, qPrintable(m_server.keinPdf(titel)));
        const PdfSeite gedruckt = LiesPdfSeite(auftrag.pdf, LeseDpi);
        const PdfSeite soll = LiesPdfSeite(ohne, LeseDpi);
        QCOMPARE(gedruckt.seiten, 1);
        QCOMPARE(gedruckt.bild.size(), soll.bild.size());
        const QRect ist = Bedruckt(gedruckt.bild);
        const QRect ohneKorrektur = Bedruckt(soll.bild);
        QVERIFY(!ohneKorrektur.isEmpty());
        const double pxProMm = LeseDpi / 25.4;
        const QRectF erwartet = QRectF(ohneKorrektur).translated(rechtsMm * pxProMm, untenMm * pxProMm);
        const double toleranz = ToleranzMm * pxProMm;
        QVERIFY2(
            std::abs(ist.left() - erwartet.left()) <= toleranz && std::abs(ist.top() - erwartet.top()) <= toleranz
                && std::abs(ist.right() - erwartet.right()) <= toleranz
                && std::abs(ist.bottom() - erwartet.bottom()) <= toleranz,
            qPrintable(QStringLiteral("printed from %1, %2 to %3, %4 mm; expected %5, %6 to %7, %8 mm")
                           .arg(Mm(ist.left()), Mm(ist.top()), Mm(ist.right()), Mm(ist.bottom()))
                           .arg(Mm(erwartet.left()), Mm(erwartet.top()), Mm(erwartet.right()), Mm(erwartet.bottom()))));
    }
#endif
};

QTEST_MAIN(TestDruckbefehl)
#include "test_druckbefehl.moc"
