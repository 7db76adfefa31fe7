#include "discovery/devicefamily.h"
#include "discovery/intake.h"
#include "engine/configtransaction.h"
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

constexpr int noDevice = 9999;
constexpr int eventSliceMs = 5;
constexpr unsigned long sleepStepMs = 100;

} // namespace

void MainWindow::on_netCfg_clicked()
{
    if (cur_row == noDevice || cur_row < 0 || cur_row >= static_cast<int>(deviceReplys.size())) {
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
    if (!tradesByAddress(static_cast<DeviceFamily>(record.protocol)))
        dstMac = plan.dstMac;

    const int modified_count = static_cast<int>(plan.trades.size());
    for (int i = 0; i < modified_count; ++i)
        doSetting[i] = plan.trades[i].code;
    std::fill(std::begin(doResult), std::end(doResult), int(TradeResult::Accepted));
    setInteractionLocked(true);
    qDebug() << "Trade start ------------------------------------------------------";

    TransactionOptions options;
    options.tradeTimeoutMs = timSender->interval();
    options.group = QHostAddress(mcIP);
    options.discoveryPort = nport;
    ConfigTransaction transaction(*this, record, plan, QHostAddress(orgIP), orgPort, options);
    connect(&transaction, &ConfigTransaction::tradeStarted, this, [this, &plan](int slot, int) {
        doResultCount = slot;
        doResult[slot] = int(TradeResult::Waiting);
        const QByteArray &request = plan.trades[std::size_t(slot)].request;
        qDebug() << "Trade Count:" << slot << " senddata: " << request.toHex()
                 << " datasize:" << request.size();
    });
    connect(&transaction, &ConfigTransaction::frameSealed, this,
            [this](int, const QByteArray &key, const framecipher::TransactionId &sentId,
                   const framecipher::DeviceId &snid, const QByteArray &frame) {
                logSentFrame(key, sentId, snid, frame);
                qDebug() << "Encrypt senddata[" << frame.toHex() << " datasize[" << frame.size() << "]";
            });
    connect(&transaction, &ConfigTransaction::tradeFinished, this, [this](int slot, int, TradeResult result) {
        doResult[slot] = int(result);
        if (result == TradeResult::TimedOut)
            qDebug() << "第[" << slot << "]个交易失败，超时";
        else if (result == TradeResult::Refused)
            qDebug() << "第[" << slot << "]个交易失败";
        else
            qDebug() << "第[" << slot << "]个交易成功";
    });
    connect(&transaction, &ConfigTransaction::idsChanged, this,
            [this](const QString &mac, const framecipher::TransactionId &txid,
                   const framecipher::DeviceId &snid) {
                // The selected device's record carries the ids its next frame needs.
                if (cur_row < 0 || cur_row >= static_cast<int>(deviceReplys.size()) ||
                    deviceReplys[std::size_t(cur_row)].mac != mac)
                    return;
                deviceReply &selected = deviceReplys[std::size_t(cur_row)];
                std::copy(txid.begin(), txid.end(), selected.TXID);
                std::copy(snid.begin(), snid.end(), selected.SNID);
            });
    netTransaction = &transaction;
    transaction.start();
    // Abandoned when the window goes away: nothing could still answer.
    while (!transaction.isFinished() && isVisible()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, eventSliceMs);
        QThread::msleep(sleepStepMs);
    }
    const bool abandoned = !transaction.isFinished();
    transaction.abort();
    netTransaction = nullptr;
    const int sent = static_cast<int>(transaction.results().size());
    doResultCount = abandoned || sent < modified_count ? sent - 1 : modified_count;

    const QString lostItem = transaction.failedLabels();
    if (!lostItem.isEmpty()) {
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

bool MainWindow::sendTrade(const QByteArray &datagram, const QHostAddress &to, quint16 port)
{
    return m_qudpSocket && m_qudpSocket->writeDatagram(datagram, to, port) == datagram.size();
}

void MainWindow::tradeReplyReceived(const intake::Classified &reply, const QHostAddress &from)
{
    if (!netTransaction || netTransaction->family() != reply.family) {
        // Only the family a transaction waits for answers this way; anything else is noise.
        qDebug().noquote() << "trade reply while none of its family waits, dropped:" << reply.payload.toHex();
        return;
    }
    switch (reply.family) {
    case DeviceFamily::Plain407:
        qDebug().noquote() << "doResultCount=" << doResultCount << "[content]" << reply.payload.toHex();
        break;
    case DeviceFamily::Encrypted407:
        qDebug().noquote() << "recv=68,count=" << devct << "[content]" << reply.payload.toHex()
                           << "  [size:" << reply.payload.size() << "]";
        break;
    default:
        qDebug().noquote() << "mac[" << reply.mac << "]doResultCount=" << doResultCount << "[content]"
                           << reply.payload.toHex() << "\n";
        break;
    }
    if (!netTransaction->offer(reply, from))
        qDebug().noquote() << "trade reply of another device, ignored";
}

void MainWindow::onTimeOutNetcfg()
{
    timSender->stop();
    if (netTransaction)
        netTransaction->expireWaitingTrade();
}
