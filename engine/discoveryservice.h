#pragma once

#include "discovery/devicelist.h"
#include "discovery/intake.h"
#include "engine/discoveryadapters.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

class QUdpSocket;

struct DiscoveryConfig
{
    quint16 discoveryPort = 15367; // local port of every socket, and the group's port
    QHostAddress group{QStringLiteral("239.255.255.250")};
    quint16 broadcastPort = 65535;
    bool directedBroadcast = false; // also probe each adapter's subnet broadcast address
    int rounds = 1;                 // probe rounds per probe()
    int roundIntervalMs = 300;
};

// Searches devices through a list of adapters: one socket per adapter, bound to its address
// and the discovery port, that sends the probes and the trades and reads every answer. Search
// replies go into the device list; trade replies and noise are handed on.
class DiscoveryService : public QObject
{
    Q_OBJECT

public:
    DiscoveryService(QVector<Adapter> adapters, DiscoveryConfig config, QObject *parent = nullptr);

    // Binds a socket per adapter and joins the group on it; false when no socket could be bound.
    bool open();
    // What went wrong in open(), adapter by adapter.
    QString error() const { return lastError; }
    // Sends the probes on every adapter, config.rounds times spaced by config.roundIntervalMs.
    void probe();
    DeviceList &devices() { return list; }
    const QVector<Adapter> &adapters() const { return adapterList; }
    // Sends from the socket of one adapter, so that the answer comes back to it.
    bool send(const QByteArray &datagram, const QHostAddress &to, quint16 port, int adapterIndex);

signals:
    void deviceSeen(int index, bool added);
    void tradeReply(const intake::Classified &reply, const QHostAddress &from, int adapterIndex);
    void noise(const QByteArray &datagram, const QHostAddress &from, QString reason);
    void probesSent(int round);

private:
    QUdpSocket *bindAdapter(const Adapter &adapter);
    void sendRound();
    void readPending(int adapterIndex);
    void take(const QByteArray &datagram, const QHostAddress &from, int adapterIndex);

    QVector<Adapter> adapterList;
    DiscoveryConfig config;
    QVector<QUdpSocket *> sockets; // per adapter; nullptr where binding failed; children of this
    DeviceList list;
    QTimer roundTimer;
    int roundsSent = 0;
    QString lastError;
};
