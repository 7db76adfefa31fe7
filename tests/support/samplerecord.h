#pragma once

#include "discovery/devicereply.h"

// A device record with every listed field filled, for placing rows without a search.
inline deviceReply sampleRecord(const QString &mac, const QString &ipv4, const QString &fw, int protocol = 1)
{
    deviceReply r;
    r.sn = QStringLiteral("SN-") + mac.right(2);
    r.category = QStringLiteral("门禁控制器");
    r.fw = fw;
    r.mac = mac;
    r.ipv4 = ipv4;
    r.port = QStringLiteral("60000");
    r.mask = QStringLiteral("255.255.255.0");
    r.gateway = QStringLiteral("192.168.0.1");
    r.httpPort = QStringLiteral("8080");
    r.dstIpv4 = QStringLiteral("192.168.0.20");
    r.dstPort = QStringLiteral("15000");
    r.ntpIpv4 = QStringLiteral("192.168.0.30");
    r.bh = QStringLiteral("4711");
    r.productType = QStringLiteral("MK-200");
    r.protocol = static_cast<DeviceFamily>(protocol);
    return r;
}
