#include "dialogs/bildwahldialog.h"

#include "platform/dialogdienst.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString Beschriftung(Einpassung e)
{
    switch (e) {
    case Einpassung::Einpassen:
        return QStringLiteral("&Einpassen");
    case Einpassung::Fuellen:
        return QStringLiteral("&Füllen");
    case Einpassung::Strecken:
        break;
    }
    return QStringLiteral("&Strecken");
}

} // namespace

TBildwahlDialog::TBildwahlDialog(const Bildwahl &wahl, QWidget *eltern) : QDialog(eltern), m_wahl(wahl)
{
    setObjectName(QStringLiteral("BildwahlDialog"));
    setWindowTitle(QStringLiteral("Bild übernehmen"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *frage = new QLabel(m_wahl.frage, this);
    frage->setWordWrap(true);
    auto *spalte = new QVBoxLayout(this);
    spalte->addWidget(frage);

    auto *reihe = new QHBoxLayout;
    if (m_wahl.wahl) {
        reihe->setSpacing(24);
        for (const Einpassung e : Einpassungen) {
            // Each way's name below its own preview, so that no name stands beside the next way.
            auto *vorschau = new QLabel(this);
            vorschau->setObjectName(QStringLiteral("Vorschau") + EinpassungName(e));
            vorschau->setPixmap(QPixmap::fromImage(m_wahl.vorschauen[int(e)]));
            vorschau->setAccessibleName(QStringLiteral("Vorschau ") + EinpassungName(e));
            vorschau->setToolTip(m_wahl.beschreibung(e));
            vorschau->installEventFilter(this);
            auto *knopf = new QRadioButton(Beschriftung(e), this);
            knopf->setObjectName(QStringLiteral("Knopf") + EinpassungName(e));
            knopf->setAccessibleName(EinpassungName(e));
            knopf->setAccessibleDescription(m_wahl.beschreibung(e));
            knopf->setToolTip(m_wahl.beschreibung(e));
            auto *spalte = new QVBoxLayout;
            spalte->addWidget(vorschau, 0, Qt::AlignHCenter);
            spalte->addWidget(knopf, 0, Qt::AlignHCenter);
            reihe->addLayout(spalte);
            m_vorschauen[int(e)] = vorschau;
            connect(knopf, &QRadioButton::toggled, this, [this](bool an) {
                if (an)
                    zeigeHinweis();
            });
            m_knoepfe[int(e)] = knopf;
            reihe->addWidget(knopf);
        }
        frage->setBuddy(m_knoepfe[0]);
    } else {
        auto *bild = new QLabel(this);
        bild->setPixmap(QPixmap::fromImage(m_wahl.vorschauen[int(Einpassung::Strecken)]));
        bild->setAccessibleName(QStringLiteral("Vorschau des Etiketts"));
        reihe->addWidget(bild);
    }
    reihe->addStretch();
    spalte->addLayout(reihe);

    m_hinweis = new QLabel(this);
    m_hinweis->setObjectName(QStringLiteral("Hinweis"));
    m_hinweis->setWordWrap(true);
    spalte->addWidget(m_hinweis);

    auto *knoepfe = new QDialogButtonBox(this);
    QPushButton *uebernehmen = knoepfe->addButton(QStringLiteral("Übernehmen"), QDialogButtonBox::AcceptRole);
    uebernehmen->setObjectName(QStringLiteral("UebernehmenButton"));
    uebernehmen->setDefault(true);
    QPushButton *abbrechen = knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    abbrechen->setObjectName(QStringLiteral("AbbrechenButton"));
    connect(uebernehmen, &QPushButton::clicked, this, &QDialog::accept);
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    spalte->addWidget(knoepfe);

    if (m_wahl.wahl) {
        m_knoepfe[int(Einpassung::Einpassen)]->setChecked(true);
        m_knoepfe[int(Einpassung::Einpassen)]->setFocus();
    }
    zeigeHinweis();
}

bool TBildwahlDialog::eventFilter(QObject *objekt, QEvent *ereignis)
{
    // A click on a preview takes its way, as a click on its name does.
    for (const Einpassung e : Einpassungen)
        if (objekt == m_vorschauen[int(e)] && ereignis->type() == QEvent::MouseButtonRelease) {
            m_knoepfe[int(e)]->setChecked(true);
            m_knoepfe[int(e)]->setFocus();
            return true;
        }
    return QDialog::eventFilter(objekt, ereignis);
}

Einpassung TBildwahlDialog::einpassung() const
{
    for (const Einpassung e : Einpassungen)
        if (m_knoepfe[int(e)] && m_knoepfe[int(e)]->isChecked())
            return e;
    return Einpassung::Strecken;
}

void TBildwahlDialog::zeigeHinweis()
{
    const QString &text = m_wahl.hinweis(einpassung());
    m_hinweis->setText(text.isEmpty() ? QString() : text + QStringLiteral(" Trotzdem übernehmen?"));
    m_hinweis->setHidden(text.isEmpty());
}
