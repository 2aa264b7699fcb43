#include "platform/startmessung.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long mikrosekunden(clockid_t uhr)
{
    timespec t{};
    clock_gettime(uhr, &t);
    return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

// The peak resident size so far, in kilobytes (Linux).
long long spitzenspeicher()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &zeile : status.readAll().split('\n'))
        if (zeile.startsWith("VmHWM:"))
            return zeile.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

class Melder : public QObject
{
public:
    Melder(QWidget &fenster, std::function<bool()> fertig)
        : QObject(&fenster), m_fenster(&fenster), m_fertig(std::move(fertig))
    {}

protected:
    bool eventFilter(QObject *ziel, QEvent *ereignis) override
    {
        // A widget window paints and flushes a frame while it handles an expose or an update request; deliver it
        // here so that the time is taken after that.
        const bool bild = ereignis->type() == QEvent::Expose || ereignis->type() == QEvent::UpdateRequest;
        if (!bild || !m_fenster || ziel != m_fenster->windowHandle() || !static_cast<QWindow *>(ziel)->isExposed())
            return QObject::eventFilter(ziel, ereignis);
        ziel->event(ereignis);
        if (m_fertig && !m_fertig())
            return true;
        std::printf("bild %lld %lld %lld\n", mikrosekunden(CLOCK_REALTIME), mikrosekunden(CLOCK_PROCESS_CPUTIME_ID),
                    spitzenspeicher());
        std::fflush(stdout);
        std::_Exit(0);
    }

private:
    QPointer<QWidget> m_fenster;
    std::function<bool()> m_fertig;
};

} // namespace

void MeldeErstesBild(QWidget &fenster, std::function<bool()> fertig)
{
    if (qEnvironmentVariableIsSet("MORVANE_STARTMESSUNG"))
        QCoreApplication::instance()->installEventFilter(new Melder(fenster, std::move(fertig)));
}
