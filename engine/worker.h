#pragma once

#include "engine/udpsocketlayer.h"

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>

// Kernel buffer asked for the receiver's socket: room for a burst of well over a thousand
// replies while the loop is not scheduled (each queued datagram is accounted a few kilobytes).
constexpr int discoveryReceiveBufferBytes = 8 * 1024 * 1024;

// The discovery receiver: one blocking loop on a pool thread that sends the probes, then hands
// every datagram arriving at the discovery port to the GUI thread.
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
    void newDataSignal(QByteArray th_baRecv, unsigned long th_RLen);

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
