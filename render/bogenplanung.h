#pragma once

#include "blatt/bogenplan.h"

#include <QImage>
#include <QList>
#include <QString>

#include <optional>

// What a place of the sheet shows besides the index (from 0) of the label planned there.
inline constexpr int PlatzFrei = -1;
inline constexpr int PlatzVerbraucht = -2;

// A label the sheet can carry: its picture file, its decoded picture and how many places it takes. 0 or less: it
// takes no part; no count: what the others leave of the sheet.
struct Planetikett
{
    QString pfad;
    QImage bild;
    std::optional<int> anzahl = 1;
};

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

    // Appends a label with count 1; its index.
    int fuegeHinzu(QString pfad, QImage bild);
    bool setzeAnzahl(int etikett, std::optional<int> anzahl);
    bool setzeAb(int nummer);
    bool setzeVerbraucht(int nummer, bool verbraucht);
    // The label moves to the top of the list, with one place at least, and the filling starts at the place: it
    // lands there.
    bool setzeAn(int etikett, int nummer);
    // After the plan's page went out: its places count as used, and the filling starts at the first free place.
    void gedruckt();
    // Every place free, the filling from the first.
    void neuerBogen();

    const Bogenmasse &masse() const { return m_masse; }
    const QList<Planetikett> &etiketten() const { return m_etiketten; }
    // The labels' pictures, which the plan's entries index.
    QList<QImage> bilder() const;
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

private:
    void plane();

    Bogenmasse m_masse;
    QList<Planetikett> m_etiketten;
    int m_ab = 1;
    Belegung m_verbraucht;
    Fuellung m_fuellung;
};

// The list's entry: "Rot: 3"; for a label without a count "Rot: Rest".
QString Listeneintrag(const Planetikett &e);
// What a screen reader says of it: "Rot, Anzahl 3"; "Rot, Rest des Bogens".
QString ListeneintragZugang(const Planetikett &e);
// Where the filling starts: "Spalte 2, Zeile 3".
QString AbStelle(const Bogenplanung &p);
// A place for a screen reader: "Platz 4: Spalte 2, Zeile 2, frei", "..., verbraucht", "..., Etikett 1".
QString Platzbeschreibung(const Bogenmasse &m, int nummer, int inhalt);
// "7 Etiketten auf der Seite".
QString Vorschaubeschreibung(const Fuellung &f);
