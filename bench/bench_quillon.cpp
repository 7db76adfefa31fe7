// Figures that installers notice: discovery of a large site, the GUI thread's cost per reply,
// a configuration transaction and start-up. Timings only; nothing here passes or fails on them.
#include "support/devsimprocess.h"
#include "support/noticewatcher.h"
#include "support/procstatus.h"
#include "support/replybuilder.h"
#include "support/waituntil.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QElapsedTimer>
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
#include <QtTest>

#include <ctime>
#include <unistd.h>

namespace {

const QString demoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");


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
double runCtl(const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess ctl;
    QElapsedTimer clock;
    clock.start();
    ctl.start(QStringLiteral(QUILLON_BUILD_DIR "/ctl/quillonctl"), arguments);
    if (!ctl.waitForFinished(120000) || ctl.exitStatus() != QProcess::NormalExit || ctl.exitCode() != 0) {
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
    return buildReply(55, QStringLiteral("2=0a0b%1 10=c0a8%2").arg(index, 8, 16, QLatin1Char('0'))
                              .arg(index & 0xffff, 4, 16, QLatin1Char('0')));
}

int rowOf(MainWindow &w, const QString &mac)
{
    for (int row = 0; row < w.ui->tableWidget->rowCount(); ++row)
        if (w.ui->tableWidget->item(row, 4)->text() == mac)
            return row;
    return -1;
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

void bench_Quillon::discoveryAtScale()
{
    QFETCH(int, devices);
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--generate"), QString::number(devices)}, 120000));
    MainWindow w;
    QElapsedTimer clock;
    int lastCount = 0;
    qint64 lastRowAt = 0;
    clock.start();
    w.ui->Search->click();
    waitUntil([&] {
        const int count = w.ui->tableWidget->rowCount();
        if (count != lastCount) {
            lastCount = count;
            lastRowAt = clock.elapsed();
        }
        return count >= devices || (count > 0 && clock.elapsed() - lastRowAt > 3000);
    }, 60000);
    const QByteArray tag = QByteArray::number(devices);
    figure(("discovery " + tag + ": probe to last row (ms)").constData(), QString::number(lastRowAt));
    figure(("discovery " + tag + ": lost replies").constData(), QString::number(devices - lastCount));
    figure(("discovery " + tag + ": resident memory listed (MB)").constData(),
           QString::number(statusKb("VmRSS:") / 1024));
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
    QBENCHMARK {
        const QByteArray reply = plainReply(next);
        w.newRecvData(reply, reply.size());
        next = (next + 37) % rows;
    }
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

void bench_Quillon::ctlDiscover()
{
    constexpr int devices = 5000;
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--generate"), QString::number(devices)}, 120000));
    QByteArray json;
    const double wall = runCtl({"discover", "--format", "json", "--repeat", "1", "--wait", "500"}, &json);
    QVERIFY(wall > 0);
    const int listed = QJsonDocument::fromJson(json).object().value("devices").toArray().size();
    figure("quillonctl discover 5000 (--wait 500): start to exit (ms)", QString::number(wall, 'f', 0));
    figure("quillonctl discover 5000: lost replies", QString::number(devices - listed));
}

QTEST_MAIN(bench_Quillon)
#include "bench_quillon.moc"
