#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

// The window's built-in pictures, drawn by the program.
QImage ProgrammIcon();    // 32 x 32
QImage ErklaerungsBild(); // 592 x 165, 16 colours: the printer warning and the dimension drawing
QImage AbdeckStreifen();  // 31 x 254, plain light grey

// The picture in RGB32 with each colour channel put on one of six steps (0, 51, ..., 255), the nearest; for
// pictures with more than 256 colours the same result as Qt's threshold conversion to 8-bit indexed colour.
QImage Farbstufen(QImage bild);

// A picture as the build carries it, ready to show without decoding: width and height (32 bits each, little end
// first), then the rows as RGB32 holds them in memory (this byte order only: the build runs where the program does).
QByteArray Rohbild(const QImage &bild);
// The picture whose pixels are `daten` themselves, not a copy, so they must stay as long as it does (a resource);
// a null image when `daten` is no Rohbild.
QImage AusRohbild(QByteArrayView daten);
