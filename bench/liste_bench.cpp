// morvane-druck as a whole process: 1,000 address records with a QR code each on the 3 x 7 address template (48
// pages) into a PDF, against one page of the same label without a list. Goal: within 15 times the one page, measured
// in the same run.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QString Vorlage = QStringLiteral(MORVANE_PROGRAMM_DIR "/Morvane/Vorlagen/Adressetikett_3x7_63,5x38,1");

// The template as it is, and a copy that carries the address lines and a code, with its list of 1,000 records.
bool Adressen(const QDir &ordner)
{
    QFile ini(Vorlage + QStringLiteral(".ini"));
    QFile kopie(ordner.filePath(QStringLiteral("adressen.ini")));
    QFile liste(ordner.filePath(QStringLiteral("adressen.csv")));
    if (!ini.open(QIODevice::ReadOnly) || !kopie.open(QIODevice::WriteOnly) || !liste.open(QIODevice::WriteOnly))
        return false;
    kopie.write(ini.readAll()
                + "[Text]\r\nZeile1={Vorname} {Name}\r\nZeile2={Straße}\r\nZeile3={PLZ} {Ort}\r\nFeld=4,4,38,30.1\r\n"
                  "[Code]\r\nArt=QR\r\nInhalt={Web}\r\nFeld=45,11,15,15\r\n");
    liste.write("Vorname;Name;Straße;PLZ;Ort;Web\r\n");
    for (int i = 1; i <= 1000; ++i)
        liste.write(QStringLiteral("Jörg %1;Müller-Lüdenscheidt;Hauptstraße %1;%2;Köln;https://example.org/%1\r\n")
                        .arg(i)
                        .arg(50000 + i)
                        .toUtf8());
    // Dated back: a picture written a moment ago is read only once it stood still for a second, which is not what
    // this measures.
    QFile bild(ordner.filePath(QStringLiteral("adressen.bmp")));
    return QFile::copy(Vorlage + QStringLiteral(".bmp"), bild.fileName()) && bild.open(QIODevice::ReadWrite)
        && bild.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
}

void Befehl(benchmark::State &state, bool mitListe)
{
    QTemporaryDir ordner;
    if (!ordner.isValid() || !Adressen(QDir(ordner.path()))) {
        state.SkipWithError("no copy of the address template");
        return;
    }
    const QString pdf = ordner.filePath(QStringLiteral("aus.pdf"));
    const QStringList argumente = mitListe
        ? QStringList{QStringLiteral("--liste"), ordner.filePath(QStringLiteral("adressen.csv")),
                      QStringLiteral("--pdf"), pdf, ordner.filePath(QStringLiteral("adressen.bmp"))}
        : QStringList{QStringLiteral("--seite"), QStringLiteral("--pdf"), pdf, Vorlage + QStringLiteral(".bmp")};
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(MORVANE_DRUCK), argumente);
        if (!p.waitForFinished(300000) || p.exitCode() != 0) {
            state.SkipWithError("morvane-druck failed");
            return;
        }
    }
}

void BM_Liste_EineSeiteOhneListe(benchmark::State &state)
{
    Befehl(state, false);
}
BENCHMARK(BM_Liste_EineSeiteOhneListe)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Liste_TausendAdressen(benchmark::State &state)
{
    Befehl(state, true);
}
BENCHMARK(BM_Liste_TausendAdressen)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
