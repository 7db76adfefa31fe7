// Figures that installers notice: discovery of a large site against the limit a bare socket
// sets, the GUI thread's cost per reply, a configuration transaction and start-up. Timings
// only; nothing here passes or fails on them.
#include "devsim/fleetgenerator.h"
#include "devsim/searchreplies.h"
#include "engine/discoveryadapters.h"
#include "engine/discoveryservice.h"
#include "support/devsimprocess.h"
#include "support/labenv.h"
#include "support/noticewatcher.h"
#include "support/procstatus.h"
#include "support/replybuilder.h"
#include "support/waituntil.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <ctime>
#include <malloc.h>
#include <unistd.h>

namespace {

const QString demoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
// Each device answers both probes, the multicast and the broadcast one.
constexpr int repliesPerDevice = 2;

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Milliseconds since this process started.
double processAgeMs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray afterName = stat.readAll().split(')').last();
    const double startTicks = afterName.simplified().split(' ').value(19).toDouble();
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
    return (upSeconds - startTicks / sysconf(_SC_CLK_TCK)) * 1e3;
}

// Runs quillonctl to its end; the wall time from start to exit, in ms, or -1 when it failed.
// quillonctl from start to exit, in ms; -1 if it failed. With exitCode, a failure is the
// caller's to judge and its code is handed back.
double runCtl(const QStringList &arguments, QByteArray *output = nullptr, int *exitCode = nullptr)
{
    QProcess ctl;
    QElapsedTimer clock;
    clock.start();
    ctl.start(QStringLiteral(QUILLON_BUILD_DIR "/ctl/quillonctl"), arguments);
    const bool finished = ctl.waitForFinished(120000) && ctl.exitStatus() == QProcess::NormalExit;
    if (exitCode)
        *exitCode = finished ? ctl.exitCode() : -1;
    if (!finished || (ctl.exitCode() != 0 && !exitCode)) {
        qWarning("quillonctl %s: exit %d\n%s", qPrintable(arguments.join(' ')), ctl.exitCode(),
                 ctl.readAllStandardError().constData());
        return -1;
    }
    const double wall = clock.nsecsElapsed() / 1e6;
    if (output)
        *output = ctl.readAllStandardOutput();
    return wall;
}

// The generated fleet's MAC of device i.
QString generatedMac(int i)
{
    return QStringLiteral("02:51:%1:%2:%3:%4")
        .arg((i >> 24) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((i >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((i >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg(i & 0xFF, 2, 16, QLatin1Char('0'));
}

void figure(const char *name, const QString &value)
{
    qInfo("FIGURE|%s|%s", name, qPrintable(value));
}

QByteArray plainReply(int index)
{
    return buildReply(55, QStringLiteral("2=0a0b%1 10=c0a8%2")
                              .arg(index, 8, 16, QLatin1Char('0'))
                              .arg(index & 0xffff, 4, 16, QLatin1Char('0')));
}

// What a generated fleet of that size sends to one probe pair: every device's reply, twice.
QVector<QByteArray> fleetReplies(int devices)
{
    const QVector<SimDevice> fleet = generateFleet(devices, 1);
    const QByteArray draw(framecipher::kDrawSize, '\x5a');
    QVector<QByteArray> replies;
    for (int round = 0; round < repliesPerDevice; ++round)
        for (const SimDevice &device : fleet)
            replies << searchreplies::forDevice(device, draw);
    return replies;
}

int rowOf(MainWindow &w, const QString &mac)
{
    for (int row = 0; row < w.ui->tableWidget->rowCount(); ++row)
        if (w.ui->tableWidget->item(row, 4)->text() == mac)
            return row;
    return -1;
}

constexpr int runsPerSize = 5;
// A run ends when every reply has come or none has for this long.
constexpr qint64 quietMs = 2000;

struct DiscoveryRun
{
    int replies = 0;
    double lastReplyMs = 0; // probe to the last reply taken in
    double lastNewMs = 0;   // probe to the last device listed
    double busyMs = 0;      // the window's GUI thread running, probe to the end
};

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

double msSince(const QElapsedTimer &clock)
{
    return clock.nsecsElapsed() / 1e6;
}

// Runs the event loop, calling check every millisecond, until check returns true or the
// last progress it reported is quietMs old. check returns true when done and sets progressed
// when something arrived since its last call.
template <typename Check> void runUntilDoneOrQuiet(Check check)
{
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        bool progressed = false;
        if (check(progressed))
            loop.quit();
        if (progressed)
            sinceProgress.restart();
        else if (sinceProgress.elapsed() > quietMs)
            loop.quit();
    });
    poll.start(1);
    loop.exec();
}

DiscoveryRun bareRun(int replies)
{
    QProcess bare;
    bare.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    bare.start(lab::buildDir() + QStringLiteral("/bench/bench_bare_receiver"),
               {lab::pcAddress(), QString::number(replies)});
    DiscoveryRun run;
    if (!bare.waitForFinished(60000))
        return run;
    // "replies N last_ms T"
    const QList<QByteArray> words = bare.readAllStandardOutput().simplified().split(' ');
    run.replies = words.value(1).toInt();
    run.lastReplyMs = words.value(3).toDouble();
    return run;
}

DiscoveryRun serviceRun(int replies)
{
    DiscoveryService service(qualifyingAdapters(), DiscoveryConfig{});
    DiscoveryRun run;
    if (!service.open())
        return run;
    QElapsedTimer clock;
    QObject::connect(&service, &DiscoveryService::deviceSeen, [&](int, bool added) {
        ++run.replies;
        run.lastReplyMs = msSince(clock);
        if (added)
            run.lastNewMs = run.lastReplyMs;
    });
    int seen = 0;
    clock.start();
    service.probe();
    runUntilDoneOrQuiet([&](bool &progressed) {
        progressed = run.replies != seen;
        seen = run.replies;
        return run.replies >= replies;
    });
    return run;
}

int repliesTakenIn(const MainWindow &w)
{
    int sum = 0;
    for (int i = 0; i < w.deviceReplys.size(); ++i)
        sum += w.deviceReplys.at(i).replies;
    return sum;
}

// One click of a shown window's search button, until every reply is in.
DiscoveryRun windowRun(MainWindow &w, int devices, int replies)
{
    DiscoveryRun run;
    QElapsedTimer clock;
    int rows = 0;
    int seen = 0;
    const double busyBefore = threadCpuMs();
    clock.start();
    w.ui->Search->click();
    runUntilDoneOrQuiet([&](bool &progressed) {
        const int listed = w.ui->tableWidget->rowCount();
        const int taken = repliesTakenIn(w);
        progressed = listed != rows || taken != seen;
        if (listed != rows)
            run.lastNewMs = msSince(clock);
        if (taken != seen)
            run.lastReplyMs = msSince(clock);
        rows = listed;
        seen = taken;
        return listed >= devices && taken >= replies;
    });
    run.replies = seen;
    run.busyMs = threadCpuMs() - busyBefore;
    return run;
}

} // namespace

class bench_Quillon : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void startUp();
    void discoveryAtScale_data();
    void discoveryAtScale();
    void costPerReply_data();
    void costPerReply();
    void listingShown_data();
    void listingShown();
    void transaction();
    void ctlSet();
    void ctlBatch();
    void ctlDiscover();
};

// Debug lines off, as in the installed tool without -log: the figures are the work, not a console.
void bench_Quillon::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
}

void bench_Quillon::startUp()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    figure("start-up to window shown (ms)", QString::number(processAgeMs(), 'f', 0));
}

void bench_Quillon::discoveryAtScale_data()
{
    QTest::addColumn<int>("devices");
    QTest::newRow("1000") << 1000;
    QTest::newRow("5000") << 5000;
}

// The window, the bare receiver and the engine's service, in turn against one fresh fleet per
// run; the medians of the runs are compared. Only one of them has the discovery port at a time.
void bench_Quillon::discoveryAtScale()
{
    QFETCH(int, devices);
    const int replies = repliesPerDevice * devices;
    QVector<double> bare, service, windowRow, windowAll, windowBusy, again;
    int lostBare = 0, lostService = 0, lostWindow = 0;
    qint64 residentKb = 0;
    std::size_t heapBytes = 0;
    for (int run = 0; run < runsPerSize; ++run) {
        DevsimProcess sim;
        DiscoveryRun v;
        DiscoveryRun a;
        {
            // Shown before the fleet exists, so that its own start-up probes go unanswered.
            MainWindow w;
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QVERIFY(sim.start({QStringLiteral("--generate"), QString::number(devices)}, 120000));
            v = windowRun(w, devices, replies);
            // Memory as after the first search of this size, before later runs fragment it.
            if (run == 0) {
                residentKb = statusKb("VmRSS:");
                heapBytes = mallinfo2().uordblks;
            }
            // The same search once more, the table full: emptying it is part of the click.
            a = windowRun(w, devices, replies);
        }
        const DiscoveryRun b = bareRun(replies);
        const DiscoveryRun s = serviceRun(replies);
        qInfo("RUN|%d|window last row %.1f, last reply %.1f, busy %.1f, again %.1f; bare %.1f; service %.1f "
              "(ms)",
              devices, v.lastNewMs, v.lastReplyMs, v.busyMs, a.lastNewMs, b.lastReplyMs, s.lastReplyMs);
        QVERIFY(b.replies > 0 && s.replies > 0 && v.replies > 0 && a.replies > 0);
        bare << b.lastReplyMs;
        service << s.lastReplyMs;
        windowRow << v.lastNewMs;
        windowAll << v.lastReplyMs;
        windowBusy << v.busyMs;
        again << a.lastNewMs;
        lostBare = qMax(lostBare, replies - b.replies);
        lostService = qMax(lostService, replies - s.replies);
        lostWindow = qMax(lostWindow, replies - qMin(v.replies, a.replies));
    }
    const QByteArray tag = "discovery " + QByteArray::number(devices) + ": ";
    const auto put = [&](const char *what, double value, int decimals) {
        figure((tag + what).constData(), QString::number(value, 'f', decimals));
    };
    const double limit = median(bare);
    put("bare receiver, probe to last reply (ms)", limit, 1);
    put("service, probe to last reply (ms)", median(service), 1);
    put("window, probe to last row (ms)", median(windowRow), 1);
    put("window, probe to last reply taken in (ms)", median(windowAll), 1);
    put("window, GUI thread busy (ms)", median(windowBusy), 1);
    put("window, again with the list full, probe to last row (ms)", median(again), 1);
    put("ratio window last row / bare", median(windowRow) / limit, 2);
    put("ratio window last reply / bare", median(windowAll) / limit, 2);
    put("ratio service / bare", median(service) / limit, 2);
    figure((tag + "replies lost, most in a run (bare/service/window)").constData(),
           QStringLiteral("%1/%2/%3").arg(lostBare).arg(lostService).arg(lostWindow));
    put("resident memory listed (MB)", residentKb / 1024.0, 0);
    put("heap in use listed (MB)", heapBytes / 1048576.0, 1);
}

void bench_Quillon::costPerReply_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("100") << 100;
    QTest::newRow("1000") << 1000;
    QTest::newRow("5000") << 5000;
}

void bench_Quillon::costPerReply()
{
    QFETCH(int, rows);
    MainWindow w;
    for (int i = 0; i < rows; ++i) {
        const QByteArray reply = plainReply(i);
        w.newRecvData(reply, reply.size());
    }
    QCOMPARE(w.ui->tableWidget->rowCount(), rows);
    int next = 0;
    // A device that answers again: decoded and placed over its own row, mid-list.
    QBENCHMARK
    {
        const QByteArray reply = plainReply(next);
        w.newRecvData(reply, reply.size());
        next = (next + 37) % rows;
    }
}

void bench_Quillon::listingShown_data()
{
    QTest::addColumn<int>("devices");
    QTest::addColumn<int>("batch");
    QTest::newRow("100 devices, events every reply") << 100 << 1;
    QTest::newRow("400 devices, events every reply") << 400 << 1;
    QTest::newRow("1000 devices, events every 500 replies") << 1000 << 500;
    QTest::newRow("5000 devices, events every 500 replies") << 5000 << 500;
}

// A generated fleet's replies to one probe pair, taken into a shown window without sockets;
// the event loop runs after every `batch` replies, as it would between datagrams arriving that
// far apart. The same work every run, so that it can be profiled instruction by instruction.
void bench_Quillon::listingShown()
{
    QFETCH(int, devices);
    QFETCH(int, batch);
    const QVector<QByteArray> replies = fleetReplies(devices);
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < replies.size(); ++i) {
        w.newRecvData(replies.at(i), replies.at(i).size());
        if (i % batch == batch - 1)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    const double ms = msSince(clock);
    QCOMPARE(w.ui->tableWidget->rowCount(), devices);
    const QByteArray tag =
        QByteArray::number(devices) + " devices, events every " + QByteArray::number(batch);
    figure(("listing shown, " + tag + " replies (us per reply)").constData(),
           QString::number(ms * 1000 / replies.size(), 'f', 1));
}

void bench_Quillon::transaction()
{
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), demoFleet}));
    MainWindow w;
    w.show();
    NoticeWatcher notices;
    const QString mac = QStringLiteral("02:51:00:00:00:42");
    w.ui->Search->click();
    QVERIFY(waitUntil([&] { return rowOf(w, mac) >= 0; }));
    QTest::qWait(300);
    w.cur_row = rowOf(w, mac);
    w.refreshFrame(0);
    w.le_user->setText(QStringLiteral("admin"));
    w.le_password->setText(QStringLiteral("888888"));
    w.le_port->setText(QStringLiteral("15124"));
    QElapsedTimer clock;
    const double cpuBefore = threadCpuMs();
    clock.start();
    w.on_netCfg_clicked();
    const double wall = clock.nsecsElapsed() / 1e6;
    const double cpu = threadCpuMs() - cpuBefore;
    QCOMPARE(w.socketS->text(), QStringLiteral("成功[") + mac + QStringLiteral("]"));
    figure("transaction, 9 trades: click to report (ms)", QString::number(wall, 'f', 0));
    figure("transaction: GUI thread not running (share)", QString::number(1.0 - cpu / wall, 'f', 2));
}

// The same nine trades as the window's transaction above, from quillonctl: search, trades and
// the confirmation that the device answers with its new port, process start to exit.
void bench_Quillon::ctlSet()
{
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), demoFleet}));
    const double wall = runCtl({"set", "02:51:00:00:00:42", "--port", "15125", "--user", "admin", "--password",
                                "888888"});
    QVERIFY(wall > 0);
    figure("quillonctl set, 9 trades, confirmed: start to exit (ms)", QString::number(wall, 'f', 0));
}

void bench_Quillon::ctlBatch()
{
    constexpr int devices = 100;
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--generate"), QString::number(devices)}));
    QStringList arguments{"batch", "--start-ip", "192.168.0.130", "--user", "admin", "--password", "888888"};
    for (int i = 0; i < devices; ++i)
        arguments << generatedMac(i);
    const double wall = runCtl(arguments);
    QVERIFY(wall > 0);
    figure("quillonctl batch, 100 devices, confirmed: start to exit (ms)", QString::number(wall, 'f', 0));
}

// quillonctl against the same limit as the window: the shortest --wait (counted from its one
// probe round) with which it still takes in every reply (each device listed with both of its
// replies), found by halving, beside the bare receiver on the same fleet; then start to exit
// with a generous wait.
void bench_Quillon::ctlDiscover()
{
    constexpr int devices = 5000;
    constexpr int replies = repliesPerDevice * devices;
    constexpr int generousWaitMs = 500;
    constexpr int waitStepMs = 4;
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--generate"), QString::number(devices)}, 120000));
    struct Listing {
        int devices = 0;
        int replies = 0;
        double wallMs = -1;
    };
    const auto discover = [](int waitMs) {
        QByteArray json;
        int exitCode = 0;
        Listing listing;
        listing.wallMs = runCtl(
            {"discover", "--format", "json", "--repeat", "1", "--wait", QString::number(waitMs)}, &json, &exitCode);
        if (exitCode != 0)
            return listing;
        const QJsonArray listed = QJsonDocument::fromJson(json).object().value("devices").toArray();
        listing.devices = listed.size();
        for (const QJsonValue &device : listed)
            listing.replies += device.toObject().value("replies").toInt();
        return listing;
    };
    const Listing generous = discover(generousWaitMs);
    QVERIFY(generous.wallMs > 0);
    int tooShort = 0;
    int enough = generousWaitMs;
    while (enough - tooShort > waitStepMs) {
        const int wait = (tooShort + enough) / 2;
        (discover(wait).replies >= replies ? enough : tooShort) = wait;
    }
    QVector<double> bare;
    for (int run = 0; run < runsPerSize; ++run)
        bare << bareRun(replies).lastReplyMs;
    figure("quillonctl discover 5000 (--wait 500): start to exit (ms)", QString::number(generous.wallMs, 'f', 0));
    figure("quillonctl discover 5000 (--wait 500): devices lost / replies lost",
           QStringLiteral("%1/%2").arg(devices - generous.devices).arg(replies - generous.replies));
    figure("quillonctl discover 5000: shortest --wait taking in every reply (ms)", QString::number(enough));
    figure("quillonctl discover 5000: bare receiver on the same fleet (ms)", QString::number(median(bare), 'f', 1));
    figure("quillonctl discover 5000: ratio shortest wait / bare", QString::number(enough / median(bare), 'f', 2));
}

QTEST_MAIN(bench_Quillon)
#include "bench_quillon.moc"
