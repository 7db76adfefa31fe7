#include "ctl/commands/discoveryoptions.h"

#include "ctl/args/addressargs.h"
#include "ctl/ctltext.h"

#include <QCommandLineParser>

namespace {

constexpr int kMaxWaitMs = 600000;
constexpr int kMaxRounds = 100;

} // namespace

void DiscoveryOptions::add(QCommandLineParser &parser, int waitDefaultMs, int roundsDefault)
{
    parser.addOption({QStringLiteral("adapter"),
                      Ctl::tr("Search only through this adapter (name or IPv4 address), even one that does "
                              "not qualify; may be given more than once."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("all-adapters"),
                      Ctl::tr("Search through every adapter that is up and has an IPv4 address, virtual "
                              "and VPN adapters included.")});
    parser.addOption(
        {QStringLiteral("wait"),
         Ctl::tr("Listen for replies this long after the last probe (default %1).").arg(waitDefaultMs),
         QStringLiteral("MS"), QString::number(waitDefaultMs)});
    parser.addOption({QStringLiteral("repeat"),
                      Ctl::tr("Send the probes this many times, 300 ms apart, against lost replies "
                              "(default %1).")
                          .arg(roundsDefault),
                      QStringLiteral("N"), QString::number(roundsDefault)});
    parser.addOption({QStringLiteral("directed"),
                      Ctl::tr("Probe the subnet-directed broadcast address of each adapter as well.")});
}

QString DiscoveryOptions::take(const QCommandLineParser &parser)
{
    adapters = parser.values(QStringLiteral("adapter"));
    allAdapters = parser.isSet(QStringLiteral("all-adapters"));
    directed = parser.isSet(QStringLiteral("directed"));
    if (allAdapters && !adapters.isEmpty())
        return Ctl::tr("--adapter and --all-adapters exclude each other");
    const Checked<int> wait =
        parseCount(QStringLiteral("--wait"), parser.value(QStringLiteral("wait")), 0, kMaxWaitMs);
    if (!wait.ok())
        return wait.error;
    const Checked<int> repeat =
        parseCount(QStringLiteral("--repeat"), parser.value(QStringLiteral("repeat")), 1, kMaxRounds);
    if (!repeat.ok())
        return repeat.error;
    waitMs = wait.value;
    rounds = repeat.value;
    return QString();
}
