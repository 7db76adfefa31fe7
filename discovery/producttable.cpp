#include "discovery/producttable.h"

namespace producttable {

namespace {

QString unlistedType(const deviceReply &record)
{
    return QLatin1Char('[') + record.doors + QLatin1Char(']');
}

struct Product407
{
    QChar firstDigit;
    QString category;
    QString productType;
};

// "QB3526/" is completed with the door count. Literals, so that a record shares them.
const Product407 products407[] = {
    {QLatin1Char('0'), QStringLiteral("防护舱控制器"), QStringLiteral("QB3310S")},
    {QLatin1Char('1'), QStringLiteral("UPS监控器"), QStringLiteral("QF8420")},
    {QLatin1Char('2'), QStringLiteral("联动门控制器"), QStringLiteral("QB3521")},
    {QLatin1Char('3'), QStringLiteral("贵宾室控制器"), QStringLiteral("QB3526/V")},
    {QLatin1Char('5'), QStringLiteral("网络电源"), QStringLiteral("QB3104")},
    {QLatin1Char('7'), QStringLiteral("标准门禁控制器"), QStringLiteral("QB3526/")},
    {QLatin1Char('8'), QStringLiteral("梯控控制器"), QStringLiteral("QB3530")},
    {QLatin1Char('9'), QStringLiteral("溢流闸监控器"), QStringLiteral("QB3532")},
};

} // namespace

void classify201(deviceReply &record)
{
    if (record.oldFw == QLatin1String("4001")) {
        record.category = QStringLiteral("指纹机");
        record.productType = QStringLiteral("QF2100");
    } else if (record.oldFw == QLatin1String("7480")) {
        record.category = QStringLiteral("GB门禁控制器");
        record.productType = QStringLiteral("QB18") + unlistedType(record);
    } else {
        record.category = record.oldFw;
        record.productType = unlistedType(record);
    }
}

void classify407(deviceReply &record)
{
    const QChar first = record.fw.isEmpty() ? QChar() : record.fw.at(0);
    for (const Product407 &product : products407) {
        if (product.firstDigit != first)
            continue;
        record.category = product.category;
        record.productType = product.productType;
        if (first == QLatin1Char('7'))
            record.productType += record.doors;
        return;
    }
    record.category = record.oldFw;
    record.productType = unlistedType(record);
}

} // namespace producttable
