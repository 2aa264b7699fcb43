// The sample pictures of the templates: each shows at a glance what its sheet is for.

#include "tools/vorlagen/motive.h"

#include "render/bogenbild.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

using namespace Werkzeug;

namespace {

const QColor Petrol(0x1f, 0x5f, 0x6b);
const QColor Rot(0xb5, 0x44, 0x3a);
const QColor Senf(0xd9, 0xa4, 0x41);
const QColor Dunkel(0x2b, 0x2b, 0x2b);
const QColor Grau(0x6e, 0x74, 0x78);
const QColor Hell(0xee, 0xf3, 0xf4);
const QString Sans = QStringLiteral("DejaVu Sans");
const QString Serif = QStringLiteral("DejaVu Serif");

// Draws in millimetres of the label as the motif was laid out; stretched by a hair where the product differs.
class Leinwand
{
public:
    Leinwand(QSize groesse, QSizeF entwurf)
        : m_bild(NeuesBild(groesse.width(), groesse.height())), m_sx(groesse.width() / entwurf.width()),
          m_sy(groesse.height() / entwurf.height()), m_p(&m_bild)
    {
        m_p.setRenderHint(QPainter::Antialiasing);
        m_p.setRenderHint(QPainter::TextAntialiasing);
    }

    QRectF mm(double x, double y, double b, double h) const { return {x * m_sx, y * m_sy, b * m_sx, h * m_sy}; }
    QPointF punkt(double x, double y) const { return {x * m_sx, y * m_sy}; }
    QPainter &maler() { return m_p; }

    void flaeche(double x, double y, double b, double h, const QColor &farbe) { m_p.fillRect(mm(x, y, b, h), farbe); }

    void rahmen(double x, double y, double b, double h, const QColor &farbe, double strich, double rundung = 0,
                Qt::PenStyle art = Qt::SolidLine)
    {
        QPen stift(farbe, strich * m_sx);
        stift.setStyle(art);
        m_p.save();
        m_p.setPen(stift);
        m_p.setBrush(Qt::NoBrush);
        m_p.drawRoundedRect(mm(x, y, b, h), rundung * m_sx, rundung * m_sx);
        m_p.restore();
    }

    void linie(double x1, double y1, double x2, double y2, const QColor &farbe, double strich)
    {
        m_p.save();
        m_p.setPen(QPen(farbe, strich * m_sx, Qt::SolidLine, Qt::RoundCap));
        m_p.drawLine(punkt(x1, y1), punkt(x2, y2));
        m_p.restore();
    }

    // Text in a box; the font of `groesse` mm shrinks when the text would not fit the box's width.
    void text(double x, double y, double b, double h, int ausrichtung, const QString &inhalt, double groesse,
              const QColor &farbe, bool fett = false, bool kursiv = false, const QString &familie = Sans)
    {
        const QRectF box = mm(x, y, b, h);
        QFont f = PassendeSchrift(familie, groesse * m_sy, fett, inhalt, box.width());
        f.setItalic(kursiv);
        SchreibeText(m_p, box, ausrichtung | Qt::AlignVCenter, inhalt, f, farbe);
    }

    void symbol(double x, double y, double b, double h, const QColor &farbe)
    {
        ZeichneEtikettSymbol(m_p, mm(x, y, b, h), farbe);
    }

    void pfeilNachOben(double x, double y, double b, double h, const QColor &farbe)
    {
        QPolygonF pfeil;
        pfeil << punkt(x + b / 2, y) << punkt(x + b, y + h * 0.45) << punkt(x + b * 0.68, y + h * 0.45)
              << punkt(x + b * 0.68, y + h) << punkt(x + b * 0.32, y + h) << punkt(x + b * 0.32, y + h * 0.45)
              << punkt(x, y + h * 0.45);
        m_p.save();
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(farbe);
        m_p.drawPolygon(pfeil);
        m_p.restore();
    }

    void stern(double mx, double my, double radius, const QColor &farbe)
    {
        QPolygonF zacken;
        for (int i = 0; i < 10; ++i) {
            const double r = (i % 2 == 0) ? radius : radius * 0.45;
            const double winkel = -M_PI / 2 + i * M_PI / 5;
            zacken << punkt(mx + r * std::cos(winkel), my + r * std::sin(winkel));
        }
        m_p.save();
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(farbe);
        m_p.drawPolygon(zacken);
        m_p.restore();
    }

    void kreis(double mx, double my, double radius, const QColor &farbe)
    {
        m_p.save();
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(farbe);
        m_p.drawEllipse(punkt(mx, my), radius * m_sx, radius * m_sy);
        m_p.restore();
    }

    QImage fertig()
    {
        m_p.end();
        return m_bild;
    }

private:
    QImage m_bild;
    double m_sx;
    double m_sy;
    QPainter m_p;
};

constexpr int Links = Qt::AlignLeft;
constexpr int Mitte = Qt::AlignHCenter;
constexpr int Rechts = Qt::AlignRight;

void Paketaufkleber(Leinwand &l)
{
    l.rahmen(4, 4, 202, 140, Dunkel, 0.8, 3);
    l.flaeche(4.4, 4.4, 201.2, 18, Petrol);
    l.text(10, 5, 90, 16, Links, QStringLiteral("PAKET"), 12, Qt::white, true);
    l.text(100, 5, 100, 16, Rechts, QStringLiteral("Bitte nicht werfen"), 6, Qt::white);

    l.text(10, 27, 60, 6, Links, QStringLiteral("Absender"), 4, Grau, true);
    l.text(10, 33, 60, 6, Links, QStringLiteral("Erika Beispiel"), 4.5, Dunkel);
    l.text(10, 39, 60, 6, Links, QStringLiteral("Musterstraße 1"), 4.5, Dunkel);
    l.text(10, 45, 60, 6, Links, QStringLiteral("12345 Musterstadt"), 4.5, Dunkel);

    l.flaeche(72, 54, 126, 66, Hell);
    l.text(78, 57, 110, 8, Links, QStringLiteral("Empfänger"), 4.5, Grau, true);
    l.text(78, 67, 116, 14, Links, QStringLiteral("Max Mustermann"), 11, Dunkel, true);
    l.text(78, 83, 116, 12, Links, QStringLiteral("Beispielweg 23"), 9, Dunkel);
    l.text(78, 97, 116, 12, Links, QStringLiteral("54321 Beispielstadt"), 9, Dunkel, true);

    l.pfeilNachOben(12, 62, 14, 30, Rot);
    l.pfeilNachOben(32, 62, 14, 30, Rot);
    l.text(8, 94, 44, 10, Mitte, QStringLiteral("OBEN"), 7, Rot, true);

    l.text(10, 128, 100, 8, Links, QStringLiteral("Gewicht: ______ kg"), 4.5, Grau);
    l.text(110, 128, 88, 8, Rechts, QStringLiteral("Vorsicht, Glas!"), 5, Rot, true);
}

void Aushang(Leinwand &l)
{
    l.rahmen(8, 8, 194, 281, Senf, 1.6, 4);
    l.rahmen(12, 12, 186, 273, Senf, 0.5, 3);
    l.text(25, 32, 160, 34, Mitte, QStringLiteral("Hofflohmarkt"), 26, Petrol, true);
    l.symbol(55, 78, 30, 20, Rot);
    l.symbol(90, 78, 30, 20, Senf);
    l.symbol(125, 78, 30, 20, Petrol);
    l.text(15, 118, 180, 18, Mitte, QStringLiteral("Samstag, 12. September"), 12, Dunkel, true);
    l.text(15, 138, 180, 18, Mitte, QStringLiteral("10 bis 16 Uhr"), 12, Dunkel, true);
    l.linie(75, 164, 135, 164, Senf, 1.2);
    l.text(15, 172, 180, 14, Mitte, QStringLiteral("im Hof der Musterstraße 1"), 9, Dunkel);
    l.text(15, 186, 180, 14, Mitte, QStringLiteral("12345 Musterstadt"), 9, Dunkel);
    l.text(15, 210, 180, 12, Mitte, QStringLiteral("Bücher · Spielzeug · Geschirr · Kleidung"), 7, Grau);
    l.text(15, 236, 180, 14, Mitte, QStringLiteral("Alle Nachbarn sind herzlich eingeladen!"), 8.5, Rot, false, true);
    l.text(15, 262, 180, 10, Mitte, QStringLiteral("Bei Regen im Gemeinschaftsraum."), 6, Grau);
}

void Umzugskarton(Leinwand &l)
{
    l.rahmen(3, 3, 99, 142, Dunkel, 0.6, 2);
    l.flaeche(3.3, 3.3, 98.4, 22, Rot);
    l.text(5, 4, 95, 20, Mitte, QStringLiteral("UMZUG"), 13, Qt::white, true);

    l.text(9, 31, 50, 10, Links, QStringLiteral("Karton Nr."), 6, Grau, true);
    l.text(55, 28, 41, 26, Rechts, QStringLiteral("7"), 24, Dunkel, true);

    const struct
    {
        const char *feld;
        const char *eintrag;
        double y;
    } zeilen[] = {
        {"Inhalt:", "Bücher, Ordner", 60},
        {"Raum:", "Arbeitszimmer", 78},
        {"Etage:", "2. OG links", 96},
    };
    for (const auto &z : zeilen) {
        l.text(9, z.y, 30, 8, Links, QString::fromUtf8(z.feld), 4.5, Grau, true);
        l.text(9, z.y + 7, 87, 9, Links, QString::fromUtf8(z.eintrag), 6.5, Dunkel, false, true);
        l.linie(9, z.y + 16.5, 96, z.y + 16.5, Grau, 0.3);
    }

    l.rahmen(9, 122, 7, 7, Dunkel, 0.5);
    l.linie(10.2, 123.2, 14.8, 127.8, Rot, 0.8);
    l.linie(14.8, 123.2, 10.2, 127.8, Rot, 0.8);
    l.text(19, 121, 45, 9, Links, QStringLiteral("zerbrechlich"), 5, Dunkel);
    l.pfeilNachOben(72, 114, 9, 20, Rot);
    l.pfeilNachOben(84, 114, 9, 20, Rot);
    l.text(68, 135, 30, 7, Mitte, QStringLiteral("OBEN"), 4.5, Rot, true);
}

void Umschlag(Leinwand &l)
{
    l.text(8, 8, 60, 6, Links, QStringLiteral("Absender"), 3.6, Grau, true);
    l.text(8, 14, 60, 6, Links, QStringLiteral("Erika Beispiel"), 4, Dunkel);
    l.text(8, 20, 60, 6, Links, QStringLiteral("Musterstraße 1"), 4, Dunkel);
    l.text(8, 26, 60, 6, Links, QStringLiteral("12345 Musterstadt"), 4, Dunkel);
    l.symbol(8, 76, 18, 12, Petrol);
    l.linie(75, 8, 75, 90, Hell, 0.8);

    l.rahmen(170, 8, 31, 36, Grau, 0.4, 0, Qt::DashLine);
    l.text(171, 17, 29, 8, Mitte, QStringLiteral("Bitte"), 3.5, Grau);
    l.text(171, 24, 29, 8, Mitte, QStringLiteral("frankieren"), 3.5, Grau);

    l.text(88, 50, 110, 12, Links, QStringLiteral("Max Mustermann"), 8.5, Dunkel, true);
    l.text(88, 63, 110, 10, Links, QStringLiteral("Beispielweg 23"), 7, Dunkel);
    l.text(88, 74, 110, 10, Links, QStringLiteral("54321 Beispielstadt"), 7, Dunkel, true);
}

void Regal(Leinwand &l)
{
    l.flaeche(0, 0, 30, 24, Petrol);
    l.text(0, 2, 30, 19, Mitte, QStringLiteral("A 3"), 10, Qt::white, true);
    l.text(35, 2, 110, 11, Links, QStringLiteral("Schrauben und Dübel"), 7.5, Dunkel, true);
    l.text(35, 13, 110, 7, Links, QStringLiteral("Regal A · Fach 3 · 4 bis 8 mm"), 4.2, Grau);
    l.text(140, 3, 46, 6, Rechts, QStringLiteral("Bestand"), 3.2, Grau);
    l.text(140, 9, 46, 9, Rechts, QStringLiteral("ca. 500 Stück"), 5, Dunkel, true);
    l.flaeche(30, 22.3, 160, 1.7, Senf);
}

void Versand(Leinwand &l)
{
    l.flaeche(0, 0, 105, 12, Petrol);
    l.text(5, 1, 70, 10, Links, QStringLiteral("Versandetikett"), 6, Qt::white, true);
    l.symbol(87, 3, 13, 7, Qt::white);
    l.text(5, 13.5, 95, 5, Links, QStringLiteral("Abs.: Erika Beispiel · Musterstraße 1 · 12345 Musterstadt"), 3, Grau);
    l.linie(5, 19.5, 100, 19.5, Hell, 0.5);
    l.text(5, 22, 20, 6, Links, QStringLiteral("An"), 4, Grau, true);
    l.text(5, 28, 95, 10, Links, QStringLiteral("Max Mustermann"), 7, Dunkel, true);
    l.text(5, 38, 95, 8, Links, QStringLiteral("Beispielweg 23"), 6, Dunkel);
    l.text(5, 46, 95, 8, Links, QStringLiteral("54321 Beispielstadt"), 6, Dunkel, true);

    // A plain bar pattern as a reminder of where the parcel service's code goes.
    const int breiten[] = {2, 1, 1, 3, 1, 2, 2, 1, 3, 1, 1, 2, 1, 3, 2, 1, 1, 2, 3, 1, 2, 1};
    double x = 5;
    for (int i = 0; i < int(std::size(breiten)); ++i) {
        if (i % 2 == 0)
            l.flaeche(x, 58, breiten[i] * 0.45, 10, Dunkel);
        x += breiten[i] * 0.45 + 0.45;
    }
    l.text(x + 3, 60, 100 - x - 3, 6, Rechts, QStringLiteral("Sendung 0000 1234 5678"), 3.2, Grau);
}

void Ordnerruecken(Leinwand &l)
{
    l.flaeche(0, 0, 40, 57, Petrol);
    l.text(0, 18, 40, 20, Mitte, QStringLiteral("2026"), 12, Qt::white, true);
    l.text(47, 6, 140, 20, Links, QStringLiteral("Rechnungen"), 15, Dunkel, true);
    l.flaeche(47, 28, 60, 1.4, Senf);
    l.text(47, 31, 140, 11, Links, QStringLiteral("Januar bis Juni"), 7.5, Grau);
    l.text(47, 45, 140, 7, Links, QStringLiteral("Erika Beispiel · Ordner 1"), 4.5, Dunkel);
}

void Visitenkarte(Leinwand &l)
{
    l.flaeche(0, 0, 85, 4, Petrol);
    l.text(4, 10, 77, 9, Mitte, QStringLiteral("Max Mustermann"), 5.8, Dunkel, true);
    l.text(4, 19, 77, 6, Mitte, QStringLiteral("Fotograf"), 3.4, Grau, false, true);
    l.linie(36, 28, 49, 28, Senf, 0.6);
    l.text(4, 31, 77, 5, Mitte, QStringLiteral("Beispielweg 23 · 54321 Beispielstadt"), 2.8, Dunkel);
    l.text(4, 36, 77, 5, Mitte, QStringLiteral("Tel. 0123 987654"), 2.8, Dunkel);
    l.text(4, 41, 77, 5, Mitte, QStringLiteral("max@beispiel.example"), 2.8, Dunkel);
    l.flaeche(0, 50, 85, 4, Petrol);
}

void Adresse(Leinwand &l)
{
    l.text(3, 2, 58, 4, Links, QStringLiteral("Abs.: E. Beispiel · Musterstraße 1 · 12345 Musterstadt"), 2.2, Grau);
    l.linie(3, 6.5, 61, 6.5, Grau, 0.2);
    l.text(4, 9, 56, 4, Links, QStringLiteral("Herrn"), 3, Dunkel);
    l.text(4, 13, 56, 6, Links, QStringLiteral("Max Mustermann"), 4.3, Dunkel, true);
    l.text(4, 19, 56, 6, Links, QStringLiteral("Beispielweg 23"), 4, Dunkel);
    l.text(4, 25, 56, 6, Links, QStringLiteral("54321 Beispielstadt"), 4, Dunkel, true);
    l.symbol(53, 31.5, 8, 4.5, Petrol);
}

void Namensschild(Leinwand &l)
{
    l.flaeche(0, 0, 70, 11, Rot);
    l.text(0, 0.5, 70, 6.5, Mitte, QStringLiteral("HALLO"), 5.5, Qt::white, true);
    l.text(0, 6.5, 70, 4, Mitte, QStringLiteral("ich heiße"), 3, Qt::white);
    l.text(3, 12, 64, 16, Mitte, QStringLiteral("Erika"), 11, Dunkel, true);
    l.linie(20, 29.5, 50, 29.5, Senf, 0.6);
    l.text(2, 30.5, 66, 4.5, Mitte, QStringLiteral("Sommerfest Musterstadt"), 2.8, Grau);
}

void Marmelade(Leinwand &l)
{
    l.rahmen(1, 1, 46, 23, Rot, 0.5, 2);
    l.rahmen(1.9, 1.9, 44.2, 21.2, Rot, 0.2, 1.5);
    l.text(3, 3, 42, 7, Mitte, QStringLiteral("Erdbeer-Konfitüre"), 4.4, Rot, true, false, Serif);
    l.text(3, 10, 42, 4.5, Mitte, QStringLiteral("hausgemacht"), 3, Dunkel, false, true, Serif);
    l.kreis(19, 15.8, 0.45, Senf);
    l.kreis(24, 15.8, 0.45, Senf);
    l.kreis(29, 15.8, 0.45, Senf);
    l.text(3, 17, 42, 4.5, Mitte, QStringLiteral("abgefüllt im Juni 2026"), 2.5, Grau, false, false, Serif);
}

void Namensaufkleber(Leinwand &l)
{
    l.rahmen(0.8, 0.8, 50.4, 19.4, Petrol, 0.5, 2.5);
    l.kreis(9.5, 10.5, 6.5, Hell);
    l.stern(9.5, 10.7, 5, Senf);
    l.text(19, 2.5, 31, 4, Links, QStringLiteral("Eigentum von"), 2.6, Grau);
    l.text(19, 6.5, 31, 7, Links, QStringLiteral("Lena Beispiel"), 4.6, Petrol, true);
    l.text(19, 13.3, 31, 4.5, Links, QStringLiteral("Klasse 3b"), 3, Dunkel);
}

void Absender(Leinwand &l)
{
    QPolygonF haus;
    haus << l.punkt(2, 7.5) << l.punkt(6.5, 3) << l.punkt(11, 7.5) << l.punkt(10, 7.5) << l.punkt(10, 13)
         << l.punkt(3, 13) << l.punkt(3, 7.5);
    l.maler().save();
    l.maler().setPen(Qt::NoPen);
    l.maler().setBrush(Petrol);
    l.maler().drawPolygon(haus);
    l.maler().restore();
    l.flaeche(5.5, 9.5, 2, 3.5, Qt::white);
    l.text(13, 1.5, 34, 4.8, Links, QStringLiteral("Erika Beispiel"), 3.3, Dunkel, true);
    l.text(13, 6.3, 34, 4.3, Links, QStringLiteral("Musterstraße 1"), 2.8, Dunkel);
    l.text(13, 10.6, 34, 4.3, Links, QStringLiteral("12345 Musterstadt"), 2.8, Dunkel);
}

void Preis(Leinwand &l)
{
    l.flaeche(0, 0, 38, 6, Rot);
    l.text(0, 0.3, 38, 5.4, Mitte, QStringLiteral("ANGEBOT"), 3.4, Qt::white, true);
    l.text(1, 6.5, 36, 9, Mitte, QStringLiteral("2,50 €"), 7.5, Dunkel, true);
    l.text(1, 15.8, 36, 4, Mitte, QStringLiteral("Art.-Nr. 1234 · je Stück"), 2.3, Grau);
}

} // namespace

QImage ZeichneVorlage(const Vorlage &v)
{
    Leinwand l(Bildgroesse(v), v.entwurf);
    switch (v.motiv) {
    case Motiv::Paketaufkleber:
        Paketaufkleber(l);
        break;
    case Motiv::Aushang:
        Aushang(l);
        break;
    case Motiv::Umzugskarton:
        Umzugskarton(l);
        break;
    case Motiv::Umschlag:
        Umschlag(l);
        break;
    case Motiv::Regal:
        Regal(l);
        break;
    case Motiv::Versand:
        Versand(l);
        break;
    case Motiv::Ordnerruecken:
        Ordnerruecken(l);
        break;
    case Motiv::Visitenkarte:
        Visitenkarte(l);
        break;
    case Motiv::Adresse:
        Adresse(l);
        break;
    case Motiv::Namensschild:
        Namensschild(l);
        break;
    case Motiv::Marmelade:
        Marmelade(l);
        break;
    case Motiv::Namensaufkleber:
        Namensaufkleber(l);
        break;
    case Motiv::Absender:
        Absender(l);
        break;
    case Motiv::Preis:
        Preis(l);
        break;
    }
    QImage bild = l.fertig();
    bild.setDotsPerMeterX(qRound(EtikettDpi / 0.0254));
    bild.setDotsPerMeterY(bild.dotsPerMeterX());
    return bild;
}
