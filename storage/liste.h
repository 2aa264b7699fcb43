#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A list of records that labels are printed from: CSV as spreadsheets save it, or TSV. The first line names the
// fields; its separator (tab, ";" or ",") is the list's. Quotes as in RFC 4180: a quoted field may hold the
// separator, line breaks and doubled quotes standing for one; blanks around a field are kept inside quotes and
// dropped outside them. UTF-8, with or without a byte-order mark, else Windows-1252, line by line.

// The most records a list may have.
inline constexpr int MeisteEintraege = 100'000;
// The largest list file read: room for the records at well over 600 bytes each.
inline constexpr qint64 GroessteListendatei = qint64(64) * 1024 * 1024;

// One record: exactly one value for each field of the list, in their order, and the line of the file where it
// begins, for messages ("Zeile 17 der Liste ...").
struct Listeneintrag
{
    int zeile = 0;
    QStringList werte;

    bool operator==(const Listeneintrag &) const = default;
};

struct Liste
{
    QStringList felder; // as the first line names them
    QList<Listeneintrag> eintraege;
    // Said once when records had more values than the first line has fields: the first of them, and how many; the
    // values beyond are left out. Empty when none had.
    QString hinweis;
};

// The field of that name among `felder`, without regard to case or blanks around it; the first of several; -1 for
// none, also for an empty name.
qsizetype Feldnummer(const QStringList &felder, const QString &name);

// The separator of a list: the one of tab, ";" and "," that its first line that is not empty holds most often
// outside quotes, a tie going to them in that order; a null QChar when it holds none, which makes a list of one
// field.
QChar Listentrenner(QStringView text);

// The list in the bytes of a file; `pfad` names it in messages. Lines that are empty or hold nothing but blanks and
// separators are left out; a record with fewer values gets empty ones; later values (beyond the fields) are left
// out, non-empty ones told in `hinweis`. Line breaks within a value become "\n". A list without records is no
// error: the caller says what it means. Throws Fehler: a file with no first line, a quote that is never closed,
// more than MeisteEintraege records.
Liste ListeAusText(const QByteArray &inhalt, const QString &pfad);

// The list in the file `pfad`, read in one read: a regular file only (a folder, a pipe or a device refused before
// it could block), of at most GroessteListendatei bytes. Throws Fehler with the German reason, or as ListeAusText.
Liste LiesListe(const QString &pfad);
