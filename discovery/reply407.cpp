#include "discovery/reply407.h"

#include "discovery/producttable.h"
#include "discovery/replybytes.h"

namespace reply407 {

using namespace replybytes;

namespace {

QString serialNumber(const QByteArray &reply)
{
    if (byteAt(reply, serialOffset) == 0)
        return QString();
    return portAt(reply, serialOffset);
}

QString deviceNumber(const QByteArray &reply)
{
    if (byteAt(reply, deviceNumberFirstOffset) != 0)
        return charsAt(reply, deviceNumberFirstOffset, deviceNumberLength);
    if (byteAt(reply, deviceNumberSecondOffset) != 0)
        return charsAt(reply, deviceNumberSecondOffset, deviceNumberLength);
    return QString();
}

} // namespace

void decode(const QByteArray &reply, deviceReply &record)
{
    record.ipv4 = replyIpv4(reply);
    record.sn = serialNumber(reply);
    record.bh = deviceNumber(reply);
    record.mac = macAt(reply, macOffset);
    record.oldFw = productCodeAt(reply, productCodeOffset);
    record.doors = QString::number(byteAt(reply, doorsOffset));
    record.port = portAt(reply, portOffset);
    record.mask = dottedAt(reply, maskOffset);
    record.gateway = dottedAt(reply, gatewayOffset);
    record.dstIpv4 = dottedAt(reply, serverOffset);
    record.dstPort = portAt(reply, serverPortOffset);
    record.ntpIpv4 = dottedAt(reply, ntpOffset);
    record.httpPort = record.port;
    record.fw = record.oldFw;
    producttable::classify407(record);
}

} // namespace reply407
