#pragma once

#include "devsim/sourcedsend.h"

#include <QObject>
#include <QTimer>

#include <deque>
#include <utility>

// Sends replies in order, each after delayMs plus a random delay of up to jitterMs (both 0: at
// once, a burst).
// A datagram the socket cannot take now (full send buffer) is kept and retried, so a fleet of
// thousands answering one probe loses nothing on this side.
class ReplySender : public QObject
{
public:
    ReplySender(int delayMs, int jitterMs, QObject *parent);

    void send(int socketDescriptor, const SourcedDatagram &datagram);

private:
    void enqueue(int socketDescriptor, const SourcedDatagram &datagram);
    void flush();

    int delayMs;
    int jitterMs;
    std::deque<std::pair<int, SourcedDatagram>> queue;
    QTimer retry;
};
