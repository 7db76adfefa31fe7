#include "engine/worker.h"

#include "app/debuglog.h"

#include <QDebug>
#include <QMutexLocker>
#include <QThread>

#include <array>

namespace {

constexpr char probe = 'Y';
constexpr quint16 broadcastPort = 65535;
constexpr quint8 multicastTtl = 8;
constexpr std::size_t receiveBufferSize = 1024;
constexpr std::size_t sendBufferSize = 10;
// Most datagrams handed over at once; a longer burst goes in several.
constexpr int maxBatch = 256;

} // namespace

WorkerObject::WorkerObject(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<DatagramBatch>();
}

void WorkerObject::stop()
{
    QMutexLocker locker(&lock);
    stopped = true;
    if (socket != udp::invalidHandle)
        udp::wake(socket);
}

bool WorkerObject::isStopped() const
{
    QMutexLocker locker(&lock);
    return stopped;
}

bool WorkerObject::adopt(udp::Handle newSocket)
{
    QMutexLocker locker(&lock);
    if (stopped)
        return false;
    socket = newSocket;
    return true;
}

void WorkerObject::release()
{
    QMutexLocker locker(&lock);
    udp::close(socket);
    socket = udp::invalidHandle;
    udp::cleanUp();
}

void WorkerObject::readFromSocket(unsigned short nport, QString mcIP, QString srcAddr)
{
    const int startResult = udp::startUp();
    if (startResult != 0) {
        qDebug("WSAStartup failed with error: %d\n", startResult);
        return;
    }
    const udp::Handle fd = udp::open();
    if (fd == udp::invalidHandle) {
        qDebug("WSASocket create failed, Err: %d", udp::lastError());
        udp::cleanUp();
        return;
    }
    if (!adopt(fd)) {
        udp::close(fd);
        udp::cleanUp();
        return;
    }

    if (udp::setReuseAddress(fd, true) < 0) {
        qDebug("setsockopt(SO_REUSEADDR) failed, Err: %d", udp::lastError());
        return release();
    }
    qDebug("SO_RCVBUF: %d bytes", udp::growReceiveBuffer(fd, discoveryReceiveBufferBytes));

    const quint32 localAddress = udp::parseIpv4(srcAddr.toLatin1().constData());
    const quint32 group = udp::parseIpv4(mcIP.toLatin1().constData());
    if (udp::bindTo(fd, localAddress, nport) != 0) {
        qDebug("bind failed, Err: %d", udp::lastError());
        return release();
    }
    if (udp::joinGroup(fd, group, localAddress) != 0) {
        qDebug("setsockopt(IP_ADD_MEMBERSHIP) failed, Err: %d", udp::lastError());
        return release();
    }
    if (udp::setMulticastLoop(fd, false) != 0) {
        qDebug("setsockopt(IP_MULTICAST_LOOP) failed, Err: %d", udp::lastError());
        return release();
    }
    if (udp::setMulticastTtl(fd, multicastTtl) != 0) {
        qDebug("setsockopt(IP_MULTICAST_TTL) failed, Err: %d", udp::lastError());
        return release();
    }

    std::array<char, receiveBufferSize> received{};
    std::array<char, sendBufferSize> sendBuffer{};
    sendBuffer[0] = probe;
    if (udp::sendTo(fd, sendBuffer.data(), 1, group, nport) <= 0) {
        qDebug("组播sendto() failed, Err: %d", udp::lastError());
        return release();
    }
    if (udp::setBroadcast(fd, true) != 0) {
        qDebug("setsockopt(SO_BROADCAST) failed, Err: %d", udp::lastError());
        return release();
    }
    sendBuffer.fill(0);
    sendBuffer[0] = probe;
    qDebug("广播sendto() : %c", sendBuffer[0]);
    if (udp::sendTo(fd, sendBuffer.data(), 1, udp::limitedBroadcast, broadcastPort) <= 0) {
        qDebug("广播sendto() failed, Err: %d", udp::lastError());
        return release();
    }

    DatagramBatch batch;
    // The batch goes with the signal; the next one starts empty rather than keeping the
    // capacity a long burst gave it, so that a few datagrams do not each carry kilobytes.
    const auto handOver = [this, &batch] {
        emit datagramsReceived(batch);
        batch = DatagramBatch();
    };
    for (;;) {
        received.fill(0);
        udp::Peer from;
        // Waits for a datagram only when none is collected; otherwise takes what has arrived.
        const long rt = batch.isEmpty() ? udp::receiveFrom(fd, received.data(), received.size(), from)
                                        : udp::receiveReady(fd, received.data(), received.size(), from);
        if (isStopped())
            return release();
        if (rt == udp::nothingReady) {
            handOver();
            continue;
        }
        if (rt <= 0) {
            if (!batch.isEmpty())
                handOver();
            release();
            const auto threadId = reinterpret_cast<quintptr>(QThread::currentThreadId());
            emit workFinished(QStringLiteral("readFromSocket") + QStringLiteral(" 0x") +
                              QString::number(threadId, 16));
            return;
        }
        if (debugLog().isDebugEnabled()) {
            char sender[16];
            udp::formatIpv4(from.address, sender);
            qDebug("NoR bytes = %ld From %s:%d", rt, sender, from.port);
        }
        if (rt > static_cast<long>(received.size())) {
            qDebug("datagram larger than %d bytes dropped", int(received.size()));
            continue;
        }
        batch.append({QByteArray(received.data(), static_cast<int>(rt)), from.address});
        if (batch.size() == maxBatch)
            handOver();
    }
}
