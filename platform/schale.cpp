#include "platform/schale.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

bool DesktopSchale::malprogrammStarten(const QString &bildPfad)
{
#ifdef Q_OS_WIN
    const QString malprogramm = QStringLiteral("C:\\Windows\\System32\\mspaint.exe");
    if (QFileInfo::exists(malprogramm))
        return QProcess::startDetached(malprogramm, {bildPfad});
#else
    for (const char *name : {"kolourpaint", "pinta", "gimp"}) {
        const QString programm = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!programm.isEmpty())
            return QProcess::startDetached(programm, {bildPfad});
    }
#endif
    return QDesktopServices::openUrl(QUrl::fromLocalFile(bildPfad));
}

bool DesktopSchale::oeffnen(const QString &pfad)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(pfad));
}

Aufloesung BildschirmAufloesung()
{
    const QScreen *schirm = QGuiApplication::primaryScreen();
    if (!schirm)
        return {};
    return {qRound(schirm->logicalDotsPerInchX()), qRound(schirm->logicalDotsPerInchY())};
}
