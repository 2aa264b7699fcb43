#pragma once

#include "blatt/bogenplan.h"
#include "render/druckauftrag.h"

#include <QDialog>

class DialogDienst;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTableWidget;

// "Etiketten aus einer Liste": a list file or numbers from-to, the first records of the list in a table, how many
// labels and sheets they take from the start place, the used places of the first sheet skipped. "Drucken" takes
// only a list that reads and has records; otherwise the service says why and the dialog stays open.
class TListenDialog : public QDialog
{
    Q_OBJECT

public:
    TListenDialog(const Bogenmasse &masse, const Belegung &verbraucht, const QString &ordner, DialogDienst &dialoge,
                  QWidget *eltern = nullptr);

    // The records chosen and the start place, once accepted; with "Probedruck..." only their first sheet goes, on
    // plain paper.
    const Datenreihe &reihe() const { return m_reihe; }
    bool probedruck() const { return m_probedruck; }
    Platz ab() const;

    // How many records of the list the table shows.
    static constexpr int GezeigteEintraege = 10;

private:
    void WaehleListe();
    void LiesDieListe();
    void Aktualisiere();
    void DruckenClick();

    Bogenmasse m_masse;
    Belegung m_verbraucht;
    QString m_ordner;
    DialogDienst &m_dialoge;
    Datenreihe m_reihe;
    QString m_fehler; // why the list named cannot be printed; empty when it can
    bool m_probedruck = false;
    QRadioButton *m_mitListe = nullptr;
    QRadioButton *m_mitNummern = nullptr;
    QLineEdit *m_pfad = nullptr;
    QSpinBox *m_von = nullptr;
    QSpinBox *m_bis = nullptr;
    QTableWidget *m_tabelle = nullptr;
    QLabel *m_umfang = nullptr;
    QSpinBox *m_spalte = nullptr;
    QSpinBox *m_zeile = nullptr;
};
