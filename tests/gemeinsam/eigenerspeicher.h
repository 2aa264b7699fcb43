#pragma once

#include "storage/speicher.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMap>
#include <QProcessEnvironment>
#include <QSettings>
#include <QString>

// Points the per-user store at a place of the test's own, named after a folder: the INI file below it on
// Linux, a registry key of its own on Windows. Programs started afterwards inherit it through the environment.
inline QPair<QString, QString> SpeicherUmgebung(const QString &ordner)
{
#ifdef Q_OS_WIN
    const QByteArray kennung = QCryptographicHash::hash(ordner.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return {QStringLiteral("MORVANE_SCHLUESSEL"), QStringLiteral("Morvane-Test-") + QString::fromLatin1(kennung)};
#else
    return {QStringLiteral("XDG_CONFIG_HOME"), ordner};
#endif
}

inline void NimmSpeicherIn(const QString &ordner)
{
    const auto [name, wert] = SpeicherUmgebung(ordner);
    qputenv(name.toLatin1().constData(), wert.toLocal8Bit());
}

inline void NimmSpeicherIn(QProcessEnvironment &umgebung, const QString &ordner)
{
    const auto [name, wert] = SpeicherUmgebung(ordner);
    umgebung.insert(name, wert);
}

// Removes the printer corrections' store, the key or the file.
inline void LoescheKorrekturspeicher()
{
#ifdef Q_OS_WIN
    const QString ort = KorrekturOrt();
    QSettings(ort.section(QLatin1Char('\\'), 0, -2), QSettings::NativeFormat).remove(ort.section(QLatin1Char('\\'), -1));
#else
    QFile::remove(KorrekturOrt());
#endif
}

// Every value in a store by its key, as the program reads them on either system.
inline QMap<QString, QVariant> Inhalt(QSettings &&s)
{
    QMap<QString, QVariant> inhalt;
    for (const QString &schluessel : s.allKeys())
        inhalt.insert(schluessel, s.value(schluessel));
    return inhalt;
}

inline QMap<QString, QVariant> SpeicherInhalt()
{
    return Inhalt(Speicherzugang());
}
