#include "engine/transactionrouter.h"

#include "engine/configtransaction.h"

#include <algorithm>

void TransactionRouter::add(ConfigTransaction *transaction)
{
    prune();
    transactions.append(transaction);
}

bool TransactionRouter::route(const intake::Classified &reply, const QHostAddress &from)
{
    prune();
    // A copy: taking an answer may finish a transaction, whose owner may then add another.
    const QVector<QPointer<ConfigTransaction>> current = transactions;
    for (const QPointer<ConfigTransaction> &transaction : current)
        if (transaction && transaction->offer(reply, from))
            return true;
    return false;
}

int TransactionRouter::running() const
{
    int count = 0;
    for (const QPointer<ConfigTransaction> &transaction : transactions)
        count += transaction && !transaction->isFinished();
    return count;
}

void TransactionRouter::prune()
{
    transactions.erase(
        std::remove_if(transactions.begin(), transactions.end(),
                       [](const QPointer<ConfigTransaction> &t) { return !t || t->isFinished(); }),
        transactions.end());
}
