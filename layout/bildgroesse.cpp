#include "layout/bildgroesse.h"

#include "platform/fehler.h"

QSize LiesBildGroesse(const QString &pfad)
{
    return LiesBildGroesse(LiesBildkopf(pfad), pfad);
}

QSize LiesBildGroesse(const QByteArray &kopf, const QString &pfad)
{
    if (const std::optional<QSize> groesse = Bitmapgroesse(kopf, pfad))
        return *groesse;
    throw Fehler(KeinLesbaresBild(pfad));
}
