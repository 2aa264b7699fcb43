// The window's two menu items that show the "Info" and "Spenden" dialogs.
#include "app/formetikette_p.h"

#include "dialogs/info.h"
#include "dialogs/spenden.h"

// Each dialog is made when it is first asked for, not at start-up, where nothing shows it yet; it then lives
// with the window, so text typed into the donation box stays until the program ends.
void TFormEtikette::InfoUeberClick()
{
    if (!AboutBox)
        AboutBox = new TAboutBox(this, windowIcon());
    AboutBox->exec();
}

void TFormEtikette::Spenden1Click()
{
    if (!SpendenBox)
        SpendenBox = new TSpendenBox(this, windowIcon());
    SpendenBox->exec();
}
