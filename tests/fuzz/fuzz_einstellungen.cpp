// The profile-file reader and the settings file on any bytes. A value is one line's text, at most 254 characters;
// other sections before and after change nothing; the measures read lie in their editors' ranges, a key without
// a value keeps the measure it had, and reading stops at the first value that is no number. Whatever was read, and
// any measures in range, are written as the nine lines the program writes and read back equal; a precise label's
// exact lengths follow in [Genau], agree with the nine lines, and come back the same.
#include "gemeinsam.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "storage/profildatei.h"

#include <QFile>
#include <QRegularExpression>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

namespace {

QString Pfad(const char *name)
{
    return Arbeitsordner() + QLatin1Char('/') + QLatin1String(name);
}

void Schreibe(const QString &pfad, const QByteArray &inhalt)
{
    QFile datei(pfad);
    PRUEFE(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
    PRUEFE(datei.write(inhalt) == inhalt.size());
}

QByteArray Lies(const QString &pfad)
{
    QFile datei(pfad);
    PRUEFE(datei.open(QIODevice::ReadOnly));
    return datei.readAll();
}

Bogenmasse ImBereich(FuzzedDataProvider &eingabe)
{
    Bogenmasse m;
    for (const Massangabe &a : Massangaben)
        m.*a.feld = eingabe.ConsumeIntegralInRange(a.minimum, MassMaximum);
    if (!eingabe.ConsumeBool())
        return m;
    Laengen genau{};
    for (std::size_t i = 0; i < AnzahlLaengen; ++i)
        genau[i] = eingabe.ConsumeIntegralInRange(Massangaben[i].minimum * 100, MassMaximum * 100);
    return MitGenauenLaengen(m, genau, eingabe.ConsumeBool());
}

// A precise label's exact lengths lie in their editors' ranges and round to its whole ones.
void PruefeGenau(const Bogenmasse &m)
{
    if (!m.IstGenau())
        return;
    for (std::size_t i = 0; i < AnzahlLaengen; ++i) {
        const Massangabe &a = Massangaben[i];
        const qint64 h = m.Hundertstel(a.feld);
        PRUEFE(h >= qint64(a.minimum) * 100 && h <= qint64(MassMaximum) * 100);
        PRUEFE(GanzeMm(h) == m.*a.feld);
    }
}

// Written, the file holds exactly the nine lines, and a precise label's six exact lengths after them; read back, it
// gives the measures again, every key present.
void PruefeRundreise(const Bogenmasse &werte, const Bogenmasse &anderes)
{
    const QByteArray inhalt = EtikettdateiInhalt({werte});
    static const QRegularExpression neunZeilen(
        QStringLiteral("\\A\\[Einstellung\\]\\r\\nObererRand=\\d+\\r\\nSeitenRand=\\d+\\r\\nVertikalabstand=\\d+\\r\\n"
                       "Horizontalabstand=\\d+\\r\\nEtikettenhoehe=\\d+\\r\\nEtikettenbreite=\\d+\\r\\n"
                       "AnzahlEtikettenInZeile=\\d+\\r\\nAnzahlEtikettenInSpalte=\\d+\\r\\n"
                       "(\\[Genau\\]\\r\\nObererRand=@\\r\\nSeitenRand=@\\r\\nVertikalabstand=@\\r\\n"
                       "Horizontalabstand=@\\r\\nEtikettenhoehe=@\\r\\nEtikettenbreite=@\\r\\n)?\\z")
            .replace(QLatin1Char('@'), QStringLiteral("\\d+(\\.\\d?[1-9])?")));
    const QRegularExpressionMatch treffer = neunZeilen.match(QString::fromLatin1(inhalt));
    PRUEFE(treffer.hasMatch());
    PRUEFE(treffer.hasCaptured(1) == werte.IstGenau());
    PruefeGenau(werte);

    const QString pfad = Pfad("rund.ini");
    SpeichereEtikettdatei(pfad, {werte});
    PRUEFE(Lies(pfad) == inhalt);
    const GeleseneEtikettdatei zurueck = LiesEtikettdatei(pfad, anderes);
    PRUEFE(zurueck.fehler.isEmpty());
    PRUEFE(zurueck.inhalt.masse == werte);
    for (bool da : zurueck.vorhanden)
        PRUEFE(da);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t laenge)
{
    FuzzedDataProvider eingabe(daten, laenge);
    const Bogenmasse bisher = ImBereich(eingabe);
    const Bogenmasse beliebig = ImBereich(eingabe);
    const QByteArray inhalt = QByteArray::fromStdString(eingabe.ConsumeRemainingBytesAsString());

    // Other sections, before or after, are ignored. A byte-order mark counts only at the very start.
    QByteArray davor = "[Andere]\r\nObererRand=1\r\nEinstellung=2\r\n";
    if (inhalt.startsWith("\xEF\xBB\xBF"))
        davor.clear();
    const QByteArray danach = "\r\n[Andere]\r\nObererRand=1\r\n[Einstellung]\r\nSeitenRand=2\r\n";
    const QString sektion = EinstellungsSektion;
    for (const Massangabe &a : Massangaben) {
        const QString schluessel = QLatin1String(a.schluessel);
        const QString wert = LeseProfilWertAusText(inhalt, sektion, schluessel);
        PRUEFE(wert.size() <= 254);
        PRUEFE(!wert.contains(QLatin1Char('\r')) && !wert.contains(QLatin1Char('\n')));
        PRUEFE(LeseProfilWertAusText(davor + inhalt, sektion, schluessel) == wert);
        // A section of that name appended later counts only when the file has none of its own.
        const QString mitZweiter = LeseProfilWertAusText(inhalt + danach, sektion, schluessel);
        PRUEFE(mitZweiter == wert
               || (wert.isEmpty() && a.feld == &Bogenmasse::SeitenRand && mitZweiter == QStringLiteral("2")));
    }

    const QString pfad = Pfad("probe.ini");
    Schreibe(pfad, inhalt);
    const GeleseneEtikettdatei gelesen = LiesEtikettdatei(pfad, bisher);
    bool abgebrochen = false;
    for (std::size_t i = 0; i < Massangaben.size(); ++i) {
        const Massangabe &a = Massangaben[i];
        const int wert = gelesen.inhalt.masse.*a.feld;
        const QString text = LeseProfilWert(pfad, sektion, QLatin1String(a.schluessel));
        PRUEFE(wert >= a.minimum && wert <= MassMaximum);
        if (!gelesen.vorhanden[i]) {
            PRUEFE(wert == bisher.*a.feld);
            // Either the key has no value, or this value (or one before it) stopped the reading.
            PRUEFE(text.isEmpty() || abgebrochen || !gelesen.fehler.isEmpty());
            if (!text.isEmpty() && !abgebrochen) {
                // The message quotes the value as converted: its first "." made a ",".
                QString umgewandelt = text;
                if (const qsizetype punkt = umgewandelt.indexOf(QLatin1Char('.')); punkt >= 0)
                    umgewandelt[punkt] = QLatin1Char(',');
                PRUEFE(gelesen.fehler
                       == QLatin1Char('\'') + umgewandelt + QStringLiteral("' ist kein gültiger Gleitkommawert"));
                abgebrochen = true;
            }
            continue;
        }
        PRUEFE(!abgebrochen && !text.isEmpty());
        // Plain whole numbers are taken as they are, brought into the range.
        static const QRegularExpression ganzeZahl(QStringLiteral("\\A\\s*(\\d{1,9})\\s*\\z"));
        const QRegularExpressionMatch treffer = ganzeZahl.match(text);
        if (treffer.hasMatch())
            PRUEFE(wert == std::clamp(treffer.captured(1).toInt(), a.minimum, MassMaximum));
    }
    PRUEFE(abgebrochen == !gelesen.fehler.isEmpty());

    PruefeRundreise(gelesen.inhalt.masse, bisher);
    PruefeRundreise(beliebig, gelesen.inhalt.masse);
    return 0;
}
