#pragma once

#include "blatt/blatt.h"

#include <QDialog>

#include <functional>

class DialogDienst;
class QLabel;
class QLineEdit;
class QPrinter;

// "Drucker ausrichten": prints the test page on the session's printer (the print dialog may change it), takes
// the four measured values and stores the correction for that printer, or removes it. The back's test page, printed
// on the back of the first, and its four values give the correction of the back pages beside it; left empty, the
// back's stays as it is. Its own boxes and the print dialog go through the dialog service; an error in one of its
// buttons is shown there and goes no further.
class TAusrichtungsDialog : public QDialog
{
    Q_OBJECT

public:
    TAusrichtungsDialog(QPrinter &drucker, DialogDienst &dialoge, QWidget *eltern = nullptr);

protected:
    void resizeEvent(QResizeEvent *ereignis) override;

private:
    void TestseiteDruckenClick(Blattseite seite = Blattseite::Vorderseite);
    void SpeichernClick();
    void ZuruecksetzenClick();
    void zeigeDrucker();
    void zeigeErgebnis();
    void passeHoeheAn();

    QPrinter &m_drucker;
    DialogDienst &m_dialoge;
    QLabel *m_druckerLabel;
    QLabel *m_gespeichertLabel;
    QLabel *m_ergebnisLabel;
    QLineEdit *m_felder[4];
    QLabel *m_rueckGespeichertLabel;
    QLabel *m_rueckErgebnisLabel;
    QLineEdit *m_rueckFelder[4];
};
