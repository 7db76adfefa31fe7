#pragma once

#include "ctl/commands/servicetradelink.h"
#include "ctl/plan/batchplan.h"
#include "engine/configtransaction.h"

#include <QPointer>
#include <memory>

class Confirmation;
class TransactionRouter;

struct JobTimes
{
    int tradeTimeoutMs = 7000;
    int confirmTimeMs = 10000;
    int reprobeIntervalMs = 500;
};

// One device taken from its listed record to a plan row: the transaction of its family, then
// the confirmation that it answers, by its MAC, with what was asked.
class DeviceJob : public QObject
{
    Q_OBJECT
public:
    enum class Outcome
    {
        Waiting,
        Confirmed,    // every trade accepted, and seen again as asked
        Unchanged,    // the device already had these settings; nothing was sent
        TradeFailed,  // a trade was refused or timed out
        NotConfirmed, // every trade accepted, but not seen again as asked
    };

    DeviceJob(DiscoveryService &service, int adapterIndex, TransactionRouter &router,
              const deviceReply &record, const PlanRow &row, const JobTimes &times,
              QObject *parent = nullptr);
    ~DeviceJob() override;

    void start();
    const deviceReply &before() const { return record; }
    const PlanRow &plan() const { return row; }
    Outcome outcome() const { return result; }
    // What went wrong, for people: the failed trades' labels, or what the device showed instead.
    QString detail() const { return why; }
    // Trades sent and the total planned.
    int tradeCount() const;

public slots:
    // Every search reply while the job confirms.
    void observe(const deviceReply &seen);

signals:
    void tradeFinished(int slot, int total, const QString &label, TradeResult result);
    void confirming();
    void probeWanted();
    void finished();

private:
    void onTransactionFinished();
    void onConfirmationFinished(bool confirmed, const deviceReply &seen);
    void finish(Outcome outcome, const QString &detail);

    ServiceTradeLink link;
    TransactionRouter &router;
    deviceReply record;
    PlanRow row;
    JobTimes times;
    TradePlan tradePlan;
    std::unique_ptr<ConfigTransaction> transaction;
    std::unique_ptr<Confirmation> confirmation;
    Outcome result = Outcome::Waiting;
    QString why;
};
