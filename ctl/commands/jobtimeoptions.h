#pragma once

#include "ctl/commands/devicejob.h"

class QCommandLineParser;

// --timeout (per trade) and --confirm-wait.
void addJobTimeOptions(QCommandLineParser &parser);
QString takeJobTimeOptions(const QCommandLineParser &parser, JobTimes *times);
