// morvane-druck as a person runs it: without a display, its exit statuses and messages, the page it prints
// compared with the window's page of the same label, and a job through the private print server.
#include "app/formetikette_p.h"
#include "druckserver.h"
#include "genauesetikett.h"
#include "modal.h"
#include "pdfseite.h"
#include "programmordner.h"
#include "vollerordner.h"
#include "app/updown.h"
#include "dialogs/bogenplandialog.h"
#include "dialogs/listendruck.h"
#include "cli/aufruf.h"
#include "platform/konsole.h"
#include "storage/bogensuche.h"
#include "storage/druckerausrichtung.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "render/seitenzeichen.h"

#include <QAction>
#include <QCryptographicHash>
#include <QCheckBox>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QUuid>
#include <QtEndian>

#include <atomic>
#include <thread>
#include <tuple>

#if MORVANE_LINUX_WERKZEUGE
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

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

// The command without any display, its per-user store below `konfig`, with `mehr` in its environment.
Lauf Starte(const QStringList &argumente, const QString &konfig, const QString &programm = Befehl,
            const QMap<QString, QString> &mehr = {})
{
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        umgebung.remove(QString::fromLatin1(name));
    for (auto i = mehr.begin(); i != mehr.end(); ++i)
        umgebung.insert(i.key(), i.value());
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

// Whether a page shows colour: enough pixels whose channels differ clearly, as no grey does.
bool Farbig(const QImage &seite)
{
    int bunt = 0;
    for (int y = 0; y < seite.height(); ++y)
        for (int x = 0; x < seite.width(); ++x) {
            const QRgb c = seite.pixel(x, y);
            bunt += std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}) > 60;
        }
    return bunt > 50;
}

QString Mm(double pixel)
{
    return QString::number(pixel * 25.4 / LeseDpi, 'f', 2);
}

// Each entry of a folder with its kind; a pipe or a device is "anderes".
QStringList Namen(const QString &ordner)
{
    QStringList namen;
    for (const QFileInfo &i :
         QDir(ordner).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const char *art = i.isSymbolicLink() ? ":verweis" : i.isDir() ? ":ordner" : i.isFile() ? ":datei" : ":anderes";
        namen.append(i.fileName() + QLatin1String(art));
    }
    return namen;
}

// The checksum of each plain file in a folder, by name: what a refusal promises to leave as it was.
QMap<QString, QByteArray> Pruefsummen(const QString &ordner)
{
    QMap<QString, QByteArray> summen;
    for (const QFileInfo &i : QDir(ordner).entryInfoList(QDir::Files | QDir::Hidden)) {
        QFile f(i.filePath());
        if (i.isFile() && f.open(QIODevice::ReadOnly))
            summen[i.fileName()] = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
    }
    return summen;
}

// The sample card that the build writes into the program folder.
QString Beispiel(const QString &endung)
{
    return qEnvironmentVariable("MORVANE_PROGRAMM_DIR") + QStringLiteral("/Morvane/Visitenkarte_85x54") + endung;
}

// A copy of the sample picture cut off after `laenge` bytes; negative counts from its end.
QByteArray Gekuerzt(qsizetype laenge)
{
    QFile f(Beispiel(QStringLiteral(".bmp")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bild = f.readAll();
    return bild.left(laenge < 0 ? bild.size() + laenge : laenge);
}

// Settings as another hand writes them: fractions, blanks, lower case, and no ObererRand (stays 0).
const QByteArray FremdeEinstellungen = "[einstellung]\r\nseitenrand = 14,5\r\nVertikalabstand=54.4\r\n"
                                       "Horizontalabstand=95\r\nEtikettenhoehe=54\r\netikettenbreite=85,4\r\n"
                                       "AnzahlEtikettenInZeile=2\r\nAnzahlEtikettenInSpalte=5\r\n";

// A print of the window, `drucke`, into a whole-page PDF file at the given resolution (0: the printer's own), with
// the paper question and the print dialog answered yes.
template <typename Ordner>
void InsPdf(Ordner &p, const std::function<void()> &drucke, const QString &pdf, int dpi = 0)
{
    p.dialoge.leeren();
    p.dialoge.antworten = {true};
    p.dialoge.druckDialoge = {true};
    p.dialoge.druckerEinrichten = [pdf, dpi](QPrinter &d) {
        d.setOutputFormat(QPrinter::PdfFormat);
        d.setOutputFileName(pdf);
        if (dpi > 0)
            d.setResolution(dpi);
        d.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    };
    drucke();
}

// The same for a command of its menus: "Drucken" unless told otherwise.
template <typename Ordner, typename Fenster>
void DruckeInsPdf(Ordner &p, Fenster &form, const QString &pdf, int dpi = 0, QAction *befehl = nullptr)
{
    InsPdf(p, [&] { (befehl ? befehl : form.drucken1)->trigger(); }, pdf, dpi);
}

// A back for the label of this settings file, named in [Rueckseite] as given, a path part and all.
void GibRueckseite(const QString &ini, const QString &hinten)
{
    QFile f(ini);
    QVERIFY(f.open(QIODevice::Append));
    f.write("[Rueckseite]\r\nBild=" + (QFileInfo(hinten).isAbsolute() ? QFileInfo(hinten).fileName() : hinten).toUtf8()
            + "\r\n");
}

} // namespace

class TestDruckbefehl : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
#if MORVANE_LINUX_WERKZEUGE
    Druckserver m_server;
    VollerOrdner m_voll;
#endif

    QString pfad(const QString &name) const
    {
        return m_dir.filePath(name);
    }

    void kopiereBeispiel(const QString &name)
    {
        for (const QString &endung : {QStringLiteral(".bmp"), QStringLiteral(".ini")}) {
            QFile::remove(pfad(name + endung));
            QVERIFY(QFile::copy(Beispiel(endung), pfad(name + endung)));
            DatiereZurueck(pfad(name + endung));
        }
    }

    void schreibe(const QString &name, const QByteArray &inhalt)
    {
        QFile f(pfad(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
        f.close();
        DatiereZurueck(pfad(name));
    }

private Q_SLOTS:
    // The commands started here print through the private print server only.
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo::exists(Beispiel(QStringLiteral(".bmp"))), "the build writes the sample card");
#if MORVANE_LINUX_WERKZEUGE
        m_server.starte();
#endif
    }

    void cleanupTestCase()
    {
#if MORVANE_LINUX_WERKZEUGE
        m_server.stoppe();
#endif
    }

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
        QTest::newRow("picture cut off inside its header")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/kopf.bmp"} << 2
            << "morvane-druck: Die Datei %D/kopf.bmp enthält kein lesbares Bitmap-Bild.\n";
        QTest::newRow("picture cut off inside its first row")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/zeile.bmp"} << 2
            << "morvane-druck: Die Datei %D/zeile.bmp enthält kein lesbares Bitmap-Bild.\n";
        QTest::newRow("picture one byte short")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--seite", "%D/kurz.bmp"} << 2
            << "morvane-druck: Die Datei %D/kurz.bmp enthält kein lesbares "
               "Bitmap-Bild.\n";
        QTest::newRow("a value that is no number, with its file and key")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/zahl.bmp"} << 2
            << "morvane-druck: Die Einstellungsdatei %D/zahl.ini enthält einen ungültigen Wert: SeitenRand=1.234.5 "
               "('1,234.5' ist kein gültiger Gleitkommawert)\n";
        QTest::newRow("a word for a number") << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/zwei.bmp"} << 2
                                             << "morvane-druck: Die Einstellungsdatei %D/zwei.ini enthält einen "
                                                "ungültigen Wert: Etikettenhoehe=zwei ('zwei' ist kein gültiger "
                                                "Gleitkommawert)\n";
        QTest::newRow("settings file empty")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/leer.bmp"} << 2
            << "morvane-druck: Die Einstellungsdatei %D/leer.ini enthält keines der acht Maße des Abschnitts "
               "[Einstellung].\n";
        QTest::newRow("settings file not text")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/binaer.bmp"} << 2
            << "morvane-druck: Die Einstellungsdatei %D/binaer.ini enthält keines der acht Maße des Abschnitts "
               "[Einstellung].\n";
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
        QTest::newRow("--ab: labels of other measures")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--ab", "1,1", "%D/karte.bmp:2", "%D/vorrat.bmp:1"} << 2
            << "morvane-druck: Die Etikette %D/vorrat.bmp passt nicht auf den Bogen von %D/karte.bmp: ObererRand "
               "15,5 mm statt 14 mm, SeitenRand 6,75 mm statt 15 mm, Vertikalabstand 38,1 mm statt 54 mm, "
               "Horizontalabstand 66,5 mm statt 95 mm, Etikettenhoehe 38,1 mm statt 54 mm, Etikettenbreite 63,5 mm "
               "statt 85 mm, AnzahlEtikettenInZeile 3 statt 2, AnzahlEtikettenInSpalte 7 statt 5. Auf einen Bogen "
               "passen nur Etiketten desselben Bogens.\n";
        QTest::newRow("--ab: more labels than places")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--ab", "1,7", "%D/vorrat.bmp:2", "%D/vorrat.bmp:2"} << 2
            << "morvane-druck: Ab Spalte 1, Zeile 7 sind nur 3 Plätze frei.\n";
        QTest::newRow("--ab: place beyond the sheet")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--ab", "1,6", "%D/karte.bmp"} << 2
            << "morvane-druck: Die Stelle Spalte 1, Zeile 6 liegt nicht auf dem Bogen: er hat 2 Etiketten in einer "
               "Zeile und 5 in einer Spalte.\n";
        QTest::newRow("a precise sheet 0.01 mm too wide, with its true far edge")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--seite", "%D/genau.bmp"} << 2
            << "morvane-druck: Ein DIN-A4 Blatt ist 210 mm breit.\n\nLinker Rand = 14,43 mm + 2 x Horizontalabstand "
               "66,04 mm + Etikettenbreite 63,5 mm = 210,01 mm\n\n3 Etiketten passen NICHT horizontal auf ein DIN-A4 "
               "Blatt! \n";
        QTest::newRow("a label 0 mm high") << QStringList{"--pdf", "%D/aus/seite.pdf", "--seite", "%D/flach.bmp"} << 2
                                           << "morvane-druck: Die Einstellungsdatei %D/flach.ini gibt der Etikette "
                                              "keine Größe: Etikettenhoehe=0. So lässt sie sich nicht drucken. Es "
                                              "wurde nichts gedruckt.\n";
        QTest::newRow("[Genau] with decimal commas: whole millimetres, said once")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/komma.bmp"} << 0
            << "morvane-druck: Warnung: Der Abschnitt [Genau] der Einstellungsdatei %D/komma.ini wird nicht benutzt: "
               "ObererRand=14,15 ist keine Zahl mit Dezimalpunkt und höchstens zwei Nachkommastellen. Die Etikette "
               "wird mit den ganzen Millimetern aus [Einstellung] gedruckt.\n";
        QTest::newRow(".bmp inside the name is no extension")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/karte.bmpNeu"} << 2
            << "morvane-druck: Die Einstellungsdatei %D/karte.bmpNeu.ini fehlt.\n";
        QTest::newRow("a picture too large, named as such")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "%D/riesig.bmp"} << 2
            << "morvane-druck: Das Bild %D/riesig.bmp ist zu groß (8000 x 6000 Pixel); höchstens 40 Millionen Pixel "
               "werden gedruckt.\n";
        QTest::newRow("PDF onto the label's own picture")
            << QStringList{"--pdf", "%D/karte.bmp", "--seite", "%D/karte.bmp"} << 1
            << "morvane-druck: Die PDF-Datei %D/karte.bmp wäre die Bilddatei %D/karte.bmp selbst; sie bleibt "
               "unverändert. Es wurde nichts gedruckt.\n";
        QTest::newRow("PDF onto the back that the label's settings file names, printing the front")
            << QStringList{"--pdf", "%D/karte.bmp", "%D/vorne.bmp"} << 1
            << "morvane-druck: Die PDF-Datei %D/karte.bmp wäre die Rückseite %D/karte.bmp selbst; sie bleibt "
               "unverändert. Es wurde nichts gedruckt.\n";
        QTest::newRow("PDF folder missing")
            << QStringList{"--pdf", "%D/aus/fehlt/seite.pdf", "%D/karte.bmp"} << 3
            << "morvane-druck: Die Datei %D/aus/fehlt/seite.pdf kann nicht geschrieben werden. Es wurde nichts "
               "gedruckt.\n";
        const QString keineDatei = QStringLiteral(" ist keine gewöhnliche Datei (sondern ein Ordner, ein Gerät oder "
                                                  "eine benannte Pipe) und bleibt unverändert. Es wurde nichts "
                                                  "gedruckt.\n");
        QTest::newRow("PDF name taken by a folder") << QStringList{"--pdf", "%D/aus/ordner", "%D/karte.bmp"} << 3
                                                    << "morvane-druck: %D/aus/ordner" + keineDatei;
#if MORVANE_LINUX_WERKZEUGE
        QTest::newRow("PDF name taken by a named pipe")
            << QStringList{"--pdf", "%D/aus/pipe", "%D/karte.bmp"} << 3 << "morvane-druck: %D/aus/pipe" + keineDatei;
        QTest::newRow("PDF name taken by a device") << QStringList{"--pdf", "%D/aus/geraet", "%D/karte.bmp"} << 3
                                                    << "morvane-druck: %D/aus/geraet" + keineDatei;
        QTest::newRow("PDF name is a link to a device") << QStringList{"--pdf", "%D/aus/zum-geraet", "%D/karte.bmp"}
                                                        << 3 << "morvane-druck: %D/aus/zum-geraet" + keineDatei;
        QTest::newRow("--ab --beidseitig: PDF onto a back through a link")
            << QStringList{"--pdf", "%D/aus/zur-karte", "--beidseitig", "--ab", "1,1", "%D/vorne.bmp"} << 1
            << "morvane-druck: Die PDF-Datei %D/aus/zur-karte wäre die Rückseite %D/karte.bmp selbst; sie bleibt "
               "unverändert. Es wurde nichts gedruckt.\n";
        QTest::newRow("PDF onto the label's settings file through a link")
            << QStringList{"--pdf", "%D/aus/zur-ini", "%D/karte.bmp"} << 1
            << "morvane-druck: Die PDF-Datei %D/aus/zur-ini wäre die Einstellungsdatei %D/karte.ini selbst; sie "
               "bleibt unverändert. Es wurde nichts gedruckt.\n";
        // Root may write any file: the file's own write bits decide, for root as for anyone.
        QTest::newRow("PDF onto a read-only file of one's own")
            << QStringList{"--pdf", "%D/aus/nurlesen.pdf", "%D/karte.bmp"} << 3
            << "morvane-druck: Die Datei %D/aus/nurlesen.pdf ist schreibgeschützt und bleibt unverändert. Es wurde "
               "nichts gedruckt.\n";
        QTest::newRow("PDF onto another user's file") << QStringList{"--pdf", "%D/aus/fremd.pdf", "%D/karte.bmp"} << 3
                                                      << "morvane-druck: Die Datei %D/aus/fremd.pdf gehört einem "
                                                         "anderen Benutzer und bleibt unverändert. Es wurde nichts "
                                                         "gedruckt.\n";
        QTest::newRow("PDF on a full disk")
            << QStringList{"--pdf", "%V/seite.pdf", "--seite", "%D/karte.bmp"} << 3
            << "morvane-druck: Die Datei %V/seite.pdf kann nicht geschrieben werden. Es wurde nichts gedruckt.\n";
        QTest::newRow("printer refuses jobs") << QStringList{"--drucker", Druckserver::Abweisend, "%D/karte.bmp"} << 3
                                              << "morvane-druck: Der Drucker " + Druckserver::Abweisend
                + " nimmt keine Aufträge an. Es wurde nichts gedruckt.\n";
        // The job goes out all the same; its title is the label's name.
        QTest::newRow("printer with margins, 3 x 8 from the left edge")
            << QStringList{"--drucker", Druckserver::Rand, "--seite", "%D/MorvaneRandbogen.bmp"} << 0
            << "morvane-druck: Links fehlen 4,23 mm an Spalte 1 (alle 8 Zeilen).\n"
               "morvane-druck: Rechts fehlen 4,21 mm an Spalte 3 (alle 8 Zeilen).\n";
        QTest::newRow("printer with margins, the sample card")
            << QStringList{"--drucker", Druckserver::Rand, "--seite", "%D/MorvaneRandkarte.bmp"} << 0 << "";
#endif
        QTest::newRow("--beidseitig --ab: one label with a back, one without")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--beidseitig", "--ab", "1,2", "%D/vorne.bmp:1", "%D/karte.bmp"}
            << 0 << "";
        QTest::newRow("--rueckseite of a label without a back")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--rueckseite", "%D/karte.bmp"} << 2
            << "morvane-druck: Das Etikett karte hat keine Rückseite.\n";
        QTest::newRow("--beidseitig --ab: no label has a back")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--beidseitig", "--ab", "1,1", "%D/karte.bmp:1", "%D/karte.bmp"}
            << 2 << "morvane-druck: Das Etikett karte hat keine Rückseite.\n";
        QTest::newRow("--rueckseite: the back named is not there")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--rueckseite", "%D/fehlthinten.bmp"} << 2
            << "morvane-druck: Die Rückseite %D/fehlt hinten.bmp fehlt.\n";
        QTest::newRow("--beidseitig: the back names a path")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--beidseitig", "%D/pfadhinten.bmp"} << 2
            << "morvane-druck: Die Einstellungsdatei %D/pfadhinten.ini nennt als Rückseite \"../karte.bmp\"; das ist "
               "kein Dateiname im Ordner der Etikette.\n";
        QTest::newRow("--liste: a label with neither text nor code")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--liste", "%D/liste.csv", "%D/karte.bmp"} << 2
            << "morvane-druck: Die Einstellungsdatei der Etikette %D/karte.bmp hat weder einen Abschnitt [Text] noch "
               "[Code]: es gibt nichts, was die Liste oder die Nummern füllen könnten. Es wurde nichts gedruckt.\n";
        QTest::newRow("--liste: a placeholder the list has no field for")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--liste", "%D/liste.csv", "%D/strasse.bmp"} << 2
            << "morvane-druck: Die Liste %D/liste.csv hat kein Feld „{Strasse}“; ihre erste Zeile nennt: Name, "
               "Nummer.\nEs wurde nichts gedruckt.\n";
        QTest::newRow("--liste: an EAN-13 of letters, by its list line")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--liste", "%D/liste.csv", "%D/ean.bmp"} << 2
            << "morvane-druck: Zeile 3 der Liste: Ein EAN-13-Code besteht aus 12 oder 13 Ziffern; „ABC“ ist keiner.\n"
               "Es wurde nichts gedruckt.\n";
        QTest::newRow("--liste: a text too large even at 6 pt")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--liste", "%D/liste.csv", "%D/eng.bmp"} << 2
            << "morvane-druck: Zeile 2 der Liste passt auch in 6 pt nicht auf das Etikett.\nZeile 3 der Liste passt "
               "auch in 6 pt nicht auf das Etikett.\nEs wurde nichts gedruckt.\n";
        QTest::newRow("PDF onto the list")
            << QStringList{"--pdf", "%D/liste.csv", "--liste", "%D/liste.csv", "%D/ean.bmp"} << 1
            << "morvane-druck: Die PDF-Datei %D/liste.csv wäre die Liste %D/liste.csv selbst; sie bleibt unverändert. "
               "Es wurde nichts gedruckt.\n";
        QTest::newRow("--nummern: text, its fonts without a display")
            << QStringList{"--pdf", "%D/aus/seite.pdf", "--nummern", "1-12", "%D/nummer.bmp"} << 0 << "";
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
        QVERIFY(SchreibeGenauesEtikett(pfad(QStringLiteral("vorrat.bmp"))));
        kopiereBeispiel(QStringLiteral("zahl"));
        schreibe(QStringLiteral("zahl.ini"), "[Einstellung]\r\nObererRand=10\r\nSeitenRand=1.234.5\r\n");
        kopiereBeispiel(QStringLiteral("breit"));
        schreibe(QStringLiteral("breit.ini"),
                 "[Einstellung]\r\nSeitenRand=15\r\nHorizontalabstand=95\r\n"
                 "Etikettenbreite=85\r\nEtikettenhoehe=54\r\nAnzahlEtikettenInZeile=3\r\n");
        const QByteArray dateikopf = Gekuerzt(14);
        QCOMPARE(dateikopf.size(), 14);
        const auto pixel = qFromLittleEndian<quint32>(dateikopf.constData() + 10);
        for (const auto &[name, laenge] : {std::pair{"kopf", qsizetype(30)}, std::pair{"zeile", qsizetype(pixel + 7)},
                                           std::pair{"kurz", qsizetype(-1)}}) {
            kopiereBeispiel(QLatin1String(name));
            schreibe(QLatin1String(name) + QStringLiteral(".bmp"), Gekuerzt(laenge));
        }
        const QByteArray beispiel = "[Einstellung]\r\nObererRand=14\r\nSeitenRand=15\r\nVertikalabstand=54\r\n"
                                    "Horizontalabstand=95\r\nEtikettenhoehe=54\r\nEtikettenbreite=85\r\n"
                                    "AnzahlEtikettenInZeile=2\r\nAnzahlEtikettenInSpalte=5\r\n";
        QByteArray riesig = Gekuerzt(54);
        qToLittleEndian<qint32>(8000, riesig.data() + 18);
        qToLittleEndian<qint32>(6000, riesig.data() + 22);
        kopiereBeispiel(QStringLiteral("riesig"));
        schreibe(QStringLiteral("riesig.bmp"), riesig);
        kopiereBeispiel(QStringLiteral("karte.bmpNeu"));
        QFile::remove(pfad(QStringLiteral("karte.bmpNeu.ini")));
        QFile::remove(pfad(QStringLiteral("karte.bmpNeu")));
        QVERIFY(QFile::rename(pfad(QStringLiteral("karte.bmpNeu.bmp")), pfad(QStringLiteral("karte.bmpNeu"))));
        for (const auto &[name, inhalt] :
             {std::pair{"zwei", QByteArray("[Einstellung]\r\nObererRand=10\r\nEtikettenhoehe=zwei\r\n")},
              std::pair{"leer", QByteArray()}, std::pair{"binaer", Gekuerzt(400)},
              std::pair{"genau",
                        QByteArray("[Einstellung]\r\nObererRand=8\r\nSeitenRand=14\r\nVertikalabstand=47\r\n"
                                   "Horizontalabstand=66\r\nEtikettenhoehe=47\r\nEtikettenbreite=64\r\n"
                                   "AnzahlEtikettenInZeile=3\r\nAnzahlEtikettenInSpalte=6\r\n[Genau]\r\n"
                                   "ObererRand=7.6\r\nSeitenRand=14.43\r\nVertikalabstand=46.6\r\n"
                                   "Horizontalabstand=66.04\r\nEtikettenhoehe=46.6\r\nEtikettenbreite=63.5\r\n")},
              std::pair{"flach", QByteArray(beispiel).replace("Etikettenhoehe=54", "Etikettenhoehe=0")},
              std::pair{"komma",
                        beispiel
                            + "[Genau]\r\nObererRand=14,15\r\nSeitenRand=15\r\nVertikalabstand=54\r\n"
                              "Horizontalabstand=95\r\nEtikettenhoehe=54\r\nEtikettenbreite=85\r\n"}}) {
            kopiereBeispiel(QLatin1String(name));
            schreibe(QLatin1String(name) + QStringLiteral(".ini"), inhalt);
        }
        for (const auto &[name, hinten] :
             {std::pair{"vorne", "karte.bmp"}, std::pair{"fehlthinten", "fehlt hinten.bmp"},
              std::pair{"pfadhinten", "../karte.bmp"}}) {
            kopiereBeispiel(QLatin1String(name));
            GibRueckseite(pfad(QLatin1String(name) + QStringLiteral(".ini")), QLatin1String(hinten));
        }
        schreibe(QStringLiteral("liste.csv"), "Name;Nummer\r\nAnna;4006381333931\r\nBerta;ABC\r\n");
        for (const auto &[name, daten] : {std::pair{"strasse", "[Text]\r\nZeile1={Name}\r\nZeile2={Strasse}\r\n"},
                                          std::pair{"ean", "[Code]\r\nArt=EAN13\r\nInhalt={Nummer}\r\n"},
                                          std::pair{"nummer", "[Text]\r\nZeile1=Nr. {Nr}\r\n"},
                                          std::pair{"eng", "[Text]\r\nZeile1={Name}\r\nFeld=1,1,3,3\r\n"}}) {
            kopiereBeispiel(QLatin1String(name));
            QFile ini(pfad(QLatin1String(name) + QStringLiteral(".ini")));
            QVERIFY(ini.open(QIODevice::Append) && ini.write(daten) > 0);
        }
        kopiereBeispiel(QStringLiteral("MorvaneRandkarte"));
        kopiereBeispiel(QStringLiteral("MorvaneRandbogen"));
        schreibe(QStringLiteral("MorvaneRandbogen.ini"), AmRandEinstellungen);
        QDir(pfad(QStringLiteral("aus"))).removeRecursively();
        QVERIFY(QDir().mkpath(pfad(QStringLiteral("aus/ordner/drin"))));
#if MORVANE_LINUX_WERKZEUGE
        QVERIFY(QFile::link(pfad(QStringLiteral("karte.ini")), pfad(QStringLiteral("aus/zur-ini"))));
        QVERIFY(QFile::link(pfad(QStringLiteral("karte.bmp")), pfad(QStringLiteral("aus/zur-karte"))));
        for (const auto &[name, besitzer] : {std::pair{"nurlesen.pdf", -1}, std::pair{"fremd.pdf", 65534}}) {
            schreibe(QStringLiteral("aus/") + QLatin1String(name), "alt");
            const QByteArray roh = QFile::encodeName(pfad(QStringLiteral("aus/") + QLatin1String(name)));
            QCOMPARE(::chmod(roh.constData(), besitzer < 0 ? 0444 : 0644), 0);
            QVERIFY2(besitzer < 0 || ::chown(roh.constData(), uid_t(besitzer), gid_t(besitzer)) == 0,
                     "giving a file away needs root");
        }
        QCOMPARE(::mkfifo(QFile::encodeName(pfad(QStringLiteral("aus/pipe"))).constData(), 0644), 0);
        // The null device's numbers: a device that swallows what a faulty print would write to it.
        QVERIFY2(
            ::mknod(QFile::encodeName(pfad(QStringLiteral("aus/geraet"))).constData(), S_IFCHR | 0666, makedev(1, 3))
                == 0,
            "making a device node needs root");
        QVERIFY(QFile::link(pfad(QStringLiteral("aus/geraet")), pfad(QStringLiteral("aus/zum-geraet"))));
        const bool voll = argumente.join(QLatin1Char(' ')).contains(QStringLiteral("%V"));
        if (voll)
            QVERIFY2(m_voll.da(), qPrintable(m_voll.grund()));
        const bool aufDemServer = argumente.contains(Druckserver::Abweisend) || argumente.contains(Druckserver::Rand);
        if (aufDemServer)
            QVERIFY2(m_server.da(), qPrintable(QStringLiteral("no private print server: ") + m_server.grund()));
        fehler.replace(QStringLiteral("%V"), m_voll.ordner());
        for (QString &a : argumente)
            a.replace(QStringLiteral("%V"), m_voll.ordner());
#endif
        const QStringList vorher = Namen(pfad(QStringLiteral("aus")));
        const QMap<QString, QByteArray> etiketten = Pruefsummen(d);
        QMap<QString, QByteArray> ziele = Pruefsummen(pfad(QStringLiteral("aus")));
        for (QString &a : argumente)
            a.replace(QStringLiteral("%D"), d);
        // The dynamic linker names every library the run opens, linked or loaded later.
        const QString geladen = pfad(QStringLiteral("geladen"));
        QDir(geladen).removeRecursively();
        QVERIFY(QDir().mkpath(geladen));
        const Lauf l = Starte(argumente, pfad(QStringLiteral("konfig")), Befehl,
                              {{QStringLiteral("LD_DEBUG"), QStringLiteral("files")},
                               {QStringLiteral("LD_DEBUG_OUTPUT"), geladen + QStringLiteral("/ld")}});
#if MORVANE_LINUX_WERKZEUGE
        // A PDF file needs Qt Gui alone: neither the printer adapter nor the print stack nor the widgets.
        QByteArray bibliotheken;
        for (const QFileInfo &i : QDir(geladen).entryInfoList(QDir::Files)) {
            QFile f(i.filePath());
            QVERIFY(f.open(QIODevice::ReadOnly));
            bibliotheken += f.readAll();
        }
        QVERIFY2(bibliotheken.contains("libQt6Gui"), "the dynamic linker names the libraries it opens");
        for (const char *druck : {"libmorvane_drucken", "libQt6PrintSupport", "libcups", "libQt6Widgets"})
            QVERIFY2(!argumente.contains(QStringLiteral("--pdf")) || !bibliotheken.contains(druck), druck);
#endif

        // Every slash in these messages belongs to a path, which the command shows as the system writes it, and
        // the console shows what its code page holds (a Windows console has no „ “).
        QCOMPARE(l.fehler,
                 AusKonsolenBytes(KonsolenBytes(QDir::toNativeSeparators(fehler.replace(QStringLiteral("%D"), d)))));
        QCOMPARE(l.status, status);
        QCOMPARE(l.aus, QString());
#if MORVANE_LINUX_WERKZEUGE
        if (aufDemServer && status == Gedruckt) {
            const QString titel = QFileInfo(argumente.last()).completeBaseName();
            const Druckserver::Auftrag auftrag = m_server.warteAufPdf(titel);
            QFile::remove(auftrag.pdf);
            QVERIFY2(auftrag.fertig, qPrintable(m_server.keinPdf(titel)));
        }
#endif
        // A PDF appears whole or not at all, nothing else is left beside it, and nothing changes its kind.
        QStringList nachher = vorher;
        if (status == Gedruckt && argumente.contains(QStringLiteral("--pdf")))
            nachher.append(QStringLiteral("seite.pdf:datei"));
        nachher.sort();
        QCOMPARE(Namen(pfad(QStringLiteral("aus"))), nachher);
        QCOMPARE(Namen(pfad(QStringLiteral("aus/ordner"))), QStringList{QStringLiteral("drin:ordner")});
        // The label's files never change, and no file that was there does unless the PDF was printed into it.
        QCOMPARE(Pruefsummen(d), etiketten);
        QMap<QString, QByteArray> zieleNachher = Pruefsummen(pfad(QStringLiteral("aus")));
        if (status == Gedruckt)
            zieleNachher.remove(QStringLiteral("seite.pdf"));
        QCOMPARE(zieleNachher, ziele);
#if MORVANE_LINUX_WERKZEUGE
        if (voll)
            QCOMPARE(m_voll.inhalt(), QStringList());
#endif
    }

    void hilfe()
    {
        const Lauf l = Starte({QStringLiteral("--help")}, pfad(QStringLiteral("konfig")));
        QCOMPARE(l.status, 0);
        QCOMPARE(l.aus, Hilfetext());
        QCOMPARE(l.fehler, QString());
    }

#if MORVANE_LINUX_WERKZEUGE
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

    // The PDF lands where a person expects: through a link, with the permissions and owner the file had.
    void pdfZiel_data()
    {
        QTest::addColumn<QString>("name"); // the file that receives the PDF
        QTest::addColumn<bool>("verweis"); // named through a symbolic link beside it
        QTest::addColumn<int>("rechte");   // of the file before; -1: there is none
        QTest::addColumn<int>("gruppe");   // given to it before; -1: the test's own (another owner is refused)
        QTest::newRow("600 stays 600") << "privat.pdf" << false << 0600 << -1;
        QTest::newRow("another group stays") << "gruppe.pdf" << false << 0640 << 65534;
        QTest::newRow("written through a link, which stays") << "echt.pdf" << true << 0644 << -1;
        QTest::newRow("a link to a file not there yet") << "neu.pdf" << true << -1 << -1;
        QTest::newRow("a name of 255 bytes") << QString(251, QLatin1Char('n')) + ".pdf" << false << -1 << -1;
    }

    void pdfZiel()
    {
        QFETCH(QString, name);
        QFETCH(bool, verweis);
        QFETCH(int, rechte);
        QFETCH(int, gruppe);
        kopiereBeispiel(QStringLiteral("karte"));
        QDir ordner(pfad(QStringLiteral("ziele")));
        ordner.removeRecursively();
        QVERIFY(ordner.mkpath(QStringLiteral(".")));
        const QString echt = ordner.filePath(name);
        const QByteArray echtRoh = QFile::encodeName(echt);
        if (rechte >= 0) {
            schreibe(QStringLiteral("ziele/") + name, "alt");
            QCOMPARE(::chmod(echtRoh.constData(), mode_t(rechte)), 0);
        }
        if (gruppe >= 0)
            QVERIFY2(::chown(echtRoh.constData(), uid_t(-1), gid_t(gruppe)) == 0,
                     "giving a file to a group one is not in needs root");
        const QString ziel = verweis ? ordner.filePath(QStringLiteral("verweis.pdf")) : echt;
        if (verweis)
            QVERIFY(QFile::link(name, ziel));

        const Lauf l =
            Starte({QStringLiteral("--pdf"), ziel, pfad(QStringLiteral("karte.bmp"))}, pfad(QStringLiteral("konfig")));
        QCOMPARE(l.fehler, QString());
        QCOMPARE(l.status, 0);

        QFile pdf(echt);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF-"));
        QCOMPARE(QFileInfo(ziel).isSymbolicLink(), verweis);
        QStringList namen{name + QStringLiteral(":datei"), QStringLiteral("verweis.pdf:verweis")};
        QCOMPARE(Namen(ordner.path()), namen.mid(0, verweis ? 2 : 1));
        struct stat s = {};
        QCOMPARE(::stat(echtRoh.constData(), &s), 0);
        if (rechte >= 0)
            QCOMPARE(int(s.st_mode & 07777), rechte);
        if (gruppe >= 0)
            QCOMPARE(QList<int>({int(s.st_uid), int(s.st_gid)}), QList<int>({int(::geteuid()), gruppe}));
    }

    // A settings file saved while it is printed, replaced at once as the window saves it: each print reads one
    // version whole. Both versions are refused with their own figures, so that any mix shows.
    void einstellungenWaehrendDesDrucks()
    {
        kopiereBeispiel(QStringLiteral("wechsel"));
        const QString ini = pfad(QStringLiteral("wechsel.ini"));
        const QStringList argumente{QStringLiteral("--pdf"), pfad(QStringLiteral("wechsel.pdf")),
                                    pfad(QStringLiteral("wechsel.bmp"))};
        const std::array<QByteArray, 2> fassungen{
            "[Einstellung]\r\nObererRand=10\r\nSeitenRand=15\r\nVertikalabstand=54\r\nHorizontalabstand=95\r\n"
            "Etikettenhoehe=54\r\nEtikettenbreite=85\r\nAnzahlEtikettenInZeile=3\r\nAnzahlEtikettenInSpalte=6\r\n",
            "[Einstellung]\r\nObererRand=20\r\nSeitenRand=25\r\nVertikalabstand=60\r\nHorizontalabstand=100\r\n"
            "Etikettenhoehe=60\r\nEtikettenbreite=90\r\nAnzahlEtikettenInZeile=4\r\nAnzahlEtikettenInSpalte=5\r\n"};
        QStringList erwartet;
        for (const QByteArray &f : fassungen) {
            schreibe(QStringLiteral("wechsel.ini"), f);
            erwartet.append(Starte(argumente, pfad(QStringLiteral("konfig"))).fehler);
        }
        QVERIFY(erwartet[0] != erwartet[1]);
        std::atomic<bool> halt = false;
        std::thread tausch([&] {
            for (int i = 0; !halt; ++i) {
                QFile neu(ini + QStringLiteral(".neu"));
                if (neu.open(QIODevice::WriteOnly) && neu.write(fassungen[i % 2]) > 0 && neu.flush())
                    ::rename(QFile::encodeName(neu.fileName()).constData(), QFile::encodeName(ini).constData());
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            }
        });
        QStringList gemischt;
        for (int i = 0; i < 40; ++i)
            if (const Lauf l = Starte(argumente, pfad(QStringLiteral("konfig"))); !erwartet.contains(l.fehler))
                gemischt.append(l.fehler);
        halt = true;
        tausch.join();
        QCOMPARE(gemischt, QStringList());
    }

    // The window and the command print the same label in the same mode, through the same print job: the pages
    // agree pixel for pixel, front, back, both sides, with a bleed and on a composed sheet.
    void gleicheSeiteWieFenster_data()
    {
        QTest::addColumn<QByteArray>("einstellungen"); // null: the sample card's own
        QTest::addColumn<QByteArray>("zusatz");        // sections after them
        QTest::addColumn<Seitenwahl>("wahl");
        QTest::addColumn<QStringList>("art");
        const QByteArray ohne;
        QTest::newRow("sample card, whole sheet")
            << QByteArray() << ohne << Seitenwahl{Druckumfang::GanzeSeite, 1, 1} << QStringList{"--seite"};
        QTest::newRow("sample card, row 4")
            << QByteArray() << ohne << Seitenwahl{Druckumfang::EineZeile, 1, 4} << QStringList{"--zeile", "4"};
        QTest::newRow("sample card, one card at column 2, row 3") << QByteArray() << ohne
                                                                 << Seitenwahl{Druckumfang::EineEtikette, 2, 3}
                                                                 << QStringList{"--einzeln", "2,3"};
        QTest::newRow("sample card, one card at 1,1 by default")
            << QByteArray() << ohne << Seitenwahl{Druckumfang::EineEtikette, 1, 1} << QStringList{};
        QTest::newRow("another hand's settings, one card at column 2, row 3")
            << FremdeEinstellungen << ohne << Seitenwahl{Druckumfang::EineEtikette, 2, 3}
            << QStringList{"--einzeln", "2,3"};
        QTest::newRow("another hand's settings, whole sheet")
            << FremdeEinstellungen << ohne << Seitenwahl{Druckumfang::GanzeSeite, 1, 1} << QStringList{"--seite"};
        QTest::newRow("the back of one card at column 2, row 3, over the short edge")
            << QByteArray() << ohne << Seitenwahl{Druckumfang::EineEtikette, 2, 3}
            << QStringList{"--einzeln", "2,3", "--rueckseite", "--kurze-kante"};
        QTest::newRow("front and back of the whole sheet: two pages of one file, the window's and the command's")
            << QByteArray() << ohne << Seitenwahl{Druckumfang::GanzeSeite, 1, 1}
            << QStringList{"--seite", "--beidseitig"};
        QTest::newRow("a bleed of 2 mm, whole sheet") << QByteArray() << QByteArray("[Anschnitt]\r\nRand=2\r\n")
                                                      << Seitenwahl{Druckumfang::GanzeSeite, 1, 1}
                                                      << QStringList{"--seite"};
        QTest::newRow("a bleed of 1.5 mm, one card at column 2, row 3")
            << QByteArray() << QByteArray("[Anschnitt]\r\nRand=1.5\r\n") << Seitenwahl{Druckumfang::EineEtikette, 2, 3}
            << QStringList{"--einzeln", "2,3"};
        QTest::newRow("a composed sheet: three cards from place 8, with a bleed")
            << QByteArray() << QByteArray("[Anschnitt]\r\nRand=1\r\n") << Seitenwahl{Druckumfang::EineEtikette, 1, 1}
            << QStringList{"--ab", "2,4"};
        QTest::newRow("numbers 1 to 12 from place 8, the window's list dialog used by keyboard: two pages")
            << QByteArray() << QByteArray("[Text]\r\nZeile1=Nr. {Nr}\r\n") << Seitenwahl{}
            << QStringList{"--ab", "2,4", "--nummern", "1-12"};
        QTest::newRow("a test print of the whole sheet with text on the cards")
            << QByteArray() << QByteArray("[Text]\r\nZeile1=Karte\r\n") << Seitenwahl{Druckumfang::GanzeSeite, 1, 1}
            << QStringList{"--seite", "--probedruck"};
        QTest::newRow("their test print from the dialog's Probedruck: the first sheet, outlined")
            << QByteArray() << QByteArray("[Text]\r\nZeile1=Nr. {Nr}\r\n") << Seitenwahl{}
            << QStringList{"--ab", "2,4", "--nummern", "1-12", "--probedruck"};
    }

    void gleicheSeiteWieFenster()
    {
        QFETCH(QByteArray, einstellungen);
        QFETCH(QByteArray, zusatz);
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
        DatiereZurueck(bild);
        if (einstellungen.isNull()) {
            QFile f(Beispiel(QStringLiteral(".ini")));
            QVERIFY(f.open(QIODevice::ReadOnly));
            einstellungen = f.readAll();
        }
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(einstellungen + zusatz);
        f.close();
        const QString fensterPdf = pfad(QStringLiteral("fenster.pdf"));
        const QString befehlPdf = pfad(QStringLiteral("befehl.pdf"));
        const QString rueckPdf = pfad(QStringLiteral("fenster hinten.pdf"));
        for (const QString &pdf : {fensterPdf, befehlPdf, rueckPdf})
            QFile::remove(pdf);
        // A back that differs from the front: its picture mirrored.
        const bool beide = art.contains(QStringLiteral("--beidseitig"));
        const bool hinten = beide || art.contains(QStringLiteral("--rueckseite"));
        if (hinten) {
            GibRueckseite(ini, p.daten(QStringLiteral("hinten.bmp")));
            QVERIFY(QImage(bild).mirrored(true, false).save(p.daten(QStringLiteral("hinten.bmp")), "BMP"));
            DatiereZurueck(p.daten(QStringLiteral("hinten.bmp")));
        }

        // The window, printing to a PDF file of the whole A4 page as the command writes it. (With the print
        // dialog's margins the page is the same, but a viewer may round the shifted picture's pixels otherwise.)
        auto form = p.fenster();
        Programmordner::starte(*form);
        QCOMPARE(form->dokument().bildPfad(), bild);
        if (wahl.umfang != Druckumfang::EineEtikette)
            form->NurEineDruckenCheckBox->setChecked(false);
        if (wahl.umfang == Druckumfang::EineZeile)
            form->GanzeSeiteCheckBox->setChecked(false);
        form->UpDownSpalte->setPosition(wahl.spalte);
        form->UpDownZeile->setPosition(wahl.zeile);
        QCOMPARE(form->NurDieZeileCheckBox->isChecked(), wahl.umfang == Druckumfang::EineZeile);
        if (art.contains(QStringLiteral("--kurze-kante")))
            form->KurzeKante1->trigger();
        const bool plan = art.contains(QStringLiteral("--ab"));
        const bool liste = art.contains(QStringLiteral("--nummern"));
        const bool probe = art.contains(QStringLiteral("--probedruck"));
        if (liste) {
            InsPdf(
                p,
                [&] {
                    QVERIFY(ImModalenDialog<TListenDialog>(
                        [&] { form->EtikettenAusListe1->trigger(); },
                        [probe](QDialog &d) {
                            // From the list's name past its button to the numbers, chosen, then field by field.
                            for (const auto &[taste, text] : {std::pair{Qt::Key_Tab, ""},
                                                              {Qt::Key_Tab, ""},
                                                              {Qt::Key_Space, ""},
                                                              {Qt::Key_Tab, "1"},
                                                              {Qt::Key_Tab, "12"},
                                                              {Qt::Key_Tab, ""},
                                                              {Qt::Key_Tab, "2"},
                                                              {Qt::Key_Tab, "4"}}) {
                                QTest::keyClick(d.focusWidget(), taste);
                                QTest::keyClick(d.focusWidget(), Qt::Key_A, Qt::ControlModifier);
                                QTest::keyClicks(d.focusWidget(), QString::fromLatin1(text));
                            }
                            QCOMPARE(d.findChild<QLabel *>("ListenUmfang")->text(), "12 Etiketten auf 2 Bogen");
                            // The test print's button, among those of the closing row.
                            for (int i = 0; probe && i < 4 && d.focusWidget()->objectName() != "ProbedruckButton"; ++i)
                                QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
                            QTest::keyClick(d.focusWidget(), probe ? Qt::Key_Space : Qt::Key_Return);
                        }));
                },
                fensterPdf);
        } else if (plan) {
            const auto zusammenstellen = [&] {
                QVERIFY(ImModalenDialog<TBogenplanDialog>([&] { form->BogenZusammenstellen1->trigger(); },
                                                          [](TBogenplanDialog &dlg) {
                                                              dlg.findChild<QSpinBox *>("SpinAnzahl")->setValue(3);
                                                              dlg.findChild<QSpinBox *>("SpinAbPlatz")->setValue(8);
                                                              dlg.findChild<QPushButton *>("ButtonDrucken")->click();
                                                          }));
            };
            InsPdf(p, zusammenstellen, fensterPdf);
        } else {
            DruckeInsPdf(p, *form, fensterPdf, 0,
                         probe                  ? form->Probedruck1
                             : hinten && !beide ? form->RueckseiteDrucken1
                                                : nullptr);
        }
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")), QStringList());

        const Lauf l =
            Starte(art + QStringList{QStringLiteral("--pdf"), befehlPdf, plan && !liste ? bild + ":3" : bild},
                   pfad(QStringLiteral("konfig")));
        QCOMPARE(l.fehler, QString());
        QCOMPARE(l.status, 0);

        const PdfSeite befehl = LiesPdfSeite(befehlPdf, LeseDpi);
        QCOMPARE(befehl.seiten, beide || (liste && !probe) ? 2 : 1);
        QVERIFY(!Bedruckt(befehl.bild).isEmpty());
        QStringList seiten{fensterPdf};
        if (beide) {
            // Into a file the window prints both sides, without a word about turning.
            QCOMPARE(p.dialoge.texte(QStringLiteral("druckFrage")).size(), 1);
            QCOMPARE(QProcess::execute("pdfseparate", {"-f", "2", befehlPdf, pfad("befehl-%d.pdf")}), 0);
            QCOMPARE(QProcess::execute("pdfseparate", {"-f", "2", fensterPdf, rueckPdf}), 0);
            seiten.append(rueckPdf);
        }
        for (qsizetype i = 0; i < seiten.size(); ++i) {
            const PdfSeite fenster = LiesPdfSeite(seiten[i], LeseDpi);
            QCOMPARE(fenster.seiten, (beide && i == 0) || (liste && !probe) ? 2 : 1);
            QCOMPARE(i == 0 ? befehl.bild : LiesPdfSeite(pfad("befehl-2.pdf"), LeseDpi).bild, fenster.bild);
        }
    }

    // The command sends a printer the colours that the window's print dialog sends it when the person leaves the
    // dialog as it is, also where the printer's own setting is not colour.
    void farbeWieImDruckdialog_data()
    {
        QTest::addColumn<QString>("zeile");  // a line of the PDF printer's driver description
        QTest::addColumn<QString>("ersatz"); // what it becomes
        QTest::addColumn<bool>("farbig");
        const QString farbgeraet = QStringLiteral("^\\*ColorDevice:.*$");
        QTest::newRow("a colour printer") << farbgeraet << QStringLiteral("*ColorDevice: True") << true;
        QTest::newRow("a printer that knows only grey") << farbgeraet << QStringLiteral("*ColorDevice: False") << true;
        QTest::newRow("a colour printer set to grey")
            << farbgeraet
            << QStringLiteral("*ColorDevice: True\n*OpenUI *ColorModel/Output Mode: PickOne\n"
                              "*OrderDependency: 10 AnySetup *ColorModel\n*DefaultColorModel: Gray\n"
                              "*ColorModel RGB/Color: \"\"\n*ColorModel Gray/Grayscale: \"\"\n"
                              "*CloseUI: *ColorModel")
            << false;
    }

    void farbeWieImDruckdialog()
    {
        QFETCH(QString, zeile);
        QFETCH(QString, ersatz);
        QFETCH(bool, farbig);
        if (!m_server.da())
            QSKIP(qPrintable(QStringLiteral("no private print server: ") + m_server.grund()));
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        const QString titel = QStringLiteral("MorvaneFarbprobe-") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        const QString drucker = QStringLiteral("MorvaneZFarbe-") + titel.right(8);
        const QString grund = m_server.richteDruckerEin(drucker, [&](const QByteArray &ppd) {
            return QString::fromUtf8(ppd)
                .replace(QRegularExpression(zeile, QRegularExpression::MultilineOption), ersatz)
                .toUtf8();
        });
        const auto entfernt = qScopeGuard([&] { m_server.entferneDrucker(drucker); });
        QVERIFY2(grund.isEmpty(), qPrintable(grund));

        QPrinter imFenster(QPrinter::HighResolution);
        imFenster.setPrinterName(drucker);
        QPrintDialog dialog(&imFenster);
        const bool gezeigt = ImModalenDialog<QPrintDialog>(
            [&] { dialog.exec(); }, [](QPrintDialog &d) { QTest::keyClick(&d, Qt::Key_Return); });
        QVERIFY(gezeigt);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(imFenster.colorMode() == QPrinter::Color, farbig);

        kopiereBeispiel(titel);
        const Lauf l = Starte({QStringLiteral("--drucker"), drucker, pfad(titel + QStringLiteral(".bmp"))},
                              pfad(QStringLiteral("konfig-farbe")));
        QCOMPARE(l.fehler, QString());
        QCOMPARE(l.status, 0);
        const Druckserver::Auftrag auftrag = m_server.warteAufPdf(titel);
        const auto weg = qScopeGuard([&] { QFile::remove(auftrag.pdf); });
        QVERIFY2(auftrag.fertig, qPrintable(m_server.keinPdf(titel)));
        // What the command sent: a printer that knows only grey prints grey whatever it gets.
        const QString gesendet = m_server.gesendet(drucker);
        QVERIFY2(QFileInfo::exists(gesendet), qPrintable(QStringLiteral("no job document ") + gesendet));
        QCOMPARE(Farbig(LiesPdfSeite(gesendet, 50).bild), farbig);
    }

    void abWieEinzeln_data()
    {
        QTest::addColumn<QStringList>("angaben"); // the place to start from, the labels
        QTest::addColumn<QList<QPoint>>("plaetze");
        QTest::newRow("the sample card, places 8-10")
            << QStringList{"2,4", "karte.bmp"} << QList<QPoint>{{2, 4}, {1, 5}, {2, 5}};
        QTest::newRow("the sample card and a precise card of its whole measures share its sheet")
            << QStringList{"1,1", "karte.bmp:2", "genaukarte.bmp:3"}
            << QList<QPoint>{{1, 1}, {2, 1}, {1, 2}, {2, 2}, {1, 3}};
    }

    // --ab: each card at its places pixel for pixel as --einzeln prints it alone (but for the edge pixel, where
    // the rows touch), nothing else.
    void abWieEinzeln()
    {
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        QFETCH(QStringList, angaben);
        QFETCH(QList<QPoint>, plaetze);
        kopiereBeispiel(QStringLiteral("karte"));
        QVERIFY(GenauBild().save(pfad(QStringLiteral("genaukarte.bmp")), "BMP"));
        DatiereZurueck(pfad(QStringLiteral("genaukarte.bmp")));
        QFile karte(Beispiel(QStringLiteral(".ini")));
        QVERIFY(karte.open(QIODevice::ReadOnly));
        schreibe(QStringLiteral("genaukarte.ini"),
                 karte.readAll()
                     + "[Genau]\r\nObererRand=14\r\nSeitenRand=15\r\n"
                       "Vertikalabstand=54\r\nHorizontalabstand=95\r\nEtikettenhoehe=54\r\nEtikettenbreite=85\r\n");
        const Bogenmasse m = LiesEtikettdatei(pfad(QStringLiteral("karte.ini")), Anfangsmasse).inhalt.masse;
        const QString konfig = pfad(QStringLiteral("konfig"));
        QStringList aufruf{"--pdf", pfad("ab.pdf"), "--ab", angaben.takeFirst()}, amPlatz;
        for (const QString &e : angaben) {
            aufruf.append(pfad(e));
            amPlatz += QStringList(e.contains(':') ? e.section(':', 1).toInt() : plaetze.size(), e.section(':', 0, 0));
        }
        const Lauf ab = Starte(aufruf, konfig);
        QCOMPARE(ab.fehler, QString());
        QCOMPARE(ab.status, 0);
        const QImage seite = LiesPdfSeite(pfad("ab.pdf"), LeseDpi).bild;
        QVERIFY(!seite.isNull());
        QImage rest = seite;
        for (const QPoint platz : plaetze) {
            const QString stelle = QStringLiteral("%1,%2").arg(platz.x()).arg(platz.y());
            const Lauf l =
                Starte({"--pdf", pfad("einzeln.pdf"), "--einzeln", stelle, pfad(amPlatz.takeFirst())}, konfig);
            QCOMPARE(l.status, 0);
            const QImage einzeln = LiesPdfSeite(pfad("einzeln.pdf"), LeseDpi).bild;
            const MmRechteck r = EtikettAufDemBlatt(m, platz.x(), platz.y());
            const auto px = [](double mm) { return int(mm * LeseDpi / 25.4); };
            const QRect innen(QPoint(px(r.x) + 2, px(r.y) + 2), QPoint(px(r.x + r.breite) - 2, px(r.y + r.hoehe) - 2));
            QVERIFY2(Bedruckt(einzeln.copy(innen)).isValid(), qPrintable(stelle));
            QCOMPARE(Pixelabweichung(seite.copy(innen), einzeln.copy(innen)), QString());
            QPainter(&rest).fillRect(innen.adjusted(-4, -4, 4, 4), Qt::white);
        }
        QCOMPARE(Bedruckt(rest), QRect());
    }

    // Two precise labels of the same measures: places 8-11 red, 12-16 blue, nothing else.
    void abZweiEtiketten()
    {
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        for (const auto &[name, farbe] : {std::pair{"Rot", Qt::red}, std::pair{"Blau", Qt::blue}}) {
            QVERIFY(SchreibeGenauesEtikett(pfad(QLatin1String(name) + QStringLiteral(".bmp"))));
            QImage bild(750, 450, QImage::Format_RGB32);
            bild.fill(farbe);
            QVERIFY(bild.save(pfad(QLatin1String(name) + QStringLiteral(".bmp")), "BMP"));
            DatiereZurueck(pfad(QLatin1String(name) + QStringLiteral(".bmp")));
        }
        const Lauf l = Starte({"--pdf", pfad("p.pdf"), "--ab", "2,3", pfad("Rot.bmp:4"), pfad("Blau.bmp:5")},
                              pfad(QStringLiteral("konfig")));
        QCOMPARE(l.fehler, QString());
        QCOMPARE(l.status, 0);
        const QImage seite = LiesPdfSeite(pfad("p.pdf"), LeseDpi).bild;
        QVERIFY(!seite.isNull());
        QImage rest = seite;
        for (int n = 8; n <= 16; ++n) {
            const int spalte = (n - 1) % 3, zeile = (n - 1) / 3;
            const QRectF mm(6.75 + 66.5 * spalte, 15.5 + 38.1 * zeile, 63.5, 38.1);
            const QRect px(QPoint(int(mm.left() * LeseDpi / 25.4) + 2, int(mm.top() * LeseDpi / 25.4) + 2),
                           QPoint(int(mm.right() * LeseDpi / 25.4) - 2, int(mm.bottom() * LeseDpi / 25.4) - 2));
            QImage soll(px.size(), QImage::Format_RGB32);
            soll.fill(n <= 11 ? Qt::red : Qt::blue);
            QVERIFY2(Pixelabweichung(seite.copy(px), soll).isEmpty(), qPrintable(QString::number(n)));
            QPainter(&rest).fillRect(px.adjusted(-4, -4, 4, 4), Qt::white);
        }
        QCOMPARE(Bedruckt(rest), QRect());
    }

    // --beidseitig: the front page and the back page, each as it prints alone, as the two pages of one file.
    void beidseitig()
    {
        if (!WerkzeugeDa() || QStandardPaths::findExecutable(QStringLiteral("pdfseparate")).isEmpty())
            QSKIP("pdftoppm, pdfinfo and pdfseparate (poppler-utils) are needed to read the printed pages");
        kopiereBeispiel(QStringLiteral("zwei"));
        GibRueckseite(pfad("zwei.ini"), pfad("zwei hinten.bmp"));
        QVERIFY(QImage(pfad("zwei.bmp")).mirrored(true, false).save(pfad("zwei hinten.bmp"), "BMP"));
        DatiereZurueck(pfad("zwei hinten.bmp"));
        const QList<QStringList> arten{{}, {"--rueckseite"}, {"--beidseitig"}};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(Starte(arten[i] + QStringList{"--seite", "--pdf", pfad(QString::number(i)), pfad("zwei.bmp")},
                            pfad("konfig"))
                         .status,
                     0);
        QCOMPARE(QProcess::execute("pdfseparate", {"-f", "2", pfad("2"), pfad("2-%d")}), 0);
        const QImage vorne = LiesPdfSeite(pfad("0"), 100).bild, hinten = LiesPdfSeite(pfad("1"), 100).bild;
        QVERIFY(!hinten.isNull() && hinten != vorne);
        QCOMPARE(LiesPdfSeite(pfad("2"), 100).seiten, 2);
        QCOMPARE(LiesPdfSeite(pfad("2"), 100).bild, vorne);
        QCOMPARE(LiesPdfSeite(pfad("2-2"), 100).bild, hinten);
    }

    // A precise label on its stock, from the window into a 600 dpi PDF and from the command: every label's edges
    // within 0.05 mm of the stock's geometry, and the picture held once, pixel for pixel.
    void genauesEtikett_data()
    {
        QTest::addColumn<Seitenwahl>("wahl");
        QTest::addColumn<QStringList>("art");
        QTest::addColumn<QList<QPoint>>("etiketten");
        QTest::newRow("whole sheet") << Seitenwahl{Druckumfang::GanzeSeite, 1, 1} << QStringList{"--seite"}
                                     << GenauesBlatt();
        QTest::newRow("one label at column 3, row 7")
            << Seitenwahl{Druckumfang::EineEtikette, 3, 7} << QStringList{"--einzeln", "3,7"} << QList<QPoint>{{3, 7}};
        QTest::newRow("row 7 alone") << Seitenwahl{Druckumfang::EineZeile, 1, 7} << QStringList{"--zeile", "7"}
                                     << GenauesBlatt(7);
        // The sheet is symmetric about the paper's middle: 6.75 + 2 x 66.5 + 63.5 = 210 - 6.75.
        QTest::newRow("the whole sheet's back over the long edge, each behind its front")
            << Seitenwahl{Druckumfang::GanzeSeite, 1, 1} << QStringList{"--seite", "--rueckseite"} << GenauesBlatt();
    }

    void genauesEtikett()
    {
        QFETCH(Seitenwahl, wahl);
        QFETCH(QStringList, art);
        QFETCH(QList<QPoint>, etiketten);
        if (!WerkzeugeDa() || QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
            QSKIP("pdftoppm, pdfinfo and pdfimages (poppler-utils) are needed to read the printed page");
        Programmordner p;
        const QString bild = p.daten(QStringLiteral("Adressen.bmp"));
        QVERIFY(SchreibeGenauesEtikett(bild));
        const bool hinten = art.contains(QStringLiteral("--rueckseite"));
        if (hinten)
            GibRueckseite(p.daten(QStringLiteral("Adressen.ini")), bild);
        const QString fensterPdf = pfad(QStringLiteral("genau-fenster.pdf"));
        const QString befehlPdf = pfad(QStringLiteral("genau-befehl.pdf"));

        auto form = p.fenster();
        Programmordner::starte(*form);
        p.dialoge.dateien.push_back(bild);
        form->Oeffnen1->trigger();
        QVERIFY(form->Masse().IstGenau());
        // The row editor follows the new count at the next paint.
        QTest::qWait(50);
        QCOMPARE(form->UpDownZeile->Max(), 7);
        if (wahl.umfang != Druckumfang::EineEtikette)
            form->NurEineDruckenCheckBox->setChecked(false);
        if (wahl.umfang == Druckumfang::EineZeile)
            form->GanzeSeiteCheckBox->setChecked(false);
        form->UpDownSpalte->setPosition(wahl.spalte);
        form->UpDownZeile->setPosition(wahl.zeile);
        DruckeInsPdf(p, *form, fensterPdf, 600, hinten ? form->RueckseiteDrucken1 : nullptr);
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")), QStringList());
        // The paper question names the exact left margin; the back's says how the sheet goes back in.
        QVERIFY(p.dialoge.texte(QStringLiteral("druckFrage"))
                    .value(0)
                    .contains(hinten ? QStringLiteral("gewendet") : QStringLiteral("Maßangabe 6,75 mm")));

        const Lauf l =
            Starte(art + QStringList{QStringLiteral("--pdf"), befehlPdf, bild}, pfad(QStringLiteral("konfig")));
        QCOMPARE(l.fehler, QString());
        QCOMPARE(l.status, 0);

        for (const QString &pdf : {fensterPdf, befehlPdf}) {
            const QStringList daneben = PruefeBogenKanten(pdf, GenauBogen, etiketten);
            QVERIFY2(daneben.isEmpty(), qPrintable(pdf + QStringLiteral(": ") + daneben.join(QStringLiteral("; "))));
            const QString verlust = PruefeBildImPdf(pdf, GenauBild());
            QVERIFY2(verlust.isEmpty(), qPrintable(pdf + QStringLiteral(": ") + verlust));
        }
    }

    // Labels made for catalogue sheets of different layouts and from every bundled template, printed as a whole
    // sheet from the window into a 600 dpi PDF and from the command: every label's edges within 0.05 mm of the
    // sheet's measures, which for a template are its product's.
    void katalogbogen_data()
    {
        QTest::addColumn<QString>("zeile"); // a catalogue line, or a bundled template's name
        QTest::newRow("3 x 6") << "Avery;7161, J8161;Rechteck;3;6;63.5;46.6;7.21;8.7;66.04;46.6";
        QTest::newRow("2 x 5 edge to edge both ways")
            << "Agipa;119488;Rechteck;2;5;89.96;50.09;15.17;23.64;89.96;50.09";
        QTest::newRow("4 x 5 round") << "Endisch;6500050x;Rund;4;5;50;50;3.5;21.5;51;51";
        QTest::newRow("4 x 14 edge to edge") << "Endisch;6505221x;Rechteck;4;14;52.5;21.2;0;0;52.5;21.21";
        QTest::newRow("2 x 4") << "APLI;1999;Rechteck;2;4;99.13;68.09;4.59;7.72;101.95;68.44";
        QTest::newRow("4 x 12") << "Geha;Z91;Rechteck;4;12;45.72;21.16;9.8;21.4;48.26;21.2";
        QTest::newRow("6 x 16") << "Herma;4100, 4110;Rechteck;6;16;30.48;16.93;7.5;18.5;32.9;16.93";
        QTest::newRow("1 x 13") << "Endisch;6414720x;Rechteck;1;13;147.3;20;31.35;18.5;147.3;20";
        QTest::newRow("5 x 4 without margins") << "Hisago;ELG010;Rechteck;5;4;42;74.25;0;0;42;74.25";
        QTest::newRow("4 x 10 oval") << "Rayfilm;4525;Oval;4;10;45;25;8;8.02;49.67;28.44";
        QTest::newRow("3 x 8 in whole millimetres") << "Bruna;241301;Rechteck;3;8;70;36;0;0;70;36";
        // The copy that gets installed: the program folder may hold templates of an earlier build.
        const QDir vorlagen(qEnvironmentVariable("MORVANE_LIEFER_DIR") + QStringLiteral("/Morvane/Vorlagen"));
        const QStringList namen = vorlagen.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
        QVERIFY(namen.size() == 14);
        for (const QString &ini : namen)
            QTest::newRow(qPrintable(ini)) << vorlagen.filePath(ini.chopped(4));
    }

    void katalogbogen()
    {
        QFETCH(QString, zeile);
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        Programmordner p;
        auto form = p.fenster();
        Programmordner::starte(*form);
        Etikettenbogen b;
        QString bild;
        if (QFileInfo(zeile).isAbsolute()) {
            // "Neu mit Hilfe einer Vorlage" from a copy of the bundled template.
            const QString name = QFileInfo(zeile).fileName();
            for (const QString &endung : {QStringLiteral(".bmp"), QStringLiteral(".ini")})
                QVERIFY(QFile::copy(zeile + endung, p.daten(QStringLiteral("Vorlagen/") + name + endung)));
            const Bogenmasse m = LiesEtikettdatei(zeile + QStringLiteral(".ini"), Anfangsmasse).inhalt.masse;
            QVERIFY(m.IstGenau());
            b = Etikettenbogen{{}, {}, Etikettenform::Rechteck, m};
            p.dialoge.dateien.push_back(p.daten(QStringLiteral("Vorlagen/") + name + QStringLiteral(".bmp")));
            p.dialoge.antworten = {false};
            form->Neu1->trigger();
            bild = p.daten(name + QStringLiteral(".bmp"));
            QCOMPARE(QImage(bild).size(), ZeichneLeeresEtikett(b).size());
        } else {
            const std::optional<Etikettenbogen> katalogzeile = BogenAusFeldern(zeile.split(QLatin1Char(';')));
            QVERIFY(katalogzeile);
            b = *katalogzeile;
            QFile katalog(p.daten(QStringLiteral("Vorlagen/") + EtikettenboegenDatei));
            QVERIFY(katalog.open(QIODevice::WriteOnly));
            katalog.write((EtikettenboegenKopf + QLatin1Char('\n') + zeile + QLatin1Char('\n')).toUtf8());
            katalog.close();
            p.dialoge.boegen.push_back(b);
            p.dialoge.antworten = {false};
            form->NeuFuerEtikettenbogen1->trigger();
            bild = p.daten(NamensVorschlag(b));
        }
        QCOMPARE(form->dokument().bildPfad(), bild);
        QVERIFY(KantenBild(b).save(bild, "BMP"));
        DatiereZurueck(bild);
        p.dialoge.dateien.push_back(bild);
        form->Oeffnen1->trigger();
        QVERIFY(form->Masse().IstGenau());
        form->NurEineDruckenCheckBox->setChecked(false);
        const QString fensterPdf = pfad(QStringLiteral("bogen-fenster.pdf"));
        const QString befehlPdf = pfad(QStringLiteral("bogen-befehl.pdf"));
        DruckeInsPdf(p, *form, fensterPdf, 600);
        QCOMPARE(p.dialoge.texte(QStringLiteral("fehler")), QStringList());
        QVERIFY(p.dialoge.unerwartet.isEmpty());

        const Lauf l = Starte({QStringLiteral("--seite"), QStringLiteral("--pdf"), befehlPdf, bild},
                              pfad(QStringLiteral("konfig")));
        QCOMPARE(l.fehler, QString());
        QCOMPARE(l.status, 0);

        QStringList daneben;
        for (const QString &pdf : {fensterPdf, befehlPdf})
            for (const QString &f : PruefeBogenKanten(pdf, b))
                daneben << QFileInfo(pdf).fileName() + QStringLiteral(": ") + f;
        QVERIFY2(daneben.isEmpty(), qPrintable(daneben.join(QStringLiteral("; "))));
    }

    // Lists and numbers on the 3 x 7 address stock, a white picture under them: each record's words inside its own
    // label's text field (0.5 mm), record after record across and down from the start place, its lines without a
    // gap, each code of the first page read back from its own label to its record's content.
    void liste_data()
    {
        QTest::addColumn<QByteArray>("liste"); // Zeile 2 of it the first record
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QString>("erster"); // the first record's words
        QTest::addColumn<int>("platz");      // where it lies, from 1
        QTest::addColumn<int>("saetze");
        QTest::addColumn<QByteArray>("art");    // of the code, whose content is {Web}
        QTest::addColumn<QStringList>("codes"); // read on the first page, in the order of its places
        QByteArray utf8 = "\xEF\xBB\xBFVorname;Name;Straße;PLZ;Ort;Web\r\n";
        QStringList adressen;
        for (int i = 1; i <= 25; ++i) {
            utf8 += QStringLiteral("Jörg;Mü;Gaß %1;%1;Köln;https://x.de/%1\r\n").arg(i).toUtf8();
            if (i <= 21)
                adressen << QStringLiteral("https://x.de/%1").arg(i);
        }
        QTest::newRow("25 records in UTF-8 from place 1: two pages")
            << utf8 << QStringList{} << "0001 Jörg Mü Gaß 1 1 Köln" << 1 << 25 << QByteArray("QR") << adressen;
        QTest::newRow("Windows-1252 from column 2, row 3, an empty street leaving no gap, an EAN-13")
            << QString("Vorname;Name;Straße;PLZ;Ort;Web\r\nJörg;Mü;;9;Köln;400638133393\r\n").toLatin1()
            << QStringList{"--ab", "2,3"} << "0001 Jörg Mü 9 Köln" << 8 << 1 << QByteArray("EAN13")
            << QStringList{"4006381333931"};
        QTest::newRow("a quoted field with a semicolon and a line break is one field")
            << QByteArray("Vorname;Name;Straße;PLZ;Ort;Web\n;\"A; B\nHof\";;;X;\n") << QStringList{}
            << "0001 A; B Hof X" << 1 << 1 << QByteArray("QR") << QStringList{};
        QTest::newRow("--nummern 7-30 with {Nr:4} alone")
            << QByteArray() << QStringList{"--nummern", "7-30"} << "0007" << 1 << 24 << QByteArray() << QStringList{};
    }

    void liste()
    {
        QFETCH(QByteArray, liste);
        QFETCH(QStringList, argumente);
        QFETCH(QString, erster);
        QFETCH(int, platz);
        QFETCH(int, saetze);
        QFETCH(QByteArray, art);
        QFETCH(QStringList, codes);
        if (!WerkzeugeDa() || QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
            QSKIP("pdftotext (poppler-utils) and zbarimg (zbar-tools) are needed to read the pages back");
        const QString ini =
            qEnvironmentVariable("MORVANE_PROGRAMM_DIR") + "/Morvane/Vorlagen/Adressetikett_3x7_63,5x38,1.ini";
        const Bogenmasse m = LiesEtikettdatei(ini, Anfangsmasse).inhalt.masse;
        QImage weiss(750, 450, QImage::Format_RGB32);
        weiss.fill(Qt::white);
        QVERIFY(weiss.save(pfad("adressen.bmp")));
        QFile vorlage(ini);
        QVERIFY(vorlage.open(QIODevice::ReadOnly));
        schreibe("adressen.ini",
                 vorlage.readAll()
                     + (liste.isEmpty() ? QByteArray("[Text]\r\nZeile1={Nr:4}\r\nFeld=4,4,38,30.1\r\n")
                                        : "[Text]\r\nZeile1={Nr:4} {Vorname} {Name}\r\nZeile2={Straße}\r\nZeile3={PLZ} "
                                          "{Ort}\r\nFeld=4,4,38,30.1\r\n[Code]\r\nArt="
                                + art + "\r\nInhalt={Web}\r\nFeld=45,11,15,15\r\n"));
        schreibe("adressen.csv", liste);
        const QString pdf = pfad("liste.pdf");
        const QStringList daten = liste.isEmpty() ? QStringList() : QStringList{"--liste", pfad("adressen.csv")};
        const Lauf l = Starte(argumente + daten + QStringList{"--pdf", pdf, pfad("adressen.bmp")}, pfad("konfig"));
        QCOMPARE(l.fehler, QString());
        QProcess text;
        text.start("pdftotext", {"-bbox", pdf, "-"});
        QVERIFY(text.waitForFinished(60000) && text.exitCode() == 0);
        const QStringList seiten = QString::fromUtf8(text.readAllStandardOutput()).split("<page ").mid(1);
        const int erste = liste.isEmpty() ? 7 : 1;
        QCOMPARE(seiten.size(), (platz + saetze - 2) / 21 + 1);
        static const QRegularExpression wort(
            "xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
        for (int i = 0; i < saetze; ++i) {
            const GedrucktesEtikett e = PlaetzeDesBogens(m)[(platz - 1 + i) % 21];
            const QRectF feld = QRectF(e.ort.x + 4, e.ort.y + 4, 38, 30.1).adjusted(-0.5, -0.5, 0.5, 0.5);
            QStringList woerter;
            double oben = 0;
            for (const QRegularExpressionMatch &w : wort.globalMatch(seiten[(platz - 1 + i) / 21])) {
                const double mm = 25.4 / 72, y = w.captured(2).toDouble() * mm, unten = w.captured(4).toDouble() * mm;
                // A word beginning in this label's field ends there too.
                if (!feld.contains(QPointF(w.captured(1).toDouble() * mm, y)))
                    continue;
                QVERIFY2(feld.contains(QPointF(w.captured(3).toDouble() * mm, unten)), qPrintable(w.captured(5)));
                // The next line begins at most a line's height below the last: no line was left empty between.
                QVERIFY2(oben == 0 || y - oben < 1.5 * (unten - y), qPrintable(w.captured(5)));
                oben = y;
                woerter.append(w.captured(5));
            }
            QVERIFY2(woerter.value(0) == QString("%1").arg(erste + i, 4, 10, QLatin1Char('0')),
                     qPrintable(woerter.join(' ')));
            if (i == 0)
                QCOMPARE(woerter.join(' '), erster);
        }
        // Each code read from its own label's code field, record after record.
        QVERIFY(QProcess::execute("pdftoppm", {"-r", "600", "-png", "-f", "1", "-l", "1", pdf, pfad("liste")}) == 0);
        const QImage seite(pfad("liste-1.png"));
        QStringList felder{"--raw", "-q"};
        for (int i = 0; platz - 1 + i < 21 && i < saetze; ++i) {
            const GedrucktesEtikett e = PlaetzeDesBogens(m)[platz - 1 + i];
            const QRectF feld(QPointF(e.ort.x + 44, e.ort.y + 10) * 600 / 25.4, QSizeF(17, 17) * 600 / 25.4);
            QVERIFY(seite.copy(feld.toRect()).save(felder.emplace_back(pfad(QString("code-%1.png").arg(i)))));
        }
        QProcess zbar;
        zbar.start("zbarimg", felder);
        QVERIFY(zbar.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(zbar.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts), codes);
    }

    // The 3 x 7 address template as a test print, read at 600 dpi across the middle of each edge of every place: a
    // grey outline within 0.15 mm of where the stock has it; printed without, none. The 2 x 5 cards with a bleed of
    // 2 mm and crop marks: marks beyond the block on every cut line, each card and its bleed as printed without.
    void probedruckUndSchnittmarken()
    {
        if (!WerkzeugeDa())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page");
        const QString vorlagen = qEnvironmentVariable("MORVANE_PROGRAMM_DIR") + QStringLiteral("/Morvane/Vorlagen/");
        const auto seite = [&](const QStringList &art, const QString &etikett, int dpi) {
            const QString pdf = pfad(QStringLiteral("zeichen.pdf"));
            const Lauf l = Starte(art + QStringList{"--seite", "--pdf", pdf, etikett}, pfad("konfig"));
            return l.status == 0 ? LiesPdf(pdf, dpi, QRectF(0, 0, A4::BreiteMm, A4::HoeheMm)).bild : QImage();
        };
        const QString adressen = vorlagen + QStringLiteral("Adressetikett_3x7_63,5x38,1.bmp");
        const Bogenmasse m = LiesEtikettdatei(EinstellungsPfad(adressen), Anfangsmasse).inhalt.masse;
        QCOMPARE(PlaetzeDesBogens(m).size(), 21);
        const double px = 600 / 25.4;
        for (const bool probe : {true, false}) {
            const QImage bild = seite(probe ? QStringList{"--probedruck"} : QStringList{}, adressen, 600);
            QVERIFY(!bild.isNull());
            for (const GedrucktesEtikett &e : PlaetzeDesBogens(m))
                for (const auto &[kante, mitte, waagrecht] : {std::tuple{e.ort.x, e.ort.y + e.ort.hoehe / 2, false},
                                                              {e.ort.x + e.ort.breite, e.ort.y + 9, false},
                                                              {e.ort.y, e.ort.x + e.ort.breite / 2, true},
                                                              {e.ort.y + e.ort.hoehe, e.ort.x + 9, true}}) {
                    double summe = 0, grau = 0;
                    for (int i = int(kante * px) - 24; i <= int(kante * px) + 24; ++i) {
                        const int g =
                            waagrecht ? bild.constScanLine(i)[int(mitte * px)] : bild.constScanLine(int(mitte * px))[i];
                        summe += g < 200 ? (255 - g) * (i + 0.5) / px : 0;
                        grau += g < 200 ? 255 - g : 0;
                    }
                    const QString wo = QStringLiteral("Platz %1,%2 bei %3 mm").arg(e.spalte).arg(e.zeile).arg(kante);
                    QVERIFY2(probe ? grau > 0 && std::abs(summe / grau - kante) <= 0.15 : grau == 0, qPrintable(wo));
                }
        }
        const QString karten = pfad(QStringLiteral("Karten.bmp"));
        QVERIFY(QFile::copy(vorlagen + "Visitenkarte_2x5_85x54.bmp", karten));
        QFile vorlage(vorlagen + "Visitenkarte_2x5_85x54.ini");
        QVERIFY(vorlage.open(QIODevice::ReadOnly));
        schreibe(QStringLiteral("Karten.ini"), vorlage.readAll() + "[Anschnitt]\r\nRand=2\r\n");
        const QImage mit = seite({"--schnittmarken"}, karten, 300), ohne = seite({}, karten, 300);
        QVERIFY(!mit.isNull() && mit.size() == ohne.size());
        const auto teil = [](const QImage &b, const QRectF &r) {
            return b.copy(QRectF(r.topLeft() * 300 / 25.4, r.bottomRight() * 300 / 25.4).toAlignedRect());
        };
        QRectF block;
        QList<QRectF> karte;
        for (const GedrucktesEtikett &e : PlaetzeDesBogens(LiesEtikettdatei(pfad("Karten.ini"), {}).inhalt.masse))
            block |= karte.emplace_back(QRectF(e.ort.x, e.ort.y, e.ort.breite, e.ort.hoehe).adjusted(-2, -2, 2, 2));
        QCOMPARE(karte.size(), 10);
        // Along each cut beyond the block, on both sides of it, the marks are all that differs; none comes within
        // 1 mm of a card's bleed.
        for (const QRectF &r : karte) {
            const QRectF frei = r.adjusted(-0.9, -0.9, 0.9, 0.9);
            QVERIFY(teil(mit, frei) == teil(ohne, frei));
            for (const double x : {r.left() + 2, r.right() - 2})
                for (const QRectF streifen : {QRectF(x - 0.1, 0, 0.2, block.top()),
                                              QRectF(x - 0.1, block.bottom(), 0.2, A4::HoeheMm - block.bottom())})
                    QVERIFY(teil(mit, streifen) != teil(ohne, streifen));
            for (const double y : {r.top() + 2, r.bottom() - 2})
                for (const QRectF streifen : {QRectF(0, y - 0.1, block.left(), 0.2),
                                              QRectF(block.right(), y - 0.1, A4::BreiteMm - block.right(), 0.2)})
                    QVERIFY(teil(mit, streifen) != teil(ohne, streifen));
        }
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
        QVERIFY(m_server.auftragsangaben(Druckserver::Drucker).contains((titel + " – Vorderseite").toUtf8()));
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
