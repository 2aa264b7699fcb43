#include "layout/bildgroesse.h"

#include "platform/fehler.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr qint64 DateiKopfLaenge = 14;
constexpr qint64 InfoKopfLaenge = 40;
// The OS/2 header holds width and height as two 16-bit fields.
constexpr quint32 Os2KopfLaenge = 12;
constexpr qint64 GroessteSeite = 30000;

} // namespace

QSize LiesBildGroesse(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        throw DateiNichtZuOeffnen(pfad);

    return LiesBildGroesse(datei.read(DateiKopfLaenge + InfoKopfLaenge), pfad);
}

QSize LiesBildGroesse(const QByteArray &kopf, const QString &pfad)
{
    const auto *bytes = reinterpret_cast<const uchar *>(kopf.constData());

    // Both kinds of information header hold their size field, width and height in their first 12 bytes.
    if (kopf.size() < DateiKopfLaenge + 12)
        throw Fehler(KeinLesbaresBild(pfad));

    qint64 breite = 0;
    qint64 hoehe = 0;
    if (qFromLittleEndian<quint32>(bytes + DateiKopfLaenge) == Os2KopfLaenge) {
        breite = qFromLittleEndian<quint16>(bytes + DateiKopfLaenge + 4);
        hoehe = qFromLittleEndian<quint16>(bytes + DateiKopfLaenge + 6);
    } else {
        breite = qFromLittleEndian<qint32>(bytes + DateiKopfLaenge + 4);
        hoehe = qFromLittleEndian<qint32>(bytes + DateiKopfLaenge + 8);
        if (hoehe < 0)
            hoehe = -hoehe; // stored top-down
    }

    if (breite <= 0 || hoehe <= 0 || breite > GroessteSeite || hoehe > GroessteSeite)
        throw Fehler(KeinLesbaresBild(pfad));
    return QSize(static_cast<int>(breite), static_cast<int>(hoehe));
}
