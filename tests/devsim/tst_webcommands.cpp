#include "devsim/webcommands.h"
#include "webcfg/commandreply.h"

#include <QtTest>

Q_DECLARE_METATYPE(commandreply::Answer)

namespace {

WebCommands device()
{
    return WebCommands(QStringLiteral("admin"), QStringLiteral("888888"), QStringLiteral("202.112.10.60"));
}

// Logs in as the tool does and returns the cookie the tool sends back.
QByteArray loggedIn(WebCommands &web)
{
    const WebCommands::Answer answer =
        web.handle(QStringLiteral("login"),
                   commandreply::loginBody(QStringLiteral("admin"), QStringLiteral("888888")), {});
    return answer.setCookie.left(answer.setCookie.indexOf(';'));
}

commandreply::Answer asTool(const WebCommands::Answer &answer)
{
    return commandreply::interpret(QString::fromUtf8(answer.text));
}

} // namespace

class tst_WebCommands : public QObject
{
    Q_OBJECT

private slots:
    void login_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<commandreply::Answer>("expected");
        QTest::addColumn<bool>("cookie");
        QTest::newRow("good") << "admin"
                              << "888888" << commandreply::Answer::Ok << true;
        QTest::newRow("trimmed_by_tool") << " admin "
                                         << " 888888 " << commandreply::Answer::Ok << true;
        QTest::newRow("wrong_password") << "admin"
                                        << "888889" << commandreply::Answer::Login << false;
        QTest::newRow("wrong_user") << "root"
                                    << "888888" << commandreply::Answer::Login << false;
        QTest::newRow("empty") << ""
                               << "" << commandreply::Answer::Login << false;
    }
    void login()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(commandreply::Answer, expected);
        QFETCH(bool, cookie);
        WebCommands web = device();
        const WebCommands::Answer answer =
            web.handle(QStringLiteral("login"), commandreply::loginBody(user, password), {});
        QCOMPARE(asTool(answer), expected);
        QCOMPARE(answer.setCookie.startsWith(QByteArray(WebCommands::kCookieName) + '='), cookie);
    }

    void needsSession_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("cookie");
        QTest::addColumn<commandreply::Answer>("expected");
        QTest::newRow("get_without") << "datetime_get" << QByteArray() << commandreply::Answer::Relogin;
        QTest::newRow("get_forged") << "datetime_get" << QByteArray("QSESSION=abc")
                                    << commandreply::Answer::Relogin;
        QTest::newRow("set_without") << "datetime_set" << QByteArray() << commandreply::Answer::Relogin;
        QTest::newRow("upload_without") << "upload" << QByteArray() << commandreply::Answer::Relogin;
        QTest::newRow("logout_without") << "logout" << QByteArray() << commandreply::Answer::Relogin;
        QTest::newRow("unknown") << "reboot" << QByteArray() << commandreply::Answer::Unsupported;
        QTest::newRow("get_with") << "datetime_get" << QByteArray("session") << commandreply::Answer::Ok;
        QTest::newRow("logout_with") << "logout" << QByteArray("session") << commandreply::Answer::Ok;
        QTest::newRow("with_other_cookies")
            << "datetime_get" << QByteArray("a=1; session; b=2") << commandreply::Answer::Ok;
    }
    void needsSession()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, cookie);
        QFETCH(commandreply::Answer, expected);
        WebCommands web = device();
        const QByteArray session = loggedIn(web);
        QVERIFY(!session.isEmpty());
        cookie.replace("session", session);
        QCOMPARE(asTool(web.handle(command, command.toUtf8(), cookie)), expected);
    }

    void datetimeGetAsToolReadsIt()
    {
        WebCommands web = device();
        const QByteArray session = loggedIn(web);
        const commandreply::DeviceDatetime parsed = commandreply::parseDatetimeGet(
            QString::fromUtf8(web.handle(QStringLiteral("datetime_get"), "datetime_get", session).text));
        const QDateTime read = QDateTime::fromString(parsed.datetime, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        QVERIFY2(read.isValid(), qPrintable(parsed.datetime));
        QCOMPARE(parsed.ntpSet, 2);
        QCOMPARE(parsed.ntpServer, QStringLiteral("202.112.10.60"));
    }

    void datetimeSet_data()
    {
        QTest::addColumn<bool>("ntpOn");
        QTest::addColumn<QString>("server");
        QTest::addColumn<int>("ntpSet");
        QTest::newRow("with_ntp") << true << "192.168.0.1" << 2;
        QTest::newRow("without_ntp") << false << "192.168.0.1" << 0;
    }
    void datetimeSet()
    {
        QFETCH(bool, ntpOn);
        QFETCH(QString, server);
        QFETCH(int, ntpSet);
        WebCommands web = device();
        const QByteArray session = loggedIn(web);
        const QDateTime wanted(QDate(2031, 5, 17), QTime(8, 30, 0));
        QCOMPARE(asTool(web.handle(QStringLiteral("datetime_set"),
                                   commandreply::datetimeSetBody(wanted, ntpOn, server), session)),
                 commandreply::Answer::Ok);
        const commandreply::DeviceDatetime parsed = commandreply::parseDatetimeGet(
            QString::fromUtf8(web.handle(QStringLiteral("datetime_get"), "datetime_get", session).text));
        QVERIFY(parsed.datetime.startsWith(QLatin1String("2031-05-17 08:")));
        QCOMPARE(parsed.ntpSet, ntpSet);
        QCOMPARE(parsed.ntpServer, ntpSet ? server : QString());
    }

    void datetimeSetRefusesBadBody_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("bad_date") << QByteArray("Date=2031-13-01&Time=08:30:00&Ntp=");
        QTest::newRow("bad_time") << QByteArray("Date=2031-05-17&Time=25:30:00&Ntp=");
        QTest::newRow("no_ntp") << QByteArray("Date=2031-05-17&Time=08:30:00");
    }
    void datetimeSetRefusesBadBody()
    {
        QFETCH(QByteArray, body);
        WebCommands web = device();
        const QByteArray session = loggedIn(web);
        QCOMPARE(asTool(web.handle(QStringLiteral("datetime_set"), body, session)),
                 commandreply::Answer::Unknown);
        QCOMPARE(web.ntpServer(), QStringLiteral("202.112.10.60"));
    }

    void upload_data()
    {
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<commandreply::Answer>("expected");
        QTest::addColumn<qint64>("stored");
        QTest::newRow("file") << true << QByteArray(1000, 'x') << commandreply::Answer::Ok << qint64(1000);
        QTest::newRow("empty_file") << true << QByteArray() << commandreply::Answer::Ok << qint64(0);
        QTest::newRow("no_part") << false << QByteArray() << commandreply::Answer::Unknown << qint64(-1);
    }
    void upload()
    {
        QFETCH(bool, hasFile);
        QFETCH(QByteArray, file);
        QFETCH(commandreply::Answer, expected);
        QFETCH(qint64, stored);
        WebCommands web = device();
        const QByteArray session = loggedIn(web);
        QCOMPARE(asTool(web.handle(QStringLiteral("upload"), {}, session, file, hasFile)), expected);
        QCOMPARE(web.uploadedBytes(), stored);
    }

    void logoutEndsSession()
    {
        WebCommands web = device();
        const QByteArray session = loggedIn(web);
        QCOMPARE(asTool(web.handle(QStringLiteral("logout"), "logout", session)), commandreply::Answer::Ok);
        QCOMPARE(asTool(web.handle(QStringLiteral("datetime_get"), "datetime_get", session)),
                 commandreply::Answer::Relogin);
    }

    void sessionsDiffer()
    {
        WebCommands web = device();
        QVERIFY(loggedIn(web) != loggedIn(web));
    }
};

QTEST_GUILESS_MAIN(tst_WebCommands)
#include "tst_webcommands.moc"
