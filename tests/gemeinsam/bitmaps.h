#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QRgb>
#include <QString>
#include <QTemporaryDir>
#include <QtEndian>

#include <functional>

// A 24-bit bitmap file written byte by byte, bottom-up or top-down (negative height).
inline QByteArray Bmp24(int w, int h, bool vonOben, const std::function<QRgb(int, int)> &farbe)
{
    const int zeile = (w * 3 + 3) / 4 * 4;
    QByteArray daten(54 + zeile * h, '\0');
    auto setze32 = [&](int ort, qint32 wert) { qToLittleEndian(wert, daten.data() + ort); };
    auto setze16 = [&](int ort, qint16 wert) { qToLittleEndian(wert, daten.data() + ort); };
    daten[0] = 'B';
    daten[1] = 'M';
    setze32(2, daten.size());
    setze32(10, 54);
    setze32(14, 40);
    setze32(18, w);
    setze32(22, vonOben ? -h : h);
    setze16(26, 1);
    setze16(28, 24);
    setze32(34, zeile * h);
    for (int y = 0; y < h; ++y) {
        const int gespeichert = vonOben ? y : h - 1 - y;
        char *z = daten.data() + 54 + gespeichert * zeile;
        for (int x = 0; x < w; ++x) {
            const QRgb c = farbe(x, y);
            z[x * 3] = char(qBlue(c));
            z[x * 3 + 1] = char(qGreen(c));
            z[x * 3 + 2] = char(qRed(c));
        }
    }
    return daten;
}

// A file written by a test, dated an hour back: read at once, as one saved long ago is, instead of being watched
// for a second as one saved a moment ago.
inline void DatiereZurueck(const QString &pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::Append)
        || !f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600), QFileDevice::FileModificationTime))
        qFatal("cannot date back %s", qPrintable(pfad));
}

inline QString Schreibe(const QTemporaryDir &ordner, const QString &name, const QByteArray &daten)
{
    const QString pfad = ordner.filePath(name);
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly) || f.write(daten) != daten.size())
        qFatal("cannot write %s", qPrintable(pfad));
    f.close();
    DatiereZurueck(pfad);
    return pfad;
}
