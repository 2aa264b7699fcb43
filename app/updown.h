#pragma once

#include <QWidget>

class QToolButton;

// The spin editor: two stacked arrow buttons with auto-repeat and a 16-bit position kept within Min..Max.
// Setting the position from the program emits changing() only when the position really changes and
// never click(); an arrow emits changing() (when the position changes), then click().
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

Q_SIGNALS:
    void changing();
    void click(TUpDown::Knopf knopf);
    void mausGedrueckt();
    void mausLosgelassen();

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override;
    void resizeEvent(QResizeEvent *ereignis) override;

private:
    void pfeil(Knopf knopf, QToolButton *knopfWidget);
    bool wiederholenErlaubt() const;

    int m_min;
    int m_max;
    int m_position;
    QToolButton *m_hoch;
    QToolButton *m_runter;
};
