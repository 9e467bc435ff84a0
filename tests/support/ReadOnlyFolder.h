#pragma once

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStringList>
#include <unistd.h>

// A folder and its files made unwritable for this test, also for root (which the immutable
// attribute stops where permissions do not); undone when the object goes. With Files::Writable
// the files in it can still be changed, though none can be added or removed.
class ReadOnlyFolder {
public:
    enum class Files { ReadOnly, Writable };

    explicit ReadOnlyFolder(const QString& folder, Files files = Files::ReadOnly) : m_folder(folder) {
        QStringList paths = QDir(folder).entryList(QDir::Files);
        for (QString& f : paths)
            f = folder + u'/' + f;
        if (files == Files::Writable)
            paths.clear();
        if (geteuid() != 0) {
            for (const QString& path : paths) {
                m_permissions.insert(path, QFile::permissions(path));
                QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
            }
            m_ok = QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            return;
        }
        m_targets = paths << folder;
        m_ok = QProcess::execute(QStringLiteral("chattr"), QStringList{QStringLiteral("+i")} + m_targets) == 0;
    }
    ~ReadOnlyFolder() {
        if (geteuid() != 0) {
            QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            for (auto it = m_permissions.cbegin(); it != m_permissions.cend(); ++it)
                QFile::setPermissions(it.key(), it.value());
        } else if (m_ok) {
            QProcess::execute(QStringLiteral("chattr"), QStringList{QStringLiteral("-i")} + m_targets);
        }
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool ok() const { return m_ok; }

private:
    QString m_folder;
    QStringList m_targets;
    QHash<QString, QFileDevice::Permissions> m_permissions;
    bool m_ok = false;
};
