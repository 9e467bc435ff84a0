#include "DbConnection.h"

#include "DbError.h"

#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

namespace {
const QString OPEN_SOURCE = QStringLiteral("DBEngine.OpenDatabase");
} // namespace

DbConnection::DbConnection(const QString& path) : m_connection(QStringLiteral("sona-db")), m_path(path) {
    const QFileInfo info(path);
    if (!info.exists())
        throw RuntimeError(DbError::FileNotFound, OPEN_SOURCE, QStringLiteral("Could not find file '%1'.").arg(path));
    if (!info.isFile())
        throw RuntimeError(DbError::CannotOpenFile, OPEN_SOURCE,
                           QStringLiteral("Cannot open the file '%1': it is not a file.").arg(path));

    {
        QSqlDatabase db = m_connection.database();
        // mode=rw: SQLite refuses to create a missing file, even if it vanished since the test above.
        db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=rw"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            const QString detail = db.lastError().text();
            throw RuntimeError(DbError::CannotOpenFile, OPEN_SOURCE,
                               QStringLiteral("Cannot open the file '%1'. (%2)").arg(path, detail));
        }
        // Opening is lazy: the first read of the schema is what finds a file that is not a database.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            const QString detail = probe.lastError().text();
            throw RuntimeError(DbError::NotADatabase, OPEN_SOURCE,
                               QStringLiteral("Cannot open database '%1'. It is not a logbook database or it is "
                                              "damaged. (%2)")
                                   .arg(path, detail));
        }
        probe.finish();
        // foreign_keys makes deleting a logbook delete its dives. WAL lets the data control read while
        // another operation writes; synchronous=FULL so that a committed download survives a power cut.
        // A read-only file cannot switch its journal; reading it still works, so that failure is let be.
        probe.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
        probe.exec(QStringLiteral("PRAGMA synchronous = FULL"));
        probe.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        probe.finish();
    }
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
