#pragma once

#include <QPointer>
#include <QVector>

class ConfigTransaction;
class QHostAddress;
namespace intake {
struct Classified;
}

// Hands each trade answer to the running transaction it belongs to, when several run at once
// over one socket. Transactions are watched, not owned: one that is finished or destroyed
// leaves the list.
class TransactionRouter
{
public:
    void add(ConfigTransaction *transaction);
    // True when a transaction took the answer.
    bool route(const intake::Classified &reply, const QHostAddress &from);
    int running() const;

private:
    void prune();

    QVector<QPointer<ConfigTransaction>> transactions;
};
