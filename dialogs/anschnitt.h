#pragma once

#include <QDialog>

class DialogDienst;
class QLineEdit;

// "Anschnitt": how far the label's picture runs past its edges, in millimetres with a decimal comma (a point is
// taken too) and at most two decimals, 0 to 3. "OK" takes only such a value; otherwise the service says what the
// field takes and the dialog stays open with nothing changed.
class TAnschnittDialog : public QDialog
{
    Q_OBJECT

public:
    TAnschnittDialog(int hundertstel, DialogDienst &dialoge, QWidget *eltern = nullptr);

    // The bleed typed, in hundredths of a millimetre, once accepted.
    int hundertstel() const { return m_hundertstel; }

private:
    void OkClick();

    DialogDienst &m_dialoge;
    int m_hundertstel;
    QLineEdit *m_feld = nullptr;
};
