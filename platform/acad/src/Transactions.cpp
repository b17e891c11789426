#include "dbtrans.h"

AcTransaction* AcTransactionManager::startTransaction() {
    auto transaction = std::make_unique<AcTransaction>();
    transaction->depth_ = numActiveTransactions() + 1;
    open_.push_back(std::move(transaction));
    return open_.back().get();
}

Acad::ErrorStatus AcTransactionManager::endTransaction() {
    if (open_.empty()) return Acad::eNotApplicable;
    open_.pop_back();
    ++committed_;
    return Acad::eOk;
}

Acad::ErrorStatus AcTransactionManager::abortTransaction() {
    if (open_.empty()) return Acad::eNotApplicable;
    open_.pop_back();
    ++aborted_;
    return Acad::eOk;
}

AcTransactionManager* actrTransactionManagerService() {
    static AcTransactionManager manager;
    return &manager;
}
