#include "engine/confirmation.h"
#include "netcfg/tradeframes.h"
#include "ui/mainwindow.h"

#include <QDebug>
#include <QLabel>

namespace {

// A restarting device needs some seconds before it answers again; past this it is taken as gone.
constexpr int confirmationLimitMs = 15000;
constexpr int reprobeIntervalMs = 3000;

const QString confirmedText = QStringLiteral(" 已确认设备在新地址上线");
const QString notBackText = QStringLiteral(" 设备未在新地址出现");

} // namespace

void MainWindow::showTradeProgress(int slot, int tradeCount, int code)
{
    socketS->setText(QStringLiteral("配置中 %1/%2 %3")
                         .arg(slot + 1)
                         .arg(tradeCount)
                         .arg(tradeframes::label(code).trimmed()));
}

void MainWindow::confirmConfiguredDevice(const QString &mac, const QString &ipv4, const QString &port)
{
    stopConfirmation();
    // The outcome goes after the transaction's own report, which stays as it is until then.
    const QString report = socketS->text();
    auto *confirmation = new Confirmation(mac, ipv4, port, confirmationLimitMs, reprobeIntervalMs, this);
    netConfirmation = confirmation;
    connect(confirmation, &Confirmation::finished, this,
            [this, confirmation, report, mac, ipv4, port](bool confirmed, const deviceReply &) {
                qDebug().noquote() << QStringLiteral("confirm[") + mac + QLatin1Char(']')
                                   << (confirmed ? "back at" : "not back at") << ipv4 << port;
                socketS->setText(report + (confirmed ? confirmedText : notBackText));
                confirmation->deleteLater();
            });
    // The search that follows the transaction is the first probe: only the re-probes are sent here.
    confirmation->start();
    connect(confirmation, &Confirmation::probeWanted, this, &MainWindow::sendSearchProbes);
}

void MainWindow::stopConfirmation()
{
    delete netConfirmation;
}
