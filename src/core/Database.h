#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

class DbConnection;
class Recordset;

// A handle on an open logbook file, handed out by Workspace::openDatabase. Copies share the one
// connection of the file; close() (or destruction) only gives this handle up.
class Database {
public:
    Database() = default;
    // Opens the file in the default workspace (see Workspace::openDatabase for the errors).
    static Database open(const QString& fileName);

    bool isOpen() const { return m_connection != nullptr; }
    // The file's path; "" when closed.
    QString name() const;

    // Runs a statement that returns no rows, with `params` bound to its "?" placeholders, and returns
    // the number of rows it changed. A statement is all or nothing: when the engine refuses any part
    // of it nothing is changed and RuntimeError reports why (3022, 3163, 3201, 3000...).
    qint64 execute(const QString& statement, const QVariantList& params = {});

    // A recordset on a statement, or on a whole table when `source` is a bare table name.
    Recordset openRecordset(const QString& source, const QVariantList& params = {});

    void close() { m_connection.reset(); }

    // RuntimeError 91 when closed.
    DbConnection& connection() const;
    std::shared_ptr<DbConnection> sharedConnection() const { return m_connection; }

    // The engine's form of a bound value: date-times as their stored text.
    static QVariant toEngine(const QVariant& value);

private:
    friend class Workspace;
    explicit Database(std::shared_ptr<DbConnection> connection) : m_connection(std::move(connection)) {}
    static qint64 run(DbConnection& db, const QString& sql, const QVariantList& params);

    std::shared_ptr<DbConnection> m_connection;
};
