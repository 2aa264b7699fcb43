#pragma once

// The main window, TFormEtikette. It shows one label document (render/etikettdokument.h: the label's files, what its
// settings file holds, its pictures, the print choice and the changed flag) and sends the person's actions to it;
// what it keeps of its own for the run is private (formetikette_p.h). Its handlers live in app/, one file per group:
// formetikette.cpp (controls, menus, start, close), _masse (measure editors, delayed refresh), _passung (fit check),
// _druckmodus (print modes, position, layout picture), _vorschau (label view, preview), _drucken (print command),
// _bogen (sheet plan), _datei (open, new), _speicher (store, settings file), _bearbeiten (outside editing, reload,
// help), _bild (pictures of other programs), _rueckseite (the back), _dialoge (Info, Spenden). Calls go down into the
// logic (blatt/, storage/, layout/, render/), never back.
//
// The flows and the order of their steps:
//   start    constructor: controls, FormCreate (program folder, store, data folders); StartArbeit (picture, fit,
//            then NachDemLaden: settings, layout picture, label view and preview, mode; title, lock) when the
//            window is shown, before its first frame, or, where a dialog must show first (StartOhneDialog), queued
//   measures the document's one value, which every handler reads: the editors and fields show it, an arrow moves
//            it (MassFolgtEditor), SetzeMass sets it from the program; the row limit follows the count per column,
//            the tip of NurEineDruckenCheckBox its box and MehrereNebeneinanderMoeglich. Painting changes nothing
//   choice   the print-mode boxes and the position editors: the document's print choice follows them before any of
//            their handlers runs
//   open     OeffnenVorbereiten (save question, labels folder), file dialog, then NachDemLaden: settings, position
//            to 1/1, fit, lock, label view and preview, layout picture
//   new      as open, from a template, a catalogue sheet or a picture: name question, the files written, then as open
//   picture  a picture of another program (Bild übernehmen, a file dropped on the label view): read, the way it goes
//            onto the label when asked for, the replace question, the document takes it (picture and settings file
//            written as one, precise), then as open
//   refresh  an arrow: changing (flag), the value moved, click (edit text, pitch, pending); three timer ticks: per
//            pending measure in Aktualisierungsreihenfolge the fit check, label view, preview and layout picture
//            as it needs
//   print    the measures once, paper question, picture checked, the print job (render/druckauftrag.h) refused when
//            blank, the printer adapter loaded (drucken/), one printer (A4 at first), print dialog, A4 portrait again
//            whatever it chose (refused on a printer without A4), the printer's bands into the preview, the question
//            when labels reach into them, the job's pages; a sheet plan from "Bogen zusammenstellen..." takes the
//            same way
//   test     "Probedruck...": as print, without the paper question, the job a test print (outlines, numbers, foot
//            line), the preview showing them meanwhile; with a back, then its test page as "Rückseite drucken"
//   back     the document's back, read with the measures; "Rückseite drucken" as print, with the question how the
//            sheet goes back in and the back's correction; "Drucken" on a printer that prints both sides asks
//            whether the back goes in the same job; a sheet plan offers its back after its front
//   close    FormClose: last label to the store, or the save question

#include "drucken/druckmodul.h"
#include "layout/passung.h"
#include "platform/schale.h"
#include "render/druckauftrag.h"
#include "render/randpruefung.h"
#include "storage/druckerausrichtung.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

// dialogs/bogenplandialog.h
enum class Druckziel;

class DialogDienst;
class Etikettdokument;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QTimer;
class TAboutBox;
class TBildAnsicht;
class TMachPause;
class TSpendenBox;
class TUpDown;
struct Bogenplan;
struct Planetikett;
struct Seitenetikett;
// The window's state for the whole run, app/formetikette_p.h.
struct Zustand;

// What the window needs from the desktop; tests hand in scripted doubles.
struct Umgebung
{
    DialogDienst &dialoge;
    Schale &schale;
    std::function<Aufloesung()> bildschirm = BildschirmAufloesung;
    // Only the number of command-line arguments matters: with any, no label is loaded at start.
    int argumentAnzahl = 0;
    // Builds the one printer of the session, at the first print command; tests point it at a PDF file. Without
    // one, the printer adapter makes it.
    std::function<std::shared_ptr<QPrinter>()> druckerFabrik;
    // The printer adapter, loaded when the window first needs a printer.
    std::function<Druckmodul &()> druckmodul = []() -> Druckmodul & { return LadeDruckmodul(); };
};

// The main window: its controls carry the names they have in the description of the window, and its handlers and
// routines are those the program's behaviour is told in; its state and its own steps are private.
class TFormEtikette : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFormEtikette(Umgebung umgebung, QWidget *eltern = nullptr);
    ~TFormEtikette() override;

    // ---- Controls
    TBildAnsicht *EtikettInfoImage;
    TBildAnsicht *ImageInfo;
    TBildAnsicht *VorschauAbdeckungImage;
    QLabel *HinweisDateneingabeLabel;
    QCheckBox *MehrereEtikettenDruckenCheckBox;
    QCheckBox *GanzeSeiteCheckBox;
    QCheckBox *NurDieZeileCheckBox;
    QCheckBox *NurEineDruckenCheckBox;
    // Beside the preview, there only for a label with a back: the view and the preview show the back.
    QCheckBox *RueckseiteZeigenCheckBox;
    QLabel *Label_x_SpaltenNummer;
    QLineEdit *EditSpalte;
    TUpDown *UpDownSpalte;
    QLabel *Label_Y_InZeilenNummer;
    QLineEdit *EditZeile;
    TUpDown *UpDownZeile;
    QLabel *obererRandLabel;
    QLineEdit *EditObererRand;
    TUpDown *UpDownObererRand;
    QLabel *SeitenrandLabel;
    QLineEdit *EditSeitenrand;
    TUpDown *UpDownSeitenrand;
    QLabel *HorizontalabstandLabel;
    QLineEdit *EditHorizontalAbstand;
    TUpDown *UpDownHorizontalAbstand;
    QLabel *EtikettenbreiteLabel;
    QLineEdit *EditEtikettenbreite;
    TUpDown *UpDownEtikettenbreite;
    QLabel *VertikalAbstLabel;
    QLineEdit *EditVertikalAbstand;
    TUpDown *UpDownVertikalAbstand;
    QLabel *EtikettenHoeheLabel;
    QLineEdit *EditEtikettenHoehe;
    TUpDown *UpDownEtikettenHoehe;
    QLabel *gerundetLabel;
    QLabel *AnzEtikettenInZeileLabel;
    QLineEdit *EditAnzEtikettenInZeile;
    TUpDown *UpDownAnzEtikettenInZeile;
    QLabel *AnzEtikettenInSpalteLabel;
    QLineEdit *EditAnzEtikettenInSpalte;
    TUpDown *UpDownAnzEtikettenInSpalte;
    QPushButton *BitBtn1;
    QPushButton *BitBtnNeuladen;
    TBildAnsicht *Image1;
    QLabel *Label1;
    TBildAnsicht *VorschauImage;
    QPlainTextEdit *Memo1;
    QFrame *Bevel1;
    QFrame *Bevel2;
    QFrame *Bevel3;
    QFrame *Bevel4;
    QFrame *Bevel5;
    QFrame *Bevel6;
    QTimer *Timer1;
    QTimer *VerzoegerungsTimer;
    TMachPause *MachPause1;
    QWidget *Klientflaeche;

    QMenu *Datei1;
    QAction *Neu1;
    QAction *NeuFuerEtikettenbogen1;
    QAction *NeuAusBild1;
    QAction *Oeffnen1;
    QAction *drucken1;
    QAction *RueckseiteDrucken1;
    QAction *Probedruck1;
    QAction *speichern1;
    QAction *Etikettneuladen1;
    QAction *BogenZusammenstellen1;
    QAction *EtikettenAusListe1;
    QAction *TextAufEtikett1;
    QAction *CodeAufEtikett1;
    QAction *N1;
    QAction *Beenden1;
    QMenu *Bearbeiten1;
    QAction *Etikettbearbeiten1;
    QAction *MasseEtikettBearbeiten;
    QAction *RueckseiteWaehlen1;
    QAction *KurzeKante1;
    QAction *BildUebernehmen1;
    QMenu *Option1;
    QAction *RegistryEintraegeloeschen1;
    QAction *DruckerAusrichten1;
    QAction *MasseGenauEingeben1;
    QAction *Anschnitt1;
    QAction *Schnittmarken1;
    QMenu *Hilfe1;
    QAction *Hilfethemen1;
    QAction *Spenden1;
    QAction *InfoUeber;

    // The two dialogs, made on first use (InfoUeberClick, Spenden1Click).
    QPointer<TAboutBox> AboutBox;
    QPointer<TSpendenBox> SpendenBox;

    // ---- The label shown, and what the window keeps for the whole run
    Etikettdokument &dokument();
    const Etikettdokument &dokument() const;
    const Zustand &zustand() const;

    // ---- Measures and position, as the window holds them
    int ObererRand() const;
    int SeitenRand() const;
    int Vertikalabstand() const;
    int Horizontalabstand() const;
    int Etikettenhoehe() const;
    int Etikettenbreite() const;
    int AnzahlEtikettenInZeile() const;
    int AnzahlEtikettenInSpalte() const;
    int Spalte() const;
    int Zeile() const;
    // The measures of the current label, with the exact lengths of a precise one.
    const Bogenmasse &Masse() const;
    // What the print modes choose: one label, the row, or the whole sheet.
    Seitenwahl Druckwahl() const;

    // ---- Start-up and shutdown
    void FormCreate();
    void FormClose();
    void Beenden1Click();
    void Timer1Timer();

    // ---- Per-user store
    QString Lies_String_aus_Registry(const QString &name);
    void Schreib_String_in_Registry(const QString &name, const QString &text);
    void Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege();
    void RegistryEintraegeloeschen1Click();

    // ---- Settings file
    void LiesVorlagenDatenEin(const QString &bildPfad);
    void speichern1Click();
    void AllesSpeichern();
    void SpeichereDaten();
    void EinstellungenSpeichernFrage();

    // ---- Label library, pictures of other programs, outside editing, help
    void Oeffnen1Click();
    void Neu1Click();
    // "Neu für einen Etikettenbogen...": a new label for a sheet of the catalogue.
    void NeuFuerEtikettenbogen1Click();
    // "Bild übernehmen...": a picture of another program becomes the current label's picture.
    void BildUebernehmen1Click();
    // "Neu aus einem Bild...": a new label with the current label's sheet, its picture taken from a file.
    void NeuAusBild1Click();
    void Etikettbearbeiten1Click();
    void Image1DblClick();
    void BitBtnNeuladenClick();
    void Etikettneuladen1Click();
    void Hilfethemen1Click();

    // ---- Fit check
    void LiesBildGroesse();
    void UeberpruefeObsInDerBreiteMehrmalsPasst();
    void BerechneObEtikettenInDINA4Passen();

    // ---- Measure editors
    void UpDownObererRandChanging();
    void UpDownSeitenrandChanging();
    void UpDownVertikalAbstandChanging();
    void UpDownHorizontalAbstandChanging();
    void UpDownEtikettenHoeheChanging();
    void UpDownEtikettenbreiteChanging();
    void UpDownAnzEtikettenInZeileChanging();
    void UpDownAnzEtikettenInSpalteChanging();
    void UpDownObererRandClick();
    void UpDownSeitenrandClick();
    void UpDownVertikalAbstandClick();
    void UpDownHorizontalAbstandClick();
    void UpDownEtikettenHoeheClick();
    void UpDownEtikettenbreiteClick();
    void UpDownAnzEtikettenInZeileClick();
    void UpDownAnzEtikettenInSpalteClick();
    void EditAnzEtikettenInZeileChange();
    void EditAnzEtikettenInSpalteChange();
    void VerzoegerungsTimerTimer();
    void AktiviereEinstellungen();
    void DeaktiviereEinstellungen();
    void MasseBearbeitenClick();
    void MasseEtikettBearbeitenClick();
    void UpDownEtikettenHoeheMouseDown();
    void UpDownEtikettenHoeheMouseUp();
    void UpDownEtikettenbreiteMouseDown();
    void UpDownEtikettenbreiteMouseUp();
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    // "Maße genau eingeben...": the eight measures typed; OK takes them as the arrows would.
    void MasseGenauEingeben1Click();
    // "Anschnitt...": the label's bleed, written into its settings file at once, shown in the preview.
    void Anschnitt1Click();
    // "Schnittmarken": crop marks on the label's prints or not, written into its settings file at once, shown in the
    // preview.
    void Schnittmarken1Click();

    // ---- Print modes and position
    void MehrereEtikettenDruckenCheckBoxClick();
    void NurEineDruckenCheckBoxClick();
    void GanzeSeiteCheckBoxClick();
    void NurDieZeileCheckBoxClick();
    void UpDownSpalteClick();
    void UpDownZeileClick();
    void ZeigeEtikettenPosition(QRgb farbe);
    void LadeEtikettenInfo();

    // ---- Label view, preview, printing
    // The composed sheet; null when the picture opens but does not decode.
    QImage ImageMitEtikettenAuffuellen();
    void MachVorschau();
    void StelleGroesseImage1ein();
    void drucken1Click();
    // "Probedruck auf Normalpapier...": the page "Drucken" would print, every place of the sheet outlined, without
    // the paper question, in the preview while it is asked for; with a back, its test page after the question how
    // the sheet goes back in. It uses up no place of a sheet.
    void Probedruck1Click();
    // "Bogen zusammenstellen...": several labels of the current label's sheet on one page.
    void BogenZusammenstellen1Click();
    // "Etiketten aus einer Liste...": the label's text and code filled from a list's records or numbers, from a start
    // place over as many sheets as they take, in one job as "Drucken" prints; on paper, the last sheet's places used.
    void EtikettenAusListe1Click();
    // "Text auf dem Etikett..." and "Code auf dem Etikett...": what a list fills in, written into the settings file.
    void TextAufEtikett1Click();
    void CodeAufEtikett1Click();
    // "Drucker ausrichten...": the correction dialog on the printer the print command uses.
    void DruckerAusrichten1Click();

    // ---- The back
    // "Rückseite wählen...": a picture of the label's folder becomes its back; with a back, "Keine Rückseite" first.
    void RueckseiteWaehlen1Click();
    // "Rückseite drucken": the back page of the current mode, after the question how the sheet goes back in.
    void RueckseiteDrucken1Click();
    void KurzeKante1Click();
    void RueckseiteZeigenCheckBoxClick();

    // ---- Dialogs
    void InfoUeberClick();
    void Spenden1Click();

    // The paper question of the print command; the left margin as its field shows it, without the unit.
    static QString DruckFrage(const QString &seitenRand);
    static QString DruckFrage(int seitenRand) { return DruckFrage(QString::number(seitenRand)); }
    // The question before a back page: how the printed sheet goes back into the printer; with the side the printed
    // face lies on, as the Wendeprobe taught it.
    static QString RueckseitenFrage(Wendekante kante);
    static QString RueckseitenFrage(Wendekante kante, bool bedrucktOben);
    // The question on a printer that prints both sides.
    static QString BeidseitigFrage(const QString &drucker, Wendekante kante);
    // Told after "Nein" to that question: only the front goes, and how the back follows.
    static QString NurVorderseite();
    // The question before a page that would lose part of its labels at the printer's edges: the printer, one
    // sentence per side, and the paper without margins that its driver offers, if any.
    static QString RandFrage(const QString &drucker, const QStringList &verlust, const QString &randlos);

    // Runs a handler; a Fehler (or any exception) is shown in the error box and goes no further.
    bool bewacht(const std::function<void()> &handler);
    DialogDienst &dialoge();
    // How often the preview was asked for (a single-label preview of what is shown already is not made again).
    int vorschauZaehler() const;
    // True once the window has accepted its closing.
    bool beendet() const;

protected:
    void showEvent(QShowEvent *ereignis) override;
    void closeEvent(QCloseEvent *ereignis) override;
    void wheelEvent(QWheelEvent *ereignis) override;

private:
    // ---- The window's own steps
    void baueSteuerelemente();
    void baueMenue();
    void verbinde();
    Aufloesung bildschirm() const;
    // The start's work when the window is shown; StartOhneDialog: true when it will show no dialog (no label to
    // load, or the last one there and readable).
    void StartArbeit();
    bool StartOhneDialog();
    // The opening steps "Öffnen..." and the new labels share; false when the program is ending.
    bool OeffnenVorbereiten();
    // What every way of making a label shares once the template, sheet or picture is chosen: the name question
    // (offering vorschlag), the overwrite question, then schreibe(picture, settings file) makes the files (the
    // settings path empty when !mitEinstellungen) and the new label loads.
    void NeuesEtikettAnlegen(const QString &vorschlag, bool mitEinstellungen,
                             const std::function<void(const QString &bild, const QString &einstellungen)> &schreibe);
    // The steps after a label was brought in, in the order each way of bringing it in takes them.
    enum class Geladen { Start, Geoeffnet, Neu, Bild };
    void NachDemLaden(Geladen weg);
    // The same for a file given, as one dropped onto the label view.
    void UebernimmBild(const QString &pfad);
    // The back from the picture `pfad` through the same take-in, written beside the label; its file's name, or
    // nothing when the person stopped. A bitmap in the label's folder is the back as it is.
    std::optional<QString> RueckseiteAusBild(const QString &pfad);

    // A failed test of one direction: the message, then the count put back and the position moved with it.
    void SetzeAnzahlZurueck(const Pruefung &pruefung, Massfeld anzahl, TUpDown *position, QLineEdit *positionsFeld,
                            const int &letzte, const int &geladene);
    void vormerken(Massfeld feld);
    void AktualisiereMass(Massfeld feld);
    // The editors move from `bisher` to `masse` (precise exactly when it is), one measure after the other in the
    // order of the settings file; the fields show the flagged ones and every changed fraction. Unflagged measures of
    // `masse` are those of `bisher`, as the settings reader gives them.
    void ZeigeMasse(const Bogenmasse &bisher, const Bogenmasse &masse,
                    const std::array<bool, Massangaben.size()> &welche);
    // One measure set by the program, in hundredths of a millimetre (a count x 100), within its editor's range,
    // and its editor moved to it: the changing handler runs when the position changes. A fraction needs a precise
    // label. The field is the caller's.
    void SetzeMass(Massfeld feld, qint64 hundertstel);
    // An editor moved by its arrows (or by anything but SetzeMass) moves its measure: a length keeps its fraction
    // unless that would leave the editor's range, and the row limit follows the count per column.
    void MassFolgtEditor(std::size_t index);
    // The edit field of one measure from its editor and fraction.
    void ZeigeMassText(Massfeld feld);
    // A pitch below its label's size after a click is raised to that size, fraction included.
    bool AbstandUnterGroesse(Massfeld abstand, Massfeld groesse) const;
    void SetzeAbstandAufGroesse(Massfeld abstand, Massfeld groesse);
    void UebernimmMasse(const Bogenmasse &neu);

    // The column and row typed into EditSpalte and EditZeile, taken when the person leaves the field or presses
    // an arrow beside it: as if the arrows had moved there. Outside the editor's range, or not a number, the field
    // shows the position again.
    void UebernimmGetipptePosition();
    void setzeZeilenBeschriftung();
    // A position beyond the counts after a load is brought onto the sheet: positions, edit fields and the row
    // caption; true when anything moved.
    bool BringePositionAufDenBogen();
    // The tip of NurEineDruckenCheckBox, from its box and MehrereNebeneinanderMoeglich.
    void SetzeHinweisNurEineDrucken();
    // Enables or disables the six controls of the label position.
    void setzePositionsfelder(bool an);

    // The preview as composed, with the bands the chosen printer cannot print hatched once there is one.
    void ZeigeVorschau(const QImage &seite);
    // The page made when asked for; `ansicht` the view's picture of it, where one was made without the page.
    void ZeigeVorschau(std::function<QImage()> seite, const std::optional<Seitenansicht> &ansicht);
    // The lines the preview draws over its page: the crop marks the label's prints carry, and a test print's
    // outlines while one is asked for.
    QList<Strich> Vorschauzeichen();
    // The printer chosen in the print dialog: its bands (none for a file) are marked in the preview from now on.
    void ZeigeDruckraender(const std::optional<Druckraender> &raender);

    // What every print command shares: one at a time, the paper question (with the left margin of m; or `frage`),
    // then drucke(). True only when a page went out.
    bool DruckeNachFrage(const Bogenmasse &m, const std::function<bool()> &drucke, const QString &frage = {});
    // The same without the question, for a test print on plain paper.
    bool DruckeOhneFrage(const Bogenmasse &m, const std::function<bool()> &drucke);
    // The question before a back page on the session's printer, said as learnt for it; where nothing is learnt it
    // offers the Wendeprobe, and after it asks again. True for "Ja".
    bool FrageVorDerRueckseite();
    // The turning learnt for `drucker`, where it has one, becomes the window's ("Über die kurze Kante wenden"); at
    // the start, that of the printer last taught, as the session's printer is not known yet. Answers what was learnt.
    Wendung FolgeDemDrucker(const QString &drucker);
    // The label as a page prints it: `bild` at the window's measures, with the document's bleed, text and code.
    Seitenetikett Vorderseite(const QImage &bild, const Bogenmasse &m) const;
    // The label's picture for a print in `wahl`; throws when there is none, or no sheet composed of it.
    const QImage &DruckbaresBild(const Bogenmasse &m, const Seitenwahl &wahl);
    enum class Druckergebnis { Nichts, EineSeite, BeideSeiten };
    // The job's pages of `seiten` through the print dialog, each side with its correction; a job that would come out
    // blank is refused before. Given `beideSeiten`, a printer that prints both sides asks whether the back goes into
    // the same job; only then is that job made (it may throw) and both pages go as one two-sided job.
    Druckergebnis DruckeAuftrag(const Druckauftrag &auftrag,
                                const std::function<Druckauftrag()> &beideSeiten = {});
    // The plan's page as the dialog asks for it, `etiketten` its labels as the page shows them and `dateien` as the
    // plan holds them; then, where they have backs, the back. Where the front went. A test print (`probe`) asks no
    // paper question and goes on one side at a time.
    Druckziel DruckePlan(const Bogenplan &plan, const QList<Seitenetikett> &etiketten,
                         const QList<Planetikett> &dateien, bool probe = false);
    // The printer of the session, starting on A4 portrait; it keeps what the person chose in the print dialog,
    // and each page goes out on A4 portrait again.
    QPrinter &Drucker();

    // Whether the label view and the preview show the back.
    bool RueckseiteZeigt() const;
    // The toggle beside the preview after a load: shown only for a label with a back, and off.
    void ZeigeRueckseitenSchalter();

    struct Privat;
    std::unique_ptr<Privat> d;
};
