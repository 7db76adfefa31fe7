#include "crypto/framecipher.h"
#include "ui/mainwindow.h"

#include <QtTest>

#include <cstring>

namespace {

QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

QByteArray idsOf(const deviceReply &record)
{
    return QByteArray(reinterpret_cast<const char *>(record.TXID), 8).toHex() + "/" +
           QByteArray(reinterpret_cast<const char *>(record.SNID), 16).toHex();
}

void setIds(deviceReply &record, const QByteArray &txid, const QByteArray &snid)
{
    std::memcpy(record.TXID, txid.constData(), 8);
    std::memcpy(record.SNID, snid.constData(), 16);
}

// A device's frame with the given ids, as a 68-byte trade reply would carry it.
QByteArray deviceFrame(const QByteArray &payload, const QByteArray &txid, const QByteArray &snid)
{
    framecipher::TransactionId t{};
    framecipher::DeviceId s{};
    std::memcpy(t.data(), txid.constData(), 8);
    std::memcpy(s.data(), snid.constData(), 16);
    return framecipher::buildFrame(payload, t, s, QByteArray(framecipher::kDrawSize, '\x5a'));
}

const QByteArray kTxidA = hex("1111111100000001"), kSnidA = hex("a0a1a2a3a4a5a6a7a8a9aaabacadaeaf");
const QByteArray kTxidB = hex("2222222200000002"), kSnidB = hex("b0b1b2b3b4b5b6b7b8b9babbbcbdbebf");

} // namespace

class tst_CipherMembers : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sendEncUsesSelectedRecord_data();
    void sendEncUsesSelectedRecord();
    void sendEncRefusesLongPayload();
    void recvDecStoresIds_data();
    void recvDecStoresIds();
    void recvDecRefuses_data();
    void recvDecRefuses();

private:
    std::unique_ptr<MainWindow> w;
};

void tst_CipherMembers::init()
{
    w = std::make_unique<MainWindow>();
    w->deviceReplys.resize(3);
    setIds(w->deviceReplys[0], kTxidA, kSnidA);
    setIds(w->deviceReplys[1], kTxidB, kSnidB);
}

void tst_CipherMembers::cleanup() { w.reset(); }

void tst_CipherMembers::sendEncUsesSelectedRecord_data()
{
    QTest::addColumn<int>("curRow");
    QTest::addColumn<int>("rowAfter");
    QTest::addColumn<QByteArray>("sentTxid");
    QTest::addColumn<QByteArray>("sentSnid");
    QTest::newRow("row1") << 1 << 1 << hex("22222222b4b5b603") << kSnidB;
    QTest::newRow("none_selected") << 9999 << 0 << hex("11111111a4a5a602") << kSnidA;
    QTest::newRow("negative") << -1 << 0 << hex("11111111a4a5a602") << kSnidA;
}

void tst_CipherMembers::sendEncUsesSelectedRecord()
{
    QFETCH(int, curRow);
    QFETCH(int, rowAfter);
    QFETCH(QByteArray, sentTxid);
    QFETCH(QByteArray, sentSnid);
    w->cur_row = curRow;
    QByteArray trade = hex("4c5652454c414e");
    const quint16 length = w->send_enc(quint16(trade.size()), trade);
    QCOMPARE(int(length), 7 + 9 + 32 + 20);
    QCOMPARE(trade.size(), int(length));
    QCOMPARE(w->cur_row, rowAfter);

    const framecipher::OpenedBody opened = framecipher::openBody(trade.mid(4));
    QVERIFY(opened.ok);
    QCOMPARE(opened.payload, hex("4c5652454c414e"));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(opened.transactionId.data()), 8).toHex(), sentTxid.toHex());
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(opened.deviceId.data()), 16), sentSnid);
}

void tst_CipherMembers::sendEncRefusesLongPayload()
{
    w->cur_row = 0;
    QByteArray trade(193, 'x');
    QCOMPARE(int(w->send_enc(193, trade)), 0);
    QVERIFY(trade.isEmpty());

    QByteArray longest(192, 'x');
    QCOMPARE(int(w->send_enc(192, longest)), 244);

    QByteArray claimsMore(10, 'x');
    QCOMPARE(int(w->send_enc(20, claimsMore)), 0);
}

void tst_CipherMembers::recvDecStoresIds_data()
{
    QTest::addColumn<int>("curRow");
    QTest::addColumn<int>("devct");
    QTest::addColumn<char>("decType");
    QTest::addColumn<int>("updated"); // -1: no record changes
    QTest::newRow("trade_reply_selected") << 1 << 0 << 'U' << 1;
    QTest::newRow("search_reply_devct") << 1 << 2 << 'S' << 2;
    QTest::newRow("trade_reply_nothing_selected") << 9999 << 0 << 'U' << -1;
    QTest::newRow("search_reply_devct_outside") << 0 << 3 << 'S' << -1;
}

void tst_CipherMembers::recvDecStoresIds()
{
    QFETCH(int, curRow);
    QFETCH(int, devct);
    QFETCH(char, decType);
    QFETCH(int, updated);
    w->cur_row = curRow;
    w->devct = devct;
    std::vector<QByteArray> before;
    for (const deviceReply &r : w->deviceReplys)
        before.push_back(idsOf(r));

    const QByteArray newTxid = hex("3333333300000042"), newSnid = hex("c0c1c2c3c4c5c6c7c8c9cacbcccdcecf");
    QByteArray frame = deviceFrame("A", newTxid, newSnid);
    QCOMPARE(frame.size(), 68);
    const quint16 length = w->recv_dec(quint16(frame.size()), frame, quint8(decType));
    QCOMPARE(int(length), 1);
    QCOMPARE(frame.left(length), QByteArray("A"));

    for (int i = 0; i < int(w->deviceReplys.size()); ++i) {
        const QByteArray expected = i == updated ? newTxid.toHex() + "/" + newSnid.toHex() : before[std::size_t(i)];
        QCOMPARE(idsOf(w->deviceReplys[std::size_t(i)]), expected);
    }
}

void tst_CipherMembers::recvDecRefuses_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("claimedLength");
    const QByteArray good = deviceFrame("A", kTxidB, kSnidB);
    QByteArray lying = good;
    lying[2] = char(0x01); // N = 0x0140, more than the datagram holds
    QTest::newRow("body_longer_than_datagram") << lying << lying.size();
    QTest::newRow("caller_length_short") << good << 40;
    QTest::newRow("no_header") << hex("0204") << 2;
    QByteArray shortBody = good.left(4 + 47);
    shortBody[3] = char(47);
    QTest::newRow("body_below_48") << shortBody << shortBody.size();
    QByteArray huge(4 + 300, 'c');
    huge[2] = char(300 >> 8);
    huge[3] = char(300 & 0xff);
    QTest::newRow("ciphertext_over_256") << huge << huge.size();
}

void tst_CipherMembers::recvDecRefuses()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, claimedLength);
    w->cur_row = 1;
    const QByteArray before = idsOf(w->deviceReplys[1]);
    QCOMPARE(int(w->recv_dec(quint16(claimedLength), frame, 'U')), 0);
    QCOMPARE(idsOf(w->deviceReplys[1]), before);
}

QTEST_MAIN(tst_CipherMembers)
#include "tst_ciphermembers.moc"
