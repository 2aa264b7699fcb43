// The window's commands that bring a label into it: open one, or make one from a template.
#include "app/formetikette.h"

#include "app/updown.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "storage/dateien.h"
#include "storage/namen.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

bool TFormEtikette::OeffnenVorbereiten()
{
    BitBtnNeuladen->hide();
    if (!m_zustand.AktuelleEtikettDatei.isEmpty())
        Schreib_String_in_Registry(QStringLiteral("ZuletztAngezeigt"), m_zustand.AktuelleEtikettDatei);
    if (m_zustand.EinstellungenGeaendert)
        EinstellungenSpeichernFrage();
    const QString ordner = Lies_String_aus_Registry(QStringLiteral("OrdnerEtiketten"));
    if (!ordner.isEmpty())
        m_zustand.OrdnerEtiketten = ordner;
    if (m_zustand.OrdnerEtiketten.isEmpty() || !QFileInfo(m_zustand.OrdnerEtiketten).isDir()) {
        dialoge().meldung(QStringLiteral("Der Ordner ") + m_zustand.OrdnerEtiketten
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
        dialoge().dateiOeffnen(m_zustand.OrdnerEtiketten + QDir::separator() + QStringLiteral("*.bmp"));
    if (!gewaehlt)
        return;
    m_zustand.AktuelleEtikettDatei = QDir::toNativeSeparators(*gewaehlt);
    LiesVorlagenDatenEin(m_zustand.AktuelleEtikettDatei);
    setWindowTitle(TitelAnfang + Anzeigename(m_zustand.AktuelleEtikettDatei));
    UpDownZeileClick();
    UpDownZeile->setPosition(1);
    EditZeile->setText(QStringLiteral("1"));
    UpDownSpalteClick();
    UpDownSpalte->setPosition(1);
    EditSpalte->setText(QStringLiteral("1"));
    setzeZeilenBeschriftung();
    UeberpruefeObsInDerBreiteMehrmalsPasst();
    m_zustand.EinstellungenGeaendert = false;
    DeaktiviereEinstellungen();
    StelleGroesseImage1ein();
    LadeEtikettenInfo();
    m_zustand.GeladeneAnzahlInZeile = AnzahlEtikettenInZeile();
    m_zustand.GeladeneAnzahlInSpalte = AnzahlEtikettenInSpalte();
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
        dialoge().dateiOeffnen(m_zustand.OrdnerEtikettenVorlagen + QStringLiteral("*.bmp"));
    if (!gewaehlt)
        return;
    const QString vorlage = QDir::toNativeSeparators(*gewaehlt);
    const QString vorlagenName = DateinamenTeil(vorlage);
    // The template's folder with its separator, so that a root folder needs no special case.
    const QString vorlagenOrdner = vorlage.left(vorlage.size() - vorlagenName.size());

    QString name = vorlagenName;
    if (dialoge().frage(QStringLiteral("Möchten Sie dem Etikett einen neuen Namen geben?"))) {
        const QString neu = NeuenNamenErfragen(dialoge(), vorlagenName);
        name = HatBildendung(neu) ? neu : neu + QStringLiteral(".bmp");
    }

    const QString bild = m_zustand.OrdnerEtiketten + QDir::separator() + name;
    if (QFileInfo(bild).isFile()
        && !dialoge().frage(QStringLiteral("Die Datei \"") + DateinamenTeil(name)
                            + QStringLiteral("\" ist schon vorhanden! Soll sie überschrieben werden?")))
        return;

    // Picture and settings file are replaced together or not at all, so a template without its settings file
    // leaves the labels folder and the current label as they were.
    QList<Kopierauftrag> kopien{{vorlage, bild}};
    QString einstellungen;
    if (HatBildendung(vorlagenName)) {
        einstellungen = m_zustand.OrdnerEtiketten + QDir::separator() + Einstellungsname(name);
        kopien.append({vorlagenOrdner + Einstellungsname(vorlagenName), einstellungen});
    }
    if (!KopiereErsetzend(kopien))
        throw Fehler(QStringLiteral("Datei kann nicht kopiert werden."));
    const QDateTime jetzt = QDateTime::currentDateTime();
    SetzeDateiDatum(bild, jetzt);
    if (!einstellungen.isEmpty())
        SetzeDateiDatum(einstellungen, jetzt);

    m_zustand.AktuelleEtikettDatei = bild;
    LiesVorlagenDatenEin(m_zustand.AktuelleEtikettDatei);
    BringePositionAufDenBogen();
    setWindowTitle(TitelAnfang + Anzeigename(m_zustand.AktuelleEtikettDatei));
    m_zustand.EinstellungenGeaendert = false;
    DeaktiviereEinstellungen();
    StelleGroesseImage1ein();
    LadeEtikettenInfo();
}
