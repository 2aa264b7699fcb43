// Writes the window's icon as <Ordner>/<n>x<n>/apps/<Name>.png for the desktop's icon theme.

#include "tools/gemeinsam.h"

#include "render/programmbilder.h"
#include "platform/fehler.h"

#include <QDir>
#include <QSaveFile>

#include <numeric>

using namespace Werkzeug;

namespace {

constexpr int Groessen[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The icon is drawn on a pixel grid; enlarging each pixel to a block and averaging blocks back down keeps its
// edges sharp at every size, where a plain smooth scaling would blur the whole picture.
QImage InGroesse(const QImage &bild, int groesse)
{
    const int g = std::gcd(groesse, bild.width());
    const QImage gross = bild.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                             .scaled(bild.size() * (groesse / g), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return gross.scaled(groesse, groesse, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

void Speichere(const QImage &bild, const QString &pfad)
{
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || !bild.save(&datei, "PNG") || !datei.commit())
        throw Fehler(QStringLiteral("Bild %1 kann nicht gespeichert werden").arg(pfad));
}

} // namespace

int main(int argc, char **argv)
{
    return FuehreAus(argc, argv, [](const QStringList &argumente) {
        if (argumente.size() != 2)
            throw Fehler(QStringLiteral("Aufruf: symbol <Ordner> <Name>"));
        const QImage symbol = ProgrammIcon();
        for (int groesse : Groessen) {
            const QString ordner = QStringLiteral("%1/%2x%2/apps").arg(argumente[0]).arg(groesse);
            ErzeugeOrdner(ordner);
            Speichere(InGroesse(symbol, groesse), ordner + QLatin1Char('/') + argumente[1] + QStringLiteral(".png"));
        }
    });
}
