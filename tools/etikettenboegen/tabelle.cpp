#include "tools/etikettenboegen/tabelle.h"

#include "storage/etikettenboegen.h"

#include "platform/fehler.h"

#include <QSet>

QString KatalogAusTabelle(const QString &tabelle, QStringList &notizen)
{
    const QString kopf = QString(EtikettenboegenKopf).replace(QLatin1Char(';'), QLatin1Char('\t'));
    QString katalog = EtikettenboegenKopf + QLatin1Char('\n');
    bool kopfGelesen = false;
    QSet<QString> vergeben;
    const QStringList zeilen = tabelle.split(QLatin1Char('\n'));
    for (int i = 0; i < zeilen.size(); ++i) {
        const QString zeile = zeilen[i].trimmed();
        if (zeile.isEmpty() || zeile.startsWith(QLatin1Char('#')))
            continue;
        if (!kopfGelesen) {
            if (zeile != kopf)
                throw Fehler(QStringLiteral("Zeile %1: Kopfzeile erwartet: %2").arg(i + 1).arg(kopf));
            kopfGelesen = true;
            continue;
        }
        const auto notiere = [&](const QString &grund) {
            notizen << QStringLiteral("Zeile %1 ausgelassen (%2): %3").arg(i + 1).arg(grund, zeile);
        };
        if (zeile.contains(QLatin1Char(';'))) {
            notiere(QStringLiteral("enthält \";\""));
            continue;
        }
        QString grund;
        const std::optional<Etikettenbogen> bogen = BogenAusFeldern(zeile.split(QLatin1Char('\t')), &grund);
        if (!bogen) {
            notiere(grund);
            continue;
        }
        QStringList doppelt;
        for (const QString &nummer : bogen->nummern)
            if (vergeben.contains(bogen->hersteller + QLatin1Char('\t') + nummer))
                doppelt << nummer;
        if (!doppelt.isEmpty()) {
            notiere(QStringLiteral("schon vergeben: %1").arg(doppelt.join(QStringLiteral(", "))));
            continue;
        }
        for (const QString &nummer : bogen->nummern)
            vergeben.insert(bogen->hersteller + QLatin1Char('\t') + nummer);
        katalog += BogenZeile(*bogen) + QLatin1Char('\n');
    }
    if (!kopfGelesen)
        throw Fehler(QStringLiteral("Die Tabelle hat keine Kopfzeile."));
    return katalog;
}
