#include "layout/bildgroesse.h"

#include "platform/fehler.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr qint64 DateiKopfLaenge = 14;
constexpr qint64 InfoKopfLaenge = 40;
// The OS/2 header holds width and height as two 16-bit fields.
constexpr quint32 Os2KopfLaenge = 12;
constexpr qint64 GroessteSeite = 30000;

constexpr quint32 Rle8 = 1;
constexpr quint32 Rle4 = 2;

// A run-length stream from `anfang` on: complete when its end mark or the end of its last row lies in the data.
bool RleVollstaendig(const QByteArray &datei, qint64 anfang, qint64 zeilen, bool vierBit)
{
    const auto *b = reinterpret_cast<const uchar *>(datei.constData());
    const qint64 laenge = datei.size();
    qint64 pos = anfang;
    qint64 zeile = 0;
    while (zeile < zeilen) {
        if (pos + 2 > laenge)
            return false;
        const uchar anzahl = b[pos];
        const uchar zeichen = b[pos + 1];
        pos += 2;
        if (anzahl != 0) // a run of one value
            continue;
        if (zeichen == 0) {
            ++zeile;
        } else if (zeichen == 1) {
            return true;
        } else if (zeichen == 2) { // a jump right and down, kept on the picture as the decoder keeps it
            if (pos + 2 > laenge)
                return false;
            zeile = std::min(zeile + b[pos + 1], zeilen - 1);
            pos += 2;
        } else { // literal pixels, padded to whole 16-bit words
            const qint64 bytes = vierBit ? (zeichen + 1) / 2 : zeichen;
            pos += (bytes + 1) / 2 * 2;
            if (pos > laenge)
                return false;
        }
    }
    return true;
}

} // namespace

QString BildZuGross(const QString &pfad, QSize groesse)
{
    return QStringLiteral("Das Bild %1 ist zu groß (%2 x %3 Pixel); höchstens %4 Millionen Pixel werden gedruckt.")
        .arg(pfad)
        .arg(groesse.width())
        .arg(groesse.height())
        .arg(MeisteBildpunkte / 1'000'000);
}

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

bool BitmapVollstaendig(const QByteArray &datei)
{
    if (!datei.startsWith("BM"))
        return true;
    if (datei.size() < DateiKopfLaenge + 4)
        return false;
    const auto *b = reinterpret_cast<const uchar *>(datei.constData());
    const quint32 kopf = qFromLittleEndian<quint32>(b + DateiKopfLaenge);
    // The decoder reads any header of a size it does not know as the old one with 16-bit fields.
    const bool os2 = kopf != InfoKopfLaenge && kopf != 64 && kopf != 108 && kopf != 124;
    if (datei.size() < DateiKopfLaenge + (os2 ? Os2KopfLaenge : InfoKopfLaenge))
        return false;
    const uchar *info = b + DateiKopfLaenge;
    const qint64 breite = os2 ? qFromLittleEndian<qint16>(info + 4) : qFromLittleEndian<qint32>(info + 4);
    const qint64 hoeheGespeichert = os2 ? qFromLittleEndian<qint16>(info + 6) : qFromLittleEndian<qint32>(info + 8);
    const qint64 hoehe = qAbs(hoeheGespeichert); // negative: stored top-down
    const int bits = qFromLittleEndian<quint16>(info + (os2 ? 10 : 14));
    const quint32 kompression = os2 ? 0 : qFromLittleEndian<quint32>(info + 16);
    const quint32 farbenGenutzt = os2 ? 0 : qFromLittleEndian<quint32>(info + 32);
    if (breite <= 0 || hoehe <= 0 || bits <= 0 || bits > 32)
        return true;

    // Where the decoder starts on the pixels: at the offset the file header names, but never inside the headers
    // and the colour table as it reads them.
    const qint64 farben = bits <= 8 ? (farbenGenutzt ? farbenGenutzt : qint64(1) << bits) : 0;
    const qint64 kopfEnde =
        DateiKopfLaenge + (kopf >= 108 ? InfoKopfLaenge : kopf) + farben * (kopf == Os2KopfLaenge ? 3 : 4);
    const qint64 anfang = std::max<qint64>(qFromLittleEndian<quint32>(b + 10), kopfEnde);
    if (kompression == Rle8 || kompression == Rle4)
        return RleVollstaendig(datei, anfang, hoehe, kompression == Rle4);
    // Every row is stored padded to whole 32-bit words.
    const qint64 zeile = (breite * bits + 31) / 32 * 4;
    return anfang <= datei.size() && (datei.size() - anfang) / zeile >= hoehe;
}
