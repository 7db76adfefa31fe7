#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Readers for the fields of a device's search reply. Every byte is read unsigned, and a byte
// beyond the datagram's end reads as 0, so a short reply decodes to zeros instead of garbage.
namespace replybytes {

quint8 byteAt(const QByteArray &reply, int offset);
// Big-endian 16-bit number at offset, as decimal text ("%d").
QString portAt(const QByteArray &reply, int offset);
// Four bytes as dotted decimal ("%d.%d.%d.%d").
QString dottedAt(const QByteArray &reply, int offset);
// Six bytes as "%02X:%02X:%02X:%02X:%02X:%02X".
QString macAt(const QByteArray &reply, int offset);
// Two bytes as "%02X%02X", the product code.
QString productCodeAt(const QByteArray &reply, int offset);
// count bytes, each one Latin-1 character (zero bytes included).
QString charsAt(const QByteArray &reply, int offset, int count);
// Up to count bytes, stopping before the first zero byte.
QString textAt(const QByteArray &reply, int offset, int count);

// The device's IPv4 address, at the same place in both reply formats.
constexpr int ipv4Offset = 10;
QString replyIpv4(const QByteArray &reply);

} // namespace replybytes
