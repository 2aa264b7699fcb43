#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// A folder on a file system of its own, 96 KiB and nearly full, for a print that cannot be written whole. The
// mount needs root, as CI has it; where it fails, grund() says why, and the test fails with that reason.
class VollerOrdner
{
public:
    static constexpr qint64 Frei = 8 * 1024;

    VollerOrdner()
    {
        if (!m_dir.isValid()) {
            m_grund = QStringLiteral("no temporary folder");
            return;
        }
        QProcess mount;
        mount.start(QStringLiteral("mount"),
                    {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                     QStringLiteral("size=96k,mode=0755"), QStringLiteral("morvane-voll"), m_dir.path()});
        if (!mount.waitForFinished(30000) || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0) {
            m_grund = QStringLiteral("mount of a 96 KiB tmpfs failed (root needed): ")
                + QString::fromLocal8Bit(mount.readAllStandardError()).trimmed() + mount.errorString();
            return;
        }
        m_eingehaengt = true;
        // Room for a small file, never for a page.
        QFile fuellung(m_dir.filePath(Fuellung));
        if (!fuellung.open(QIODevice::WriteOnly)
            || fuellung.write(QByteArray(96 * 1024 - Frei, 'x')) != 96 * 1024 - Frei || !fuellung.flush())
            m_grund = QStringLiteral("the tmpfs could not be filled");
    }

    ~VollerOrdner()
    {
        if (m_eingehaengt)
            QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
    }

    bool da() const { return m_eingehaengt && m_grund.isEmpty(); }
    QString grund() const { return m_grund; }
    QString ordner() const { return m_dir.path(); }

    // What is in it besides the filling.
    QStringList inhalt() const
    {
        QStringList namen = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        namen.removeAll(Fuellung);
        return namen;
    }

private:
    static inline const QString Fuellung = QStringLiteral(".fuellung");
    QTemporaryDir m_dir;
    bool m_eingehaengt = false;
    QString m_grund;
};
