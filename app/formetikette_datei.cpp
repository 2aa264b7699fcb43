// The window's commands that bring a label into it: open one, or make one from a template or a catalogue sheet.
#include "app/formetikette_p.h"

#include "app/updown.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "render/bogenbild.h"
#include "storage/bogensuche.h"
#include "storage/dateien.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "storage/etikettenboegen.h"
#include "storage/namen.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

bool TFormEtikette::OeffnenVorbereiten()
{
    BitBtnNeuladen->hide();
    if (!d->dokument.bildPfad().isEmpty())
        Schreib_String_in_Registry(QStringLiteral("ZuletztAngezeigt"), d->dokument.bildPfad());
    if (d->dokument.geaendert())
        EinstellungenSpeichernFrage();
    const QString ordner = Lies_String_aus_Registry(QStringLiteral("OrdnerEtiketten"));
    if (!ordner.isEmpty())
        d->z.OrdnerEtiketten = ordner;
    if (d->z.OrdnerEtiketten.isEmpty() || !QFileInfo(d->z.OrdnerEtiketten).isDir()) {
        dialoge().meldung(QStringLiteral("Der Ordner ") + d->z.OrdnerEtiketten
                          + QStringLiteral(" ist nicht vorhanden! Programm wird beendet!"));
        close();
        return false;
    }
    return true;
}

void TFormEtikette::Oeffnen1Click()
{
    if (!OeffnenVorbereiten())
        return;
    const std::optional<QString> gewaehlt =
        dialoge().dateiOeffnen(d->z.OrdnerEtiketten + QDir::separator() + QStringLiteral("*.bmp"));
    if (!gewaehlt)
        return;
    d->dokument.oeffneBild(QDir::toNativeSeparators(*gewaehlt));
    NachDemLaden(Geladen::Geoeffnet);
}

namespace {

// Asks until the name can be used; "Abbrechen" keeps the template's own name.
QString NeuenNamenErfragen(DialogDienst &dialoge, const QString &vorlagenName)
{
    QString vorbelegung = vorlagenName;
    for (;;) {
        const std::optional<QString> antwort = dialoge.eingabe(vorbelegung);
        if (!antwort)
            return vorlagenName;
        const QString fehler = NeuerNameFehler(*antwort);
        if (fehler.isEmpty())
            return *antwort;
        dialoge.meldung(fehler);
        vorbelegung = *antwort;
    }
}

} // namespace

void TFormEtikette::Neu1Click()
{
    if (!OeffnenVorbereiten())
        return;
    const std::optional<QString> gewaehlt =
        dialoge().dateiOeffnen(d->z.OrdnerEtikettenVorlagen + QStringLiteral("*.bmp"));
    if (!gewaehlt)
        return;
    const QString vorlage = QDir::toNativeSeparators(*gewaehlt);
    const QString vorlagenName = DateinamenTeil(vorlage);
    // The template's folder with its separator, so that a root folder needs no special case.
    const QString vorlagenOrdner = vorlage.left(vorlage.size() - vorlagenName.size());
    const bool mitEinstellungen = HatBildendung(vorlagenName);
    NeuesEtikettAnlegen(vorlagenName, mitEinstellungen, [&](const QString &bild, const QString &einstellungen) {
        // Picture and settings file are replaced together or not at all, so a template without its settings
        // file leaves the labels folder and the current label as they were.
        QList<Kopierauftrag> kopien{{vorlage, bild}};
        if (mitEinstellungen)
            kopien.append({vorlagenOrdner + Einstellungsname(vorlagenName), einstellungen});
        if (!KopiereErsetzend(kopien))
            throw Fehler(QStringLiteral("Datei kann nicht kopiert werden."));
    });
}

void TFormEtikette::NeuFuerEtikettenbogen1Click()
{
    if (!OeffnenVorbereiten())
        return;
    const QString katalog = d->z.OrdnerEtikettenVorlagen + EtikettenboegenDatei;
    Bogenkatalog gelesen;
    try {
        gelesen = LiesEtikettenboegen(katalog);
    } catch (const Fehler &f) {
        dialoge().meldung(QStringLiteral("Die Liste der Etikettenbögen kann nicht gelesen werden: ") + f.text());
        return;
    }
    const QString uebersprungen = UebersprungenText(gelesen, QDir::toNativeSeparators(katalog));
    const QList<Etikettenbogen> boegen = std::move(gelesen.boegen);
    if (boegen.isEmpty()) {
        // With the reason, when there were lines.
        dialoge().meldung(QStringLiteral("Die Liste der Etikettenbögen ") + QDir::toNativeSeparators(katalog)
                          + QStringLiteral(" enthält keinen Bogen.")
                          + (uebersprungen.isEmpty() ? QString() : QLatin1Char(' ') + uebersprungen));
        return;
    }
    if (!uebersprungen.isEmpty())
        dialoge().meldung(uebersprungen);
    const std::optional<Etikettenbogen> bogen = dialoge().etikettenbogen(boegen);
    if (!bogen)
        return;
    NeuesEtikettAnlegen(NamensVorschlag(*bogen), true, [&](const QString &bild, const QString &einstellungen) {
        // Written aside first and moved in together, as a template's copies are.
        const QTemporaryDir entwurf;
        const QString entwurfBild = entwurf.filePath(QStringLiteral("etikett.bmp"));
        const QString entwurfEinstellungen = entwurf.filePath(QStringLiteral("etikett.ini"));
        if (!entwurf.isValid() || !ZeichneLeeresEtikett(*bogen).save(entwurfBild, "BMP"))
            throw Fehler(QStringLiteral("Datei ") + QDir::toNativeSeparators(bild)
                         + QStringLiteral(" kann nicht erstellt werden"));
        SpeichereEtikettdatei(entwurfEinstellungen, {bogen->masse});
        if (!KopiereErsetzend({{entwurfBild, bild}, {entwurfEinstellungen, einstellungen}}))
            throw Fehler(QStringLiteral("Datei ") + QDir::toNativeSeparators(bild)
                         + QStringLiteral(" kann nicht erstellt werden"));
    });
}

void TFormEtikette::NeuesEtikettAnlegen(const QString &vorschlag, bool mitEinstellungen,
                                        const std::function<void(const QString &, const QString &)> &schreibe)
{
    QString name = vorschlag;
    if (dialoge().frage(QStringLiteral("Möchten Sie dem Etikett einen neuen Namen geben?"))) {
        const QString neu = NeuenNamenErfragen(dialoge(), vorschlag);
        name = HatBildendung(neu) ? neu : neu + QStringLiteral(".bmp");
    }

    const QString bild = d->z.OrdnerEtiketten + QDir::separator() + name;
    const QString einstellungen =
        mitEinstellungen ? d->z.OrdnerEtiketten + QDir::separator() + Einstellungsname(name) : QString();
    // Either file would be replaced: a settings file left alone without its picture is still someone's.
    const QString vorhanden = QFileInfo(bild).isFile()                  ? bild
        : !einstellungen.isEmpty() && QFileInfo(einstellungen).isFile() ? einstellungen
                                                                        : QString();
    if (!vorhanden.isEmpty()
        && !dialoge().frage(QStringLiteral("Die Datei \"") + DateinamenTeil(vorhanden)
                            + QStringLiteral("\" ist schon vorhanden! Soll sie überschrieben werden?")))
        return;

    schreibe(bild, einstellungen);
    const QDateTime jetzt = QDateTime::currentDateTime();
    SetzeDateiDatum(bild, jetzt);
    if (!einstellungen.isEmpty())
        SetzeDateiDatum(einstellungen, jetzt);

    d->dokument.setzeBild(bild);
    NachDemLaden(Geladen::Neu);
}
