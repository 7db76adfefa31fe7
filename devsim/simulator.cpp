#include "devsim/simulator.h"

#include "devsim/lanaddresses.h"
#include "devsim/replysender.h"
#include "devsim/searchreplies.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QUdpSocket>

namespace {

constexpr quint16 kDiscoveryPort = 15367;
constexpr quint16 kBroadcastPort = 65535;
constexpr char kProbe = 'Y';
constexpr int kSocketBufferBytes = 8 * 1024 * 1024;
const char kGroup[] = "239.255.255.250";

QByteArray frameDraw()
{
    QByteArray draw(framecipher::kDrawSize, '\0');
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(draw.data()),
                                          framecipher::kDrawSize / int(sizeof(quint32)));
    return draw;
}

} // namespace

Simulator::Simulator(QVector<SimDevice> fleet, Options opts, QObject *parent)
    : QObject(parent), devices(std::move(fleet)), options(std::move(opts))
{
}

bool Simulator::start(QString *error)
{
    if (!options.recordPath.isEmpty() && !recorder.open(options.recordPath, error))
        return false;
    QVector<quint32> addresses;
    for (const SimDevice &d : devices)
        addresses.append(d.net.ip);
    if (!LanAddresses(options.lanInterface).add(addresses, error))
        return false;

    sender = new ReplySender(options.jitterMs, this);
    discovery = bindPort(kDiscoveryPort, error);
    if (!discovery)
        return false;
    if (!discovery->joinMulticastGroup(QHostAddress(QLatin1String(kGroup)),
                                       QNetworkInterface::interfaceFromName(options.lanInterface))) {
        *error = QStringLiteral("cannot join %1: %2").arg(QLatin1String(kGroup), discovery->errorString());
        return false;
    }
    broadcast = bindPort(kBroadcastPort, error);
    if (!broadcast)
        return false;
    for (const SimDevice &d : devices)
        if (d.family != Family::Old201 && !bindPort(d.net.port, error))
            return false;
    return true;
}

QUdpSocket *Simulator::bindPort(quint16 port, QString *error)
{
    if (sockets.contains(port))
        return sockets.value(port);
    auto *socket = new QUdpSocket(this);
    if (!socket->bind(QHostAddress::AnyIPv4, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        *error = QStringLiteral("cannot bind port %1: %2").arg(port).arg(socket->errorString());
        delete socket;
        return nullptr;
    }
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kSocketBufferBytes);
    socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, kSocketBufferBytes);
    connect(socket, &QUdpSocket::readyRead, this, [this, socket] { readPending(socket); });
    sockets.insert(port, socket);
    return socket;
}

void Simulator::readPending(QUdpSocket *socket)
{
    while (socket->hasPendingDatagrams())
        handle(socket, socket->receiveDatagram());
}

void Simulator::handle(QUdpSocket *socket, const QNetworkDatagram &datagram)
{
    recorder.record(datagram.data());
    const bool discoveryPort = socket == discovery || socket == broadcast;
    if (discoveryPort && datagram.data() == QByteArray(1, kProbe))
        answerProbe(socket, datagram);
}

void Simulator::answerProbe(QUdpSocket *socket, const QNetworkDatagram &probe)
{
    for (const SimDevice &d : devices)
        reply(socket, d, searchreplies::forDevice(d, frameDraw()), probe, kDiscoveryPort);
}

void Simulator::reply(QUdpSocket *socket, const SimDevice &from, const QByteArray &data, const QNetworkDatagram &to,
                      quint16 port)
{
    sender->send(int(socket->socketDescriptor()), {from.net.ip, to.senderAddress().toIPv4Address(), port, data});
}
