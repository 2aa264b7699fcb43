#pragma once

#include "blatt/blatt.h"
#include "storage/druckerausrichtung.h"

#include <QDialog>

#include <functional>
#include <optional>

class DialogDienst;
class QLabel;
class QLineEdit;
class QPrinter;

// "Drucker ausrichten": prints the test page on the session's printer (the print dialog may change it), takes
// the four measured values and stores the correction for that printer, or removes it. The back's test page, printed
// on the back of the first, and its four values give the correction of the back pages beside it; left empty, the
// back's stays as it is. Its own boxes and the print dialog go through the dialog service; an error in one of its
// buttons is shown there and goes no further.
// The Wendeprobe (render/ausrichtung.h) on `drucker` after its print dialog. Into a file both pages go as one
// document, and nothing is learnt; a printer that prints both sides itself prints them in one job and has nothing
// to learn. Otherwise the front prints, the person puts the sheet back in and is asked before the back prints,
// then through which frame the square shows and which way the printed side lay: what is learnt is stored for the
// printer (SchreibWendung) and given back. Nothing is stored when the person stops or the square showed through
// neither frame.
std::optional<Wendung> DruckeWendeprobe(QPrinter &drucker, DialogDienst &dialoge);

class TAusrichtungsDialog : public QDialog
{
    Q_OBJECT

public:
    TAusrichtungsDialog(QPrinter &drucker, DialogDienst &dialoge, QWidget *eltern = nullptr);

protected:
    void resizeEvent(QResizeEvent *ereignis) override;

private:
    void TestseiteDruckenClick(Blattseite seite = Blattseite::Vorderseite);
    void WendeprobeClick();
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
