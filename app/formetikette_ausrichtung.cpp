// "Drucker ausrichten": the correction dialog on the window's printer.
#include "app/formetikette.h"

#include "dialogs/ausrichtung.h"

#include <QPrinter>

void TFormEtikette::DruckerAusrichten1Click()
{
    // The session's printer: what the person chooses here stays for the next print.
    TAusrichtungsDialog dialog(Drucker(), dialoge(), this);
    dialog.exec();
}
