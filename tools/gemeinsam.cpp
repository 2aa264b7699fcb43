#include "tools/gemeinsam.h"

#include "blatt/blatt.h"
#include "platform/fehler.h"
#include "storage/einstellungen.h"

#include <QDir>
#include <QHash>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Werkzeug {

namespace {

// An 8-bit bitmap as the program's readers take it, bottom row first. Written here rather than by Qt, whose writer
// leaves each line's padding as it found it in memory, so that the same picture would not give the same bytes.
QByteArray AchtBitBytes(const QImage &bild)
{
    const int zeile = (bild.width() + 3) / 4 * 4;
    const int palette = 256 * 4;
    const int kopf = 14 + 40 + palette;
    QByteArray b(kopf + qsizetype(zeile) * bild.height(), '\0');
    auto *d = reinterpret_cast<uchar *>(b.data());
    d[0] = 'B';
    d[1] = 'M';
    qToLittleEndian<quint32>(quint32(b.size()), d + 2);
    qToLittleEndian<quint32>(quint32(kopf), d + 10);
    qToLittleEndian<quint32>(40, d + 14);
    qToLittleEndian<qint32>(bild.width(), d + 18);
    qToLittleEndian<qint32>(bild.height(), d + 22);
    qToLittleEndian<quint16>(1, d + 26);
    qToLittleEndian<quint16>(8, d + 28);
    qToLittleEndian<quint32>(quint32(zeile * bild.height()), d + 34);
    qToLittleEndian<qint32>(bild.dotsPerMeterX(), d + 38);
    qToLittleEndian<qint32>(bild.dotsPerMeterY(), d + 42);
    qToLittleEndian<quint32>(256, d + 46);
    const QList<QRgb> farben = bild.colorTable();
    for (qsizetype i = 0; i < farben.size() && i < 256; ++i) {
        uchar *f = d + 54 + 4 * i;
        f[0] = uchar(qBlue(farben[i]));
        f[1] = uchar(qGreen(farben[i]));
        f[2] = uchar(qRed(farben[i]));
    }
    for (int y = 0; y < bild.height(); ++y)
        std::copy_n(bild.constScanLine(y), bild.width(), d + kopf + qsizetype(zeile) * (bild.height() - 1 - y));
    return b;
}

} // namespace

void SpeichereBitmap(const QImage &bild, const QString &pfad)
{
    QSaveFile datei(pfad);
    bool ok = datei.open(QIODevice::WriteOnly);
    if (bild.format() == QImage::Format_Indexed8) {
        const QByteArray bytes = AchtBitBytes(bild);
        ok = ok && datei.write(bytes) == bytes.size();
    } else {
        // Qt writes 24 bits per pixel for every format but the indexed ones.
        ok = ok && bild.convertToFormat(QImage::Format_RGB32).save(&datei, "BMP");
    }
    if (!ok || !datei.commit())
        throw Fehler(QStringLiteral("Bild %1 kann nicht gespeichert werden").arg(pfad));
}

QImage AchtBitBild(const QImage &bild, int abweichung)
{
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, qint64> haeufigkeit;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *zeile = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++haeufigkeit[zeile[x] | 0xff000000u];
    }
    QList<QRgb> farben = haeufigkeit.keys();
    // Most frequent first; equal counts by colour, so that the palette does not depend on the hash's order.
    std::ranges::sort(farben, [&](QRgb a, QRgb b) {
        const qint64 ha = haeufigkeit.value(a), hb = haeufigkeit.value(b);
        return ha != hb ? ha > hb : a < b;
    });
    const QList<QRgb> tabelle = farben.mid(0, 256);
    QHash<QRgb, uchar> index;
    for (qsizetype i = 0; i < tabelle.size(); ++i)
        index.insert(tabelle[i], uchar(i));
    const auto abstand = [](QRgb a, QRgb b) {
        return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
    };
    for (qsizetype i = tabelle.size(); i < farben.size(); ++i) {
        const QRgb f = farben[i];
        qsizetype naechste = 0;
        for (qsizetype k = 1; k < tabelle.size(); ++k)
            if (abstand(f, tabelle[k]) < abstand(f, tabelle[naechste]))
                naechste = k;
        if (abstand(f, tabelle[naechste]) > abweichung)
            return {};
        index.insert(f, uchar(naechste));
    }
    QImage acht(rgb.size(), QImage::Format_Indexed8);
    acht.setColorTable(tabelle);
    acht.setDotsPerMeterX(bild.dotsPerMeterX());
    acht.setDotsPerMeterY(bild.dotsPerMeterY());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *von = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *nach = acht.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            nach[x] = index.value(von[x] | 0xff000000u);
    }
    return acht;
}

void ErzeugeOrdner(const QString &pfad)
{
    if (!QDir().mkpath(pfad))
        throw Fehler(QStringLiteral("Ordner %1 kann nicht angelegt werden").arg(pfad));
}

int MmInBildpixel(double mm)
{
    return RundeHalbGerade(mm * 120.0L / MmProZoll);
}

QImage NeuesBild(int breite, int hoehe, const QColor &grund)
{
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    bild.fill(grund);
    return bild;
}

QFont Schrift(const QString &familie, qreal pixel, bool fett, bool kursiv)
{
    QFont f(familie);
    f.setPixelSize(qMax(1, qRound(pixel)));
    f.setBold(fett);
    f.setItalic(kursiv);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont PassendeSchrift(const QString &familie, qreal pixel, bool fett, const QString &text, qreal breite)
{
    QFont f = Schrift(familie, pixel, fett);
    while (f.pixelSize() > 4 && QFontMetricsF(f).horizontalAdvance(text) > breite)
        f.setPixelSize(f.pixelSize() - 1);
    return f;
}

void SchreibeText(QPainter &p, const QRectF &rahmen, int ausrichtung, const QString &text, const QFont &schrift,
                  const QColor &farbe)
{
    p.save();
    p.setFont(schrift);
    p.setPen(farbe);
    p.drawText(rahmen, ausrichtung, text);
    p.restore();
}

qreal SchreibeZeilen(QPainter &p, qreal links, qreal oben, qreal zeilenhoehe, const QStringList &zeilen,
                     const QFont &schrift, const QColor &farbe)
{
    qreal y = oben;
    for (const QString &zeile : zeilen) {
        SchreibeText(p, QRectF(links, y, 10000, zeilenhoehe), Qt::AlignLeft | Qt::AlignVCenter, zeile, schrift, farbe);
        y += zeilenhoehe;
    }
    return y;
}

void ZeichneEtikettSymbol(QPainter &p, const QRectF &rahmen, const QColor &farbe)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = rahmen.height();
    QPainterPath anhaenger;
    anhaenger.moveTo(rahmen.left() + h * 0.35, rahmen.top());
    anhaenger.lineTo(rahmen.right() - h * 0.12, rahmen.top());
    anhaenger.quadTo(rahmen.right(), rahmen.top(), rahmen.right(), rahmen.top() + h * 0.12);
    anhaenger.lineTo(rahmen.right(), rahmen.bottom() - h * 0.12);
    anhaenger.quadTo(rahmen.right(), rahmen.bottom(), rahmen.right() - h * 0.12, rahmen.bottom());
    anhaenger.lineTo(rahmen.left() + h * 0.35, rahmen.bottom());
    anhaenger.lineTo(rahmen.left(), rahmen.center().y());
    anhaenger.closeSubpath();
    QPainterPath loch;
    loch.addEllipse(QPointF(rahmen.left() + h * 0.32, rahmen.center().y()), h * 0.1, h * 0.1);
    p.fillPath(anhaenger.subtracted(loch), farbe);
    p.restore();
}

int FuehreAus(int argc, char **argv, const std::function<void(const QStringList &)> &arbeit)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        arbeit(app.arguments().mid(1));
    } catch (const Fehler &f) {
        std::fprintf(stderr, "%s: %s\n", argv[0], f.what());
        return 1;
    }
    return 0;
}

} // namespace Werkzeug
