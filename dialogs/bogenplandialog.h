#pragma once

#include "render/bogenplanung.h"

#include <QAccessible>
#include <QDialog>
#include <QImage>
#include <QStringList>
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
// focus mark. A screen reader sees a table of cells, one per place, each named by what it holds; the focused cell
// follows the keyboard.
class TPlatzraster : public QWidget
{
    Q_OBJECT

public:
    explicit TPlatzraster(QWidget *eltern = nullptr);

    // Per place, in reading order: PlatzFrei, PlatzVerbraucht, or the index of its label in `bilder`; and what a
    // screen reader calls it.
    void zeige(const Bogenmasse &m, const QList<int> &inhalt, const QList<QImage> &bilder, const QStringList &namen);
    int gewaehlt() const { return m_gewaehlt; } // the place's number
    void waehle(int nummer);

    const Bogenmasse &masse() const { return m_masse; }
    int platzanzahl() const { return int(m_inhalt.size()); }
    // The grid is where its window's keys go, also while another window is in front.
    bool imFokus() const { return window()->focusWidget() == this; }
    QString platzname(int nummer) const { return m_namen.value(nummer - 1); }
    // The place on screen, in the grid's coordinates; its number at a point, 0 for none.
    QRectF rechteck(int nummer) const;
    int nummerBei(QPointF punkt) const;

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
    // Tells screen readers of the place (QAccessible::Focus, NameChanged, ...).
    void melde(int nummer, QAccessible::Event art);

    Bogenmasse m_masse;
    QList<int> m_inhalt;
    QList<QImage> m_bilder;
    QStringList m_namen;
    int m_gewaehlt = 1;
    bool m_ziehZustand = false;
    int m_zuletztGezogen = 0;
};

// What the print of a sheet plan reached: nothing (cancelled or refused), label stock in a printer, or a file.
enum class Druckziel { Nichts, Papier, Datei };

// "Bogen zusammenstellen": the places of the current label's sheet with the ones already used (remembered per
// sheet on paper), the labels of this sheet with their counts, and the page they make from "Ab Platz" in reading
// order. The dialog shows a Bogenplanung and hands the person's actions to it. "Drucken" reads every label's files
// again and hands the plan to `drucke`, which prints it as the window prints and says where it went; only a page
// on paper makes its places used. "Probedruck..." hands it to `probedrucke`, a test print on plain paper, which uses
// none. Every change of the used places (by hand, after a print, "Neuer Bogen") goes to the store at once, as a
// change against what it holds now, and the dialog shows what the store then holds.
// Closing with a plan not printed since its last change asks first. An error in a button or key is shown through
// the dialog service and goes no further.
class TBogenplanDialog : public QDialog
{
    Q_OBJECT

public:
    using Drucke = std::function<Druckziel(const Bogenplan &plan, const QList<Seitenetikett> &etiketten)>;

    // `aktuelles` is the window's label with the window's measures m.
    TBogenplanDialog(const Bogenmasse &m, Planetikett aktuelles, QString etikettenOrdner, Drucke drucke,
                     Drucke probedrucke, DialogDienst &dialoge, QWidget *eltern = nullptr);

    const Bogenplanung &planung() const { return m_planung; }
    // The plan as the dialog shows it; fehler says why there is none.
    const Fuellung &fuellung() const { return m_planung.fuellung(); }
    const Belegung &verbraucht() const { return m_planung.verbraucht(); }

    // "Schließen", Escape and the window's close button: with a plan not printed, only after "&Ja" to the question.
    void reject() override;

private:
    void zeige(const QString &meldung = {});
    void zeigeAnzahl();
    void zeigeVorschau();
    int gewaehltesEtikett() const;
    void waehleEtikett(int zeile);
    void bieteEtikettenAn();
    void nimmEtikett(const QString &pfad);
    void setzeAn(int nummer);
    void schalteUm(int nummer, bool verbraucht);
    void DruckenClick();
    void ProbedruckClick();
    // What both print buttons do first: the labels' files read again; the plan to print.
    Bogenplan druckbarerPlan();
    void NeuerBogenClick();
    void bewacht(const std::function<void()> &handler);

    Bogenplanung m_planung;
    QString m_ordner;
    Drucke m_drucke;
    Drucke m_probedrucke;
    DialogDienst &m_dialoge;
    // What the preview shows: a plan and the keys of the pictures it indexes.
    std::optional<std::pair<Bogenplan, QList<qint64>>> m_vorschauVon;

    // While the dialog writes its fields.
    bool m_zeigt = false;

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
    QPushButton *m_probedruck;
    QPushButton *m_neuerBogen;
};
