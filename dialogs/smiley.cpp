#include "dialogs/smiley.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

void ZeichneSmiley(QPainter &p, const QRectF &rahmen)
{
    const qreal d = qMin(rahmen.width(), rahmen.height());
    const QRectF gesicht(rahmen.center().x() - d / 2, rahmen.center().y() - d / 2, d, d);
    const QColor rand(0x8a, 0x5a, 0x00);

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glanz(gesicht.center() - QPointF(d * 0.15, d * 0.18), d * 0.65);
    glanz.setColorAt(0, QColor(0xff, 0xf3, 0x7a));
    glanz.setColorAt(1, QColor(0xf5, 0xc2, 0x1b));
    p.setPen(QPen(rand, qMax(1.0, d / 18)));
    p.setBrush(glanz);
    p.drawEllipse(gesicht.adjusted(d * 0.03, d * 0.03, -d * 0.03, -d * 0.03));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3a, 0x2a, 0x10));
    const qreal augeB = d * 0.09;
    const qreal augeH = d * 0.15;
    p.drawEllipse(QRectF(gesicht.left() + d * 0.32 - augeB / 2, gesicht.top() + d * 0.28, augeB, augeH));
    p.drawEllipse(QRectF(gesicht.left() + d * 0.68 - augeB / 2, gesicht.top() + d * 0.28, augeB, augeH));

    QPainterPath mund;
    mund.moveTo(gesicht.left() + d * 0.25, gesicht.top() + d * 0.58);
    mund.cubicTo(gesicht.left() + d * 0.35, gesicht.top() + d * 0.82, gesicht.left() + d * 0.65,
                 gesicht.top() + d * 0.82, gesicht.left() + d * 0.75, gesicht.top() + d * 0.58);
    p.setPen(QPen(QColor(0x3a, 0x2a, 0x10), qMax(1.5, d / 14), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mund);
    p.restore();
}

QPixmap SmileyBild()
{
    QPixmap bild(36, 35);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    ZeichneSmiley(p, QRectF(0.5, 0, 35, 35));
    return bild;
}

QPixmap SpendenBanner()
{
    QPixmap bild(225, 57);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient grund(0, 0, 0, 57);
    grund.setColorAt(0, QColor(0xfd, 0xf8, 0xe6));
    grund.setColorAt(1, QColor(0xf3, 0xe3, 0xb0));
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x00), 2));
    p.setBrush(grund);
    p.drawRoundedRect(QRectF(1, 1, 223, 55), 6, 6);

    ZeichneSmiley(p, QRectF(12, 8, 41, 41));

    QFont schrift(QStringLiteral("Verdana"));
    schrift.setPixelSize(30);
    schrift.setBold(true);
    p.setFont(schrift);
    p.setPen(QColor(0x1f, 0x5f, 0x6b));
    p.drawText(QRectF(60, 0, 158, 57), Qt::AlignCenter, QStringLiteral("Spenden"));
    return bild;
}
