#include "devsim/searchreplies.h"

#include "discovery/reply201.h"
#include "discovery/reply407.h"
#include "discovery/replybytes.h"

namespace searchreplies {

namespace {

void put16(QByteArray &reply, int offset, quint16 value)
{
    reply[offset] = char(value >> 8);
    reply[offset + 1] = char(value);
}

void put32(QByteArray &reply, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        reply[offset + i] = char(value >> (8 * (3 - i)));
}

// Latin-1 characters from offset, at most count, the rest of the field left zero.
void putText(QByteArray &reply, int offset, const QString &text, int count)
{
    const QByteArray bytes = text.toLatin1().left(count);
    reply.replace(offset, bytes.size(), bytes);
}

// The fields both formats carry at the same places.
void putCommon(QByteArray &reply, const SimDevice &d, int macOffset, int portOffset, int gatewayOffset,
               int maskOffset, int serverOffset, int serverPortOffset, int codeOffset, int doorsOffset)
{
    reply.replace(macOffset, d.mac.size(), d.mac);
    put16(reply, portOffset, d.net.port);
    put32(reply, replybytes::ipv4Offset, d.net.ip);
    put32(reply, gatewayOffset, d.net.gateway);
    put32(reply, maskOffset, d.net.mask);
    put32(reply, serverOffset, d.net.serverIp);
    put16(reply, serverPortOffset, d.net.serverPort);
    put16(reply, codeOffset, d.productCode);
    reply[doorsOffset] = char(d.doors);
}

} // namespace

QByteArray reply201(const SimDevice &d)
{
    using namespace reply201;
    QByteArray reply(length, '\0');
    putCommon(reply, d, macOffset, portOffset, gatewayOffset, maskOffset, serverOffset, serverPortOffset,
              productCodeOffset, doorsOffset);
    putText(reply, serialOffset, d.serial, serialLength);
    putText(reply, firmwareOffset, d.firmware, firmwareLength);
    return reply;
}

QByteArray reply407(const SimDevice &d)
{
    using namespace reply407;
    QByteArray reply(length, '\0');
    putCommon(reply, d, macOffset, portOffset, gatewayOffset, maskOffset, serverOffset, serverPortOffset,
              productCodeOffset, doorsOffset);
    put16(reply, serialOffset, quint16(d.serial.toUInt()));
    put32(reply, ntpOffset, d.ntpIp);
    putText(reply, deviceNumberFirstOffset, d.deviceNumber, deviceNumberLength);
    return reply;
}

QByteArray encrypted407(const SimDevice &d, const QByteArray &draw)
{
    return framecipher::buildFrame(reply407(d), d.txid, d.snid, draw);
}

QByteArray forDevice(const SimDevice &d, const QByteArray &draw)
{
    switch (d.family) {
    case Family::Old201:
        return reply201(d);
    case Family::Plain407:
        return reply407(d);
    case Family::Encrypted407:
        return encrypted407(d, draw);
    }
    return {};
}

} // namespace searchreplies
