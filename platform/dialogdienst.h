#pragma once

#include "platform/fehler.h"

#include <QList>
#include <QStringList>
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
    // Title "Bestätigung", the buttons `knoepfe` in their order, the one at `vorgabe` the default, Escape the last:
    // the index of the button taken, the last one's on Escape or close. Where it is not given its own, it is asked as
    // a frage whose "&Ja" takes the first.
    virtual int auswahl(const QString &text, const QStringList &knoepfe, int vorgabe)
    {
        Q_UNUSED(vorgabe);
        return frage(text) ? 0 : int(knoepfe.size()) - 1;
    }
    // A druckFrage before a back page whose turning is not known yet, with "&Wendeprobe drucken..." between "&Ja"
    // and "&Nein": 0 for "&Ja", 1 for the Wendeprobe, 2 for "&Nein" (also Escape). Where it is not given its own, it
    // is asked as druckFrage.
    virtual int wendeFrage(const QString &text) { return druckFrage(text) ? 0 : 2; }
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
    // File-open dialog for a picture of another program, opened in `ordner`, offering the files of `muster`
    // ("*.png" and so on: the formats the picture room reads here), with a title as dateiOeffnen's ("Bild übernehmen").
    virtual std::optional<QString> bildOeffnen(const QString &ordner, const QStringList &muster,
                                               const QString &titel = {}) = 0;
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
