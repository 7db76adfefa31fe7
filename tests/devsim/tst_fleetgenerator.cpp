#include "devsim/fleetgenerator.h"
#include "devsim/searchreplies.h"
#include "discovery/reply201.h"
#include "discovery/reply407.h"

#include <QSet>
#include <QtTest>

class tst_FleetGenerator : public QObject
{
    Q_OBJECT

private slots:
    void distinct_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("one") << 1;
        QTest::newRow("three") << 3;
        QTest::newRow("five_thousand") << 5000;
        QTest::newRow("most") << kMaxGeneratedDevices;
    }
    void distinct()
    {
        QFETCH(int, count);
        const QVector<SimDevice> fleet = generateFleet(count, 7);
        QCOMPARE(fleet.size(), count);
        QSet<QByteArray> macs;
        QSet<quint32> ips;
        for (const SimDevice &d : fleet) {
            macs.insert(d.mac);
            ips.insert(d.net.ip);
            QCOMPARE(d.mac.size(), 6);
            QCOMPARE(d.net.ip >> 16, quint32(0xC0A8)); // 192.168/16, on the lan side
            QVERIFY((d.net.ip & 0xFF) != 0 && (d.net.ip & 0xFF) != 0xFF);
            QVERIFY(d.net.ip != 0xC0A80001 && d.net.ip != 0xC0A8000A); // the lab's own two hosts
        }
        QCOMPARE(macs.size(), count);
        QCOMPARE(ips.size(), count);
    }

    void mixesFamilies_data()
    {
        QTest::addColumn<int>("family");
        QTest::newRow("201") << int(Family::Old201);
        QTest::newRow("407") << int(Family::Plain407);
        QTest::newRow("407enc") << int(Family::Encrypted407);
    }
    void mixesFamilies()
    {
        QFETCH(int, family);
        int seen = 0;
        for (const SimDevice &d : generateFleet(30, 1))
            seen += int(d.family) == family;
        QCOMPARE(seen, 10);
    }

    // Each generated device must be listed as itself: a 407 serial below 256 would show empty.
    void decodesAsGenerated()
    {
        for (const SimDevice &d : generateFleet(300, 3)) {
            deviceReply record;
            if (d.family == Family::Old201) {
                reply201::decode(searchreplies::reply201(d), record);
                QCOMPARE(record.sn, d.serial);
                QCOMPARE(record.fw, d.firmware);
            } else {
                reply407::decode(searchreplies::reply407(d), record);
                QCOMPARE(record.sn, d.serial);
                QCOMPARE(record.bh, d.deviceNumber);
            }
        }
    }

    void sameSeedSameFleet()
    {
        const QVector<SimDevice> a = generateFleet(50, 9);
        const QVector<SimDevice> b = generateFleet(50, 9);
        for (int i = 0; i < a.size(); ++i) {
            QCOMPARE(a[i].serial, b[i].serial);
            QCOMPARE(a[i].productCode, b[i].productCode);
            QVERIFY(a[i].snid == b[i].snid);
        }
    }

    void capsCount() { QCOMPARE(generateFleet(kMaxGeneratedDevices + 1, 1).size(), kMaxGeneratedDevices); }
};

QTEST_GUILESS_MAIN(tst_FleetGenerator)
#include "tst_fleetgenerator.moc"
