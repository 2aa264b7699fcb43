#include "storage/profildatei.h"

#include <QFile>

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
    QByteArray text = inhalt;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QByteArray ergebnis;
    bool behalten = false;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype ende = pos;
        while (ende < text.size() && text.at(ende) != '\r' && text.at(ende) != '\n')
            ++ende;
        const QByteArray zeile = text.mid(pos, ende - pos);
        pos = ende + 1;
        if (ende + 1 < text.size() && text.at(ende) == '\r' && text.at(ende + 1) == '\n')
            ++pos;
        const QByteArray bloss = ohneLeerraum(zeile);
        if (bloss.startsWith('[')) {
            const qsizetype zu = bloss.indexOf(']');
            const QString name = QString::fromLatin1(ohneLeerraum(bloss.mid(1, zu < 0 ? -1 : zu - 1)));
            behalten = !sektionen.contains(name, Qt::CaseInsensitive);
        }
        if (behalten)
            ergebnis += zeile + "\r\n";
    }
    return ergebnis;
}
