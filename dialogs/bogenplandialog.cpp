#include "dialogs/bogenplandialog.h"

#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "render/bogen.h"
#include "render/seite.h"
#include "storage/bogenbelegung.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
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

QString Name(const QString &pfad)
{
    return QFileInfo(pfad).completeBaseName();
}

QString PlatzText(const Bogenmasse &m, int nummer)
{
    const Platz p = PlatzMitNummer(m, nummer);
    return QStringLiteral("Platz %1: Spalte %2, Zeile %3").arg(nummer).arg(p.spalte).arg(p.zeile);
}

} // namespace

TPlatzraster::TPlatzraster(QWidget *eltern) : QWidget(eltern)
{
    setObjectName(QStringLiteral("Plaetze"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Plätze des Bogens"));
    setFixedSize(qRound(A4::BreiteMm / MmJePixel) + 1, RasterHoehe + 1);
}

void TPlatzraster::zeige(const Bogenmasse &m, const QList<int> &inhalt, const QList<QImage> &bilder)
{
    m_masse = m;
    m_inhalt = inhalt;
    m_bilder = bilder;
    m_gewaehlt = std::clamp(m_gewaehlt, 1, std::max(1, int(inhalt.size())));
    beschreibe();
    update();
}

void TPlatzraster::waehle(int nummer)
{
    if (nummer < 1 || nummer > m_inhalt.size())
        return;
    m_gewaehlt = nummer;
    beschreibe();
    update();
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

void TPlatzraster::beschreibe()
{
    if (m_inhalt.isEmpty())
        return;
    const int inhalt = m_inhalt[m_gewaehlt - 1];
    const QString was = inhalt == Frei ? QStringLiteral("frei")
        : inhalt == Verbraucht         ? QStringLiteral("verbraucht")
                                       : QStringLiteral("Etikett %1").arg(inhalt + 1);
    setAccessibleDescription(PlatzText(m_masse, m_gewaehlt) + QStringLiteral(", ") + was);
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
        } else if (inhalt == Verbraucht) {
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
        if (umschalten && !m_inhalt.isEmpty())
            umschalten(m_gewaehlt, m_inhalt[m_gewaehlt - 1] != Verbraucht);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (setzen && !m_inhalt.isEmpty())
            setzen(m_gewaehlt);
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
    waehle(n);
    m_ziehZustand = m_inhalt[n - 1] != Verbraucht;
    m_zuletztGezogen = n;
    if (umschalten)
        umschalten(n, m_ziehZustand);
}

void TPlatzraster::mouseMoveEvent(QMouseEvent *ereignis)
{
    const int n = nummerBei(ereignis->position());
    if (!(ereignis->buttons() & Qt::LeftButton) || n == 0 || n == m_zuletztGezogen)
        return;
    m_zuletztGezogen = n;
    waehle(n);
    if (umschalten && (m_inhalt[n - 1] == Verbraucht) != m_ziehZustand)
        umschalten(n, m_ziehZustand);
}

void TPlatzraster::focusInEvent(QFocusEvent *ereignis)
{
    QWidget::focusInEvent(ereignis);
    update();
}

void TPlatzraster::focusOutEvent(QFocusEvent *ereignis)
{
    QWidget::focusOutEvent(ereignis);
    update();
}

TBogenplanDialog::TBogenplanDialog(const Bogenmasse &m, Bogenetikett aktuelles, QString etikettenOrdner, Drucke drucke,
                                   DialogDienst &dialoge, QWidget *eltern)
    : QDialog(eltern), m_masse(m), m_ordner(std::move(etikettenOrdner)), m_drucke(std::move(drucke)),
      m_dialoge(dialoge), m_verbraucht(LiesVerbrauchtePlaetze(m))
{
    setObjectName(QStringLiteral("BogenplanDialog"));
    setWindowTitle(QStringLiteral("Bogen zusammenstellen"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_etiketten.append({std::move(aktuelles), 1});

    auto *rasterLabel = new QLabel(QStringLiteral("&Plätze des Bogens:"), this);
    m_raster = new TPlatzraster(this);
    rasterLabel->setBuddy(m_raster);
    m_raster->umschalten = [this](int nummer, bool verbraucht) {
        bewacht([&] {
            m_verbraucht[nummer - 1] = verbraucht;
            berechne();
        });
    };
    m_raster->setzen = [this](int nummer) { bewacht([&] { setzeAn(nummer); }); };

    auto *listeLabel = new QLabel(QStringLiteral("&Etiketten auf diesem Bogen:"), this);
    m_liste = new QListWidget(this);
    m_liste->setObjectName(QStringLiteral("ListeEtiketten"));
    listeLabel->setBuddy(m_liste);
    auto *anzahlLabel = new QLabel(QStringLiteral("A&nzahl:"), this);
    m_anzahl = new QSpinBox(this);
    m_anzahl->setObjectName(QStringLiteral("SpinAnzahl"));
    m_anzahl->setRange(0, Platzanzahl(m));
    anzahlLabel->setBuddy(m_anzahl);
    m_hinzufuegen = new QPushButton(QStringLiteral("Etikett hinzufügen..."), this);
    m_hinzufuegen->setObjectName(QStringLiteral("ButtonHinzufuegen"));
    m_angebot = new QMenu(m_hinzufuegen);
    m_angebot->setObjectName(QStringLiteral("MenueEtiketten"));
    m_hinzufuegen->setMenu(m_angebot);
    auto *abLabel = new QLabel(QStringLiteral("Ab Platz:"), this);
    m_ab = new QSpinBox(this);
    m_ab->setObjectName(QStringLiteral("SpinAbPlatz"));
    m_ab->setRange(1, std::max(1, Platzanzahl(m)));
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
    m_neuerBogen = knoepfe->addButton(QStringLiteral("Neuer Bogen"), QDialogButtonBox::ResetRole);
    m_neuerBogen->setObjectName(QStringLiteral("ButtonNeuerBogen"));
    QPushButton *schliessen = knoepfe->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    // Enter in a field must not print a sheet.
    for (QPushButton *k : {m_drucken, m_neuerBogen, schliessen})
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

    connect(m_liste, &QListWidget::currentRowChanged, this, [this] { bewacht([this] { waehleEtikett(); }); });
    connect(m_anzahl, &QSpinBox::valueChanged, this, [this](int wert) {
        bewacht([&] {
            const int zeile = m_liste->currentRow();
            if (m_zeigt || zeile < 0 || m_etiketten[zeile].anzahl == wert)
                return;
            m_etiketten[zeile].anzahl = wert;
            berechne();
        });
    });
    connect(m_ab, &QSpinBox::valueChanged, this, [this] {
        bewacht([this] {
            if (!m_zeigt)
                berechne();
        });
    });
    connect(m_angebot, &QMenu::aboutToShow, this, [this] { bewacht([this] { bieteEtikettenAn(); }); });
    connect(m_drucken, &QPushButton::clicked, this, [this] { bewacht([this] { DruckenClick(); }); });
    connect(m_neuerBogen, &QPushButton::clicked, this, [this] { bewacht([this] { NeuerBogenClick(); }); });
    connect(schliessen, &QPushButton::clicked, this, &QDialog::reject);

    zeigeListe();
    m_liste->setCurrentRow(0);
    m_ab->setValue(ersterFreier());
    m_raster->waehle(ersterFreier());
    berechne();
    m_raster->waehle(ersterFreier());
    m_raster->setFocus();
}

int TBogenplanDialog::ersterFreier() const
{
    const qsizetype frei = m_verbraucht.indexOf(false);
    return frei < 0 ? 1 : int(frei) + 1;
}

void TBogenplanDialog::zeigeListe()
{
    const QScopedValueRollback zeigt(m_zeigt, true);
    // Texts change in place, so that the list keeps its current row and focus while a count is typed.
    while (m_liste->count() < m_etiketten.size())
        m_liste->addItem(QString());
    for (qsizetype i = 0; i < m_etiketten.size(); ++i) {
        const QString text = QStringLiteral("%1: %2").arg(Name(m_etiketten[i].etikett.pfad)).arg(m_etiketten[i].anzahl);
        m_liste->item(int(i))->setText(text);
        m_liste->item(int(i))->setData(
            Qt::AccessibleTextRole,
            QStringLiteral("%1, Anzahl %2").arg(Name(m_etiketten[i].etikett.pfad)).arg(m_etiketten[i].anzahl));
    }
}

void TBogenplanDialog::waehleEtikett()
{
    const int zeile = m_liste->currentRow();
    if (zeile < 0)
        return;
    const QScopedValueRollback zeigt(m_zeigt, true);
    m_anzahl->setValue(m_etiketten[zeile].anzahl);
}

void TBogenplanDialog::berechne()
{
    // Labels with no places take no part; the plan's indices are those of the pictures handed on.
    Anzahlen anzahlen;
    QList<int> teilnehmer;
    for (qsizetype i = 0; i < m_etiketten.size(); ++i)
        if (m_etiketten[i].anzahl > 0) {
            anzahlen.append(m_etiketten[i].anzahl);
            teilnehmer.append(int(i));
        }
    m_fuellung = FuelleBogen(m_masse, m_verbraucht, PlatzMitNummer(m_masse, m_ab->value()), anzahlen);
    for (Planplatz &p : m_fuellung.plan.plaetze)
        p.etikett = teilnehmer[p.etikett];
    if (m_fuellung.fehler.isEmpty() && m_fuellung.plan.plaetze.isEmpty())
        m_fuellung.fehler = QStringLiteral("Keine Etikette hat eine Anzahl: es gibt nichts zu drucken.");
    if (!m_verbraucht.contains(false))
        m_fuellung.fehler = QStringLiteral("Auf diesem Bogen ist kein Platz mehr frei. \"Neuer Bogen\" gibt alle "
                                           "Plätze wieder frei.");
    if (!m_fuellung.fehler.isEmpty())
        m_fuellung.plan.plaetze.clear();

    QList<int> inhalt(m_verbraucht.size(), TPlatzraster::Frei);
    for (qsizetype i = 0; i < m_verbraucht.size(); ++i)
        if (m_verbraucht[i])
            inhalt[i] = TPlatzraster::Verbraucht;
    QList<QImage> bilder;
    for (const Eintrag &e : std::as_const(m_etiketten))
        bilder.append(e.etikett.bild);
    for (const Planplatz &p : std::as_const(m_fuellung.plan.plaetze))
        inhalt[Platznummer(m_masse, p.platz) - 1] = p.etikett;
    m_raster->zeige(m_masse, inhalt, bilder);

    const Platz ab = PlatzMitNummer(m_masse, m_ab->value());
    m_abStelle->setText(QStringLiteral("Spalte %1, Zeile %2").arg(ab.spalte).arg(ab.zeile));
    m_hinweis->setText(m_fuellung.fehler);
    m_drucken->setEnabled(m_fuellung.fehler.isEmpty());
    zeigeListe();
    if (m_fuellung.fehler.isEmpty())
        m_vorschau->setPixmap(
            QPixmap::fromImage(Seitenvorschau(m_fuellung.plan, bilder, VorschauDpi, VorschauDpi)
                                   .scaled(m_vorschau->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    else
        m_vorschau->clear();
    m_vorschau->setAccessibleDescription(
        QStringLiteral("%1 Etiketten auf der Seite").arg(m_fuellung.plan.plaetze.size()));
}

void TBogenplanDialog::setzeAn(int nummer)
{
    // The chosen label goes first, so that it lands at the place.
    int zeile = std::max(0, m_liste->currentRow());
    m_etiketten.move(zeile, 0);
    m_etiketten[0].anzahl = std::max(1, m_etiketten[0].anzahl);
    {
        const QScopedValueRollback zeigt(m_zeigt, true);
        m_ab->setValue(nummer);
        zeigeListe();
        m_liste->setCurrentRow(0);
        m_anzahl->setValue(m_etiketten[0].anzahl);
    }
    berechne();
}

void TBogenplanDialog::bieteEtikettenAn()
{
    m_angebot->clear();
    QStringList schonDa;
    for (const Eintrag &e : std::as_const(m_etiketten))
        schonDa.append(QFileInfo(e.etikett.pfad).absoluteFilePath());
    for (const QString &pfad : EtikettenFuerBogen(m_ordner, m_masse)) {
        if (schonDa.contains(QFileInfo(pfad).absoluteFilePath()))
            continue;
        m_angebot->addAction(Name(pfad), this, [this, pfad] { bewacht([&] { nimmEtikett(pfad); }); });
    }
    if (m_angebot->isEmpty())
        m_angebot->addAction(QStringLiteral("Keine weitere Etikette mit diesen Maßen"))->setEnabled(false);
}

void TBogenplanDialog::nimmEtikett(const QString &pfad)
{
    const QImage bild = LeseBild(pfad);
    if (bild.isNull())
        throw Fehler(KeinLesbaresBild(pfad));
    m_etiketten.append({{pfad, bild}, 1});
    zeigeListe();
    m_liste->setCurrentRow(int(m_etiketten.size()) - 1);
    berechne();
}

void TBogenplanDialog::DruckenClick()
{
    if (!m_fuellung.fehler.isEmpty())
        throw Fehler(m_fuellung.fehler);
    QList<QImage> bilder;
    for (const Eintrag &e : std::as_const(m_etiketten))
        bilder.append(e.etikett.bild);
    if (!m_drucke(m_fuellung.plan, bilder))
        return;
    for (const Planplatz &p : std::as_const(m_fuellung.plan.plaetze))
        m_verbraucht[Platznummer(m_masse, p.platz) - 1] = true;
    {
        const QScopedValueRollback zeigt(m_zeigt, true);
        m_ab->setValue(ersterFreier());
    }
    berechne();
    m_raster->waehle(ersterFreier());
    if (!m_verbraucht.contains(false))
        m_neuerBogen->setFocus();
    SchreibVerbrauchtePlaetze(m_masse, m_verbraucht);
}

void TBogenplanDialog::NeuerBogenClick()
{
    m_verbraucht.fill(false);
    SchreibVerbrauchtePlaetze(m_masse, m_verbraucht);
    {
        const QScopedValueRollback zeigt(m_zeigt, true);
        m_ab->setValue(1);
    }
    berechne();
    m_raster->waehle(1);
}

void TBogenplanDialog::bewacht(const std::function<void()> &handler)
{
    Bewacht(m_dialoge, handler);
}
