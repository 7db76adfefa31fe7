#include "engine/searchsocket.h"

#include "engine/udpsocketlayer.h"

#include <QDebug>
#include <QUdpSocket>
#include <QVariant>

namespace {

// Linux gives a unicast datagram for a port that two sockets share to one of them only. A
// socket connected to a peer that no device can be is never that one, and sendto with an
// explicit destination still works on it.
constexpr quint32 unreachablePeer = udp::limitedBroadcast;
constexpr quint16 unreachablePeerPort = 9; // discard

} // namespace

QString bindSearchSocket(QUdpSocket &socket, const QHostAddress &address, quint16 port)
{
    qDebug() << "Bind check . SocketState=" << socket.state();
    if (!socket.bind(address, port, QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        qDebug() << "Bind failed 1 ！SocketState=" << socket.state();
        return QStringLiteral("搜索端口 %1:%2 绑定失败：%3")
            .arg(address.toString())
            .arg(port)
            .arg(socket.errorString());
    }
    qDebug() << "Bind OK ! SocketState=" << socket.state();

    const udp::Handle fd = static_cast<udp::Handle>(socket.socketDescriptor());
    if (udp::setBroadcast(fd, true) != 0 || udp::restrictToPeer(fd, unreachablePeer, unreachablePeerPort) != 0)
        qDebug("search socket stays open to unicast, Err: %d", udp::lastError());
    socket.setSocketOption(QAbstractSocket::MulticastLoopbackOption, QVariant(0));
    return QString();
}
