#include "ctl/commands/devicesearch.h"

namespace {

const QByteArray kProbe = QByteArrayLiteral("Y");

DiscoveryConfig configFor(const DiscoveryOptions &options)
{
    DiscoveryConfig config;
    config.directedBroadcast = options.directed;
    config.rounds = options.rounds;
    return config;
}

} // namespace

DeviceSearch::DeviceSearch(QVector<Adapter> adapters, const DiscoveryOptions &searchOptions, QObject *parent)
    : QObject(parent), discovery(std::move(adapters), configFor(searchOptions)), options(searchOptions)
{
    wait.setSingleShot(true);
    connect(&wait, &QTimer::timeout, this, &DeviceSearch::finish);
    connect(&discovery, &DiscoveryService::probesSent, this, &DeviceSearch::onRound);
    connect(&discovery, &DiscoveryService::deviceSeen, this, &DeviceSearch::onSeen);
}

bool DeviceSearch::open(QString *error)
{
    if (discovery.open())
        return true;
    *error = discovery.error();
    return false;
}

void DeviceSearch::start(const QSet<QString> &wantedMacs)
{
    wanted = wantedMacs;
    seenWanted.clear();
    for (const QString &mac : wanted)
        if (discovery.devices().indexOf(mac) >= 0)
            seenWanted.insert(mac);
    running = true;
    if (!wanted.isEmpty() && seenWanted.size() == wanted.size()) {
        finish();
        return;
    }
    discovery.probe();
}

int DeviceSearch::adapterIndex(const QString &name) const
{
    const QVector<Adapter> &adapters = discovery.adapters();
    for (int i = 0; i < adapters.size(); ++i)
        if (adapters[i].name == name)
            return i;
    return -1;
}

void DeviceSearch::onRound(int round)
{
    if (!running)
        return;
    if (!direct.isNull())
        for (int i = 0; i < discovery.adapters().size(); ++i)
            discovery.send(kProbe, direct, DiscoveryConfig().broadcastPort, i);
    if (round >= options.rounds)
        wait.start(options.waitMs);
}

void DeviceSearch::onSeen(int index)
{
    if (!running || wanted.isEmpty())
        return;
    const QString &mac = discovery.devices().at(index).record.mac;
    if (!wanted.contains(mac))
        return;
    seenWanted.insert(mac);
    if (seenWanted.size() == wanted.size())
        finish();
}

void DeviceSearch::finish()
{
    if (!running)
        return;
    running = false;
    wait.stop();
    emit finished();
}
