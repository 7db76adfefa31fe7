#include "devsim/tradesession.h"

#include "crypto/credentialcipher.h"
#include "netcfg/tradeframes.h"

namespace {

constexpr char kSettingMark = 0x50;
constexpr char kFrameMark = char(0xB7);
constexpr char kFrameKind = 0x01;
constexpr char kLoginKind[] = {0x21, char(0xFF)};
constexpr char kSignOffKind[] = {0x01, 0x00};
constexpr char kMarker[] = "VRELAN";
constexpr int kMarkerSize = 6;
constexpr int kMacSize = 6;
constexpr int kAddressSize = 4;
constexpr int kPortSize = 2;
constexpr int kSettingHead = 2; // 50, code
constexpr int kCodeOffset = 1;

// The plain login: "L" VRELAN and the device's address.
constexpr int kPlainLoginSize = 1 + kMarkerSize + kAddressSize;
constexpr int kPlainLoginAddress = 1 + kMarkerSize;
// The framed login and sign-off: B7 01 serial kind ... checksum B7.
constexpr int kFramedSerial = 2;
constexpr int kFramedKind = 4;
constexpr int kFramedUser = 6;
constexpr int kClearCredential = 16;
constexpr int kFramedPassword = kFramedUser + kClearCredential;
constexpr int kFramedLoginSize = 41;
constexpr int kSignOffSize = 9;
// The encrypted login: 4C, two DES cipher texts, the MAC twice.
constexpr int kCipherSize = 32;
constexpr int kEncryptedLoginSize = 1 + 2 * kCipherSize + 2 * kMacSize;
constexpr int kEncryptedLoginFirstMac = 1 + 2 * kCipherSize;
// The framed replies: B7 01 serial kind 05 result checksum B7.
constexpr char kReplyTag = 0x05;
constexpr char kReplyDone = '3';
constexpr char kReplyFailed = '0';

quint16 sumOf(const QByteArray &frame, int first, int last)
{
    quint32 sum = 0;
    for (int i = first; i <= last && i < frame.size(); ++i)
        sum += quint8(frame[i]);
    return quint16(sum);
}

QByteArray bigEndian16(quint16 value)
{
    return QByteArray(1, char(value >> 8)) + char(value);
}

quint16 read16(const QByteArray &bytes, int offset)
{
    return quint16((quint8(bytes[offset]) << 8) | quint8(bytes[offset + 1]));
}

quint32 read32(const QByteArray &bytes, int offset)
{
    return (quint32(read16(bytes, offset)) << 16) | read16(bytes, offset + 2);
}

// B7 01 ... checksum of bytes 1..size-4, B7.
bool isFramed(const QByteArray &frame, int size, const char kind[2])
{
    return frame.size() == size && frame[0] == kFrameMark && frame[1] == kFrameKind &&
           frame[kFramedKind] == kind[0] && frame[kFramedKind + 1] == kind[1] &&
           frame[size - 1] == kFrameMark && read16(frame, size - 3) == sumOf(frame, 1, size - 4);
}

QByteArray framedReply(const QByteArray &request, bool done)
{
    QByteArray reply = QByteArray(1, kFrameMark) + kFrameKind + request.mid(kFramedSerial, kPortSize) +
                       request[kFramedKind] + kReplyTag + (done ? kReplyDone : kReplyFailed);
    reply += bigEndian16(sumOf(reply, 1, reply.size() - 1));
    return reply + kFrameMark;
}

QByteArray paddedCredential(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.append(kClearCredential - bytes.size(), '\0');
    return bytes;
}

QByteArray marked(char first)
{
    return QByteArray(1, first) + kMarker;
}

} // namespace

TradeSession::Outcome TradeSession::handle(SimDevice &device, const QByteArray &request, bool atOldAddress)
{
    switch (device.family) {
    case Family::Plain407:
        return atOldAddress ? Outcome{} : handlePlain(device, request);
    case Family::Encrypted407:
        return handleFramed(device, request, atOldAddress);
    case Family::Old201:
        return handle201(device, request);
    }
    return {};
}

TradeSession::Outcome TradeSession::handlePlain(SimDevice &device, const QByteArray &request)
{
    if (request.size() == kPlainLoginSize && request.startsWith(marked(char(tradeframes::kLogin)))) {
        loggedIn = read32(request, kPlainLoginAddress) == device.net.ip;
        pending = device.net;
        return {true, QByteArray(1, loggedIn ? kAccepted : kRefused), false, {}};
    }
    bool restartNow = false;
    const char result = settingOrLogout(request, &restartNow);
    return restartNow ? restart(device, QByteArray(1, result))
                      : Outcome{true, QByteArray(1, result), false, {}};
}

TradeSession::Outcome TradeSession::handleFramed(SimDevice &device, const QByteArray &request,
                                                 bool atOldAddress)
{
    const quint16 serial = quint16(device.serial.toUInt());
    if (isFramed(request, kSignOffSize, kSignOffKind))
        return {true, framedReply(request, read16(request, kFramedSerial) == serial), false, {}};
    if (atOldAddress)
        return {};
    if (isFramed(request, kFramedLoginSize, kLoginKind)) {
        loggedIn = read16(request, kFramedSerial) == serial &&
                   request.mid(kFramedUser, kClearCredential) == paddedCredential(device.udpUser) &&
                   request.mid(kFramedPassword, kClearCredential) == paddedCredential(device.udpPassword);
        pending = device.net;
        return {true, framedReply(request, loggedIn), false, {}};
    }
    // The restart's tail is open: the device's own MAC, or nothing.
    QByteArray body = request;
    if (request == marked(char(tradeframes::kLogoutRestart)) + device.mac)
        body.chop(kMacSize);
    bool restartNow = false;
    const char result = settingOrLogout(body, &restartNow);
    return restartNow ? restart(device, QByteArray(1, result))
                      : Outcome{true, QByteArray(1, result), false, {}};
}

TradeSession::Outcome TradeSession::handle201(SimDevice &device, const QByteArray &request)
{
    if (request.size() <= kMacSize || !request.endsWith(device.mac))
        return {};
    auto answer = [&](bool ok) { return QByteArray(1, ok ? kAccepted : kRefused) + device.mac; };
    if (request.size() == kEncryptedLoginSize && request[0] == char(tradeframes::kLogin)) {
        const QByteArray key(tradeframes::kCredentialKey);
        loggedIn = request.mid(kEncryptedLoginFirstMac, kMacSize) == device.mac &&
                   request.mid(1, kCipherSize) == credentialcipher::encrypt(device.udpUser.toUtf8(), key) &&
                   request.mid(1 + kCipherSize, kCipherSize) ==
                       credentialcipher::encrypt(device.udpPassword.toUtf8(), key);
        pending = device.net;
        return {true, answer(loggedIn), false, {}};
    }
    bool restartNow = false;
    const bool ok = settingOrLogout(request.chopped(kMacSize), &restartNow) == kAccepted;
    return restartNow ? restart(device, answer(ok)) : Outcome{true, answer(ok), false, {}};
}

char TradeSession::settingOrLogout(const QByteArray &body, bool *restartNow)
{
    if (!loggedIn)
        return kRefused;
    if (body == marked(char(tradeframes::kLogoutRestart))) {
        *restartNow = true;
        return kAccepted;
    }
    return holdSetting(body) ? kAccepted : kRefused;
}

bool TradeSession::holdSetting(const QByteArray &setting)
{
    if (setting.size() < kSettingHead || setting[0] != kSettingMark)
        return false;
    const QByteArray value = setting.mid(kSettingHead);
    const quint8 code = quint8(setting[kCodeOffset]);
    if (code == tradeframes::kSetPort || code == tradeframes::kSetServerPort) {
        if (value.size() != kPortSize)
            return false;
        (code == tradeframes::kSetPort ? pending.port : pending.serverPort) = read16(value, 0);
        return true;
    }
    if (value.size() != kAddressSize)
        return false;
    const quint32 address = read32(value, 0);
    switch (code) {
    case tradeframes::kSetIpv4:
        if (forbidden.contains(address) || address == 0)
            return false;
        pending.ip = address;
        return true;
    case tradeframes::kSetMask:
        pending.mask = address;
        return true;
    case tradeframes::kSetGateway:
        pending.gateway = address;
        return true;
    case tradeframes::kSetServerIp:
        pending.serverIp = address;
        return true;
    default:
        return false;
    }
}

TradeSession::Outcome TradeSession::restart(SimDevice &device, QByteArray reply)
{
    Outcome outcome{true, std::move(reply), true, device.net};
    device.net = pending;
    loggedIn = false;
    return outcome;
}
