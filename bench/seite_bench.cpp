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

} // namespace
