#pragma once

#include <QPixmap>
#include <QRectF>

class QPainter;

// The smiling face beside the menu item "Spenden": 36 x 35 pixels, transparent around the face.
QPixmap SmileyBild();

// Draws the smiling face into `rahmen` (the face is a circle as large as the shorter side).
void ZeichneSmiley(QPainter &p, const QRectF &rahmen);

// The banner of the donation dialog: 225 x 57, a framed box with the face beside the word "Spenden".
QPixmap SpendenBanner();
