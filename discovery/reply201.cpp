#include "discovery/reply201.h"

#include "discovery/producttable.h"
#include "discovery/replybytes.h"

namespace reply201 {

using namespace replybytes;

void decode(const QByteArray &reply, deviceReply &record)
{
    record.ipv4 = replyIpv4(reply);
    record.sn = byteAt(reply, serialOffset) == 0 ? QString()
                                                 : charsAt(reply, serialOffset, serialLength);
    record.mac = macAt(reply, macOffset);
    record.oldFw = productCodeAt(reply, productCodeOffset);
    record.doors = QString::number(byteAt(reply, doorsOffset));
    record.port = portAt(reply, portOffset);
    record.mask = dottedAt(reply, maskOffset);
    record.gateway = dottedAt(reply, gatewayOffset);
    record.dstIpv4 = dottedAt(reply, serverOffset);
    record.dstPort = portAt(reply, serverPortOffset);
    record.httpPort = record.port;
    record.fw = textAt(reply, firmwareOffset, firmwareLength);
    producttable::classify201(record);
}

} // namespace reply201
