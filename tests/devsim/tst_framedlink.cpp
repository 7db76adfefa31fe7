#include "devsim/framedlink.h"

#include <QtTest>

namespace {

SimDevice device()
{
    SimDevice d;
    d.family = Family::Encrypted407;
    for (int i = 0; i < 16; ++i)
        d.snid[i] = quint8(0xa0 + i);
    d.txid = {1, 2, 3, 4, 5, 6, 7, 0xfe};
    return d;
}

QByteArray draw(char seed)
{
    QByteArray bytes(framecipher::kDrawSize, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(seed + i * 13);
    return bytes;
}

// What the tool sends: its stored ids, the counter advanced.
QByteArray toolFrame(const QByteArray &payload, const framecipher::TransactionId &stored,
                     const framecipher::DeviceId &snid)
{
    return framecipher::buildFrame(payload, framecipher::nextTransactionId(stored, snid), snid, draw(5));
}

} // namespace

class tst_FramedLink : public QObject
{
    Q_OBJECT

private slots:
    void open_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("expected");
        const SimDevice d = device();
        const QByteArray payload = QByteArray::fromHex("5007 1f40");
        QTest::newRow("next_id") << toolFrame(payload, d.txid, d.snid) << true << true;
        QTest::newRow("same_id_again")
            << framecipher::buildFrame(payload, d.txid, d.snid, draw(1)) << true << false;
        framecipher::DeviceId other = d.snid;
        other[0] ^= 1;
        QTest::newRow("foreign_snid") << toolFrame(payload, d.txid, other) << true << false;
        QByteArray wrongLength = toolFrame(payload, d.txid, d.snid);
        wrongLength[3] = char(wrongLength[3] + 16);
        QTest::newRow("length_field_wrong") << wrongLength << false << false;
        QByteArray wrongStart = toolFrame(payload, d.txid, d.snid);
        wrongStart[0] = 0x03;
        QTest::newRow("start_wrong") << wrongStart << false << false;
        QTest::newRow("too_short") << QByteArray::fromHex("0204002c") + QByteArray(44, '\0') << false
                                   << false;
        QTest::newRow("empty") << QByteArray() << false << false;
    }
    void open()
    {
        QFETCH(QByteArray, frame);
        QFETCH(bool, opened);
        QFETCH(bool, expected);
        const framedlink::Request request = framedlink::open(device(), frame);
        QCOMPARE(request.opened, opened);
        QCOMPARE(request.expected, expected);
        if (opened)
            QCOMPARE(request.payload, QByteArray::fromHex("50071f40"));
    }

    void counterWraps()
    {
        SimDevice d = device();
        d.txid[7] = 0xff;
        const framedlink::Request request = framedlink::open(d, toolFrame("A", d.txid, d.snid));
        QVERIFY(request.expected);
        QCOMPARE(request.id, framecipher::nextTransactionId(d.txid, d.snid));
    }

    void sealedReply_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("accepted") << QByteArray("A");
        QTest::newRow("framed_reply") << QByteArray::fromHex("b70112340105330080b7");
        QTest::newRow("sixteen") << QByteArray(16, 'A');
    }
    void sealedReply()
    {
        QFETCH(QByteArray, payload);
        const SimDevice d = device();
        const QByteArray frame = framedlink::seal(d, payload, draw(9));
        QCOMPARE(frame.size(), 68); // what the tool takes for a trade reply
        const framecipher::OpenedBody body = framecipher::openBody(frame.mid(framecipher::kHeaderSize));
        QVERIFY(body.ok);
        QCOMPARE(body.payload, payload);
        QVERIFY(body.transactionId == d.txid);
        QVERIFY(body.deviceId == d.snid);
    }
};

QTEST_GUILESS_MAIN(tst_FramedLink)
#include "tst_framedlink.moc"
