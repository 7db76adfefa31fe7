#pragma once

#include "discovery/devicereply.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>

// Builds a datagram of `length` zero bytes with patches "offset=hexbytes" applied, for
// example "10=c0a800f2 34=7480".
inline QByteArray buildReply(int length, const QString &patches)
{
    QByteArray reply(length, '\0');
    const QStringList items = patches.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &item : items) {
        const int offset = item.section(QLatin1Char('='), 0, 0).toInt();
        const QByteArray bytes = QByteArray::fromHex(item.section(QLatin1Char('='), 1).toLatin1());
        for (int i = 0; i < bytes.size(); ++i)
            if (offset + i < reply.size())
                reply[offset + i] = bytes.at(i);
    }
    return reply;
}

// A text field of the record by its name, so that data tables can name the field they check.
inline QString recordField(const deviceReply &record, const QString &name)
{
    static const std::map<QString, QString deviceReply::*> fields = {
        {QStringLiteral("sn"), &deviceReply::sn},
        {QStringLiteral("fw"), &deviceReply::fw},
        {QStringLiteral("hw"), &deviceReply::hw},
        {QStringLiteral("doors"), &deviceReply::doors},
        {QStringLiteral("mac"), &deviceReply::mac},
        {QStringLiteral("ipv4"), &deviceReply::ipv4},
        {QStringLiteral("port"), &deviceReply::port},
        {QStringLiteral("mask"), &deviceReply::mask},
        {QStringLiteral("gateway"), &deviceReply::gateway},
        {QStringLiteral("dstIpv4"), &deviceReply::dstIpv4},
        {QStringLiteral("dstPort"), &deviceReply::dstPort},
        {QStringLiteral("ntpIpv4"), &deviceReply::ntpIpv4},
        {QStringLiteral("ntpPort"), &deviceReply::ntpPort},
        {QStringLiteral("httpPort"), &deviceReply::httpPort},
        {QStringLiteral("productType"), &deviceReply::productType},
        {QStringLiteral("category"), &deviceReply::category},
        {QStringLiteral("oldFw"), &deviceReply::oldFw},
        {QStringLiteral("bh"), &deviceReply::bh},
    };
    const auto found = fields.find(name);
    return found == fields.end() ? QStringLiteral("<no field %1>").arg(name) : record.*(found->second);
}
