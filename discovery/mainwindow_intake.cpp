#include "app/debuglog.h"
#include "crypto/framelog.h"
#include "discovery/intake.h"
#include "engine/confirmation.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QDateTime>
#include <QDebug>
#include <QTableWidget>

void MainWindow::newRecvData(QByteArray newRData, unsigned long newRLen)
{
    qCDebug(debugLog) << "触发接收";
    const QByteArray datagram = newRData.left(static_cast<int>(newRLen));
    const intake::Classified reply = intake::classify(datagram);
    const int length = datagram.size();

    if (reply.kind == intake::Kind::SearchReply && !deviceReplys.hasRoomFor(reply.record.mac)) {
        qCDebug(debugLog).noquote() << "设备列表已满, reply dropped [count:" << devct
                                    << "]:" << datagram.toHex() << "  [size:" << length << "]";
    } else if (reply.kind == intake::Kind::SearchReply) {
        if (reply.family == DeviceFamily::Plain407) {
            qCDebug(debugLog).noquote() << "recv=55,count=" << devct << "[content]" << datagram.toHex()
                                        << "  [size:" << length << "]";
        } else if (reply.family == DeviceFamily::Encrypted407) {
            logFrame(reply);
            qCDebug(debugLog).noquote() << "recv=116,count=" << devct << "[content]" << reply.payload.toHex()
                                        << "  [size:" << reply.payload.size() << "]";
        }
        appendDevice(reply.record, reply.payload);
    } else if (reply.kind == intake::Kind::TradeReply) {
        if (reply.family == DeviceFamily::Plain407) {
            qCDebug(debugLog).noquote()
                << "doResultCount=" << doResultCount << "[content]" << datagram.toHex();
        } else if (reply.family == DeviceFamily::Reply201) {
            qCDebug(debugLog).noquote() << "mac[" << reply.mac << "]doResultCount=" << doResultCount
                                        << "[content]" << datagram.toHex() << "\n";
        } else {
            logFrame(reply);
            qCDebug(debugLog).noquote() << "recv=68,count=" << devct << "[content]" << reply.payload.toHex()
                                        << "  [size:" << reply.payload.size() << "]";
        }
        tradeReplyReceived(reply, datagramSender);
    } else {
        qCDebug(debugLog).noquote() << "抛弃的数据[count:" << devct << "]:" << datagram.toHex()
                                    << "  [size:" << length << "]";
    }
    qCDebug(debugLog) << "结束接收";
}

int MainWindow::append201(QByteArray strData)
{
    return appendDevice(intake::decodeSearchReply(DeviceFamily::Reply201, strData), strData);
}

int MainWindow::append407(QByteArray strData)
{
    return appendDevice(intake::decodeSearchReply(DeviceFamily::Plain407, strData), strData);
}

int MainWindow::appendDevice(const deviceReply &record, const QByteArray &reply)
{
    // A configured device is looked for whatever the table shows.
    if (netConfirmation)
        netConfirmation->observe(record);
    if (refusedBySingleIp(record.ipv4))
        return -1;
    const DeviceList::MergeResult merged =
        deviceReplys.merge(record, address.toString(), QDateTime::currentDateTimeUtc());
    if (merged.outcome == DeviceList::Outcome::Full) {
        qCDebug(debugLog) << "设备列表已满, record not listed:" << record.mac;
        return -1;
    }
    if (merged.outcome == DeviceList::Outcome::Added)
        baRecv.push_back(reply);
    else
        baRecv[static_cast<std::size_t>(merged.index)] = reply;

    const int row = placeDeviceRow(deviceReplys[merged.index]);
    if (row != merged.index)
        qCDebug(debugLog) << "row" << row << "placed for record" << merged.index;
    logPlacement();
    devct = deviceReplys.size();
    return 0;
}

bool MainWindow::refusedBySingleIp(const QString &ipv4) const
{
    if (searchMode != 'S' || ipv4 == scIP)
        return false;
    qCDebug(debugLog).noquote() << "201-非指定的IP: " << ipv4 << "devct: " << devct;
    return true;
}

void MainWindow::logFrame(const intake::Classified &reply) const
{
    if (reply.hasIds)
        logOpenedFrame(reply.frameKey, reply.payload, reply.txid, reply.snid);
    else
        qCDebug(debugLog).noquote() << "frame not opened:" << reply.reason;
}

void MainWindow::logPlacement() const
{
    qCDebug(debugLog) << "new rowcount:" << ui->tableWidget->rowCount() << "\n";
    qCDebug(debugLog) << "devct:" << devct << "\n";
}
