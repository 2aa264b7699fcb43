#pragma once

#include "layout/markierung.h"
#include "layout/passung.h"
#include "platform/schale.h"
#include "render/masse.h"
#include "storage/einstellungen.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class DialogDienst;
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

// What the window needs from the desktop; tests hand in scripted doubles.
struct Umgebung
{
    DialogDienst &dialoge;
    Schale &schale;
    std::function<Aufloesung()> bildschirm = BildschirmAufloesung;
    // Only the number of command-line arguments matters: with any, no label is loaded at start.
    int argumentAnzahl = 0;
    // Builds the printer the print commands hand to the print dialog; tests point it at a PDF file.
    std::function<std::unique_ptr<QPrinter>()> druckerFabrik;
};

// The main window. Its handlers are defined beside the logic of their subsystem (storage/, layout/, render/,
// dialogs/); this file only declares the window, its controls and its state.
class TFormEtikette : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFormEtikette(Umgebung umgebung, QWidget *eltern = nullptr);
    ~TFormEtikette() override;

    // Measures in the refresh order of the delayed update.
    enum Mass {
        mObererRand,
        mSeitenRand,
        mHorizontalabstand,
        mEtikettenbreite,
        mVertikalabstand,
        mEtikettenhoehe,
        mAnzahlInZeile,
        mAnzahlInSpalte,
        MassAnzahl
    };

    // ---- State owned by the window for the whole run
    QString ProgrammOrdner;
    QString AktuelleEtikettDatei;
    QString AktuelleIniDatei;
    QString OrdnerEtiketten;
    QString OrdnerEtikettenInfos;
    QString OrdnerEtikettenVorlagen;
    QString InstallOrt;
    bool EinstellungenGeaendert = false;
    bool ErsterAufruf = true;
    bool MehrereNebeneinanderMoeglich = true;
    int GeladeneAnzahlInZeile = 0;
    int GeladeneAnzahlInSpalte = 0;
    int LetzteAnzahlInZeile = 0;
    int LetzteAnzahlInSpalte = 0;
    int EtikettBildBreite = 0;
    int EtikettBildHoehe = 0;
    int SeitenRandPixel = 0;
    int LueckePixel = 0;
    int ObererRandPixel = 0;
    int VerzoegerungsZaehler = 0;
    std::array<bool, MassAnzahl> AktualisierungAusstehend{};
    Zelle MarkierteZelle;

    // ---- Controls
    TBildAnsicht *EtikettInfoImage;
    TBildAnsicht *ImageInfo;
    TBildAnsicht *VorschauAbdeckungImage;
    QLabel *HinweisDateneingabeLabel;
    QCheckBox *MehrereEtikettenDruckenCheckBox;
    QCheckBox *GanzeSeiteCheckBox;
    QCheckBox *NurDieZeileCheckBox;
    QCheckBox *NurEineDruckenCheckBox;
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
    TBildAnsicht *Image2;
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
    QAction *Oeffnen1;
    QAction *drucken1;
    QAction *speichern1;
    QAction *Etikettneuladen1;
    QAction *N1;
    QAction *Beenden1;
    QMenu *Bearbeiten1;
    QAction *Etikettbearbeiten1;
    QAction *MasseEtikettBearbeiten;
    QMenu *Option1;
    QAction *RegistryEintraegeloeschen1;
    QMenu *Hilfe1;
    QAction *Hilfethemen1;
    QAction *Spenden1;
    QAction *InfoUeber;

    // The two dialogs, made on first use (InfoUeberClick, Spenden1Click).
    QPointer<TAboutBox> AboutBox;
    QPointer<TSpendenBox> SpendenBox;

    // ---- Measures: the position of their spin editor is the value
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

    // ---- Start-up and shutdown
    void FormCreate();
    void FormPaint();
    void StartArbeit();
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
    TEinstellung Einstellungswerte() const;

    // ---- Label library, outside editing, help
    // The opening steps both commands share; false when the program is ending.
    bool OeffnenVorbereiten();
    void Oeffnen1Click();
    void Neu1Click();
    void Etikettbearbeiten1Click();
    void Image1DblClick();
    void BitBtnNeuladenClick();
    void Etikettneuladen1Click();
    void Hilfethemen1Click();

    // ---- Fit check
    void LiesBildGroesse();
    void UeberpruefeObsInDerBreiteMehrmalsPasst();
    void BerechneObEtikettenInDINA4Passen();
    // A failed test of one direction: the message, then the count put back and the position moved with it.
    void SetzeAnzahlZurueck(const Pruefung &pruefung, TUpDown *anzahl, QLineEdit *anzahlFeld, TUpDown *position,
                            QLineEdit *positionsFeld, const int &letzte, const int &geladene);

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
    void vormerken(Mass mass);
    void AktualisiereMass(Mass mass);
    QList<QWidget *> Massbeschriftungen() const;
    QList<QWidget *> Massfelder() const;
    QList<QWidget *> Massknoepfe() const;

    // ---- Print modes and position
    void MehrereEtikettenDruckenCheckBoxClick();
    void NurEineDruckenCheckBoxClick();
    void GanzeSeiteCheckBoxClick();
    void NurDieZeileCheckBoxClick();
    void UpDownSpalteClick();
    void UpDownZeileClick();
    void ZeigeEtikettenPosition(QRgb farbe);
    void LadeEtikettenInfo();
    void setzeZeilenBeschriftung();

    // ---- Label view, preview, printing
    // False when the picture opens but does not decode: the sheet is then empty.
    bool ImageMitEtikettenAuffuellen();
    void MachVorschau();
    void StelleGroesseImage1ein();
    void drucken1Click();
    void DruckeEtikettAnPosition(const QImage &bild, int xMm, int yMm, double breiteMm, double hoeheMm);
    void DruckeBildMitSeitenverhaeltnis(const QImage &bild, bool breiteGegeben, int xMm, int yMm, double laengeMm);
    // One document with one page: the picture stretched into the rectangle that platzierung gives for the
    // printer's resolution and offsets.
    void DruckeSeite(const QImage &bild, const std::function<Platzierung(int, int, int, int)> &platzierung);

    // The paper question of the print command.
    static QString DruckFrage(int seitenRand);

    // ---- Dialogs
    void InfoUeberClick();
    void Spenden1Click();

    // Enables or disables the six controls of the label position.
    void setzePositionsfelder(bool an);

    // Runs a handler; a Fehler (or any exception) is shown in the error box and goes no further.
    bool bewacht(const std::function<void()> &handler);

    // Counters for tests and benchmarks: how often the preview was composed.
    int vorschauZaehler() const { return m_vorschauZaehler; }

    DialogDienst &dialoge() { return m_umgebung.dialoge; }
    // True once the window has accepted its closing.
    bool beendet() const { return m_beendet; }

protected:
    void closeEvent(QCloseEvent *ereignis) override;
    void wheelEvent(QWheelEvent *ereignis) override;

private:
    void baueSteuerelemente();
    void baueMenue();
    void verbinde();
    Aufloesung bildschirm() const;

    Umgebung m_umgebung;
    int m_vorschauZaehler = 0;
    bool m_aktualisierungLaeuft = false;
    bool m_drucktGerade = false;
    bool m_beendet = false;
    int m_bewachtTiefe = 0;
    QStringList m_offeneFehler;

    friend class Klientflaeche;
};
