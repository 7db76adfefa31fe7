#include "ctl/commands/webcommand.h"

#include "ctl/args/addressargs.h"
#include "ctl/args/macaddress.h"
#include "ctl/commands/settingoptions.h"
#include "ctl/console.h"
#include "ctl/ctltext.h"
#include "ctl/output/progressbar.h"
#include "discovery/webfirmware.h"
#include "netcfg/defaultcredentials.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr int kWaitDefaultMs = 3000;
constexpr int kRoundsDefault = 3;
constexpr int kMinTimeoutMs = 100;
constexpr int kMaxTimeoutMs = 600000;
// A device's clock read back may differ from the one set by the time the round trip took.
constexpr int kClockToleranceSecs = 5;
const QString kDatetimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

WebCommand command(const char *name, const QByteArray &body)
{
    return {QLatin1String(name), body};
}

} // namespace

QString DeviceWebCommand::summary() const
{
    return Ctl::tr("Read or set a device's date, time and NTP server, or upload firmware, over its web "
                   "interface.");
}

void DeviceWebCommand::addOptions(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("MAC"), Ctl::tr("The device, by its MAC address."));
    parser.addPositionalArgument(
        QStringLiteral("datetime|upload"),
        Ctl::tr("datetime: show the device's date, time and NTP server, or set them; "
                "upload FILE: upload a firmware file."));
    parser.addOption({QStringLiteral("set"), Ctl::tr("Set the device's clock to this local time."),
                      QStringLiteral("yyyy-MM-dd hh:mm:ss")});
    parser.addOption({QStringLiteral("sync-pc"), Ctl::tr("Set the device's clock to this PC's.")});
    parser.addOption({QStringLiteral("ntp"),
                      Ctl::tr("Let the device synchronise its clock with this NTP server."),
                      QStringLiteral("ADDR")});
    parser.addOption({QStringLiteral("no-ntp"), Ctl::tr("Turn the device's NTP synchronisation off.")});
    settingoptions::addCredentials(parser);
    parser.addOption({QStringLiteral("timeout"),
                      Ctl::tr("Wait this long for each command's answer (default %1, as the window).")
                          .arg(WebSession::kDefaultTimeoutMs),
                      QStringLiteral("MS"), QString::number(WebSession::kDefaultTimeoutMs)});
    addSearchOptions(parser, kWaitDefaultMs, kRoundsDefault);
}

QString DeviceWebCommand::take(const QCommandLineParser &parser)
{
    const QStringList positional = parser.positionalArguments().mid(1);
    if (positional.size() < 2)
        return Ctl::tr("give a MAC address and datetime or upload");
    const Checked<QString> device = parseMac(QStringLiteral("MAC"), positional[0]);
    if (!device.ok())
        return device.error;
    mac = device.value;
    const bool changes = parser.isSet(QStringLiteral("set")) || parser.isSet(QStringLiteral("sync-pc")) ||
                         parser.isSet(QStringLiteral("ntp")) || parser.isSet(QStringLiteral("no-ntp"));
    if (positional[1] == QLatin1String("upload")) {
        action = Action::Upload;
        if (positional.size() != 3)
            return Ctl::tr("upload takes one firmware file");
        if (changes)
            return Ctl::tr("--set, --sync-pc, --ntp and --no-ntp go with datetime");
        filePath = positional[2];
        const QFileInfo file(filePath);
        if (!file.isFile() || !file.isReadable())
            return Ctl::tr("FILE: cannot read %1").arg(filePath);
    } else if (positional[1] == QLatin1String("datetime")) {
        action = Action::Datetime;
        if (positional.size() != 2)
            return Ctl::tr("unexpected argument \"%1\"").arg(positional[2]);
        if (parser.isSet(QStringLiteral("set")) && parser.isSet(QStringLiteral("sync-pc")))
            return Ctl::tr("--set and --sync-pc exclude each other");
        if (parser.isSet(QStringLiteral("ntp")) && parser.isSet(QStringLiteral("no-ntp")))
            return Ctl::tr("--ntp and --no-ntp exclude each other");
        if (parser.isSet(QStringLiteral("set"))) {
            setTo = QDateTime::fromString(parser.value(QStringLiteral("set")), kDatetimeFormat);
            if (!setTo.isValid())
                return Ctl::tr("--set: \"%1\" is not a date and time such as 2026-12-07 08:30:00")
                    .arg(parser.value(QStringLiteral("set")));
        }
        syncPc = parser.isSet(QStringLiteral("sync-pc"));
        if (parser.isSet(QStringLiteral("ntp"))) {
            const Checked<quint32> server =
                parseIpv4(QStringLiteral("--ntp"), parser.value(QStringLiteral("ntp")));
            if (!server.ok())
                return server.error;
            ntp = NtpChoice::Set;
            ntpServer = dottedText(server.value);
        } else if (parser.isSet(QStringLiteral("no-ntp"))) {
            ntp = NtpChoice::Off;
        }
    } else {
        return Ctl::tr("\"%1\" is neither datetime nor upload").arg(positional[1]);
    }
    PlanRow credentials;
    QString problem = settingoptions::takeCredentials(parser, &credentials);
    if (!problem.isEmpty())
        return problem;
    user = credentials.user;
    password = credentials.password;
    const Checked<int> timeout = parseCount(
        QStringLiteral("--timeout"), parser.value(QStringLiteral("timeout")), kMinTimeoutMs, kMaxTimeoutMs);
    if (!timeout.ok())
        return timeout.error;
    commandTimeoutMs = timeout.value;
    return takeSearchOptions(parser);
}

bool DeviceWebCommand::wantsChange() const
{
    return setTo.isValid() || syncPc || ntp != NtpChoice::Keep;
}

void DeviceWebCommand::start()
{
    if (!openSearch())
        return;
    connect(search, &DeviceSearch::finished, this, &DeviceWebCommand::onFound);
    search->start({mac});
}

void DeviceWebCommand::onFound()
{
    const DeviceList &devices = search->service().devices();
    const int index = devices.indexOf(mac);
    if (index < 0) {
        end(ExitCode::NoDevice, Ctl::tr("No device with MAC %1 answered; nothing was sent to it.").arg(mac));
        return;
    }
    const deviceReply &record = devices.at(index).record;
    if (!offersWebInterface(record.fw)) {
        end(ExitCode::Usage, Ctl::tr("%1 has no web interface (its firmware text \"%2\" is shorter than %3 "
                                     "characters); nothing was sent to it.")
                                 .arg(mac, record.fw.trimmed(), QString::number(minWebFirmwareLength)));
        return;
    }
    if (action == Action::Datetime && commandreply::isOldFingerprintReader(record.category, record.fw)) {
        end(ExitCode::Usage, Ctl::tr("%1 is an older fingerprint reader, which takes only firmware uploads; "
                                     "nothing was sent to it.")
                                 .arg(mac));
        return;
    }
    if (user.isEmpty()) {
        const LoginCredentials defaults = defaultCredentials(record.fw);
        user = defaults.user;
        password = defaults.password;
    }
    const QUrl base(QStringLiteral("http://%1:%2/command/").arg(record.ipv4, record.port));
    console::out(Ctl::tr("%1 at %2\n").arg(mac, base.toString()));
    session = new WebSession(manager, base, this);
    session->setCommandTimeoutMs(commandTimeoutMs);
    // An answer read after a redirect carries no name: it is the command in flight's.
    connect(session, &WebSession::commandStarted, this, [this](const QString &name) { inFlight = name; });
    connect(session, &WebSession::answered, this, [this](const QString &name, commandreply::Answer answer) {
        answers.insert(name.isEmpty() ? inFlight : name, answer);
    });
    connect(session, &WebSession::transportFailed, this,
            [this](const QString &name, const QString &error) { transportErrors.insert(name, error); });
    connect(session, &WebSession::finished, this, &DeviceWebCommand::onSequenceFinished);
    if (action == Action::Upload)
        upload();
    else
        readDatetime(wantsChange() ? std::function<void()>([this] { setDatetime(); })
                                   : std::function<void()>([this] { printDatetime(); }));
}

void DeviceWebCommand::runSequence(const QList<WebCommand> &commands, const std::function<void()> &next)
{
    answers.clear();
    transportErrors.clear();
    sequence = {command("login", commandreply::loginBody(user, password))};
    sequence += commands;
    sequence << command("logout", "logout");
    afterSequence = next;
    session->run(sequence);
}

void DeviceWebCommand::onSequenceFinished(int result)
{
    QString failure;
    if (session->loginAnswered() && session->loginResult() == -1)
        failure = Ctl::tr("the device refused the user name or password");
    else if (session->loginAnswered() && session->loginResult() == -3)
        failure = Ctl::tr("the device refused the login (it answered \"relogin\")");
    for (const WebCommand &c : sequence) {
        if (!failure.isEmpty())
            break;
        if (transportErrors.contains(c.name))
            failure = Ctl::tr("%1 failed: %2").arg(c.name, transportErrors.value(c.name));
        else if (c.name != QLatin1String("logout") &&
                 answers.value(c.name, commandreply::Answer::Unknown) != commandreply::Answer::Ok)
            failure = Ctl::tr("%1 was not accepted in time").arg(c.name);
    }
    if (failure.isEmpty() && result != 0)
        failure = Ctl::tr("the sequence ended early");
    if (!failure.isEmpty()) {
        end(ExitCode::TradeFailed, Ctl::tr("Failed: %1.").arg(failure));
        return;
    }
    afterSequence();
}

void DeviceWebCommand::readDatetime(const std::function<void()> &next)
{
    runSequence({command("datetime_get", "datetime_get")}, [this, next] {
        if (!session->hasDeviceDatetime()) {
            end(ExitCode::TradeFailed, Ctl::tr("Failed: the device did not report its date and time."));
            return;
        }
        read = session->deviceDatetime();
        sinceRead.start();
        next();
    });
}

void DeviceWebCommand::printDatetime()
{
    console::out(Ctl::tr("Date and time: %1\n").arg(read.datetime));
    console::out(read.ntpSet ? Ctl::tr("NTP: on, server %1\n").arg(read.ntpServer) : Ctl::tr("NTP: off\n"));
    end(ExitCode::Done);
}

void DeviceWebCommand::setDatetime()
{
    const QDateTime deviceNow =
        QDateTime::fromString(read.datetime, kDatetimeFormat).addMSecs(sinceRead.elapsed());
    asked = setTo.isValid() ? setTo : syncPc ? QDateTime::currentDateTime() : deviceNow;
    if (!asked.isValid())
        asked = QDateTime::currentDateTime();
    const bool ntpOn = ntp == NtpChoice::Set || (ntp == NtpChoice::Keep && read.ntpSet != 0);
    askedNtp = ntp == NtpChoice::Set ? ntpServer : ntpOn ? read.ntpServer : QString();
    const QByteArray body = commandreply::datetimeSetBody(asked, ntpOn, askedNtp);
    sinceRead.start();
    runSequence({command("datetime_set", body)}, [this] {
        console::out(Ctl::tr("Set: %1, NTP %2\n")
                         .arg(asked.toString(kDatetimeFormat),
                              askedNtp.isEmpty() ? Ctl::tr("off") : Ctl::tr("on, server %1").arg(askedNtp)));
        readDatetime([this] { verifyDatetime(); });
    });
}

void DeviceWebCommand::verifyDatetime()
{
    const QDateTime expected = asked.addMSecs(sinceRead.elapsed());
    const QDateTime shown = QDateTime::fromString(read.datetime, kDatetimeFormat);
    const bool ntpAsAsked = askedNtp.isEmpty() ? read.ntpSet == 0 : read.ntpServer == askedNtp;
    const bool clockAsAsked = shown.isValid() && qAbs(shown.secsTo(expected)) <= kClockToleranceSecs;
    if (!ntpAsAsked || !clockAsAsked) {
        end(ExitCode::NotConfirmed,
            Ctl::tr("Not confirmed: the device accepted the settings but now shows %1, NTP %2.")
                .arg(read.datetime, read.ntpSet ? read.ntpServer : Ctl::tr("off")));
        return;
    }
    console::out(
        Ctl::tr("Confirmed: the device shows %1, NTP %2.\n")
            .arg(read.datetime, read.ntpSet ? Ctl::tr("on, server %1").arg(read.ntpServer) : Ctl::tr("off")));
    end(ExitCode::Done);
}

void DeviceWebCommand::upload()
{
    const bool terminal = console::errIsTerminal();
    connect(session, &WebSession::uploadProgress, this, [terminal](qint64 sent, qint64 total) {
        if (terminal && total > 0)
            console::err(QLatin1Char('\r') + progressBar(sent, total, Ctl::tr("bytes")));
    });
    runSequence({command("upload", filePath.toUtf8())}, [this, terminal] {
        if (terminal)
            console::err(QStringLiteral("\n"));
        console::out(Ctl::tr("Uploaded %1 (%2 bytes); the device accepted it.\n")
                         .arg(QFileInfo(filePath).fileName())
                         .arg(QFileInfo(filePath).size()));
        end(ExitCode::Done);
    });
}
