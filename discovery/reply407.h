#pragma once

#include "discovery/devicereply.h"

#include <QByteArray>

// The 55-byte search reply of the newer device family (plain, or the payload of an encrypted
// 116-byte reply).
namespace reply407 {

constexpr int length = 55;
constexpr int encryptedLength = 116;

constexpr int macOffset = 2;
constexpr int portOffset = 8;
constexpr int gatewayOffset = 14;
constexpr int maskOffset = 18;
constexpr int serverOffset = 22;
constexpr int serialOffset = 26;
constexpr int serverPortOffset = 28;
constexpr int ntpOffset = 30;
constexpr int productCodeOffset = 34;
constexpr int doorsOffset = 38;
constexpr int deviceNumberSecondOffset = 39;
constexpr int deviceNumberFirstOffset = 50;
constexpr int deviceNumberLength = 5;

// Writes every field the format carries, including the product classification; the others
// keep what the record held.
void decode(const QByteArray &reply, deviceReply &record);

} // namespace reply407
