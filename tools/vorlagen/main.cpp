// Writes every template (picture and settings file) into the templates folder given as argument.

#include "storage/einstellungen.h"
#include "tools/vorlagen/motive.h"
#include "tools/vorlagen/vorlagen.h"

#include "platform/fehler.h"

#include <QDir>

using namespace Werkzeug;

int main(int argc, char **argv)
{
    return FuehreAus(argc, argv, [](const QStringList &argumente) {
        if (argumente.size() != 1)
            throw Fehler(QStringLiteral("Aufruf: vorlagen <Vorlagenordner>"));
        const QDir ordner(argumente.first());
        ErzeugeOrdner(ordner.path());
        for (const Vorlage &v : Vorlagen()) {
            const QString name = QString::fromLatin1(v.name);
            SpeichereBitmap(ZeichneVorlage(v), ordner.filePath(name + QStringLiteral(".bmp")));
            SchreibeEinstellungsdatei(ordner.filePath(name + QStringLiteral(".ini")), v.masse);
        }
    });
}
