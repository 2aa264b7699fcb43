// morvane-druck: prints a label's page, as the window's "Drucken" prints it, without the window.
#include "cli/aufruf.h"
#include "cli/ausgabe.h"
#include "cli/etikett.h"
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

// The largest bleed of the job's labels, for the margin check.
int GroessterAnschnitt(const DruckbaresEtikett &etikett, const DruckbarerBogen &bogen)
{
    int anschnitt = etikett.masse.Anschnitt;
    for (const Seitenetikett &e : bogen.etiketten)
        anschnitt = std::max(anschnitt, e.masse.Anschnitt);
    return anschnitt;
}

// The back page, or front and back as one two-sided job: the back's places are the front's, its correction the
// back's. Errors of the page give EtikettUnbrauchbar; the printer's are thrown on.
int DruckeMitRueckseite(const Druckauftrag &auftrag, const DruckbaresEtikett &etikett, const DruckbarerBogen &bogen,
                        const QList<Seitenetikett> &rueckseiten, Ausgabe &ausgabe, const Druckflaeche &flaeche)
{
    const Druckflaeche rueckflaeche = ausgabe.flaeche(Blattseite::Rueckseite);
    const bool einzeln = auftrag.bogen.isEmpty();
    QList<Seitenbild> vorne, hinten;
    QList<GedrucktesEtikett> vorneOrte, hintenOrte;
    try {
        if (einzeln) {
            vorne = {BaueSeite(etikett.bild, etikett.masse, auftrag.wahl, flaeche)};
            if (SeiteLeer(vorne.front(), etikett.masse, auftrag.wahl))
                throw Fehler(LeereSeiteMeldung());
            hinten = {BaueRueckseite(etikett.bild.size(), rueckseiten.front().bild, etikett.masse, auftrag.wahl,
                                     rueckflaeche, auftrag.kante)};
            vorneOrte = GedruckteEtiketten(etikett.bild.size(), etikett.masse, auftrag.wahl);
            hintenOrte = AufDerRueckseite(vorneOrte, auftrag.kante);
        } else {
            vorne = BaueSeite(bogen.plan, bogen.etiketten, flaeche);
            const Seitenwahl platz{Druckumfang::EineEtikette, 1, 1};
            if (std::all_of(vorne.begin(), vorne.end(),
                            [&](const Seitenbild &s) { return SeiteLeer(s, bogen.plan.masse, platz); }))
                throw Fehler(LeereSeiteMeldung());
            hinten = BaueRueckseite(bogen.plan, rueckseiten, rueckflaeche, auftrag.kante);
            vorneOrte = GedruckteEtiketten(bogen.plan);
            for (qsizetype i = 0; i < bogen.plan.plaetze.size(); ++i)
                if (!rueckseiten.value(bogen.plan.plaetze[i].etikett).bild.isNull())
                    hintenOrte.append(AufDerRueckseite({vorneOrte[i]}, auftrag.kante));
        }
    } catch (const Fehler &f) {
        return Meldung(EtikettUnbrauchbar, f.text());
    }
    const int anschnitt = GroessterAnschnitt(etikett, bogen);
    if (!auftrag.beidseitig) {
        for (const QString &zeile : ausgabe.randverlust(hintenOrte, rueckflaeche.korrektur, anschnitt))
            Schreibe(stderr, QStringLiteral("morvane-druck: ") + zeile);
        ausgabe.drucke(hinten);
        return Gedruckt;
    }
    for (const QString &zeile : ausgabe.randverlust(vorneOrte, flaeche.korrektur, anschnitt))
        Schreibe(stderr, QStringLiteral("morvane-druck: ") + zeile);
    for (const QString &zeile : ausgabe.randverlust(hintenOrte, rueckflaeche.korrektur, anschnitt))
        Schreibe(stderr, QStringLiteral("morvane-druck: Auf der Rückseite: ") + zeile);
    if (auftrag.pdf.isEmpty() && !ausgabe.kannBeidseitig(auftrag.kante))
        Schreibe(stderr,
                 QStringLiteral("morvane-druck: Der Drucker druckt nicht beidseitig; die Rückseite kommt als "
                                "zweites Blatt."));
    ausgabe.druckeBeidseitig(vorne, hinten, auftrag.kante);
    return Gedruckt;
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
    const Druckauftrag &auftrag = std::get<Druckauftrag>(aufruf);

    qInstallMessageHandler(NurUnsere);
    DruckbaresEtikett etikett;
    DruckbarerBogen bogen;
    try {
        if (auftrag.bogen.isEmpty())
            etikett = LadeEtikett(auftrag.etikett, auftrag.wahl);
        else
            bogen = LadeBogen(auftrag.bogen, {auftrag.wahl.spalte, auftrag.wahl.zeile});
    } catch (const Fehler &f) {
        return Meldung(EtikettUnbrauchbar, f.text());
    }
    // Known only now: the backs that the settings files name.
    if (const QString ziel = PdfZielIstGelesen(auftrag, etikett, bogen); !ziel.isEmpty())
        return Meldung(FalscherAufruf, ziel);
    if (auftrag.anschnitt) {
        etikett.masse.Anschnitt = *auftrag.anschnitt;
        for (Seitenetikett &e : bogen.etiketten)
            e.masse.Anschnitt = *auftrag.anschnitt;
    }
    if (!etikett.warnung.isEmpty())
        Schreibe(stderr, QStringLiteral("morvane-druck: Warnung: ") + etikett.warnung);
    // The backs are read before any printer is asked, as the fronts are.
    QList<Seitenetikett> rueckseiten;
    if (auftrag.rueckseite || auftrag.beidseitig) {
        try {
            rueckseiten = auftrag.bogen.isEmpty()
                ? QList<Seitenetikett>{{LadeRueckseite(auftrag.etikett, etikett), etikett.masse}}
                : LadeRueckseiten(auftrag.bogen, bogen);
        } catch (const Fehler &f) {
            return Meldung(EtikettUnbrauchbar, f.text());
        }
    }

    // The printer needs an application object, but the page is only pictures: no platform plugin and no fonts,
    // so no display is ever asked for.
    QCoreApplication app(argc, argv);
    try {
        Ausgabe ausgabe(auftrag);
        const Druckflaeche flaeche = ausgabe.flaeche();
        if (!rueckseiten.isEmpty())
            return DruckeMitRueckseite(auftrag, etikett, bogen, rueckseiten, ausgabe, flaeche);
        QList<Seitenbild> seite;
        try {
            if (auftrag.bogen.isEmpty()) {
                seite = {BaueSeite(etikett.bild, etikett.masse, auftrag.wahl, flaeche)};
                if (SeiteLeer(seite.front(), etikett.masse, auftrag.wahl))
                    throw Fehler(LeereSeiteMeldung());
            } else {
                seite = BaueSeite(bogen.plan, bogen.etiketten, flaeche);
                const Seitenwahl einzeln{Druckumfang::EineEtikette, 1, 1};
                if (std::all_of(seite.begin(), seite.end(),
                                [&](const Seitenbild &s) { return SeiteLeer(s, bogen.plan.masse, einzeln); }))
                    throw Fehler(LeereSeiteMeldung());
            }
        } catch (const Fehler &f) {
            return Meldung(EtikettUnbrauchbar, f.text());
        }
        // Said before the page goes, and the page goes: the person asked for this printer.
        const QList<GedrucktesEtikett> etiketten = auftrag.bogen.isEmpty()
            ? GedruckteEtiketten(etikett.bild.size(), etikett.masse, auftrag.wahl)
            : GedruckteEtiketten(bogen.plan);
        for (const QString &zeile :
             ausgabe.randverlust(etiketten, flaeche.korrektur, GroessterAnschnitt(etikett, bogen)))
            Schreibe(stderr, QStringLiteral("morvane-druck: ") + zeile);
        ausgabe.drucke(seite);
    } catch (const Fehler &f) {
        return Meldung(NichtGedruckt, f.text());
    }
    return Gedruckt;
}
