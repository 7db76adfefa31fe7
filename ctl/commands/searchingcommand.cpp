#include "ctl/commands/searchingcommand.h"

#include "ctl/commands/adapterlist.h"
#include "ctl/console.h"
#include "ctl/ctltext.h"
#include "engine/systemadapters.h"

void SearchingCommand::addSearchOptions(QCommandLineParser &parser, int waitDefaultMs, int roundsDefault)
{
    DiscoveryOptions::add(parser, waitDefaultMs, roundsDefault);
}

QString SearchingCommand::takeSearchOptions(const QCommandLineParser &parser)
{
    const QString problem = searchOptions.take(parser);
    if (!problem.isEmpty())
        return problem;
    verdicts = examineAdapters(systemAdapters());
    const Checked<QVector<Adapter>> chosen = adaptersFor(searchOptions, verdicts);
    adapters = chosen.value;
    return chosen.error;
}

DeviceSearch *SearchingCommand::openSearch()
{
    if (adapters.isEmpty()) {
        end(ExitCode::NetworkError, noAdapterText(verdicts));
        return nullptr;
    }
    search = new DeviceSearch(adapters, searchOptions, this);
    QString error;
    if (!search->open(&error)) {
        end(ExitCode::NetworkError,
            Ctl::tr(
                "Cannot listen for replies:\n%1\"quillonctl doctor\" shows which program holds the port.\n")
                .arg(error));
        return nullptr;
    }
    // Some adapters may have failed while others listen: searched without them, but said.
    const QString partial = search->service().error();
    if (!partial.isEmpty())
        console::err(Ctl::tr("Searching without:\n%1").arg(partial));
    return search;
}

void SearchingCommand::end(ExitCode code, const QString &message)
{
    if (!message.isEmpty())
        console::err(message.endsWith(QLatin1Char('\n')) ? message : message + QLatin1Char('\n'));
    emit finished(code);
}
