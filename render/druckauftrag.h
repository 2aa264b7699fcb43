#pragma once

#include "blatt/bogenplan.h"
#include "render/randpruefung.h"
#include "render/seite.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// The sides of the sheet a print puts on paper: the front, the back alone (the printed sheet turned and put in
// again), or both as two pages of one job.
enum class Druckseiten { Vorderseite, Rueckseite, Beide };

// The name a job carries at the print server, so that the front's job is told from the back's: the label's name
// and the side, "Visitenkarte_85x54 – Vorderseite"; the side alone for a label without a name.
QString Auftragsname(const QString &etikett, Druckseiten seiten);

// What a printer's bands would take of one page: one sentence per side of the paper where labels are cut (the
// person is asked before such a page goes), and the sentence of a bleed that reaches into the bands (told).
struct Randsaetze
{
    QStringList verlust;
    QString imRand;
};

// One print, set up once from a label or from a sheet plan and then asked for everything that goes to paper: the
// pages, the places each shows, which places get a back, the bleed, whether the page would be blank and what the
// printer's margins would take. The window and morvane-druck choose only the device and ask the person's questions.
class Druckauftrag
{
public:
    // One label in the chosen mode: its picture, measures and bleed; `rueckseite` is its back's picture, null for a
    // label of one side.
    Druckauftrag(const Seitenetikett &etikett, const Seitenwahl &wahl, const QImage &rueckseite = {});
    // A sheet plan: the labels its entries index and, in the same order, their backs' pictures (null: none).
    Druckauftrag(const Bogenplan &plan, const QList<Seitenetikett> &etiketten, const QList<QImage> &rueckseiten = {});

    void setzeSeiten(Druckseiten seiten) { m_seiten = seiten; }
    Druckseiten seiten() const { return m_seiten; }
    // How the sheet is turned for its back.
    void setzeKante(Wendekante kante) { m_kante = kante; }
    Wendekante kante() const { return m_kante; }
    // The bleed of every label for this print, over their own (hundredths of a millimetre; 0: none).
    void setzeAnschnitt(int hundertstel);
    // A test print on plain paper: over the labels, every place of the sheet outlined where the stock has it, with
    // its number and a foot line (Probedruckzeichen). A real print never carries them.
    void setzeProbedruck(bool an) { m_probedruck = an; }
    // Crop marks on the front page (Schnittmarken): clear of every label's bleed as it is drawn and of the places of
    // the sheet the page leaves empty. Never on a back.
    void setzeSchnittmarken(bool an) { m_schnittmarken = an; }

    // Whether a place the front shows has a back.
    bool hatRueckseite() const;
    // The pages the print puts on paper, in their order.
    QList<Blattseite> blaetter() const;
    // The labels a page shows, each where it is meant on the paper: the front's, or on the back those of them that
    // have a back, where the turned sheet brings them.
    QList<GedrucktesEtikett> orte(Blattseite seite) const;
    // The largest bleed of the labels, hundredths of a millimetre.
    int anschnitt() const;
    // Whether the front would come out blank (see SeiteLeer; a back has nothing to stand behind then either): no
    // page of such a print goes out, whatever the device. Throws Fehler when there is no picture to print.
    bool leer() const;
    // One page for a device, the device's correction that of its side, the lines of `zeichen` in a last part of
    // its own. Throws Fehler as BaueSeite and BaueRueckseite, and for a back page of which no label has a back.
    QList<Seitenbild> seite(Blattseite seite, const Druckflaeche &flaeche) const;
    // The lines a page carries over its labels, in mm on the paper, uncorrected: none but for a test print or crop
    // marks. The preview draws them on its own page.
    QList<Strich> zeichen(Blattseite seite) const;
    // What the printer's bands take, one entry per page of `blaetter()`, each with its side's correction. When both
    // sides go in one job, the back's sentences begin "Auf der Rückseite: ".
    QList<Randsaetze> rand(const Druckraender &raender, const Druckerkorrektur &vorne,
                           const Druckerkorrektur &hinten) const;

private:
    QList<Seitenetikett> rueckseitenetiketten() const;
    QList<Seitenbild> bilder(Blattseite seite, const Druckflaeche &flaeche) const;
    const Bogenmasse &masse() const;
    QList<QLineF> schnittmarken(const QList<GedrucktesEtikett> &gedruckt) const;

    // One label: its entry in m_etiketten, the choice; a plan: its places.
    std::optional<Bogenplan> m_plan;
    Seitenwahl m_wahl;
    QList<Seitenetikett> m_etiketten;
    QList<QImage> m_rueckseiten;
    Druckseiten m_seiten = Druckseiten::Vorderseite;
    Wendekante m_kante = Wendekante::Lang;
    bool m_probedruck = false;
    bool m_schnittmarken = false;
};
