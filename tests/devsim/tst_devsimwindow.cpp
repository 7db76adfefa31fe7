#include "devsim/fleetparser.h"
#include "support/devsimprocess.h"
#include "support/waituntil.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QFile>
#include <QHostAddress>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString kDemoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
constexpr int kMacColumn = 4;
constexpr int kIpColumn = 5;

QString macText(const QByteArray &mac)
{
    QStringList parts;
    for (const char b : mac)
        parts << QStringLiteral("%1").arg(quint8(b), 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

QString cell(MainWindow &w, int row, int column)
{
    const QTableWidgetItem *item = w.ui->tableWidget->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

// The tool's own window searching the simulated fleet: one row per device, with its address.
class tst_DevsimWindow : public QObject
{
    Q_OBJECT

private slots:
    void windowListsFleet()
    {
        QFile file(kDemoFleet);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QVector<SimDevice> fleet = parseFleet(file.readAll()).devices;
        QVERIFY(!fleet.isEmpty());
        DevsimProcess sim;
        QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet}));
        MainWindow w;
        w.ui->Search->click();
        QVERIFY(waitUntil([&] { return w.ui->tableWidget->rowCount() == fleet.size(); }));
        QHash<QString, QString> ipByMac;
        for (int row = 0; row < w.ui->tableWidget->rowCount(); ++row)
            ipByMac.insert(cell(w, row, kMacColumn), cell(w, row, kIpColumn));
        for (const SimDevice &d : fleet)
            QCOMPARE(ipByMac.value(macText(d.mac)), QHostAddress(d.net.ip).toString());
    }
};

QTEST_MAIN(tst_DevsimWindow)
#include "tst_devsimwindow.moc"
