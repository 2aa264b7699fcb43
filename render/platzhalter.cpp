#include "render/platzhalter.h"

#include "storage/liste.h"

#include <QRegularExpression>

#include <functional>
#include <optional>

namespace {

// What a placeholder's name stands for, or nothing when it names nothing.
using Aufloesung = std::function<std::optional<QString>(const QString &name)>;

// The template with each placeholder replaced by what `aufloesen` gives; unknown ones stay as written.
QString Ersetze(const QString &vorlage, const Aufloesung &aufloesen)
{
    QString text;
    text.reserve(vorlage.size());
    for (qsizetype i = 0; i < vorlage.size(); ++i) {
        const QChar c = vorlage[i];
        const bool doppelt = i + 1 < vorlage.size() && vorlage[i + 1] == c;
        if ((c == u'{' || c == u'}') && doppelt) {
            text += c;
            ++i;
            continue;
        }
        const qsizetype zu = c == u'{' ? vorlage.indexOf(u'}', i + 1) : -1;
        const qsizetype naechstesAuf = c == u'{' ? vorlage.indexOf(u'{', i + 1) : -1;
        if (zu < 0 || (naechstesAuf >= 0 && naechstesAuf < zu)) {
            text += c;
            continue;
        }
        const QString name = vorlage.sliced(i + 1, zu - i - 1).trimmed();
        text += aufloesen(name).value_or(vorlage.sliced(i, zu - i + 1));
        i = zu;
    }
    return text;
}

// The running number for {Nr} and {Nr:4}; nothing for any other name.
std::optional<QString> Nummer(const QString &name, qint64 nummer)
{
    static const QRegularExpression muster(QStringLiteral("^Nr(?:\\s*:\\s*(\\d{1,2}))?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = muster.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    const int stellen = m.captured(1).isEmpty() ? 0 : m.captured(1).toInt();
    return QStringLiteral("%1").arg(nummer, stellen, 10, QLatin1Char('0'));
}

QString Aufzaehlung(const QStringList &teile)
{
    if (teile.size() < 2)
        return teile.value(0);
    return teile.mid(0, teile.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" und ") + teile.back();
}

} // namespace

QString FuelleVorlage(const QString &vorlage, const Datensatz &f)
{
    return Ersetze(vorlage, [&f](const QString &name) -> std::optional<QString> {
        if (std::optional<QString> nr = Nummer(name, f.nummer))
            return nr;
        const qsizetype i = Feldnummer(f.felder, name);
        if (i < 0)
            return std::nullopt;
        return f.werte.value(i);
    });
}

QStringList FuelleZeilen(const QStringList &vorlagen, const Datensatz &satz)
{
    QStringList zeilen;
    for (const QString &vorlage : vorlagen)
        for (const QString &zeile : FuelleVorlage(vorlage, satz).split(u'\n'))
            if (!zeile.trimmed().isEmpty())
                zeilen.append(zeile);
    return zeilen;
}

QStringList UnbekanntePlatzhalter(const QStringList &vorlagen, const QStringList &felder)
{
    QStringList unbekannt;
    for (const QString &vorlage : vorlagen)
        Ersetze(vorlage, [&](const QString &name) -> std::optional<QString> {
            if (!Nummer(name, 0) && Feldnummer(felder, name) < 0) {
                const QString geschrieben = QLatin1Char('{') + name + QLatin1Char('}');
                if (!unbekannt.contains(geschrieben))
                    unbekannt.append(geschrieben);
            }
            return QString();
        });
    return unbekannt;
}

QString UnbekanntePlatzhalterMeldung(const QStringList &unbekannt, const QStringList &felder, const QString &liste)
{
    QStringList genannt;
    for (const QString &u : unbekannt)
        genannt.append(QStringLiteral("„%1“").arg(u));
    if (liste.isEmpty())
        return QStringLiteral("Ohne Liste gibt es nur die laufende Nummer {Nr}; %1 %2 ungefüllt.")
            .arg(Aufzaehlung(genannt), genannt.size() == 1 ? QStringLiteral("bleibt") : QStringLiteral("bleiben"));
    return QStringLiteral("Die Liste %1 hat %2 %3; ihre erste Zeile nennt: %4.")
        .arg(liste, genannt.size() == 1 ? QStringLiteral("kein Feld") : QStringLiteral("keine Felder"),
             Aufzaehlung(genannt), felder.join(QStringLiteral(", ")));
}
