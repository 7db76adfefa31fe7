#include "support/labenv.h"
#include "support/logcapture.h"
#include "support/scriptedwebdevice.h"
#include "ui/iplineedit.h"
#include "ui/mainwindow.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Answer = ScriptedWebDevice::Answer;

} // namespace

class tst_WebClient : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void emptyQueue();
    void unknownTypeSendsNothing();
    void readingSequence();
    void answersStopOrGoOn_data();
    void answersStopOrGoOn();
    void refusedConnectionsCountAsEnded();
    void timeOutGivesUpAndLateReplyIsIgnored();
    void tooShortEndsByTimeOut();
    void redirectKeepsCookiesHome();
    void redirectLoopEnds();
    void uploadStreamsFile();
    void secondSequenceRefusedWhileOneRuns();

private:
    void queue(const QStringList &commands);
    void pointAt(const ScriptedWebDevice &device);
    std::unique_ptr<MainWindow> w;
    std::unique_ptr<ScriptedWebDevice> device;
};

void tst_WebClient::init()
{
    w = std::make_unique<MainWindow>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    device = std::make_unique<ScriptedWebDevice>(lab::pcAddress().toStdString());
    QVERIFY(device->port > 0);
    pointAt(*device);
}

void tst_WebClient::cleanup()
{
    w.reset();
    device.reset();
}

void tst_WebClient::pointAt(const ScriptedWebDevice &target)
{
    w->le_ipv4->setText(QString::fromStdString(target.host));
    w->le_port->setText(QString::number(target.port));
}

void tst_WebClient::queue(const QStringList &commands)
{
    w->webCMD = commands;
    w->cmdContents.clear();
    for (const QString &command : commands)
        w->cmdContents << (command == QLatin1String("login") ? QByteArray("username=morvik&password=00")
                                                              : command.toUtf8());
}

void tst_WebClient::emptyQueue()
{
    LogCapture log;
    QCOMPARE(w->webCFG(QStringLiteral("get")), 0);
    QVERIFY(log.contains(QStringLiteral("web交易完成")));
    QVERIFY(device->requests().empty());
}

void tst_WebClient::unknownTypeSendsNothing()
{
    queue({"login", "logout"});
    QCOMPARE(w->webCFG(QStringLiteral("put")), 0);
    QVERIFY(w->webCMD.isEmpty());
    QVERIFY(w->cmdContents.isEmpty());
    QTest::qWait(200);
    QVERIFY(device->requests().empty());
}

void tst_WebClient::readingSequence()
{
    device->answer("/command/login", ok("OK", "sid=abc123; Path=/"));
    device->answer("/command/datetime_get", ok("OK:Date=2026-12-06&Time=10:11:12&Ntp=192.168.0.30"));
    device->answer("/command/logout", ok());
    queue({"login", "datetime_get", "logout"});
    QCOMPARE(w->webCFG(QStringLiteral("get")), 0);
    QCOMPARE(w->webLoginRes, 0);
    QCOMPARE(w->devDatetime, QStringLiteral("2026-12-06 10:11:12"));
    QCOMPARE(w->devNtpSet, 2);
    QCOMPARE(w->devNtpServerIP, QStringLiteral("192.168.0.30"));
    QVERIFY(w->webTrade.isEmpty());
    QVERIFY(w->webCMD.isEmpty());

    const auto seen = device->requests();
    QCOMPARE(seen.size(), std::size_t(3));
    QCOMPARE(QString::fromStdString(seen[0].body), QStringLiteral("username=morvik&password=00"));
    QVERIFY(seen[0].cookie.empty());
    QCOMPARE(QString::fromStdString(seen[0].contentType), QStringLiteral("application/x-www-form-urlencoded"));
    QCOMPARE(QString::fromStdString(seen[1].cookie), QStringLiteral("sid=abc123"));
    QCOMPARE(QString::fromStdString(seen[1].body), QStringLiteral("datetime_get"));
    QCOMPARE(QString::fromStdString(seen[2].cookie), QStringLiteral("sid=abc123"));

    // The cookies outlive the sequence; a login never carries any, and a new login's replace them.
    queue({"logout", "login", "logout"});
    device->answer("/command/login", ok("OK", "sid=second"));
    QCOMPARE(w->webCFG(QStringLiteral("set")), 0);
    const auto again = device->requests();
    QCOMPARE(again.size(), std::size_t(6));
    QCOMPARE(QString::fromStdString(again[3].cookie), QStringLiteral("sid=abc123"));
    QVERIFY(again[4].cookie.empty());
    QCOMPARE(QString::fromStdString(again[5].cookie), QStringLiteral("sid=second"));
}

void tst_WebClient::answersStopOrGoOn_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("loginRes");
    QTest::addColumn<int>("requests");
    QTest::newRow("login_wrong") << "/command/login" << "login" << -2 << -1 << 1;
    QTest::newRow("login_relogin") << "/command/login" << "relogin" << -2 << -3 << 1;
    QTest::newRow("logout_lower_ok") << "/command/logout" << "ok" << -2 << 0 << 3;
    QTest::newRow("unsupported_goes_on") << "/command/datetime_get" << "该交易不支持" << 0 << 0 << 3;
    QTest::newRow("relogin_later") << "/command/datetime_get" << "relogin" << -2 << 0 << 2;
}

void tst_WebClient::answersStopOrGoOn()
{
    QFETCH(QString, path);
    QFETCH(QString, answer);
    device->answer("/command/login", ok());
    device->answer("/command/datetime_get", ok("OK:Date=2026-01-02&Time=03:04:05&Ntp="));
    device->answer("/command/logout", ok());
    device->answer(path.toStdString(), ok(answer.toStdString()));
    queue({"login", "datetime_get", "logout"});
    QTEST(w->webCFG(QStringLiteral("get")), "result");
    QTEST(w->webLoginRes, "loginRes");
    QTEST(static_cast<int>(device->requests().size()), "requests");
    QVERIFY(w->webCMD.isEmpty());
}

void tst_WebClient::refusedConnectionsCountAsEnded()
{
    const int port = device->port;
    device.reset(); // nobody listens any more
    w->le_port->setText(QString::number(port));
    queue({"login", "datetime_get", "logout"});
    QCOMPARE(w->webCFG(QStringLiteral("get")), 0);
    QCOMPARE(w->webLoginRes, -2);
    QVERIFY(w->devDatetime.isEmpty());
}

void tst_WebClient::timeOutGivesUpAndLateReplyIsIgnored()
{
    Answer slow = ok();
    slow.delayMs = 8000;
    device->answer("/command/login", slow);
    device->answer("/command/logout", ok());
    queue({"login", "logout"});
    QCOMPARE(w->webCFG(QStringLiteral("get")), -2);
    QCOMPARE(w->webLoginRes, -2);
    QCOMPARE(device->paths(), QStringList{"/command/login"});
    QVERIFY(!w->reply);

    // The next sequence is not disturbed by whatever is left of the first one.
    device->answer("/command/login", ok("OK", "sid=new"));
    queue({"login", "logout"});
    QCOMPARE(w->webCFG(QStringLiteral("get")), 0);
    QCOMPARE(w->webLoginRes, 0);
    QTest::qWait(1500);
    QCOMPARE(w->webLoginRes, 0);
}

void tst_WebClient::tooShortEndsByTimeOut()
{
    device->answer("/command/login", ok());
    device->answer("/command/logout", ok("K"));
    queue({"login", "logout"});
    QCOMPARE(w->webCFG(QStringLiteral("get")), -2);
    QCOMPARE(w->webLoginRes, 0);
    QCOMPARE(device->requests().size(), std::size_t(2));
}

void tst_WebClient::redirectKeepsCookiesHome()
{
    ScriptedWebDevice elsewhere("127.0.0.1");
    elsewhere.answer("/command/moved", ok());
    Answer redirect;
    redirect.status = 302;
    redirect.location = "http://127.0.0.1:" + std::to_string(elsewhere.port) + "/command/moved";
    device->answer("/command/login", ok("OK", "sid=secret"));
    device->answer("/command/datetime_get", redirect);
    device->answer("/command/logout", ok());
    queue({"login", "datetime_get", "logout"});
    QCOMPARE(w->webCFG(QStringLiteral("get")), 0);
    const auto moved = elsewhere.requests();
    QCOMPARE(moved.size(), std::size_t(1));
    QVERIFY(moved[0].cookie.empty());
    QCOMPARE(QString::fromStdString(device->requests().back().cookie), QStringLiteral("sid=secret"));
}

void tst_WebClient::redirectLoopEnds()
{
    Answer loop;
    loop.status = 302;
    loop.location = "/command/logout";
    device->answer("/command/logout", loop);
    queue({"logout"});
    LogCapture log;
    QCOMPARE(w->webCFG(QStringLiteral("get")), -2);
    QCOMPARE(device->requests().size(), std::size_t(4));
    QVERIFY(log.contains(QStringLiteral("too many redirects")));
}

void tst_WebClient::uploadStreamsFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fw 固件.zip"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("PK\x03\x04firmware-bytes");
    file.close();
    device->answer("/command/login", ok("OK", "sid=up"));
    device->answer("/command/upload", ok());
    device->answer("/command/logout", ok());
    w->webCMD = QStringList{"login", "upload", "logout"};
    w->cmdContents = QByteArrayList{"username=a&password=b", path.toUtf8(), "logout"};
    QCOMPARE(w->webCFG(QStringLiteral("set")), 0);
    const auto seen = device->requests();
    QCOMPARE(seen.size(), std::size_t(3));
    QCOMPARE(QString::fromStdString(seen[1].partName), QStringLiteral("upload"));
    QCOMPARE(QString::fromStdString(seen[1].partFilename), QStringLiteral("fw 固件.zip"));
    QCOMPARE(QByteArray::fromStdString(seen[1].partContent), QByteArray("PK\x03\x04firmware-bytes"));
    QVERIFY(QString::fromStdString(seen[1].contentType).startsWith(QStringLiteral("multipart/form-data; boundary=")));
    QCOMPARE(QString::fromStdString(seen[1].cookie), QStringLiteral("sid=up"));
    QVERIFY(!w->fwFile);
    QVERIFY(!w->multiPart);
}

void tst_WebClient::secondSequenceRefusedWhileOneRuns()
{
    Answer slow = ok();
    slow.delayMs = 600;
    device->answer("/command/login", slow);
    device->answer("/command/logout", ok());
    int nested = 1;
    QTimer::singleShot(200, w.get(), [&] {
        QStringList saved = w->webCMD;
        nested = w->webCFG(QStringLiteral("get"));
        w->webCMD = saved;
    });
    queue({"login", "logout"});
    QCOMPARE(w->webCFG(QStringLiteral("get")), 0);
    QCOMPARE(nested, -2);
    QCOMPARE(device->paths(), (QStringList{"/command/login", "/command/logout"}));
}

QTEST_MAIN(tst_WebClient)
#include "tst_webclient.moc"
