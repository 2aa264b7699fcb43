#include "storage/rueckseite.h"

#include "platform/fehler.h"
#include "storage/bilddatei.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "storage/namen.h"

#include <QDir>
#include <QFileInfo>

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
