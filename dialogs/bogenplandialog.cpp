#include "dialogs/bogenplandialog.h"

#include "dialogs/bogenplandialog_zugang.h"

#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "render/seite.h"
#include "storage/bogenbelegung.h"

#include <QAbstractListModel>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

namespace {

// The sheet drawn this high on screen; the preview as well.
constexpr int RasterHoehe = 360;
constexpr double MmJePixel = A4::HoeheMm / double(RasterHoehe);
// The preview's page at a resolution that makes it about as high as the grid.
constexpr int VorschauDpi = 31;

} // namespace

// The planning's labels as the list shows them. Labels only ever join the list; the texts of all change in place,
// so that the list keeps its current row and focus while a count is typed.
class Etikettenliste : public QAbstractListModel
{
public:
    Etikettenliste(const Bogenplanung &planung, QObject *eltern)
        : QAbstractListModel(eltern), m_planung(planung), m_zeilen(int(planung.etiketten().size()))
    {}

    void folge()
    {
        const int zeilen = int(m_planung.etiketten().size());
        if (zeilen > m_zeilen) {
            beginInsertRows({}, m_zeilen, zeilen - 1);
            m_zeilen = zeilen;
            endInsertRows();
        }
        if (m_zeilen > 0)
            Q_EMIT dataChanged(index(0), index(m_zeilen - 1), {Qt::DisplayRole, Qt::AccessibleTextRole});
    }

    int rowCount(const QModelIndex &eltern = {}) const override { return eltern.isValid() ? 0 : m_zeilen; }
    QVariant data(const QModelIndex &index, int rolle) const override
    {
        if (!index.isValid() || index.row() >= m_zeilen)
            return {};
        const Planetikett &e = m_planung.etiketten()[index.row()];
        if (rolle == Qt::DisplayRole)
            return Listeneintrag(e);
        if (rolle == Qt::AccessibleTextRole)
            return ListeneintragZugang(e);
        return {};
    }

private:
    const Bogenplanung &m_planung;
    int m_zeilen;
};

TPlatzraster::TPlatzraster(QWidget *eltern) : QWidget(eltern)
{
    static const bool zugang = (QAccessible::installFactory(BogenplanZugang), true);
    Q_UNUSED(zugang);
    setObjectName(QStringLiteral("Plaetze"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Plätze des Bogens"));
    setFixedSize(qRound(A4::BreiteMm / MmJePixel) + 1, RasterHoehe + 1);
}

void TPlatzraster::zeige(const Bogenmasse &m, const QList<int> &inhalt, const QList<QImage> &bilder,
                         const QStringList &namen)
{
    const QStringList vorher = m_masse == m ? m_namen : QStringList();
    m_masse = m;
    m_inhalt = inhalt;
    m_bilder = bilder;
    m_namen = namen;
    m_gewaehlt = std::clamp(m_gewaehlt, 1, std::max(1, int(inhalt.size())));
    for (int n = 1; n <= std::min(vorher.size(), namen.size()); ++n)
        if (vorher[n - 1] != namen[n - 1])
            melde(n, QAccessible::NameChanged);
    update();
}

void TPlatzraster::waehle(int nummer)
{
    if (nummer < 1 || nummer > m_inhalt.size() || nummer == m_gewaehlt)
        return;
    m_gewaehlt = nummer;
    if (imFokus())
        melde(nummer, QAccessible::Focus);
    update();
}

void TPlatzraster::melde(int nummer, QAccessible::Event art)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent ereignis(this, art);
    ereignis.setChild(nummer - 1);
    QAccessible::updateAccessibility(&ereignis);
}

QRectF TPlatzraster::rechteck(int nummer) const
{
    const Platz p = PlatzMitNummer(m_masse, nummer);
    const MmRechteck r = EtikettAufDemBlatt(m_masse, p.spalte, p.zeile);
    return {r.x / MmJePixel, r.y / MmJePixel, r.breite / MmJePixel, r.hoehe / MmJePixel};
}

int TPlatzraster::nummerBei(QPointF punkt) const
{
    for (int n = 1; n <= m_inhalt.size(); ++n)
        if (rechteck(n).contains(punkt))
            return n;
    return 0;
}

void TPlatzraster::paintEvent(QPaintEvent *)
{
    QPainter maler(this);
    maler.fillRect(rect(), Qt::white);
    maler.setPen(palette().color(QPalette::Mid));
    maler.drawRect(rect().adjusted(0, 0, -1, -1));
    for (int n = 1; n <= m_inhalt.size(); ++n) {
        const QRectF r = rechteck(n);
        const int inhalt = m_inhalt[n - 1];
        if (inhalt >= 0 && inhalt < m_bilder.size()) {
            maler.drawImage(r, m_bilder[inhalt]);
        } else if (inhalt == PlatzVerbraucht) {
            maler.fillRect(r, QColor(0xc0, 0xc0, 0xc0));
            maler.setPen(Qt::darkGray);
            maler.drawLine(r.topLeft(), r.bottomRight());
            maler.drawLine(r.topRight(), r.bottomLeft());
        }
        maler.setPen(Qt::darkGray);
        maler.drawRect(r);
    }
    if (m_inhalt.isEmpty())
        return;
    const QRect gewaehlt = rechteck(m_gewaehlt).toAlignedRect();
    maler.setPen(QPen(palette().color(QPalette::Highlight), 2));
    maler.drawRect(gewaehlt.adjusted(1, 1, -1, -1));
    if (hasFocus()) {
        QStyleOptionFocusRect fokus;
        fokus.initFrom(this);
        fokus.rect = gewaehlt.adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &fokus, &maler, this);
    }
}

void TPlatzraster::keyPressEvent(QKeyEvent *ereignis)
{
    const int inZeile = std::max(1, m_masse.AnzahlEtikettenInZeile);
    const Platz p = PlatzMitNummer(m_masse, m_gewaehlt);
    switch (ereignis->key()) {
    case Qt::Key_Left:
        waehle(p.spalte > 1 ? m_gewaehlt - 1 : m_gewaehlt);
        break;
    case Qt::Key_Right:
        waehle(p.spalte < inZeile ? m_gewaehlt + 1 : m_gewaehlt);
        break;
    case Qt::Key_Up:
        waehle(m_gewaehlt - inZeile);
        break;
    case Qt::Key_Down:
        waehle(m_gewaehlt + inZeile);
        break;
    case Qt::Key_Space:
        if (!m_inhalt.isEmpty())
            Q_EMIT umschaltenVerlangt(m_gewaehlt, m_inhalt[m_gewaehlt - 1] != PlatzVerbraucht);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_inhalt.isEmpty())
            Q_EMIT setzenVerlangt(m_gewaehlt);
        break;
    default:
        QWidget::keyPressEvent(ereignis);
        return;
    }
    ereignis->accept();
}

void TPlatzraster::mousePressEvent(QMouseEvent *ereignis)
{
    const int n = nummerBei(ereignis->position());
    if (ereignis->button() != Qt::LeftButton || n == 0)
        return;
    // The keys that follow are for this place, however the platform hands out the focus on a click.
    setFocus(Qt::MouseFocusReason);
    waehle(n);
    m_ziehZustand = m_inhalt[n - 1] != PlatzVerbraucht;
    m_zuletztGezogen = n;
    Q_EMIT umschaltenVerlangt(n, m_ziehZustand);
}

void TPlatzraster::mouseMoveEvent(QMouseEvent *ereignis)
{
    const int n = nummerBei(ereignis->position());
    if (!(ereignis->buttons() & Qt::LeftButton) || n == 0 || n == m_zuletztGezogen)
        return;
    m_zuletztGezogen = n;
    waehle(n);
    if ((m_inhalt[n - 1] == PlatzVerbraucht) != m_ziehZustand)
        Q_EMIT umschaltenVerlangt(n, m_ziehZustand);
}

void TPlatzraster::focusInEvent(QFocusEvent *ereignis)
{
    QWidget::focusInEvent(ereignis);
    // The grid got the focus; the place within it is what a screen reader is to say.
    if (!m_inhalt.isEmpty())
        melde(m_gewaehlt, QAccessible::Focus);
    update();
}

void TPlatzraster::focusOutEvent(QFocusEvent *ereignis)
{
    QWidget::focusOutEvent(ereignis);
    update();
}

TBogenplanDialog::TBogenplanDialog(const Bogenmasse &m, Planetikett aktuelles, QString etikettenOrdner, Drucke drucke,
                                   Drucke probedrucke, DialogDienst &dialoge, QWidget *eltern)
    : QDialog(eltern), m_planung(m, std::move(aktuelles), LiesVerbrauchtePlaetze(m)),
      m_ordner(std::move(etikettenOrdner)), m_drucke(std::move(drucke)), m_probedrucke(std::move(probedrucke)),
      m_dialoge(dialoge)
{
    setObjectName(QStringLiteral("BogenplanDialog"));
    setWindowTitle(QStringLiteral("Bogen zusammenstellen"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *rasterLabel = new QLabel(QStringLiteral("&Plätze des Bogens:"), this);
    m_raster = new TPlatzraster(this);
    rasterLabel->setBuddy(m_raster);

    auto *listeLabel = new QLabel(QStringLiteral("&Etiketten auf diesem Bogen:"), this);
    m_eintraege = new Etikettenliste(m_planung, this);
    m_liste = new QListView(this);
    m_liste->setObjectName(QStringLiteral("ListeEtiketten"));
    m_liste->setModel(m_eintraege);
    m_liste->setAccessibleName(QStringLiteral("Etiketten auf diesem Bogen"));
    listeLabel->setBuddy(m_liste);
    auto *anzahlLabel = new QLabel(QStringLiteral("A&nzahl:"), this);
    m_anzahl = new Zahlfeld(this);
    m_anzahl->setObjectName(QStringLiteral("SpinAnzahl"));
    m_anzahl->setRange(0, Platzanzahl(m));
    m_anzahl->setAccessibleName(QStringLiteral("Anzahl"));
    anzahlLabel->setBuddy(m_anzahl);
    m_hinzufuegen = new Menueknopf(QStringLiteral("Etikett hinzufügen..."), this);
    m_hinzufuegen->setObjectName(QStringLiteral("ButtonHinzufuegen"));
    m_angebot = new QMenu(m_hinzufuegen);
    m_angebot->setObjectName(QStringLiteral("MenueEtiketten"));
    m_hinzufuegen->setMenu(m_angebot);
    auto *abLabel = new QLabel(QStringLiteral("Ab Platz:"), this);
    m_ab = new Zahlfeld(this);
    m_ab->setObjectName(QStringLiteral("SpinAbPlatz"));
    m_ab->setRange(1, std::max(1, Platzanzahl(m)));
    m_ab->setAccessibleName(QStringLiteral("Ab Platz"));
    abLabel->setBuddy(m_ab);
    m_abStelle = new QLabel(this);
    m_hinweis = new QLabel(this);
    m_hinweis->setObjectName(QStringLiteral("LabelHinweis"));
    m_hinweis->setWordWrap(true);

    auto *mitte = new QGridLayout;
    mitte->addWidget(listeLabel, 0, 0, 1, 3);
    mitte->addWidget(m_liste, 1, 0, 1, 3);
    mitte->addWidget(anzahlLabel, 2, 0);
    mitte->addWidget(m_anzahl, 2, 1);
    mitte->addWidget(m_hinzufuegen, 2, 2);
    mitte->addWidget(abLabel, 3, 0);
    mitte->addWidget(m_ab, 3, 1);
    mitte->addWidget(m_abStelle, 3, 2);
    mitte->addWidget(m_hinweis, 4, 0, 1, 3);
    mitte->setRowStretch(5, 1);

    m_vorschau = new QLabel(this);
    m_vorschau->setObjectName(QStringLiteral("ImageVorschau"));
    m_vorschau->setAccessibleName(QStringLiteral("Vorschau der Seite"));
    m_vorschau->setFixedSize(m_raster->size());
    m_vorschau->setAlignment(Qt::AlignCenter);

    auto *links = new QVBoxLayout;
    links->addWidget(rasterLabel);
    links->addWidget(m_raster);
    auto *rechts = new QVBoxLayout;
    rechts->addWidget(new QLabel(QStringLiteral("Vorschau:"), this));
    rechts->addWidget(m_vorschau);
    auto *oben = new QHBoxLayout;
    oben->addLayout(links);
    oben->addLayout(mitte, 1);
    oben->addLayout(rechts);

    auto *knoepfe = new QDialogButtonBox(this);
    m_drucken = knoepfe->addButton(QStringLiteral("Drucken"), QDialogButtonBox::ActionRole);
    m_drucken->setObjectName(QStringLiteral("ButtonDrucken"));
    m_probedruck = knoepfe->addButton(QStringLiteral("Probedruck..."), QDialogButtonBox::ActionRole);
    m_probedruck->setObjectName(QStringLiteral("ButtonProbedruck"));
    m_probedruck->setAccessibleName(QStringLiteral("Probedruck auf Normalpapier"));
    m_neuerBogen = knoepfe->addButton(QStringLiteral("Neuer Bogen"), QDialogButtonBox::ResetRole);
    m_neuerBogen->setObjectName(QStringLiteral("ButtonNeuerBogen"));
    QPushButton *schliessen = knoepfe->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    // Enter in a field must not print a sheet.
    for (QPushButton *k : {m_drucken, m_probedruck, m_neuerBogen, schliessen})
        k->setAutoDefault(false);
    auto *ganz = new QVBoxLayout(this);
    ganz->addLayout(oben);
    ganz->addWidget(knoepfe);

    setTabOrder(m_raster, m_liste);
    setTabOrder(m_liste, m_anzahl);
    setTabOrder(m_anzahl, m_hinzufuegen);
    setTabOrder(m_hinzufuegen, m_ab);
    setTabOrder(m_ab, m_drucken);
    setTabOrder(m_drucken, m_neuerBogen);
    setTabOrder(m_neuerBogen, schliessen);
    // Last, so that the keys that reach the others stay as they were.
    setTabOrder(schliessen, m_probedruck);

    connect(m_raster, &TPlatzraster::umschaltenVerlangt, this,
            [this](int nummer, bool verbraucht) { bewacht([&] { schalteUm(nummer, verbraucht); }); });
    connect(m_raster, &TPlatzraster::setzenVerlangt, this, [this](int nummer) { bewacht([&] { setzeAn(nummer); }); });
    connect(m_liste->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { bewacht([this] { zeigeAnzahl(); }); });
    // What the dialog shows it does not hear as the person's change.
    connect(m_anzahl, &QSpinBox::valueChanged, this, [this](int wert) {
        if (!m_zeigt)
            bewacht([&] {
                if (m_planung.setzeAnzahl(gewaehltesEtikett(), wert))
                    zeige();
            });
    });
    connect(m_ab, &QSpinBox::valueChanged, this, [this](int wert) {
        if (!m_zeigt)
            bewacht([&] {
                if (m_planung.setzeAb(wert))
                    zeige();
            });
    });
    connect(m_angebot, &QMenu::aboutToShow, this, [this] { bewacht([this] { bieteEtikettenAn(); }); });
    connect(m_drucken, &QPushButton::clicked, this, [this] { bewacht([this] { DruckenClick(); }); });
    connect(m_probedruck, &QPushButton::clicked, this, [this] { bewacht([this] { ProbedruckClick(); }); });
    connect(m_neuerBogen, &QPushButton::clicked, this, [this] { bewacht([this] { NeuerBogenClick(); }); });
    connect(schliessen, &QPushButton::clicked, this, &QDialog::reject);

    waehleEtikett(0);
    zeige();
    m_raster->waehle(m_planung.ersterFreier());
    m_raster->setFocus();
}

int TBogenplanDialog::gewaehltesEtikett() const
{
    return m_liste->currentIndex().row();
}

void TBogenplanDialog::waehleEtikett(int zeile)
{
    m_liste->selectionModel()->setCurrentIndex(m_eintraege->index(zeile), QItemSelectionModel::ClearAndSelect);
}

void TBogenplanDialog::zeige(const QString &meldung)
{
    m_eintraege->folge();
    zeigeAnzahl();
    if (m_ab->value() != m_planung.ab()) {
        const QScopedValueRollback zeigt(m_zeigt, true);
        m_ab->setValue(m_planung.ab());
    }
    QList<QImage> bilder;
    for (const Planetikett &e : m_planung.etiketten())
        bilder.append(e.bild);
    m_raster->zeige(m_planung.masse(), m_planung.inhalte(), bilder, m_planung.platznamen());
    m_abStelle->setText(AbStelle(m_planung));
    const Fuellung &f = m_planung.fuellung();
    m_hinweis->setText(f.fehler.isEmpty() ? meldung : f.fehler);
    m_drucken->setEnabled(f.fehler.isEmpty());
    m_probedruck->setEnabled(f.fehler.isEmpty());
    zeigeVorschau();
}

void TBogenplanDialog::zeigeAnzahl()
{
    const int zeile = gewaehltesEtikett();
    if (zeile < 0)
        return;
    const std::optional<int> anzahl = m_planung.etiketten()[zeile].anzahl;
    if (anzahl && m_anzahl->value() != *anzahl) {
        const QScopedValueRollback zeigt(m_zeigt, true);
        m_anzahl->setValue(*anzahl);
    }
}

void TBogenplanDialog::zeigeVorschau()
{
    const Fuellung &f = m_planung.fuellung();
    m_vorschau->setAccessibleDescription(Vorschaubeschreibung(f));
    // A count that leaves the plan as it was leaves the preview as well.
    QList<qint64> bilder;
    for (const Planetikett &e : m_planung.etiketten())
        bilder.append(e.bild.cacheKey());
    if (m_vorschauVon && m_vorschauVon->first == f.plan && m_vorschauVon->second == bilder)
        return;
    if (f.plan.plaetze.isEmpty())
        m_vorschau->clear();
    else
        m_vorschau->setPixmap(
            QPixmap::fromImage(Seitenvorschau(f.plan, m_planung.seitenetiketten(), VorschauDpi, VorschauDpi)
                                   .scaled(m_vorschau->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    m_vorschauVon.emplace(f.plan, bilder);
}

void TBogenplanDialog::setzeAn(int nummer)
{
    if (!m_planung.setzeAn(std::max(0, gewaehltesEtikett()), nummer))
        return;
    // The label went to the top of the list.
    waehleEtikett(0);
    zeige();
}

void TBogenplanDialog::bieteEtikettenAn()
{
    m_angebot->clear();
    const EtikettenImOrdner etiketten = EtikettenFuerBogen(m_ordner, m_planung.masse());
    for (const QString &pfad : etiketten.passend) {
        if (m_planung.traegt(pfad))
            continue;
        m_angebot->addAction(QFileInfo(pfad).completeBaseName(), this,
                             [this, pfad] { bewacht([&] { nimmEtikett(pfad); }); });
    }
    if (m_angebot->isEmpty())
        m_angebot->addAction(QStringLiteral("Keine weitere Etikette mit diesen Maßen"))->setEnabled(false);
    // Named, not offered: so that the person knows why a label of the folder is not there.
    constexpr qsizetype GenanntHoechstens = 10;
    if (!etiketten.andere.isEmpty())
        m_angebot->addSeparator();
    for (const QString &pfad : etiketten.andere.mid(0, GenanntHoechstens))
        m_angebot->addAction(QFileInfo(pfad).completeBaseName() + QStringLiteral(": für einen anderen Bogen"))
            ->setEnabled(false);
    if (etiketten.andere.size() > GenanntHoechstens)
        m_angebot
            ->addAction(QStringLiteral("und %1 weitere für andere Bögen").arg(etiketten.andere.size() - GenanntHoechstens))
            ->setEnabled(false);
}

void TBogenplanDialog::nimmEtikett(const QString &pfad)
{
    Planetikett e{pfad, {}, {}};
    const GelesenesEtikett gelesen = LiesEtikett(e, m_planung.masse());
    if (!gelesen.fehler.isEmpty())
        throw Fehler(gelesen.fehler);
    e.bild = gelesen.bild;
    e.masse = gelesen.masse;
    e.rueckseite = gelesen.rueckseite;
    e.anschnitt = gelesen.anschnitt;
    const int neu = m_planung.fuegeHinzu(std::move(e));
    m_eintraege->folge();
    waehleEtikett(neu);
    zeige();
}

void TBogenplanDialog::schalteUm(int nummer, bool verbraucht)
{
    if (!m_planung.setzeVerbraucht(nummer, verbraucht))
        return;
    // Shown before it is stored: a store that cannot be written leaves what the person did on screen.
    zeige();
    Platzaenderung aenderung;
    (verbraucht ? aenderung.verbraucht : aenderung.frei).append(nummer);
    m_planung.uebernimmVerbraucht(AendereVerbrauchtePlaetze(m_planung.masse(), aenderung));
    zeige();
}

Bogenplan TBogenplanDialog::druckbarerPlan()
{
    if (!m_planung.fuellung().fehler.isEmpty())
        throw Fehler(m_planung.fuellung().fehler);
    // What prints is what is on disk now, not what was read when the label joined.
    const QString nichtDa = m_planung.liesEtikettenNeu();
    zeige();
    if (!nichtDa.isEmpty())
        throw Fehler(nichtDa);
    return m_planung.fuellung().plan;
}

void TBogenplanDialog::ProbedruckClick()
{
    // Plain paper: the plan stays unprinted and every place as it is.
    const Bogenplan plan = druckbarerPlan();
    if (m_probedrucke(plan, m_planung.seitenetiketten()) != Druckziel::Nichts)
        zeige(QStringLiteral("Der Probedruck verbraucht keinen Platz des Bogens."));
}

void TBogenplanDialog::DruckenClick()
{
    // Copies: the print dialog runs an event loop of its own.
    const Bogenplan plan = druckbarerPlan();
    const Platzaenderung plaetze = m_planung.planplaetze();
    switch (m_drucke(plan, m_planung.seitenetiketten())) {
    case Druckziel::Nichts:
        return;
    case Druckziel::Datei:
        m_planung.inDateiGedruckt();
        zeige(QStringLiteral("Die Seite wurde in eine Datei gedruckt, nicht auf einen Etikettenbogen: ihre Plätze "
                             "bleiben frei."));
        return;
    case Druckziel::Papier:
        break;
    }
    m_planung.gedruckt(MitAenderung(m_planung.verbraucht(), plaetze));
    zeige();
    m_raster->waehle(m_planung.ersterFreier());
    if (!m_planung.verbraucht().contains(false))
        m_neuerBogen->setFocus();
    m_planung.gedruckt(AendereVerbrauchtePlaetze(m_planung.masse(), plaetze));
    zeige();
    m_raster->waehle(m_planung.ersterFreier());
}

void TBogenplanDialog::NeuerBogenClick()
{
    m_planung.neuerBogen();
    // Shown before it is stored, as after a print: a store that cannot be written leaves the new sheet on screen.
    zeige();
    m_raster->waehle(1);
    Platzaenderung alle;
    for (int n = 1; n <= Platzanzahl(m_planung.masse()); ++n)
        alle.frei.append(n);
    m_planung.uebernimmVerbraucht(AendereVerbrauchtePlaetze(m_planung.masse(), alle));
    zeige();
}

void TBogenplanDialog::reject()
{
    if (m_planung.ungedruckt()
        && !m_dialoge.vorsichtsfrage(
            QStringLiteral("Der zusammengestellte Bogen wurde nicht gedruckt. Trotzdem schließen?")))
        return;
    QDialog::reject();
}

void TBogenplanDialog::bewacht(const std::function<void()> &handler)
{
    Bewacht(m_dialoge, handler);
}
