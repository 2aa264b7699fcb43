#pragma once

// The main window's private part: what it keeps for the whole run beside the label it shows. The window's handler
// files and its tests read it; nothing else does.

#include "app/formetikette.h"
#include "layout/markierung.h"
#include "render/etikettdokument.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The program-wide state the window keeps for the whole run, as its behaviour is told; the label's own (its files,
// measures, back, bleed, pictures, print choice and the changed flag) is the document's.
struct Zustand
{
    QString ProgrammOrdner;
    QString OrdnerEtiketten;
    QString OrdnerEtikettenInfos;
    QString OrdnerEtikettenVorlagen;
    QString InstallOrt;
    bool ErsterAufruf = true;
    bool MehrereNebeneinanderMoeglich = true;
    int GeladeneAnzahlInZeile = 0;
    int GeladeneAnzahlInSpalte = 0;
    int LetzteAnzahlInZeile = 0;
    int LetzteAnzahlInSpalte = 0;
    int EtikettBildBreite = 0;
    int EtikettBildHoehe = 0;
    int VerzoegerungsZaehler = 0;
    // Where the file dialog for pictures of other programs opens: the folder of the last one taken.
    QString BildOrdner;
    std::array<bool, Massangaben.size()> AktualisierungAusstehend{}; // in the order of Massangaben
    Zelle MarkierteZelle;
    // How the person turns the printed sheet for its back, for the session.
    Wendekante Wenden = Wendekante::Lang;
    // The printer whose learnt turning that is; empty when the session chose it.
    QString WendenVon;
};

struct TFormEtikette::Privat
{
    explicit Privat(Umgebung u) : umgebung(std::move(u)) {}

    Zustand z;
    Etikettdokument dokument;
    Umgebung umgebung;

    // The caption, edit field and spin editor of each measure, in the order of Massangaben.
    struct Masseditor
    {
        QLabel *beschriftung;
        QLineEdit *feld;
        TUpDown *updown;
    };
    std::array<Masseditor, Massangaben.size()> masseditoren{};
    const Masseditor &editor(Massfeld feld) const { return masseditoren[MassIndex(feld)]; }

    std::shared_ptr<QPrinter> drucker;
    // What the preview shows, before the printer's bands are marked on it; the bands once a printer was chosen.
    std::function<QImage()> vorschau = [] { return QImage(); };
    std::optional<Seitenansicht> vorschauAnsicht;
    // What the single-label preview shown was made of; none for any other preview.
    struct Einzelvorschaustand
    {
        qint64 bild;
        int dpiX, dpiY;
        double x, y, breite, hoehe;
        QSize ansicht;
        bool operator==(const Einzelvorschaustand &) const = default;
    };
    std::optional<Einzelvorschaustand> einzelvorschauStand;
    std::optional<Druckraender> druckraender;
    // What the preview draws over its page (Vorschauzeichen), and whether a test print is being asked for.
    QList<Strich> vorschauzeichen;
    bool probedruck = false;
    int vorschauZaehler = 0;
    bool aktualisierungLaeuft = false;
    bool drucktGerade = false;
    // The fields of the list last printed from, offered by "Text auf dem Etikett..." to insert.
    QStringList listenfelder;
    // Its first record, which the preview shows on the label; none: the running number 1 alone.
    std::optional<Datensatz> ersterSatz;
    bool beendet = false;
    int bewachtTiefe = 0;
    QStringList offeneFehler;
};
