#include "crypto/credentialcipher.h"

#include <QtTest>

using namespace credentialcipher;

namespace {

QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

QByteArray encryptedBlock(const QByteArray &key, QByteArray block)
{
    encryptBlock(key, reinterpret_cast<unsigned char *>(block.data()));
    return block;
}

} // namespace

class tst_CredentialCipher : public QObject
{
    Q_OBJECT
private slots:
    void knownAnswer();
    void lengths_data();
    void lengths();
    void padding();
    void keyBlock();
    void partialCipherBlockKeptWhole();
};

void tst_CredentialCipher::knownAnswer()
{
    // The classic single-DES worked example.
    QCOMPARE(encryptedBlock(hex("133457799bbcdff1"), hex("0123456789abcdef")).toHex(),
             QByteArray("85e813540f0ab405"));
    // Parity bits are ignored: flipping every low bit gives the same schedule.
    QCOMPARE(encryptedBlock(hex("123556789abcdef0"), hex("0123456789abcdef")).toHex(),
             QByteArray("85e813540f0ab405"));
    // A weak key is accepted rather than refused.
    QCOMPARE(encryptedBlock(hex("0101010101010101"), encryptedBlock(hex("0101010101010101"), QByteArray("weak key"))),
             QByteArray("weak key"));
}

void tst_CredentialCipher::lengths_data()
{
    QTest::addColumn<int>("clearLength");
    QTest::addColumn<int>("cipherLength");
    QTest::newRow("empty") << 0 << 32;
    QTest::newRow("one") << 1 << 32;
    QTest::newRow("eight") << 8 << 32;
    QTest::newRow("twenty_four") << 24 << 32;
    QTest::newRow("thirty_one") << 31 << 32;
    QTest::newRow("thirty_two") << 32 << 40;
    QTest::newRow("thirty_three") << 33 << 40;
    QTest::newRow("forty") << 40 << 48;
}

void tst_CredentialCipher::lengths()
{
    QFETCH(int, clearLength);
    QFETCH(int, cipherLength);
    QCOMPARE(encrypt(QByteArray(clearLength, 'u'), "kwvo7314").size(), cipherLength);
}

void tst_CredentialCipher::padding()
{
    const QByteArray key("kwvo7314");
    const QByteArray zero = encryptedBlock(key, QByteArray(8, '\0'));
    QCOMPARE(encrypt(QByteArray(), key), zero + zero + zero + zero);
    QCOMPARE(encrypt("abcdefgh", key), encryptedBlock(key, "abcdefgh") + zero + zero + zero);
    QCOMPARE(encrypt("abc", key), encryptedBlock(key, QByteArray("abc") + QByteArray(5, '\0')) + zero + zero + zero);
    // Trailing zeros inside the padding cannot be told apart.
    QCOMPARE(encrypt(QByteArray("abc\0\0", 5), key), encrypt("abc", key));
    // Equal clear blocks give equal cipher blocks: no chaining.
    const QByteArray twice = encrypt("12345678123456781", key);
    QCOMPARE(twice.mid(0, 8), twice.mid(8, 8));
}

void tst_CredentialCipher::keyBlock()
{
    QCOMPARE(encrypt("secret", "pdju"), encrypt("secret", QByteArray("pdju\0\0\0\0", 8)));
    QCOMPARE(encrypt("secret", "kwvo7314-and-more"), encrypt("secret", "kwvo7314"));
    // "4" and "5" differ in the parity bit only, "4" and "6" in a key bit.
    QCOMPARE(encrypt("secret", "kwvo7315"), encrypt("secret", "kwvo7314"));
    QVERIFY(encrypt("secret", "kwvo7316") != encrypt("secret", "kwvo7314"));
    QCOMPARE(encrypt("secret", QByteArray()), encrypt("secret", QByteArray(8, '\0')));
}

void tst_CredentialCipher::partialCipherBlockKeptWhole()
{
    const QByteArray key("pdju");
    const QByteArray cipher = encrypt("abcdefgh", key).left(8) + hex("0102");
    QByteArray tail = hex("0102") + QByteArray(6, '\0');
    decryptBlock(key, reinterpret_cast<unsigned char *>(tail.data()));
    QCOMPARE(decrypt(cipher, key), QByteArray("abcdefgh") + tail);
}

QTEST_GUILESS_MAIN(tst_CredentialCipher)
#include "tst_credentialcipher.moc"
