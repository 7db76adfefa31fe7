#pragma once

#include "ctl/plan/batchplan.h"
#include "discovery/devicereply.h"
#include "netcfg/tradeplan.h"

#include <QStringList>

// The detail form a transaction would read, had the user typed the row's settings over the
// device's listed values: unchanged fields keep the record's texts, so the trades built from it
// are those the window builds for the same edit. Credentials: the row's, else the defaults the
// window fills in for the device's firmware.
NetForm formFor(const PlanRow &row, const deviceReply &record);

// The address and port the device should answer from afterwards.
QString expectedAddress(const PlanRow &row, const deviceReply &record);
QString expectedPort(const PlanRow &row, const deviceReply &record);

// The settings the row asks for that the device's reply does not show, each as
// "mask 255.255.0.0 (asked 255.255.255.0)"; empty when it shows them all.
QStringList settingMismatches(const PlanRow &row, const deviceReply &seen);
