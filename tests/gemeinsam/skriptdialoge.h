#pragma once

#include "platform/dialogdienst.h"
#include "platform/schale.h"
#include "render/bildeinpassung.h"
#include "storage/etikettenboegen.h"

#include <QPrinter>
#include <QStringList>
#include <QtTest>
#include <deque>
#include <functional>

// Answers the program's dialogs from a script and records every text shown. A question, file dialog or
// input dialog without a scripted answer is recorded as unexpected, and the test checks for that.
class SkriptDialoge : public DialogDienst
{
public:
    struct Eintrag
    {
        QString art;
        QString text;
    };

    std::deque<bool> antworten;                 // for frage, druckFrage and randFrage
    std::deque<std::optional<QString>> dateien; // for dateiOeffnen and bildOeffnen
    std::deque<std::optional<QString>> eingaben;
    std::deque<bool> druckDialoge;
    // for etikettenbogen: the sheet "Anlegen" takes, or nothing for "Abbrechen"
    std::deque<std::optional<Etikettenbogen>> boegen;
    QList<Etikettenbogen> angeboteneBoegen; // what the sheet dialog was last given
    // for bildEinpassung: the way taken, or nothing for "Abbrechen"; and what the dialog was last given
    std::deque<std::optional<Einpassung>> einpassungen;
    std::optional<Bildwahl> gezeigteBildwahl;
    // Called with the printer when the print dialog is confirmed, to point it at a file.
    std::function<void(QPrinter &)> druckerEinrichten;
    QList<Eintrag> gezeigt;
    QStringList unerwartet;
    QStringList dateiVorgaben;
    // Runs while a box is "open", to act as ticks and paints that arrive meanwhile.
    std::function<void(const QString &)> beimZeigen;

    void information(const QString &text) override { zeige(QStringLiteral("information"), text); }
    void meldung(const QString &text) override { zeige(QStringLiteral("meldung"), text); }
    void fehler(const QString &text) override { zeige(QStringLiteral("fehler"), text); }
    bool frage(const QString &text) override { return antwort(QStringLiteral("frage"), text); }
    bool druckFrage(const QString &text) override { return antwort(QStringLiteral("druckFrage"), text); }
    // Recorded as a question, and among those asked with "&Nein" as the default.
    bool vorsichtsfrage(const QString &text) override
    {
        neinVorgabe.append(text);
        return frage(text);
    }
    QStringList neinVorgabe;
    // for auswahl: the index of the button taken; and the default each one had
    std::deque<int> auswahlen;
    QList<int> auswahlVorgaben;
    int auswahl(const QString &text, const QStringList &knoepfe, int vorgabe) override
    {
        zeige(QStringLiteral("auswahl"), text + QLatin1Char('\n') + knoepfe.join(QLatin1Char('|')));
        auswahlVorgaben.append(vorgabe);
        if (auswahlen.empty()) {
            unerwartet.append(QStringLiteral("auswahl: ") + text);
            return int(knoepfe.size()) - 1;
        }
        const int a = auswahlen.front();
        auswahlen.pop_front();
        return a;
    }
    bool randFrage(const QString &text) override { return antwort(QStringLiteral("randFrage"), text); }

    std::optional<QString> dateiOeffnen(const QString &vorgabe, const QString & = {}) override
    {
        gezeigt.append({QStringLiteral("dateiOeffnen"), vorgabe});
        dateiVorgaben.append(vorgabe);
        return naechste(dateien, vorgabe);
    }
    std::optional<QString> eingabe(const QString &vorbelegung) override
    {
        gezeigt.append({QStringLiteral("eingabe"), vorbelegung});
        return naechste(eingaben, vorbelegung);
    }
    bool druckDialog(QPrinter &drucker) override
    {
        gezeigt.append({QStringLiteral("druckDialog"), QString()});
        if (druckDialoge.empty()) {
            unerwartet.append(QStringLiteral("druckDialog"));
            return false;
        }
        const bool ok = druckDialoge.front();
        druckDialoge.pop_front();
        if (ok && druckerEinrichten)
            druckerEinrichten(drucker);
        return ok;
    }

    std::optional<Etikettenbogen> etikettenbogen(const QList<Etikettenbogen> &angeboten) override
    {
        gezeigt.append({QStringLiteral("etikettenbogen"), QString::number(angeboten.size())});
        angeboteneBoegen = angeboten;
        if (boegen.empty()) {
            unerwartet.append(QStringLiteral("etikettenbogen"));
            return std::nullopt;
        }
        const std::optional<Etikettenbogen> a = boegen.front();
        boegen.pop_front();
        return a;
    }

    std::optional<QString> bildOeffnen(const QString &ordner, const QStringList &, const QString & = {}) override
    {
        gezeigt.append({QStringLiteral("bildOeffnen"), ordner});
        return naechste(dateien, ordner);
    }
    std::optional<Einpassung> bildEinpassung(const Bildwahl &wahl) override
    {
        gezeigt.append({QStringLiteral("bildEinpassung"), wahl.frage});
        gezeigteBildwahl = wahl;
        return naechste(einpassungen, QStringLiteral("bildEinpassung"));
    }

    QStringList texte(const QString &art) const
    {
        QStringList ergebnis;
        for (const Eintrag &e : gezeigt)
            if (e.art == art)
                ergebnis.append(e.text);
        return ergebnis;
    }
    void leeren()
    {
        gezeigt.clear();
        unerwartet.clear();
    }

private:
    void zeige(const QString &art, const QString &text)
    {
        gezeigt.append({art, text});
        if (beimZeigen)
            beimZeigen(text);
    }
    bool antwort(const QString &art, const QString &text)
    {
        zeige(art, text);
        if (antworten.empty()) {
            unerwartet.append(art + QStringLiteral(": ") + text);
            return false;
        }
        const bool a = antworten.front();
        antworten.pop_front();
        return a;
    }
    template <typename T>
    T naechste(std::deque<T> &schlange, const QString &text)
    {
        if (schlange.empty()) {
            unerwartet.append(text);
            return std::nullopt;
        }
        auto a = schlange.front();
        schlange.pop_front();
        return a;
    }
};

class AufzeichnendeSchale : public Schale
{
public:
    bool startErfolg = true;
    bool oeffnenErfolg = true; // false: no program opens the file
    QStringList gestartet;
    QStringList geoeffnet;
    bool malprogrammStarten(const QString &bildPfad) override
    {
        gestartet.append(bildPfad);
        return startErfolg;
    }
    bool oeffnen(const QString &pfad) override
    {
        geoeffnet.append(pfad);
        return oeffnenErfolg;
    }
};
