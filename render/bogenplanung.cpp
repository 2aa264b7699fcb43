#include "render/bogenplanung.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString Name(const Planetikett &e)
{
    return QFileInfo(e.pfad).completeBaseName();
}

bool AufDemBogen(const Bogenmasse &m, int nummer)
{
    return nummer >= 1 && nummer <= Platzanzahl(m);
}

} // namespace

Bogenplanung::Bogenplanung(const Bogenmasse &m, Planetikett erstes, Belegung verbraucht)
    : m_masse(m), m_verbraucht(std::move(verbraucht))
{
    m_etiketten.append(std::move(erstes));
    m_verbraucht.resize(Platzanzahl(m), false);
    m_ab = ersterFreier();
    plane();
}

int Bogenplanung::fuegeHinzu(QString pfad, QImage bild)
{
    m_etiketten.append({std::move(pfad), std::move(bild), 1});
    plane();
    return int(m_etiketten.size()) - 1;
}

bool Bogenplanung::setzeAnzahl(int etikett, std::optional<int> anzahl)
{
    if (etikett < 0 || etikett >= m_etiketten.size() || m_etiketten[etikett].anzahl == anzahl)
        return false;
    m_etiketten[etikett].anzahl = anzahl;
    plane();
    return true;
}

bool Bogenplanung::setzeAb(int nummer)
{
    if (!AufDemBogen(m_masse, nummer) || nummer == m_ab)
        return false;
    m_ab = nummer;
    plane();
    return true;
}

bool Bogenplanung::setzeVerbraucht(int nummer, bool verbraucht)
{
    if (!AufDemBogen(m_masse, nummer) || m_verbraucht[nummer - 1] == verbraucht)
        return false;
    m_verbraucht[nummer - 1] = verbraucht;
    plane();
    return true;
}

bool Bogenplanung::setzeAn(int etikett, int nummer)
{
    if (etikett < 0 || etikett >= m_etiketten.size() || !AufDemBogen(m_masse, nummer))
        return false;
    m_etiketten.move(etikett, 0);
    std::optional<int> &anzahl = m_etiketten[0].anzahl;
    if (anzahl)
        anzahl = std::max(1, *anzahl);
    m_ab = nummer;
    plane();
    return true;
}

void Bogenplanung::gedruckt()
{
    for (const Planplatz &p : std::as_const(m_fuellung.plan.plaetze))
        m_verbraucht[Platznummer(m_masse, p.platz) - 1] = true;
    m_ab = ersterFreier();
    plane();
}

void Bogenplanung::neuerBogen()
{
    m_verbraucht.fill(false);
    m_ab = 1;
    plane();
}

QList<QImage> Bogenplanung::bilder() const
{
    QList<QImage> bilder;
    for (const Planetikett &e : m_etiketten)
        bilder.append(e.bild);
    return bilder;
}

QList<int> Bogenplanung::inhalte() const
{
    QList<int> inhalt(m_verbraucht.size(), PlatzFrei);
    for (qsizetype i = 0; i < m_verbraucht.size(); ++i)
        if (m_verbraucht[i])
            inhalt[i] = PlatzVerbraucht;
    for (const Planplatz &p : m_fuellung.plan.plaetze)
        inhalt[Platznummer(m_masse, p.platz) - 1] = p.etikett;
    return inhalt;
}

int Bogenplanung::ersterFreier() const
{
    const qsizetype frei = m_verbraucht.indexOf(false);
    return frei < 0 ? 1 : int(frei) + 1;
}

bool Bogenplanung::traegt(const QString &pfad) const
{
    const QString absolut = QFileInfo(pfad).absoluteFilePath();
    return std::any_of(m_etiketten.begin(), m_etiketten.end(),
                       [&](const Planetikett &e) { return QFileInfo(e.pfad).absoluteFilePath() == absolut; });
}

void Bogenplanung::plane()
{
    // Labels with no places take no part; the plan's entries index the whole list.
    Anzahlen anzahlen;
    QList<int> teilnehmer;
    for (qsizetype i = 0; i < m_etiketten.size(); ++i) {
        const std::optional<int> &anzahl = m_etiketten[i].anzahl;
        if (!anzahl || *anzahl > 0) {
            anzahlen.append(anzahl);
            teilnehmer.append(int(i));
        }
    }
    m_fuellung = FuelleBogen(m_masse, m_verbraucht, PlatzMitNummer(m_masse, m_ab), anzahlen);
    for (Planplatz &p : m_fuellung.plan.plaetze)
        p.etikett = teilnehmer[p.etikett];
    if (m_fuellung.fehler.isEmpty() && m_fuellung.plan.plaetze.isEmpty())
        m_fuellung.fehler = QStringLiteral("Keine Etikette hat eine Anzahl: es gibt nichts zu drucken.");
    if (!m_verbraucht.contains(false))
        m_fuellung.fehler = QStringLiteral("Auf diesem Bogen ist kein Platz mehr frei. \"Neuer Bogen\" gibt alle "
                                           "Plätze wieder frei.");
    if (!m_fuellung.fehler.isEmpty())
        m_fuellung.plan.plaetze.clear();
}

QString Listeneintrag(const Planetikett &e)
{
    return QStringLiteral("%1: %2").arg(Name(e), e.anzahl ? QString::number(*e.anzahl) : QStringLiteral("Rest"));
}

QString ListeneintragZugang(const Planetikett &e)
{
    // One arg() for both, so that a "%1" in a file name stays as it is.
    return e.anzahl ? QStringLiteral("%1, Anzahl %2").arg(Name(e), QString::number(*e.anzahl))
                    : QStringLiteral("%1, Rest des Bogens").arg(Name(e));
}

QString AbStelle(const Bogenplanung &p)
{
    const Platz ab = PlatzMitNummer(p.masse(), p.ab());
    return QStringLiteral("Spalte %1, Zeile %2").arg(ab.spalte).arg(ab.zeile);
}

QString Platzbeschreibung(const Bogenmasse &m, int nummer, int inhalt)
{
    const Platz p = PlatzMitNummer(m, nummer);
    const QString was = inhalt == PlatzFrei ? QStringLiteral("frei")
        : inhalt == PlatzVerbraucht         ? QStringLiteral("verbraucht")
                                            : QStringLiteral("Etikett %1").arg(inhalt + 1);
    return QStringLiteral("Platz %1: Spalte %2, Zeile %3, %4").arg(nummer).arg(p.spalte).arg(p.zeile).arg(was);
}

QString Vorschaubeschreibung(const Fuellung &f)
{
    return QStringLiteral("%1 Etiketten auf der Seite").arg(f.plan.plaetze.size());
}
