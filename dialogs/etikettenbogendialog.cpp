#include "dialogs/etikettenbogendialog.h"

#include "platform/dialogdienst.h"
#include "render/bogenbild.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

constexpr int BildHoehe = 240;

QString Masse(const Etikettenbogen &b)
{
    return QStringLiteral("Etikett: %1 x %2 mm\nLinker Rand: %3 mm\nOberer Rand: %4 mm\n"
                          "Horizontalabstand: %5 mm\nVertikalabstand: %6 mm")
        .arg(MmMitKomma(b.breite), MmMitKomma(b.hoehe), MmMitKomma(b.linkerRand), MmMitKomma(b.obererRand),
             MmMitKomma(b.horizontalabstand), MmMitKomma(b.vertikalabstand));
}

} // namespace

TEtikettenbogenDialog::TEtikettenbogenDialog(QList<Etikettenbogen> boegen, QWidget *eltern)
    : QDialog(eltern), m_boegen(std::move(boegen))
{
    setObjectName(QStringLiteral("EtikettenbogenDialog"));
    setWindowTitle(QStringLiteral("Neu für einen Etikettenbogen"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *suchLabel =
        new QLabel(QStringLiteral("&Suchen (Hersteller, Nummer, Größe wie 70x37 oder Anzahl wie 3x8):"), this);
    m_suchfeld = new QLineEdit(this);
    m_suchfeld->setObjectName(QStringLiteral("EditSuche"));
    m_suchfeld->setClearButtonEnabled(true);
    suchLabel->setBuddy(m_suchfeld);
    m_suchfeld->installEventFilter(this);

    m_liste = new QListWidget(this);
    m_liste->setObjectName(QStringLiteral("ListeBoegen"));
    m_liste->setUniformItemSizes(true);
    for (const Etikettenbogen &b : std::as_const(m_boegen)) {
        // A long list of numbers is cut at the list's edge; the tip shows it whole.
        auto *eintrag = new QListWidgetItem(Eintragstext(b), m_liste);
        eintrag->setToolTip(eintrag->text());
    }
    m_keineTreffer = new QLabel(QStringLiteral("Keine passenden Etikettenbögen"), this);
    m_keineTreffer->setObjectName(QStringLiteral("LabelKeineTreffer"));
    m_keineTreffer->setAlignment(Qt::AlignCenter);
    // In the list's place, looking like the empty list.
    m_keineTreffer->setFrameStyle(m_liste->frameStyle());
    m_keineTreffer->setBackgroundRole(QPalette::Base);
    m_keineTreffer->setAutoFillBackground(true);
    m_listenplatz = new QStackedLayout;
    m_listenplatz->addWidget(m_liste);
    m_listenplatz->addWidget(m_keineTreffer);

    m_bild = new QLabel(this);
    m_bild->setObjectName(QStringLiteral("ImageBogen"));
    m_bild->setFixedSize(ZeichneBogenbild({}, BildHoehe).size());
    m_masse = new QLabel(this);
    m_masse->setObjectName(QStringLiteral("LabelMasse"));
    m_masse->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *rechts = new QVBoxLayout;
    rechts->addWidget(m_bild);
    rechts->addWidget(m_masse, 1);

    auto *mitte = new QHBoxLayout;
    mitte->addLayout(m_listenplatz, 1);
    mitte->addLayout(rechts);

    auto *knoepfe = new QDialogButtonBox(this);
    m_anlegen = knoepfe->addButton(QStringLiteral("Anlegen"), QDialogButtonBox::AcceptRole);
    m_anlegen->setObjectName(QStringLiteral("ButtonAnlegen"));
    m_anlegen->setDefault(true);
    QPushButton *abbrechen = knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    abbrechen->setObjectName(QStringLiteral("ButtonAbbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *spalte = new QVBoxLayout(this);
    spalte->addWidget(suchLabel);
    spalte->addWidget(m_suchfeld);
    spalte->addLayout(mitte, 1);
    spalte->addWidget(knoepfe);

    connect(m_suchfeld, &QLineEdit::textChanged, this, &TEtikettenbogenDialog::SuchfeldChange);
    connect(m_liste, &QListWidget::currentRowChanged, this, &TEtikettenbogenDialog::zeigeGewaehlten);
    connect(m_liste, &QListWidget::itemActivated, this, [this] {
        if (gewaehlterBogen())
            accept();
    });

    resize(760, 420);
    m_liste->setCurrentRow(0);
    SuchfeldChange();
    m_suchfeld->setFocus();
}

std::optional<Etikettenbogen> TEtikettenbogenDialog::gewaehlterBogen() const
{
    const int zeile = m_liste->currentRow();
    if (zeile < 0 || zeile >= m_boegen.size() || m_liste->isRowHidden(zeile))
        return std::nullopt;
    return m_boegen[zeile];
}

bool TEtikettenbogenDialog::eventFilter(QObject *objekt, QEvent *ereignis)
{
    // The keys that move in the list move its choice while the focus, and so the typing, stays in the field.
    if (objekt == m_suchfeld && ereignis->type() == QEvent::KeyPress) {
        const int seite = qMax(1, m_liste->viewport()->height() / qMax(1, m_liste->sizeHintForRow(0)) - 1);
        switch (static_cast<QKeyEvent *>(ereignis)->key()) {
        case Qt::Key_Up:
            bewege(-1);
            return true;
        case Qt::Key_Down:
            bewege(1);
            return true;
        case Qt::Key_PageUp:
            bewege(-seite);
            return true;
        case Qt::Key_PageDown:
            bewege(seite);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TEtikettenbogenDialog::bewege(int schritte)
{
    const int richtung = schritte < 0 ? -1 : 1;
    int zeile = m_liste->currentRow();
    for (int n = qAbs(schritte); n > 0; --n) {
        int naechste = zeile + richtung;
        while (naechste >= 0 && naechste < m_liste->count() && m_liste->isRowHidden(naechste))
            naechste += richtung;
        if (naechste < 0 || naechste >= m_liste->count())
            break;
        zeile = naechste;
    }
    if (zeile >= 0 && !m_liste->isRowHidden(zeile))
        m_liste->setCurrentRow(zeile);
}

void TEtikettenbogenDialog::SuchfeldChange()
{
    const QString suche = m_suchfeld->text();
    int erster = -1;
    for (int i = 0; i < m_boegen.size(); ++i) {
        const bool passt = BogenPasst(m_boegen[i], suche);
        m_liste->setRowHidden(i, !passt);
        if (passt && erster < 0)
            erster = i;
    }
    m_listenplatz->setCurrentWidget(erster < 0 ? static_cast<QWidget *>(m_keineTreffer) : m_liste);
    if (erster >= 0 && (m_liste->currentRow() < 0 || m_liste->isRowHidden(m_liste->currentRow())))
        m_liste->setCurrentRow(erster);
    else
        zeigeGewaehlten();
    if (m_liste->currentItem())
        m_liste->scrollToItem(m_liste->currentItem());
}

void TEtikettenbogenDialog::zeigeGewaehlten()
{
    const std::optional<Etikettenbogen> bogen = gewaehlterBogen();
    m_anlegen->setEnabled(bogen.has_value());
    if (bogen) {
        m_bild->setPixmap(QPixmap::fromImage(ZeichneBogenbild(*bogen, BildHoehe)));
        m_masse->setText(Masse(*bogen));
    } else {
        m_bild->clear();
        m_masse->clear();
    }
}

// The dialog service's entry, kept beside the dialog so that the service knows nothing of the catalogue.
std::optional<Etikettenbogen> QtDialoge::etikettenbogen(const QList<Etikettenbogen> &boegen)
{
    TEtikettenbogenDialog dialog(boegen, m_besitzer);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.gewaehlterBogen();
}
