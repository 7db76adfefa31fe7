#pragma once

#include "ctl/plan/batchplan.h"

class QCommandLineParser;

// The options that say what a device is to become, and how to log in to it.
namespace settingoptions {

// --ip (unless withoutIp), --port, --mask, --gateway, --server, --server-port.
void addSettings(QCommandLineParser &parser, bool withIp);
// --user, --password, --password-file.
void addCredentials(QCommandLineParser &parser);

// Into the row's texts, in the record's form; an error names the option.
QString takeSettings(const QCommandLineParser &parser, PlanRow *row, bool withIp);
QString takeCredentials(const QCommandLineParser &parser, PlanRow *row);

} // namespace settingoptions
