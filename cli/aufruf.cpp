#include "cli/aufruf.h"

#include "storage/etikettdatei.h"
#include "storage/liste.h"

#include <QDir>
#include <QRegularExpression>

#include <limits>
#include <optional>

namespace {

// A whole number from 1 up, in decimal digits only; none when it is anything else or beyond int.
std::optional<int> Nummer(const QString &text, int hoechstens = std::numeric_limits<int>::max())
{
    static const QRegularExpression ziffern(QStringLiteral("^[0-9]+$"));
    if (!ziffern.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1 || n > hoechstens)
        return std::nullopt;
    return n;
}

Aufruffehler Fehlertext(const QString &text)
{
    return {text};
}

} // namespace

QString Aufrufzeile()
{
    return QStringLiteral("Aufruf: morvane-druck [--pdf DATEI | --drucker NAME] "
                          "[--einzeln SPALTE,ZEILE | --zeile N | --seite] [--rueckseite | --beidseitig] "
                          "[--kurze-kante] [--kopien N] [--anschnitt MM] [--probedruck] [--schnittmarken] "
                          "ETIKETT.bmp\n"
                          "       morvane-druck [--pdf DATEI | --drucker NAME] [--rueckseite | --beidseitig] "
                          "[--kurze-kante] [--kopien N] [--anschnitt MM] [--probedruck] [--schnittmarken] "
                          "--ab SPALTE,ZEILE ETIKETT.bmp[:ANZAHL] [ETIKETT.bmp[:ANZAHL] ...]\n"
                          "       morvane-druck [--pdf DATEI | --drucker NAME] [--rueckseite | --beidseitig] "
                          "[--kurze-kante] [--kopien N] [--anschnitt MM] [--probedruck] [--schnittmarken] "
                          "[--ab SPALTE,ZEILE] (--liste DATEI [--nummern VON-BIS] | --nummern VON-BIS) ETIKETT.bmp");
}

QString Hilfetext()
{
    return Aufrufzeile()
        + QStringLiteral(
              "\n\n"
              "Druckt eine Etikette auf eine A4-Seite, mit den Maßen aus ihrer Einstellungsdatei (ETIKETT.ini)\n"
              "und genau so, wie Morvane sie mit \"Drucken\" druckt.\n\n"
              "Wohin (ohne Angabe: auf den Standarddrucker):\n"
              "  --pdf DATEI             in eine PDF-Datei\n"
              "  --drucker NAME          auf den Drucker NAME\n\n"
              "Was (ohne Angabe: --einzeln 1,1):\n"
              "  --einzeln SPALTE,ZEILE  nur eine Etikette an dieser Stelle des Bogens\n"
              "  --zeile N               alle Etiketten der Zeile N\n"
              "  --seite                 die ganze Seite\n"
              "  --ab SPALTE,ZEILE       mehrere Etiketten mit denselben Maßen auf einem Bogen: von dieser\n"
              "                          Stelle an die freien Plätze Zeile für Zeile, jede Etikette so oft, wie\n"
              "                          ihre ANZAHL sagt; eine ohne ANZAHL füllt den Rest des Bogens\n\n"
              "Etiketten aus einer Liste (die Etikette braucht einen Abschnitt [%5] oder [%6]):\n"
              "  --liste DATEI           jede Zeile der Liste (CSV oder TSV, die erste Zeile nennt die Felder)\n"
              "                          füllt eine Etikette, ab --ab SPALTE,ZEILE (sonst ab 1,1) auf so vielen\n"
              "                          Bogen, wie es braucht\n"
              "  --nummern VON-BIS       mit --liste nur die Einträge VON bis BIS; ohne Liste Etiketten mit den\n"
              "                          laufenden Nummern VON bis BIS ({Nr}, {Nr:4} mit Nullen auf vier Stellen)\n\n"
              "Welche Seite des Blattes (ohne Angabe: die Vorderseite):\n"
              "  --rueckseite            die Rückseite: jedes Bild, das der Abschnitt [%2] der\n"
              "                          Einstellungsdatei nennt, hinter seiner Vorderseite, für das über die\n"
              "                          lange Kante gewendete Blatt\n"
              "  --beidseitig            Vorder- und Rückseite als zwei Seiten eines Auftrags; der Drucker wird\n"
              "                          gebeten, beidseitig über die lange Kante zu drucken\n"
              "  --kurze-kante           das Blatt wird für die Rückseite über die kurze Kante gewendet: die\n"
              "                          Rückseite um 180 Grad gedreht\n\n"
              "  --kopien N              N Exemplare auf dem Drucker (1 bis %1)\n"
              "  --anschnitt MM          das Bild läuft MM Millimeter (0 bis 3, Punkt und höchstens zwei\n"
              "                          Nachkommastellen) über den Rand jeder Etikette hinaus, höchstens bis zur\n"
              "                          Mitte des Abstands zur Nachbarin; statt [%3] der Einstellungsdatei,\n"
              "                          0 druckt ohne Anschnitt\n"
              "  --probedruck            ein Probedruck auf Normalpapier: jeder Platz des Bogens dünn umrandet,\n"
              "                          wo die Etikette des Bogens liegt, mit seiner Nummer; zum Auflegen auf\n"
              "                          den Etikettenbogen\n"
              "  --schnittmarken         Schnittmarken auf der Vorderseite, zum Schneiden aus Karton; auch ohne\n"
              "                          diese Option, wenn der Abschnitt [%4] der Einstellungsdatei\n"
              "                          sie verlangt\n"
              "  --help                  diese Hilfe\n\n"
              "Rückgabewert: 0 gedruckt, 1 falscher Aufruf (auch: die PDF-Datei wäre das Bild oder die\n"
              "Einstellungsdatei der Etikette), 2 die Etikette ist so nicht zu drucken (Bild oder Einstellungsdatei\n"
              "fehlt oder ist nicht lesbar, das Bild ist zu groß, der Bogen passt nicht auf A4, die Etikette ist\n"
              "schmaler oder niedriger als 1 mm, die Stelle liegt nicht auf dem Bogen, Etiketten verschiedener\n"
              "Maße, zu wenige freie Plätze, keine Rückseite oder eine, die fehlt oder nicht lesbar ist; die Liste\n"
              "fehlt oder ist unbrauchbar, ein Platzhalter ohne Feld, ein Eintrag, der auch in 6 pt nicht passt,\n"
              "ein Inhalt, den der Code nicht fassen kann: es wird dann nichts gedruckt), 3 der\n"
              "Drucker oder die PDF-Datei ließ sich nicht beschreiben (auch: sie ist schreibgeschützt oder gehört\n"
              "einem anderen Benutzer).\n")
              .arg(MeisteKopien)
              .arg(RueckseitenSektion, AnschnittSektion, SchnittmarkenSektion, TextSektion, CodeSektion);
}

Aufruf LiesAufruf(const QStringList &argumente)
{
    Druckbefehl auftrag;
    bool zielGewaehlt = false;
    bool artGewaehlt = false;
    bool kopienGewaehlt = false;
    bool etikettGewaehlt = false;
    bool nurNochDateien = false;
    bool ab = false;
    bool kanteGewaehlt = false;
    QStringList etiketten;

    for (qsizetype i = 0; i < argumente.size(); ++i) {
        const QString &argument = argumente[i];
        if (nurNochDateien || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            if (argument.isEmpty())
                return Fehlertext(QStringLiteral("Der Name der Etikette ist leer."));
            // Messages show the path as the system writes paths.
            etiketten.append(QDir::toNativeSeparators(argument));
            if (!etikettGewaehlt)
                auftrag.etikett = etiketten.front();
            etikettGewaehlt = true;
            continue;
        }
        if (argument == QLatin1String("--")) {
            nurNochDateien = true;
            continue;
        }
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return Hilfewunsch{};

        QString option = argument;
        std::optional<QString> wert;
        if (const qsizetype gleich = argument.indexOf(QLatin1Char('='));
            gleich > 0 && argument.startsWith(QLatin1String("--"))) {
            option = argument.left(gleich);
            wert = argument.mid(gleich + 1);
        }
        const bool mitWert = option == QLatin1String("--pdf") || option == QLatin1String("--drucker")
            || option == QLatin1String("--einzeln") || option == QLatin1String("--zeile")
            || option == QLatin1String("--kopien") || option == QLatin1String("--ab")
            || option == QLatin1String("--anschnitt") || option == QLatin1String("--liste")
            || option == QLatin1String("--nummern");
        const bool seitenOption = option == QLatin1String("--rueckseite") || option == QLatin1String("--beidseitig")
            || option == QLatin1String("--kurze-kante");
        const bool zeichenOption =
            option == QLatin1String("--probedruck") || option == QLatin1String("--schnittmarken");
        if (!mitWert && option != QLatin1String("--seite") && !seitenOption && !zeichenOption)
            return Fehlertext(QStringLiteral("Unbekannte Option: %1").arg(argument));
        if (!mitWert && wert)
            return Fehlertext(QStringLiteral("Die Option %1 nimmt keinen Wert.").arg(option));
        if (mitWert && !wert) {
            if (i + 1 >= argumente.size())
                return Fehlertext(QStringLiteral("Nach %1 fehlt der Wert.").arg(option));
            wert = argumente[++i];
        }

        if (option == QLatin1String("--pdf") || option == QLatin1String("--drucker")) {
            if (zielGewaehlt)
                return Fehlertext(QStringLiteral("Nur ein Ziel je Aufruf: --pdf DATEI oder --drucker NAME."));
            if (wert->isEmpty())
                return Fehlertext(option == QLatin1String("--pdf")
                                      ? QStringLiteral("Nach --pdf fehlt der Name der PDF-Datei.")
                                      : QStringLiteral("Nach --drucker fehlt der Name des Druckers."));
            if (option == QLatin1String("--pdf"))
                auftrag.pdf = QDir::toNativeSeparators(*wert);
            else
                auftrag.drucker = *wert;
            zielGewaehlt = true;
        } else if (option == QLatin1String("--kopien")) {
            if (kopienGewaehlt)
                return Fehlertext(QStringLiteral("Die Option --kopien steht mehr als einmal im Aufruf."));
            const std::optional<int> n = Nummer(*wert, MeisteKopien);
            if (!n)
                return Fehlertext(QStringLiteral("--kopien braucht eine Anzahl von 1 bis %1, nicht \"%2\".")
                                      .arg(MeisteKopien)
                                      .arg(*wert));
            auftrag.kopien = *n;
            kopienGewaehlt = true;
        } else if (zeichenOption) {
            bool &gewaehlt = option == QLatin1String("--probedruck") ? auftrag.probedruck : auftrag.schnittmarken;
            if (gewaehlt)
                return Fehlertext(QStringLiteral("Die Option %1 steht mehr als einmal im Aufruf.").arg(option));
            gewaehlt = true;
        } else if (option == QLatin1String("--kurze-kante")) {
            if (kanteGewaehlt)
                return Fehlertext(QStringLiteral("Die Option --kurze-kante steht mehr als einmal im Aufruf."));
            kanteGewaehlt = true;
            auftrag.kante = Wendekante::Kurz;
        } else if (seitenOption) {
            bool &gewaehlt = option == QLatin1String("--rueckseite") ? auftrag.rueckseite : auftrag.beidseitig;
            if (gewaehlt)
                return Fehlertext(QStringLiteral("Die Option %1 steht mehr als einmal im Aufruf.").arg(option));
            if (auftrag.rueckseite || auftrag.beidseitig)
                return Fehlertext(QStringLiteral(
                    "Nur eines je Aufruf: --rueckseite druckt die Rückseite allein, --beidseitig beide Seiten."));
            gewaehlt = true;
        } else if (option == QLatin1String("--anschnitt")) {
            if (auftrag.anschnitt)
                return Fehlertext(QStringLiteral("Die Option --anschnitt steht mehr als einmal im Aufruf."));
            auftrag.anschnitt = AnschnittAusText(*wert);
            if (!auftrag.anschnitt)
                return Fehlertext(QStringLiteral("--anschnitt braucht Millimeter von 0 bis 3, mit Punkt und höchstens "
                                                 "zwei Nachkommastellen, zum Beispiel --anschnitt 1.5, nicht \"%1\".")
                                      .arg(*wert));
        } else if (option == QLatin1String("--liste")) {
            if (!auftrag.liste.isEmpty())
                return Fehlertext(QStringLiteral("Die Option --liste steht mehr als einmal im Aufruf."));
            if (wert->isEmpty())
                return Fehlertext(QStringLiteral("Nach --liste fehlt der Name der Liste."));
            auftrag.liste = QDir::toNativeSeparators(*wert);
        } else if (option == QLatin1String("--nummern")) {
            if (auftrag.nummern)
                return Fehlertext(QStringLiteral("Die Option --nummern steht mehr als einmal im Aufruf."));
            static const QRegularExpression bereich(QStringLiteral("^([0-9]{1,9})-([0-9]{1,9})$"));
            const QRegularExpressionMatch treffer = bereich.match(*wert);
            const qint64 von = treffer.hasMatch() ? treffer.captured(1).toLongLong() : 0;
            const qint64 bis = treffer.hasMatch() ? treffer.captured(2).toLongLong() : -1;
            if (bis < von || bis - von >= MeisteEintraege)
                return Fehlertext(QStringLiteral("--nummern braucht VON-BIS, zwei Nummern, VON nicht größer als BIS "
                                                 "und höchstens %1 Etiketten, zum Beispiel --nummern 7-30, nicht "
                                                 "\"%2\".")
                                      .arg(MeisteEintraege)
                                      .arg(*wert));
            auftrag.nummern = Nummernbereich{von, bis};
        } else if (option == QLatin1String("--ab")) {
            if (artGewaehlt)
                return Fehlertext(QStringLiteral(
                    "--ab füllt einen Bogen und steht nicht zusammen mit --einzeln, --zeile, --seite oder --ab."));
            artGewaehlt = true;
            ab = true;
            const QStringList teile = wert->split(QLatin1Char(','));
            const std::optional<int> spalte = teile.size() == 2 ? Nummer(teile[0]) : std::nullopt;
            const std::optional<int> zeile = teile.size() == 2 ? Nummer(teile[1]) : std::nullopt;
            if (!spalte || !zeile)
                return Fehlertext(QStringLiteral("--ab braucht SPALTE,ZEILE als zwei Nummern ab 1, zum "
                                                 "Beispiel --ab 2,3, nicht \"%1\".")
                                      .arg(*wert));
            auftrag.wahl = {Druckumfang::EineEtikette, *spalte, *zeile};
        } else {
            if (artGewaehlt && ab)
                return Fehlertext(QStringLiteral(
                    "--ab füllt einen Bogen und steht nicht zusammen mit --einzeln, --zeile, --seite oder --ab."));
            if (artGewaehlt)
                return Fehlertext(
                    QStringLiteral("Nur eine Druckart je Aufruf: --einzeln SPALTE,ZEILE, --zeile N oder --seite."));
            artGewaehlt = true;
            if (option == QLatin1String("--seite")) {
                auftrag.wahl = {Druckumfang::GanzeSeite, 1, 1};
            } else if (option == QLatin1String("--zeile")) {
                const std::optional<int> n = Nummer(*wert);
                if (!n)
                    return Fehlertext(
                        QStringLiteral("--zeile braucht eine Zeilennummer ab 1, nicht \"%1\".").arg(*wert));
                auftrag.wahl = {Druckumfang::EineZeile, 1, *n};
            } else {
                const QStringList teile = wert->split(QLatin1Char(','));
                const std::optional<int> spalte = teile.size() == 2 ? Nummer(teile[0]) : std::nullopt;
                const std::optional<int> zeile = teile.size() == 2 ? Nummer(teile[1]) : std::nullopt;
                if (!spalte || !zeile)
                    return Fehlertext(QStringLiteral("--einzeln braucht SPALTE,ZEILE als zwei Nummern ab 1, zum "
                                                     "Beispiel --einzeln 2,3, nicht \"%1\".")
                                          .arg(*wert));
                auftrag.wahl = {Druckumfang::EineEtikette, *spalte, *zeile};
            }
        }
    }
    if (!etikettGewaehlt)
        return Fehlertext(QStringLiteral("Welche Etikette? Die Bilddatei fehlt im Aufruf."));
    if (!ab && etiketten.size() > 1)
        return Fehlertext(QStringLiteral("Nur eine Etikette je Aufruf: %1 oder %2?").arg(etiketten[0], etiketten[1]));
    if (ab) {
        // A count is digits after the name's last colon; a Windows drive's colon is followed by a separator.
        static const QRegularExpression mitAnzahl(QStringLiteral("^(.+):([0-9]+)$"));
        for (const QString &e : std::as_const(etiketten)) {
            const QRegularExpressionMatch treffer = mitAnzahl.match(e);
            if (!treffer.hasMatch()) {
                auftrag.bogen.append({e, std::nullopt});
                continue;
            }
            const std::optional<int> anzahl = Nummer(treffer.captured(2));
            if (!anzahl)
                return Fehlertext(QStringLiteral("Die Anzahl nach dem Doppelpunkt ist eine Nummer ab 1, nicht \"%1\" "
                                                 "in %2.")
                                      .arg(treffer.captured(2), e));
            auftrag.bogen.append({treffer.captured(1), *anzahl});
        }
        auftrag.etikett = auftrag.bogen.front().etikett;
    }
    if (!auftrag.liste.isEmpty() || auftrag.nummern) {
        if (artGewaehlt && !ab)
            return Fehlertext(QStringLiteral("--liste und --nummern füllen die Plätze ab --ab SPALTE,ZEILE und stehen "
                                             "nicht zusammen mit --einzeln, --zeile oder --seite."));
        if (auftrag.bogen.size() > 1 || (ab && auftrag.bogen.front().anzahl))
            return Fehlertext(QStringLiteral("--liste und --nummern füllen so viele Plätze, wie es Einträge gibt, "
                                             "mit einer Etikette ohne ANZAHL."));
        // One label from a place on: its place in `wahl`, without a plan.
        auftrag.bogen.clear();
        if (!ab)
            auftrag.wahl = {Druckumfang::EineEtikette, 1, 1};
    }
    if (kanteGewaehlt && !auftrag.rueckseite && !auftrag.beidseitig)
        return Fehlertext(QStringLiteral("--kurze-kante gilt für die Rückseite: nur zusammen mit --rueckseite oder "
                                         "--beidseitig."));
    // A PDF file holds the page once, whatever the copy count: refused rather than silently ignored.
    if (!auftrag.pdf.isEmpty() && auftrag.kopien > 1)
        return Fehlertext(
            QStringLiteral("--kopien gilt nur für einen Drucker; die PDF-Datei enthält die Seite einmal."));
    return auftrag;
}
