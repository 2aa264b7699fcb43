#include "storage/einstellungen.h"

#include "platform/fehler.h"
#include "storage/profildatei.h"

#include <QRegularExpression>
#include <QSaveFile>
#include <cmath>
#include <limits>

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
    const QString pfad = bildPfad.contains(QStringLiteral(".bmp"), Qt::CaseInsensitive)
        ? bildPfad.left(bildPfad.size() - 4) + QStringLiteral(".ini")
        : bildPfad + QStringLiteral(".ini");
    if (pfad.compare(bildPfad, Qt::CaseInsensitive) == 0)
        return {};
    return pfad;
}

QByteArray EinstellungsdateiInhalt(const Bogenmasse &werte)
{
    QByteArray inhalt = "[" + EinstellungsSektion.toLatin1() + "]\r\n";
    for (const Massangabe &a : Massangaben)
        inhalt += QByteArray(a.schluessel) + '=' + QByteArray::number(werte.*a.feld) + "\r\n";
    if (!werte.IstGenau())
        return inhalt;
    inhalt += "[" + GenauSektion.toLatin1() + "]\r\n";
    for (std::size_t i = 0; i < AnzahlLaengen; ++i) {
        const Massangabe &a = Massangaben[i];
        inhalt += QByteArray(a.schluessel) + '=' + HundertstelText(werte.Hundertstel(a.feld), QLatin1Char('.')).toLatin1()
            + "\r\n";
    }
    return inhalt;
}

namespace {

// The exact lengths of [Genau] when they count (see LiesEinstellungsdatei), over the whole ones just read.
std::optional<Laengen> GenaueLaengenAusDatei(const QString &pfad, const GeleseneMasse &gelesen)
{
    Laengen laengen{};
    for (std::size_t i = 0; i < AnzahlLaengen; ++i) {
        const Massangabe &a = Massangaben[i];
        if (!gelesen.vorhanden[i])
            return std::nullopt;
        const std::optional<qint64> wert =
            HundertstelAusText(LeseProfilWert(pfad, GenauSektion, QLatin1String(a.schluessel)), QLatin1Char('.'));
        if (!wert || *wert < qint64(a.minimum) * 100 || *wert > qint64(MassMaximum) * 100
            || GanzeMm(*wert) != gelesen.werte.*a.feld)
            return std::nullopt;
        laengen[i] = int(*wert);
    }
    return laengen;
}

} // namespace

GeleseneMasse LiesEinstellungsdatei(const QString &pfad, const Bogenmasse &bisher)
{
    GeleseneMasse ergebnis{bisher, {}, {}, {}};
    for (std::size_t i = 0; i < Massangaben.size(); ++i) {
        const Massangabe &a = Massangaben[i];
        const QString text = LeseProfilWert(pfad, EinstellungsSektion, QLatin1String(a.schluessel));
        if (text.isEmpty())
            continue;
        try {
            ergebnis.werte.*a.feld = InBereich(KaufmaennischRunden(WertAlsZahl(text)), a.minimum, MassMaximum);
        } catch (const Fehler &f) {
            ergebnis.fehler = f.text();
            ergebnis.fehlerStelle = QLatin1String(a.schluessel) + QLatin1Char('=') + text;
            break;
        }
        ergebnis.vorhanden[i] = true;
    }
    ergebnis.werte.genau.reset();
    if (ergebnis.fehler.isEmpty())
        if (const std::optional<Laengen> genau = GenaueLaengenAusDatei(pfad, ergebnis))
            ergebnis.werte = MitGenauenLaengen(ergebnis.werte, *genau, true);
    return ergebnis;
}

void SchreibeEinstellungsdatei(const QString &pfad, const Bogenmasse &werte)
{
    QSaveFile datei(pfad);
    const QByteArray inhalt = EinstellungsdateiInhalt(werte);
    if (pfad.isEmpty() || !datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size() || !datei.commit())
        throw Fehler(QStringLiteral("Datei %1 kann nicht erstellt werden").arg(pfad));
}
