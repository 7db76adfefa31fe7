#include "webcfg/commandreply.h"
#include "ui/iplineedit.h"
#include "ui/mainwindow.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>

namespace {

constexpr int inFlight = 1;
constexpr int ended = 0;
constexpr int refusedByDevice = -1;
constexpr int gaveUp = -2;
constexpr int loginOk = 0;
constexpr int loginWrong = -1;
constexpr int loginFailed = -2;
constexpr int loginRelogin = -3;
constexpr int eventSliceMs = 5;
constexpr unsigned long sleepStepMs = 100;
constexpr int maxRedirects = 3;

const char endFlagLegend[] = " 交易结束标志[错误 = -1初始 = 1 成功=0  超时 = -2]:";

bool sameOrigin(const QUrl &a, const QUrl &b)
{
    return a.scheme() == b.scheme() && a.host() == b.host() && a.port(80) == b.port(80);
}

} // namespace

int MainWindow::webCFG(QString type)
{
    const QString baseUrl = QStringLiteral("http://") + le_ipv4->text().trimmed() + QStringLiteral(":")
                          + le_port->text().trimmed() + QStringLiteral("/command/");
    qDebug() << "sendUrl:" << baseUrl << "webCMD:" << webCMD << "循环次数:" << webCMD.size();

    const bool known = type == QLatin1String("get") || type == QLatin1String("set");
    if (known && webSequenceRunning) {
        qDebug() << "web sequence already running, refused";
        return gaveUp;
    }
    if (known) {
        webSequenceRunning = true;
        webOrigin = QUrl(baseUrl);
        for (int i = 0; i < webCMD.size(); ++i) {
            webTrade = webCMD[i];
            webRedirects = 0;
            startRequest(QUrl(baseUrl + webCMD[i]), cmdContents.value(i));
            while (isWebTradeOver >= inFlight && isVisible()) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, eventSliceMs);
                QThread::msleep(sleepStepMs);
            }
            if (isWebTradeOver >= inFlight) // the window went away
                isWebTradeOver = gaveUp;
            if (isWebTradeOver != ended) {
                qDebug() << webTrade << endFlagLegend << isWebTradeOver;
                timSenderWebcfg->stop();
                if (webTrade == QLatin1String("login"))
                    webLoginRes = loginFailed;
                webTrade.clear();
                webCMD.clear();
                cmdContents.clear();
                abandonReply();
                releaseUpload();
                webSequenceRunning = false;
                return gaveUp;
            }
        }
        qDebug() << "web交易完成";
        webSequenceRunning = false;
    }
    webTrade.clear();
    webCMD.clear();
    cmdContents.clear();
    return 0;
}

void MainWindow::startRequest(QUrl requestedUrl, QByteArray requestData)
{
    QNetworkRequest request(requestedUrl);
    // Cookies are ours to send: the manager's jar would also put them on the login.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    // Redirects are ours to follow (Qt 6 would follow them itself): the cookie-origin check and
    // the redirect cap below must see each one.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    timSenderWebcfg->start();
    isWebTradeOver = inFlight;
    // Login cookies go to the device they came from, never to a host a redirect names.
    const bool cookiesAllowed = sameOrigin(requestedUrl, webOrigin);
    const QString path = requestedUrl.path(QUrl::FullyDecoded);

    if (path.contains(QLatin1String("upload"))) {
        const QString filePath = QString::fromUtf8(requestData);
        const QString fileName = QFileInfo(filePath).fileName();
        qDebug() << "Upload reqData:" << filePath << "fwFilename:" << fileName;
        releaseUpload();
        multiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentDispositionHeader, commandreply::uploadDisposition(fileName));
        qDebug() << "Upload filePath:" << filePath;
        fwFile = new QFile(filePath);
        const bool opened = fwFile->open(QIODevice::ReadOnly);
        qDebug() << "Upload openFile:" << opened;
        part.setBodyDevice(fwFile);
        multiPart->append(part);
        if (cookiesAllowed)
            request.setHeader(QNetworkRequest::CookieHeader, variantCookies);
        reply = manager->post(request, multiPart);
        return;
    }

    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    if (!path.contains(QLatin1String("login")) && cookiesAllowed)
        request.setHeader(QNetworkRequest::CookieHeader, variantCookies);
    qDebug() << "post url:" << requestedUrl << "  Data:" << QString::fromLocal8Bit(requestData);
    reply = manager->post(request, requestData);
}

void MainWindow::replyFinished()
{
    // The time-out keeps running for the answers that leave the end to it (too short, an
    // unexpected status); stopped, it would leave the sequence waiting for ever.
    if (webTrade == QLatin1String("upload"))
        releaseUpload();
    if (!reply)
        return;
    QNetworkReply *const done = reply;

    if (done->error() != QNetworkReply::NoError) {
        timSenderWebcfg->stop();
        qDebug() << "交易:" << webTrade << "   " << done->errorString();
        done->deleteLater();
        reply = nullptr;
        if (webTrade == QLatin1String("login"))
            webLoginRes = loginFailed;
        webTrade.clear();
        isWebTradeOver = ended;
        return;
    }

    const int status = done->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    qDebug() << "交易:" << webTrade << "  reply StatusCode:" << status;
    if (status >= 200 && status <= 299) {
        const QString text = QString::fromUtf8(done->readAll());
        qDebug() << "交易:" << webTrade << "   " << "接收到的数据replayStr:" << text;
        const commandreply::Answer answer = commandreply::interpret(text);
        if (answer != commandreply::Answer::TooShort)
            timSenderWebcfg->stop();
        switch (answer) {
        case commandreply::Answer::TooShort:
            break;
        case commandreply::Answer::Unsupported:
            isWebTradeOver = ended;
            break;
        case commandreply::Answer::Ok:
            qDebug() << "successed: " << webTrade;
            if (webTrade == QLatin1String("login")) {
                variantCookies = done->header(QNetworkRequest::SetCookieHeader);
                webLoginRes = loginOk;
            } else if (webTrade == QLatin1String("datetime_get")) {
                const commandreply::DeviceDatetime found = commandreply::parseDatetimeGet(text);
                devDatetime = found.datetime;
                devNtpSet = found.ntpSet;
                devNtpServerIP = found.ntpServer;
            }
            isWebTradeOver = ended;
            break;
        case commandreply::Answer::Login:
            if (webTrade == QLatin1String("login"))
                webLoginRes = loginWrong;
            isWebTradeOver = refusedByDevice;
            break;
        case commandreply::Answer::Relogin:
            if (webTrade == QLatin1String("login"))
                webLoginRes = loginRelogin;
            isWebTradeOver = refusedByDevice;
            break;
        case commandreply::Answer::Unknown:
            isWebTradeOver = gaveUp;
            break;
        }
        done->deleteLater();
        reply = nullptr;
        webTrade.clear();
        return;
    }

    const QUrl target = done->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (status >= 300 && status <= 399 && target.isValid()) {
        timSenderWebcfg->stop();
        done->deleteLater();
        reply = nullptr;
        const QUrl resolved = done->url().resolved(target);
        if (++webRedirects > maxRedirects) {
            qDebug() << "too many redirects, last to" << resolved;
            isWebTradeOver = gaveUp;
        } else {
            startRequest(resolved, QByteArray());
            qDebug() << "http redirect to " << resolved;
        }
    }
    webTrade.clear();
}

void MainWindow::onTimeOutWebcfg()
{
    timSenderWebcfg->stop();
    isWebTradeOver = gaveUp;
}

void MainWindow::releaseUpload()
{
    if (fwFile) {
        fwFile->close();
        fwFile->deleteLater();
        fwFile = nullptr;
    }
    if (multiPart) {
        multiPart->deleteLater();
        multiPart = nullptr;
    }
}

void MainWindow::abandonReply()
{
    if (!reply)
        return;
    QNetworkReply *const given_up = reply;
    // Cleared first: the abort's own finished signal must find no reply to interpret.
    reply = nullptr;
    given_up->abort();
    given_up->deleteLater();
}
