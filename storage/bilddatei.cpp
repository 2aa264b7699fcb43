#include "storage/bilddatei.h"

#include "platform/fehler.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMutex>
#include <QtEndian>

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr qint64 DateiKopfLaenge = 14;
constexpr qint64 InfoKopfLaenge = 40;
// The OS/2 header holds width and height as two 16-bit fields.
constexpr quint32 Os2KopfLaenge = 12;

constexpr quint32 Rle8 = 1;
constexpr quint32 Rle4 = 2;

// Times in nanoseconds since 1970.
constexpr qint64 Millisekunde = 1'000'000;
constexpr qint64 Sekunde = 1'000'000'000;
// A file whose time lies this close to the clock may still be written: a writer on a slow disk or a share rests
// between its steps, and some file systems keep the time in steps of two seconds.
constexpr qint64 Frisch = 2 * Sekunde;
// Such a file is taken once it stood still this long while we watched it, looked at every Blick.
constexpr qint64 Ruhe = 1 * Sekunde;
constexpr qint64 Blick = 50 * Millisekunde;
// How long a reader waits in all for a file to come to rest, and how often it reads it.
constexpr qint64 Geduld = 4 * Sekunde;
constexpr int MeisteLesungen = 4;

// Set once, before Qt decodes a picture for us: its own limit would refuse a 600-dpi A4 picture in 24 bits; ours
// lets it through, at 32 bits a pixel. Set when the program loads, so that a program or test that wants another
// limit still sets its own after it.
const bool QtGrenzeGesetzt = [] {
    QImageReader::setAllocationLimit(int(MeisteBildpunkte * 4 / (1024 * 1024) + 1));
    return true;
}();

QString BildseiteZuGross(const QString &pfad, QSize groesse)
{
    return QStringLiteral(
               "Das Bild %1 ist zu groß (%2 x %3 Pixel); höchstens %4 Pixel in der Breite und in der Höhe werden "
               "gedruckt.")
        .arg(pfad, QString::number(groesse.width()), QString::number(groesse.height()),
             QString::number(GroessteBildseite));
}

QString PixelanfangZuWeit(const QString &pfad, quint32 anfang)
{
    return QStringLiteral("Das Bild %1 lässt seine Pixel bei Byte %2 beginnen; gelesen werden nur Bilder, deren "
                          "Pixel vor Byte %3 beginnen.")
        .arg(pfad, QString::number(anfang), QString::number(qint64(std::numeric_limits<qint32>::max()) + 1));
}

QString BilddateiZuGross(const QString &pfad, qint64 bytes)
{
    constexpr qint64 MB = 1024 * 1024;
    return QStringLiteral("Die Datei %1 ist zu groß (%2 MB); höchstens %3 MB werden als Bild gelesen.")
        .arg(pfad, QString::number((bytes + MB - 1) / MB), QString::number(GroessteBilddatei / MB));
}

QString AendertSichLaufend(const QString &pfad)
{
    return QStringLiteral("Die Datei %1 ändert sich laufend und wurde deshalb nicht gelesen. Versuchen Sie es noch "
                          "einmal, wenn sie fertig gespeichert ist.")
        .arg(pfad);
}

void PruefeBildgrenzen(QSize groesse, const QString &pfad)
{
    if (qint64(groesse.width()) * groesse.height() > MeisteBildpunkte)
        throw Fehler(BildZuGross(pfad, groesse));
    if (groesse.width() > GroessteBildseite || groesse.height() > GroessteBildseite)
        throw Fehler(BildseiteZuGross(pfad, groesse));
}

// What a file's own status says of the version it holds.
struct Stand
{
    qint64 groesse = 0;
    qint64 geaendert = 0; // the modification time
    qint64 status = 0;    // where the system keeps it, the time of any change to the file, also of its times
    bool operator==(const Stand &) const = default;
};

// Seconds and nanoseconds as nanoseconds, held within 64 bits: a file may carry any date.
qint64 Nanosekunden(qint64 sekunden, qint64 rest)
{
    constexpr qint64 grenze = std::numeric_limits<qint64>::max() / Sekunde - 2;
    return std::clamp(sekunden, -grenze, grenze) * Sekunde + rest;
}

// Whether the version `s` may still be being written at `jetzt`. A time far from the clock either way was set, not
// written: a writer at work now dates the file now.
bool IstFrisch(const Stand &s, qint64 jetzt)
{
    return s.geaendert > jetzt - Frisch && s.geaendert < jetzt + Frisch;
}

#ifdef Q_OS_WIN

qint64 AlsZeit(const FILETIME &t)
{
    // Steps of 100 ns since 1601.
    const quint64 schritte = (quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    const qint64 seit1970 = qint64(schritte - 116444736000000000ULL);
    return Nanosekunden(seit1970 / 10'000'000, seit1970 % 10'000'000 * 100);
}

qint64 Jetzt()
{
    FILETIME t;
    GetSystemTimePreciseAsFileTime(&t);
    return AlsZeit(t);
}

// A picture file, open for reading while others may read, write and rename it.
class OffeneDatei
{
public:
    explicit OffeneDatei(const QString &pfad) : m_pfad(pfad)
    {
        const std::wstring name = QDir::toNativeSeparators(pfad).toStdWString();
        const DWORD art = GetFileAttributesW(name.c_str());
        if (art != INVALID_FILE_ATTRIBUTES && (art & FILE_ATTRIBUTE_DIRECTORY))
            throw Fehler(KeinLesbaresBild(pfad));
        m_datei = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_datei == INVALID_HANDLE_VALUE)
            throw DateiNichtZuOeffnen(pfad);
        // Pipes and devices have names too.
        BY_HANDLE_FILE_INFORMATION info;
        if (GetFileType(m_datei) != FILE_TYPE_DISK || !GetFileInformationByHandle(m_datei, &info)
            || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            CloseHandle(m_datei);
            throw Fehler(KeinLesbaresBild(pfad));
        }
    }
    ~OffeneDatei() { CloseHandle(m_datei); }
    OffeneDatei(const OffeneDatei &) = delete;
    OffeneDatei &operator=(const OffeneDatei &) = delete;

    Stand stand() const
    {
        BY_HANDLE_FILE_INFORMATION info;
        if (!GetFileInformationByHandle(m_datei, &info))
            throw DateiNichtZuOeffnen(m_pfad);
        return {(qint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow, AlsZeit(info.ftLastWriteTime), 0};
    }

    // Up to `laenge` bytes from the start; fewer where the file ends sooner.
    QByteArray lies(qint64 laenge) const
    {
        QByteArray daten(laenge, Qt::Uninitialized);
        qint64 gelesen = 0;
        while (gelesen < laenge) {
            OVERLAPPED ab = {};
            ab.Offset = DWORD(gelesen);
            ab.OffsetHigh = DWORD(gelesen >> 32);
            DWORD stueck = 0;
            if (!ReadFile(m_datei, daten.data() + gelesen, DWORD(std::min<qint64>(laenge - gelesen, 1 << 30)), &stueck,
                          &ab)) {
                if (GetLastError() == ERROR_HANDLE_EOF)
                    break;
                throw DateiNichtZuOeffnen(m_pfad);
            }
            if (stueck == 0)
                break;
            gelesen += stueck;
        }
        daten.truncate(gelesen);
        return daten;
    }

private:
    QString m_pfad;
    HANDLE m_datei;
};

#else

qint64 AlsZeit(const timespec &t)
{
    return Nanosekunden(t.tv_sec, t.tv_nsec);
}

qint64 Jetzt()
{
    timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return AlsZeit(t);
}

// A picture file, open for reading.
class OffeneDatei
{
public:
    explicit OffeneDatei(const QString &pfad) : m_pfad(pfad)
    {
        const QByteArray name = QFile::encodeName(pfad);
        // Decided before opening: opening a named pipe waits for a writer, opening a device may do anything.
        struct stat vorab;
        if (::stat(name.constData(), &vorab) == 0 && !S_ISREG(vorab.st_mode))
            throw Fehler(KeinLesbaresBild(pfad));
        // Something else may have taken the name since: without blocking, and the open file decides.
        do
            m_datei = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        while (m_datei < 0 && errno == EINTR);
        if (m_datei < 0)
            throw DateiNichtZuOeffnen(pfad);
        struct stat offen;
        if (::fstat(m_datei, &offen) != 0 || !S_ISREG(offen.st_mode)) {
            ::close(m_datei);
            throw Fehler(KeinLesbaresBild(pfad));
        }
        ::fcntl(m_datei, F_SETFL, ::fcntl(m_datei, F_GETFL) & ~O_NONBLOCK);
    }
    ~OffeneDatei() { ::close(m_datei); }
    OffeneDatei(const OffeneDatei &) = delete;
    OffeneDatei &operator=(const OffeneDatei &) = delete;

    Stand stand() const
    {
        struct stat s;
        if (::fstat(m_datei, &s) != 0)
            throw DateiNichtZuOeffnen(m_pfad);
        return {qint64(s.st_size), AlsZeit(s.st_mtim), AlsZeit(s.st_ctim)};
    }

    // Up to `laenge` bytes from the start; fewer where the file ends sooner.
    QByteArray lies(qint64 laenge) const
    {
        QByteArray daten(laenge, Qt::Uninitialized);
        qint64 gelesen = 0;
        while (gelesen < laenge) {
            const ssize_t stueck = ::pread(m_datei, daten.data() + gelesen, size_t(laenge - gelesen), off_t(gelesen));
            if (stueck < 0 && errno == EINTR)
                continue;
            if (stueck < 0)
                throw DateiNichtZuOeffnen(m_pfad);
            if (stueck == 0)
                break;
            gelesen += stueck;
        }
        daten.truncate(gelesen);
        return daten;
    }

private:
    QString m_pfad;
    int m_datei = -1;
};

#endif

// Versions of files known to be whole: watched until they stood still, or written whole by this program. Read
// again at once, as the window reads its label's picture at every preview. A version is its size and times, so any
// change to the file is a version of its own.
struct Ganze
{
    QMutex sperre;
    QList<std::pair<QString, Stand>> versionen; // the newest last
};
Ganze &GanzeVersionen()
{
    static Ganze ganze;
    return ganze;
}
constexpr qsizetype MeisteGanze = 64;

QString Schluessel(const QString &pfad)
{
    return QFileInfo(pfad).absoluteFilePath();
}

bool IstGanz(const QString &pfad, const Stand &s)
{
    Ganze &g = GanzeVersionen();
    const QMutexLocker sperre(&g.sperre);
    const QString name = Schluessel(pfad);
    return std::any_of(g.versionen.cbegin(), g.versionen.cend(),
                       [&](const auto &v) { return v.first == name && v.second == s; });
}

void MerkeGanz(const QString &pfad, const Stand &s)
{
    Ganze &g = GanzeVersionen();
    const QMutexLocker sperre(&g.sperre);
    const QString name = Schluessel(pfad);
    g.versionen.removeIf([&](const auto &v) { return v.first == name; });
    if (g.versionen.size() == MeisteGanze)
        g.versionen.removeFirst();
    g.versionen.append({name, s});
}

std::optional<Stand> StandVon(const QString &pfad)
{
    try {
        return OffeneDatei(pfad).stand();
    } catch (const Fehler &) {
        return std::nullopt;
    }
}

// Watches a fresh file until it stood still for Ruhe; the version it came to rest in. Throws when that takes past
// `frist`.
Stand Beruhigt(const OffeneDatei &datei, Stand stand, qint64 frist, const QString &pfad)
{
    for (qint64 ruhigSeit = Jetzt();;) {
        const qint64 jetzt = Jetzt();
        if (jetzt - ruhigSeit >= Ruhe)
            return stand;
        if (jetzt + (Ruhe - (jetzt - ruhigSeit)) > frist)
            throw Fehler(AendertSichLaufend(pfad));
        std::this_thread::sleep_for(std::chrono::nanoseconds(std::min(Blick, Ruhe - (jetzt - ruhigSeit))));
        if (const Stand neu = datei.stand(); neu != stand) {
            stand = neu;
            ruhigSeit = Jetzt();
        }
    }
}

QByteArray Lies(const QString &pfad, qint64 hoechstens, const Lesebeobachter &beobachter)
{
    const OffeneDatei datei(pfad);
    const qint64 frist = Jetzt() + Geduld;
    for (int lesungen = 0;;) {
        Stand vorher = datei.stand();
        const bool frisch = IstFrisch(vorher, Jetzt()) && !IstGanz(pfad, vorher);
        if (frisch) {
            vorher = Beruhigt(datei, vorher, frist, pfad);
            if (beobachter)
                beobachter(Leseschritt::Gewartet);
        }
        // Also for the headers alone, so that the size reader refuses what the decoder refuses.
        if (vorher.groesse > GroessteBilddatei)
            throw Fehler(BilddateiZuGross(pfad, vorher.groesse));
        const qint64 laenge = std::min(vorher.groesse, hoechstens);
        QByteArray daten = datei.lies(laenge);
        if (beobachter)
            beobachter(Leseschritt::Gelesen);
        if (daten.size() == laenge && datei.stand() == vorher) {
            if (frisch)
                MerkeGanz(pfad, vorher);
            return daten;
        }
        if (++lesungen == MeisteLesungen)
            throw Fehler(AendertSichLaufend(pfad));
    }
}

// A run-length stream from `anfang` on: complete when its end mark or the end of its last row lies in the data.
bool RleVollstaendig(const QByteArray &datei, qint64 anfang, qint64 zeilen, bool vierBit)
{
    const auto *b = reinterpret_cast<const uchar *>(datei.constData());
    const qint64 laenge = datei.size();
    qint64 pos = anfang;
    qint64 zeile = 0;
    while (zeile < zeilen) {
        if (pos + 2 > laenge)
            return false;
        const uchar anzahl = b[pos];
        const uchar zeichen = b[pos + 1];
        pos += 2;
        if (anzahl != 0) // a run of one value
            continue;
        if (zeichen == 0) {
            ++zeile;
        } else if (zeichen == 1) {
            return true;
        } else if (zeichen == 2) { // a jump right and down, kept on the picture as the decoder keeps it
            if (pos + 2 > laenge)
                return false;
            zeile = std::min(zeile + b[pos + 1], zeilen - 1);
            pos += 2;
        } else { // literal pixels, padded to whole 16-bit words
            const qint64 bytes = vierBit ? (zeichen + 1) / 2 : zeichen;
            pos += (bytes + 1) / 2 * 2;
            if (pos > laenge)
                return false;
        }
    }
    return true;
}

// The commonest label picture, a 24-bit bitmap with the 40-byte header, stored whole and within the limits,
// decoded as Qt's own reader decodes it (same pixels, same format, same resolution), straight from the bytes
// instead of pixel by pixel through a device; nothing for any other bytes, which Qt reads.
std::optional<QImage> LiesBitmap24(const QByteArray &daten)
{
    constexpr qint64 kopfEnde = DateiKopfLaenge + InfoKopfLaenge;
    if (daten.size() < kopfEnde || !daten.startsWith("BM"))
        return std::nullopt;
    const auto *b = reinterpret_cast<const uchar *>(daten.constData());
    const qint32 breite = qFromLittleEndian<qint32>(b + 18);
    const qint32 hoeheGespeichert = qFromLittleEndian<qint32>(b + 22);
    if (qFromLittleEndian<quint32>(b + 14) != 40 || qFromLittleEndian<quint16>(b + 26) != 1
        || qFromLittleEndian<quint16>(b + 28) != 24 || qFromLittleEndian<quint32>(b + 30) != 0 || breite <= 0
        || hoeheGespeichert == 0 || hoeheGespeichert == std::numeric_limits<qint32>::min()
        || qint64(breite) * qAbs(qint64(hoeheGespeichert)) > MeisteBildpunkte)
        return std::nullopt;
    const int hoehe = qAbs(hoeheGespeichert);
    // Qt starts on the pixels where the file header says, unless that lies within the headers.
    const qint64 anfang = std::max<qint64>(qFromLittleEndian<quint32>(b + 10), kopfEnde);
    const qint64 zeilenlaenge = (qint64(breite) * 24 + 31) / 32 * 4;
    if (anfang + zeilenlaenge * hoehe > daten.size())
        return std::nullopt;
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    if (bild.isNull())
        return std::nullopt;
    for (int gelesen = 0; gelesen < hoehe; ++gelesen) {
        // Stored from the bottom up, unless the height is negative.
        auto *ziel = reinterpret_cast<QRgb *>(bild.scanLine(hoeheGespeichert > 0 ? hoehe - 1 - gelesen : gelesen));
        const uchar *quelle = b + anfang + gelesen * zeilenlaenge;
        for (int x = 0; x < breite; ++x, quelle += 3)
            ziel[x] = qRgb(quelle[2], quelle[1], quelle[0]);
    }
    bild.setDotsPerMeterX(qFromLittleEndian<qint32>(b + 38));
    bild.setDotsPerMeterY(qFromLittleEndian<qint32>(b + 42));
    return bild;
}

// Sets `leser` to read a bitmap (its content begins "BM") with Qt's own bitmap reader directly: asked by content,
// Qt loads every image plugin installed to ask it first. Anything else is left to Qt's recognition.
void LiesBitmapDirekt(QImageReader &leser)
{
    QIODevice *geraet = leser.device();
    if (geraet && geraet->peek(2) == "BM") {
        leser.setFormat("bmp");
        leser.setAutoDetectImageFormat(false);
    }
}

} // namespace

QString BildZuGross(const QString &pfad, QSize groesse)
{
    return QStringLiteral("Das Bild %1 ist zu groß (%2 x %3 Pixel); höchstens %4 Millionen Pixel werden gedruckt.")
        .arg(pfad, QString::number(groesse.width()), QString::number(groesse.height()),
             QString::number(MeisteBildpunkte / 1'000'000));
}

void GanzGeschrieben(const QString &pfad)
{
    if (const std::optional<Stand> s = StandVon(pfad))
        MerkeGanz(pfad, *s);
}

bool IstGanzGeschrieben(const QString &pfad)
{
    const std::optional<Stand> s = StandVon(pfad);
    return s && IstGanz(pfad, *s);
}

QByteArray LiesBilddatei(const QString &pfad, const Lesebeobachter &beobachter)
{
    return Lies(pfad, std::numeric_limits<qint64>::max(), beobachter);
}

QByteArray LiesBildkopf(const QString &pfad, qint64 anzahl)
{
    return Lies(pfad, anzahl, {});
}

std::optional<QSize> Bitmapgroesse(const QByteArray &kopf, const QString &pfad)
{
    const auto *bytes = reinterpret_cast<const uchar *>(kopf.constData());
    // Qt's reader takes the offset as a signed number and so would read such pixels from somewhere else.
    if (kopf.startsWith("BM") && kopf.size() >= DateiKopfLaenge) {
        const quint32 anfang = qFromLittleEndian<quint32>(bytes + 10);
        if (anfang > quint32(std::numeric_limits<qint32>::max()))
            throw Fehler(PixelanfangZuWeit(pfad, anfang));
    }

    // Both kinds of information header hold their size field, width and height in their first 12 bytes.
    if (kopf.size() < DateiKopfLaenge + 12)
        return std::nullopt;
    qint64 breite = 0;
    qint64 hoehe = 0;
    if (qFromLittleEndian<quint32>(bytes + DateiKopfLaenge) == Os2KopfLaenge) {
        breite = qFromLittleEndian<quint16>(bytes + DateiKopfLaenge + 4);
        hoehe = qFromLittleEndian<quint16>(bytes + DateiKopfLaenge + 6);
    } else {
        breite = qFromLittleEndian<qint32>(bytes + DateiKopfLaenge + 4);
        hoehe = qFromLittleEndian<qint32>(bytes + DateiKopfLaenge + 8);
        if (hoehe == std::numeric_limits<qint32>::min())
            return std::nullopt; // no magnitude in 32 bits
        hoehe = qAbs(hoehe);     // negative: stored top-down
    }
    if (breite <= 0 || hoehe <= 0)
        return std::nullopt;
    const QSize groesse{int(breite), int(hoehe)};
    PruefeBildgrenzen(groesse, pfad);
    return groesse;
}

bool BitmapVollstaendig(const QByteArray &datei)
{
    if (!datei.startsWith("BM"))
        return true;
    if (datei.size() < DateiKopfLaenge + 4)
        return false;
    const auto *b = reinterpret_cast<const uchar *>(datei.constData());
    const quint32 kopf = qFromLittleEndian<quint32>(b + DateiKopfLaenge);
    // The decoder reads any header of a size it does not know as the old one with 16-bit fields.
    const bool os2 = kopf != InfoKopfLaenge && kopf != 64 && kopf != 108 && kopf != 124;
    if (datei.size() < DateiKopfLaenge + (os2 ? Os2KopfLaenge : InfoKopfLaenge))
        return false;
    const uchar *info = b + DateiKopfLaenge;
    const qint64 breite = os2 ? qFromLittleEndian<qint16>(info + 4) : qFromLittleEndian<qint32>(info + 4);
    const qint64 hoeheGespeichert = os2 ? qFromLittleEndian<qint16>(info + 6) : qFromLittleEndian<qint32>(info + 8);
    const qint64 hoehe = qAbs(hoeheGespeichert); // negative: stored top-down
    const int bits = qFromLittleEndian<quint16>(info + (os2 ? 10 : 14));
    const quint32 kompression = os2 ? 0 : qFromLittleEndian<quint32>(info + 16);
    const quint32 farbenGenutzt = os2 ? 0 : qFromLittleEndian<quint32>(info + 32);
    if (breite <= 0 || hoehe <= 0 || bits <= 0 || bits > 32)
        return true;

    // Where the decoder starts on the pixels: at the offset the file header names, but never inside the headers
    // and the colour table as it reads them.
    const qint64 farben = bits <= 8 ? (farbenGenutzt ? farbenGenutzt : qint64(1) << bits) : 0;
    const qint64 kopfEnde =
        DateiKopfLaenge + (kopf >= 108 ? InfoKopfLaenge : kopf) + farben * (kopf == Os2KopfLaenge ? 3 : 4);
    const qint64 anfang = std::max<qint64>(qFromLittleEndian<quint32>(b + 10), kopfEnde);
    if (kompression == Rle8 || kompression == Rle4)
        return RleVollstaendig(datei, anfang, hoehe, kompression == Rle4);
    // Every row is stored padded to whole 32-bit words.
    const qint64 zeile = (breite * bits + 31) / 32 * 4;
    return anfang <= datei.size() && (datei.size() - anfang) / zeile >= hoehe;
}

QImage BildAusDaten(const QByteArray &daten, const QString &pfad)
{
    // The size the size reader finds is held to the same limits here.
    if (daten.startsWith("BM"))
        Bitmapgroesse(daten, pfad);
    if (std::optional<QImage> bild = LiesBitmap24(daten))
        return *bild;
    QBuffer puffer;
    puffer.setData(daten);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer);
    LiesBitmapDirekt(leser);
    if (const QSize groesse = leser.size(); groesse.isValid())
        PruefeBildgrenzen(groesse, pfad);
    if (!BitmapVollstaendig(daten))
        return QImage();
    Q_UNUSED(QtGrenzeGesetzt);
    return leser.read();
}

QImage LeseBild(const QString &pfad)
{
    return BildAusDaten(LiesBilddatei(pfad), pfad);
}

namespace {

QString KeinLesbaresFremdbild(const QString &pfad)
{
    return QStringLiteral("Die Datei %1 enthält kein lesbares Bild.").arg(pfad);
}

bool IstZeichnungsformat(const QByteArray &format)
{
    return format == "svg" || format == "svgz";
}

// A picture whose proportions no label has: refused before anything is scaled.
void PruefeSeitenverhaeltnis(QSize groesse, const QString &pfad)
{
    if (groesse.isEmpty()
        || (qint64(groesse.width()) <= GroesstesSeitenverhaeltnis * groesse.height()
            && qint64(groesse.height()) <= GroesstesSeitenverhaeltnis * groesse.width()))
        return;
    throw Fehler(QStringLiteral("Das Bild %1 ist %2 x %3 Pixel groß: mehr als %4-mal so breit wie hoch oder so hoch "
                                "wie breit. Ein solches Bild passt auf kein Etikett und wird nicht übernommen.")
                     .arg(pfad, QString::number(groesse.width()), QString::number(groesse.height()),
                          QString::number(GroesstesSeitenverhaeltnis)));
}

// Formats that Qt reads only through a module of its own, by the bytes they begin with.
QString FehlendesModul(const QByteArray &daten)
{
    if (daten.startsWith("II*\0") || daten.startsWith("MM\0*"))
        return QStringLiteral("TIFF");
    if (daten.startsWith("RIFF") && daten.mid(8, 4) == "WEBP")
        return QStringLiteral("WebP");
    return {};
}

// Qt's decoders tell of damage they read past (a JPEG cut short, data that makes no sense) only as a warning of
// their category, and go on with grey: heard while one picture is decoded.
class Dekoderwarnungen
{
public:
    Dekoderwarnungen() : m_vorher(qInstallMessageHandler(&Hoere)) { s_offen = this; }
    ~Dekoderwarnungen()
    {
        s_offen = nullptr;
        qInstallMessageHandler(m_vorher);
    }
    Dekoderwarnungen(const Dekoderwarnungen &) = delete;
    Dekoderwarnungen &operator=(const Dekoderwarnungen &) = delete;
    bool gehoert() const { return m_gehoert; }

private:
    static void Hoere(QtMsgType art, const QMessageLogContext &zusammenhang, const QString &text)
    {
        Dekoderwarnungen *offen = s_offen;
        if (offen && art == QtWarningMsg && zusammenhang.category
            && qstrncmp(zusammenhang.category, "qt.gui.imageio", 14) == 0) {
            offen->m_gehoert = true;
            return;
        }
        if (offen && offen->m_vorher)
            offen->m_vorher(art, zusammenhang, text);
    }

    static inline Dekoderwarnungen *s_offen = nullptr;
    QtMessageHandler m_vorher;
    bool m_gehoert = false;
};

// A GIF ends in its trailer; Qt shows one cut short with the rest of its pixels black, without a word.
bool GifAbgeschnitten(const QByteArray &format, const QByteArray &daten)
{
    if (format != "gif")
        return false;
    qsizetype ende = daten.size();
    while (ende > 0 && daten[ende - 1] == '\0')
        --ende;
    return ende == 0 || daten[ende - 1] != ';';
}

// A file device whose bytes are the ones already read: Qt SVG finds pictures that a drawing names beside it through
// the name of the file it reads from, never through the working folder.
class Gelesene : public QFile
{
public:
    Gelesene(const QString &pfad, const QByteArray &daten) : QFile(pfad), m_daten(daten)
    {
        QIODevice::open(QIODevice::ReadOnly);
    }
    bool open(OpenMode) override { return false; }
    void close() override { QIODevice::close(); }
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_daten.size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos); }
    bool atEnd() const override { return QIODevice::atEnd(); }

protected:
    qint64 readData(char *ziel, qint64 hoechstens) override
    {
        const qint64 anzahl = std::clamp<qint64>(m_daten.size() - pos(), 0, hoechstens);
        std::copy_n(m_daten.constData() + pos(), anzahl, ziel);
        return anzahl;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    const QByteArray m_daten;
};

} // namespace

QStringList FremdbildMuster()
{
    const QList<QByteArray> formate = QImageReader::supportedImageFormats();
    QStringList muster;
    for (const char *format : {"png", "jpg", "jpeg", "gif", "bmp", "tif", "tiff", "webp", "svg", "svgz"})
        if (formate.contains(format))
            muster.append(QStringLiteral("*.") + QLatin1String(format));
    return muster;
}

Fremdbild LiesFremdbild(const QString &pfad)
{
    Fremdbild ergebnis{pfad, {}, {}, {}};
    // A folder or a device is no picture of any kind, not only no bitmap.
    if (const QFileInfo info(pfad); info.exists() && !info.isFile())
        throw Fehler(KeinLesbaresFremdbild(pfad));
    const QByteArray daten = LiesBilddatei(pfad);
    if (daten.startsWith("BM")) {
        if (const std::optional<QSize> groesse = Bitmapgroesse(daten, pfad))
            PruefeSeitenverhaeltnis(*groesse, pfad);
        ergebnis.bild = BildAusDaten(daten, pfad);
    } else {
        Gelesene datei(pfad, daten);
        QImageReader leser(&datei);
        const QByteArray format = leser.format();
        if (IstZeichnungsformat(format)) {
            ergebnis.groesse = leser.size();
            if (ergebnis.groesse.isEmpty())
                throw Fehler(KeinLesbaresFremdbild(pfad));
            PruefeSeitenverhaeltnis(ergebnis.groesse, pfad);
            ergebnis.zeichnung = daten;
            return ergebnis;
        }
        if (format.isEmpty() && daten.left(512).contains("<svg"))
            throw Fehler(QStringLiteral("Die Datei %1 ist eine SVG-Zeichnung; das Modul, das SVG liest (Qt SVG), "
                                        "ist hier nicht installiert.")
                             .arg(pfad));
        if (const QString art = FehlendesModul(daten); format.isEmpty() && !art.isEmpty())
            throw Fehler(QStringLiteral("Die Datei %1 ist ein %2-Bild; das Modul, das %2 liest (Qt Image Formats), "
                                        "ist hier nicht installiert.")
                             .arg(pfad, art));
        // A photo stands as the camera was held.
        leser.setAutoTransform(true);
        if (const QSize groesse = leser.size(); groesse.isValid()) {
            PruefeBildgrenzen(groesse, pfad);
            PruefeSeitenverhaeltnis(groesse, pfad);
        }
        Q_UNUSED(QtGrenzeGesetzt);
        const Dekoderwarnungen warnungen;
        ergebnis.bild = leser.read();
        if (!ergebnis.bild.isNull() && (warnungen.gehoert() || GifAbgeschnitten(format, daten)))
            throw Fehler(QStringLiteral("Die Datei %1 enthält kein vollständiges Bild: sie ist beschädigt oder nicht "
                                        "zu Ende gespeichert.")
                             .arg(pfad));
    }
    if (ergebnis.bild.isNull())
        throw Fehler(KeinLesbaresFremdbild(pfad));
    PruefeBildgrenzen(ergebnis.bild.size(), pfad);
    PruefeSeitenverhaeltnis(ergebnis.bild.size(), pfad);
    // Pixels are printed as sRGB: a picture that says it means other colours is taken in the colours it means.
    if (const QColorSpace farben = ergebnis.bild.colorSpace(); farben.isValid() && farben != QColorSpace::SRgb) {
        ergebnis.bild.convertTo(ergebnis.bild.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        ergebnis.bild.convertToColorSpace(QColorSpace::SRgb);
    }
    ergebnis.groesse = ergebnis.bild.size();
    return ergebnis;
}

QImage ZeichnungAlsBild(const Fremdbild &zeichnung, QSize groesse, const QRect &ausschnitt)
{
    Gelesene datei(zeichnung.pfad, zeichnung.zeichnung);
    QImageReader leser(&datei);
    leser.setScaledSize(groesse);
    leser.setScaledClipRect(ausschnitt);
    QImage bild = leser.read();
    if (bild.isNull())
        throw Fehler(KeinLesbaresFremdbild(zeichnung.pfad));
    return bild;
}
