// "Drucker ausrichten": the correction dialog on the window's printer.
#include "app/formetikette_p.h"

#include "storage/druckerausrichtung.h"

void TFormEtikette::DruckerAusrichten1Click()
{
    // The session's printer: what the person chooses here stays for the next print.
    QPrinter &drucker = Drucker();
    Druckmodul &modul = d->umgebung.druckmodul();
    modul.ausrichten(drucker, dialoge(), this);
    // A Wendeprobe there taught the printer's turning.
    const QString name = modul.druckername(drucker);
    if (LiesWendung(name).kante) {
        Schreib_String_in_Registry(QStringLiteral("Wendedrucker"), name);
        FolgeDemDrucker(name);
    }
}
