#include "blatt/bogenmasse.h"

QString MassMitEinheit(int n)
{
    return QString::number(n) + QStringLiteral(" mm");
}

QString MassText(const Massangabe &angabe, int wert)
{
    return angabe.anzahl ? QString::number(wert) : MassMitEinheit(wert);
}
