// morvane-druck: prints a label's page, as the window's "Drucken" prints it, without the window.
#include "cli/aufruf.h"
#include "cli/ausgabe.h"
#include "cli/etikett.h"
#include "render/druckauftrag.h"
#include "platform/fehler.h"
#include "platform/konsole.h"
#include "storage/etikettdatei.h"
#include "storage/liste.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <memory>

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

// The records of --liste and --nummern, read before any printer is asked. Throws Fehler with the German text.
Datenreihe LiesDaten(const Druckbefehl &befehl, const DruckbaresEtikett &etikett)
{
    if (!etikett.text && !etikett.code)
        throw Fehler(QStringLiteral("Die Einstellungsdatei der Etikette %1 hat weder einen Abschnitt [%2] noch [%3]: "
                                    "es gibt nichts, was die Liste oder die Nummern füllen könnten. Es wurde nichts "
                                    "gedruckt.")
                         .arg(befehl.etikett, TextSektion, CodeSektion));
    Datenreihe reihe;
    if (befehl.liste.isEmpty()) {
        reihe.ersteNummer = befehl.nummern->von;
        reihe.anzahl = befehl.nummern->bis - befehl.nummern->von + 1;
        return reihe;
    }
    Liste liste = LiesListe(befehl.liste);
    if (!liste.hinweis.isEmpty())
        Schreibe(stderr, QStringLiteral("morvane-druck: Warnung: ") + liste.hinweis);
    if (liste.eintraege.isEmpty())
        throw Fehler(QStringLiteral("Die Liste %1 hat keinen Eintrag unter ihrer ersten Zeile. Es wurde nichts "
                                    "gedruckt.")
                         .arg(befehl.liste));
    reihe.liste = befehl.liste;
    reihe.felder = liste.felder;
    reihe.eintraege = liste.eintraege;
    if (const std::optional<Nummernbereich> &n = befehl.nummern) {
        if (n->von < 1 || n->bis > liste.eintraege.size())
            throw Fehler(
                QStringLiteral("Die Liste %1 hat die Einträge 1 bis %2; --nummern %3-%4 reicht darüber hinaus. "
                               "Es wurde nichts gedruckt.")
                    .arg(befehl.liste, QString::number(liste.eintraege.size()), QString::number(n->von),
                         QString::number(n->bis)));
        reihe.eintraege = liste.eintraege.mid(n->von - 1, n->bis - n->von + 1);
        reihe.ersteNummer = n->von;
    }
    return reihe;
}

// Every sheet of a print of records, front and back as the job asks, in their order.
QList<QList<Seitenbild>> DatenSeiten(const Druckauftrag &auftrag, const Druckflaeche &vorne, const Druckflaeche &hinten)
{
    QList<QList<Seitenbild>> seiten;
    for (int bogen = 0; bogen < auftrag.boegen(); ++bogen)
        for (const Blattseite blatt : auftrag.blaetter())
            seiten.append(auftrag.seite(blatt, blatt == Blattseite::Vorderseite ? vorne : hinten, bogen));
    return seiten;
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
    const bool mitDaten = !befehl.liste.isEmpty() || befehl.nummern;
    Datenreihe reihe;
    if (mitDaten) {
        try {
            reihe = LiesDaten(befehl, etikett);
        } catch (const Fehler &f) {
            return Meldung(EtikettUnbrauchbar, f.text());
        }
    }
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
        ? Druckauftrag({etikett.bild, etikett.masse, etikett.anschnitt, etikett.text, etikett.code}, befehl.wahl,
                       hinten)
        : Druckauftrag(bogen.plan, bogen.etiketten, hintenImPlan);
    auftrag.setzeSeiten(seiten);
    auftrag.setzeKante(befehl.kante);
    if (befehl.anschnitt)
        auftrag.setzeAnschnitt(*befehl.anschnitt);
    auftrag.setzeProbedruck(befehl.probedruck);
    auftrag.setzeSchnittmarken(befehl.schnittmarken
                               || (befehl.bogen.isEmpty() ? etikett.schnittmarken : bogen.schnittmarken));

    if (mitDaten)
        auftrag.setzeDaten(reihe, {befehl.wahl.spalte, befehl.wahl.zeile});

    // The printer needs an application object. A page of pictures alone needs no platform plugin and no fonts;
    // text does, and gets them from the offscreen platform, so that no display is ever asked for either way.
    const bool mitSchrift = befehl.bogen.isEmpty()
        ? etikett.text || etikett.code
        : std::any_of(bogen.etiketten.begin(), bogen.etiketten.end(),
                      [](const Seitenetikett &e) { return e.text || e.code; });
    std::unique_ptr<QCoreApplication> app;
    if (mitSchrift) {
#ifndef Q_OS_WIN
        // Windows always has its desktop, and its own platform is the one the installer ships.
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // Anything the person would be asked about in the window stops the command before a file or a printer is
    // touched.
    if (const Datenhinweise hinweise = auftrag.vorDemDruck(); !hinweise.leer())
        return Meldung(EtikettUnbrauchbar, hinweise.text() + QStringLiteral("\nEs wurde nichts gedruckt."));
    try {
        Ausgabe ausgabe(befehl);
        const Druckflaeche vorne = ausgabe.flaeche(Blattseite::Vorderseite);
        const Druckflaeche rueck = ausgabe.flaeche(Blattseite::Rueckseite);
        QList<QList<Seitenbild>> blaetter;
        try {
            if (auftrag.leer())
                throw Fehler(LeereSeiteMeldung());
            if (auftrag.hatDaten())
                blaetter = DatenSeiten(auftrag, vorne, rueck);
            else
                for (const Blattseite blatt : auftrag.blaetter())
                    blaetter.append(auftrag.seite(blatt, blatt == Blattseite::Vorderseite ? vorne : rueck));
        } catch (const Fehler &f) {
            return Meldung(EtikettUnbrauchbar, f.text());
        }
        SageRand(auftrag, ausgabe, vorne, rueck);
        if (auftrag.hatDaten()) {
            const bool beidseitig = seiten == Druckseiten::Beide;
            if (beidseitig && befehl.pdf.isEmpty() && !ausgabe.kannBeidseitig(befehl.kante))
                Schreibe(stderr,
                         QStringLiteral("morvane-druck: Der Drucker druckt nicht beidseitig; jede Rückseite "
                                        "kommt als eigenes Blatt."));
            ausgabe.druckeSeiten(blaetter, beidseitig ? std::optional<Wendekante>(befehl.kante) : std::nullopt);
            return Gedruckt;
        }
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
