#include "dialogs/listendruck.h"

#include "dialogs/dialogteile.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "storage/liste.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QSpinBox *Zahlfeld(QWidget *eltern, const QString &name, const QString &zugang, int bis, int wert)
{
    auto *feld = new QSpinBox(eltern);
    feld->setObjectName(name);
    feld->setAccessibleName(zugang);
    feld->setRange(1, bis);
    feld->setValue(wert);
    return feld;
}

} // namespace

TListenDialog::TListenDialog(const Bogenmasse &masse, const Belegung &verbraucht, const QString &ordner,
                             DialogDienst &dialoge, QWidget *eltern)
    : QDialog(eltern), m_masse(masse), m_verbraucht(verbraucht), m_ordner(ordner), m_dialoge(dialoge)
{
    setObjectName(QStringLiteral("ListenDialog"));
    setWindowTitle(QStringLiteral("Etiketten aus einer Liste"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_mitListe = new QRadioButton(QStringLiteral("&Liste:"), this);
    m_mitListe->setObjectName(QStringLiteral("MitListe"));
    m_mitListe->setChecked(true);
    m_pfad = new QLineEdit(this);
    m_pfad->setObjectName(QStringLiteral("ListenPfad"));
    m_pfad->setAccessibleName(QStringLiteral("Listendatei"));
    m_pfad->setAccessibleDescription(QStringLiteral("CSV oder TSV; die erste Zeile nennt die Felder"));
    auto *waehlen = new QPushButton(QStringLiteral("&Wählen..."), this);
    waehlen->setObjectName(QStringLiteral("ListeWaehlen"));
    waehlen->setAccessibleName(QStringLiteral("Listendatei wählen"));
    auto *listenzeile = new QHBoxLayout;
    listenzeile->addWidget(m_mitListe);
    listenzeile->addWidget(m_pfad, 1);
    listenzeile->addWidget(waehlen);

    m_mitNummern = new QRadioButton(QStringLiteral("&Nummern von"), this);
    m_mitNummern->setObjectName(QStringLiteral("MitNummern"));
    m_von = Zahlfeld(this, QStringLiteral("NummerVon"), QStringLiteral("Erste Nummer"), 999'999'999, 1);
    m_bis = Zahlfeld(this, QStringLiteral("NummerBis"), QStringLiteral("Letzte Nummer"), 999'999'999,
                     std::max(1, Platzanzahl(masse)));
    auto *bis = new QLabel(QStringLiteral("&bis"), this);
    bis->setBuddy(m_bis);
    auto *nummernzeile = new QHBoxLayout;
    nummernzeile->addWidget(m_mitNummern);
    nummernzeile->addWidget(m_von);
    nummernzeile->addWidget(bis);
    nummernzeile->addWidget(m_bis);
    nummernzeile->addStretch();

    m_tabelle = new QTableWidget(this);
    m_tabelle->setObjectName(QStringLiteral("ListenTabelle"));
    m_tabelle->setAccessibleName(QStringLiteral("Die ersten Einträge der Liste"));
    m_tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabelle->setTabKeyNavigation(false);
    m_umfang = new QLabel(this);
    m_umfang->setObjectName(QStringLiteral("ListenUmfang"));

    m_spalte = Zahlfeld(this, QStringLiteral("AbSpalte"), QStringLiteral("Erster Platz: Spalte"),
                        std::max(1, masse.AnzahlEtikettenInZeile), 1);
    m_zeile = Zahlfeld(this, QStringLiteral("AbZeile"), QStringLiteral("Erster Platz: Zeile"),
                       std::max(1, masse.AnzahlEtikettenInSpalte), 1);
    auto *ab = new QLabel(QStringLiteral("&Ab Platz (Spalte, Zeile):"), this);
    ab->setBuddy(m_spalte);
    auto *platzzeile = new QHBoxLayout;
    platzzeile->addWidget(ab);
    platzzeile->addWidget(m_spalte);
    platzzeile->addWidget(m_zeile);
    platzzeile->addStretch();

    const Knopfzeile knoepfe = ErzeugeKnopfzeile(*this, QStringLiteral("Drucken"), QStringLiteral("DruckenButton"));
    QPushButton *probe = knoepfe.zeile->addButton(QStringLiteral("&Probedruck..."), QDialogButtonBox::ActionRole);
    probe->setObjectName(QStringLiteral("ProbedruckButton"));
    probe->setAccessibleName(QStringLiteral("Probedruck des ersten Bogens auf Normalpapier"));
    for (QPushButton *knopf : {knoepfe.annehmen, probe})
        connect(knopf, &QPushButton::clicked, this, [this, knopf, probe] {
            m_probedruck = knopf == probe;
            DruckenClick();
        });
    connect(waehlen, &QPushButton::clicked, this, &TListenDialog::WaehleListe);
    connect(m_pfad, &QLineEdit::editingFinished, this, &TListenDialog::LiesDieListe);
    for (QRadioButton *art : {m_mitListe, m_mitNummern})
        connect(art, &QRadioButton::toggled, this, &TListenDialog::Aktualisiere);
    for (QSpinBox *feld : {m_von, m_bis, m_spalte, m_zeile})
        connect(feld, &QSpinBox::valueChanged, this, &TListenDialog::Aktualisiere);

    auto *spalte = new QVBoxLayout(this);
    spalte->addLayout(listenzeile);
    spalte->addLayout(nummernzeile);
    spalte->addWidget(m_tabelle, 1);
    spalte->addWidget(m_umfang);
    spalte->addLayout(platzzeile);
    spalte->addWidget(knoepfe.zeile);
    resize(620, 420);
    Aktualisiere();
    m_pfad->setFocus();
}

Platz TListenDialog::ab() const
{
    return {m_spalte->value(), m_zeile->value()};
}

void TListenDialog::WaehleListe()
{
    const std::optional<QString> pfad =
        m_dialoge.bildOeffnen(m_ordner, {QStringLiteral("*.csv"), QStringLiteral("*.tsv"), QStringLiteral("*.txt")},
                              QStringLiteral("Liste wählen"));
    if (!pfad)
        return;
    m_pfad->setText(*pfad);
    m_mitListe->setChecked(true);
    LiesDieListe();
}

void TListenDialog::LiesDieListe()
{
    m_reihe = {};
    m_fehler.clear();
    const QString pfad = m_pfad->text().trimmed();
    if (pfad.isEmpty()) {
        m_fehler = QStringLiteral("Welche Liste? Wählen Sie eine Listendatei oder Nummern.");
    } else {
        try {
            const Liste liste = LiesListe(pfad);
            m_reihe.liste = pfad;
            m_reihe.felder = liste.felder;
            m_reihe.eintraege = liste.eintraege;
            if (liste.eintraege.isEmpty())
                m_fehler = QStringLiteral("Die Liste %1 hat keinen Eintrag unter ihrer ersten Zeile.").arg(pfad);
            if (!liste.hinweis.isEmpty())
                m_dialoge.information(liste.hinweis);
        } catch (const Fehler &f) {
            m_fehler = f.text();
        }
    }
    Aktualisiere();
}

void TListenDialog::Aktualisiere()
{
    const bool liste = m_mitListe->isChecked();
    if (!liste) {
        m_reihe = {};
        m_reihe.ersteNummer = m_von->value();
        m_reihe.anzahl = std::max(0, m_bis->value() - m_von->value() + 1);
    } else if (m_reihe.liste.isEmpty() && m_fehler.isEmpty()) {
        m_fehler = QStringLiteral("Welche Liste? Wählen Sie eine Listendatei oder Nummern.");
    }
    m_tabelle->clear();
    m_tabelle->setColumnCount(int(m_reihe.felder.size()));
    m_tabelle->setHorizontalHeaderLabels(m_reihe.felder);
    const int zeilen = liste ? int(std::min<qsizetype>(m_reihe.eintraege.size(), GezeigteEintraege)) : 0;
    m_tabelle->setRowCount(zeilen);
    for (int z = 0; z < zeilen; ++z)
        for (int s = 0; s < m_reihe.felder.size(); ++s)
            m_tabelle->setItem(z, s, new QTableWidgetItem(m_reihe.eintraege[z].werte.value(s)));
    const qint64 anzahl = m_reihe.groesse();
    const int boegen = BogenFuer(m_masse, m_verbraucht, ab(), anzahl);
    m_umfang->setText(liste && !m_fehler.isEmpty()
                          ? m_fehler
                          : (anzahl == 1 ? QStringLiteral("1 Etikette") : QStringLiteral("%1 Etiketten").arg(anzahl))
                              + QStringLiteral(" auf %1 Bogen").arg(boegen));
}

void TListenDialog::DruckenClick()
{
    if (m_mitListe->isChecked() && !m_fehler.isEmpty()) {
        m_dialoge.meldung(m_fehler);
        return;
    }
    if (m_reihe.groesse() <= 0) {
        m_dialoge.meldung(QStringLiteral("Die letzte Nummer ist kleiner als die erste: es gibt nichts zu drucken."));
        return;
    }
    accept();
}
