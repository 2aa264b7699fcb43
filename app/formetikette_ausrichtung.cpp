// "Drucker ausrichten": the correction dialog on the window's printer.
#include "app/formetikette_p.h"

void TFormEtikette::DruckerAusrichten1Click()
{
    // The session's printer: what the person chooses here stays for the next print.
    QPrinter &drucker = Drucker();
    d->umgebung.druckmodul().ausrichten(drucker, dialoge(), this);
}
