#include "storage/bogensuche.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace {

bool IstZahl(const QString &wort)
{
    return !wort.isEmpty() && wort.size() <= 4 && std::all_of(wort.begin(), wort.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// A length the person typed matches a label length when it is the same, or when it is a whole number and the
// label length begins with it or rounds to it (63 and 64 match 63.5, 630 does not).
bool LaengePasst(const QString &getippt, qint64 hundertstel)
{
    const std::optional<qint64> wert = HundertstelAusText(getippt, QLatin1Char('.'));
    if (!wert)
        return false;
    if (getippt.contains(QLatin1Char('.')))
        return *wert == hundertstel;
    return *wert == hundertstel - hundertstel % 100 || *wert == (hundertstel + 50) / 100 * 100;
}

// "L 71-60" -> "l7160": a product number as the search compares it.
QString NormaleNummer(const QString &nummer)
{
    QString n = nummer.toLower();
    n.remove(QLatin1Char(' '));
    n.remove(QLatin1Char('-'));
    return n;
}

// "l7160" -> "7160": the number without the maker's prefix letters.
QString OhneVorsilbe(const QString &nummer)
{
    qsizetype i = 0;
    while (i < nummer.size() && nummer[i].isLetter())
        ++i;
    return nummer.mid(i);
}

bool NummerGleich(const QString &nummer, const QString &wort)
{
    return nummer == wort || (!OhneVorsilbe(nummer).isEmpty() && OhneVorsilbe(nummer) == wort);
}

// Makers that people know under more than one name; a sheet of one is found under each.
const QList<QStringList> &Herstellerfamilien()
{
    static const QList<QStringList> familien{{QStringLiteral("avery"), QStringLiteral("zweckform")}};
    return familien;
}

// A word of the search, taken apart once for the whole catalogue.
struct Suchwort
{
    QString wort;
    bool mitZiffer = false;
    QString alsNummer;
    std::optional<int> zahl; // a bare number
    bool paar = false;       // "70x37", "70x": a size or a layout
    QString a, b;
};

Suchwort Zerlege(const QString &wort)
{
    static const QRegularExpression ziffer(QStringLiteral("[0-9]"));
    static const QRegularExpression paar(QStringLiteral("^([0-9]{1,4}(?:\\.[0-9]+)?)x([0-9]{1,4}(?:\\.[0-9]+)?)?$"));
    Suchwort w;
    w.wort = wort;
    w.mitZiffer = wort.contains(ziffer);
    w.alsNummer = NormaleNummer(wort);
    if (IstZahl(wort))
        w.zahl = wort.toInt();
    if (const QRegularExpressionMatch t = paar.match(wort); t.hasMatch()) {
        w.paar = true;
        w.a = t.captured(1);
        w.b = t.captured(2);
    }
    return w;
}

// The rank of one word of the search for the sheet: 0 for an exact match, 1 for part of a product number.
std::optional<int> WortRang(const Etikettenbogen &bogen, const Suchschluessel &schluessel, const Suchwort &w)
{
    if (!w.mitZiffer) {
        const bool passt = schluessel.hersteller.contains(w.wort) || schluessel.form.contains(w.wort)
            || std::any_of(schluessel.nummern.begin(), schluessel.nummern.end(),
                           [&](const QString &n) { return n.contains(w.alsNummer); });
        if (passt)
            return 0;
        return schluessel.familie.contains(w.wort) ? std::optional<int>(1) : std::nullopt;
    }

    for (const QString &nummer : schluessel.nummern)
        if (NummerGleich(nummer, w.alsNummer))
            return 0;
    if (w.zahl && bogen.anzahl() == *w.zahl)
        return 0;
    if (w.paar) {
        const Bogenmasse &m = bogen.masse;
        // In either order; while it is being typed, "70x" matches what begins that way.
        const auto groesse = [&](qint64 erste, qint64 zweite) {
            return LaengePasst(w.a, erste) && (w.b.isEmpty() || LaengePasst(w.b, zweite));
        };
        const qint64 breite = m.Hundertstel(&Bogenmasse::Etikettenbreite);
        const qint64 hoehe = m.Hundertstel(&Bogenmasse::Etikettenhoehe);
        const bool layout = IstZahl(w.a) && w.a.toInt() == m.AnzahlEtikettenInZeile
            && (w.b.isEmpty() || (IstZahl(w.b) && w.b.toInt() == m.AnzahlEtikettenInSpalte));
        if (groesse(breite, hoehe) || groesse(hoehe, breite) || layout)
            return 0;
    }
    for (const QString &nummer : schluessel.nummern)
        if (nummer.contains(w.alsNummer))
            return 1;
    return std::nullopt;
}

// Lower case, "×" as "x", a decimal comma as point, "70 x 37 mm" as one word "70x37".
QStringList Suchwoerter(const QString &suchtext)
{
    QString s = suchtext.toLower();
    s.replace(QChar(0x00D7), QLatin1Char('x'));
    static const QRegularExpression dezimalkomma(QStringLiteral("(\\d),(?=\\d)"));
    s.replace(dezimalkomma, QStringLiteral("\\1."));
    s.replace(QLatin1Char(','), QLatin1Char(' '));
    static const QRegularExpression millimeter(QStringLiteral("(\\d)\\s*mm\\b"));
    s.replace(millimeter, QStringLiteral("\\1"));
    static const QRegularExpression mal(QStringLiteral("(\\d)\\s*x(?:\\s*(?=\\d)|(?=\\s|$))"));
    s.replace(mal, QStringLiteral("\\1x"));
    static const QRegularExpression leer(QStringLiteral("\\s+"));
    return s.split(leer, Qt::SkipEmptyParts);
}

QList<Suchwort> Suchanfrage(const QString &suchtext)
{
    QList<Suchwort> woerter;
    for (const QString &wort : Suchwoerter(suchtext))
        woerter << Zerlege(wort);
    return woerter;
}

std::optional<int> RangFuerWoerter(const Suchschluessel &schluessel, const Etikettenbogen &bogen,
                                   const QList<Suchwort> &woerter)
{
    int rang = 0;
    for (const Suchwort &wort : woerter) {
        const std::optional<int> r = WortRang(bogen, schluessel, wort);
        if (!r)
            return std::nullopt;
        rang += *r;
    }
    return rang;
}

} // namespace

QString Eintragstext(const Etikettenbogen &b)
{
    const bool eines = b.anzahl() == 1;
    QString art = eines ? QStringLiteral("Etikett") : QStringLiteral("Etiketten");
    if (b.form == Etikettenform::Rund)
        art = (eines ? QStringLiteral("rundes ") : QStringLiteral("runde ")) + art;
    else if (b.form == Etikettenform::Oval)
        art = (eines ? QStringLiteral("ovales ") : QStringLiteral("ovale ")) + art;
    const auto mm = [&b](Massfeld feld) { return HundertstelText(b.masse.Hundertstel(feld), QLatin1Char(',')); };
    return QStringLiteral("%1 %2 - %3 %4 %5 x %6 mm (%7 x %8)")
        .arg(b.hersteller, b.nummern.join(QStringLiteral(", ")), QString::number(b.anzahl()), art,
             mm(&Bogenmasse::Etikettenbreite), mm(&Bogenmasse::Etikettenhoehe),
             QString::number(b.masse.AnzahlEtikettenInZeile), QString::number(b.masse.AnzahlEtikettenInSpalte));
}

namespace {

// The maker in lower case, and the other names of its family.
std::pair<QString, QString> HerstellerSchluessel(const QString &hersteller)
{
    const QString name = hersteller.toLower();
    QString familie;
    for (const QStringList &namen : Herstellerfamilien())
        if (std::any_of(namen.begin(), namen.end(), [&](const QString &n) { return name.contains(n); }))
            familie += namen.join(QLatin1Char(' ')) + QLatin1Char(' ');
    return {name, familie};
}

Suchschluessel Schluessel(const Etikettenbogen &bogen, const std::pair<QString, QString> &hersteller)
{
    // The words the entry text gives the shape.
    static const QString formen[] = {QStringLiteral("etiketten etikett"),
                                     QStringLiteral("runde etiketten rundes etikett"),
                                     QStringLiteral("ovale etiketten ovales etikett")};
    Suchschluessel s{hersteller.first, hersteller.second, formen[int(bogen.form)], {}};
    s.nummern.reserve(bogen.nummern.size());
    for (const QString &nummer : bogen.nummern)
        s.nummern << NormaleNummer(nummer);
    return s;
}

} // namespace

Suchschluessel SuchschluesselFuer(const Etikettenbogen &bogen)
{
    return Schluessel(bogen, HerstellerSchluessel(bogen.hersteller));
}

QList<Suchschluessel> SuchschluesselFuer(const QList<Etikettenbogen> &boegen)
{
    QHash<QString, std::pair<QString, QString>> hersteller;
    QList<Suchschluessel> schluessel;
    schluessel.reserve(boegen.size());
    for (const Etikettenbogen &b : boegen) {
        auto h = hersteller.constFind(b.hersteller);
        if (h == hersteller.constEnd())
            h = hersteller.insert(b.hersteller, HerstellerSchluessel(b.hersteller));
        schluessel << Schluessel(b, *h);
    }
    return schluessel;
}

std::optional<int> BogenRang(const Suchschluessel &schluessel, const Etikettenbogen &bogen, const QString &suchtext)
{
    return RangFuerWoerter(schluessel, bogen, Suchanfrage(suchtext));
}

bool BogenPasst(const Etikettenbogen &bogen, const QString &suchtext)
{
    return BogenRang(SuchschluesselFuer(bogen), bogen, suchtext).has_value();
}

QList<int> SucheBoegen(const QList<Etikettenbogen> &boegen, const QList<Suchschluessel> &schluessel,
                       const QString &suchtext)
{
    const QList<Suchwort> woerter = Suchanfrage(suchtext);
    // One list per rank keeps the catalogue's order among equals without sorting.
    QList<QList<int>> nachRang;
    for (qsizetype i = 0; i < boegen.size() && i < schluessel.size(); ++i) {
        const std::optional<int> rang = RangFuerWoerter(schluessel[i], boegen[i], woerter);
        if (!rang)
            continue;
        if (nachRang.size() <= *rang)
            nachRang.resize(*rang + 1);
        nachRang[*rang] << int(i);
    }
    QList<int> treffer;
    for (const QList<int> &gleich : std::as_const(nachRang))
        treffer << gleich;
    return treffer;
}

Etikettenbogen MitGesuchterNummer(Etikettenbogen bogen, const QString &suchtext)
{
    const QList<Suchwort> woerter = Suchanfrage(suchtext);
    qsizetype gefunden = -1;
    for (const bool genau : {true, false}) {
        for (qsizetype i = 0; i < bogen.nummern.size() && gefunden < 0; ++i) {
            const QString nummer = NormaleNummer(bogen.nummern[i]);
            for (const Suchwort &w : woerter)
                if (w.mitZiffer && (genau ? NummerGleich(nummer, w.alsNummer) : nummer.contains(w.alsNummer)))
                    gefunden = i;
        }
    }
    if (gefunden > 0)
        bogen.nummern.move(gefunden, 0);
    return bogen;
}

QString NamensVorschlag(const Etikettenbogen &b)
{
    QString name = b.hersteller;
    if (!b.nummern.isEmpty())
        name += QLatin1Char('_') + b.nummern.first();
    QString sauber;
    for (const QChar c : std::as_const(name)) {
        const bool erlaubt = c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char(',');
        if (erlaubt)
            sauber += c;
        else if (!sauber.endsWith(QLatin1Char('_')))
            sauber += QLatin1Char('_');
    }
    while (sauber.startsWith(QLatin1Char('_')))
        sauber.remove(0, 1);
    while (sauber.endsWith(QLatin1Char('_')))
        sauber.chop(1);
    return (sauber.isEmpty() ? QStringLiteral("Etikettenbogen") : sauber) + QStringLiteral(".bmp");
}
