#include "discovery/replybytes.h"

namespace replybytes {

namespace {

// The texts are built in a small buffer and made a string once: formatting through
// QString::asprintf cost more than the rest of a reply's decoding.
constexpr char hexDigits[] = "0123456789ABCDEF";
constexpr int maxDecimalDigits = 5; // of a 16-bit number

char *putDecimal(char *out, unsigned value)
{
    char reversed[maxDecimalDigits];
    int count = 0;
    do {
        reversed[count++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0)
        *out++ = reversed[--count];
    return out;
}

char *putHex(char *out, quint8 byte)
{
    *out++ = hexDigits[byte >> 4];
    *out++ = hexDigits[byte & 0x0F];
    return out;
}

QString latin1(const char *text, const char *end)
{
    return QString::fromLatin1(text, int(end - text));
}

} // namespace

quint8 byteAt(const QByteArray &reply, int offset)
{
    if (offset < 0 || offset >= reply.size())
        return 0;
    return static_cast<quint8>(reply.at(offset));
}

QString portAt(const QByteArray &reply, int offset)
{
    char text[maxDecimalDigits];
    return latin1(text, putDecimal(text, byteAt(reply, offset) * 256u + byteAt(reply, offset + 1)));
}

QString dottedAt(const QByteArray &reply, int offset)
{
    char text[sizeof "255.255.255.255"];
    char *end = text;
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            *end++ = '.';
        end = putDecimal(end, byteAt(reply, offset + i));
    }
    return latin1(text, end);
}

QString macAt(const QByteArray &reply, int offset)
{
    char text[sizeof "00:00:00:00:00:00"];
    char *end = text;
    for (int i = 0; i < 6; ++i) {
        if (i > 0)
            *end++ = ':';
        end = putHex(end, byteAt(reply, offset + i));
    }
    return latin1(text, end);
}

QString productCodeAt(const QByteArray &reply, int offset)
{
    char text[4];
    return latin1(text, putHex(putHex(text, byteAt(reply, offset)), byteAt(reply, offset + 1)));
}

QString charsAt(const QByteArray &reply, int offset, int count)
{
    QString text(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i)
        text[i] = QChar(byteAt(reply, offset + i));
    return text;
}

QString textAt(const QByteArray &reply, int offset, int count)
{
    int length = 0;
    while (length < count && byteAt(reply, offset + length) != 0)
        ++length;
    return charsAt(reply, offset, length);
}

QString replyIpv4(const QByteArray &reply)
{
    return dottedAt(reply, ipv4Offset);
}

} // namespace replybytes
