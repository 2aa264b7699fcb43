// The window's preview and refresh, driven as the user drives them, on a 5 x 13 sheet.
#include "app/formetikette.h"
#include "app/updown.h"
#include "layout/infobild.h"
#include "platform/dialogdienst.h"
#include "storage/etikettenboegen.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

class StilleDialoge : public DialogDienst
{
public:
    int gezeigt = 0;
    void information(const QString &) override { ++gezeigt; }
    bool frage(const QString &) override { return false; }
    bool druckFrage(const QString &) override { return false; }
    bool randFrage(const QString &) override { return false; }
    void meldung(const QString &) override { ++gezeigt; }
    void fehler(const QString &) override { ++gezeigt; }
    std::optional<QString> dateiOeffnen(const QString &, const QString &) override { return datei; }
    std::optional<QString> datei;
    std::optional<QString> eingabe(const QString &) override { return std::nullopt; }
    bool druckDialog(QPrinter &) override { return false; }
    std::optional<Etikettenbogen> etikettenbogen(const QList<Etikettenbogen> &) override { return std::nullopt; }
    std::optional<QString> bildOeffnen(const QString &, const QStringList &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<Einpassung> bildEinpassung(const Bildwahl &) override { return std::nullopt; }
};

class OhneSchale : public Schale
{
public:
    bool malprogrammStarten(const QString &) override { return false; }
    bool oeffnen(const QString &) override { return false; }
};

// A program folder with a 38 x 21 mm label for a 5 x 13 sheet and the window started on it.
struct Fenster5x13
{
    QTemporaryDir ordner;
    StilleDialoge dialoge;
    OhneSchale schale;
    std::unique_ptr<TFormEtikette> form;

    Fenster5x13()
    {
        const QString wurzel = ordner.path() + QStringLiteral("/");
        QDir().mkpath(wurzel + QStringLiteral("Morvane/Druckposition Infos"));
        for (const auto &[x, y] : InfobildLayouts())
            ZeichneInfobild(x, y).save(wurzel + QStringLiteral("Morvane/Druckposition Infos/") + InfobildDatei(x, y),
                                       "BMP");
        ZeichneKeinBild().save(wurzel + QStringLiteral("Morvane/Druckposition Infos/Kein Bild.bmp"), "BMP");
        QImage bild(179, 99, QImage::Format_RGB32);
        bild.fill(qRgb(30, 90, 160));
        const QString etikett = wurzel + QStringLiteral("Morvane/Preis.bmp");
        bild.save(etikett, "BMP");
        QFile ini(wurzel + QStringLiteral("Morvane/Preis.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write(
            "[Einstellung]\r\nObererRand=11\r\nSeitenRand=9\r\nVertikalabstand=21\r\nHorizontalabstand=38\r\n"
            "Etikettenhoehe=21\r\nEtikettenbreite=38\r\nAnzahlEtikettenInZeile=5\r\nAnzahlEtikettenInSpalte=13\r\n");
        ini.close();

        qputenv("XDG_CONFIG_HOME", (ordner.path() + QStringLiteral("/config")).toUtf8());
        const QString alterOrdner = QDir::currentPath();
        QDir::setCurrent(wurzel);
        form = std::make_unique<TFormEtikette>(Umgebung{dialoge, schale, [] { return Aufloesung{96, 96}; }, 1, {}});
        QDir::setCurrent(alterOrdner);
        dialoge.datei = etikett;
        form->Oeffnen1Click();
    }
};

void BM_Vorschau_Einzeletikett(benchmark::State &state)
{
    Fenster5x13 f;
    f.form->NurEineDruckenCheckBox->setChecked(true);
    for (auto _ : state)
        f.form->MachVorschau();
}
BENCHMARK(BM_Vorschau_Einzeletikett)->Unit(benchmark::kMillisecond);

void BM_Vorschau_GanzeSeite(benchmark::State &state)
{
    Fenster5x13 f;
    f.form->NurEineDruckenCheckBox->setChecked(false);
    for (auto _ : state)
        f.form->MachVorschau();
}
BENCHMARK(BM_Vorschau_GanzeSeite)->Unit(benchmark::kMillisecond);

// A click on the count editor and the refresh it schedules: layout picture, fit check, preview.
void BM_Neuaufbau_nachAnzahlAenderung(benchmark::State &state)
{
    Fenster5x13 f;
    f.form->NurEineDruckenCheckBox->setChecked(false);
    f.form->AktiviereEinstellungen();
    bool runter = true;
    for (auto _ : state) {
        f.form->UpDownAnzEtikettenInZeile->setPosition(runter ? 4 : 5);
        f.form->UpDownAnzEtikettenInZeileClick();
        for (int tick = 0; tick < 3; ++tick)
            f.form->VerzoegerungsTimerTimer();
        runter = !runter;
    }
    if (f.dialoge.gezeigt != 0)
        state.SkipWithError("the refresh showed a message");
}
BENCHMARK(BM_Neuaufbau_nachAnzahlAenderung)->Unit(benchmark::kMillisecond);

} // namespace
