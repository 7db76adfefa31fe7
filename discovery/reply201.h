#pragma once

#include "discovery/devicereply.h"

#include <QByteArray>

// The 75-byte search reply of the older device family.
namespace reply201 {

constexpr int length = 75;

constexpr int macOffset = 2;
constexpr int portOffset = 8;
constexpr int gatewayOffset = 14;
constexpr int maskOffset = 18;
constexpr int serverOffset = 22;
constexpr int serverPortOffset = 28;
constexpr int productCodeOffset = 34;
constexpr int doorsOffset = 38;
constexpr int serialOffset = 39;
constexpr int serialLength = 5;
constexpr int firmwareOffset = 55;
constexpr int firmwareLength = 20;

// Writes every field the format carries, including the product classification; the others
// keep what the record held.
void decode(const QByteArray &reply, deviceReply &record);

} // namespace reply201
