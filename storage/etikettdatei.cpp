#include "storage/etikettdatei.h"

#include "platform/fehler.h"
#include "storage/datenfelder.h"
#include "storage/einstellungen.h"
#include "storage/profildatei.h"

#include <QFile>
#include <QSaveFile>

#include <variant>

namespace {

const QLatin1String RandSchluessel("Rand");
const QLatin1String BildSchluessel("Bild");
const QLatin1String DruckenSchluessel("Drucken");

QByteArray Kopf(const QString &sektion)
{
    return "[" + sektion.toLatin1() + "]\r\n";
}

QByteArray MassZeilen(const Bogenmasse &m)
{
    QByteArray zeilen = Kopf(EinstellungsSektion);
    for (const Massangabe &a : Massangaben)
        zeilen += QByteArray(a.schluessel) + '=' + QByteArray::number(m.*a.feld) + "\r\n";
    return zeilen;
}

QByteArray GenauZeilen(const Bogenmasse &m)
{
    if (!m.IstGenau())
        return {};
    QByteArray zeilen = Kopf(GenauSektion);
    for (std::size_t i = 0; i < AnzahlLaengen; ++i) {
        const Massangabe &a = Massangaben[i];
        zeilen += QByteArray(a.schluessel) + '=' + HundertstelText(m.Hundertstel(a.feld), QLatin1Char('.')).toLatin1()
            + "\r\n";
    }
    return zeilen;
}

QByteArray AnschnittZeilen(int hundertstel)
{
    if (hundertstel <= 0)
        return {};
    return Kopf(AnschnittSektion) + QByteArray(RandSchluessel.data()) + '='
        + HundertstelText(hundertstel, QLatin1Char('.')).toLatin1() + "\r\n";
}

// Written only when they are on, so that a label without them keeps its file as it was.
QByteArray SchnittmarkenZeilen(bool an)
{
    if (!an)
        return {};
    return Kopf(SchnittmarkenSektion) + QByteArray(DruckenSchluessel.data()) + "=1\r\n";
}

QByteArray TextZeilen(const std::optional<Textfeld> &text)
{
    return text ? Kopf(TextSektion) + TextfeldZeilen(*text) : QByteArray();
}

QByteArray CodeZeilen(const std::optional<Codefeld> &code)
{
    return code ? Kopf(CodeSektion) + CodefeldZeilen(*code) : QByteArray();
}

// A section's keys as the readers of storage/datenfelder.h ask for them.
Schluesselwert Werte(const QByteArray &inhalt, const QString &sektion)
{
    return [&inhalt, sektion](const QString &schluessel) { return LeseProfilWertAusText(inhalt, sektion, schluessel); };
}

// The reader takes off blanks around a value and one pair of quotes: a name that begins or ends so is quoted.
QByteArray AlsWert(const QString &name)
{
    const QByteArray roh = name.toUtf8();
    if (roh.isEmpty())
        return roh;
    const bool rand = roh.front() == ' ' || roh.front() == '\t' || roh.back() == ' ' || roh.back() == '\t'
        || roh.front() == '"' || roh.front() == '\'';
    return rand ? '"' + roh + '"' : roh;
}

// What the profile reader returns of a value at most.
constexpr qsizetype LaengsterWert = 254;

QByteArray RueckseitenZeilen(const QString &name)
{
    if (name.isEmpty())
        return {};
    return Kopf(RueckseitenSektion) + QByteArray(BildSchluessel.data()) + '=' + AlsWert(name) + "\r\n";
}

// The back's file name as the text gives it. Its bytes are read as UTF-8 where they are that, otherwise one
// character a byte, as another hand may have written them.
QString RueckseiteAusText(const QByteArray &inhalt)
{
    // The reader gives each byte as one character, so the bytes come back whole.
    const QByteArray roh = LeseProfilWertAusText(inhalt, RueckseitenSektion, BildSchluessel).toLatin1();
    const QString utf8 = QString::fromUtf8(roh);
    return utf8.toUtf8() == roh ? utf8 : QString::fromLatin1(roh);
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

// The exact lengths of [Genau] when they count (see GeleseneEtikettdatei), over the whole ones just read; otherwise
// the reason why not, naming the key.
std::variant<Laengen, QString> GenaueLaengenAusText(const QByteArray &inhalt, const GeleseneEtikettdatei &gelesen)
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
        if (GanzeMm(*wert) != gelesen.inhalt.masse.*a.feld)
            return QStringLiteral("%1=%2 passt nicht zu %1=%3 in [%4]")
                .arg(schluessel, text, QString::number(gelesen.inhalt.masse.*a.feld), EinstellungsSektion);
        laengen[i] = int(*wert);
    }
    return laengen;
}

QByteArray LiesGanz(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.exists())
        return {};
    if (!datei.open(QIODevice::ReadOnly))
        throw DateiNichtZuOeffnen(pfad);
    return datei.readAll();
}

void Schreibe(const QString &pfad, const QByteArray &inhalt)
{
    QSaveFile datei(pfad);
    if (pfad.isEmpty() || !datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size() || !datei.commit())
        throw Fehler(QStringLiteral("Datei %1 kann nicht erstellt werden").arg(pfad));
}

void PruefeRueckseitenNamen(const Etikettinhalt &inhalt)
{
    if (!inhalt.rueckseite.isEmpty())
        if (const QString fehler = RueckseitenNamenFehler(inhalt.rueckseite); !fehler.isEmpty())
            throw Fehler(fehler);
}

// Checked before anything is written, so that a refused text leaves the file as it was.
void PruefeDaten(const Etikettinhalt &inhalt, Abschnitte welche)
{
    if (inhalt.text && (welche & Abschnitt::Text))
        if (const QString fehler = TextfeldFehler(*inhalt.text); !fehler.isEmpty())
            throw Fehler(fehler + QLatin1Char('.'));
    if (inhalt.code && (welche & Abschnitt::Code))
        if (const QString fehler = CodefeldFehler(*inhalt.code); !fehler.isEmpty())
            throw Fehler(fehler + QLatin1Char('.'));
}

} // namespace

std::optional<int> AnschnittAusText(const QString &text)
{
    const std::optional<qint64> wert = HundertstelAusText(text, QLatin1Char('.'));
    if (!wert || *wert < 0 || *wert > AnschnittMaximum)
        return std::nullopt;
    return int(*wert);
}

QString RueckseitenNamenFehler(const QString &name)
{
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == QLatin1String(".")
        || name == QLatin1String("..")
#ifdef Q_OS_WIN
        || name.contains(QLatin1Char(':'))
#endif
    )
        return QStringLiteral("„%1“ ist kein Dateiname: die Rückseite muss im Ordner der Etikette liegen.").arg(name);
    if (name.contains(QLatin1Char('\r')) || name.contains(QLatin1Char('\n')))
        return QStringLiteral("Der Name „%1“ enthält einen Zeilenumbruch und kann nicht als Rückseite eingetragen "
                              "werden.")
            .arg(name);
    if (AlsWert(name).size() > LaengsterWert)
        return QStringLiteral("Der Name „%1“ ist zu lang für die Einstellungsdatei: höchstens %2 Zeichen.")
            .arg(name, QString::number(LaengsterWert));
    return {};
}

QString GeleseneEtikettdatei::unbenutzt(const QString &pfad) const
{
    QStringList saetze;
    if (!genauUnbenutzt.isEmpty())
        saetze.append(QStringLiteral("Der Abschnitt [%1] der Einstellungsdatei %2 wird nicht benutzt: %3. Die Etikette "
                                     "wird mit den ganzen Millimetern aus [%4] gedruckt.")
                          .arg(GenauSektion, pfad, genauUnbenutzt, EinstellungsSektion));
    if (!anschnittUnbenutzt.isEmpty())
        saetze.append(QStringLiteral("Der Abschnitt [%1] der Einstellungsdatei %2 wird nicht benutzt: %3. Die Etikette "
                                     "wird ohne Anschnitt gedruckt.")
                          .arg(AnschnittSektion, pfad, anschnittUnbenutzt));
    if (!textUnbenutzt.isEmpty())
        saetze.append(QStringLiteral("Der Abschnitt [%1] der Einstellungsdatei %2 wird nicht benutzt: %3. Die Etikette "
                                     "wird ohne Text gedruckt.")
                          .arg(TextSektion, pfad, textUnbenutzt));
    if (!codeUnbenutzt.isEmpty())
        saetze.append(QStringLiteral("Der Abschnitt [%1] der Einstellungsdatei %2 wird nicht benutzt: %3. Die Etikette "
                                     "wird ohne Code gedruckt.")
                          .arg(CodeSektion, pfad, codeUnbenutzt));
    return saetze.join(QStringLiteral("\n\n"));
}

GeleseneEtikettdatei LiesEtikettinhalt(const QByteArray &inhalt, const Bogenmasse &bisher)
{
    GeleseneEtikettdatei ergebnis{{bisher}};
    Bogenmasse &m = ergebnis.inhalt.masse;
    ergebnis.inhalt.rueckseite = RueckseiteAusText(inhalt);
    ergebnis.inhalt.schnittmarken =
        LeseProfilWertAusText(inhalt, SchnittmarkenSektion, DruckenSchluessel) == QLatin1String("1");
    for (std::size_t i = 0; i < Massangaben.size(); ++i) {
        const Massangabe &a = Massangaben[i];
        const QString text = LeseProfilWertAusText(inhalt, EinstellungsSektion, QLatin1String(a.schluessel));
        if (text.isEmpty())
            continue;
        try {
            const double wert = KaufmaennischRunden(WertAlsZahl(text));
            m.*a.feld = InBereich(wert, a.minimum, MassMaximum);
            if (wert < a.minimum)
                ergebnis.angehoben[i] = text;
        } catch (const Fehler &f) {
            ergebnis.fehler = f.text();
            ergebnis.fehlerStelle = QLatin1String(a.schluessel) + QLatin1Char('=') + text;
            break;
        }
        ergebnis.vorhanden[i] = true;
    }
    m.genau.reset();
    if (HatProfilSektion(inhalt, AnschnittSektion)) {
        const std::variant<int, QString> anschnitt = AnschnittAusInhalt(inhalt);
        if (const int *rand = std::get_if<int>(&anschnitt))
            ergebnis.inhalt.anschnitt = *rand;
        else
            ergebnis.anschnittUnbenutzt = std::get<QString>(anschnitt);
    }
    if (HatProfilSektion(inhalt, TextSektion)) {
        std::variant<Textfeld, QString> text = TextfeldAusWerten(Werte(inhalt, TextSektion));
        if (Textfeld *t = std::get_if<Textfeld>(&text))
            ergebnis.inhalt.text = std::move(*t);
        else
            ergebnis.textUnbenutzt = std::get<QString>(text);
    }
    if (HatProfilSektion(inhalt, CodeSektion)) {
        std::variant<Codefeld, QString> code = CodefeldAusWerten(Werte(inhalt, CodeSektion));
        if (Codefeld *c = std::get_if<Codefeld>(&code))
            ergebnis.inhalt.code = std::move(*c);
        else
            ergebnis.codeUnbenutzt = std::get<QString>(code);
    }
    if (!ergebnis.fehler.isEmpty() || !HatProfilSektion(inhalt, GenauSektion))
        return ergebnis;
    const std::variant<Laengen, QString> genau = GenaueLaengenAusText(inhalt, ergebnis);
    if (const auto *laengen = std::get_if<Laengen>(&genau))
        m = MitGenauenLaengen(m, *laengen, true);
    else
        ergebnis.genauUnbenutzt = std::get<QString>(genau);
    return ergebnis;
}

GeleseneEtikettdatei LiesEtikettdatei(const QString &pfad, const Bogenmasse &bisher)
{
    // Read once: a file replaced while it is read gives one version, never keys of two.
    QFile datei(pfad);
    return LiesEtikettinhalt(datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray(), bisher);
}

QByteArray EtikettdateiInhalt(const Etikettinhalt &inhalt)
{
    return MassZeilen(inhalt.masse) + GenauZeilen(inhalt.masse) + AnschnittZeilen(inhalt.anschnitt)
        + RueckseitenZeilen(inhalt.rueckseite) + SchnittmarkenZeilen(inhalt.schnittmarken) + TextZeilen(inhalt.text)
        + CodeZeilen(inhalt.code);
}

QByteArray MitAbschnitten(const QByteArray &bisher, const Etikettinhalt &inhalt, Abschnitte welche)
{
    QByteArray text = bisher;
    if (welche & Abschnitt::Masse) {
        // [Genau] goes with the nine lines, so that it follows them wherever they stand.
        text = ErsetzeProfilAbschnitte(text, GenauSektion, {});
        text = ErsetzeProfilAbschnitte(text, EinstellungsSektion, MassZeilen(inhalt.masse) + GenauZeilen(inhalt.masse));
    }
    if (welche & Abschnitt::Anschnitt)
        text = ErsetzeProfilAbschnitte(text, AnschnittSektion, AnschnittZeilen(inhalt.anschnitt));
    if (welche & Abschnitt::Rueckseite)
        text = ErsetzeProfilAbschnitte(text, RueckseitenSektion, RueckseitenZeilen(inhalt.rueckseite));
    if (welche & Abschnitt::Schnittmarken)
        text = ErsetzeProfilAbschnitte(text, SchnittmarkenSektion, SchnittmarkenZeilen(inhalt.schnittmarken));
    if (welche & Abschnitt::Text)
        text = ErsetzeProfilAbschnitte(text, TextSektion, TextZeilen(inhalt.text));
    if (welche & Abschnitt::Code)
        text = ErsetzeProfilAbschnitte(text, CodeSektion, CodeZeilen(inhalt.code));
    return text;
}

void SchreibeEtikettdatei(const QString &pfad, const Etikettinhalt &inhalt, Abschnitte welche)
{
    if (welche & Abschnitt::Rueckseite)
        PruefeRueckseitenNamen(inhalt);
    PruefeDaten(inhalt, welche);
    Schreibe(pfad, MitAbschnitten(pfad.isEmpty() ? QByteArray() : LiesGanz(pfad), inhalt, welche));
}

void SpeichereEtikettdatei(const QString &pfad, const Etikettinhalt &inhalt)
{
    PruefeRueckseitenNamen(inhalt);
    PruefeDaten(inhalt, Abschnitt::Text | Abschnitt::Code);
    Schreibe(pfad, EtikettdateiInhalt(inhalt));
}
