#pragma once

#include "blatt/bogenplan.h"

#include <QDialog>
#include <QImage>
#include <QWidget>

#include <functional>

class DialogDienst;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QSpinBox;

// The places of a sheet in the sheet's proportions: free, used (grey, crossed) or holding a label (its picture).
// Arrows move between places, Space toggles used and free, Enter asks to put the chosen label at the place; a
// click toggles a place, a drag gives the places it passes the state of the first. The chosen place carries the
// focus mark, and the description for screen readers follows it.
class TPlatzraster : public QWidget
{
public:
    static constexpr int Frei = -1;
    static constexpr int Verbraucht = -2;

    explicit TPlatzraster(QWidget *eltern = nullptr);

    // Per place, in reading order: Frei, Verbraucht, or the index of its label in `bilder`.
    void zeige(const Bogenmasse &m, const QList<int> &inhalt, const QList<QImage> &bilder);
    int gewaehlt() const { return m_gewaehlt; } // the place's number
    void waehle(int nummer);

    std::function<void(int nummer, bool verbraucht)> umschalten;
    std::function<void(int nummer)> setzen;

protected:
    void paintEvent(QPaintEvent *ereignis) override;
    void keyPressEvent(QKeyEvent *ereignis) override;
    void mousePressEvent(QMouseEvent *ereignis) override;
    void mouseMoveEvent(QMouseEvent *ereignis) override;
    void focusInEvent(QFocusEvent *ereignis) override;
    void focusOutEvent(QFocusEvent *ereignis) override;

private:
    QRectF rechteck(int nummer) const;
    int nummerBei(QPointF punkt) const;
    void beschreibe();

    Bogenmasse m_masse;
    QList<int> m_inhalt;
    QList<QImage> m_bilder;
    int m_gewaehlt = 1;
    bool m_ziehZustand = false;
    int m_zuletztGezogen = 0;
};

// A label the sheet can carry: its picture file and its decoded picture.
struct Bogenetikett
{
    QString pfad;
    QImage bild;
};

// "Bogen zusammenstellen": the places of the current label's sheet with the ones already used (remembered per
// sheet measures), the labels of this sheet with their counts, and the page they make from "Ab Platz" in reading
// order. "Drucken" hands the plan to `drucke`, which prints it as the window prints and says whether it went
// out; only then do its places count as used. "Neuer Bogen" frees every place. An error in a button or key is
// shown through the dialog service and goes no further.
class TBogenplanDialog : public QDialog
{
    Q_OBJECT

public:
    using Drucke = std::function<bool(const Bogenplan &plan, const QList<QImage> &bilder)>;

    TBogenplanDialog(const Bogenmasse &m, Bogenetikett aktuelles, QString etikettenOrdner, Drucke drucke,
                     DialogDienst &dialoge, QWidget *eltern = nullptr);

    // The plan as the dialog shows it; fehler says why there is none.
    const Fuellung &fuellung() const { return m_fuellung; }
    const Belegung &verbraucht() const { return m_verbraucht; }

private:
    struct Eintrag
    {
        Bogenetikett etikett;
        int anzahl = 1;
    };

    void berechne();
    void zeigeListe();
    void waehleEtikett();
    void bieteEtikettenAn();
    void nimmEtikett(const QString &pfad);
    void setzeAn(int nummer);
    void DruckenClick();
    void NeuerBogenClick();
    int ersterFreier() const;
    void bewacht(const std::function<void()> &handler);

    Bogenmasse m_masse;
    QString m_ordner;
    Drucke m_drucke;
    DialogDienst &m_dialoge;
    QList<Eintrag> m_etiketten;
    Belegung m_verbraucht;
    Fuellung m_fuellung;
    bool m_zeigt = false;

    TPlatzraster *m_raster;
    QListWidget *m_liste;
    QSpinBox *m_anzahl;
    QPushButton *m_hinzufuegen;
    QMenu *m_angebot;
    QSpinBox *m_ab;
    QLabel *m_abStelle;
    QLabel *m_hinweis;
    QLabel *m_vorschau;
    QPushButton *m_drucken;
    QPushButton *m_neuerBogen;
};
