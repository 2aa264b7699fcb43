#pragma once

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <functional>

// The private print server with its PDF printers (scripts/cups): the one of the test run
// (MORVANE_CUPS_DIR, set by scripts/test), or, for a test run alone, one of the test's own. Needs
// MORVANE_QUELLE, the source folder.
class Druckserver
{
public:
    static inline const QString Drucker = QStringLiteral("MorvanePDF");
    // The same printer, refusing every job.
    static inline const QString Abweisend = QStringLiteral("MorvaneAbweisend");
    // The same printer with a laser driver's margins on A4, 4.23 mm left, 4.35 top, 4.21 right, 4.28 bottom, and
    // an A4 without margins.
    static inline const QString Rand = QStringLiteral("MorvaneRand");
    // The same printer with a duplex unit.
    static inline const QString Zweiseitig = QStringLiteral("MorvaneZweiseitig");
    static constexpr int ZeitMs = 30000;

    // Before the first printer is made: the printing library settles on a server once.
    void starte()
    {
        m_ordner = qEnvironmentVariable("MORVANE_CUPS_DIR");
        if (m_ordner.isEmpty()) {
            QProcess start;
            // With this process as the watcher: the server goes when the test does, however it ends.
            start.start(QStringLiteral("bash"),
                        {skript(), QStringLiteral("start"), QString::number(QCoreApplication::applicationPid())});
            if (!start.waitForFinished(60000) || start.exitStatus() != QProcess::NormalExit || start.exitCode() != 0) {
                m_grund = QString::fromLocal8Bit(start.readAllStandardError()).trimmed();
                if (m_grund.isEmpty())
                    m_grund = QStringLiteral("scripts/cups start failed: ") + start.errorString();
            } else {
                m_ordner = QString::fromLocal8Bit(start.readAllStandardOutput()).trimmed().split(u'\n').last();
                m_eigener = m_ordner;
            }
        }
        if (m_ordner.isEmpty())
            return;
        const QString socket = m_ordner + QStringLiteral("/cups.sock");
        QFile ausgabe(m_ordner + QStringLiteral("/ausgabe"));
        if (!QFileInfo::exists(socket) || !ausgabe.open(QIODevice::ReadOnly)) {
            m_grund = QStringLiteral("no print server in ") + m_ordner;
            return;
        }
        m_ausgabe = QString::fromLocal8Bit(ausgabe.readAll()).trimmed();
        qputenv("CUPS_SERVER", QFile::encodeName(socket));
    }

    void stoppe()
    {
        if (!m_eigener.isEmpty())
            QProcess::execute(QStringLiteral("bash"), {skript(), QStringLiteral("stop"), m_eigener});
    }

    bool da() const { return !m_ausgabe.isEmpty(); }
    QString grund() const { return m_grund; }
    QString ordner() const { return m_ordner; }
    QString ausgabe() const { return m_ausgabe; }

    struct Auftrag
    {
        QString pdf; // the file, once it appeared, also when it never became whole
        bool fertig = false;
    };

    // The PDF that the printer writes for the job titled `titel`; it is done when the server has run the job:
    // its end is there and it no longer grows. Waits at most ZeitMs.
    Auftrag warteAufPdf(const QString &titel) const
    {
        Auftrag a;
        QByteArray inhalt;
        QElapsedTimer uhr;
        uhr.start();
        while (!a.fertig && uhr.elapsed() < ZeitMs) {
            QTest::qWait(250);
            QDirIterator it(m_ausgabe, {titel + QStringLiteral("*.pdf")}, QDir::Files);
            if (!it.hasNext())
                continue;
            a.pdf = it.next();
            QFile f(a.pdf);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QByteArray jetzt = f.readAll();
            a.fertig = !jetzt.isEmpty() && jetzt == inhalt && jetzt.trimmed().endsWith("%%EOF");
            inhalt = jetzt;
        }
        return a;
    }

    // A further printer of the PDF printer's kind, its driver description changed by `aendere`. Empty text when
    // it is there, else why not. Named apart from the PDF printer, which stays the first in every list.
    QString richteDruckerEin(const QString &name, const std::function<QByteArray(QByteArray)> &aendere) const
    {
        QFile muster(m_ordner + QStringLiteral("/etc/ppd/") + Drucker + QStringLiteral(".ppd"));
        if (!muster.open(QIODevice::ReadOnly))
            return QStringLiteral("no driver description ") + muster.fileName();
        const QString ppd = m_ordner + QStringLiteral("/") + name + QStringLiteral(".ppd");
        QFile neu(ppd);
        if (!neu.open(QIODevice::WriteOnly) || neu.write(aendere(muster.readAll())) < 0)
            return QStringLiteral("cannot write ") + ppd;
        neu.close();
        QProcess lpadmin;
        lpadmin.start(QStringLiteral("lpadmin"),
                      {QStringLiteral("-h"), socket(), QStringLiteral("-p"), name, QStringLiteral("-v"),
                       QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), ppd, QStringLiteral("-E")});
        const bool da = lpadmin.waitForFinished(30000) && lpadmin.exitCode() == 0;
        QFile::remove(ppd);
        return da ? QString() : QStringLiteral("lpadmin: ") + QString::fromLocal8Bit(lpadmin.readAllStandardError());
    }

    void entferneDrucker(const QString &name) const
    {
        QProcess::execute(QStringLiteral("lpadmin"), {QStringLiteral("-h"), socket(), QStringLiteral("-x"), name});
    }

    // The document of the printer's last job as the server received it (the server keeps them); empty when there
    // is none.
    QString gesendet(const QString &drucker) const
    {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"),
                     {QStringLiteral("-h"), socket(), QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"),
                      drucker});
        if (!lpstat.waitForFinished(30000))
            return {};
        const QStringList zeilen =
            QString::fromLocal8Bit(lpstat.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        if (zeilen.isEmpty())
            return {};
        const QString auftrag = zeilen.last().section(u' ', 0, 0).section(u'-', -1);
        return m_ordner + QStringLiteral("/spool/d%1-001").arg(auftrag.toInt(), 5, 10, QLatin1Char('0'));
    }

    // The attributes of the printer's last job, its "sides" among them, as the server keeps them beside its document.
    QByteArray auftragsangaben(const QString &drucker) const
    {
        QString pfad = gesendet(drucker);
        pfad.replace(QStringLiteral("/spool/d"), QStringLiteral("/spool/c")).chop(4);
        QFile c(pfad);
        return c.open(QIODevice::ReadOnly) ? c.readAll() : QByteArray();
    }

    // What a test says when warteAufPdf gave up.
    QString keinPdf(const QString &titel) const
    {
        return QStringLiteral("no PDF %1* in %2 after %3 s; server log: %4/log/error_log")
            .arg(titel, m_ausgabe)
            .arg(ZeitMs / 1000)
            .arg(m_ordner);
    }

private:
    QString socket() const { return m_ordner + QStringLiteral("/cups.sock"); }
    static QString skript() { return QStringLiteral(MORVANE_QUELLE "/scripts/cups"); }

    QString m_ordner;
    QString m_eigener;
    QString m_ausgabe;
    QString m_grund;
};
