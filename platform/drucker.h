#pragma once

#include "render/seite.h"

class QPrinter;

// A configured printer as the page painter sees it: its resolution, the corner of its printable area on the
// paper (the painter's origin), and the correction stored for it. A printer that writes a file has none.
Druckflaeche FlaecheVon(QPrinter &drucker);

// One document with one page. Throws Fehler with a German text when the printer or the file cannot be opened or
// the page cannot be finished; an open document is closed before the error goes on.
void DruckeAuf(QPrinter &drucker, const Seitenbild &seite);
