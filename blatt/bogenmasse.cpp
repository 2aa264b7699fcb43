#include "blatt/bogenmasse.h"

#include <cstdlib>

qint64 Bogenmasse::Hundertstel(Massfeld feld) const
{
    const Massangabe &a = Massangaben[MassIndex(feld)];
    if (genau && a.genau)
        return (*genau).*a.genau;
    return qint64(this->*feld) * 100;
}

int GanzeMm(qint64 hundertstel)
{
    const qint64 ganz = (std::llabs(hundertstel) + 50) / 100;
    return int(hundertstel < 0 ? -ganz : ganz);
}

Bogenmasse MitGenauenLaengen(Bogenmasse m, const Laengen &hundertstel, bool genau)
{
    Genaumasse g;
    bool bruch = genau;
    for (std::size_t i = 0; i < AnzahlLaengen; ++i) {
        const Massangabe &a = Massangaben[i];
        m.*a.feld = GanzeMm(hundertstel[i]);
        g.*a.genau = hundertstel[i];
        bruch = bruch || hundertstel[i] % 100 != 0;
    }
    m.genau = bruch ? std::optional<Genaumasse>(g) : std::nullopt;
    return m;
}

Laengen GenaueLaengen(const Bogenmasse &m)
{
    Laengen l{};
    for (std::size_t i = 0; i < AnzahlLaengen; ++i)
        l[i] = int(m.Hundertstel(Massangaben[i].feld));
    return l;
}

QString HundertstelText(qint64 hundertstel, QChar trenner)
{
    const qint64 betrag = std::llabs(hundertstel);
    QString text = QString::number(betrag / 100);
    if (const qint64 rest = betrag % 100; rest != 0) {
        QString nachkomma = QStringLiteral("%1").arg(rest, 2, 10, QLatin1Char('0'));
        if (nachkomma.endsWith(QLatin1Char('0')))
            nachkomma.chop(1);
        text += trenner + nachkomma;
    }
    return hundertstel < 0 ? QLatin1Char('-') + text : text;
}

std::optional<qint64> HundertstelAusText(QStringView text, QChar trenner)
{
    // Blanks are the ASCII ones: space, tab and the line ends.
    const auto leer = [](QChar c) {
        return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r'));
    };
    const auto ziffer = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    qsizetype i = 0, ende = text.size();
    while (i < ende && leer(text[i]))
        ++i;
    while (ende > i && leer(text[ende - 1]))
        --ende;
    qint64 ganz = 0;
    int ganzeZiffern = 0;
    for (; i < ende && ziffer(text[i]); ++i) {
        if (++ganzeZiffern > 9)
            return std::nullopt;
        ganz = ganz * 10 + (text[i].unicode() - '0');
    }
    if (ganzeZiffern == 0)
        return std::nullopt;
    qint64 bruch = 0;
    if (i < ende && text[i] == trenner) {
        const qsizetype anfang = ++i;
        for (; i < ende && ziffer(text[i]) && i - anfang < 2; ++i)
            bruch = bruch * 10 + (text[i].unicode() - '0');
        if (i == anfang)
            return std::nullopt;
        if (i - anfang == 1)
            bruch *= 10;
    }
    if (i != ende)
        return std::nullopt;
    return ganz * 100 + bruch;
}

QString MassMitEinheit(int n)
{
    return QString::number(n) + QStringLiteral(" mm");
}

QString MassText(const Massangabe &angabe, int wert)
{
    return angabe.anzahl ? QString::number(wert) : MassMitEinheit(wert);
}

QString MassText(const Massangabe &angabe, const Bogenmasse &m)
{
    if (angabe.anzahl || !m.IstGenau())
        return MassText(angabe, m.*angabe.feld);
    return HundertstelText(m.Hundertstel(angabe.feld), QLatin1Char(',')) + QStringLiteral(" mm");
}

QString MassBezeichnung(const Massangabe &angabe)
{
    static const std::array<QString, Massangaben.size()> namen{QStringLiteral("Oberer Rand"),
                                                               QStringLiteral("Linker Rand"),
                                                               QStringLiteral("Vertikalabstand"),
                                                               QStringLiteral("Horizontalabstand"),
                                                               QStringLiteral("Höhe"),
                                                               QStringLiteral("Breite"),
                                                               QStringLiteral("Anz. in einer Zeile [x]"),
                                                               QStringLiteral("Anz. in einer Spalte [y]")};
    return namen[MassIndex(angabe.feld)];
}

EingegebeneMasse LiesEingegebeneMasse(const std::array<QString, Massangaben.size()> &texte)
{
    Bogenmasse m;
    Laengen laengen{};
    for (std::size_t i = 0; i < Massangaben.size(); ++i) {
        const Massangabe &a = Massangaben[i];
        const std::optional<qint64> wert = HundertstelAusText(texte[i], QLatin1Char(','));
        const bool ganz = wert && *wert % 100 == 0;
        if (!wert || (a.anzahl && !ganz) || *wert < qint64(a.minimum) * 100 || *wert > qint64(MassMaximum) * 100) {
            const QString erlaubt = a.anzahl
                ? QStringLiteral("eine ganze Zahl von %1 bis %2").arg(a.minimum).arg(MassMaximum)
                : QStringLiteral("eine Zahl von %1 bis %2 mm mit höchstens zwei Nachkommastellen, zum Beispiel 38,1")
                      .arg(a.minimum)
                      .arg(MassMaximum);
            return {std::nullopt,
                    QStringLiteral("„%1“ ist für „%2“ nicht möglich: erlaubt ist %3.")
                        .arg(texte[i].trimmed(), MassBezeichnung(a), erlaubt)};
        }
        if (a.anzahl)
            m.*a.feld = int(*wert / 100);
        else
            laengen[i] = int(*wert);
    }
    return {MitGenauenLaengen(m, laengen), {}};
}
