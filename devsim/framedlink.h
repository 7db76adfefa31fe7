#pragma once

#include "devsim/simdevice.h"

#include <QByteArray>

// The encrypted family's envelope on the device side: opening the tool's frames, checking that
// they carry the device's SNID and the transaction id it expects next, and sealing replies.
namespace framedlink {

struct Request
{
    bool opened = false;   // a well-formed frame that decrypted
    bool expected = false; // its SNID is the device's and its id the next one
    QByteArray payload;
    framecipher::TransactionId id{};
};

Request open(const SimDevice &device, const QByteArray &frame);

// Seals a reply payload (at most 16 bytes: a 68-byte frame) with the device's current ids.
QByteArray seal(const SimDevice &device, const QByteArray &payload, const QByteArray &draw);

} // namespace framedlink
