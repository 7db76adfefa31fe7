#pragma once

#include <cstddef>
#include <cstdint>

// AES-128 in ECB mode over whole 16-byte blocks, in place. False when OpenSSL refuses.
bool aes128EcbEncrypt(const std::uint8_t key[16], std::uint8_t *data, std::size_t length);
bool aes128EcbDecrypt(const std::uint8_t key[16], std::uint8_t *data, std::size_t length);
