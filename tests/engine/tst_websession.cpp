#include "engine/websession.h"
#include "scriptedhttp.h"
#include "support/devsimprocess.h"
#include "support/waituntil.h"

#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QtTest>

namespace {

const QString kDemoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
// The demo fleet's device with a web interface.
const QUrl kDevice(QStringLiteral("http://192.168.0.242:8080/command/"));
constexpr int kShortTimeOutMs = 300;
constexpr int kNotTold = 99;

WebCommand command(const QString &name, const QString &password = QStringLiteral("888888"))
{
    if (name == QLatin1String("login"))
        return {name, commandreply::loginBody(QStringLiteral("admin"), password)};
    if (name == QLatin1String("datetime_set"))
        return {name, commandreply::datetimeSetBody(QDateTime(QDate(2031, 5, 6), QTime(7, 8, 9)), true,
                                                    QStringLiteral("192.168.0.123"))};
    return {name, name.toUtf8()};
}

} // namespace

// Web command sequences over real HTTP: against the simulated device, and against scripted
// servers for the login cookie's origin, the redirect cap and the time-out.
class tst_WebSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void sequences_data();
    void sequences();
    void setsAndReadsTheClock();
    void uploadsAFile();
    void cookieStaysWithItsOrigin_data();
    void cookieStaysWithItsOrigin();
    void redirectsAreCapped();
    void unusableAnswers_data();
    void unusableAnswers();

private:
    // Runs the sequence to its end; the end flag of each command.
    QList<int> run(WebSession &session, const QList<WebCommand> &commands, int *result);

    std::unique_ptr<QNetworkAccessManager> manager;
};

void tst_WebSession::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("quillon.web.debug=false"));
}

void tst_WebSession::init()
{
    manager = std::make_unique<QNetworkAccessManager>();
    manager->setProxy(QNetworkProxy::NoProxy);
}

QList<int> tst_WebSession::run(WebSession &session, const QList<WebCommand> &commands, int *result)
{
    QList<int> flags;
    QObject::connect(&session, &WebSession::commandFinished,
                     [&](const QString &, int flag) { flags << flag; });
    QSignalSpy finished(&session, &WebSession::finished);
    if (!session.run(commands) || !waitUntil([&] { return !finished.isEmpty(); }, 30000))
        return {kNotTold};
    *result = finished.first().first().toInt();
    return flags;
}

void tst_WebSession::sequences_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QList<int>>("flags");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("login");
    QTest::newRow("read") << QStringList{"login", "datetime_get", "logout"} << "888888" << QList<int>{0, 0, 0}
                          << 0 << 0;
    QTest::newRow("wrong_password") << QStringList{"login", "datetime_get", "logout"} << "wrong"
                                    << QList<int>{-1} << -2 << -1;
    QTest::newRow("no_session") << QStringList{"datetime_get", "logout"} << "" << QList<int>{-1} << -2
                                << kNotTold;
    QTest::newRow("unsupported_goes_on")
        << QStringList{"login", "reboot", "logout"} << "888888" << QList<int>{0, 0, 0} << 0 << 0;
    QTest::newRow("empty") << QStringList() << "" << QList<int>() << 0 << kNotTold;
}

void tst_WebSession::sequences()
{
    QFETCH(QStringList, names);
    QFETCH(QString, password);
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet}));
    WebSession session(*manager, kDevice);
    QList<WebCommand> commands;
    for (const QString &name : names)
        commands << command(name, password);
    int result = kNotTold;
    QTEST(run(session, commands, &result), "flags");
    QTEST(result, "result");
    QTEST(session.loginAnswered() ? session.loginResult() : kNotTold, "login");
    QVERIFY(!session.isRunning());
}

// The clock and NTP server set by one sequence are what the next one reads, with the login
// cookie kept from the first.
void tst_WebSession::setsAndReadsTheClock()
{
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet}));
    WebSession setting(*manager, kDevice);
    int result = kNotTold;
    QCOMPARE(run(setting, {command("login"), command("datetime_set")}, &result), (QList<int>{0, 0}));
    const auto cookies = setting.cookies().value<QList<QNetworkCookie>>();
    QCOMPARE(cookies.size(), 1);
    QCOMPARE(cookies.first().name(), QByteArray("QSESSION"));

    WebSession reading(*manager, kDevice);
    reading.setCookies(setting.cookies());
    QCOMPARE(run(reading, {command("datetime_get"), command("logout")}, &result), (QList<int>{0, 0}));
    QVERIFY(reading.hasDeviceDatetime());
    QVERIFY2(reading.deviceDatetime().datetime.startsWith(QLatin1String("2031-05-06 07:0")),
             qPrintable(reading.deviceDatetime().datetime));
    QCOMPARE(reading.deviceDatetime().ntpSet, 2);
    QCOMPARE(reading.deviceDatetime().ntpServer, QStringLiteral("192.168.0.123"));
}

void tst_WebSession::uploadsAFile()
{
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet}));
    QTemporaryFile firmware;
    QVERIFY(firmware.open());
    firmware.write(QByteArray(100000, 'f'));
    firmware.close();
    WebSession session(*manager, kDevice);
    QSignalSpy progress(&session, &WebSession::uploadProgress);
    int result = kNotTold;
    const QList<int> flags =
        run(session,
            {command("login"), {QStringLiteral("upload"), firmware.fileName().toUtf8()}, command("logout")},
            &result);
    QCOMPARE(flags, (QList<int>{0, 0, 0}));
    // The whole multipart body went out: the file and the form around it.
    const bool complete = std::any_of(progress.begin(), progress.end(), [](const QList<QVariant> &step) {
        return step.at(0).toLongLong() > 100000 && step.at(0) == step.at(1);
    });
    QVERIFY(complete);
}

void tst_WebSession::cookieStaysWithItsOrigin_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("samePort");
    QTest::addColumn<bool>("cookieThere");
    QTest::newRow("other_host") << "127.0.0.2" << false << false;
    QTest::newRow("other_port") << "127.0.0.1" << false << false;
    QTest::newRow("same_origin") << "127.0.0.1" << true << true;
}

// The device's login cookie goes with every later command to the device, and nowhere a
// redirect points to.
void tst_WebSession::cookieStaysWithItsOrigin()
{
    QFETCH(QString, host);
    QFETCH(bool, samePort);
    QFETCH(bool, cookieThere);
    ScriptedHttp elsewhere(QHostAddress(host), [](const ScriptedHttp::Request &) {
        return ScriptedHttp::answer("200 OK", "OK");
    });
    QUrl target;
    ScriptedHttp device(QHostAddress(QStringLiteral("127.0.0.1")), [&](const ScriptedHttp::Request &request) {
        if (request.path.endsWith("/login"))
            return ScriptedHttp::answer("200 OK", "OK", "Set-Cookie: QSESSION=s1; Path=/\r\n");
        if (request.path.endsWith("/datetime_get"))
            return ScriptedHttp::answer("302 Found", "", "Location: " + target.toEncoded() + "\r\n");
        return ScriptedHttp::answer("200 OK", "OK");
    });
    target = (samePort ? device.base() : elsewhere.base()).resolved(QUrl(QStringLiteral("moved")));
    target.setHost(host);

    WebSession session(*manager, device.base());
    int result = kNotTold;
    QCOMPARE(run(session, {command("login"), command("datetime_get"), command("logout")}, &result),
             (QList<int>{0, 0, 0}));
    const QList<ScriptedHttp::Request> redirected = samePort ? device.requests.mid(2, 1) : elsewhere.requests;
    QCOMPARE(redirected.size(), 1);
    QCOMPARE(redirected.first().path, QByteArray("/command/moved"));
    QCOMPARE(redirected.first().hasCookie, cookieThere);
    QVERIFY(!device.requests.first().hasCookie);
    QCOMPARE(device.requests.last().cookie, QByteArray("QSESSION=s1"));
}

// A device that redirects for ever: three redirects are followed, then the sequence gives up.
void tst_WebSession::redirectsAreCapped()
{
    int served = 0;
    ScriptedHttp device(QHostAddress(QStringLiteral("127.0.0.1")), [&](const ScriptedHttp::Request &) {
        return ScriptedHttp::answer("302 Found", "",
                                    "Location: /command/login?n=" + QByteArray::number(++served) + "\r\n");
    });
    WebSession session(*manager, device.base());
    int result = kNotTold;
    QCOMPARE(run(session, {command("login"), command("logout")}, &result), QList<int>{-2});
    QCOMPARE(result, -2);
    QCOMPARE(device.requests.size(), 4);
    QCOMPARE(device.requests.last().path, QByteArray("/command/login?n=3"));
}

void tst_WebSession::unusableAnswers_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QList<int>>("flags");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("login");
    QTest::addColumn<int>("transportErrors");
    // A login never answered failed; one answered with something unusable leaves the outcome
    // untold. Those end by the time-out and stop the sequence.
    QTest::newRow("silent") << QByteArray() << QList<int>{-2} << -2 << -2 << 0;
    QTest::newRow("one_character") << ScriptedHttp::answer("200 OK", "K") << QList<int>{-2} << -2 << kNotTold
                                   << 0;
    QTest::newRow("redirect_without_target")
        << ScriptedHttp::answer("302 Found", "") << QList<int>{-2} << -2 << kNotTold << 0;
    QTest::newRow("unknown_text") << ScriptedHttp::answer("200 OK", "ok") << QList<int>{-2} << -2 << kNotTold
                                  << 0;
    // An error status is a transport error: the command ends and the sequence goes on.
    QTest::newRow("server_error") << ScriptedHttp::answer("500 Internal Server Error", "OK")
                                  << QList<int>{0, 0} << 0 << -2 << 2;
}

void tst_WebSession::unusableAnswers()
{
    QFETCH(QByteArray, answer);
    QFETCH(QList<int>, flags);
    ScriptedHttp device(QHostAddress(QStringLiteral("127.0.0.1")),
                        [&](const ScriptedHttp::Request &) { return answer; });
    WebSession session(*manager, device.base());
    session.setCommandTimeoutMs(kShortTimeOutMs);
    QSignalSpy transportFailed(&session, &WebSession::transportFailed);
    int result = kNotTold;
    QCOMPARE(run(session, {command("login"), command("logout")}, &result), flags);
    QTEST(int(transportFailed.size()), "transportErrors");
    QTEST(result, "result");
    QTEST(session.loginAnswered() ? session.loginResult() : kNotTold, "login");
    QCOMPARE(device.requests.size(), flags.size());
    QVERIFY(!session.pendingReply());
}

QTEST_GUILESS_MAIN(tst_WebSession)
#include "tst_websession.moc"
