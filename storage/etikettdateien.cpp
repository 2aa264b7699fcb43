#include "storage/etikettdateien.h"

#include "platform/fehler.h"
#include "storage/bilddatei.h"
#include "storage/dateien.h"
#include "storage/einstellungen.h"
#include "storage/namen.h"
#include "storage/zieldatei.h"

#include <QBuffer>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QImageWriter>

#include <memory>

namespace {

QByteArray AlsBitmap(const QImage &bild)
{
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    // Qt writes a 32-bit picture as a 24-bit bitmap, with its resolution.
    QImageWriter schreiber(&puffer, "bmp");
    if (!schreiber.write(bild.convertToFormat(QImage::Format_RGB32)))
        return {};
    return daten;
}

QByteArray BisherigerInhalt(const QString &pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

// One draft beside its target: written, read back and compared.
std::unique_ptr<Zieldatei> Entwurf(const QString &ziel, const QByteArray &inhalt)
{
    auto entwurf = std::make_unique<Zieldatei>(ziel, NichtsUebernommen);
    QFile datei(entwurf->entwurf());
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate) || datei.write(inhalt) != inhalt.size()
        || !datei.flush())
        throw DateiNichtGeschrieben(ziel, NichtsUebernommen);
    datei.close();
    if (entwurf->inhalt() != inhalt)
        throw DateiNichtGeschrieben(ziel, NichtsUebernommen);
    return entwurf;
}

} // namespace

namespace {

Aufbewahrung AufbewahrungNummer(const QString &bildPfad, int n)
{
    const QString stamm = HatBildendung(bildPfad) ? bildPfad.chopped(4) : bildPfad;
    const QString name = stamm + QStringLiteral(" vorher") + (n == 1 ? QString() : QStringLiteral(" %1").arg(n));
    return {name + QStringLiteral(".bmp"), name + QStringLiteral(".ini")};
}

Fehler NichtAufzubewahren(const QString &keep)
{
    return Fehler(
        QStringLiteral("Das bisherige Bild kann nicht aufbewahrt werden (%1). %2").arg(keep, NichtsUebernommen));
}

// Created here and now, or nothing: a file of that name that exists is no failure but taken.
enum class Neu { Angelegt, Vergeben, Fehler };
Neu LegeExklusivAn(const QString &pfad)
{
    QFile datei(pfad);
    if (datei.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return Neu::Angelegt;
    return QFileInfo::exists(pfad) || QFileInfo(pfad).isSymLink() ? Neu::Vergeben : Neu::Fehler;
}

} // namespace

Aufbewahrung FreieAufbewahrung(const QString &bildPfad)
{
    for (int n = 1;; ++n) {
        const Aufbewahrung a = AufbewahrungNummer(bildPfad, n);
        if (!QFileInfo::exists(a.bild) && !QFileInfo::exists(a.einstellungen))
            return a;
    }
}

bool IstAufbewahrung(const QString &bildPfad)
{
    static const QRegularExpression keep(QStringLiteral("^(.+) vorher( [1-9][0-9]*)?$"));
    const QFileInfo bild(bildPfad);
    const QRegularExpressionMatch treffer = keep.match(bild.completeBaseName());
    return treffer.hasMatch() && bild.dir().exists(treffer.captured(1) + u'.' + bild.suffix());
}

Aufbewahrungsplatz::Aufbewahrungsplatz(const QString &bildPfad)
{
    for (int n = 1;; ++n) {
        const Aufbewahrung a = AufbewahrungNummer(bildPfad, n);
        const Neu bild = LegeExklusivAn(a.bild);
        if (bild == Neu::Fehler)
            throw NichtAufzubewahren(a.bild);
        if (bild == Neu::Vergeben)
            continue;
        const Neu einstellungen = LegeExklusivAn(a.einstellungen);
        if (einstellungen == Neu::Angelegt) {
            m_namen = a;
            return;
        }
        QFile::remove(a.bild);
        if (einstellungen == Neu::Fehler)
            throw NichtAufzubewahren(a.einstellungen);
    }
}

Aufbewahrungsplatz::~Aufbewahrungsplatz()
{
    for (const QString &pfad : {m_namen.bild, m_namen.einstellungen})
        if (QFileInfo info(pfad); info.isFile() && !info.isSymLink() && info.size() == 0)
            QFile::remove(pfad);
}

void SchreibeEtikett(const QString &bildPfad, const QImage &bild, const Etikettinhalt &inhalt,
                     const std::optional<Aufbewahrung> &behalten)
{
    const QString einstellungsPfad = EinstellungsPfad(bildPfad);
    const auto scheitert = [&bildPfad] {
        return Fehler(QStringLiteral("Datei %1 kann nicht erstellt werden. %2").arg(bildPfad, NichtsUebernommen));
    };
    if (einstellungsPfad.isEmpty())
        throw scheitert();
    // The bytes are checked before anything is written: the picture as it will be read, the measures as the
    // settings reader will give them.
    const QByteArray bitmap = AlsBitmap(bild);
    const QImage zurueck = BildAusDaten(bitmap, bildPfad);
    if (bitmap.isEmpty() || zurueck != bild.convertToFormat(QImage::Format_RGB32)
        || zurueck.dotsPerMeterX() != bild.dotsPerMeterX() || zurueck.dotsPerMeterY() != bild.dotsPerMeterY())
        throw scheitert();
    const QByteArray einstellungen = behalten
        ? MitAbschnitten(BisherigerInhalt(einstellungsPfad), inhalt, Abschnitt::Masse)
        : EtikettdateiInhalt(inhalt);
    if (LiesEtikettinhalt(einstellungen, Anfangsmasse).inhalt.masse != inhalt.masse)
        throw scheitert();

    QList<Kopierauftrag> aufbewahren;
    if (behalten) {
        if (QFileInfo(bildPfad).isFile())
            aufbewahren.append({bildPfad, behalten->bild});
        if (QFileInfo(einstellungsPfad).isFile())
            aufbewahren.append({einstellungsPfad, behalten->einstellungen});
    }
    // A keep that is not needed after all goes again.
    struct Aufraeumen
    {
        const QList<Kopierauftrag> &kopien;
        bool fertig = false;
        ~Aufraeumen()
        {
            if (!fertig)
                for (const Kopierauftrag &k : kopien)
                    QFile::remove(k.ziel);
        }
    } aufraeumen{aufbewahren};
    if (!KopiereErsetzend(aufbewahren))
        throw Fehler(QStringLiteral("Das bisherige Bild kann nicht aufbewahrt werden (%1). %2")
                         .arg(behalten->bild, NichtsUebernommen));

    const std::unique_ptr<Zieldatei> neuesBild = Entwurf(bildPfad, bitmap);
    const std::unique_ptr<Zieldatei> neueEinstellungen = Entwurf(einstellungsPfad, einstellungen);
    const bool bildDa = QFileInfo(bildPfad).isFile();
    neuesBild->uebernehmen();
    try {
        neueEinstellungen->uebernehmen();
    } catch (const Fehler &) {
        // The picture goes back to what it was, so that picture and settings file never disagree; where it
        // cannot, its keep stays.
        if (!bildDa)
            QFile::remove(bildPfad);
        else if (!behalten || !KopiereErsetzend(behalten->bild, bildPfad))
            aufraeumen.fertig = true;
        throw;
    }
    aufraeumen.fertig = true;
    GanzGeschrieben(bildPfad);
}

QString SchreibeRueckseite(const QString &bildPfad, const QImage &bild)
{
    const QByteArray bitmap = AlsBitmap(bild);
    const QString stamm = (HatBildendung(bildPfad) ? bildPfad.chopped(4) : bildPfad) + QStringLiteral(" Rückseite");
    for (int n = 1;; ++n) {
        const QString ziel = stamm + (n == 1 ? QString() : QStringLiteral(" %1").arg(n)) + QStringLiteral(".bmp");
        const Neu neu = LegeExklusivAn(ziel);
        if (neu == Neu::Vergeben)
            continue;
        if (neu == Neu::Fehler || bitmap.isEmpty()) {
            if (neu == Neu::Angelegt)
                QFile::remove(ziel);
            throw DateiNichtGeschrieben(ziel, NichtsUebernommen);
        }
        try {
            Entwurf(ziel, bitmap)->uebernehmen();
        } catch (const Fehler &) {
            QFile::remove(ziel);
            throw;
        }
        GanzGeschrieben(ziel);
        return QFileInfo(ziel).fileName();
    }
}
