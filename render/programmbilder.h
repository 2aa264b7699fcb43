#pragma once

#include <QImage>

// The window's built-in pictures, drawn by the program.
QImage ProgrammIcon();    // 32 x 32
QImage ErklaerungsBild(); // 592 x 165, 16 colours: the printer warning and the dimension drawing
QImage AbdeckStreifen();  // 31 x 254, plain light grey
