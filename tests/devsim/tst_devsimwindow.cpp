#include "devsim/fleetparser.h"
#include "support/devsimprocess.h"
#include "support/noticewatcher.h"
#include "support/waituntil.h"
#include "support/windowrows.h"
#include "ui/iplineedit.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QFile>
#include <QCheckBox>
#include <QDialog>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString kDemoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
constexpr int kMacColumn = 4;
constexpr int kIpColumn = 5;
constexpr int kPortColumn = 6;

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

    // "提交修改" on a device of each family changes its port or address; the search that
    // follows lists it with the new value, so the device applied it and answers from there.
    // A refused login changes nothing.
    void configuresEachFamily_data()
    {
        QTest::addColumn<QString>("mac");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("listed");
        const auto row = [](const char *name, const QString &mac, int column, const QString &value) {
            QTest::newRow(name) << mac << column << value << "888888" << "成功[" + mac + "]" << value;
        };
        row("201_port", QStringLiteral("02:51:00:00:00:21"), kPortColumn, "15123");
        row("201_address", QStringLiteral("02:51:00:00:00:21"), kIpColumn, "192.168.0.121");
        row("407_port", QStringLiteral("02:51:00:00:00:31"), kPortColumn, "15123");
        row("407_address", QStringLiteral("02:51:00:00:00:32"), kIpColumn, "192.168.0.132");
        row("407enc_port", QStringLiteral("02:51:00:00:00:41"), kPortColumn, "15123");
        row("407enc_address", QStringLiteral("02:51:00:00:00:42"), kIpColumn, "192.168.0.142");
        QTest::newRow("407enc_wrong_password") << QStringLiteral("02:51:00:00:00:41") << kPortColumn << "15123"
                                               << "wrong" << "[02:51:00:00:00:41]登录 " << "15000";
    }
    void configuresEachFamily()
    {
        QFETCH(QString, mac);
        QFETCH(int, column);
        QFETCH(QString, value);
        QFETCH(QString, password);
        QFETCH(QString, report);
        QFETCH(QString, listed);
        DevsimProcess sim;
        QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet}));
        MainWindow w;
        w.show();
        NoticeWatcher notices;
        QVERIFY(searchAndSelect(w, mac));
        w.le_user->setText(QStringLiteral("admin"));
        w.le_password->setText(password);
        if (column == kPortColumn)
            w.le_port->setText(value);
        else
            w.le_ipv4->setText(value);
        w.on_netCfg_clicked();
        QVERIFY2(w.socketS->text().startsWith(report), qPrintable(w.socketS->text()));
        QCOMPARE(notices.notices.size(), 1);
        QVERIFY(waitUntil([&] { return rowOf(w, mac) >= 0 && cell(w, rowOf(w, mac), column) == listed; }));
    }

    // The web dialog reads the device's clock and NTP setting, and a submission with NTP on
    // reaches the device: the next reading shows it.
    void webDialogSetsNtp()
    {
        DevsimProcess sim;
        QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet}));
        MainWindow w;
        w.show();
        NoticeWatcher notices;
        QVERIFY(searchAndSelect(w, QStringLiteral("02:51:00:00:02:42")));
        w.le_user->setText(QStringLiteral("admin"));
        w.le_password->setText(QStringLiteral("888888"));
        w.on_webCfg_clicked();
        auto *dialog = w.findChild<QDialog *>(QStringLiteral("webCfgWin"));
        QVERIFY2(dialog, qPrintable(notices.notices.join('/')));
        QVERIFY(!w.devDatetime.isEmpty());
        QCheckBox *ntp = dialog->findChildren<QCheckBox *>().at(1);
        ntp->setChecked(true);
        for (QLineEdit *edit : dialog->findChildren<QLineEdit *>())
            if (edit->inputMask().startsWith(QLatin1String("000.")))
                edit->setText(QStringLiteral("192.168.0.123"));
        dialog->findChild<QPushButton *>(QStringLiteral("btnWebCfg"))->click();
        QVERIFY2(notices.notices.isEmpty(), qPrintable(notices.notices.join('/')));
        QTRY_VERIFY(!w.findChild<QDialog *>(QStringLiteral("webCfgWin")));

        w.on_webCfg_clicked();
        QCOMPARE(w.devNtpSet, 2);
        QCOMPARE(w.devNtpServerIP, QStringLiteral("192.168.0.123"));
    }
};

QTEST_MAIN(tst_DevsimWindow)
#include "tst_devsimwindow.moc"
