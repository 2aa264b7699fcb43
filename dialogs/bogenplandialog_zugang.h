#pragma once

// What a screen reader sees of the sheet-plan dialog beyond what Qt gives: the places as a table of cells, the
// popup of "Etikett hinzufügen..." in the tree below its button, spin fields that tell each change once.

#include <QPushButton>
#include <QSpinBox>

class QAccessibleInterface;

// "Etikett hinzufügen...": a button whose popup is its child for a screen reader, as a menu bar's menus are. Qt
// makes a push button's menu a window that no one in the tree lists, so the button, the popup and its entries
// carry interfaces of their own.
class Menueknopf : public QPushButton
{
public:
    // The text only once the button is whole: setting it makes the button's interface, which must be this one's.
    Menueknopf(const QString &text, QWidget *eltern) : QPushButton(eltern) { setText(text); }
};

// A spin field that tells a screen reader each change of its value once, however it came about: Qt's own tells it
// only of a step by key or arrow, none made by the program, the wheel, typing or a held arrow, and gives no step.
class Zahlfeld : public QSpinBox
{
public:
    explicit Zahlfeld(QWidget *eltern);

protected:
    // The steps by key are taken here, so that Qt does not tell of them a second time.
    void keyPressEvent(QKeyEvent *ereignis) override;
    // A press on an arrow Qt tells of itself.
    void mousePressEvent(QMouseEvent *ereignis) override;

private:
    bool m_qtMeldet = false;
};

// The interfaces of TPlatzraster, Menueknopf and its popup, for QAccessible::installFactory.
QAccessibleInterface *BogenplanZugang(const QString &klasse, QObject *objekt);
