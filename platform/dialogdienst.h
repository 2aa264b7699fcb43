#pragma once

#include "platform/fehler.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QPrinter;
class QWidget;
struct Etikettenbogen;
struct Bildwahl;
enum class Einpassung : int;

// Every modal interaction of the program goes through here, so that tests can answer from a script.
class DialogDienst
{
public:
    virtual ~DialogDienst() = default;

    // Title "Information", one "OK" button.
    virtual void information(const QString &text) = 0;
    // Title "Bestätigung", "&Ja" and "&Nein"; true only for "&Ja".
    virtual bool frage(const QString &text) = 0;
    // Title "Bestätigung", question icon, "&Ja" default, Escape answers "&Nein".
    virtual bool druckFrage(const QString &text) = 0;
    // As frage, for a question whose yes gives something up: "&Nein" is the default, so that Return keeps things as
    // they are. Where it is not given its own, it is asked as frage.
    virtual bool vorsichtsfrage(const QString &text) { return frage(text); }
    // Program title, warning icon, "Trotzdem drucken" and "Abbrechen" (the default, also Escape); true only for
    // "Trotzdem drucken".
    virtual bool randFrage(const QString &text) = 0;
    // Program title, "OK".
    virtual void meldung(const QString &text) = 0;
    // Error box with the program title; shown by the guard around every handler.
    virtual void fehler(const QString &text) = 0;
    // File-open dialog; vorgabe is a path pattern such as "/x/Morvane/*.bmp". Empty optional when cancelled. `titel`
    // says what the file is for ("Rückseite wählen"); without one the dialog has the platform's own title.
    virtual std::optional<QString> dateiOeffnen(const QString &vorgabe, const QString &titel = {}) = 0;
    // Input dialog "Eingabedialog"/"Eingabeaufforderung"; empty optional on "Abbrechen" or close.
    virtual std::optional<QString> eingabe(const QString &vorbelegung) = 0;
    // Printer dialog; false when cancelled.
    virtual bool druckDialog(QPrinter &drucker) = 0;
    // The catalogue's sheet dialog; the sheet taken with "Anlegen", nothing when cancelled.
    virtual std::optional<Etikettenbogen> etikettenbogen(const QList<Etikettenbogen> &boegen) = 0;
    // File-open dialog for a picture of another program (the formats Qt reads here), opened in `ordner`, with a
    // title as dateiOeffnen's ("Bild übernehmen").
    virtual std::optional<QString> bildOeffnen(const QString &ordner, const QString &titel = {}) = 0;
    // How a picture goes onto the label, with its resolution hint; the way taken with "Übernehmen", nothing for
    // "Abbrechen".
    virtual std::optional<Einpassung> bildEinpassung(const Bildwahl &wahl) = 0;
};

// The guard of a dialog's own handlers: no exception leaves through its event loop; an error shows in the error box.
// Inline, so that the printer adapter's dialogs use it without linking the window.
inline void Bewacht(DialogDienst &dialoge, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const Fehler &f) {
        dialoge.fehler(f.text());
    } catch (const std::exception &e) {
        dialoge.fehler(QString::fromLocal8Bit(e.what()));
    }
}

inline const QString ProgrammTitel = QStringLiteral("Morvane");

// A print dialog that keeps for the session what the person chose in it; the printer adapter (drucken/) makes it.
class Druckdialog
{
public:
    virtual ~Druckdialog() = default;
    // False when cancelled; `besitzer` owns the dialog when it is made.
    virtual bool zeige(QPrinter &drucker, QWidget *besitzer) = 0;
};

// The printer adapter's print dialog; throws Fehler with a German text when the adapter cannot be loaded.
std::unique_ptr<Druckdialog> NeuerDruckdialog();

// The production implementation on Qt's standard dialogs.
class QtDialoge : public DialogDienst
{
public:
    explicit QtDialoge(QWidget *besitzer = nullptr) : m_besitzer(besitzer) {}
    ~QtDialoge() override;
    void setzeBesitzer(QWidget *besitzer) { m_besitzer = besitzer; }

    void information(const QString &text) override;
    bool frage(const QString &text) override;
    bool druckFrage(const QString &text) override;
    bool vorsichtsfrage(const QString &text) override;
    bool randFrage(const QString &text) override;
    void meldung(const QString &text) override;
    void fehler(const QString &text) override;
    std::optional<QString> dateiOeffnen(const QString &vorgabe, const QString &titel = {}) override;
    std::optional<QString> eingabe(const QString &vorbelegung) override;
    // Through the printer adapter, loaded at the first call (drucken/).
    bool druckDialog(QPrinter &drucker) override;
    // The catalogue's sheet dialog (dialogs/).
    std::optional<Etikettenbogen> etikettenbogen(const QList<Etikettenbogen> &boegen) override;
    std::optional<QString> bildOeffnen(const QString &ordner, const QString &titel = {}) override;
    // The choice dialog (dialogs/).
    std::optional<Einpassung> bildEinpassung(const Bildwahl &wahl) override;

private:
    QWidget *m_besitzer;
    std::unique_ptr<Druckdialog> m_druckDialog;
};
