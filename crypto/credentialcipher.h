#pragma once

#include <QByteArray>

// Single DES in ECB mode under a key string, as the devices expect credentials: the key block
// is the first 8 bytes of the key zero-filled, parity is ignored and weak keys are accepted.
namespace credentialcipher {

constexpr int kBlock = 8;
constexpr int kMinCipherText = 32;

// One 8-byte block in place.
void encryptBlock(const QByteArray &key, unsigned char block[kBlock]);
void decryptBlock(const QByteArray &key, unsigned char block[kBlock]);

// Whole blocks, then the rest (or a whole block of zeros) zero-padded, then zero blocks up to
// 32 bytes: at least one zero pad byte always.
QByteArray encrypt(const QByteArray &clearText, const QByteArray &key);

// Whole blocks with every byte up to 0x1F dropped; a trailing partial block decrypted with zero
// fill and kept whole.
QByteArray decrypt(const QByteArray &cipherText, const QByteArray &key);

} // namespace credentialcipher
