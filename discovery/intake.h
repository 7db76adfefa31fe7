#pragma once

#include "crypto/framecipher.h"
#include "discovery/devicefamily.h"
#include "discovery/devicereply.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>

// What a datagram arriving at the discovery port is, told by its length alone: a device's
// search reply, the answer to a configuration trade, or noise. Pure: no socket, no list, no
// log; the frames of the encrypted family are opened here.
namespace intake {

enum class Kind
{
    SearchReply,
    TradeReply,
    Noise
};

// Trade answers: a result byte; a result byte and the device's MAC; an encrypted frame.
constexpr int plainTradeReplyLength = 1;
constexpr int macTradeReplyLength = 7;
constexpr int encryptedTradeReplyLength = 68;

struct Classified
{
    Kind kind = Kind::Noise;
    DeviceFamily family = DeviceFamily::Unknown;
    // Search replies: every field decoded, the family in `protocol`, the frame's ids for the
    // encrypted family.
    deviceReply record;
    // The plain bytes, or the payload of an opened frame (empty when it did not open).
    QByteArray payload;
    // Trade replies: the device took the trade.
    bool accepted = false;
    // Seven-byte trade replies: the answering device's MAC, 12 lower-case hex digits.
    QString mac;
    // Encrypted frames that opened: the ids and the key the frame carried.
    bool hasIds = false;
    framecipher::TransactionId txid{};
    framecipher::DeviceId snid{};
    QByteArray frameKey;
    // Noise: why it is none of the above. An encrypted frame that did not open: why not.
    QString reason;
};

Classified classify(const QByteArray &datagram);

// A search reply's bytes (plain, or the opened payload) as a record of that family; any bytes
// are decoded, missing ones read as 0.
deviceReply decodeSearchReply(DeviceFamily family, const QByteArray &reply);

} // namespace intake

Q_DECLARE_METATYPE(intake::Classified)
