#include "dialogs/etikettenbogendialog.h"

#include "dialogs/dialogteile.h"
#include "platform/dialogdienst.h"
#include "render/bogenbild.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractListModel>
#include <QListView>
#include <QPixmap>
#include <QPushButton>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int BildHoehe = 240;
// From this many sheets on, the search waits for a pause in the typing.
constexpr qsizetype GrosserKatalog = 20000;

QString Masse(const Etikettenbogen &b)
{
    const auto mm = [&b](Massfeld feld) { return HundertstelText(b.masse.Hundertstel(feld), QLatin1Char(',')); };
    return QStringLiteral("Etikett: %1 x %2 mm\nLinker Rand: %3 mm\nOberer Rand: %4 mm\n"
                          "Horizontalabstand: %5 mm\nVertikalabstand: %6 mm")
        .arg(mm(&Bogenmasse::Etikettenbreite), mm(&Bogenmasse::Etikettenhoehe), mm(&Bogenmasse::SeitenRand),
             mm(&Bogenmasse::ObererRand), mm(&Bogenmasse::Horizontalabstand), mm(&Bogenmasse::Vertikalabstand));
}

// What a screen reader is told of the search: the number of matches, or that there are none.
QString Trefferzahl(int anzahl)
{
    if (anzahl == 0)
        return QStringLiteral("Keine passenden Etikettenbögen");
    if (anzahl == 1)
        return QStringLiteral("1 passender Etikettenbogen");
    return QStringLiteral("%1 passende Etikettenbögen").arg(anzahl);
}

// The list follows the typing while the search field keeps the focus: its choice is told as the focus only when
// the list has it, else a screen reader would leave the field with every letter.
class Bogenliste : public QListView
{
public:
    using QListView::QListView;

protected:
    void currentChanged(const QModelIndex &neu, const QModelIndex &alt) override
    {
        if (hasFocus())
            QListView::currentChanged(neu, alt);
        else
            QAbstractItemView::currentChanged(neu, alt);
    }
};

} // namespace

// The matching sheets as the list shows them; an entry's text is made only when it is shown.
class Trefferliste : public QAbstractListModel
{
public:
    Trefferliste(const QList<Etikettenbogen> &boegen, QObject *eltern) : QAbstractListModel(eltern), m_boegen(boegen) {}

    void setzen(QList<int> treffer)
    {
        beginResetModel();
        m_treffer = std::move(treffer);
        endResetModel();
    }
    // Every row is as wide as the longest entry, so that none is cut.
    void setEintragsgroesse(QSize groesse) { m_groesse = groesse; }
    int bogen(int zeile) const { return zeile >= 0 && zeile < m_treffer.size() ? m_treffer[zeile] : -1; }

    int rowCount(const QModelIndex &eltern = {}) const override { return eltern.isValid() ? 0 : int(m_treffer.size()); }
    QVariant data(const QModelIndex &index, int rolle) const override
    {
        const int b = bogen(index.row());
        if (b < 0)
            return {};
        if (rolle == Qt::DisplayRole || rolle == Qt::ToolTipRole || rolle == Qt::AccessibleTextRole)
            return Eintragstext(m_boegen[b]);
        if (rolle == Qt::SizeHintRole && m_groesse.isValid())
            return m_groesse;
        return {};
    }

private:
    const QList<Etikettenbogen> &m_boegen;
    QList<int> m_treffer;
    QSize m_groesse;
};

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

    m_schluessel = SuchschluesselFuer(m_boegen);
    // The entry with the most letters in maker and numbers; the rest of an entry differs by a few digits.
    qsizetype laengster = -1, laenge = -1;
    for (qsizetype i = 0; i < m_boegen.size(); ++i) {
        qsizetype l = m_boegen[i].hersteller.size() + 16;
        for (const QString &nummer : m_boegen[i].nummern)
            l += nummer.size() + 2;
        if (l > laenge) {
            laenge = l;
            laengster = i;
        }
    }
    m_treffer = new Trefferliste(m_boegen, this);
    m_liste = new Bogenliste(this);
    m_liste->setObjectName(QStringLiteral("ListeBoegen"));
    m_liste->setUniformItemSizes(true);
    // Whole entries: what does not fit scrolls sideways, the tip shows it too.
    m_liste->setTextElideMode(Qt::ElideNone);
    m_liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_liste->setModel(m_treffer);
    if (laengster >= 0) {
        const QFontMetrics metrik(m_liste->font());
        m_treffer->setEintragsgroesse(
            QSize(metrik.horizontalAdvance(Eintragstext(m_boegen[laengster])) + 2 * metrik.averageCharWidth() + 8,
                  metrik.height() + 4));
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
    // Below the list, the chosen entry whole, however long its list of numbers.
    m_eintrag = new QLabel(this);
    m_eintrag->setObjectName(QStringLiteral("LabelEintrag"));
    m_eintrag->setWordWrap(true);
    m_eintrag->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *links = new QVBoxLayout;
    links->addLayout(m_listenplatz, 1);
    links->addWidget(m_eintrag);
    mitte->addLayout(links, 1);
    mitte->addLayout(rechts);

    const Knopfzeile knopfzeile = ErzeugeKnopfzeile(*this, QStringLiteral("Anlegen"), QStringLiteral("ButtonAnlegen"),
                                                    QStringLiteral("ButtonAbbrechen"));
    m_anlegen = knopfzeile.annehmen;
    connect(m_anlegen, &QPushButton::clicked, this, &QDialog::accept);

    // Its text changes with each search, which a screen reader announces.
    m_trefferzahl = new QLabel(this);
    m_trefferzahl->setObjectName(QStringLiteral("LabelTrefferzahl"));
    auto *unten = new QHBoxLayout;
    unten->addWidget(m_trefferzahl, 1);
    unten->addWidget(knopfzeile.zeile);

    auto *spalte = new QVBoxLayout(this);
    spalte->addWidget(suchLabel);
    spalte->addWidget(m_suchfeld);
    spalte->addLayout(mitte, 1);
    spalte->addLayout(unten);

    // A large catalogue is searched once the typing pauses, so that the field never lags behind the keys.
    m_suchTimer = new QTimer(this);
    m_suchTimer->setSingleShot(true);
    m_suchTimer->setInterval(250);
    connect(m_suchTimer, &QTimer::timeout, this, &TEtikettenbogenDialog::suche);
    connect(m_suchfeld, &QLineEdit::textChanged, this, &TEtikettenbogenDialog::SuchfeldChange);
    connect(m_liste->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TEtikettenbogenDialog::zeigeGewaehlten);
    connect(m_liste, &QListView::activated, this, [this] {
        if (gewaehlterBogen())
            accept();
    });

    resize(900, 440);
    suche();
    m_suchfeld->setFocus();
}

std::optional<Etikettenbogen> TEtikettenbogenDialog::gewaehlterBogen() const
{
    if (m_suchTimer->isActive())
        return std::nullopt;
    const int bogen = m_treffer->bogen(m_liste->currentIndex().row());
    if (bogen < 0)
        return std::nullopt;
    return MitGesuchterNummer(m_boegen[bogen], m_suchfeld->text());
}

bool TEtikettenbogenDialog::eventFilter(QObject *objekt, QEvent *ereignis)
{
    // The keys that move in the list move its choice while the focus, and so the typing, stays in the field.
    if (objekt == m_suchfeld && ereignis->type() == QEvent::KeyPress) {
        // A key that acts on the list acts on the list for what has been typed.
        const int taste = static_cast<QKeyEvent *>(ereignis)->key();
        if (m_suchTimer->isActive()
            && (taste == Qt::Key_Up || taste == Qt::Key_Down || taste == Qt::Key_PageUp || taste == Qt::Key_PageDown
                || taste == Qt::Key_Return || taste == Qt::Key_Enter))
            suche();
        const int seite = qMax(1, m_liste->viewport()->height() / qMax(1, m_liste->sizeHintForRow(0)) - 1);
        switch (taste) {
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
    const int anzahl = m_treffer->rowCount();
    if (anzahl == 0)
        return;
    const int zeile = qBound(0, m_liste->currentIndex().row() + schritte, anzahl - 1);
    m_liste->setCurrentIndex(m_treffer->index(zeile));
}

void TEtikettenbogenDialog::SuchfeldChange()
{
    if (m_boegen.size() <= GrosserKatalog) {
        suche();
        return;
    }
    m_anlegen->setEnabled(false);
    m_suchTimer->start();
}

void TEtikettenbogenDialog::suche()
{
    m_suchTimer->stop();
    m_treffer->setzen(SucheBoegen(m_boegen, m_schluessel, m_suchfeld->text()));
    const bool leer = m_treffer->rowCount() == 0;
    m_trefferzahl->setText(Trefferzahl(m_treffer->rowCount()));
    m_listenplatz->setCurrentWidget(leer ? static_cast<QWidget *>(m_keineTreffer) : m_liste);
    if (!leer) {
        m_liste->setCurrentIndex(m_treffer->index(0));
        m_liste->scrollToTop();
    }
    zeigeGewaehlten();
}

void TEtikettenbogenDialog::zeigeGewaehlten()
{
    const std::optional<Etikettenbogen> bogen = gewaehlterBogen();
    m_anlegen->setEnabled(bogen.has_value());
    if (bogen) {
        m_bild->setPixmap(QPixmap::fromImage(ZeichneBogenbild(*bogen, BildHoehe)));
        m_masse->setText(Masse(*bogen));
        m_eintrag->setText(Eintragstext(*bogen));
    } else {
        m_bild->clear();
        m_masse->clear();
        m_eintrag->clear();
    }
}
