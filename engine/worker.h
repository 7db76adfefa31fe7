#pragma once

#include "engine/udpsocketlayer.h"

#include <QByteArray>
#include <QMetaType>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QVector>

// A datagram taken in by the receiver, and its sender's IPv4 address (host byte order).
struct ReceivedDatagram
{
    QByteArray bytes;
    quint32 from = 0;
};
// Datagrams in the order they arrived.
using DatagramBatch = QVector<ReceivedDatagram>;
Q_DECLARE_METATYPE(DatagramBatch)

// The discovery receiver: one blocking loop on a pool thread that sends the probes, then hands
// every datagram arriving at the discovery port to the GUI thread. Datagrams that have arrived
// together are handed over together, in order: one queued call for a burst instead of one for
// each of its datagrams.
class WorkerObject : public QObject
{
    Q_OBJECT

public:
    explicit WorkerObject(QObject *parent = nullptr);

    // Ends the loop for good, from any thread: a blocked receive returns and the loop ends
    // without a signal; a loop started later returns at once.
    void stop();
    bool isStopped() const;

signals:
    void workFinished(QString message);
    void datagramsReceived(DatagramBatch datagrams);

public slots:
    void readFromSocket(unsigned short nport, QString mcIP, QString srcAddr);

private:
    // Registers the loop's socket so that stop() can wake it; false once stopped.
    bool adopt(udp::Handle socket);
    // Closes the registered socket and ends the socket library's use.
    void release();

    mutable QMutex lock;
    udp::Handle socket = udp::invalidHandle;
    bool stopped = false;
};
