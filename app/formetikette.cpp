#include "app/formetikette_p.h"

#include "app/bildansicht.h"
#include "render/programmbilder.h"
#include "app/updown.h"
#include "dialogs/machpause.h"
#include "dialogs/smiley.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "storage/namen.h"
#include "storage/speicher.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QResource>
#include <QShortcut>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// A length's fraction: its exact value less its whole one, in hundredths (-50 to 49); 0 on an ordinary label.
qint64 Bruch(const Bogenmasse &m, Massfeld feld)
{
    return m.Hundertstel(feld) - qint64(m.*feld) * 100;
}

// The family a font name stands for: itself where installed, else the font the program maps it to, asked for
// directly. Each font of the window would otherwise search for the missing name first; the list of installed
// families answers without asking the font configuration to resolve the name.
QString Familie(const QString &name)
{
    return QFontDatabase::families().contains(name, Qt::CaseInsensitive) ? name : QFont::substitute(name);
}

QFont verdana(int pixel, bool fett)
{
    static const QString familie = Familie(QStringLiteral("Verdana"));
    QFont f(familie);
    f.setPixelSize(pixel);
    f.setBold(fett);
    return f;
}

QFont sansSerif(int pixel, bool fett = false)
{
    static const QString familie = Familie(QStringLiteral("MS Sans Serif"));
    QFont f(familie);
    f.setPixelSize(pixel);
    f.setBold(fett);
    return f;
}

QFrame *rahmen(QWidget *eltern, int l, int t, int w, int h)
{
    auto *f = new QFrame(eltern);
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(l, t, w, h);
    f->setAttribute(Qt::WA_TransparentForMouseEvents);
    return f;
}

// The font in which `text` shows whole in the field: `schrift` itself, or smaller, a condensed face first.
QFont PassendeSchrift(const QLineEdit *feld, QFont schrift, const QString &text)
{
    // QLineEdit keeps two pixels on each side inside its frame.
    const int rahmen = feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, feld);
    const int frei = feld->width() - 2 * rahmen - 4;
    if (QFontMetrics(schrift).horizontalAdvance(text) > frei) {
        schrift.setStretch(QFont::Condensed);
        while (schrift.pixelSize() > 6 && QFontMetrics(schrift).horizontalAdvance(text) > frei)
            schrift.setPixelSize(schrift.pixelSize() - 1);
    }
    return schrift;
}

// Fields of fixed size that the program fills and nobody types in: the widest text of each must show whole. A
// field's font shrinks until that text fits, and the text is shown from its first character. An exact length
// ("297,25 mm") is wider than any whole one: while one field shows such a length, all fields take the font in
// which the widest exact length fits, so that they look alike; whole ones alone show as always.
void zeigenGanz(const QList<QLineEdit *> &felder, const QStringList &breitesteTexte)
{
    auto grund = std::make_shared<QList<QFont>>();
    for (qsizetype i = 0; i < felder.size(); ++i) {
        grund->append(PassendeSchrift(felder[i], felder[i]->font(), breitesteTexte[i]));
        if (grund->last() != felder[i]->font())
            felder[i]->setFont(grund->last());
    }
    // Sought when the first exact length shows: each size tried loads a font, which a start without one spares.
    auto genau = std::make_shared<std::optional<QFont>>();
    auto genaueSchrift = [felder, breitesteTexte, grund, genau]() -> const QFont & {
        if (!*genau) {
            QFont kleinste;
            for (qsizetype i = 0; i < felder.size(); ++i) {
                if (!breitesteTexte[i].endsWith(QStringLiteral(" mm")))
                    continue;
                const QFont f = PassendeSchrift(felder[i], (*grund)[i], QStringLiteral("297,25 mm"));
                if (kleinste.pixelSize() <= 0 || f.pixelSize() < kleinste.pixelSize())
                    kleinste = f;
            }
            *genau = kleinste;
        }
        return **genau;
    };
    for (QLineEdit *feld : felder) {
        QObject::connect(feld, &QLineEdit::textChanged, feld, [felder, grund, genaueSchrift, feld](const QString &) {
            const bool mitKomma = std::any_of(felder.begin(), felder.end(),
                                              [](const QLineEdit *f) { return f->text().contains(QLatin1Char(',')); });
            for (qsizetype i = 0; i < felder.size(); ++i) {
                // A length beyond the sheet still shows whole, in a font of its own.
                const QFont schrift =
                    mitKomma ? PassendeSchrift(felder[i], genaueSchrift(), felder[i]->text()) : (*grund)[i];
                if (schrift != felder[i]->font())
                    felder[i]->setFont(schrift);
            }
            feld->setCursorPosition(0);
        });
    }
}

// Alt alone puts the keyboard on the menu bar, as Qt programs on the desktop do, also in styles that leave it
// out; everything else is the window's own style.
class AltZurMenueleiste : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hinweis, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *antwort) const override
    {
        if (hinweis == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hinweis, option, widget, antwort);
    }
};

// A caption and the field it names: the caption leads there, and a screen reader says the name.
void benenne(QLabel *beschriftung, QLineEdit *feld, TUpDown *updown, const QString &name)
{
    beschriftung->setBuddy(feld);
    feld->setAccessibleName(name);
    updown->benenne(name);
}

} // namespace

TFormEtikette::TFormEtikette(Umgebung umgebung, QWidget *eltern)
    : QMainWindow(eltern), d(std::make_unique<Privat>(std::move(umgebung)))
{
    baueSteuerelemente();
    baueMenue();
    verbinde();
    setWindowIcon(QIcon(QPixmap::fromImage(ProgrammIcon())));
    setWindowTitle(QString());
    FormCreate();
}

TFormEtikette::~TFormEtikette()
{
    // The window going away takes the focus from a field, which would run its handler on a half-gone window.
    for (QLineEdit *feld : {EditSpalte, EditZeile})
        feld->disconnect(this);
}

void TFormEtikette::baueSteuerelemente()
{
    Klientflaeche = new QWidget(this);
    Klientflaeche->setFixedSize(1137, 556);
    Klientflaeche->setFont(sansSerif(11));
    setCentralWidget(Klientflaeche);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    QWidget *k = Klientflaeche;
    const QFont standard = verdana(13, true);

    // Frames first, so that they lie beneath the controls they surround.
    Bevel2 = rahmen(k, 616, 9, 217, 160);
    Bevel1 = rahmen(k, 840, 9, 281, 524);
    Bevel3 = rahmen(k, 16, 176, 817, 41);
    Bevel6 = rahmen(k, 16, 176, 258, 41);
    Bevel5 = rahmen(k, 16, 224, 257, 309);
    Bevel4 = rahmen(k, 280, 224, 553, 309);

    EtikettInfoImage = new TBildAnsicht(k);
    EtikettInfoImage->setAutoSize(true);
    EtikettInfoImage->move(12, 7);
    // Drawn at build time (tools/erklaerung): drawing or decoding it here took a share of the start.
    // Uncompressed (app/CMakeLists.txt), its pixels are the resource's own bytes; a compressed copy would go.
    const QResource erklaerung(QStringLiteral(":/erklaerung.rgb"));
    const QImage erklaerungsbild = AusRohbild(erklaerung.uncompressedData());
    EtikettInfoImage->setBild(erklaerung.compressionAlgorithm() == QResource::NoCompression ? erklaerungsbild
                                                                                            : erklaerungsbild.copy());
    EtikettInfoImage->beschreibe(QStringLiteral("Erklärung der Maße am Etikettenbogen"));

    ImageInfo = new TBildAnsicht(k);
    ImageInfo->setAutoSize(true);
    ImageInfo->setGeometry(657, 32, 132, 112);
    ImageInfo->beschreibe(QStringLiteral("Druckposition"));

    VorschauAbdeckungImage = new TBildAnsicht(k);
    VorschauAbdeckungImage->setStretch(true);
    VorschauAbdeckungImage->setGeometry(644, 23, 15, 132);
    VorschauAbdeckungImage->setBild(AbdeckStreifen());

    HinweisDateneingabeLabel = new QLabel(QStringLiteral("Maßangabe für neues Etikett:"), k);
    QFont hinweis = sansSerif(11, true);
    hinweis.setUnderline(true);
    HinweisDateneingabeLabel->setFont(hinweis);
    HinweisDateneingabeLabel->setGeometry(24, 228, 230, 16);
    HinweisDateneingabeLabel->hide();

    auto kasten = [&](const QString &text, int l, int t, int w, int h) {
        auto *c = new QCheckBox(text, k);
        c->setFont(standard);
        c->setGeometry(l, t, w, h);
        return c;
    };
    MehrereEtikettenDruckenCheckBox = kasten(QStringLiteral("Mehrere Etiketten drucken"), 24, 178, 215, 17);
    GanzeSeiteCheckBox = kasten(QStringLiteral("Ganze Seite"), 24, 197, 113, 17);
    NurDieZeileCheckBox = kasten(QStringLiteral("Nur die Zeile"), 136, 197, 135, 17);
    NurEineDruckenCheckBox = kasten(QStringLiteral("Nur eine Etikette drucken"), 298, 190, 207, 17);
    NurEineDruckenCheckBox->setToolTip(QStringLiteral("Hier klicken für mehrere Etiketten drucken"));
    NurEineDruckenCheckBox->setChecked(true);
    RueckseiteZeigenCheckBox = kasten(QStringLiteral("Rückseite zeigen"), 962, 13, 150, 17);
    RueckseiteZeigenCheckBox->hide();

    auto beschriftung = [&](const QString &text, int l, int t, int w, int h, const QFont &font) {
        auto *label = new QLabel(text, k);
        label->setFont(font);
        label->setGeometry(l, t, w, h);
        return label;
    };
    auto feld = [&](const QString &text, int l, int t, int w, int h, const QFont &font) {
        // Made without a parent, a field lays out its text in the application's font, not first in the client
        // area's, which would be loaded for that alone; it joins the window at once, in the same order.
        auto *e = new QLineEdit;
        e->setFont(font);
        e->setText(text);
        e->setParent(k);
        e->setGeometry(l, t, w, h);
        return e;
    };

    Label_x_SpaltenNummer = beschriftung(QStringLiteral("[x] Spalte Nr.:"), 516, 190, 101, 16, standard);
    EditSpalte = feld(QStringLiteral("1"), 622, 186, 23, 24, verdana(13, false));
    EditSpalte->setToolTip(QStringLiteral("Etikettenposition in Spaltennummer"));
    UpDownSpalte = new TUpDown(1, 100, 1, k);
    UpDownSpalte->setGeometry(647, 179, 17, 35);
    Label_Y_InZeilenNummer = beschriftung(QStringLiteral("[y] In Zeile Nr.:"), 676, 190, 109, 16, standard);
    EditZeile = feld(QStringLiteral("1"), 788, 186, 23, 24, verdana(13, false));
    EditZeile->setToolTip(QStringLiteral("Etikettenposition in Zeilennummer"));
    // The row's limit is the count per column, from the start.
    UpDownZeile = new TUpDown(1, Anfangsmasse.AnzahlEtikettenInSpalte, 1, k);
    UpDownZeile->setGeometry(813, 179, 17, 35);
    benenne(Label_x_SpaltenNummer, EditSpalte, UpDownSpalte, QStringLiteral("Spalte Nr."));
    benenne(Label_Y_InZeilenNummer, EditZeile, UpDownZeile, QStringLiteral("Zeile Nr."));
    // The arrows stop at the sheet's counts, the column's long before its own maximum of 100.
    UpDownSpalte->setZugangsMaxQuelle([this] { return AnzahlEtikettenInZeile(); });
    UpDownZeile->setZugangsMaxQuelle([this] { return AnzahlEtikettenInSpalte(); });

    const QFont massFeld = sansSerif(13);
    auto massZeile = [&](QLabel *&label, QLineEdit *&edit, TUpDown *&updown, const QString &text, int top, int min,
                         int position) {
        label = beschriftung(text, 24, top + 4, 172, 16, standard);
        edit = feld(QString(), 196, top, 49, 24, massFeld);
        updown = new TUpDown(min, 10000, position, k);
        updown->setGeometry(246, top, 17, 25);
    };
    // What a person says for each measure, in the order of Massangaben.
    static const std::array<QString, Massangaben.size()> sprechnamen{QStringLiteral("Oberer Rand"),
                                                                     QStringLiteral("Linker Rand"),
                                                                     QStringLiteral("Vertikalabstand"),
                                                                     QStringLiteral("Horizontalabstand"),
                                                                     QStringLiteral("Höhe"),
                                                                     QStringLiteral("Breite"),
                                                                     QStringLiteral("Anzahl in einer Zeile"),
                                                                     QStringLiteral("Anzahl in einer Spalte")};
    massZeile(obererRandLabel, EditObererRand, UpDownObererRand, QStringLiteral("Oberer Rand:"), 238, 0,
              Anfangsmasse.ObererRand);
    massZeile(SeitenrandLabel, EditSeitenrand, UpDownSeitenrand, QStringLiteral("Linker Rand:"), 270, 0,
              Anfangsmasse.SeitenRand);
    massZeile(HorizontalabstandLabel, EditHorizontalAbstand, UpDownHorizontalAbstand,
              QStringLiteral("Horizontalabstand: "), 302, 1, Anfangsmasse.Horizontalabstand);
    massZeile(EtikettenbreiteLabel, EditEtikettenbreite, UpDownEtikettenbreite, QStringLiteral("Breite:"), 333, 1,
              Anfangsmasse.Etikettenbreite);
    massZeile(VertikalAbstLabel, EditVertikalAbstand, UpDownVertikalAbstand, QStringLiteral("Vertikalabstand: "), 365,
              1, Anfangsmasse.Vertikalabstand);
    massZeile(EtikettenHoeheLabel, EditEtikettenHoehe, UpDownEtikettenHoehe, QStringLiteral("Höhe:"), 398, 1,
              Anfangsmasse.Etikettenhoehe);
    massZeile(AnzEtikettenInZeileLabel, EditAnzEtikettenInZeile, UpDownAnzEtikettenInZeile,
              QStringLiteral("Anz. in einer Zeile [x]:"), 442, 1, Anfangsmasse.AnzahlEtikettenInZeile);
    massZeile(AnzEtikettenInSpalteLabel, EditAnzEtikettenInSpalte, UpDownAnzEtikettenInSpalte,
              QStringLiteral("Anz. in einer Spalte [y]:"), 472, 1, Anfangsmasse.AnzahlEtikettenInSpalte);
    d->masseditoren = {{
        {obererRandLabel, EditObererRand, UpDownObererRand},
        {SeitenrandLabel, EditSeitenrand, UpDownSeitenrand},
        {VertikalAbstLabel, EditVertikalAbstand, UpDownVertikalAbstand},
        {HorizontalabstandLabel, EditHorizontalAbstand, UpDownHorizontalAbstand},
        {EtikettenHoeheLabel, EditEtikettenHoehe, UpDownEtikettenHoehe},
        {EtikettenbreiteLabel, EditEtikettenbreite, UpDownEtikettenbreite},
        {AnzEtikettenInZeileLabel, EditAnzEtikettenInZeile, UpDownAnzEtikettenInZeile},
        {AnzEtikettenInSpalteLabel, EditAnzEtikettenInSpalte, UpDownAnzEtikettenInSpalte},
    }};
    QList<QLineEdit *> massfelder;
    QStringList breitesteTexte;
    for (std::size_t i = 0; i < Massangaben.size(); ++i) {
        const Privat::Masseditor &e = d->masseditoren[i];
        massfelder << e.feld;
        breitesteTexte << MassText(Massangaben[i], 999);
        benenne(e.beschriftung, e.feld, e.updown, sprechnamen[i]);
        // A precise length is heard as the field shows it, 38,1 rather than 38.
        if (i < AnzahlLaengen)
            e.updown->setWertQuelle(
                [this, i] { return double(Masse().Hundertstel(Massangaben[i].feld)) / 100.0; });
    }
    zeigenGanz(massfelder, breitesteTexte);
    gerundetLabel = beschriftung(QStringLiteral("Die Angaben sind gerundet.^"), 25, 424, 244, 16, standard);
    gerundetLabel->setStyleSheet(QStringLiteral("color: blue"));

    BitBtn1 = new QPushButton(QStringLiteral("Maße bearbeiten"), k);
    BitBtn1->setFont(standard);
    BitBtn1->setGeometry(28, 504, 233, 25);
    // Its caption is the same locked or not: a screen reader hears which.
    BitBtn1->setAccessibleDescription(QStringLiteral("Maße frei"));
    BitBtnNeuladen = new QPushButton(QStringLiteral("Etikett neu laden"), k);
    BitBtnNeuladen->setFont(sansSerif(11, true));
    BitBtnNeuladen->setStyleSheet(QStringLiteral("color: blue"));
    BitBtnNeuladen->setGeometry(504, 227, 113, 25);
    BitBtnNeuladen->hide();

    Image1 = new TBildAnsicht(k);
    Image1->setStretch(true);
    Image1->setGeometry(378, 288, 351, 145);
    Image1->setToolTip(QStringLiteral("Doppelklick zum  Bearbeiten"));
    Image1->beschreibe(QStringLiteral("Etikett"));
    Image1->hide();

    Label1 = beschriftung(QStringLiteral("Vorschau:"), 848, 14, 73, 16, standard);
    VorschauImage = new TBildAnsicht(k);
    VorschauImage->setStretch(true);
    VorschauImage->setGeometry(848, 37, 264, 482);
    VorschauImage->beschreibe(QStringLiteral("Vorschau des Bogens"));

    // Never shown: its text is laid out in a font the window has loaded anyway, as the fields' are.
    Memo1 = new QPlainTextEdit;
    Memo1->setFont(massFeld);
    Memo1->setPlainText(QStringLiteral("Memo1"));
    Memo1->setParent(k);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setGeometry(600, 300, 100, 40);
    Memo1->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    VerzoegerungsTimer = new QTimer(this);
    VerzoegerungsTimer->setInterval(100);

    MachPause1 = new TMachPause(this);
    MachPause1->setInterval(1000);

    QWidget *reihenfolge[] = {MehrereEtikettenDruckenCheckBox,
                              NurEineDruckenCheckBox,
                              EditObererRand,
                              UpDownObererRand,
                              EditSeitenrand,
                              UpDownSeitenrand,
                              EditVertikalAbstand,
                              UpDownVertikalAbstand,
                              EditHorizontalAbstand,
                              UpDownHorizontalAbstand,
                              EditEtikettenHoehe,
                              UpDownEtikettenHoehe,
                              EditEtikettenbreite,
                              UpDownEtikettenbreite,
                              EditAnzEtikettenInZeile,
                              UpDownAnzEtikettenInZeile,
                              EditAnzEtikettenInSpalte,
                              UpDownAnzEtikettenInSpalte,
                              EditSpalte,
                              UpDownSpalte,
                              EditZeile,
                              UpDownZeile,
                              BitBtnNeuladen,
                              BitBtn1,
                              GanzeSeiteCheckBox,
                              NurDieZeileCheckBox};
    for (std::size_t i = 1; i < std::size(reihenfolge); ++i)
        setTabOrder(reihenfolge[i - 1], reihenfolge[i]);
    // Hidden without a back, so that the chain is as it was.
    setTabOrder(reihenfolge[std::size(reihenfolge) - 1], RueckseiteZeigenCheckBox);
}

void TFormEtikette::baueMenue()
{
    QMenuBar *leiste = menuBar();
    auto *stil = new AltZurMenueleiste(QStyleFactory::create(QApplication::style()->name()));
    stil->setParent(leiste);
    leiste->setStyle(stil);
    Datei1 = leiste->addMenu(QStringLiteral("&Datei"));
    Neu1 = Datei1->addAction(QStringLiteral("Neu mit Hilfe einer Vorlage"));
    NeuFuerEtikettenbogen1 = Datei1->addAction(QStringLiteral("Neu für einen Etikettenbogen..."));
    NeuAusBild1 = Datei1->addAction(QStringLiteral("Neu aus einem Bild..."));
    Oeffnen1 = Datei1->addAction(QStringLiteral("Öffnen..."));
    Oeffnen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    // Without a shortcut: a sheet of labels is not spent by a slip of the keys.
    drucken1 = Datei1->addAction(QStringLiteral("Drucken"));
    RueckseiteDrucken1 = Datei1->addAction(QStringLiteral("Rückseite drucken"));
    Probedruck1 = Datei1->addAction(QStringLiteral("Probedruck auf Normalpapier..."));
    speichern1 = Datei1->addAction(QStringLiteral("Speichern"));
    speichern1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Etikettneuladen1 = Datei1->addAction(QStringLiteral("Etikett neu laden"));
    BogenZusammenstellen1 = Datei1->addAction(QStringLiteral("Bogen zusammenstellen..."));
    EtikettenAusListe1 = Datei1->addAction(QStringLiteral("Etiketten aus einer Liste..."));
    N1 = Datei1->addAction(QStringLiteral("   "));
    Beenden1 = Datei1->addAction(QStringLiteral("Beenden"));
    Beenden1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    Bearbeiten1 = leiste->addMenu(QStringLiteral("&Bearbeiten"));
    Bearbeiten1->menuAction()->setToolTip(QStringLiteral("Zum Ändern, Bearbeiten"));
    Bearbeiten1->menuAction()->setStatusTip(QStringLiteral("Maße der "));
    Etikettbearbeiten1 = Bearbeiten1->addAction(QStringLiteral("Etikett bearbeiten"));
    MasseEtikettBearbeiten = Bearbeiten1->addAction(QStringLiteral("Maße Etikett bearbeiten"));
    RueckseiteWaehlen1 = Bearbeiten1->addAction(QStringLiteral("Rückseite wählen..."));
    KurzeKante1 = Bearbeiten1->addAction(QStringLiteral("Über die kurze Kante wenden"));
    KurzeKante1->setCheckable(true);
    BildUebernehmen1 = Bearbeiten1->addAction(QStringLiteral("Bild übernehmen..."));
    TextAufEtikett1 = Bearbeiten1->addAction(QStringLiteral("Text auf dem Etikett..."));
    CodeAufEtikett1 = Bearbeiten1->addAction(QStringLiteral("Code auf dem Etikett..."));

    Option1 = leiste->addMenu(QStringLiteral("&Option"));
    RegistryEintraegeloeschen1 = Option1->addAction(QStringLiteral("Registry-Einträge löschen"));
    MasseGenauEingeben1 = Option1->addAction(QStringLiteral("Maße genau eingeben..."));
    Anschnitt1 = Option1->addAction(QStringLiteral("Anschnitt..."));
    Schnittmarken1 = Option1->addAction(QStringLiteral("Schnittmarken"));
    Schnittmarken1->setCheckable(true);
    DruckerAusrichten1 = Option1->addAction(QStringLiteral("Drucker ausrichten..."));

    Hilfe1 = leiste->addMenu(QStringLiteral("&Hilfe"));
    Hilfethemen1 = Hilfe1->addAction(QStringLiteral("Hilfethemen"));
    Hilfethemen1->setShortcut(QKeySequence::HelpContents);
    Spenden1 = Hilfe1->addAction(QStringLiteral("Spenden"));
    // The face is drawn when the menu first opens: nothing shows it before.
    connect(Hilfe1, &QMenu::aboutToShow, Spenden1, [this] {
        if (Spenden1->icon().isNull())
            Spenden1->setIcon(QIcon(SmileyBild()));
    });
    InfoUeber = Hilfe1->addAction(QStringLiteral("Info über..."));
}

void TFormEtikette::verbinde()
{
    // The document holds the print choice, the boxes and the position editors are where the person makes it: it
    // follows them before any of their handlers runs, so that every handler reads the choice they show.
    const auto folgeWahl = [this] {
        const Druckumfang umfang = NurEineDruckenCheckBox->isChecked() ? Druckumfang::EineEtikette
            : NurDieZeileCheckBox->isChecked()                           ? Druckumfang::EineZeile
                                                                         : Druckumfang::GanzeSeite;
        d->dokument.setzeWahl({umfang, Spalte(), Zeile()});
    };
    for (QCheckBox *kasten : {NurEineDruckenCheckBox, NurDieZeileCheckBox})
        connect(kasten, &QCheckBox::toggled, this, folgeWahl);
    for (TUpDown *position : {UpDownSpalte, UpDownZeile})
        connect(position, &TUpDown::geaendert, this, folgeWahl);

    auto an = [this](QAction *aktion, void (TFormEtikette::*handler)()) {
        connect(aktion, &QAction::triggered, this,
                [this, handler] { bewacht([this, handler] { (this->*handler)(); }); });
    };
    an(Neu1, &TFormEtikette::Neu1Click);
    an(NeuFuerEtikettenbogen1, &TFormEtikette::NeuFuerEtikettenbogen1Click);
    an(NeuAusBild1, &TFormEtikette::NeuAusBild1Click);
    an(BildUebernehmen1, &TFormEtikette::BildUebernehmen1Click);
    an(Oeffnen1, &TFormEtikette::Oeffnen1Click);
    an(drucken1, &TFormEtikette::drucken1Click);
    an(RueckseiteDrucken1, &TFormEtikette::RueckseiteDrucken1Click);
    an(Probedruck1, &TFormEtikette::Probedruck1Click);
    an(speichern1, &TFormEtikette::speichern1Click);
    an(Etikettneuladen1, &TFormEtikette::Etikettneuladen1Click);
    an(BogenZusammenstellen1, &TFormEtikette::BogenZusammenstellen1Click);
    an(EtikettenAusListe1, &TFormEtikette::EtikettenAusListe1Click);
    an(TextAufEtikett1, &TFormEtikette::TextAufEtikett1Click);
    an(CodeAufEtikett1, &TFormEtikette::CodeAufEtikett1Click);
    an(Beenden1, &TFormEtikette::Beenden1Click);
    an(Etikettbearbeiten1, &TFormEtikette::Etikettbearbeiten1Click);
    an(MasseEtikettBearbeiten, &TFormEtikette::MasseEtikettBearbeitenClick);
    an(RueckseiteWaehlen1, &TFormEtikette::RueckseiteWaehlen1Click);
    an(KurzeKante1, &TFormEtikette::KurzeKante1Click);
    an(RegistryEintraegeloeschen1, &TFormEtikette::RegistryEintraegeloeschen1Click);
    an(DruckerAusrichten1, &TFormEtikette::DruckerAusrichten1Click);
    an(Anschnitt1, &TFormEtikette::Anschnitt1Click);
    an(Schnittmarken1, &TFormEtikette::Schnittmarken1Click);
    an(MasseGenauEingeben1, &TFormEtikette::MasseGenauEingeben1Click);
    an(Hilfethemen1, &TFormEtikette::Hilfethemen1Click);
    an(Spenden1, &TFormEtikette::Spenden1Click);
    an(InfoUeber, &TFormEtikette::InfoUeberClick);

    auto kasten = [this](QCheckBox *box, void (TFormEtikette::*handler)()) {
        connect(box, &QCheckBox::toggled, this, [this, handler] { bewacht([this, handler] { (this->*handler)(); }); });
    };
    kasten(MehrereEtikettenDruckenCheckBox, &TFormEtikette::MehrereEtikettenDruckenCheckBoxClick);
    kasten(NurEineDruckenCheckBox, &TFormEtikette::NurEineDruckenCheckBoxClick);
    kasten(GanzeSeiteCheckBox, &TFormEtikette::GanzeSeiteCheckBoxClick);
    kasten(NurDieZeileCheckBox, &TFormEtikette::NurDieZeileCheckBoxClick);
    kasten(RueckseiteZeigenCheckBox, &TFormEtikette::RueckseiteZeigenCheckBoxClick);

    auto spin = [this](TUpDown *updown, void (TFormEtikette::*changing)(), void (TFormEtikette::*click)()) {
        if (changing)
            connect(updown, &TUpDown::changing, this, [this, changing] { (this->*changing)(); });
        connect(updown, &TUpDown::click, this, [this, click] { bewacht([this, click] { (this->*click)(); }); });
    };
    spin(UpDownObererRand, &TFormEtikette::UpDownObererRandChanging, &TFormEtikette::UpDownObererRandClick);
    spin(UpDownSeitenrand, &TFormEtikette::UpDownSeitenrandChanging, &TFormEtikette::UpDownSeitenrandClick);
    spin(UpDownHorizontalAbstand, &TFormEtikette::UpDownHorizontalAbstandChanging,
         &TFormEtikette::UpDownHorizontalAbstandClick);
    spin(UpDownEtikettenbreite, &TFormEtikette::UpDownEtikettenbreiteChanging,
         &TFormEtikette::UpDownEtikettenbreiteClick);
    spin(UpDownVertikalAbstand, &TFormEtikette::UpDownVertikalAbstandChanging,
         &TFormEtikette::UpDownVertikalAbstandClick);
    spin(UpDownEtikettenHoehe, &TFormEtikette::UpDownEtikettenHoeheChanging, &TFormEtikette::UpDownEtikettenHoeheClick);
    spin(UpDownAnzEtikettenInZeile, &TFormEtikette::UpDownAnzEtikettenInZeileChanging,
         &TFormEtikette::UpDownAnzEtikettenInZeileClick);
    spin(UpDownAnzEtikettenInSpalte, &TFormEtikette::UpDownAnzEtikettenInSpalteChanging,
         &TFormEtikette::UpDownAnzEtikettenInSpalteClick);
    spin(UpDownSpalte, nullptr, &TFormEtikette::UpDownSpalteClick);
    spin(UpDownZeile, nullptr, &TFormEtikette::UpDownZeileClick);
    // An editor emits geaendert between its changing and its click handler: the click reads the value it moved.
    for (std::size_t i = 0; i < Massangaben.size(); ++i)
        connect(d->masseditoren[i].updown, &TUpDown::geaendert, this, [this, i] { MassFolgtEditor(i); });
    connect(NurEineDruckenCheckBox, &QCheckBox::toggled, this, [this] { SetzeHinweisNurEineDrucken(); });

    connect(UpDownEtikettenHoehe, &TUpDown::mausGedrueckt, this, &TFormEtikette::UpDownEtikettenHoeheMouseDown);
    connect(UpDownEtikettenHoehe, &TUpDown::mausLosgelassen, this, &TFormEtikette::UpDownEtikettenHoeheMouseUp);
    connect(UpDownEtikettenbreite, &TUpDown::mausGedrueckt, this, &TFormEtikette::UpDownEtikettenbreiteMouseDown);
    connect(UpDownEtikettenbreite, &TUpDown::mausLosgelassen, this, &TFormEtikette::UpDownEtikettenbreiteMouseUp);

    connect(EditAnzEtikettenInZeile, &QLineEdit::textChanged, this,
            [this] { bewacht([this] { EditAnzEtikettenInZeileChange(); }); });
    connect(EditAnzEtikettenInSpalte, &QLineEdit::textChanged, this,
            [this] { bewacht([this] { EditAnzEtikettenInSpalteChange(); }); });

    connect(BitBtn1, &QPushButton::clicked, this, [this] { bewacht([this] { MasseBearbeitenClick(); }); });
    connect(BitBtnNeuladen, &QPushButton::clicked, this, [this] { bewacht([this] { BitBtnNeuladenClick(); }); });
    connect(Image1, &TBildAnsicht::doppelklick, this, [this] { bewacht([this] { Image1DblClick(); }); });
    // Taken after the drop has ended: the dialogs it may open must not run inside the drag.
    Image1->setDateiAblage(true);
    connect(
        Image1, &TBildAnsicht::dateiAbgelegt, this,
        [this](const QString &pfad) { bewacht([this, pfad] { UebernimmBild(pfad); }); }, Qt::QueuedConnection);
    connect(Timer1, &QTimer::timeout, this, &TFormEtikette::Timer1Timer);

    // F10 opens the first menu, as desktop programs do; the keyboard then walks the menu bar.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { bewacht([this] { menuBar()->setActiveAction(Datei1->menuAction()); }); });
    connect(this, &QWidget::windowTitleChanged, this, [this] {
        Image1->beschreibe((QStringLiteral("Etikett ") + NameOhneEndung(d->dokument.bildPfad())).trimmed());
    });
    // A typed column or row counts once the person leaves the field: also for the menu, which takes no focus.
    for (QLineEdit *feld : {EditSpalte, EditZeile})
        connect(feld, &QLineEdit::editingFinished, this, [this] { bewacht([this] { UebernimmGetipptePosition(); }); });
    for (QMenu *menue : {Datei1, Bearbeiten1, Option1, Hilfe1})
        connect(menue, &QMenu::aboutToShow, this, [this] { bewacht([this] { UebernimmGetipptePosition(); }); });
    // The arrows take no focus either, and move from what was typed.
    for (TUpDown *updown : {UpDownSpalte, UpDownZeile})
        for (QToolButton *pfeil : {updown->hochKnopf(), updown->runterKnopf()})
            connect(pfeil, &QToolButton::pressed, this, [this] { bewacht([this] { UebernimmGetipptePosition(); }); });
    connect(VerzoegerungsTimer, &QTimer::timeout, this, &TFormEtikette::VerzoegerungsTimerTimer);
}

Etikettdokument &TFormEtikette::dokument()
{
    return d->dokument;
}

const Etikettdokument &TFormEtikette::dokument() const
{
    return d->dokument;
}

const Zustand &TFormEtikette::zustand() const
{
    return d->z;
}

const Bogenmasse &TFormEtikette::Masse() const
{
    return d->dokument.masse();
}

DialogDienst &TFormEtikette::dialoge()
{
    return d->umgebung.dialoge;
}

int TFormEtikette::vorschauZaehler() const
{
    return d->vorschauZaehler;
}

bool TFormEtikette::beendet() const
{
    return d->beendet;
}

bool TFormEtikette::bewacht(const std::function<void()> &handler)
{
    // Handlers run nested (a check box set by another handler runs its own): an error is shown once, when the
    // outermost handler returns, not once per level it passed.
    ++d->bewachtTiefe;
    bool ok = true;
    try {
        handler();
    } catch (const Fehler &f) {
        ok = false;
        if (!d->offeneFehler.contains(f.text()))
            d->offeneFehler.append(f.text());
    } catch (const std::exception &e) {
        ok = false;
        d->offeneFehler.append(QString::fromLocal8Bit(e.what()));
    }
    if (--d->bewachtTiefe == 0) {
        const QStringList fehler = std::exchange(d->offeneFehler, {});
        for (const QString &text : fehler)
            d->umgebung.dialoge.fehler(text);
    }
    return ok;
}

Aufloesung TFormEtikette::bildschirm() const
{
    return d->umgebung.bildschirm();
}

void TFormEtikette::ZeigeMasse(const Bogenmasse &bisher, const Bogenmasse &masse,
                               const std::array<bool, Massangaben.size()> &welche)
{
    std::array<bool, Massangaben.size()> zeigen = welche;
    for (std::size_t i = 0; i < AnzahlLaengen; ++i)
        zeigen[i] = zeigen[i] || Bruch(masse, Massangaben[i].feld) != Bruch(bisher, Massangaben[i].feld);
    // Precise or not goes with the measures as a whole: a file read as ordinary leaves no fraction behind, also for
    // a length it lacks. The editors show the same whole lengths either way until they move.
    Bogenmasse m = Masse();
    if (masse.IstGenau() && !m.IstGenau())
        m = MitGenauenLaengen(m, GenaueLaengen(m), true);
    else if (!masse.IstGenau())
        m.genau.reset();
    d->dokument.setzeMasse(m);
    // Exact lengths are not rounded.
    gerundetLabel->setHidden(masse.IstGenau());
    for (std::size_t i = 0; i < Massangaben.size(); ++i) {
        const Massfeld feld = Massangaben[i].feld;
        SetzeMass(feld, masse.Hundertstel(feld));
        if (zeigen[i])
            ZeigeMassText(feld);
    }
}

void TFormEtikette::SetzeMass(Massfeld feld, qint64 hundertstel)
{
    const Massangabe &a = Massangaben[MassIndex(feld)];
    TUpDown *updown = d->editor(feld).updown;
    // The editor's range decides, as for any position the program sets.
    const int ganz = GanzeMm(hundertstel);
    const int position = std::clamp(ganz, updown->Min(), updown->Max());
    Bogenmasse m = Masse();
    m.*feld = position;
    if (a.genau && m.genau)
        (*m.genau).*a.genau = int(position == ganz ? hundertstel : qint64(position) * 100);
    d->dokument.setzeMasse(m);
    updown->setPosition(position);
}

void TFormEtikette::MassFolgtEditor(std::size_t index)
{
    const Massangabe &a = Massangaben[index];
    const int position = d->masseditoren[index].updown->Position();
    Bogenmasse m = Masse();
    if (m.*a.feld != position) {
        // An arrow moves a length by 1 mm and keeps its fraction, but not beyond the editor's range: at its end the
        // length stops there.
        if (a.genau && m.genau) {
            const qint64 exakt = qint64(position) * 100 + Bruch(m, a.feld);
            const bool imBereich = exakt >= qint64(a.minimum) * 100 && exakt <= qint64(MassMaximum) * 100;
            (*m.genau).*a.genau = int(imBereich ? exakt : qint64(position) * 100);
        }
        m.*a.feld = position;
        d->dokument.setzeMasse(m);
    }
    // No row beyond the rows: raised with the count, the new last row can be chosen; lowered, the row editor comes
    // back with it, and the step that lowered the count brings its field.
    if (a.feld == &Bogenmasse::AnzahlEtikettenInSpalte)
        UpDownZeile->setMax(position);
}

void TFormEtikette::ZeigeMassText(Massfeld feld)
{
    const std::size_t i = MassIndex(feld);
    d->masseditoren[i].feld->setText(MassText(Massangaben[i], Masse()));
    d->masseditoren[i].updown->meldeWert();
}

int TFormEtikette::ObererRand() const
{
    return Masse().ObererRand;
}
int TFormEtikette::SeitenRand() const
{
    return Masse().SeitenRand;
}
int TFormEtikette::Vertikalabstand() const
{
    return Masse().Vertikalabstand;
}
int TFormEtikette::Horizontalabstand() const
{
    return Masse().Horizontalabstand;
}
int TFormEtikette::Etikettenhoehe() const
{
    return Masse().Etikettenhoehe;
}
int TFormEtikette::Etikettenbreite() const
{
    return Masse().Etikettenbreite;
}
int TFormEtikette::AnzahlEtikettenInZeile() const
{
    return Masse().AnzahlEtikettenInZeile;
}
int TFormEtikette::AnzahlEtikettenInSpalte() const
{
    return Masse().AnzahlEtikettenInSpalte;
}
int TFormEtikette::Spalte() const
{
    return UpDownSpalte->Position();
}
int TFormEtikette::Zeile() const
{
    return UpDownZeile->Position();
}

void TFormEtikette::FormCreate()
{
    d->z.ProgrammOrdner = QDir::toNativeSeparators(QDir::currentPath());
    if (!d->z.ProgrammOrdner.endsWith(QDir::separator()))
        d->z.ProgrammOrdner += QDir::separator();

    bewacht([this] {
        // Before the first read, which would put such a store aside without a word.
        for (const QString &hinweis : SpeicherHinweise())
            d->umgebung.dialoge.meldung(hinweis);
        d->z.InstallOrt = Lies_String_aus_Registry(QStringLiteral("InstallOrt"));
        if (d->z.InstallOrt.isEmpty()) {
            // Recording a folder without data would end every later start too, also from the right folder.
            const QString daten = DatenordnerPfad(d->z.ProgrammOrdner);
            if (!QFileInfo(daten).isDir()) {
                d->umgebung.dialoge.meldung(QStringLiteral("Der Ordner ") + daten
                                           + QStringLiteral(" ist nicht vorhanden! Programm wird beendet!"));
                d->beendet = true;
                return;
            }
            Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege();
        } else {
            d->z.InstallOrt = Lies_String_aus_Registry(QStringLiteral("InstallOrt"));
            for (const QString &meldung : OrtsMeldungen(d->z.InstallOrt, d->z.ProgrammOrdner))
                d->umgebung.dialoge.information(meldung);
        }
        const QString infos = Lies_String_aus_Registry(QStringLiteral("OrdnerEtikettenInfos"));
        if (!infos.isEmpty())
            d->z.OrdnerEtikettenInfos = infos + QDir::separator();
        const QString vorlagen = Lies_String_aus_Registry(QStringLiteral("OrdnerEtikettenVorlagen"));
        if (!vorlagen.isEmpty())
            d->z.OrdnerEtikettenVorlagen = vorlagen + QDir::separator();
        // The session's printer is not known before the first print: the one last taught how it turns stands in.
        FolgeDemDrucker(Lies_String_aus_Registry(QStringLiteral("Wendedrucker")));
    });
}

void TFormEtikette::showEvent(QShowEvent *ereignis)
{
    QMainWindow::showEvent(ereignis);
    // Some styles mark the focus only once the keyboard has moved it, and showing clears that: a person who
    // works by keyboard sees where it is from the start.
    setAttribute(Qt::WA_KeyboardFocusChange);
    if (!d->z.ErsterAufruf)
        return;
    // Cleared before anything can open a box, so that the start runs once.
    d->z.ErsterAufruf = false;
    // The window then paints once, with the label, instead of once without it and again.
    if (!d->beendet && StartOhneDialog()) {
        bewacht([this] { StartArbeit(); });
        return;
    }
    // A box opens neither inside a paint nor before the window shows: the start follows from the event loop, and
    // the window paints again when it is done.
    QMetaObject::invokeMethod(
        this,
        [this] {
            bewacht([this] { StartArbeit(); });
            Klientflaeche->update();
        },
        Qt::QueuedConnection);
}

bool TFormEtikette::StartOhneDialog()
{
    if (d->umgebung.argumentAnzahl != 0)
        return true;
    try {
        const QString zuletzt = Lies_String_aus_Registry(QStringLiteral("ZuletztAngezeigt"));
        if (zuletzt.isEmpty())
            return true;
        if (!QFileInfo(zuletzt).isFile())
            return false;
        // StartArbeit takes the same label first; its picture is decoded once for both.
        d->dokument.setzeBild(zuletzt);
        return !d->dokument.bild().isNull();
    } catch (const std::exception &) {
        // The queued start shows it.
        return false;
    }
}

void TFormEtikette::setzePositionsfelder(bool an)
{
    for (QWidget *w : std::initializer_list<QWidget *>{Label_Y_InZeilenNummer, EditZeile, UpDownZeile,
                                                       Label_x_SpaltenNummer, EditSpalte, UpDownSpalte})
        w->setEnabled(an);
}

void TFormEtikette::StartArbeit()
{
    if (d->beendet)
        return;
    setzePositionsfelder(false);
    if (d->umgebung.argumentAnzahl == 0) {
        const QString zuletzt = Lies_String_aus_Registry(QStringLiteral("ZuletztAngezeigt"));
        if (!zuletzt.isEmpty()) {
            d->dokument.setzeBild(zuletzt);
            if (QFileInfo(zuletzt).isFile()) {
                if (d->dokument.bild().isNull())
                    throw Fehler(KeinLesbaresBild(zuletzt));
                Image1->setBild(d->dokument.bild());
                UeberpruefeObsInDerBreiteMehrmalsPasst();
                NachDemLaden(Geladen::Start);
            } else {
                setWindowTitle(TitelAnfang);
                Oeffnen1Click();
                if (d->beendet)
                    return;
                // The label chosen, or the missing one when the person cancelled: read as the start reads.
                NachDemLaden(Geladen::Start);
            }
        }
    }
    setWindowTitle(TitelAnfang + NameOhneEndung(d->dokument.bildPfad()));
    DeaktiviereEinstellungen();
}

void TFormEtikette::NachDemLaden(Geladen weg)
{
    // Every way of bringing a label in reads its settings file and then, in the order its flow has always had:
    //              position          fit    title        lock, view, layout picture   counts as loaded
    //   Start      onto the sheet    (1)    at the end   layout picture before view    when its file was there
    //   Geoeffnet  to column 1, row 1  yes  upper case   lock, view, layout picture   yes
    //   Neu        onto the sheet    no     upper case   lock, view, layout picture   no
    //   Bild       onto the sheet    yes    upper case   lock, view (decoded anew), layout picture  no
    // (1) decided before the settings were read, from the picture and the measures shown; a precise label's is
    // decided in millimetres, from its own measures, once they are read.
    const QString etikett = d->dokument.bildPfad();
    const bool vorhanden = QFileInfo(etikett).isFile();
    if (weg == Geladen::Bild)
        BitBtnNeuladen->hide();
    LiesVorlagenDatenEin(etikett);
    if (weg == Geladen::Start) {
        d->dokument.setzeGeaendert(false);
        if (Masse().IstGenau() && vorhanden)
            UeberpruefeObsInDerBreiteMehrmalsPasst();
        EditZeile->setText(QString::number(Zeile()));
        EditSpalte->setText(QString::number(Spalte()));
        BringePositionAufDenBogen();
        LadeEtikettenInfo();
        StelleGroesseImage1ein();
        NurEineDruckenCheckBox->setFocus();
        NurEineDruckenCheckBoxClick();
        NurEineDruckenCheckBox->setChecked(true);
        if (vorhanden) {
            d->z.GeladeneAnzahlInZeile = AnzahlEtikettenInZeile();
            d->z.GeladeneAnzahlInSpalte = AnzahlEtikettenInSpalte();
        }
        return;
    }
    if (weg == Geladen::Geoeffnet) {
        setWindowTitle(TitelAnfang + Anzeigename(etikett));
        UpDownZeileClick();
        UpDownZeile->setPosition(1);
        EditZeile->setText(QStringLiteral("1"));
        UpDownSpalteClick();
        UpDownSpalte->setPosition(1);
        EditSpalte->setText(QStringLiteral("1"));
        setzeZeilenBeschriftung();
    } else {
        BringePositionAufDenBogen();
    }
    if (weg != Geladen::Neu)
        UeberpruefeObsInDerBreiteMehrmalsPasst();
    if (weg != Geladen::Geoeffnet)
        setWindowTitle(TitelAnfang + Anzeigename(etikett));
    d->dokument.setzeGeaendert(false);
    DeaktiviereEinstellungen();
    if (weg == Geladen::Bild)
        d->dokument.bild(true);
    StelleGroesseImage1ein();
    LadeEtikettenInfo();
    if (weg == Geladen::Geoeffnet) {
        d->z.GeladeneAnzahlInZeile = AnzahlEtikettenInZeile();
        d->z.GeladeneAnzahlInSpalte = AnzahlEtikettenInSpalte();
    }
}

void TFormEtikette::FormClose()
{
    const QString etikett = d->dokument.bildPfad();
    if (!d->dokument.geaendert() && !etikett.isEmpty())
        Schreib_String_in_Registry(QStringLiteral("ZuletztAngezeigt"), etikett);
    if (d->dokument.geaendert())
        EinstellungenSpeichernFrage();
}

void TFormEtikette::closeEvent(QCloseEvent *ereignis)
{
    // A save that fails keeps the program running, so the user can try again.
    d->beendet = bewacht([this] { FormClose(); });
    if (d->beendet)
        ereignis->accept();
    else
        ereignis->ignore();
}

void TFormEtikette::Beenden1Click()
{
    close();
}

void TFormEtikette::Timer1Timer() {}

void TFormEtikette::wheelEvent(QWheelEvent *ereignis)
{
    if (ereignis->angleDelta().y() < 0)
        FormMouseWheelDown();
    else if (ereignis->angleDelta().y() > 0)
        FormMouseWheelUp();
    ereignis->ignore();
}
