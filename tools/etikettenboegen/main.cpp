// Writes the catalogue of label sheets, checked line by line, to the file given as argument.

#include "tools/etikettenboegen/tabelle.h"
#include "tools/gemeinsam.h"

#include "platform/fehler.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char **argv)
{
    return Werkzeug::FuehreAus(argc, argv, [](const QStringList &argumente) {
        if (argumente.size() != 1)
            throw Fehler(QStringLiteral("Aufruf: etikettenboegen <Etikettenboegen.csv>"));
        QFile quelle(QStringLiteral(":/etikettenboegen/boegen.tsv"));
        if (!quelle.open(QIODevice::ReadOnly))
            throw Fehler(QStringLiteral("Die Tabelle der Etikettenbögen fehlt im Programm."));
        QStringList notizen;
        const QString katalog = KatalogAusTabelle(QString::fromUtf8(quelle.readAll()), notizen);
        for (const QString &notiz : notizen)
            std::fprintf(stderr, "boegen.tsv: %s\n", qPrintable(notiz));

        const QString pfad = argumente.first();
        Werkzeug::ErzeugeOrdner(QFileInfo(pfad).absolutePath());
        QSaveFile ziel(pfad);
        if (!ziel.open(QIODevice::WriteOnly) || ziel.write(katalog.toUtf8()) < 0 || !ziel.commit())
            throw Fehler(QStringLiteral("%1 kann nicht geschrieben werden.").arg(pfad));
    });
}
