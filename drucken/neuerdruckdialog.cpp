// The dialog service's print dialog comes from the printer adapter, loaded when it is first asked for.
#include "drucken/druckmodul.h"
#include "platform/dialogdienst.h"

std::unique_ptr<Druckdialog> NeuerDruckdialog()
{
    return LadeDruckmodul().neuerDruckdialog();
}
