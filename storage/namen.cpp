#include "storage/namen.h"

#include <QStringList>

QString DateinamenTeil(const QString &pfad)
{
#ifdef Q_OS_WIN
    const qsizetype trenner = std::max(
        {pfad.lastIndexOf(QLatin1Char('\\')), pfad.lastIndexOf(QLatin1Char('/')), pfad.lastIndexOf(QLatin1Char(':'))});
#else
    const qsizetype trenner = pfad.lastIndexOf(QLatin1Char('/'));
#endif
    return pfad.mid(trenner + 1);
}

bool HatBildendung(const QString &name)
{
    return name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive);
}

QString Einstellungsname(const QString &name)
{
    return (HatBildendung(name) ? name.chopped(4) : name) + QStringLiteral(".ini");
}

QString NameOhneEndung(const QString &pfad)
{
    const QString name = DateinamenTeil(pfad);
    return HatBildendung(name) ? name.left(name.size() - 4) : name;
}

QString Anzeigename(const QString &pfad)
{
    // Letter by letter, as the Windows upper case does: umlauts change, "ß" stays.
    QString name = NameOhneEndung(pfad);
    for (QChar &c : name)
        c = c.toUpper();
    return name;
}
