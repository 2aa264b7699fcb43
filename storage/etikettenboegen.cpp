#include "storage/etikettenboegen.h"

#include "blatt/blatt.h"
#include "platform/fehler.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <iterator>

namespace {

const QString Formnamen[] = {QStringLiteral("Rechteck"), QStringLiteral("Rund"), QStringLiteral("Oval")};

std::optional<int> LiesAnzahl(QStringView text)
{
    if (text.isEmpty() || text.size() > 3)
        return std::nullopt;
    int wert = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        wert = wert * 10 + (c.unicode() - '0');
    }
    return wert;
}

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

// Windows-1252 where it differs from Latin-1; 0 for the five codes it leaves free.
constexpr char16_t Cp1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                 0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QString AusWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *z = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        const char16_t c = u >= 0x80 && u < 0xA0 ? Cp1252[u - 0x80] : char16_t(u);
        *z++ = QChar(c ? c : 0xFFFD);
    }
    return text;
}

QString LiesText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = AusWindows1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace

QString Formname(Etikettenform form)
{
    return Formnamen[int(form)];
}

QString BogenFehler(const Etikettenbogen &b)
{
    const Bogenmasse &m = b.masse;
    const auto l = [&m](Massfeld feld) { return m.Hundertstel(feld); };
    if (m.AnzahlEtikettenInZeile < 1 || m.AnzahlEtikettenInSpalte < 1)
        return QStringLiteral("Spalten und Zeilen müssen mindestens 1 sein.");
    if (l(&Bogenmasse::Etikettenbreite) < 1 || l(&Bogenmasse::Etikettenhoehe) < 1)
        return QStringLiteral("Breite und Höhe müssen größer als 0 sein.");
    if (l(&Bogenmasse::Etikettenbreite) < 100 || l(&Bogenmasse::Etikettenhoehe) < 100)
        return QStringLiteral("Etiketten unter 1 mm Breite oder Höhe lassen sich nicht drucken.");
    if (l(&Bogenmasse::SeitenRand) < 0 || l(&Bogenmasse::ObererRand) < 0)
        return QStringLiteral("Die Ränder dürfen nicht negativ sein.");
    if (l(&Bogenmasse::Horizontalabstand) < l(&Bogenmasse::Etikettenbreite))
        return QStringLiteral("Die Etiketten überlappen sich: der Horizontalabstand ist kleiner als die Breite.");
    if (l(&Bogenmasse::Vertikalabstand) < l(&Bogenmasse::Etikettenhoehe))
        return QStringLiteral("Die Etiketten überlappen sich: der Vertikalabstand ist kleiner als die Höhe.");
    // The far edge as the message has always shown it, at most 999999.99 mm.
    const auto bis = [](const Reihenende &ende) {
        return HundertstelText(qMin<qint64>(ende.hundertstel, 99999999), QLatin1Char('.'));
    };
    if (const Reihenende rechts = EndeDerReihe(m, Qt::Horizontal, m.AnzahlEtikettenInZeile); !rechts.aufA4)
        return QStringLiteral("Die Etiketten reichen rechts über das A4-Blatt hinaus (bis %1 mm).").arg(bis(rechts));
    if (const Reihenende unten = EndeDerReihe(m, Qt::Vertical, m.AnzahlEtikettenInSpalte); !unten.aufA4)
        return QStringLiteral("Die Etiketten reichen unten über das A4-Blatt hinaus (bis %1 mm).").arg(bis(unten));
    return {};
}

namespace {

// The file's six lengths, in the order of its columns from "Breite" on.
constexpr std::array<Massfeld, AnzahlLaengen> Laengenspalten{
    &Bogenmasse::Etikettenbreite, &Bogenmasse::Etikettenhoehe,    &Bogenmasse::SeitenRand,
    &Bogenmasse::ObererRand,      &Bogenmasse::Horizontalabstand, &Bogenmasse::Vertikalabstand,
};

// A length as the file writes it: "." and at most two decimals, at most five whole digits, nothing else, not even
// a blank (HundertstelAusText would take blanks around it and nine digits).
std::optional<int> LaengeAusFeld(QStringView feld)
{
    const auto ziffer = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    const qsizetype punkt = feld.indexOf(QLatin1Char('.'));
    if (feld.isEmpty() || !ziffer(feld.front()) || !ziffer(feld.back()) || (punkt < 0 ? feld.size() : punkt) > 5)
        return std::nullopt;
    const std::optional<qint64> wert = HundertstelAusText(feld, QLatin1Char('.'));
    return wert ? std::optional<int>(int(*wert)) : std::nullopt;
}

std::optional<Etikettenbogen> BogenAusAnsichten(const QList<QStringView> &felder, QString *fehler)
{
    const auto scheitert = [fehler](const QString &grund) -> std::optional<Etikettenbogen> {
        if (fehler)
            *fehler = grund;
        return std::nullopt;
    };
    static const QStringList spalten = EtikettenboegenKopf.split(QLatin1Char(';'));
    if (felder.size() != spalten.size())
        return scheitert(QStringLiteral("%1 statt %2 Felder").arg(felder.size()).arg(spalten.size()));

    QList<QStringView> f;
    f.reserve(felder.size());
    for (const QStringView feld : felder)
        f << feld.trimmed();

    Etikettenbogen b;
    b.hersteller = f[0].toString();
    if (b.hersteller.isEmpty())
        return scheitert(QStringLiteral("Hersteller fehlt"));
    for (const QStringView nummer : f[1].split(QLatin1Char(','))) {
        if (nummer.trimmed().isEmpty())
            return scheitert(QStringLiteral("leere Nummer"));
        b.nummern << nummer.trimmed().toString();
    }
    const auto form = std::find(std::begin(Formnamen), std::end(Formnamen), f[2]);
    if (form == std::end(Formnamen))
        return scheitert(QStringLiteral("unbekannte Form \"%1\"").arg(f[2]));
    b.form = Etikettenform(std::distance(std::begin(Formnamen), form));

    Bogenmasse m;
    int *anzahlen[] = {&m.AnzahlEtikettenInZeile, &m.AnzahlEtikettenInSpalte};
    for (int i = 0; i < 2; ++i) {
        const std::optional<int> n = LiesAnzahl(f[3 + i]);
        if (!n)
            return scheitert(QStringLiteral("%1 \"%2\" ist keine Anzahl").arg(spalten[3 + i], f[3 + i]));
        *anzahlen[i] = *n;
    }
    Laengen laengen{};
    for (std::size_t i = 0; i < Laengenspalten.size(); ++i) {
        const std::optional<int> l = LaengeAusFeld(f[5 + i]);
        if (!l)
            return scheitert(QStringLiteral("%1 \"%2\" ist keine Länge in mm").arg(spalten[5 + i], f[5 + i]));
        laengen[MassIndex(Laengenspalten[i])] = *l;
    }
    b.masse = MitGenauenLaengen(m, laengen, true);
    if (const QString grund = BogenFehler(b); !grund.isEmpty())
        return scheitert(grund);
    return b;
}

} // namespace

std::optional<Etikettenbogen> BogenAusFeldern(const QStringList &felder, QString *fehler)
{
    QList<QStringView> ansichten;
    for (const QString &feld : felder)
        ansichten << feld;
    return BogenAusAnsichten(ansichten, fehler);
}

QString BogenZeile(const Etikettenbogen &b)
{
    QStringList felder{b.hersteller, b.nummern.join(QStringLiteral(", ")), Formname(b.form),
                       QString::number(b.masse.AnzahlEtikettenInZeile),
                       QString::number(b.masse.AnzahlEtikettenInSpalte)};
    for (const Massfeld feld : Laengenspalten)
        felder << HundertstelText(b.masse.Hundertstel(feld), QLatin1Char('.'));
    return felder.join(QLatin1Char(';'));
}

Bogenkatalog LiesEtikettenboegen(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        throw DateiNichtZuOeffnen(pfad);
    const QString text = LiesText(datei.readAll());
    datei.close();
    const QStringView alles(text);
    qsizetype anfang = 0;
    const auto naechsteZeile = [&]() -> std::optional<QStringView> {
        if (anfang > alles.size())
            return std::nullopt;
        qsizetype ende = alles.indexOf(QLatin1Char('\n'), anfang);
        if (ende < 0)
            ende = alles.size();
        const QStringView zeile = alles.mid(anfang, ende - anfang);
        anfang = ende + 1;
        return zeile;
    };
    const std::optional<QStringView> kopf = naechsteZeile();
    if (!kopf || kopf->trimmed() != EtikettenboegenKopf)
        throw Fehler(QStringLiteral("Die Datei %1 ist keine Liste von Etikettenbögen.").arg(pfad));

    Bogenkatalog katalog;
    // Sheets of one maker share its name.
    QHash<QString, QString> hersteller;
    int nummer = 1;
    while (const std::optional<QStringView> z = naechsteZeile()) {
        ++nummer;
        const QStringView zeile = z->trimmed();
        if (zeile.isEmpty())
            continue;
        QString grund;
        if (std::optional<Etikettenbogen> b = BogenAusAnsichten(zeile.split(QLatin1Char(';')), &grund)) {
            const auto bekannt = hersteller.constFind(b->hersteller);
            if (bekannt != hersteller.constEnd())
                b->hersteller = *bekannt;
            else
                hersteller.insert(b->hersteller, b->hersteller);
            katalog.boegen << std::move(*b);
        } else {
            if (katalog.uebergangen.size() < 100)
                katalog.uebergangen << QStringLiteral("Zeile %1: %2").arg(nummer).arg(grund);
            ++katalog.anzahlUebergangen;
        }
    }
    return katalog;
}

QString UebersprungenText(const Bogenkatalog &katalog, const QString &pfad)
{
    if (katalog.anzahlUebergangen == 0 || katalog.uebergangen.isEmpty())
        return {};
    if (katalog.anzahlUebergangen == 1)
        return QStringLiteral("1 Zeile der Datei %1 wurde übersprungen: %2").arg(pfad, katalog.uebergangen.first());
    return QStringLiteral("%1 Zeilen der Datei %2 wurden übersprungen, zum Beispiel %3")
        .arg(QString::number(katalog.anzahlUebergangen), pfad, katalog.uebergangen.first());
}

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
