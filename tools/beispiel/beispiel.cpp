// Writes the sample label Visitenkarte_85x54.bmp with its settings file into the data folder given as argument.

#include "storage/etikettdatei.h"
#include "tools/gemeinsam.h"

#include "platform/fehler.h"

#include <QDir>
#include <QPainter>

using namespace Werkzeug;

namespace {

// 85 x 54 mm; 401 rather than 402 pixels wide so that two cards with their gap fit the width of the sheet
// raster at its own scale (the raster's width for 210 mm).
constexpr int Breite = 401;
constexpr int Hoehe = 255;

// The business-card stock in whole millimetres: an ordinary label.
constexpr Einstellung Bogen{.ObererRand = 14,
                            .SeitenRand = 15,
                            .Vertikalabstand = 54,
                            .Horizontalabstand = 95,
                            .Etikettenhoehe = 54,
                            .Etikettenbreite = 85,
                            .AnzahlEtikettenInZeile = 2,
                            .AnzahlEtikettenInSpalte = 5};

QImage Visitenkarte()
{
    const QColor petrol(0x1f, 0x5f, 0x6b);
    const QColor hell(0xd9, 0xe8, 0xea);
    const QColor text(0x2b, 0x2b, 0x2b);
    const QColor grau(0x6e, 0x74, 0x78);
    const QString familie = QStringLiteral("DejaVu Sans");

    QImage bild = NeuesBild(Breite, Hoehe);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Accent band on the left and a thin rule above the contact block.
    p.fillRect(QRect(0, 0, 14, Hoehe), petrol);
    p.fillRect(QRect(14, 0, 4, Hoehe), hell);

    ZeichneEtikettSymbol(p, QRectF(34, 24, 46, 30), petrol);
    SchreibeText(p, QRectF(90, 22, 290, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Morvane Etiketten"),
                 Schrift(familie, 17, true), petrol);
    SchreibeText(p, QRectF(90, 42, 290, 16), Qt::AlignLeft | Qt::AlignVCenter,
                 QStringLiteral("Etiketten · Visitenkarten · Schilder"), Schrift(familie, 11), grau);

    SchreibeText(p, QRectF(34, 92, 350, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Erika Beispiel"),
                 Schrift(familie, 28, true), text);
    SchreibeText(p, QRectF(34, 126, 350, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Gestaltung und Druck"),
                 Schrift(familie, 14, false, true), grau);

    p.fillRect(QRectF(34, 164, 333, 2), hell);

    const QFont klein = Schrift(familie, 13);
    SchreibeZeilen(
        p, 34, 178, 19,
        {QStringLiteral("Musterstraße 1"), QStringLiteral("12345 Musterstadt"), QStringLiteral("Deutschland")}, klein,
        text);
    SchreibeZeilen(p, 214, 178, 19,
                   {QStringLiteral("Tel. 0123 456789"), QStringLiteral("erika@beispiel.example"),
                    QStringLiteral("www.beispiel.example")},
                   klein, text);
    p.end();
    return bild;
}

} // namespace

int main(int argc, char **argv)
{
    return FuehreAus(argc, argv, [](const QStringList &argumente) {
        if (argumente.size() != 1)
            throw Fehler(QStringLiteral("Aufruf: beispiel <Datenordner>"));
        const QDir ordner(argumente.first());
        ErzeugeOrdner(ordner.path());
        SpeichereBitmap(Visitenkarte(), ordner.filePath(QStringLiteral("Visitenkarte_85x54.bmp")));
        SpeichereEtikettdatei(ordner.filePath(QStringLiteral("Visitenkarte_85x54.ini")), {Bogen});
    });
}
