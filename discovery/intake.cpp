#include "discovery/intake.h"

#include "discovery/reply201.h"
#include "discovery/reply407.h"
#include "discovery/replybytes.h"

#include <algorithm>

namespace intake {

namespace {

constexpr int kPlainTradeLength = 1;
constexpr int kMacTradeLength = 7;
constexpr int kFramedTradeLength = 68;
constexpr char kAccepted = 'A';
constexpr quint8 kAckMarker = 0xB7;
constexpr int kAckKindOffset = 5;
constexpr quint8 kAckKind = 0x05;
constexpr int kAckCodeOffset = 6;
constexpr char kAckCode = '3';
constexpr int kMacOffset = 1;
constexpr int kMacSize = 6;

bool opened(const QByteArray &datagram, Classified &c)
{
    if (datagram.size() < framecipher::kHeaderSize)
        return false;
    const int n = replybytes::byteAt(datagram, framecipher::kLengthOffset) << 8 |
                  replybytes::byteAt(datagram, framecipher::kLengthOffset + 1);
    if (n > datagram.size() - framecipher::kHeaderSize)
        return false;
    const framecipher::OpenedBody body = framecipher::openBody(datagram.mid(framecipher::kHeaderSize, n));
    if (!body.ok)
        return false;
    c.payload = body.payload;
    c.hasIds = true;
    c.txid = body.transactionId;
    c.snid = body.deviceId;
    return true;
}

} // namespace

Classified classify(const QByteArray &datagram)
{
    Classified c;
    c.payload = datagram;
    switch (datagram.size()) {
    case kPlainTradeLength:
        c.kind = Kind::TradeReply;
        c.family = DeviceFamily::Plain407;
        c.accepted = datagram[0] == kAccepted;
        return c;
    case kMacTradeLength:
        c.kind = Kind::TradeReply;
        c.family = DeviceFamily::Reply201;
        c.accepted = datagram[0] == kAccepted;
        c.mac = QString::fromLatin1(datagram.mid(kMacOffset, kMacSize).toHex());
        return c;
    case kFramedTradeLength:
        c.kind = Kind::TradeReply;
        c.family = DeviceFamily::Encrypted407;
        if (!opened(datagram, c))
            c.payload.clear();
        c.accepted = replybytes::byteAt(c.payload, 0) == kAccepted ||
                     (replybytes::byteAt(c.payload, 0) == kAckMarker &&
                      replybytes::byteAt(c.payload, kAckKindOffset) == kAckKind &&
                      replybytes::byteAt(c.payload, kAckCodeOffset) == quint8(kAckCode));
        return c;
    case reply407::length:
        c.kind = Kind::SearchReply;
        c.family = DeviceFamily::Plain407;
        reply407::decode(datagram, c.record);
        break;
    case reply201::length:
        c.kind = Kind::SearchReply;
        c.family = DeviceFamily::Reply201;
        reply201::decode(datagram, c.record);
        break;
    case reply407::encryptedLength:
        c.kind = Kind::SearchReply;
        c.family = DeviceFamily::Encrypted407;
        opened(datagram, c);
        reply407::decode(c.payload, c.record);
        std::copy(c.snid.begin(), c.snid.end(), c.record.SNID);
        std::copy(c.txid.begin(), c.txid.end(), c.record.TXID);
        break;
    default:
        c.reason = QStringLiteral("length %1").arg(datagram.size());
        return c;
    }
    c.record.ipv4 = replybytes::replyIpv4(c.kind == Kind::SearchReply && c.family == DeviceFamily::Encrypted407
                                              ? c.payload
                                              : datagram);
    c.record.protocol = int(c.family);
    return c;
}

} // namespace intake
