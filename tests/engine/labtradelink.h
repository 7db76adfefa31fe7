#pragma once

#include "discovery/intake.h"
#include "engine/tradelink.h"
#include "engine/transactionrouter.h"
#include "support/labenv.h"

#include <QHash>
#include <QNetworkDatagram>
#include <QUdpSocket>

// The engine tests' side of the lab: trades leave from one socket on the pc host, and every
// answer to it goes through the intake classifier to the router.
class LabTradeLink : public TradeLink
{
public:
    LabTradeLink()
    {
        socket.bind(QHostAddress(lab::pcAddress()), 0);
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams()) {
                const QNetworkDatagram datagram = socket.receiveDatagram();
                router.route(intake::classify(datagram.data()), datagram.senderAddress());
            }
        });
    }
    bool sendTrade(const QByteArray &datagram, const QHostAddress &to, quint16 port) override
    {
        return socket.writeDatagram(datagram, to, port) == datagram.size();
    }
    TransactionRouter router;

private:
    QUdpSocket socket;
};

// Searches as the tool does, on the discovery port of the pc host: the records by MAC.
class LabSearch
{
public:
    static constexpr quint16 kDiscoveryPort = 15367;

    LabSearch()
    {
        socket.bind(QHostAddress(lab::pcAddress()), kDiscoveryPort,
                    QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams()) {
                const intake::Classified reply = intake::classify(socket.receiveDatagram().data());
                if (reply.kind == intake::Kind::SearchReply)
                    records.insert(reply.record.mac, reply.record);
            }
        });
    }
    void probe(const QString &deviceAddress)
    {
        socket.writeDatagram(QByteArray("Y"), QHostAddress(deviceAddress), kDiscoveryPort);
    }
    QHash<QString, deviceReply> records;

private:
    QUdpSocket socket;
};
