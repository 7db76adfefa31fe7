#include "crypto/credentialcipher.h"

#include <openssl/des.h>

#include <algorithm>
#include <cstring>

namespace credentialcipher {

namespace {

constexpr unsigned char kHighestControlByte = 0x1F;

// Single DES sits in OpenSSL 3's legacy provider only. The low-level calls need no provider and
// are exactly DES_set_key_unchecked's semantics (parity ignored, weak keys accepted), so we use
// them and silence their deprecation here, the one place they are called.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
void crypt(const QByteArray &key, unsigned char block[kBlock], int direction)
{
    DES_cblock keyBlock = {};
    std::memcpy(keyBlock, key.constData(), std::min<std::size_t>(std::size_t(key.size()), sizeof keyBlock));
    DES_key_schedule schedule;
    DES_set_key_unchecked(&keyBlock, &schedule);
    DES_cblock in;
    std::memcpy(in, block, kBlock);
    DES_cblock out;
    DES_ecb_encrypt(&in, &out, &schedule, direction);
    std::memcpy(block, out, kBlock);
}
#pragma GCC diagnostic pop

} // namespace

void encryptBlock(const QByteArray &key, unsigned char block[kBlock])
{
    crypt(key, block, DES_ENCRYPT);
}

void decryptBlock(const QByteArray &key, unsigned char block[kBlock])
{
    crypt(key, block, DES_DECRYPT);
}

QByteArray encrypt(const QByteArray &clearText, const QByteArray &key)
{
    QByteArray out;
    unsigned char block[kBlock];
    const int whole = clearText.size() / kBlock * kBlock;
    for (int i = 0; i < whole; i += kBlock) {
        std::memcpy(block, clearText.constData() + i, kBlock);
        encryptBlock(key, block);
        out.append(reinterpret_cast<const char *>(block), kBlock);
    }
    std::memset(block, 0, kBlock);
    std::memcpy(block, clearText.constData() + whole, std::size_t(clearText.size() - whole));
    encryptBlock(key, block);
    out.append(reinterpret_cast<const char *>(block), kBlock);
    while (out.size() < kMinCipherText) {
        std::memset(block, 0, kBlock);
        encryptBlock(key, block);
        out.append(reinterpret_cast<const char *>(block), kBlock);
    }
    return out;
}

QByteArray decrypt(const QByteArray &cipherText, const QByteArray &key)
{
    QByteArray out;
    unsigned char block[kBlock];
    const int whole = cipherText.size() / kBlock * kBlock;
    for (int i = 0; i < whole; i += kBlock) {
        std::memcpy(block, cipherText.constData() + i, kBlock);
        decryptBlock(key, block);
        for (unsigned char b : block) {
            if (b > kHighestControlByte)
                out.append(char(b));
        }
    }
    if (whole < cipherText.size()) {
        std::memset(block, 0, kBlock);
        std::memcpy(block, cipherText.constData() + whole, std::size_t(cipherText.size() - whole));
        decryptBlock(key, block);
        out.append(reinterpret_cast<const char *>(block), kBlock);
    }
    return out;
}

} // namespace credentialcipher
