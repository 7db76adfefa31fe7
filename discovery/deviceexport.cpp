#include "discovery/deviceexport.h"

#include "discovery/devicefamily.h"

namespace deviceexport {

namespace {

// Fields taken from the record's texts as they are.
struct TextField
{
    const char *name;
    QString deviceReply::*text;
    ValueKind kind;
};

const TextField kAfterFamily[] = {
    {"ip", &deviceReply::ipv4, ValueKind::Text},
    {"port", &deviceReply::port, ValueKind::Number},
    {"mask", &deviceReply::mask, ValueKind::Text},
    {"gateway", &deviceReply::gateway, ValueKind::Text},
    {"server_ip", &deviceReply::dstIpv4, ValueKind::Text},
    {"server_port", &deviceReply::dstPort, ValueKind::Number},
    {"ntp_ip", &deviceReply::ntpIpv4, ValueKind::Text},
    {"ntp_port", &deviceReply::ntpPort, ValueKind::Number},
    {"http_port", &deviceReply::httpPort, ValueKind::Number},
    {"serial", &deviceReply::sn, ValueKind::Text},
    {"device_number", &deviceReply::bh, ValueKind::Text},
    {"firmware", &deviceReply::fw, ValueKind::Text},
    {"hardware", &deviceReply::hw, ValueKind::Text},
    {"doors", &deviceReply::doors, ValueKind::Number},
    {"product_code", &deviceReply::oldFw, ValueKind::Text},
    {"product_type", &deviceReply::productType, ValueKind::Text},
    {"category", &deviceReply::category, ValueKind::Text},
    {"mfg", &deviceReply::mfg, ValueKind::Text},
    {"reserve", &deviceReply::reserve, ValueKind::Text},
    {"version", &deviceReply::version, ValueKind::Text},
};

QString hexText(const unsigned char *bytes, int size)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(bytes), size).toHex());
}

} // namespace

QStringList fieldNames()
{
    QStringList names;
    for (const Field &field : fields(deviceReply(), QString(), 0))
        names << field.name;
    return names;
}

QVector<Field> fields(const deviceReply &record, const QString &adapter, int replies)
{
    QVector<Field> out;
    out.append({QStringLiteral("mac"), record.mac, ValueKind::Text});
    out.append({QStringLiteral("family"), familyName(record.protocol), ValueKind::Text});
    for (const TextField &f : kAfterFamily)
        out.append({QLatin1String(f.name), record.*f.text, f.kind});
    const bool framed = DeviceFamily(record.protocol) == DeviceFamily::Encrypted407;
    out.append({QStringLiteral("snid"), framed ? hexText(record.SNID, sizeof record.SNID) : QString(),
                ValueKind::Text});
    out.append({QStringLiteral("txid"), framed ? hexText(record.TXID, sizeof record.TXID) : QString(),
                ValueKind::Text});
    out.append({QStringLiteral("adapter"), adapter, ValueKind::Text});
    out.append({QStringLiteral("replies"), QString::number(replies), ValueKind::Number});
    return out;
}

} // namespace deviceexport
