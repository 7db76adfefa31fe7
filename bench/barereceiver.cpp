// The limit the window is measured against: a receiver that does nothing with a datagram but
// count it. Its socket is set up and sends the two probes as the window's receiver does; it
// then reads until the expected number of replies has come, or none has for a while.
//
//     bench_bare_receiver LOCAL-ADDRESS EXPECTED-REPLIES
//
// prints "replies N last_ms T": how many came, and the time from the first probe to the last.
#include "engine/discoveryservice.h"
#include "engine/udpsocketlayer.h"

#include <sys/socket.h>
#include <sys/time.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

constexpr quint8 multicastTtl = 8;
constexpr int quietSeconds = 2;
constexpr char probe = 'Y';
constexpr std::size_t receiveBufferSize = 1024;

int fail(const char *step)
{
    std::fprintf(stderr, "bench_bare_receiver: %s failed, error %d\n", step, udp::lastError());
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_bare_receiver LOCAL-ADDRESS EXPECTED-REPLIES\n");
        return 64;
    }
    const DiscoveryConfig ports;
    const quint32 local = udp::parseIpv4(argv[1]);
    const long expected = std::strtol(argv[2], nullptr, 10);
    const quint32 group = ports.group.toIPv4Address();

    const udp::Handle fd = udp::open();
    if (fd == udp::invalidHandle)
        return fail("socket");
    if (udp::setReuseAddress(fd, true) != 0)
        return fail("SO_REUSEADDR");
    udp::growReceiveBuffer(fd, discoveryReceiveBufferBytes);
    if (udp::bindTo(fd, local, ports.discoveryPort) != 0)
        return fail("bind");
    if (udp::joinGroup(fd, group, local) != 0 || udp::setMulticastLoop(fd, false) != 0 ||
        udp::setMulticastTtl(fd, multicastTtl) != 0 || udp::setBroadcast(fd, true) != 0)
        return fail("multicast set-up");
    // A blocking receive as in the window's receiver, that gives up once the fleet is quiet.
    const timeval quiet{quietSeconds, 0};
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &quiet, sizeof quiet) != 0)
        return fail("SO_RCVTIMEO");

    const Clock::time_point start = Clock::now();
    if (udp::sendTo(fd, &probe, 1, group, ports.discoveryPort) != 1 ||
        udp::sendTo(fd, &probe, 1, udp::limitedBroadcast, ports.broadcastPort) != 1)
        return fail("probe");

    std::array<char, receiveBufferSize> buffer{};
    long replies = 0;
    Clock::time_point last = start;
    while (replies < expected) {
        udp::Peer from;
        if (udp::receiveFrom(fd, buffer.data(), buffer.size(), from) <= 0)
            break;
        ++replies;
        last = Clock::now();
    }
    udp::close(fd);
    std::printf("replies %ld last_ms %.1f\n", replies,
                std::chrono::duration<double, std::milli>(last - start).count());
    return 0;
}
