// Writes the German help, kept as HTML beside this file, as an A4 PDF to the path given as argument.

#include "tools/gemeinsam.h"

#include "platform/fehler.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

using namespace Werkzeug;

namespace {

QString HilfeText()
{
    QFile quelle(QStringLiteral(":/hilfe/hilfe.html"));
    if (!quelle.open(QIODevice::ReadOnly))
        throw Fehler(QStringLiteral("Der Hilfetext fehlt im Programm"));
    return QString::fromUtf8(quelle.readAll());
}

void SchreibeHilfe(const QString &ziel)
{
    QSaveFile datei(ziel);
    if (!datei.open(QIODevice::WriteOnly))
        throw Fehler(QStringLiteral("Datei %1 kann nicht erstellt werden").arg(ziel));
    {
        QPdfWriter pdf(&datei);
        pdf.setTitle(QStringLiteral("Morvane-Hilfe"));
        pdf.setCreator(QStringLiteral("Morvane"));
        // The document adds its own 2 cm margin and the page numbers when it is printed unpaginated.
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));

        QTextDocument dokument;
        dokument.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
        // Paragraphs a little closer than the default, so that the last page is not a few lines alone.
        dokument.setDefaultStyleSheet(QStringLiteral("h1, h2 { color: #1f5f6b; } h2 { margin-top: 14px; } "
                                                     "p, ul, ol { margin-top: 6px; margin-bottom: 6px; }"));
        dokument.setHtml(HilfeText());
        dokument.print(&pdf);
    }
    if (!datei.commit())
        throw Fehler(QStringLiteral("Datei %1 kann nicht geschrieben werden").arg(ziel));
}

} // namespace

int main(int argc, char **argv)
{
    return FuehreAus(argc, argv, [](const QStringList &argumente) {
        if (argumente.size() != 1)
            throw Fehler(QStringLiteral("Aufruf: hilfe <Zieldatei.pdf>"));
        SchreibeHilfe(argumente.first());
    });
}
