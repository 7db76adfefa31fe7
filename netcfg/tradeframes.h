#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The requests of a configuration trade, byte for byte. Values come from the detail form's
// texts; a value that does not fit its field is refused (nullopt) rather than printed wider,
// so no request ever carries shifted fields.
namespace tradeframes {

constexpr quint8 kSetIpv4 = 0x05;
constexpr quint8 kSetPort = 0x07;
constexpr quint8 kSetGateway = 0x08;
constexpr quint8 kSetMask = 0x09;
constexpr quint8 kSetServerIp = 0x0A;
constexpr quint8 kSetServerPort = 0x0B;
constexpr quint8 kNtpServer = 0x0C;
constexpr quint8 kSignOff = 0x45;
constexpr quint8 kLogin = 0x4C;
constexpr quint8 kLogoutRestart = 0x52;

constexpr int kClearCredentialSize = 16;
// The encrypted login's layout holds one 32-byte cipher text per credential.
constexpr int kMaxEncryptedCredential = 31;
constexpr char kCredentialKey[] = "kwvo7314";

// The label a failed trade is named by in the report; each ends in one blank.
QString label(int code);

// "a.b.c.d" as four bytes; an empty box reads as 0.
std::optional<QByteArray> ipv4Field(const QString &text);
// Unsigned decimal, two bytes.
std::optional<QByteArray> portField(const QString &text);
// Signed decimal (0 when not a number), two bytes; refused outside 0 to 65535.
std::optional<QByteArray> serialField(const QString &text);
// Trimmed UTF-8, zero-padded to 16 bytes; refused when longer.
std::optional<QByteArray> clearCredential(const QString &text);

// "00:1A:2B:3C:4D:5E" → "001a2b3c4d5e".
QString targetMac(const QString &macText);

// Sum of bytes first..last (inclusive) as unsigned bytes, low 16 bits.
quint16 checksum(const QByteArray &frame, int first, int last);

// 50, code, value, then the MAC tail (empty for the unicast families).
QByteArray settingTrade(quint8 code, const QByteArray &value, const QByteArray &macTail);
// "L" "VRELAN" and the device's own address.
QByteArray loginPlain(const QByteArray &deviceIpv4);
// B7 01 serial 21 FF user[16] password[16] checksum(1..37) B7.
QByteArray loginFramed(const QByteArray &serial, const QByteArray &user, const QByteArray &password);
// 4C, both cipher texts, the MAC twice.
QByteArray loginEncrypted(const QByteArray &userCipher, const QByteArray &passwordCipher, const QByteArray &mac);
// "R" "VRELAN" and the tail.
QByteArray logoutRestart(const QByteArray &tail);
// B7 01 serial 01 00 checksum(1..5) B7.
QByteArray signOff(const QByteArray &serial);

} // namespace tradeframes
