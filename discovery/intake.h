#pragma once

#include "crypto/framecipher.h"
#include "discovery/devicefamily.h"
#include "discovery/devicereply.h"

#include <QByteArray>
#include <QString>

// What a datagram arriving at the discovery port is, told by its length.
namespace intake {

enum class Kind { SearchReply, TradeReply, Noise };

struct Classified
{
    Kind kind = Kind::Noise;
    DeviceFamily family = DeviceFamily::Unknown;
    deviceReply record;          // search replies: fully decoded
    QByteArray payload;          // plain bytes or the decrypted payload
    bool accepted = false;       // trade replies
    QString mac;                 // 7-byte trade reply: 12 lower-case hex digits
    bool hasIds = false;         // 68/116-byte: the ids the frame carried
    framecipher::TransactionId txid{};
    framecipher::DeviceId snid{};
    QString reason;              // noise
};

Classified classify(const QByteArray &datagram);

} // namespace intake
