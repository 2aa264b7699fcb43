#pragma once

#include "blatt/bogenplan.h"
#include "cli/aufruf.h"
#include "render/seite.h"

#include <QImage>
#include <QString>

// A label as the command prints it: its decoded picture and what its settings file holds.
struct DruckbaresEtikett
{
    QImage bild;
    Bogenmasse masse;
    int anschnitt = 0;
    QString warnung;    // for the person, once: a [Genau] or [Anschnitt] section that is not used
    QString rueckseite; // the back's picture that its settings file names, as named; empty without one
    bool schnittmarken = false;
    std::optional<Textfeld> text; // what a list fills in ([Text], [Code])
    std::optional<Codefeld> code;
};

// Reads the picture and its settings file as the window reads them (rounded, kept in the editors' ranges, a
// missing key left at the editors' start value) and refuses what the window would repair or never offer: a
// missing or unreadable picture or settings file, measures that cannot go to paper (DruckHindernis), a label or
// row beyond the sheet's counts. Throws Fehler with the German text.
DruckbaresEtikett LadeEtikett(const QString &bildPfad, const Seitenwahl &wahl);

// The labels of --ab on one sheet: each with its picture and its own measures, in the call's order, and the plan
// that fills the places from the given one. Each label as LadeEtikett reads it; refused with a Fehler: a label of
// another sheet than the first's (GleicherBogen; naming both and the measures that differ), more labels than
// places from there.
struct DruckbarerBogen
{
    QList<Seitenetikett> etiketten;
    Bogenplan plan;
    QStringList rueckseiten; // each label's back as named, as DruckbaresEtikett::rueckseite
    bool schnittmarken = false; // as the first label's settings file says, as the window prints its own label's plan
};
DruckbarerBogen LadeBogen(const QList<Bogenangabe> &etiketten, Platz ab);

// The back's picture of the label at `bildPfad`, read as LadeEtikett read it. Throws Fehler: "Das Etikett <Name> hat
// keine Rückseite." when it names none, or the refusal of the back that it names (LeseRueckseite).
QImage LadeRueckseite(const QString &bildPfad, const DruckbaresEtikett &etikett);

// The backs' pictures of the labels of --ab, in their order; a null picture for a label without one. Throws Fehler
// when no label has one, naming them, or for a back that is named but refused.
QList<QImage> LadeRueckseiten(const QList<Bogenangabe> &etiketten, const DruckbarerBogen &bogen);

// Why the PDF file must not be written where it was asked for: it is the label's own picture or settings file, by
// name, through a link or a second name of the same file. Empty when it may.
QString PdfZielIstEtikett(const QString &pdf, const QString &bildPfad);

// The same for every file the job's labels stand on, once their settings files are read: each label's picture and
// settings file, the back that its settings file names and the list of --liste (also where only the fronts print, so
// that no back is ever lost to a PDF). Empty when the job has no PDF file or it may be written.
QString PdfZielIstGelesen(const Druckbefehl &befehl, const DruckbaresEtikett &etikett, const DruckbarerBogen &bogen);
