#pragma once

#include "Database.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <memory>

class DbConnection;

// The database engine's default workspace: where the logbook file is opened and where
// transactions live.
//
//     Database db = Workspace::defaultWorkspace().openDatabase(Settings::instance().databaseName());
//     Recordset rs(db, "SELECT * FROM DIVE WHERE FILE_ID = ?", {logbookID});
//     for (; !rs.eof(); rs.moveNext())
//         ... rs.value("MAX_DEPTH") ...
//     db.execute("DELETE FROM DIVE WHERE DIVE_ID = ?", {diveID});
//
// There is one connection per file for the whole process: every open of the same file hands out
// another handle on it, and the connection closes when the last handle (Database or Recordset)
// goes. So a transaction begun here covers every write made while it runs, whoever opened the file
// and whenever: a download's dialog begins it, the driver opens the file and appends the dives, the
// dialog commits. Begin and end transactions through a TransactionGuard where the code allows, so
// that an error cannot leave one open.
//
// Statements may keep the "#mm/dd/yyyy hh:mm#" date literals (see SqlDates). Values typed by the
// user are never spliced into a statement: pass them as bound values for "?" placeholders.
// Every failure is a RuntimeError with the numbers of DbError.
class Workspace {
public:
    static Workspace& defaultWorkspace();

    // A handle on the file's connection; RuntimeError 3024 when the file is missing, 3049 when it is
    // not a database, 3051 when it cannot be opened, 3218 when another program holds it. Never
    // creates the file. A read-only file whose side files need writing to be applied is read from a
    // private copy they are applied to; when that undid an interrupted write the user is told so once.
    Database openDatabase(const QString& fileName);

    // RuntimeError 3003 when a transaction is already running.
    void beginTrans();
    // Makes every write since beginTrans permanent. RuntimeError 3034 without a transaction, also
    // when the engine has already ended it. When the engine refuses the commit, the transaction
    // stays open for a rollback if the engine kept it (another program's lock); if the engine ended
    // it (a full disk, an I/O error), nothing of it was kept and inTransaction() is false.
    void commitTrans();
    // Undoes every write since beginTrans. RuntimeError 3034 without a transaction; the engine's own
    // failures are not raised, the transaction ends in any case.
    void rollback();
    // Whether the transaction begun here is still open. The engine ends one on its own when a
    // write or the commit fails for a full disk or an I/O error, taking back all it held: from then
    // on a write is no longer part of it.
    bool inTransaction() const;

private:
    Workspace() = default;
    bool endedByEngine() const;
    void forgetClosedFiles();
    // Rolls back what the transaction's files still hold and forgets it.
    void endTransaction();

    QHash<QString, std::weak_ptr<DbConnection>> m_connections; // by absolute path
    QList<std::shared_ptr<DbConnection>> m_transactionConnections;
    bool m_inTransaction = false;
    QSet<QString> m_toldInterrupted; // files whose interrupted write the user has been told of
};
