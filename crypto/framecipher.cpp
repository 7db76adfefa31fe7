#include "crypto/framecipher.h"

#include "crypto/aesecb.h"

#include <algorithm>

namespace framecipher {

namespace {

constexpr int kBlock = 16;
constexpr std::uint8_t kFiller = 0xFF;
constexpr std::uint8_t kMark0 = 0x02, kMark1 = 0x04;

// Lengths of the first two ciphertext runs in the body; the third takes the rest.
constexpr int kRun0 = 8, kRun1 = 16;

using Block = std::array<std::uint8_t, kBlockBufferSize>;

std::uint8_t *bytes(QByteArray &a) { return reinterpret_cast<std::uint8_t *>(a.data()); }
const std::uint8_t *bytes(const QByteArray &a) { return reinterpret_cast<const std::uint8_t *>(a.constData()); }

} // namespace

TransactionId nextTransactionId(const TransactionId &txid, const DeviceId &snid)
{
    const std::uint32_t t = std::uint32_t(txid[7] + 1) + (std::uint32_t(snid[6]) << 8) +
                            (std::uint32_t(snid[5]) << 16) + (std::uint32_t(snid[4]) << 24);
    TransactionId sent = txid;
    sent[4] = std::uint8_t(t >> 24);
    sent[5] = std::uint8_t(t >> 16);
    sent[6] = std::uint8_t(t >> 8);
    sent[7] = std::uint8_t(t);
    return sent;
}

QByteArray buildFrame(const QByteArray &payload, const TransactionId &sentId, const DeviceId &snid,
                      const QByteArray &draw)
{
    if (payload.size() > kMaxPayload || draw.size() < kDrawSize)
        return QByteArray();

    const int x = payload.size();
    const int missing = x % kBlock == 0 ? 0 : kBlock - x % kBlock;
    const int front = missing == 0 ? 0 : std::uint8_t(draw[kDrawFillerSplit]) % missing;
    const int padded = x + missing;
    const int e = kPlainPayload + padded;

    Block block{};
    std::fill_n(block.data() + kPlainPayload, padded, kFiller);
    std::copy_n(bytes(payload), x, block.data() + kPlainPayload + front);
    std::copy_n(bytes(draw) + kDrawPrefix, 8, block.data() + kPlainPrefix);
    std::copy(sentId.begin(), sentId.end(), block.data() + kPlainTransactionId);
    std::copy(snid.begin(), snid.end(), block.data() + kPlainDeviceId);

    const std::uint8_t *key = bytes(draw) + kDrawKey;
    if (!aes128EcbEncrypt(key, block.data(), std::size_t(e)))
        return QByteArray();

    const int n = e + kBlock;
    Block frame{};
    std::uint8_t *out = frame.data();
    out[0] = kMark0;
    out[1] = kMark1;
    out[kLengthOffset] = std::uint8_t(n >> 8);
    out[kLengthOffset + 1] = std::uint8_t(n);
    std::uint8_t *body = out + kHeaderSize;
    std::copy_n(key, 4, body + kBodyKey0);
    std::copy_n(key + 4, 4, body + kBodyKey1);
    std::copy_n(key + 8, 8, body + kBodyKey2);
    std::copy_n(block.data(), kRun0, body + kBodyCipher0);
    std::copy_n(block.data() + kRun0, kRun1, body + kBodyCipher1);
    std::copy_n(block.data() + kRun0 + kRun1, e - kRun0 - kRun1, body + kBodyCipher2);
    return QByteArray(reinterpret_cast<const char *>(out), kHeaderSize + n);
}

OpenedBody openBody(const QByteArray &body)
{
    OpenedBody opened;
    const int x = body.size();
    const int e = x - kBlock;
    if (x < kMinBody || e > kMaxCiphertext)
        return opened;

    const std::uint8_t *in = bytes(body);
    opened.key.resize(kBlock);
    std::uint8_t *key = bytes(opened.key);
    std::copy_n(in + kBodyKey0, 4, key);
    std::copy_n(in + kBodyKey1, 4, key + 4);
    std::copy_n(in + kBodyKey2, 8, key + 8);

    Block block{};
    std::copy_n(in + kBodyCipher0, kRun0, block.data());
    std::copy_n(in + kBodyCipher1, kRun1, block.data() + kRun0);
    std::copy_n(in + kBodyCipher2, x - kBodyCipher2, block.data() + kRun0 + kRun1);

    // A partial last block goes through with the zero fill behind it; the block buffer holds it.
    const int whole = (e + kBlock - 1) / kBlock * kBlock;
    if (!aes128EcbDecrypt(key, block.data(), std::size_t(whole)))
        return opened;

    const std::uint8_t *plain = block.data();
    std::copy_n(plain + kPlainTransactionId, 8, opened.transactionId.begin());
    std::copy_n(plain + kPlainDeviceId, 16, opened.deviceId.begin());

    int start = kPlainPayload;
    while (start < e && plain[start] == kFiller)
        ++start;
    int end = e;
    while (end > start && plain[end - 1] == kFiller)
        --end;
    opened.payload = QByteArray(reinterpret_cast<const char *>(plain) + start, end - start);
    opened.ok = true;
    return opened;
}

} // namespace framecipher
