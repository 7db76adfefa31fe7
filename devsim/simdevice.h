#pragma once

#include "crypto/framecipher.h"
#include "devsim/fault.h"
#include "devsim/netsettings.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The reply format a simulated device answers the search with, and so its trade protocol.
enum class Family
{
    Plain407,     // 55-byte reply, one-byte trade replies at its own address
    Encrypted407, // 116-byte framed reply, framed trades at its own address
    Old201,       // 75-byte reply, trades on the multicast group carrying its MAC
};

// One simulated device: what it reports in its search reply and what it checks in trades.
struct SimDevice
{
    Family family = Family::Plain407;
    QByteArray mac; // six bytes
    NetSettings net;
    quint32 ntpIp = 0;
    quint16 productCode = 0;
    quint8 doors = 0;
    QString serial;       // five characters (201) or a decimal number up to 65535 (407)
    QString deviceNumber; // five characters, 407 only
    QString firmware;     // up to 20 characters, 201 only; 5 or more offer the web interface
    QString udpUser;
    QString udpPassword;
    QString webUser;
    QString webPassword;
    framecipher::DeviceId snid{};
    framecipher::TransactionId txid{};
    Fault fault = Fault::None; // how this device misbehaves, if at all
    bool silent = false;       // restarted under Fault::VanishAfterRestart: answers nothing
};
