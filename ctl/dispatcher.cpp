#include "ctl/dispatcher.h"

#include "ctl/commands/command.h"
#include "ctl/commands/commandlist.h"
#include "ctl/console.h"
#include "ctl/ctltext.h"
#include "ctl/verbosity.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <memory>
#include <vector>

namespace {

QString overview(const std::vector<std::unique_ptr<Command>> &commands)
{
    QString text = Ctl::tr("Usage: quillonctl COMMAND [OPTIONS]\n"
                           "Finds networked access-control devices on this PC's adapters and changes their "
                           "settings.\n\nCommands:\n");
    for (const auto &command : commands)
        text += QStringLiteral("  %1%2\n").arg(command->name().leftJustified(10), command->summary());
    text += Ctl::tr("\n\"quillonctl COMMAND --help\" shows a command's options; \"man quillonctl\" the whole "
                    "manual, with the exit codes.\n\"quillonctl --version\" shows the version.\n");
    return text;
}

int usageError(const QString &command, const QString &why)
{
    console::err(Ctl::tr("quillonctl %1: %2\nTry \"quillonctl %1 --help\".\n").arg(command, why));
    return exitStatus(ExitCode::Usage);
}

// arguments: the program name, the command's name, then its own arguments; the command finds
// its name as the first positional argument.
int runCommand(Command &command, const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(command.summary());
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addPositionalArgument(command.name(), Ctl::tr("The command."), command.name());
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, Ctl::tr("Show this help."));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     Ctl::tr("Show the engine's diagnostic messages on standard error."));
    parser.addOption(help);
    parser.addOption(verbose);
    command.addOptions(parser);

    if (!parser.parse(arguments))
        return usageError(command.name(), parser.errorText());
    if (parser.isSet(help)) {
        console::out(parser.helpText());
        return exitStatus(ExitCode::Done);
    }
    installMessageFilter(parser.isSet(verbose));
    const QString problem = command.take(parser);
    if (!problem.isEmpty())
        return usageError(command.name(), problem);

    // start() runs inside the event loop, so exit() always has a loop to end.
    QObject::connect(&command, &Command::finished, qApp,
                     [](ExitCode code) { QCoreApplication::exit(exitStatus(code)); });
    QTimer::singleShot(0, &command, &Command::start);
    return QCoreApplication::exec();
}

} // namespace

int runQuillonctl(const QStringList &arguments)
{
    const std::vector<std::unique_ptr<Command>> commands = makeCommands();
    const QString first = arguments.value(1);
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        console::out(overview(commands));
        return exitStatus(ExitCode::Done);
    }
    if (first == QLatin1String("--version")) {
        console::out(QStringLiteral("quillonctl %1\n").arg(QCoreApplication::applicationVersion()));
        return exitStatus(ExitCode::Done);
    }
    if (first.isEmpty()) {
        console::err(overview(commands));
        return exitStatus(ExitCode::Usage);
    }
    for (const auto &command : commands)
        if (command->name() == first)
            return runCommand(*command, arguments);
    console::err(Ctl::tr("quillonctl: unknown command \"%1\"\n\n").arg(first) + overview(commands));
    return exitStatus(ExitCode::Usage);
}
