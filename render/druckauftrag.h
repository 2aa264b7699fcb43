#pragma once

#include "blatt/bogenplan.h"
#include "render/platzhalter.h"
#include "render/randpruefung.h"
#include "render/seite.h"
#include "storage/liste.h"

#include <QCache>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

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

// The records a print fills its labels from: a list's, each numbered from `ersteNummer` on, or numbers alone,
// `anzahl` of them from `ersteNummer` on.
struct Datenreihe
{
    QString liste; // the list's path, for messages; empty for numbers alone
    QStringList felder;
    QList<Listeneintrag> eintraege;
    qint64 ersteNummer = 1;
    qint64 anzahl = 0; // numbers alone

    qint64 groesse() const { return liste.isEmpty() ? anzahl : eintraege.size(); }
    Datensatz satz(qint64 i) const;
};

// What the person is told before anything of a list prints. A placeholder that names no field stops the print;
// the other two name each record (by its list line, or its number) and leave the choice to the person.
struct Datenhinweise
{
    QString unbekannt;      // UnbekanntePlatzhalterMeldung
    QStringList zuGross;    // "Zeile 17 der Liste passt auch in 6 pt nicht auf das Etikett."
    QStringList codeFehler; // "Zeile 17 der Liste: " and the code's refusal

    bool leer() const { return unbekannt.isEmpty() && zuGross.isEmpty() && codeFehler.isEmpty(); }
    // All of it, a paragraph each, the records of each kind listed up to ten and the rest counted.
    QString text() const;
};

// How many sheets `anzahl` records take from `ab` on, the places `verbraucht` marks on the first skipped, as a print
// of records fills them; 0 for none.
int BogenFuer(const Bogenmasse &m, const Belegung &verbraucht, Platz ab, qint64 anzahl);

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

    // The records of a list or of numbers fill the label's places from `ab` on, skipping the places `verbraucht`
    // marks on the first sheet, then every place of as many sheets as they take; the label's text and code are
    // filled from them. One label only: a sheet plan takes no records.
    void setzeDaten(const Datenreihe &reihe, Platz ab, const Belegung &verbraucht = {});
    bool hatDaten() const { return m_daten.has_value(); }
    // How many sheets the print takes: 1 without records, and for a test print, which shows the first.
    int boegen() const;
    // What to tell before anything prints; empty without records or when every record fits.
    Datenhinweise vorDemDruck() const;
    // The used places of the last sheet once the print is on paper: those marked before and the printed ones when
    // it is the first.
    Belegung belegungDanach() const;

    // What the front's labels carry over their pictures on a device, each at its place: what seite() adds to the
    // front, for the preview to draw over its own page. Without records every label shows `satz` (at first the
    // running number 1 alone).
    QList<Aufdruck> aufdrucke(const Druckflaeche &flaeche) const;
    void setzeMustersatz(const Datensatz &satz) { m_muster = satz; }

    // Whether a place the front shows has a back.
    bool hatRueckseite() const;
    // The pages the print puts on paper, in their order.
    QList<Blattseite> blaetter() const;
    // The labels a page shows, each where it is meant on the paper: the front's, or on the back those of them that
    // have a back, where the turned sheet brings them.
    QList<GedrucktesEtikett> orte(Blattseite seite) const;
    QList<GedrucktesEtikett> orte(Blattseite seite, int bogen) const;
    // The largest bleed of the labels, hundredths of a millimetre.
    int anschnitt() const;
    // Whether the front would come out blank (see SeiteLeer; a back has nothing to stand behind then either): no
    // page of such a print goes out, whatever the device. Throws Fehler when there is no picture to print.
    bool leer() const;
    // One page for a device, the device's correction that of its side, the lines of `zeichen` in a last part of
    // its own. Throws Fehler as BaueSeite and BaueRueckseite, and for a back page of which no label has a back.
    // The front carries each label's text and code filled from its record (without records: the running number 1
    // alone), at the label's exact place; a back never does. `bogen` counts the sheets of a print of records from 0.
    QList<Seitenbild> seite(Blattseite seite, const Druckflaeche &flaeche) const;
    QList<Seitenbild> seite(Blattseite seite, const Druckflaeche &flaeche, int bogen) const;
    // The lines a page carries over its labels, in mm on the paper, uncorrected: none but for a test print or crop
    // marks. The preview draws them on its own page.
    QList<Strich> zeichen(Blattseite seite) const;
    // What the printer's bands take, one entry per page of `blaetter()`, each with its side's correction. When both
    // sides go in one job, the back's sentences begin "Auf der Rückseite: ". With records, those of every sheet,
    // each once.
    QList<Randsaetze> rand(const Druckraender &raender, const Druckerkorrektur &vorne,
                           const Druckerkorrektur &hinten) const;

private:
    struct Daten
    {
        Datenreihe reihe;
        QList<Bogenplan> plaene; // one per sheet
        QList<qint64> erster;    // the record of each sheet's first place
    };
    Druckauftrag fuerBogen(int bogen) const;
    std::optional<int> groesse(const Textfeld &text, const QStringList &zeilen) const;
    std::variant<Codebild, QString> code(const Codefeld &code, const QString &inhalt) const;
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
    std::optional<Daten> m_daten;
    // A sheet of a print of records: the records, and the one of its first place.
    std::optional<Datenreihe> m_reihe;
    Datensatz m_muster{{}, {}, 1};
    qint64 m_ersterSatz = 0;
    // The sizes the lines fit in, measured once for the check and the pages alike, shared by the sheets' copies.
    std::shared_ptr<QHash<QString, std::optional<int>>> m_groessen =
        std::make_shared<QHash<QString, std::optional<int>>>();
    // The codes encoded for the check, kept for the pages up to some millions of modules.
    using Codespeicher = QCache<QString, std::variant<Codebild, QString>>;
    std::shared_ptr<Codespeicher> m_codes = std::make_shared<Codespeicher>(4'000'000);
};
