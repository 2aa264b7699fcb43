#include "blatt/bogenplan.h"

#include <QStringList>

#include <algorithm>

int Platzanzahl(const Bogenmasse &m)
{
    return std::max(0, m.AnzahlEtikettenInZeile) * std::max(0, m.AnzahlEtikettenInSpalte);
}

int Platznummer(const Bogenmasse &m, Platz p)
{
    if (p.spalte < 1 || p.zeile < 1 || p.spalte > m.AnzahlEtikettenInZeile || p.zeile > m.AnzahlEtikettenInSpalte)
        return 0;
    return (p.zeile - 1) * m.AnzahlEtikettenInZeile + p.spalte;
}

Platz PlatzMitNummer(const Bogenmasse &m, int nummer)
{
    const int inZeile = std::max(1, m.AnzahlEtikettenInZeile);
    return {(nummer - 1) % inZeile + 1, (nummer - 1) / inZeile + 1};
}

Belegung MitAenderung(Belegung b, const Platzaenderung &aenderung)
{
    const auto setze = [&b](int nummer, bool verbraucht) {
        if (nummer >= 1 && nummer <= b.size())
            b[nummer - 1] = verbraucht;
    };
    for (const int n : aenderung.verbraucht)
        setze(n, true);
    for (const int n : aenderung.frei)
        setze(n, false);
    return b;
}

bool GleicherBogen(const Bogenmasse &a, const Bogenmasse &b)
{
    return a.AnzahlEtikettenInZeile == b.AnzahlEtikettenInZeile
        && a.AnzahlEtikettenInSpalte == b.AnzahlEtikettenInSpalte && GenaueLaengen(a) == GenaueLaengen(b);
}

QString Bogenunterschied(const Bogenmasse &soll, const Bogenmasse &ist)
{
    QStringList anders;
    for (const Massangabe &a : Massangaben) {
        const qint64 s = a.anzahl ? soll.*a.feld : soll.Hundertstel(a.feld);
        const qint64 i = a.anzahl ? ist.*a.feld : ist.Hundertstel(a.feld);
        if (s == i)
            continue;
        const auto text = [&a](qint64 wert) {
            return a.anzahl ? QString::number(wert) : HundertstelText(wert, QLatin1Char(',')) + QStringLiteral(" mm");
        };
        anders.append(QStringLiteral("%1 %2 statt %3").arg(QLatin1String(a.schluessel), text(i), text(s)));
    }
    return anders.join(QStringLiteral(", "));
}

QList<MmRechteck> Etikettenrechtecke(const Bogenplan &plan)
{
    QList<MmRechteck> rechtecke;
    for (const Planplatz &p : plan.plaetze)
        rechtecke.append(EtikettAufDemBlatt(plan.masse, p.platz.spalte, p.platz.zeile));
    return rechtecke;
}

QString StelleNichtAufDemBogen(const Bogenmasse &m, Platz p)
{
    return QStringLiteral("Die Stelle Spalte %1, Zeile %2 liegt nicht auf dem Bogen: er hat %3 %4 in einer Zeile und "
                          "%5 in einer Spalte.")
        .arg(p.spalte)
        .arg(p.zeile)
        .arg(m.AnzahlEtikettenInZeile)
        .arg(m.AnzahlEtikettenInZeile == 1 ? QStringLiteral("Etikette") : QStringLiteral("Etiketten"))
        .arg(m.AnzahlEtikettenInSpalte);
}

Fuellung FuelleBogen(const Bogenmasse &m, const Belegung &verbraucht, Platz ab, const Anzahlen &anzahlen)
{
    Fuellung f{{m, {}}, {}};
    const int start = Platznummer(m, ab);
    if (start == 0) {
        f.fehler = StelleNichtAufDemBogen(m, ab);
        return f;
    }
    QList<int> frei;
    for (int n = start; n <= Platzanzahl(m); ++n)
        if (n > verbraucht.size() || !verbraucht[n - 1])
            frei.append(n);

    qint64 gezaehlt = 0;
    int ohneAnzahl = 0;
    for (const std::optional<int> &a : anzahlen) {
        if (a && *a < 1) {
            f.fehler = QStringLiteral("Jede Etikette braucht mindestens einen Platz.");
            return f;
        }
        gezaehlt += a.value_or(0);
        ohneAnzahl += a ? 0 : 1;
    }
    if (ohneAnzahl > 1) {
        f.fehler = QStringLiteral("Nur eine Etikette ohne Anzahl je Bogen: sie füllt, was die anderen frei lassen.");
        return f;
    }
    if (gezaehlt + ohneAnzahl > frei.size()) {
        f.fehler = frei.isEmpty()
            ? QStringLiteral("Ab Spalte %1, Zeile %2 ist kein Platz mehr frei.").arg(ab.spalte).arg(ab.zeile)
            : frei.size() == 1
            ? QStringLiteral("Ab Spalte %1, Zeile %2 ist nur 1 Platz frei.").arg(ab.spalte).arg(ab.zeile)
            : QStringLiteral("Ab Spalte %1, Zeile %2 sind nur %3 Plätze frei.")
                  .arg(ab.spalte)
                  .arg(ab.zeile)
                  .arg(frei.size());
        return f;
    }
    qsizetype naechster = 0;
    for (qsizetype e = 0; e < anzahlen.size(); ++e) {
        const qint64 anzahl = anzahlen[e].value_or(frei.size() - gezaehlt);
        for (qint64 i = 0; i < anzahl; ++i)
            f.plan.plaetze.append({int(e), PlatzMitNummer(m, frei[naechster++])});
    }
    return f;
}
