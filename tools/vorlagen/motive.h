#pragma once

#include "tools/vorlagen/vorlagen.h"

#include <QImage>

// The template's sample picture at Bildgroesse(v).
QImage ZeichneVorlage(const Vorlage &v);
