#pragma once

#include <QObject>

class QTimer;

// A component that carries the interval of a timer it owns and never starts. The main window holds one so that
// its description keeps the property; nothing else uses it.
class TMachPause : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Interval READ Interval WRITE setInterval)

public:
    explicit TMachPause(QObject *owner = nullptr);
    ~TMachPause() override;

    // Milliseconds of the owned timer; 0 when there is none. A fresh component reads 1000.
    int Interval() const;
    // Sets the owned timer's interval; does nothing without a timer. The timer stays stopped.
    void setInterval(int millisekunden);

private:
    QTimer *FTimer = nullptr;
};
