#include "storage/einstellungen.h"

#include "platform/fehler.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

double KaufmaennischRunden(double x)
{
    const double ganz = std::trunc(x);
    return ganz + std::trunc((x - ganz) * 2.0);
}

double WertAlsZahl(const QString &text)
{
    QString t = text;
    const qsizetype punkt = t.indexOf(QLatin1Char('.'));
    if (punkt >= 0)
        t[punkt] = QLatin1Char(',');
    // A decimal number with "," as separator, as the conversion of the user's locale accepts it.
    static const QRegularExpression zahl(QStringLiteral("^\\s*[+-]?(\\d+(,\\d*)?|,\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!zahl.match(t).hasMatch())
        throw Fehler(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(t));
    QString c = t;
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double wert = c.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(wert))
        throw Fehler(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(t));
    return wert;
}

int InBereich(double wert, int min, int max)
{
    if (std::isnan(wert) || wert < min)
        return min;
    if (wert > max)
        return max;
    return static_cast<int>(wert);
}

QString EinstellungsPfad(const QString &bildPfad)
{
    if (bildPfad.isEmpty())
        return {};
    const QString pfad = bildPfad.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive)
        ? bildPfad.left(bildPfad.size() - 4) + QStringLiteral(".ini")
        : bildPfad + QStringLiteral(".ini");
    if (pfad.compare(bildPfad, Qt::CaseInsensitive) == 0)
        return {};
    return pfad;
}
