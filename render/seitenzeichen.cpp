#include "render/seitenzeichen.h"

#include "blatt/bogenplan.h"

#include <QPainter>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <utility>

namespace {

// Outlines, numbers and foot line in one mid grey, as thin as the stock's own die cut.
const QColor Probedruckgrau(128, 128, 128);
constexpr double RahmenBreite = 0.1;
constexpr double MarkenBreite = 0.1;
constexpr double NummerHoehe = 2.0;
constexpr double FussHoehe = 2.5;
// The foot line's baseline from the paper's top: inside what most printers print, and the back's a line higher.
constexpr double FussVorne = 291.0;
constexpr double FussHinten = 287.0;
// Two edges closer than this are one cut.
constexpr double GleicheKante = 0.005;

// The line font: capitals 7 units high on a baseline at y = 7, y downwards; x-height 5, descenders to 9. Each glyph
// is its advance and its strokes: M x y and L x y a polyline, O cx cy rx ry from sweep an arc that begins a stroke,
// A the same continuing it (angles in degrees, counter-clockwise as the eye sees them).
struct Glyphe
{
    char16_t zeichen;
    double vorschub;
    const char *striche;
};

constexpr Glyphe Glyphen[] = {
    {u' ', 3.0, ""},
    {u'\u2013', 5.5, "M 0 4.5 L 4 4.5"},
    {u':', 2.0, "M 0 2.4 L 0 2.6 M 0 6.8 L 0 7"},
    {u'0', 5.5, "O 2 3.5 2 3.5 0 360"},
    {u'1', 5.5, "M 1 1.5 L 2.5 0 L 2.5 7"},
    {u'2', 5.5, "O 2 2 2 2 160 -200 L 0 7 L 4 7"},
    {u'3', 5.5, "O 2 1.75 2 1.75 150 -240 A 2 5.25 2 1.75 90 -240"},
    {u'4', 5.5, "M 3 7 L 3 0 L 0 5 L 4 5"},
    {u'5', 5.5, "M 4 0 L 0.3 0 L 0 3.3 A 2 4.9 2 2.1 140 -250"},
    {u'6', 5.5, "O 4 4.75 4 4.75 100 80 O 2 4.75 2 2.25 0 360"},
    {u'7', 5.5, "M 0 0 L 4 0 L 1.2 7"},
    {u'8', 5.5, "O 2 1.7 1.7 1.7 0 360 O 2 5.2 2 1.8 0 360"},
    {u'9', 5.5, "O 2 2.25 2 2.25 0 360 O 0 2.25 4 4.75 0 -80"},
    {u'E', 5.5, "M 4 0 L 0 0 L 0 7 L 4 7 M 0 3.5 L 3 3.5"},
    {u'L', 5.0, "M 0 0 L 0 7 L 4 7"},
    {u'P', 6.0, "M 0 7 L 0 0 L 2.5 0 A 2.5 2 2 2 90 -180 L 0 4"},
    {u'R', 6.0, "M 0 7 L 0 0 L 2.5 0 A 2.5 2 2 2 90 -180 L 0 4 M 2.5 4 L 4.5 7"},
    {u'a', 5.5, "O 2 4.5 2 2.5 0 360 M 4 2 L 4 7"},
    {u'b', 5.5, "M 0 0 L 0 7 O 2 4.5 2 2.5 0 360"},
    {u'c', 5.0, "O 2 4.5 2 2.5 45 270"},
    {u'd', 5.5, "M 4 0 L 4 7 O 2 4.5 2 2.5 0 360"},
    {u'e', 5.5, "M 0 4.5 L 4 4.5 A 2 4.5 2 2.5 0 315"},
    {u'f', 4.0, "M 1 7 L 1 1.5 A 2.5 1.5 1.5 1.5 180 -135 M 0 2 L 3 2"},
    {u'g', 5.5, "O 2 4.5 2 2.5 0 360 M 4 2 L 4 8 A 2 8 2 1 0 -180"},
    {u'h', 5.5, "M 0 0 L 0 7 M 0 4 A 2 4 2 2 180 -180 L 4 7"},
    {u'i', 1.5, "M 0 0.5 L 0 0.7 M 0 2 L 0 7"},
    {u'j', 3.0, "M 1.5 0.5 L 1.5 0.7 M 1.5 2 L 1.5 8 A 0.5 8 1 1 0 -150"},
    {u'k', 5.0, "M 0 0 L 0 7 M 3.5 2 L 0 5 M 1.2 4 L 3.8 7"},
    {u'l', 1.5, "M 0 0 L 0 7"},
    {u'm', 7.5, "M 0 2 L 0 7 M 0 4 A 1.5 4 1.5 2 180 -180 L 3 7 M 3 4 A 4.5 4 1.5 2 180 -180 L 6 7"},
    {u'n', 5.5, "M 0 2 L 0 7 M 0 4 A 2 4 2 2 180 -180 L 4 7"},
    {u'o', 5.5, "O 2 4.5 2 2.5 0 360"},
    {u'r', 3.5, "M 0 2 L 0 7 M 0 4.5 A 2 4.5 2 2.5 180 -120"},
    {u's', 5.0, "O 1.8 3.25 1.8 1.25 30 240 A 1.8 5.75 1.8 1.25 90 -240"},
    {u't', 4.0, "M 1 0.5 L 1 6 A 2.5 6 1.5 1 180 90 M 0 2 L 3 2"},
    {u'u', 5.5, "M 0 2 L 0 5 A 2 5 2 2 180 180 M 4 2 L 4 7"},
    {u'\u00FC', 5.5, "M 1 0.5 L 1 0.7 M 3 0.5 L 3 0.7 M 0 2 L 0 5 A 2 5 2 2 180 180 M 4 2 L 4 7"},
    {u'z', 5.0, "M 0 2 L 4 2 L 0 7 L 4 7"},
};
constexpr double GlyphenHoehe = 7.0;

const Glyphe *GlypheFuer(QChar c)
{
    for (const Glyphe &g : Glyphen)
        if (g.zeichen == c.unicode())
            return &g;
    return nullptr;
}

QPainterPath Umriss(const Glyphe &g)
{
    QPainterPath pfad;
    const QStringList t = QString::fromLatin1(g.striche).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < t.size();) {
        const auto zahl = [&](qsizetype k) { return t.value(i + k).toDouble(); };
        const QChar art = t[i].front();
        if (art == QLatin1Char('M') || art == QLatin1Char('L')) {
            if (art == QLatin1Char('M'))
                pfad.moveTo(zahl(1), zahl(2));
            else
                pfad.lineTo(zahl(1), zahl(2));
            i += 3;
            continue;
        }
        const QRectF ellipse(zahl(1) - zahl(3), zahl(2) - zahl(4), 2 * zahl(3), 2 * zahl(4));
        if (art == QLatin1Char('O'))
            pfad.arcMoveTo(ellipse, zahl(5));
        pfad.arcTo(ellipse, zahl(5), zahl(6));
        i += 7;
    }
    return pfad;
}

double Vorschub(QChar c)
{
    const Glyphe *g = GlypheFuer(c);
    return g ? g->vorschub : Glyphen[0].vorschub;
}

QRectF AlsRechteck(const MmRechteck &r)
{
    return QRectF(r.x, r.y, r.breite, r.hoehe);
}

} // namespace

QList<QLineF> Schnittmarken(const QList<QRectF> &etiketten, const QList<QRectF> &leer, double abstand,
                            const QRectF &papier)
{
    QList<QRectF> gesperrt;
    for (const QList<QRectF> *liste : {&etiketten, &leer})
        for (const QRectF &r : *liste)
            gesperrt.append(r.normalized().adjusted(-abstand, -abstand, abstand, abstand));
    QList<QLineF> marken;
    for (const bool senkrecht : {true, false}) {
        // A vertical cut at x runs along y, a horizontal one at y along x.
        const auto quer = [senkrecht](const QRectF &r) {
            return senkrecht ? std::pair(r.left(), r.right()) : std::pair(r.top(), r.bottom());
        };
        const auto laengs = [senkrecht](const QRectF &r) {
            return senkrecht ? std::pair(r.top(), r.bottom()) : std::pair(r.left(), r.right());
        };
        QList<double> schnitte;
        for (const QRectF &r : etiketten) {
            const auto [von, bis] = quer(r.normalized());
            schnitte << von << bis;
        }
        std::sort(schnitte.begin(), schnitte.end());
        schnitte.erase(
            std::unique(schnitte.begin(), schnitte.end(), [](double a, double b) { return b - a < GleicheKante; }),
            schnitte.end());
        const auto [papierVon, papierBis] = quer(papier);
        const auto [anfang, ende] = laengs(papier);
        for (const double lage : schnitte) {
            if (lage < papierVon || lage > papierBis)
                continue;
            QList<std::pair<double, double>> belegt;
            for (const QRectF &g : gesperrt)
                if (const auto [von, bis] = quer(g); von <= lage && lage <= bis)
                    belegt.append(laengs(g));
            std::sort(belegt.begin(), belegt.end());
            const auto marke = [&](double von, double bis) {
                if (bis - von >= KuerzesteSchnittmarke)
                    marken.append(senkrecht ? QLineF(lage, von, lage, bis) : QLineF(von, lage, bis, lage));
            };
            double frei = anfang;
            bool davor = false;
            for (const auto &[von, bis] : belegt) {
                const double grenze = std::min(von, ende);
                if (grenze > frei) {
                    if (!davor) {
                        marke(std::max(frei, grenze - SchnittmarkenLaenge), grenze);
                    } else {
                        const double mitte = (frei + grenze) / 2;
                        const double halb = std::min(SchnittmarkenLaenge, grenze - frei) / 2;
                        marke(mitte - halb, mitte + halb);
                    }
                }
                frei = std::max(frei, bis);
                davor = true;
            }
            if (davor && frei < ende)
                marke(frei, std::min(ende, frei + SchnittmarkenLaenge));
        }
    }
    return marken;
}

Strich Schnittmarkenstrich(const QList<QLineF> &marken)
{
    QPainterPath pfad;
    for (const QLineF &m : marken) {
        pfad.moveTo(m.p1());
        pfad.lineTo(m.p2());
    }
    return {pfad, MarkenBreite, Qt::black};
}

QList<GedrucktesEtikett> PlaetzeDesBogens(const Bogenmasse &m)
{
    // Pitches are at least 1 mm: no more than a few thousand places begin on the paper, whatever the counts.
    QList<GedrucktesEtikett> plaetze;
    for (int zeile = 1; zeile <= m.AnzahlEtikettenInSpalte && EtikettAufDemBlatt(m, 1, zeile).y < A4::HoeheMm; ++zeile)
        for (int spalte = 1;
             spalte <= m.AnzahlEtikettenInZeile && EtikettAufDemBlatt(m, spalte, zeile).x < A4::BreiteMm; ++spalte)
            plaetze.append({spalte, zeile, EtikettAufDemBlatt(m, spalte, zeile)});
    return plaetze;
}

QString ProbedruckFusszeile(Blattseite seite)
{
    return seite == Blattseite::Vorderseite
        ? QStringLiteral("Probedruck – auf den Etikettenbogen legen und gegen das Licht halten")
        : QStringLiteral("Probedruck der Rückseite – gegen das Licht halten: jeder Rahmen liegt hinter seinem Platz");
}

QList<Strich> Probedruckzeichen(const Bogenmasse &m, Blattseite seite, Wendekante kante)
{
    const bool hinten = seite == Blattseite::Rueckseite;
    const MmRechteck groesse = EtikettAufDemBlatt(m, 1, 1);
    // Small labels get small numbers, which stay inside them.
    const double hoehe = std::min(NummerHoehe, std::min(groesse.breite, groesse.hoehe) / 4);
    QPainterPath rahmen;
    QPainterPath nummern;
    for (const GedrucktesEtikett &platz : PlaetzeDesBogens(m)) {
        const QRectF r = AlsRechteck(hinten ? AufDerRueckseite(platz.ort, kante) : platz.ort);
        rahmen.addRect(r);
        const QString nummer = QString::number(Platznummer(m, {platz.spalte, platz.zeile}));
        nummern.addPath(Schriftzug(nummer, r.topLeft() + QPointF(hoehe / 2, hoehe * 1.5), hoehe));
    }
    const QString fuss = ProbedruckFusszeile(seite);
    const QPointF fussOrt((A4::BreiteMm - Schriftbreite(fuss, FussHoehe)) / 2, hinten ? FussHinten : FussVorne);
    return {{rahmen, RahmenBreite, Probedruckgrau},
            {nummern, hoehe / 10, Probedruckgrau, true},
            {Schriftzug(fuss, fussOrt, FussHoehe), FussHoehe / 10, Probedruckgrau, true}};
}

QPainterPath Schriftzug(const QString &text, QPointF ort, double hoehe)
{
    const double einheit = hoehe / GlyphenHoehe;
    QPainterPath pfad;
    double x = ort.x();
    for (const QChar c : text) {
        if (const Glyphe *g = GlypheFuer(c))
            pfad.addPath(QTransform(einheit, 0, 0, einheit, x, ort.y() - hoehe).map(Umriss(*g)));
        x += Vorschub(c) * einheit;
    }
    return pfad;
}

double Schriftbreite(const QString &text, double hoehe)
{
    double breite = 0;
    for (const QChar c : text)
        breite += Vorschub(c);
    return breite * hoehe / GlyphenHoehe;
}

QList<Strich> AufDemGeraet(const QList<Strich> &striche, const Druckflaeche &flaeche)
{
    const double jeMmX = flaeche.dpiX / double(MmProZoll);
    const double jeMmY = flaeche.dpiY / double(MmProZoll);
    const Druckerkorrektur &k = flaeche.korrektur;
    // As Korrigiert: p x Massstab + Versatz, then into device pixels from the printable area's corner.
    const QTransform t(k.massstabX * jeMmX, 0, 0, k.massstabY * jeMmY, k.versatzXMm * jeMmX - flaeche.versatz.x(),
                       k.versatzYMm * jeMmY - flaeche.versatz.y());
    QList<Strich> geraet;
    for (const Strich &s : striche)
        geraet.append({t.map(s.pfad), s.breite * (jeMmX + jeMmY) / 2, s.farbe, s.rund});
    return geraet;
}

QImage MitStrichen(QImage seite, const QList<Strich> &striche)
{
    if (seite.isNull() || striche.isEmpty())
        return seite;
    const double jeMm = seite.width() / double(A4::BreiteMm);
    QList<Strich> bild;
    for (const Strich &s : striche)
        bild.append({QTransform::fromScale(jeMm, jeMm).map(s.pfad), std::max(1.0, s.breite * jeMm), s.farbe, s.rund});
    if (seite.format() != QImage::Format_RGB32 && seite.format() != QImage::Format_ARGB32)
        seite = seite.convertToFormat(QImage::Format_RGB32);
    QPainter maler(&seite);
    ZeichneStriche(maler, bild);
    return seite;
}

void ZeichneStriche(QPainter &maler, const QList<Strich> &striche)
{
    if (striche.isEmpty())
        return;
    maler.save();
    maler.setRenderHint(QPainter::Antialiasing, false);
    maler.setBrush(Qt::NoBrush);
    for (const Strich &s : striche) {
        maler.setPen(QPen(s.farbe, s.breite, Qt::SolidLine, s.rund ? Qt::RoundCap : Qt::FlatCap,
                          s.rund ? Qt::RoundJoin : Qt::MiterJoin));
        maler.drawPath(s.pfad);
    }
    maler.restore();
}
