// The printer correction on any store of its own and any printer name. Whatever the store holds, reading gives no
// correction or a usable one. A usable correction stored for a printer reads back as stored and leaves other
// printers' entries alone; an unusable one or an empty name is refused with the store untouched.
#include "gemeinsam.h"
#include "platform/fehler.h"
#include "storage/druckerausrichtung.h"
#include "storage/speicher.h"

#include <QDateTime>
#include <QFile>

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

namespace {

void SchreibeSpeicher(const QByteArray &inhalt)
{
    QFile datei(KorrekturOrt());
    PRUEFE(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
    PRUEFE(datei.write(inhalt) == inhalt.size());
    // The store's reader keeps what it read while size and time stay the same; every input gets a time of its own.
    static qint64 sekunde = 1'000'000'000;
    PRUEFE(datei.setFileTime(QDateTime::fromSecsSinceEpoch(++sekunde), QFileDevice::FileModificationTime));
}

QByteArray Speicherinhalt()
{
    QFile datei(KorrekturOrt());
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

QString Name(FuzzedDataProvider &eingabe)
{
    return QString::fromStdString(eingabe.ConsumeRandomLengthString(40));
}

double Wert(FuzzedDataProvider &eingabe, double von, double bis)
{
    switch (eingabe.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return std::nan("");
    case 1:
        return eingabe.ConsumeBool() ? INFINITY : -INFINITY;
    case 2:
        return eingabe.ConsumeFloatingPoint<double>();
    default:
        return eingabe.ConsumeFloatingPointInRange(von, bis);
    }
}

bool Ungefaehr(const Druckerkorrektur &a, const Druckerkorrektur &b)
{
    // Stored as text with twelve significant digits.
    auto nah = [](double x, double y) { return std::abs(x - y) <= 1e-11 * std::max(1.0, std::abs(x)); };
    return nah(a.versatzXMm, b.versatzXMm) && nah(a.versatzYMm, b.versatzYMm) && nah(a.massstabX, b.massstabX)
        && nah(a.massstabY, b.massstabY);
}

bool Brauchbar(const Druckerkorrektur &k)
{
    return k == Druckerkorrektur{} || IstBrauchbar(k);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t laenge)
{
    FuzzedDataProvider eingabe(daten, laenge);
    const QString drucker = Name(eingabe);
    const QString anderer = Name(eingabe);
    Druckerkorrektur k;
    k.versatzXMm = Wert(eingabe, -25.0, 25.0);
    k.versatzYMm = Wert(eingabe, -25.0, 25.0);
    k.massstabX = Wert(eingabe, 0.85, 1.15);
    k.massstabY = Wert(eingabe, 0.85, 1.15);
    const bool ohneSpeicher = eingabe.ConsumeBool();
    const QByteArray inhalt = QByteArray::fromStdString(eingabe.ConsumeRemainingBytesAsString());

    if (ohneSpeicher)
        QFile::remove(KorrekturOrt());
    else
        SchreibeSpeicher(inhalt);
    const Druckerkorrektur gelesen = LiesDruckerkorrektur(drucker);
    PRUEFE(Brauchbar(gelesen));
    if (drucker.isEmpty())
        PRUEFE(gelesen == Druckerkorrektur{});
    const Druckerkorrektur andere = LiesDruckerkorrektur(anderer);
    PRUEFE(Brauchbar(andere));

    const QByteArray vorher = Speicherinhalt();
    try {
        SchreibDruckerkorrektur(drucker, k);
    } catch (const Fehler &) {
        PRUEFE(drucker.isEmpty() || !IstBrauchbar(k));
        PRUEFE(Speicherinhalt() == vorher);
        return 0;
    }
    PRUEFE(!drucker.isEmpty() && IstBrauchbar(k));
    PRUEFE(Ungefaehr(LiesDruckerkorrektur(drucker), k));
    if (anderer != drucker)
        PRUEFE(LiesDruckerkorrektur(anderer) == andere);
    return 0;
}
