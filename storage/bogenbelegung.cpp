#include "storage/bogenbelegung.h"

#include "platform/fehler.h"
#include "storage/einstellungen.h"
#include "storage/speicher.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString Verbraucht = QStringLiteral("Verbraucht");

QString Gruppe(const Bogenmasse &m)
{
    return QStringLiteral("Bogenbelegung/") + Bogenschluessel(m);
}

} // namespace

QString Bogenschluessel(const Bogenmasse &m)
{
    QStringList teile;
    for (const Massangabe &a : Massangaben)
        teile.append(QString::number(m.*a.feld));
    if (m.IstGenau()) {
        teile.append(QStringLiteral("genau"));
        for (const int l : GenaueLaengen(m))
            teile.append(QString::number(l));
    }
    return teile.join(QLatin1Char('_'));
}

Belegung LiesVerbrauchtePlaetze(const Bogenmasse &m)
{
    Belegung verbraucht(Platzanzahl(m), false);
    if (!KorrekturspeicherVorhanden())
        return verbraucht;
    QSettings s = Korrekturzugang();
    const QVariant wert = s.value(Gruppe(m) + QLatin1Char('/') + Verbraucht);
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
    return verbraucht;
}

void SchreibVerbrauchtePlaetze(const Bogenmasse &m, const Belegung &verbraucht)
{
    QStringList nummern;
    for (qsizetype i = 0; i < verbraucht.size(); ++i)
        if (verbraucht[i])
            nummern.append(QString::number(i + 1));
    // Removing from a missing store would leave an empty one behind.
    if (nummern.isEmpty() && !KorrekturspeicherVorhanden())
        return;
#ifndef Q_OS_WIN
    QDir().mkpath(QFileInfo(KorrekturOrt()).absolutePath());
#endif
    QSettings s = Korrekturzugang();
    if (nummern.isEmpty())
        s.remove(Gruppe(m));
    else
        s.setValue(Gruppe(m) + QLatin1Char('/') + Verbraucht, nummern.join(QLatin1Char(',')));
    s.sync();
    if (s.status() == QSettings::AccessError)
        throw Fehler(QStringLiteral("Die verbrauchten Plätze des Bogens konnten nicht gespeichert werden."));
}

QStringList EtikettenFuerBogen(const QString &ordner, const Bogenmasse &m)
{
    QStringList passend;
    const QFileInfoList bilder = QDir(ordner).entryInfoList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
    for (const QFileInfo &bild : bilder) {
        const QString ini = EinstellungsPfad(bild.filePath());
        if (ini.isEmpty() || !QFileInfo(ini).isFile())
            continue;
        const GeleseneMasse gelesen = LiesEinstellungsdatei(ini, Anfangsmasse);
        if (gelesen.fehler.isEmpty() && gelesen.werte == m)
            passend.append(bild.filePath());
    }
    return passend;
}
