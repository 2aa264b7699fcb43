#include "storage/druckerausrichtung.h"

#include "platform/fehler.h"
#include "storage/speicher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

#include <cmath>
#include <optional>

namespace {

// The store takes "/" and "\" as levels of its keys; a printer name is one level.
QString Gruppe(const QString &drucker)
{
    QString name = drucker;
    name.replace(QLatin1Char('%'), QStringLiteral("%25"))
        .replace(QLatin1Char('/'), QStringLiteral("%2F"))
        .replace(QLatin1Char('\\'), QStringLiteral("%5C"));
    return QStringLiteral("Druckerausrichtung/") + name;
}

// The back's entry lies within the front's group, so that a printer's name stays one level of the store.
QString Gruppe(const QString &drucker, Blattseite seite)
{
    return seite == Blattseite::Rueckseite ? Gruppe(drucker) + QStringLiteral("/Rueckseite") : Gruppe(drucker);
}

const QString VersatzX = QStringLiteral("VersatzX");
const QString VersatzY = QStringLiteral("VersatzY");
const QString MassstabX = QStringLiteral("MassstabX");
const QString MassstabY = QStringLiteral("MassstabY");

} // namespace

bool IstBrauchbar(const Druckerkorrektur &k)
{
    auto versatz = [](double v) { return std::isfinite(v) && std::abs(v) <= GroessterVersatzMm; };
    auto massstab = [](double m) { return std::isfinite(m) && m >= KleinsterMassstab && m <= GroessterMassstab; };
    return versatz(k.versatzXMm) && versatz(k.versatzYMm) && massstab(k.massstabX) && massstab(k.massstabY);
}

namespace {

// The entry in one store: none when the store has no value for the printer, no correction when it has one that
// is unreadable or out of range, never half a correction.
// `unbrauchbar`, where given, names the first value that made it so: "MassstabX=2".
std::optional<Druckerkorrektur> LiesAus(QSettings &s, const QString &gruppe, QString *unbrauchbar = nullptr)
{
    s.beginGroup(gruppe);
    if (s.childKeys().isEmpty())
        return std::nullopt;
    Druckerkorrektur k;
    QString grund;
    auto lies = [&](const QString &name, double &ziel, bool versatz) {
        const QVariant wert = s.value(name);
        bool ok = wert.typeId() == QMetaType::QString;
        const double zahl = ok ? wert.toString().trimmed().toDouble(&ok) : 0.0;
        if (ok)
            ziel = zahl;
        Druckerkorrektur allein;
        (versatz ? allein.versatzXMm : allein.massstabX) = zahl;
        if (grund.isEmpty() && (!ok || !IstBrauchbar(allein)))
            grund = wert.isValid() ? name + u'=' + wert.toString() : name + QStringLiteral(" fehlt");
    };
    lies(VersatzX, k.versatzXMm, true);
    lies(VersatzY, k.versatzYMm, true);
    lies(MassstabX, k.massstabX, false);
    lies(MassstabY, k.massstabY, false);
    if (!grund.isEmpty()) {
        if (unbrauchbar)
            *unbrauchbar = grund;
        return Druckerkorrektur{};
    }
    return k;
}

// An entry that an earlier version kept in the program's own store would stand in for a removed one.
void VergissAlteKorrektur(const QString &drucker)
{
    if (!SpeicherVorhanden())
        return;
    QSettings alt = Speicherzugang();
    alt.beginGroup(Gruppe(drucker));
    const bool da = !alt.childKeys().isEmpty();
    alt.endGroup();
    if (da)
        AendereSpeicher({{Gruppe(drucker), std::nullopt}});
}

} // namespace

Druckerkorrektur LiesDruckerkorrektur(const QString &drucker, Blattseite seite)
{
    if (drucker.isEmpty())
        return {};
    if (KorrekturspeicherVorhanden()) {
        QSettings s = Korrekturzugang();
        if (const auto k = LiesAus(s, Gruppe(drucker, seite)))
            return *k;
    }
    // Kept in the program's own store by earlier versions, until the printer is aligned again. They had no back.
    if (SpeicherVorhanden() && seite == Blattseite::Vorderseite) {
        QSettings s = Speicherzugang();
        if (const auto k = LiesAus(s, Gruppe(drucker)))
            return *k;
    }
    return {};
}

QString UnbrauchbareDruckerkorrektur(const QString &drucker, Blattseite seite)
{
    if (drucker.isEmpty() || !KorrekturspeicherVorhanden())
        return {};
    QSettings s = Korrekturzugang();
    QString grund;
    LiesAus(s, Gruppe(drucker, seite), &grund);
    if (grund.isEmpty())
        return {};
    return QStringLiteral("Die gespeicherte Ausrichtung %1für „%2“ ist nicht brauchbar (%3) und wird nicht "
                          "angewandt. Messen Sie neu, oder entfernen Sie sie mit „Zurücksetzen“.")
        .arg(seite == Blattseite::Rueckseite ? QStringLiteral("der Rückseite ") : QString(), drucker, grund);
}

void SchreibDruckerkorrektur(const QString &drucker, const Druckerkorrektur &k, Blattseite seite)
{
    if (drucker.isEmpty())
        throw Fehler(QStringLiteral("Ohne Druckernamen kann keine Ausrichtung gespeichert werden."));
    if (!IstBrauchbar(k))
        throw Fehler(QStringLiteral("Diese Ausrichtung ist nicht brauchbar und wird nicht gespeichert."));
    const bool keine = k == Druckerkorrektur{};
    // Removing from a missing store would leave an empty one behind.
    const bool vorne = seite == Blattseite::Vorderseite;
    if (keine && !KorrekturspeicherVorhanden()) {
        if (vorne)
            VergissAlteKorrektur(drucker);
        return;
    }
    const QString gruppe = Gruppe(drucker, seite) + u'/';
    QList<Speicheraenderung> aenderungen;
    if (keine) {
        // The front's keys, whatever they hold, but not the back's group within.
        QSettings s = Korrekturzugang();
        s.beginGroup(Gruppe(drucker, seite));
        for (const QString &schluessel : s.childKeys())
            aenderungen.append({gruppe + schluessel, std::nullopt});
    } else {
        auto text = [](double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); };
        aenderungen = {{gruppe + VersatzX, text(k.versatzXMm)},
                       {gruppe + VersatzY, text(k.versatzYMm)},
                       {gruppe + MassstabX, text(k.massstabX)},
                       {gruppe + MassstabY, text(k.massstabY)}};
    }
    // The store is written whole or not at all; the person must know when the measurement was not kept.
    QString hinweis;
    if (!aenderungen.isEmpty() && !AendereKorrekturspeicher(aenderungen, &hinweis))
        throw Fehler(QStringLiteral("Die Ausrichtung für %1 konnte nicht gespeichert werden.%2")
                         .arg(drucker, hinweis.isEmpty() ? QString() : QLatin1Char(' ') + hinweis));
    if (vorne)
        VergissAlteKorrektur(drucker);
}

namespace {

QString Wendegruppe(const QString &drucker)
{
    return Gruppe(drucker) + QStringLiteral("/Wenden/");
}

} // namespace

Wendung LiesWendung(const QString &drucker)
{
    if (drucker.isEmpty() || !KorrekturspeicherVorhanden())
        return {};
    QSettings s = Korrekturzugang();
    const auto text = [&](const QString &name) {
        const QVariant wert = s.value(Wendegruppe(drucker) + name);
        return wert.typeId() == QMetaType::QString ? wert.toString().trimmed().toLower() : QString();
    };
    Wendung w;
    if (const QString kante = text(QStringLiteral("Kante")); kante == QLatin1String("lang"))
        w.kante = Wendekante::Lang;
    else if (kante == QLatin1String("kurz"))
        w.kante = Wendekante::Kurz;
    if (const QString bedruckt = text(QStringLiteral("Bedruckt")); bedruckt == QLatin1String("oben"))
        w.bedrucktOben = true;
    else if (bedruckt == QLatin1String("unten"))
        w.bedrucktOben = false;
    return w;
}

void SchreibWendung(const QString &drucker, const Wendung &w)
{
    if (drucker.isEmpty())
        throw Fehler(QStringLiteral("Ohne Druckernamen kann nicht gespeichert werden, wie das Blatt gewendet wird."));
    if (w == Wendung{} && !KorrekturspeicherVorhanden())
        return;
    const QString gruppe = Wendegruppe(drucker);
    const QList<Speicheraenderung> aenderungen = {
        {gruppe + QStringLiteral("Kante"),
         w.kante
             ? std::optional<QString>(*w.kante == Wendekante::Kurz ? QStringLiteral("kurz") : QStringLiteral("lang"))
             : std::nullopt},
        {gruppe + QStringLiteral("Bedruckt"),
         w.bedrucktOben ? std::optional<QString>(*w.bedrucktOben ? QStringLiteral("oben") : QStringLiteral("unten"))
                        : std::nullopt}};
    QString hinweis;
    if (!AendereKorrekturspeicher(aenderungen, &hinweis))
        throw Fehler(QStringLiteral("Wie das Blatt auf %1 gewendet wird, konnte nicht gespeichert werden.%2")
                         .arg(drucker, hinweis.isEmpty() ? QString() : QLatin1Char(' ') + hinweis));
}
