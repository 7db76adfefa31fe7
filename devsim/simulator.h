#pragma once

#include "devsim/datagramrecorder.h"
#include "devsim/simdevice.h"
#include "devsim/tradesession.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QVector>

#include <memory>

class QNetworkDatagram;
class QUdpSocket;
class ReplySender;
class WebFront;

// Plays a whole fleet in one event-driven process: the discovery sockets (multicast group on
// 15367 and broadcast port 65535), one socket per device port for unicast trades, and replies
// sent from each device's own address.
class Simulator : public QObject
{
public:
    struct Options
    {
        QString lanInterface;
        int jitterMs = 0;
        QString recordPath;
        QSet<quint32> forbiddenAddresses; // the lab's own hosts, which no device may take
    };

    Simulator(QVector<SimDevice> fleet, Options options, QObject *parent = nullptr);
    ~Simulator() override;

    // Addresses, sockets and the recorder; false with the reason when any of them fails.
    bool start(QString *error);

private:
    bool joinGroupEverywhere(QString *error);
    // The lan-side interface a device at this address sits behind: the one whose subnet holds
    // it, else the lan interface itself.
    int homeInterface(quint32 ip) const;
    QUdpSocket *bindPort(quint16 port, QString *error);
    void readPending(QUdpSocket *socket);
    void handle(QUdpSocket *socket, const QNetworkDatagram &datagram);
    void answerProbe(QUdpSocket *socket, const QNetworkDatagram &probe);
    void tradeOnGroup(QUdpSocket *socket, const QNetworkDatagram &request);
    void tradeAtDevice(QUdpSocket *socket, const QNetworkDatagram &request, int index, bool atOldAddress);
    void applyRestart(int index, const NetSettings &before);
    QByteArray refusal(const SimDevice &device) const;
    // From source to the request's sender at port, as the device's fault makes it.
    void reply(QUdpSocket *socket, const SimDevice &device, quint32 source, const QByteArray &data,
               const QNetworkDatagram &to, quint16 port);

    QVector<SimDevice> devices;
    QVector<TradeSession> sessions;
    QHash<quint64, int> endpoints;    // ip:port of the unicast families
    QHash<quint64, int> oldEndpoints; // where they were before their last restart
    QHash<QByteArray, int> byMac;     // the multicast family
    std::unique_ptr<WebFront> web;    // devices with newer firmware
    Options options;
    struct Subnet
    {
        int interfaceIndex;
        quint32 network;
        quint32 mask;
    };
    QVector<Subnet> otherNetworks; // the lab's further networks, beside the lan interface
    int lanIndex = 0;
    QMap<quint16, QUdpSocket *> sockets;
    QUdpSocket *discovery = nullptr;
    QUdpSocket *broadcast = nullptr;
    ReplySender *sender = nullptr;
    DatagramRecorder recorder;
};
