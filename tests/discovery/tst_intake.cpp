#include "discovery/intake.h"
#include "support/replybuilder.h"

#include <QtTest>

using intake::Kind;

namespace {

// Frames built outside this code base (AES-128-ECB by the openssl tool), key 00 01 .. 0f,
// prefix a0 .. a7, TXID 00..0021, SNID 42 x 16, the payload followed by 0xFF filler.
// Payload: a 407 reply from 00:1A:2B:3C:4D:5E at 192.168.0.242, port 60000.
const char encrypted407Hex[] =
    "0204007000010203157703c096bea86604050607730f70dd1715412487f815ad0e51334608090a0b0c0d0e0fe0afe99814b1a504"
    "f7b145614b8ee3fdde485c0189fee663c6a13b37878f5b826f4f8162a1c8d879c6a13b37878f5b826f4f8162a1c8d87965967630"
    "aeffeb0752d256a492f30099";
// Payload: the framed acknowledgement b7 01 00 00 21 05 '3' 0c b7.
const char encryptedAckHex[] =
    "0204004000010203157703c096bea86604050607730f70dd1715412487f815ad0e51334608090a0b0c0d"
    "0e0fe0afe99814b1a5040364e5fb29156fab900bdd7e6332906f";
// Payload: 'N'.
const char encryptedRefusalHex[] =
    "0204004000010203157703c096bea86604050607730f70dd1715412487f815ad0e51334608090a0b0c"
    "0d0e0fe0afe99814b1a5048e7c22a80b7fbef33d238db64e1a5e42";

const QString replyFields = QStringLiteral("2=001a2b3c4d5e 8=ea60 10=c0a800f2");

} // namespace

class tst_Intake : public QObject
{
    Q_OBJECT
private slots:
    void searchReplies_data();
    void searchReplies();
    void tradeReplies_data();
    void tradeReplies();
    void noise_data();
    void noise();
};

void tst_Intake::searchReplies_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<DeviceFamily>("family");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("ipv4");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("hasIds");
    QTest::newRow("reply_201") << buildReply(75, replyFields) << DeviceFamily::Reply201 << "00:1A:2B:3C:4D:5E"
                               << "192.168.0.242"
                               << "60000" << false;
    QTest::newRow("reply_407") << buildReply(55, replyFields) << DeviceFamily::Plain407 << "00:1A:2B:3C:4D:5E"
                               << "192.168.0.242"
                               << "60000" << false;
    QTest::newRow("encrypted_407") << QByteArray::fromHex(encrypted407Hex) << DeviceFamily::Encrypted407
                                   << "00:1A:2B:3C:4D:5E"
                                   << "192.168.0.242"
                                   << "60000" << true;
    // A frame that does not open is decoded from no bytes at all, as every missing byte reads 0.
    QTest::newRow("encrypted_unopened")
        << QByteArray(116, '\0') << DeviceFamily::Encrypted407 << "00:00:00:00:00:00"
        << "0.0.0.0"
        << "0" << false;
}

void tst_Intake::searchReplies()
{
    QFETCH(QByteArray, datagram);
    QFETCH(DeviceFamily, family);
    QFETCH(bool, hasIds);
    const intake::Classified reply = intake::classify(datagram);
    QCOMPARE(reply.kind, Kind::SearchReply);
    QCOMPARE(reply.family, family);
    QCOMPARE(reply.record.protocol, family);
    QTEST(reply.record.mac, "mac");
    QTEST(reply.record.ipv4, "ipv4");
    QTEST(reply.record.port, "port");
    QCOMPARE(reply.hasIds, hasIds);
    if (hasIds) {
        QCOMPARE(reply.payload.size(), 55);
        QCOMPARE(reply.record.SNID[15], static_cast<unsigned char>(0x42));
        QCOMPARE(reply.record.TXID[7], static_cast<unsigned char>(0x21));
        QCOMPARE(reply.frameKey, QByteArray::fromHex("000102030405060708090a0b0c0d0e0f"));
    } else {
        QCOMPARE(reply.record.TXID[7], static_cast<unsigned char>(0));
    }
}

void tst_Intake::tradeReplies_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<DeviceFamily>("family");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<bool>("hasIds");
    QTest::newRow("plain_accepted") << QByteArray("A") << DeviceFamily::Plain407 << true << QString()
                                    << false;
    QTest::newRow("plain_refused") << QByteArray("N") << DeviceFamily::Plain407 << false << QString()
                                   << false;
    // Another PC's discovery probe has the same length.
    QTest::newRow("probe") << QByteArray("Y") << DeviceFamily::Plain407 << false << QString() << false;
    QTest::newRow("mac_accepted") << QByteArray::fromHex("41001a2b3c4d5e") << DeviceFamily::Reply201 << true
                                  << "001a2b3c4d5e" << false;
    QTest::newRow("mac_refused") << QByteArray::fromHex("4eaabbccddeeff") << DeviceFamily::Reply201 << false
                                 << "aabbccddeeff" << false;
    QTest::newRow("framed_ack") << QByteArray::fromHex(encryptedAckHex) << DeviceFamily::Encrypted407 << true
                                << QString() << true;
    QTest::newRow("framed_refusal") << QByteArray::fromHex(encryptedRefusalHex) << DeviceFamily::Encrypted407
                                    << false << QString() << true;
    QTest::newRow("framed_body_too_long") << QByteArray::fromHex("0204ffff") + QByteArray(64, 'A')
                                          << DeviceFamily::Encrypted407 << false << QString() << false;
    QTest::newRow("framed_body_too_short") << QByteArray::fromHex("0204002f") + QByteArray(64, 'A')
                                           << DeviceFamily::Encrypted407 << false << QString() << false;
}

void tst_Intake::tradeReplies()
{
    QFETCH(QByteArray, datagram);
    QFETCH(DeviceFamily, family);
    QFETCH(bool, hasIds);
    const intake::Classified reply = intake::classify(datagram);
    QCOMPARE(reply.kind, Kind::TradeReply);
    QCOMPARE(reply.family, family);
    QTEST(reply.accepted, "accepted");
    QTEST(reply.mac, "mac");
    QCOMPARE(reply.hasIds, hasIds);
    if (hasIds)
        QCOMPARE(reply.snid[0], std::uint8_t(0x42));
    if (family == DeviceFamily::Encrypted407 && !hasIds) {
        QVERIFY(reply.payload.isEmpty());
        QVERIFY(!reply.reason.isEmpty());
    }
}

void tst_Intake::noise_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("2_bytes") << QByteArray("AA");
    QTest::newRow("54_bytes") << QByteArray(54, '\x01');
    QTest::newRow("56_bytes") << QByteArray(56, '\x01');
    QTest::newRow("74_bytes") << QByteArray(74, '\x01');
    QTest::newRow("117_bytes") << QByteArray(117, '\x01');
    QTest::newRow("1024_bytes") << QByteArray(1024, '\x01');
}

void tst_Intake::noise()
{
    QFETCH(QByteArray, datagram);
    const intake::Classified reply = intake::classify(datagram);
    QCOMPARE(reply.kind, Kind::Noise);
    QCOMPARE(reply.family, DeviceFamily::Unknown);
    QVERIFY(!reply.reason.isEmpty());
}

QTEST_APPLESS_MAIN(tst_Intake)
#include "tst_intake.moc"
