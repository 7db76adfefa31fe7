#pragma once

#include "discovery/adapterchoice.h"

// The machine's network interfaces as the adapter choice sees them, in the platform's order.
QVector<AdapterCandidate> systemAdapters();
