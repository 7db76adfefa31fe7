#include "netcfg/tradeframes.h"

#include <QStringList>

namespace tradeframes {

namespace {

constexpr char kSettingMark = 0x50;
constexpr char kFrameMark = char(0xB7);
constexpr char kFrameKind = 0x01;
constexpr char kLoginLength = 0x21;
constexpr char kLoginKind = char(0xFF);
constexpr char kSignOffLength = 0x01;
constexpr char kSignOffKind = 0x00;
constexpr char kMarker[] = "VRELAN";
constexpr int kLoginChecksumLast = 37;
constexpr int kSignOffChecksumLast = 5;
constexpr int kMacParts = 6;

QByteArray bigEndian16(quint32 value)
{
    QByteArray bytes(2, '\0');
    bytes[0] = char(value >> 8);
    bytes[1] = char(value);
    return bytes;
}

bool isDecimal(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QByteArray withChecksum(QByteArray frame, int last)
{
    frame += bigEndian16(checksum(frame, 1, last));
    frame += kFrameMark;
    return frame;
}

} // namespace

QString label(int code)
{
    switch (code) {
    case kSetIpv4: return QStringLiteral("IP地址 ");
    case kSetPort: return QStringLiteral("端口号 ");
    case kSetGateway: return QStringLiteral("网关 ");
    case kSetMask: return QStringLiteral("掩码 ");
    case kSetServerIp: return QStringLiteral("服务器IP ");
    case kSetServerPort: return QStringLiteral("服务器端口号 ");
    case kNtpServer: return QStringLiteral("NTP服务器地址 ");
    case kSignOff: return QStringLiteral("签退 ");
    case kLogin: return QStringLiteral("登录 ");
    case kLogoutRestart: return QStringLiteral("登出/重启 ");
    default: return QString();
    }
}

std::optional<QByteArray> ipv4Field(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    QByteArray bytes;
    for (const QString &part : parts) {
        if (part.isEmpty()) {
            bytes += '\0';
            continue;
        }
        if (!isDecimal(part) || part.size() > 3 || part.toUInt() > 255)
            return std::nullopt;
        bytes += char(part.toUInt());
    }
    return bytes;
}

std::optional<QByteArray> portField(const QString &text)
{
    if (!isDecimal(text) || text.size() > 5 || text.toUInt() > 65535)
        return std::nullopt;
    return bigEndian16(text.toUInt());
}

std::optional<QByteArray> serialField(const QString &text)
{
    bool number = false;
    const int value = text.toInt(&number);
    if (!number)
        return bigEndian16(0);
    if (value < 0 || value > 65535)
        return std::nullopt;
    return bigEndian16(quint32(value));
}

std::optional<QByteArray> clearCredential(const QString &text)
{
    QByteArray bytes = text.trimmed().toUtf8();
    if (bytes.size() > kClearCredentialSize)
        return std::nullopt;
    bytes.append(kClearCredentialSize - bytes.size(), '\0');
    return bytes;
}

QString targetMac(const QString &macText)
{
    const QStringList parts = macText.split(QLatin1Char(':'));
    QString mac;
    for (int i = 0; i < kMacParts && i < parts.size(); ++i)
        mac += QStringLiteral("%1").arg(parts[i].toUInt(nullptr, 16), 2, 16, QLatin1Char('0'));
    return mac;
}

quint16 checksum(const QByteArray &frame, int first, int last)
{
    quint32 sum = 0;
    for (int i = first; i <= last && i < frame.size(); ++i)
        sum += quint8(frame[i]);
    return quint16(sum);
}

QByteArray settingTrade(quint8 code, const QByteArray &value, const QByteArray &macTail)
{
    return QByteArray(1, kSettingMark) + char(code) + value + macTail;
}

QByteArray loginPlain(const QByteArray &deviceIpv4)
{
    return QByteArray(1, char(kLogin)) + kMarker + deviceIpv4;
}

QByteArray loginFramed(const QByteArray &serial, const QByteArray &user, const QByteArray &password)
{
    const QByteArray frame =
        QByteArray(1, kFrameMark) + kFrameKind + serial + kLoginLength + kLoginKind + user + password;
    return withChecksum(frame, kLoginChecksumLast);
}

QByteArray loginEncrypted(const QByteArray &userCipher, const QByteArray &passwordCipher, const QByteArray &mac)
{
    return QByteArray(1, char(kLogin)) + userCipher + passwordCipher + mac + mac;
}

QByteArray logoutRestart(const QByteArray &tail)
{
    return QByteArray(1, char(kLogoutRestart)) + kMarker + tail;
}

QByteArray signOff(const QByteArray &serial)
{
    const QByteArray frame = QByteArray(1, kFrameMark) + kFrameKind + serial + kSignOffLength + kSignOffKind;
    return withChecksum(frame, kSignOffChecksumLast);
}

} // namespace tradeframes
