#include "platform/konsole.h"

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

#ifdef Q_OS_WIN
namespace {

UINT KonsolenCodepage()
{
    const UINT seite = GetConsoleOutputCP();
    return seite != 0 ? seite : GetOEMCP();
}

} // namespace

QByteArray KonsolenBytes(const QString &text)
{
    if (text.isEmpty())
        return {};
    const auto *quelle = reinterpret_cast<const wchar_t *>(text.utf16());
    const int laenge = WideCharToMultiByte(KonsolenCodepage(), 0, quelle, int(text.size()), nullptr, 0, nullptr,
                                           nullptr);
    QByteArray bytes(laenge, Qt::Uninitialized);
    WideCharToMultiByte(KonsolenCodepage(), 0, quelle, int(text.size()), bytes.data(), laenge, nullptr, nullptr);
    return bytes;
}

QString AusKonsolenBytes(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    const int laenge = MultiByteToWideChar(KonsolenCodepage(), 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString text(laenge, Qt::Uninitialized);
    MultiByteToWideChar(KonsolenCodepage(), 0, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), laenge);
    return text;
}
#else
QByteArray KonsolenBytes(const QString &text)
{
    return text.toLocal8Bit();
}

QString AusKonsolenBytes(const QByteArray &bytes)
{
    return QString::fromLocal8Bit(bytes);
}
#endif

void SchreibeKonsole(FILE *strom, const QString &text)
{
#ifdef Q_OS_WIN
    std::fflush(strom);
    _setmode(_fileno(strom), _O_BINARY);
#endif
    const QByteArray bytes = KonsolenBytes(text);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), strom);
    std::fflush(strom);
}
