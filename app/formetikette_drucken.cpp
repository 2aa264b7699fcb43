// The print command: one label at its position, one row, or the whole sheet, on one page.
#include "app/formetikette.h"

#include "app/bildansicht.h"
#include "app/updown.h"
#include "layout/passung.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"
#include "render/bogen.h"
#include "render/masse.h"
#include "render/seite.h"

#include <QCheckBox>
#include <QPainter>
#include <QScopeGuard>

QString TFormEtikette::DruckFrage(const QString &seitenRand)
{
    return QStringLiteral("\tHaben Sie das Papier richtig in den Drucker eingelegt? \r\nDer linke Rand mit Maßangabe ")
        + seitenRand
        + QStringLiteral(" mm ist bei eingelegtem Papier auf der rechten Seite \r\n"
                         "wenn man von vorne auf den Drucker schaut!");
}

Seitenwahl TFormEtikette::Druckwahl() const
{
    if (NurEineDruckenCheckBox->isChecked())
        return {Druckumfang::EineEtikette, Spalte(), Zeile()};
    return {NurDieZeileCheckBox->isChecked() ? Druckumfang::EineZeile : Druckumfang::GanzeSeite, Spalte(), Zeile()};
}

void TFormEtikette::drucken1Click()
{
    // One print, one set of measures: the dialogs on the way keep the window's messages flowing.
    const Bogenmasse m = Masse();
    DruckeNachFrage(m, [this, &m] {
        const Seitenwahl wahl = Druckwahl();
        if (wahl.umfang == Druckumfang::EineEtikette) {
            if (Etikettbild().isNull())
                throw Fehler(KeinLesbaresBild(m_zustand.AktuelleEtikettDatei));
        } else if (m.IstGenau() ? Etikettbild().isNull() : ImageMitEtikettenAuffuellen().isNull()) {
            // Without a sheet there is nothing to print: no empty page goes to the printer.
            throw Fehler(KeinLesbaresBild(m_zustand.AktuelleEtikettDatei)
                         + QStringLiteral(" Es wurde nichts gedruckt."));
        }
        return DruckeSeite(Etikettbild(), m, wahl);
    });
}

bool TFormEtikette::DruckeNachFrage(const Bogenmasse &m, const std::function<bool()> &drucke)
{
    // The dialogs of a running command keep the window's messages flowing; a second command started meanwhile
    // must neither ask again nor touch the printer of the first.
    if (m_drucktGerade)
        throw Fehler(QStringLiteral("Das Drucken ist im Gang"));
    m_drucktGerade = true;
    const auto frei = qScopeGuard([this] { m_drucktGerade = false; });

    // As morvane-druck refuses them: no sheet that does not fit goes to paper with its last row cut off.
    if (const QString hindernis = DruckHindernis(m); !hindernis.isEmpty()) {
        dialoge().information(hindernis);
        return false;
    }
    if (!dialoge().druckFrage(DruckFrage(HundertstelText(m.Hundertstel(&Bogenmasse::SeitenRand), QLatin1Char(',')))))
        return false;
    return drucke();
}

bool TFormEtikette::DruckeSeite(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl)
{
    // A blank page would look like a printer fault; refuse before the user chooses a printer.
    if (etikett.isNull())
        throw Fehler(QStringLiteral("Es gibt kein Bild zum Drucken. Es wurde nichts gedruckt."));
    // The sheet does not depend on the printer: a blank one is refused before the printer is chosen.
    if (const Druckflaeche probe{300, 300, {}, {}}; SeiteLeer(BaueSeite(etikett, m, wahl, probe), m, wahl))
        throw Fehler(LeereSeiteMeldung());
    if (wahl.umfang == Druckumfang::EineEtikette)
        Image2->setBild(etikett);
    return DruckeSeite(
        GedruckteEtiketten(etikett.size(), m, wahl),
        [&](const Druckflaeche &flaeche) { return QList<Seitenbild>{BaueSeite(etikett, m, wahl, flaeche)}; },
        m.Anschnitt);
}

bool TFormEtikette::DruckeSeite(const QList<GedrucktesEtikett> &etiketten,
                                const std::function<QList<Seitenbild>(const Druckflaeche &)> &baue, int anschnitt)
{
    QPrinter &drucker = Drucker();
    if (!dialoge().druckDialog(drucker))
        return false;
    Druckmodul &modul = m_umgebung.druckmodul();
    // Whatever the dialog's printer properties chose: the margins are checked on the page that prints.
    modul.aufA4(drucker);
    const Druckflaeche flaeche = modul.flaecheVon(drucker);
    const std::optional<Druckraender> raender = modul.unbedruckbareRaender(drucker);
    ZeigeDruckraender(raender);
    if (raender) {
        QStringList verlust = WasAmRandFehlt(etiketten, *raender, flaeche.korrektur);
        const QString imRand = AnschnittImRand(etiketten, anschnitt, *raender, flaeche.korrektur);
        // A bleed alone in the bands costs no label: it is told, not asked about.
        if (verlust.isEmpty() && !imRand.isEmpty())
            dialoge().information(imRand);
        else if (!imRand.isEmpty())
            verlust.append(imRand);
        if (!verlust.isEmpty() && !dialoge().randFrage(RandFrage(raender->drucker, verlust, raender->randlosesA4)))
            return false;
    }
    modul.druckeAuf(drucker, baue(flaeche));
    return true;
}

QString TFormEtikette::RandFrage(const QString &drucker, const QStringList &verlust, const QString &randlos)
{
    QString text = QStringLiteral("Der Drucker %1 kann nicht bis an den Rand des Papiers drucken. Was in seinen "
                                  "Rändern liegt, fehlt auf dem Papier:\n\n")
                       .arg(drucker)
        + verlust.join(QLatin1Char('\n'));
    if (!randlos.isEmpty())
        text += QStringLiteral("\n\nSein Treiber bietet das Papierformat \"%1\" ohne Rand an; Sie können es in den "
                               "Eigenschaften des Druckers wählen.")
                    .arg(randlos);
    return text + QStringLiteral("\n\nTrotzdem drucken?");
}

QPrinter &TFormEtikette::Drucker()
{
    if (!m_drucker) {
        Druckmodul &modul = m_umgebung.druckmodul();
        m_drucker = m_umgebung.druckerFabrik ? m_umgebung.druckerFabrik() : modul.neuerDrucker();
        try {
            modul.aufA4(*m_drucker);
        } catch (const Fehler &) {
            // Said after the print dialog, in which another printer can be chosen.
        }
    }
    return *m_drucker;
}
