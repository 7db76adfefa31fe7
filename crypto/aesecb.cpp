#include "crypto/aesecb.h"

#include <openssl/evp.h>

#include <memory>

namespace {

constexpr std::size_t kBlock = 16;

bool aes128Ecb(const std::uint8_t key[16], std::uint8_t *data, std::size_t length, bool encrypt)
{
    if (length % kBlock != 0)
        return false;
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        &EVP_CIPHER_CTX_free);
    if (!ctx || EVP_CipherInit_ex(ctx.get(), EVP_aes_128_ecb(), nullptr, key, nullptr, encrypt ? 1 : 0) != 1)
        return false;
    // Every block stands alone and is a whole block: no padding.
    EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
    int written = 0;
    if (length > 0 && EVP_CipherUpdate(ctx.get(), data, &written, data, int(length)) != 1)
        return false;
    int tail = 0;
    return EVP_CipherFinal_ex(ctx.get(), data + written, &tail) == 1 && std::size_t(written + tail) == length;
}

} // namespace

bool aes128EcbEncrypt(const std::uint8_t key[16], std::uint8_t *data, std::size_t length)
{
    return aes128Ecb(key, data, length, true);
}

bool aes128EcbDecrypt(const std::uint8_t key[16], std::uint8_t *data, std::size_t length)
{
    return aes128Ecb(key, data, length, false);
}
