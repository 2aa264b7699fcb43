#pragma once

#include <QDialog>

#include <functional>

class DialogDienst;
class QLabel;
class QLineEdit;
class QPrinter;

// "Drucker ausrichten": prints the test page on the session's printer (the print dialog may change it), takes
// the four measured values and stores the correction for that printer, or removes it. Its own boxes and the
// print dialog go through the dialog service; an error in one of its buttons is shown there and goes no further.
class TAusrichtungsDialog : public QDialog
{
    Q_OBJECT

public:
    TAusrichtungsDialog(QPrinter &drucker, DialogDienst &dialoge, QWidget *eltern = nullptr);

protected:
    void resizeEvent(QResizeEvent *ereignis) override;

private:
    void TestseiteDruckenClick();
    void SpeichernClick();
    void ZuruecksetzenClick();
    void zeigeDrucker();
    void zeigeErgebnis();
    void passeHoeheAn();
    void bewacht(const std::function<void()> &handler);

    QPrinter &m_drucker;
    DialogDienst &m_dialoge;
    QLabel *m_druckerLabel;
    QLabel *m_gespeichertLabel;
    QLabel *m_ergebnisLabel;
    QLineEdit *m_felder[4];
};
