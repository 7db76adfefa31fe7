#pragma once

#include <QtGlobal>
#include <cstddef>

// Kernel buffer asked for a discovery receiver's socket: room for a burst of well over a
// thousand replies while the receiver is not scheduled (each queued datagram is accounted a few
// kilobytes).
constexpr int discoveryReceiveBufferBytes = 8 * 1024 * 1024;

// The few datagram-socket calls of the discovery receiver, over the platform's socket API.
// Addresses are IPv4 in host byte order. Functions returning int give 0 on success and a
// negative value on failure; lastError() then tells why.
namespace udp {

using Handle = int;
constexpr Handle invalidHandle = -1;

struct Peer
{
    quint32 address = 0;
    quint16 port = 0;
};

// Start and end of the socket library's use (no-ops where it needs none).
int startUp();
void cleanUp();
int lastError();

Handle open();
void close(Handle socket);
// Makes a receive blocked on the socket, and every later one, return 0 at once.
void wake(Handle socket);

int setReuseAddress(Handle socket, bool on);
int setBroadcast(Handle socket, bool on);
int bindTo(Handle socket, quint32 address, quint16 port);
int joinGroup(Handle socket, quint32 group, quint32 interfaceAddress);
int setMulticastLoop(Handle socket, bool on);
int setMulticastTtl(Handle socket, quint8 ttl);
// Asks for a receive buffer of at least bytes (beyond the system's limit where privileges
// allow) and returns the size obtained.
int growReceiveBuffer(Handle socket, int bytes);
// Limits what the socket receives to datagrams from one peer: a socket that only sends then
// never takes a datagram meant for another socket sharing its port.
int restrictToPeer(Handle socket, quint32 address, quint16 port);

long sendTo(Handle socket, const char *data, std::size_t size, quint32 address, quint16 port);
// Returns the datagram's full length, which exceeds capacity when it did not fit, or 0 when
// the socket was woken, or a negative value on failure.
long receiveFrom(Handle socket, char *buffer, std::size_t capacity, Peer &from);
// What receiveReady gives when no datagram is waiting.
constexpr long nothingReady = -2;
// As receiveFrom, without waiting: nothingReady when no datagram is there yet.
long receiveReady(Handle socket, char *buffer, std::size_t capacity, Peer &from);

// What parseIpv4 gives for a text that is no address; binding or joining it fails.
constexpr quint32 noAddress = 0xFFFFFFFFu;
constexpr quint32 limitedBroadcast = 0xFFFFFFFFu;
// "a.b.c.d" to an address.
quint32 parseIpv4(const char *text);
void formatIpv4(quint32 address, char (&text)[16]);

} // namespace udp
