#include "discovery/devicelist.h"
#include "discovery/intake.h"
#include "discovery/reply201.h"
#include "discovery/reply407.h"
#include "discovery/replybytes.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QDebug>
#include <QTableWidget>
#include <QTimer>

#include <iterator>

namespace {

constexpr int plainTradeReplyLength = 1;
constexpr int macTradeReplyLength = 7;
constexpr int encryptedTradeReplyLength = 68;

} // namespace

void MainWindow::newRecvData(QByteArray newRData, unsigned long newRLen)
{
    qDebug() << "触发接收";
    ensureIntakeSlot();
    baRecv[devct] = newRData.left(static_cast<int>(newRLen));
    QByteArray &slot = baRecv[devct];
    const int length = slot.size();
    const bool searchReply =
        length == reply407::length || length == reply201::length || length == reply407::encryptedLength;

    if (searchReply && devct >= maxDeviceRecords) {
        qDebug().noquote() << "设备列表已满, reply dropped [count:" << devct << "]:" << slot.toHex()
                           << "  [size:" << length << "]";
    } else if (length == plainTradeReplyLength || length == macTradeReplyLength
               || length == encryptedTradeReplyLength) {
        tradeReplyReceived(intake::classify(slot), QHostAddress(orgIP));
    } else if (length == reply407::length) {
        deviceReplys[devct].protocol = 1;
        qDebug().noquote() << "recv=55,count=" << devct << "[content]" << slot.toHex() << "  [size:" << length
                           << "]";
        if (append407(slot) == 0 && placedRow == devct)
            ++devct;
    } else if (length == reply201::length) {
        deviceReplys[devct].protocol = 3;
        if (append201(slot) == 0 && placedRow == devct)
            ++devct;
    } else if (length == reply407::encryptedLength) {
        deviceReplys[devct].protocol = 2;
        slot.truncate(recv_dec(reply407::encryptedLength, slot, 'S'));
        qDebug().noquote() << "recv=116,count=" << devct << "[content]" << slot.toHex() << "  [size:"
                           << slot.size() << "]";
        if (append407(slot) == 0 && placedRow == devct)
            ++devct;
    } else {
        qDebug().noquote() << "抛弃的数据[count:" << devct << "]:" << slot.toHex() << "  [size:" << length
                           << "]";
    }
    qDebug() << "结束接收";
}

int MainWindow::append201(QByteArray strData)
{
    ensureIntakeSlot();
    deviceReply &record = deviceReplys[devct];
    record.ipv4 = replybytes::replyIpv4(strData);
    if (refusedBySingleIp(record.ipv4))
        return -1;
    reply201::decode(strData, record);
    placeDecodedRecord(strData);
    logPlacement();
    return 0;
}

int MainWindow::append407(QByteArray strData)
{
    ensureIntakeSlot();
    deviceReply &record = deviceReplys[devct];
    record.ipv4 = replybytes::replyIpv4(strData);
    if (refusedBySingleIp(record.ipv4))
        return -1;
    reply407::decode(strData, record);
    placeDecodedRecord(strData);
    logPlacement();
    return 0;
}

void MainWindow::ensureIntakeSlot()
{
    const std::size_t needed = static_cast<std::size_t>(devct) + 1;
    if (deviceReplys.size() < needed)
        deviceReplys.resize(needed);
    if (baRecv.size() < needed)
        baRecv.resize(needed);
}

bool MainWindow::refusedBySingleIp(const QString &ipv4) const
{
    if (searchMode != 'S' || ipv4 == scIP)
        return false;
    qDebug().noquote() << "201-非指定的IP: " << ipv4 << "devct: " << devct;
    return true;
}

void MainWindow::placeDecodedRecord(const QByteArray &reply)
{
    // Row i shows record i, so the table's MAC index also finds the record.
    int index = rowOfMac.value(deviceReplys[devct].mac, devct);
    if (index > devct)
        index = devct;
    if (index != devct) {
        deviceReplys[index] = deviceReplys[devct];
        baRecv[index] = reply;
    }
    placedRow = placeDeviceRow(deviceReplys[index]);
    if (placedRow != index)
        qDebug() << "row" << placedRow << "placed for record" << index;
}

void MainWindow::logPlacement() const
{
    qDebug() << "new rowcount:" << ui->tableWidget->rowCount() << "\n";
    qDebug() << "devct:" << devct << "\n";
}
