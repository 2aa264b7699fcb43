#include "dialogs/genau.h"

#include "layout/passung.h"
#include "dialogs/dialogteile.h"
#include "platform/dialogdienst.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TGenauDialog::TGenauDialog(const Bogenmasse &bisher, DialogDienst &dialoge, QWidget *eltern)
    : QDialog(eltern), m_dialoge(dialoge), m_masse(bisher)
{
    setObjectName(QStringLiteral("GenauDialog"));
    setWindowTitle(QStringLiteral("Maße genau eingeben"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *hinweis = new QLabel(QStringLiteral("Die Maße des Etikettenbogens in Millimetern, wie sie der Hersteller "
                                              "angibt, mit bis zu zwei Nachkommastellen (zum Beispiel 38,1)."),
                               this);
    hinweis->setWordWrap(true);
    auto *formular = new QFormLayout;
    for (std::size_t i = 0; i < Massangaben.size(); ++i) {
        const Massangabe &a = Massangaben[i];
        QLineEdit *&feld = m_felder[i];
        feld = new QLineEdit(this);
        feld->setObjectName(QStringLiteral("Genau") + QLatin1String(a.schluessel));
        feld->setText(a.anzahl ? QString::number(bisher.*a.feld)
                               : HundertstelText(bisher.Hundertstel(a.feld), QLatin1Char(',')));
        formular->addRow(MassBezeichnung(a) + (a.anzahl ? QStringLiteral(":") : QStringLiteral(" (mm):")), feld);
    }
    const Knopfzeile knoepfe = ErzeugeKnopfzeile(*this, QStringLiteral("OK"), QStringLiteral("OkButton"));
    connect(knoepfe.annehmen, &QPushButton::clicked, this, &TGenauDialog::OkClick);

    auto *spalte = new QVBoxLayout(this);
    spalte->addWidget(hinweis);
    spalte->addLayout(formular);
    spalte->addWidget(knoepfe.zeile);
    setMinimumWidth(380);
}

void TGenauDialog::OkClick()
{
    std::array<QString, Massangaben.size()> texte;
    for (std::size_t i = 0; i < texte.size(); ++i)
        texte[i] = m_felder[i]->text();
    const EingegebeneMasse e = LiesEingegebeneMasse(texte);
    if (!e.masse) {
        m_dialoge.meldung(e.fehler);
        return;
    }
    // Measures that do not fit are told here, where they can still be mended, and never taken.
    if (const QString hindernis = DruckHindernis(*e.masse); !hindernis.isEmpty()) {
        m_dialoge.meldung(hindernis);
        return;
    }
    m_masse = *e.masse;
    accept();
}
