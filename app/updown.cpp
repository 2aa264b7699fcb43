#include "app/updown.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolButton>
#include <algorithm>
#include <limits>
#include <utility>

namespace {
int auf16Bit(int wert)
{
    return std::clamp(wert, int(std::numeric_limits<qint16>::min()), int(std::numeric_limits<qint16>::max()));
}

// The arrows cover the whole editor, so each paints its share of the editor's focus mark.
class Pfeilknopf : public QToolButton
{
public:
    Pfeilknopf(TUpDown *editor) : QToolButton(editor), m_editor(editor) {}

protected:
    void paintEvent(QPaintEvent *ereignis) override
    {
        QToolButton::paintEvent(ereignis);
        if (!m_editor->hasFocus())
            return;
        QStyleOptionFocusRect option;
        option.initFrom(m_editor);
        option.rect = QRect(mapFrom(m_editor, QPoint(0, 0)), m_editor->size());
        // Without it Fusion and the Windows styles leave the mark out.
        option.state |= QStyle::State_KeyboardFocusChange;
        option.backgroundColor = palette().color(QPalette::Button);
        QPainter p(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }

private:
    TUpDown *m_editor;
};

// What a screen reader learns of the editor: a spin button with its value, range and the two steps.
class UpDownZugang : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit UpDownZugang(TUpDown *editor) : QAccessibleWidget(editor, QAccessible::SpinBox) {}

    void *interface_cast(QAccessible::InterfaceType typ) override
    {
        if (typ == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(typ);
    }
    QString text(QAccessible::Text welcher) const override
    {
        if (welcher == QAccessible::Value)
            return QLocale(QLocale::German).toString(editor()->Wert());
        return QAccessibleWidget::text(welcher);
    }
    QVariant currentValue() const override { return editor()->Wert(); }
    // Only the arrows move the value, so that their handlers run.
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return editor()->ZugangsMax(); }
    QVariant minimumValue() const override { return editor()->Min(); }
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }
    void doAction(const QString &name) override
    {
        // A click on the arrow, which a locked editor refuses.
        if (name == increaseAction())
            editor()->hochKnopf()->click();
        else if (name == decreaseAction())
            editor()->runterKnopf()->click();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    TUpDown *editor() const { return static_cast<TUpDown *>(widget()); }
};

QAccessibleInterface *zugangFuer(const QString &, QObject *objekt)
{
    if (auto *editor = qobject_cast<TUpDown *>(objekt))
        return new UpDownZugang(editor);
    return nullptr;
}
} // namespace

TUpDown::TUpDown(int min, int max, int position, QWidget *eltern)
    : QWidget(eltern), m_min(auf16Bit(min)), m_max(auf16Bit(max)),
      m_position(std::clamp(auf16Bit(position), m_min, m_max)), m_hoch(new Pfeilknopf(this)),
      m_runter(new Pfeilknopf(this))
{
    static const bool zugang = (QAccessible::installFactory(zugangFuer), true);
    Q_UNUSED(zugang);
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
    const int alt = std::exchange(m_position, std::clamp(m_position, m_min, std::max(m_min, m_max)));
    if (m_position != alt)
        Q_EMIT geaendert();
}

void TUpDown::setMax(int max)
{
    m_max = auf16Bit(max);
    const int alt = std::exchange(m_position, std::clamp(m_position, std::min(m_min, m_max), m_max));
    if (m_position != alt)
        Q_EMIT geaendert();
}

void TUpDown::setPosition(int position)
{
    const int neu = std::clamp(auf16Bit(position), m_min, std::max(m_min, m_max));
    if (neu == m_position)
        return;
    Q_EMIT changing();
    m_position = neu;
    Q_EMIT geaendert();
    meldeWert();
}

void TUpDown::benenne(const QString &name)
{
    setAccessibleName(name);
    m_hoch->setAccessibleName(QStringLiteral("Erhöhen: ") + name);
    m_runter->setAccessibleName(QStringLiteral("Verringern: ") + name);
}

void TUpDown::meldeWert()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent ereignis(this, Wert());
    QAccessible::updateAccessibility(&ereignis);
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
    schritt(knopf);
}

void TUpDown::schritt(Knopf knopf)
{
    setPosition(m_position + (knopf == Knopf::Hoch ? 1 : -1));
    Q_EMIT click(knopf);
}

void TUpDown::keyPressEvent(QKeyEvent *ereignis)
{
    const int taste = ereignis->key();
    if (taste != Qt::Key_Up && taste != Qt::Key_Down && taste != Qt::Key_PageUp && taste != Qt::Key_PageDown) {
        QWidget::keyPressEvent(ereignis);
        return;
    }
    const Knopf knopf = taste == Qt::Key_Up || taste == Qt::Key_PageUp ? Knopf::Hoch : Knopf::Runter;
    if (ereignis->isAutoRepeat()) {
        // A held key that was stopped stays stopped until it is pressed anew.
        if (taste != m_taste)
            return;
        if (!wiederholenErlaubt()) {
            tasteLoslassen();
            return;
        }
    } else {
        tasteLoslassen();
        m_taste = taste;
        (knopf == Knopf::Hoch ? m_hoch : m_runter)->setDown(true);
        Q_EMIT mausGedrueckt();
    }
    const int schritte = taste == Qt::Key_PageUp || taste == Qt::Key_PageDown ? 10 : 1;
    // A step whose handler opens a box takes the focus and so ends the rest.
    for (int i = 0; i < schritte && m_taste == taste; ++i)
        schritt(knopf);
}

void TUpDown::keyReleaseEvent(QKeyEvent *ereignis)
{
    if (!ereignis->isAutoRepeat() && ereignis->key() == m_taste && m_taste != 0)
        tasteLoslassen();
    else
        QWidget::keyReleaseEvent(ereignis);
}

void TUpDown::tasteLoslassen()
{
    if (m_taste == 0)
        return;
    const bool hoch = m_taste == Qt::Key_Up || m_taste == Qt::Key_PageUp;
    m_taste = 0;
    (hoch ? m_hoch : m_runter)->setDown(false);
    Q_EMIT mausLosgelassen();
}

void TUpDown::focusInEvent(QFocusEvent *ereignis)
{
    QWidget::focusInEvent(ereignis);
    m_hoch->update();
    m_runter->update();
}

void TUpDown::focusOutEvent(QFocusEvent *ereignis)
{
    // A box in front takes the keys: the held key's repeats end there, as a held arrow's do.
    tasteLoslassen();
    QWidget::focusOutEvent(ereignis);
    m_hoch->update();
    m_runter->update();
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
