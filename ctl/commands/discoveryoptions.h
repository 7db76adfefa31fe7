#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

// The options of every command that searches: which adapters, how long and how often.
struct DiscoveryOptions
{
    QStringList adapters; // --adapter, by name or address; empty: every adapter that qualifies
    bool allAdapters = false;
    int waitMs = 0;
    int rounds = 1;
    bool directed = false;

    // waitDefaultMs and roundsDefault are the command's own defaults.
    static void add(QCommandLineParser &parser, int waitDefaultMs, int roundsDefault);
    // Empty when good, else what is wrong.
    QString take(const QCommandLineParser &parser);
};
