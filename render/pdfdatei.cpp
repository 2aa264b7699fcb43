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

void MaleSeiten(QPagedPaintDevice &geraet, const QList<Seitenmaler> &seiten, const Fehler &beginntNicht,
                const std::function<void()> &abbrechen)
{
    QPainter maler;
    if (!maler.begin(&geraet))
        throw beginntNicht;
    try {
        for (qsizetype i = 0; i < seiten.size(); ++i) {
            if (i > 0 && !geraet.newPage())
                throw Fehler(QStringLiteral("Der Druck konnte nicht abgeschlossen werden."));
            seiten[i](maler);
        }
    } catch (...) {
        if (abbrechen)
            abbrechen();
        maler.end();
        throw;
    }
    if (!maler.end())
        throw Fehler(QStringLiteral("Der Druck konnte nicht abgeschlossen werden."));
}

void SchreibePdf(const QString &ziel, const QString &titel, const Seitenmaler &zeichne)
{
    SchreibePdf(ziel, titel, QList<Seitenmaler>{zeichne});
}

void SchreibePdf(const QString &ziel, const QString &titel, const QList<Seitenmaler> &seiten)
{
    Zieldatei datei(ziel);
    {
        // Closed when it goes, before its bytes are checked.
        QPdfWriter pdf(datei.entwurf());
        pdf.setResolution(PdfDpi);
        pdf.setTitle(titel);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
        MaleSeiten(pdf, seiten, DateiNichtGeschrieben(ziel));
    }
    // The writer reports no failed write, so the file is checked before it takes the name the person chose.
    if (!PdfVollstaendig(datei.inhalt()))
        throw DateiNichtGeschrieben(ziel);
    datei.uebernehmen();
}
