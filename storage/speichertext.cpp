#include "storage/speichertext.h"

#include <QStringEncoder>

#include <algorithm>
#include <iterator>

namespace {

constexpr char Hex[] = "0123456789ABCDEF";

bool EinfachesZeichen(char16_t z)
{
    return (z >= 'a' && z <= 'z') || (z >= 'A' && z <= 'Z') || (z >= '0' && z <= '9') || z == '_' || z == '-'
        || z == '.';
}

// A key as Qt writes it: levels apart by "\", anything beyond letters, digits, "_-." as %XX or %UXXXX.
QByteArray KodierterSchluessel(const QString &schluessel)
{
    QByteArray k;
    for (const QChar c : schluessel) {
        const char16_t z = c.unicode();
        if (z == '/') {
            k += '\\';
        } else if (EinfachesZeichen(z)) {
            k += char(z);
        } else if (z <= 0xFF) {
            k += '%';
            k += Hex[z / 16];
            k += Hex[z % 16];
        } else {
            k += "%U";
            for (int stelle = 12; stelle >= 0; stelle -= 4)
                k += Hex[(z >> stelle) & 0xF];
        }
    }
    return k;
}

int Hexwert(char z)
{
    return z >= '0' && z <= '9' ? z - '0'
        : z >= 'a' && z <= 'f'  ? z - 'a' + 10
        : z >= 'A' && z <= 'F'  ? z - 'A' + 10
                                : -1;
}

// A key as Qt reads it back, also one typed by hand.
QString LesbarerSchluessel(const QByteArray &roh)
{
    QString k;
    for (qsizetype i = 0; i < roh.size();) {
        const char z = roh[i];
        const qsizetype stellen = z == '%' && i + 1 < roh.size() && roh[i + 1] == 'U' ? 4 : 2;
        const qsizetype anfang = i + 1 + (stellen == 4 ? 1 : 0);
        int wert = 0;
        bool hex = z == '%' && anfang + stellen <= roh.size();
        for (qsizetype j = anfang; hex && j < anfang + stellen; ++j)
            hex = Hexwert(roh[j]) >= 0, wert = wert * 16 + Hexwert(roh[j]);
        if (hex) {
            k += QChar(char16_t(wert));
            i = anfang + stellen;
        } else {
            k += z == '\\' ? QChar(u'/') : QChar::fromLatin1(z);
            ++i;
        }
    }
    return k;
}

// A text value as Qt writes it: escapes for control characters, quotes and backslashes, UTF-8 beyond ASCII, quoted
// where it holds ";,=" or begins or ends with a blank, a leading "@" doubled.
QByteArray KodierterWert(const QString &wert)
{
    const QString text = wert.startsWith(u'@') ? QLatin1Char('@') + wert : wert;
    QByteArray w;
    bool inAnfuehrung = false;
    bool hexFolgt = false;
    QStringEncoder utf8(QStringEncoder::Utf8);
    for (const QChar c : text) {
        const char16_t z = c.unicode();
        inAnfuehrung = inAnfuehrung || z == ';' || z == ',' || z == '=';
        // A hex digit after a "\x" escape would be read as part of it.
        if (hexFolgt && Hexwert(char(z)) >= 0 && z < 0x80) {
            w += "\\x" + QByteArray::number(z, 16);
            continue;
        }
        hexFolgt = false;
        static constexpr char kurz[][2] = {{'\a', 'a'}, {'\b', 'b'}, {'\f', 'f'}, {'\n', 'n'},
                                           {'\r', 'r'}, {'\t', 't'}, {'\v', 'v'}};
        const auto *k = std::find_if(std::begin(kurz), std::end(kurz), [z](auto &p) { return p[0] == z; });
        if (z == 0) {
            w += "\\0";
            hexFolgt = true;
        } else if (k != std::end(kurz)) {
            w += '\\';
            w += (*k)[1];
        } else if (z == '"' || z == '\\') {
            w += '\\';
            w += char(z);
        } else if (z <= 0x1F) {
            w += "\\x" + QByteArray::number(z, 16);
            hexFolgt = true;
        } else {
            w += utf8(c);
        }
    }
    if (inAnfuehrung || w.startsWith(' ') || w.endsWith(' '))
        w = '"' + w + '"';
    return w;
}

QByteArray OhneRand(const QByteArray &t)
{
    return t.trimmed();
}

struct Zeile
{
    QByteArray text;    // with its line end
    QString schluessel; // the whole key of a key line, else empty
    int abschnitt = -1; // the index of the section it belongs to, -1 before the first
    bool kopf = false;
    bool weg = false;
};

QByteArray Zeilenende(const QByteArray &zeile)
{
    return zeile.endsWith("\r\n") ? "\r\n" : zeile.endsWith('\n') ? "\n" : zeile.endsWith('\r') ? "\r" : "";
}

} // namespace

QByteArray IniMitAenderungen(const QByteArray &text, const QList<Speicheraenderung> &aenderungen)
{
    QList<Zeile> zeilen;
    QStringList abschnitte; // each section's level in front of its keys: "" for [General], else "name/"
    for (qsizetype pos = 0; pos < text.size();) {
        qsizetype ende = pos;
        while (ende < text.size() && text[ende] != '\n' && text[ende] != '\r')
            ++ende;
        if (ende < text.size())
            ende += text[ende] == '\r' && ende + 1 < text.size() && text[ende + 1] == '\n' ? 2 : 1;
        Zeile z{text.mid(pos, ende - pos), {}, int(abschnitte.size()) - 1};
        pos = ende;
        const QByteArray inhalt = OhneRand(z.text);
        if (inhalt.startsWith('[') && inhalt.contains(']')) {
            const QByteArray name = inhalt.mid(1, inhalt.indexOf(']') - 1);
            const QString lesbar = LesbarerSchluessel(name);
            abschnitte.append(lesbar.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0 ? QString()
                                  : name.compare("%general", Qt::CaseInsensitive) == 0 ? QStringLiteral("General/")
                                                                                       : lesbar + u'/');
            z.kopf = true;
            z.abschnitt = int(abschnitte.size()) - 1;
        } else if (const qsizetype gleich = inhalt.indexOf('=');
                   gleich > 0 && !inhalt.startsWith(';') && !inhalt.startsWith('#')) {
            z.schluessel = (z.abschnitt < 0 ? QString() : abschnitte[z.abschnitt])
                + LesbarerSchluessel(OhneRand(inhalt.left(gleich)));
        }
        zeilen.append(z);
    }
    QByteArray ende = "\n";
    for (const Zeile &z : zeilen)
        if (!Zeilenende(z.text).isEmpty()) {
            ende = Zeilenende(z.text);
            break;
        }

    for (const Speicheraenderung &a : aenderungen) {
        bool gesetzt = false;
        for (Zeile &z : zeilen) {
            if (z.weg || z.schluessel.isEmpty())
                continue;
            if (!a.wert) {
                z.weg = z.schluessel == a.schluessel || z.schluessel.startsWith(a.schluessel + u'/');
            } else if (z.schluessel == a.schluessel) {
                const QByteArray roh = z.text.left(z.text.indexOf('='));
                z.text =
                    roh + '=' + KodierterWert(*a.wert) + (Zeilenende(z.text).isEmpty() ? ende : Zeilenende(z.text));
                gesetzt = true;
            }
        }
        if (!a.wert || gesetzt)
            continue;
        const qsizetype trenner = a.schluessel.indexOf(u'/');
        const QString ebene = trenner < 0 ? QString() : a.schluessel.left(trenner + 1);
        const QByteArray neu =
            KodierterSchluessel(a.schluessel.mid(ebene.size())) + '=' + KodierterWert(*a.wert) + ende;
        // After the last key of the last section of that level, or a new section at the end.
        qsizetype nach = -1;
        const int abschnitt = int(abschnitte.lastIndexOf(ebene));
        for (qsizetype i = 0; i < zeilen.size(); ++i)
            if (abschnitt >= 0 && zeilen[i].abschnitt == abschnitt && !zeilen[i].weg
                && (zeilen[i].kopf || !zeilen[i].schluessel.isEmpty()))
                nach = i;
        if (nach >= 0) {
            if (Zeilenende(zeilen[nach].text).isEmpty())
                zeilen[nach].text += ende;
            zeilen.insert(nach + 1, {neu, a.schluessel, abschnitt});
            continue;
        }
        if (!zeilen.isEmpty() && Zeilenende(zeilen.last().text).isEmpty())
            zeilen.last().text += ende;
        const QByteArray kopf = ebene.isEmpty() ? "General"
            : ebene.chopped(1).compare(QLatin1String("general"), Qt::CaseInsensitive) == 0
            ? "%General"
            : KodierterSchluessel(ebene.chopped(1));
        abschnitte.append(ebene);
        const int neuer = int(abschnitte.size()) - 1;
        if (!zeilen.isEmpty())
            zeilen.append({ende, {}, neuer});
        zeilen.append({'[' + kopf + ']' + ende, {}, neuer, true});
        zeilen.append({neu, a.schluessel, neuer});
    }
    QByteArray ergebnis;
    for (const Zeile &z : zeilen)
        if (!z.weg)
            ergebnis += z.text;
    return ergebnis;
}
