#pragma once

#include "RuntimeError.h"

#include <QDateTime>
#include <QList>
#include <QLockFile>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// A copy of a read-only logbook in a private temporary folder, for side files (a journal to roll
// back, a log to fold in) that the engine can only apply by writing: they are applied to the copy,
// and the file and its side files stay as they are.
//
//     std::shared_ptr<PrivateCopy> copy = PrivateCopy::of(file, shownName);
//     if (!copy->isApplied()) { ...open copy->path() for writing..., copy->setApplied(); }
//
// One copy serves the whole run while the file and its side files are unchanged: a large logbook
// is copied once, not at every open. Each copy's folder holds a lock while its run lives, so that
// a later run can tell the folders a killed run left behind and remove them.
class PrivateCopy {
public:
    // The copy of `file` (its real path, not a link's) as it stands, with its side files; `shownName` is
    // the name the user gave it. RuntimeError 3051 naming the temporary folder and its fault when
    // no copy can be made there, 3218 when the file or a side file keeps changing (another
    // program writes to it).
    static std::shared_ptr<PrivateCopy> of(const QString& file, const QString& shownName);
    // The copy is not kept: the next open of the file copies it anew.
    static void discard(const std::shared_ptr<PrivateCopy>& copy);
    // Removes the copies that earlier runs of the program left, those whose run has ended (killed,
    // for one); never a copy a running program holds.
    static void removeLeftovers();

    // Whether the engine has side files to apply to `file`.
    static bool hasSideFiles(const QString& file);
    // Where the copies are made: the user's temporary folder, as set, even when it does not exist.
    static QString temporaryFolder();
    // A failure of the temporary folder rather than of the logbook: RuntimeError 3051 naming the
    // folder, what is wrong with it (no room, not writable, missing) and what to do.
    static RuntimeError folderFault(const QString& shownName, bool noRoom, const QString& detail);

    // For tests: runs before each file is copied, where another program's write could come between.
    static void setBeforeEachFile(std::function<void(const QString& source)> hook);

    const QString& path() const { return m_path; }
    bool isApplied() const { return m_applied; }
    void setApplied() { m_applied = true; }

    PrivateCopy(const PrivateCopy&) = delete;
    PrivateCopy& operator=(const PrivateCopy&) = delete;
    ~PrivateCopy();

    // A file's size and times of change: another program's write alters them.
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const Stamp&) const = default;
    };

private:
    PrivateCopy() = default;
    // Copies the file and its side files; false when one of them changed meanwhile: the copies
    // might not belong together.
    bool copyAsItStands(const QString& file, const QString& shownName);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QLockFile> m_owner; // held while the copy is in use
    QString m_path;
    QList<Stamp> m_stamps; // of the file and each side file, when copied
    bool m_applied = false;
};
