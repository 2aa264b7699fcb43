#include "render/masse.h"

#include "platform/fehler.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

int Gesaettigt(qint64 v)
{
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}

} // namespace

Platzierung Platzierungsrechteck(int dpiX, int dpiY, int offX, int offY, double xMm, double yMm, double wMm, double hMm)
{
    // In 64 bits: a label far out on a wide sheet at a printer's resolution lies beyond int.
    Platzierung p;
    p.Left = Gesaettigt(qint64(MmInPixel(dpiX, xMm)) - offX);
    p.Top = Gesaettigt(qint64(MmInPixel(dpiY, yMm)) - offY);
    p.Right = Gesaettigt(qint64(p.Left) + MmInPixel(dpiX, wMm));
    p.Bottom = Gesaettigt(qint64(p.Top) + MmInPixel(dpiY, hMm));
    return p;
}

Platzierung PlatzierungMitSeitenverhaeltnis(int dpiX, int dpiY, int offX, int offY, double xMm, double yMm,
                                            double laengeMm, bool breiteGegeben, int bildB, int bildH)
{
    const bool leer = bildB <= 0 || bildH <= 0;
    double wMm = laengeMm;
    double hMm = laengeMm;
    if (breiteGegeben)
        hMm = leer ? 0.0 : laengeMm * bildH / bildB;
    else
        wMm = leer ? 0.0 : laengeMm * bildB / bildH;
    return Platzierungsrechteck(dpiX, dpiY, offX, offY, xMm, yMm, wMm, hMm);
}

QSize Arbeitsbildgroesse(int dpiX, int dpiY)
{
    return QSize(MmInPixel(dpiX, A4::BreiteMm), MmInPixel(dpiY, A4::HoeheMm));
}

QSize PasseBildgroesseAn(int bildBreite, int bildHoehe, int boxBreite, int boxHoehe)
{
    if (bildBreite <= 0 || bildHoehe <= 0 || boxBreite <= 0 || boxHoehe <= 0)
        return QSize(boxBreite, boxHoehe);
    const float r = float(bildBreite) / float(bildHoehe);
    const long double rl = r;
    int w, h;
    if (r > 1.0f) {
        h = std::min(RundeHalbGerade(boxBreite / rl), boxHoehe);
        w = RundeHalbGerade(h * rl);
    } else {
        w = std::min(RundeHalbGerade(boxHoehe * rl), boxBreite);
        h = RundeHalbGerade(w / rl);
    }
    return QSize(w, h);
}

QRect Image1Box(int dpiX, int dpiY, double breiteMm, double hoeheMm, const QRect &bevel)
{
    // Pixels per centimetre as fixed point with four decimals; a millimetre measure
    // divided by 8 instead of 10 shows the label at 125 %.
    const int qx = RundeHalbGerade(dpiX / 2.54L * 10000);
    const int qy = RundeHalbGerade(dpiY / 2.54L * 10000);
    const int w = RundeHalbGerade(breiteMm / 8.0 * qx / 10000);
    const int h = RundeHalbGerade(hoeheMm / 8.0 * qy / 10000);

    const int boxB = w < bevel.width() ? w : bevel.width() - 4;
    const int boxH = h <= bevel.height() ? h : bevel.height() - 4;
    const int links = bevel.left() + bevel.width() / 2 - boxB / 2;
    const int oben = bevel.top() + bevel.height() / 2 - boxH / 2;
    return QRect(links, oben, boxB, boxH);
}

QImage SkaliereBild(const QImage &quelle, int breite, int hoehe)
{
    if (quelle.isNull())
        throw Fehler(QStringLiteral("Das Bild ist leer und kann nicht skaliert werden"));
    QImage ziel;
    if (breite > 0 && hoehe > 0)
        ziel = QImage(breite, hoehe, QImage::Format_RGB32);
    if (ziel.isNull())
        throw Fehler(QStringLiteral("Ein Bild von %1 x %2 Pixeln kann nicht angelegt werden").arg(breite).arg(hoehe));
    ziel.fill(Qt::white);
    QPainter p(&ziel);
    ZeichneGestreckt(p, ziel.rect(), quelle);
    return ziel;
}

void ZeichneGestreckt(QPainter &p, const QRect &ziel, const QImage &bild)
{
    ZeichneGestreckt(p, QRectF(ziel), bild);
}

QImage WeisseSeite(int dpiX, int dpiY)
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
    return seite;
}

void ZeichneGestreckt(QPainter &p, const QRectF &ziel, const QImage &bild)
{
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Otherwise the PDF that goes to the printer may hold the picture as JPEG.
    p.setRenderHint(QPainter::LosslessImageRendering, true);
    p.drawImage(ziel, bild);
    p.restore();
}
