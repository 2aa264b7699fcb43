#include "render/bildeinpassung.h"
#include "storage/bilddatei.h"
#include "storage/etikettdateien.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

// A picture exported at 600 dpi for the sample card, 85 x 54 mm, with content that a PNG cannot pack to nothing.
QImage Kartenbild()
{
    QImage bild(2008, 1276, QImage::Format_RGB32);
    for (int y = 0; y < bild.height(); ++y) {
        auto *zeile = reinterpret_cast<QRgb *>(bild.scanLine(y));
        for (int x = 0; x < bild.width(); ++x)
            zeile[x] = qRgb((x * 7 + y) % 256, (y * 3) % 256, ((x ^ y) * 5) % 256);
    }
    return bild;
}

const QByteArray KartenEinstellungen = "[Einstellung]\r\nObererRand=14\r\nSeitenRand=15\r\nVertikalabstand=54\r\n"
                                       "Horizontalabstand=95\r\nEtikettenhoehe=54\r\nEtikettenbreite=85\r\n"
                                       "AnzahlEtikettenInZeile=2\r\nAnzahlEtikettenInSpalte=5\r\n";

void Schreibe(const QString &pfad, const QByteArray &inhalt)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate) || datei.write(inhalt) != inhalt.size())
        throw std::runtime_error("Datei nicht geschrieben");
}

} // namespace

// "Bild übernehmen..." on the sample card without its dialogs: the PNG read and decoded, placed and drawn at
// 600 dpi, the 24-bit bitmap and the precise settings file written as drafts, checked and moved into place, the
// previous picture kept beside them.
void BM_BildUebernehmen_2008x1276(benchmark::State &state)
{
    QTemporaryDir ordner;
    const QString png = ordner.filePath(QStringLiteral("karte.png"));
    const QString karte = ordner.filePath(QStringLiteral("Visitenkarte_85x54.bmp"));
    Kartenbild().save(png, "PNG");
    QImage alt(401, 255, QImage::Format_RGB32);
    alt.fill(Qt::white);
    QByteArray altesBild;
    {
        alt.save(karte, "BMP");
        QFile f(karte);
        f.open(QIODevice::ReadOnly);
        altesBild = f.readAll();
    }
    // A picture saved a moment ago is read once it stood still; one left alone reads at once.
    QThread::msleep(100);
    const Bogenmasse m{14, 15, 54, 95, 54, 85, 2, 5};
    for (auto _ : state) {
        state.PauseTiming();
        Schreibe(karte, altesBild);
        Schreibe(ordner.filePath(QStringLiteral("Visitenkarte_85x54.ini")), KartenEinstellungen);
        for (const QString &vorher : QDir(ordner.path()).entryList({QStringLiteral("* vorher*")}))
            QFile::remove(ordner.filePath(vorher));
        state.ResumeTiming();

        const Fremdbild bild = LiesFremdbild(png);
        const QImage etikett = EtikettAusBild(bild, m, Einpassung::Strecken);
        SchreibeEtikett(karte, etikett, {MitGenauenLaengen(m, GenaueLaengen(m), true)}, FreieAufbewahrung(karte));
        benchmark::DoNotOptimize(etikett.constBits());
    }
}
BENCHMARK(BM_BildUebernehmen_2008x1276)->Unit(benchmark::kMillisecond);
