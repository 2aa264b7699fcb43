// The explanatory picture at the top of the window, drawn here once instead of at every start (with the fonts it
// needs): written as its raw pixels, which the window carries as a resource and shows without decoding.
#include "../gemeinsam.h"
#include "platform/fehler.h"
#include "render/programmbilder.h"

#include <QFont>
#include <QSaveFile>

int main(int argc, char **argv)
{
    return Werkzeug::FuehreAus(argc, argv, [](const QStringList &argumente) {
        // The fonts as the program maps them (app/main.cpp).
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
        const QByteArray daten = Rohbild(ErklaerungsBild());
        QSaveFile datei(argumente.value(0));
        if (!datei.open(QIODevice::WriteOnly) || datei.write(daten) != daten.size() || !datei.commit())
            throw Fehler(QStringLiteral("Das Erklärungsbild kann nicht gespeichert werden: %1").arg(argumente.value(0)));
    });
}
