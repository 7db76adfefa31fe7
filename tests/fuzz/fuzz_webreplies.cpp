// Arbitrary web interface answers through the reply interpretation and the datetime_get parser.
#include "webcfg/commandreply.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const commandreply::Answer answer = commandreply::interpret(text);
    if (answer == commandreply::Answer::Ok) {
        const commandreply::DeviceDatetime parsed = commandreply::parseDatetimeGet(text);
        if (parsed.ntpSet != 0 && parsed.ntpSet != 2)
            __builtin_trap();
    }
    return 0;
}
