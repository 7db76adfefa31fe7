#include "ctl/commands/devicejob.h"

#include "ctl/ctltext.h"
#include "ctl/plan/planform.h"
#include "engine/confirmation.h"
#include "engine/transactionrouter.h"
#include "netcfg/tradeframes.h"

DeviceJob::DeviceJob(DiscoveryService &service, int adapterIndex, TransactionRouter &transactionRouter,
                     const deviceReply &listed, const PlanRow &planRow, const JobTimes &jobTimes,
                     QObject *parent)
    : QObject(parent), link(service, adapterIndex), router(transactionRouter), record(listed), row(planRow),
      times(jobTimes), tradePlan(planTrades(formFor(planRow, listed), listed, listed.ipv4))
{
}

DeviceJob::~DeviceJob() = default;

int DeviceJob::tradeCount() const
{
    return int(tradePlan.trades.size());
}

void DeviceJob::start()
{
    if (!tradePlan.refusedField.isEmpty()) {
        finish(Outcome::TradeFailed, Ctl::tr("%1 does not fit its trade").arg(tradePlan.refusedField));
        return;
    }
    if (tradePlan.trades.empty()) {
        finish(Outcome::Unchanged, Ctl::tr("already as asked; nothing sent"));
        return;
    }
    TransactionOptions options;
    options.tradeTimeoutMs = times.tradeTimeoutMs;
    transaction = std::make_unique<ConfigTransaction>(link, record, tradePlan, QHostAddress(record.ipv4),
                                                      quint16(record.port.toUInt()), options);
    const int total = tradeCount();
    connect(transaction.get(), &ConfigTransaction::tradeFinished, this,
            [this, total](int slot, int code, TradeResult result) {
                emit tradeFinished(slot, total, tradeframes::label(code).trimmed(), result);
            });
    connect(transaction.get(), &ConfigTransaction::finished, this, &DeviceJob::onTransactionFinished);
    router.add(transaction.get());
    transaction->start();
}

void DeviceJob::onTransactionFinished()
{
    const std::vector<TradeResult> &results = transaction->results();
    QStringList refused;
    QStringList timedOut;
    for (size_t i = 0; i < results.size(); ++i) {
        const QString label = tradeframes::label(tradePlan.trades[i].code).trimmed();
        if (results[i] == TradeResult::Refused)
            refused << label;
        else if (results[i] != TradeResult::Accepted)
            timedOut << label;
    }
    if (!refused.isEmpty() || !timedOut.isEmpty() || results.size() != tradePlan.trades.size()) {
        QStringList parts;
        if (!refused.isEmpty())
            parts << Ctl::tr("refused: %1").arg(refused.join(QStringLiteral(", ")));
        if (!timedOut.isEmpty())
            parts << Ctl::tr("timed out: %1").arg(timedOut.join(QStringLiteral(", ")));
        if (results.size() != tradePlan.trades.size())
            parts << Ctl::tr("%1 trades not sent").arg(tradePlan.trades.size() - results.size());
        finish(Outcome::TradeFailed, parts.join(QStringLiteral("; ")));
        return;
    }
    confirmation =
        std::make_unique<Confirmation>(record.mac, expectedAddress(row, record), expectedPort(row, record),
                                       times.confirmTimeMs, times.reprobeIntervalMs);
    connect(confirmation.get(), &Confirmation::probeWanted, this, &DeviceJob::probeWanted);
    connect(confirmation.get(), &Confirmation::finished, this, &DeviceJob::onConfirmationFinished);
    emit confirming();
    confirmation->start();
}

void DeviceJob::observe(const deviceReply &seen)
{
    if (confirmation && !confirmation->isFinished())
        confirmation->observe(seen);
}

void DeviceJob::onConfirmationFinished(bool confirmed, const deviceReply &seen)
{
    if (!confirmed) {
        finish(Outcome::NotConfirmed, seen.mac.isEmpty()
                                          ? Ctl::tr("not seen again within %1 ms").arg(times.confirmTimeMs)
                                          : Ctl::tr("last seen at %1 port %2").arg(seen.ipv4, seen.port));
        return;
    }
    const QStringList mismatches = settingMismatches(row, seen);
    if (!mismatches.isEmpty()) {
        finish(Outcome::NotConfirmed, Ctl::tr("answers with %1").arg(mismatches.join(QStringLiteral(", "))));
        return;
    }
    finish(Outcome::Confirmed, Ctl::tr("answers at %1 port %2").arg(seen.ipv4, seen.port));
}

void DeviceJob::finish(Outcome outcome, const QString &detail)
{
    result = outcome;
    why = detail;
    emit finished();
}
