#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// A folder on a 96 KiB file system of its own with room for 8 KiB, less than any printed page. Mounting needs
// root, as CI has it; where it fails, grund() says why and the test fails with that.
class VollerOrdner
{
public:
    VollerOrdner()
    {
        QProcess mount;
        mount.start(QStringLiteral("mount"),
                    {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), QStringLiteral("size=96k"),
                     QStringLiteral("morvane-voll"), ordner()});
        m_eingehaengt = m_dir.isValid() && mount.waitForFinished(30000) && mount.exitStatus() == QProcess::NormalExit
            && mount.exitCode() == 0;
        QFile fuellung(m_dir.filePath(Fuellung));
        if (!m_eingehaengt)
            m_grund = QStringLiteral("no 96 KiB tmpfs (mount needs root): ")
                + QString::fromLocal8Bit(mount.readAllStandardError());
        else if (!fuellung.open(QIODevice::WriteOnly) || fuellung.write(QByteArray(88 * 1024, 'x')) != 88 * 1024
                 || !fuellung.flush())
            m_grund = QStringLiteral("the tmpfs could not be filled");
    }
    ~VollerOrdner()
    {
        if (m_eingehaengt)
            QProcess::execute(QStringLiteral("umount"), {ordner()});
    }

    bool da() const { return m_grund.isEmpty(); }
    QString grund() const { return m_grund; }
    QString ordner() const { return m_dir.path(); }
    // What is in it besides the filling.
    QStringList inhalt() const
    {
        QStringList namen = QDir(ordner()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        namen.removeAll(Fuellung);
        return namen;
    }

private:
    static inline const QString Fuellung = QStringLiteral(".fuellung");
    QTemporaryDir m_dir;
    bool m_eingehaengt = false;
    QString m_grund;
};
