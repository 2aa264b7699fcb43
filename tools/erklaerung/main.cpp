// The explanatory picture at the top of the window, drawn here once instead of at every start (with the fonts it
// needs): written as an 8-bit bitmap that holds exactly its pixels, which the window carries as a resource.
#include "../gemeinsam.h"
#include "platform/fehler.h"
#include "render/programmbilder.h"

#include <QFont>

int main(int argc, char **argv)
{
    return Werkzeug::FuehreAus(argc, argv, [](const QStringList &argumente) {
        // The fonts as the program maps them (app/main.cpp).
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
        const QImage bild = ErklaerungsBild();
        const QImage achtBit = bild.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
        if (achtBit.convertToFormat(bild.format()) != bild)
            throw Fehler(QStringLiteral("Das Erklärungsbild hat mehr als 256 Farben"));
        Werkzeug::SpeichereBitmap(achtBit, argumente.value(0));
    });
}
