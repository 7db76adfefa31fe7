#include "ctl/doctor/routecheck.h"

#include "ctl/args/addressargs.h"
#include "ctl/ctltext.h"
#include "ctl/doctor/prefixlength.h"

#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr int kInterfaceColumn = 0;
constexpr int kDestinationColumn = 1;
constexpr int kGatewayColumn = 2;
constexpr int kMetricColumn = 6;
constexpr int kMaskColumn = 7;
constexpr quint32 kGroup = 0xEFFFFFFA; // 239.255.255.250
constexpr int kStrict = 1;

// The kernel prints addresses as the host reads the network-order word from memory.
bool hexAddress(const QString &text, quint32 *address)
{
    bool ok = false;
    *address = qFromBigEndian(text.toUInt(&ok, 16));
    return ok;
}

} // namespace

QVector<RouteEntry> parseProcNetRoute(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QVector<RouteEntry> routes;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QStringList c = line.trimmed().split(blanks);
        if (c.size() <= kMaskColumn)
            continue;
        RouteEntry r;
        r.interface = c[kInterfaceColumn];
        bool metricOk = false;
        r.metric = c[kMetricColumn].toInt(&metricOk);
        if (!metricOk || !hexAddress(c[kDestinationColumn], &r.destination) ||
            !hexAddress(c[kGatewayColumn], &r.gateway) || !hexAddress(c[kMaskColumn], &r.mask))
            continue; // the header line, or a line that is not a route
        routes << r;
    }
    return routes;
}

const RouteEntry *routeTo(const QVector<RouteEntry> &routes, quint32 address)
{
    const RouteEntry *best = nullptr;
    for (const RouteEntry &r : routes) {
        if ((address & r.mask) != (r.destination & r.mask))
            continue;
        if (!best || prefixLength(r.mask) > prefixLength(best->mask) ||
            (r.mask == best->mask && r.metric < best->metric))
            best = &r;
    }
    return best;
}

Finding multicastRouteFinding(const QVector<RouteEntry> &routes, const QStringList &qualifyingAdapters)
{
    Finding f;
    f.topic = Ctl::tr("multicast route");
    const QString example = qualifyingAdapters.value(0, QStringLiteral("ADAPTER"));
    const RouteEntry *route = routeTo(routes, kGroup);
    if (!route) {
        f.level = Finding::Level::Problem;
        f.text =
            Ctl::tr("no route covers 239.255.255.250: a program that does not pick its adapter cannot send "
                    "the multicast probe (\"Network is unreachable\")");
        f.advice = Ctl::tr("Add one through the adapter the devices are on: ip route add 224.0.0.0/4 dev %1")
                       .arg(example);
        return f;
    }
    const QString via =
        route->gateway ? Ctl::tr("%1 through gateway %2").arg(route->interface, dottedText(route->gateway))
                       : route->interface;
    if (!qualifyingAdapters.contains(route->interface)) {
        f.level = Finding::Level::Note;
        f.text =
            Ctl::tr("multicast to 239.255.255.250 leaves through %1, which is not an adapter devices are "
                    "searched on (a VPN or virtual adapter?)")
                .arg(via);
        f.advice =
            Ctl::tr("quillonctl picks each adapter itself; for other programs: ip route add 224.0.0.0/4 "
                    "dev %1")
                .arg(example);
        return f;
    }
    f.text = Ctl::tr("multicast to 239.255.255.250 leaves through %1").arg(via);
    return f;
}

QVector<Finding> rpFilterFindings(int all, const QVector<RpFilter> &adapters,
                                  const QString &defaultRouteInterface)
{
    QVector<Finding> findings;
    for (const RpFilter &adapter : adapters) {
        Finding f;
        f.topic = Ctl::tr("reverse-path filter");
        const int effective = std::max(all, adapter.value);
        if (effective != kStrict) {
            f.text = Ctl::tr("%1: reverse-path filtering is %2 (not strict)")
                         .arg(adapter.interface, effective == 0 ? Ctl::tr("off") : Ctl::tr("loose"));
            findings << f;
            continue;
        }
        const bool alone = adapters.size() == 1 && adapter.interface == defaultRouteInterface;
        f.level = alone ? Finding::Level::Note : Finding::Level::Problem;
        f.text =
            Ctl::tr("%1: strict reverse-path filtering drops replies from devices whose address is routed "
                    "through another adapter (a device outside %1's subnet)")
                .arg(adapter.interface);
        f.advice =
            Ctl::tr("Make it loose: sysctl -w net.ipv4.conf.all.rp_filter=2 net.ipv4.conf.%1.rp_filter=2")
                .arg(adapter.interface);
        findings << f;
    }
    return findings;
}
