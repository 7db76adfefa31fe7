#pragma once

#include "ctl/commands/devicejob.h"
#include "ctl/commands/searchingcommand.h"
#include "engine/transactionrouter.h"

// quillonctl set MAC ...: one device's transaction, trade by trade, then its confirmation.
class SetCommand : public SearchingCommand
{
    Q_OBJECT
public:
    using SearchingCommand::SearchingCommand;

    QString name() const override { return QStringLiteral("set"); }
    QString summary() const override;
    void addOptions(QCommandLineParser &parser) override;
    QString take(const QCommandLineParser &parser) override;
    void start() override;

private:
    void onFound();
    void onJobFinished();

    PlanRow row;
    JobTimes times;
    TransactionRouter router;
    DeviceJob *job = nullptr;
};
