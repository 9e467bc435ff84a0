#include "Workspace.h"

#include "DbConnection.h"
#include "DbError.h"
#include "MainModule.h"
#include "Seams.h"

#include <QFileInfo>
#include <QSqlError>

Workspace& Workspace::defaultWorkspace() {
    static Workspace workspace;
    return workspace;
}

Database Workspace::openDatabase(const QString& fileName) {
    const QString key = QFileInfo(fileName).absoluteFilePath();
    if (std::shared_ptr<DbConnection> open = m_connections.value(key).lock())
        return Database(open);

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
    if (m_inTransaction)
        throw RuntimeError(DbError::TooManyTransactions, QStringLiteral("Workspace.BeginTrans"),
                           QStringLiteral("Could not start a transaction: one is already running."));
    // Files already open join now; files opened later join when they are opened.
    for (auto it = m_connections.begin(); it != m_connections.end();) {
        std::shared_ptr<DbConnection> connection = it->lock();
        if (!connection) {
            it = m_connections.erase(it);
            continue;
        }
        try {
            connection->beginImmediate(QStringLiteral("Workspace.BeginTrans"));
        } catch (const RuntimeError&) {
            for (const auto& joined : std::as_const(m_transactionConnections)) {
                joined->database().rollback();
                joined->inTransaction = false;
            }
            m_transactionConnections.clear();
            throw;
        }
        connection->inTransaction = true;
        m_transactionConnections.append(connection);
        ++it;
    }
    m_inTransaction = true;
}

void Workspace::commitTrans() {
    if (!m_inTransaction)
        throw RuntimeError(DbError::NoTransaction, QStringLiteral("Workspace.CommitTrans"),
                           QStringLiteral("You tried to commit or rollback a transaction without first beginning a "
                                          "transaction."));
    while (!m_transactionConnections.isEmpty()) {
        const std::shared_ptr<DbConnection>& connection = m_transactionConnections.first();
        connection->commitOwn(QStringLiteral("Workspace.CommitTrans"));
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
    for (const auto& connection : std::as_const(m_transactionConnections)) {
        connection->database().rollback();
        connection->inTransaction = false;
    }
    m_transactionConnections.clear();
    m_inTransaction = false;
}
