#include "ctl/commands/settingoptions.h"

#include "ctl/args/addressargs.h"
#include "ctl/args/credentiallimit.h"
#include "ctl/ctltext.h"

#include <QCommandLineParser>
#include <QFile>

namespace settingoptions {

namespace {

constexpr qint64 kMaxPasswordFileBytes = 4096;

enum class Kind
{
    DeviceAddress,
    Mask,
    Address,
    Port
};

struct Setting
{
    const char *option;
    const char *valueName;
    const char *help;
    QString PlanRow::*text;
    Kind kind;
};

const Setting kSettings[] = {
    {"ip", "A", QT_TRANSLATE_NOOP("Ctl", "The device's new IPv4 address."), &PlanRow::ip,
     Kind::DeviceAddress},
    {"port", "P", QT_TRANSLATE_NOOP("Ctl", "The device's new port (1 to 65535)."), &PlanRow::port,
     Kind::Port},
    {"mask", "M", QT_TRANSLATE_NOOP("Ctl", "The new subnet mask."), &PlanRow::mask, Kind::Mask},
    {"gateway", "G", QT_TRANSLATE_NOOP("Ctl", "The new default gateway."), &PlanRow::gateway, Kind::Address},
    {"server", "S", QT_TRANSLATE_NOOP("Ctl", "The new address of the server the device reports to."),
     &PlanRow::server, Kind::Address},
    {"server-port", "P", QT_TRANSLATE_NOOP("Ctl", "The new port of that server."), &PlanRow::serverPort,
     Kind::Port},
};

QString checked(Kind kind, const QString &option, const QString &text, QString *value)
{
    if (kind == Kind::Port) {
        const Checked<quint16> port = parsePort(option, text);
        *value = QString::number(port.value);
        return port.error;
    }
    const Checked<quint32> address = kind == Kind::DeviceAddress ? parseDeviceAddress(option, text)
                                     : kind == Kind::Mask        ? parseMask(option, text)
                                                                 : parseIpv4(option, text);
    *value = dottedText(address.value);
    return address.error;
}

} // namespace

void addSettings(QCommandLineParser &parser, bool withIp)
{
    for (const Setting &s : kSettings)
        if (withIp || s.text != &PlanRow::ip)
            parser.addOption({QLatin1String(s.option), Ctl::tr(s.help), QLatin1String(s.valueName)});
}

void addCredentials(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("user"),
                      Ctl::tr("User name of the device's login (default: as the window fills it in)."),
                      QStringLiteral("U")});
    parser.addOption(
        {QStringLiteral("password"), Ctl::tr("Password of the device's login."), QStringLiteral("P")});
    parser.addOption({QStringLiteral("password-file"),
                      Ctl::tr("Read the password from the first line of this file instead."),
                      QStringLiteral("F")});
}

QString takeSettings(const QCommandLineParser &parser, PlanRow *row, bool withIp)
{
    for (const Setting &s : kSettings) {
        const QString option = QLatin1String(s.option);
        if ((!withIp && s.text == &PlanRow::ip) || !parser.isSet(option))
            continue;
        const QString error =
            checked(s.kind, QStringLiteral("--") + option, parser.value(option), &(row->*s.text));
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

QString takeCredentials(const QCommandLineParser &parser, PlanRow *row)
{
    const bool password = parser.isSet(QStringLiteral("password"));
    const bool passwordFile = parser.isSet(QStringLiteral("password-file"));
    if (password && passwordFile)
        return Ctl::tr("--password and --password-file exclude each other");
    if (passwordFile) {
        const QString path = parser.value(QStringLiteral("password-file"));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return Ctl::tr("--password-file: cannot read %1: %2").arg(path, file.errorString());
        QByteArray line = file.read(kMaxPasswordFileBytes).split('\n').value(0);
        if (line.endsWith('\r'))
            line.chop(1);
        row->password = QString::fromUtf8(line).trimmed();
    } else {
        row->password = parser.value(QStringLiteral("password")).trimmed();
    }
    row->user = parser.value(QStringLiteral("user")).trimmed();
    if (row->user.isEmpty() != row->password.isEmpty())
        return Ctl::tr("give --user together with --password or --password-file");
    const QString userProblem = credentialFitsNoFamily(QStringLiteral("--user"), row->user);
    if (!userProblem.isEmpty())
        return userProblem;
    const QString passwordProblem = credentialFitsNoFamily(QStringLiteral("--password"), row->password);
    if (!passwordProblem.isEmpty())
        return passwordProblem;
    return QString();
}

} // namespace settingoptions
