#include "render/bogen.h"

#include "platform/fehler.h"
#include "render/masse.h"

#include <QFile>
#include <QPainter>

Bogenangaben BogenangabenFuer(QSize bildgroesse, const Bogenmasse &m, bool nurZeile, int zeile)
{
    const Pixelmasse p = BerechnePixelmasse(bildgroesse, m);
    return {bildgroesse.width(),
            bildgroesse.height(),
            p.ObererRandPixel,
            p.SeitenRandPixel,
            p.LueckePixel,
            m.AnzahlEtikettenInZeile,
            m.AnzahlEtikettenInSpalte,
            zeile,
            nurZeile};
}

QImage ErzeugeEtikettenbogen(const QImage &bild, const Bogenangaben &a, int breite, int hoehe)
{
    if (bild.isNull() || breite <= 0 || hoehe <= 0)
        return QImage();
    QImage bogen(breite, hoehe, QImage::Format_RGB32);
    if (bogen.isNull())
        return QImage();
    bogen.fill(Qt::white);

    // Converted once, so that every label is a plain copy of pixels.
    const QImage etikett =
        bild.convertToFormat(bild.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    QPainter p(&bogen);

    // 64-bit cursor: counts and margins from a settings file may be large.
    const qint64 W = etikett.width();
    const qint64 H = etikett.height();
    const qint64 top = a.top;
    const qint64 left = a.left;
    const qint64 schritt = W + a.gap;
    qint64 x = left;
    qint64 y = top;

    const int zeilen = a.zeilenModus ? a.zeile : a.anzahlInSpalte;
    for (int i = 0; i < zeilen; ++i) {
        // In row mode the other rows neither draw nor move the cursor.
        if (a.zeilenModus && i != a.zeile - 1)
            continue;
        // From row 2 on every label lies at the same height, below the raster once there.
        if (i >= 2 && top + i * (H + 1) >= hoehe)
            break;
        for (int k = 0; k < a.n; ++k) {
            if (!a.zeilenModus && a.n == 1 && i >= 1)
                x = left;
            qint64 py;
            if (i == 0) {
                py = y;
            } else if (i == 1) {
                py = top + H + 1;
            } else {
                y = top + i * H;
                py = y + i;
            }
            if (x < breite && py < hoehe && x + W > 0 && py + H > 0)
                p.drawImage(QPoint(int(x), int(py)), etikett);
            x += schritt;
            if (x + schritt > breite) {
                x = left;
                y += (i == 0) ? top + H : H;
            }
        }
    }
    return bogen;
}

QImage Einzelvorschau(const QImage &bild, int dpiX, int dpiY, const MmRechteck &ort)
{
    const QSize groesse = Arbeitsbildgroesse(dpiX, dpiY);
    QImage seite;
    if (!groesse.isEmpty())
        seite = QImage(groesse, QImage::Format_RGB32);
    if (seite.isNull())
        throw Fehler(QStringLiteral("Ein Bild von %1 x %2 Pixeln kann nicht angelegt werden")
                         .arg(groesse.width())
                         .arg(groesse.height()));
    seite.fill(Qt::white);
    if (!bild.isNull()) {
        QPainter p(&seite);
        ZeichneGestreckt(p, Rechteck(Platzierungsrechteck(dpiX, dpiY, 0, 0, ort.x, ort.y, ort.breite, ort.hoehe)),
                         bild);
    }
    return seite;
}

QImage LeseBild(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        throw DateiNichtZuOeffnen(pfad);
    // Decoded from the bytes, so the content decides the format, not the file name.
    return QImage::fromData(datei.readAll());
}
