#include "support/devsimprocess.h"
#include "support/logcapture.h"
#include "support/noticewatcher.h"
#include "support/samplerecord.h"
#include "support/waituntil.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

// Two devices with a web interface: one that reports an NTP server, one that has none.
const char fleet[] = R"({"devices": [
  {"family": "201", "mac": "02:51:00:00:02:42", "ip": "192.168.0.242", "port": 8080, "productCode": "7480",
   "firmware": "V5.2.10", "ntpIp": "202.112.10.60", "webUser": "admin", "webPassword": "888888"},
  {"family": "201", "mac": "02:51:00:00:02:43", "ip": "192.168.0.243", "port": 8080, "productCode": "7480",
   "firmware": "V5.2.10", "webUser": "admin", "webPassword": "888888"}]})";

// The command queue of each web sequence, as the window logs it when the sequence starts.
QStringList queues(const LogCapture &log)
{
    QStringList found;
    for (const QString &message : log.messages())
        if (message.startsWith(QLatin1String("sendUrl:")))
            // Qt 6 prints a string list as QList(...), Qt 5 as (...).
            found << message.section(QStringLiteral("webCMD: "), 1)
                         .section(QStringLiteral(" 循环次数"), 0, 0)
                         .remove(QRegularExpression(QStringLiteral("^QList")));
    return found;
}

QString postedBody(const LogCapture &log, const QString &command)
{
    for (const QString &message : log.messages())
        if (message.startsWith(QLatin1String("post url:")) &&
            message.contains(QStringLiteral("/command/") + command))
            return message.section(QStringLiteral("Data: "), 1);
    return QStringLiteral("<not posted>");
}

} // namespace

// The web dialog against the simulator's web interface: what it reads on opening and which
// commands a submission sends, by device.
class tst_WebDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void openAndSubmit_data();
    void openAndSubmit();

private:
    QTemporaryDir dir;
    QString fleetPath;
};

void tst_WebDialog::initTestCase()
{
    QVERIFY(dir.isValid());
    fleetPath = dir.filePath(QStringLiteral("fleet.json"));
    QFile file(fleetPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(fleet);
}

void tst_WebDialog::openAndSubmit_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<QStringList>("opened"); // queues sent on opening
    QTest::addColumn<bool>("clockEditable"); // date, time and NTP widgets
    QTest::addColumn<QString>("ntpShown");
    QTest::addColumn<bool>("firmwareChosen");
    QTest::addColumn<QString>("submitted");      // queue sent by "提交修改", touching nothing else
    QTest::addColumn<QString>("datetimeSetEnd"); // how the datetime_set body ends, if one is sent
    const QString read = QStringLiteral("(\"login\", \"datetime_get\", \"logout\")");
    const QString bare = QStringLiteral("(\"login\", \"logout\")");
    // clang-format off
    QTest::newRow("old_fingerprint_reader_upload_only")
        << "192.168.0.242" << "指纹机" << "5.2.06" << QStringList{} << false << "0.0.0.0" << true
        << "(\"login\", \"upload\", \"logout\")" << "";
    QTest::newRow("old_fingerprint_reader_nothing_chosen")
        << "192.168.0.242" << "指纹机" << "5.1.99" << QStringList{} << false << "0.0.0.0" << false << bare << "";
    QTest::newRow("newer_fingerprint_reader_read_as_any")
        << "192.168.0.242" << "指纹机" << "5.2.1" << QStringList{read} << true << "202.112.10.60" << false << bare
        << "";
    QTest::newRow("ntp_reported_untouched_sends_nothing")
        << "192.168.0.242" << "门禁控制器" << "V5.2.10" << QStringList{read} << true << "202.112.10.60" << false
        << bare << "";
    QTest::newRow("no_ntp_always_sets_datetime")
        << "192.168.0.243" << "门禁控制器" << "V5.2.10" << QStringList{read} << true << "0.0.0.0" << false
        << "(\"login\", \"datetime_set\", \"logout\")" << "&Ntp=\"";
    // clang-format on
}

void tst_WebDialog::openAndSubmit()
{
    QFETCH(QString, ip);
    QFETCH(QString, category);
    QFETCH(QString, firmware);
    QFETCH(bool, clockEditable);
    QFETCH(bool, firmwareChosen);
    QFETCH(QString, datetimeSetEnd);
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), fleetPath}));
    MainWindow w;
    w.show();
    NoticeWatcher notices;
    // The fleet answers the window's first probe; the row under test comes after, under a MAC of
    // its own, so that no search reply refills the form.
    QVERIFY(waitUntil([&] { return w.ui->tableWidget->rowCount() == 2; }));
    QTest::qWait(300);
    deviceReply record = sampleRecord(QStringLiteral("02:51:00:00:0F:01"), ip, firmware, 3);
    record.category = category;
    record.port = QStringLiteral("8080");
    w.cur_row = w.placeDeviceRow(record);
    w.refreshFrame(0);
    w.le_user->setText(QStringLiteral("admin"));
    w.le_password->setText(QStringLiteral("888888"));

    LogCapture log;
    w.on_webCfg_clicked();
    auto *dialog = w.findChild<QDialog *>(QStringLiteral("webCfgWin"));
    QVERIFY2(dialog, qPrintable(notices.notices.join('/')));
    QTEST(queues(log), "opened");
    const QList<QCheckBox *> boxes = dialog->findChildren<QCheckBox *>();
    QCOMPARE(boxes.size(), 2);
    QLineEdit *ntpServer = nullptr;
    for (QLineEdit *edit : dialog->findChildren<QLineEdit *>())
        if (edit->inputMask().startsWith(QLatin1String("000.")))
            ntpServer = edit;
    QVERIFY(ntpServer);
    QTEST(ntpServer->text(), "ntpShown");
    QCOMPARE(dialog->findChild<QDateTimeEdit *>()->isEnabled(), clockEditable);
    QCOMPARE(boxes[0]->isEnabled(), clockEditable);
    QCOMPARE(boxes[1]->isEnabled(), clockEditable);
    for (QLabel *label : dialog->findChildren<QLabel *>())
        QCOMPARE(label->isEnabled(), clockEditable);
    if (!clockEditable)
        QVERIFY(!ntpServer->isEnabled());
    auto *upload = dialog->findChild<QLineEdit *>(QStringLiteral("leUpload"));
    auto *submit = dialog->findChild<QPushButton *>(QStringLiteral("btnWebCfg"));
    QVERIFY(upload && submit && submit->isEnabled());

    QTemporaryFile firmwareFile(dir.filePath(QStringLiteral("XXXXXX.ZIP")));
    if (firmwareChosen) {
        QVERIFY(firmwareFile.open());
        firmwareFile.write(QByteArray(4096, 'F'));
        firmwareFile.flush();
        upload->setText(firmwareFile.fileName());
    }
    log.clear();
    submit->click();
    QVERIFY2(notices.notices.isEmpty(), qPrintable(notices.notices.join(QLatin1Char('/'))));
    QTRY_VERIFY(!w.findChild<QDialog *>(QStringLiteral("webCfgWin")));
    QFETCH(QString, submitted);
    QCOMPARE(queues(log), QStringList{submitted});
    if (!datetimeSetEnd.isEmpty()) {
        const QString body = postedBody(log, QStringLiteral("datetime_set"));
        QVERIFY2(body.endsWith(datetimeSetEnd), qPrintable(body));
    }
}

QTEST_MAIN(tst_WebDialog)
#include "tst_webdialog.moc"
