#pragma once

#include "crypto/framecipher.h"

#include <QByteArray>

// The three log lines of an opened frame: its key, its payload, then the payload's length with
// the transaction id and device id it carried.
void logOpenedFrame(const QByteArray &key, const QByteArray &payload, const framecipher::TransactionId &txid,
                    const framecipher::DeviceId &snid);

// The four log lines of a sealed frame: its key, the transaction id and device id it carries, then
// its length and bytes.
void logSealedFrame(const QByteArray &key, const framecipher::TransactionId &sentId,
                    const framecipher::DeviceId &snid, const QByteArray &frame);
