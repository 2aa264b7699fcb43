// Writes the layout pictures of the bundled data folder into the folder given as the argument.

#include "layout/infobild.h"
#include "platform/fehler.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

bool Speichere(const QImage &bild, const QDir &ordner, const QString &datei)
{
    if (bild.save(ordner.filePath(datei), "BMP"))
        return true;
    QTextStream(stderr) << "infobilder: " << ordner.filePath(datei) << " lässt sich nicht schreiben\n";
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "Aufruf: infobilder <Zielordner>\n";
        return 2;
    }
    const QDir ordner(QString::fromLocal8Bit(argv[1]));
    if (!ordner.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "infobilder: " << ordner.path() << " lässt sich nicht anlegen\n";
        return 1;
    }

    bool gut = true;
    try {
        for (const auto &[x, y] : InfobildLayouts())
            gut = Speichere(ZeichneInfobild(x, y), ordner, InfobildDatei(x, y)) && gut;
        gut = Speichere(ZeichneKeinBild(), ordner, InfobildDatei(0, 0)) && gut;
    } catch (const Fehler &fehler) {
        QTextStream(stderr) << "infobilder: " << fehler.text() << '\n';
        return 1;
    }
    return gut ? 0 : 1;
}
