#pragma once

// Pieces shared by the program's dialogs.

#include <QFont>
#include <QIcon>
#include <QPoint>
#include <QString>

class QDialog;
class QDialogButtonBox;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// A font by family name with its size in pixels; the program maps the Windows family names at start-up.
QFont DialogSchrift(const QString &familie, int pixel, bool fett = false);

// Fixed-size dialog with caption, client size, the default dialog font and the program's icon
// (the application's window icon when `symbol` is null).
void RichteDialogEin(QDialog &dialog, const QString &titel, int breite, int hoehe, const QIcon &symbol);

// The framed panel that holds a dialog's content: a lowered outer and a raised inner bevel.
QFrame *ErzeugePanel(QWidget *eltern, int links, int oben, int breite, int hoehe);

// The three contact lines of the maker (name, e-mail, web), Verdana 11 px, at the given left-top positions.
void ErzeugeKontaktzeilen(QWidget *panel, QPoint copyright, QPoint label2, QPoint label1);

// The "OK" button: 75 x 25, default, accepts the dialog.
QPushButton *ErzeugeOkKnopf(QDialog &dialog, int links, int oben);

// The closing row of a dialog that takes what it shows or not: its button for taking it, the default, with its caption
// and its name for tests, and "Abbrechen", which rejects the dialog. What taking it does is the caller's.
struct Knopfzeile
{
    QDialogButtonBox *zeile;
    QPushButton *annehmen;
    QPushButton *abbrechen;
};
Knopfzeile ErzeugeKnopfzeile(QDialog &dialog, const QString &annehmen, const QString &annehmenName,
                             const QString &abbrechenName = QStringLiteral("AbbrechenButton"));

// Centres a top-level window on the screen it is shown on.
void ZentriereAufBildschirm(QWidget &fenster);

inline const QString KontaktHersteller = QStringLiteral("Copyright © 2026 Morvane-Projekt, Musterstadt");
inline const QString KontaktEmail = QStringLiteral("E-Mail: info@morvane.example");
inline const QString KontaktWeb = QStringLiteral("Web: www.morvane.example");
