#include "render/bildeinpassung.h"

#include "platform/fehler.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double HundertstelProZoll = 2540.0;
// Scaled pictures wider than this are only ever shown in part; their size stays within int.
constexpr double GroessteSkalierung = 1 << 30;

qint64 Breite(const Bogenmasse &m)
{
    return m.Hundertstel(&Bogenmasse::Etikettenbreite);
}

qint64 Hoehe(const Bogenmasse &m)
{
    return m.Hundertstel(&Bogenmasse::Etikettenhoehe);
}

int Pixel(qint64 hundertstel, int dpi)
{
    return std::max(1, int(std::lround(double(hundertstel) * dpi / HundertstelProZoll)));
}

int Gerundet(double v)
{
    return int(std::lround(std::clamp(v, 1.0, GroessteSkalierung)));
}

bool InDenGrenzen(QSize s)
{
    return s.width() <= GroessteBildseite && s.height() <= GroessteBildseite
        && qint64(s.width()) * s.height() <= MeisteBildpunkte;
}

QImage::Format Arbeitsformat(const QImage &bild)
{
    return bild.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

// `bild` drawn into a white picture of size `ziel` as `e` places it.
QImage Zeichne(const Fremdbild &bild, QSize ziel, Einpassung e)
{
    const Bildplatz platz = Platziere(bild.groesse, ziel, e);
    QImage teil;
    if (bild.istZeichnung()) {
        teil = ZeichnungAlsBild(bild, platz.groesse, platz.ausschnitt);
    } else {
        // The part that shows is cut from the picture first, so that only what is seen is scaled.
        const double sx = double(bild.bild.width()) / platz.groesse.width();
        const double sy = double(bild.bild.height()) / platz.groesse.height();
        const QRect quelle =
            QRect(int(std::lround(platz.ausschnitt.x() * sx)), int(std::lround(platz.ausschnitt.y() * sy)),
                  std::max(1, int(std::lround(platz.ausschnitt.width() * sx))),
                  std::max(1, int(std::lround(platz.ausschnitt.height() * sy))))
                .intersected(bild.bild.rect());
        const QImage vorlage = bild.bild.convertToFormat(Arbeitsformat(bild.bild));
        teil = (quelle == vorlage.rect() ? vorlage : vorlage.copy(quelle))
                   .scaled(platz.ausschnitt.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QImage etikett(ziel, QImage::Format_RGB32);
    if (etikett.isNull())
        throw Fehler(BildZuGross(bild.pfad, ziel));
    etikett.fill(Qt::white);
    QPainter p(&etikett);
    p.drawImage(platz.ort, teil);
    p.end();
    return etikett;
}

} // namespace

QString EinpassungName(Einpassung e)
{
    switch (e) {
    case Einpassung::Einpassen:
        return QStringLiteral("Einpassen");
    case Einpassung::Fuellen:
        return QStringLiteral("Füllen");
    case Einpassung::Strecken:
        break;
    }
    return QStringLiteral("Strecken");
}

QString EinpassungBeschreibung(Einpassung e, QSize bild, const Bogenmasse &m)
{
    switch (e) {
    case Einpassung::Einpassen:
        return QStringLiteral("Einpassen: das ganze Bild auf dem Etikett, weiß daneben");
    case Einpassung::Fuellen:
        // The picture wider than the label loses its sides; a higher one its top and bottom.
        return qint64(bild.width()) * Hoehe(m) >= qint64(bild.height()) * Breite(m)
            ? QStringLiteral("Füllen: das ganze Etikett bedruckt, das Bild an den Seiten beschnitten")
            : QStringLiteral("Füllen: das ganze Etikett bedruckt, das Bild oben und unten beschnitten");
    case Einpassung::Strecken:
        break;
    }
    return QStringLiteral("Strecken: das ganze Bild auf das ganze Etikett gezogen, verzerrt");
}

QSize EtikettPixel(const Bogenmasse &m, int dpi)
{
    return {Pixel(Breite(m), dpi), Pixel(Hoehe(m), dpi)};
}

std::optional<int> NaheAufloesung(QSize bild, const Bogenmasse &m)
{
    if (bild.isEmpty() || Breite(m) <= 0 || Hoehe(m) <= 0 || SeitenverhaeltnisWeichtAb(bild, m))
        return std::nullopt;
    std::optional<int> beste;
    int abstand = NahePixel + 1;
    for (int dpi = UebernahmeDpiMin; dpi <= UebernahmeDpiMax; ++dpi) {
        const QSize etikett = EtikettPixel(m, dpi);
        const int hier = std::max(std::abs(etikett.width() - bild.width()), std::abs(etikett.height() - bild.height()));
        if (hier < abstand) {
            abstand = hier;
            beste = dpi;
        }
    }
    return beste;
}

bool SeitenverhaeltnisWeichtAb(QSize bild, const Bogenmasse &m)
{
    if (bild.isEmpty() || Breite(m) <= 0 || Hoehe(m) <= 0)
        return false;
    const double verhaeltnis = (double(bild.width()) / bild.height()) / (double(Breite(m)) / double(Hoehe(m)));
    return std::max(verhaeltnis, 1.0 / verhaeltnis) - 1.0 > SeitenverhaeltnisToleranz;
}

Bildplatz Platziere(QSize bild, QSize ziel, Einpassung e)
{
    if (e == Einpassung::Strecken || bild.isEmpty())
        return {ziel, QRect(QPoint(0, 0), ziel), QPoint(0, 0)};
    const double sx = double(ziel.width()) / bild.width();
    const double sy = double(ziel.height()) / bild.height();
    if (e == Einpassung::Einpassen) {
        const double s = std::min(sx, sy);
        const QSize groesse(std::min(Gerundet(bild.width() * s), ziel.width()),
                            std::min(Gerundet(bild.height() * s), ziel.height()));
        return {groesse, QRect(QPoint(0, 0), groesse),
                QPoint((ziel.width() - groesse.width()) / 2, (ziel.height() - groesse.height()) / 2)};
    }
    const double s = std::max(sx, sy);
    const QSize groesse(std::max(Gerundet(bild.width() * s), ziel.width()),
                        std::max(Gerundet(bild.height() * s), ziel.height()));
    return {groesse, QRect(QPoint((groesse.width() - ziel.width()) / 2, (groesse.height() - ziel.height()) / 2), ziel),
            QPoint(0, 0)};
}

BildAufloesung AufloesungAufEtikett(QSize bild, const Bogenmasse &m, Einpassung e)
{
    if (bild.isEmpty() || Breite(m) <= 0 || Hoehe(m) <= 0)
        return {};
    const double x = bild.width() * HundertstelProZoll / double(Breite(m));
    const double y = bild.height() * HundertstelProZoll / double(Hoehe(m));
    switch (e) {
    case Einpassung::Einpassen:
        return {std::max(x, y), std::max(x, y)};
    case Einpassung::Fuellen:
        return {std::min(x, y), std::min(x, y)};
    case Einpassung::Strecken:
        break;
    }
    return {std::min(x, y), std::max(x, y)};
}

int UebernahmeDpi(const Fremdbild &bild, const Bogenmasse &m, Einpassung e)
{
    if (const std::optional<int> nahe = NaheAufloesung(bild.groesse, m); nahe && !bild.istZeichnung())
        return *nahe;
    int dpi = bild.istZeichnung() ? UebernahmeDpiMax
                                  : std::clamp(int(std::lround(AufloesungAufEtikett(bild.groesse, m, e).hoch)),
                                               UebernahmeDpiMin, UebernahmeDpiMax);
    while (dpi > 1 && !InDenGrenzen(EtikettPixel(m, dpi)))
        --dpi;
    return dpi;
}

QString UnschaerfeHinweis(const Fremdbild &bild, const Bogenmasse &m, Einpassung e)
{
    if (bild.istZeichnung())
        return {};
    const long dpi = std::lround(AufloesungAufEtikett(bild.groesse, m, e).niedrig);
    if (dpi >= ScharfAbDpi)
        return {};
    return QStringLiteral("Das Bild hat auf dem Etikett nur %1 dpi; gedruckt wirkt es unscharf.").arg(dpi);
}

QImage EtikettAusBild(const Fremdbild &bild, const Bogenmasse &m, Einpassung e)
{
    const int dpi = UebernahmeDpi(bild, m, e);
    const bool nahe = !bild.istZeichnung() && NaheAufloesung(bild.groesse, m);
    QImage etikett = Zeichne(bild, nahe ? bild.groesse : EtikettPixel(m, dpi), e);
    etikett.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    etikett.setDotsPerMeterY(etikett.dotsPerMeterX());
    return etikett;
}

Bildwahl BildwahlFuer(const Fremdbild &bild, const Bogenmasse &m, QSize kasten)
{
    Bildwahl w;
    w.wahl = SeitenverhaeltnisWeichtAb(bild.groesse, m);
    w.frage = w.wahl
        ? QStringLiteral("Das Bild (%1 x %2) hat andere Seitenverhältnisse als das Etikett (%3 x %4 mm). Wie soll "
                         "es auf das Etikett?")
              .arg(bild.groesse.width())
              .arg(bild.groesse.height())
              .arg(HundertstelText(Breite(m), QLatin1Char(',')), HundertstelText(Hoehe(m), QLatin1Char(',')))
        : QStringLiteral("So wird das Etikett aussehen:");
    // The previews are drawn from a copy no larger than they need, so that a photo is scaled down once; bounded in
    // pixels, so that a picture long and narrow is never scaled up to cover the box.
    Fremdbild klein = bild;
    if (!bild.istZeichnung() && !bild.groesse.isEmpty()) {
        const double w = bild.groesse.width();
        const double h = bild.groesse.height();
        const double s = std::min(std::max(2.0 * kasten.width() / w, 2.0 * kasten.height() / h),
                                  std::sqrt(double(VorschauBildpunkte) / (w * h)));
        if (s < 1.0) {
            klein.bild = bild.bild.scaled(std::max(1, int(std::lround(w * s))), std::max(1, int(std::lround(h * s))),
                                          Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            klein.groesse = klein.bild.size();
        }
    }
    const QSize vorschau = Platziere(QSize(int(Breite(m)), int(Hoehe(m))), kasten, Einpassung::Einpassen).groesse;
    for (const Einpassung e : Einpassungen) {
        w.hinweise[int(e)] = UnschaerfeHinweis(bild, m, e);
        w.beschreibungen[int(e)] = EinpassungBeschreibung(e, bild.groesse, m);
        if (w.wahl || e == Einpassung::Strecken)
            w.vorschauen[int(e)] = Zeichne(klein, vorschau, e);
    }
    return w;
}
