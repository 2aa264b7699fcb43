#include "drucken/ausrichtung.h"

#include "platform/dialogdienst.h"
#include "drucken/drucker.h"
#include "platform/fehler.h"
#include "render/ausrichtung.h"
#include "storage/druckerausrichtung.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString KeinDrucker =
    QStringLiteral("Eine Ausrichtung gilt für einen Drucker; beim Drucken in eine Datei wird nichts ausgerichtet. "
                   "Bitte wählen Sie mit „Testseite drucken...“ einen Drucker.");

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

    auto *messung = new QGroupBox(QStringLiteral("Gemessen, in mm vom linken und vom oberen Papierrand"), this);
    auto *raster = new QGridLayout(messung);
    raster->addWidget(new QLabel(QStringLiteral("von links"), messung), 0, 1);
    raster->addWidget(new QLabel(QStringLiteral("von oben"), messung), 0, 2);
    const QString namen[4] = {QStringLiteral("EditKreuz1Links"), QStringLiteral("EditKreuz1Oben"),
                              QStringLiteral("EditKreuz2Links"), QStringLiteral("EditKreuz2Oben")};
    for (int kreuz = 0; kreuz < 2; ++kreuz) {
        const MmPunkt soll = kreuz == 0 ? TestkreuzOben : TestkreuzUnten;
        raster->addWidget(new QLabel(QStringLiteral("Kreuz %1 (Soll: %2 / %3 mm)")
                                         .arg(kreuz + 1)
                                         .arg(soll.x, 0, 'f', 0)
                                         .arg(soll.y, 0, 'f', 0),
                                     messung),
                          kreuz + 1, 0);
        for (int achse = 0; achse < 2; ++achse) {
            QLineEdit *&feld = m_felder[kreuz * 2 + achse];
            feld = new QLineEdit(messung);
            feld->setObjectName(namen[kreuz * 2 + achse]);
            // The captions stand above and beside the field, so none is its buddy: the name says both.
            feld->setAccessibleName(QStringLiteral("Kreuz %1 %2")
                                        .arg(kreuz + 1)
                                        .arg(achse == 0 ? QStringLiteral("von links") : QStringLiteral("von oben")));
            feld->setPlaceholderText(QStringLiteral("z. B. ") + Messbeispiel(kreuz * 2 + achse));
            connect(feld, &QLineEdit::textChanged, this, [this] { zeigeErgebnis(); });
            raster->addWidget(feld, kreuz + 1, achse + 1);
        }
    }

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
    spalte->addLayout(knoepfe);
    setMinimumWidth(520);

    connect(testseite, &QPushButton::clicked, this, [this] { bewacht([this] { TestseiteDruckenClick(); }); });
    connect(speichern, &QPushButton::clicked, this, [this] { bewacht([this] { SpeichernClick(); }); });
    connect(zuruecksetzen, &QPushButton::clicked, this, [this] { bewacht([this] { ZuruecksetzenClick(); }); });
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
        passeHoeheAn();
        return;
    }
    const Druckerkorrektur gespeichert = LiesDruckerkorrektur(name);
    if (gespeichert == Druckerkorrektur{})
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
    passeHoeheAn();
}

void TAusrichtungsDialog::TestseiteDruckenClick()
{
    const bool gewaehlt = m_dialoge.druckDialog(m_drucker);
    zeigeDrucker();
    if (!gewaehlt)
        return;
    AufA4Hochformat(m_drucker);
    const Druckflaeche f = FlaecheVon(m_drucker);
    DruckeAuf(m_drucker, [&f](QPainter &maler) { ZeichneTestseite(maler, f.dpiX, f.dpiY, f.versatz); });
}

void TAusrichtungsDialog::SpeichernClick()
{
    const QString name = AusrichtungsName(m_drucker);
    if (name.isEmpty()) {
        m_dialoge.meldung(KeinDrucker + QStringLiteral(" Es wurde nichts gespeichert."));
        return;
    }
    Messtexte texte;
    for (std::size_t i = 0; i < texte.size(); ++i)
        texte[i] = m_felder[i]->text();
    const Messergebnis e = WerteMessungAus(texte);
    if (!e.korrektur) {
        m_dialoge.meldung(e.meldung + QStringLiteral(" Es wurde nichts gespeichert."));
        return;
    }
    SchreibDruckerkorrektur(name, *e.korrektur);
    m_dialoge.information(QStringLiteral("Die Ausrichtung ist für den Drucker „%1“ gespeichert. Morvane gleicht "
                                         "sie ab jetzt bei jedem Druck auf diesem Drucker aus.")
                              .arg(name));
    accept();
}

void TAusrichtungsDialog::ZuruecksetzenClick()
{
    const QString name = AusrichtungsName(m_drucker);
    if (name.isEmpty()) {
        m_dialoge.meldung(KeinDrucker);
        return;
    }
    if (LiesDruckerkorrektur(name) != Druckerkorrektur{}
        && !m_dialoge.frage(QStringLiteral("Die gespeicherte Ausrichtung für „%1“ löschen? Morvane druckt dann auf "
                                           "diesem Drucker wieder ohne Ausrichtung.")
                                .arg(name)))
        return;
    // Also clears an entry that could not be read and so never counted.
    SchreibDruckerkorrektur(name, {});
    accept();
}

void TAusrichtungsDialog::bewacht(const std::function<void()> &handler)
{
    // No exception may leave through the dialog's event loop.
    try {
        handler();
    } catch (const Fehler &f) {
        m_dialoge.fehler(f.text());
    } catch (const std::exception &e) {
        m_dialoge.fehler(QString::fromLocal8Bit(e.what()));
    }
}
