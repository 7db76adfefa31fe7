#include "engine/websession.h"
#include "ui/iplineedit.h"
#include "ui/mainwindow.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

namespace {

constexpr int eventSliceMs = 5;
constexpr unsigned long sleepStepMs = 100;

const char endFlagLegend[] = " 交易结束标志[错误 = -1初始 = 1 成功=0  超时 = -2]:";

} // namespace

int MainWindow::webCFG(QString type)
{
    const QString baseUrl = QStringLiteral("http://") + le_ipv4->text().trimmed() + QStringLiteral(":") +
                            le_port->text().trimmed() + QStringLiteral("/command/");
    qDebug() << "sendUrl:" << baseUrl << "webCMD:" << webCMD << "循环次数:" << webCMD.size();

    const bool known = type == QLatin1String("get") || type == QLatin1String("set");
    if (known && webSession) {
        qDebug() << "web sequence already running, refused";
        return WebSession::kGaveUp;
    }
    int result = WebSession::kEnded;
    if (known) {
        QList<WebCommand> commands;
        for (int i = 0; i < webCMD.size(); ++i)
            commands.append({webCMD[i], cmdContents.value(i)});
        WebSession session(*manager, QUrl(baseUrl));
        session.setCookies(variantCookies);
        session.setCommandTimeoutMs(timSenderWebcfg->interval());
        connect(&session, &WebSession::commandStarted, this, [this](const QString &name) {
            webTrade = name;
            isWebTradeOver = WebSession::kInFlight;
        });
        connect(&session, &WebSession::commandFinished, this, [this](const QString &name, int endFlag) {
            isWebTradeOver = endFlag;
            if (endFlag != WebSession::kEnded)
                qDebug() << name << endFlagLegend << endFlag;
        });
        connect(&session, &WebSession::finished, this,
                [&result](int sequenceResult) { result = sequenceResult; });
        webSession = &session;
        session.run(commands);
        while (session.isRunning() && isVisible()) {
            reply = session.pendingReply();
            QCoreApplication::processEvents(QEventLoop::AllEvents, eventSliceMs);
            QThread::msleep(sleepStepMs);
        }
        // Given up when the window goes away, as by a time-out.
        session.abort();
        webSession = nullptr;
        reply = nullptr;
        variantCookies = session.cookies();
        if (session.loginAnswered())
            webLoginRes = session.loginResult();
        if (session.hasDeviceDatetime()) {
            devDatetime = session.deviceDatetime().datetime;
            devNtpSet = session.deviceDatetime().ntpSet;
            devNtpServerIP = session.deviceDatetime().ntpServer;
        }
        if (result == WebSession::kEnded)
            qDebug() << "web交易完成";
    }
    webTrade.clear();
    webCMD.clear();
    cmdContents.clear();
    return result;
}

void MainWindow::onTimeOutWebcfg()
{
    timSenderWebcfg->stop();
    if (webSession)
        webSession->abort();
}
