#include "PrivateCopy.h"

#include "DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStorageInfo>
#include <algorithm>
#include <utility>

namespace {
// The file itself, then what the engine applies to it when it opens it: a journal to roll back, a
// log. A log's index is not copied: the engine makes it anew from the log.
const QStringList SUFFIXES = {QString(), QStringLiteral("-journal"), QStringLiteral("-wal")};
const QString FOLDER_PREFIX = QStringLiteral("sona-copy-");
const QString OWNER = QStringLiteral("owner.lock");
// A run makes its folder, then locks it: a folder that young without a lock may be that moment.
constexpr qint64 UNLOCKED_GRACE_SECONDS = 60;
constexpr int ATTEMPTS = 3;

std::function<void(const QString&)>& beforeEachFile() {
    static std::function<void(const QString&)> hook;
    return hook;
}

// By the file's real path; a copy lives until the run ends or the file changes.
QHash<QString, std::shared_ptr<PrivateCopy>>& madeThisRun() {
    static QHash<QString, std::shared_ptr<PrivateCopy>> made;
    return made;
}

PrivateCopy::Stamp stampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified(), info.metadataChangeTime()};
}

QList<PrivateCopy::Stamp> stampsOf(const QString& file) {
    QList<PrivateCopy::Stamp> stamps;
    for (const QString& suffix : SUFFIXES)
        stamps.append(stampOf(file + suffix));
    return stamps;
}

bool hasRoomFor(const QString& folder, qint64 bytes) {
    const QStorageInfo storage(folder);
    return !storage.isValid() || storage.bytesAvailable() >= bytes;
}

RuntimeError unreadable(const QString& shownName, const QString& source, const QString& detail) {
    return RuntimeError(DbError::CannotOpenFile, DbError::OpenDatabase,
                        QStringLiteral("Cannot open the file '%1': the file '%2' beside it cannot be read. (%3)")
                            .arg(shownName, source, detail));
}
} // namespace

bool PrivateCopy::hasSideFiles(const QString& file) {
    return std::any_of(SUFFIXES.begin() + 1, SUFFIXES.end(),
                       [&](const QString& side) { return QFileInfo::exists(file + side); });
}

QString PrivateCopy::temporaryFolder() {
    // Qt's own answer is empty for a folder that does not exist, which a message could not name.
    const QString set = qEnvironmentVariable("TMPDIR");
    return set.isEmpty() ? QDir::tempPath() : QDir::cleanPath(set);
}

RuntimeError PrivateCopy::folderFault(const QString& shownName, bool noRoom, const QString& detail) {
    const QString folder = temporaryFolder();
    const QFileInfo info(folder);
    QString fault;
    QString remedy = QStringLiteral("Open the logbook from a folder you can write to, or set TMPDIR to a folder you "
                                    "can write to.");
    if (noRoom) {
        fault = QStringLiteral("has no room left");
        remedy = QStringLiteral("Make room there, or open the logbook from a folder you can write to.");
    } else if (!info.exists()) {
        fault = QStringLiteral("does not exist");
    } else if (!info.isDir()) {
        fault = QStringLiteral("is not a folder");
    } else if (!info.isWritable()) {
        fault = QStringLiteral("cannot be written");
    } else {
        fault = QStringLiteral("could not hold it (%1)").arg(detail);
    }
    return RuntimeError(DbError::CannotOpenFile, DbError::OpenDatabase,
                        QStringLiteral("Cannot open the file '%1': the files beside it can only be applied to it in "
                                       "a folder you can write to, so a private copy is made to apply them to, and "
                                       "the temporary folder '%2' %3. %4")
                            .arg(shownName, QDir::toNativeSeparators(folder), fault, remedy));
}

void PrivateCopy::setBeforeEachFile(std::function<void(const QString& source)> hook) {
    beforeEachFile() = std::move(hook);
}

std::shared_ptr<PrivateCopy> PrivateCopy::of(const QString& file, const QString& shownName) {
    auto& made = madeThisRun();
    if (const auto found = made.constFind(file);
        found != made.cend() && (*found)->m_applied && (*found)->m_stamps == stampsOf(file))
        return *found;

    std::shared_ptr<PrivateCopy> copy(new PrivateCopy);
    const QString folder = temporaryFolder();
    copy->m_folder = std::make_unique<QTemporaryDir>(folder + u'/' + FOLDER_PREFIX + QStringLiteral("XXXXXX"));
    if (!copy->m_folder->isValid())
        throw folderFault(shownName, !hasRoomFor(folder, 1), copy->m_folder->errorString());
    copy->m_owner = std::make_unique<QLockFile>(copy->m_folder->filePath(OWNER));
    if (!copy->m_owner->tryLock(0))
        throw folderFault(shownName, !hasRoomFor(folder, 1), QStringLiteral("its lock could not be made"));
    copy->m_path = copy->m_folder->filePath(QFileInfo(file).fileName());

    for (int attempt = 1;; ++attempt) {
        if (copy->copyAsItStands(file, shownName))
            break;
        if (attempt == ATTEMPTS)
            throw DbError::inUse(shownName, QStringLiteral("it kept changing while it was copied"));
    }
    made.insert(file, copy);
    return copy;
}

bool PrivateCopy::copyAsItStands(const QString& file, const QString& shownName) {
    QList<Stamp> before;
    for (const QString& suffix : SUFFIXES) {
        const QString source = file + suffix;
        const QString target = m_path + suffix;
        before.append(stampOf(source));
        QFile::remove(target);
        if (!before.last().exists)
            continue;
        if (beforeEachFile())
            beforeEachFile()(source);
        QFile from(source);
        if (!from.copy(target)) {
            // Another program finished its write meanwhile (a journal it deleted): copy again.
            if (stampOf(source) != before.last())
                return false;
            if (!from.open(QIODevice::ReadOnly))
                throw unreadable(shownName, source, from.errorString());
            qint64 needed = 0;
            for (const QString& each : SUFFIXES)
                needed += QFileInfo(file + each).size();
            throw folderFault(shownName, !hasRoomFor(m_folder->path(), needed), from.errorString());
        }
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    // The copies belong together only when nothing changed while they were made.
    if (stampsOf(file) != before)
        return false;
    m_stamps = before;
    return true;
}

void PrivateCopy::discard(const std::shared_ptr<PrivateCopy>& copy) {
    auto& made = madeThisRun();
    for (auto it = made.cbegin(); it != made.cend(); ++it) {
        if (*it == copy) {
            made.erase(it);
            return;
        }
    }
}

void PrivateCopy::removeLeftovers() {
    const QDir folder(temporaryFolder());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QFileInfoList found =
        folder.entryInfoList({FOLDER_PREFIX + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& entry : found) {
        const QString lock = entry.absoluteFilePath() + u'/' + OWNER;
        if (!QFileInfo::exists(lock) && entry.lastModified().secsTo(now) < UNLOCKED_GRACE_SECONDS)
            continue;
        QLockFile owner(lock);
        // However old, a lock whose program still runs is kept.
        owner.setStaleLockTime(0);
        if (!owner.tryLock(0))
            continue;
        QDir(entry.absoluteFilePath()).removeRecursively();
    }
}

PrivateCopy::~PrivateCopy() {
    // The lock goes before the folder it is in.
    m_owner.reset();
}
