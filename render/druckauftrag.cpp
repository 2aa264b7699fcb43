#include "render/druckauftrag.h"

#include "platform/fehler.h"
#include "render/seitenzeichen.h"
#include "render/textsatz.h"

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

// How many records of each kind the person is shown by name before the rest is counted.
constexpr int GenannteSaetze = 10;

QString Aufgezaehlt(const QStringList &saetze)
{
    QStringList genannt = saetze.mid(0, GenannteSaetze);
    if (saetze.size() > GenannteSaetze)
        genannt.append(QStringLiteral("… und %1 weitere.").arg(saetze.size() - GenannteSaetze));
    return genannt.join(QLatin1Char('\n'));
}

// Where a record is, for the person: its list line, or its number.
QString Satzname(const Datenreihe &reihe, qint64 i)
{
    if (reihe.liste.isEmpty())
        return QStringLiteral("Nummer %1").arg(reihe.ersteNummer + i);
    return QStringLiteral("Zeile %1 der Liste").arg(reihe.eintraege[i].zeile);
}

QStringList Vorlagen(const Seitenetikett &e)
{
    QStringList vorlagen = e.text ? e.text->Zeilen : QStringList();
    if (e.code)
        vorlagen.append(e.code->Inhalt);
    return vorlagen;
}

} // namespace

QString Auftragsname(const QString &etikett, Druckseiten seiten)
{
    const QString seite = seiten == Druckseiten::Vorderseite ? QStringLiteral("Vorderseite")
        : seiten == Druckseiten::Rueckseite                  ? QStringLiteral("Rückseite")
                                                             : QStringLiteral("Vorder- und Rückseite");
    return etikett.isEmpty() ? seite : etikett + QStringLiteral(" – ") + seite;
}

int BogenFuer(const Bogenmasse &m, const Belegung &verbraucht, Platz ab, qint64 anzahl)
{
    const int plaetze = Platzanzahl(m);
    if (anzahl <= 0 || plaetze <= 0)
        return 0;
    int frei = 0;
    for (int n = std::max(1, Platznummer(m, ab)); n <= plaetze; ++n)
        frei += n > verbraucht.size() || !verbraucht[n - 1];
    if (anzahl <= frei)
        return 1;
    return int((frei > 0 ? 1 : 0) + (anzahl - frei + plaetze - 1) / plaetze);
}

Datensatz Datenreihe::satz(qint64 i) const
{
    if (liste.isEmpty())
        return {{}, {}, ersteNummer + i};
    return {felder, eintraege[i].werte, ersteNummer + i};
}

QString Datenhinweise::text() const
{
    QStringList absaetze;
    if (!unbekannt.isEmpty())
        absaetze.append(unbekannt);
    if (!zuGross.isEmpty())
        absaetze.append(Aufgezaehlt(zuGross));
    if (!codeFehler.isEmpty())
        absaetze.append(Aufgezaehlt(codeFehler));
    return absaetze.join(QStringLiteral("\n\n"));
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

void Druckauftrag::setzeDaten(const Datenreihe &reihe, Platz ab, const Belegung &verbraucht)
{
    const Bogenmasse &m = m_etiketten.front().masse;
    Daten daten{reihe, {}, {}};
    const qint64 anzahl = reihe.groesse();
    qint64 satz = 0;
    // The first sheet from the start place, its used places skipped; every later one whole.
    for (int bogen = 0; satz < anzahl; ++bogen) {
        Bogenplan plan{m, {}};
        const int start = bogen == 0 ? std::max(1, Platznummer(m, ab)) : 1;
        const qint64 erster = satz;
        for (int n = start; n <= Platzanzahl(m) && satz < anzahl; ++n) {
            if (bogen == 0 && n <= verbraucht.size() && verbraucht[n - 1])
                continue;
            plan.plaetze.append({0, PlatzMitNummer(m, n)});
            ++satz;
        }
        // A first sheet with no free place from there: the records begin on the next.
        if (plan.plaetze.isEmpty()) {
            if (bogen > 0)
                break;
            continue;
        }
        daten.plaene.append(plan);
        daten.erster.append(erster);
    }
    if (daten.plaene.isEmpty())
        daten.plaene.append({m, {}});
    if (daten.erster.isEmpty())
        daten.erster.append(0);
    m_daten = daten;
}

int Druckauftrag::boegen() const
{
    return m_daten && !m_probedruck ? int(m_daten->plaene.size()) : 1;
}

Datenhinweise Druckauftrag::vorDemDruck() const
{
    Datenhinweise hinweise;
    if (!m_daten)
        return hinweise;
    const Seitenetikett &e = m_etiketten.front();
    const Datenreihe &reihe = m_daten->reihe;
    if (const QStringList unbekannt = UnbekanntePlatzhalter(Vorlagen(e), reihe.felder); !unbekannt.isEmpty()) {
        hinweise.unbekannt = UnbekanntePlatzhalterMeldung(unbekannt, reihe.felder, reihe.liste);
        return hinweise;
    }
    for (qint64 i = 0; i < reihe.groesse(); ++i) {
        const Datensatz satz = reihe.satz(i);
        if (e.text) {
            const QStringList zeilen = FuelleZeilen(e.text->Zeilen, satz);
            if (!zeilen.isEmpty() && !groesse(*e.text, zeilen))
                hinweise.zuGross.append(
                    QStringLiteral("%1 passt auch in 6 pt nicht auf das Etikett.").arg(Satzname(reihe, i)));
        }
        if (e.code) {
            const std::variant<Codebild, QString> code = this->code(*e.code, FuelleVorlage(e.code->Inhalt, satz));
            if (const QString *fehler = std::get_if<QString>(&code))
                hinweise.codeFehler.append(Satzname(reihe, i) + QStringLiteral(": ") + *fehler);
        }
    }
    return hinweise;
}

Belegung Druckauftrag::belegungDanach() const
{
    const Bogenmasse &m = masse();
    Belegung b(Platzanzahl(m), false);
    if (!m_daten)
        return b;
    const Bogenplan &letzter = m_daten->plaene.back();
    for (const Planplatz &p : letzter.plaetze)
        if (const int n = Platznummer(m, p.platz); n > 0)
            b[n - 1] = true;
    return b;
}

std::optional<int> Druckauftrag::groesse(const Textfeld &text, const QStringList &zeilen) const
{
    const QString schluessel = zeilen.join(QChar(0));
    if (const auto gefunden = m_groessen->constFind(schluessel); gefunden != m_groessen->constEnd())
        return *gefunden;
    const Bogenmasse &m = m_etiketten.front().masse;
    const Etikettfeld feld = FeldAufEtikett(text.Feld, m.Hundertstel(&Bogenmasse::Etikettenbreite),
                                            m.Hundertstel(&Bogenmasse::Etikettenhoehe));
    const std::optional<int> g = PassendeSchriftgroesse(text, zeilen, feld.breite, feld.hoehe);
    m_groessen->insert(schluessel, g);
    return g;
}

std::variant<Codebild, QString> Druckauftrag::code(const Codefeld &code, const QString &inhalt) const
{
    const QString schluessel = Codename(code.Art) + QChar(0) + inhalt;
    if (const auto *gebaut = m_codes->object(schluessel))
        return *gebaut;
    auto gebaut = std::make_unique<std::variant<Codebild, QString>>(BaueCode(code.Art, inhalt));
    const std::variant<Codebild, QString> ergebnis = *gebaut;
    const auto *bild = std::get_if<Codebild>(gebaut.get());
    m_codes->insert(schluessel, gebaut.release(), bild ? std::max<qsizetype>(1, bild->balken.size()) : 1);
    return ergebnis;
}

Druckauftrag Druckauftrag::fuerBogen(int bogen) const
{
    if (!m_daten)
        return *this;
    Druckauftrag teil = *this;
    teil.m_daten.reset();
    teil.m_plan = m_daten->plaene.value(bogen, m_daten->plaene.back());
    teil.m_ersterSatz = m_daten->erster.value(bogen);
    teil.m_reihe = m_daten->reihe;
    return teil;
}

QList<Aufdruck> Druckauftrag::aufdrucke(const Druckflaeche &flaeche) const
{
    QList<Aufdruck> drucke;
    const QList<GedrucktesEtikett> orte = this->orte(Blattseite::Vorderseite);
    for (qsizetype i = 0; i < orte.size(); ++i) {
        const int etikett = m_plan ? m_plan->plaetze.value(i).etikett : 0;
        if (etikett < 0 || etikett >= m_etiketten.size())
            continue;
        const Seitenetikett &e = m_etiketten[etikett];
        if (!e.text && !e.code)
            continue;
        const Datensatz satz = m_reihe ? m_reihe->satz(m_ersterSatz + i) : m_muster;
        const MmRechteck &mm = orte[i].ort;
        Aufdruck a;
        a.etikett = GenauAufDemGeraet(flaeche, mm);
        if (mm.breite <= 0 || mm.hoehe <= 0)
            continue;
        a.jeMmX = a.etikett.width() / mm.breite;
        a.jeMmY = a.etikett.height() / mm.hoehe;
        if (e.text) {
            a.zeilen = FuelleZeilen(e.text->Zeilen, satz);
            const Bogenmasse &m = e.masse;
            const Etikettfeld feld = FeldAufEtikett(e.text->Feld, m.Hundertstel(&Bogenmasse::Etikettenbreite),
                                                    m.Hundertstel(&Bogenmasse::Etikettenhoehe));
            // A record the person chose to print though it does not fit goes at the smallest size, beyond its field.
            const std::optional<int> g = a.zeilen.isEmpty() ? std::optional<int>(0)
                : m_reihe                                   ? groesse(*e.text, a.zeilen)
                          : PassendeSchriftgroesse(*e.text, a.zeilen, feld.breite, feld.hoehe);
            a.groesse = g.value_or(KleinsteSchrift);
            a.text = e.text;
        }
        if (e.code) {
            std::variant<Codebild, QString> code = m_reihe ? this->code(*e.code, FuelleVorlage(e.code->Inhalt, satz))
                                                           : BaueCode(e.code->Art, FuelleVorlage(e.code->Inhalt, satz));
            if (Codebild *bild = std::get_if<Codebild>(&code)) {
                a.code = e.code;
                a.codebild = std::move(*bild);
            }
        }
        drucke.append(a);
    }
    return drucke;
}

void Druckauftrag::setzeAnschnitt(int hundertstel)
{
    for (Seitenetikett &e : m_etiketten)
        e.anschnitt = hundertstel;
}

bool Druckauftrag::hatRueckseite() const
{
    if (m_daten)
        return MitRueckseite(m_rueckseiten, 0);
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

QList<GedrucktesEtikett> Druckauftrag::orte(Blattseite seite, int bogen) const
{
    return fuerBogen(bogen).orte(seite);
}

QList<GedrucktesEtikett> Druckauftrag::orte(Blattseite seite) const
{
    if (m_daten)
        return orte(seite, 0);
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
    if (m_daten)
        return fuerBogen(0).leer();
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

QList<Seitenbild> Druckauftrag::seite(Blattseite seite, const Druckflaeche &flaeche, int bogen) const
{
    return fuerBogen(bogen).seite(seite, flaeche);
}

QList<Seitenbild> Druckauftrag::seite(Blattseite seite, const Druckflaeche &flaeche) const
{
    if (m_daten)
        return this->seite(seite, flaeche, 0);
    QList<Seitenbild> teile = bilder(seite, flaeche);
    if (seite == Blattseite::Vorderseite)
        if (QList<Aufdruck> drucke = aufdrucke(flaeche); !drucke.isEmpty())
            teile.append({QImage(), {}, {}, {}, {}, std::move(drucke)});
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
    if (m_daten)
        return fuerBogen(0).zeichen(seite);
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
    if (m_daten) {
        // Every sheet's sentences, each once: a later sheet may use places the first leaves free.
        QList<Randsaetze> alle = fuerBogen(0).rand(raender, vorne, hinten);
        for (int bogen = 1; bogen < boegen(); ++bogen) {
            const QList<Randsaetze> weitere = fuerBogen(bogen).rand(raender, vorne, hinten);
            for (qsizetype i = 0; i < alle.size() && i < weitere.size(); ++i) {
                for (const QString &satz : weitere[i].verlust)
                    if (!alle[i].verlust.contains(satz))
                        alle[i].verlust.append(satz);
                if (alle[i].imRand.isEmpty())
                    alle[i].imRand = weitere[i].imRand;
            }
        }
        return alle;
    }
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
