#include "SavepointGuard.h"

#include "Database.h"
#include "DbConnection.h"

SavepointGuard::SavepointGuard(Database& db, const QString& name) : m_db(db), m_name(name) {
    m_db.execute(QStringLiteral("SAVEPOINT ") + m_name);
    m_active = true;
}

SavepointGuard::~SavepointGuard() {
    if (!m_active)
        return;
    try {
        rollback();
    } catch (...) {
        // A destructor must not throw; whoever holds the transaction learns of the failure and ends it.
    }
}

void SavepointGuard::release() {
    m_db.execute(QStringLiteral("RELEASE SAVEPOINT ") + m_name);
    m_active = false;
}

void SavepointGuard::rollback() {
    if (!m_active)
        return;
    m_active = false;
    if (!m_db.connection().engineInTransaction())
        return;
    m_db.execute(QStringLiteral("ROLLBACK TO SAVEPOINT ") + m_name);
    m_db.execute(QStringLiteral("RELEASE SAVEPOINT ") + m_name);
}
