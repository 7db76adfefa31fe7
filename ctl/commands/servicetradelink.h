#pragma once

#include "engine/discoveryservice.h"
#include "engine/tradelink.h"

// Trades leave through the socket of the adapter the device answered on, so that its answers
// come back there.
class ServiceTradeLink : public TradeLink
{
public:
    ServiceTradeLink(DiscoveryService &service, int adapterIndex) : service(service), adapter(adapterIndex) {}

    bool sendTrade(const QByteArray &datagram, const QHostAddress &to, quint16 port) override
    {
        return service.send(datagram, to, port, adapter);
    }

private:
    DiscoveryService &service;
    int adapter;
};
