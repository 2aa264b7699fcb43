// "Drucker ausrichten": the correction dialog on the window's printer.
#include "app/formetikette.h"

#include "dialogs/ausrichtung.h"

#include <QPrinter>

void TFormEtikette::DruckerAusrichten1Click()
{
    std::unique_ptr<QPrinter> drucker = m_umgebung.druckerFabrik();
    TAusrichtungsDialog dialog(*drucker, dialoge(), this);
    dialog.exec();
}
