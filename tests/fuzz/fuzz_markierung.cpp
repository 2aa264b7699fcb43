// The position marker on layout pictures: the drawn ones with pixels changed, and pictures made of the marker's
// colours, in several pixel formats, at any position, after any earlier mark. A cell it marks lies inside the
// picture, right of the first grid column, and is filled with the colour everywhere but on its black lines; no
// pixel outside that cell and the cell marked before changes, black never changes, and the earlier cell keeps no
// pixel of the colour.
#include "gemeinsam.h"
#include "layout/infobild.h"
#include "blatt/bogenmasse.h"
#include "layout/markierung.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

namespace {

constexpr QRgb Blau = qRgb(0, 0, 255);

bool Gleich(QRgb a, QRgb b)
{
    return (a & 0x00FFFFFF) == (b & 0x00FFFFFF);
}

bool Innen(const Zelle &z, int x, int y)
{
    return x >= z.Left && x <= z.Right && y >= z.Top && y <= z.Bottom;
}

bool Gleich(const Zelle &a, const Zelle &b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

const std::vector<QImage> &Gezeichnete()
{
    static const std::vector<QImage> bilder = [] {
        std::vector<QImage> v;
        for (const auto &[x, y] : InfobildLayouts())
            v.push_back(ZeichneInfobild(x, y));
        v.push_back(ZeichneKeinBild());
        return v;
    }();
    return bilder;
}

QRgb Farbe(FuzzedDataProvider &eingabe)
{
    const QRgb farben[] = {Marke::Weiss, Marke::Schwarz, Marke::Grau, Marke::Silber, Blau};
    const std::size_t i = eingabe.ConsumeIntegralInRange<std::size_t>(0, std::size(farben));
    return i < std::size(farben) ? farben[i] : eingabe.ConsumeIntegral<QRgb>();
}

QImage Bild(FuzzedDataProvider &eingabe)
{
    const std::size_t wahl = eingabe.ConsumeIntegralInRange<std::size_t>(0, Gezeichnete().size());
    QImage bild;
    if (wahl < Gezeichnete().size()) {
        bild = Gezeichnete()[wahl].convertToFormat(QImage::Format_ARGB32);
    } else {
        bild = QImage(eingabe.ConsumeIntegralInRange(1, 200), eingabe.ConsumeIntegralInRange(1, 200),
                      QImage::Format_ARGB32);
        bild.fill(Marke::Weiss);
    }
    // Lines and single pixels of the marker's colours.
    const int aenderungen = eingabe.ConsumeIntegralInRange(0, 40);
    for (int i = 0; i < aenderungen; ++i) {
        const int x = eingabe.ConsumeIntegralInRange(0, bild.width() - 1);
        const int y = eingabe.ConsumeIntegralInRange(0, bild.height() - 1);
        const int laenge = eingabe.ConsumeIntegralInRange(1, 150);
        const bool waagerecht = eingabe.ConsumeBool();
        const QRgb farbe = Farbe(eingabe);
        for (int k = 0; k < laenge; ++k) {
            const int px = waagerecht ? x + k : x;
            const int py = waagerecht ? y : y + k;
            if (bild.valid(px, py))
                bild.setPixel(px, py, farbe);
        }
    }
    const QImage::Format formate[] = {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                      QImage::Format_RGB888, QImage::Format_Indexed8};
    return bild.convertToFormat(formate[eingabe.ConsumeIntegralInRange<std::size_t>(0, std::size(formate) - 1)]);
}

void Markiere(QImage &bild, QRgb farbe, int spalte, int zeile, Zelle &zelle)
{
    // The marker works on 32-bit pixels; it converts any other picture to RGB32 first.
    const bool zweiunddreissig = bild.format() == QImage::Format_RGB32 || bild.format() == QImage::Format_ARGB32;
    const QImage vorher = zweiunddreissig ? bild.copy() : bild.convertToFormat(QImage::Format_RGB32);
    const Zelle alt = zelle;

    ZeigeEtikettenPosition(bild, farbe, spalte, zeile, zelle);

    PRUEFE(bild.size() == vorher.size() && bild.format() == vorher.format());
    const bool neu = !Gleich(zelle, alt);
    if (neu) {
        PRUEFE(zelle.Left >= Marke::ErsteGitterSpalte && zelle.Left < zelle.Right && zelle.Right < bild.width());
        PRUEFE(zelle.Top >= 0 && zelle.Top < zelle.Bottom && zelle.Bottom < bild.height());
    }
    for (int y = 0; y < bild.height(); ++y) {
        for (int x = 0; x < bild.width(); ++x) {
            const QRgb a = vorher.pixel(x, y);
            const QRgb b = bild.pixel(x, y);
            if (Gleich(a, Marke::Schwarz)) {
                PRUEFE(Gleich(b, Marke::Schwarz));
            } else if (neu && Innen(zelle, x, y)) {
                PRUEFE(Gleich(b, farbe));
            } else if (alt.Left > 0 && Innen(alt, x, y) && !Innen(zelle, x, y)) {
                // The earlier mark is taken away: its pixels of this colour turn white, nothing else changes.
                PRUEFE(b == a || (Gleich(a, farbe) && b == qRgb(255, 255, 255)));
                PRUEFE(!Gleich(b, farbe) || farbe == Marke::Weiss);
            } else if (!Innen(zelle, x, y)) {
                PRUEFE(b == a);
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t laenge)
{
    FuzzedDataProvider eingabe(daten, laenge);
    QImage bild = Bild(eingabe);
    Zelle zelle;
    if (eingabe.ConsumeBool()) {
        // A cell left from an earlier picture, wherever it was.
        zelle.Left = eingabe.ConsumeIntegralInRange(-5, 300);
        zelle.Top = eingabe.ConsumeIntegralInRange(-5, 300);
        zelle.Right = eingabe.ConsumeIntegralInRange(-5, 300);
        zelle.Bottom = eingabe.ConsumeIntegralInRange(-5, 300);
    }
    // The window marks blue and clears with white, at positions its editors allow.
    const int schritte = eingabe.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < schritte; ++i) {
        const QRgb farbe = eingabe.ConsumeBool() ? Blau : Marke::Weiss;
        const int spalte = eingabe.ConsumeIntegralInRange(1, MassMaximum);
        const int zeile = eingabe.ConsumeIntegralInRange(1, MassMaximum);
        Markiere(bild, farbe, spalte, zeile, zelle);
    }
    return 0;
}
