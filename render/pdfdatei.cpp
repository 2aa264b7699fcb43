#include "render/pdfdatei.h"

#include "platform/fehler.h"
#include "storage/zieldatei.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

Druckflaeche PdfFlaeche()
{
    return {PdfDpi, PdfDpi, {}, {}};
}

void SchreibePdf(const QString &ziel, const QString &titel, const std::function<void(QPainter &)> &zeichne)
{
    SchreibePdf(ziel, titel, QList<std::function<void(QPainter &)>>{zeichne});
}

void SchreibePdf(const QString &ziel, const QString &titel, const QList<std::function<void(QPainter &)>> &seiten)
{
    Zieldatei datei(ziel);
    {
        // Closed when it goes, before its bytes are checked.
        QPdfWriter pdf(datei.entwurf());
        pdf.setResolution(PdfDpi);
        pdf.setTitle(titel);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
        QPainter maler;
        if (!maler.begin(&pdf))
            throw DateiNichtGeschrieben(ziel);
        try {
            for (qsizetype i = 0; i < seiten.size(); ++i) {
                if (i > 0 && !pdf.newPage())
                    throw Fehler(QStringLiteral("Der Druck konnte nicht abgeschlossen werden."));
                seiten[i](maler);
            }
        } catch (...) {
            maler.end();
            throw;
        }
        if (!maler.end())
            throw Fehler(QStringLiteral("Der Druck konnte nicht abgeschlossen werden."));
    }
    // The writer reports no failed write, so the file is checked before it takes the name the person chose.
    if (!PdfVollstaendig(datei.inhalt()))
        throw DateiNichtGeschrieben(ziel);
    datei.uebernehmen();
}
