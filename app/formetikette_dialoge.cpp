// The window's two menu items that show the dialogs made at start.
#include "app/formetikette.h"

#include "dialogs/info.h"
#include "dialogs/spenden.h"

void TFormEtikette::InfoUeberClick()
{
    if (AboutBox)
        AboutBox->exec();
}

void TFormEtikette::Spenden1Click()
{
    if (SpendenBox)
        SpendenBox->exec();
}
