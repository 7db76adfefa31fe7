#include "crypto/framelog.h"
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
    std::fill(std::begin(doResult), std::end(doResult), int(TradeResult::Accepted));
    stopConfirmation();
    setInteractionLocked(true);
    qDebug() << "Trade start ------------------------------------------------------";

    TransactionOptions options;
    options.tradeTimeoutMs = timSender->interval();
    options.group = QHostAddress(mcIP);
    options.discoveryPort = nport;
    ConfigTransaction transaction(*this, record, plan, QHostAddress(orgIP), orgPort, options);
    connect(&transaction, &ConfigTransaction::tradeStarted, this,
            [this, &plan, modified_count](int slot, int code) {
                showTradeProgress(slot, modified_count, code);
                doResultCount = slot;
                doResult[slot] = int(TradeResult::Waiting);
                const QByteArray &request = plan.trades[std::size_t(slot)].request;
                qDebug() << "Trade Count:" << slot << " senddata: " << request.toHex()
                         << " datasize:" << request.size();
            });
    connect(&transaction, &ConfigTransaction::frameSealed, this,
            [this](int, const QByteArray &key, const framecipher::TransactionId &sentId,
                   const framecipher::DeviceId &snid, const QByteArray &frame) {
                logSealedFrame(key, sentId, snid, frame);
                qDebug() << "Encrypt senddata[" << frame.toHex() << " datasize[" << frame.size() << "]";
            });
    connect(&transaction, &ConfigTransaction::tradeFinished, this, [this](int slot, int, TradeResult result) {
        doResult[slot] = int(result);
        // Intake's line for a trade reply that settled the waiting slot.
        if (result != TradeResult::TimedOut)
            qDebug() << "doResult[doResultCount]" << int(result) << "[doResultCount]" << slot;
        if (result == TradeResult::TimedOut)
            qDebug() << "第[" << slot << "]个交易失败，超时";
        else if (result == TradeResult::Refused)
            qDebug() << "第[" << slot << "]个交易失败";
        else
            qDebug() << "第[" << slot << "]个交易成功";
    });
    // The device's record keeps the ids its next frame needs.
    connect(&transaction, &ConfigTransaction::idsChanged, this,
            [this](const QString &mac, const framecipher::TransactionId &txid,
                   const framecipher::DeviceId &snid) { deviceReplys.updateIds(mac, txid, snid); });
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
    if (lostItem.isEmpty() && isVisible())
        confirmConfiguredDevice(record.mac, form.ipv4, form.port);
}

bool MainWindow::sendTrade(const QByteArray &datagram, const QHostAddress &to, quint16 port)
{
    return m_qudpSocket && m_qudpSocket->writeDatagram(datagram, to, port) == datagram.size();
}

void MainWindow::tradeReplyReceived(const intake::Classified &reply, const QHostAddress &from)
{
    // Only the waiting trade's device may settle it; anything else must neither settle a trade
    // nor touch a device's frame ids.
    if (!netTransaction || !netTransaction->offer(reply, from))
        qDebug().noquote() << "trade reply not for the waiting trade, dropped:" << reply.payload.toHex();
}

void MainWindow::onTimeOutNetcfg()
{
    timSender->stop();
    if (netTransaction)
        netTransaction->expireWaitingTrade();
}
