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
