#include "cli/etikett.h"

#include "layout/passung.h"
#include "platform/fehler.h"
#include "storage/bilddatei.h"
#include "storage/einstellungen.h"
#include "storage/etikettdatei.h"
#include "storage/rueckseite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>

DruckbaresEtikett LadeEtikett(const QString &bildPfad, const Seitenwahl &wahl)
{
    DruckbaresEtikett e;
    e.bild = LeseBild(bildPfad);
    if (e.bild.isNull())
        throw Fehler(KeinLesbaresBild(bildPfad));

    const QString ini = EinstellungsPfad(bildPfad);
    // The window would go on with whatever measures it showed; without a window there are none to go on with.
    if (ini.isEmpty())
        throw Fehler(QStringLiteral("Zur Bilddatei %1 gehört keine Einstellungsdatei.").arg(bildPfad));
    if (!QFileInfo(ini).isFile())
        throw Fehler(QStringLiteral("Die Einstellungsdatei %1 fehlt.").arg(ini));
    QFile datei(ini);
    if (!datei.open(QIODevice::ReadOnly))
        throw DateiNichtZuOeffnen(ini);
    const GeleseneEtikettdatei gelesen = LiesEtikettinhalt(datei.readAll(), Anfangsmasse);
    if (!gelesen.fehler.isEmpty())
        throw Fehler(QStringLiteral("Die Einstellungsdatei %1 enthält einen ungültigen Wert: %2 (%3)")
                         .arg(ini, gelesen.fehlerStelle, gelesen.fehler));
    // An empty file, or one that is no settings file at all, would print a label of the editors' start values.
    if (std::none_of(gelesen.vorhanden.begin(), gelesen.vorhanden.end(), [](bool da) { return da; }))
        throw Fehler(QStringLiteral("Die Einstellungsdatei %1 enthält keines der acht Maße des Abschnitts [%2].")
                         .arg(ini, EinstellungsSektion));
    // The window's editors would show 1 mm; on paper such a label is nothing.
    for (const Massfeld groesse : {&Bogenmasse::Etikettenbreite, &Bogenmasse::Etikettenhoehe})
        if (const QString &text = gelesen.angehoben[MassIndex(groesse)]; !text.isEmpty())
            throw Fehler(QStringLiteral("Die Einstellungsdatei %1 gibt der Etikette keine Größe: %2=%3. So lässt sie "
                                        "sich nicht drucken. Es wurde nichts gedruckt.")
                             .arg(ini, QLatin1String(Massangaben[MassIndex(groesse)].schluessel), text));
    e.masse = gelesen.inhalt.masse;
    e.anschnitt = gelesen.inhalt.anschnitt;
    e.rueckseite = gelesen.inhalt.rueckseite;
    e.schnittmarken = gelesen.inhalt.schnittmarken;
    e.text = gelesen.inhalt.text;
    e.code = gelesen.inhalt.code;
    e.warnung = gelesen.unbenutzt(ini).replace(QStringLiteral("\n\n"), QStringLiteral(" "));
    if (const QString hindernis = DruckHindernis(e.masse); !hindernis.isEmpty())
        throw Fehler(hindernis);

    const int inZeile = e.masse.AnzahlEtikettenInZeile;
    const int inSpalte = e.masse.AnzahlEtikettenInSpalte;
    if (wahl.umfang == Druckumfang::EineEtikette && (wahl.spalte > inZeile || wahl.zeile > inSpalte))
        throw Fehler(StelleNichtAufDemBogen(e.masse, {wahl.spalte, wahl.zeile}));
    if (wahl.umfang == Druckumfang::EineZeile && wahl.zeile > inSpalte)
        throw Fehler(QStringLiteral("Die Zeile %1 liegt nicht auf dem Bogen: er hat %2.")
                         .arg(wahl.zeile)
                         .arg(inSpalte == 1 ? QStringLiteral("1 Zeile") : QStringLiteral("%1 Zeilen").arg(inSpalte)));
    return e;
}

DruckbarerBogen LadeBogen(const QList<Bogenangabe> &etiketten, Platz ab)
{
    DruckbarerBogen bogen;
    Anzahlen anzahlen;
    for (const Bogenangabe &angabe : etiketten) {
        const DruckbaresEtikett e = LadeEtikett(angabe.etikett, {Druckumfang::EineEtikette, ab.spalte, ab.zeile});
        if (bogen.etiketten.isEmpty())
            bogen.schnittmarken = e.schnittmarken;
        if (bogen.etiketten.isEmpty())
            bogen.plan.masse = e.masse;
        else if (!GleicherBogen(bogen.plan.masse, e.masse))
            throw Fehler(
                QStringLiteral("Die Etikette %1 passt nicht auf den Bogen von %2: %3. Auf einen Bogen passen "
                               "nur Etiketten desselben Bogens.")
                    .arg(angabe.etikett, etiketten.front().etikett, Bogenunterschied(bogen.plan.masse, e.masse)));
        bogen.etiketten.append({e.bild, e.masse, e.anschnitt, e.text, e.code});
        bogen.rueckseiten.append(e.rueckseite);
        anzahlen.append(angabe.anzahl);
    }
    const Fuellung f = FuelleBogen(bogen.plan.masse, {}, ab, anzahlen);
    if (!f.fehler.isEmpty())
        throw Fehler(f.fehler);
    bogen.plan = f.plan;
    return bogen;
}

QImage LadeRueckseite(const QString &bildPfad, const DruckbaresEtikett &etikett)
{
    if (etikett.rueckseite.isEmpty())
        throw Fehler(KeineRueckseite(bildPfad));
    return LeseRueckseite(bildPfad, etikett.rueckseite);
}

QList<QImage> LadeRueckseiten(const QList<Bogenangabe> &etiketten, const DruckbarerBogen &bogen)
{
    QList<QImage> hinten;
    QStringList ohne;
    for (qsizetype i = 0; i < etiketten.size(); ++i) {
        const QString name = bogen.rueckseiten.value(i);
        hinten.append(name.isEmpty() ? QImage() : LeseRueckseite(etiketten[i].etikett, name));
        if (name.isEmpty() && !ohne.contains(KeineRueckseite(etiketten[i].etikett)))
            ohne.append(KeineRueckseite(etiketten[i].etikett));
    }
    // Labels without a back leave their places empty; only a back page without any would be blank.
    if (std::all_of(hinten.begin(), hinten.end(), [](const QImage &bild) { return bild.isNull(); }))
        throw Fehler(ohne.join(QLatin1Char(' ')));
    return hinten;
}

namespace {

// Why writing `pdf` would replace `datei`: the same name, or the same file through a link or a second name.
QString Ueberschriebe(const QString &pdf, const QString &datei, const QString &art)
{
    std::error_code fehler;
    if (datei.isEmpty()
        || (QFileInfo(pdf).absoluteFilePath() != QFileInfo(datei).absoluteFilePath()
            && !std::filesystem::equivalent(pdf.toStdU16String(), datei.toStdU16String(), fehler)))
        return {};
    return QStringLiteral("Die PDF-Datei %1 wäre die %2 %3 selbst; sie bleibt unverändert. Es wurde nichts "
                          "gedruckt.")
        .arg(pdf, art, datei);
}

} // namespace

QString PdfZielIstEtikett(const QString &pdf, const QString &bildPfad)
{
    for (const auto &[datei, art] : {std::pair{bildPfad, QStringLiteral("Bilddatei")},
                                     std::pair{EinstellungsPfad(bildPfad), QStringLiteral("Einstellungsdatei")}})
        if (const QString grund = Ueberschriebe(pdf, datei, art); !grund.isEmpty())
            return grund;
    return {};
}

QString PdfZielIstGelesen(const Druckbefehl &befehl, const DruckbaresEtikett &etikett, const DruckbarerBogen &bogen)
{
    if (befehl.pdf.isEmpty())
        return {};
    if (const QString grund = Ueberschriebe(befehl.pdf, befehl.liste, QStringLiteral("Liste")); !grund.isEmpty())
        return grund;
    QStringList etiketten{befehl.etikett};
    QStringList rueckseiten{etikett.rueckseite};
    if (!befehl.bogen.isEmpty()) {
        etiketten.clear();
        for (const Bogenangabe &angabe : befehl.bogen)
            etiketten.append(angabe.etikett);
        rueckseiten = bogen.rueckseiten;
    }
    for (qsizetype i = 0; i < etiketten.size(); ++i) {
        if (const QString grund = PdfZielIstEtikett(befehl.pdf, etiketten[i]); !grund.isEmpty())
            return grund;
        // A back that is no file name in the label's folder is refused when it is read; it names no file here.
        const QString name = rueckseiten.value(i);
        if (name.isEmpty() || !RueckseitenNamenFehler(name).isEmpty())
            continue;
        const QString hinten = QDir::toNativeSeparators(QFileInfo(etiketten[i]).dir().filePath(name));
        if (const QString grund = Ueberschriebe(befehl.pdf, hinten, QStringLiteral("Rückseite")); !grund.isEmpty())
            return grund;
    }
    return {};
}
