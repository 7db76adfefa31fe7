#include "devsim/fault.h"

#include <QRandomGenerator>
#include <QtTest>

Q_DECLARE_METATYPE(Fault)

class tst_Fault : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("known");
        QTest::addColumn<Fault>("expected");
        QTest::newRow("none") << "none" << true << Fault::None;
        QTest::newRow("garbage") << "garbage" << true << Fault::Garbage;
        QTest::newRow("wrong-length") << "wrong-length" << true << Fault::WrongLength;
        QTest::newRow("late") << "late" << true << Fault::Late;
        QTest::newRow("refuse") << "refuse" << true << Fault::Refuse;
        QTest::newRow("redirect") << "redirect" << true << Fault::Redirect;
        QTest::newRow("unknown") << "slow" << false << Fault::None;
        QTest::newRow("case") << "Garbage" << false << Fault::None;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, known);
        QFETCH(Fault, expected);
        const std::optional<Fault> parsed = fault::parse(text);
        QCOMPARE(parsed.has_value(), known);
        if (known)
            QCOMPARE(*parsed, expected);
    }

    void distort_data()
    {
        QTest::addColumn<Fault>("kind");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("same");
        QTest::newRow("none") << Fault::None << 75 << true;
        QTest::newRow("late_keeps_bytes") << Fault::Late << 75 << true;
        QTest::newRow("refuse_keeps_bytes") << Fault::Refuse << 7 << true;
        QTest::newRow("garbage") << Fault::Garbage << 75 << false;
        QTest::newRow("wrong_length") << Fault::WrongLength << 76 << false;
    }
    void distort()
    {
        QFETCH(Fault, kind);
        QFETCH(int, length);
        QFETCH(bool, same);
        const QByteArray reply(75, 'r');
        const QByteArray sevenBytes(7, 'r');
        QRandomGenerator random(42);
        const QByteArray &input = kind == Fault::Refuse ? sevenBytes : reply;
        const QByteArray out = fault::distort(kind, input, random);
        QCOMPARE(out.size(), length);
        QCOMPARE(out == input, same);
        if (kind == Fault::WrongLength)
            QCOMPARE(out.left(input.size()), input);
    }

    void webAnswer_data()
    {
        QTest::addColumn<Fault>("kind");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("none") << Fault::None << "login" << QByteArray("OK");
        QTest::newRow("cut") << Fault::WrongLength << "logout" << QByteArray("O");
        QTest::newRow("refuse_login") << Fault::Refuse << "login" << QByteArray("login");
        QTest::newRow("refuse_other") << Fault::Refuse << "datetime_get" << QByteArray("relogin");
        QTest::newRow("redirect_is_server_part") << Fault::Redirect << "login" << QByteArray("OK");
    }
    void webAnswer()
    {
        QFETCH(Fault, kind);
        QFETCH(QString, command);
        QFETCH(QByteArray, expected);
        QRandomGenerator random(1);
        QCOMPARE(fault::webAnswer(kind, command, "OK", random), expected);
    }

    void webGarbageKeepsLength()
    {
        QRandomGenerator random(3);
        const QByteArray answer("OK;Date=2030-01-02&Time=03:04:05&Ntp=");
        const QByteArray out =
            fault::webAnswer(Fault::Garbage, QStringLiteral("datetime_get"), answer, random);
        QCOMPARE(out.size(), answer.size());
        QVERIFY(out != answer);
    }
};

QTEST_GUILESS_MAIN(tst_Fault)
#include "tst_fault.moc"
