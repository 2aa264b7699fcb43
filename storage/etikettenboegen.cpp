#include "storage/etikettenboegen.h"

#include "blatt/blatt.h"
#include "platform/fehler.h"
#include "storage/zeichensatz.h"

#include <QFile>
#include <QHash>

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
    const QString text = Utf8OderWindows1252(datei.readAll());
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
    // Each reason, so that the person can mend every line, as many as a message holds.
    constexpr qsizetype Genannt = 10;
    const QStringList gruende = katalog.uebergangen.mid(0, Genannt);
    const qsizetype weitere = katalog.anzahlUebergangen - gruende.size();
    return QStringLiteral("%1 Zeilen der Datei %2 wurden übersprungen:\n%3%4")
        .arg(QString::number(katalog.anzahlUebergangen), pfad, gruende.join(QLatin1Char('\n')),
             weitere > 0 ? QStringLiteral("\nund %1 weitere.").arg(weitere) : QString());
}
