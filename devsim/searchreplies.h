#pragma once

#include "devsim/simdevice.h"

#include <QByteArray>

// What a device sends back to the discovery probe, byte for byte.
namespace searchreplies {

// The 75-byte reply of the older family.
QByteArray reply201(const SimDevice &device);
// The 55-byte reply of the newer family (also the payload of the encrypted one).
QByteArray reply407(const SimDevice &device);
// The 116-byte frame around reply407, carrying the device's SNID and current TXID;
// draw is the frame's framecipher::kDrawSize random bytes.
QByteArray encrypted407(const SimDevice &device, const QByteArray &draw);

// The reply of the device's own family.
QByteArray forDevice(const SimDevice &device, const QByteArray &draw);

} // namespace searchreplies
