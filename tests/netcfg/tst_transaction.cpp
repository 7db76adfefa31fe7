#include "support/logcapture.h"
#include "support/replybuilder.h"
#include "support/windowonlan.h"
#include "ui/iplineedit.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString lanHex = QStringLiteral("c0a80001"); // 192.168.0.1, the lan side of the lab

// A plain 407 device at the lan address, port 15000, with MAC 00:1A:2B:3C:4D:<last>.
QByteArray plainDevice(const char *last)
{
    return buildReply(55, QStringLiteral("2=001a2b3c4d%1 10=%2 8=3a98 18=ffffff00").arg(last, lanHex));
}

// A device of the multicast family (201 reply), port 60000.
QByteArray multicastDevice(const char *last)
{
    return buildReply(75, QStringLiteral("2=001a2b3c4d%1 10=%2 8=ea60 18=ffffff00").arg(last, lanHex));
}

QStringList tradesSeenBy(const LanPeer &peer)
{
    QStringList seen;
    for (const QString &line : peer.probes()) {
        const QString hex = line.section(QLatin1Char(' '), 5);
        if (hex != QLatin1String("59"))
            seen << hex;
    }
    for (const QString &line : peer.trades())
        seen << line.section(QLatin1Char(' '), 2);
    return seen;
}

} // namespace

class tst_Transaction : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void refusedBeforeSending_data();
    void refusedBeforeSending();
    void multicastFamilyPortChange();
    void plainFamilyRefusedMaskGoesOn();
    void loginTimeOutStops();
    void lateDatagramChangesNothingSeen();

private:
    WindowOnLan lan;
    std::unique_ptr<LanPeer> &peer = lan.peer;
    std::unique_ptr<MainWindow> &w = lan.w;
    std::unique_ptr<NoticeWatcher> &notices = lan.notices;
};

void tst_Transaction::init()
{
    QVERIFY(lan.start());
}

void tst_Transaction::cleanup()
{
    lan.stop();
}

void tst_Transaction::refusedBeforeSending_data()
{
    QTest::addColumn<bool>("select");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("notice");
    QTest::newRow("no_device") << false << "admin" << "ovsel" << "" << "提示|没有选择设备";
    QTest::newRow("blank_password") << true << "admin" << "   " << "" << "提示|用户、密码缺失,无法登录设备";
    QTest::newRow("empty_user") << true << "" << "ovsel" << "" << "提示|用户、密码缺失,无法登录设备";
    QTest::newRow("nothing_changed") << true << "admin" << "ovsel" << "" << "提示|没有任何改动";
    QTest::newRow("long_credential") << true << "设备设备设备设备设备设备" << "ovsel" << "8000"
                                     << "提示|用户名 的值超出范围,未发送任何交易";
}

void tst_Transaction::refusedBeforeSending()
{
    QFETCH(bool, select);
    QFETCH(QString, port);
    // The multicast family's encrypted credentials hold at most 31 bytes: twelve CJK characters
    // are 36 in UTF-8.
    if (select)
        lan.listAndSelect(multicastDevice("01"));
    QFETCH(QString, user);
    QFETCH(QString, password);
    w->le_user->setText(user);
    w->le_password->setText(password);
    if (!port.isEmpty())
        w->le_port->setText(port);
    w->on_netCfg_clicked();
    QTEST(notices->notices.join(QLatin1Char('/')), "notice");
    QTest::qWait(200);
    QCOMPARE(tradesSeenBy(*peer), QStringList());
    QCOMPARE(w->ui->tableWidget->rowCount(), select ? 1 : 0);
}

void tst_Transaction::multicastFamilyPortChange()
{
    QVERIFY(peer->command(QStringLiteral("answer 41001a2b3c4d5e")));
    lan.listAndSelect(multicastDevice("5e"));
    w->le_port->setText(QStringLiteral("8000"));
    LogCapture log;
    w->on_netCfg_clicked();

    const QStringList sent = tradesSeenBy(*peer);
    QCOMPARE(sent.size(), 3);
    QCOMPARE(sent[0].size(), 77 * 2);
    QVERIFY(sent[0].endsWith(QLatin1String("001a2b3c4d5e001a2b3c4d5e")));
    QCOMPARE(sent[1], QStringLiteral("50071f40001a2b3c4d5e"));
    QCOMPARE(sent[2], QStringLiteral("525652454c414e001a2b3c4d5e"));
    QCOMPARE(w->socketS->text(), QStringLiteral("成功[00:1A:2B:3C:4D:5E]"));
    QCOMPARE(notices->notices, QStringList{QStringLiteral("完成|网络配置修改成功")});
    QVERIFY(log.contains(QStringLiteral("Trade start")));
    QVERIFY(log.contains(QStringLiteral("Trade end")));
    // The new search emptied the list and probed again.
    QCOMPARE(w->cur_row, 9999);
    QVERIFY(w->netCfg->isEnabledTo(w->ui->Detail));
    QVERIFY(w->ui->Search->isEnabled());
}

void tst_Transaction::plainFamilyRefusedMaskGoesOn()
{
    QVERIFY(peer->command(QStringLiteral("listen 15000 41 41 41 4e 41")));
    lan.listAndSelect(plainDevice("01"));
    w->le_gateway->setText(QStringLiteral("192.168.0.1"));
    w->on_netCfg_clicked();

    const QStringList expected = {"4c5652454c414ec0a80001", "5005c0a80001", "50073a98", "5009ffffff00",
                                  "5008c0a80001", "500a00000000", "500b0000", "525652454c414e"};
    QCOMPARE(tradesSeenBy(*peer), expected);
    QCOMPARE(w->socketS->text(), QStringLiteral("[00:1A:2B:3C:4D:01]掩码 失败"));
    QCOMPARE(notices->notices, QStringList{QStringLiteral("失败|掩码 ")});
    QCOMPARE(w->ui->tableWidget->rowCount(), 0);
}

void tst_Transaction::loginTimeOutStops()
{
    QVERIFY(peer->command(QStringLiteral("listen 15000 -")));
    lan.listAndSelect(plainDevice("01"));
    w->le_dstport->setText(QStringLiteral("16000"));
    w->on_netCfg_clicked();
    QCOMPARE(tradesSeenBy(*peer).size(), 1);
    QCOMPARE(w->socketS->text(), QStringLiteral("[00:1A:2B:3C:4D:01]登录 失败"));
    QCOMPARE(w->doResult[0], 2);
    QCOMPARE(w->doResultCount, 0);
}

void tst_Transaction::lateDatagramChangesNothingSeen()
{
    lan.listAndSelect(plainDevice("01"));
    const QString before = w->socketS->text();
    QVERIFY(peer->send(QStringLiteral("41")));
    QVERIFY(peer->send(QStringLiteral("4e001a2b3c4d01")));
    QTest::qWait(300);
    QCOMPARE(w->socketS->text(), before);
    QCOMPARE(w->ui->tableWidget->rowCount(), 1);
    QCOMPARE(w->le_mac->text(), QStringLiteral("00:1A:2B:3C:4D:01"));
    QVERIFY(notices->notices.isEmpty());
}

QTEST_MAIN(tst_Transaction)
#include "tst_transaction.moc"
