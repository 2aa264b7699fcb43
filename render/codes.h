#pragma once

#include "blatt/datenfelder.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <variant>

class QPainter;

// QR codes, DataMatrix codes and barcodes (EAN-13, Code 128), encoded by zint and drawn as rectangles, so that they
// stay sharp at any resolution.

// A line of the human-readable text under a barcode, in the symbol's units: the point of its baseline at (x, y)
// where its left end, centre or right end stands, its font size, and the width it may take at most (0: any).
struct Codeschrift
{
    QString text;
    double x = 0;
    double y = 0;
    double groesse = 0;
    double breite = 0;
    Waagrecht ausrichtung = Waagrecht::Mitte;
};

// An encoded symbol, in its own units: the whole of it `breite` x `hoehe` with the quiet zones a reader needs around
// it, white; its dark modules and bars; for a barcode its digits or text beneath, as zint lays them out (EAN-13
// with its check digit). Empty (no modules) for an empty content: nothing is drawn.
struct Codebild
{
    double breite = 0;
    double hoehe = 0;
    QList<QRectF> balken;
    QList<Codeschrift> schrift;
    QString schriftart; // the font of the text beneath

    bool leer() const { return balken.isEmpty(); }
};

// "QR-Code", "DataMatrix-Code", "EAN-13-Code", "Code-128-Code".
QString CodeBezeichnung(Codeart art);

// The filled content encoded, or why the code cannot hold it, in German: an EAN-13 of 12 digits gets its check
// digit, one of 13 has it checked; Code 128 takes Latin-1 only; every kind has its length.
std::variant<Codebild, QString> BaueCode(Codeart art, const QString &inhalt);

// Draws the symbol as large as the code's field (FeldAufEtikett) allows, its proportions kept on paper, centred in
// the field, on the label at `etikett` in device pixels on a device of jeMmX x jeMmY pixels per millimetre: its
// whole area white, the modules black as filled rectangles, the text beneath as text (which needs a
// QGuiApplication). The painter's state is kept.
void ZeichneCode(QPainter &maler, const Codefeld &code, const Codebild &bild, const QRectF &etikett, double jeMmX,
                 double jeMmY);
