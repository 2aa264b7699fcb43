#include "storage/rueckseite.h"

#include "platform/fehler.h"
#include "storage/bilddatei.h"
#include "storage/einstellungen.h"
#include "storage/namen.h"
#include "storage/profildatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString BildSchluessel = QStringLiteral("Bild");
// What the profile reader returns of a value at most.
constexpr qsizetype LaengsterWert = 254;

QByteArray AlsWert(const QString &name)
{
    const QByteArray roh = name.toUtf8();
    if (roh.isEmpty())
        return roh;
    // The reader takes off blanks around a value and one pair of quotes: a name that begins or ends so is quoted.
    const bool rand = roh.front() == ' ' || roh.front() == '\t' || roh.back() == ' ' || roh.back() == '\t'
        || roh.front() == '"' || roh.front() == '\'';
    return rand ? '"' + roh + '"' : roh;
}

} // namespace

QString RueckseiteAusText(const QByteArray &inhalt)
{
    // The reader gives each byte as one character, so the bytes come back whole.
    const QByteArray roh = LeseProfilWertAusText(inhalt, RueckseitenSektion, BildSchluessel).toLatin1();
    const QString utf8 = QString::fromUtf8(roh);
    return utf8.toUtf8() == roh ? utf8 : QString::fromLatin1(roh);
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
            .arg(name)
            .arg(LaengsterWert);
    return {};
}

QByteArray MitRueckseite(const QByteArray &inhalt, const QString &name)
{
    const QByteArray abschnitt = name.isEmpty()
        ? QByteArray()
        : "[" + RueckseitenSektion.toLatin1() + "]\r\n" + BildSchluessel.toLatin1() + '=' + AlsWert(name) + "\r\n";
    return ErsetzeProfilAbschnitte(inhalt, RueckseitenSektion, abschnitt);
}

void SchreibeRueckseite(const QString &pfad, const QString &name)
{
    if (!name.isEmpty())
        if (const QString fehler = RueckseitenNamenFehler(name); !fehler.isEmpty())
            throw Fehler(fehler);
    QFile alt(pfad);
    QByteArray inhalt;
    if (alt.exists()) {
        if (!alt.open(QIODevice::ReadOnly))
            throw DateiNichtZuOeffnen(pfad);
        inhalt = alt.readAll();
        alt.close();
    }
    const QByteArray neu = MitRueckseite(inhalt, name);
    QSaveFile datei(pfad);
    if (pfad.isEmpty() || !datei.open(QIODevice::WriteOnly) || datei.write(neu) != neu.size() || !datei.commit())
        throw Fehler(QStringLiteral("Datei %1 kann nicht erstellt werden").arg(pfad));
}

QString RueckseitenDatei(const QString &etikett, const QString &name)
{
    if (const QString fehler = RueckseitenNamenFehler(name); !fehler.isEmpty() || name.isEmpty())
        // Plain quotes and the system's separators: the command line's console on Windows has no „“.
        throw Fehler(QStringLiteral("Die Einstellungsdatei %1 nennt als Rückseite \"%2\"; das ist kein Dateiname im "
                                    "Ordner der Etikette.")
                         .arg(EinstellungsPfad(etikett), QDir::toNativeSeparators(name)));
    const QString pfad = QDir::toNativeSeparators(QFileInfo(etikett).dir().filePath(name));
    if (!QFileInfo::exists(pfad))
        throw Fehler(QStringLiteral("Die Rückseite %1 fehlt.").arg(pfad));
    return pfad;
}

QImage LeseRueckseite(const QString &etikett, const QString &name)
{
    const QString pfad = RueckseitenDatei(etikett, name);
    const QImage bild = LeseBild(pfad);
    if (bild.isNull())
        throw Fehler(KeinLesbaresBild(pfad));
    return bild;
}

QString KeineRueckseite(const QString &etikett)
{
    return QStringLiteral("Das Etikett %1 hat keine Rückseite.").arg(NameOhneEndung(etikett));
}
