// The window left running against the simulator: a search every 2 s and a configuration every
// half minute, for QUILLON_SOAK_SECONDS (default 600). Resident memory and open file
// descriptors at the start and the end. Figures only; nothing here passes or fails on them.
#include "support/devsimprocess.h"
#include "support/noticewatcher.h"
#include "support/procstatus.h"
#include "support/waituntil.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString demoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
constexpr int defaultSeconds = 600;
constexpr qint64 searchEveryMs = 2000;
constexpr qint64 configureEveryMs = 30000;
constexpr int macColumn = 4;
// One device of each family, configured in turn: each toggles its port between these two.
const QStringList configured = {QStringLiteral("02:51:00:00:00:21"), QStringLiteral("02:51:00:00:00:31"),
                                QStringLiteral("02:51:00:00:00:41")};
const QString portA = QStringLiteral("15000");
const QString portB = QStringLiteral("15100");

void figure(const char *name, const QString &value)
{
    qInfo("FIGURE|%s|%s", name, qPrintable(value));
}

int openFileDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

int rowOf(MainWindow &w, const QString &mac)
{
    for (int row = 0; row < w.ui->tableWidget->rowCount(); ++row) {
        const QTableWidgetItem *item = w.ui->tableWidget->item(row, macColumn);
        if (item && item->text() == mac)
            return row;
    }
    return -1;
}

// Selects the device as a click on its row would, and changes its port; true on "成功[...]".
bool configure(MainWindow &w, const QString &mac)
{
    if (!waitUntil([&] { return rowOf(w, mac) >= 0; }, 15000))
        return false;
    // Each device answers both probes; the second answer would refill a form selected before it.
    QTest::qWait(300);
    w.cur_row = rowOf(w, mac);
    w.refreshFrame(0);
    w.le_user->setText(QStringLiteral("admin"));
    w.le_password->setText(QStringLiteral("888888"));
    w.le_port->setText(w.le_port->text() == portA ? portB : portA);
    w.on_netCfg_clicked();
    return w.socketS->text().startsWith(QStringLiteral("成功["));
}

} // namespace

class bench_Soak : public QObject
{
    Q_OBJECT
private slots:
    void windowUnderLoad();
};

void bench_Soak::windowUnderLoad()
{
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const int seconds = qEnvironmentVariableIsSet("QUILLON_SOAK_SECONDS")
                            ? qEnvironmentVariableIntValue("QUILLON_SOAK_SECONDS")
                            : defaultSeconds;
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), demoFleet}));
    MainWindow w;
    w.show();
    NoticeWatcher notices;
    QVERIFY(waitUntil([&] { return w.ui->tableWidget->rowCount() == 6; }));
    const qint64 rssStart = statusKb("VmRSS:");
    const int fdsStart = openFileDescriptors();

    int searches = 0;
    int configurations = 0;
    int succeeded = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 nextSearch = searchEveryMs;
    qint64 nextConfiguration = configureEveryMs;
    // Caches and heaps grow over the first few hundred searches; growth in the second half is
    // what would add up over a day.
    qint64 rssHalfTime = -1;
    while (clock.elapsed() < seconds * 1000LL) {
        if (rssHalfTime < 0 && clock.elapsed() >= seconds * 500LL)
            rssHalfTime = statusKb("VmRSS:");
        if (clock.elapsed() >= nextConfiguration) {
            succeeded += configure(w, configured[configurations % configured.size()]) ? 1 : 0;
            ++configurations;
            nextConfiguration += configureEveryMs;
        } else if (clock.elapsed() >= nextSearch) {
            w.ui->Search->click();
            ++searches;
            nextSearch += searchEveryMs;
        }
        QTest::qWait(50);
    }
    // A last search must still list the whole fleet.
    w.ui->Search->click();
    const bool allListed = waitUntil([&] { return w.ui->tableWidget->rowCount() == 6; });

    figure("soak: minutes", QString::number(seconds / 60.0, 'f', 1));
    figure("soak: searches", QString::number(searches));
    figure("soak: configurations succeeded / sent",
           QStringLiteral("%1 / %2").arg(succeeded).arg(configurations));
    figure("soak: whole fleet listed at the end", allListed ? QStringLiteral("yes") : QStringLiteral("no"));
    figure("soak: resident memory at start (MB)", QString::number(rssStart / 1024.0, 'f', 1));
    figure("soak: resident memory at half time (MB)", QString::number(rssHalfTime / 1024.0, 'f', 1));
    figure("soak: resident memory at end (MB)", QString::number(statusKb("VmRSS:") / 1024.0, 'f', 1));
    figure("soak: peak resident memory (MB)", QString::number(statusKb("VmHWM:") / 1024.0, 'f', 1));
    figure("soak: open file descriptors at start", QString::number(fdsStart));
    figure("soak: open file descriptors at end", QString::number(openFileDescriptors()));
}

QTEST_MAIN(bench_Soak)
#include "bench_soak.moc"
