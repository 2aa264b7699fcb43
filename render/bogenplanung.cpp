#include "render/bogenplanung.h"

#include "platform/fehler.h"
#include "storage/bilddatei.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"

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

GelesenesEtikett LiesEtikett(const Planetikett &e, const Bogenmasse &m)
{
    GelesenesEtikett gelesen{{}, e.masse, {}, e.rueckseite, e.anschnitt};
    const QString name = QFileInfo(e.pfad).fileName();
    try {
        if (!QFileInfo(e.pfad).isFile())
            throw Fehler(QStringLiteral("Die Etikette %1 ist nicht mehr da: die Datei %2 fehlt.").arg(name, e.pfad));
        gelesen.bild = LeseBild(e.pfad);
        if (gelesen.bild.isNull())
            throw Fehler(KeinLesbaresBild(e.pfad));
        if (!e.ausDemFenster) {
            const QString ini = EinstellungsPfad(e.pfad);
            if (ini.isEmpty() || !QFileInfo(ini).isFile())
                throw Fehler(QStringLiteral("Die Einstellungsdatei %1 der Etikette %2 fehlt.").arg(ini, name));
            const GeleseneEtikettdatei datei = LiesEtikettdatei(ini, Anfangsmasse);
            if (!datei.fehler.isEmpty())
                throw Fehler(QStringLiteral("Die Einstellungsdatei %1 enthält einen ungültigen Wert: %2 (%3)")
                                 .arg(ini, datei.fehlerStelle, datei.fehler));
            gelesen.masse = datei.inhalt.masse;
            gelesen.rueckseite = datei.inhalt.rueckseite;
            gelesen.anschnitt = datei.inhalt.anschnitt;
        }
        if (!GleicherBogen(gelesen.masse, m))
            throw Fehler(QStringLiteral("Die Etikette %1 passt nicht mehr auf diesen Bogen: %2.")
                             .arg(name, Bogenunterschied(m, gelesen.masse)));
    } catch (const Fehler &f) {
        gelesen.fehler = f.text();
    }
    return gelesen;
}

Bogenplanung::Bogenplanung(const Bogenmasse &m, Planetikett erstes, Belegung verbraucht)
    : m_masse(m), m_verbraucht(std::move(verbraucht))
{
    m_etiketten.append(std::move(erstes));
    m_verbraucht.resize(Platzanzahl(m), false);
    m_ab = ersterFreier();
    plane();
    m_gedruckt = m_fuellung.plan;
}

int Bogenplanung::fuegeHinzu(Planetikett e)
{
    m_etiketten.append(std::move(e));
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

bool Bogenplanung::uebernimmVerbraucht(Belegung verbraucht)
{
    verbraucht.resize(Platzanzahl(m_masse), false);
    if (verbraucht == m_verbraucht)
        return false;
    m_verbraucht = std::move(verbraucht);
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

Platzaenderung Bogenplanung::planplaetze() const
{
    Platzaenderung a;
    for (const Planplatz &p : m_fuellung.plan.plaetze)
        a.verbraucht.append(Platznummer(m_masse, p.platz));
    return a;
}

void Bogenplanung::gedruckt(Belegung verbraucht)
{
    verbraucht.resize(Platzanzahl(m_masse), false);
    m_verbraucht = std::move(verbraucht);
    m_ab = ersterFreier();
    plane();
    m_gedruckt = m_fuellung.plan;
}

void Bogenplanung::inDateiGedruckt()
{
    m_gedruckt = m_fuellung.plan;
}

QString Bogenplanung::liesEtikettenNeu()
{
    QList<Planetikett> neu = m_etiketten;
    QStringList fehler;
    for (qsizetype i = 0; i < neu.size(); ++i) {
        const bool imPlan = std::any_of(m_fuellung.plan.plaetze.begin(), m_fuellung.plan.plaetze.end(),
                                        [i](const Planplatz &p) { return p.etikett == i; });
        if (!imPlan)
            continue;
        const GelesenesEtikett gelesen = LiesEtikett(neu[i], m_masse);
        if (!gelesen.fehler.isEmpty())
            fehler.append(gelesen.fehler);
        neu[i].bild = gelesen.bild;
        neu[i].masse = gelesen.masse;
        neu[i].rueckseite = gelesen.rueckseite;
        neu[i].anschnitt = gelesen.anschnitt;
    }
    if (!fehler.isEmpty())
        return fehler.join(QLatin1Char('\n')) + QStringLiteral("\nEs wurde nichts gedruckt.");
    m_etiketten = neu;
    return {};
}

void Bogenplanung::neuerBogen()
{
    m_verbraucht.fill(false);
    m_ab = 1;
    plane();
}

QList<Seitenetikett> Bogenplanung::seitenetiketten() const
{
    QList<Seitenetikett> etiketten;
    for (const Planetikett &e : m_etiketten)
        etiketten.append({e.bild, e.masse, e.anschnitt});
    return etiketten;
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

bool Bogenplanung::ungedruckt() const
{
    return !m_fuellung.plan.plaetze.isEmpty() && m_fuellung.plan != m_gedruckt;
}

QStringList Bogenplanung::platznamen() const
{
    QStringList namen;
    const QList<int> inhalt = inhalte();
    for (int n = 1; n <= inhalt.size(); ++n) {
        const Platz p = PlatzMitNummer(m_masse, n);
        const int was = inhalt[n - 1];
        namen.append(QStringLiteral("Spalte %1, Zeile %2: %3")
                         .arg(QString::number(p.spalte), QString::number(p.zeile),
                              was == PlatzFrei             ? QStringLiteral("frei")
                                  : was == PlatzVerbraucht ? QStringLiteral("verbraucht")
                                                           : Name(m_etiketten[was])));
    }
    return namen;
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

QString Vorschaubeschreibung(const Fuellung &f)
{
    const qsizetype n = f.plan.plaetze.size();
    return n == 1 ? QStringLiteral("1 Etikette auf der Seite") : QStringLiteral("%1 Etiketten auf der Seite").arg(n);
}
