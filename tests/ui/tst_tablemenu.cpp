#include "support/devsimprocess.h"
#include "support/waituntil.h"
#include "support/windowrows.h"
#include "ui/devicetablecolumns.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kFleet = QStringLiteral(QUILLON_SOURCE_DIR "/tests/ui/toolsfleet.json");
const QString kMac201 = QStringLiteral("02:51:00:00:05:01");
const QString kMac407 = QStringLiteral("02:51:00:00:05:02");
const QString kMac407enc = QStringLiteral("02:51:00:00:05:03");

const QByteArray kCsvHeader =
    "mac,family,ip,port,mask,gateway,server_ip,server_port,ntp_ip,ntp_port,http_port,"
    "serial,device_number,firmware,hardware,doors,product_code,product_type,category,"
    "mfg,reserve,version,snid,txid,adapter,replies";

// The fleet as exported: every device answered both probes, through the lab's pc address.
const QHash<QString, QByteArray> kCsvRows = {
    {kMac201, "02:51:00:00:05:01,201,192.168.0.51,8080,255.255.255.0,192.168.0.1,192.168.0.200,9000,,,8080,"
              "\"Q\"\"1,2\",,V5.2.10,,2,7480,QB18[2],GB门禁控制器,,,,,,192.168.0.10,2"},
    {kMac407, "02:51:00:00:05:02,407,192.168.0.52,15000,255.255.255.0,192.168.0.1,192.168.0.200,9000,"
              "202.112.10.60,,15000,1234,B0052,7100,,4,7100,QB3526/4,标准门禁控制器,,,,,,192.168.0.10,2"},
    {kMac407enc, "02:51:00:00:05:03,407enc,192.168.0.53,15002,255.255.0.0,192.168.0.254,10.0.0.7,9001,"
                 "202.112.10.61,,15002,4101,L0053,8000,,2,8000,QB3530,梯控控制器,,,,"
                 "000102030405060708090a0b0c0d0e0f,00000000000000fe,192.168.0.10,2"},
};

// The same fleet as the JSON export, written out by hand.
const QString kExpectedJson = QStringLiteral(QUILLON_SOURCE_DIR "/tests/ui/toolsfleet-export.json");

QHash<QString, QJsonObject> devicesByMac(const QByteArray &document)
{
    QHash<QString, QJsonObject> byMac;
    for (const QJsonValue &device :
         QJsonDocument::fromJson(document).object().value(QStringLiteral("devices")).toArray())
        byMac.insert(device.toObject().value(QStringLiteral("mac")).toString(), device.toObject());
    return byMac;
}

} // namespace

// The table's context menu against the simulated fleet: copying, opening a device's web page
// and exporting the list, each through the menu as the user chooses it.
class tst_TableMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void copies_data();
    void copies();
    void opensWebPage_data();
    void opensWebPage();
    void exportsCsv();
    void exportsJson();
    void exportFailureLeavesNoFile();

private:
    // Opens the menu on the device's row (or below the last row for an empty MAC) and
    // chooses the action; false when the menu or an enabled action of that text is missing.
    bool choose(const QString &mac, const QString &action);
    QByteArray exportAs(const QString &action, const QString &fileName);

    DevsimProcess sim;
    std::unique_ptr<MainWindow> w;
    QTemporaryDir dir;
    QStringList openedUrls;
};

void tst_TableMenu::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(sim.start({QStringLiteral("--fleet"), kFleet}));
    w = std::make_unique<MainWindow>();
    w->openUrl = [this](const QUrl &url) {
        openedUrls << url.toString();
        return true;
    };
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->ui->Search->click();
    // Each device answers both probes; the export counts both.
    QVERIFY(waitUntil([&] {
        if (w->deviceReplys.size() != kCsvRows.size())
            return false;
        for (int i = 0; i < w->deviceReplys.size(); ++i)
            if (w->deviceReplys.at(i).replies != 2)
                return false;
        return true;
    }));
}

void tst_TableMenu::cleanupTestCase()
{
    w.reset();
    sim.stop();
}

bool tst_TableMenu::choose(const QString &mac, const QString &action)
{
    QTableWidget *table = w->ui->tableWidget;
    const int row = rowOf(*w, mac);
    const QPoint position = row >= 0
                                ? table->visualItemRect(table->item(row, tablecolumn::mac)).center()
                                : QPoint(table->viewport()->width() / 2, table->viewport()->height() - 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, position, table->viewport()->mapToGlobal(position));
    QApplication::sendEvent(table->viewport(), &event);
    QPointer<QMenu> menu = w->findChild<QMenu *>(QStringLiteral("tableMenu"));
    if (!menu || !waitUntil([&] { return menu->isVisible(); }))
        return false;
    QAction *chosen = nullptr;
    for (QAction *candidate : menu->actions())
        if (candidate->text() == action && candidate->isEnabled())
            chosen = candidate;
    if (chosen)
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    else
        menu->close();
    waitUntil([&] { return menu.isNull(); });
    return chosen != nullptr;
}

void tst_TableMenu::copies_data()
{
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("mac") << kMac407 << "复制物理地址" << kMac407;
    QTest::newRow("ipv4") << kMac407enc << "复制IPv4地址"
                          << "192.168.0.53";
    // The visible columns; the hidden first column and HTTP port are left out.
    QTest::newRow("row_407")
        << kMac407 << "复制整行"
        << "1234\t标准门禁控制器\t7100\t02:51:00:00:05:02\t192.168.0.52\t15000\t255.255.255.0\t"
           "192.168.0.1\t192.168.0.200\t9000\tSN:B0052  NTP: 202.112.10.60  PN: QB3526/4";
    QTest::newRow("row_201") << kMac201 << "复制整行"
                             << "Q\"1,2\tGB门禁控制器\tV5.2.10\t02:51:00:00:05:01\t192.168.0.51\t8080\t"
                                "255.255.255.0\t192.168.0.1\t192.168.0.200\t9000\tQB18[2]";
}

void tst_TableMenu::copies()
{
    QFETCH(QString, mac);
    QFETCH(QString, action);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QVERIFY(choose(mac, action));
    QTEST(QGuiApplication::clipboard()->text(), "clipboard");
}

void tst_TableMenu::opensWebPage_data()
{
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("url");
    QTest::newRow("201") << kMac201 << "http://192.168.0.51:8080/";
    QTest::newRow("407enc") << kMac407enc << "http://192.168.0.53:15002/";
}

void tst_TableMenu::opensWebPage()
{
    QFETCH(QString, mac);
    QFETCH(QString, url);
    openedUrls.clear();
    QVERIFY(choose(mac, QStringLiteral("打开设备网页")));
    QCOMPARE(openedUrls, QStringList{url});
    // Away from any row there is nothing to open.
    QVERIFY(!choose(QString(), QStringLiteral("打开设备网页")));
    QCOMPARE(openedUrls.size(), 1);
}

QByteArray tst_TableMenu::exportAs(const QString &action, const QString &fileName)
{
    const QString path = dir.filePath(fileName);
    w->askExportFile = [path](const QString &, const QString &) { return path; };
    // The list can be exported from anywhere on the table, also below the last row.
    if (!choose(QString(), action))
        return QByteArray();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_TableMenu::exportsCsv()
{
    const QByteArray document = exportAs(QStringLiteral("导出设备列表(CSV)..."), QStringLiteral("list.csv"));
    QVERIFY(document.startsWith("\xEF\xBB\xBF"));
    QVERIFY(document.endsWith("\r\n"));
    QList<QByteArray> lines = document.mid(3).split('\n');
    lines.removeLast();
    QCOMPARE(lines.size(), 1 + kCsvRows.size());
    QCOMPARE(lines.takeFirst(), kCsvHeader + '\r');
    QSet<QByteArray> expected;
    for (const QByteArray &row : kCsvRows)
        expected << row + '\r';
    QCOMPARE(QSet<QByteArray>(lines.begin(), lines.end()), expected);
}

void tst_TableMenu::exportsJson()
{
    const QByteArray document =
        exportAs(QStringLiteral("导出设备列表(JSON)..."), QStringLiteral("list.json"));
    QJsonParseError error;
    QJsonDocument::fromJson(document, &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QFile expectedFile(kExpectedJson);
    QVERIFY(expectedFile.open(QIODevice::ReadOnly));
    const QHash<QString, QJsonObject> expected = devicesByMac(expectedFile.readAll());
    const QHash<QString, QJsonObject> exported = devicesByMac(document);
    QCOMPARE(exported.size(), expected.size());
    for (auto device = expected.cbegin(); device != expected.cend(); ++device)
        QCOMPARE(exported.value(device.key()), device.value());
    // Scripts and people read the fields in the same order as the CSV columns.
    QStringList names;
    const QRegularExpression name(QStringLiteral("\"(\\w+)\": "));
    const QString firstObject = QString::fromUtf8(document.left(document.indexOf('}')));
    for (auto match = name.globalMatch(firstObject); match.hasNext();)
        names << match.next().captured(1);
    QCOMPARE(names.mid(1).join(QLatin1Char(',')).toUtf8(), kCsvHeader);
}

void tst_TableMenu::exportFailureLeavesNoFile()
{
    const QString missingFolder = QStringLiteral("missing/list.csv");
    QVERIFY(exportAs(QStringLiteral("导出设备列表(CSV)..."), missingFolder).isEmpty());
    QVERIFY(!QFile::exists(dir.filePath(missingFolder)));
    QVERIFY2(w->statusBar()->currentMessage().startsWith(QStringLiteral("导出失败")),
             qPrintable(w->statusBar()->currentMessage()));
}

QTEST_MAIN(tst_TableMenu)
#include "tst_tablemenu.moc"
