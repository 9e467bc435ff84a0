#include "TransactionGuard.h"

TransactionGuard::TransactionGuard(Workspace& workspace) : m_workspace(workspace) {
    m_workspace.beginTrans();
    m_active = true;
}

TransactionGuard::~TransactionGuard() {
    if (!m_active)
        return;
    try {
        m_workspace.rollback();
    } catch (...) {
        // A destructor must not throw; rollback ends the transaction even when the engine complains.
    }
}

void TransactionGuard::commit() {
    try {
        m_workspace.commitTrans();
    } catch (...) {
        m_active = m_workspace.inTransaction();
        throw;
    }
    m_active = false;
}

void TransactionGuard::rollback() {
    if (!m_active)
        return;
    m_active = false;
    m_workspace.rollback();
}
