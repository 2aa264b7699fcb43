#include "blatt/datenfelder.h"

#include "blatt/bogenmasse.h"

#include <array>
#include <utility>

namespace {

// 3 mm.
constexpr qint64 Rand = 300;

const std::array<std::pair<Codeart, QLatin1String>, 4> Codenamen{{
    {Codeart::QR, QLatin1String("QR")},
    {Codeart::DataMatrix, QLatin1String("DataMatrix")},
    {Codeart::EAN13, QLatin1String("EAN13")},
    {Codeart::Code128, QLatin1String("Code128")},
}};
const std::array<std::pair<Waagrecht, QLatin1String>, 3> Ausrichtungsnamen{{
    {Waagrecht::Links, QLatin1String("links")},
    {Waagrecht::Mitte, QLatin1String("mitte")},
    {Waagrecht::Rechts, QLatin1String("rechts")},
}};
const std::array<std::pair<Lotrecht, QLatin1String>, 3> Senkrechtnamen{{
    {Lotrecht::Oben, QLatin1String("oben")},
    {Lotrecht::Mitte, QLatin1String("mitte")},
    {Lotrecht::Unten, QLatin1String("unten")},
}};

template <typename T, std::size_t N>
QString Name(const std::array<std::pair<T, QLatin1String>, N> &namen, T wert)
{
    for (const auto &[w, name] : namen)
        if (w == wert)
            return name;
    return {};
}

template <typename T, std::size_t N>
std::optional<T> AusName(const std::array<std::pair<T, QLatin1String>, N> &namen, const QString &text)
{
    for (const auto &[w, name] : namen)
        if (text.compare(name, Qt::CaseInsensitive) == 0)
            return w;
    return std::nullopt;
}

QString Mm(qint64 hundertstel)
{
    return HundertstelText(hundertstel, QLatin1Char(','));
}

} // namespace

Etikettfeld FeldAufEtikett(const std::optional<Etikettfeld> &feld, qint64 breite, qint64 hoehe)
{
    if (feld)
        return *feld;
    const qint64 x = breite > 2 * Rand ? Rand : 0;
    const qint64 y = hoehe > 2 * Rand ? Rand : 0;
    return {x, y, breite - 2 * x, hoehe - 2 * y};
}

QString FeldUeberDemRand(const Etikettfeld &feld, qint64 breite, qint64 hoehe)
{
    if (feld.x + feld.breite <= breite && feld.y + feld.hoehe <= hoehe)
        return {};
    return QStringLiteral("Das Feld von %1 x %2 mm, %3 mm vom linken und %4 mm vom oberen Rand, reicht über das "
                          "Etikett (%5 x %6 mm) hinaus.")
        .arg(Mm(feld.breite), Mm(feld.hoehe), Mm(feld.x), Mm(feld.y), Mm(breite), Mm(hoehe));
}

QString Codename(Codeart art)
{
    return Name(Codenamen, art);
}

QString Ausrichtungsname(Waagrecht a)
{
    return Name(Ausrichtungsnamen, a);
}

QString Senkrechtname(Lotrecht s)
{
    return Name(Senkrechtnamen, s);
}

std::optional<Codeart> CodeartAusText(const QString &text)
{
    return AusName(Codenamen, text);
}

std::optional<Waagrecht> AusrichtungAusText(const QString &text)
{
    return AusName(Ausrichtungsnamen, text);
}

std::optional<Lotrecht> SenkrechtAusText(const QString &text)
{
    return AusName(Senkrechtnamen, text);
}
