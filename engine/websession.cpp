#include "engine/websession.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

Q_LOGGING_CATEGORY(webLog, "quillon.web")

const QString kLogin = QStringLiteral("login");
const QString kUpload = QStringLiteral("upload");
const QString kDatetimeGet = QStringLiteral("datetime_get");

constexpr int kLoginOk = 0;
constexpr int kLoginWrong = -1;
constexpr int kLoginFailed = -2;
constexpr int kLoginRelogin = -3;
constexpr int kDefaultHttpPort = 80;

bool sameOrigin(const QUrl &a, const QUrl &b)
{
    return a.scheme() == b.scheme() && a.host() == b.host() &&
           a.port(kDefaultHttpPort) == b.port(kDefaultHttpPort);
}

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
}

bool isRedirect(int status)
{
    return status >= 300 && status <= 399;
}

} // namespace

WebSession::WebSession(QNetworkAccessManager &manager, const QUrl &baseUrl, QObject *parent)
    : QObject(parent), manager(manager), base(baseUrl)
{
    commandTimer.setSingleShot(true);
    commandTimer.setInterval(kDefaultTimeoutMs);
    connect(&commandTimer, &QTimer::timeout, this, &WebSession::onTimeOut);
}

WebSession::~WebSession()
{
    abandonReply();
}

bool WebSession::run(const QList<WebCommand> &commands)
{
    if (running)
        return false;
    queue = commands;
    next = 0;
    running = true;
    startCommand();
    return true;
}

QNetworkReply *WebSession::pendingReply() const
{
    return reply;
}

void WebSession::abort()
{
    if (running)
        onTimeOut();
}

void WebSession::startCommand()
{
    if (next >= queue.size()) {
        running = false;
        emit finished(kEnded);
        return;
    }
    const WebCommand &command = queue[next];
    trade = command.name;
    redirects = 0;
    emit commandStarted(command.name);
    post(QUrl(base.toString() + command.name), command.body);
}

void WebSession::post(const QUrl &url, const QByteArray &body)
{
    QNetworkRequest request(url);
    // Redirects are followed here, so that the cookies' origin and the cap stay ours to check;
    // the cookies are ours to send, where a jar would also put them on the login.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    const bool cookiesAllowed = sameOrigin(url, base);
    const QString path = url.path(QUrl::FullyDecoded);
    commandTimer.start();

    if (path.contains(kUpload)) {
        const QString filePath = QString::fromUtf8(body);
        const QString fileName = QFileInfo(filePath).fileName();
        qCDebug(webLog) << "Upload reqData:" << filePath << "fwFilename:" << fileName;
        auto *multiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentDispositionHeader, commandreply::uploadDisposition(fileName));
        qCDebug(webLog) << "Upload filePath:" << filePath;
        auto *file = new QFile(filePath, multiPart);
        const bool opened = file->open(QIODevice::ReadOnly);
        qCDebug(webLog) << "Upload openFile:" << opened;
        part.setBodyDevice(file);
        multiPart->append(part);
        if (cookiesAllowed)
            request.setHeader(QNetworkRequest::CookieHeader, loginCookies);
        reply = manager.post(request, multiPart);
        multiPart->setParent(reply);
        connect(reply, &QNetworkReply::uploadProgress, this, &WebSession::uploadProgress);
    } else {
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QStringLiteral("application/x-www-form-urlencoded"));
        if (cookiesAllowed && !path.contains(kLogin))
            request.setHeader(QNetworkRequest::CookieHeader, loginCookies);
        qCDebug(webLog) << "post url:" << url << "  Data:" << QString::fromLocal8Bit(body);
        reply = manager.post(request, body);
    }
    QNetworkReply *const sent = reply;
    connect(sent, &QNetworkReply::finished, this, [this, sent] { onReplyFinished(sent); });
}

void WebSession::onReplyFinished(QNetworkReply *done)
{
    done->deleteLater();
    // A reply given up earlier may still end; it must not be taken for the one in flight.
    if (done != reply)
        return;
    reply = nullptr;

    if (done->error() != QNetworkReply::NoError) {
        commandTimer.stop();
        qCDebug(webLog) << "交易:" << trade << "   " << done->errorString();
        emit transportFailed(queue.value(next).name, done->errorString());
        if (trade == kLogin)
            setLoginResult(kLoginFailed);
        trade.clear();
        // A transport error ends the command; the sequence goes on.
        endCommand(kEnded);
        return;
    }

    const int status = done->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    qCDebug(webLog) << "交易:" << trade << "  reply StatusCode:" << status;
    if (isSuccess(status)) {
        interpret(done);
        return;
    }
    const QUrl target = done->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    trade.clear();
    if (isRedirect(status) && target.isValid())
        follow(done->url().resolved(target));
    // Any other status leaves the command to its time-out.
}

void WebSession::interpret(QNetworkReply *done)
{
    const QString text = QString::fromUtf8(done->readAll());
    qCDebug(webLog) << "交易:" << trade << "   "
                    << "接收到的数据replayStr:" << text;
    const commandreply::Answer answer = commandreply::interpret(text);
    const QString answeredFor = trade;
    trade.clear();
    emit answered(answeredFor, answer);
    switch (answer) {
    case commandreply::Answer::TooShort:
        // Left to the time-out, as the device's interface expects.
        return;
    case commandreply::Answer::Unsupported:
        endCommand(kEnded);
        return;
    case commandreply::Answer::Ok:
        qCDebug(webLog) << "successed: " << answeredFor;
        if (answeredFor == kLogin) {
            loginCookies = done->header(QNetworkRequest::SetCookieHeader);
            setLoginResult(kLoginOk);
        } else if (answeredFor == kDatetimeGet) {
            datetime = commandreply::parseDatetimeGet(text);
            datetimeRead = true;
        }
        endCommand(kEnded);
        return;
    case commandreply::Answer::Login:
        if (answeredFor == kLogin)
            setLoginResult(kLoginWrong);
        endCommand(kRefused);
        return;
    case commandreply::Answer::Relogin:
        if (answeredFor == kLogin)
            setLoginResult(kLoginRelogin);
        endCommand(kRefused);
        return;
    case commandreply::Answer::Unknown:
        endCommand(kGaveUp);
        return;
    }
}

void WebSession::follow(const QUrl &target)
{
    if (++redirects > kMaxRedirects) {
        qCDebug(webLog) << "too many redirects, last to" << target;
        endCommand(kGaveUp);
        return;
    }
    // The redirected answer is not read by command name: the trade was cleared.
    post(target, QByteArray());
    qCDebug(webLog) << "http redirect to " << target;
}

void WebSession::onTimeOut()
{
    if (!running)
        return;
    // Only a login whose answer was never read failed for want of one.
    if (trade == kLogin)
        setLoginResult(kLoginFailed);
    trade.clear();
    endCommand(kGaveUp);
}

void WebSession::endCommand(int flag)
{
    commandTimer.stop();
    const QString name = queue.value(next).name;
    emit commandFinished(name, flag);
    if (flag != kEnded) {
        abandonReply();
        running = false;
        emit finished(kGaveUp);
        return;
    }
    ++next;
    startCommand();
}

void WebSession::abandonReply()
{
    if (!reply)
        return;
    QNetworkReply *const givenUp = reply;
    // Cleared first: the abort's own finished signal must find no reply to interpret.
    reply = nullptr;
    givenUp->abort();
    givenUp->deleteLater();
}

void WebSession::setLoginResult(int result)
{
    loginOutcome = result;
    loginTold = true;
}
