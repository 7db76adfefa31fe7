#pragma once

#include <QByteArray>
#include <QHostAddress>

// Where a configuration transaction's requests leave from. The answers must come back to
// whoever hands them to the transaction (ConfigTransaction::offer), so the sending socket is
// the caller's choice.
class TradeLink
{
public:
    virtual ~TradeLink() = default;
    // False when the datagram could not be sent whole.
    virtual bool sendTrade(const QByteArray &datagram, const QHostAddress &to, quint16 port) = 0;
};
