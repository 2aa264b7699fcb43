#pragma once

#include "blatt/blatt.h"
#include "render/ausrichtung.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>

// Printed pages read back with pdfinfo and pdftoppm.

inline bool PdfWerkzeugeDa()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

// A PDF's page count and its first page in colour at `dpi`; no pages and a null picture when it cannot be read.
struct PdfSeite
{
    int seiten = 0;
    QImage bild;
};

inline PdfSeite LiesPdfSeite(const QString &pdf, int dpi)
{
    PdfSeite s;
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    if (!info.waitForFinished(60000) || info.exitCode() != 0)
        return s;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(QString::fromLocal8Bit(info.readAllStandardOutput()));
    s.seiten = m.hasMatch() ? m.captured(1).toInt() : 0;
    const QString ziel = pdf + QStringLiteral("-seite");
    QProcess umwandlung;
    umwandlung.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                      pdf, ziel});
    if (umwandlung.waitForFinished(60000) && umwandlung.exitCode() == 0)
        s.bild = QImage(ziel + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    QFile::remove(ziel + QStringLiteral(".png"));
    return s;
}

// A part of a PDF's page (the first unless told) at `dpi`, and where its corner lies on the page in pixels.
struct PdfAusschnitt
{
    QImage bild; // null when it could not be read
    QPoint ursprung;
    int dpi = 0;
    double mmJePixel() const { return 25.4 / dpi; }
};

// Reads the part `mm` (from the paper's corner, cut to A4); at a fine resolution much quicker than the page.
inline PdfAusschnitt LiesPdf(const QString &pdf, int dpi, const QRectF &mm, int seite = 1)
{
    const double mmJePixel = 25.4 / dpi;
    const QRectF teil = mm.intersected(QRectF(0, 0, A4::BreiteMm, A4::HoeheMm));
    const QRect px(QPoint(int(teil.left() / mmJePixel), int(teil.top() / mmJePixel)),
                   QPoint(int(teil.right() / mmJePixel), int(teil.bottom() / mmJePixel)));
    const QString ziel = pdf + QStringLiteral("-grau");
    QProcess umwandlung;
    umwandlung.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), QStringLiteral("-png"),
                      QStringLiteral("-singlefile"), QStringLiteral("-x"), QString::number(px.x()),
                      QStringLiteral("-y"), QString::number(px.y()), QStringLiteral("-W"), QString::number(px.width()),
                      QStringLiteral("-H"), QString::number(px.height()), QStringLiteral("-f"), QString::number(seite),
                      QStringLiteral("-l"), QString::number(seite), pdf, ziel});
    // A large part at 600 dpi is beyond the reader's default limit.
    QImageReader::setAllocationLimit(std::max(QImageReader::allocationLimit(), 512));
    PdfAusschnitt a{QImage(), px.topLeft(), dpi};
    if (umwandlung.waitForFinished(120000) && umwandlung.exitCode() == 0)
        a.bild = QImage(ziel + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
    QFile::remove(ziel + QStringLiteral(".png"));
    return a;
}

// The smallest rectangle around all dark pixels (below half), in mm from the paper's corner; empty when there are none.
inline QRectF DunklerBereich(const PdfAusschnitt &a)
{
    const QImage &b = a.bild;
    int links = b.width(), oben = b.height(), rechts = -1, unten = -1;
    for (int y = 0; y < b.height(); ++y) {
        const uchar *zeile = b.constScanLine(y);
        for (int x = 0; x < b.width(); ++x)
            if (zeile[x] < 128) {
                links = std::min(links, x);
                rechts = std::max(rechts, x);
                oben = std::min(oben, y);
                unten = std::max(unten, y);
            }
    }
    if (rechts < 0)
        return QRectF();
    return QRectF(QPointF(a.ursprung + QPoint(links, oben)) * a.mmJePixel(),
                  QPointF(a.ursprung + QPoint(rechts + 1, unten + 1)) * a.mmJePixel());
}

// The centres of the dark runs along one line, in mm from the paper's corner, between von and bis (mm). A line
// outside the part read gives {-1}, which matches nothing.
inline QList<double> DunkleMitten(const PdfAusschnitt &a, Qt::Orientation richtung, double lageMm, double vonMm,
                                  double bisMm)
{
    const bool waagrecht = richtung == Qt::Horizontal;
    const int quer = waagrecht ? a.ursprung.y() : a.ursprung.x();
    const int laengs = waagrecht ? a.ursprung.x() : a.ursprung.y();
    const int lage = int(lageMm / a.mmJePixel()) - quer;
    const int von = int(vonMm / a.mmJePixel()) - laengs;
    const int bis = int(bisMm / a.mmJePixel()) - laengs;
    if (a.bild.isNull() || lage < 0 || lage >= (waagrecht ? a.bild.height() : a.bild.width()) || von < 0
        || bis >= (waagrecht ? a.bild.width() : a.bild.height()))
        return {-1.0};
    QList<double> mitten;
    int anfang = -1;
    for (int i = von; i <= bis + 1; ++i) {
        const bool dunkel =
            i <= bis && (waagrecht ? a.bild.constScanLine(lage)[i] : a.bild.constScanLine(i)[lage]) < 128;
        if (dunkel && anfang < 0)
            anfang = i;
        if (!dunkel && anfang >= 0) {
            mitten.append(((anfang + i) / 2.0 + laengs) * a.mmJePixel());
            anfang = -1;
        }
    }
    return mitten;
}

// The centre of a test-page cross meant at k, read across its vertical arm and down its horizontal one, 3 mm
// from the centre; (-1, -1) when the arms are not found there.
inline QPointF Kreuzmitte(const QString &pdf, int dpi, const MmPunkt &k)
{
    const PdfAusschnitt teil = LiesPdf(pdf, dpi, QRectF(k.x - 5, k.y - 5, 10, 10));
    const QList<double> x = DunkleMitten(teil, Qt::Horizontal, k.y + 3, k.x - 4, k.x + 4);
    const QList<double> y = DunkleMitten(teil, Qt::Vertical, k.x + 3, k.y - 4, k.y + 4);
    if (x.size() != 1 || y.size() != 1)
        return QPointF(-1, -1);
    return QPointF(x[0], y[0]);
}

// A picture stored in a PDF, exactly as its stream holds it, and whether a viewer is told to smooth it. A picture
// drawn several times is stored once and counts once.
struct PdfBild
{
    QImage bild;
    bool geglaettet = false;
};

inline QList<PdfBild> BilderAusPdf(const QString &pdf)
{
    QList<PdfBild> bilder;
    QList<qsizetype> nummern; // of each stored picture's first use, as pdfimages numbers its files
    QProcess liste;
    liste.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    if (!liste.waitForFinished(60000) || liste.exitCode() != 0)
        return bilder;
    // page num type width height color comp bpc enc interp object ID ...
    const QStringList zeilen = QString::fromLocal8Bit(liste.readAllStandardOutput()).split(u'\n');
    QStringList objekte;
    for (const QString &zeile : zeilen.mid(2)) {
        const QStringList spalten = zeile.simplified().split(u' ');
        if (spalten.size() <= 11)
            continue;
        const QString objekt = spalten[10] + u' ' + spalten[11];
        if (!objekte.contains(objekt)) {
            objekte.append(objekt);
            nummern.append(spalten[1].toInt());
            bilder.append({QImage(), spalten[9] != QStringLiteral("no")});
        }
    }
    QTemporaryDir ordner;
    QProcess auszug;
    auszug.start(QStringLiteral("pdfimages"), {QStringLiteral("-png"), pdf, ordner.filePath(QStringLiteral("b"))});
    if (!auszug.waitForFinished(60000) || auszug.exitCode() != 0)
        return {};
    for (qsizetype i = 0; i < bilder.size(); ++i)
        bilder[i].bild = QImage(ordner.filePath(QStringLiteral("b-%1.png").arg(nummern[i], 3, 10, QLatin1Char('0'))));
    return bilder;
}

// Empty when both pictures have the same size and colours pixel for pixel, else how they differ.
inline QString Pixelabweichung(const QImage &ist, const QImage &soll)
{
    if (ist.size() != soll.size())
        return QStringLiteral("%1 x %2 Pixel statt %3 x %4")
            .arg(ist.width())
            .arg(ist.height())
            .arg(soll.width())
            .arg(soll.height());
    const QImage a = ist.convertToFormat(QImage::Format_RGB32);
    const QImage b = soll.convertToFormat(QImage::Format_RGB32);
    int anders = 0;
    int groesste = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (p == q)
                continue;
            ++anders;
            groesste = std::max({groesste, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                 std::abs(qBlue(p) - qBlue(q))});
        }
    if (anders == 0)
        return QString();
    return QStringLiteral("%1 von %2 Pixeln anders, um bis zu %3")
        .arg(anders)
        .arg(a.width() * a.height())
        .arg(groesste);
}

// What a page must carry: the label picture itself, or the composed sheet raster, pixel for pixel and unsmoothed.
inline QString PruefeBildImPdf(const QString &pdf, const QImage &gedruckt)
{
    const QList<PdfBild> bilder = BilderAusPdf(pdf);
    if (bilder.size() != 1)
        return QStringLiteral("%1 Bilder im PDF statt einem").arg(bilder.size());
    if (bilder.first().geglaettet)
        return QStringLiteral("das Bild wird geglättet");
    return Pixelabweichung(bilder.first().bild, gedruckt);
}
