#include "storage/zieldatei.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Links that lead on to links: as many as the system itself follows.
constexpr int MeisteVerweise = 40;

// The file a path names once every symbolic link on its way is followed, also when that file does not exist yet.
QString Aufgeloest(const QString &pfad)
{
    QString echt = QFileInfo(pfad).absoluteFilePath();
    for (int i = 0; i < MeisteVerweise; ++i) {
        const QFileInfo info(echt);
        if (!info.isSymbolicLink())
            return echt;
        echt = info.symLinkTarget();
    }
    return {};
}

// Gives the draft what the target had, or what a new file of this user gets.
void UebernimmRechte(const QString &entwurf, const QString &echt)
{
#ifdef Q_OS_UNIX
    const QByteArray neu = QFile::encodeName(entwurf);
    struct stat alt = {};
    if (::stat(QFile::encodeName(echt).constData(), &alt) == 0) {
        // The owner first: changing it clears the set-id bits, which the mode then sets again. Only root may give
        // a file away; anyone may keep its group when they belong to it.
        if (::chown(neu.constData(), alt.st_uid, alt.st_gid) != 0
            && ::chown(neu.constData(), static_cast<uid_t>(-1), alt.st_gid) != 0) {
            // the draft keeps this user's owner and group
        }
        ::chmod(neu.constData(), alt.st_mode & 07777);
    } else {
        const mode_t maske = ::umask(0);
        ::umask(maske);
        ::chmod(neu.constData(), 0666 & ~maske);
    }
#else
    Q_UNUSED(entwurf);
    Q_UNUSED(echt);
#endif
}

bool Leerraum(char c)
{
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

// The whole number at `pos` after blanks, `pos` moved past it; -1 when there is none.
qint64 Zahl(const QByteArray &text, qsizetype &pos)
{
    while (pos < text.size() && Leerraum(text[pos]))
        ++pos;
    qint64 n = -1;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        if (n > (qint64(1) << 40))
            return -1;
        n = (n < 0 ? 0 : n * 10) + (text[pos] - '0');
    }
    return n;
}

// Why an existing target must stay as it is, or empty. Only the target's owner replaces it, and only while its own
// write permission lets them: the replacement is a rename, which the folder alone would allow, and root passes
// every access check.
QString NichtZuErsetzen(const QString &echt, const QString &ziel, const QString &folge)
{
#ifdef Q_OS_UNIX
    struct stat s = {};
    const QByteArray roh = QFile::encodeName(echt);
    if (::stat(roh.constData(), &s) != 0)
        return {};
    if (s.st_uid != ::geteuid())
        return QStringLiteral("Die Datei %1 gehört einem anderen Benutzer und bleibt unverändert. %2").arg(ziel, folge);
    const bool schreibbar = (s.st_mode & S_IWUSR) != 0 && ::access(roh.constData(), W_OK) == 0;
#else
    const bool schreibbar = !QFileInfo::exists(echt) || QFileInfo(echt).isWritable();
#endif
    if (!schreibbar)
        return QStringLiteral("Die Datei %1 ist schreibgeschützt und bleibt unverändert. %2").arg(ziel, folge);
    return {};
}

} // namespace

Fehler DateiNichtGeschrieben(const QString &pfad, const QString &folge)
{
    return Fehler(QStringLiteral("Die Datei %1 kann nicht geschrieben werden. %2").arg(pfad, folge));
}

Zieldatei::Zieldatei(const QString &ziel, const QString &folge) : m_ziel(ziel), m_echt(Aufgeloest(ziel)), m_folge(folge)
{
    if (m_echt.isEmpty())
        throw DateiNichtGeschrieben(m_ziel, m_folge);
    const QFileInfo echt(m_echt);
    if (echt.exists() && !echt.isFile())
        throw Fehler(QStringLiteral("%1 ist keine gewöhnliche Datei (sondern ein Ordner, ein Gerät oder eine "
                                    "benannte Pipe) und bleibt unverändert. %2")
                         .arg(m_ziel, m_folge));
    if (const QString grund = NichtZuErsetzen(m_echt, m_ziel, m_folge); !grund.isEmpty())
        throw Fehler(grund);
    QTemporaryFile entwurf(echt.absolutePath() + QStringLiteral("/.morvane-XXXXXX"));
    if (!entwurf.open())
        throw DateiNichtGeschrieben(m_ziel, m_folge);
    // Only the name is kept: no handle stays open while another writer fills the file.
    entwurf.setAutoRemove(false);
    m_entwurf = entwurf.fileName();
}

Zieldatei::~Zieldatei()
{
    if (!m_entwurf.isEmpty())
        QFile::remove(m_entwurf);
}

QByteArray Zieldatei::inhalt() const
{
    QFile datei(m_entwurf);
    if (!datei.open(QIODevice::ReadOnly))
        return {};
    return datei.readAll();
}

void Zieldatei::uebernehmen()
{
    UebernimmRechte(m_entwurf, m_echt);
    std::error_code fehler;
    std::filesystem::rename(m_entwurf.toStdU16String(), m_echt.toStdU16String(), fehler);
    if (fehler)
        throw DateiNichtGeschrieben(m_ziel, m_folge);
    m_entwurf.clear();
}

bool PdfVollstaendig(const QByteArray &pdf)
{
    qsizetype ende = pdf.size();
    while (ende > 0 && Leerraum(pdf[ende - 1]))
        --ende;
    if (!QByteArrayView(pdf).first(ende).endsWith("%%EOF"))
        return false;
    const qsizetype trailer = pdf.lastIndexOf("startxref");
    if (trailer < 0)
        return false;
    qsizetype pos = trailer + 9;
    const qint64 tabelle = Zahl(pdf, pos);
    if (tabelle < 0 || tabelle >= trailer || pdf.mid(tabelle, 4) != "xref")
        return false;

    // Sections of "first count", each followed by its entries of exactly 20 bytes, up to the word "trailer".
    pos = tabelle + 4;
    bool gefunden = false;
    for (;;) {
        const qsizetype abschnitt = pos;
        const qint64 erste = Zahl(pdf, pos);
        if (erste < 0) {
            pos = abschnitt;
            break;
        }
        const qint64 anzahl = Zahl(pdf, pos);
        while (pos < trailer && Leerraum(pdf[pos]))
            ++pos;
        if (anzahl < 0 || anzahl > (trailer - pos) / 20)
            return false;
        for (qint64 i = 0; i < anzahl; ++i) {
            const QByteArray eintrag = pdf.mid(pos + 20 * i, 20);
            if (eintrag.at(17) != 'n')
                continue;
            qsizetype p = 0;
            const qint64 ort = Zahl(eintrag, p);
            const qint64 generation = Zahl(eintrag, p);
            const QByteArray kopf =
                QByteArray::number(erste + i) + ' ' + QByteArray::number(generation) + QByteArrayLiteral(" obj");
            if (ort < 0 || generation < 0 || ort >= tabelle || pdf.mid(ort, kopf.size()) != kopf)
                return false;
            gefunden = true;
        }
        pos += 20 * anzahl;
    }
    while (pos < trailer && Leerraum(pdf[pos]))
        ++pos;
    return gefunden && pdf.mid(pos, 7) == "trailer";
}
