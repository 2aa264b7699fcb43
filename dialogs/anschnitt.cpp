#include "dialogs/anschnitt.h"

#include "blatt/bogenmasse.h"
#include "dialogs/dialogteile.h"
#include "platform/dialogdienst.h"
#include "storage/etikettdatei.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TAnschnittDialog::TAnschnittDialog(int hundertstel, DialogDienst &dialoge, QWidget *eltern)
    : QDialog(eltern), m_dialoge(dialoge), m_hundertstel(hundertstel)
{
    setObjectName(QStringLiteral("AnschnittDialog"));
    setWindowTitle(QStringLiteral("Anschnitt"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *hinweis = new QLabel(QStringLiteral("Mit einem Anschnitt laufen die Randfarben des Bildes über den Rand der "
                                              "Etikette hinaus, höchstens bis zur Mitte des Abstands zur Nachbarin, "
                                              "damit bei leicht verschoben eingezogenem Papier kein weißer Streifen "
                                              "bleibt. 0 druckt ohne Anschnitt."),
                               this);
    hinweis->setWordWrap(true);
    m_feld = new QLineEdit(HundertstelText(hundertstel, QLatin1Char(',')), this);
    m_feld->setObjectName(QStringLiteral("AnschnittRand"));
    m_feld->setAccessibleName(QStringLiteral("Anschnitt in Millimetern"));
    m_feld->setAccessibleDescription(QStringLiteral("0 bis 3, mit höchstens zwei Nachkommastellen"));
    auto *formular = new QFormLayout;
    auto *beschriftung = new QLabel(QStringLiteral("&Anschnitt (mm, 0 bis 3):"), this);
    beschriftung->setBuddy(m_feld);
    formular->addRow(beschriftung, m_feld);

    const Knopfzeile knoepfe = ErzeugeKnopfzeile(*this, QStringLiteral("OK"), QStringLiteral("OkButton"));
    connect(knoepfe.annehmen, &QPushButton::clicked, this, &TAnschnittDialog::OkClick);

    auto *spalte = new QVBoxLayout(this);
    spalte->addWidget(hinweis);
    spalte->addLayout(formular);
    spalte->addWidget(knoepfe.zeile);
    setMinimumWidth(380);
    m_feld->setFocus();
    m_feld->selectAll();
}

void TAnschnittDialog::OkClick()
{
    // The window's fields take a decimal comma; the settings file's point is no mistake here either.
    QString text = m_feld->text();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    const std::optional<int> wert = text.count(QLatin1Char('.')) <= 1 ? AnschnittAusText(text) : std::nullopt;
    if (!wert) {
        m_dialoge.meldung(QStringLiteral("Der Anschnitt ist eine Zahl von 0 bis 3 mm mit höchstens zwei "
                                         "Nachkommastellen, zum Beispiel 1,5. \"%1\" ist keine.")
                              .arg(m_feld->text()));
        return;
    }
    m_hundertstel = *wert;
    accept();
}
