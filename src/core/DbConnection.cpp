#include "DbConnection.h"

#include "DbError.h"
#include "PrivateCopy.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <sqlite3.h>

namespace {
// Whether this process may change the file: the file itself and, for the journal written beside it
// during each write, its folder.
bool writable(const QFileInfo& info) {
    return info.isWritable() && QFileInfo(info.absolutePath()).isWritable();
}

RuntimeError notALogbook(const QString& path, const QString& detail) {
    return RuntimeError(DbError::NotADatabase, DbError::OpenDatabase,
                        QStringLiteral("Cannot open database '%1'. It is not a logbook database or it is damaged. (%2)")
                            .arg(path, detail));
}

// A write the engine could not make in the private copy: the temporary folder's fault, not the
// logbook's.
bool isWriteFailure(const QSqlError& failure) {
    const int code = failure.nativeErrorCode().toInt() & 0xff;
    return code == SQLITE_FULL || code == SQLITE_IOERR || code == SQLITE_CANTOPEN || code == SQLITE_READONLY;
}
} // namespace

DbConnection::DbConnection(const QString& path) : m_connection(QStringLiteral("sona-db")), m_path(path) {
    // Through a link, the engine keeps the side files beside the file the link points to: the
    // file, its folder and its side files are looked for there.
    const QString real = QFileInfo(path).canonicalFilePath();
    const QFileInfo info(real.isEmpty() ? path : real);
    if (!info.exists())
        throw RuntimeError(DbError::FileNotFound, DbError::OpenDatabase,
                           QStringLiteral("Could not find file '%1'.").arg(path));
    if (!info.isFile())
        throw RuntimeError(DbError::CannotOpenFile, DbError::OpenDatabase,
                           QStringLiteral("Cannot open the file '%1': it is not a file.").arg(path));
    // The engine takes an empty file for an empty database and writes one into it at the first
    // write: an empty file is not a logbook, and is left as it is.
    if (info.size() == 0)
        throw notALogbook(path, QStringLiteral("the file is empty"));

    m_readOnly = !writable(info);
    QSqlError failure =
        openAndProbe(info.absoluteFilePath(), m_readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
    if (failure.isValid() && m_readOnly && needsWriting(failure) &&
        PrivateCopy::hasSideFiles(info.absoluteFilePath())) {
        // The file as it stands would show half a write (beside a journal) or lack saved dives
        // (beside a log whose index cannot be made): its side files are applied to a copy instead.
        m_undidInterruptedWrite = failure.nativeErrorCode().toInt() == SQLITE_READONLY_ROLLBACK;
        failure = openPrivateCopy(info);
    }
    if (failure.isValid()) {
        // Another program's lock is no damage: the same file opens once it is let go.
        const RuntimeError error = DbError::fromSql(failure, DbError::OpenDatabase);
        if (error.number() == DbError::Locked)
            throw DbError::inUse(path, failure.text());
        throw notALogbook(path, failure.text());
    }
    QSqlQuery setup(m_connection.database());
    // foreign_keys makes deleting a logbook delete its dives. The rollback journal keeps a logbook
    // in its one file (a copy of it is the whole logbook), and synchronous=FULL makes a committed
    // download survive a power cut. A file left in the write-ahead mode is turned back here,
    // whenever it is opened for writing.
    setup.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    if (!m_readOnly) {
        setup.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
        setup.finish();
        setup.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    }
    setup.finish();
}

QSqlError DbConnection::openAndProbe(const QString& file, const QString& options) {
    QSqlDatabase db = m_connection.database();
    db.close();
    // mode=rw: SQLite refuses to create a missing file, even if it vanished since the test above.
    db.setDatabaseName(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) + options);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BUSY_TIMEOUT_MS));
    if (!db.open()) {
        const QString detail = db.lastError().text();
        throw RuntimeError(DbError::CannotOpenFile, DbError::OpenDatabase,
                           QStringLiteral("Cannot open the file '%1'. (%2)").arg(m_path, detail));
    }
    // Opening is lazy: the first read of the schema is what finds a file that is not a database,
    // a lock, or side files to apply.
    QSqlQuery probe(db);
    if (probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return {};
    const QSqlError failure = probe.lastError();
    probe = QSqlQuery();
    db.close();
    return failure;
}

QSqlError DbConnection::openPrivateCopy(const QFileInfo& info) {
    std::shared_ptr<PrivateCopy> copy = PrivateCopy::of(info.absoluteFilePath(), m_path);
    if (!copy->isApplied()) {
        // Opened for writing, the engine rolls back or applies the side files in the copy; a log
        // is then folded into the copy, which is read as any read-only file.
        QSqlError failure = openAndProbe(copy->path(), QStringLiteral("?mode=rw"));
        if (!failure.isValid()) {
            QSqlQuery fold(database());
            if (!fold.exec(QStringLiteral("PRAGMA journal_mode = DELETE")))
                failure = fold.lastError();
        }
        if (failure.isValid()) {
            PrivateCopy::discard(copy);
            if (isWriteFailure(failure))
                throw PrivateCopy::folderFault(m_path, (failure.nativeErrorCode().toInt() & 0xff) == SQLITE_FULL,
                                               failure.text());
            return failure;
        }
        copy->setApplied();
    }
    m_privateCopy = copy;
    return openAndProbe(copy->path(), QStringLiteral("?mode=ro"));
}

bool DbConnection::needsWriting(const QSqlError& failure) {
    // SQLITE_READONLY (a hot journal to roll back, a log to recover) and SQLITE_CANTOPEN (an index
    // of the log that cannot be made), in all their extended forms.
    const int code = failure.nativeErrorCode().toInt() & 0xff;
    return code == 8 || code == 14;
}

DbConnection::~DbConnection() {
    m_prepared.clear();
    QSqlDatabase db = m_connection.database();
    if (db.isOpen() && inTransaction)
        db.rollback();
}

QSqlQuery& DbConnection::prepared(const QString& statement, const QString& source) {
    auto it = m_prepared.find(statement);
    if (it != m_prepared.end())
        return *it;
    QSqlQuery query(database());
    if (!query.prepare(statement))
        throw DbError::fromSql(query.lastError(), source);
    return *m_prepared.insert(statement, query);
}

const DbConnection::TableInfo& DbConnection::tableInfo(const QString& table) {
    const QString upper = table.toUpper();
    auto it = m_tables.find(upper);
    if (it != m_tables.end())
        return *it;

    TableInfo info;
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' AND upper(name) = ?"));
    query.addBindValue(upper);
    if (!query.exec())
        throw DbError::fromSql(query.lastError(), QStringLiteral("Database.OpenRecordset"));
    if (!query.next())
        throw RuntimeError(DbError::ItemNotFound, QStringLiteral("Database.OpenRecordset"),
                           QStringLiteral("The table '%1' does not exist.").arg(table));
    info.name = query.value(0).toString();
    info.hasSequence = query.value(1).toString().contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
    query.finish();

    // table_info takes no bound values; the name comes from the schema itself.
    if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(info.name)))
        throw DbError::fromSql(query.lastError(), QStringLiteral("Database.OpenRecordset"));
    int keyColumns = 0;
    QString key;
    QString keyType;
    while (query.next()) {
        info.columns.append(query.value(1).toString());
        if (query.value(5).toInt() > 0) {
            ++keyColumns;
            key = query.value(1).toString();
            keyType = query.value(2).toString();
        }
    }
    if (keyColumns == 1 && keyType.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
        info.key = key;
    else
        info.hasSequence = false;
    return *m_tables.insert(upper, info);
}

void DbConnection::beginImmediate(const QString& source) {
    QSqlQuery begin(database());
    // A read-only file takes no write lock: its transaction reads, and each write in it is refused.
    if (!begin.exec(m_readOnly ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")))
        throw DbError::fromSql(begin.lastError(), source);
}

bool DbConnection::beginOwn(const QString& source) {
    QSqlQuery begin(database());
    if (begin.exec(m_readOnly ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")))
        return true;
    // SQLITE_ERROR: a transaction of the caller's own (a savepoint) runs already, and the
    // statement belongs to it.
    if (begin.lastError().nativeErrorCode() == QLatin1String("1"))
        return false;
    throw DbError::fromSql(begin.lastError(), source);
}

void DbConnection::commitOwn(const QString& source) {
    QSqlQuery commit(database());
    if (!commit.exec(QStringLiteral("COMMIT")))
        throw DbError::fromSql(commit.lastError(), source);
}

void DbConnection::rollbackOwn() {
    QSqlQuery rollback(database());
    rollback.exec(QStringLiteral("ROLLBACK"));
}

sqlite3* DbConnection::engineHandle(const QString& source) const {
    const QVariant handle = database().driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0 || !handle.data())
        throw RuntimeError(DbError::Reserved, source,
                           QStringLiteral("The logbook's connection is not an SQLite connection."));
    return *static_cast<sqlite3* const*>(handle.data());
}

bool DbConnection::engineInTransaction() const {
    return sqlite3_get_autocommit(engineHandle(QStringLiteral("Workspace"))) == 0;
}
