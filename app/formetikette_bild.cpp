// Pictures of other programs taken as a label's picture: "Bild übernehmen...", "Neu aus einem Bild..." and a file
// dropped onto the label view.
#include "app/formetikette_p.h"

#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "render/bildeinpassung.h"
#include "storage/bilddatei.h"
#include "storage/dateien.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "storage/etikettdateien.h"
#include "storage/namen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>

namespace {

// The measures as a precise label holds them: its picture is drawn into the exact size at its own resolution.
Bogenmasse Genau(const Bogenmasse &m)
{
    return MitGenauenLaengen(m, GenaueLaengen(m), true);
}

// The picture's way onto the label: asked where the proportions differ or the picture is coarse, otherwise
// stretched over the label; nothing when the person stops.
std::optional<Einpassung> FrageEinpassung(DialogDienst &dialoge, const Fremdbild &bild, const Bogenmasse &m)
{
    const Bildwahl wahl = BildwahlFuer(bild, m);
    if (!wahl.noetig())
        return Einpassung::Strecken;
    return dialoge.bildEinpassung(wahl);
}

// The name a new label is offered: the picture's own without its extension, where that makes a name.
QString NamensVorschlag(const QString &bildPfad)
{
    const QString name = QFileInfo(bildPfad).completeBaseName() + QStringLiteral(".bmp");
    return NeuerNameFehler(name).isEmpty() ? name : QStringLiteral("Bild.bmp");
}

// Where the file dialog opens: the last picture's folder, else the person's pictures.
QString Bildordner(const QString &letzter)
{
    for (const QString &ordner : {letzter, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)})
        if (!ordner.isEmpty() && QFileInfo(ordner).isDir())
            return ordner;
    return QDir::homePath();
}

} // namespace

void TFormEtikette::BildUebernehmen1Click()
{
    const std::optional<QString> gewaehlt = dialoge().bildOeffnen(Bildordner(d->z.BildOrdner), FremdbildMuster(),
                                                                  QStringLiteral("Bild für das Etikett übernehmen"));
    if (gewaehlt)
        UebernimmBild(QDir::toNativeSeparators(*gewaehlt));
}

void TFormEtikette::UebernimmBild(const QString &pfad)
{
    const QString ziel = d->dokument.bildPfad();
    if (ziel.isEmpty() || EinstellungsPfad(ziel).isEmpty()) {
        dialoge().meldung(QStringLiteral("Es ist kein Etikett geladen, dessen Bild ersetzt werden könnte. Öffnen Sie "
                                         "ein Etikett, oder legen Sie mit \"Neu aus einem Bild...\" eines an."));
        return;
    }
    d->z.BildOrdner = QFileInfo(pfad).absolutePath();
    const Bogenmasse m = Masse();
    const Fremdbild bild = LiesFremdbild(pfad);
    const std::optional<Einpassung> einpassung = FrageEinpassung(dialoge(), bild, m);
    if (!einpassung)
        return;
    // The keep's names are taken before the question names them, so that another window cannot take them too.
    const Aufbewahrungsplatz aufbewahrung(ziel);
    const Aufbewahrung &vorher = aufbewahrung.namen();
    if (QFileInfo(ziel).isFile()
        && !dialoge().frage(QStringLiteral("Das Bild des Etiketts %1 wird durch %2 ersetzt, gezeichnet mit %3 dpi auf "
                                           "%4 x %5 mm. Das bisherige Bild bleibt mit seinen Einstellungen als \"%6\" "
                                           "neben dem Etikett erhalten. Bild ersetzen?")
                                .arg(Anzeigename(ziel), DateinamenTeil(pfad))
                                .arg(UebernahmeDpi(bild, m, *einpassung))
                                .arg(HundertstelText(m.Hundertstel(&Bogenmasse::Etikettenbreite), QLatin1Char(',')),
                                     HundertstelText(m.Hundertstel(&Bogenmasse::Etikettenhoehe), QLatin1Char(',')),
                                     DateinamenTeil(vorher.bild))))
        return;
    d->dokument.uebernimmBild(EtikettAusBild(bild, m, *einpassung), vorher);
    // As after a load: the measures now exact, the fit, the views.
    NachDemLaden(Geladen::Bild);
}

void TFormEtikette::NeuAusBild1Click()
{
    if (!OeffnenVorbereiten())
        return;
    const std::optional<QString> gewaehlt = dialoge().bildOeffnen(Bildordner(d->z.BildOrdner), FremdbildMuster(),
                                                                  QStringLiteral("Bild für ein neues Etikett wählen"));
    if (!gewaehlt)
        return;
    const QString pfad = QDir::toNativeSeparators(*gewaehlt);
    d->z.BildOrdner = QFileInfo(pfad).absolutePath();
    const Bogenmasse m = Masse();
    const Fremdbild bild = LiesFremdbild(pfad);
    const std::optional<Einpassung> einpassung = FrageEinpassung(dialoge(), bild, m);
    if (!einpassung)
        return;
    // A new design on the same stock: the sheet's measures, not the current label's back or bleed, which belong
    // to its design, as a label from a template or a catalogue sheet starts with neither.
    NeuesEtikettAnlegen(NamensVorschlag(pfad), true, [&](const QString &ziel, const QString &) {
        SchreibeEtikett(ziel, EtikettAusBild(bild, m, *einpassung), {Genau(m)}, std::nullopt);
    });
}

std::optional<QString> TFormEtikette::RueckseiteAusBild(const QString &pfad)
{
    const QString etikett = d->dokument.bildPfad();
    const QFileInfo datei(pfad);
    // The settings file names a back by its name alone, so that the label's folder can move as a whole.
    const bool daneben = QFileInfo(datei.absolutePath()).canonicalFilePath()
        == QFileInfo(QFileInfo(etikett).absolutePath()).canonicalFilePath();
    if (daneben && datei.suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0)
        return datei.fileName();
    d->z.BildOrdner = datei.absolutePath();
    const Bogenmasse m = Masse();
    const Fremdbild bild = LiesFremdbild(pfad);
    const std::optional<Einpassung> einpassung = FrageEinpassung(dialoge(), bild, m);
    if (!einpassung)
        return std::nullopt;
    const QString name = SchreibeRueckseite(etikett, EtikettAusBild(bild, m, *einpassung));
    // A name the settings file cannot hold leaves no back behind that nothing names.
    if (const QString fehler = RueckseitenNamenFehler(name); !fehler.isEmpty()) {
        QFile::remove(QFileInfo(etikett).absolutePath() + QLatin1Char('/') + name);
        throw Fehler(fehler);
    }
    return name;
}
