#pragma once

#include "ctl/commands/searchingcommand.h"
#include "engine/websession.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QNetworkAccessManager>

#include <functional>

// quillonctl web MAC datetime|upload: the device's web interface, found by its MAC.
class DeviceWebCommand : public SearchingCommand
{
    Q_OBJECT
public:
    using SearchingCommand::SearchingCommand;

    QString name() const override { return QStringLiteral("web"); }
    QString summary() const override;
    void addOptions(QCommandLineParser &parser) override;
    QString take(const QCommandLineParser &parser) override;
    void start() override;

private:
    enum class Action
    {
        Datetime,
        Upload
    };
    enum class NtpChoice
    {
        Keep,
        Set,
        Off
    };

    void onFound();
    // Runs one sequence (login, the commands, logout); then calls next, or ends the command
    // with exit 4 and the reason when the sequence failed.
    void runSequence(const QList<WebCommand> &commands, const std::function<void()> &next);
    void onSequenceFinished(int result);
    void readDatetime(const std::function<void()> &next);
    void printDatetime();
    void setDatetime();
    void verifyDatetime();
    void upload();
    bool wantsChange() const;

    Action action = Action::Datetime;
    QString mac;
    QString filePath;
    QDateTime setTo; // --set
    bool syncPc = false;
    NtpChoice ntp = NtpChoice::Keep;
    QString ntpServer;
    QString user, password;
    int commandTimeoutMs = WebSession::kDefaultTimeoutMs;

    QNetworkAccessManager manager;
    WebSession *session = nullptr;
    QList<WebCommand> sequence; // the one running
    std::function<void()> afterSequence;
    QHash<QString, commandreply::Answer> answers; // by command, for the sequence running
    QHash<QString, QString> transportErrors;      // by command
    QString inFlight;
    commandreply::DeviceDatetime read;
    QElapsedTimer sinceRead;
    QDateTime asked;
    QString askedNtp;
};
