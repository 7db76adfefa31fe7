#pragma once

#include <QHostAddress>
#include <QString>

class QUdpSocket;

// Binds the search socket to the discovery port shared with the receiver and makes it a
// sender only: it never takes a datagram meant for the receiver, and its multicast probes do
// not loop back to this machine. Returns an empty text, or what went wrong for the user.
QString bindSearchSocket(QUdpSocket &socket, const QHostAddress &address, quint16 port);
