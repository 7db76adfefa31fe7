#include "discovery/devicelist.h"
#include "support/labenv.h"
#include "support/logcapture.h"
#include "support/noticewatcher.h"
#include "support/procstatus.h"
#include "support/replybuilder.h"
#include "support/waituntil.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>
#include <QtTest>

namespace {

constexpr quint16 discoveryPort = 15367;
constexpr int maxNoiseLength = 1100;
constexpr int noiseDatagrams = 100000;
constexpr int fillBatch = 2000;
constexpr int plainReplyLength = 55;
constexpr int olderReplyLength = 75;
constexpr int encryptedReplyLength = 116;

bool isSearchReplyLength(int length)
{
    return length == plainReplyLength || length == olderReplyLength;
}

// Random bytes; a third of the time as long as a plain or an older search reply, otherwise of
// any length from 1 to maxNoiseLength but an encrypted reply's, whose frame check random bytes
// could pass by chance. (An empty datagram restarts the receiver: a test of its own.)
QByteArray noiseDatagram(QRandomGenerator &random)
{
    int length = 1 + int(random.bounded(maxNoiseLength));
    if (random.bounded(3) == 0)
        length = random.bounded(2) == 0 ? plainReplyLength : olderReplyLength;
    else if (length == encryptedReplyLength)
        ++length;
    QByteArray datagram(length, '\0');
    for (char &byte : datagram)
        byte = char(random.generate());
    return datagram;
}

QByteArray multicastDevice()
{
    return buildReply(75, QStringLiteral("2=001a2b3c4d5e 10=c0a80001 8=ea60 18=ffffff00"));
}

} // namespace

// Whatever arrives at the discovery port, the window lists what it should and a transaction
// still reports what its device answered.
class tst_Faults : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void floodDuringTransaction();
    void validFloodStopsAtCap();
    void emptyAndOversizedDatagramsRestartReceiver();
    void burstListedInArrivalOrder();
    void closeWhileTransactionWaits();

private:
    void send(const QByteArray &datagram) { sender.writeDatagram(datagram, QHostAddress(lab::pcAddress()), discoveryPort); }
    void listAndSelect(const QByteArray &reply);
    QUdpSocket sender;
    std::unique_ptr<MainWindow> w;
    std::unique_ptr<NoticeWatcher> notices;
};

void tst_Faults::init()
{
    w = std::make_unique<MainWindow>();
    w->show();
    notices = std::make_unique<NoticeWatcher>();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
}

void tst_Faults::cleanup()
{
    notices.reset();
    w.reset();
}

void tst_Faults::listAndSelect(const QByteArray &reply)
{
    w->newRecvData(reply, static_cast<unsigned long>(reply.size()));
    w->cur_row = 0;
    w->refreshFrame(0);
}

void tst_Faults::floodDuringTransaction()
{
    listAndSelect(multicastDevice());
    w->le_port->setText(QStringLiteral("8000"));
    const qint64 before = statusKb("VmRSS:");
    // Random datagrams fill the list up to its cap: a third have a search reply's length, each a
    // forged device with a MAC of its own. Sent in batches the receiver takes whole, to the window
    // hidden: its table sizes every column to the rows' contents, which costs each repaint dearly.
    w->hide();
    QRandomGenerator fill(11);
    int forged = 0;
    while (forged < maxDeviceRecords) {
        for (int i = 0; i < fillBatch; ++i) {
            const QByteArray datagram = noiseDatagram(fill);
            forged += isSearchReplyLength(datagram.size()) ? 1 : 0;
            send(datagram);
        }
        const int listed = std::min(1 + forged, maxDeviceRecords);
        QVERIFY2(waitUntil([&] { return w->devct == listed; }),
                 qPrintable(QStringLiteral("%1 of %2 listed").arg(w->devct).arg(listed)));
    }
    QCOMPARE(w->ui->tableWidget->rowCount(), maxDeviceRecords);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));

    // More of the same comes from its own thread, as from another host, through the transaction.
    std::unique_ptr<QThread> noise(QThread::create([] {
        QUdpSocket socket;
        QRandomGenerator random(7);
        for (int i = 0; i < noiseDatagrams; ++i)
            socket.writeDatagram(noiseDatagram(random), QHostAddress(lab::pcAddress()), discoveryPort);
    }));
    int peakRecords = 0;
    int peakRows = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        peakRecords = std::max(peakRecords, w->devct);
        peakRows = std::max(peakRows, w->ui->tableWidget->rowCount());
    });
    sampler.start(5);
    noise->start();
    // The device accepts every trade, a little after each was sent.
    QTimer device;
    QObject::connect(&device, &QTimer::timeout, [&] { send(QByteArray::fromHex("41001a2b3c4d5e")); });
    device.start(50);
    w->on_netCfg_clicked();
    noise->wait();
    QCOMPARE(w->socketS->text(), QStringLiteral("成功[00:1A:2B:3C:4D:5E]"));
    QCOMPARE(notices->notices, QStringList{QStringLiteral("完成|网络配置修改成功")});
    // Neither the list nor the table ever went past the cap.
    QCOMPARE(peakRecords, maxDeviceRecords);
    QCOMPARE(peakRows, maxDeviceRecords);
    const qint64 peak = statusKb("VmHWM:");
    qInfo("flood: %d datagrams, rss before %lld kB, peak %lld kB", noiseDatagrams, before, peak);
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer keeps freed memory in quarantine, so the bound means nothing there.
    QVERIFY2(peak - before < 256 * 1024, "memory grew by more than 256 MB");
#endif
}

void tst_Faults::validFloodStopsAtCap()
{
    for (int i = 0; i < maxDeviceRecords + 500; ++i)
        send(buildReply(55, QStringLiteral("2=0a0b%1 10=c0a80001").arg(i, 8, 16, QLatin1Char('0'))));
    QVERIFY(waitUntil([&] { return w->devct == maxDeviceRecords; }, 60000));
    QCOMPARE(w->ui->tableWidget->rowCount(), maxDeviceRecords);
    QCOMPARE(w->deviceReplys.size(), maxDeviceRecords);
}

void tst_Faults::emptyAndOversizedDatagramsRestartReceiver()
{
    // Probes are counted from the window's first, so this test builds its own.
    w.reset();
    LogCapture log;
    const auto probes = [&] { return log.messages().filter(QStringLiteral("广播sendto() :")).size(); };
    w = std::make_unique<MainWindow>();
    QVERIFY(waitUntil([&] { return probes() == 1; }));
    listAndSelect(multicastDevice());
    // An empty datagram ends the receive loop: it starts again and probes again.
    send(QByteArray());
    QVERIFY(waitUntil([&] { return probes() == 2; }));
    // One over 1,024 bytes is dropped whole; nothing of it reaches intake, and the loop goes on.
    send(QByteArray(1100, '\x5a'));
    send(buildReply(55, QStringLiteral("2=00aa00000001 10=c0a80002")));
    QVERIFY(waitUntil([&] { return w->ui->tableWidget->rowCount() == 2; }));
    QCOMPARE(w->devct, 2);
    QCOMPARE(probes(), 2);
}

// A burst is taken in several datagrams at a time: every reply is still listed, in the order
// it arrived, including those that came just before an empty datagram ended the receive loop.
void tst_Faults::burstListedInArrivalOrder()
{
    constexpr int replies = 500;
    for (int i = 0; i < replies; ++i)
        send(buildReply(55, QStringLiteral("2=0a0c%1 10=c0a80001").arg(i, 8, 16, QLatin1Char('0'))));
    send(QByteArray());
    QVERIFY(waitUntil([&] { return w->ui->tableWidget->rowCount() == replies; }));
    for (int row = 0; row < replies; ++row)
        QCOMPARE(w->ui->tableWidget->item(row, 4)->text(),
                 QStringLiteral("0A:0C:%1:%2:%3:%4")
                     .arg(row >> 24, 2, 16, QLatin1Char('0'))
                     .arg((row >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
                     .arg((row >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                     .arg(row & 0xFF, 2, 16, QLatin1Char('0'))
                     .toUpper());
}

void tst_Faults::closeWhileTransactionWaits()
{
    listAndSelect(multicastDevice());
    w->le_port->setText(QStringLiteral("8000"));
    // Only giving up for the closed window can end this wait before the test's own time-out.
    w->timSender->setInterval(10 * 60 * 1000);
    QTimer::singleShot(400, w.get(), [&] { w->m_pCloseButton->click(); });
    w->on_netCfg_clicked();
    QVERIFY(!w->isVisible());
    QCOMPARE(w->doResult[0], 2);
    w.reset();
}

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
