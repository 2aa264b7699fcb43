#include "blatt/bogenmasse.h"

#include <QRegularExpression>

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

std::optional<qint64> HundertstelAusText(const QString &text, QChar trenner)
{
    const QRegularExpression zahl(QStringLiteral("^\\s*(\\d{1,9})(?:%1(\\d{1,2}))?\\s*$")
                                      .arg(QRegularExpression::escape(QString(trenner))));
    const QRegularExpressionMatch m = zahl.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString nachkomma = m.captured(2).leftJustified(2, QLatin1Char('0'));
    return m.captured(1).toLongLong() * 100 + nachkomma.toLongLong();
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
    static const std::array<QString, Massangaben.size()> namen{
        QStringLiteral("Oberer Rand"),         QStringLiteral("Linker Rand"),
        QStringLiteral("Vertikalabstand"),     QStringLiteral("Horizontalabstand"),
        QStringLiteral("Höhe"),                QStringLiteral("Breite"),
        QStringLiteral("Anz. in einer Zeile [x]"), QStringLiteral("Anz. in einer Spalte [y]")};
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
            return {std::nullopt, QStringLiteral("„%1“ ist für „%2“ nicht möglich: erlaubt ist %3.")
                                      .arg(texte[i].trimmed(), MassBezeichnung(a), erlaubt)};
        }
        if (a.anzahl)
            m.*a.feld = int(*wert / 100);
        else
            laengen[i] = int(*wert);
    }
    return {MitGenauenLaengen(m, laengen), {}};
}
