#include "devsim/simulator.h"

#include "devsim/framedlink.h"
#include "devsim/lanaddresses.h"
#include "devsim/replysender.h"
#include "devsim/searchreplies.h"
#include "devsim/webfront.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QUdpSocket>

namespace {

constexpr quint16 kDiscoveryPort = 15367;
constexpr quint16 kBroadcastPort = 65535;
constexpr char kProbe = 'Y';
constexpr int kMacSize = 6;
constexpr int kWebFirmwareLength = 5; // the tool offers web configuration from this length on
constexpr int kSocketBufferBytes = 8 * 1024 * 1024;
const char kGroup[] = "239.255.255.250";

QByteArray frameDraw()
{
    QByteArray draw(framecipher::kDrawSize, '\0');
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(draw.data()),
                                          framecipher::kDrawSize / int(sizeof(quint32)));
    return draw;
}

quint64 endpointKey(quint32 ip, quint16 port)
{
    return (quint64(ip) << 16) | port;
}

} // namespace

Simulator::Simulator(QVector<SimDevice> fleet, Options opts, QObject *parent)
    : QObject(parent), devices(std::move(fleet)), options(std::move(opts))
{
    for (int i = 0; i < devices.size(); ++i) {
        sessions.append(TradeSession(options.forbiddenAddresses));
        if (devices[i].family == Family::Old201)
            byMac.insert(devices[i].mac, i);
        else
            endpoints.insert(endpointKey(devices[i].net.ip, devices[i].net.port), i);
    }
}

Simulator::~Simulator() = default;

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
    if (!joinGroupEverywhere(error))
        return false;
    broadcast = bindPort(kBroadcastPort, error);
    if (!broadcast)
        return false;
    for (const SimDevice &d : devices)
        if (d.family != Family::Old201 && !bindPort(d.net.port, error))
            return false;
    web = std::make_unique<WebFront>();
    for (const SimDevice &d : devices) {
        if (d.firmware.size() < kWebFirmwareLength)
            continue;
        // A device without an NTP server reports none, not "0.0.0.0".
        const QString ntp = d.ntpIp ? QHostAddress(d.ntpIp).toString() : QString();
        auto commands = std::make_unique<WebCommands>(d.webUser, d.webPassword, ntp);
        if (!web->add(d.net.ip, d.net.port, std::move(commands), d.fault, error))
            return false;
    }
    return true;
}

// Probes and 201 trades come over every network of the lab, so the group is joined on each.
bool Simulator::joinGroupEverywhere(QString *error)
{
    const QHostAddress group{QLatin1String(kGroup)};
    if (!discovery->joinMulticastGroup(group, QNetworkInterface::interfaceFromName(options.lanInterface))) {
        *error = QStringLiteral("cannot join %1: %2").arg(QLatin1String(kGroup), discovery->errorString());
        return false;
    }
    lanIndex = QNetworkInterface::interfaceIndexFromName(options.lanInterface);
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &other : interfaces) {
        const QNetworkInterface::InterfaceFlags flags = other.flags();
        if (other.name() == options.lanInterface || flags.testFlag(QNetworkInterface::IsLoopBack) ||
            !flags.testFlag(QNetworkInterface::CanMulticast) || !flags.testFlag(QNetworkInterface::IsUp))
            continue;
        if (!discovery->joinMulticastGroup(group, other)) {
            *error = QStringLiteral("cannot join %1 on %2: %3")
                         .arg(QLatin1String(kGroup), other.name(), discovery->errorString());
            return false;
        }
        for (const QNetworkAddressEntry &entry : other.addressEntries())
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                otherNetworks.append({other.index(), entry.ip().toIPv4Address() & entry.netmask().toIPv4Address(),
                                      entry.netmask().toIPv4Address()});
    }
    return true;
}

int Simulator::homeInterface(quint32 ip) const
{
    for (const Subnet &subnet : otherNetworks)
        if ((ip & subnet.mask) == subnet.network)
            return subnet.interfaceIndex;
    return lanIndex;
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
    if (discoveryPort && datagram.data() == QByteArray(1, kProbe)) {
        answerProbe(socket, datagram);
        return;
    }
    if (datagram.destinationAddress().isMulticast()) {
        tradeOnGroup(socket, datagram);
        return;
    }
    const quint64 key = endpointKey(datagram.destinationAddress().toIPv4Address(), socket->localPort());
    if (endpoints.contains(key))
        tradeAtDevice(socket, datagram, endpoints.value(key), false);
    else if (oldEndpoints.contains(key))
        tradeAtDevice(socket, datagram, oldEndpoints.value(key), true);
}

// A device hears the probes of its own network only.
void Simulator::answerProbe(QUdpSocket *socket, const QNetworkDatagram &probe)
{
    const int arrivedOn = int(probe.interfaceIndex());
    for (const SimDevice &d : devices)
        if (arrivedOn == 0 || homeInterface(d.net.ip) == arrivedOn)
            reply(socket, d, d.net.ip, searchreplies::forDevice(d, frameDraw()), probe, kDiscoveryPort);
}

// The multicast family: only the device whose MAC ends the request acts on it.
void Simulator::tradeOnGroup(QUdpSocket *socket, const QNetworkDatagram &request)
{
    const int index = byMac.value(request.data().right(kMacSize), -1);
    if (index < 0)
        return;
    const NetSettings before = devices[index].net;
    if (devices[index].fault == Fault::Refuse) {
        reply(socket, devices[index], before.ip, refusal(devices[index]), request,
              quint16(request.senderPort()));
        return;
    }
    const TradeSession::Outcome outcome = sessions[index].handle(devices[index], request.data());
    if (!outcome.answered)
        return;
    reply(socket, devices[index], before.ip, outcome.reply, request, quint16(request.senderPort()));
    if (outcome.restarted)
        applyRestart(index, outcome.before);
}

void Simulator::tradeAtDevice(QUdpSocket *socket, const QNetworkDatagram &request, int index,
                              bool atOldAddress)
{
    SimDevice &d = devices[index];
    const quint32 source = request.destinationAddress().toIPv4Address();
    const quint16 port = quint16(request.senderPort());
    QByteArray plain = request.data();
    const bool framed = d.family == Family::Encrypted407;
    if (framed) {
        const framedlink::Request opened = framedlink::open(d, plain);
        if (!opened.opened)
            return;
        // A stale or foreign id is refused without moving the device's own counter.
        if (!opened.expected) {
            reply(socket, d, source, framedlink::seal(d, QByteArray(1, TradeSession::kRefused), frameDraw()),
                  request, port);
            return;
        }
        d.txid = opened.id;
        plain = opened.payload;
    }
    if (d.fault == Fault::Refuse) {
        reply(socket, d, source, framed ? framedlink::seal(d, refusal(d), frameDraw()) : refusal(d), request,
              port);
        return;
    }
    const TradeSession::Outcome outcome = sessions[index].handle(d, plain, atOldAddress);
    if (!outcome.answered)
        return;
    reply(socket, d, source, framed ? framedlink::seal(d, outcome.reply, frameDraw()) : outcome.reply,
          request, port);
    if (outcome.restarted)
        applyRestart(index, outcome.before);
}

void Simulator::applyRestart(int index, const NetSettings &before)
{
    devices[index].silent = devices[index].fault == Fault::VanishAfterRestart;
    const SimDevice &d = devices[index];
    QString error;
    if (d.net.ip != before.ip && !LanAddresses(options.lanInterface).add({d.net.ip}, &error))
        qWarning("device %s cannot take its new address: %s", d.mac.toHex().constData(), qPrintable(error));
    if (!web->move(before.ip, before.port, d.net.ip, d.net.port, &error))
        qWarning("device %s: %s", d.mac.toHex().constData(), qPrintable(error));
    if (d.family == Family::Old201)
        return;
    const quint64 old = endpointKey(before.ip, before.port);
    endpoints.remove(old);
    endpoints.insert(endpointKey(d.net.ip, d.net.port), index);
    if (old != endpointKey(d.net.ip, d.net.port))
        oldEndpoints.insert(old, index);
    if (!bindPort(d.net.port, &error))
        qWarning("device %s cannot listen on its new port: %s", d.mac.toHex().constData(), qPrintable(error));
}

QByteArray Simulator::refusal(const SimDevice &device) const
{
    const QByteArray refused(1, TradeSession::kRefused);
    return device.family == Family::Old201 ? refused + device.mac : refused;
}

void Simulator::reply(QUdpSocket *socket, const SimDevice &device, quint32 source, const QByteArray &data,
                      const QNetworkDatagram &to, quint16 port)
{
    if (device.silent)
        return;
    sender->send(int(socket->socketDescriptor()),
                 {source, to.senderAddress().toIPv4Address(), port,
                  fault::distort(device.fault, data, *QRandomGenerator::global())},
                 device.fault == Fault::Late ? fault::kLateMs : 0);
}
