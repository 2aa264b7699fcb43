#include "storage/dateien.h"

#include "storage/bilddatei.h"
#include "storage/namen.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>
#include <vector>

bool SetzeDateiDatum(const QString &pfad, const QDateTime &zeit)
{
    const QDateTime ortszeit = zeit.toLocalTime();
    const int jahr = ortszeit.date().year();
    // Append and ExistingOnly: opened for writing, yet neither emptied nor created.
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly))
        return false;
    if (!ortszeit.isValid() || jahr < 1980 || jahr > 2099)
        return false;
    const QTime t = ortszeit.time();
    QDateTime dosZeit = ortszeit;
    dosZeit.setTime(QTime(t.hour(), t.minute(), t.second() - t.second() % 2));
    // A whole copy stays whole when only its time is set.
    const bool ganz = IstGanzGeschrieben(pfad);
    const bool gesetzt = datei.setFileTime(dosZeit, QFileDevice::FileModificationTime);
    datei.close();
    if (ganz)
        GanzGeschrieben(pfad);
    return gesetzt;
}

namespace {

bool kopiereInhalt(QFile &quelle, QSaveFile &ziel)
{
    QByteArray puffer(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 gelesen = quelle.read(puffer.data(), puffer.size());
        if (gelesen < 0)
            return false;
        if (gelesen == 0)
            return true;
        if (ziel.write(puffer.constData(), gelesen) != gelesen)
            return false;
    }
}

} // namespace

bool KopiereErsetzend(const QString &quelle, const QString &ziel)
{
    return KopiereErsetzend(QList<Kopierauftrag>{{quelle, ziel}});
}

bool KopiereErsetzend(const QList<Kopierauftrag> &auftraege)
{
    // An uncommitted QSaveFile removes its temporary file, so an early return leaves no trace.
    std::vector<std::unique_ptr<QSaveFile>> fertig;
    for (const Kopierauftrag &auftrag : auftraege) {
        QFile quelle(auftrag.quelle);
        if (!QFileInfo(auftrag.quelle).isFile() || !quelle.open(QIODevice::ReadOnly))
            return false;
        auto ziel = std::make_unique<QSaveFile>(auftrag.ziel);
        if (!ziel->open(QIODevice::WriteOnly))
            return false;
        // Flushed here so that a full disk shows now, before anything has been replaced.
        if (!kopiereInhalt(quelle, *ziel) || !ziel->flush()) {
            ziel->cancelWriting();
            return false;
        }
        fertig.push_back(std::move(ziel));
    }
    for (const auto &ziel : fertig) {
        if (!ziel->commit())
            return false;
        GanzGeschrieben(ziel->fileName());
    }
    return true;
}

QString NeuerNameFehler(const QString &name)
{
    const QString ohneEndung = HatBildendung(name) ? name.chopped(4) : name;
    if (ohneEndung.trimmed().isEmpty())
        return QStringLiteral("Der Name ist leer. Bitte geben Sie dem Etikett einen Namen.");
    bool ordnerteil =
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QStringLiteral(".."));
#ifdef Q_OS_WIN
    ordnerteil = ordnerteil || name.contains(QLatin1Char(':'));
#endif
    if (ordnerteil)
        return QStringLiteral("Der Name darf weder \"/\" noch \"\\\" noch \"..\" enthalten: das Etikett wird "
                              "immer im Ordner der Etiketten gespeichert. Bitte geben Sie nur einen Namen ein.");
    // Such a file is hidden: "Öffnen..." would never show the label again.
    if (name.startsWith(QLatin1Char('.')))
        return QStringLiteral("Der Name darf nicht mit einem Punkt beginnen: eine solche Datei ist versteckt, und "
                              "\"Öffnen...\" würde das Etikett nicht zeigen. Bitte geben Sie einen anderen Namen ein.");
    return {};
}
