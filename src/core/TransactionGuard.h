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

    // RuntimeError when the engine refuses. The destructor then rolls back what is left, if anything:
    // isActive() is false when the engine has ended the transaction itself (see Workspace).
    void commit();
    void rollback();
    // Whether its transaction is still open: not after commit() or rollback(), nor once the engine
    // has ended it on its own.
    bool isActive() const { return m_active && m_workspace.inTransaction(); }

private:
    Workspace& m_workspace;
    bool m_active = false;
};
