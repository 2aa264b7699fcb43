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
#include "storage/rueckseite.h"

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
    const QString etikett = m_zustand.AktuelleEtikettDatei;
    const QString rueckseite = m_zustand.Rueckseite;
    DruckeNachFrage(m, [&] {
        const Seitenwahl wahl = Druckwahl();
        if (wahl.umfang == Druckumfang::EineEtikette) {
            if (Etikettbild().isNull())
                throw Fehler(KeinLesbaresBild(etikett));
        } else if (m.IstGenau() ? Etikettbild().isNull() : ImageMitEtikettenAuffuellen().isNull()) {
            // Without a sheet there is nothing to print: no empty page goes to the printer.
            throw Fehler(KeinLesbaresBild(etikett) + QStringLiteral(" Es wurde nichts gedruckt."));
        }
        const QImage vorne = Etikettbild();
        const Druckseite seite = Vorderseite(vorne, m, wahl);
        if (rueckseite.isEmpty())
            return DruckeSeite(seite, Blattseite::Vorderseite) != Druckergebnis::Nichts;
        // The back is read only when the person asks for it in the same job.
        return DruckeSeite(seite, Blattseite::Vorderseite,
                           [&] { return Rueckseitendruck(vorne, LeseRueckseite(etikett, rueckseite), m, wahl); })
            != Druckergebnis::Nichts;
    });
}

bool TFormEtikette::DruckeNachFrage(const Bogenmasse &m, const std::function<bool()> &drucke, const QString &frage)
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
    if (!dialoge().druckFrage(
            frage.isEmpty() ? DruckFrage(HundertstelText(m.Hundertstel(&Bogenmasse::SeitenRand), QLatin1Char(',')))
                            : frage))
        return false;
    return drucke();
}

TFormEtikette::Druckseite TFormEtikette::Vorderseite(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl)
{
    // A blank page would look like a printer fault; refuse before the user chooses a printer.
    if (etikett.isNull())
        throw Fehler(QStringLiteral("Es gibt kein Bild zum Drucken. Es wurde nichts gedruckt."));
    // The sheet does not depend on the printer: a blank one is refused before the printer is chosen.
    if (const Druckflaeche probe{300, 300, {}, {}}; SeiteLeer(BaueSeite(etikett, m, wahl, probe), m, wahl))
        throw Fehler(LeereSeiteMeldung());
    if (wahl.umfang == Druckumfang::EineEtikette)
        Image2->setBild(etikett);
    return {GedruckteEtiketten(etikett.size(), m, wahl),
            [etikett, m, wahl](const Druckflaeche &flaeche) {
                return QList<Seitenbild>{BaueSeite(etikett, m, wahl, flaeche)};
            },
            m.Anschnitt};
}

TFormEtikette::Druckseite TFormEtikette::Rueckseitendruck(const QImage &vorne, const QImage &hinten,
                                                          const Bogenmasse &m, const Seitenwahl &wahl) const
{
    const Wendekante kante = m_zustand.Wenden;
    return {AufDerRueckseite(GedruckteEtiketten(vorne.size(), m, wahl), kante),
            [groesse = vorne.size(), hinten, m, wahl, kante](const Druckflaeche &flaeche) {
                return QList<Seitenbild>{BaueRueckseite(groesse, hinten, m, wahl, flaeche, kante)};
            },
            m.Anschnitt};
}

bool TFormEtikette::DruckeSeite(const QImage &etikett, const Bogenmasse &m, const Seitenwahl &wahl)
{
    return DruckeSeite(Vorderseite(etikett, m, wahl), Blattseite::Vorderseite) != Druckergebnis::Nichts;
}

bool TFormEtikette::DruckeSeite(const QList<GedrucktesEtikett> &etiketten,
                                const std::function<QList<Seitenbild>(const Druckflaeche &)> &baue, int anschnitt)
{
    return DruckeSeite(Druckseite{etiketten, baue, anschnitt}, Blattseite::Vorderseite) != Druckergebnis::Nichts;
}

TFormEtikette::Druckergebnis TFormEtikette::DruckeSeite(const Druckseite &seite, Blattseite blattseite,
                                                        const std::function<Druckseite()> &rueckseite)
{
    QPrinter &drucker = Drucker();
    if (!dialoge().druckDialog(drucker))
        return Druckergebnis::Nichts;
    Druckmodul &modul = m_umgebung.druckmodul();
    // Whatever the dialog's printer properties chose: the margins are checked on the page that prints.
    modul.aufA4(drucker);
    const Druckflaeche flaeche = modul.flaecheVon(drucker, blattseite);
    const std::optional<Druckraender> raender = modul.unbedruckbareRaender(drucker);
    ZeigeDruckraender(raender);
    const Wendekante kante = m_zustand.Wenden;
    std::optional<Druckseite> hinten;
    if (rueckseite && modul.kannBeidseitig(drucker, kante)
        && dialoge().frage(BeidseitigFrage(raender ? raender->drucker : QString(), kante)))
        hinten = rueckseite();
    const Druckflaeche rueckflaeche = hinten ? modul.flaecheVon(drucker, Blattseite::Rueckseite) : Druckflaeche{};
    if (raender) {
        QStringList verlust = WasAmRandFehlt(seite.etiketten, *raender, flaeche.korrektur);
        QStringList imRand;
        if (const QString satz = AnschnittImRand(seite.etiketten, seite.anschnitt, *raender, flaeche.korrektur);
            !satz.isEmpty())
            imRand << satz;
        if (hinten) {
            for (const QString &satz : WasAmRandFehlt(hinten->etiketten, *raender, rueckflaeche.korrektur))
                verlust << QStringLiteral("Auf der Rückseite: ") + satz;
            if (const QString satz =
                    AnschnittImRand(hinten->etiketten, hinten->anschnitt, *raender, rueckflaeche.korrektur);
                !satz.isEmpty())
                imRand << QStringLiteral("Auf der Rückseite: ") + satz;
        }
        // A bleed alone in the bands costs no label: it is told, not asked about.
        if (verlust.isEmpty() && !imRand.isEmpty())
            dialoge().information(imRand.join(QLatin1Char('\n')));
        else
            verlust += imRand;
        if (!verlust.isEmpty() && !dialoge().randFrage(RandFrage(raender->drucker, verlust, raender->randlosesA4)))
            return Druckergebnis::Nichts;
    }
    if (!hinten) {
        modul.druckeAuf(drucker, seite.baue(flaeche));
        return Druckergebnis::EineSeite;
    }
    modul.druckeBeidseitig(drucker, seite.baue(flaeche), hinten->baue(rueckflaeche), kante);
    return Druckergebnis::BeideSeiten;
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
