// The header reader of label pictures on any bytes. A size it gives lies within the promised bounds, is what the
// headers say, and is the size the bitmap decoder finds whenever the decoder reads the bytes; a picture it refuses
// for a width or height below 1, the decoder refuses too. From a file it answers as from the same bytes in memory.
// The check for a cut-off bitmap runs on the same bytes.
#include "gemeinsam.h"
#include "layout/bildgroesse.h"
#include "platform/fehler.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <cstdint>
#include <optional>

namespace {

const QString Name = QStringLiteral("probe.bmp");

std::optional<QSize> Groesse(const QByteArray &bytes)
{
    try {
        return LiesBildGroesse(bytes, Name);
    } catch (const Fehler &f) {
        PRUEFE(f.text() == KeinLesbaresBild(Name));
        return std::nullopt;
    }
}

std::optional<QSize> GroesseAusDatei(const QByteArray &bytes)
{
    const QString pfad = Arbeitsordner() + QStringLiteral("/probe.bmp");
    QFile datei(pfad);
    PRUEFE(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
    PRUEFE(datei.write(bytes) == bytes.size());
    datei.close();
    try {
        return LiesBildGroesse(pfad);
    } catch (const Fehler &f) {
        PRUEFE(f.text() == KeinLesbaresBild(pfad));
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t laenge)
{
    const QByteArray bytes(reinterpret_cast<const char *>(daten), qsizetype(laenge));
    const std::optional<QSize> groesse = Groesse(bytes);
    PRUEFE(GroesseAusDatei(bytes) == groesse);
    // What holds all its pixels still does with more bytes behind them.
    if (BitmapVollstaendig(bytes))
        PRUEFE(BitmapVollstaendig(bytes + QByteArray(4, '\0')));
    // Without the 14 bytes of the file header and the first 12 of the information header there is no size.
    if (bytes.size() < 26) {
        PRUEFE(!groesse);
        return 0;
    }

    // The information header's first field is its size: 12 for the old header with 16-bit fields.
    const auto *info = reinterpret_cast<const uchar *>(bytes.constData()) + 14;
    const quint32 kopf = qFromLittleEndian<quint32>(info);
    const qint64 breite = kopf == 12 ? qFromLittleEndian<quint16>(info + 4) : qFromLittleEndian<qint32>(info + 4);
    const qint64 hoehe = kopf == 12 ? qFromLittleEndian<quint16>(info + 6) : qFromLittleEndian<qint32>(info + 8);
    const bool moeglich = breite >= 1 && breite <= 30000 && qAbs(hoehe) >= 1 && qAbs(hoehe) <= 30000;
    PRUEFE(groesse.has_value() == moeglich);
    if (groesse)
        PRUEFE(groesse->width() == breite && groesse->height() == qAbs(hoehe));

    // The decoder the window reads label pictures with, held to bitmaps. It reads a header of any other size as
    // the old one with signed 16-bit fields, so only the sizes that both read alike are compared; and it decodes
    // pictures beyond the 30000 pixels that the reader takes for no real picture.
    if (kopf != 40 && kopf != 108 && kopf != 124 && !(kopf == 12 && breite < 0x8000 && hoehe < 0x8000))
        return 0;
    if (breite > 30000 || qAbs(hoehe) > 30000)
        return 0;
    QBuffer puffer;
    puffer.setData(bytes);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer, "BMP");
    leser.setAutoDetectImageFormat(false);
    const QImage bild = leser.read();
    if (!bild.isNull())
        PRUEFE(groesse == bild.size());
    return 0;
}
