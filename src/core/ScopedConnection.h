#pragma once

#include <QSqlDatabase>
#include <QString>

// A named SQLite connection that lives as long as the object: added under a name no other
// connection has, closed and removed by the destructor. Qt keeps connections by name for the whole
// process, so one added by hand and not removed on every path stays open, holding its file.
//
//     ScopedConnection connection(QStringLiteral("sona-script"));
//     QSqlDatabase db = connection.database();
//     db.setDatabaseName(path);
//
// Handles taken from it (QSqlDatabase, QSqlQuery) must be gone before it is: declare them after it.
class ScopedConnection {
public:
    // The name is `prefix` followed by a number of its own.
    explicit ScopedConnection(const QString& prefix);
    ~ScopedConnection();
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;

    const QString& name() const { return m_name; }
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};
