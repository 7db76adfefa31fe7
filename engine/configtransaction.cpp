#include "engine/configtransaction.h"

#include "crypto/framerandom.h"
#include "discovery/intake.h"
#include "engine/tradelink.h"
#include "netcfg/tradeframes.h"

#include <algorithm>

namespace {

constexpr int kLoginSlot = 0;

DeviceFamily familyOf(const deviceReply &record)
{
    // Every family but the two unicast ones trades on the group, carrying the MAC.
    return tradesByAddress(record.protocol) ? record.protocol : DeviceFamily::Reply201;
}

} // namespace

ConfigTransaction::ConfigTransaction(TradeLink &link, const deviceReply &record, const TradePlan &plan,
                                     const QHostAddress &deviceAddress, quint16 devicePort,
                                     TransactionOptions options, QObject *parent)
    : QObject(parent), link(link), plan(plan), deviceFamily(familyOf(record)), deviceMac(record.mac),
      destination(deviceAddress), destinationPort(devicePort), options(std::move(options))
{
    if (!tradesByAddress(deviceFamily)) {
        destination = this->options.group;
        destinationPort = this->options.discoveryPort;
    }
    if (!this->options.frameRandom)
        this->options.frameRandom = framecipher::drawFrameRandom;
    std::copy(std::begin(record.TXID), std::end(record.TXID), txid.begin());
    std::copy(std::begin(record.SNID), std::end(record.SNID), snid.begin());
    qRegisterMetaType<TradeResult>();
    qRegisterMetaType<framecipher::TransactionId>();
    qRegisterMetaType<framecipher::DeviceId>();
    tradeTimer.setSingleShot(true);
    tradeTimer.setInterval(this->options.tradeTimeoutMs);
    connect(&tradeTimer, &QTimer::timeout, this, &ConfigTransaction::expireWaitingTrade);
}

void ConfigTransaction::start()
{
    sendNext();
}

int ConfigTransaction::waitingSlot() const
{
    if (done || tradeResults.empty() || tradeResults.back() != TradeResult::Waiting)
        return -1;
    return int(tradeResults.size()) - 1;
}

void ConfigTransaction::sendNext()
{
    if (done)
        return;
    const int slot = int(tradeResults.size());
    if (slot >= int(plan.trades.size())) {
        finish();
        return;
    }
    const Trade &trade = plan.trades[std::size_t(slot)];
    tradeResults.push_back(TradeResult::Waiting);
    emit tradeStarted(slot, trade.code);
    const QByteArray datagram = wireForm(slot, trade.request);
    if (datagram.isEmpty() || !link.sendTrade(datagram, destination, destinationPort)) {
        settle(TradeResult::Refused);
        sendNext();
        return;
    }
    tradeTimer.start();
}

QByteArray ConfigTransaction::wireForm(int slot, const QByteArray &request)
{
    if (deviceFamily != DeviceFamily::Encrypted407)
        return request;
    const QByteArray draw = options.frameRandom();
    const framecipher::TransactionId sentId = framecipher::nextTransactionId(txid, snid);
    const QByteArray frame = framecipher::buildFrame(request, sentId, snid, draw);
    if (!frame.isEmpty())
        emit frameSealed(slot, draw.left(framecipher::kKeySize), sentId, snid, frame);
    return frame;
}

bool ConfigTransaction::offer(const intake::Classified &reply, const QHostAddress &from)
{
    if (waitingSlot() < 0 || reply.kind != intake::Kind::TradeReply || reply.family != deviceFamily ||
        !isFromDevice(reply, from))
        return false;
    if (deviceFamily == DeviceFamily::Encrypted407) {
        txid = reply.txid;
        snid = reply.snid;
        emit idsChanged(deviceMac, txid, snid);
    }
    settle(reply.accepted ? TradeResult::Accepted : TradeResult::Refused);
    sendNext();
    return true;
}

bool ConfigTransaction::isFromDevice(const intake::Classified &reply, const QHostAddress &from) const
{
    switch (deviceFamily) {
    case DeviceFamily::Plain407:
        return from.isEqual(destination, QHostAddress::TolerantConversion);
    case DeviceFamily::Encrypted407:
        return reply.hasIds && reply.snid == snid &&
               from.isEqual(destination, QHostAddress::TolerantConversion);
    default:
        return reply.mac == plan.dstMac;
    }
}

void ConfigTransaction::expireWaitingTrade()
{
    if (waitingSlot() < 0)
        return;
    const bool login = waitingSlot() == kLoginSlot;
    settle(TradeResult::TimedOut);
    if (login)
        finish();
    else
        sendNext();
}

void ConfigTransaction::abort()
{
    if (waitingSlot() >= 0)
        settle(TradeResult::TimedOut);
    finish();
}

void ConfigTransaction::settle(TradeResult result)
{
    tradeTimer.stop();
    const int slot = int(tradeResults.size()) - 1;
    tradeResults.back() = result;
    emit tradeFinished(slot, plan.trades[std::size_t(slot)].code, result);
}

void ConfigTransaction::finish()
{
    if (done)
        return;
    done = true;
    tradeTimer.stop();
    emit finished();
}

QString ConfigTransaction::failedLabels() const
{
    QString labels;
    for (std::size_t slot = 0; slot < tradeResults.size(); ++slot)
        if (tradeResults[slot] == TradeResult::Refused || tradeResults[slot] == TradeResult::TimedOut)
            labels += tradeframes::label(plan.trades[slot].code);
    return labels;
}
