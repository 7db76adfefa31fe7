#pragma once

#include <QByteArray>
#include <QtGlobal>

// One datagram from a chosen local source address through an already bound UDP socket
// (the source field of IP_PKTINFO; Qt's own sender field does not set the source on Linux).
struct SourcedDatagram
{
    quint32 source = 0;
    quint32 destination = 0;
    quint16 port = 0;
    QByteArray data;
};

enum class SendOutcome
{
    Sent,
    TryLater,
    Failed
};

SendOutcome sendSourced(int socketDescriptor, const SourcedDatagram &datagram);
