// The page painter on a PDF printer: what morvane-druck does after start-up.
#include "platform/drucker.h"
#include "render/seite.h"
#include "storage/einstellungen.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>

#include <benchmark/benchmark.h>

namespace {

// The whole 5 x 13 sheet into a PDF file at 600 dpi, compressed and written.
void BM_Seite_5x13_Pdf600dpi(benchmark::State &state)
{
    QTemporaryDir ordner;
    if (!ordner.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    // The price-label template of the program folder, as the command-line measurement prints it.
    const QString vorlage = QStringLiteral(MORVANE_PROGRAMM_DIR "/Morvane/Vorlagen/Preisetikett_5x13_38x21");
    const QImage etikett(vorlage + QStringLiteral(".bmp"));
    const GeleseneMasse bogen = LiesEinstellungsdatei(vorlage + QStringLiteral(".ini"), Anfangsmasse);
    if (etikett.isNull() || !std::ranges::all_of(bogen.vorhanden, [](bool da) { return da; })) {
        state.SkipWithError("the price-label template is missing from the program folder");
        return;
    }
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ordner.filePath(QStringLiteral("seite.pdf")));
    drucker.setResolution(600);
    drucker.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    for (auto _ : state)
        DruckeAuf(drucker, BaueSeite(etikett, bogen.werte, {Druckumfang::GanzeSeite, 1, 1}, FlaecheVon(drucker)));
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
    QImage etikett(750, 450, QImage::Format_RGB32);
    // Something to compress, as a real label has: a pattern, not one colour.
    for (int y = 0; y < etikett.height(); ++y)
        for (int x = 0; x < etikett.width(); ++x)
            etikett.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, ((x ^ y) * 3) & 255));
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
