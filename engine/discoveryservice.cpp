#include "engine/discoveryservice.h"

#include "engine/udpsocketlayer.h"

#include <QDateTime>
#include <QNetworkDatagram>
#include <QUdpSocket>

namespace {

const QByteArray probeDatagram = QByteArrayLiteral("Y");
constexpr int multicastTtl = 8;

QString adapterLabel(const Adapter &adapter)
{
    return QStringLiteral("%1 (%2)").arg(adapter.name, adapter.address.toString());
}

} // namespace

DiscoveryService::DiscoveryService(QVector<Adapter> adapters, DiscoveryConfig discoveryConfig,
                                   QObject *parent)
    : QObject(parent), adapterList(std::move(adapters)), config(std::move(discoveryConfig))
{
    qRegisterMetaType<intake::Classified>();
    roundTimer.setInterval(config.roundIntervalMs);
    connect(&roundTimer, &QTimer::timeout, this, &DiscoveryService::sendRound);
}

bool DiscoveryService::open()
{
    lastError.clear();
    qDeleteAll(sockets);
    sockets.clear();
    bool any = false;
    for (int i = 0; i < adapterList.size(); ++i) {
        QUdpSocket *socket = bindAdapter(adapterList.at(i));
        sockets << socket;
        if (!socket)
            continue;
        any = true;
        connect(socket, &QUdpSocket::readyRead, this, [this, i] { readPending(i); });
    }
    if (adapterList.isEmpty())
        lastError = tr("no adapter to search through");
    return any;
}

QUdpSocket *DiscoveryService::bindAdapter(const Adapter &adapter)
{
    auto *socket = new QUdpSocket(this);
    if (!socket->bind(adapter.address, config.discoveryPort,
                      QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        lastError += tr("%1: cannot bind port %2: %3\n")
                         .arg(adapterLabel(adapter))
                         .arg(config.discoveryPort)
                         .arg(socket->errorString());
        delete socket;
        return nullptr;
    }
    const auto fd = static_cast<udp::Handle>(socket->socketDescriptor());
    udp::growReceiveBuffer(fd, discoveryReceiveBufferBytes);
    // The group is joined on this adapter alone; our own probes must not come back as answers.
    if (udp::joinGroup(fd, config.group.toIPv4Address(), adapter.address.toIPv4Address()) != 0)
        lastError += tr("%1: cannot join %2 (error %3)\n")
                         .arg(adapterLabel(adapter), config.group.toString())
                         .arg(udp::lastError());
    socket->setSocketOption(QAbstractSocket::MulticastLoopbackOption, 0);
    socket->setSocketOption(QAbstractSocket::MulticastTtlOption, multicastTtl);
    return socket;
}

void DiscoveryService::probe()
{
    roundTimer.stop();
    roundsSent = 0;
    sendRound();
}

void DiscoveryService::sendRound()
{
    for (int i = 0; i < sockets.size(); ++i) {
        QUdpSocket *socket = sockets.at(i);
        if (!socket)
            continue;
        socket->writeDatagram(probeDatagram, config.group, config.discoveryPort);
        socket->writeDatagram(probeDatagram, QHostAddress::Broadcast, config.broadcastPort);
        const QHostAddress &subnet = adapterList.at(i).broadcast;
        if (config.directedBroadcast && !subnet.isNull() && subnet != QHostAddress(QHostAddress::AnyIPv4))
            socket->writeDatagram(probeDatagram, subnet, config.broadcastPort);
    }
    ++roundsSent;
    emit probesSent(roundsSent);
    if (roundsSent < config.rounds)
        roundTimer.start();
    else
        roundTimer.stop();
}

bool DiscoveryService::send(const QByteArray &datagram, const QHostAddress &to, quint16 port,
                            int adapterIndex)
{
    if (adapterIndex < 0 || adapterIndex >= sockets.size() || !sockets.at(adapterIndex))
        return false;
    return sockets.at(adapterIndex)->writeDatagram(datagram, to, port) == datagram.size();
}

void DiscoveryService::readPending(int adapterIndex)
{
    QUdpSocket *socket = sockets.at(adapterIndex);
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket->receiveDatagram();
        take(datagram.data(), datagram.senderAddress(), adapterIndex);
    }
}

void DiscoveryService::take(const QByteArray &datagram, const QHostAddress &from, int adapterIndex)
{
    const intake::Classified reply = intake::classify(datagram);
    switch (reply.kind) {
    case intake::Kind::SearchReply: {
        const DeviceList::MergeResult merged =
            list.merge(reply.record, adapterList.at(adapterIndex).name, QDateTime::currentDateTimeUtc());
        if (merged.outcome == DeviceList::Outcome::Full)
            emit noise(datagram, from, tr("device list full"));
        else
            emit deviceSeen(merged.index, merged.outcome == DeviceList::Outcome::Added);
        break;
    }
    case intake::Kind::TradeReply:
        emit tradeReply(reply, from, adapterIndex);
        break;
    case intake::Kind::Noise:
        emit noise(datagram, from, reply.reason);
        break;
    }
}
