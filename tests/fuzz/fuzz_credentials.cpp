// Arbitrary cipher texts and keys through the credential cipher.
#include "crypto/credentialcipher.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte splits the input into key and text.
    const std::size_t keyLength = std::min<std::size_t>(data[0] % 12, size - 1);
    const QByteArray key(reinterpret_cast<const char *>(data + 1), int(keyLength));
    const QByteArray text(reinterpret_cast<const char *>(data + 1 + keyLength), int(size - 1 - keyLength));
    const QByteArray clear = credentialcipher::decrypt(text, key);
    const QByteArray cipher = credentialcipher::encrypt(text, key);
    if (cipher.size() < credentialcipher::kMinCipherText || cipher.size() % credentialcipher::kBlock != 0)
        __builtin_trap();
    (void)clear;
    return 0;
}
