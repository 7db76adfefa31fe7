#include "support/devsimprocess.h"
#include "support/faultfleet.h"
#include "support/noticewatcher.h"
#include "support/samplerecord.h"
#include "support/waituntil.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int macColumn = 4;
constexpr int portColumn = 6;

int rowOf(MainWindow &w, const QString &mac)
{
    for (int row = 0; row < w.ui->tableWidget->rowCount(); ++row)
        if (w.ui->tableWidget->item(row, macColumn)->text() == mac)
            return row;
    return -1;
}

} // namespace

// The simulator's faults while the tool configures a device or runs a web sequence: the tool
// reports the failure it met and goes on working.
class tst_SimFaults : public QObject
{
    Q_OBJECT
private slots:
    void udpFaults_data();
    void udpFaults();
    void webFaults_data();
    void webFaults();
};

void tst_SimFaults::udpFaults_data()
{
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("report");
    QTest::newRow("refused_407") << "02:51:00:00:00:31" << "refuse" << "[02:51:00:00:00:31]登录 ";
    QTest::newRow("refused_407enc") << "02:51:00:00:00:41" << "refuse" << "[02:51:00:00:00:41]登录 ";
    QTest::newRow("late_201") << "02:51:00:00:00:21" << "late" << "[02:51:00:00:00:21]登录 失败";
}

void tst_SimFaults::udpFaults()
{
    QFETCH(QString, mac);
    QFETCH(QString, fault);
    QFETCH(QString, report);
    QTemporaryDir dir;
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), fleetWithFault(dir, mac, fault)}));
    MainWindow w;
    w.show();
    NoticeWatcher notices;
    w.ui->Search->click();
    // A late device answers the search late too.
    QVERIFY(waitUntil([&] { return rowOf(w, mac) >= 0; }, 15000));
    QTest::qWait(300);
    w.cur_row = rowOf(w, mac);
    w.refreshFrame(0);
    const QString port = w.le_port->text();
    w.le_user->setText(QStringLiteral("admin"));
    w.le_password->setText(QStringLiteral("888888"));
    w.le_port->setText(QStringLiteral("15123"));
    w.on_netCfg_clicked();
    QVERIFY2(w.socketS->text().startsWith(report) && w.socketS->text().endsWith(QStringLiteral("失败")),
             qPrintable(w.socketS->text()));
    QCOMPARE(notices.notices.size(), 1);
    QVERIFY(notices.notices.first().startsWith(QStringLiteral("失败|登录 ")));
    QVERIFY(waitUntil([&] { return rowOf(w, mac) >= 0; }, 15000));
    QCOMPARE(w.ui->tableWidget->item(rowOf(w, mac), portColumn)->text(), port);
    QVERIFY(w.netCfg->isEnabledTo(w.ui->Detail));
}

void tst_SimFaults::webFaults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("notice");
    QTest::newRow("refused_login") << "refuse" << "提示|用户名或密码有误，无法登录设备";
    QTest::newRow("garbage") << "garbage" << "提示|获取设备配置失败";
    QTest::newRow("one_character") << "wrong-length" << "提示|获取设备配置失败";
    // A redirected answer is not read by command name, so the login's cookie is never taken.
    QTest::newRow("redirect") << "redirect" << "提示|获取设备配置失败";
}

void tst_SimFaults::webFaults()
{
    QFETCH(QString, fault);
    const QString mac = QStringLiteral("02:51:00:00:02:42");
    QTemporaryDir dir;
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), fleetWithFault(dir, mac, fault)}));
    MainWindow w;
    w.show();
    NoticeWatcher notices;
    // Listed as its search reply would list it: with some faults that reply is unreadable.
    deviceReply record = sampleRecord(mac, QStringLiteral("192.168.0.242"), QStringLiteral("V5.2.10"), 3);
    record.port = QStringLiteral("8080");
    w.placeDeviceRow(record);
    w.cur_row = 0;
    w.refreshFrame(0);
    w.le_user->setText(QStringLiteral("admin"));
    w.le_password->setText(QStringLiteral("888888"));
    w.on_webCfg_clicked();
    QTEST(notices.notices.join(QLatin1Char('/')), "notice");
    QTRY_VERIFY(!w.findChild<QDialog *>(QStringLiteral("webCfgWin")));
    QVERIFY(!w.reply);
    QVERIFY(w.webCMD.isEmpty());
}

QTEST_MAIN(tst_SimFaults)
#include "tst_simfaults.moc"
