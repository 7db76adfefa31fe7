#include "ctl/commands/setcommand.h"

#include "ctl/args/addressargs.h"
#include "ctl/args/macaddress.h"
#include "ctl/commands/jobchecks.h"
#include "ctl/commands/jobtimeoptions.h"
#include "ctl/commands/settingoptions.h"
#include "ctl/commands/traderesulttext.h"
#include "ctl/console.h"
#include "ctl/ctltext.h"
#include "ctl/output/displaywidth.h"
#include "ctl/plan/addresscheck.h"

#include <QCommandLineParser>

namespace {

constexpr int kWaitDefaultMs = 3000;
constexpr int kRoundsDefault = 3;
constexpr int kLabelColumns = 16;

} // namespace

QString SetCommand::summary() const
{
    return Ctl::tr("Change one device's network settings, then confirm that it answers with them.");
}

void SetCommand::addOptions(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("MAC"), Ctl::tr("The device, by its MAC address."));
    settingoptions::addSettings(parser, true);
    settingoptions::addCredentials(parser);
    addJobTimeOptions(parser);
    addSearchOptions(parser, kWaitDefaultMs, kRoundsDefault);
}

QString SetCommand::take(const QCommandLineParser &parser)
{
    const QStringList positional = parser.positionalArguments().mid(1);
    if (positional.size() != 1)
        return Ctl::tr("give exactly one MAC address");
    const Checked<QString> mac = parseMac(QStringLiteral("MAC"), positional.first());
    if (!mac.ok())
        return mac.error;
    row.mac = mac.value;
    QString problem = settingoptions::takeSettings(parser, &row, true);
    if (problem.isEmpty())
        problem = settingoptions::takeCredentials(parser, &row);
    if (problem.isEmpty())
        problem = takeJobTimeOptions(parser, &times);
    if (!problem.isEmpty())
        return problem;
    if (!row.setsAnything())
        return Ctl::tr("nothing to change: give at least one of --ip, --port, --mask, --gateway, --server, "
                       "--server-port");
    if (!row.ip.isEmpty() && !row.mask.isEmpty()) {
        const QStringList conflicts = addressConflicts(
            {{row.mac, 0, parseIpv4(QString(), row.ip).value, parseIpv4(QString(), row.mask).value}});
        if (!conflicts.isEmpty())
            return conflicts.join(QLatin1Char('\n'));
    }
    return takeSearchOptions(parser);
}

void SetCommand::start()
{
    if (!openSearch())
        return;
    connect(search, &DeviceSearch::finished, this, &SetCommand::onFound);
    search->start({row.mac});
}

void SetCommand::onFound()
{
    DiscoveryService &service = search->service();
    const int index = service.devices().indexOf(row.mac);
    if (index < 0) {
        end(ExitCode::NoDevice,
            Ctl::tr("No device with MAC %1 answered; nothing was sent to it.").arg(row.mac));
        return;
    }
    const DeviceEntry &entry = service.devices().at(index);
    const QStringList problems = checksAgainstDevices({row}, service.devices());
    if (!problems.isEmpty()) {
        end(ExitCode::Usage, problems.join(QLatin1Char('\n')) + Ctl::tr("\nNothing was sent to the device."));
        return;
    }
    console::out(Ctl::tr("%1 (%2) at %3 port %4, through %5\n")
                     .arg(entry.record.mac, familyName(entry.record.protocol),
                          entry.record.ipv4, entry.record.port, entry.adapter));

    job = new DeviceJob(service, search->adapterIndex(entry.adapter), router, entry.record, row, times, this);
    connect(job, &DeviceJob::tradeFinished, this,
            [](int slot, int total, const QString &label, TradeResult result) {
                console::out(QStringLiteral("  [%1/%2] %3%4\n")
                                 .arg(QString::number(slot + 1), QString::number(total),
                                      padded(label, kLabelColumns), tradeResultText(result)));
            });
    connect(job, &DeviceJob::confirming, this,
            [] { console::out(Ctl::tr("  confirming: waiting for the device to answer as asked\n")); });
    connect(job, &DeviceJob::probeWanted, &service, &DiscoveryService::probe);
    connect(&service, &DiscoveryService::deviceSeen, job,
            [this, &service](int seen) { job->observe(service.devices().at(seen).record); });
    connect(&service, &DiscoveryService::tradeReply, this,
            [this](const intake::Classified &reply, const QHostAddress &from) { router.route(reply, from); });
    connect(job, &DeviceJob::finished, this, &SetCommand::onJobFinished);
    job->start();
}

void SetCommand::onJobFinished()
{
    switch (job->outcome()) {
    case DeviceJob::Outcome::Confirmed:
        console::out(Ctl::tr("Confirmed: %1 %2.\n").arg(row.mac, job->detail()));
        end(ExitCode::Done);
        return;
    case DeviceJob::Outcome::Unchanged:
        console::out(Ctl::tr("%1 is %2.\n").arg(row.mac, job->detail()));
        end(ExitCode::Done);
        return;
    case DeviceJob::Outcome::TradeFailed:
        end(ExitCode::TradeFailed, Ctl::tr("Failed: %1 %2.").arg(row.mac, job->detail()));
        return;
    case DeviceJob::Outcome::NotConfirmed:
    case DeviceJob::Outcome::Waiting:
        break;
    }
    end(ExitCode::NotConfirmed,
        Ctl::tr("Not confirmed: every trade was accepted, but %1 %2.").arg(row.mac, job->detail()));
}
