#include "render/programmbilder.h"

#include <QPainter>
#include <QtEndian>
#include <QPainterPath>

#include <array>

namespace {

// A dimension line with an arrow head at both ends.
void pfeil(QPainter &p, QPointF von, QPointF bis)
{
    p.drawLine(von, bis);
    for (const QLineF &linie : {QLineF(bis, von), QLineF(von, bis)}) {
        for (int seite : {-1, 1}) {
            QLineF spitze = linie;
            spitze.setLength(5);
            spitze.setAngle(linie.angle() + seite * 25);
            p.drawLine(spitze);
        }
    }
}

QFont schrift(int pixel, bool fett = false)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(pixel);
    f.setBold(fett);
    return f;
}

} // namespace

QImage ProgrammIcon()
{
    QImage bild(32, 32, QImage::Format_ARGB32);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(5, 1, 22, 30);
    p.setBrush(QColor(90, 140, 220));
    p.setPen(Qt::NoPen);
    for (int zeile = 0; zeile < 4; ++zeile)
        for (int spalte = 0; spalte < 2; ++spalte)
            p.drawRect(8 + spalte * 10, 4 + zeile * 7, 8, 5);
    return bild;
}

QImage AbdeckStreifen()
{
    QImage bild(31, 254, QImage::Format_RGB32);
    bild.fill(QColor(212, 208, 200));
    return bild;
}

QImage ErklaerungsBild()
{
    QImage bild(592, 165, QImage::Format_RGB32);
    const QColor grund(212, 208, 200);
    bild.fill(grund);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing, false);

    // A printer with a sheet in it.
    p.setPen(Qt::black);
    p.setBrush(QColor(128, 128, 128));
    p.drawRect(14, 70, 120, 50);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(24, 80, 100, 12);
    p.setBrush(Qt::white);
    p.drawRect(40, 30, 68, 52);
    p.setBrush(QColor(0, 128, 0));
    p.drawEllipse(112, 104, 8, 8);
    p.setFont(schrift(11, true));
    p.setPen(QColor(255, 0, 0));
    p.drawText(QRect(4, 124, 150, 40), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Achtung: Ränder des Druckers beachten!"));

    // The sheet with its labels and measures.
    const QRect blatt(200, 10, 130, 148);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(blatt);
    const int links = blatt.left() + 18;
    const int oben = blatt.top() + 22;
    const int breite = 44;
    const int hoehe = 26;
    const int hAbstand = 54;
    const int vAbstand = 32;
    p.setBrush(QColor(255, 255, 0));
    for (int zeile = 0; zeile < 4; ++zeile)
        for (int spalte = 0; spalte < 2; ++spalte)
            p.drawRect(links + spalte * hAbstand, oben + zeile * vAbstand, breite, hoehe);

    p.setPen(QColor(0, 0, 255));
    pfeil(p, QPointF(blatt.left(), oben + 8), QPointF(links, oben + 8));
    pfeil(p, QPointF(links + 8, blatt.top()), QPointF(links + 8, oben));
    pfeil(p, QPointF(links, oben + hoehe + 3), QPointF(links + hAbstand, oben + hoehe + 3));
    pfeil(p, QPointF(links + breite + 4, oben + vAbstand), QPointF(links + breite + 4, oben + 2 * vAbstand));

    p.setFont(schrift(11));
    p.setPen(Qt::black);
    const int tx = 345;
    const QStringList zeilen = {
        QStringLiteral("Linker Rand: Blattrand bis Etikett"),  QStringLiteral("Oberer Rand: Blattrand bis 1. Reihe"),
        QStringLiteral("Horizontalabstand: Anfang eines"),     QStringLiteral("   Etiketts bis Anfang des nächsten"),
        QStringLiteral("Vertikalabstand: Anfang einer Reihe"), QStringLiteral("   bis Anfang der nächsten Reihe"),
        QStringLiteral("Breite, Höhe: Größe eines Etiketts"),  QStringLiteral("Anzahl: [x] je Zeile, [y] je Spalte"),
    };
    for (int i = 0; i < zeilen.size(); ++i)
        p.drawText(tx, 22 + i * 18, zeilen[i]);
    p.end();

    // The picture is kept in few colours, as such explanatory pictures are.
    return Farbstufen(std::move(bild));
}

QImage Farbstufen(QImage bild)
{
    // Straight per pixel: converting through an indexed palette gives the same steps but first searches the
    // picture for a palette of its own, which costs the start-up a noticeable share.
    static const std::array<int, 256> stufe = [] {
        std::array<int, 256> t{};
        for (int wert = 0; wert < 256; ++wert)
            t[wert] = (wert * 5 + 127) / 255 * 51;
        return t;
    }();
    bild.convertTo(QImage::Format_RGB32);
    // Runs of one colour are the rule in such pictures.
    QRgb vorher = 0;
    QRgb gestuft = qRgb(0, 0, 0);
    const int breite = bild.width();
    for (int y = 0; y < bild.height(); ++y) {
        auto *zeile = reinterpret_cast<QRgb *>(bild.scanLine(y));
        for (int x = 0; x < breite; ++x) {
            if (zeile[x] != vorher) {
                vorher = zeile[x];
                gestuft = qRgb(stufe[qRed(vorher)], stufe[qGreen(vorher)], stufe[qBlue(vorher)]);
            }
            zeile[x] = gestuft;
        }
    }
    return bild;
}

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "Rohbild holds RGB32 rows as a little-endian machine does");

QByteArray Rohbild(const QImage &bild)
{
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB32);
    QByteArray daten(8, Qt::Uninitialized);
    qToLittleEndian<quint32>(quint32(rgb.width()), daten.data());
    qToLittleEndian<quint32>(quint32(rgb.height()), daten.data() + 4);
    for (int y = 0; y < rgb.height(); ++y)
        daten.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 4);
    return daten;
}

QImage AusRohbild(QByteArrayView daten)
{
    if (daten.size() < 8)
        return {};
    const quint32 breite = qFromLittleEndian<quint32>(daten.data());
    const quint32 hoehe = qFromLittleEndian<quint32>(daten.data() + 4);
    if (breite == 0 || hoehe == 0 || breite > 0x8000 || hoehe > 0x8000
        || daten.size() - 8 != qsizetype(breite) * hoehe * 4)
        return {};
    return QImage(reinterpret_cast<const uchar *>(daten.data() + 8), int(breite), int(hoehe), int(breite) * 4,
                  QImage::Format_RGB32);
}
