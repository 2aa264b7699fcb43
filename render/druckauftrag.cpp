#include "render/druckauftrag.h"

#include "platform/fehler.h"
#include "render/seitenzeichen.h"

#include <algorithm>
#include <cmath>

namespace {

// A back page's sentences, told on a job that prints both sides, so that the person knows which side loses it.
const QString RueckseitenVorsatz = QStringLiteral("Auf der Rückseite: ");

// Whether the plan's entry `etikett` indexes a label with a back.
bool MitRueckseite(const QList<QImage> &rueckseiten, int etikett)
{
    return etikett >= 0 && etikett < rueckseiten.size() && !rueckseiten[etikett].isNull();
}

// The most that a label's picture runs past its edges, mm: an ordinary label's bleed is whole pixels of the raster, or
// of its picture when it prints alone, and may round up.
double GezeichneterAnschnitt(const Seitenetikett &e, bool raster)
{
    const double mm = std::max(e.anschnitt, 0) / 100.0;
    if (mm <= 0 || e.masse.IstGenau())
        return mm;
    if (raster) {
        const double pixel = double(A4::BreiteMm) / BogenBreite;
        return std::round(mm / pixel) * pixel;
    }
    if (e.bild.isNull())
        return mm;
    const double x = double(e.masse.Etikettenbreite) / e.bild.width();
    const double y = double(e.masse.Etikettenhoehe) / e.bild.height();
    return std::max({mm, std::round(mm / x) * x, std::round(mm / y) * y});
}

} // namespace

QString Auftragsname(const QString &etikett, Druckseiten seiten)
{
    const QString seite = seiten == Druckseiten::Vorderseite ? QStringLiteral("Vorderseite")
        : seiten == Druckseiten::Rueckseite                  ? QStringLiteral("Rückseite")
                                                             : QStringLiteral("Vorder- und Rückseite");
    return etikett.isEmpty() ? seite : etikett + QStringLiteral(" – ") + seite;
}

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
    QList<Seitenbild> teile = bilder(seite, flaeche);
    if (const QList<Strich> striche = zeichen(seite); !striche.isEmpty())
        teile.append({QImage(), {}, {}, {}, AufDemGeraet(striche, flaeche)});
    return teile;
}

const Bogenmasse &Druckauftrag::masse() const
{
    return m_plan ? m_plan->masse : m_etiketten.front().masse;
}

QList<Strich> Druckauftrag::zeichen(Blattseite seite) const
{
    QList<Strich> striche;
    if (m_schnittmarken && seite == Blattseite::Vorderseite)
        if (const QList<QLineF> marken = schnittmarken(orte(seite)); !marken.isEmpty())
            striche.append(Schnittmarkenstrich(marken));
    if (m_probedruck)
        striche += Probedruckzeichen(masse(), seite, m_kante);
    return striche;
}

QList<QLineF> Druckauftrag::schnittmarken(const QList<GedrucktesEtikett> &gedruckt) const
{
    // An ordinary sheet's places are those of its raster, one label's those of the stock.
    const bool raster = !m_plan && m_wahl.umfang != Druckumfang::EineEtikette;
    const QList<GedrucktesEtikett> alle = raster
        ? GedruckteEtiketten(m_etiketten.front().bild.size(), masse(), {Druckumfang::GanzeSeite, 1, 1})
        : PlaetzeDesBogens(masse());
    QList<QRectF> etiketten;
    for (const GedrucktesEtikett &e : gedruckt)
        etiketten.append(QRectF(e.ort.x, e.ort.y, e.ort.breite, e.ort.hoehe));
    QList<QRectF> leer;
    for (const GedrucktesEtikett &p : alle)
        if (std::none_of(gedruckt.begin(), gedruckt.end(),
                         [&p](const GedrucktesEtikett &e) { return e.spalte == p.spalte && e.zeile == p.zeile; }))
            leer.append(QRectF(p.ort.x, p.ort.y, p.ort.breite, p.ort.hoehe));
    double anschnitt = 0;
    for (const Seitenetikett &e : m_etiketten)
        anschnitt = std::max(anschnitt, GezeichneterAnschnitt(e, raster));
    return Schnittmarken(etiketten, leer, anschnitt + 1.0, QRectF(0, 0, A4::BreiteMm, A4::HoeheMm));
}

QList<Seitenbild> Druckauftrag::bilder(Blattseite seite, const Druckflaeche &flaeche) const
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
