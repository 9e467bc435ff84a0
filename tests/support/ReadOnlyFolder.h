#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <unistd.h>

// A folder and its files made unwritable for this test, also for root (which the immutable
// attribute stops where permissions do not); undone when the object goes.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : m_folder(folder) {
        if (geteuid() != 0) {
            m_ok = QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            return;
        }
        QStringList files = QDir(folder).entryList(QDir::Files);
        for (QString& f : files)
            f = folder + u'/' + f;
        m_targets = files << folder;
        m_ok = QProcess::execute(QStringLiteral("chattr"), QStringList{QStringLiteral("+i")} + m_targets) == 0;
    }
    ~ReadOnlyFolder() {
        if (geteuid() != 0)
            QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        else if (m_ok)
            QProcess::execute(QStringLiteral("chattr"), QStringList{QStringLiteral("-i")} + m_targets);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool ok() const { return m_ok; }

private:
    QString m_folder;
    QStringList m_targets;
    bool m_ok = false;
};
