#include "ctl/commands/doctorcommand.h"

#include "ctl/args/addressargs.h"
#include "ctl/console.h"
#include "ctl/ctltext.h"
#include "ctl/doctor/firewallrules.h"
#include "ctl/doctor/routecheck.h"
#include "ctl/doctor/subnetcheck.h"
#include "ctl/doctor/udpportusers.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUdpSocket>

namespace {

constexpr int kWaitDefaultMs = 2000;
constexpr int kRoundsDefault = 2;
constexpr quint16 kDiscoveryPort = 15367;
constexpr int kToolTimeoutMs = 5000;
const QString kProc = QStringLiteral("/proc");

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Runs a tool that reads the firewall; its output, or nothing with why.
bool runTool(const QString &program, const QStringList &arguments, QByteArray *output, QString *why)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(kToolTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *why = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        if (why->isEmpty())
            *why = process.errorString();
        return false;
    }
    *output = process.readAllStandardOutput();
    return true;
}

Finding unreadable(const QString &tool, const QString &why)
{
    return {Finding::Level::Note, Ctl::tr("firewall"),
            Ctl::tr("%1: the rules could not be read: %2").arg(tool, why),
            Ctl::tr("Run quillonctl doctor as root to have them checked.")};
}

QString levelText(Finding::Level level)
{
    switch (level) {
    case Finding::Level::Ok:
        return Ctl::tr("ok");
    case Finding::Level::Note:
        return Ctl::tr("note");
    case Finding::Level::Problem:
        break;
    }
    return Ctl::tr("problem");
}

} // namespace

QString DoctorCommand::summary() const
{
    return Ctl::tr("Find out why no device answers: adapters, port, firewall, routes, then a probe on each "
                   "adapter.");
}

void DoctorCommand::addOptions(QCommandLineParser &parser)
{
    addSearchOptions(parser, kWaitDefaultMs, kRoundsDefault);
}

QString DoctorCommand::take(const QCommandLineParser &parser)
{
    if (parser.positionalArguments().size() > 1)
        return Ctl::tr("unexpected argument \"%1\"").arg(parser.positionalArguments().value(1));
    return takeSearchOptions(parser);
}

void DoctorCommand::start()
{
    QVector<Finding> findings = adapterFindings();
    bool bound = false;
    if (!adapters.isEmpty())
        findings << portCheck(&bound);
    findings << firewallFindings() << routeFindings();
    show(findings);
    if (adapters.isEmpty() || !bound) {
        end(ExitCode::NetworkError, Ctl::tr("No probe was sent: no adapter could listen for replies."));
        return;
    }
    if (!openSearch())
        return;
    console::out(Ctl::tr("Probing through %1 adapter(s) ...\n").arg(adapters.size()));
    connect(search, &DeviceSearch::finished, this, &DoctorCommand::onProbed);
    search->start();
}

QVector<Finding> DoctorCommand::adapterFindings() const
{
    QVector<Finding> findings;
    for (const AdapterVerdict &verdict : verdicts) {
        if (verdict.adapter.loopBack)
            continue;
        Finding f;
        f.topic = Ctl::tr("adapter %1").arg(verdict.adapter.name);
        bool used = false;
        for (const Adapter &adapter : adapters)
            used = used || adapter.name == verdict.adapter.name;
        if (verdict.qualifies) {
            f.text = Ctl::tr("%1/%2 qualifies")
                         .arg(dottedText(verdict.entry.address), dottedText(verdict.entry.netmask));
        } else {
            f.level = Finding::Level::Note;
            f.text = Ctl::tr("does not qualify: %1")
                         .arg(QCoreApplication::translate(adapterReasonContext,
                                                          verdict.reason.toUtf8().constData()));
            f.advice = used ? QString()
                            : Ctl::tr("If the devices are on it, search through it anyway: --adapter %1")
                                  .arg(verdict.adapter.name);
        }
        if (used && !verdict.qualifies)
            f.text += Ctl::tr(" (searched through it as asked)");
        findings << f;
    }
    if (adapters.isEmpty())
        findings << Finding{Finding::Level::Problem, Ctl::tr("adapters"),
                            Ctl::tr("no adapter to search through"),
                            Ctl::tr("Connect the adapter the devices are on and give it an IPv4 address.")};
    return findings;
}

Finding DoctorCommand::portCheck(bool *bound) const
{
    // Who is on the port, read before this program binds it itself.
    QVector<UdpSocketEntry> sockets = parseProcNetUdp(readText(kProc + QStringLiteral("/net/udp")));
    sockets += parseProcNetUdp(readText(kProc + QStringLiteral("/net/udp6")));
    QSet<quint64> inodes;
    for (const UdpSocketEntry &socket : sockets)
        if (socket.localPort == kDiscoveryPort)
            inodes.insert(socket.inode);
    QVector<SocketUser> users;
    for (const SocketUser &user : socketUsers(kProc, inodes))
        if (user.pid != QCoreApplication::applicationPid())
            users << user;

    *bound = true;
    QString error;
    for (const Adapter &adapter : adapters) {
        QUdpSocket probe;
        if (!probe.bind(adapter.address, kDiscoveryPort,
                        QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            *bound = false;
            error = probe.errorString();
        }
    }
    return portFinding(kDiscoveryPort, *bound, error, sockets, users);
}

QVector<Finding> DoctorCommand::firewallFindings() const
{
    QVector<Finding> findings;
    QByteArray output;
    QString why;
    const QString nft = QStandardPaths::findExecutable(QStringLiteral("nft"));
    if (!nft.isEmpty()) {
        if (runTool(nft, {QStringLiteral("-j"), QStringLiteral("list"), QStringLiteral("ruleset")}, &output,
                    &why))
            findings << nftFindings(output, kDiscoveryPort);
        else
            findings << unreadable(QStringLiteral("nftables"), why);
    }
    // Legacy tables are invisible to nft; with nft present, iptables-save shows its rules again.
    const QString legacy = QStandardPaths::findExecutable(QStringLiteral("iptables-legacy-save"));
    const QString save =
        nft.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("iptables-save")) : QString();
    for (const QString &tool : {legacy, save}) {
        if (tool.isEmpty())
            continue;
        if (runTool(tool, {}, &output, &why))
            findings << iptablesFindings(QString::fromUtf8(output), kDiscoveryPort,
                                         QFileInfo(tool).fileName());
        else
            findings << unreadable(QFileInfo(tool).fileName(), why);
    }
    if (nft.isEmpty() && legacy.isEmpty() && save.isEmpty())
        findings << Finding{Finding::Level::Note, Ctl::tr("firewall"),
                            Ctl::tr("neither nft nor iptables-save is installed; the rules were not checked"),
                            QString()};
    else if (findings.isEmpty())
        findings << Finding{Finding::Level::Ok, Ctl::tr("firewall"),
                            Ctl::tr("no rule drops UDP datagrams to port %1").arg(kDiscoveryPort), QString()};
    return findings;
}

QVector<Finding> DoctorCommand::routeFindings() const
{
    const QVector<RouteEntry> routes = parseProcNetRoute(readText(kProc + QStringLiteral("/net/route")));
    QStringList names;
    QVector<RpFilter> filters;
    for (const Adapter &adapter : adapters) {
        names << adapter.name;
        filters.append({adapter.name,
                        readText(kProc + QStringLiteral("/sys/net/ipv4/conf/%1/rp_filter").arg(adapter.name))
                            .trimmed()
                            .toInt()});
    }
    QString defaultInterface;
    for (const RouteEntry &route : routes)
        if (route.mask == 0 && route.destination == 0)
            defaultInterface = route.interface;
    const int all = readText(kProc + QStringLiteral("/sys/net/ipv4/conf/all/rp_filter")).trimmed().toInt();
    return QVector<Finding>{multicastRouteFinding(routes, names)} +
           rpFilterFindings(all, filters, defaultInterface);
}

void DoctorCommand::onProbed()
{
    const DeviceList &devices = search->service().devices();
    QVector<AdapterSubnet> subnets;
    for (const Adapter &adapter : adapters)
        subnets.append({adapter.name, adapter.address.toIPv4Address(), adapter.netmask.toIPv4Address()});
    QVector<Finding> findings;
    for (const Adapter &adapter : adapters) {
        int count = 0;
        int replies = 0;
        for (int i = 0; i < devices.size(); ++i)
            if (devices.at(i).adapter == adapter.name) {
                ++count;
                replies += devices.at(i).replies;
            }
        Finding f;
        f.topic = Ctl::tr("probe %1").arg(adapter.name);
        f.level = count > 0 ? Finding::Level::Ok : Finding::Level::Note;
        f.text = Ctl::tr("%1 device(s) answered, %2 replies").arg(count).arg(replies);
        findings << f;
    }
    for (int i = 0; i < devices.size(); ++i) {
        const deviceReply &record = devices.at(i).record;
        const Finding f =
            subnetFinding(record.mac, parseIpv4(QString(), record.ipv4).value,
                          parseIpv4(QString(), record.mask).value, devices.at(i).adapter, subnets);
        if (f.level != Finding::Level::Ok)
            findings << f;
    }
    if (devices.isEmpty())
        findings << Finding{
            Finding::Level::Problem, Ctl::tr("probe"), Ctl::tr("no device answered"),
            Ctl::tr("Check that the devices are powered and cabled to this adapter's network, "
                    "and the problems above.")};
    show(findings);
    end(devices.isEmpty() ? ExitCode::NoDevice : ExitCode::Done);
}

void DoctorCommand::show(const QVector<Finding> &findings) const
{
    QString text;
    for (const Finding &f : findings) {
        text += QStringLiteral("[%1] %2: %3\n").arg(levelText(f.level), f.topic, f.text);
        if (!f.advice.isEmpty())
            text += QStringLiteral("    -> %1\n").arg(f.advice);
    }
    console::out(text);
}
