// quillon-devsim: plays a fleet of devices on the lab's lan side for the tool and its tests.
#include "devsim/fleetgenerator.h"
#include "devsim/fleetparser.h"
#include "devsim/simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QNetworkInterface>
#include <QSet>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The simulator adds addresses and answers broadcasts: it must only ever run where the lab put
// its lan side, never on this machine's own network.
bool insideLanNamespace(const QString &lanInterface)
{
    const char *ns = std::getenv("QUILLON_LAB_LAN_NS");
    if (!ns || !*ns || lanInterface.isEmpty() ||
        !QNetworkInterface::interfaceFromName(lanInterface).isValid())
        return false;
    struct stat mine
    {
    };
    struct stat lan
    {
    };
    if (stat("/proc/self/ns/net", &mine) != 0 || stat((std::string("/run/netns/") + ns).c_str(), &lan) != 0)
        return false;
    return mine.st_ino == lan.st_ino && mine.st_dev == lan.st_dev;
}

int fail(const QString &message)
{
    std::fprintf(stderr, "quillon-devsim: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString lanInterface = QString::fromLocal8Bit(qgetenv("QUILLON_LAB_LAN_IF"));
    if (!insideLanNamespace(lanInterface)) {
        std::fprintf(stderr, "quillon-devsim runs only in the lab's lan namespace "
                             "(ip netns exec \"$QUILLON_LAB_LAN_NS\" inside scripts/lab)\n");
        return 2;
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated devices for Quillon, inside scripts/lab only."));
    parser.addHelpOption();
    const QCommandLineOption fleetOption(QStringLiteral("fleet"), QStringLiteral("Fleet JSON file."),
                                         QStringLiteral("FILE"));
    const QCommandLineOption generateOption(QStringLiteral("generate"), QStringLiteral("Generate N devices."),
                                            QStringLiteral("N"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Seed of --generate."),
                                        QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption jitterOption(
        QStringLiteral("jitter-ms"), QStringLiteral("Random delay of up to MS per reply (default 0: burst)."),
        QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption recordOption(
        QStringLiteral("record"), QStringLiteral("Write every received datagram as hex, one per line."),
        QStringLiteral("FILE"));
    const QCommandLineOption faultOption(
        QStringLiteral("fault"),
        QStringLiteral("Every device misbehaves (over the fleet file's own faults): %1.").arg(fault::names()),
        QStringLiteral("KIND"), QStringLiteral("none"));
    parser.addOptions({fleetOption, generateOption, seedOption, jitterOption, recordOption, faultOption});
    parser.process(app);

    QVector<SimDevice> fleet;
    if (parser.isSet(fleetOption) == parser.isSet(generateOption))
        return fail(QStringLiteral("give exactly one of --fleet FILE and --generate N"));
    if (parser.isSet(fleetOption)) {
        QFile file(parser.value(fleetOption));
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
        const FleetParse parsed = parseFleet(file.readAll());
        if (!parsed.error.isEmpty())
            return fail(QStringLiteral("%1: %2").arg(file.fileName(), parsed.error));
        fleet = parsed.devices;
    } else {
        bool ok = false;
        const int count = parser.value(generateOption).toInt(&ok);
        const quint32 seed = parser.value(seedOption).toUInt();
        if (!ok || count < 1 || count > kMaxGeneratedDevices)
            return fail(QStringLiteral("--generate takes 1 to %1").arg(kMaxGeneratedDevices));
        fleet = generateFleet(count, seed);
    }
    bool jitterOk = false;
    const int jitterMs = parser.value(jitterOption).toInt(&jitterOk);
    if (!jitterOk || jitterMs < 0)
        return fail(QStringLiteral("--jitter-ms takes a number of milliseconds"));

    const std::optional<Fault> chosenFault = fault::parse(parser.value(faultOption));
    if (!chosenFault)
        return fail(QStringLiteral("--fault takes ") + fault::names());

    QSet<quint32> forbidden;
    for (const char *host : {"QUILLON_LAB_PC_IP", "QUILLON_LAB_LAN_IP", "QUILLON_LAB_PC2_IP", "QUILLON_LAB_LAN2_IP"}) {
        const QHostAddress address(QString::fromLocal8Bit(qgetenv(host)));
        if (!address.isNull())
            forbidden.insert(address.toIPv4Address());
    }
    for (const SimDevice &d : fleet)
        if (forbidden.contains(d.net.ip))
            return fail(QStringLiteral("a device may not take the lab host's address %1")
                            .arg(QHostAddress(d.net.ip).toString()));

    if (*chosenFault != Fault::None)
        for (SimDevice &d : fleet)
            d.fault = *chosenFault;

    Simulator simulator(fleet, {lanInterface, jitterMs, parser.value(recordOption), forbidden});
    QString error;
    if (!simulator.start(&error))
        return fail(error);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    return app.exec();
}
