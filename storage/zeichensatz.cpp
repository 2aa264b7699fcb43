#include "storage/zeichensatz.h"

#include <QStringDecoder>

namespace {

// Windows-1252 where it differs from Latin-1; 0 for the five codes it leaves free.
constexpr char16_t Cp1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                 0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QString AusWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *z = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        const char16_t c = u >= 0x80 && u < 0xA0 ? Cp1252[u - 0x80] : char16_t(u);
        *z++ = QChar(c ? c : 0xFFFD);
    }
    return text;
}

QString Utf8OderWindows1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    QByteArrayView rest(bytes);
    for (bool erste = true;; erste = false) {
        const qsizetype ende = rest.indexOf('\n');
        const QByteArrayView zeile = ende < 0 ? rest : rest.first(ende);
        // Only the file's own byte-order mark goes; on a later line it stays, as in the file decoded whole.
        QStringDecoder utf8(QStringDecoder::Utf8,
                            erste ? QStringConverter::Flag::Stateless
                                  : QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        const QString dekodiert = utf8.decode(zeile);
        text += utf8.hasError() ? AusWindows1252(zeile) : dekodiert;
        if (ende < 0)
            break;
        text += QLatin1Char('\n');
        rest = rest.sliced(ende + 1);
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}
