#pragma once

#include "storage/bogensuche.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedLayout;
class QTimer;
class Trefferliste;

// Picks a sheet from the catalogue: the person types into the search field and the list keeps the matching
// sheets, best first; the arrow keys move in the list while typing, Enter takes the chosen sheet ("Anlegen"). The
// chosen sheet is drawn beside the list with its measures.
class TEtikettenbogenDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TEtikettenbogenDialog(QList<Etikettenbogen> boegen, QWidget *eltern = nullptr);

    // The sheet chosen when the dialog was accepted, with the product number searched for first.
    std::optional<Etikettenbogen> gewaehlterBogen() const;

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override;

private:
    void SuchfeldChange();
    void suche();
    void zeigeGewaehlten();
    void bewege(int schritte);

    QList<Etikettenbogen> m_boegen;
    QList<Suchschluessel> m_schluessel;
    QLineEdit *m_suchfeld;
    QListView *m_liste;
    Trefferliste *m_treffer;
    QTimer *m_suchTimer;
    QLabel *m_keineTreffer;
    QLabel *m_trefferzahl;
    QStackedLayout *m_listenplatz;
    QLabel *m_bild;
    QLabel *m_masse;
    QLabel *m_eintrag;
    QPushButton *m_anlegen;
};
