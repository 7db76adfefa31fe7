#include "discovery/replybytes.h"

namespace replybytes {

quint8 byteAt(const QByteArray &reply, int offset)
{
    if (offset < 0 || offset >= reply.size())
        return 0;
    return static_cast<quint8>(reply.at(offset));
}

QString portAt(const QByteArray &reply, int offset)
{
    return QString::number(byteAt(reply, offset) * 256 + byteAt(reply, offset + 1));
}

QString dottedAt(const QByteArray &reply, int offset)
{
    return QString::asprintf("%d.%d.%d.%d", byteAt(reply, offset), byteAt(reply, offset + 1),
                             byteAt(reply, offset + 2), byteAt(reply, offset + 3));
}

QString macAt(const QByteArray &reply, int offset)
{
    return QString::asprintf("%02X:%02X:%02X:%02X:%02X:%02X", byteAt(reply, offset),
                             byteAt(reply, offset + 1), byteAt(reply, offset + 2),
                             byteAt(reply, offset + 3), byteAt(reply, offset + 4),
                             byteAt(reply, offset + 5));
}

QString productCodeAt(const QByteArray &reply, int offset)
{
    return QString::asprintf("%02X%02X", byteAt(reply, offset), byteAt(reply, offset + 1));
}

QString charsAt(const QByteArray &reply, int offset, int count)
{
    QString text;
    text.reserve(count);
    for (int i = 0; i < count; ++i)
        text.append(QChar(byteAt(reply, offset + i)));
    return text;
}

QString textAt(const QByteArray &reply, int offset, int count)
{
    QString text;
    for (int i = 0; i < count; ++i) {
        const quint8 byte = byteAt(reply, offset + i);
        if (byte == 0)
            break;
        text.append(QChar(byte));
    }
    return text;
}

QString replyIpv4(const QByteArray &reply)
{
    return dottedAt(reply, ipv4Offset);
}

} // namespace replybytes
