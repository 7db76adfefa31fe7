#include "netcfg/tradeframes.h"
#include "netcfg/tradeplan.h"
#include "ui/iplineedit.h"
#include "ui/mainwindow.h"
#include "ui/noticebox.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <iterator>

namespace {

constexpr int waiting = 99;
constexpr int accepted = 0;
constexpr int refused = 1;
constexpr int timedOut = 2;
constexpr int loginSlot = 0;
constexpr int eventSliceMs = 5;
constexpr unsigned long sleepStepMs = 100;

} // namespace

void MainWindow::on_netCfg_clicked()
{
    if (cur_row == noDeviceRow || cur_row < 0 || cur_row >= deviceReplys.size()) {
        showNoticeBox(QStringLiteral("提示"), QStringLiteral("没有选择设备"), SHOW_DELAY);
        qDebug() << "netCfg没有选择设备";
        return;
    }
    if (le_password->text().trimmed().isEmpty() || le_user->text().trimmed().isEmpty()) {
        showNoticeBox(QStringLiteral("提示"), QStringLiteral("用户、密码缺失,无法登录设备"), SHOW_DELAY);
        qDebug() << "netCfg缺用户名/密码";
        return;
    }
    qDebug() << "Set.fw:" << le_fw->text() << "Len:" << le_fw->text().trimmed().size();

    // The record is copied: a reply arriving while we wait may overwrite the list entry.
    const deviceReply record = deviceReplys[cur_row];
    const NetForm form{le_ipv4->text(),    le_port->text(),  le_mask->text(),
                       le_gateway->text(), le_dstip->text(), le_dstport->text(),
                       le_sn->text(),      le_user->text(),  le_password->text()};
    const TradePlan plan = planTrades(form, record, orgIP);
    qDebug() << "setting_count[" << plan.settingCount << "]";
    if (!plan.refusedField.isEmpty()) {
        showNoticeBox(QStringLiteral("提示"),
                      plan.refusedField + QStringLiteral(" 的值超出范围,未发送任何交易"), SHOW_DELAY);
        return;
    }
    if (plan.trades.empty()) {
        showNoticeBox(QStringLiteral("提示"), QStringLiteral("没有任何改动"), SHOW_DELAY);
        return;
    }
    if (!tradesByAddress(record.protocol))
        dstMac = plan.dstMac;

    const int modified_count = static_cast<int>(plan.trades.size());
    for (int i = 0; i < modified_count; ++i)
        doSetting[i] = plan.trades[i].code;
    std::fill(std::begin(doResult), std::end(doResult), accepted);
    int lostFlag = 0;
    setInteractionLocked(true);
    tradeFamilyWaiting = tradesByAddress(record.protocol) ? record.protocol : DeviceFamily::Reply201;
    qDebug() << "Trade start ------------------------------------------------------";

    for (doResultCount = 0; doResultCount < modified_count; ++doResultCount) {
        const QByteArray &request = plan.trades[doResultCount].request;
        qDebug() << "Trade Count:" << doResultCount << " senddata: " << request.toHex()
                 << " datasize:" << request.size();
        doResult[doResultCount] = waiting;
        if (!sendTrade(request, record.protocol)) {
            doResult[doResultCount] = refused;
        } else {
            timSender->start();
            // Abandoned when the window goes away: nothing could still answer.
            while (doResult[doResultCount] == waiting && isVisible()) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, eventSliceMs);
                QThread::msleep(sleepStepMs);
            }
            if (doResult[doResultCount] == waiting) {
                timSender->stop();
                doResult[doResultCount] = timedOut;
            }
        }
        const int result = doResult[doResultCount];
        if (result == timedOut) {
            qDebug() << "第[" << doResultCount << "]个交易失败，超时";
            lostFlag = timedOut;
            if (doResultCount == loginSlot || !isVisible())
                break;
        } else if (result == refused) {
            qDebug() << "第[" << doResultCount << "]个交易失败";
            lostFlag = refused;
        } else {
            qDebug() << "第[" << doResultCount << "]个交易成功";
        }
    }
    tradeFamilyWaiting = DeviceFamily::Unknown;
    const int sentUpTo = std::min(modified_count, static_cast<int>(std::size(doResult)));

    if (lostFlag != 0) {
        QString lostItem;
        for (int i = 0; i < sentUpTo; ++i)
            if (doResult[i] != accepted)
                lostItem += tradeframes::label(doSetting[i]);
        socketS->setText(QStringLiteral("[") + record.mac + QStringLiteral("]") + lostItem +
                         QStringLiteral("失败"));
        if (isVisible())
            showNoticeBox(QStringLiteral("失败"), lostItem, SHOW_DELAY);
    } else {
        socketS->setText(QStringLiteral("成功[") + record.mac + QStringLiteral("]"));
        if (isVisible())
            showNoticeBox(QStringLiteral("完成"), QStringLiteral("网络配置修改成功"), SHOW_DELAY);
    }
    qDebug() << "Trade end ------------------------------------------------------";
    setInteractionLocked(false);
    on_Search_clicked();
}

bool MainWindow::sendTrade(QByteArray request, DeviceFamily protocol)
{
    if (!m_qudpSocket)
        return false;
    if (protocol == DeviceFamily::Plain407)
        return m_qudpSocket->writeDatagram(request, QHostAddress(orgIP), orgPort) == request.size();
    if (protocol == DeviceFamily::Encrypted407) {
        const quint16 length = send_enc(static_cast<quint16>(request.size()), request);
        if (length == 0) {
            qDebug() << "trade not encrypted, not sent";
            return false;
        }
        request.truncate(length);
        qDebug() << "Encrypt senddata[" << request.toHex() << " datasize[" << request.size() << "]";
        return m_qudpSocket->writeDatagram(request, QHostAddress(orgIP), orgPort) == request.size();
    }
    return m_qudpSocket->writeDatagram(request, QHostAddress(mcIP), nport) == request.size();
}

void MainWindow::onTimeOutNetcfg()
{
    timSender->stop();
    if (doResultCount >= 0 && doResultCount < static_cast<int>(std::size(doResult)))
        doResult[doResultCount] = timedOut;
}

void MainWindow::tradeReplyReceived(const intake::Classified &reply, const QHostAddress &)
{
    // Only the family a transaction waits for answers with this length; anything else is noise
    // and must neither settle a trade nor touch the selected device's frame ids.
    if (reply.family != tradeFamilyWaiting) {
        qDebug().noquote() << "trade reply while none of its family waits, dropped:" << reply.payload.toHex();
        return;
    }
    // A reply from another device than the one being configured leaves the trade waiting.
    if (reply.family == DeviceFamily::Reply201 && reply.mac != dstMac)
        return;
    stopTradeTimer();
    if (reply.hasIds && cur_row >= 0 && cur_row < deviceReplys.size())
        deviceReplys.updateIds(deviceReplys[cur_row].mac, reply.txid, reply.snid);
    recordTradeResult(reply.accepted ? accepted : refused);
}

void MainWindow::recordTradeResult(int result)
{
    if (doResultCount < 0 || doResultCount >= static_cast<int>(std::size(doResult))) {
        qDebug() << "no trade slot" << doResultCount << "for result" << result;
        return;
    }
    doResult[doResultCount] = result;
    qDebug() << "doResult[doResultCount]" << result << "[doResultCount]" << doResultCount;
}

void MainWindow::stopTradeTimer()
{
    if (timSender)
        timSender->stop();
}
