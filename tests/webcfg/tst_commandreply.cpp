#include "webcfg/commandreply.h"

#include <QtTest>

using commandreply::Answer;

Q_DECLARE_METATYPE(commandreply::Answer)

class tst_CommandReply : public QObject
{
    Q_OBJECT
private slots:
    void interpret_data();
    void interpret();
    void datetimeGet_data();
    void datetimeGet();
    void loginBody();
    void uploadDisposition();
    void datetimeSetBody();
    void oldFingerprintReader_data();
    void oldFingerprintReader();
};

void tst_CommandReply::datetimeSetBody()
{
    const QDateTime at(QDate(2026, 12, 6), QTime(18, 5, 9));
    QCOMPARE(commandreply::datetimeSetBody(at, true, " 192.168.0.5 "), QByteArray("Date=2026-12-06&Time=18:05:09&Ntp=192.168.0.5"));
    QCOMPARE(commandreply::datetimeSetBody(at, false, "192.168.0.5"), QByteArray("Date=2026-12-06&Time=18:05:09&Ntp="));
}

void tst_CommandReply::oldFingerprintReader_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<bool>("old");
    QTest::newRow("equal") << "指纹机" << "5.2.06" << true;
    QTest::newRow("below") << "指纹机" << "5.1.99" << true;
    QTest::newRow("after_as_text") << "指纹机" << "5.2.1" << false;
    QTest::newRow("ten_sorts_before") << "指纹机" << "10.0.00" << true;
    QTest::newRow("other_type") << "门禁控制器" << "5.0.00" << false;
}

void tst_CommandReply::oldFingerprintReader()
{
    QFETCH(QString, type);
    QFETCH(QString, firmware);
    QFETCH(bool, old);
    QCOMPARE(commandreply::isOldFingerprintReader(type, firmware), old);
}

void tst_CommandReply::interpret_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("empty") << "" << Answer::TooShort;
    QTest::newRow("one_char") << "O" << Answer::TooShort;
    QTest::newRow("ok") << "OK" << Answer::Ok;
    QTest::newRow("ok_with_data") << "OK&date=2026-01-01" << Answer::Ok;
    QTest::newRow("ok_lower_case") << "ok" << Answer::Unknown;
    QTest::newRow("unsupported") << "该交易不支持" << Answer::Unsupported;
    QTest::newRow("unsupported_with_tail") << "该交易不支持!" << Answer::Unknown;
    QTest::newRow("login") << "login" << Answer::Login;
    QTest::newRow("relogin") << "relogin" << Answer::Relogin;
    QTest::newRow("login_padded") << "login " << Answer::Unknown;
    QTest::newRow("html") << "<html>error</html>" << Answer::Unknown;
}

void tst_CommandReply::interpret()
{
    QFETCH(QString, text);
    QFETCH(Answer, answer);
    QCOMPARE(commandreply::interpret(text), answer);
}

void tst_CommandReply::datetimeGet_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("datetime");
    QTest::addColumn<int>("ntpSet");
    QTest::addColumn<QString>("ntpServer");
    QTest::newRow("no_ntp") << "OK&date=2026-12-06&time=18:30:05&ntp=" << "2026-12-06 18:30:05" << 0 << "";
    QTest::newRow("ntp") << "OK&date=2026-12-06&time=18:30:05&ntp=192.168.0.5" << "2026-12-06 18:30:05" << 2
                         << "192.168.0.5";
    QTest::newRow("names_ignored") << "OK|a=2026-01-02&b=03:04:05&c=10.0.0.1" << "2026-01-02 03:04:05" << 2
                                   << "10.0.0.1";
    QTest::newRow("five_chars_no_value") << "OK&d=1&t=2&ntpx=" << "1 2" << 2 << "";
    QTest::newRow("fields_missing") << "OK&date=2026-12-06" << "2026-12-06 " << 0 << "";
    QTest::newRow("bare_ok") << "OK" << " " << 0 << "";
    QTest::newRow("second_equals_cuts") << "OK&date=2026=x&time=1&ntp=a=b=c" << "2026 1" << 2 << "a";
}

void tst_CommandReply::datetimeGet()
{
    QFETCH(QString, text);
    QFETCH(QString, datetime);
    QFETCH(int, ntpSet);
    QFETCH(QString, ntpServer);
    const commandreply::DeviceDatetime parsed = commandreply::parseDatetimeGet(text);
    QCOMPARE(parsed.datetime, datetime);
    QCOMPARE(parsed.ntpSet, ntpSet);
    QCOMPARE(parsed.ntpServer, ntpServer);
}

void tst_CommandReply::loginBody()
{
    // "888888" under "pdju" (the key block padded with zeros): its block, then a zero block.
    QCOMPARE(commandreply::loginBody(" admin ", " 888888 "),
             QByteArray("username=admin&password=64ea1019c20a107a132072645d2888ae"));
    QCOMPARE(commandreply::loginBody("u", "0123456789abcdef"),
             QByteArray("username=u&password=5be361ae172d5531516ed1c6b3fbbe48"));
    // Only the first 16 cipher bytes travel: a long password loses its tail.
    QCOMPARE(commandreply::loginBody("u", "0123456789abcdefXYZ"), commandreply::loginBody("u", "0123456789abcdefQ"));
    QCOMPARE(commandreply::loginBody("u", "p").size(), int(sizeof "username=u&password=") - 1 + 32);
}

void tst_CommandReply::uploadDisposition()
{
    QCOMPARE(commandreply::uploadDisposition("fw 1.bin"), QByteArray("form-data; name=\"upload\"; filename=\"fw 1.bin\""));
}

QTEST_GUILESS_MAIN(tst_CommandReply)
#include "tst_commandreply.moc"
