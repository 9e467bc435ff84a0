#include "Workspace.h"

#include "DbConnection.h"
#include "DbError.h"
#include "MainModule.h"
#include "Seams.h"

#include <QFileInfo>
#include <QSqlError>
#include <algorithm>

Workspace& Workspace::defaultWorkspace() {
    static Workspace workspace;
    return workspace;
}

namespace {
// A file reached through a link is the file it points to: one connection for both names.
QString keyOf(const QString& fileName) {
    const QFileInfo info(fileName);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}
} // namespace

Database Workspace::openDatabase(const QString& fileName) {
    const QString key = keyOf(fileName);
    if (std::shared_ptr<DbConnection> open = m_connections.value(key).lock())
        return Database(open);
    forgetClosedFiles();

    auto connection = std::make_shared<DbConnection>(fileName);
    if (connection->undidInterruptedWrite() && !m_toldInterrupted.contains(key)) {
        // Once a run: every operation opens the file anew.
        m_toldInterrupted.insert(key);
        Seams::message().show(
            QStringLiteral("[DBEngine.OpenDatabase] A write to the logbook database '%1' was interrupted before it "
                           "was finished. What is shown is the logbook as it was last saved, without that write; "
                           "the file itself stays as it is until it is opened from a folder you can write to.")
                .arg(fileName),
            Msg::OkOnly | Msg::Exclamation, getString(1005));
    }
    if (m_inTransaction) {
        connection->beginImmediate(QStringLiteral("Workspace.OpenDatabase"));
        connection->inTransaction = true;
        m_transactionConnections.append(connection);
    }
    m_connections.insert(key, connection);
    return Database(connection);
}

void Workspace::beginTrans() {
    // A transaction the engine has ended is over: what it held is gone already.
    if (m_inTransaction && endedByEngine())
        endTransaction();
    if (m_inTransaction)
        throw RuntimeError(DbError::TooManyTransactions, QStringLiteral("Workspace.BeginTrans"),
                           QStringLiteral("Could not start a transaction: one is already running."));
    // Files already open join now; files opened later join when they are opened.
    forgetClosedFiles();
    for (const std::weak_ptr<DbConnection>& file : std::as_const(m_connections)) {
        const std::shared_ptr<DbConnection> connection = file.lock();
        if (!connection)
            continue;
        try {
            connection->beginImmediate(QStringLiteral("Workspace.BeginTrans"));
        } catch (const RuntimeError&) {
            endTransaction();
            throw;
        }
        connection->inTransaction = true;
        m_transactionConnections.append(connection);
    }
    m_inTransaction = true;
}

void Workspace::forgetClosedFiles() {
    // Not while walking the table: an erase may move a later entry back behind the walk, which
    // would then meet it twice.
    QStringList closed;
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it) {
        if (it->expired())
            closed.append(it.key());
    }
    for (const QString& key : std::as_const(closed))
        m_connections.remove(key);
}

void Workspace::commitTrans() {
    if (!m_inTransaction)
        throw RuntimeError(DbError::NoTransaction, QStringLiteral("Workspace.CommitTrans"),
                           QStringLiteral("You tried to commit or rollback a transaction without first beginning a "
                                          "transaction."));
    if (endedByEngine()) {
        endTransaction();
        throw RuntimeError(DbError::NoTransaction, QStringLiteral("Workspace.CommitTrans"),
                           QStringLiteral("The transaction has already ended: one of its writes failed, and the "
                                          "database engine took back all of it."));
    }
    while (!m_transactionConnections.isEmpty()) {
        const std::shared_ptr<DbConnection> connection = m_transactionConnections.first();
        try {
            connection->commitOwn(QStringLiteral("Workspace.CommitTrans"));
        } catch (const RuntimeError&) {
            // A commit that meets a lock leaves the transaction open; one that fails for a full disk
            // or an I/O error the engine ends there and then, and the other files follow it.
            if (!connection->engineInTransaction())
                endTransaction();
            throw;
        }
        connection->inTransaction = false;
        m_transactionConnections.removeFirst();
    }
    m_inTransaction = false;
}

void Workspace::rollback() {
    if (!m_inTransaction)
        throw RuntimeError(DbError::NoTransaction, QStringLiteral("Workspace.Rollback"),
                           QStringLiteral("You tried to commit or rollback a transaction without first beginning a "
                                          "transaction."));
    endTransaction();
}

bool Workspace::inTransaction() const {
    return m_inTransaction && !endedByEngine();
}

bool Workspace::endedByEngine() const {
    return std::any_of(
        m_transactionConnections.cbegin(), m_transactionConnections.cend(),
        [](const std::shared_ptr<DbConnection>& connection) { return !connection->engineInTransaction(); });
}

void Workspace::endTransaction() {
    for (const auto& connection : std::as_const(m_transactionConnections)) {
        connection->database().rollback();
        connection->inTransaction = false;
    }
    m_transactionConnections.clear();
    m_inTransaction = false;
}
