#include "storage/etikettenboegen.h"

#include "platform/fehler.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace {

const QString Formnamen[] = {QStringLiteral("Rechteck"), QStringLiteral("Rund"), QStringLiteral("Oval")};

std::optional<int> LiesAnzahl(const QString &text)
{
    static const QRegularExpression muster(QStringLiteral("^[0-9]{1,3}$"));
    if (!muster.match(text).hasMatch())
        return std::nullopt;
    return text.toInt();
}

// A length the person typed matches a label length when it is the same, or when it is a whole number and the
// label length begins with it (63 matches 63.5, not 630).
bool LaengePasst(const QString &getippt, int hundertstel)
{
    const std::optional<int> wert = LiesHundertstel(getippt);
    if (!wert)
        return false;
    if (getippt.contains(QLatin1Char('.')))
        return *wert == hundertstel;
    return *wert == hundertstel - hundertstel % 100;
}

bool WortPasst(const Etikettenbogen &bogen, const QString &wort, const QString &eintrag)
{
    static const QRegularExpression ziffer(QStringLiteral("[0-9]"));
    if (!wort.contains(ziffer))
        return eintrag.contains(wort);

    for (const QString &nummer : bogen.nummern)
        if (nummer.toLower().contains(wort))
            return true;

    static const QRegularExpression zahl(QStringLiteral("^[0-9]{1,4}$"));
    if (zahl.match(wort).hasMatch())
        return bogen.anzahl() == wort.toInt();

    // "70x37" is a size or a layout; while it is being typed, "70x" matches what begins that way.
    static const QRegularExpression paar(QStringLiteral("^([0-9]{1,4}(?:\\.[0-9]+)?)x([0-9]{1,4}(?:\\.[0-9]+)?)?$"));
    const QRegularExpressionMatch t = paar.match(wort);
    if (!t.hasMatch())
        return false;
    const QString a = t.captured(1);
    const QString b = t.captured(2);
    const bool groesse = LaengePasst(a, bogen.breite) && (b.isEmpty() || LaengePasst(b, bogen.hoehe));
    const bool layout = zahl.match(a).hasMatch() && a.toInt() == bogen.spalten
        && (b.isEmpty() || (zahl.match(b).hasMatch() && b.toInt() == bogen.zeilen));
    return groesse || layout;
}

// Lower case, "×" as "x", a decimal comma as point, "70 x 37 mm" as one word "70x37".
QStringList Suchwoerter(const QString &suchtext)
{
    QString s = suchtext.toLower();
    s.replace(QChar(0x00D7), QLatin1Char('x'));
    static const QRegularExpression dezimalkomma(QStringLiteral("(\\d),(?=\\d)"));
    s.replace(dezimalkomma, QStringLiteral("\\1."));
    s.replace(QLatin1Char(','), QLatin1Char(' '));
    static const QRegularExpression millimeter(QStringLiteral("(\\d)\\s*mm\\b"));
    s.replace(millimeter, QStringLiteral("\\1"));
    static const QRegularExpression mal(QStringLiteral("(\\d)\\s*x(?:\\s*(?=\\d)|(?=\\s|$))"));
    s.replace(mal, QStringLiteral("\\1x"));
    return s.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

} // namespace

QString MmMitKomma(int hundertstel)
{
    return HundertstelText(hundertstel).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString Formname(Etikettenform form)
{
    return Formnamen[int(form)];
}

std::optional<int> LiesHundertstel(const QString &text)
{
    static const QRegularExpression muster(QStringLiteral("^([0-9]{1,5})(?:\\.([0-9]{1,2}))?$"));
    const QRegularExpressionMatch t = muster.match(text);
    if (!t.hasMatch())
        return std::nullopt;
    const QString bruch = t.captured(2).leftJustified(2, QLatin1Char('0'));
    return t.captured(1).toInt() * 100 + bruch.toInt();
}

QString HundertstelText(int hundertstel)
{
    QString text = QString::number(hundertstel / 100);
    if (const int rest = hundertstel % 100; rest != 0) {
        text += QLatin1Char('.') + QStringLiteral("%1").arg(rest, 2, 10, QLatin1Char('0'));
        if (text.endsWith(QLatin1Char('0')))
            text.chop(1);
    }
    return text;
}

QString BogenFehler(const Etikettenbogen &b)
{
    if (b.spalten < 1 || b.zeilen < 1)
        return QStringLiteral("Spalten und Zeilen müssen mindestens 1 sein.");
    if (b.breite < 1 || b.hoehe < 1)
        return QStringLiteral("Breite und Höhe müssen größer als 0 sein.");
    if (b.linkerRand < 0 || b.obererRand < 0)
        return QStringLiteral("Die Ränder dürfen nicht negativ sein.");
    if (b.horizontalabstand < b.breite)
        return QStringLiteral("Die Etiketten überlappen sich: der Horizontalabstand ist kleiner als die Breite.");
    if (b.vertikalabstand < b.hoehe)
        return QStringLiteral("Die Etiketten überlappen sich: der Vertikalabstand ist kleiner als die Höhe.");
    const qint64 rechts = qint64(b.linkerRand) + qint64(b.spalten - 1) * b.horizontalabstand + b.breite;
    if (rechts > A4::BreiteMm * 100)
        return QStringLiteral("Die Etiketten reichen rechts über das A4-Blatt hinaus (bis %1 mm).")
            .arg(HundertstelText(int(qMin<qint64>(rechts, 99999999))));
    const qint64 unten = qint64(b.obererRand) + qint64(b.zeilen - 1) * b.vertikalabstand + b.hoehe;
    if (unten > A4::HoeheMm * 100)
        return QStringLiteral("Die Etiketten reichen unten über das A4-Blatt hinaus (bis %1 mm).")
            .arg(HundertstelText(int(qMin<qint64>(unten, 99999999))));
    return {};
}

std::optional<Etikettenbogen> BogenAusFeldern(const QStringList &felder, QString *fehler)
{
    const auto scheitert = [fehler](const QString &grund) -> std::optional<Etikettenbogen> {
        if (fehler)
            *fehler = grund;
        return std::nullopt;
    };
    const QStringList spalten = EtikettenboegenKopf.split(QLatin1Char(';'));
    if (felder.size() != spalten.size())
        return scheitert(QStringLiteral("%1 statt %2 Felder").arg(felder.size()).arg(spalten.size()));

    QStringList f;
    for (const QString &feld : felder)
        f << feld.trimmed();

    Etikettenbogen b;
    b.hersteller = f[0];
    if (b.hersteller.isEmpty())
        return scheitert(QStringLiteral("Hersteller fehlt"));
    for (const QString &nummer : f[1].split(QLatin1Char(','))) {
        if (nummer.trimmed().isEmpty())
            return scheitert(QStringLiteral("leere Nummer"));
        b.nummern << nummer.trimmed();
    }
    const auto form = std::find(std::begin(Formnamen), std::end(Formnamen), f[2]);
    if (form == std::end(Formnamen))
        return scheitert(QStringLiteral("unbekannte Form \"%1\"").arg(f[2]));
    b.form = Etikettenform(std::distance(std::begin(Formnamen), form));

    int *anzahlen[] = {&b.spalten, &b.zeilen};
    for (int i = 0; i < 2; ++i) {
        const std::optional<int> n = LiesAnzahl(f[3 + i]);
        if (!n)
            return scheitert(QStringLiteral("%1 \"%2\" ist keine Anzahl").arg(spalten[3 + i], f[3 + i]));
        *anzahlen[i] = *n;
    }
    int *laengen[] = {&b.breite, &b.hoehe, &b.linkerRand, &b.obererRand, &b.horizontalabstand, &b.vertikalabstand};
    for (int i = 0; i < 6; ++i) {
        const std::optional<int> l = LiesHundertstel(f[5 + i]);
        if (!l)
            return scheitert(QStringLiteral("%1 \"%2\" ist keine Länge in mm").arg(spalten[5 + i], f[5 + i]));
        *laengen[i] = *l;
    }
    if (const QString grund = BogenFehler(b); !grund.isEmpty())
        return scheitert(grund);
    return b;
}

QString BogenZeile(const Etikettenbogen &b)
{
    return QStringList{b.hersteller,
                       b.nummern.join(QStringLiteral(", ")),
                       Formname(b.form),
                       QString::number(b.spalten),
                       QString::number(b.zeilen),
                       HundertstelText(b.breite),
                       HundertstelText(b.hoehe),
                       HundertstelText(b.linkerRand),
                       HundertstelText(b.obererRand),
                       HundertstelText(b.horizontalabstand),
                       HundertstelText(b.vertikalabstand)}
        .join(QLatin1Char(';'));
}

Bogenkatalog LiesEtikettenboegen(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        throw DateiNichtZuOeffnen(pfad);
    QString text = QString::fromUtf8(datei.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList zeilen = text.split(QLatin1Char('\n'));
    if (zeilen.first().trimmed() != EtikettenboegenKopf)
        throw Fehler(QStringLiteral("Die Datei %1 ist keine Liste von Etikettenbögen.").arg(pfad));

    Bogenkatalog katalog;
    for (int i = 1; i < zeilen.size(); ++i) {
        const QString zeile = zeilen[i].trimmed();
        if (zeile.isEmpty())
            continue;
        QString grund;
        if (const std::optional<Etikettenbogen> b = BogenAusFeldern(zeile.split(QLatin1Char(';')), &grund))
            katalog.boegen << *b;
        else
            katalog.uebergangen << QStringLiteral("Zeile %1: %2").arg(i + 1).arg(grund);
    }
    return katalog;
}

QString Eintragstext(const Etikettenbogen &b)
{
    const bool eines = b.anzahl() == 1;
    QString art = eines ? QStringLiteral("Etikett") : QStringLiteral("Etiketten");
    if (b.form == Etikettenform::Rund)
        art = (eines ? QStringLiteral("rundes ") : QStringLiteral("runde ")) + art;
    else if (b.form == Etikettenform::Oval)
        art = (eines ? QStringLiteral("ovales ") : QStringLiteral("ovale ")) + art;
    return QStringLiteral("%1 %2 - %3 %4 %5 x %6 mm (%7 x %8)")
        .arg(b.hersteller, b.nummern.join(QStringLiteral(", ")), QString::number(b.anzahl()), art, MmMitKomma(b.breite),
             MmMitKomma(b.hoehe), QString::number(b.spalten), QString::number(b.zeilen));
}

bool BogenPasst(const Etikettenbogen &bogen, const QString &suchtext)
{
    const QString eintrag = Eintragstext(bogen).toLower();
    const QStringList woerter = Suchwoerter(suchtext);
    return std::all_of(woerter.begin(), woerter.end(),
                       [&](const QString &wort) { return WortPasst(bogen, wort, eintrag); });
}

MmRechteck EtikettImBogen(const Etikettenbogen &b, int spalte, int zeile)
{
    return {(b.linkerRand + (spalte - 1) * double(b.horizontalabstand)) / 100.0,
            (b.obererRand + (zeile - 1) * double(b.vertikalabstand)) / 100.0, b.breite / 100.0, b.hoehe / 100.0};
}

Bogenmasse MasseDesBogens(const Etikettenbogen &b)
{
    Bogenmasse m = Anfangsmasse;
    m.AnzahlEtikettenInZeile = b.spalten;
    m.AnzahlEtikettenInSpalte = b.zeilen;
    // Precise also in whole millimetres: the new label's picture is drawn for the exact size.
    return MitGenauenLaengen(m,
                             Laengen{b.obererRand, b.linkerRand, b.vertikalabstand, b.horizontalabstand, b.hoehe,
                                     b.breite},
                             true);
}

QString NamensVorschlag(const Etikettenbogen &b)
{
    QString name = b.hersteller;
    if (!b.nummern.isEmpty())
        name += QLatin1Char('_') + b.nummern.first();
    QString sauber;
    for (const QChar c : std::as_const(name)) {
        const bool erlaubt = c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char(',');
        if (erlaubt)
            sauber += c;
        else if (!sauber.endsWith(QLatin1Char('_')))
            sauber += QLatin1Char('_');
    }
    while (sauber.startsWith(QLatin1Char('_')))
        sauber.remove(0, 1);
    while (sauber.endsWith(QLatin1Char('_')))
        sauber.chop(1);
    return (sauber.isEmpty() ? QStringLiteral("Etikettenbogen") : sauber) + QStringLiteral(".bmp");
}
