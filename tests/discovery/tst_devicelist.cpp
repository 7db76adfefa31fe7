#include "discovery/devicelist.h"

#include <QtTest>

namespace {

deviceReply device(const char *mac, const char *ipv4)
{
    deviceReply record;
    record.mac = QString::fromLatin1(mac);
    record.ipv4 = QString::fromLatin1(ipv4);
    return record;
}

const QDateTime t0 = QDateTime::fromString(QStringLiteral("2024-05-01T10:00:00Z"), Qt::ISODate);

} // namespace

class tst_DeviceList : public QObject
{
    Q_OBJECT
private slots:
    void repeatedReplyMergesIntoItsDevice();
    void boundRefusesOnlyNewDevices();
    void idsFollowTheMac();
};

void tst_DeviceList::repeatedReplyMergesIntoItsDevice()
{
    DeviceList list;
    const auto first = list.merge(device("00:00:00:00:00:01", "192.168.0.5"), QStringLiteral("eth0"), t0);
    const auto second = list.merge(device("00:00:00:00:00:02", "192.168.0.6"), QStringLiteral("eth0"), t0);
    const auto again =
        list.merge(device("00:00:00:00:00:01", "192.168.0.99"), QStringLiteral("eth1"), t0.addSecs(5));
    QCOMPARE(first.outcome, DeviceList::Outcome::Added);
    QCOMPARE(first.index, 0);
    QCOMPARE(second.index, 1);
    QCOMPARE(again.outcome, DeviceList::Outcome::Merged);
    QCOMPARE(again.index, 0);
    QCOMPARE(list.size(), 2);
    QCOMPARE(list[0].ipv4, QStringLiteral("192.168.0.99"));
    QCOMPARE(list.at(0).replies, 2);
    QCOMPARE(list.at(0).adapter, QStringLiteral("eth1"));
    QCOMPARE(list.at(0).lastSeen, t0.addSecs(5));
    QCOMPARE(list.at(1).replies, 1);
    QCOMPARE(list.indexOf(QStringLiteral("00:00:00:00:00:02")), 1);

    list.clear();
    QCOMPARE(list.size(), 0);
    QCOMPARE(list.indexOf(QStringLiteral("00:00:00:00:00:01")), -1);
    QCOMPARE(list.merge(device("00:00:00:00:00:02", "192.168.0.6"), QString(), t0).index, 0);
}

void tst_DeviceList::boundRefusesOnlyNewDevices()
{
    DeviceList list(2);
    list.merge(device("00:00:00:00:00:01", "192.168.0.5"), QString(), t0);
    list.merge(device("00:00:00:00:00:02", "192.168.0.6"), QString(), t0);
    QVERIFY(!list.hasRoomFor(QStringLiteral("00:00:00:00:00:03")));
    const auto refused = list.merge(device("00:00:00:00:00:03", "192.168.0.7"), QString(), t0);
    QCOMPARE(refused.outcome, DeviceList::Outcome::Full);
    QCOMPARE(refused.index, -1);
    QVERIFY(list.hasRoomFor(QStringLiteral("00:00:00:00:00:02")));
    const auto known = list.merge(device("00:00:00:00:00:02", "192.168.0.66"), QString(), t0);
    QCOMPARE(known.outcome, DeviceList::Outcome::Merged);
    QCOMPARE(list[1].ipv4, QStringLiteral("192.168.0.66"));
    QCOMPARE(list.size(), 2);
}

void tst_DeviceList::idsFollowTheMac()
{
    DeviceList list;
    list.merge(device("00:00:00:00:00:01", "192.168.0.5"), QString(), t0);
    list.merge(device("00:00:00:00:00:02", "192.168.0.6"), QString(), t0);
    framecipher::TransactionId txid{};
    framecipher::DeviceId snid{};
    txid[7] = 0x22;
    snid[0] = 0x43;
    QVERIFY(list.updateIds(QStringLiteral("00:00:00:00:00:02"), txid, snid));
    QCOMPARE(list[1].TXID[7], static_cast<unsigned char>(0x22));
    QCOMPARE(list[1].SNID[0], static_cast<unsigned char>(0x43));
    QCOMPARE(list[0].TXID[7], static_cast<unsigned char>(0));
    QVERIFY(!list.updateIds(QStringLiteral("00:00:00:00:00:09"), txid, snid));
}

QTEST_APPLESS_MAIN(tst_DeviceList)
#include "tst_devicelist.moc"
