#include "render/randpruefung.h"

#include "render/bogen.h"

#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <map>

QList<GedrucktesEtikett> GedruckteEtiketten(QSize bild, const Bogenmasse &m, const Seitenwahl &wahl)
{
    QList<GedrucktesEtikett> etiketten;
    if (wahl.umfang == Druckumfang::EineEtikette) {
        etiketten.append({wahl.spalte, wahl.zeile, EtikettAufDemBlatt(m, wahl.spalte, wahl.zeile)});
        return etiketten;
    }
    const int von = wahl.umfang == Druckumfang::EineZeile ? wahl.zeile : 1;
    const int bis = wahl.umfang == Druckumfang::EineZeile ? wahl.zeile : m.AnzahlEtikettenInSpalte;
    if (m.IstGenau()) {
        // Pitches are at least 1 mm, so no more than a few hundred labels begin on the paper, whatever the counts.
        for (int zeile = von; zeile <= bis && EtikettAufDemBlatt(m, 1, zeile).y < A4::HoeheMm; ++zeile)
            for (int spalte = 1; spalte <= m.AnzahlEtikettenInZeile; ++spalte) {
                const MmRechteck r = EtikettAufDemBlatt(m, spalte, zeile);
                if (r.x >= A4::BreiteMm)
                    break;
                etiketten.append({spalte, zeile, r});
            }
        return etiketten;
    }
    const Bogenangaben a = BogenangabenFuer(bild, m, wahl.umfang == Druckumfang::EineZeile, wahl.zeile);
    const double mmJePixel = double(A4::BreiteMm) / BogenBreite;
    const qint64 schritt = qint64(a.W) + a.gap;
    for (int zeile = von; zeile <= bis; ++zeile) {
        const qint64 y = a.top + qint64(zeile - 1) * (a.H + 1);
        if (y >= BogenHoehe)
            break;
        // The raster is a little taller than the paper; what lies below the paper is not printed.
        const double oben = std::max<qint64>(y, 0) * mmJePixel;
        const double unten = std::min(std::min<qint64>(y + a.H, BogenHoehe) * mmJePixel, double(A4::HoeheMm));
        // A raster is 991 pixels wide: no more labels than that can show in a row.
        for (int spalte = 1; spalte <= std::min(a.n, BogenBreite); ++spalte) {
            const qint64 x = a.left + (spalte - 1) * schritt;
            if (x >= BogenBreite)
                break;
            const qint64 links = std::max<qint64>(x, 0);
            const qint64 rechts = std::min<qint64>(x + a.W, BogenBreite);
            if (rechts > links && unten > oben)
                etiketten.append(
                    {spalte, zeile, {links * mmJePixel, oben, (rechts - links) * mmJePixel, unten - oben}});
        }
    }
    return etiketten;
}

QList<Randverlust> Randverluste(const QList<GedrucktesEtikett> &etiketten, const Druckraender &raender,
                                const Druckerkorrektur &korrektur)
{
    std::array<Randverlust, 4> seiten{
        {{Papierseite::Links}, {Papierseite::Oben}, {Papierseite::Rechts}, {Papierseite::Unten}}};
    for (const GedrucktesEtikett &e : etiketten) {
        const MmRechteck r = Korrigiert(e.ort, korrektur);
        // A label wholly in a band loses no more than itself there.
        const std::array<double, 4> fehlt{
            std::min(raender.links - r.x, r.breite),
            std::min(raender.oben - r.y, r.hoehe),
            std::min(r.x + r.breite - (raender.papierBreite - raender.rechts), r.breite),
            std::min(r.y + r.hoehe - (raender.papierHoehe - raender.unten), r.hoehe),
        };
        for (std::size_t i = 0; i < seiten.size(); ++i) {
            const qint64 hundertstel = std::isfinite(fehlt[i]) ? std::llround(fehlt[i] * 100.0) : 0;
            if (hundertstel < 1)
                continue;
            seiten[i].hundertstel = std::max(seiten[i].hundertstel, hundertstel);
            seiten[i].etiketten.append(e);
        }
    }
    QList<Randverlust> verluste;
    for (const Randverlust &v : seiten)
        if (!v.etiketten.isEmpty())
            verluste.append(v);
    return verluste;
}

namespace {

QString Aufzaehlung(const QStringList &teile)
{
    if (teile.size() < 2)
        return teile.join(QString());
    return teile.mid(0, teile.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" und ") + teile.last();
}

// 1, 2, 3, 5 -> "1 bis 3 und 5".
QString Nummern(QList<int> n)
{
    std::sort(n.begin(), n.end());
    QStringList teile;
    for (qsizetype i = 0; i < n.size();) {
        qsizetype j = i;
        while (j + 1 < n.size() && n[j + 1] == n[j] + 1)
            ++j;
        if (j - i >= 2) {
            teile << QStringLiteral("%1 bis %2").arg(n[i]).arg(n[j]);
        } else {
            for (qsizetype k = i; k <= j; ++k)
                teile << QString::number(n[k]);
        }
        i = j + 1;
    }
    return Aufzaehlung(teile);
}

} // namespace

QStringList RandverlustTexte(const QList<Randverlust> &verluste, const QList<GedrucktesEtikett> &alle)
{
    static const std::array<QString, 4> Woerter{QStringLiteral("Links"), QStringLiteral("Oben"),
                                                QStringLiteral("Rechts"), QStringLiteral("Unten")};
    QStringList texte;
    for (const Randverlust &v : verluste) {
        // At the left and right whole columns lose, at the top and bottom whole rows.
        const bool seitlich = v.seite == Papierseite::Links || v.seite == Papierseite::Rechts;
        const auto gruppe = [seitlich](const GedrucktesEtikett &e) { return seitlich ? e.spalte : e.zeile; };
        const auto quer = [seitlich](const GedrucktesEtikett &e) { return seitlich ? e.zeile : e.spalte; };
        std::map<int, QList<int>> getroffen, gedruckt;
        for (const GedrucktesEtikett &e : v.etiketten)
            getroffen[gruppe(e)].append(quer(e));
        for (const GedrucktesEtikett &e : alle)
            gedruckt[gruppe(e)].append(quer(e));
        const QString gruppenWort = seitlich ? QStringLiteral("Spalte") : QStringLiteral("Zeile");
        const QString querWort = seitlich ? QStringLiteral("Zeile") : QStringLiteral("Spalte");
        const QString querWorte = seitlich ? QStringLiteral("Zeilen") : QStringLiteral("Spalten");
        QStringList teile;
        for (const auto &[nummer, quere] : getroffen) {
            const QString name = gruppenWort + QLatin1Char(' ') + QString::number(nummer);
            if (quere.size() == 1)
                teile << name + QStringLiteral(", ") + querWort + QLatin1Char(' ') + QString::number(quere.first());
            else if (quere.size() == gedruckt[nummer].size())
                teile << name + QStringLiteral(" (alle %1 %2)").arg(quere.size()).arg(querWorte);
            else
                teile << name + QStringLiteral(" (%1 %2)").arg(querWorte, Nummern(quere));
        }
        texte << QStringLiteral("%1 fehlen %2 mm an %3.")
                     .arg(Woerter[std::size_t(v.seite)], HundertstelText(v.hundertstel, QLatin1Char(',')),
                          Aufzaehlung(teile));
    }
    return texte;
}

QList<GedrucktesEtikett> GedruckteEtiketten(const Bogenplan &plan)
{
    QList<GedrucktesEtikett> etiketten;
    for (const Planplatz &p : plan.plaetze)
        etiketten += GedruckteEtiketten(QSize(), plan.masse, {Druckumfang::EineEtikette, p.platz.spalte, p.platz.zeile});
    return etiketten;
}

QList<GedrucktesEtikett> AufDerRueckseite(QList<GedrucktesEtikett> etiketten, Wendekante kante)
{
    for (GedrucktesEtikett &e : etiketten)
        e.ort = AufDerRueckseite(e.ort, kante);
    return etiketten;
}

QStringList WasAmRandFehlt(const QList<GedrucktesEtikett> &etiketten, const Druckraender &raender,
                           const Druckerkorrektur &korrektur)
{
    return RandverlustTexte(Randverluste(etiketten, raender, korrektur), etiketten);
}

QStringList WasAmRandFehlt(QSize bild, const Bogenmasse &m, const Seitenwahl &wahl, const Druckraender &raender,
                           const Druckerkorrektur &korrektur)
{
    return WasAmRandFehlt(GedruckteEtiketten(bild, m, wahl), raender, korrektur);
}

QString AnschnittImRand(const QList<GedrucktesEtikett> &etiketten, int hundertstel, const Druckraender &raender,
                        const Druckerkorrektur &korrektur)
{
    const double rand = hundertstel / 100.0;
    double meiste = 0;
    for (const GedrucktesEtikett &e : etiketten) {
        // The bleed stops at the paper, as the page painter stops it.
        const double links = std::clamp(e.ort.x, 0.0, rand);
        const double oben = std::clamp(e.ort.y, 0.0, rand);
        const double rechts = std::clamp(A4::BreiteMm - e.ort.x - e.ort.breite, 0.0, rand);
        const double unten = std::clamp(A4::HoeheMm - e.ort.y - e.ort.hoehe, 0.0, rand);
        const MmRechteck r = Korrigiert(e.ort, korrektur);
        const double rechterRand = raender.papierBreite - raender.rechts;
        const double untererRand = raender.papierHoehe - raender.unten;
        for (const double im :
             {std::min(raender.links, r.x) - (r.x - links), std::min(raender.oben, r.y) - (r.y - oben),
              r.x + r.breite + rechts - std::max(rechterRand, r.x + r.breite),
              r.y + r.hoehe + unten - std::max(untererRand, r.y + r.hoehe)})
            if (std::isfinite(im))
                meiste = std::max(meiste, std::min(im, rand));
    }
    const qint64 mm = std::llround(meiste * 100.0);
    if (hundertstel <= 0 || mm < 1)
        return {};
    return QStringLiteral("Der Anschnitt reicht %1 mm in den Rand, den der Drucker nicht bedruckt.")
        .arg(HundertstelText(mm, QLatin1Char(',')));
}

QString RandlosesA4(const QList<QPageSize> &groessen)
{
    static const QRegularExpression ohneRand(QStringLiteral("borderless|randlos|full.?bleed|\\bFB\\b|[._]FB$"),
                                             QRegularExpression::CaseInsensitiveOption);
    for (const QPageSize &g : groessen) {
        const QSizeF mm = g.size(QPageSize::Millimeter);
        const bool a4 = std::abs(std::min(mm.width(), mm.height()) - A4::BreiteMm) <= 1.0
            && std::abs(std::max(mm.width(), mm.height()) - A4::HoeheMm) <= 1.0;
        if (a4 && (ohneRand.match(g.key()).hasMatch() || ohneRand.match(g.name()).hasMatch()))
            return g.name();
    }
    return {};
}

QImage MitDruckraendern(QImage seite, const Druckraender &raender)
{
    if (seite.isNull() || raender.papierBreite <= 0 || raender.papierHoehe <= 0)
        return seite;
    const double jeMmX = seite.width() / raender.papierBreite;
    const double jeMmY = seite.height() / raender.papierHoehe;
    QRegion baender;
    const auto band = [&](double x, double y, double b, double h) {
        baender += QRectF(x * jeMmX, y * jeMmY, b * jeMmX, h * jeMmY).toAlignedRect();
    };
    band(0, 0, raender.links, raender.papierHoehe);
    band(0, 0, raender.papierBreite, raender.oben);
    band(raender.papierBreite - raender.rechts, 0, raender.rechts, raender.papierHoehe);
    band(0, raender.papierHoehe - raender.unten, raender.papierBreite, raender.unten);
    baender &= seite.rect();
    if (baender.isEmpty())
        return seite;
    if (seite.format() != QImage::Format_RGB32 && seite.format() != QImage::Format_ARGB32_Premultiplied)
        seite = seite.convertToFormat(QImage::Format_RGB32);
    QPainter maler(&seite);
    maler.setClipRegion(baender);
    maler.setPen(QColor(170, 170, 170));
    const int w = seite.width();
    const int h = seite.height();
    for (int x = -h; x < w; x += 8)
        maler.drawLine(x, 0, x + h, h);
    return seite;
}
