#pragma once

#include "webcfg/commandreply.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVariant>

class QNetworkAccessManager;
class QNetworkReply;

// One command of a device's web interface: POST <base URL><name> with the body; for "upload" the
// body is the firmware file's path (UTF-8), sent as a multipart form.
struct WebCommand
{
    QString name;
    QByteArray body;
};

// A sequence of web commands to one device, strictly one after another. Each command ends with
// an end flag: 0 go on, -1 the device refused ("login"/"relogin"), -2 no usable answer in time.
// The sequence stops at the first flag other than 0. The login's cookies go only to the
// device's own origin (scheme, host, port), never to a host a redirect names.
class WebSession : public QObject
{
    Q_OBJECT

public:
    static constexpr int kInFlight = 1;
    static constexpr int kEnded = 0;
    static constexpr int kRefused = -1;
    static constexpr int kGaveUp = -2;
    static constexpr int kDefaultTimeoutMs = 7000;
    static constexpr int kMaxRedirects = 3;

    // baseUrl: "http://ip:port/command/"; each command's name is appended to it.
    WebSession(QNetworkAccessManager &manager, const QUrl &baseUrl, QObject *parent = nullptr);
    ~WebSession() override;

    // The login cookies to send (a list of QNetworkCookie); a successful login replaces them.
    void setCookies(const QVariant &cookies) { loginCookies = cookies; }
    QVariant cookies() const { return loginCookies; }
    void setCommandTimeoutMs(int ms) { commandTimer.setInterval(ms); }

    // Starts the sequence; false (and nothing sent) while one runs. An empty sequence finishes
    // at once with 0.
    bool run(const QList<WebCommand> &commands);
    // Gives the command in flight up, as its time-out would.
    void abort();
    bool isRunning() const { return running; }
    QNetworkReply *pendingReply() const;

    // 0 the login succeeded, -1 wrong credentials, -2 no answer or a transport error, -3 the
    // device answered "relogin"; only meaningful when a login of this session told it.
    int loginResult() const { return loginOutcome; }
    bool loginAnswered() const { return loginTold; }
    // What "datetime_get" found; only meaningful when hasDeviceDatetime().
    commandreply::DeviceDatetime deviceDatetime() const { return datetime; }
    bool hasDeviceDatetime() const { return datetimeRead; }

signals:
    void commandStarted(const QString &name);
    void commandFinished(const QString &name, int endFlag);
    // A 2xx answer as read for the command it belongs to (no name once a redirect was followed).
    void answered(const QString &name, commandreply::Answer answer);
    void transportFailed(const QString &name, const QString &error);
    void uploadProgress(qint64 sent, qint64 total);
    // 0 when every command ended with 0, else -2.
    void finished(int result);

private:
    void startCommand();
    void post(const QUrl &url, const QByteArray &body);
    void onReplyFinished(QNetworkReply *done);
    // An answer of status 200-299, by the command it belongs to.
    void interpret(QNetworkReply *done);
    void follow(const QUrl &target);
    void endCommand(int flag);
    void onTimeOut();
    void abandonReply();
    void setLoginResult(int result);

    QNetworkAccessManager &manager;
    QUrl base;
    QVariant loginCookies;
    QList<WebCommand> queue;
    int next = 0;
    // The command whose answer is still to be read by name; empty once an answer was read or a
    // redirect was followed.
    QString trade;
    int redirects = 0;
    bool running = false;
    QPointer<QNetworkReply> reply;
    QTimer commandTimer;
    int loginOutcome = 0;
    bool loginTold = false;
    commandreply::DeviceDatetime datetime;
    bool datetimeRead = false;
};
