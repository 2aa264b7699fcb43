// The command line of morvane-druck on any arguments (the input split at zero bytes). An accepted call names one
// of its arguments as the label, keeps the copy count in range and never with a PDF file, and has a place on the
// sheet that its kind allows; written out again, in either option form, it reads back as the same call. Help is
// only given when asked for, and a refusal always says why.
#include "cli/aufruf.h"
#include "gemeinsam.h"

#include <algorithm>
#include <cstdint>

namespace {

QStringList Argumente(const uint8_t *daten, size_t laenge)
{
    // split() keeps empty parts: an empty argument is something a shell can pass too.
    return QString::fromUtf8(reinterpret_cast<const char *>(daten), qsizetype(laenge)).split(QChar(0));
}

// Not through arg(): a name may hold "%1".
QString MitAnzahl(const Bogenangabe &angabe)
{
    return angabe.anzahl ? angabe.etikett + QLatin1Char(':') + QString::number(*angabe.anzahl) : angabe.etikett;
}

// The call as options in one of the two forms, then the label.
QStringList Zurueckgeschrieben(const Druckbefehl &auftrag, bool mitGleich)
{
    QStringList argumente;
    const auto option = [&](const QString &name, const QString &wert) {
        if (mitGleich)
            argumente << name + QLatin1Char('=') + wert;
        else
            argumente << name << wert;
    };
    if (!auftrag.pdf.isEmpty())
        option(QStringLiteral("--pdf"), auftrag.pdf);
    if (!auftrag.drucker.isEmpty())
        option(QStringLiteral("--drucker"), auftrag.drucker);
    // A sheet plan and a list fill from a place on; a list from the first place needs no --ab.
    const bool ab = !auftrag.bogen.isEmpty() || !auftrag.liste.isEmpty() || auftrag.nummern;
    if (ab && (!auftrag.bogen.isEmpty() || auftrag.wahl.spalte != 1 || auftrag.wahl.zeile != 1))
        option(QStringLiteral("--ab"), QStringLiteral("%1,%2").arg(auftrag.wahl.spalte).arg(auftrag.wahl.zeile));
    if (!auftrag.liste.isEmpty())
        option(QStringLiteral("--liste"), auftrag.liste);
    if (auftrag.nummern)
        option(QStringLiteral("--nummern"), QStringLiteral("%1-%2").arg(auftrag.nummern->von).arg(auftrag.nummern->bis));
    switch (ab ? Druckumfang::EineEtikette : auftrag.wahl.umfang) {
    case Druckumfang::GanzeSeite:
        argumente << QStringLiteral("--seite");
        break;
    case Druckumfang::EineZeile:
        option(QStringLiteral("--zeile"), QString::number(auftrag.wahl.zeile));
        break;
    case Druckumfang::EineEtikette:
        if (!ab)
            option(QStringLiteral("--einzeln"), QStringLiteral("%1,%2").arg(auftrag.wahl.spalte).arg(auftrag.wahl.zeile));
        break;
    }
    for (const auto &[an, name] :
         {std::pair{auftrag.rueckseite, "--rueckseite"}, std::pair{auftrag.beidseitig, "--beidseitig"},
          std::pair{auftrag.kante == Wendekante::Kurz, "--kurze-kante"}, std::pair{auftrag.probedruck, "--probedruck"},
          std::pair{auftrag.schnittmarken, "--schnittmarken"}})
        if (an)
            argumente << QLatin1String(name);
    option(QStringLiteral("--kopien"), QString::number(auftrag.kopien));
    if (auftrag.anschnitt)
        option(QStringLiteral("--anschnitt"), HundertstelText(*auftrag.anschnitt, QLatin1Char('.')));
    if (!auftrag.bogen.isEmpty()) {
        argumente << QStringLiteral("--");
        for (const Bogenangabe &angabe : auftrag.bogen)
            argumente << MitAnzahl(angabe);
        return argumente;
    }
    // The label first when it cannot be taken for an option, else after "--".
    if (!mitGleich && (!auftrag.etikett.startsWith(QLatin1Char('-')) || auftrag.etikett == QLatin1String("-")))
        argumente.prepend(auftrag.etikett);
    else
        argumente << QStringLiteral("--") << auftrag.etikett;
    return argumente;
}

void PruefeAuftrag(const QStringList &argumente, const Druckbefehl &auftrag)
{
    PRUEFE(!auftrag.etikett.isEmpty());
    const Bogenangabe erste = auftrag.bogen.value(0, {auftrag.etikett, std::nullopt});
    PRUEFE(erste.etikett == auftrag.etikett);
    // The label is one of the arguments, with its count in digits after a colon (a leading zero is a digit too).
    PRUEFE(std::any_of(argumente.begin(), argumente.end(), [&](const QString &a) {
        return erste.anzahl
            ? a.startsWith(erste.etikett + QLatin1Char(':')) && a.mid(erste.etikett.size() + 1).toInt() == *erste.anzahl
            : a == erste.etikett;
    }));
    PRUEFE(auftrag.kopien >= 1 && auftrag.kopien <= MeisteKopien);
    PRUEFE(auftrag.pdf.isEmpty() || auftrag.drucker.isEmpty());
    PRUEFE(auftrag.pdf.isEmpty() || auftrag.kopien == 1);
    PRUEFE(auftrag.wahl.spalte >= 1 && auftrag.wahl.zeile >= 1);
    if (auftrag.wahl.umfang == Druckumfang::GanzeSeite)
        PRUEFE(auftrag.wahl.spalte == 1 && auftrag.wahl.zeile == 1);
    if (auftrag.wahl.umfang == Druckumfang::EineZeile)
        PRUEFE(auftrag.wahl.spalte == 1);

    for (const bool mitGleich : {true, false}) {
        const Aufruf wieder = LiesAufruf(Zurueckgeschrieben(auftrag, mitGleich));
        PRUEFE(std::holds_alternative<Druckbefehl>(wieder));
        PRUEFE(std::get<Druckbefehl>(wieder) == auftrag);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t laenge)
{
    const QStringList argumente = Argumente(daten, laenge);
    const Aufruf aufruf = LiesAufruf(argumente);
    PRUEFE(aufruf == LiesAufruf(argumente));

    if (const auto *auftrag = std::get_if<Druckbefehl>(&aufruf))
        PruefeAuftrag(argumente, *auftrag);
    else if (std::holds_alternative<Hilfewunsch>(aufruf))
        PRUEFE(argumente.contains(QStringLiteral("--help")) || argumente.contains(QStringLiteral("-h")));
    else
        PRUEFE(!std::get<Aufruffehler>(aufruf).text.isEmpty());
    return 0;
}
