#include "support/logcapture.h"
#include "support/samplerecord.h"
#include "ui/hoverpushbutton.h"
#include "ui/iplineedit.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"
#include "ui/windowsize.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

namespace {

QString cell(QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void closeLogsAndStops();
    void sizeFromScreen();
    void rowRuleColumns_data();
    void rowRuleColumns();
    void sameMacReplacesRow();
    void selectedRowFollowsNewValues();
    void tableSizedToContents();
    void intakeLogLines_data();
    void intakeLogLines();
    void clickFillsFormByFirmware_data();
    void clickFillsFormByFirmware();
    void checkPortCutsBack();
    void checkPortEmptyBecomesZero();
    void singleSearchTrigger();
    void singleSearchHoverMarksAddress();
    void lockKeepsUserOut();

private:
    std::unique_ptr<MainWindow> w;
};

void tst_MainWindow::init()
{
    w = std::make_unique<MainWindow>();
}

void tst_MainWindow::cleanup()
{
    w.reset();
}

void tst_MainWindow::closeLogsAndStops()
{
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    LogCapture log;
    w->m_pCloseButton->click();
    QVERIFY(log.contains(QStringLiteral("MainWindow is about to close.")));
    QVERIFY(!w->isVisible());
    QVERIFY(!w->m_qudpSocket);
    QVERIFY(w->fRecv.isFinished());
    // The destructor must not release the socket again.
    w.reset();
}

// The offscreen platform's one screen is 800 x 600 (Qt 5) or 800 x 800 (Qt 6): narrower than
// both computed widths.
void tst_MainWindow::sizeFromScreen()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    constexpr int screenHeight = 600;
#else
    constexpr int screenHeight = 800;
#endif
    QCOMPARE(w->screen()->geometry(), QRect(0, 0, 800, screenHeight));
    QCOMPARE(w->minimumSize(), QSize(800, 540));
    QCOMPARE(w->maximumSize(), QSize(800, screenHeight));
    QCOMPARE(w->size(), QSize(800, 540));
    QCOMPARE(w->frameGeometry().center(), QPoint(399, screenHeight / 2 - 1));
}

void tst_MainWindow::rowRuleColumns_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("other");
    QTest::newRow("older_201") << 3 << QStringLiteral("MK-200");
    QTest::newRow("plain_407") << 1 << QStringLiteral("SN:4711  NTP: 192.168.0.30  PN: MK-200");
    QTest::newRow("encrypted_407") << 2 << QStringLiteral("SN:4711  NTP: 192.168.0.30  PN: MK-200");
}

void tst_MainWindow::rowRuleColumns()
{
    QFETCH(int, protocol);
    QTableWidget *table = w->ui->tableWidget;
    const int row = w->placeDeviceRow(sampleRecord("00:11:22:33:44:01", "192.168.0.5", "6.1.02", protocol));
    QCOMPARE(row, 0);
    const QStringList expected = {"SN-01",       "门禁控制器",   "6.1.02",        "00:11:22:33:44:01",
                                  "192.168.0.5", "60000",        "255.255.255.0", "192.168.0.1",
                                  "8080",        "192.168.0.20", "15000"};
    for (int c = 1; c <= 11; ++c) {
        QCOMPARE(cell(table, 0, c), expected[c - 1]);
        QCOMPARE(table->item(0, c)->textAlignment(), int(Qt::AlignCenter));
    }
    QTEST(cell(table, 0, 12), "other");
    QVERIFY(!table->item(0, 0));
}

void tst_MainWindow::sameMacReplacesRow()
{
    QTableWidget *table = w->ui->tableWidget;
    QCOMPARE(w->placeDeviceRow(sampleRecord("00:11:22:33:44:01", "192.168.0.5", "1.0")), 0);
    QCOMPARE(w->placeDeviceRow(sampleRecord("00:11:22:33:44:02", "192.168.0.6", "1.0")), 1);
    QCOMPARE(w->placeDeviceRow(sampleRecord("00:11:22:33:44:03", "192.168.0.7", "1.0")), 2);
    QCOMPARE(w->placeDeviceRow(sampleRecord("00:11:22:33:44:01", "192.168.0.99", "1.1")), 0);
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(cell(table, 0, 5), QStringLiteral("192.168.0.99"));
    QCOMPARE(cell(table, 1, 5), QStringLiteral("192.168.0.6"));
    QCOMPARE(w->cur_row, 9999);

    w->clearDeviceTable();
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(w->placeDeviceRow(sampleRecord("00:11:22:33:44:03", "192.168.0.7", "1.0")), 0);
}

void tst_MainWindow::selectedRowFollowsNewValues()
{
    QTableWidget *table = w->ui->tableWidget;
    w->placeDeviceRow(sampleRecord("00:11:22:33:44:01", "192.168.0.5", "1.0"));
    w->placeDeviceRow(sampleRecord("00:11:22:33:44:02", "192.168.0.6", "1.0"));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QRect second = table->visualItemRect(table->item(1, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(w->cur_row, 1);
    QCOMPARE(w->le_ipv4->text(), QStringLiteral("192.168.0.6"));

    w->placeDeviceRow(sampleRecord("00:11:22:33:44:02", "192.168.0.66", "1.0"));
    QCOMPARE(w->le_ipv4->text(), QStringLiteral("192.168.0.66"));
    QCOMPARE(w->orgIP, QStringLiteral("192.168.0.66"));
    QCOMPARE(table->currentRow(), 1);

    w->le_ipv4->setText(QStringLiteral("10.0.0.1"));
    w->placeDeviceRow(sampleRecord("00:11:22:33:44:01", "192.168.0.55", "1.0"));
    QCOMPARE(w->cur_row, 1);
    QCOMPARE(w->le_ipv4->text(), QStringLiteral("10.0.0.1"));
}

// Rows are sized as they are placed and the cells' sizes are remembered; the sections must come
// out as Qt's own sizing to contents, with the default delegate, makes them.
void tst_MainWindow::tableSizedToContents()
{
    QTableWidget *table = w->ui->tableWidget;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->placeDeviceRow(sampleRecord("00:11:22:33:44:01", "192.168.0.5", "V5\n2.10")); // two lines high
    w->placeDeviceRow(sampleRecord("00:11:22:33:44:02", "10.0.0.2", "1.0"));
    deviceReply unlisted = sampleRecord("00:11:22:33:44:03", "192.168.200.203", "twenty characters...");
    unlisted.category = QStringLiteral("0A01");
    w->placeDeviceRow(unlisted);
    w->placeDeviceRow(sampleRecord("00:11:22:33:44:02", "10.0.0.2", "1.0\n1.1")); // grows in place
    QTest::qWait(50);
    QVector<int> heights;
    for (int row = 0; row < table->rowCount(); ++row)
        heights << table->rowHeight(row);
    QVector<int> widths;
    for (int column = 0; column < table->columnCount() - 1; ++column)
        widths << table->columnWidth(column);
    QVERIFY(heights[0] > heights[2]);
    QCOMPARE(heights[1], heights[0]);

    table->setItemDelegate(new QStyledItemDelegate(table));
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QTest::qWait(50);
    for (int row = 0; row < table->rowCount(); ++row)
        QCOMPARE(table->rowHeight(row), heights[row]);
    for (int column = 0; column < table->columnCount() - 1; ++column)
        QCOMPARE(table->columnWidth(column), widths[column]);
}

void tst_MainWindow::intakeLogLines_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QStringList>("lines");
    QByteArray reply(55, '\0');
    reply[2] = '\x0a';
    reply[7] = '\x01';
    const QString placed[] = {QStringLiteral("new rowcount: 1 \n"), QStringLiteral("devct: 0 \n")};
    QTest::newRow("plain_407") << reply
                               << QStringList{"触发接收",
                                              "recv=55,count= 0 [content] 00000a0000000001" + QString(94, '0') +
                                                  "   [size: 55 ]",
                                              placed[0], placed[1], "结束接收"};
    QTest::newRow("encrypted_unopened")
        << QByteArray(116, '\0')
        << QStringList{"触发接收", "frame not opened: frame body of 0 bytes is too short",
                       "recv=116,count= 0 [content]    [size: 0 ]", placed[0], placed[1], "结束接收"};
    QTest::newRow("noise") << QByteArray(3, '\x07')
                           << QStringList{"触发接收", "抛弃的数据[count: 0 ]: 070707   [size: 3 ]", "结束接收"};
}

// With debug lines on, as with -log, every datagram is logged line by line as it is taken in.
void tst_MainWindow::intakeLogLines()
{
    QFETCH(QByteArray, datagram);
    QStringList lines;
    {
        w.reset();
        LogCapture log;
        w = std::make_unique<MainWindow>();
        // The receiver's last start-up line: from then on it waits, silent, for a datagram.
        QTRY_VERIFY(log.contains(QStringLiteral("广播sendto() : Y")));
        log.clear();
        w->newRecvData(datagram, datagram.size());
        lines = log.messages();
    }
    QTEST(lines, "lines");
}

void tst_MainWindow::clickFillsFormByFirmware_data()
{
    QTest::addColumn<QString>("fw");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("web");
    QTest::newRow("four_chars") << "1.02"
                                << "admin"
                                << "ovsel" << false;
    QTest::newRow("one_space") << " "
                               << "admin"
                               << "ovsel" << false;
    QTest::newRow("padded_four") << "  1.02  "
                                 << "admin"
                                 << "ovsel" << false;
    QTest::newRow("five_chars") << "5.2.1"
                                << "morvik"
                                << "7302916485" << true;
    QTest::newRow("six_chars") << "6.1.02"
                               << "morvik"
                               << "7302916485" << true;
}

void tst_MainWindow::clickFillsFormByFirmware()
{
    QFETCH(QString, fw);
    w->placeDeviceRow(sampleRecord("00:11:22:33:44:01", "192.168.0.5", fw));
    w->le_user->setText(QStringLiteral("typed"));
    w->cur_row = 0;
    w->refreshFrame(0);
    QVERIFY(w->ui->Detail->isEnabled());
    QTEST(w->le_user->text(), "user");
    QTEST(w->le_password->text(), "password");
    QTEST(w->webCfg->isEnabled(), "web");
    QCOMPARE(w->orgPort, quint16(60000));
    QCOMPARE(w->le_mac->text(), QStringLiteral("00:11:22:33:44:01"));
    QCOMPARE(w->le_dstip->text(), QStringLiteral("192.168.0.20"));
}

void tst_MainWindow::checkPortCutsBack()
{
    w->placeDeviceRow(sampleRecord("00:11:22:33:44:01", "192.168.0.5", "6.1.02"));
    w->cur_row = 0;
    w->refreshFrame(0);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->le_port->setFocus();
    w->le_port->selectAll();
    QTest::keyClicks(w->le_port, QStringLiteral("6553"));
    QCOMPARE(w->le_port->text(), QStringLiteral("6553"));
    QTest::keyClick(w->le_port, Qt::Key_6);
    QCOMPARE(w->le_port->text(), QStringLiteral("6553"));
    QTest::keyClick(w->le_port, Qt::Key_5);
    QCOMPARE(w->le_port->text(), QStringLiteral("65535"));
    QCOMPARE(w->checkPort(w->le_port), 0);
}

void tst_MainWindow::checkPortEmptyBecomesZero()
{
    w->le_dstport->setText(QString());
    QCOMPARE(w->le_dstport->text(), QStringLiteral("0"));
    QCOMPARE(w->le_dstport->cursorPosition(), 0);
}

void tst_MainWindow::singleSearchTrigger()
{
    w->ui->leSingleIP->setText(QStringLiteral("192.168.0.24"));
    w->ui->singleSearch->click();
    QCOMPARE(w->scIP, QStringLiteral("192.168.0.24"));
    QCOMPARE(w->searchMode, static_cast<unsigned char>('S'));
    QVERIFY(!w->ui->Search->isEnabled());
    QVERIFY(!w->ui->singleSearch->isEnabled());
    QVERIFY(w->timSearch->isActive());
    w->onTimeOutSearch();
    QVERIFY(w->ui->Search->isEnabled());
    QVERIFY(w->ui->singleSearch->isEnabled());
    QCOMPARE(w->searchMode, static_cast<unsigned char>('M'));
    QVERIFY(!w->timSearch->isActive());
}

void tst_MainWindow::singleSearchHoverMarksAddress()
{
    const QString dashed = QStringLiteral("border: 2px dashed red");
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(w->ui->singleSearch, &enter);
    QVERIFY(w->ui->leSingleIP->styleSheet().contains(dashed));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w->ui->singleSearch, &leave);
    QVERIFY(!w->ui->leSingleIP->styleSheet().contains(dashed));
}

void tst_MainWindow::lockKeepsUserOut()
{
    w->ui->singleSearch->click();
    w->placeDeviceRow(sampleRecord("00:11:22:33:44:01", "192.168.0.5", "1.0"));
    w->cur_row = 0;
    w->refreshFrame(0);
    w->setInteractionLocked(true);
    for (QWidget *widget :
         {static_cast<QWidget *>(w->netCfg), static_cast<QWidget *>(w->webCfg),
          static_cast<QWidget *>(w->ui->Search), static_cast<QWidget *>(w->ui->tableWidget)})
        QVERIFY(!widget->isEnabled());
    // The single-IP window closing meanwhile must not hand the buttons back early.
    w->onTimeOutSearch();
    QVERIFY(!w->ui->Search->isEnabled());
    w->setInteractionLocked(false);
    QVERIFY(w->netCfg->isEnabled());
    QVERIFY(!w->webCfg->isEnabled()); // four-character firmware
    QVERIFY(w->ui->Search->isEnabled());
    QVERIFY(w->ui->singleSearch->isEnabled());
    QVERIFY(w->ui->tableWidget->isEnabled());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
