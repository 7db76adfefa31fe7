#include "devsim/searchreplies.h"
#include "discovery/reply201.h"
#include "discovery/reply407.h"
#include "support/replybuilder.h"

#include <QHostAddress>
#include <QtTest>

Q_DECLARE_METATYPE(Family)

namespace {

quint32 ip(const char *text)
{
    return QHostAddress(QLatin1String(text)).toIPv4Address();
}

SimDevice device(Family family)
{
    SimDevice d;
    d.family = family;
    d.mac = QByteArray::fromHex("001a2b3c4d5e");
    d.net = {ip("192.168.0.242"), 15367, ip("255.255.240.0"), ip("192.168.0.1"), ip("192.168.0.200"), 60000};
    d.ntpIp = ip("202.112.10.60");
    d.productCode = 0x7100;
    d.doors = 4;
    d.serial = family == Family::Old201 ? QStringLiteral("A1234") : QStringLiteral("1234");
    d.deviceNumber = QStringLiteral("B9876");
    for (int i = 0; i < 16; ++i)
        d.snid[i] = quint8(0xa0 + i);
    for (int i = 0; i < 8; ++i)
        d.txid[i] = quint8(i + 1);
    return d;
}

QByteArray draw()
{
    QByteArray bytes(framecipher::kDrawSize, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + 3);
    return bytes;
}

deviceReply decodeAny(const QByteArray &reply, deviceReply record = {})
{
    if (reply.size() == reply201::length) {
        reply201::decode(reply, record);
    } else if (reply.size() == reply407::length) {
        reply407::decode(reply, record);
    } else {
        const framecipher::OpenedBody opened = framecipher::openBody(reply.mid(framecipher::kHeaderSize));
        std::copy(opened.transactionId.begin(), opened.transactionId.end(), record.TXID);
        std::copy(opened.deviceId.begin(), opened.deviceId.end(), record.SNID);
        reply407::decode(opened.payload, record);
    }
    return record;
}

} // namespace

class tst_SearchReplies : public QObject
{
    Q_OBJECT

private slots:
    void length_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<int>("expected");
        QTest::newRow("201") << Family::Old201 << 75;
        QTest::newRow("407") << Family::Plain407 << 55;
        QTest::newRow("407enc") << Family::Encrypted407 << 116;
    }
    void length()
    {
        QFETCH(Family, family);
        QFETCH(int, expected);
        QCOMPARE(searchreplies::forDevice(device(family), draw()).size(), expected);
    }

    // Every field the tool reads back, through its own decoders.
    void roundTrip_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        for (const auto &[name, family] :
             {std::pair{"201", Family::Old201}, std::pair{"407", Family::Plain407},
              std::pair{"407enc", Family::Encrypted407}}) {
            auto row = [&, name = name, family = family](const char *field, const QString &expected) {
                QTest::newRow(
                    qPrintable(QStringLiteral("%1_%2").arg(QLatin1String(name), QLatin1String(field))))
                    << family << QString::fromLatin1(field) << expected;
            };
            row("mac", QStringLiteral("00:1A:2B:3C:4D:5E"));
            row("ipv4", QStringLiteral("192.168.0.242"));
            row("port", QStringLiteral("15367"));
            row("httpPort", QStringLiteral("15367"));
            row("mask", QStringLiteral("255.255.240.0"));
            row("gateway", QStringLiteral("192.168.0.1"));
            row("dstIpv4", QStringLiteral("192.168.0.200"));
            row("dstPort", QStringLiteral("60000"));
            row("oldFw", QStringLiteral("7100"));
            row("doors", QStringLiteral("4"));
            row("sn", family == Family::Old201 ? QStringLiteral("A1234") : QStringLiteral("1234"));
            if (family != Family::Old201) {
                row("ntpIpv4", QStringLiteral("202.112.10.60"));
                row("bh", QStringLiteral("B9876"));
                row("productType", QStringLiteral("QB3526/4"));
            }
        }
    }
    void roundTrip()
    {
        QFETCH(Family, family);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        QCOMPARE(recordField(decodeAny(searchreplies::forDevice(device(family), draw())), field), expected);
    }

    void firmware201_data()
    {
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short") << "V1.2"
                               << "V1.2";
        QTest::newRow("web") << "V5.2.10"
                             << "V5.2.10";
        QTest::newRow("twenty") << "ABCDEFGHIJKLMNOPQRST"
                                << "ABCDEFGHIJKLMNOPQRST";
        QTest::newRow("empty") << ""
                               << "";
    }
    void firmware201()
    {
        QFETCH(QString, firmware);
        QFETCH(QString, expected);
        SimDevice d = device(Family::Old201);
        d.firmware = firmware;
        QCOMPARE(decodeAny(searchreplies::reply201(d)).fw, expected);
    }

    // Byte positions as the tool's decoders expect them.
    void bytes_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("201_mac") << Family::Old201 << 2 << QByteArray::fromHex("001a2b3c4d5e");
        QTest::newRow("201_port") << Family::Old201 << 8 << QByteArray::fromHex("3c07");
        QTest::newRow("201_ip") << Family::Old201 << 10 << QByteArray::fromHex("c0a800f2");
        QTest::newRow("201_server_port") << Family::Old201 << 28 << QByteArray::fromHex("ea60");
        QTest::newRow("201_code_doors") << Family::Old201 << 34
                                        << QByteArray::fromHex("71000000"
                                                               "04");
        QTest::newRow("201_serial") << Family::Old201 << 39 << QByteArray("A1234");
        QTest::newRow("201_uninterpreted") << Family::Old201 << 44 << QByteArray(11, '\0');
        QTest::newRow("407_serial") << Family::Plain407 << 26 << QByteArray::fromHex("04d2");
        QTest::newRow("407_ntp") << Family::Plain407 << 30 << QByteArray::fromHex("ca700a3c");
        QTest::newRow("407_number_first") << Family::Plain407 << 50 << QByteArray("B9876");
        QTest::newRow("407_number_second_empty") << Family::Plain407 << 39 << QByteArray(5, '\0');
    }
    void bytes()
    {
        QFETCH(Family, family);
        QFETCH(int, offset);
        QFETCH(QByteArray, expected);
        QCOMPARE(searchreplies::forDevice(device(family), draw()).mid(offset, expected.size()), expected);
    }

    void encryptedCarriesIds()
    {
        const SimDevice d = device(Family::Encrypted407);
        const deviceReply record = decodeAny(searchreplies::encrypted407(d, draw()));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.SNID), 16),
                 QByteArray(reinterpret_cast<const char *>(d.snid.data()), 16));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.TXID), 8),
                 QByteArray(reinterpret_cast<const char *>(d.txid.data()), 8));
    }

    void encryptedPayloadIsPlainReply()
    {
        const SimDevice d = device(Family::Encrypted407);
        const QByteArray frame = searchreplies::encrypted407(d, draw());
        QCOMPARE(framecipher::openBody(frame.mid(framecipher::kHeaderSize)).payload,
                 searchreplies::reply407(d));
    }
};

QTEST_GUILESS_MAIN(tst_SearchReplies)
#include "tst_searchreplies.moc"
