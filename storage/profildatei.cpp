#include "storage/profildatei.h"

#include <QFile>
#include <QList>

#include <algorithm>
#include <optional>

namespace {

constexpr int MaxWertLaenge = 254;

QByteArray ohneLeerraum(QByteArray text)
{
    auto leer = [](char c) { return c == ' ' || c == '\t'; };
    qsizetype anfang = 0;
    qsizetype ende = text.size();
    while (anfang < ende && leer(text.at(anfang)))
        ++anfang;
    while (ende > anfang && leer(text.at(ende - 1)))
        --ende;
    return text.mid(anfang, ende - anfang);
}

bool gleichOhneGross(const QByteArray &a, const QString &b)
{
    return QString::fromLatin1(a).compare(b, Qt::CaseInsensitive) == 0;
}

// The text's lines with their own line ends, a leading byte-order mark apart.
struct Zeilen
{
    QByteArray bom;
    QList<QByteArray> zeilen;
};

Zeilen InZeilen(const QByteArray &inhalt)
{
    Zeilen z;
    qsizetype pos = 0;
    if (inhalt.startsWith("\xEF\xBB\xBF")) {
        z.bom = inhalt.left(3);
        pos = 3;
    }
    while (pos < inhalt.size()) {
        qsizetype ende = pos;
        while (ende < inhalt.size() && inhalt.at(ende) != '\r' && inhalt.at(ende) != '\n')
            ++ende;
        if (ende < inhalt.size())
            ende += inhalt.at(ende) == '\r' && ende + 1 < inhalt.size() && inhalt.at(ende + 1) == '\n' ? 2 : 1;
        z.zeilen.append(inhalt.mid(pos, ende - pos));
        pos = ende;
    }
    return z;
}

QByteArray OhneZeilenende(const QByteArray &zeile)
{
    qsizetype n = zeile.size();
    while (n > 0 && (zeile.at(n - 1) == '\r' || zeile.at(n - 1) == '\n'))
        --n;
    return zeile.left(n);
}

// The section a line opens, or nothing for a line that opens none.
std::optional<QByteArray> Sektionsname(const QByteArray &zeile)
{
    const QByteArray text = ohneLeerraum(OhneZeilenende(zeile));
    if (!text.startsWith('['))
        return std::nullopt;
    const qsizetype zu = text.indexOf(']');
    return ohneLeerraum(text.mid(1, zu < 0 ? -1 : zu - 1));
}

} // namespace

QString LeseProfilWertAusText(const QByteArray &inhalt, const QString &sektion, const QString &schluessel)
{
    QByteArray text = inhalt;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);

    bool inSektion = false;
    bool sektionGesehen = false;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype ende = pos;
        while (ende < text.size() && text.at(ende) != '\r' && text.at(ende) != '\n')
            ++ende;
        const QByteArray zeile = ohneLeerraum(text.mid(pos, ende - pos));
        pos = ende + 1;
        if (ende + 1 < text.size() && text.at(ende) == '\r' && text.at(ende + 1) == '\n')
            ++pos;

        if (zeile.isEmpty() || zeile.startsWith(';'))
            continue;
        if (zeile.startsWith('[')) {
            if (inSektion)
                return {}; // only the first section of that name counts
            const qsizetype zu = zeile.indexOf(']');
            const QByteArray name = ohneLeerraum(zeile.mid(1, zu < 0 ? -1 : zu - 1));
            inSektion = !sektionGesehen && gleichOhneGross(name, sektion);
            sektionGesehen = sektionGesehen || inSektion;
            continue;
        }
        if (!inSektion)
            continue;
        const qsizetype gleich = zeile.indexOf('=');
        if (gleich < 0)
            continue;
        if (!gleichOhneGross(ohneLeerraum(zeile.left(gleich)), schluessel))
            continue;
        QByteArray wert = ohneLeerraum(zeile.mid(gleich + 1));
        if (wert.size() >= 2 && (wert.front() == '"' || wert.front() == '\'') && wert.back() == wert.front())
            wert = wert.mid(1, wert.size() - 2);
        return QString::fromLatin1(wert.left(MaxWertLaenge));
    }
    return {};
}

bool HatProfilSektion(const QByteArray &inhalt, const QString &sektion)
{
    QByteArray text = inhalt;
    text.replace('\r', '\n');
    for (const QByteArray &roh : text.split('\n')) {
        const QByteArray zeile = ohneLeerraum(roh);
        if (!zeile.startsWith('['))
            continue;
        const qsizetype zu = zeile.indexOf(']');
        if (gleichOhneGross(ohneLeerraum(zeile.mid(1, zu < 0 ? -1 : zu - 1)), sektion))
            return true;
    }
    return false;
}

QString LeseProfilWert(const QString &datei, const QString &sektion, const QString &schluessel)
{
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return LeseProfilWertAusText(f.readAll(), sektion, schluessel);
}

QByteArray ProfilOhneSektionen(const QByteArray &inhalt, const QStringList &sektionen)
{
    QByteArray ergebnis;
    bool behalten = false;
    for (const QByteArray &zeile : InZeilen(inhalt).zeilen) {
        if (const std::optional<QByteArray> name = Sektionsname(zeile))
            behalten = std::none_of(sektionen.begin(), sektionen.end(),
                                    [&](const QString &sektion) { return gleichOhneGross(*name, sektion); });
        if (behalten)
            ergebnis += OhneZeilenende(zeile) + "\r\n";
    }
    return ergebnis;
}

QByteArray ProfilAbschnitte(const QByteArray &inhalt, const QString &sektion)
{
    QByteArray abschnitte;
    bool drin = false;
    for (const QByteArray &zeile : InZeilen(inhalt).zeilen) {
        if (const std::optional<QByteArray> name = Sektionsname(zeile))
            drin = gleichOhneGross(*name, sektion);
        if (drin)
            abschnitte += OhneZeilenende(zeile) + "\r\n";
    }
    return abschnitte;
}

QByteArray ErsetzeProfilAbschnitte(const QByteArray &inhalt, const QString &sektion, const QByteArray &ersatz)
{
    const Zeilen z = InZeilen(inhalt);
    QByteArray text = z.bom;
    bool drin = false;
    bool ersetzt = false;
    for (const QByteArray &zeile : z.zeilen) {
        if (const std::optional<QByteArray> name = Sektionsname(zeile)) {
            drin = gleichOhneGross(*name, sektion);
            if (drin && !ersetzt) {
                text += ersatz;
                ersetzt = true;
            }
        }
        if (!drin)
            text += zeile;
    }
    if (ersetzt || ersatz.isEmpty())
        return text;
    if (!text.isEmpty() && !text.endsWith('\n') && !text.endsWith('\r'))
        text += "\r\n";
    return text + ersatz;
}

QString ProfilText(const QString &gelesen)
{
    if (std::any_of(gelesen.begin(), gelesen.end(), [](QChar c) { return c.unicode() > 0xFF; }))
        return gelesen;
    const QByteArray roh = gelesen.toLatin1();
    const QString utf8 = QString::fromUtf8(roh);
    return utf8.toUtf8() == roh ? utf8 : gelesen;
}

QByteArray ProfilWert(const QString &text)
{
    const QByteArray roh = text.toUtf8();
    if (roh.isEmpty())
        return roh;
    const auto leer = [](char c) { return c == ' ' || c == '\t'; };
    const bool rand = leer(roh.front()) || leer(roh.back()) || roh.front() == '"' || roh.front() == '\'';
    return rand ? '"' + roh + '"' : roh;
}

QString ProfilWertFehler(const QString &schluessel, const QString &text)
{
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        return QStringLiteral("%1 enthält einen Zeilenumbruch, den die Einstellungsdatei nicht fassen kann")
            .arg(schluessel);
    // The reader cuts a value after taking off its quotes.
    if (text.toUtf8().size() > MaxWertLaenge)
        return QStringLiteral("%1 ist zu lang für die Einstellungsdatei: höchstens %2 Zeichen, Umlaute und andere "
                              "Sonderzeichen zählen doppelt oder dreifach")
            .arg(schluessel, QString::number(MaxWertLaenge));
    return {};
}
