#pragma once

#include "render/bogenplanung.h"

#include <QDialog>
#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

class DialogDienst;
class Etikettenliste;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QSpinBox;

// The places of a sheet in the sheet's proportions: free, used (grey, crossed) or holding a label (its picture).
// Arrows move between places, Space toggles used and free, Enter asks to put the chosen label at the place; a
// click toggles a place, a drag gives the places it passes the state of the first. The chosen place carries the
// focus mark, and the description for screen readers follows it.
class TPlatzraster : public QWidget
{
    Q_OBJECT

public:
    explicit TPlatzraster(QWidget *eltern = nullptr);

    // Per place, in reading order: PlatzFrei, PlatzVerbraucht, or the index of its label in `bilder`.
    void zeige(const Bogenmasse &m, const QList<int> &inhalt, const QList<QImage> &bilder);
    int gewaehlt() const { return m_gewaehlt; } // the place's number
    void waehle(int nummer);

Q_SIGNALS:
    // The person asks for the place to be used or free; the grid shows it once zeige() says so.
    void umschaltenVerlangt(int nummer, bool verbraucht);
    // The person asks for the chosen label at the place.
    void setzenVerlangt(int nummer);

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

// "Bogen zusammenstellen": the places of the current label's sheet with the ones already used (remembered per
// sheet measures), the labels of this sheet with their counts, and the page they make from "Ab Platz" in reading
// order. The dialog shows a Bogenplanung and hands the person's actions to it. "Drucken" hands the plan to
// `drucke`, which prints it as the window prints and says whether it went out; only then do its places count as
// used. "Neuer Bogen" frees every place. The used places are read from the store when the dialog opens and
// written after a print and at "Neuer Bogen". An error in a button or key is shown through the dialog service and
// goes no further.
class TBogenplanDialog : public QDialog
{
    Q_OBJECT

public:
    using Drucke = std::function<bool(const Bogenplan &plan, const QList<QImage> &bilder)>;

    TBogenplanDialog(const Bogenmasse &m, Planetikett aktuelles, QString etikettenOrdner, Drucke drucke,
                     DialogDienst &dialoge, QWidget *eltern = nullptr);

    const Bogenplanung &planung() const { return m_planung; }
    // The plan as the dialog shows it; fehler says why there is none.
    const Fuellung &fuellung() const { return m_planung.fuellung(); }
    const Belegung &verbraucht() const { return m_planung.verbraucht(); }

private:
    void zeige();
    void zeigeAnzahl();
    void zeigeVorschau();
    int gewaehltesEtikett() const;
    void waehleEtikett(int zeile);
    void bieteEtikettenAn();
    void nimmEtikett(const QString &pfad);
    void setzeAn(int nummer);
    void DruckenClick();
    void NeuerBogenClick();
    void bewacht(const std::function<void()> &handler);

    Bogenplanung m_planung;
    QString m_ordner;
    Drucke m_drucke;
    DialogDienst &m_dialoge;
    // What the preview shows: a plan and the keys of the pictures it indexes.
    std::optional<std::pair<Bogenplan, QList<qint64>>> m_vorschauVon;

    TPlatzraster *m_raster;
    Etikettenliste *m_eintraege;
    QListView *m_liste;
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
