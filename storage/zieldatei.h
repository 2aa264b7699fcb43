#pragma once

#include "platform/fehler.h"

#include <QByteArray>
#include <QString>

// The file a page is printed into, written by a writer outside our hands (the PDF printer) under another name
// beside it. The draft takes the target's place only when it is complete, so no half-written file ever stands
// under the target's name, and a failure leaves no draft behind. The target is treated as a person expects: a
// symbolic link is written through to the file it names and stays a link; an existing file keeps its permissions
// and, where the program may set it, its owner; a new file gets what the umask gives. Anything but a plain file
// (a folder, a named pipe, a device) is refused and left exactly as it is, and so is a file that another user owns or
// that its owner may not write.
inline const QString NichtsGedruckt = QStringLiteral("Es wurde nichts gedruckt.");

class Zieldatei
{
public:
    // Throws Fehler when the target is no plain file, is not to be replaced, or no draft can be made beside it; its
    // messages end in `folge`, what did not happen for it.
    explicit Zieldatei(const QString &ziel, const QString &folge = NichtsGedruckt);
    ~Zieldatei();
    Zieldatei(const Zieldatei &) = delete;
    Zieldatei &operator=(const Zieldatei &) = delete;

    // Where the writer writes. Its name is short, so that a target name of any allowed length has room beside it.
    const QString &entwurf() const { return m_entwurf; }
    // The draft's bytes, to check them before they replace anything.
    QByteArray inhalt() const;
    // Puts the draft in the target's place. Throws Fehler when it cannot.
    void uebernehmen();

private:
    QString m_ziel; // as the person named it, for the messages
    QString m_echt; // the file a link leads to
    QString m_entwurf;
    QString m_folge;
};

// "Die Datei <pfad> kann nicht geschrieben werden. Es wurde nichts gedruckt." (or what `folge` says)
Fehler DateiNichtGeschrieben(const QString &pfad, const QString &folge = NichtsGedruckt);

// Whether a PDF file was written to its end: its trailer names the cross-reference table, the table stands there,
// and every object it lists begins where it lists it. A write that failed on the way (a full disk) loses bytes
// and so breaks one of these.
bool PdfVollstaendig(const QByteArray &pdf);
