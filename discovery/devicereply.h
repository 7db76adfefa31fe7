#pragma once

#include <QString>

// One device as its search reply describes it; texts are ready for display and for comparison
// with the detail form.
struct deviceReply
{
    QString sn;
    QString fw;
    QString hw;
    QString doors;
    QString mac;
    QString ipv4;
    QString port;
    QString mask;
    QString gateway;
    QString dstIpv4;
    QString dstPort;
    QString ntpIpv4;
    QString ntpPort;
    QString httpPort;
    QString productType;
    QString category;
    QString mfg;
    QString reserve;
    QString version;
    QString oldFw;
    QString bh;
    unsigned char SNID[16] = {};
    unsigned char TXID[8] = {};
    int protocol = 0; // 1 plain 407 reply, 2 encrypted 407 reply, 3 the 201 reply
};
