#pragma once

#include <QWidget>

#include <algorithm>
#include <functional>

class QToolButton;

// The spin editor: two stacked arrow buttons with auto-repeat and a 16-bit position kept within Min..Max.
// Setting the position from the program emits changing() only when the position really changes and
// never click(); an arrow emits changing() (when the position changes), then click(). geaendert() follows every
// change of the position, also one a new Min or Max forces: changing() before it, click() after it.
// With focus, Up and Down are clicks on the arrows and PageUp and PageDown ten of them; a held key repeats as a
// held arrow does and stops where it stops. mausGedrueckt() and mausLosgelassen() come for a key as for the mouse.
class TUpDown : public QWidget
{
    Q_OBJECT
public:
    enum class Knopf { Hoch, Runter };

    TUpDown(int min, int max, int position, QWidget *eltern = nullptr);

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Position() const { return m_position; }
    void setMin(int min);
    void setMax(int max);
    void setPosition(int position);

    QToolButton *hochKnopf() const { return m_hoch; }
    QToolButton *runterKnopf() const { return m_runter; }

    // The name a screen reader says for the editor; the arrows are named after it.
    void benenne(const QString &name);
    // The value a screen reader hears: the position unless the window shows more (a precise length).
    double Wert() const { return m_wert ? m_wert() : m_position; }
    void setWertQuelle(std::function<double()> wert) { m_wert = std::move(wert); }
    // The largest value a screen reader is told: Max unless the window knows a tighter limit that the arrows keep.
    int ZugangsMax() const { return m_zugangsMax ? std::min(m_zugangsMax(), m_max) : m_max; }
    void setZugangsMaxQuelle(std::function<int()> max) { m_zugangsMax = std::move(max); }
    // Tells the accessibility layer that the value changed.
    void meldeWert();

Q_SIGNALS:
    void changing();
    void geaendert();
    void click(TUpDown::Knopf knopf);
    void mausGedrueckt();
    void mausLosgelassen();

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override;
    void resizeEvent(QResizeEvent *ereignis) override;
    void keyPressEvent(QKeyEvent *ereignis) override;
    void keyReleaseEvent(QKeyEvent *ereignis) override;
    void focusInEvent(QFocusEvent *ereignis) override;
    void focusOutEvent(QFocusEvent *ereignis) override;

private:
    void pfeil(Knopf knopf, QToolButton *knopfWidget);
    void schritt(Knopf knopf);
    bool wiederholenErlaubt() const;
    void tasteLoslassen();

    int m_min;
    int m_max;
    int m_position;
    QToolButton *m_hoch;
    QToolButton *m_runter;
    std::function<double()> m_wert;
    std::function<int()> m_zugangsMax;
    int m_taste = 0; // the arrow key held down, 0 when none
};
