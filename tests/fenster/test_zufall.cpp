// Random use of the real window from a fixed seed: arrows of every editor, the print-mode boxes, locking and
// unlocking the measures, reloading, saving, opening, making a label from a template and printing to a PDF file,
// with the dialogs answered at random. After every step the window must keep its promises: no error box, one of
// the four reachable print modes, edit fields and editors that show the window's measures, a position on the sheet
// with its cell marked, a preview that shows what "Drucken" prints, settings files of nine valid lines, and a paint
// that changes nothing.
//   MORVANE_ZUFALL_SAAT=<n> MORVANE_ZUFALL_SCHRITTE=<n> tests/app/test_zufall   replays another seed or length.
#include "app/bildansicht.h"
#include "app/formetikette_p.h"
#include "app/updown.h"
#include "layout/infobild.h"
#include "layout/markierung.h"
#include "programmordner.h"
#include "render/bogen.h"
#include "render/seite.h"
#include "storage/bilddatei.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"

#include <QCheckBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <array>
#include <map>
#include <optional>

namespace {

constexpr quint32 StandardSaat = 20261208;
constexpr int StandardSchritte = 2000;
constexpr QRgb Blau = qRgb(0, 0, 255);
constexpr QRgb Schwarz = qRgb(0, 0, 0);
const QString DruckDatei = QStringLiteral("zufall.pdf");

quint32 Umgebungszahl(const char *name, quint32 vorgabe)
{
    bool ok = false;
    const quint32 wert = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? wert : vorgabe;
}

QString Einstellungen(const Bogenmasse &m)
{
    return QString::fromLatin1(EtikettdateiInhalt({m}));
}

// The pictures have about 4.72 pixels per millimetre, so that composed sheets print at true size.
struct Vorlage
{
    const char *name;
    int breite;
    int hoehe;
    Bogenmasse masse;
};

const Vorlage Vorlagen[] = {
    // Three by eight: side by side possible.
    {"Adressen_70x36", 330, 170, {4, 0, 36, 70, 36, 70, 3, 8}},
    // Four by ten.
    {"Etiketten_48x25", 227, 118, {3, 1, 29, 52, 25, 48, 4, 10}},
    // Five by six has no layout picture.
    {"Rund_40x40", 189, 189, {10, 0, 45, 42, 40, 40, 5, 6}},
    // One envelope across the sheet, also a label of its own: two side by side never fit, so that "nothing chosen"
    // can be reached.
    {"Umschlag_1x3", 991, 462, {0, 0, 98, 210, 98, 210, 1, 3}},
};

// The dialog texts a step may show besides questions; anything else, above all an error box, is a fault.
bool Erlaubt(const SkriptDialoge::Eintrag &e)
{
    if (e.art == QLatin1String("information"))
        return e.text.contains(QStringLiteral(" Etiketten passen NICHT "));
    if (e.art == QLatin1String("meldung"))
        return e.text.startsWith(QStringLiteral("Der Name ist leer."))
            || e.text.startsWith(QStringLiteral("Der Name darf weder"))
            || e.text.startsWith(QStringLiteral("Das Etikett wird in Ihr Standard Bildverarbeitungsprogramm"));
    // A sheet whose labels all lie beyond the raster is refused rather than printed blank.
    return e.art != QLatin1String("fehler") || e.text == LeereSeiteMeldung();
}

struct Masseditor
{
    const Massangabe *angabe;
    QLineEdit *feld;
    TUpDown *updown;
};

class Lauf
{
public:
    Lauf(Programmordner &p, TFormEtikette &f, quint32 saat) : p(p), f(f), zufall(saat)
    {
        for (const Vorlage &v : Vorlagen) {
            const QString ziel = QStringLiteral("Vorlagen/") + QLatin1String(v.name);
            p.schreibeEtikett(ziel, v.breite, v.hoehe, EtikettdateiInhalt({v.masse}));
        }
        const Vorlage &umschlag = Vorlagen[std::size(Vorlagen) - 1];
        p.schreibeEtikett(QStringLiteral("Umschlag"), umschlag.breite, umschlag.hoehe,
                          EtikettdateiInhalt({umschlag.masse}));
        const std::array<std::pair<QLineEdit *, TUpDown *>, 8> paare{{
            {f.EditObererRand, f.UpDownObererRand},
            {f.EditSeitenrand, f.UpDownSeitenrand},
            {f.EditVertikalAbstand, f.UpDownVertikalAbstand},
            {f.EditHorizontalAbstand, f.UpDownHorizontalAbstand},
            {f.EditEtikettenHoehe, f.UpDownEtikettenHoehe},
            {f.EditEtikettenbreite, f.UpDownEtikettenbreite},
            {f.EditAnzEtikettenInZeile, f.UpDownAnzEtikettenInZeile},
            {f.EditAnzEtikettenInSpalte, f.UpDownAnzEtikettenInSpalte},
        }};
        for (std::size_t i = 0; i < Massangaben.size(); ++i)
            editoren[i] = {&Massangaben[i], paare[i].first, paare[i].second};

        // The refresh runs when the test ticks it, never by the clock, so that a seed replays exactly.
        f.VerzoegerungsTimer->setInterval(24 * 3600 * 1000);
        QObject::connect(f.EditSpalte, &QLineEdit::textChanged, f.EditSpalte, [this] { spalteGeschrieben = true; });
        p.dialoge.beimZeigen = [this](const QString &text) {
            if (!text.contains(QStringLiteral(" Etiketten passen NICHT ")))
                return;
            // A count repaired after the size refresh composed the preview shows in the next one.
            vorschauBeiReparatur = this->f.vorschauZaehler();
            spalteNachhinkend = spalteNachhinkend || text.contains(QStringLiteral("horizontal"));
        };
    }

    // One random step; its name for the report.
    QString schritt()
    {
        p.dialoge.leeren();
        p.dialoge.antworten.clear();
        p.dialoge.dateien.clear();
        p.dialoge.eingaben.clear();
        p.dialoge.druckDialoge.clear();
        spalteGeschrieben = false;
        gespeichert = false;
        gedruckt = false;

        const QString name = handle();
        QCoreApplication::processEvents();
        const QString vorher = stand() + QString::number(f.vorschauZaehler());
        f.Klientflaeche->repaint();
        QCoreApplication::processEvents();
        gemalt = stand() + QString::number(f.vorschauZaehler()) == vorher
            ? QString()
            : QStringLiteral("das Zeichnen ändert etwas; vorher: ") + vorher;

        if (spalteGeschrieben && f.EditSpalte->text() == QString::number(f.UpDownSpalte->Position()))
            spalteNachhinkend = false;
        return name;
    }

    // What the window promises after every step; empty when it keeps it.
    QString pruefe()
    {
        for (const SkriptDialoge::Eintrag &e : p.dialoge.gezeigt)
            if (!Erlaubt(e))
                return QStringLiteral("Dialog %1: %2").arg(e.art, e.text);
        if (!p.dialoge.unerwartet.isEmpty())
            return QStringLiteral("unerwarteter Dialog: ") + p.dialoge.unerwartet.join(QStringLiteral(" | "));

        if (!gemalt.isEmpty())
            return gemalt;
        if (const QString m = pruefeModus(); !m.isEmpty())
            return m;
        for (const Masseditor &e : editoren) {
            if (e.feld->text() != MassText(*e.angabe, e.updown->Position()))
                return QStringLiteral("%1 zeigt \"%2\", der Editor steht auf %3")
                    .arg(QLatin1String(e.angabe->schluessel), e.feld->text())
                    .arg(e.updown->Position());
            if (f.Masse().*e.angabe->feld != e.updown->Position())
                return QStringLiteral("%1 ist %2, der Editor steht auf %3")
                    .arg(QLatin1String(e.angabe->schluessel))
                    .arg(f.Masse().*e.angabe->feld)
                    .arg(e.updown->Position());
        }
        const QString hinweis = !f.zustand().MehrereNebeneinanderMoeglich
            ? QStringLiteral("!!!Mehrere Etiketten nebeneinander drucken NICHT möglich!!!")
            : eine() ? QStringLiteral("Hier klicken für mehrere Etiketten drucken")
                     : QStringLiteral("Hier klicken für \"Nur eine Etikette drucken\"");
        if (f.NurEineDruckenCheckBox->toolTip() != hinweis || f.UpDownZeile->Max() != f.AnzahlEtikettenInSpalte())
            return QStringLiteral("Hinweis oder Zeilengrenze folgen nicht: ") + stand();
        if (const QString m = pruefePosition(); !m.isEmpty())
            return m;
        if (const QString m = pruefeDateien(); !m.isEmpty())
            return m;
        // Mark and preview follow the measures only once their delayed refresh has run.
        if (f.VerzoegerungsTimer->isActive())
            return {};
        if (const QString m = pruefeMarke(); !m.isEmpty())
            return m;
        return pruefeVorschau();
    }

    // The editors and boxes as they stand, for the report of a failure.
    QString stand() const
    {
        QStringList teile;
        for (const Masseditor &e : editoren)
            teile.append(QStringLiteral("%1=%2").arg(QLatin1String(e.angabe->schluessel)).arg(e.updown->Position()));
        teile.append(QStringLiteral("Spalte=%1 (\"%2\"), Zeile=%3 (\"%4\")")
                         .arg(f.UpDownSpalte->Position())
                         .arg(f.EditSpalte->text())
                         .arg(f.UpDownZeile->Position())
                         .arg(f.EditZeile->text()));
        teile.append(QStringLiteral("Zeilengrenze %1, Hinweis \"%2\"")
                         .arg(f.UpDownZeile->Max())
                         .arg(f.NurEineDruckenCheckBox->toolTip()));
        teile.append(QStringLiteral("Kästen %1%2%3%4")
                         .arg(eine())
                         .arg(f.MehrereEtikettenDruckenCheckBox->isChecked())
                         .arg(ganze())
                         .arg(zeile()));
        QStringList dialoge;
        for (const SkriptDialoge::Eintrag &e : p.dialoge.gezeigt)
            dialoge.append(e.art + QStringLiteral(": ") + e.text.simplified());
        return teile.join(QStringLiteral(", ")) + QStringLiteral("\nDialoge des Schritts: ")
            + dialoge.join(QStringLiteral(" | "));
    }

private:
    Programmordner &p;
    TFormEtikette &f;
    QRandomGenerator zufall;
    std::array<Masseditor, 8> editoren{};
    bool spalteGeschrieben = false;
    QString gemalt; // what a paint changed, if anything
    // The column field may show another column than its editor where the window moves the editor and leaves the
    // field: the column arrow in the multi modes, a lower maximum, a count beyond the maximum.
    bool spalteNachhinkend = false;
    int vorschauBeiReparatur = -1;
    bool gespeichert = false;
    bool gedruckt = false;
    std::map<QString, QImage> infobilder;
    // The last preview found right, and what it was compared with.
    qint64 geprueftesVorschaubild = 0;
    QString geprueftFuer;

    int wuerfel(int n) { return int(zufall.bounded(n)); }
    bool janein(int prozentJa = 50) { return wuerfel(100) < prozentJa; }

    bool eine() const { return f.NurEineDruckenCheckBox->isChecked(); }
    bool ganze() const { return f.GanzeSeiteCheckBox->isChecked(); }
    bool zeile() const { return f.NurDieZeileCheckBox->isChecked(); }

    QString handle()
    {
        const int w = wuerfel(100);
        if (w < 30)
            return massPfeil();
        if (w < 42)
            return positionsPfeil();
        if (w < 57) {
            ticken(f);
            return QStringLiteral("Aktualisierung");
        }
        if (w < 72)
            return kasten();
        if (w < 78) {
            if (janein(70)) {
                QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
                return QStringLiteral("Maße bearbeiten");
            }
            f.MasseEtikettBearbeiten->trigger();
            return QStringLiteral("Maße Etikett bearbeiten");
        }
        if (w < 81)
            return neuladen();
        if (w < 85) {
            f.speichern1->trigger();
            gespeichert = true;
            return QStringLiteral("Speichern");
        }
        if (w < 91)
            return oeffnen();
        if (w < 97)
            return neu();
        return drucken();
    }

    QString massPfeil()
    {
        const Masseditor &e = editoren[std::size_t(wuerfel(8))];
        const bool hoch = janein();
        const int klicks = 1 + wuerfel(3);
        const bool anzahl = e.updown == f.UpDownAnzEtikettenInZeile || e.updown == f.UpDownAnzEtikettenInSpalte;
        if (anzahl && e.updown->isEnabled())
            spalteNachhinkend = true;
        for (int i = 0; i < klicks; ++i)
            klick(e.updown, hoch);
        return QStringLiteral("%1 %2x %3")
            .arg(QLatin1String(e.angabe->schluessel))
            .arg(klicks)
            .arg(hoch ? "hoch" : "runter");
    }

    QString positionsPfeil()
    {
        const bool spalte = janein();
        const bool hoch = janein(60);
        if (spalte && f.UpDownSpalte->isEnabled() && (ganze() || zeile()))
            spalteNachhinkend = true;
        klick(spalte ? f.UpDownSpalte : f.UpDownZeile, hoch);
        return QStringLiteral("%1 %2").arg(spalte ? "Spalte" : "Zeile", hoch ? "hoch" : "runter");
    }

    QString kasten()
    {
        QCheckBox *const kaesten[] = {f.NurEineDruckenCheckBox, f.MehrereEtikettenDruckenCheckBox, f.GanzeSeiteCheckBox,
                                      f.NurDieZeileCheckBox};
        QCheckBox *k = kaesten[wuerfel(4)];
        klick(k);
        return QStringLiteral("Kasten \"%1\"").arg(k->text());
    }

    QString neuladen()
    {
        if (f.BitBtnNeuladen->isVisible() && janein()) {
            QTest::mouseClick(f.BitBtnNeuladen, Qt::LeftButton);
            return QStringLiteral("Knopf Etikett neu laden");
        }
        if (janein()) {
            f.Etikettbearbeiten1->trigger();
            return QStringLiteral("Etikett bearbeiten");
        }
        f.Etikettneuladen1->trigger();
        return QStringLiteral("Etikett neu laden");
    }

    // Answers for the question about changed settings, and for the naming and overwrite questions.
    void antworte()
    {
        for (int i = 0; i < 4; ++i)
            p.dialoge.antworten.push_back(janein());
    }

    QStringList etiketten() const
    {
        QStringList bilder;
        QDirIterator it(p.daten(QString()), {QStringLiteral("*.bmp")}, QDir::Files);
        while (it.hasNext())
            bilder.append(it.next());
        bilder.sort();
        return bilder;
    }

    QString oeffnen()
    {
        antworte();
        const QStringList bilder = etiketten();
        if (janein(10)) {
            p.dialoge.dateien.push_back(std::nullopt);
            f.Oeffnen1->trigger();
            return QStringLiteral("Öffnen abgebrochen");
        }
        const QString bild = bilder.at(wuerfel(int(bilder.size())));
        p.dialoge.dateien.push_back(bild);
        f.Oeffnen1->trigger();
        return QStringLiteral("Öffnen ") + QFileInfo(bild).fileName();
    }

    QString neu()
    {
        antworte();
        const Vorlage &v = Vorlagen[wuerfel(int(std::size(Vorlagen)))];
        p.dialoge.dateien.push_back(
            p.daten(QStringLiteral("Vorlagen/") + QLatin1String(v.name) + QStringLiteral(".bmp")));
        const QString namen[] = {QStringLiteral("Neu1"),      QStringLiteral("Neu2.bmp"),
                                 QStringLiteral("Karte.BMP"), QString(),
                                 QStringLiteral("a/b"),       QStringLiteral("..")};
        for (int i = 0; i < 2; ++i)
            p.dialoge.eingaben.push_back(namen[wuerfel(int(std::size(namen)))]);
        p.dialoge.eingaben.push_back(std::nullopt);
        f.Neu1->trigger();
        return QStringLiteral("Neu aus ") + QLatin1String(v.name);
    }

    QString drucken()
    {
        const bool ja = janein(70);
        const bool dialog = janein(70);
        p.dialoge.antworten.push_back(ja);
        if (ja)
            p.dialoge.druckDialoge.push_back(dialog);
        const QString datei = p.wurzel + DruckDatei;
        QFile::remove(datei);
        p.dialoge.druckerEinrichten = [datei](QPrinter &d) {
            d.setOutputFormat(QPrinter::PdfFormat);
            d.setOutputFileName(datei);
        };
        // A sheet that does not fit, or would print blank, is refused: no PDF is expected then.
        const bool passt = DruckHindernis(f.Masse()).isEmpty();
        f.drucken1->trigger();
        gedruckt = ja && dialog && passt && !p.dialoge.texte(QStringLiteral("fehler")).contains(LeereSeiteMeldung());
        return QStringLiteral("Drucken (%1, %2)").arg(ja ? "Ja" : "Nein", dialog ? "OK" : "Abbrechen");
    }

    QString pruefeModus()
    {
        const bool mehrere = f.MehrereEtikettenDruckenCheckBox->isChecked();
        struct Modus
        {
            const char *name;
            bool eine, mehrere, ganze, zeile;
        };
        const Modus modi[] = {{"eine Etikette", true, false, false, false},
                              {"ganze Seite", false, true, true, false},
                              {"eine Zeile", false, true, false, true},
                              {"nichts gewählt", false, false, false, false}};
        for (const Modus &m : modi) {
            if (m.eine != eine() || m.mehrere != mehrere || m.ganze != ganze() || m.zeile != zeile())
                continue;
            // The multi boxes can be used exactly in the two multi modes; the position always.
            for (QCheckBox *k : {f.MehrereEtikettenDruckenCheckBox, f.GanzeSeiteCheckBox, f.NurDieZeileCheckBox})
                if (k->isEnabled() != m.mehrere)
                    return QStringLiteral("Modus %1, aber \"%2\" %3")
                        .arg(QLatin1String(m.name), k->text(), k->isEnabled() ? "benutzbar" : "gesperrt");
            if (!f.NurEineDruckenCheckBox->isEnabled() || !f.UpDownSpalte->isEnabled() || !f.UpDownZeile->isEnabled())
                return QStringLiteral("Modus %1 mit gesperrter Position").arg(QLatin1String(m.name));
            return {};
        }
        return QStringLiteral("kein erreichbarer Modus: eine %1, mehrere %2, ganze %3, Zeile %4")
            .arg(eine())
            .arg(mehrere)
            .arg(ganze())
            .arg(zeile());
    }

    QString pruefePosition()
    {
        const int spalten = f.UpDownAnzEtikettenInZeile->Position();
        const int zeilen = f.UpDownAnzEtikettenInSpalte->Position();
        const int spalte = f.UpDownSpalte->Position();
        const int zeile_ = f.UpDownZeile->Position();
        if (spalte < 1 || spalte > spalten || zeile_ < 1 || zeile_ > zeilen)
            return QStringLiteral("Position %1, %2 liegt nicht auf dem Bogen von %3 x %4")
                .arg(spalte)
                .arg(zeile_)
                .arg(spalten)
                .arg(zeilen);
        if (f.EditZeile->text() != QString::number(zeile_))
            return QStringLiteral("EditZeile zeigt \"%1\", die Zeile ist %2").arg(f.EditZeile->text()).arg(zeile_);
        const int spalteImFeld = f.EditSpalte->text().toInt();
        if (spalteImFeld < 1 || spalteImFeld > spalten)
            return QStringLiteral("EditSpalte zeigt \"%1\", nicht auf dem Bogen von %2 Spalten")
                .arg(f.EditSpalte->text())
                .arg(spalten);
        if (!spalteNachhinkend && f.EditSpalte->text() != QString::number(spalte))
            return QStringLiteral("EditSpalte zeigt \"%1\", die Spalte ist %2").arg(f.EditSpalte->text()).arg(spalte);
        return {};
    }

    // Every settings file of the labels folder holds the nine lines the program writes, with values in range.
    QString pruefeDateien()
    {
        static const QRegularExpression zeile(QStringLiteral("\\A([A-Za-z]+)=(\\d+)\\z"));
        QDirIterator it(p.daten(QString()), {QStringLiteral("*.ini")}, QDir::Files);
        while (it.hasNext()) {
            const QString pfad = it.next();
            QFile datei(pfad);
            if (!datei.open(QIODevice::ReadOnly))
                return QStringLiteral("%1 lässt sich nicht lesen").arg(pfad);
            const QString inhalt = QString::fromLatin1(datei.readAll());
            QStringList zeilen = inhalt.split(QStringLiteral("\r\n"));
            const bool neun = zeilen.size() == 10 && zeilen.takeLast().isEmpty()
                && zeilen.takeFirst() == QStringLiteral("[Einstellung]");
            for (std::size_t i = 0; neun && i < Massangaben.size(); ++i) {
                const QRegularExpressionMatch m = zeile.match(zeilen.at(qsizetype(i)));
                const int wert = m.captured(2).toInt();
                if (!m.hasMatch() || m.captured(1) != QLatin1String(Massangaben[i].schluessel)
                    || wert < Massangaben[i].minimum || wert > MassMaximum)
                    return QStringLiteral("%1, Zeile %2: \"%3\"").arg(pfad).arg(i + 2).arg(zeilen.at(qsizetype(i)));
            }
            if (!neun)
                return QStringLiteral("%1 hat nicht die neun Zeilen: \"%2\"").arg(pfad, inhalt);
        }
        const QString einstellungen = EinstellungsPfad(f.dokument().bildPfad());
        if (gespeichert) {
            QFile datei(einstellungen);
            datei.open(QIODevice::ReadOnly);
            if (QString::fromLatin1(datei.readAll()) != Einstellungen(masse()))
                return QStringLiteral("nach dem Speichern hält %1 nicht die Maße der Editoren").arg(einstellungen);
        }
        if (gedruckt) {
            QFile pdf(p.wurzel + DruckDatei);
            if (!pdf.open(QIODevice::ReadOnly) || !pdf.read(5).startsWith("%PDF-"))
                return QStringLiteral("gedruckt, aber keine PDF-Datei");
        }
        return {};
    }

    Bogenmasse masse() const
    {
        Bogenmasse m;
        for (const Masseditor &e : editoren)
            m.*e.angabe->feld = e.updown->Position();
        return m;
    }

    // In the mode one label, the layout picture of the counts shows the chosen cell blue. Other cells may stay blue
    // from a mark that a later white call did not take away (white clears only its own cell); nothing else changes.
    QString pruefeMarke()
    {
        if (!eine())
            return {};
        const QString datei =
            InfobildDatei(f.UpDownAnzEtikettenInZeile->Position(), f.UpDownAnzEtikettenInSpalte->Position());
        QImage &vorlage = infobilder[datei];
        if (vorlage.isNull())
            vorlage =
                QImage(p.daten(QStringLiteral("Druckposition Infos/") + datei)).convertToFormat(QImage::Format_RGB32);
        QImage erwartet = vorlage.copy();
        Zelle zelle;
        ZeigeEtikettenPosition(erwartet, Blau, f.UpDownSpalte->Position(), f.UpDownZeile->Position(), zelle);
        const QImage gezeigt = f.ImageInfo->bild().convertToFormat(QImage::Format_RGB32);
        bool richtig = gezeigt.size() == erwartet.size();
        for (int y = 0; richtig && y < gezeigt.height(); ++y)
            for (int x = 0; richtig && x < gezeigt.width(); ++x) {
                const QRgb g = gezeigt.pixel(x, y);
                richtig = g == erwartet.pixel(x, y) || (g == Blau && vorlage.pixel(x, y) != Schwarz);
            }
        if (!richtig)
            return QStringLiteral("das Infobild zeigt nicht %1 mit der Zelle %2, %3 blau")
                .arg(datei)
                .arg(f.UpDownSpalte->Position())
                .arg(f.UpDownZeile->Position());
        return {};
    }

    // The preview is the single-label work page in the mode one label, else the sheet "Drucken" composes.
    QString pruefeVorschau()
    {
        if (f.vorschauZaehler() == vorschauBeiReparatur)
            return {};
        const Bogenmasse m = masse();
        const int spalte = f.UpDownSpalte->Position();
        const int zeile_ = f.UpDownZeile->Position();
        const QString pfad = f.dokument().bildPfad();
        const QString fuer = QStringList{pfad,
                                         QFileInfo(pfad).lastModified().toString(Qt::ISODateWithMs),
                                         Einstellungen(m),
                                         QString::number(eine()),
                                         QString::number(zeile()),
                                         QString::number(spalte),
                                         QString::number(zeile_)}
                                 .join(QLatin1Char('|'));
        const QImage &gezeigt = f.VorschauImage->bild();
        if (gezeigt.cacheKey() == geprueftesVorschaubild && fuer == geprueftFuer)
            return {};

        const QImage etikett = LeseBild(pfad);
        QImage erwartet;
        if (eine())
            erwartet = Einzelvorschau(etikett, 96, 96, EtikettAufDemBlatt(m, spalte, zeile_));
        else
            erwartet = ErzeugeEtikettenbogen(etikett, BogenangabenFuer(etikett.size(), m, zeile(), zeile_));
        if (gezeigt.convertToFormat(QImage::Format_RGB32) != erwartet.convertToFormat(QImage::Format_RGB32))
            return QStringLiteral("die Vorschau (%1 x %2) zeigt nicht, was gedruckt würde (%3, %4 x %5)")
                .arg(gezeigt.width())
                .arg(gezeigt.height())
                .arg(eine() ? QStringLiteral("eine Etikette") : QStringLiteral("Bogen"))
                .arg(erwartet.width())
                .arg(erwartet.height());
        geprueftesVorschaubild = gezeigt.cacheKey();
        geprueftFuer = fuer;
        return {};
    }
};

} // namespace

class TestZufall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void zufaelligeBenutzung()
    {
        const quint32 saat = Umgebungszahl("MORVANE_ZUFALL_SAAT", StandardSaat);
        const int schritte = int(Umgebungszahl("MORVANE_ZUFALL_SCHRITTE", StandardSchritte));
        qInfo("Saat %u, %d Schritte", saat, schritte);

        Gestartet g;
        TFormEtikette &f = *g.form;
        Lauf lauf(g.p, f, saat);
        QStringList verlauf;
        for (int schritt = 1; schritt <= schritte; ++schritt) {
            verlauf.append(lauf.schritt());
            const QString fehler = lauf.pruefe();
            if (!fehler.isEmpty())
                QFAIL(qPrintable(
                    QStringLiteral("Saat %1, Schritt %2 (%3): %4\nDie Schritte davor: %5\nStand: %6")
                        .arg(saat)
                        .arg(schritt)
                        .arg(verlauf.last(), fehler,
                             verlauf.mid(std::max(0, int(verlauf.size()) - 12), 11).join(QStringLiteral("; ")),
                             lauf.stand())));
        }
    }
};

QTEST_MAIN(TestZufall)
#include "test_zufall.moc"
