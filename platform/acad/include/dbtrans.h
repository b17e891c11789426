// Transactions of the drawing database: a stack of open transactions.
#pragma once

#include "acadstrc.h"

#include <memory>
#include <vector>

class AcTransaction {
public:
    virtual ~AcTransaction() = default;
    int depth() const { return depth_; }

private:
    friend class AcTransactionManager;
    int depth_ = 0;
};

class AcTransactionManager {
public:
    // Opens a transaction on top of the stack; the manager owns it.
    AcTransaction* startTransaction();
    // Ends (commits) the top transaction; eNotApplicable when none is open.
    Acad::ErrorStatus endTransaction();
    // Aborts the top transaction; eNotApplicable when none is open.
    Acad::ErrorStatus abortTransaction();
    int numActiveTransactions() const { return static_cast<int>(open_.size()); }
    AcTransaction* topTransaction() const { return open_.empty() ? nullptr : open_.back().get(); }
    int committedCount() const { return committed_; }
    int abortedCount() const { return aborted_; }

private:
    std::vector<std::unique_ptr<AcTransaction>> open_;
    int committed_ = 0;
    int aborted_ = 0;
};

// The drawing's transaction manager.
AcTransactionManager* actrTransactionManagerService();
#define actrTransactionManager (actrTransactionManagerService())
