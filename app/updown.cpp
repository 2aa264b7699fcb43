#include "app/updown.h"

#include <QApplication>
#include <QEvent>
#include <QToolButton>
#include <algorithm>
#include <limits>

namespace {
int auf16Bit(int wert)
{
    return std::clamp(wert, int(std::numeric_limits<qint16>::min()), int(std::numeric_limits<qint16>::max()));
}
} // namespace

TUpDown::TUpDown(int min, int max, int position, QWidget *eltern)
    : QWidget(eltern), m_min(auf16Bit(min)), m_max(auf16Bit(max)),
      m_position(std::clamp(auf16Bit(position), m_min, m_max)), m_hoch(new QToolButton(this)),
      m_runter(new QToolButton(this))
{
    m_hoch->setArrowType(Qt::UpArrow);
    m_runter->setArrowType(Qt::DownArrow);
    for (QToolButton *knopf : {m_hoch, m_runter}) {
        knopf->setAutoRepeat(true);
        knopf->setFocusPolicy(Qt::NoFocus);
        knopf->installEventFilter(this);
    }
    connect(m_hoch, &QToolButton::clicked, this, [this] { pfeil(Knopf::Hoch, m_hoch); });
    connect(m_runter, &QToolButton::clicked, this, [this] { pfeil(Knopf::Runter, m_runter); });
    setFocusPolicy(Qt::TabFocus);
}

void TUpDown::setMin(int min)
{
    m_min = auf16Bit(min);
    m_position = std::clamp(m_position, m_min, std::max(m_min, m_max));
}

void TUpDown::setMax(int max)
{
    m_max = auf16Bit(max);
    m_position = std::clamp(m_position, std::min(m_min, m_max), m_max);
}

void TUpDown::setPosition(int position)
{
    const int neu = std::clamp(auf16Bit(position), m_min, std::max(m_min, m_max));
    if (neu == m_position)
        return;
    Q_EMIT changing();
    m_position = neu;
}

bool TUpDown::wiederholenErlaubt() const
{
    // A box or a menu in front takes the mouse: its release never reaches the arrow, and the repeat would run on
    // behind it.
    const QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != window())
        return false;
    return QApplication::activePopupWidget() == nullptr && isVisible() && isEnabled();
}

void TUpDown::pfeil(Knopf knopf, QToolButton *knopfWidget)
{
    // Still down during a click: that click is the auto-repeat, not a release of the mouse.
    if (knopfWidget->isDown() && !wiederholenErlaubt()) {
        knopfWidget->setDown(false);
        Q_EMIT mausLosgelassen();
        return;
    }
    setPosition(m_position + (knopf == Knopf::Hoch ? 1 : -1));
    Q_EMIT click(knopf);
}

bool TUpDown::eventFilter(QObject *objekt, QEvent *ereignis)
{
    // A disabled arrow does nothing: the filter sees presses that the button itself refuses.
    if (!isEnabled())
        return QWidget::eventFilter(objekt, ereignis);
    if (ereignis->type() == QEvent::MouseButtonPress)
        Q_EMIT mausGedrueckt();
    else if (ereignis->type() == QEvent::MouseButtonRelease)
        Q_EMIT mausLosgelassen();
    return QWidget::eventFilter(objekt, ereignis);
}

void TUpDown::resizeEvent(QResizeEvent *)
{
    const int oben = height() / 2;
    m_hoch->setGeometry(0, 0, width(), oben);
    m_runter->setGeometry(0, oben, width(), height() - oben);
}
