#include "storage/bogenbelegung.h"

#include "platform/fehler.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "storage/etikettdateien.h"
#include "storage/speicher.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

namespace {

QString Eintrag(const QString &schluessel)
{
    return QStringLiteral("Bogenbelegung/") + schluessel;
}

const QString Verbraucht = QStringLiteral("/Verbraucht");

bool GanzeLaengen(const Bogenmasse &m)
{
    const Laengen l = GenaueLaengen(m);
    return std::all_of(l.begin(), l.end(), [](int h) { return h % 100 == 0; });
}

// The eight values, with "genau" and the six lengths in hundredths after them when asked. Without them the lengths
// are those on paper, so that a precise label whose settings file rounds its whole lengths oddly still meets its
// partners.
QString Schluessel(const Bogenmasse &m, bool genau)
{
    QStringList teile;
    for (const Massangabe &a : Massangaben)
        teile.append(QString::number(genau || a.anzahl ? m.*a.feld : m.Hundertstel(a.feld) / 100));
    if (genau) {
        teile.append(QStringLiteral("genau"));
        for (const int l : GenaueLaengen(m))
            teile.append(QString::number(l));
    }
    return teile.join(QLatin1Char('_'));
}

// Where the sheet's places may be stored: its key first, then the key they had before.
QStringList Schluessel(const Bogenmasse &m)
{
    const QString jetzt = Bogenschluessel(m);
    // A precise label's key, also with whole lengths, before its sheet was shared.
    const QString frueher = Schluessel(m, true);
    return jetzt == frueher ? QStringList{jetzt} : QStringList{jetzt, frueher};
}

Belegung Lies(QSettings &s, const Bogenmasse &m)
{
    Belegung verbraucht(Platzanzahl(m), false);
    for (const QString &schluessel : Schluessel(m)) {
        const QVariant wert = s.value(Eintrag(schluessel) + Verbraucht);
        // A list without commas comes back as a QStringList from the INI file, a single number as text.
        const QStringList nummern = wert.typeId() == QMetaType::QStringList ? wert.toStringList()
            : wert.typeId() == QMetaType::QString ? wert.toString().split(QLatin1Char(','), Qt::SkipEmptyParts)
                                                  : QStringList();
        for (const QString &text : nummern) {
            bool ok = false;
            const int n = text.trimmed().toInt(&ok);
            if (ok && n >= 1 && n <= verbraucht.size())
                verbraucht[n - 1] = true;
        }
    }
    return verbraucht;
}

// Beside the store's file; the registry has none, so there it lies in the person's temporary folder. Not the
// store's own name with ".lock": QSettings takes that one while it writes.
QString Sperrdatei()
{
#ifdef Q_OS_WIN
    return QDir::temp().filePath(KorrekturOrt().section(QLatin1Char('\\'), -1) + QStringLiteral("-Bogenbelegung.lock"));
#else
    QString ort = KorrekturOrt();
    ort.chop(QStringLiteral(".ini").size());
    return ort + QStringLiteral("-Bogenbelegung.lock");
#endif
}

Fehler NichtGespeichert(const QString &grund)
{
    return Fehler(QStringLiteral("Die verbrauchten Plätze des Bogens konnten nicht gespeichert werden%1.").arg(grund));
}

} // namespace

QString Bogenschluessel(const Bogenmasse &m)
{
    return Schluessel(m, !GanzeLaengen(m));
}

Belegung LiesVerbrauchtePlaetze(const Bogenmasse &m)
{
    if (!KorrekturspeicherVorhanden())
        return Belegung(Platzanzahl(m), false);
    QSettings s = Korrekturzugang();
    return Lies(s, m);
}

Belegung AendereVerbrauchtePlaetze(const Bogenmasse &m, const Platzaenderung &aenderung)
{
#ifndef Q_OS_WIN
    QDir().mkpath(QFileInfo(KorrekturOrt()).absolutePath());
#endif
    QLockFile sperre(Sperrdatei());
    if (!sperre.tryLock(5000))
        throw NichtGespeichert(sperre.error() == QLockFile::LockFailedError
                                   ? QStringLiteral(": ein anderes Programm hält sie gesperrt")
                                   : QStringLiteral(": die Sperrdatei %1 lässt sich nicht anlegen").arg(Sperrdatei()));
    const bool vorhanden = KorrekturspeicherVorhanden();
    Belegung jetzt;
    {
        QSettings s = Korrekturzugang();
        jetzt = MitAenderung(vorhanden ? Lies(s, m) : Belegung(Platzanzahl(m), false), aenderung);
    }
    QStringList nummern;
    for (qsizetype i = 0; i < jetzt.size(); ++i)
        if (jetzt[i])
            nummern.append(QString::number(i + 1));
    // Removing from a missing store would leave an empty one behind.
    if (nummern.isEmpty() && !vorhanden)
        return jetzt;
    const QStringList schluessel = Schluessel(m);
    QList<Speicheraenderung> aenderungen;
    for (const QString &frueher : schluessel.mid(1))
        aenderungen.append({Eintrag(frueher), std::nullopt});
    if (nummern.isEmpty())
        aenderungen.append({Eintrag(schluessel.front()), std::nullopt});
    else
        aenderungen.append({Eintrag(schluessel.front()) + Verbraucht, nummern.join(QLatin1Char(','))});
    QString hinweis;
    if (!AendereKorrekturspeicher(aenderungen, &hinweis))
        throw NichtGespeichert(hinweis.isEmpty() ? QString() : QStringLiteral(". ") + hinweis.chopped(1));
    return jetzt;
}

EtikettenImOrdner EtikettenFuerBogen(const QString &ordner, const Bogenmasse &m)
{
    EtikettenImOrdner etiketten;
    const QFileInfoList bilder = QDir(ordner).entryInfoList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
    for (const QFileInfo &bild : bilder) {
        const QString ini = EinstellungsPfad(bild.filePath());
        if (ini.isEmpty() || !QFileInfo(ini).isFile() || IstAufbewahrung(bild.filePath()))
            continue;
        const GeleseneEtikettdatei gelesen = LiesEtikettdatei(ini, Anfangsmasse);
        (gelesen.fehler.isEmpty() && GleicherBogen(gelesen.inhalt.masse, m) ? etiketten.passend : etiketten.andere)
            .append(bild.filePath());
    }
    return etiketten;
}
