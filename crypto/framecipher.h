#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

// The encrypted frame of the AES family:
//   02 04 | N (2, = E + 16) | key 0-3 | ct 0-7 | key 4-7 | ct 8-23 | key 8-15 | ct 24..E-1
// The plaintext block is 8 random bytes, the transaction id, the SNID and the payload padded
// with 0xFF filler to whole blocks.
namespace framecipher {

using TransactionId = std::array<std::uint8_t, 8>;
using DeviceId = std::array<std::uint8_t, 16>;

constexpr int kHeaderSize = 4;
constexpr int kLengthOffset = 2;
constexpr int kDrawSize = 32;          // random bytes per frame
constexpr int kKeySize = 16;           // the AES-128 key, the draw's first bytes
constexpr int kBlockBufferSize = 256;  // working buffer of either direction
constexpr int kMaxPayload = 192;       // the frame must fit the 256-byte output buffer
constexpr int kMinBody = 48;           // key pieces plus two ciphertext blocks
constexpr int kMaxCiphertext = kBlockBufferSize;

// Positions inside the body (the frame after its 4 header bytes).
constexpr int kBodyKey0 = 0, kBodyCipher0 = 4, kBodyKey1 = 12, kBodyCipher1 = 16, kBodyKey2 = 32,
              kBodyCipher2 = 40;
// Positions inside the random draw.
constexpr int kDrawKey = 0, kDrawFillerSplit = 16, kDrawPrefix = 24;
// Positions inside the plaintext block.
constexpr int kPlainPrefix = 0, kPlainTransactionId = 8, kPlainDeviceId = 16, kPlainPayload = 32;

// The id a trade sends back: bytes 0-3 of the device's last TXID, then
// T = (TXID[7] + 1) + SNID[6]·2^8 + SNID[5]·2^16 + SNID[4]·2^24, big-endian.
TransactionId nextTransactionId(const TransactionId &txid, const DeviceId &snid);

// Builds the frame for payload (at most kMaxPayload bytes) from a kDrawSize-byte draw.
// Returns an empty array for a longer payload or a short draw.
QByteArray buildFrame(const QByteArray &payload, const TransactionId &sentId, const DeviceId &snid,
                      const QByteArray &draw);

struct OpenedBody
{
    bool ok = false;
    QByteArray payload;
    QByteArray key;
    TransactionId transactionId{};
    DeviceId deviceId{};
};

// Opens a frame body of `length` bytes. Not ok for a body shorter than kMinBody or with a
// ciphertext longer than kMaxCiphertext. A ciphertext whose length is not a multiple of 16 has
// its last partial block decrypted together with the zero fill of the block buffer.
OpenedBody openBody(const QByteArray &body);

} // namespace framecipher
