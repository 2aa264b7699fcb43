#include "storage/einstellungen.h"

#include "platform/fehler.h"
#include "storage/profildatei.h"
#include "storage/rueckseite.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <cmath>
#include <limits>
#include <variant>

double KaufmaennischRunden(double x)
{
    const double ganz = std::trunc(x);
    return ganz + std::trunc((x - ganz) * 2.0);
}

double WertAlsZahl(const QString &text)
{
    QString t = text;
    const qsizetype punkt = t.indexOf(QLatin1Char('.'));
    if (punkt >= 0)
        t[punkt] = QLatin1Char(',');
    // A decimal number with "," as separator, as the conversion of the user's locale accepts it.
    static const QRegularExpression zahl(QStringLiteral("^\\s*[+-]?(\\d+(,\\d*)?|,\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!zahl.match(t).hasMatch())
        throw Fehler(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(t));
    QString c = t;
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double wert = c.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(wert))
        throw Fehler(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(t));
    return wert;
}

int InBereich(double wert, int min, int max)
{
    if (std::isnan(wert) || wert < min)
        return min;
    if (wert > max)
        return max;
    return static_cast<int>(wert);
}

QString EinstellungsPfad(const QString &bildPfad)
{
    if (bildPfad.isEmpty())
        return {};
    const QString pfad = bildPfad.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive)
        ? bildPfad.left(bildPfad.size() - 4) + QStringLiteral(".ini")
        : bildPfad + QStringLiteral(".ini");
    if (pfad.compare(bildPfad, Qt::CaseInsensitive) == 0)
        return {};
    return pfad;
}

namespace {
QByteArray AnschnittZeilen(int hundertstel);
} // namespace

QByteArray EinstellungsdateiInhalt(const Bogenmasse &werte)
{
    QByteArray inhalt = "[" + EinstellungsSektion.toLatin1() + "]\r\n";
    for (const Massangabe &a : Massangaben)
        inhalt += QByteArray(a.schluessel) + '=' + QByteArray::number(werte.*a.feld) + "\r\n";
    if (werte.IstGenau()) {
        inhalt += "[" + GenauSektion.toLatin1() + "]\r\n";
        for (std::size_t i = 0; i < AnzahlLaengen; ++i) {
            const Massangabe &a = Massangaben[i];
            inhalt += QByteArray(a.schluessel) + '='
                + HundertstelText(werte.Hundertstel(a.feld), QLatin1Char('.')).toLatin1() + "\r\n";
        }
    }
    if (werte.Anschnitt > 0)
        inhalt += AnschnittZeilen(werte.Anschnitt);
    return inhalt;
}

std::optional<int> AnschnittAusText(const QString &text)
{
    const std::optional<qint64> wert = HundertstelAusText(text, QLatin1Char('.'));
    if (!wert || *wert < 0 || *wert > AnschnittMaximum)
        return std::nullopt;
    return int(*wert);
}

namespace {

const QLatin1String RandSchluessel("Rand");

QByteArray AnschnittZeilen(int hundertstel)
{
    return "[" + AnschnittSektion.toLatin1() + "]\r\n" + QByteArray(RandSchluessel.data()) + '='
        + HundertstelText(hundertstel, QLatin1Char('.')).toLatin1() + "\r\n";
}

// The bleed of [Anschnitt], or why it is not used.
std::variant<int, QString> AnschnittAusInhalt(const QByteArray &inhalt)
{
    const QString text = LeseProfilWertAusText(inhalt, AnschnittSektion, RandSchluessel);
    if (text.isEmpty())
        return QStringLiteral("%1 fehlt dort").arg(RandSchluessel);
    if (const std::optional<int> wert = AnschnittAusText(text))
        return *wert;
    return QStringLiteral("%1=%2 ist keine Zahl mit Dezimalpunkt und höchstens zwei Nachkommastellen zwischen 0 und "
                          "%3")
        .arg(RandSchluessel, text)
        .arg(AnschnittMaximum / 100);
}

// The exact lengths of [Genau] when they count (see LiesEinstellungsdatei), over the whole ones just read; otherwise
// the reason why not, naming the key.
std::variant<Laengen, QString> GenaueLaengenAusText(const QByteArray &inhalt, const GeleseneMasse &gelesen)
{
    Laengen laengen{};
    for (std::size_t i = 0; i < AnzahlLaengen; ++i) {
        const Massangabe &a = Massangaben[i];
        const QString schluessel = QLatin1String(a.schluessel);
        const QString text = LeseProfilWertAusText(inhalt, GenauSektion, schluessel);
        if (text.isEmpty())
            return QStringLiteral("%1 fehlt dort").arg(schluessel);
        if (!gelesen.vorhanden[i])
            return QStringLiteral("%1 fehlt in [%2]").arg(schluessel, EinstellungsSektion);
        const std::optional<qint64> wert = HundertstelAusText(text, QLatin1Char('.'));
        if (!wert)
            return QStringLiteral("%1=%2 ist keine Zahl mit Dezimalpunkt und höchstens zwei Nachkommastellen")
                .arg(schluessel, text);
        if (*wert < qint64(a.minimum) * 100 || *wert > qint64(MassMaximum) * 100)
            return QStringLiteral("%1=%2 liegt nicht zwischen %3 und %4")
                .arg(schluessel, text)
                .arg(a.minimum)
                .arg(MassMaximum);
        if (GanzeMm(*wert) != gelesen.werte.*a.feld)
            return QStringLiteral("%1=%2 passt nicht zu %1=%3 in [%4]")
                .arg(schluessel, text, QString::number(gelesen.werte.*a.feld), EinstellungsSektion);
        laengen[i] = int(*wert);
    }
    return laengen;
}

} // namespace

GeleseneMasse LiesEinstellungen(const QByteArray &inhalt, const Bogenmasse &bisher)
{
    GeleseneMasse ergebnis{bisher};
    ergebnis.rueckseite = RueckseiteAusText(inhalt);
    for (std::size_t i = 0; i < Massangaben.size(); ++i) {
        const Massangabe &a = Massangaben[i];
        const QString text = LeseProfilWertAusText(inhalt, EinstellungsSektion, QLatin1String(a.schluessel));
        if (text.isEmpty())
            continue;
        try {
            const double wert = KaufmaennischRunden(WertAlsZahl(text));
            ergebnis.werte.*a.feld = InBereich(wert, a.minimum, MassMaximum);
            if (wert < a.minimum)
                ergebnis.angehoben[i] = text;
        } catch (const Fehler &f) {
            ergebnis.fehler = f.text();
            ergebnis.fehlerStelle = QLatin1String(a.schluessel) + QLatin1Char('=') + text;
            break;
        }
        ergebnis.vorhanden[i] = true;
    }
    ergebnis.werte.genau.reset();
    ergebnis.werte.Anschnitt = 0;
    if (HatProfilSektion(inhalt, AnschnittSektion)) {
        const std::variant<int, QString> anschnitt = AnschnittAusInhalt(inhalt);
        if (const int *rand = std::get_if<int>(&anschnitt))
            ergebnis.werte.Anschnitt = *rand;
        else
            ergebnis.anschnittUnbenutzt = std::get<QString>(anschnitt);
    }
    if (!ergebnis.fehler.isEmpty() || !HatProfilSektion(inhalt, GenauSektion))
        return ergebnis;
    const std::variant<Laengen, QString> genau = GenaueLaengenAusText(inhalt, ergebnis);
    if (const auto *laengen = std::get_if<Laengen>(&genau))
        ergebnis.werte = MitGenauenLaengen(ergebnis.werte, *laengen, true);
    else
        ergebnis.genauUnbenutzt = std::get<QString>(genau);
    return ergebnis;
}

GeleseneMasse LiesEinstellungsdatei(const QString &pfad, const Bogenmasse &bisher)
{
    // Read once: a file replaced while it is read gives one version, never keys of two.
    QFile datei(pfad);
    return LiesEinstellungen(datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray(), bisher);
}

QString GenauUnbenutztMeldung(const QString &pfad, const QString &grund)
{
    return QStringLiteral("Der Abschnitt [%1] der Einstellungsdatei %2 wird nicht benutzt: %3. Die Etikette wird "
                          "mit den ganzen Millimetern aus [%4] gedruckt.")
        .arg(GenauSektion, pfad, grund, EinstellungsSektion);
}

QString AnschnittUnbenutztMeldung(const QString &pfad, const QString &grund)
{
    return QStringLiteral("Der Abschnitt [%1] der Einstellungsdatei %2 wird nicht benutzt: %3. Die Etikette wird "
                          "ohne Anschnitt gedruckt.")
        .arg(AnschnittSektion, pfad, grund);
}

QByteArray InhaltMitAnschnitt(const QByteArray &inhalt, int hundertstel)
{
    return ErsetzeProfilAbschnitte(inhalt, AnschnittSektion,
                                   hundertstel > 0 ? AnschnittZeilen(hundertstel) : QByteArray());
}

namespace {

void Schreibe(const QString &pfad, const QByteArray &inhalt)
{
    QSaveFile datei(pfad);
    if (pfad.isEmpty() || !datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size() || !datei.commit())
        throw Fehler(QStringLiteral("Datei %1 kann nicht erstellt werden").arg(pfad));
}

} // namespace

void SchreibeEinstellungsdatei(const QString &pfad, const Bogenmasse &werte)
{
    Schreibe(pfad, EinstellungsdateiInhalt(werte));
}

void SpeichereEinstellungsdatei(const QString &pfad, const Bogenmasse &werte)
{
    QFile alt(pfad);
    const QByteArray bisher = !pfad.isEmpty() && alt.open(QIODevice::ReadOnly) ? alt.readAll() : QByteArray();
    alt.close();
    Schreibe(pfad, EinstellungsdateiInhalt(werte) + ProfilAbschnitte(bisher, RueckseitenSektion));
}

void SchreibeAnschnitt(const QString &pfad, int hundertstel)
{
    QFile datei(pfad);
    QByteArray inhalt;
    if (datei.exists()) {
        if (!datei.open(QIODevice::ReadOnly))
            throw DateiNichtZuOeffnen(pfad);
        inhalt = datei.readAll();
        datei.close();
    }
    Schreibe(pfad, InhaltMitAnschnitt(inhalt, hundertstel));
}
