#include "support/devsimprocess.h"
#include "support/noticewatcher.h"
#include "support/waituntil.h"
#include "support/windowrows.h"
#include "ui/iplineedit.h"
#include "ui/mainwindow.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kDemoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
// Past the window's 15-second wait for a configured device.
constexpr int kConfirmationEndMs = 20000;

// The status label as each trade goes out.
class RecordingWindow : public MainWindow
{
public:
    bool sendTrade(const QByteArray &datagram, const QHostAddress &to, quint16 port) override
    {
        labelsAtSend << socketS->text();
        return MainWindow::sendTrade(datagram, to, port);
    }
    QStringList labelsAtSend;
};

// Configures the device through the form: the new address, or the new port when address is empty.
void submit(MainWindow &w, const QString &address, const QString &port)
{
    w.le_user->setText(QStringLiteral("admin"));
    w.le_password->setText(QStringLiteral("888888"));
    if (!address.isEmpty())
        w.le_ipv4->setText(address);
    if (!port.isEmpty())
        w.le_port->setText(port);
    w.on_netCfg_clicked();
}

} // namespace

// A configuration through the window against the simulator: the status label names each trade
// while it runs, and after the report it says whether the device answered the next searches
// with the requested address and port.
class tst_NetConfirm : public QObject
{
    Q_OBJECT
private slots:
    void progressAndConfirmation_data();
    void progressAndConfirmation();
    void deviceSilentAfterRestart();
};

void tst_NetConfirm::progressAndConfirmation_data()
{
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QStringList>("progress");
    QTest::newRow("407_address") << "02:51:00:00:00:32"
                                 << "192.168.0.132" << QString()
                                 << QStringList{"配置中 1/8 登录",         "配置中 2/8 IP地址",
                                                "配置中 3/8 端口号",       "配置中 4/8 掩码",
                                                "配置中 5/8 网关",         "配置中 6/8 服务器IP",
                                                "配置中 7/8 服务器端口号", "配置中 8/8 登出/重启"};
    QTest::newRow("407enc_port") << "02:51:00:00:00:41" << QString() << "15123"
                                 << QStringList{"配置中 1/9 登录",         "配置中 2/9 IP地址",
                                                "配置中 3/9 端口号",       "配置中 4/9 掩码",
                                                "配置中 5/9 网关",         "配置中 6/9 服务器IP",
                                                "配置中 7/9 服务器端口号", "配置中 8/9 登出/重启",
                                                "配置中 9/9 签退"};
    QTest::newRow("201_port") << "02:51:00:00:00:21" << QString() << "15123"
                              << QStringList{"配置中 1/3 登录", "配置中 2/3 端口号", "配置中 3/3 登出/重启"};
}

void tst_NetConfirm::progressAndConfirmation()
{
    QFETCH(QString, mac);
    QFETCH(QString, address);
    QFETCH(QString, port);
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet}));
    RecordingWindow w;
    w.show();
    NoticeWatcher notices;
    QVERIFY(searchAndSelect(w, mac));
    submit(w, address, port);
    QTEST(w.labelsAtSend, "progress");
    QCOMPARE(notices.notices, QStringList{QStringLiteral("完成|网络配置修改成功")});
    // The report stays as it is; the outcome follows it once the device answered.
    QCOMPARE(w.socketS->text(), "成功[" + mac + "]");
    QVERIFY(waitUntil([&] { return w.socketS->text() != "成功[" + mac + "]"; }, kConfirmationEndMs));
    QCOMPARE(w.socketS->text(), "成功[" + mac + "] 已确认设备在新地址上线");
}

void tst_NetConfirm::deviceSilentAfterRestart()
{
    const QString mac = QStringLiteral("02:51:00:00:00:31");
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("received.txt"));
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet, QStringLiteral("--fault"),
                       QStringLiteral("vanish-after-restart"), QStringLiteral("--record"), record}));
    MainWindow w;
    w.show();
    NoticeWatcher notices;
    QVERIFY(searchAndSelect(w, mac));
    submit(w, QString(), QStringLiteral("15124"));
    // The device took every trade, so the report is the plain success; only the wait tells.
    QCOMPARE(notices.notices, QStringList{QStringLiteral("完成|网络配置修改成功")});
    QCOMPARE(w.socketS->text(), "成功[" + mac + "]");
    QVERIFY(waitUntil([&] { return w.socketS->text() != "成功[" + mac + "]"; }, kConfirmationEndMs));
    QCOMPARE(w.socketS->text(), "成功[" + mac + "] 设备未在新地址出现");
    QCOMPARE(rowOf(w, mac), -1);

    // It looked again while it waited: more probes after the restart than the search's own.
    sim.stop();
    QFile received(record);
    QVERIFY(received.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = received.readAll().split('\n');
    const int restart = lines.indexOf("525652454c414e");
    QVERIFY(restart > 0);
    QVERIFY(lines.mid(restart).count("59") > 4);
}

QTEST_MAIN(tst_NetConfirm)
#include "tst_netconfirm.moc"
