#include "ctl/args/addressargs.h"

#include "ctl/ctltext.h"

#include <QStringList>

namespace {

constexpr int kParts = 4;
constexpr int kMaxPartDigits = 3;
constexpr uint kMaxPart = 255;
constexpr quint32 kLoopbackNet = 0x7F000000;
constexpr quint32 kClassAMask = 0xFF000000;
constexpr quint32 kMulticastNet = 0xE0000000;
constexpr quint32 kMulticastMask = 0xF0000000;
constexpr quint32 kAllOnes = 0xFFFFFFFF;
constexpr int kMaxPortDigits = 5;
constexpr uint kMaxPort = 65535;

bool isDigits(const QString &text, int maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

Checked<quint32> parseIpv4(const QString &field, const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != kParts)
        return Checked<quint32>::failed(
            Ctl::tr("%1: \"%2\" is not an IPv4 address; write four numbers such as 192.168.0.10")
                .arg(field, text));
    quint32 address = 0;
    for (int i = 0; i < kParts; ++i) {
        const QString &part = parts[i];
        if (!isDigits(part, kMaxPartDigits))
            return Checked<quint32>::failed(
                Ctl::tr("%1: \"%2\": part %3 (\"%4\") is not a number from 0 to 255")
                    .arg(field, text, QString::number(i + 1), part));
        if (part.toUInt() > kMaxPart)
            return Checked<quint32>::failed(Ctl::tr("%1: \"%2\": part %3 (%4) is above 255")
                                                .arg(field, text, QString::number(i + 1), part));
        address = (address << 8) | part.toUInt();
    }
    return {address, QString()};
}

Checked<quint32> parseDeviceAddress(const QString &field, const QString &text)
{
    Checked<quint32> address = parseIpv4(field, text);
    if (!address.ok())
        return address;
    const quint32 a = address.value;
    if (a == 0 || a == kAllOnes || (a & kClassAMask) == kLoopbackNet || (a & kMulticastMask) == kMulticastNet)
        return Checked<quint32>::failed(
            Ctl::tr("%1: %2 cannot be a device's address (empty, loopback, multicast or broadcast)")
                .arg(field, dottedText(a)));
    return address;
}

Checked<quint32> parseMask(const QString &field, const QString &text)
{
    Checked<quint32> mask = parseIpv4(field, text);
    if (!mask.ok())
        return mask;
    const quint32 m = mask.value;
    // Ones then zeros: the complement plus one is a power of two.
    const quint32 hostPart = ~m;
    if (m == 0 || (hostPart & (hostPart + 1)) != 0)
        return Checked<quint32>::failed(
            Ctl::tr("%1: %2 is not a subnet mask (ones followed by zeros, such as 255.255.255.0)")
                .arg(field, dottedText(m)));
    return mask;
}

Checked<quint16> parsePort(const QString &field, const QString &text)
{
    const QString trimmed = text.trimmed();
    if (!isDigits(trimmed, kMaxPortDigits) || trimmed.toUInt() < 1 || trimmed.toUInt() > kMaxPort)
        return Checked<quint16>::failed(
            Ctl::tr("%1: \"%2\" is not a port; write a number from 1 to 65535").arg(field, text));
    return {quint16(trimmed.toUInt()), QString()};
}

Checked<int> parseCount(const QString &field, const QString &text, int min, int max)
{
    bool number = false;
    const int value = text.trimmed().toInt(&number);
    if (!number || value < min || value > max)
        return Checked<int>::failed(Ctl::tr("%1: \"%2\" is not a number from %3 to %4")
                                        .arg(field, text, QString::number(min), QString::number(max)));
    return {value, QString()};
}

QString dottedText(quint32 address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}
