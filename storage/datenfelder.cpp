#include "storage/datenfelder.h"

#include "blatt/bogenmasse.h"
#include "platform/fehler.h"
#include "storage/profildatei.h"

#include <QRegularExpression>

#include <array>

namespace {

QString Zeilenschluessel(int n)
{
    return QStringLiteral("Zeile%1").arg(n);
}

QString Zahlen(const QList<qint64> &hundertstel)
{
    QStringList teile;
    for (const qint64 h : hundertstel)
        teile.append(HundertstelText(h, QLatin1Char('.')));
    return teile.join(QLatin1Char(','));
}

QString FeldText(const Etikettfeld &f)
{
    return Zahlen({f.x, f.y, f.breite, f.hoehe});
}

QString FarbText(quint32 farbe)
{
    return QStringLiteral("#%1").arg(farbe & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

// Feld=x,y,width,height; nothing when the key is missing, the reason when it is no such field.
std::variant<std::optional<Etikettfeld>, QString> FeldAusWert(const Schluesselwert &wert)
{
    const QString text = wert(QStringLiteral("Feld"));
    if (text.isEmpty())
        return std::nullopt;
    const QStringList teile = text.split(QLatin1Char(','));
    std::array<qint64, 4> z{};
    bool gut = teile.size() == 4;
    for (qsizetype i = 0; gut && i < 4; ++i) {
        const std::optional<qint64> zahl = HundertstelAusText(teile[i], QLatin1Char('.'));
        gut = zahl.has_value();
        z[i] = zahl.value_or(0);
    }
    if (!gut)
        return QStringLiteral("Feld=%1 sind nicht vier Zahlen x,y,Breite,Höhe in Millimetern mit Dezimalpunkt und "
                              "höchstens zwei Nachkommastellen")
            .arg(text);
    if (z[2] == 0 || z[3] == 0)
        return QStringLiteral("Feld=%1 hat keine Breite oder keine Höhe").arg(text);
    return Etikettfeld{z[0], z[1], z[2], z[3]};
}

QString FeldFehler(const std::optional<Etikettfeld> &feld)
{
    if (feld && (feld->x < 0 || feld->y < 0 || feld->breite <= 0 || feld->hoehe <= 0))
        return QStringLiteral("Feld=%1 hat eine negative Lage oder keine Breite oder Höhe").arg(FeldText(*feld));
    return {};
}

void Zeile(QByteArray &zeilen, const QString &schluessel, const QString &wert)
{
    zeilen += schluessel.toLatin1() + '=' + ProfilWert(wert) + "\r\n";
}

} // namespace

std::variant<Textfeld, QString> TextfeldAusWerten(const Schluesselwert &wert)
{
    Textfeld t;
    for (int n = 1; n <= MeisteZeilen; ++n)
        t.Zeilen.append(ProfilText(wert(Zeilenschluessel(n))));
    while (!t.Zeilen.isEmpty() && t.Zeilen.back().isEmpty())
        t.Zeilen.removeLast();
    if (t.Zeilen.isEmpty())
        return QStringLiteral("Zeile1 fehlt dort");
    if (!wert(Zeilenschluessel(MeisteZeilen + 1)).isEmpty())
        return QStringLiteral("%1 ist eine Zeile zu viel: höchstens %2 Zeilen")
            .arg(Zeilenschluessel(MeisteZeilen + 1))
            .arg(MeisteZeilen);

    if (const QString schrift = ProfilText(wert(QStringLiteral("Schrift"))); !schrift.isEmpty())
        t.Schrift = schrift;
    if (const QString groesse = wert(QStringLiteral("Groesse")); !groesse.isEmpty()) {
        const std::optional<qint64> h = HundertstelAusText(groesse, QLatin1Char('.'));
        if (!h || *h < KleinsteSchrift || *h > GroessteSchrift)
            return QStringLiteral("Groesse=%1 ist keine Zahl mit Dezimalpunkt und höchstens zwei Nachkommastellen "
                                  "zwischen %2 und %3")
                .arg(groesse)
                .arg(KleinsteSchrift / 100)
                .arg(GroessteSchrift / 100);
        t.Groesse = int(*h);
    }
    if (const QString fett = wert(QStringLiteral("Fett")); !fett.isEmpty()) {
        if (fett != QLatin1String("0") && fett != QLatin1String("1"))
            return QStringLiteral("Fett=%1 ist weder 0 noch 1").arg(fett);
        t.Fett = fett == QLatin1String("1");
    }
    if (const QString text = wert(QStringLiteral("Ausrichtung")); !text.isEmpty()) {
        const std::optional<Waagrecht> a = AusrichtungAusText(text);
        if (!a)
            return QStringLiteral("Ausrichtung=%1 ist keins von links, mitte, rechts").arg(text);
        t.Ausrichtung = *a;
    }
    if (const QString text = wert(QStringLiteral("Senkrecht")); !text.isEmpty()) {
        const std::optional<Lotrecht> s = SenkrechtAusText(text);
        if (!s)
            return QStringLiteral("Senkrecht=%1 ist keins von oben, mitte, unten").arg(text);
        t.Senkrecht = *s;
    }
    auto feld = FeldAusWert(wert);
    if (const QString *grund = std::get_if<QString>(&feld))
        return *grund;
    t.Feld = std::get<std::optional<Etikettfeld>>(feld);
    if (const QString farbe = wert(QStringLiteral("Farbe")); !farbe.isEmpty()) {
        static const QRegularExpression muster(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
        if (!muster.match(farbe).hasMatch())
            return QStringLiteral("Farbe=%1 ist keine Farbe wie #1a2b3c (rot, grün, blau)").arg(farbe);
        t.Farbe = farbe.mid(1).toUInt(nullptr, 16);
    }
    return t;
}

std::variant<Codefeld, QString> CodefeldAusWerten(const Schluesselwert &wert)
{
    Codefeld c;
    const QString art = wert(QStringLiteral("Art"));
    if (art.isEmpty())
        return QStringLiteral("Art fehlt dort");
    const std::optional<Codeart> a = CodeartAusText(art);
    if (!a)
        return QStringLiteral("Art=%1 ist keins von QR, DataMatrix, EAN13, Code128").arg(art);
    c.Art = *a;
    c.Inhalt = ProfilText(wert(QStringLiteral("Inhalt")));
    if (c.Inhalt.isEmpty())
        return QStringLiteral("Inhalt fehlt dort");
    auto feld = FeldAusWert(wert);
    if (const QString *grund = std::get_if<QString>(&feld))
        return *grund;
    c.Feld = std::get<std::optional<Etikettfeld>>(feld);
    return c;
}

QString TextfeldFehler(const Textfeld &text)
{
    if (text.Zeilen.size() > MeisteZeilen)
        return QStringLiteral("Der Text hat %1 Zeilen; höchstens %2 passen in die Einstellungsdatei")
            .arg(text.Zeilen.size())
            .arg(MeisteZeilen);
    if (text.Zeilen.isEmpty() || text.Zeilen.back().isEmpty())
        return QStringLiteral("Die letzte Zeile des Textes ist leer; sie ginge beim Lesen verloren");
    for (qsizetype i = 0; i < text.Zeilen.size(); ++i)
        if (const QString f = ProfilWertFehler(Zeilenschluessel(int(i) + 1), text.Zeilen[i]); !f.isEmpty())
            return f;
    if (text.Schrift.trimmed().isEmpty())
        return QStringLiteral("Der Text hat keine Schrift");
    if (const QString f = ProfilWertFehler(QStringLiteral("Schrift"), text.Schrift); !f.isEmpty())
        return f;
    if (text.Groesse < KleinsteSchrift || text.Groesse > GroessteSchrift)
        return QStringLiteral("Groesse=%1 liegt nicht zwischen %2 und %3")
            .arg(HundertstelText(text.Groesse, QLatin1Char('.')))
            .arg(KleinsteSchrift / 100)
            .arg(GroessteSchrift / 100);
    return FeldFehler(text.Feld);
}

QString CodefeldFehler(const Codefeld &code)
{
    if (code.Inhalt.isEmpty())
        return QStringLiteral("Der Code hat keinen Inhalt");
    if (const QString f = ProfilWertFehler(QStringLiteral("Inhalt"), code.Inhalt); !f.isEmpty())
        return f;
    return FeldFehler(code.Feld);
}

QByteArray TextfeldZeilen(const Textfeld &text)
{
    if (const QString fehler = TextfeldFehler(text); !fehler.isEmpty())
        throw Fehler(fehler + QLatin1Char('.'));
    QByteArray zeilen;
    for (qsizetype i = 0; i < text.Zeilen.size(); ++i)
        Zeile(zeilen, Zeilenschluessel(int(i) + 1), text.Zeilen[i]);
    Zeile(zeilen, QStringLiteral("Schrift"), text.Schrift);
    Zeile(zeilen, QStringLiteral("Groesse"), HundertstelText(text.Groesse, QLatin1Char('.')));
    Zeile(zeilen, QStringLiteral("Fett"), text.Fett ? QStringLiteral("1") : QStringLiteral("0"));
    Zeile(zeilen, QStringLiteral("Ausrichtung"), Ausrichtungsname(text.Ausrichtung));
    Zeile(zeilen, QStringLiteral("Senkrecht"), Senkrechtname(text.Senkrecht));
    if (text.Feld)
        Zeile(zeilen, QStringLiteral("Feld"), FeldText(*text.Feld));
    if (text.Farbe)
        Zeile(zeilen, QStringLiteral("Farbe"), FarbText(*text.Farbe));
    return zeilen;
}

QByteArray CodefeldZeilen(const Codefeld &code)
{
    if (const QString fehler = CodefeldFehler(code); !fehler.isEmpty())
        throw Fehler(fehler + QLatin1Char('.'));
    QByteArray zeilen;
    Zeile(zeilen, QStringLiteral("Art"), Codename(code.Art));
    Zeile(zeilen, QStringLiteral("Inhalt"), code.Inhalt);
    if (code.Feld)
        Zeile(zeilen, QStringLiteral("Feld"), FeldText(*code.Feld));
    return zeilen;
}
