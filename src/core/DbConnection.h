#pragma once

#include "ScopedConnection.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

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

    // Opens an existing file; RuntimeError naming the file when it is missing or not a database.
    // A file is never created here.
    explicit DbConnection(const QString& path);
    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    const QString& path() const { return m_path; }
    QSqlDatabase database() const { return m_connection.database(); }

    // A statement prepared once and kept for the connection's life; RuntimeError when the engine
    // refuses it.
    QSqlQuery& prepared(const QString& statement, const QString& source);
    // RuntimeError 3265 when there is no such table.
    const TableInfo& tableInfo(const QString& table);

    bool inTransaction = false;

private:
    // First, so that it goes last: the prepared statements are handles on it.
    ScopedConnection m_connection;
    QString m_path;
    QHash<QString, QSqlQuery> m_prepared;
    QHash<QString, TableInfo> m_tables; // keyed by upper-case name
};
