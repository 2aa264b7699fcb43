#include "dialogs/machpause.h"

#include <QTimer>

TMachPause::TMachPause(QObject *owner) : QObject(owner), FTimer(new QTimer(this))
{
    // The toolkit this mirrors starts its timers at 1000 ms; Qt's start at 0.
    FTimer->setInterval(1000);
    FTimer->stop();
}

TMachPause::~TMachPause()
{
    delete FTimer;
    FTimer = nullptr;
}

int TMachPause::Interval() const
{
    return FTimer ? FTimer->interval() : 0;
}

void TMachPause::setInterval(int millisekunden)
{
    if (FTimer)
        FTimer->setInterval(millisekunden);
}
