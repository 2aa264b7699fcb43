#include "platform/schale.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

Schalenaufruf MalprogrammAufruf(const QString &bildPfad, bool malprogrammDa)
{
    const QString bild = QDir::toNativeSeparators(bildPfad);
    if (malprogrammDa)
        return {QStringLiteral("open"), Malprogramm, QLatin1Char('"') + bild + QLatin1Char('"'), Zeige};
    return {QString(), bild, QString(), ZeigeNormal};
}

Schalenaufruf OeffnenAufruf(const QString &pfad)
{
    return {QStringLiteral("open"), QDir::toNativeSeparators(pfad), QString(), ZeigeNormal};
}

#ifdef Q_OS_WIN
namespace {

LPCWSTR Breit(const QString &text)
{
    return text.isEmpty() ? nullptr : reinterpret_cast<LPCWSTR>(text.utf16());
}

// A value above 32 is success.
bool Ausfuehren(const Schalenaufruf &aufruf)
{
    const HINSTANCE ergebnis =
        ShellExecuteW(nullptr, Breit(aufruf.verb), Breit(aufruf.datei), Breit(aufruf.parameter), nullptr, aufruf.zeigen);
    return reinterpret_cast<INT_PTR>(ergebnis) > 32;
}

} // namespace

bool DesktopSchale::malprogrammStarten(const QString &bildPfad)
{
    return Ausfuehren(MalprogrammAufruf(bildPfad, QFileInfo::exists(Malprogramm)));
}

bool DesktopSchale::oeffnen(const QString &pfad)
{
    return Ausfuehren(OeffnenAufruf(pfad));
}
#else
bool DesktopSchale::malprogrammStarten(const QString &bildPfad)
{
    for (const char *name : {"kolourpaint", "pinta", "gimp"}) {
        const QString programm = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!programm.isEmpty())
            return QProcess::startDetached(programm, {bildPfad});
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(bildPfad));
}

bool DesktopSchale::oeffnen(const QString &pfad)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(pfad));
}
#endif

Aufloesung BildschirmAufloesung()
{
    const QScreen *schirm = QGuiApplication::primaryScreen();
    if (!schirm)
        return {};
    return {qRound(schirm->logicalDotsPerInchX()), qRound(schirm->logicalDotsPerInchY())};
}
