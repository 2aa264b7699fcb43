#include "render/druckauftrag.h"

#include "platform/fehler.h"

#include <algorithm>

namespace {

// A back page's sentences, told on a job that prints both sides, so that the person knows which side loses it.
const QString RueckseitenVorsatz = QStringLiteral("Auf der Rückseite: ");

// Whether the plan's entry `etikett` indexes a label with a back.
bool MitRueckseite(const QList<QImage> &rueckseiten, int etikett)
{
    return etikett >= 0 && etikett < rueckseiten.size() && !rueckseiten[etikett].isNull();
}

} // namespace

Druckauftrag::Druckauftrag(const Seitenetikett &etikett, const Seitenwahl &wahl, const QImage &rueckseite)
    : m_wahl(wahl), m_etiketten{etikett}, m_rueckseiten{rueckseite}
{
}

Druckauftrag::Druckauftrag(const Bogenplan &plan, const QList<Seitenetikett> &etiketten,
                           const QList<QImage> &rueckseiten)
    : m_plan(plan), m_etiketten(etiketten), m_rueckseiten(rueckseiten)
{
}

void Druckauftrag::setzeAnschnitt(int hundertstel)
{
    for (Seitenetikett &e : m_etiketten)
        e.anschnitt = hundertstel;
}

bool Druckauftrag::hatRueckseite() const
{
    if (!m_plan)
        return MitRueckseite(m_rueckseiten, 0);
    return std::any_of(m_plan->plaetze.begin(), m_plan->plaetze.end(),
                       [this](const Planplatz &p) { return MitRueckseite(m_rueckseiten, p.etikett); });
}

QList<Blattseite> Druckauftrag::blaetter() const
{
    switch (m_seiten) {
    case Druckseiten::Vorderseite:
        return {Blattseite::Vorderseite};
    case Druckseiten::Rueckseite:
        return {Blattseite::Rueckseite};
    case Druckseiten::Beide:
        break;
    }
    return {Blattseite::Vorderseite, Blattseite::Rueckseite};
}

QList<GedrucktesEtikett> Druckauftrag::orte(Blattseite seite) const
{
    const bool hinten = seite == Blattseite::Rueckseite;
    if (!m_plan) {
        const Seitenetikett &e = m_etiketten.front();
        if (hinten && !hatRueckseite())
            return {};
        const QList<GedrucktesEtikett> vorne = GedruckteEtiketten(e.bild.size(), e.masse, m_wahl);
        return hinten ? AufDerRueckseite(vorne, m_kante) : vorne;
    }
    QList<GedrucktesEtikett> orte;
    for (const Planplatz &p : m_plan->plaetze)
        if (!hinten || MitRueckseite(m_rueckseiten, p.etikett))
            orte += GedruckteEtiketten(QSize(), m_plan->masse,
                                       {Druckumfang::EineEtikette, p.platz.spalte, p.platz.zeile});
    return hinten ? AufDerRueckseite(orte, m_kante) : orte;
}

int Druckauftrag::anschnitt() const
{
    int groesster = 0;
    for (const Seitenetikett &e : m_etiketten)
        groesster = std::max(groesster, e.anschnitt);
    return groesster;
}

bool Druckauftrag::leer() const
{
    // Blank or not does not depend on the device: a neutral one answers for all.
    const Druckflaeche probe{300, 300, {}, {}};
    if (!m_plan) {
        const Seitenetikett &e = m_etiketten.front();
        return SeiteLeer(BaueSeite(e.bild, e.masse, m_wahl, probe), e.masse, m_wahl);
    }
    const QList<Seitenbild> seite = BaueSeite(*m_plan, m_etiketten, probe);
    const Seitenwahl platz{Druckumfang::EineEtikette, 1, 1};
    for (qsizetype i = 0; i < seite.size(); ++i) {
        const int etikett = m_plan->plaetze.value(i).etikett;
        const Bogenmasse &m = etikett >= 0 && etikett < m_etiketten.size() ? m_etiketten[etikett].masse : m_plan->masse;
        if (!SeiteLeer(seite[i], m, platz))
            return false;
    }
    return true;
}

QList<Seitenetikett> Druckauftrag::rueckseitenetiketten() const
{
    QList<Seitenetikett> hinten;
    for (qsizetype i = 0; i < m_etiketten.size(); ++i)
        hinten.append({m_rueckseiten.value(i), m_etiketten[i].masse, m_etiketten[i].anschnitt});
    return hinten;
}

QList<Seitenbild> Druckauftrag::seite(Blattseite seite, const Druckflaeche &flaeche) const
{
    if (m_plan)
        return seite == Blattseite::Vorderseite ? BaueSeite(*m_plan, m_etiketten, flaeche)
                                                : BaueRueckseite(*m_plan, rueckseitenetiketten(), flaeche, m_kante);
    const Seitenetikett &e = m_etiketten.front();
    if (seite == Blattseite::Vorderseite)
        return {BaueSeite(e.bild, e.masse, m_wahl, flaeche, e.anschnitt)};
    return {BaueRueckseite(e.bild.size(), m_rueckseiten.value(0), e.masse, m_wahl, flaeche, m_kante, e.anschnitt)};
}

QList<Randsaetze> Druckauftrag::rand(const Druckraender &raender, const Druckerkorrektur &vorne,
                                     const Druckerkorrektur &hinten) const
{
    QList<Randsaetze> saetze;
    for (const Blattseite blatt : blaetter()) {
        const QList<GedrucktesEtikett> etiketten = orte(blatt);
        const Druckerkorrektur &korrektur = blatt == Blattseite::Vorderseite ? vorne : hinten;
        const QString vor = m_seiten == Druckseiten::Beide && blatt == Blattseite::Rueckseite ? RueckseitenVorsatz
                                                                                               : QString();
        Randsaetze s;
        for (const QString &satz : WasAmRandFehlt(etiketten, raender, korrektur))
            s.verlust.append(vor + satz);
        if (const QString satz = AnschnittImRand(etiketten, anschnitt(), raender, korrektur); !satz.isEmpty())
            s.imRand = vor + satz;
        saetze.append(s);
    }
    return saetze;
}
