#include "render/textsatz.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

// Lengths of TextsatzDpi below this apart count as equal: a line that fits exactly is not refused for a rounding.
constexpr double Toleranz = 1e-6;

// The device text is measured on.
const QImage &Messflaeche()
{
    static const QImage flaeche = [] {
        QImage bild(1, 1, QImage::Format_RGB32);
        const int jeMeter = qRound(TextsatzDpi / 0.0254);
        bild.setDotsPerMeterX(jeMeter);
        bild.setDotsPerMeterY(jeMeter);
        return bild;
    }();
    return flaeche;
}

double Referenzpixel(qint64 hundertstelMm)
{
    return double(hundertstelMm) / 100.0 / 25.4 * TextsatzDpi;
}

// The text's font at `groesse` for a device that sets fonts at `dpi`: as many of its pixels high as the size has at
// TextsatzDpi, so that under a scale to the device it has its size there. Unhinted, so that its measures scale with it.
QFont Schrift(const Textfeld &text, int groesse, int dpi)
{
    QFont schrift(text.Schrift);
    schrift.setBold(text.Fett);
    schrift.setHintingPreference(QFont::PreferNoHinting);
    schrift.setPointSizeF(groesse / 100.0 * TextsatzDpi / dpi);
    return schrift;
}

QFontMetricsF Messung(const Textfeld &text, int groesse)
{
    return QFontMetricsF(Schrift(text, groesse, Messflaeche().logicalDpiY()), &Messflaeche());
}

double Breite(const QFontMetricsF &m, const QStringList &zeilen)
{
    double breite = 0;
    for (const QString &zeile : zeilen)
        breite = std::max(breite, m.horizontalAdvance(zeile));
    return breite;
}

double Hoehe(const QFontMetricsF &m, const QStringList &zeilen)
{
    return zeilen.isEmpty() ? 0.0 : double(zeilen.size() - 1) * m.lineSpacing() + m.height();
}

bool Passt(const Textfeld &text, const QStringList &zeilen, int groesse, double breite, double hoehe)
{
    const QFontMetricsF m = Messung(text, groesse);
    return Breite(m, zeilen) <= breite + Toleranz && Hoehe(m, zeilen) <= hoehe + Toleranz;
}

} // namespace

std::optional<int> PassendeSchriftgroesse(const Textfeld &text, const QStringList &zeilen, qint64 breite, qint64 hoehe)
{
    const double b = Referenzpixel(breite);
    const double h = Referenzpixel(hoehe);
    if (zeilen.isEmpty() || Passt(text, zeilen, text.Groesse, b, h))
        return text.Groesse;
    if (text.Groesse <= KleinsteSchrift || !Passt(text, zeilen, KleinsteSchrift, b, h))
        return std::nullopt;
    // The largest tenth of a point that fits, below Groesse: the lines grow with their size.
    int passt = KleinsteSchrift / 10;
    int zuGross = (text.Groesse + 9) / 10;
    while (zuGross - passt > 1) {
        const int mitte = (passt + zuGross) / 2;
        (Passt(text, zeilen, mitte * 10, b, h) ? passt : zuGross) = mitte;
    }
    return passt * 10;
}

void ZeichneText(QPainter &maler, const Textfeld &text, const QStringList &zeilen, int groesse, const QRectF &etikett,
                 double jeMmX, double jeMmY)
{
    if (zeilen.isEmpty() || jeMmX <= 0 || jeMmY <= 0)
        return;
    const Etikettfeld feld =
        FeldAufEtikett(text.Feld, qRound64(etikett.width() / jeMmX * 100), qRound64(etikett.height() / jeMmY * 100));
    const QRectF ziel(Referenzpixel(feld.x), Referenzpixel(feld.y), Referenzpixel(feld.breite),
                      Referenzpixel(feld.hoehe));
    // Laid out at the measuring resolution, whatever the device.
    const QFontMetricsF m = Messung(text, groesse);
    const double block = Hoehe(m, zeilen);
    double oben = ziel.top();
    if (text.Senkrecht == Lotrecht::Mitte)
        oben += (ziel.height() - block) / 2;
    else if (text.Senkrecht == Lotrecht::Unten)
        oben += ziel.height() - block;

    maler.save();
    maler.translate(etikett.topLeft());
    maler.scale(jeMmX * 25.4 / TextsatzDpi, jeMmY * 25.4 / TextsatzDpi);
    maler.setFont(Schrift(text, groesse, maler.device() ? maler.device()->logicalDpiY() : TextsatzDpi));
    maler.setPen(QColor::fromRgb(QRgb(0xFF000000u | text.Farbe.value_or(0))));
    for (qsizetype i = 0; i < zeilen.size(); ++i) {
        const double breite = m.horizontalAdvance(zeilen[i]);
        double x = ziel.left();
        if (text.Ausrichtung == Waagrecht::Mitte)
            x += (ziel.width() - breite) / 2;
        else if (text.Ausrichtung == Waagrecht::Rechts)
            x += ziel.width() - breite;
        maler.drawText(QPointF(x, oben + m.ascent() + double(i) * m.lineSpacing()), zeilen[i]);
    }
    maler.restore();
}
