#pragma once

#include "ctl/commands/devicejob.h"
#include "ctl/commands/searchingcommand.h"
#include "ctl/output/batchreport.h"
#include "engine/transactionrouter.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QTimer>

// quillonctl batch: many devices from a plan, their transactions side by side (a bounded
// number at once), each confirmed by its MAC, and a table of results at the end.
class BatchCommand : public SearchingCommand
{
    Q_OBJECT
public:
    using SearchingCommand::SearchingCommand;

    QString name() const override { return QStringLiteral("batch"); }
    QString summary() const override;
    void addOptions(QCommandLineParser &parser) override;
    QString take(const QCommandLineParser &parser) override;
    void start() override;

private:
    QString takeRange(const QCommandLineParser &parser, const QStringList &macs);
    QString takePlanFile(const QCommandLineParser &parser, const QString &path);
    void onFound();
    void startNextJobs();
    void onJobFinished(DeviceJob *job);
    void requestProbe();
    void showProgress();
    void finishBatch();

    QVector<PlanRow> rows;
    JobTimes times;
    int parallel = 16;
    QString reportPath;
    TransactionRouter router;
    QVector<DeviceJob *> waiting;
    QHash<QString, DeviceJob *> running; // by MAC, until confirmed or failed
    QSet<DeviceJob *> trading;           // whose transaction runs
    bool starting = false;
    QVector<BatchResult> results;    // in plan order
    QHash<QString, int> resultIndex; // by MAC
    int done = 0;
    int failed = 0;
    bool progressOnTerminal = false;
    QTimer probeGap;
    bool probeOwed = false;
};
