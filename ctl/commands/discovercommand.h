#pragma once

#include "ctl/commands/searchingcommand.h"
#include "ctl/output/deviceformat.h"

#include <QHostAddress>

// quillonctl discover: every device that answers, once each by MAC.
class DiscoverCommand : public SearchingCommand
{
    Q_OBJECT
public:
    using SearchingCommand::SearchingCommand;

    QString name() const override { return QStringLiteral("discover"); }
    QString summary() const override;
    void addOptions(QCommandLineParser &parser) override;
    QString take(const QCommandLineParser &parser) override;
    void start() override;

private:
    void report();

    OutputFormat format = OutputFormat::Table;
    QString onlyAddress; // --ip: the one device wanted, in the record's form
};
