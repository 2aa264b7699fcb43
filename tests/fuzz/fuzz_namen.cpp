// The naming rules on any text: paths, typed names, file names with and without the picture extension, in any
// case and any script. The file-name part is what follows the last separator; ".bmp" is found in any letter case;
// the settings name and the settings path never name the picture itself; the display name is the name without its
// extension, letter by letter in upper case; and a name accepted for a new label keeps the label in its folder.
#include "gemeinsam.h"
#include "storage/dateien.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "storage/namen.h"

#include <QDir>

#include <cstdint>

namespace {

// Lower case for A to Z only, so that nothing but the ASCII letters of ".bmp" can match.
QString AsciiKlein(const QString &text)
{
    QString k = text;
    for (QChar &c : k)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return k;
}

QString Text(const uint8_t *daten, size_t laenge)
{
    if (laenge == 0)
        return {};
    const auto *rest = reinterpret_cast<const char *>(daten + 1);
    const qsizetype n = qsizetype(laenge - 1);
    switch (daten[0] % 3) {
    case 0:
        return QString::fromUtf8(rest, n);
    case 1:
        return QString::fromLatin1(rest, n);
    default:
        // UTF-16 as it comes, unpaired surrogates included.
        return QString(reinterpret_cast<const QChar *>(rest), n / 2);
    }
}

void PruefeName(const QString &name)
{
    const QString teil = DateinamenTeil(name);
    PRUEFE(!teil.contains(QLatin1Char('/')));
    PRUEFE(name.endsWith(teil));
    const QString ordner = name.chopped(teil.size());
    PRUEFE(ordner.isEmpty() || ordner.endsWith(QLatin1Char('/')));

    const qsizetype stelle = AsciiKlein(name).endsWith(QStringLiteral(".bmp")) ? name.size() - 4 : -1;
    PRUEFE(HatBildendung(name) == (stelle >= 0));

    // The settings name: a closing ".bmp" out, ".ini" on; never the picture's own name.
    const QString einstellung = Einstellungsname(name);
    if (stelle < 0)
        PRUEFE(einstellung == name + QStringLiteral(".ini"));
    else
        PRUEFE(einstellung == name.left(stelle) + QStringLiteral(".ini"));
    PRUEFE(einstellung.compare(name, Qt::CaseInsensitive) != 0);

    const QString ohne = NameOhneEndung(name);
    PRUEFE(teil.startsWith(ohne));
    PRUEFE(ohne.size() == teil.size() - (HatBildendung(teil) ? 4 : 0));
    const QString anzeige = Anzeigename(name);
    PRUEFE(anzeige.size() == ohne.size());
    for (qsizetype i = 0; i < ohne.size(); ++i)
        PRUEFE(anzeige.at(i) == ohne.at(i).toUpper());

    // The settings file beside a picture: never the picture itself, whatever the path.
    const QString pfad = EinstellungsPfad(name);
    if (!pfad.isEmpty()) {
        PRUEFE(pfad.endsWith(QStringLiteral(".ini")));
        PRUEFE(pfad.compare(name, Qt::CaseInsensitive) != 0);
        if (stelle >= 0)
            PRUEFE(pfad == name.chopped(4) + QStringLiteral(".ini"));
    } else {
        PRUEFE(name.isEmpty() || name.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive));
    }

    // A name typed for a new label: refused with one of the two texts, or the label stays in its folder.
    const QString fehler = NeuerNameFehler(name);
    if (!fehler.isEmpty()) {
        PRUEFE(fehler.startsWith(QStringLiteral("Der Name ist leer."))
               || fehler.startsWith(QStringLiteral("Der Name darf weder"))
               || fehler.startsWith(QStringLiteral("Der Name darf nicht mit einem Punkt")));
        return;
    }
    const QString bild = HatBildendung(name) ? name : name + QStringLiteral(".bmp");
    const QString etiketten = QStringLiteral("/daten/Morvane");
    const QString bildPfad = etiketten + QLatin1Char('/') + bild;
    PRUEFE(DateinamenTeil(bildPfad) == bild);
    PRUEFE(QDir::cleanPath(bildPfad) == bildPfad);
    const QString ini = Einstellungsname(bild);
    PRUEFE(!ini.contains(QLatin1Char('/')));
    PRUEFE(QDir::cleanPath(etiketten + QLatin1Char('/') + ini) == etiketten + QLatin1Char('/') + ini);
    PRUEFE(!Einstellungsname(bild).chopped(4).trimmed().isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t laenge)
{
    PruefeName(Text(daten, laenge));
    return 0;
}
