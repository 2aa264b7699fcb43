// The page painter on a PDF printer: what morvane-druck does after start-up.
#include "drucken/drucker.h"
#include "render/seite.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>


#include <benchmark/benchmark.h>

namespace {

// A picture with something to compress, as a real label has: a pattern, not one colour.
QImage Muster(int breite, int hoehe)
{
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            bild.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, ((x ^ y) * 3) & 255));
    return bild;
}

// An ordinary 5 x 13 sheet of 38 x 21 mm price labels with a 180 x 99 picture: the
// whole sheet composed on the 120 dpi raster, into a PDF file at 600 dpi, compressed and written.
void BM_Seite_5x13_Pdf600dpi(benchmark::State &state)
{
    QTemporaryDir ordner;
    if (!ordner.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const QImage etikett = Muster(180, 99);
    const Bogenmasse bogen{11, 10, 21, 38, 21, 38, 5, 13, {}};
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ordner.filePath(QStringLiteral("seite.pdf")));
    drucker.setResolution(600);
    drucker.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    for (auto _ : state)
        DruckeAuf(drucker, BaueSeite(etikett, bogen, {Druckumfang::GanzeSeite, 1, 1}, FlaecheVon(drucker)));
}
BENCHMARK(BM_Seite_5x13_Pdf600dpi)->Unit(benchmark::kMillisecond);

// A precise 3 x 7 stock (63.5 x 38.1 mm) with a 750 x 450 picture, its whole sheet placed in millimetres into a
// PDF file at 600 dpi: no raster, the picture drawn 21 times and stored once. Goal: within 1.5 x the time above.
void BM_Seite_genau_3x7_Pdf600dpi(benchmark::State &state)
{
    QTemporaryDir ordner;
    if (!ordner.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const QImage etikett = Muster(750, 450);
    const Bogenmasse bogen =
        MitGenauenLaengen(Bogenmasse{16, 7, 38, 67, 38, 64, 3, 7, {}}, {1550, 675, 3810, 6650, 3810, 6350});
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ordner.filePath(QStringLiteral("genau.pdf")));
    drucker.setResolution(600);
    drucker.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    for (auto _ : state)
        DruckeAuf(drucker, BaueSeite(etikett, bogen, {Druckumfang::GanzeSeite, 1, 1}, FlaecheVon(drucker)));
}
BENCHMARK(BM_Seite_genau_3x7_Pdf600dpi)->Unit(benchmark::kMillisecond);

} // namespace
