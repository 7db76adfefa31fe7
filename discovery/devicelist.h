#pragma once

// Bound of the device list: enough for any LAN, small enough that a flood of forged replies
// cannot exhaust memory. Replies beyond it are dropped.
constexpr int maxDeviceRecords = 10000;
