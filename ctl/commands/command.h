#pragma once

#include "ctl/exitcode.h"

#include <QObject>
#include <QString>

class QCommandLineParser;

// One subcommand of quillonctl. The dispatcher lets it declare its options, hands it the parsed
// command line, and, when that was good, starts it and runs the event loop until it finishes.
class Command : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual QString name() const = 0;
    // One line for the overview and the top of --help.
    virtual QString summary() const = 0;
    // Positional arguments and options; --help and --verbose are added for every command.
    virtual void addOptions(QCommandLineParser &parser) = 0;
    // Reads the command line, whose first positional argument is the command's name; an empty
    // result means it is good, otherwise it names what is wrong. Nothing is sent here.
    virtual QString take(const QCommandLineParser &parser) = 0;
    // Runs in the event loop; finished() ends it.
    virtual void start() = 0;

signals:
    void finished(ExitCode code);
};
