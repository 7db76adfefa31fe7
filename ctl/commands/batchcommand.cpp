#include "ctl/commands/batchcommand.h"

#include "ctl/args/addressargs.h"
#include "ctl/args/macaddress.h"
#include "ctl/commands/jobchecks.h"
#include "ctl/commands/jobtimeoptions.h"
#include "ctl/commands/settingoptions.h"
#include "ctl/console.h"
#include "ctl/ctltext.h"
#include "ctl/output/progressbar.h"
#include "ctl/plan/addressallocation.h"
#include "ctl/plan/addresscheck.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace {

constexpr int kWaitDefaultMs = 3000;
constexpr int kRoundsDefault = 3;
constexpr int kParallelDefault = 16;
constexpr int kMaxParallel = 64;
constexpr int kMaxStep = 65536;
constexpr qint64 kMaxPlanBytes = 16 * 1024 * 1024;
// Confirmations of many devices share one search: at most one probe per gap.
constexpr int kProbeGapMs = 250;

BatchResult::Outcome outcomeOf(DeviceJob::Outcome outcome)
{
    switch (outcome) {
    case DeviceJob::Outcome::Confirmed:
        return BatchResult::Outcome::Confirmed;
    case DeviceJob::Outcome::Unchanged:
        return BatchResult::Outcome::Unchanged;
    case DeviceJob::Outcome::TradeFailed:
        return BatchResult::Outcome::TradeFailed;
    case DeviceJob::Outcome::NotConfirmed:
    case DeviceJob::Outcome::Waiting:
        break;
    }
    return BatchResult::Outcome::NotConfirmed;
}

} // namespace

QString BatchCommand::summary() const
{
    return Ctl::tr("Change many devices at once, from a plan file or an address range, and confirm each.");
}

void BatchCommand::addOptions(QCommandLineParser &parser)
{
    parser.addPositionalArgument(
        QStringLiteral("PLAN.csv|MAC..."),
        Ctl::tr("A plan file (columns: %1), or with --start-ip the devices' MACs in the "
                "order their addresses are handed out.")
            .arg(planColumns().join(QStringLiteral(", "))));
    parser.addOption({QStringLiteral("start-ip"),
                      Ctl::tr("Give the devices named addresses from this one on."), QStringLiteral("A")});
    parser.addOption({QStringLiteral("step"), Ctl::tr("Addresses this far apart (default 1)."),
                      QStringLiteral("K"), QStringLiteral("1")});
    settingoptions::addSettings(parser, false);
    settingoptions::addCredentials(parser);
    parser.addOption({QStringLiteral("parallel"),
                      Ctl::tr("Transactions run at once (default %1); devices that only await their "
                              "confirmation do not count.")
                          .arg(kParallelDefault),
                      QStringLiteral("N"), QString::number(kParallelDefault)});
    parser.addOption({QStringLiteral("report"), Ctl::tr("Also write the results to this JSON file."),
                      QStringLiteral("FILE.json")});
    addJobTimeOptions(parser);
    addSearchOptions(parser, kWaitDefaultMs, kRoundsDefault);
}

QString BatchCommand::take(const QCommandLineParser &parser)
{
    const QStringList positional = parser.positionalArguments().mid(1);
    if (positional.isEmpty())
        return Ctl::tr("give a plan file, or --start-ip and the devices' MACs");
    QString problem = parser.isSet(QStringLiteral("start-ip")) ? takeRange(parser, positional)
                      : positional.size() == 1
                          ? takePlanFile(parser, positional.first())
                          : Ctl::tr("give one plan file, or --start-ip with several MACs");
    if (!problem.isEmpty())
        return problem;
    // The command line's credentials serve the rows that give none.
    PlanRow credentials;
    problem = settingoptions::takeCredentials(parser, &credentials);
    if (!problem.isEmpty())
        return problem;
    for (PlanRow &row : rows)
        if (row.user.isEmpty()) {
            row.user = credentials.user;
            row.password = credentials.password;
        }

    QVector<PlannedAddress> planned;
    for (const PlanRow &row : rows)
        if (!row.ip.isEmpty())
            planned.append({row.mac, row.line, parseIpv4(QString(), row.ip).value,
                            row.mask.isEmpty() ? 0 : parseIpv4(QString(), row.mask).value});
    const QStringList conflicts = addressConflicts(planned);
    if (!conflicts.isEmpty())
        return Ctl::tr("the plan cannot be sent:\n  %1").arg(conflicts.join(QStringLiteral("\n  ")));

    const Checked<int> count =
        parseCount(QStringLiteral("--parallel"), parser.value(QStringLiteral("parallel")), 1, kMaxParallel);
    if (!count.ok())
        return count.error;
    parallel = count.value;
    reportPath = parser.value(QStringLiteral("report"));
    if (!reportPath.isEmpty() && !QFileInfo(QFileInfo(reportPath).absolutePath()).isWritable())
        return Ctl::tr("--report: cannot write into the folder of %1").arg(reportPath);
    problem = takeJobTimeOptions(parser, &times);
    return problem.isEmpty() ? takeSearchOptions(parser) : problem;
}

QString BatchCommand::takeRange(const QCommandLineParser &parser, const QStringList &macs)
{
    const Checked<quint32> start =
        parseDeviceAddress(QStringLiteral("--start-ip"), parser.value(QStringLiteral("start-ip")));
    if (!start.ok())
        return start.error;
    const Checked<int> step =
        parseCount(QStringLiteral("--step"), parser.value(QStringLiteral("step")), 1, kMaxStep);
    if (!step.ok())
        return step.error;
    const Checked<QVector<quint32>> addresses = allocateAddresses(start.value, step.value, macs.size());
    if (!addresses.ok())
        return addresses.error;
    PlanRow common;
    const QString problem = settingoptions::takeSettings(parser, &common, false);
    if (!problem.isEmpty())
        return problem;
    QSet<QString> seen;
    for (int i = 0; i < macs.size(); ++i) {
        const Checked<QString> mac = parseMac(QStringLiteral("MAC %1").arg(i + 1), macs[i]);
        if (!mac.ok())
            return mac.error;
        if (seen.contains(mac.value))
            return Ctl::tr("MAC %1: %2 is named twice").arg(QString::number(i + 1), mac.value);
        seen.insert(mac.value);
        PlanRow row = common;
        row.mac = mac.value;
        row.ip = dottedText(addresses.value[i]);
        rows << row;
    }
    return QString();
}

QString BatchCommand::takePlanFile(const QCommandLineParser &parser, const QString &path)
{
    for (const char *option : {"ip", "port", "mask", "gateway", "server", "server-port", "step"})
        if (parser.isSet(QLatin1String(option)))
            return Ctl::tr("--%1 goes with --start-ip; a plan file sets each device in its own row")
                .arg(QLatin1String(option));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Ctl::tr("%1: cannot read the plan: %2").arg(path, file.errorString());
    if (file.size() > kMaxPlanBytes)
        return Ctl::tr("%1: the plan is larger than %2 bytes").arg(path).arg(kMaxPlanBytes);
    const Checked<QVector<PlanRow>> plan = parsePlan(file.readAll());
    if (!plan.ok())
        return QStringLiteral("%1: %2").arg(path, plan.error);
    rows = plan.value;
    return QString();
}

void BatchCommand::start()
{
    if (!openSearch())
        return;
    probeGap.setSingleShot(true);
    probeGap.setInterval(kProbeGapMs);
    connect(&probeGap, &QTimer::timeout, this, [this] {
        if (probeOwed)
            requestProbe();
    });
    QSet<QString> wanted;
    for (const PlanRow &row : rows)
        wanted.insert(row.mac);
    connect(search, &DeviceSearch::finished, this, &BatchCommand::onFound);
    search->start(wanted);
}

void BatchCommand::onFound()
{
    DiscoveryService &service = search->service();
    const QStringList problems = checksAgainstDevices(rows, service.devices());
    if (!problems.isEmpty()) {
        end(ExitCode::Usage, Ctl::tr("The plan cannot be sent; nothing was sent to any device:\n  %1")
                                 .arg(problems.join(QStringLiteral("\n  "))));
        return;
    }
    for (const PlanRow &row : rows) {
        BatchResult result;
        result.mac = row.mac;
        result.line = row.line;
        const int index = service.devices().indexOf(row.mac);
        if (index >= 0) {
            const DeviceEntry &entry = service.devices().at(index);
            result.family = familyName(entry.record.protocol);
            result.ipBefore = entry.record.ipv4;
            result.portBefore = entry.record.port;
            result.ipAfter = row.ip.isEmpty() ? entry.record.ipv4 : row.ip;
            result.portAfter = row.port.isEmpty() ? entry.record.port : row.port;
            auto *job = new DeviceJob(service, search->adapterIndex(entry.adapter), router, entry.record, row,
                                      times, this);
            connect(job, &DeviceJob::finished, this, [this, job] { onJobFinished(job); });
            connect(job, &DeviceJob::confirming, this, [this, job] {
                trading.remove(job);
                startNextJobs();
            });
            connect(job, &DeviceJob::probeWanted, this, &BatchCommand::requestProbe);
            waiting << job;
        } else {
            result.ipAfter = row.ip;
            result.portAfter = row.port;
            result.detail = Ctl::tr("did not answer the search; nothing sent");
            ++done;
            ++failed;
        }
        resultIndex.insert(row.mac, results.size());
        results << result;
    }
    connect(&service, &DiscoveryService::deviceSeen, this, [this, &service](int index) {
        const deviceReply &record = service.devices().at(index).record;
        if (DeviceJob *job = running.value(record.mac))
            job->observe(record);
    });
    connect(&service, &DiscoveryService::tradeReply, this,
            [this](const intake::Classified &reply, const QHostAddress &from) { router.route(reply, from); });
    progressOnTerminal = console::errIsTerminal();
    showProgress();
    startNextJobs();
}

// The bound holds for transactions; a device that only awaits its confirmation frees its place.
void BatchCommand::startNextJobs()
{
    if (starting)
        return; // a job that finished at once, inside the loop below
    starting = true;
    while (trading.size() < parallel && !waiting.isEmpty()) {
        DeviceJob *job = waiting.takeFirst();
        running.insert(job->before().mac, job);
        trading.insert(job);
        job->start();
    }
    starting = false;
    if (running.isEmpty() && waiting.isEmpty())
        finishBatch();
}

void BatchCommand::onJobFinished(DeviceJob *job)
{
    running.remove(job->before().mac);
    trading.remove(job);
    BatchResult &result = results[resultIndex.value(job->before().mac)];
    result.outcome = outcomeOf(job->outcome());
    result.detail = job->detail();
    ++done;
    if (result.outcome != BatchResult::Outcome::Confirmed &&
        result.outcome != BatchResult::Outcome::Unchanged)
        ++failed;
    if (!progressOnTerminal)
        console::out(
            QStringLiteral("%1  %2  %3\n").arg(result.mac, outcomeName(result.outcome), result.detail));
    showProgress();
    job->deleteLater();
    startNextJobs();
}

void BatchCommand::requestProbe()
{
    if (probeGap.isActive()) {
        probeOwed = true;
        return;
    }
    probeOwed = false;
    search->service().probe();
    probeGap.start();
}

void BatchCommand::showProgress()
{
    if (!progressOnTerminal)
        return;
    console::err(QLatin1Char('\r') +
                 progressBar(done, results.size(), Ctl::tr("devices, %1 not done").arg(failed)));
}

void BatchCommand::finishBatch()
{
    if (progressOnTerminal)
        console::err(QStringLiteral("\n"));
    console::out(batchTable(results));
    const int status = batchExitStatus(results);
    if (!reportPath.isEmpty()) {
        QSaveFile report(reportPath);
        if (!report.open(QIODevice::WriteOnly) || report.write(batchReportJson(results, status)) < 0 ||
            !report.commit())
            console::err(Ctl::tr("Cannot write the report %1: %2\n").arg(reportPath, report.errorString()));
    }
    emit finished(ExitCode(status));
}
