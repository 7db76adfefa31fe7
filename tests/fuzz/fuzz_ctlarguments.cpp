// Arbitrary text as quillonctl's MAC, address, mask and port arguments: each is read into its
// canonical form, which reads back the same, or refused with the field named.
#include "ctl/args/addressargs.h"
#include "ctl/args/macaddress.h"

#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QString field = QStringLiteral("--field");

    const Checked<QString> mac = parseMac(field, text);
    check(mac.ok() ? parseMac(field, mac.value).value == mac.value : mac.error.startsWith(field));

    const Checked<quint32> address = parseIpv4(field, text);
    check(address.ok() ? parseIpv4(field, dottedText(address.value)).value == address.value
                       : address.error.startsWith(field));
    const Checked<quint32> device = parseDeviceAddress(field, text);
    check(!device.ok() || (address.ok() && device.value == address.value));
    const Checked<quint32> mask = parseMask(field, text);
    check(!mask.ok() || (address.ok() && mask.value == address.value));

    const Checked<quint16> port = parsePort(field, text);
    check(port.ok() ? port.value >= 1 && parsePort(field, QString::number(port.value)).value == port.value
                    : port.error.startsWith(field));
    return 0;
}
