#include "render/ausrichtung.h"

#include "storage/druckerausrichtung.h"

#include <QFont>
#include <QLocale>
#include <QPainter>
#include <QPolygonF>
#include <QRegularExpression>

#include <cmath>

const std::array<QString, 4> Messnamen{QStringLiteral("Kreuz 1 von links"), QStringLiteral("Kreuz 1 von oben"),
                                       QStringLiteral("Kreuz 2 von links"), QStringLiteral("Kreuz 2 von oben")};

namespace {

// Both crosses are on the page; with the measured pair, gemeint1 -> gemessen1 and gemeint2 -> gemessen2 fix the
// printer's line p x s + o, and the correction is its inverse.
void Achse(double gemeint1, double gemeint2, double gemessen1, double gemessen2, double &versatz, double &massstab)
{
    massstab = (gemeint2 - gemeint1) / (gemessen2 - gemessen1);
    versatz = gemeint1 - gemessen1 * massstab;
}

QString Zahl(double v, int stellen)
{
    QLocale deutsch(QLocale::German);
    deutsch.setNumberOptions(QLocale::OmitGroupSeparator);
    const double faktor = std::pow(10.0, stellen);
    double gerundet = std::round(v * faktor) / faktor;
    if (gerundet == 0.0)
        gerundet = 0.0; // no "-0,0"
    return deutsch.toString(gerundet, 'f', stellen);
}

QString Ganz(double v)
{
    return QString::number(v, 'g', 6);
}

// The test pages' text: `mm` high in device pixels.
QFont Seitenschrift(int dpiY, double mm, bool fett)
{
    QFont f(QStringLiteral("Verdana"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, MmInPixel(dpiY, mm)));
    f.setBold(fett);
    return f;
}

} // namespace

Druckerkorrektur KorrekturAusMessung(const Kreuzmessung &m)
{
    Druckerkorrektur k;
    Achse(TestkreuzOben.x, TestkreuzUnten.x, m.oben.x, m.unten.x, k.versatzXMm, k.massstabX);
    Achse(TestkreuzOben.y, TestkreuzUnten.y, m.oben.y, m.unten.y, k.versatzYMm, k.massstabY);
    return k;
}

std::optional<double> LiesMillimeter(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*([-+\u2212]?)\\s*(\\d+(?:[.,]\\d*)?|[.,]\\d+)\\s*(?:mm)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch treffer = form.match(text);
    if (!treffer.hasMatch())
        return std::nullopt;
    QString zahl = treffer.captured(2);
    zahl.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double wert = zahl.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const bool negativ = !treffer.captured(1).isEmpty() && treffer.captured(1) != QLatin1String("+");
    return negativ ? -wert : wert;
}

QString Messbeispiel(std::size_t feld)
{
    const MmPunkt soll = feld < 2 ? TestkreuzOben : TestkreuzUnten;
    return Zahl((feld % 2 == 0 ? soll.x : soll.y) + 0.5, 1);
}

Messergebnis WerteMessungAus(const Messtexte &texte)
{
    std::array<double, 4> werte{};
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i].trimmed().isEmpty())
            return {std::nullopt,
                    QStringLiteral("Bitte tragen Sie bei „%1“ den gemessenen Wert ein.").arg(Messnamen[i])};
        const std::optional<double> wert = LiesMillimeter(texte[i]);
        if (!wert)
            return {std::nullopt,
                    QStringLiteral("„%1“ bei „%2“ ist keine Zahl. Bitte geben Sie Millimeter ein, "
                                   "zum Beispiel %3.")
                        .arg(texte[i].trimmed(), Messnamen[i], Messbeispiel(i))};
        // A cross is measured on the paper, from its edge.
        const int grenze = i % 2 == 0 ? A4::BreiteMm : A4::HoeheMm;
        if (*wert < 0 || *wert > grenze)
            return {std::nullopt,
                    QStringLiteral("„%1“ bei „%2“ liegt nicht auf dem Blatt: der Wert muss zwischen 0 und %3 mm "
                                   "liegen.")
                        .arg(texte[i].trimmed(), Messnamen[i])
                        .arg(grenze)};
        werte[i] = *wert;
    }
    const Druckerkorrektur k = KorrekturAusMessung({{werte[0], werte[1]}, {werte[2], werte[3]}});
    if (!IstBrauchbar(k))
        return {std::nullopt,
                QStringLiteral("Diese Messung ergibt keine brauchbare Ausrichtung: die Verschiebung darf höchstens "
                               "%1 mm betragen und der Maßstab muss zwischen %2\u00a0% und %3\u00a0% liegen. "
                               "Bitte messen Sie noch einmal nach.")
                    .arg(Ganz(GroessterVersatzMm), Ganz(KleinsterMassstab * 100), Ganz(GroessterMassstab * 100))};
    return {k, QString()};
}

QString BeschreibeKorrektur(const Druckerkorrektur &k)
{
    // A wrapped line never starts with a lone "%".
    return QStringLiteral("Verschiebung nach rechts: %1 mm\nVerschiebung nach unten: %2 mm\n"
                          "Maßstab waagerecht: %3\u00a0%\nMaßstab senkrecht: %4\u00a0%")
        .arg(Zahl(k.versatzXMm, 1), Zahl(k.versatzYMm, 1), Zahl(k.massstabX * 100, 2), Zahl(k.massstabY * 100, 2));
}

void ZeichneTestseite(QPainter &maler, int dpiX, int dpiY, QPoint versatz, Blattseite seite)
{
    maler.save();
    maler.setRenderHint(QPainter::Antialiasing, true);
    // The same rounding to device pixels as every label, so that the crosses err exactly as labels do.
    auto x = [&](double mm) { return double(MmInPixel(dpiX, mm) - versatz.x()); };
    auto y = [&](double mm) { return double(MmInPixel(dpiY, mm) - versatz.y()); };
    auto punkt = [&](double xMm, double yMm) { return QPointF(x(xMm), y(yMm)); };
    auto stift = [&](double mm) {
        QPen p(Qt::black, std::max(1.0, dpiX * mm / double(MmProZoll)));
        p.setCapStyle(Qt::FlatCap);
        return p;
    };
    auto schrift = [&](double mm, bool fett = false) { return Seitenschrift(dpiY, mm, fett); };

    // Rulers: a tick every millimetre towards the paper's edge, longer every 5 and 10, numbers every 10; they
    // start where they meet, so that the corner stays clear.
    constexpr int Lineal = 8;
    maler.setPen(stift(0.1));
    maler.drawLine(punkt(Lineal, Lineal), punkt(A4::BreiteMm, Lineal));
    maler.drawLine(punkt(Lineal, Lineal), punkt(Lineal, A4::HoeheMm));
    auto strich = [](int mm) { return mm % 10 == 0 ? 5.0 : mm % 5 == 0 ? 3.0 : 2.0; };
    for (int mm = Lineal + 1; mm <= A4::BreiteMm; ++mm)
        maler.drawLine(punkt(mm, Lineal), punkt(mm, Lineal - strich(mm)));
    for (int mm = Lineal + 1; mm <= A4::HoeheMm; ++mm)
        maler.drawLine(punkt(Lineal, mm), punkt(Lineal - strich(mm), mm));
    maler.setFont(schrift(2.5));
    const double zifferH = y(Lineal + 4.0) - y(Lineal + 1.0);
    // Up to 200 and 290: a number at the paper's edge would be cut in half.
    for (int mm = 20; mm < A4::BreiteMm; mm += 10) {
        const QRectF feld(x(mm - 5.0), y(Lineal + 1.0), x(mm + 5.0) - x(mm - 5.0), zifferH);
        maler.drawText(feld, Qt::AlignHCenter | Qt::AlignTop, QString::number(mm));
    }
    for (int mm = 20; mm < A4::HoeheMm; mm += 10) {
        const QRectF feld(x(Lineal + 1.0), y(mm - 2.0), x(Lineal + 6.0) - x(Lineal + 1.0), y(mm + 2.0) - y(mm - 2.0));
        maler.drawText(feld, Qt::AlignLeft | Qt::AlignVCenter, QString::number(mm));
    }

    // The crosses: thin, so that their centre can be read to a tenth of a millimetre.
    constexpr double Arm = 6.0;
    maler.setPen(stift(0.2));
    for (const MmPunkt &k : {TestkreuzOben, TestkreuzUnten}) {
        maler.drawLine(punkt(k.x - Arm, k.y), punkt(k.x + Arm, k.y));
        maler.drawLine(punkt(k.x, k.y - Arm), punkt(k.x, k.y + Arm));
    }
    maler.setFont(schrift(3.5, true));
    const double zeileH = y(5.0) - y(0.0);
    maler.drawText(QRectF(x(TestkreuzOben.x + Arm + 2.0), y(TestkreuzOben.y) - zeileH / 2, x(80) - x(0), zeileH),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kreuz 1"));
    maler.drawText(QRectF(x(TestkreuzUnten.x - Arm - 2.0) - (x(80) - x(0)), y(TestkreuzUnten.y) - zeileH / 2,
                          x(80) - x(0), zeileH),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Kreuz 2"));

    // How to measure.
    const QString kreuz1 = QStringLiteral("Kreuz 1 bei %1 mm von links und %2 mm von oben")
                               .arg(Ganz(TestkreuzOben.x), Ganz(TestkreuzOben.y));
    const QString kreuz2 = QStringLiteral("Kreuz 2 bei %1 mm von links und %2 mm von oben")
                               .arg(Ganz(TestkreuzUnten.x), Ganz(TestkreuzUnten.y));
    const bool hinten = seite == Blattseite::Rueckseite;
    const QString anleitung =
        (hinten ? QStringLiteral(
             "Diese Seite ist ohne jede Ausrichtung auf die Rückseite der ersten Testseite gedruckt. So "
             "richten Sie die Rückseiten aus:\n\n"
             "1. Messen Sie auf dieser Seite, so wie sie aus dem Drucker kam, mit einem Lineal, wo die Mitte "
             "von Kreuz 1 und von Kreuz 2 liegt: jeweils den Abstand vom linken und vom oberen Rand des "
             "Papiers, in Millimetern.\n\n"
             "2. Tragen Sie die vier Werte im Fenster „Drucker ausrichten“ unter „Rückseite“ ein.\n\n"
             "3. Klicken Sie auf „Speichern“. Morvane druckt dann die Rückseiten auf diesem Drucker so, dass "
             "sie hinter ihren Vorderseiten landen.\n\n"
             "Gemeint sind %1, %2. Die gedruckten Lineale zeigen die Millimeter, wie der Drucker sie setzt; "
             "messen Sie mit Ihrem eigenen Lineal.")
                : QStringLiteral(
                    "Diese Seite ist ohne jede Ausrichtung gedruckt. So richten Sie Ihren Drucker aus:\n\n"
                    "1. Messen Sie mit einem Lineal, wo die Mitte von Kreuz 1 und von Kreuz 2 liegt: jeweils den "
                    "Abstand vom linken und vom oberen Rand des Papiers, in Millimetern.\n\n"
                    "2. Tragen Sie die vier Werte im Fenster „Drucker ausrichten“ ein, zum Beispiel 20,5.\n\n"
                    "3. Klicken Sie auf „Speichern“. Morvane druckt dann auf diesem Drucker so, dass die "
                    "Etiketten an ihrem Platz landen.\n\n"
                    "Gemeint sind %1, %2. Die gedruckten Lineale zeigen die Millimeter, wie der Drucker sie "
                    "setzt; messen Sie mit Ihrem eigenen Lineal."))
            .arg(kreuz1, kreuz2);
    maler.setFont(schrift(6.0, true));
    maler.drawText(QRectF(x(25), y(45), x(185) - x(25), y(57) - y(45)), Qt::AlignLeft | Qt::AlignTop,
                   hinten ? QStringLiteral("Testseite: Rückseite ausrichten")
                          : QStringLiteral("Testseite: Drucker ausrichten"));
    maler.setFont(schrift(4.0));
    maler.drawText(QRectF(x(25), y(62), x(185) - x(25), y(200) - y(62)),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, anleitung);
    maler.restore();
}

MmRechteck WendeprobeRahmen(Wendekante kante)
{
    constexpr double Luft = 5.0;
    const MmRechteck &q = WendeprobeQuadrat;
    return AufDerRueckseite({q.x - Luft, q.y - Luft, q.breite + 2 * Luft, q.hoehe + 2 * Luft}, kante);
}

void ZeichneWendeprobe(QPainter &maler, int dpiX, int dpiY, QPoint versatz, Blattseite seite)
{
    maler.save();
    maler.setRenderHint(QPainter::Antialiasing, true);
    auto x = [&](double mm) { return double(MmInPixel(dpiX, mm) - versatz.x()); };
    auto y = [&](double mm) { return double(MmInPixel(dpiY, mm) - versatz.y()); };
    auto feld = [&](const MmRechteck &r) {
        return QRectF(QPointF(x(r.x), y(r.y)), QPointF(x(r.x + r.breite), y(r.y + r.hoehe)));
    };
    auto schrift = [&](double mm, bool fett = false) { return Seitenschrift(dpiY, mm, fett); };
    auto text = [&](const MmRechteck &r, double hoehe, bool fett, int art, const QString &t) {
        maler.setFont(schrift(hoehe, fett));
        maler.drawText(feld(r), art | Qt::TextWordWrap, t);
    };
    maler.setPen(Qt::black);
    if (seite == Blattseite::Vorderseite) {
        maler.fillRect(feld(WendeprobeQuadrat), Qt::black);
        const QPointF spitze(x(105), y(42)), links(x(93), y(62)), rechts(x(117), y(62));
        maler.setBrush(Qt::black);
        maler.drawPolygon(QPolygonF{spitze, links, rechts});
        maler.fillRect(feld({102, 60, 6, 90}), Qt::black);
        text({55, 18, 100, 20}, 16, true, Qt::AlignCenter, QStringLiteral("OBEN"));
        text({30, 155, 150, 12}, 8, true, Qt::AlignCenter, QStringLiteral("Diese Seite war oben"));
        text({25, 185, 160, 20}, 6, true, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Wendeprobe: Vorderseite"));
        text({25, 200, 160, 80}, 4.5, false, Qt::AlignLeft | Qt::AlignTop,
             QStringLiteral("Legen Sie dieses Blatt jetzt so wieder in den Drucker, wie Sie einen Etikettenbogen für "
                            "seine Rückseite einlegen würden. Merken Sie sich, ob diese bedruckte Seite dabei nach "
                            "oben oder nach unten zeigt. Dann druckt Morvane die Rückseite der Wendeprobe."));
    } else {
        QPen stift(Qt::black, std::max(1.0, dpiX * 1.0 / double(MmProZoll)));
        stift.setJoinStyle(Qt::MiterJoin);
        for (const Wendekante kante : {Wendekante::Lang, Wendekante::Kurz}) {
            const MmRechteck r = WendeprobeRahmen(kante);
            maler.setPen(stift);
            maler.drawRect(feld(r));
            maler.setPen(Qt::black);
            // The name beside the frame, towards the middle of the page.
            const double namenY = r.y < A4::HoeheMm / 2.0 ? r.y + r.hoehe + 2 : r.y - 9;
            text({r.x - 15, namenY, r.breite + 30, 7}, 4.5, true, Qt::AlignCenter,
                 kante == Wendekante::Lang ? QStringLiteral("Lange Kante") : QStringLiteral("Kurze Kante"));
        }
        text({25, 80, 160, 12}, 6, true, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Wendeprobe: Rückseite"));
        text({25, 95, 160, 140}, 4.5, false, Qt::AlignLeft | Qt::AlignTop,
             QStringLiteral("Halten Sie das Blatt gegen das Licht. Das schwarze Quadrat der Vorderseite scheint durch "
                            "einen der beiden Rahmen: Seine Aufschrift sagt, über welche Kante Ihr Drucker den Bogen "
                            "für die Rückseite braucht. Morvane fragt Sie gleich danach.\n\n"
                            "Steht dieser Text auf derselben Seite wie das Quadrat, lag die bedruckte Seite beim "
                            "Einlegen falsch herum: Legen Sie ein neues Blatt für die Wendeprobe ein und beim "
                            "zweiten Mal die bedruckte Seite andersherum."));
    }
    maler.restore();
}

QString Einlegehinweis(Wendekante kante, bool bedrucktOben)
{
    return QStringLiteral("Legen Sie den Bogen mit der bedruckten Seite nach %1 und der %2 voran ein")
        .arg(bedrucktOben ? QStringLiteral("oben") : QStringLiteral("unten"),
             kante == Wendekante::Lang ? QStringLiteral("Oberkante") : QStringLiteral("Unterkante"));
}
