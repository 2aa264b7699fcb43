#include "render/codes.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <zint.h>

#include <algorithm>
#include <memory>

namespace {

// What a message quotes of a content: long ones shortened.
QString Zitat(const QString &inhalt)
{
    constexpr qsizetype Laengstes = 40;
    return QStringLiteral("„%1“").arg(inhalt.size() > Laengstes ? inhalt.left(Laengstes - 1) + u'…' : inhalt);
}

bool NurZiffern(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The check digit of the first twelve digits: weights 1 and 3 from the left.
int Pruefziffer(const QString &ziffern)
{
    int summe = 0;
    for (int i = 0; i < 12; ++i)
        summe += (ziffern[i].unicode() - u'0') * (i % 2 == 0 ? 1 : 3);
    return (10 - summe % 10) % 10;
}

// Why zint would refuse the content, told before it is asked, in our words; empty when it would take it as far as
// we can tell.
QString Vorpruefung(Codeart art, const QString &inhalt)
{
    if (art == Codeart::EAN13) {
        if ((inhalt.size() != 12 && inhalt.size() != 13) || !NurZiffern(inhalt))
            return QStringLiteral("Ein EAN-13-Code besteht aus 12 oder 13 Ziffern; %1 ist keiner.").arg(Zitat(inhalt));
        if (inhalt.size() == 13 && inhalt[12].unicode() - u'0' != Pruefziffer(inhalt))
            return QStringLiteral(
                       "Die letzte Ziffer von %1 ist nicht die Prüfziffer eines EAN-13-Codes; richtig wäre %2.")
                .arg(Zitat(inhalt))
                .arg(Pruefziffer(inhalt));
    }
    if (art == Codeart::Code128)
        for (const QChar c : inhalt)
            if (c.unicode() > 0xFF)
                return QStringLiteral("Ein Code-128-Code kennt nur die Zeichen westeuropäischer Sprachen; %1 enthält "
                                      "„%2“.")
                    .arg(Zitat(inhalt), c);
    return {};
}

int Symbologie(Codeart art)
{
    switch (art) {
    case Codeart::QR:
        return BARCODE_QRCODE;
    case Codeart::DataMatrix:
        return BARCODE_DATAMATRIX;
    case Codeart::EAN13:
        return BARCODE_EANX;
    case Codeart::Code128:
        return BARCODE_CODE128;
    }
    return BARCODE_QRCODE;
}

QFont Schrift(const QString &familie, double pixel, const QPainter &maler)
{
    QFont schrift(familie);
    schrift.setHintingPreference(QFont::PreferNoHinting);
    const int dpi = maler.device() ? maler.device()->logicalDpiY() : 72;
    schrift.setPointSizeF(pixel * 72.0 / dpi);
    return schrift;
}

} // namespace

QString CodeBezeichnung(Codeart art)
{
    switch (art) {
    case Codeart::QR:
        return QStringLiteral("QR-Code");
    case Codeart::DataMatrix:
        return QStringLiteral("DataMatrix-Code");
    case Codeart::EAN13:
        return QStringLiteral("EAN-13-Code");
    case Codeart::Code128:
        return QStringLiteral("Code-128-Code");
    }
    return {};
}

std::variant<Codebild, QString> BaueCode(Codeart art, const QString &inhalt)
{
    if (inhalt.isEmpty())
        return Codebild{};
    if (const QString fehler = Vorpruefung(art, inhalt); !fehler.isEmpty())
        return fehler;
    const std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> symbol(ZBarcode_Create(), ZBarcode_Delete);
    if (!symbol)
        return QStringLiteral("Für den %1 %2 ist nicht genug Speicher frei.").arg(CodeBezeichnung(art), Zitat(inhalt));
    symbol->symbology = Symbologie(art);
    symbol->input_mode = UNICODE_MODE;
    symbol->output_options |= BARCODE_QUIET_ZONES;
    // Letters beyond ASCII as UTF-8, said so in the symbol: without that mark readers guess, and guess wrong.
    const bool ascii = std::all_of(inhalt.begin(), inhalt.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii && (art == Codeart::QR || art == Codeart::DataMatrix))
        symbol->eci = 26;
    // A square fits the fields people draw for it; zint would choose an oblong for some lengths.
    if (art == Codeart::DataMatrix)
        symbol->option_3 = DM_SQUARE;
    const QByteArray utf8 = inhalt.toUtf8();
    const int ergebnis = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char *>(utf8.constData()), int(utf8.size()), 0);
    // Below ZINT_ERROR a warning: the symbol is there (an ECI put in for letters beyond Latin-1, say).
    if (ergebnis >= ZINT_ERROR || !symbol->vector) {
        if (ergebnis == ZINT_ERROR_TOO_LONG)
            return QStringLiteral("%1 ist mit %2 Zeichen zu lang für einen %3.")
                .arg(Zitat(inhalt))
                .arg(inhalt.size())
                .arg(CodeBezeichnung(art));
        return QStringLiteral("%1 lässt sich nicht als %2 darstellen.").arg(Zitat(inhalt), CodeBezeichnung(art));
    }
    Codebild bild;
    bild.breite = symbol->vector->width;
    bild.hoehe = symbol->vector->height;
    bild.schriftart = art == Codeart::EAN13 ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans");
    // Colour 8 is white; everything else zint draws is the foreground.
    for (const zint_vector_rect *r = symbol->vector->rectangles; r; r = r->next)
        if (r->colour != 8)
            bild.balken.append(QRectF(r->x, r->y, r->width, r->height));
    for (const zint_vector_string *s = symbol->vector->strings; s; s = s->next)
        bild.schrift.append({QString::fromUtf8(reinterpret_cast<const char *>(s->text)), s->x, s->y, s->fsize, s->width,
                             s->halign == 1       ? Waagrecht::Links
                                 : s->halign == 2 ? Waagrecht::Rechts
                                                  : Waagrecht::Mitte});
    return bild;
}

void ZeichneCode(QPainter &maler, const Codefeld &code, const Codebild &bild, const QRectF &etikett, double jeMmX,
                 double jeMmY)
{
    if (bild.leer() || bild.breite <= 0 || bild.hoehe <= 0 || jeMmX <= 0 || jeMmY <= 0)
        return;
    const Etikettfeld feld =
        FeldAufEtikett(code.Feld, qRound64(etikett.width() / jeMmX * 100), qRound64(etikett.height() / jeMmY * 100));
    // Millimetres per unit of the symbol, the same across and down: its proportions on paper.
    const double breite = feld.breite / 100.0;
    const double hoehe = feld.hoehe / 100.0;
    const double mass = std::min(breite / bild.breite, hoehe / bild.hoehe);

    maler.save();
    maler.translate(etikett.topLeft());
    maler.scale(jeMmX, jeMmY);
    maler.translate(feld.x / 100.0 + (breite - bild.breite * mass) / 2,
                    feld.y / 100.0 + (hoehe - bild.hoehe * mass) / 2);
    maler.scale(mass, mass);
    maler.setRenderHint(QPainter::Antialiasing, false);
    maler.fillRect(QRectF(0, 0, bild.breite, bild.hoehe), Qt::white);
    // All bars in one call: a PDF then holds them as one fill of many rectangles, not each with a fill of its own.
    maler.setPen(Qt::NoPen);
    maler.setBrush(Qt::black);
    maler.drawRects(bild.balken.constData(), int(bild.balken.size()));
    // The text is set in pixels of a fine grid, so that its font has a size a font engine handles well.
    constexpr double Feinheit = 100;
    maler.setPen(Qt::black);
    for (const Codeschrift &s : bild.schrift) {
        maler.save();
        maler.translate(s.x, s.y);
        maler.scale(1 / Feinheit, 1 / Feinheit);
        maler.setFont(Schrift(bild.schriftart, s.groesse * Feinheit, maler));
        const double lang = QFontMetricsF(maler.font(), maler.device()).horizontalAdvance(s.text);
        if (lang > 0) {
            // Pressed together where it would be wider than zint leaves room for.
            const double gesetzt = s.breite > 0 ? std::min(lang, s.breite * Feinheit) : lang;
            const double links = s.ausrichtung == Waagrecht::Links ? 0
                : s.ausrichtung == Waagrecht::Rechts               ? -gesetzt
                                                                   : -gesetzt / 2;
            maler.scale(gesetzt / lang, 1);
            maler.drawText(QPointF(links * lang / gesetzt, 0), s.text);
        }
        maler.restore();
    }
    maler.restore();
}
