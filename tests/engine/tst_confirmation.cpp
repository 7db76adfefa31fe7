#include "engine/confirmation.h"
#include "engine/discoveryservice.h"
#include "netcfg/tradeplan.h"
#include "support/devsimprocess.h"
#include "support/waituntil.h"

#include <QtTest>

namespace {

const QString kDemoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
constexpr int kTimeLimitMs = 3000;
constexpr int kReprobeMs = 250;

struct Outcome
{
    bool ended = false;
    bool confirmed = false;
    deviceReply lastSeen;
};

// Runs a confirmation fed by the service's search replies, answering its probe requests.
Outcome confirm(DiscoveryService &service, const QString &mac, const QString &ipv4, const QString &port)
{
    Confirmation confirmation(mac, ipv4, port, kTimeLimitMs, kReprobeMs);
    Outcome outcome;
    QObject::connect(&confirmation, &Confirmation::probeWanted, &service, &DiscoveryService::probe);
    QObject::connect(&service, &DiscoveryService::deviceSeen, &confirmation,
                     [&](int index) { confirmation.observe(service.devices()[index]); });
    QObject::connect(&confirmation, &Confirmation::finished,
                     [&](bool confirmed, const deviceReply &lastSeen) {
                         outcome = {true, confirmed, lastSeen};
                     });
    confirmation.start();
    waitUntil([&] { return outcome.ended; }, 4 * kTimeLimitMs);
    return outcome;
}

} // namespace

// Confirmation by MAC after a change, through the engine's discovery service against the
// simulator.
class tst_Confirmation : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void deviceBackAtNewAddress();
    void deviceNotBack_data();
    void deviceNotBack();

private:
    // Sends the trades one by one from the adapter, each after the device accepted the last.
    bool runTrades(const std::vector<Trade> &trades, const QHostAddress &device, quint16 port);
    std::unique_ptr<DevsimProcess> sim;
    std::unique_ptr<DiscoveryService> service;
};

void tst_Confirmation::init()
{
    sim = std::make_unique<DevsimProcess>();
    QVERIFY(sim->start({QStringLiteral("--fleet"), kDemoFleet}));
    service = std::make_unique<DiscoveryService>(qualifyingAdapters(), DiscoveryConfig());
    QVERIFY2(service->open(), qPrintable(service->error()));
}

void tst_Confirmation::cleanup()
{
    service.reset();
    sim.reset();
}

bool tst_Confirmation::runTrades(const std::vector<Trade> &trades, const QHostAddress &device, quint16 port)
{
    int answered = 0;
    bool allAccepted = true;
    const QMetaObject::Connection connection =
        connect(service.get(), &DiscoveryService::tradeReply, this,
                [&](const intake::Classified &reply, const QHostAddress &from) {
                    if (from != device)
                        return;
                    allAccepted = allAccepted && reply.accepted;
                    ++answered;
                });
    for (std::size_t i = 0; i < trades.size() && allAccepted; ++i) {
        if (!service->send(trades[i].request, device, port, 0) ||
            !waitUntil([&] { return answered == int(i) + 1; }))
            allAccepted = false;
    }
    disconnect(connection);
    return allAccepted;
}

void tst_Confirmation::deviceBackAtNewAddress()
{
    const QString mac = QStringLiteral("02:51:00:00:00:31"); // plain 407 at 192.168.0.31:15000
    service->probe();
    QVERIFY(waitUntil([&] { return service->devices().indexOf(mac) >= 0; }));
    const deviceReply record = service->devices()[service->devices().indexOf(mac)];
    const NetForm form{QStringLiteral("192.168.0.131"),
                       record.port,
                       record.mask,
                       record.gateway,
                       record.dstIpv4,
                       record.dstPort,
                       record.sn,
                       QString(),
                       QString()};
    const TradePlan plan = planTrades(form, record, record.ipv4);
    QVERIFY(!plan.trades.empty());
    QVERIFY(runTrades(plan.trades, QHostAddress(record.ipv4), quint16(record.port.toUInt())));

    const Outcome outcome = confirm(*service, QStringLiteral("025100000031"), QStringLiteral("192.168.0.131"),
                                    QStringLiteral("15000"));
    QVERIFY(outcome.ended);
    QVERIFY(outcome.confirmed);
    QCOMPARE(outcome.lastSeen.mac, mac);
    QCOMPARE(outcome.lastSeen.ipv4, QStringLiteral("192.168.0.131"));
}

void tst_Confirmation::deviceNotBack_data()
{
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("ipv4");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("lastSeenIpv4");
    // Nothing was changed: the device answers, but at its old address.
    QTest::newRow("other_address") << "02:51:00:00:00:32"
                                   << "192.168.0.132"
                                   << "15001"
                                   << "192.168.0.32";
    QTest::newRow("other_port") << "02:51:00:00:00:32"
                                << "192.168.0.32"
                                << "15002"
                                << "192.168.0.32";
    QTest::newRow("no_such_device") << "02:51:00:00:00:99"
                                    << "192.168.0.99"
                                    << "15000" << QString();
}

void tst_Confirmation::deviceNotBack()
{
    QFETCH(QString, mac);
    QFETCH(QString, ipv4);
    QFETCH(QString, port);
    const Outcome outcome = confirm(*service, mac, ipv4, port);
    QVERIFY(outcome.ended);
    QVERIFY(!outcome.confirmed);
    QTEST(outcome.lastSeen.ipv4, "lastSeenIpv4");
}

QTEST_GUILESS_MAIN(tst_Confirmation)
#include "tst_confirmation.moc"
