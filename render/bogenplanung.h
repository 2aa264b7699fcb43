#pragma once

#include "blatt/bogenplan.h"
#include "render/seite.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What a place of the sheet shows besides the index (from 0) of the label planned there.
inline constexpr int PlatzFrei = -1;
inline constexpr int PlatzVerbraucht = -2;

// A label the sheet can carry: its picture file, its decoded picture, the measures it is placed by (its sheet on
// paper is the plan's, GleicherBogen) and how many places it takes. 0 or less: it takes no part; no count: what the
// others leave of the sheet. The window's own label carries the window's measures, which need not be saved yet.
// Its back as its settings file names it (empty: none) and its bleed come with it.
struct Planetikett
{
    QString pfad;
    QImage bild;
    Bogenmasse masse;
    std::optional<int> anzahl = 1;
    bool ausDemFenster = false;
    QString rueckseite;
    int anschnitt = 0;
};

// A label as its files hold it now, to join the sheet m: its picture and, unless it keeps the measures it has
// (the window's label), those of its settings file, which must describe the same sheet on paper. `fehler` says in
// German why it cannot, naming the label; then the rest is not to be used.
struct GelesenesEtikett
{
    QImage bild;
    Bogenmasse masse;
    QString fehler;
    QString rueckseite;
    int anschnitt = 0;
};
GelesenesEtikett LiesEtikett(const Planetikett &e, const Bogenmasse &m);

// A sheet being composed: its measures, the labels that share it with their counts, the place from which they
// fill the free places in reading order, the places already used, and the plan they make or the reason there is
// none. The plan follows every change at once; a change that changes nothing answers false, as one that is refused
// (a place not on the sheet, a label not in the list). The used places are handed in and read out, so that storing
// them is the caller's.
class Bogenplanung
{
public:
    // The one label from the first free place; `verbraucht` is cut or filled with free places to the sheet's.
    Bogenplanung(const Bogenmasse &m, Planetikett erstes, Belegung verbraucht);

    // Appends a label (its count as given); its index.
    int fuegeHinzu(Planetikett e);
    bool setzeAnzahl(int etikett, std::optional<int> anzahl);
    bool setzeAb(int nummer);
    bool setzeVerbraucht(int nummer, bool verbraucht);
    // The used places as the store holds them now, cut or filled to the sheet's; the filling starts where it did.
    bool uebernimmVerbraucht(Belegung verbraucht);
    // The label moves to the top of the list, with one place at least, and the filling starts at the place: it
    // lands there.
    bool setzeAn(int etikett, int nummer);
    // The plan's places, to be used once its page went out.
    Platzaenderung planplaetze() const;
    // After the plan's page went onto label stock: the used places as they are now (the plan's among them), the
    // filling from the first free place.
    void gedruckt(Belegung verbraucht);
    // After the page went into a file: no label stock was touched, the places stay as they are.
    void inDateiGedruckt();
    // Every place free, the filling from the first.
    void neuerBogen();
    // Reads the picture and settings file of every label with places in the plan again (LiesEtikett), so that
    // what prints is what is on disk now. Changes nothing and answers why, naming each label that cannot, when one
    // cannot; otherwise the labels carry what was read.
    QString liesEtikettenNeu();

    const Bogenmasse &masse() const { return m_masse; }
    const QList<Planetikett> &etiketten() const { return m_etiketten; }
    // The labels as the page shows them, which the plan's entries index.
    QList<Seitenetikett> seitenetiketten() const;
    int ab() const { return m_ab; }
    const Belegung &verbraucht() const { return m_verbraucht; }
    // The plan; when `fehler` says why there is none, it has no places.
    const Fuellung &fuellung() const { return m_fuellung; }
    // Per place in reading order: PlatzFrei, PlatzVerbraucht or the index of the label planned there.
    QList<int> inhalte() const;
    // 1 when none is free.
    int ersterFreier() const;
    // Whether the picture file is one of the labels already.
    bool traegt(const QString &pfad) const;
    // Labels are placed and the plan changed since the planning began or its page was last printed.
    bool ungedruckt() const;
    // Per place in reading order, what a screen reader calls it: "Spalte 2, Zeile 1: Rot", "Spalte 1, Zeile 3:
    // frei", "...: verbraucht".
    QStringList platznamen() const;

private:
    void plane();

    Bogenmasse m_masse;
    QList<Planetikett> m_etiketten;
    int m_ab = 1;
    Belegung m_verbraucht;
    Fuellung m_fuellung;
    Bogenplan m_gedruckt;
};

// The list's entry: "Rot: 3"; for a label without a count "Rot: Rest".
QString Listeneintrag(const Planetikett &e);
// What a screen reader says of it: "Rot, Anzahl 3"; "Rot, Rest des Bogens".
QString ListeneintragZugang(const Planetikett &e);
// Where the filling starts: "Spalte 2, Zeile 3".
QString AbStelle(const Bogenplanung &p);
// "7 Etiketten auf der Seite".
QString Vorschaubeschreibung(const Fuellung &f);
