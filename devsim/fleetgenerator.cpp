#include "devsim/fleetgenerator.h"

#include <QRandomGenerator>

#include <array>

namespace {

constexpr quint32 kFirstAddress = 0xC0A80014; // 192.168.0.20
constexpr quint32 kMask = 0xFFFFFF00;
constexpr quint32 kGateway = 0xC0A80001;
constexpr quint32 kServer = 0xC0A800C8;
constexpr quint32 kNtp = 0xCA700A3C;
constexpr quint16 kDevicePort = 15000;
constexpr quint16 kServerPort = 9000;
constexpr quint8 kLocalMacPrefix = 0x02; // locally administered, never a real vendor's
constexpr quint8 kMacMaker = 0x51;
constexpr quint8 kLastOctetMax = 0xFF;
constexpr int kFamilies = 3;
constexpr int kFirstSerial = 1000;
constexpr int kSerialSpan = 60000;
constexpr int kMaxDoors = 4;

constexpr std::array<quint16, 4> kCodes201 = {0x4001, 0x7480, 0x0A01, 0x7480};
constexpr std::array<quint16, 9> kCodes407 = {0x0100, 0x1200, 0x2100, 0x3000, 0x5000,
                                              0x7100, 0x8000, 0x9000, 0x4A00};

// Skips network- and broadcast-looking last octets.
quint32 nextAddress(quint32 address)
{
    do
        ++address;
    while ((address & kLastOctetMax) == 0 || (address & kLastOctetMax) == kLastOctetMax);
    return address;
}

} // namespace

QVector<SimDevice> generateFleet(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QVector<SimDevice> fleet;
    quint32 address = kFirstAddress;
    for (int i = 0; i < count && i < kMaxGeneratedDevices; ++i) {
        SimDevice d;
        d.family = Family(i % kFamilies);
        d.mac = QByteArray(1, char(kLocalMacPrefix)) + char(kMacMaker);
        for (int shift = 24; shift >= 0; shift -= 8)
            d.mac += char((i >> shift) & 0xFF);
        d.net = {address, kDevicePort, kMask, kGateway, kServer, kServerPort};
        address = nextAddress(address);
        d.ntpIp = kNtp;
        d.doors = quint8(1 + random.bounded(kMaxDoors));
        d.udpUser = QStringLiteral("admin");
        d.udpPassword = QStringLiteral("888888");
        d.webUser = QStringLiteral("admin");
        d.webPassword = QStringLiteral("888888");
        if (d.family == Family::Old201) {
            d.productCode = kCodes201[random.bounded(int(kCodes201.size()))];
            d.serial = QStringLiteral("S%1").arg(i % 10000, 4, 10, QLatin1Char('0'));
            d.firmware =
                random.bounded(2) ? QStringLiteral("V5.2.%1").arg(10 + i % 90) : QStringLiteral("V1.2");
        } else {
            d.productCode = kCodes407[random.bounded(int(kCodes407.size()))];
            d.serial = QString::number(kFirstSerial + random.bounded(kSerialSpan));
            d.deviceNumber = QStringLiteral("D%1").arg(i % 10000, 4, 10, QLatin1Char('0'));
        }
        for (auto &b : d.snid)
            b = quint8(random.bounded(256));
        for (auto &b : d.txid)
            b = quint8(random.bounded(256));
        fleet.append(d);
    }
    return fleet;
}
