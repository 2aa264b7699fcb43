// The side of the printer adapter that its users link: finds and loads the library the first time a printer is
// needed. Qt Core only: a program that links it maps neither the print stack nor the widgets before it loads.
#include "drucken/druckmodul.h"

#include "platform/fehler.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace {

const QString Bibliothek = QStringLiteral("morvane_drucken");

} // namespace

Druckmodul &LadeDruckmodul(const QStringList &orte)
{
    QString grund;
    for (const QString &ort : orte) {
        // Never unloaded: printers and dialogs it made live as long as the program.
        QLibrary bibliothek(ort);
        using Einsprung = Druckmodul *(*)();
        if (const auto einsprung = reinterpret_cast<Einsprung>(bibliothek.resolve(DruckmodulEinsprung)))
            if (Druckmodul *modul = einsprung())
                return *modul;
        if (grund.isEmpty())
            grund = bibliothek.errorString();
    }
    throw Fehler(
        QStringLiteral("Das Druckmodul konnte nicht geladen werden, es kann nicht gedruckt werden. (%1)").arg(grund));
}

Druckmodul &LadeDruckmodul()
{
    // Beside the program, as the build and the installation put it; else where the system looks for libraries
    // (where the tests, which link it, have it loaded already).
    static Druckmodul &modul =
        LadeDruckmodul({QDir(QCoreApplication::applicationDirPath()).filePath(Bibliothek), Bibliothek});
    return modul;
}
