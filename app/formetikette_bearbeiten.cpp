// Outside editing of the label picture, reloading it, and the help file.
#include "app/formetikette_p.h"

#include "app/bildansicht.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

void TFormEtikette::Etikettbearbeiten1Click()
{
    dialoge().meldung(QStringLiteral(
        "Das Etikett wird in Ihr Standard Bildverarbeitungsprogramm geladen. Sie können es dann bearbeiten und "
        "danach SPEICHERN.\r\nWechseln Sie nach dem Speichern zum Programm Etiketten zurück und betätigen den "
        "Schalter \"Etikett neu laden\""));
    BitBtnNeuladen->show();
    if (!d->umgebung.schale.malprogrammStarten(d->dokument.bildPfad()))
        dialoge().meldung(QStringLiteral("Es ist ein Fehler aufgetreten"));
}

void TFormEtikette::Image1DblClick()
{
    Etikettbearbeiten1Click();
}

void TFormEtikette::BitBtnNeuladenClick()
{
    if (QFileInfo(d->dokument.bildPfad()).isFile()) {
        if (d->dokument.bild(true).isNull())
            throw Fehler(KeinLesbaresBild(d->dokument.bildPfad()));
        StelleGroesseImage1ein();
    }
    BitBtnNeuladen->hide();
}

void TFormEtikette::Etikettneuladen1Click()
{
    BitBtnNeuladenClick();
}

void TFormEtikette::Hilfethemen1Click()
{
    const QString hilfe = d->z.ProgrammOrdner + QStringLiteral("Morvane-Hilfe.pdf");
    if (QFileInfo(hilfe).isFile()) {
        // Nothing opening would look like a menu item that does nothing.
        if (!d->umgebung.schale.oeffnen(hilfe))
            dialoge().meldung(QStringLiteral("Zum Anzeigen der Hilfe wurde kein Programm für PDF-Dateien gefunden. Die "
                                             "Hilfe liegt in %1; Sie können sie mit jedem PDF-Betrachter öffnen.")
                                  .arg(QDir::toNativeSeparators(hilfe)));
    } else
        dialoge().meldung(QStringLiteral("Die Datei: Morvane-Hilfe.pdf existiert nicht!"));
}
