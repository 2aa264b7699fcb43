#include "storage/liste.h"

#include "platform/fehler.h"
#include "storage/zeichensatz.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <array>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QChar Anfuehrung(u'"');

bool Zeilenende(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Reads the records of a decoded list one after the other.
class Leser
{
public:
    Leser(QStringView text, QChar trenner, const QString &pfad) : m_text(text), m_trenner(trenner), m_pfad(pfad) {}

    bool amEnde() const { return m_i >= m_text.size(); }
    int zeile() const { return m_zeile; }

    // The values of the record that begins here, up to its line end, which is passed over.
    QStringList eintrag()
    {
        QStringList werte;
        for (;;) {
            werte.append(wert());
            if (m_i < m_text.size() && m_text[m_i] == m_trenner && !m_trenner.isNull()) {
                ++m_i;
                continue;
            }
            zeilenende();
            return werte;
        }
    }

private:
    bool leer(QChar c) const { return c == u' ' || (c == u'\t' && m_trenner != u'\t'); }

    void zeilenende()
    {
        if (m_i >= m_text.size())
            return;
        if (m_text[m_i] == u'\r' && m_i + 1 < m_text.size() && m_text[m_i + 1] == u'\n')
            ++m_i;
        ++m_i;
        ++m_zeile;
    }

    QString wert()
    {
        while (m_i < m_text.size() && leer(m_text[m_i]))
            ++m_i;
        QString wert;
        const bool zitiert = m_i < m_text.size() && m_text[m_i] == Anfuehrung;
        if (zitiert) {
            const int anfang = m_zeile;
            for (++m_i;; ++m_i) {
                if (m_i >= m_text.size())
                    throw Fehler(QStringLiteral("In der Liste %1 wird das Anführungszeichen in Zeile %2 nicht "
                                                "geschlossen; der Rest der Datei wäre ein einziges Feld.")
                                     .arg(m_pfad, QString::number(anfang)));
                const QChar c = m_text[m_i];
                if (c == Anfuehrung) {
                    if (m_i + 1 < m_text.size() && m_text[m_i + 1] == Anfuehrung) {
                        wert += Anfuehrung;
                        ++m_i;
                        continue;
                    }
                    ++m_i;
                    break;
                }
                if (Zeilenende(c)) {
                    zeilenende();
                    --m_i;
                    wert += u'\n';
                    continue;
                }
                wert += c;
            }
        }
        // Unquoted, or what a spreadsheet would keep after the closing quote.
        const qsizetype anfang = m_i;
        while (m_i < m_text.size() && !Zeilenende(m_text[m_i]) && (m_trenner.isNull() || m_text[m_i] != m_trenner))
            ++m_i;
        qsizetype links = anfang, rechts = m_i;
        while (rechts > links && leer(m_text[rechts - 1]))
            --rechts;
        while (zitiert && links < rechts && leer(m_text[links]))
            ++links;
        return wert.append(m_text.sliced(links, rechts - links));
    }

    QStringView m_text;
    QChar m_trenner;
    QString m_pfad;
    qsizetype m_i = 0;
    int m_zeile = 1;
};

bool AllesLeer(const QStringList &werte)
{
    return std::all_of(werte.begin(), werte.end(), [](const QString &w) { return w.isEmpty(); });
}

QString MehrFelder(const QString &pfad, int zeile, qsizetype werte, qsizetype felder, int weitere)
{
    QString text = QStringLiteral("Zeile %1 der Liste %2 hat %3 Felder, ihre erste Zeile nur %4; was darüber "
                                  "hinausgeht, wird nicht gedruckt.")
                       .arg(QString::number(zeile), pfad, QString::number(werte), QString::number(felder));
    if (weitere == 1)
        text += QStringLiteral(" Ebenso eine weitere Zeile.");
    else if (weitere > 1)
        text += QStringLiteral(" Ebenso %1 weitere Zeilen.").arg(weitere);
    return text;
}

#ifndef Q_OS_WIN
// Opens a regular file for reading without waiting for anything: a named pipe would wait for a writer.
int OeffneDatei(const QString &pfad, const QString &keineDatei)
{
    const QByteArray name = QFile::encodeName(pfad);
    int datei;
    do
        datei = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (datei < 0 && errno == EINTR);
    if (datei < 0)
        throw DateiNichtZuOeffnen(pfad);
    struct stat s;
    if (::fstat(datei, &s) != 0 || !S_ISREG(s.st_mode)) {
        ::close(datei);
        throw Fehler(keineDatei);
    }
    ::fcntl(datei, F_SETFL, ::fcntl(datei, F_GETFL) & ~O_NONBLOCK);
    return datei;
}
#endif

} // namespace

qsizetype Feldnummer(const QStringList &felder, const QString &name)
{
    const QString gesucht = name.trimmed();
    if (gesucht.isEmpty())
        return -1;
    for (qsizetype i = 0; i < felder.size(); ++i)
        if (felder[i].trimmed().compare(gesucht, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QChar Listentrenner(QStringView text)
{
    constexpr std::array<char16_t, 3> kandidaten{u'\t', u';', u','};
    // Lines that the reader passes over as empty are passed over here too; a text of nothing else is counted
    // whole, so that its lines are empty records whichever separator it has.
    qsizetype i = 0;
    bool nurLeere = true;
    for (qsizetype j = 0; j < text.size() && nurLeere; ++j) {
        if (Zeilenende(text[j]))
            i = j + 1;
        else if (text[j] != u' ' && text[j] != u'\t' && text[j] != u';' && text[j] != u',')
            nurLeere = false;
    }
    if (nurLeere)
        i = 0;
    std::array<int, 3> anzahl{};
    for (bool zitiert = false; i < text.size() && (zitiert || nurLeere || !Zeilenende(text[i])); ++i) {
        if (text[i] == u'"')
            zitiert = !zitiert;
        else if (!zitiert)
            for (std::size_t k = 0; k < kandidaten.size(); ++k)
                anzahl[k] += text[i] == kandidaten[k];
    }
    const auto meiste = std::max_element(anzahl.begin(), anzahl.end());
    return *meiste == 0 ? QChar() : QChar(kandidaten[std::size_t(meiste - anzahl.begin())]);
}

Liste ListeAusText(const QByteArray &inhalt, const QString &pfad)
{
    const QString text = Utf8OderWindows1252(inhalt);
    Leser leser(text, Listentrenner(text), pfad);
    Liste liste;
    bool kopf = true;
    int ersterUeberzaehliger = 0; // the line of the first record with more values
    qsizetype seineWerte = 0;
    int weitere = 0;
    while (!leser.amEnde()) {
        const int zeile = leser.zeile();
        QStringList werte = leser.eintrag();
        if (AllesLeer(werte))
            continue;
        if (kopf) {
            liste.felder = werte;
            kopf = false;
            continue;
        }
        if (liste.eintraege.size() == MeisteEintraege)
            throw Fehler(QStringLiteral("Die Liste %1 hat mehr als %2 Einträge; so viele Etiketten druckt Morvane "
                                        "nicht in einem Auftrag. Bitte teilen Sie die Liste.")
                             .arg(pfad, QLocale(QLocale::German).toString(MeisteEintraege)));
        const qsizetype felder = liste.felder.size();
        if (werte.size() > felder && !AllesLeer(werte.mid(felder))) {
            if (ersterUeberzaehliger)
                ++weitere;
            else {
                ersterUeberzaehliger = zeile;
                seineWerte = werte.size();
            }
        }
        werte.resize(felder);
        liste.eintraege.append({zeile, werte});
    }
    if (kopf)
        throw Fehler(QStringLiteral("Die Liste %1 ist leer; ihre erste Zeile müsste die Felder nennen.").arg(pfad));
    if (ersterUeberzaehliger)
        liste.hinweis = MehrFelder(pfad, ersterUeberzaehliger, seineWerte, liste.felder.size(), weitere);
    return liste;
}

Liste LiesListe(const QString &pfad)
{
    const QFileInfo info(pfad);
    if (!info.exists())
        throw Fehler(QStringLiteral("Die Liste %1 fehlt.").arg(pfad));
    const QString keineDatei = QStringLiteral("%1 ist keine Datei, die als Liste gelesen werden kann.").arg(pfad);
    // Decided before opening, so that nothing waits for a writer.
    if (!info.isFile())
        throw Fehler(keineDatei);
    QFile datei(pfad);
#ifdef Q_OS_WIN
    if (!datei.open(QIODevice::ReadOnly))
        throw DateiNichtZuOeffnen(pfad);
#else
    if (!datei.open(OeffneDatei(pfad, keineDatei), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        throw DateiNichtZuOeffnen(pfad);
#endif
    constexpr qint64 MB = 1024 * 1024;
    const auto zuGross = [&](qint64 bytes) {
        return Fehler(QStringLiteral("Die Liste %1 ist zu groß (%2 MB); höchstens %3 MB werden als Liste gelesen.")
                          .arg(pfad, QString::number((bytes + MB - 1) / MB),
                               QString::number(GroessteListendatei / MB)));
    };
    if (datei.size() > GroessteListendatei)
        throw zuGross(datei.size());
    // One read, one byte more than allowed: a file that grew meanwhile is refused, not cut.
    const QByteArray inhalt = datei.read(GroessteListendatei + 1);
    if (datei.error() != QFileDevice::NoError)
        throw DateiNichtZuOeffnen(pfad);
    if (inhalt.size() > GroessteListendatei)
        throw zuGross(inhalt.size());
    return ListeAusText(inhalt, pfad);
}
