#include "storage/speicher.h"

#include "platform/fehler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>
#include <iterator>
#include <optional>

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
// Kept whole beside the store under the first name that nothing has, so that nothing of it nor of an earlier one
// is lost. False when it holds such a value and cannot be put aside: it stays as it is.
bool LegeBeiseite(const QString &ort, QString *hinweis)
{
    QFile datei(ort);
    if (!datei.open(QIODevice::ReadOnly) || !BirgtGepacktenWert(datei.readAll()))
        return true;
    datei.close();
    for (int n = 1; n < 1000; ++n) {
        const QString beiseite =
            ort + QStringLiteral(".unlesbar") + (n == 1 ? QString() : QStringLiteral(" %1").arg(n));
        if (QFileInfo::exists(beiseite) || QFileInfo(beiseite).isSymLink())
            continue;
        if (!QFile::rename(ort, beiseite))
            break;
        if (hinweis)
            *hinweis = QStringLiteral("Die Datei %1 enthielt Werte, die Morvane nicht schreibt. Sie liegt unverändert "
                                      "als %2 daneben; ihre Einstellungen beginnen leer.")
                           .arg(ort, beiseite);
        return true;
    }
    if (hinweis)
        *hinweis = QStringLiteral("Die Datei %1 enthält Werte, die Morvane nicht schreibt, und lässt sich nicht "
                                  "beiseitelegen. Sie bleibt unverändert und wird weder gelesen noch geschrieben.")
                       .arg(ort);
    return false;
}

// A store that reads nothing and takes no write: the file it names stays as it is.
QSettings::Format Unberuehrt()
{
    static const QSettings::Format format = QSettings::registerFormat(
        QStringLiteral("unberuehrt"), [](QIODevice &, QSettings::SettingsMap &) { return true; },
        [](QIODevice &, const QSettings::SettingsMap &) { return false; });
    return format;
}
#endif

QSettings Zugang(const QString &ort, QString *hinweis)
{
#ifdef Q_OS_WIN
    Q_UNUSED(hinweis);
    return QSettings(ort, QSettings::NativeFormat);
#else
    if (!LegeBeiseite(ort, hinweis))
        return QSettings(ort, Unberuehrt());
    return QSettings(ort, QSettings::IniFormat);
#endif
}

// The changes made through Qt's own writer.
void WendeAn(QSettings &s, const QList<Speicheraenderung> &aenderungen)
{
    for (const Speicheraenderung &a : aenderungen) {
        if (a.wert)
            s.setValue(a.schluessel, *a.wert);
        else
            s.remove(a.schluessel);
    }
}

#ifndef Q_OS_WIN
// Whether Qt's reader finds in the file at `pfad` what the changes asked for. A change that a later one overrides,
// on its key or on a level of its path, is not asked.
bool LiestSich(const QString &pfad, const QList<Speicheraenderung> &aenderungen)
{
    const auto aufDemPfad = [](const QString &a, const QString &b) {
        return a == b || a.startsWith(b + u'/') || b.startsWith(a + u'/');
    };
    QSettings s(pfad, QSettings::IniFormat);
    for (qsizetype i = 0; i < aenderungen.size(); ++i) {
        const Speicheraenderung &a = aenderungen[i];
        if (std::any_of(aenderungen.begin() + i + 1, aenderungen.end(),
                        [&](const Speicheraenderung &b) { return aufDemPfad(a.schluessel, b.schluessel); }))
            continue;
        if (a.wert) {
            const QVariant wert = s.value(a.schluessel);
            if (wert.typeId() != QMetaType::QString || wert.toString() != *a.wert)
                return false;
        } else {
            s.beginGroup(a.schluessel);
            const bool darunter = !s.allKeys().isEmpty();
            s.endGroup();
            if (darunter || s.contains(a.schluessel))
                return false;
        }
    }
    return true;
}

// The text with the changes as Qt's reader will read it. A text another hand broke (a quote never closed, a line
// continued into the next) can swallow what is added to it; then Qt's own writer writes it anew from what it reads,
// the comments lost but every value kept and the changes made.
std::optional<QByteArray> Geaendert(const QString &ort, const QByteArray &vorher,
                                    const QList<Speicheraenderung> &aenderungen)
{
    const QByteArray neu = IniMitAenderungen(vorher, aenderungen);
    QTemporaryFile probe(ort + QStringLiteral(".XXXXXX"));
    if (!probe.open() || probe.write(neu) != neu.size() || !probe.flush())
        return std::nullopt;
    if (LiestSich(probe.fileName(), aenderungen))
        return neu;
    if (!probe.resize(0) || !probe.seek(0) || probe.write(vorher) != vorher.size() || !probe.flush())
        return std::nullopt;
    {
        QSettings s(probe.fileName(), QSettings::IniFormat);
        WendeAn(s, aenderungen);
        // A broken text leaves its reader's FormatError standing; what counts is what reads back.
        s.sync();
        if (s.status() == QSettings::AccessError)
            return std::nullopt;
    }
    if (!LiestSich(probe.fileName(), aenderungen))
        return std::nullopt;
    QFile neuGeschrieben(probe.fileName());
    if (!neuGeschrieben.open(QIODevice::ReadOnly))
        return std::nullopt;
    return neuGeschrieben.readAll();
}
#endif

bool Aendere(const QString &ort, const QList<Speicheraenderung> &aenderungen, QString *hinweis)
{
#ifdef Q_OS_WIN
    Q_UNUSED(hinweis);
    QSettings s(ort, QSettings::NativeFormat);
    WendeAn(s, aenderungen);
    s.sync();
    return s.status() != QSettings::AccessError;
#else
    QDir().mkpath(QFileInfo(ort).absolutePath());
    if (!LegeBeiseite(ort, hinweis))
        return false;
    // Qt's writer takes this lock while it rewrites the file: no write of either is lost.
    QLockFile sperre(ort + QStringLiteral(".lock"));
    if (!sperre.tryLock(10000))
        return false;
    QFile alt(ort);
    QByteArray vorher;
    if (alt.exists()) {
        if (!alt.open(QIODevice::ReadOnly))
            return false;
        vorher = alt.readAll();
        alt.close();
    }
    const std::optional<QByteArray> neu = Geaendert(ort, vorher, aenderungen);
    if (!neu)
        return false;
    if (*neu == vorher && alt.exists())
        return true;
    QSaveFile datei(ort);
    return datei.open(QIODevice::WriteOnly) && datei.write(*neu) == neu->size() && datei.commit();
#endif
}

} // namespace

bool AendereSpeicher(const QList<Speicheraenderung> &aenderungen, QString *hinweis)
{
    return Aendere(SpeicherOrt(), aenderungen, hinweis);
}

bool AendereKorrekturspeicher(const QList<Speicheraenderung> &aenderungen, QString *hinweis)
{
    return Aendere(KorrekturOrt(), aenderungen, hinweis);
}

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

QSettings Speicherzugang(QString *hinweis)
{
    return Zugang(SpeicherOrt(), hinweis);
}

QString SpeicherOrt()
{
    return Ort(Name());
}

QString KorrekturOrt()
{
    return Ort(KorrekturName());
}

QSettings Korrekturzugang(QString *hinweis)
{
    return Zugang(KorrekturOrt(), hinweis);
}

QStringList SpeicherHinweise()
{
    QStringList hinweise;
    for (const QString &ort : {SpeicherOrt(), KorrekturOrt()}) {
        QString hinweis;
        Zugang(ort, &hinweis);
        if (!hinweis.isEmpty())
            hinweise.append(hinweis);
    }
    return hinweise;
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
    AendereSpeicher({{name, text}});
}

void SchreibErstwerte(const QString &programmOrdner)
{
    AendereSpeicher({{QStringLiteral("InstallOrt"), programmOrdner},
                     {QStringLiteral("OrdnerEtikettenInfos"), InfoordnerPfad(programmOrdner)},
                     {QStringLiteral("OrdnerEtiketten"), DatenordnerPfad(programmOrdner)},
                     {QStringLiteral("OrdnerEtikettenVorlagen"), VorlagenordnerPfad(programmOrdner)},
                     {QStringLiteral("ZuletztAngezeigt"), DatenordnerPfad(programmOrdner) + Trenner + BeispielEtikett}});
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
