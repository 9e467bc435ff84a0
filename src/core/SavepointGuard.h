#pragma once

#include <QString>

class Database;

// A savepoint that cannot be left open: set by the constructor, rolled back to and released by the
// destructor unless release() ran. It undoes one step's writes inside a running transaction and
// leaves the transaction itself open, with whatever was written before the step.
//
//     SavepointGuard step(db, QStringLiteral("download_store"));
//     db.execute(...);
//     step.release();
class SavepointGuard {
public:
    // `name` is a plain identifier. RuntimeError when the engine refuses the savepoint.
    SavepointGuard(Database& db, const QString& name);
    ~SavepointGuard();
    SavepointGuard(const SavepointGuard&) = delete;
    SavepointGuard& operator=(const SavepointGuard&) = delete;

    // Keeps the step's writes. RuntimeError when the engine refuses; the destructor then undoes them.
    void release();
    // Undoes the step's writes and ends the savepoint; the transaction stays open with what came
    // before. Once the transaction has ended (committed, or ended by the engine on a failed write)
    // the savepoint has gone with it, and there is nothing to undo. RuntimeError when the engine
    // refuses.
    void rollback();
    bool isActive() const { return m_active; }

private:
    Database& m_db;
    QString m_name;
    bool m_active = false;
};
