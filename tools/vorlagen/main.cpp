// Writes every template (picture and settings file) into the templates folder given as argument; with --nur-diese
// it first removes the pictures and settings files of templates that are no longer in the table, so that a copy
// that gets installed holds no template of an earlier build.

#include "storage/etikettdatei.h"
#include "tools/vorlagen/motive.h"
#include "tools/vorlagen/vorlagen.h"

#include "platform/fehler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

using namespace Werkzeug;

int main(int argc, char **argv)
{
    return FuehreAus(argc, argv, [](const QStringList &argumente) {
        const bool nurDiese = argumente.size() == 2 && argumente[1] == QStringLiteral("--nur-diese");
        if (argumente.size() != 1 && !nurDiese)
            throw Fehler(QStringLiteral("Aufruf: vorlagen <Vorlagenordner> [--nur-diese]"));
        const QDir ordner(argumente.first());
        ErzeugeOrdner(ordner.path());
        QSet<QString> namen;
        for (const Vorlage &v : Vorlagen())
            namen.insert(QString::fromLatin1(v.name));
        const QStringList vorhanden =
            nurDiese ? ordner.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.ini")}, QDir::Files) : QStringList();
        for (const QString &datei : vorhanden)
            if (!namen.contains(QFileInfo(datei).completeBaseName()) && !QFile::remove(ordner.filePath(datei)))
                throw Fehler(QStringLiteral("Datei %1 kann nicht entfernt werden").arg(ordner.filePath(datei)));
        for (const Vorlage &v : Vorlagen()) {
            const QString name = QString::fromLatin1(v.name);
            const QImage bild = ZeichneVorlage(v);
            const QImage acht = AchtBitBild(bild, AchtBitAbweichung);
            SpeichereBitmap(acht.isNull() ? bild : acht, ordner.filePath(name + QStringLiteral(".bmp")));
            SpeichereEtikettdatei(ordner.filePath(name + QStringLiteral(".ini")), {Masse(v)});
        }
    });
}
