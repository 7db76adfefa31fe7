#pragma once

#include "devsim/sourcedsend.h"

#include <QObject>
#include <QTimer>

#include <deque>
#include <utility>

// Sends replies in order, each after its own delay plus a random one of up to jitterMs (both 0:
// at once, a burst).
// A datagram the socket cannot take now (full send buffer) is kept and retried, so a fleet of
// thousands answering one probe loses nothing on this side.
class ReplySender : public QObject
{
public:
    ReplySender(int jitterMs, QObject *parent);

    void send(int socketDescriptor, const SourcedDatagram &datagram, int delayMs = 0);

private:
    void enqueue(int socketDescriptor, const SourcedDatagram &datagram);
    void flush();

    int jitterMs;
    std::deque<std::pair<int, SourcedDatagram>> queue;
    QTimer retry;
};
