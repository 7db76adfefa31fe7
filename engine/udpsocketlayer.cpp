#include "engine/udpsocketlayer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace udp {

namespace {

sockaddr_in socketAddress(quint32 address, quint16 port)
{
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(address);
    sa.sin_port = htons(port);
    return sa;
}

int setIntOption(Handle socket, int level, int name, int value)
{
    return ::setsockopt(socket, level, name, &value, sizeof value);
}

long receive(Handle socket, char *buffer, std::size_t capacity, Peer &from, int flags)
{
    sockaddr_in sa {};
    socklen_t length = sizeof sa;
    // MSG_TRUNC makes an oversized datagram visible instead of silently cut.
    long received;
    do {
        received = ::recvfrom(socket, buffer, capacity, MSG_TRUNC | flags, reinterpret_cast<sockaddr *>(&sa),
                              &length);
    } while (received < 0 && errno == EINTR);
    from.address = ntohl(sa.sin_addr.s_addr);
    from.port = ntohs(sa.sin_port);
    return received;
}

} // namespace

int startUp()
{
    return 0;
}

void cleanUp() {}

int lastError()
{
    return errno;
}

Handle open()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    return fd < 0 ? invalidHandle : fd;
}

void close(Handle socket)
{
    ::close(socket);
}

void wake(Handle socket)
{
    // On Linux this marks even an unconnected datagram socket as shut down (the call itself
    // reports ENOTCONN), which is what ends a blocked recvfrom.
    ::shutdown(socket, SHUT_RDWR);
}

int setReuseAddress(Handle socket, bool on)
{
    return setIntOption(socket, SOL_SOCKET, SO_REUSEADDR, on ? 1 : 0);
}

int setBroadcast(Handle socket, bool on)
{
    return setIntOption(socket, SOL_SOCKET, SO_BROADCAST, on ? 1 : 0);
}

int bindTo(Handle socket, quint32 address, quint16 port)
{
    const sockaddr_in sa = socketAddress(address, port);
    return ::bind(socket, reinterpret_cast<const sockaddr *>(&sa), sizeof sa);
}

int joinGroup(Handle socket, quint32 group, quint32 interfaceAddress)
{
    ip_mreq request {};
    request.imr_multiaddr.s_addr = htonl(group);
    request.imr_interface.s_addr = htonl(interfaceAddress);
    return ::setsockopt(socket, IPPROTO_IP, IP_ADD_MEMBERSHIP, &request, sizeof request);
}

int setMulticastLoop(Handle socket, bool on)
{
    return setIntOption(socket, IPPROTO_IP, IP_MULTICAST_LOOP, on ? 1 : 0);
}

int setMulticastTtl(Handle socket, quint8 ttl)
{
    const unsigned char value = ttl;
    return ::setsockopt(socket, IPPROTO_IP, IP_MULTICAST_TTL, &value, sizeof value);
}

int growReceiveBuffer(Handle socket, int bytes)
{
    // SO_RCVBUFFORCE passes over net.core.rmem_max but needs CAP_NET_ADMIN; without it the
    // kernel caps SO_RCVBUF at that limit.
    if (setIntOption(socket, SOL_SOCKET, SO_RCVBUFFORCE, bytes) != 0)
        setIntOption(socket, SOL_SOCKET, SO_RCVBUF, bytes);
    int obtained = 0;
    socklen_t length = sizeof obtained;
    if (::getsockopt(socket, SOL_SOCKET, SO_RCVBUF, &obtained, &length) != 0)
        return -1;
    return obtained;
}

int restrictToPeer(Handle socket, quint32 address, quint16 port)
{
    const sockaddr_in sa = socketAddress(address, port);
    return ::connect(socket, reinterpret_cast<const sockaddr *>(&sa), sizeof sa);
}

long sendTo(Handle socket, const char *data, std::size_t size, quint32 address, quint16 port)
{
    const sockaddr_in sa = socketAddress(address, port);
    return ::sendto(socket, data, size, 0, reinterpret_cast<const sockaddr *>(&sa), sizeof sa);
}

long receiveFrom(Handle socket, char *buffer, std::size_t capacity, Peer &from)
{
    return receive(socket, buffer, capacity, from, 0);
}

long receiveReady(Handle socket, char *buffer, std::size_t capacity, Peer &from)
{
    const long received = receive(socket, buffer, capacity, from, MSG_DONTWAIT);
    if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return nothingReady;
    return received;
}

quint32 parseIpv4(const char *text)
{
    in_addr parsed {};
    if (::inet_pton(AF_INET, text, &parsed) != 1)
        return noAddress;
    return ntohl(parsed.s_addr);
}

void formatIpv4(quint32 address, char (&text)[16])
{
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", address >> 24, (address >> 16) & 0xFFu,
                  (address >> 8) & 0xFFu, address & 0xFFu);
}

} // namespace udp
