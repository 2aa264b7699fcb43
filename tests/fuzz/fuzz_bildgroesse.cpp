// The header reader of label pictures on any bytes. A size it gives lies within the promised bounds and the limits,
// is what the headers say, and is the size the bitmap decoder finds whenever the decoder reads the bytes; a picture
// it refuses for a width or height below 1, the decoder refuses too, and one beyond the limits it refuses, as the
// decoder does, with a message of its own. From a file it answers as from the same bytes in memory. The check for a
// cut-off bitmap runs on the same bytes.
#include "gemeinsam.h"
#include "layout/bildgroesse.h"
#include "platform/fehler.h"
#include "storage/bilddatei.h"

#include <QDateTime>
#include <QFile>
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
        PRUEFE(f.text() == KeinLesbaresBild(Name) || f.text().startsWith(QStringLiteral("Das Bild ") + Name));
        return std::nullopt;
    }
}

std::optional<QSize> GroesseAusDatei(const QByteArray &bytes)
{
    const QString pfad = Arbeitsordner() + QStringLiteral("/probe.bmp");
    QFile datei(pfad);
    PRUEFE(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
    PRUEFE(datei.write(bytes) == bytes.size());
    // Dated back as a file saved long ago, which is read at once.
    PRUEFE(datei.flush()
           && datei.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600), QFileDevice::FileModificationTime));
    datei.close();
    try {
        return LiesBildGroesse(pfad);
    } catch (const Fehler &f) {
        PRUEFE(f.text() == KeinLesbaresBild(pfad) || f.text().startsWith(QStringLiteral("Das Bild ") + pfad));
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
    // Pixels said to begin beyond a signed 32-bit offset are refused too.
    const bool anfangZuWeit = bytes.startsWith("BM") && qFromLittleEndian<quint32>(bytes.constData() + 10) >> 31;
    const bool moeglich = !anfangZuWeit && breite >= 1 && breite <= 30000 && qAbs(hoehe) >= 1 && qAbs(hoehe) <= 30000
        && breite * qAbs(hoehe) <= 40'000'000;
    PRUEFE(groesse.has_value() == moeglich);
    if (groesse)
        PRUEFE(groesse->width() == breite && groesse->height() == qAbs(hoehe));

    // The decoder every label picture is read with, held to bitmaps. Qt's reader in it reads a header of any other
    // size as the old one with signed 16-bit fields, so only the sizes that both read alike are compared.
    if (!bytes.startsWith("BM")
        || (kopf != 40 && kopf != 108 && kopf != 124 && !(kopf == 12 && breite < 0x8000 && hoehe < 0x8000)))
        return 0;
    QImage bild;
    try {
        bild = BildAusDaten(bytes, Name);
    } catch (const Fehler &) {
        PRUEFE(!groesse);
        return 0;
    }
    if (!bild.isNull())
        PRUEFE(groesse == bild.size());
    return 0;
}
