#pragma once

#include "render/druckauftrag.h"
#include "render/seite.h"
#include "storage/etikettdatei.h"
#include "storage/etikettdateien.h"

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QString>

// The label a window shows, as one value with its operations: its picture file and settings file, what the
// settings file holds, its front and back pictures decoded, the print choice and whether its measures changed since
// they were read or saved. Every operation that touches the label's files is here; the window shows the document
// and sends the person's actions to it. Failures throw Fehler with the German text.
class Etikettdokument : public QObject
{
    Q_OBJECT
public:
    explicit Etikettdokument(QObject *eltern = nullptr);

    // The label's picture, a full path; empty when no label is shown.
    const QString &bildPfad() const { return m_bildPfad; }
    // The settings file as last read or written, beside the picture; empty before.
    const QString &einstellungsPfad() const { return m_einstellungsPfad; }
    const Etikettinhalt &inhalt() const { return m_inhalt; }
    const Bogenmasse &masse() const { return m_inhalt.masse; }
    const QString &rueckseite() const { return m_inhalt.rueckseite; }
    int anschnitt() const { return m_inhalt.anschnitt; }
    bool schnittmarken() const { return m_inhalt.schnittmarken; }

    // The measures changed since the settings file was last read or written.
    bool geaendert() const { return m_geaendert; }
    void setzeGeaendert(bool geaendert);

    // What the print modes and the position choose.
    const Seitenwahl &wahl() const { return m_wahl; }
    void setzeWahl(const Seitenwahl &wahl);

    // The label shown becomes the one at `pfad`; nothing is read yet.
    void setzeBild(const QString &pfad);
    // The same for a label chosen to be opened: a bitmap whose size is beyond the picture room's limits leaves the
    // document as it was and throws the refusal that names its size. A file that is missing or no readable picture
    // is taken, as any label is, and says so when it is shown.
    void oeffneBild(const QString &pfad);
    // The measures as the window's editors hold them, one after the other; what the file holds stays.
    void setzeMasse(const Bogenmasse &masse);

    // Reads the settings file beside the picture: its measures over the current ones (a key it lacks keeps its
    // value; those before a value that is no number are taken), its back, its bleed and its crop marks, which
    // belong to the label and never carry over from the one before. A picture without a settings path reads
    // nothing and has none of them. The window moves its editors to the measures and tells what the answer says;
    // the flag is the caller's.
    GeleseneEtikettdatei liesEinstellungen();
    // "Speichern": the settings file written anew from the label's content; the flag cleared. Throws as
    // SpeichereEtikettdatei, and for a picture beside which no settings file can stand.
    void speichere();
    // The back is now `name`, in the label's folder (empty: none), written into the settings file at once.
    void setzeRueckseite(const QString &name);
    // The bleed is now `hundertstel`, written into the settings file at once when there is one.
    void setzeAnschnitt(int hundertstel);
    // Its prints carry crop marks or not, written into the settings file at once when there is one.
    void setzeSchnittmarken(bool an);
    // The lines of text a list fills on the label, and its code (none: taken off), each written into the settings
    // file at once when there is one. Throws as SchreibeEtikettdatei, the label left as it was.
    void setzeText(const std::optional<Textfeld> &text);
    void setzeCode(const std::optional<Codefeld> &code);
    // A picture drawn for the label becomes its picture, and the label precise with its lengths as they are, its
    // other sections kept; the previous files stay as `vorher`. As SchreibeEtikett.
    void uebernimmBild(const QImage &bild, const Aufbewahrung &vorher);

    // The label's picture, decoded once per change of its file (name, time, size) or when `neuLaden` asks. Null when
    // the file holds no readable picture; throws when it cannot be opened.
    const QImage &bild(bool neuLaden = false);
    // The picture as last decoded, without asking its file again, as the label view shows it until the next load or
    // refresh; decoded now when it never was.
    const QImage &gezeigtesBild();
    // The back's picture, decoded once per change of its file. Throws Fehler when the label has none or the picture
    // room refuses it.
    const QImage &rueckseitenbild();

    // The label on a page: its picture, measures and bleed.
    Seitenetikett seitenetikett();
    // The print of the current choice: the front, with its back's picture when `mitRueckseite` asks for it (read
    // then; it may throw), and the label's crop marks.
    Druckauftrag druckauftrag(bool mitRueckseite);

Q_SIGNALS:
    // Something of the label changed: its files, content, pictures, choice or flag.
    void veraendert();

private:
    struct Dateistand
    {
        QString pfad;
        QDateTime geaendert;
        qint64 groesse = -1;
        bool operator==(const Dateistand &) const = default;
    };
    static Dateistand StandVon(const QString &pfad);
    // One part of the content set and written into its own section of the file, when the label has one.
    template <typename T>
    void setzeAbschnitt(T Etikettinhalt::*teil, const T &wert, Abschnitt abschnitt);

    QString m_bildPfad;
    QString m_einstellungsPfad;
    Etikettinhalt m_inhalt;
    bool m_geaendert = false;
    Seitenwahl m_wahl;
    QImage m_bild;
    std::optional<Dateistand> m_bildStand;
    QImage m_rueckseite;
    std::optional<Dateistand> m_rueckseitenStand;
};
