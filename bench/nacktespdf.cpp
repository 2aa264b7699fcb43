// The yardstick of bench/pdf: a bare Qt program that draws one picture onto a sheet of labels placed in millimetres
// into an A4 PDF file with QPdfWriter, as morvane-druck --pdf --seite does for a precise label, and nothing else.
//   nacktes_pdf BILD.bmp PDF OBERERRAND SEITENRAND VERTIKALABSTAND HORIZONTALABSTAND HOEHE BREITE SPALTEN ZEILEN
// (the lengths in millimetres)
#include <QCoreApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 11)
        return 1;
    double mm[6];
    for (int i = 0; i < 6; ++i)
        mm[i] = QByteArray(argv[3 + i]).toDouble();
    const int spalten = atoi(argv[9]);
    const int zeilen = atoi(argv[10]);
    const QImage bild(QString::fromLocal8Bit(argv[1]));
    if (bild.isNull())
        return 2;
    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setResolution(1200);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter maler(&pdf);
    maler.setRenderHint(QPainter::LosslessImageRendering);
    const double jeMm = 1200 / 25.4;
    for (int i = 0; i < zeilen; ++i)
        for (int k = 0; k < spalten; ++k)
            maler.drawImage(QRectF((mm[1] + k * mm[3]) * jeMm, (mm[0] + i * mm[2]) * jeMm, mm[5] * jeMm, mm[4] * jeMm),
                            bild);
    return maler.end() ? 0 : 3;
}
