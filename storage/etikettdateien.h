#pragma once

#include "storage/etikettdatei.h"

#include <QImage>
#include <QString>

#include <optional>

// A label's picture and settings file written as one: a picture taken from another program becomes the label.

// Where a label's picture and settings file are kept before they are replaced: "<Name> vorher.bmp" and
// "<Name> vorher.ini" beside them, or "<Name> vorher 2.bmp" and on, so that no earlier keep is ever written over.
struct Aufbewahrung
{
    QString bild;
    QString einstellungen;
};
Aufbewahrung FreieAufbewahrung(const QString &bildPfad);

// Whether the picture is a keep of the label beside it: "<Name> vorher.bmp" or "<Name> vorher 2.bmp" and on, with
// "<Name>.bmp" in the same folder.
bool IstAufbewahrung(const QString &bildPfad);

// A keep held for one replacement: FreieAufbewahrung's names, each file created empty and exclusively, so that
// another window replacing the same label's picture at the same time takes the next names, and the question can
// name the keep that is really made. The files still empty when it goes (the person said no, or there was nothing
// to keep) go with it; a keep that was written stays. Throws Fehler when the folder takes no file.
class Aufbewahrungsplatz
{
public:
    explicit Aufbewahrungsplatz(const QString &bildPfad);
    ~Aufbewahrungsplatz();
    Aufbewahrungsplatz(const Aufbewahrungsplatz &) = delete;
    Aufbewahrungsplatz &operator=(const Aufbewahrungsplatz &) = delete;
    const Aufbewahrung &namen() const { return m_namen; }

private:
    Aufbewahrung m_namen;
};

// "Das Bild wurde nicht übernommen.": what a failed write tells besides its reason.
inline const QString NichtsUebernommen = QStringLiteral("Das Bild wurde nicht übernommen.");

// Replaces the picture `bildPfad` (a 24-bit bitmap with the picture's resolution in its header) and its settings
// file together. Both are written beside their targets as drafts, read back and checked. Where `behalten` is given,
// the label stays the same label: the files that exist are first copied there, and its settings file gets the
// measures of `inhalt` (with their exact lengths in [Genau]) in place of its own, every other section as it was; a
// new label's file is `inhalt` alone. Only then do the drafts take the files' places; a failure on the way leaves
// both files as they were, no draft and no keep behind, and throws Fehler.
void SchreibeEtikett(const QString &bildPfad, const QImage &bild, const Etikettinhalt &inhalt,
                     const std::optional<Aufbewahrung> &behalten);

// A back taken from another program's picture, written beside the label `bildPfad` as "<Name> Rückseite.bmp", or
// "<Name> Rückseite 2.bmp" and on: the name is created exclusively, so that no file is ever written over and an
// earlier back stays as it was. The bitmap is written as a draft, read back and checked, and only then takes the
// name. Returns the file's name without its folder; throws Fehler, leaving nothing behind, when it cannot be written.
QString SchreibeRueckseite(const QString &bildPfad, const QImage &bild);
