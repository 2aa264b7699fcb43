#include "platform/startmessung.h"

#include <QCoreApplication>
#include <QEvent>
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

class Melder : public QObject
{
public:
    explicit Melder(QWidget &fenster) : QObject(&fenster), m_fenster(&fenster) {}

protected:
    bool eventFilter(QObject *ziel, QEvent *ereignis) override
    {
        if (ereignis->type() != QEvent::Expose || !m_fenster || ziel != m_fenster->windowHandle()
            || !static_cast<QWindow *>(ziel)->isExposed())
            return QObject::eventFilter(ziel, ereignis);
        // The window paints and flushes its first frame while it handles its first expose; deliver it here so
        // that the time is taken after that.
        QCoreApplication::instance()->removeEventFilter(this);
        ziel->event(ereignis);
        std::printf("bild %lld %lld\n", mikrosekunden(CLOCK_REALTIME), mikrosekunden(CLOCK_PROCESS_CPUTIME_ID));
        std::fflush(stdout);
        std::_Exit(0);
    }

private:
    QPointer<QWidget> m_fenster;
};

} // namespace

void MeldeErstesBild(QWidget &fenster)
{
    if (qEnvironmentVariableIsSet("MORVANE_STARTMESSUNG"))
        QCoreApplication::instance()->installEventFilter(new Melder(fenster));
}
