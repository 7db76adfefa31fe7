#include "ctl/commands/discovercommand.h"

#include "ctl/args/addressargs.h"
#include "ctl/console.h"
#include "ctl/ctltext.h"

#include <QCommandLineParser>

#include <algorithm>

namespace {

constexpr int kWaitDefaultMs = 2000;
constexpr int kRoundsDefault = 2;

quint32 sortKey(const deviceReply &record)
{
    return parseIpv4(QString(), record.ipv4).value;
}

} // namespace

QString DiscoverCommand::summary() const
{
    return Ctl::tr("List the devices that answer, through every adapter that qualifies.");
}

void DiscoverCommand::addOptions(QCommandLineParser &parser)
{
    addSearchOptions(parser, kWaitDefaultMs, kRoundsDefault);
    parser.addOption({QStringLiteral("ip"),
                      Ctl::tr("List only the device at this address; the probe is also sent straight to it."),
                      QStringLiteral("ADDR")});
    parser.addOption({QStringLiteral("format"),
                      Ctl::tr("table (default, for people), json or csv (for scripts)."),
                      QStringLiteral("FORMAT"), QStringLiteral("table")});
}

QString DiscoverCommand::take(const QCommandLineParser &parser)
{
    if (parser.positionalArguments().size() > 1)
        return Ctl::tr("unexpected argument \"%1\"").arg(parser.positionalArguments().value(1));
    const Checked<OutputFormat> chosen =
        parseOutputFormat(QStringLiteral("--format"), parser.value(QStringLiteral("format")));
    if (!chosen.ok())
        return chosen.error;
    format = chosen.value;
    if (parser.isSet(QStringLiteral("ip"))) {
        const Checked<quint32> address =
            parseIpv4(QStringLiteral("--ip"), parser.value(QStringLiteral("ip")));
        if (!address.ok())
            return address.error;
        onlyAddress = dottedText(address.value);
    }
    return takeSearchOptions(parser);
}

void DiscoverCommand::start()
{
    if (!openSearch())
        return;
    if (!onlyAddress.isEmpty())
        search->probeDirectly(QHostAddress(onlyAddress));
    connect(search, &DeviceSearch::finished, this, &DiscoverCommand::report);
    search->start();
}

void DiscoverCommand::report()
{
    const DeviceList &list = search->service().devices();
    QVector<const DeviceEntry *> entries;
    for (int i = 0; i < list.size(); ++i)
        if (onlyAddress.isEmpty() || list.at(i).record.ipv4 == onlyAddress)
            entries << &list.at(i);
    std::stable_sort(entries.begin(), entries.end(), [](const DeviceEntry *a, const DeviceEntry *b) {
        return sortKey(a->record) < sortKey(b->record);
    });
    QVector<ExportedDevice> devices;
    for (const DeviceEntry *entry : entries)
        devices << deviceexport::fields(entry->record, entry->adapter, entry->replies);
    if (format != OutputFormat::Table || !devices.isEmpty())
        console::out(formatDevices(format, devices));
    if (devices.isEmpty()) {
        QStringList names;
        for (const Adapter &adapter : adapters)
            names << QStringLiteral("%1 (%2)").arg(adapter.name, adapter.address.toString());
        end(ExitCode::NoDevice,
            Ctl::tr("No device answered through %1.").arg(names.join(QStringLiteral(", "))));
        return;
    }
    end(ExitCode::Done);
}
