#pragma once

#include "discovery/devicefamily.h"

#include <QMetaType>
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
    DeviceFamily protocol = DeviceFamily::Unknown; // told by the search reply's form
};

Q_DECLARE_METATYPE(deviceReply)
