#pragma once

#include "discovery/devicereply.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The detail form's texts that a configuration transaction reads.
struct NetForm
{
    QString ipv4, port, mask, gateway, dstIp, dstPort, sn, user, password;
};

struct Trade
{
    int code = 0;
    QByteArray request; // before any encryption
};

// What one transaction sends: the login, the setting trades of the changed fields (all six for
// the unicast families), and the closing trades.
struct TradePlan
{
    std::vector<Trade> trades;   // empty when nothing changed or a value was refused
    int settingCount = 0;
    QString refusedField;         // the form field whose value does not fit its trade
    QString dstMac;               // set for the multicast family only
};

// orgIp is the address shown in the selected row, where unicast trades go.
TradePlan planTrades(const NetForm &form, const deviceReply &record, const QString &orgIp);
