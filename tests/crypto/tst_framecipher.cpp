#include "crypto/aesecb.h"
#include "crypto/framecipher.h"

#include <QtTest>

using namespace framecipher;

namespace {

QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

TransactionId txidOf(const QByteArray &bytes)
{
    TransactionId id{};
    std::copy_n(reinterpret_cast<const std::uint8_t *>(bytes.constData()), id.size(), id.begin());
    return id;
}

DeviceId snidOf(const QByteArray &bytes)
{
    DeviceId id{};
    std::copy_n(reinterpret_cast<const std::uint8_t *>(bytes.constData()), id.size(), id.begin());
    return id;
}

// key 000102..0f, R at byte 16, prefix a0..a7 at bytes 24-31
QByteArray fixedDraw(std::uint8_t r)
{
    QByteArray draw(kDrawSize, '\0');
    for (int i = 0; i < 16; ++i)
        draw[i] = char(i);
    draw[kDrawFillerSplit] = char(r);
    for (int i = 0; i < 8; ++i)
        draw[kDrawPrefix + i] = char(0xa0 + i);
    return draw;
}

QByteArray decryptBlock(const QByteArray &key, QByteArray block)
{
    aes128EcbDecrypt(reinterpret_cast<const std::uint8_t *>(key.constData()),
                     reinterpret_cast<std::uint8_t *>(block.data()), std::size_t(block.size()));
    return block;
}

// The plaintext block a frame carries, recovered from the frame table's positions.
QByteArray plaintextOf(const QByteArray &frame)
{
    const QByteArray key = frame.mid(4, 4) + frame.mid(16, 4) + frame.mid(36, 8);
    const QByteArray cipher = frame.mid(8, 8) + frame.mid(20, 16) + frame.mid(44);
    return decryptBlock(key, cipher);
}

const QByteArray kSnid = hex("00112233445566778899aabbccddeeff");
const QByteArray kTxid = hex("0102030405060708");

} // namespace

class tst_FrameCipher : public QObject
{
    Q_OBJECT
private slots:
    void aesKnownAnswer();
    void transactionId_data();
    void transactionId();
    void frameLayout_data();
    void frameLayout();
    void refused_data();
    void refused();
    void fillerLooksLikePayload_data();
    void fillerLooksLikePayload();
    void partialLastBlock();
};

void tst_FrameCipher::aesKnownAnswer()
{
    // FIPS-197 appendix C.1
    const QByteArray key = hex("000102030405060708090a0b0c0d0e0f");
    QByteArray data = hex("00112233445566778899aabbccddeeff");
    QVERIFY(aes128EcbEncrypt(reinterpret_cast<const std::uint8_t *>(key.constData()),
                             reinterpret_cast<std::uint8_t *>(data.data()), 16));
    QCOMPARE(data.toHex(), QByteArray("69c4e0d86a7b0430d8cdb78070b4c55a"));
    QCOMPARE(decryptBlock(key, data), hex("00112233445566778899aabbccddeeff"));
    QVERIFY(!aes128EcbEncrypt(reinterpret_cast<const std::uint8_t *>(key.constData()),
                              reinterpret_cast<std::uint8_t *>(data.data()), 15));
}

void tst_FrameCipher::transactionId_data()
{
    QTest::addColumn<QByteArray>("txid");
    QTest::addColumn<QByteArray>("snid");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("carry") << hex("00000000000000ff") << hex("00000000000000000000000000000000")
                           << hex("0000000000000100");
    QTest::newRow("upper_from_snid") << hex("0102030405060708") << kSnid << hex("0102030444556609");
    QTest::newRow("txid_middle_ignored") << hex("aabbccddeeff1100") << hex("000000000a0b0c000000000000000000")
                                         << hex("aabbccdd0a0b0c01");
    QTest::newRow("all_ff") << hex("ffffffffffffffff") << hex("00000000ffffff000000000000000000")
                            << hex("ffffffff00000000");
}

void tst_FrameCipher::transactionId()
{
    QFETCH(QByteArray, txid);
    QFETCH(QByteArray, snid);
    QFETCH(QByteArray, sent);
    const TransactionId next = nextTransactionId(txidOf(txid), snidOf(snid));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(next.data()), 8).toHex(), sent.toHex());
}

void tst_FrameCipher::frameLayout_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("r");
    QTest::addColumn<QByteArray>("paddedPayload");
    QTest::newRow("empty") << QByteArray() << 7 << QByteArray();
    QTest::newRow("whole_block") << QByteArray(16, 'a') << 3 << QByteArray(16, 'a');
    QTest::newRow("one_byte_r0") << QByteArray("x") << 0 << QByteArray("x") + QByteArray(15, '\xff');
    QTest::newRow("one_byte_r14") << QByteArray("x") << 14
                                  << QByteArray(14, '\xff') + "x" + QByteArray(1, '\xff');
    QTest::newRow("one_byte_r15_wraps") << QByteArray("x") << 15 << QByteArray("x") + QByteArray(15, '\xff');
    QTest::newRow("seventeen") << QByteArray(17, 'b') << 200
                               << QByteArray(200 % 15, '\xff') + QByteArray(17, 'b') +
                                      QByteArray(15 - 200 % 15, '\xff');
}

void tst_FrameCipher::frameLayout()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, r);
    QFETCH(QByteArray, paddedPayload);
    const QByteArray draw = fixedDraw(std::uint8_t(r));
    const QByteArray frame = buildFrame(payload, txidOf(kTxid), snidOf(kSnid), draw);

    const int e = 32 + paddedPayload.size();
    QCOMPARE(frame.size(), e + 20);
    QCOMPARE(frame.left(2), hex("0204"));
    QCOMPARE(int(std::uint8_t(frame[2])) << 8 | std::uint8_t(frame[3]), e + 16);
    QCOMPARE(frame.mid(4, 4), draw.mid(0, 4));
    QCOMPARE(frame.mid(16, 4), draw.mid(4, 4));
    QCOMPARE(frame.mid(36, 8), draw.mid(8, 8));
    QCOMPARE(plaintextOf(frame).toHex(), (draw.mid(24, 8) + kTxid + kSnid + paddedPayload).toHex());
}

void tst_FrameCipher::refused_data()
{
    QTest::addColumn<int>("payloadSize");
    QTest::addColumn<int>("drawSize");
    QTest::newRow("payload_193") << 193 << kDrawSize;
    QTest::newRow("short_draw") << 4 << kDrawSize - 1;
}

void tst_FrameCipher::refused()
{
    QFETCH(int, payloadSize);
    QFETCH(int, drawSize);
    QVERIFY(buildFrame(QByteArray(payloadSize, 'p'), txidOf(kTxid), snidOf(kSnid), QByteArray(drawSize, 'k'))
                .isEmpty());
}

void tst_FrameCipher::fillerLooksLikePayload_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("decoded");
    QTest::newRow("leading_ff") << hex("ff4142") << QByteArray("AB");
    QTest::newRow("trailing_ff") << hex("4142ffff") << QByteArray("AB");
    QTest::newRow("only_ff") << QByteArray(20, '\xff') << QByteArray();
    QTest::newRow("inner_ff_kept") << hex("41ff42") << hex("41ff42");
}

void tst_FrameCipher::fillerLooksLikePayload()
{
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, decoded);
    const QByteArray frame = buildFrame(payload, txidOf(kTxid), snidOf(kSnid), fixedDraw(9));
    const OpenedBody opened = openBody(frame.mid(4));
    QVERIFY(opened.ok);
    QCOMPARE(opened.payload.toHex(), decoded.toHex());
}

void tst_FrameCipher::partialLastBlock()
{
    // 60-byte body: E = 44, the last 12 ciphertext bytes decrypted with 4 zero bytes behind.
    const QByteArray frame = buildFrame(QByteArray(16, 'z'), txidOf(kTxid), snidOf(kSnid), fixedDraw(1));
    const OpenedBody opened = openBody(frame.mid(4, 60));
    QVERIFY(opened.ok);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(opened.deviceId.data()), 16), kSnid);
    QVERIFY(opened.payload.size() <= 12);

    QVERIFY(!openBody(QByteArray(47, 'a')).ok);
    QVERIFY(openBody(QByteArray(48, 'a')).ok);
    QVERIFY(openBody(QByteArray(272, 'a')).ok);
    QVERIFY(!openBody(QByteArray(273, 'a')).ok);
}

QTEST_GUILESS_MAIN(tst_FrameCipher)
#include "tst_framecipher.moc"
