#pragma once

#include "ctl/args/checked.h"
#include "ctl/commands/discoveryoptions.h"
#include "discovery/adapterchoice.h"
#include "engine/discoveryadapters.h"

#include <QVector>

// This machine's adapters as the options pick them, ready for the discovery service. An error
// means a wanted adapter does not exist (bad input); an empty list, that none can be used.
Checked<QVector<Adapter>> adaptersFor(const DiscoveryOptions &options,
                                      const QVector<AdapterVerdict> &verdicts);

// Why no adapter can be used: each adapter with its reason, and what to do.
QString noAdapterText(const QVector<AdapterVerdict> &verdicts);
