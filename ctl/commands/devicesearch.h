#pragma once

#include "ctl/commands/discoveryoptions.h"
#include "engine/discoveryservice.h"

#include <QHostAddress>
#include <QSet>
#include <QTimer>

// A command's search: the discovery service on the chosen adapters, the probe rounds, then the
// wait for late replies. It finishes when the wait is over, or as soon as every wanted MAC has
// answered.
class DeviceSearch : public QObject
{
    Q_OBJECT
public:
    DeviceSearch(QVector<Adapter> adapters, const DiscoveryOptions &options, QObject *parent = nullptr);

    // False, with the service's reason, when no adapter could be bound.
    bool open(QString *error);
    // wanted: MACs in the record's form; empty waits the whole time.
    void start(const QSet<QString> &wanted = {});
    // Each round also sends the probe straight to this address, for devices behind a router
    // that drops broadcasts.
    void probeDirectly(const QHostAddress &address) { direct = address; }

    DiscoveryService &service() { return discovery; }
    // The adapter's index in the service by its name; -1 when unknown.
    int adapterIndex(const QString &name) const;

signals:
    void finished();

private:
    void onRound(int round);
    void onSeen(int index);
    void finish();

    DiscoveryService discovery;
    DiscoveryOptions options;
    QSet<QString> wanted;
    QSet<QString> seenWanted;
    QHostAddress direct;
    QTimer wait;
    bool running = false;
};
