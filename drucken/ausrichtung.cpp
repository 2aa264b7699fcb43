#include "drucken/ausrichtung.h"

#include "platform/dialogdienst.h"
#include "drucken/drucker.h"
#include "platform/fehler.h"
#include "render/ausrichtung.h"
#include "storage/druckerausrichtung.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

const QString KeinDrucker =
    QStringLiteral("Eine Ausrichtung gilt für einen Drucker; beim Drucken in eine Datei wird nichts ausgerichtet. "
                   "Bitte wählen Sie mit „Testseite drucken...“ einen Drucker.");

bool Leer(const Messtexte &texte)
{
    return std::all_of(texte.begin(), texte.end(), [](const QString &t) { return t.trimmed().isEmpty(); });
}

QPushButton *Knopf(const QString &name, const QString &text, QWidget *eltern)
{
    auto *k = new QPushButton(text, eltern);
    k->setObjectName(name);
    // Enter in a measured field must not save or close.
    k->setAutoDefault(false);
    return k;
}

} // namespace

TAusrichtungsDialog::TAusrichtungsDialog(QPrinter &drucker, DialogDienst &dialoge, QWidget *eltern)
    : QDialog(eltern), m_drucker(drucker), m_dialoge(dialoge)
{
    setObjectName(QStringLiteral("AusrichtungsDialog"));
    setWindowTitle(QStringLiteral("Drucker ausrichten"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *hinweis = new QLabel(
        QStringLiteral("Viele Drucker setzen die Seite ein bis zwei Millimeter daneben, manche verkleinern oder "
                       "vergrößern sie ein wenig. Drucken Sie die Testseite auf ein leeres A4-Blatt, messen Sie mit "
                       "einem Lineal, wo die Mitten der beiden Kreuze liegen, und tragen Sie die Werte hier ein. "
                       "Morvane gleicht den Fehler dann bei jedem Druck auf diesem Drucker aus."),
        this);
    hinweis->setWordWrap(true);

    m_druckerLabel = new QLabel(this);
    m_druckerLabel->setObjectName(QStringLiteral("DruckerLabel"));
    QPushButton *testseite = Knopf(QStringLiteral("TestseiteButton"), QStringLiteral("Testseite drucken..."), this);
    auto *druckerZeile = new QHBoxLayout;
    druckerZeile->addWidget(m_druckerLabel, 1);
    druckerZeile->addWidget(testseite);

    m_gespeichertLabel = new QLabel(this);
    m_gespeichertLabel->setObjectName(QStringLiteral("GespeichertLabel"));
    m_gespeichertLabel->setWordWrap(true);

    // The four fields of one side's crosses, named `praefix` + Kreuz1Links ..., their captions `vorsatz` + "Kreuz 1".
    auto kreuzfelder = [this](QGroupBox *gruppe, QGridLayout *raster, int ersteZeile, QLineEdit **felder,
                              const QString &praefix, const QString &vorsatz) {
        raster->addWidget(new QLabel(QStringLiteral("von links"), gruppe), ersteZeile, 1);
        raster->addWidget(new QLabel(QStringLiteral("von oben"), gruppe), ersteZeile, 2);
        const QString namen[4] = {QStringLiteral("Kreuz1Links"), QStringLiteral("Kreuz1Oben"),
                                  QStringLiteral("Kreuz2Links"), QStringLiteral("Kreuz2Oben")};
        for (int kreuz = 0; kreuz < 2; ++kreuz) {
            const MmPunkt soll = kreuz == 0 ? TestkreuzOben : TestkreuzUnten;
            raster->addWidget(new QLabel(vorsatz
                                             + QStringLiteral("Kreuz %1 (Soll: %2 / %3 mm)")
                                                   .arg(kreuz + 1)
                                                   .arg(soll.x, 0, 'f', 0)
                                                   .arg(soll.y, 0, 'f', 0),
                                         gruppe),
                              ersteZeile + kreuz + 1, 0);
            for (int achse = 0; achse < 2; ++achse) {
                QLineEdit *&feld = felder[kreuz * 2 + achse];
                feld = new QLineEdit(gruppe);
                feld->setObjectName(praefix + namen[kreuz * 2 + achse]);
                // The captions stand above and beside the field, so none is its buddy: the name says both.
                feld->setAccessibleName(
                    vorsatz
                    + QStringLiteral("Kreuz %1 %2")
                          .arg(kreuz + 1)
                          .arg(achse == 0 ? QStringLiteral("von links") : QStringLiteral("von oben")));
                feld->setPlaceholderText(QStringLiteral("z. B. ") + Messbeispiel(kreuz * 2 + achse));
                connect(feld, &QLineEdit::textChanged, this, [this] { zeigeErgebnis(); });
                raster->addWidget(feld, ersteZeile + kreuz + 1, achse + 1);
            }
        }
    };
    auto *messung = new QGroupBox(QStringLiteral("Gemessen, in mm vom linken und vom oberen Papierrand"), this);
    kreuzfelder(messung, new QGridLayout(messung), 0, m_felder, QStringLiteral("Edit"), QString());

    // The back: its own test page on the back of the first, its own crosses.
    auto *rueckseite = new QGroupBox(QStringLiteral("Rückseite, gemessen wie oben auf der Rückseite"), this);
    auto *rueckRaster = new QGridLayout(rueckseite);
    auto *rueckHinweis = new QLabel(
        QStringLiteral("Für Karten mit Rückseite: legen Sie die bedruckte Testseite so gewendet wieder ein, wie Sie "
                       "Etikettenbögen für die Rückseite einlegen, und drucken Sie die Testseite für die Rückseite "
                       "darauf. Ohne Werte hier bleibt die Ausrichtung der Rückseite, wie sie ist."),
        rueckseite);
    rueckHinweis->setWordWrap(true);
    QPushButton *rueckTestseite =
        Knopf(QStringLiteral("RueckTestseiteButton"), QStringLiteral("Testseite für die Rückseite drucken..."), this);
    m_rueckGespeichertLabel = new QLabel(rueckseite);
    m_rueckGespeichertLabel->setObjectName(QStringLiteral("RueckGespeichertLabel"));
    m_rueckGespeichertLabel->setWordWrap(true);
    rueckRaster->addWidget(rueckHinweis, 0, 0, 1, 3);
    QPushButton *wendeprobe = Knopf(QStringLiteral("WendeprobeButton"), QStringLiteral("&Wendeprobe drucken..."), this);
    wendeprobe->setToolTip(QStringLiteral("Auf Normalpapier zeigen, wie der Bogen für die Rückseite in diesen Drucker "
                                          "gehört"));
    auto *rueckKnoepfe = new QHBoxLayout;
    rueckKnoepfe->addStretch(1);
    rueckKnoepfe->addWidget(wendeprobe);
    rueckKnoepfe->addWidget(rueckTestseite);
    rueckRaster->addLayout(rueckKnoepfe, 1, 0, 1, 3);
    rueckRaster->addWidget(m_rueckGespeichertLabel, 2, 0, 1, 3);
    kreuzfelder(rueckseite, rueckRaster, 3, m_rueckFelder, QStringLiteral("EditRueck"), QStringLiteral("Rückseite "));
    m_rueckErgebnisLabel = new QLabel(rueckseite);
    m_rueckErgebnisLabel->setObjectName(QStringLiteral("RueckErgebnisLabel"));
    m_rueckErgebnisLabel->setWordWrap(true);
    rueckRaster->addWidget(m_rueckErgebnisLabel, 6, 0, 1, 3);

    m_ergebnisLabel = new QLabel(this);
    m_ergebnisLabel->setObjectName(QStringLiteral("ErgebnisLabel"));
    m_ergebnisLabel->setWordWrap(true);

    QPushButton *speichern = Knopf(QStringLiteral("SpeichernButton"), QStringLiteral("Speichern"), this);
    QPushButton *zuruecksetzen = Knopf(QStringLiteral("ZuruecksetzenButton"), QStringLiteral("Zurücksetzen"), this);
    QPushButton *abbrechen = Knopf(QStringLiteral("AbbrechenButton"), QStringLiteral("Abbrechen"), this);
    zuruecksetzen->setToolTip(QStringLiteral("Die gespeicherte Ausrichtung dieses Druckers löschen"));
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addWidget(zuruecksetzen);
    knoepfe->addStretch(1);
    knoepfe->addWidget(speichern);
    knoepfe->addWidget(abbrechen);

    auto *spalte = new QVBoxLayout(this);
    spalte->addWidget(hinweis);
    spalte->addLayout(druckerZeile);
    spalte->addWidget(m_gespeichertLabel);
    spalte->addWidget(messung);
    spalte->addWidget(m_ergebnisLabel);
    spalte->addWidget(rueckseite);
    spalte->addLayout(knoepfe);
    setMinimumWidth(520);

    connect(testseite, &QPushButton::clicked, this, [this] { Bewacht(m_dialoge, [this] { TestseiteDruckenClick(); }); });
    connect(rueckTestseite, &QPushButton::clicked, this,
            [this] { Bewacht(m_dialoge, [this] { TestseiteDruckenClick(Blattseite::Rueckseite); }); });
    connect(wendeprobe, &QPushButton::clicked, this, [this] { Bewacht(m_dialoge, [this] { WendeprobeClick(); }); });
    connect(speichern, &QPushButton::clicked, this, [this] { Bewacht(m_dialoge, [this] { SpeichernClick(); }); });
    connect(zuruecksetzen, &QPushButton::clicked, this, [this] { Bewacht(m_dialoge, [this] { ZuruecksetzenClick(); }); });
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);

    zeigeDrucker();
    zeigeErgebnis();
    resize(minimumWidth(), 0);
    passeHoeheAn();
}

void TAusrichtungsDialog::passeHoeheAn()
{
    // Wrapped texts need more height the more they say, and the layout's minimum does not know it.
    layout()->activate();
    const int hoehe = layout()->totalHeightForWidth(width());
    setMinimumHeight(hoehe);
    if (height() < hoehe)
        resize(width(), hoehe);
}

void TAusrichtungsDialog::resizeEvent(QResizeEvent *ereignis)
{
    QDialog::resizeEvent(ereignis);
    passeHoeheAn();
}

void TAusrichtungsDialog::zeigeDrucker()
{
    const QString name = AusrichtungsName(m_drucker);
    if (!m_drucker.outputFileName().isEmpty())
        m_druckerLabel->setText(QStringLiteral("Ausgabe in die Datei %1").arg(m_drucker.outputFileName()));
    else if (name.isEmpty())
        m_druckerLabel->setText(QStringLiteral("Kein Drucker gewählt"));
    else
        m_druckerLabel->setText(QStringLiteral("Drucker: %1").arg(name));

    if (name.isEmpty()) {
        m_gespeichertLabel->setText(KeinDrucker);
        m_rueckGespeichertLabel->clear();
        passeHoeheAn();
        return;
    }
    // An entry that is stored but not used is said, where the person can measure again or remove it.
    const Druckerkorrektur hinten = LiesDruckerkorrektur(name, Blattseite::Rueckseite);
    const QString hintenUnbrauchbar = UnbrauchbareDruckerkorrektur(name, Blattseite::Rueckseite);
    m_rueckGespeichertLabel->setText(
        !hintenUnbrauchbar.isEmpty() ? hintenUnbrauchbar
            : hinten == Druckerkorrektur{}
            ? QStringLiteral("Für die Rückseite ist keine Ausrichtung gespeichert.")
            : QStringLiteral("Für die Rückseite ist gespeichert:\n%1").arg(BeschreibeKorrektur(hinten)));
    const Druckerkorrektur gespeichert = LiesDruckerkorrektur(name);
    if (const QString unbrauchbar = UnbrauchbareDruckerkorrektur(name); !unbrauchbar.isEmpty())
        m_gespeichertLabel->setText(unbrauchbar);
    else if (gespeichert == Druckerkorrektur{})
        m_gespeichertLabel->setText(QStringLiteral("Für diesen Drucker ist keine Ausrichtung gespeichert."));
    else
        m_gespeichertLabel->setText(
            QStringLiteral("Für diesen Drucker ist gespeichert:\n%1\nDie Testseite wird ohne diese Ausrichtung "
                           "gedruckt und zeigt so den Fehler des Druckers selbst; Ihre neue Messung ersetzt die "
                           "gespeicherte Ausrichtung.")
                .arg(BeschreibeKorrektur(gespeichert)));
    passeHoeheAn();
}

void TAusrichtungsDialog::zeigeErgebnis()
{
    Messtexte texte;
    bool leer = true;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        texte[i] = m_felder[i]->text();
        leer = leer && texte[i].trimmed().isEmpty();
    }
    if (leer) {
        m_ergebnisLabel->setText(QStringLiteral("Tragen Sie die vier gemessenen Werte ein."));
    } else {
        const Messergebnis e = WerteMessungAus(texte);
        m_ergebnisLabel->setText(e.korrektur ? QStringLiteral("Neue Ausrichtung:\n") + BeschreibeKorrektur(*e.korrektur)
                                             : e.meldung);
    }
    Messtexte hinten;
    for (std::size_t i = 0; i < hinten.size(); ++i)
        hinten[i] = m_rueckFelder[i]->text();
    if (Leer(hinten)) {
        m_rueckErgebnisLabel->clear();
    } else {
        const Messergebnis e = WerteMessungAus(hinten);
        m_rueckErgebnisLabel->setText(e.korrektur ? QStringLiteral("Neue Ausrichtung der Rückseite:\n")
                                              + BeschreibeKorrektur(*e.korrektur)
                                                  : e.meldung);
    }
    passeHoeheAn();
}

void TAusrichtungsDialog::TestseiteDruckenClick(Blattseite seite)
{
    const bool gewaehlt = m_dialoge.druckDialog(m_drucker);
    zeigeDrucker();
    if (!gewaehlt)
        return;
    AufA4Hochformat(m_drucker);
    const Druckflaeche f = FlaecheVon(m_drucker, seite);
    DruckeAuf(m_drucker, [&f, seite](QPainter &maler) { ZeichneTestseite(maler, f.dpiX, f.dpiY, f.versatz, seite); });
}

void TAusrichtungsDialog::WendeprobeClick()
{
    DruckeWendeprobe(m_drucker, m_dialoge);
    zeigeDrucker();
}

void TAusrichtungsDialog::SpeichernClick()
{
    const QString name = AusrichtungsName(m_drucker);
    if (name.isEmpty()) {
        m_dialoge.meldung(KeinDrucker + QStringLiteral(" Es wurde nichts gespeichert."));
        return;
    }
    Messtexte texte, hinten;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        texte[i] = m_felder[i]->text();
        hinten[i] = m_rueckFelder[i]->text();
    }
    // The back's values alone align the back; the front's, with or without them, the front as always.
    std::optional<Druckerkorrektur> rueck;
    if (!Leer(hinten)) {
        const Messergebnis e = WerteMessungAus(hinten);
        if (!e.korrektur) {
            m_dialoge.meldung(QStringLiteral("Rückseite: ") + e.meldung
                              + QStringLiteral(" Es wurde nichts gespeichert."));
            return;
        }
        rueck = e.korrektur;
        if (Leer(texte)) {
            SchreibDruckerkorrektur(name, *rueck, Blattseite::Rueckseite);
            m_dialoge.information(QStringLiteral("Die Ausrichtung der Rückseite ist für den Drucker „%1“ gespeichert. "
                                                 "Morvane gleicht sie ab jetzt bei jeder Rückseite auf diesem Drucker "
                                                 "aus.")
                                      .arg(name));
            accept();
            return;
        }
    }
    const Messergebnis e = WerteMessungAus(texte);
    if (!e.korrektur) {
        m_dialoge.meldung(e.meldung + QStringLiteral(" Es wurde nichts gespeichert."));
        return;
    }
    SchreibDruckerkorrektur(name, *e.korrektur);
    if (rueck)
        SchreibDruckerkorrektur(name, *rueck, Blattseite::Rueckseite);
    m_dialoge.information(
        QStringLiteral("Die Ausrichtung ist für den Drucker „%1“ gespeichert%2. Morvane gleicht "
                       "sie ab jetzt bei jedem Druck auf diesem Drucker aus.")
            .arg(name, rueck ? QStringLiteral(", für die Vorder- und für die Rückseite") : QString()));
    accept();
}

void TAusrichtungsDialog::ZuruecksetzenClick()
{
    const QString name = AusrichtungsName(m_drucker);
    if (name.isEmpty()) {
        m_dialoge.meldung(KeinDrucker);
        return;
    }
    const bool gespeichert = LiesDruckerkorrektur(name) != Druckerkorrektur{}
        || LiesDruckerkorrektur(name, Blattseite::Rueckseite) != Druckerkorrektur{};
    if (gespeichert
        && !m_dialoge.frage(QStringLiteral("Die gespeicherte Ausrichtung für „%1“ löschen? Morvane druckt dann auf "
                                           "diesem Drucker wieder ohne Ausrichtung.")
                                .arg(name)))
        return;
    // Also clears an entry that could not be read and so never counted; the back's goes with the front's.
    SchreibDruckerkorrektur(name, {});
    SchreibDruckerkorrektur(name, {}, Blattseite::Rueckseite);
    accept();
}

std::optional<Wendung> DruckeWendeprobe(QPrinter &drucker, DialogDienst &dialoge)
{
    if (!dialoge.druckDialog(drucker))
        return std::nullopt;
    AufA4Hochformat(drucker);
    const auto seite = [&drucker](Blattseite blatt) {
        const Druckflaeche f = FlaecheVon(drucker, blatt);
        return [f, blatt](QPainter &maler) { ZeichneWendeprobe(maler, f.dpiX, f.dpiY, f.versatz, blatt); };
    };
    const QString name = AusrichtungsName(drucker);
    if (!drucker.outputFileName().isEmpty() || KannBeidseitig(drucker, Wendekante::Lang)) {
        const bool datei = !drucker.outputFileName().isEmpty();
        DruckeSeiten(drucker, {seite(Blattseite::Vorderseite), seite(Blattseite::Rueckseite)},
                     datei ? std::nullopt : std::optional(Wendekante::Lang));
        dialoge.information(
            datei ? QStringLiteral("Die Wendeprobe steht mit Vorder- und Rückseite in der Datei %1. Wie ein Drucker "
                                   "den Bogen wendet, lernt Morvane nur an einem Drucker.")
                        .arg(QFileInfo(drucker.outputFileName()).fileName())
                  : QStringLiteral("Der Drucker %1 druckt beide Seiten selbst: Es gibt nichts zu lernen. Die "
                                   "Wendeprobe zeigt, dass die Rahmen der Rückseite über der Vorderseite liegen.")
                        .arg(name));
        return std::nullopt;
    }
    DruckeAuf(drucker, seite(Blattseite::Vorderseite));
    if (!dialoge.druckFrage(QStringLiteral(
            "Die Vorderseite der Wendeprobe ist gedruckt. Legen Sie das Blatt so wieder in den Drucker, wie Sie einen "
            "Etikettenbogen für seine Rückseite einlegen würden, und merken Sie sich, ob die bedruckte Seite dabei "
            "nach oben oder nach unten zeigt.\r\n\r\nDie Rückseite der Wendeprobe jetzt drucken?")))
        return std::nullopt;
    DruckeAuf(drucker, seite(Blattseite::Rueckseite));
    const int rahmen = dialoge.auswahl(
        QStringLiteral("Halten Sie das Blatt gegen das Licht: Durch welchen Rahmen der Rückseite scheint das schwarze "
                       "Quadrat der Vorderseite?"),
        {QStringLiteral("„&Lange Kante“"), QStringLiteral("„&Kurze Kante“"),
         QStringLiteral("&Beides steht auf einer Seite"), QStringLiteral("Abbrechen")},
        3);
    if (rahmen == 2)
        dialoge.information(QStringLiteral(
            "Dann lag die bedruckte Seite beim zweiten Einlegen falsch herum. Drucken Sie die Wendeprobe auf einem "
            "neuen Blatt noch einmal und legen Sie es für die Rückseite mit der bedruckten Seite andersherum ein."));
    if (rahmen != 0 && rahmen != 1)
        return std::nullopt;
    const int lage =
        dialoge.auswahl(QStringLiteral("Wohin zeigte die bedruckte Seite, als Sie das Blatt für die "
                                       "Rückseite eingelegt haben?"),
                        {QStringLiteral("Nach &oben"), QStringLiteral("Nach &unten"), QStringLiteral("Abbrechen")}, 2);
    if (lage != 0 && lage != 1)
        return std::nullopt;
    const Wendung w{rahmen == 0 ? Wendekante::Lang : Wendekante::Kurz, lage == 0};
    SchreibWendung(name, w);
    dialoge.information(QStringLiteral("Gespeichert für den Drucker „%1“: %2, damit die Rückseite hinter der "
                                       "Vorderseite landet. Morvane sagt es Ihnen vor jeder Rückseite.")
                            .arg(name, Einlegehinweis(*w.kante, *w.bedrucktOben)));
    return w;
}
