#include "render/bogen.h"
#include "render/masse.h"
#include "storage/bilddatei.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Measures in mm: ObererRand, SeitenRand, Horizontalabstand, Etikettenhoehe, Etikettenbreite.
struct Beispiel
{
    int bildB, bildH;
    int ObererRand, SeitenRand, Horizontalabstand, Etikettenhoehe, Etikettenbreite;
    int n, anzahlInSpalte;
};

// 38 x 21 mm labels, 5 x 13 on the sheet.
const Beispiel Klein{179, 99, 11, 9, 38, 21, 38, 5, 13};
// The sample business card, 2 x 5.
const Beispiel Karte{401, 255, 14, 15, 95, 54, 85, 2, 5};
// Absurd measures the editors allow: a 200 x 50 mm picture on a label 10000 mm wide with a pitch of 1 mm, so
// the labels of a row follow each other at 0 pixels, 10000 of them in each of 10000 rows.
const Beispiel Nullschritt{945, 236, 10, 15, 1, 50, 10000, 10000, 10000};
// The same picture on a 200 mm label with a pitch of 1 mm: 5 pixels from label to label.
const Beispiel Fuenfpixelschritt{945, 236, 10, 15, 1, 50, 200, 10000, 10000};

QImage Bild(const Beispiel &b)
{
    QImage bild(b.bildB, b.bildH, QImage::Format_RGB32);
    bild.fill(qRgb(30, 90, 160));
    return bild;
}

Bogenangaben Angaben(const Beispiel &b, const QImage &bild)
{
    const Pixelmasse m = BerechnePixelmasse(bild.size(),
                                            Bogenmasse{.ObererRand = b.ObererRand,
                                                       .SeitenRand = b.SeitenRand,
                                                       .Horizontalabstand = b.Horizontalabstand,
                                                       .Etikettenhoehe = b.Etikettenhoehe,
                                                       .Etikettenbreite = b.Etikettenbreite});
    return Bogenangaben{bild.width(),  bild.height(), m.ObererRandPixel, m.SeitenRandPixel,
                        m.LueckePixel, b.n,           b.anzahlInSpalte,  1,
                        false};
}

void Bogen(benchmark::State &state, const Beispiel &b)
{
    const QImage bild = Bild(b);
    for (auto _ : state) {
        QImage bogen = ErzeugeEtikettenbogen(bild, Angaben(b, bild));
        benchmark::DoNotOptimize(bogen.constBits());
    }
}

void BM_Etikettenbogen_5x13(benchmark::State &state)
{
    Bogen(state, Klein);
}
BENCHMARK(BM_Etikettenbogen_5x13)->Unit(benchmark::kMillisecond);

void BM_Etikettenbogen_Visitenkarte_2x5(benchmark::State &state)
{
    Bogen(state, Karte);
}
BENCHMARK(BM_Etikettenbogen_Visitenkarte_2x5)->Unit(benchmark::kMillisecond);

void BM_Etikettenbogen_Nullschritt_10000x10000(benchmark::State &state)
{
    Bogen(state, Nullschritt);
}
BENCHMARK(BM_Etikettenbogen_Nullschritt_10000x10000)->Unit(benchmark::kMillisecond);

void BM_Etikettenbogen_Fuenfpixelschritt_10000x10000(benchmark::State &state)
{
    Bogen(state, Fuenfpixelschritt);
}
BENCHMARK(BM_Etikettenbogen_Fuenfpixelschritt_10000x10000)->Unit(benchmark::kMillisecond);

void BM_Einzelvorschau_96dpi(benchmark::State &state)
{
    const QImage bild = Bild(Karte);
    for (auto _ : state) {
        QImage seite = Einzelvorschau(bild, 96, 96, {15, 14, 85, 54});
        benchmark::DoNotOptimize(seite.constBits());
    }
}
BENCHMARK(BM_Einzelvorschau_96dpi)->Unit(benchmark::kMillisecond);

// What the whole-sheet preview does every time: read the file, compose, squeeze into the view.
void BM_Bogenvorschau_ausDatei(benchmark::State &state)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("Visitenkarte_85x54.bmp"));
    // A label saved long ago, as the preview finds it: a file changed a moment ago is read only once it stood still.
    QFile datei(pfad);
    if (!ordner.isValid() || !Bild(Karte).save(pfad, "BMP") || !datei.open(QIODevice::ReadWrite)
        || !datei.setFileTime(QDateTime::currentDateTimeUtc().addDays(-1), QFileDevice::FileModificationTime)) {
        state.SkipWithError("cannot write the picture");
        return;
    }
    for (auto _ : state) {
        const QImage bild = LeseBild(pfad);
        const QImage bogen = ErzeugeEtikettenbogen(bild, Angaben(Karte, bild));
        QImage vorschau = SkaliereBild(bogen, 264, 482);
        benchmark::DoNotOptimize(vorschau.constBits());
    }
}
BENCHMARK(BM_Bogenvorschau_ausDatei)->Unit(benchmark::kMillisecond);

} // namespace
