// morvane-druck as a whole process: the sample card's sheet into a PDF, front alone and both sides in one job.
// Goal: both sides within twice the front's time, measured in the same run.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A copy of the sample card beside a back of its own: its picture turned upside down.
bool KarteMitRueckseite(const QDir &ordner)
{
    const QString quelle = QStringLiteral(MORVANE_PROGRAMM_DIR "/Morvane/Visitenkarte_85x54");
    QFile ini(quelle + QStringLiteral(".ini"));
    QFile kopie(ordner.filePath(QStringLiteral("karte.ini")));
    if (!ini.open(QIODevice::ReadOnly) || !kopie.open(QIODevice::WriteOnly))
        return false;
    kopie.write(ini.readAll() + "[Rueckseite]\r\nBild=karte hinten.bmp\r\n");
    const QImage bild(quelle + QStringLiteral(".bmp"));
    return !bild.isNull() && bild.save(ordner.filePath(QStringLiteral("karte.bmp")), "BMP")
        && bild.mirrored(true, true).save(ordner.filePath(QStringLiteral("karte hinten.bmp")), "BMP");
}

void Befehl(benchmark::State &state, const QStringList &art)
{
    QTemporaryDir ordner;
    if (!ordner.isValid() || !KarteMitRueckseite(QDir(ordner.path()))) {
        state.SkipWithError("no copy of the sample card");
        return;
    }
    const QStringList argumente = art
        + QStringList{QStringLiteral("--seite"), QStringLiteral("--pdf"), ordner.filePath(QStringLiteral("aus.pdf")),
                      ordner.filePath(QStringLiteral("karte.bmp"))};
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(MORVANE_DRUCK), argumente);
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            state.SkipWithError("morvane-druck failed");
            return;
        }
    }
}

void BM_Befehl_Seite(benchmark::State &state)
{
    Befehl(state, {});
}
BENCHMARK(BM_Befehl_Seite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Befehl_BeidseitigSeite(benchmark::State &state)
{
    Befehl(state, {QStringLiteral("--beidseitig")});
}
BENCHMARK(BM_Befehl_BeidseitigSeite)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
