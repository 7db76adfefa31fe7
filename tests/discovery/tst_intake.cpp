#include "crypto/framecipher.h"
#include "support/logcapture.h"
#include "support/replybuilder.h"
#include "ui/hoverpushbutton.h"
#include "ui/iplineedit.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <cstring>

namespace {

// A 407 reply from 192.168.0.<host> with MAC 00:1A:2B:3C:4D:<last>.
QByteArray reply407(const char *host, const char *last)
{
    return buildReply(55, QStringLiteral("2=001a2b3c4d%1 10=c0a800%2 8=ea60").arg(last, host));
}

QByteArray reply201(const char *host, const char *last)
{
    return buildReply(75, QStringLiteral("2=001a2b3c4d%1 10=c0a800%2 8=ea60").arg(last, host));
}

QByteArray encrypted407(const char *host, const char *last)
{
    framecipher::TransactionId txid{};
    framecipher::DeviceId snid{};
    txid.fill(0x21);
    snid.fill(0x42);
    return framecipher::buildFrame(reply407(host, last), txid, snid, QByteArray(framecipher::kDrawSize, '\x33'));
}

QString cell(MainWindow &w, int row, int column)
{
    const QTableWidgetItem *item = w.ui->tableWidget->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

class tst_Intake : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void searchRepliesListed_data();
    void searchRepliesListed();
    void sameMacKeepsRowAndRecord();
    void singleIpFilters();
    void unknownLengthDropped_data();
    void unknownLengthDropped();

private:
    void feed(const QByteArray &datagram) { w->newRecvData(datagram, static_cast<unsigned long>(datagram.size())); }
    std::unique_ptr<MainWindow> w;
};

void tst_Intake::init()
{
    w = std::make_unique<MainWindow>();
}

void tst_Intake::cleanup()
{
    w.reset();
}

void tst_Intake::searchRepliesListed_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<int>("protocol");
    QTest::newRow("reply_201") << reply201("f2", "5e") << 3;
    QTest::newRow("reply_407") << reply407("f2", "5e") << 1;
    QTest::newRow("encrypted_407") << encrypted407("f2", "5e") << 2;
}

void tst_Intake::searchRepliesListed()
{
    QFETCH(QByteArray, datagram);
    QFETCH(int, protocol);
    feed(datagram);
    QCOMPARE(w->devct, 1);
    QCOMPARE(w->ui->tableWidget->rowCount(), 1);
    QCOMPARE(w->deviceReplys[0].protocol, protocol);
    QCOMPARE(cell(*w, 0, 4), QStringLiteral("00:1A:2B:3C:4D:5E"));
    QCOMPARE(cell(*w, 0, 5), QStringLiteral("192.168.0.242"));
    QCOMPARE(cell(*w, 0, 6), QStringLiteral("60000"));
    if (protocol == 2) {
        QCOMPARE(w->deviceReplys[0].SNID[0], static_cast<unsigned char>(0x42));
        QCOMPARE(w->deviceReplys[0].TXID[7], static_cast<unsigned char>(0x21));
    }
}

void tst_Intake::sameMacKeepsRowAndRecord()
{
    feed(reply407("05", "01"));
    feed(reply201("06", "02"));
    feed(reply407("99", "01"));
    QCOMPARE(w->ui->tableWidget->rowCount(), 2);
    QCOMPARE(w->devct, 2);
    QCOMPARE(cell(*w, 0, 5), QStringLiteral("192.168.0.153"));
    QCOMPARE(w->deviceReplys[0].ipv4, QStringLiteral("192.168.0.153"));
    QCOMPARE(w->deviceReplys[1].mac, QStringLiteral("00:1A:2B:3C:4D:02"));
    feed(reply407("07", "03"));
    QCOMPARE(w->devct, 3);
    QCOMPARE(cell(*w, 2, 4), w->deviceReplys[2].mac);
}

void tst_Intake::singleIpFilters()
{
    w->ui->leSingleIP->setText(QStringLiteral("192.168.0.242"));
    w->ui->singleSearch->click();
    LogCapture log;
    feed(reply407("18", "01")); // 192.168.0.24
    QCOMPARE(w->ui->tableWidget->rowCount(), 0);
    QVERIFY(log.contains(QStringLiteral("201-非指定的IP: ")));
    feed(reply201("f2", "02"));
    QCOMPARE(w->ui->tableWidget->rowCount(), 1);
    w->onTimeOutSearch();
    feed(reply407("18", "01"));
    QCOMPARE(w->ui->tableWidget->rowCount(), 2);
}

void tst_Intake::unknownLengthDropped_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("54_bytes") << QByteArray(54, '\x01');
    QTest::newRow("56_bytes") << QByteArray(56, '\x01');
    QTest::newRow("74_bytes") << QByteArray(74, '\x01');
    QTest::newRow("1024_bytes") << QByteArray(1024, '\x01');
}

void tst_Intake::unknownLengthDropped()
{
    QFETCH(QByteArray, datagram);
    LogCapture log;
    feed(datagram);
    QCOMPARE(w->ui->tableWidget->rowCount(), 0);
    QCOMPARE(w->devct, 0);
    QVERIFY(log.contains(QStringLiteral("抛弃的数据")));
}

QTEST_MAIN(tst_Intake)
#include "tst_intake.moc"
