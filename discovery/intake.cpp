#include "discovery/intake.h"

#include "discovery/reply201.h"
#include "discovery/reply407.h"
#include "discovery/replybytes.h"

#include <algorithm>

namespace intake {

namespace {

constexpr char acceptedCode = 'A';
// An encrypted trade reply also counts as accepted when it carries this acknowledgement.
constexpr quint8 ackMarker = 0xB7;
constexpr int ackKindOffset = 5;
constexpr quint8 ackKind = 0x05;
constexpr int ackCodeOffset = 6;
constexpr char ackCode = '3';

constexpr int macHexOffset = 2;
constexpr int macHexLength = 12;

using replybytes::byteAt;

bool acceptedPlain(const QByteArray &reply)
{
    return byteAt(reply, 0) == quint8(acceptedCode);
}

bool acceptedEncrypted(const QByteArray &payload)
{
    const bool acknowledged = byteAt(payload, 0) == ackMarker && byteAt(payload, ackKindOffset) == ackKind &&
                              byteAt(payload, ackCodeOffset) == quint8(ackCode);
    return acknowledged || acceptedPlain(payload);
}

// Opens the frame into result; a frame that does not open leaves an empty payload and no ids.
void openFrame(const QByteArray &frame, Classified &result)
{
    const int available = frame.size() - framecipher::kHeaderSize;
    const int bodyLength =
        byteAt(frame, framecipher::kLengthOffset) << 8 | byteAt(frame, framecipher::kLengthOffset + 1);
    if (bodyLength > available) {
        result.reason = QStringLiteral("frame body of %1 bytes exceeds the %2 bytes received")
                            .arg(bodyLength)
                            .arg(available);
        return;
    }
    if (bodyLength < framecipher::kMinBody) {
        result.reason = QStringLiteral("frame body of %1 bytes is too short").arg(bodyLength);
        return;
    }
    const framecipher::OpenedBody opened =
        framecipher::openBody(frame.mid(framecipher::kHeaderSize, bodyLength));
    if (!opened.ok) {
        result.reason = QStringLiteral("frame body of %1 bytes refused").arg(bodyLength);
        return;
    }
    result.payload = opened.payload;
    result.frameKey = opened.key;
    result.txid = opened.transactionId;
    result.snid = opened.deviceId;
    result.hasIds = true;
}

void classifySearchReply(DeviceFamily family, Classified &result)
{
    result.kind = Kind::SearchReply;
    result.family = family;
    result.record = decodeSearchReply(family, result.payload);
    if (result.hasIds) {
        std::copy(result.snid.begin(), result.snid.end(), result.record.SNID);
        std::copy(result.txid.begin(), result.txid.end(), result.record.TXID);
    }
}

} // namespace

deviceReply decodeSearchReply(DeviceFamily family, const QByteArray &reply)
{
    deviceReply record;
    record.protocol = family;
    if (family == DeviceFamily::Reply201)
        reply201::decode(reply, record);
    else
        reply407::decode(reply, record);
    return record;
}

Classified classify(const QByteArray &datagram)
{
    Classified result;
    result.payload = datagram;
    switch (datagram.size()) {
    case plainTradeReplyLength:
        result.kind = Kind::TradeReply;
        result.family = DeviceFamily::Plain407;
        result.accepted = acceptedPlain(datagram);
        break;
    case macTradeReplyLength:
        result.kind = Kind::TradeReply;
        result.family = DeviceFamily::Reply201;
        result.accepted = acceptedPlain(datagram);
        result.mac = QString::fromLatin1(datagram.toHex()).mid(macHexOffset, macHexLength);
        break;
    case encryptedTradeReplyLength:
        result.kind = Kind::TradeReply;
        result.family = DeviceFamily::Encrypted407;
        result.payload.clear();
        openFrame(datagram, result);
        result.accepted = acceptedEncrypted(result.payload);
        break;
    case reply407::length:
        classifySearchReply(DeviceFamily::Plain407, result);
        break;
    case reply201::length:
        classifySearchReply(DeviceFamily::Reply201, result);
        break;
    case reply407::encryptedLength:
        result.payload.clear();
        openFrame(datagram, result);
        classifySearchReply(DeviceFamily::Encrypted407, result);
        break;
    default:
        result.reason = datagram.isEmpty() ? QStringLiteral("empty datagram")
                                           : QStringLiteral("no reply is %1 bytes long").arg(datagram.size());
        break;
    }
    return result;
}

} // namespace intake
