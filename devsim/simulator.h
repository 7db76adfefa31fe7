#pragma once

#include "devsim/datagramrecorder.h"
#include "devsim/simdevice.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QVector>

class QNetworkDatagram;
class QUdpSocket;
class ReplySender;

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
    };

    Simulator(QVector<SimDevice> fleet, Options options, QObject *parent = nullptr);

    // Addresses, sockets and the recorder; false with the reason when any of them fails.
    bool start(QString *error);

private:
    QUdpSocket *bindPort(quint16 port, QString *error);
    void readPending(QUdpSocket *socket);
    void handle(QUdpSocket *socket, const QNetworkDatagram &datagram);
    void answerProbe(QUdpSocket *socket, const QNetworkDatagram &probe);
    void reply(QUdpSocket *socket, const SimDevice &from, const QByteArray &data, const QNetworkDatagram &to,
               quint16 port);

    QVector<SimDevice> devices;
    Options options;
    QMap<quint16, QUdpSocket *> sockets;
    QUdpSocket *discovery = nullptr;
    QUdpSocket *broadcast = nullptr;
    ReplySender *sender = nullptr;
    DatagramRecorder recorder;
};
