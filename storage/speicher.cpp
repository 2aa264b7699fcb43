#include "storage/speicher.h"

#include "platform/fehler.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <iterator>

namespace {

#ifdef Q_OS_WIN
const QString Eltern = QStringLiteral("HKEY_CURRENT_USER\\Software");
#endif

// The store's name: on Windows the key below Software, elsewhere the INI file's. MORVANE_SCHLUESSEL gives a test
// run a key of its own on Windows, as XDG_CONFIG_HOME gives it a file of its own elsewhere.
QString Name()
{
#ifdef Q_OS_WIN
    const QString name = qEnvironmentVariable("MORVANE_SCHLUESSEL");
    if (!name.isEmpty())
        return name;
#endif
    return QStringLiteral("Morvane");
}

// The printer corrections describe the printers, not the installation: a store of their own, beside the
// program's, that "Registry-Einträge löschen" leaves alone.
QString KorrekturName()
{
    return Name() + QStringLiteral("-Druckerausrichtung");
}

const QString Trenner = QDir::separator();

// Where the store of that name lives: a key below the per-user software key, elsewhere an INI file in the
// configuration folder.
QString Ort(const QString &name)
{
#ifdef Q_OS_WIN
    return Eltern + QLatin1Char('\\') + name;
#else
    QString basis = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (basis.isEmpty())
        basis = QDir::homePath() + QStringLiteral("/.config");
    return basis + QLatin1Char('/') + name + QStringLiteral(".ini");
#endif
}

// Whether the store of that name exists: the key, or the file.
bool Vorhanden(const QString &name)
{
#ifdef Q_OS_WIN
    QSettings eltern(Eltern, QSettings::NativeFormat);
    return eltern.childGroups().contains(name, Qt::CaseInsensitive);
#else
    return QFile::exists(Ort(name));
#endif
}

#ifndef Q_OS_WIN
// Kept whole beside the store, so that nothing of it is lost.
void LegeBeiseite(const QString &ort)
{
    QFile datei(ort);
    if (!datei.open(QIODevice::ReadOnly) || !BirgtGepacktenWert(datei.readAll()))
        return;
    datei.close();
    const QString beiseite = ort + QStringLiteral(".unlesbar");
    QFile::remove(beiseite);
    if (!QFile::rename(ort, beiseite))
        QFile::remove(ort);
}
#endif

QSettings Zugang(const QString &ort)
{
#ifdef Q_OS_WIN
    return QSettings(ort, QSettings::NativeFormat);
#else
    LegeBeiseite(ort);
    return QSettings(ort, QSettings::IniFormat);
#endif
}

} // namespace

bool BirgtGepacktenWert(QByteArrayView inhalt)
{
    // Decoded as the store's reader decodes a value, but wider: blanks, quotes, line ends and everything beyond
    // ASCII left out, so that no way of spelling the value escapes.
    QByteArray text;
    text.reserve(inhalt.size());
    auto gib = [&](char16_t z) {
        if (z < 0x80 && z != u' ' && z != u'\t' && z != u'\r' && z != u'\n' && z != u'"')
            text += char(z);
    };
    auto ziffer = [](char c, int basis) {
        const int wert = c >= '0' && c <= '9' ? c - '0'
            : c >= 'a' && c <= 'f'            ? c - 'a' + 10
            : c >= 'A' && c <= 'F'            ? c - 'A' + 10
                                              : 99;
        return wert < basis ? wert : -1;
    };
    static constexpr char einfach[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'},
                                          {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    for (qsizetype i = 0; i < inhalt.size();) {
        const char c = inhalt[i++];
        if (c != '\\') {
            gib(uchar(c));
            continue;
        }
        if (i == inhalt.size())
            break;
        const char e = inhalt[i++];
        const auto code = std::find_if(std::begin(einfach), std::end(einfach), [e](auto &p) { return p[0] == e; });
        if (code != std::end(einfach)) {
            gib(uchar((*code)[1]));
            continue;
        }
        const int basis = e == 'x' ? 16 : ziffer(e, 8) >= 0 ? 8 : 0;
        // A line end or an unknown letter after the backslash gives nothing, as "\x" without a digit.
        if (basis == 0 || (basis == 16 && (i == inhalt.size() || ziffer(inhalt[i], 16) < 0)))
            continue;
        char16_t wert = basis == 8 ? char16_t(e - '0') : 0;
        while (i < inhalt.size() && ziffer(inhalt[i], basis) >= 0)
            wert = char16_t(wert * basis + ziffer(inhalt[i++], basis));
        gib(wert);
    }
    // "@@" is how a text that starts with "@" is written.
    for (const QByteArrayView art : {QByteArrayView("@Variant("), QByteArrayView("@DateTime(")}) {
        for (qsizetype an = text.indexOf(art); an >= 0; an = text.indexOf(art, an + 1)) {
            if (an == 0 || text[an - 1] != '@')
                return true;
        }
    }
    return false;
}

QSettings Speicherzugang()
{
    return Zugang(SpeicherOrt());
}

QString SpeicherOrt()
{
    return Ort(Name());
}

QString KorrekturOrt()
{
    return Ort(KorrekturName());
}

QSettings Korrekturzugang()
{
    return Zugang(KorrekturOrt());
}

bool SpeicherVorhanden()
{
    return Vorhanden(Name());
}

bool KorrekturspeicherVorhanden()
{
    return Vorhanden(KorrekturName());
}

QString LiesSpeicherwert(const QString &name)
{
    if (!SpeicherVorhanden())
        return {};
    const QVariant wert = Speicherzugang().value(name);
    if (!wert.isValid())
        return {};
    if (wert.typeId() == QMetaType::QString)
        return wert.toString();
    if (wert.toString().isEmpty() && wert.toStringList().join(QString()).isEmpty())
        return {};
    throw Fehler(QStringLiteral("Ungültiger Datentyp für '%1'").arg(name));
}

void SchreibSpeicherwert(const QString &name, const QString &text)
{
    if (!SpeicherVorhanden())
        return;
    QSettings s = Speicherzugang();
    s.setValue(name, text);
}

void SchreibErstwerte(const QString &programmOrdner)
{
#ifndef Q_OS_WIN
    QDir().mkpath(QFileInfo(SpeicherOrt()).absolutePath());
#endif
    QSettings s = Speicherzugang();
    s.setValue(QStringLiteral("InstallOrt"), programmOrdner);
    s.setValue(QStringLiteral("OrdnerEtikettenInfos"), InfoordnerPfad(programmOrdner));
    s.setValue(QStringLiteral("OrdnerEtiketten"), DatenordnerPfad(programmOrdner));
    s.setValue(QStringLiteral("OrdnerEtikettenVorlagen"), VorlagenordnerPfad(programmOrdner));
    s.setValue(QStringLiteral("ZuletztAngezeigt"), DatenordnerPfad(programmOrdner) + Trenner + BeispielEtikett);
}

void LoescheSpeicher()
{
#ifdef Q_OS_WIN
    QSettings eltern(Eltern, QSettings::NativeFormat);
    eltern.remove(Name());
#else
    QFile::remove(SpeicherOrt());
#endif
}

QStringList OrtsMeldungen(const QString &installOrt, const QString &programmOrdner)
{
    if (programmOrdner.toLower().contains(installOrt.toLower()))
        return {};
    const QString lfcr = QStringLiteral("\n\r");
    const QString q = QStringLiteral("\"");
    return {
        q + QStringLiteral("Morvane") + q + QStringLiteral(" haben Sie schon mal an einem anderen Speicherort benutzt:")
            + lfcr + q + installOrt + q + lfcr + lfcr + QStringLiteral("Ihre Daten finden Sie weiterhin im Ordner:")
            + lfcr + q + installOrt + q,
        QStringLiteral("Wenn Sie hier in diesem Ordner zukünftig Ihre Daten anlegen möchten,") + lfcr
            + QStringLiteral("dann betätigen Sie den Menüpunkt ") + q
            + QStringLiteral("Optionen|Registry-Eintrag löschen") + q,
    };
}

QString OrdnerMitTrenner(const QString &ordner)
{
    return ordner.endsWith(Trenner) ? ordner : ordner + Trenner;
}

QString DatenordnerPfad(const QString &programmOrdner)
{
    return programmOrdner + DatenordnerName;
}

QString InfoordnerPfad(const QString &programmOrdner)
{
    return DatenordnerPfad(programmOrdner) + Trenner + QStringLiteral("Druckposition Infos");
}

QString VorlagenordnerPfad(const QString &programmOrdner)
{
    return DatenordnerPfad(programmOrdner) + Trenner + QStringLiteral("Vorlagen");
}
