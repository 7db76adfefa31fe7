// Search replies of any length through both decoders, and encrypted bodies through the cipher.
#include "crypto/framecipher.h"
#include "discovery/reply201.h"
#include "discovery/reply407.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray datagram(reinterpret_cast<const char *>(data), int(size));
    deviceReply record;
    reply201::decode(datagram, record);
    reply407::decode(datagram, record);
    const framecipher::OpenedBody opened = framecipher::openBody(datagram);
    if (opened.ok && opened.payload.size() > datagram.size())
        __builtin_trap();
    if (opened.ok)
        reply407::decode(opened.payload, record);
    return 0;
}
