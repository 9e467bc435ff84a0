#pragma once

#include "Workspace.h"

// A transaction of a workspace that cannot be left open: begun by the constructor, rolled back by
// the destructor unless commit() ran.
//
//     TransactionGuard transaction;
//     db.execute(...);
//     transaction.commit();
class TransactionGuard {
public:
    // RuntimeError 3003 when the workspace already runs a transaction.
    explicit TransactionGuard(Workspace& workspace = Workspace::defaultWorkspace());
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    // RuntimeError when the engine refuses; the destructor then rolls back.
    void commit();
    void rollback();
    bool isActive() const { return m_active; }

private:
    Workspace& m_workspace;
    bool m_active = false;
};
