#include "render/etikettdokument.h"

#include "platform/fehler.h"
#include "storage/bilddatei.h"
#include "storage/einstellungen.h"
#include "storage/rueckseite.h"

#include <QFileInfo>

Etikettdokument::Etikettdokument(QObject *eltern) : QObject(eltern) {}

Etikettdokument::Dateistand Etikettdokument::StandVon(const QString &pfad)
{
    const QFileInfo datei(pfad);
    return {pfad, datei.lastModified(), datei.size()};
}

void Etikettdokument::setzeGeaendert(bool geaendert)
{
    if (m_geaendert == geaendert)
        return;
    m_geaendert = geaendert;
    Q_EMIT veraendert();
}

void Etikettdokument::setzeWahl(const Seitenwahl &wahl)
{
    if (m_wahl == wahl)
        return;
    m_wahl = wahl;
    Q_EMIT veraendert();
}

void Etikettdokument::setzeBild(const QString &pfad)
{
    if (m_bildPfad == pfad)
        return;
    m_bildPfad = pfad;
    Q_EMIT veraendert();
}

void Etikettdokument::oeffneBild(const QString &pfad)
{
    // A bitmap beyond the limits would never show or print: it does not become the label. Any other fault of the
    // file shows when the label is shown, as it does for every label.
    QByteArray kopf;
    try {
        kopf = LiesBildkopf(pfad);
    } catch (const Fehler &) {
    }
    if (kopf.startsWith("BM"))
        Bitmapgroesse(kopf, pfad);
    setzeBild(pfad);
}

void Etikettdokument::setzeMasse(const Bogenmasse &masse)
{
    if (m_inhalt.masse == masse)
        return;
    m_inhalt.masse = masse;
    Q_EMIT veraendert();
}

GeleseneEtikettdatei Etikettdokument::liesEinstellungen()
{
    m_einstellungsPfad = EinstellungsPfad(m_bildPfad);
    // The back and the bleed are the label's own.
    m_inhalt.rueckseite.clear();
    m_inhalt.anschnitt = 0;
    m_inhalt.schnittmarken = false;
    m_inhalt.text.reset();
    m_inhalt.code.reset();
    m_rueckseitenStand.reset();
    GeleseneEtikettdatei gelesen{{m_inhalt.masse}};
    if (!m_einstellungsPfad.isEmpty()) {
        gelesen = LiesEtikettdatei(m_einstellungsPfad, m_inhalt.masse);
        m_inhalt = gelesen.inhalt;
    }
    Q_EMIT veraendert();
    return gelesen;
}

void Etikettdokument::speichere()
{
    const QString pfad = EinstellungsPfad(m_bildPfad);
    if (pfad.isEmpty() && !m_bildPfad.isEmpty())
        throw Fehler(QStringLiteral("Die Einstellungen zu %1 können nicht gespeichert werden: sie würden die "
                                    "Bilddatei selbst überschreiben.")
                         .arg(m_bildPfad));
    // The whole file is written at once, so a failure leaves the old one as it was.
    SpeichereEtikettdatei(pfad, m_inhalt);
    m_einstellungsPfad = pfad;
    m_geaendert = false;
    Q_EMIT veraendert();
}

void Etikettdokument::setzeRueckseite(const QString &name)
{
    Etikettinhalt neu = m_inhalt;
    neu.rueckseite = name;
    SchreibeEtikettdatei(EinstellungsPfad(m_bildPfad), neu, Abschnitt::Rueckseite);
    m_inhalt.rueckseite = name;
    m_rueckseitenStand.reset();
    Q_EMIT veraendert();
}

template <typename T>
void Etikettdokument::setzeAbschnitt(T Etikettinhalt::*teil, const T &wert, Abschnitt abschnitt)
{
    // Only its own section changes: the measures on disk stay as they are, saved or not.
    Etikettinhalt neu = m_inhalt;
    neu.*teil = wert;
    if (const QString pfad = EinstellungsPfad(m_bildPfad); !pfad.isEmpty())
        SchreibeEtikettdatei(pfad, neu, abschnitt);
    m_inhalt.*teil = wert;
    Q_EMIT veraendert();
}

void Etikettdokument::setzeAnschnitt(int hundertstel)
{
    setzeAbschnitt(&Etikettinhalt::anschnitt, hundertstel, Abschnitt::Anschnitt);
}

void Etikettdokument::setzeSchnittmarken(bool an)
{
    setzeAbschnitt(&Etikettinhalt::schnittmarken, an, Abschnitt::Schnittmarken);
}

void Etikettdokument::setzeText(const std::optional<Textfeld> &text)
{
    setzeAbschnitt(&Etikettinhalt::text, text, Abschnitt::Text);
}

void Etikettdokument::setzeCode(const std::optional<Codefeld> &code)
{
    setzeAbschnitt(&Etikettinhalt::code, code, Abschnitt::Code);
}

void Etikettdokument::uebernimmBild(const QImage &bild, const Aufbewahrung &vorher)
{
    Etikettinhalt neu = m_inhalt;
    // Its picture is drawn into the exact size at its own resolution: the label is precise from now on.
    neu.masse = MitGenauenLaengen(neu.masse, GenaueLaengen(neu.masse), true);
    SchreibeEtikett(m_bildPfad, bild, neu, vorher);
    m_bildStand.reset();
    Q_EMIT veraendert();
}

const QImage &Etikettdokument::bild(bool neuLaden)
{
    Dateistand stand = StandVon(m_bildPfad);
    // An outside editor's save shows in the next composition without a reload.
    if (neuLaden || !m_bildStand || !(stand == *m_bildStand)) {
        m_bildStand.reset();
        m_bild = LeseBild(m_bildPfad);
        m_bildStand = std::move(stand);
    }
    return m_bild;
}

const QImage &Etikettdokument::gezeigtesBild()
{
    if (m_bildStand && m_bildStand->pfad == m_bildPfad)
        return m_bild;
    return bild();
}

const QImage &Etikettdokument::rueckseitenbild()
{
    if (m_inhalt.rueckseite.isEmpty())
        throw Fehler(KeineRueckseite(m_bildPfad));
    Dateistand stand = StandVon(RueckseitenDatei(m_bildPfad, m_inhalt.rueckseite));
    if (!m_rueckseitenStand || !(stand == *m_rueckseitenStand)) {
        m_rueckseitenStand.reset();
        m_rueckseite = LeseRueckseite(m_bildPfad, m_inhalt.rueckseite);
        m_rueckseitenStand = std::move(stand);
    }
    return m_rueckseite;
}

Seitenetikett Etikettdokument::seitenetikett()
{
    return {bild(), m_inhalt.masse, m_inhalt.anschnitt, m_inhalt.text, m_inhalt.code};
}

Druckauftrag Etikettdokument::druckauftrag(bool mitRueckseite)
{
    Druckauftrag auftrag(seitenetikett(), m_wahl, mitRueckseite ? rueckseitenbild() : QImage());
    auftrag.setzeSchnittmarken(m_inhalt.schnittmarken);
    return auftrag;
}
