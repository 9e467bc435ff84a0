#pragma once

#include "ScopedConnection.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <memory>

class PrivateCopy;
struct sqlite3;

// One open SQLite connection to a logbook file, shared by every handle on that file (see Workspace).
// Holds the statements prepared for repeated use and what it learnt of the tables' layout.
class DbConnection {
public:
    struct TableInfo {
        QString name;             // as the schema spells it
        QStringList columns;      // in table order
        QString key;              // the single INTEGER PRIMARY KEY column, or ""
        bool hasSequence = false; // the key is AUTOINCREMENT: never reused
    };

    // Opens an existing file; RuntimeError naming the file when it is missing (3024), not a database
    // or empty (3049), locked by another program beyond the busy timeout (3218). A file is never created here, nor
    // written by opening it read-only.
    explicit DbConnection(const QString& path);
    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    const QString& path() const { return m_path; }
    QSqlDatabase database() const { return m_connection.database(); }
    // The engine's own handle on the connection, for what Qt's driver does not reach; RuntimeError
    // naming `source` when the connection is not the engine's.
    sqlite3* engineHandle(const QString& source) const;

    // A statement prepared once and kept for the connection's life; RuntimeError when the engine
    // refuses it.
    QSqlQuery& prepared(const QString& statement, const QString& source);
    // RuntimeError 3265 when there is no such table.
    const TableInfo& tableInfo(const QString& table);

    // Begins a write transaction that takes the file's write lock at once, waiting up to the busy
    // timeout for another process to let it go: one that read first and wrote later could not wait
    // (the engine refuses a wait that might never end) and would fail at once. RuntimeError 3218
    // when the lock is still held after the timeout.
    void beginImmediate(const QString& source);

    // A statement's own transaction, begun as beginImmediate does; false (nothing begun) when the
    // connection already runs a transaction the statement belongs to.
    bool beginOwn(const QString& source);
    void commitOwn(const QString& source);
    void rollbackOwn();
    // Whether the engine runs a transaction on the connection. It ends one on its own when a write
    // or the commit fails for a full disk or an I/O error, whatever the workspace began.
    bool engineInTransaction() const;

    // True for a file in a place this user cannot write: every dive reads, every write is refused.
    bool isReadOnly() const { return m_readOnly; }
    // A read-only file whose side files (a journal to roll back, a log whose index cannot be made)
    // need writing to be applied is read from a private copy they were applied to; the file and its
    // side files stay as they are. True when that copy undid a write that was interrupted: the file
    // itself still holds it half done.
    bool undidInterruptedWrite() const { return m_undidInterruptedWrite; }

    // How long a statement waits for a lock another process holds before it fails with 3218.
    static constexpr int BUSY_TIMEOUT_MS = 5000;

    bool inTransaction = false;

private:
    // Opens the file with the URI options and reads its schema: the engine's failure of that read,
    // none when it worked (the connection is then open). RuntimeError 3051 when it cannot be opened.
    QSqlError openAndProbe(const QString& file, const QString& options);
    // Has the engine apply the side files to a private copy of the file (made once a run while the
    // file stands unchanged) and opens the copy read-only: openAndProbe's result. RuntimeError 3051
    // when no copy can be made or applied in the temporary folder, 3218 when another program
    // keeps changing the file.
    QSqlError openPrivateCopy(const QFileInfo& info);
    static bool needsWriting(const QSqlError& failure);

    // Outlives the connection that reads it.
    std::shared_ptr<PrivateCopy> m_privateCopy;
    // Before the rest, so that it goes after them: the prepared statements are handles on it.
    ScopedConnection m_connection;
    QString m_path;
    bool m_readOnly = false;
    bool m_undidInterruptedWrite = false;
    QHash<QString, QSqlQuery> m_prepared;
    QHash<QString, TableInfo> m_tables; // keyed by upper-case name
};
