#pragma once

#include "crypto/framecipher.h"
#include "discovery/devicefamily.h"
#include "discovery/devicereply.h"
#include "netcfg/tradeplan.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

class TradeLink;
namespace intake {
struct Classified;
}

enum class TradeResult
{
    Accepted = 0,
    Refused = 1,
    TimedOut = 2,
    Waiting = 99
};
Q_DECLARE_METATYPE(TradeResult)
Q_DECLARE_METATYPE(framecipher::TransactionId)
Q_DECLARE_METATYPE(framecipher::DeviceId)

struct TransactionOptions
{
    int tradeTimeoutMs = 7000;
    QHostAddress group{QStringLiteral("239.255.255.250")};
    quint16 discoveryPort = 15367;
    // framecipher::kDrawSize random bytes per encrypted frame; OpenSSL's generator when empty.
    std::function<QByteArray()> frameRandom;
};

// The trades of one planned configuration, sent to one device strictly one after another: each
// waits for its answer (handed in through offer) or its time-out before the next goes out. A
// time-out of the login ends the sending; a refusal does not. Transactions with different
// devices may run side by side; each takes only the answers of its own device.
class ConfigTransaction : public QObject
{
    Q_OBJECT

public:
    // deviceAddress and devicePort: where the unicast families' trades go (the address the
    // device is listed with). The multicast family's go to the options' group.
    ConfigTransaction(TradeLink &link, const deviceReply &record, const TradePlan &plan,
                      const QHostAddress &deviceAddress, quint16 devicePort, TransactionOptions options = {},
                      QObject *parent = nullptr);

    // Sends the first trade; finishes at once when the plan holds none.
    void start();
    // Takes a trade answer when it belongs to the trade being waited for: the family's answer,
    // from the device's address (unicast families), naming the device's MAC (multicast family)
    // or sealed with the device's SNID (encrypted family). Returns whether it was taken.
    bool offer(const intake::Classified &reply, const QHostAddress &from);
    // The waiting trade counts as timed out now, as when its own time-out runs out.
    void expireWaitingTrade();
    // Gives up: the waiting trade counts as timed out and nothing more is sent.
    void abort();

    DeviceFamily family() const { return deviceFamily; }
    const QString &mac() const { return deviceMac; }
    // The slot being waited for, or -1.
    int waitingSlot() const;
    // One result per trade sent so far, in slot order.
    const std::vector<TradeResult> &results() const { return tradeResults; }
    bool isFinished() const { return done; }
    // The labels of the trades that were refused or timed out, in slot order.
    QString failedLabels() const;

signals:
    void tradeStarted(int slot, int code);
    // An encrypted trade's frame, before it is sent; key is the frame's AES key.
    void frameSealed(int slot, const QByteArray &key, const framecipher::TransactionId &sentId,
                     const framecipher::DeviceId &snid, const QByteArray &frame);
    void tradeFinished(int slot, int code, TradeResult result);
    // The encrypted family's ids as the device's last answer left them; the next frame uses them.
    void idsChanged(const QString &mac, const framecipher::TransactionId &txid,
                    const framecipher::DeviceId &snid);
    void finished();

private:
    void sendNext();
    // The datagram of a request: the request itself, or its frame for the encrypted family
    // (empty when it cannot be sealed).
    QByteArray wireForm(int slot, const QByteArray &request);
    bool isFromDevice(const intake::Classified &reply, const QHostAddress &from) const;
    // Gives the waiting trade its result.
    void settle(TradeResult result);
    void finish();

    TradeLink &link;
    TradePlan plan;
    DeviceFamily deviceFamily;
    QString deviceMac;
    QHostAddress destination;
    quint16 destinationPort;
    TransactionOptions options;
    framecipher::TransactionId txid{};
    framecipher::DeviceId snid{};
    std::vector<TradeResult> tradeResults;
    QTimer tradeTimer;
    bool done = false;
};
