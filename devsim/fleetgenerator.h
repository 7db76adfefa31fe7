#pragma once

#include "devsim/simdevice.h"

#include <QVector>

// A fleet of `count` devices of all three families in turn, with distinct MACs and addresses
// counted up from 192.168.0.20 (skipping .0 and .255), so they stay on the lab's lan side.
// The same seed gives the same fleet.
QVector<SimDevice> generateFleet(int count, quint32 seed);

// The most devices generateFleet gives addresses for.
constexpr int kMaxGeneratedDevices = 60000;
