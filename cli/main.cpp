// morvane-druck: prints a label's page, as the window's "Drucken" prints it, without the window.
#include "cli/aufruf.h"
#include "cli/ausgabe.h"
#include "cli/etikett.h"
#include "render/druckauftrag.h"
#include "platform/fehler.h"
#include "platform/konsole.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>

namespace {

void Schreibe(FILE *strom, const QString &text)
{
    // The window's messages end their lines in CR LF; a terminal wants LF.
    QString zeilen = text;
    zeilen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!zeilen.endsWith(QLatin1Char('\n')))
        zeilen += QLatin1Char('\n');
    SchreibeKonsole(strom, zeilen);
}

int Meldung(int status, const QString &text)
{
    Schreibe(stderr, QStringLiteral("morvane-druck: ") + text);
    return status;
}

// Qt's own warnings (a painter that cannot begin, a picture reader) would only repeat our message in English.
void NurUnsere(QtMsgType art, const QMessageLogContext &zusammenhang, const QString &text)
{
    const bool unsere = zusammenhang.category && qstrncmp(zusammenhang.category, "morvane.", 8) == 0;
    if (unsere || art == QtCriticalMsg || art == QtFatalMsg)
        Schreibe(stderr, qFormatLogMessage(art, zusammenhang, text));
}

// The sentences of what the printer's bands take, said before the page goes: the person asked for this printer.
void SageRand(const Druckauftrag &auftrag, const Ausgabe &ausgabe, const Druckflaeche &vorne,
              const Druckflaeche &hinten)
{
    const std::optional<Druckraender> raender = ausgabe.raender();
    if (!raender)
        return;
    for (const Randsaetze &seite : auftrag.rand(*raender, vorne.korrektur, hinten.korrektur)) {
        for (const QString &satz : seite.verlust)
            Schreibe(stderr, QStringLiteral("morvane-druck: ") + satz);
        if (!seite.imRand.isEmpty())
            Schreibe(stderr, QStringLiteral("morvane-druck: ") + seite.imRand);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QStringList argumente;
    for (int i = 1; i < argc; ++i)
        argumente.append(QString::fromLocal8Bit(argv[i]));
    const Aufruf aufruf = LiesAufruf(argumente);
    if (std::holds_alternative<Hilfewunsch>(aufruf)) {
        Schreibe(stdout, Hilfetext());
        return Gedruckt;
    }
    if (const auto *fehler = std::get_if<Aufruffehler>(&aufruf))
        return Meldung(FalscherAufruf,
                       fehler->text + QLatin1Char('\n') + Aufrufzeile()
                           + QStringLiteral("\nMehr dazu: morvane-druck --help"));
    const Druckbefehl &befehl = std::get<Druckbefehl>(aufruf);

    qInstallMessageHandler(NurUnsere);
    DruckbaresEtikett etikett;
    DruckbarerBogen bogen;
    try {
        if (befehl.bogen.isEmpty())
            etikett = LadeEtikett(befehl.etikett, befehl.wahl);
        else
            bogen = LadeBogen(befehl.bogen, {befehl.wahl.spalte, befehl.wahl.zeile});
    } catch (const Fehler &f) {
        return Meldung(EtikettUnbrauchbar, f.text());
    }
    // Known only now: the backs that the settings files name.
    if (const QString ziel = PdfZielIstGelesen(befehl, etikett, bogen); !ziel.isEmpty())
        return Meldung(FalscherAufruf, ziel);
    if (!etikett.warnung.isEmpty())
        Schreibe(stderr, QStringLiteral("morvane-druck: Warnung: ") + etikett.warnung);
    const Druckseiten seiten = befehl.beidseitig ? Druckseiten::Beide
        : befehl.rueckseite                      ? Druckseiten::Rueckseite
                                                 : Druckseiten::Vorderseite;
    // The backs are read before any printer is asked, as the fronts are.
    QImage hinten;
    QList<QImage> hintenImPlan;
    if (seiten != Druckseiten::Vorderseite) {
        try {
            if (befehl.bogen.isEmpty())
                hinten = LadeRueckseite(befehl.etikett, etikett);
            else
                hintenImPlan = LadeRueckseiten(befehl.bogen, bogen);
        } catch (const Fehler &f) {
            return Meldung(EtikettUnbrauchbar, f.text());
        }
    }
    Druckauftrag auftrag = befehl.bogen.isEmpty()
        ? Druckauftrag({etikett.bild, etikett.masse, etikett.anschnitt}, befehl.wahl, hinten)
        : Druckauftrag(bogen.plan, bogen.etiketten, hintenImPlan);
    auftrag.setzeSeiten(seiten);
    auftrag.setzeKante(befehl.kante);
    if (befehl.anschnitt)
        auftrag.setzeAnschnitt(*befehl.anschnitt);
    auftrag.setzeProbedruck(befehl.probedruck);
    auftrag.setzeSchnittmarken(befehl.schnittmarken
                               || (befehl.bogen.isEmpty() ? etikett.schnittmarken : bogen.schnittmarken));

    // The printer needs an application object, but the page is only pictures: no platform plugin and no fonts,
    // so no display is ever asked for.
    QCoreApplication app(argc, argv);
    try {
        Ausgabe ausgabe(befehl);
        const Druckflaeche vorne = ausgabe.flaeche(Blattseite::Vorderseite);
        const Druckflaeche rueck = ausgabe.flaeche(Blattseite::Rueckseite);
        QList<QList<Seitenbild>> blaetter;
        try {
            if (auftrag.leer())
                throw Fehler(LeereSeiteMeldung());
            for (const Blattseite blatt : auftrag.blaetter())
                blaetter.append(auftrag.seite(blatt, blatt == Blattseite::Vorderseite ? vorne : rueck));
        } catch (const Fehler &f) {
            return Meldung(EtikettUnbrauchbar, f.text());
        }
        SageRand(auftrag, ausgabe, vorne, rueck);
        if (seiten != Druckseiten::Beide) {
            ausgabe.drucke(blaetter.front());
            return Gedruckt;
        }
        if (befehl.pdf.isEmpty() && !ausgabe.kannBeidseitig(befehl.kante))
            Schreibe(stderr,
                     QStringLiteral("morvane-druck: Der Drucker druckt nicht beidseitig; die Rückseite kommt als "
                                    "zweites Blatt."));
        ausgabe.druckeBeidseitig(blaetter[0], blaetter[1], befehl.kante);
    } catch (const Fehler &f) {
        return Meldung(NichtGedruckt, f.text());
    }
    return Gedruckt;
}
