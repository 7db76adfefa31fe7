#pragma once

#include "ctl/commands/command.h"
#include "ctl/commands/devicesearch.h"
#include "ctl/commands/discoveryoptions.h"
#include "discovery/adapterchoice.h"

#include <QPointer>

// A command that searches first: its adapters are chosen when the command line is read, and
// its search opens when it starts.
class SearchingCommand : public Command
{
    Q_OBJECT
public:
    using Command::Command;

protected:
    void addSearchOptions(QCommandLineParser &parser, int waitDefaultMs, int roundsDefault);
    // Empty when the options are good and name adapters that exist.
    QString takeSearchOptions(const QCommandLineParser &parser);
    // The search on the chosen adapters, open; nullptr when no adapter can be used or none could
    // be bound, in which case the command has already said why and finished (exit 3).
    DeviceSearch *openSearch();
    // Ends the command: the message, if any, on standard error, then the exit code.
    void end(ExitCode code, const QString &message = QString());

    DiscoveryOptions searchOptions;
    QVector<AdapterVerdict> verdicts;
    QVector<Adapter> adapters;
    QPointer<DeviceSearch> search;
};
