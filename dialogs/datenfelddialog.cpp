#include "dialogs/datenfelddialog.h"

#include "dialogs/dialogteile.h"
#include "platform/dialogdienst.h"
#include "storage/datenfelder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const std::array<QString, 4> Feldteile{QStringLiteral("Links"), QStringLiteral("Oben"), QStringLiteral("Breite"),
                                       QStringLiteral("Höhe")};

// The field's row: "Ganzes Etikett" or four lengths in mm from the label's top-left corner.
Feldeingabe FeldZeile(QDialog &dialog, QFormLayout &formular, const std::optional<Etikettfeld> &feld, qint64 breite,
                      qint64 hoehe)
{
    Feldeingabe e;
    e.ganz = new QCheckBox(QStringLiteral("&Ganzes Etikett (3 mm Rand)"), &dialog);
    e.ganz->setObjectName(QStringLiteral("FeldGanz"));
    e.ganz->setChecked(!feld);
    const Etikettfeld wert = FeldAufEtikett(feld, breite, hoehe);
    const std::array<qint64, 4> mm{wert.x, wert.y, wert.breite, wert.hoehe};
    auto *zeile = new QHBoxLayout;
    for (std::size_t i = 0; i < 4; ++i) {
        auto *s = new QDoubleSpinBox(&dialog);
        s->setObjectName(QStringLiteral("Feld") + Feldteile[i]);
        s->setAccessibleName(QStringLiteral("Feld: %1 in Millimetern").arg(Feldteile[i]));
        s->setDecimals(2);
        s->setRange(0, 999);
        s->setValue(mm[i] / 100.0);
        s->setEnabled(feld.has_value());
        QObject::connect(e.ganz, &QCheckBox::toggled, s, [s](bool an) { s->setEnabled(!an); });
        zeile->addWidget(s);
        e.werte[i] = s;
    }
    formular.addRow(QStringLiteral("Feld (mm):"), e.ganz);
    formular.addRow(QStringLiteral("Links, oben, Breite, Höhe:"), zeile);
    return e;
}

std::optional<Etikettfeld> FeldAus(const Feldeingabe &e)
{
    if (e.ganz->isChecked())
        return std::nullopt;
    const auto h = [&e](int i) { return qRound64(e.werte[i]->value() * 100); };
    return Etikettfeld{h(0), h(1), h(2), h(3)};
}

// The field's own refusal, or one that lies beyond the label.
QString FeldFehlerAufEtikett(const std::optional<Etikettfeld> &feld, qint64 breite, qint64 hoehe)
{
    return feld ? FeldUeberDemRand(*feld, breite, hoehe) : QString();
}

} // namespace

TTextDialog::TTextDialog(const std::optional<Textfeld> &text, const QStringList &felder, qint64 breite, qint64 hoehe,
                         DialogDienst &dialoge, QWidget *eltern)
    : QDialog(eltern), m_dialoge(dialoge), m_breite(breite), m_hoehe(hoehe), m_text(text)
{
    setObjectName(QStringLiteral("TextDialog"));
    setWindowTitle(QStringLiteral("Text auf dem Etikett"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const Textfeld t = text.value_or(Textfeld{});
    auto *formular = new QFormLayout;
    m_zeilen = new QPlainTextEdit(t.Zeilen.join(QLatin1Char('\n')), this);
    m_zeilen->setObjectName(QStringLiteral("TextZeilen"));
    m_zeilen->setAccessibleName(QStringLiteral("Zeilen des Textes"));
    m_zeilen->setAccessibleDescription(QStringLiteral("{Feldname} setzt ein Feld der Liste ein, {Nr} die laufende "
                                                      "Nummer, {Nr:4} sie mit Nullen auf vier Stellen"));
    m_zeilen->setTabChangesFocus(true);
    formular->addRow(QStringLiteral("&Zeilen:"), m_zeilen);
    m_felder = new QComboBox(this);
    m_felder->setObjectName(QStringLiteral("TextFelder"));
    m_felder->setAccessibleName(QStringLiteral("Feld einsetzen"));
    for (const QString &feld : QStringList{QStringLiteral("Nr"), QStringLiteral("Nr:4")} + felder)
        m_felder->addItem(QLatin1Char('{') + feld + QLatin1Char('}'));
    auto *einsetzen = new QPushButton(QStringLiteral("&Einsetzen"), this);
    einsetzen->setObjectName(QStringLiteral("FeldEinsetzen"));
    connect(einsetzen, &QPushButton::clicked, this, [this] { m_zeilen->insertPlainText(m_felder->currentText()); });
    auto *feldzeile = new QHBoxLayout;
    feldzeile->addWidget(m_felder, 1);
    feldzeile->addWidget(einsetzen);
    auto *feldname = new QLabel(QStringLiteral("Fel&d:"), this);
    feldname->setBuddy(m_felder);
    formular->addRow(feldname, feldzeile);
    m_schrift = new QFontComboBox(this);
    m_schrift->setObjectName(QStringLiteral("TextSchrift"));
    m_schrift->setAccessibleName(QStringLiteral("Schrift"));
    m_schrift->setCurrentFont(QFont(t.Schrift));
    formular->addRow(QStringLiteral("&Schrift:"), m_schrift);
    m_groesse = new QDoubleSpinBox(this);
    m_groesse->setObjectName(QStringLiteral("TextGroesse"));
    m_groesse->setAccessibleName(QStringLiteral("Größte Schriftgröße in Punkt"));
    m_groesse->setDecimals(1);
    m_groesse->setRange(KleinsteSchrift / 100.0, GroessteSchrift / 100.0);
    m_groesse->setValue(t.Groesse / 100.0);
    formular->addRow(QStringLiteral("&Größe (pt, höchstens):"), m_groesse);
    m_fett = new QCheckBox(QStringLiteral("&Fett"), this);
    m_fett->setObjectName(QStringLiteral("TextFett"));
    m_fett->setChecked(t.Fett);
    formular->addRow(QString(), m_fett);
    m_ausrichtung = new QComboBox(this);
    m_ausrichtung->setObjectName(QStringLiteral("TextAusrichtung"));
    m_ausrichtung->setAccessibleName(QStringLiteral("Ausrichtung waagrecht"));
    m_ausrichtung->addItems({QStringLiteral("links"), QStringLiteral("mitte"), QStringLiteral("rechts")});
    m_ausrichtung->setCurrentIndex(int(t.Ausrichtung));
    formular->addRow(QStringLiteral("&Ausrichtung:"), m_ausrichtung);
    m_senkrecht = new QComboBox(this);
    m_senkrecht->setObjectName(QStringLiteral("TextSenkrecht"));
    m_senkrecht->setAccessibleName(QStringLiteral("Ausrichtung senkrecht"));
    m_senkrecht->addItems({QStringLiteral("oben"), QStringLiteral("mitte"), QStringLiteral("unten")});
    m_senkrecht->setCurrentIndex(int(t.Senkrecht));
    formular->addRow(QStringLiteral("Se&nkrecht:"), m_senkrecht);
    m_feld = FeldZeile(*this, *formular, t.Feld, breite, hoehe);

    const Knopfzeile knoepfe = ErzeugeKnopfzeile(*this, QStringLiteral("OK"), QStringLiteral("OkButton"));
    auto *keiner = knoepfe.zeile->addButton(QStringLiteral("&Keinen Text"), QDialogButtonBox::DestructiveRole);
    keiner->setObjectName(QStringLiteral("KeinenText"));
    connect(knoepfe.annehmen, &QPushButton::clicked, this, &TTextDialog::OkClick);
    connect(keiner, &QPushButton::clicked, this, [this] {
        m_text.reset();
        accept();
    });
    auto *spalte = new QVBoxLayout(this);
    spalte->addLayout(formular);
    spalte->addWidget(knoepfe.zeile);
    m_zeilen->setFocus();
}

void TTextDialog::OkClick()
{
    Textfeld t;
    t.Zeilen = m_zeilen->toPlainText().split(QLatin1Char('\n'));
    while (!t.Zeilen.isEmpty() && t.Zeilen.back().isEmpty())
        t.Zeilen.removeLast();
    t.Schrift = m_schrift->currentFont().family();
    t.Groesse = qRound(m_groesse->value() * 100);
    t.Fett = m_fett->isChecked();
    t.Ausrichtung = Waagrecht(m_ausrichtung->currentIndex());
    t.Senkrecht = Lotrecht(m_senkrecht->currentIndex());
    t.Feld = FeldAus(m_feld);
    t.Farbe = m_text ? m_text->Farbe : std::nullopt;
    QString fehler = t.Zeilen.isEmpty() ? QStringLiteral("Der Text hat keine Zeile") : TextfeldFehler(t);
    if (fehler.isEmpty())
        fehler = FeldFehlerAufEtikett(t.Feld, m_breite, m_hoehe);
    if (!fehler.isEmpty()) {
        m_dialoge.meldung(fehler.endsWith(QLatin1Char('.')) ? fehler : fehler + QLatin1Char('.'));
        return;
    }
    m_text = t;
    accept();
}

TCodeDialog::TCodeDialog(const std::optional<Codefeld> &code, qint64 breite, qint64 hoehe, DialogDienst &dialoge,
                         QWidget *eltern)
    : QDialog(eltern), m_dialoge(dialoge), m_breite(breite), m_hoehe(hoehe), m_code(code)
{
    setObjectName(QStringLiteral("CodeDialog"));
    setWindowTitle(QStringLiteral("Code auf dem Etikett"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const Codefeld c = code.value_or(Codefeld{});
    auto *formular = new QFormLayout;
    m_art = new QComboBox(this);
    m_art->setObjectName(QStringLiteral("CodeArt"));
    m_art->setAccessibleName(QStringLiteral("Art des Codes"));
    for (const Codeart art : {Codeart::QR, Codeart::DataMatrix, Codeart::EAN13, Codeart::Code128})
        m_art->addItem(Codename(art));
    m_art->setCurrentIndex(int(c.Art));
    formular->addRow(QStringLiteral("&Art:"), m_art);
    m_inhalt = new QLineEdit(c.Inhalt, this);
    m_inhalt->setObjectName(QStringLiteral("CodeInhalt"));
    m_inhalt->setAccessibleName(QStringLiteral("Inhalt des Codes"));
    m_inhalt->setAccessibleDescription(QStringLiteral("{Feldname} setzt ein Feld der Liste ein, {Nr} die laufende "
                                                      "Nummer"));
    formular->addRow(QStringLiteral("&Inhalt:"), m_inhalt);
    m_feld = FeldZeile(*this, *formular, c.Feld, breite, hoehe);
    const Knopfzeile knoepfe = ErzeugeKnopfzeile(*this, QStringLiteral("OK"), QStringLiteral("OkButton"));
    auto *keiner = knoepfe.zeile->addButton(QStringLiteral("&Keinen Code"), QDialogButtonBox::DestructiveRole);
    keiner->setObjectName(QStringLiteral("KeinenCode"));
    connect(knoepfe.annehmen, &QPushButton::clicked, this, &TCodeDialog::OkClick);
    connect(keiner, &QPushButton::clicked, this, [this] {
        m_code.reset();
        accept();
    });
    auto *spalte = new QVBoxLayout(this);
    spalte->addLayout(formular);
    spalte->addWidget(knoepfe.zeile);
    m_inhalt->setFocus();
}

void TCodeDialog::OkClick()
{
    const Codefeld c{Codeart(m_art->currentIndex()), m_inhalt->text(), FeldAus(m_feld)};
    QString fehler = CodefeldFehler(c);
    if (fehler.isEmpty())
        fehler = FeldFehlerAufEtikett(c.Feld, m_breite, m_hoehe);
    if (!fehler.isEmpty()) {
        m_dialoge.meldung(fehler.endsWith(QLatin1Char('.')) ? fehler : fehler + QLatin1Char('.'));
        return;
    }
    m_code = c;
    accept();
}
