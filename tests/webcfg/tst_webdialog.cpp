#include "support/labenv.h"
#include "support/noticewatcher.h"
#include "support/samplerecord.h"
#include "support/scriptedwebdevice.h"
#include "ui/mainwindow.h"
#include "webcfg/commandreply.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Answer = ScriptedWebDevice::Answer;

} // namespace

class tst_WebDialog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void refusedBeforeOpening_data();
    void refusedBeforeOpening();
    void readsAndSubmitsNothingChanged();
    void noNtpServerAlwaysSetsDatetime();
    void changedNtpIsSent();
    void oldFingerprintReaderOnlyUploads();
    void wrongLoginClosesDialog();

private:
    void listDevice(const QString &fw, const QString &category = QStringLiteral("门禁控制器"));
    QDialog *dialog() const { return w->findChild<QDialog *>(QStringLiteral("webCfgWin")); }
    QStringList bodies();
    std::unique_ptr<MainWindow> w;
    std::unique_ptr<ScriptedWebDevice> device;
    std::unique_ptr<NoticeWatcher> notices;
};

void tst_WebDialog::init()
{
    w = std::make_unique<MainWindow>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    device = std::make_unique<ScriptedWebDevice>(lab::pcAddress().toStdString());
    device->answer("/command/login", ok("OK", "sid=d1"));
    device->answer("/command/datetime_get", ok("OK&Date=2026-03-04&Time=05:06:07&Ntp=192.168.0.30"));
    device->answer("/command/datetime_set", ok());
    device->answer("/command/upload", ok());
    device->answer("/command/logout", ok());
    notices = std::make_unique<NoticeWatcher>();
}

void tst_WebDialog::cleanup()
{
    notices.reset();
    w.reset();
    device.reset();
}

void tst_WebDialog::listDevice(const QString &fw, const QString &category)
{
    deviceReply record = sampleRecord(QStringLiteral("00:1A:2B:3C:4D:5E"), lab::pcAddress(), fw);
    record.category = category;
    record.port = QString::number(device->port);
    w->placeDeviceRow(record);
    w->cur_row = 0;
    w->refreshFrame(0);
}

QStringList tst_WebDialog::bodies()
{
    QStringList list;
    for (const auto &seen : device->requests())
        list << QString::fromStdString(seen.path).section(QLatin1Char('/'), 2) + QLatin1Char(' ')
                    + QString::fromStdString(seen.body);
    return list;
}

void tst_WebDialog::refusedBeforeOpening_data()
{
    QTest::addColumn<QString>("fw");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("notice");
    QTest::newRow("no_device") << "" << "x" << "提示|尚未选择设备";
    QTest::newRow("short_firmware") << "5.21" << "x" << "提示|不支持该版本的设备";
    QTest::newRow("blank_password") << "6.1.02" << "  " << "提示|用户、密码缺失,无法登录设备";
}

void tst_WebDialog::refusedBeforeOpening()
{
    QFETCH(QString, fw);
    QFETCH(QString, password);
    if (!fw.isEmpty())
        listDevice(fw);
    w->le_password->setText(password);
    w->on_webCfg_clicked();
    QTEST(notices->notices.join(QLatin1Char('/')), "notice");
    QVERIFY(!dialog());
    QVERIFY(device->requests().empty());
}

void tst_WebDialog::readsAndSubmitsNothingChanged()
{
    listDevice(QStringLiteral("6.1.02"));
    w->on_webCfg_clicked();
    QDialog *d = dialog();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QStringLiteral("进阶配置      00:1A:2B:3C:4D:5E"));
    QCOMPARE(d->findChild<QDateTimeEdit *>()->dateTime(), QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    QVERIFY(d->findChildren<QCheckBox *>().at(1)->isChecked());
    const QByteArray login = commandreply::loginBody(QStringLiteral("morvik"), QStringLiteral("7302916485"));
    QCOMPARE(bodies(), (QStringList{"login " + QString::fromUtf8(login), "datetime_get datetime_get",
                                    "logout logout"}));

    QPointer<QDialog> guard(d);
    d->findChild<QPushButton *>(QStringLiteral("btnWebCfg"))->click();
    QCOMPARE(bodies().mid(3), (QStringList{"login " + QString::fromUtf8(login), "logout logout"}));
    QVERIFY(notices->notices.isEmpty());
    QTRY_VERIFY(guard.isNull());
}

void tst_WebDialog::noNtpServerAlwaysSetsDatetime()
{
    device->answer("/command/datetime_get", ok("OK&Date=2026-03-04&Time=05:06:07&Ntp="));
    listDevice(QStringLiteral("6.1.02"));
    w->on_webCfg_clicked();
    QDialog *d = dialog();
    QVERIFY(d);
    QVERIFY(!d->findChildren<QCheckBox *>().at(1)->isChecked());
    d->findChild<QPushButton *>(QStringLiteral("btnWebCfg"))->click();
    QCOMPARE(bodies().value(4), QStringLiteral("datetime_set Date=2026-03-04&Time=05:06:07&Ntp="));
    QCOMPARE(bodies().size(), 6);
}

void tst_WebDialog::changedNtpIsSent()
{
    listDevice(QStringLiteral("6.1.02"));
    w->on_webCfg_clicked();
    QDialog *d = dialog();
    QVERIFY(d);
    const QList<QLineEdit *> edits = d->findChildren<QLineEdit *>();
    QLineEdit *ntpServer = nullptr;
    for (QLineEdit *edit : edits)
        if (edit->inputMask().startsWith(QLatin1String("000.")))
            ntpServer = edit;
    QVERIFY(ntpServer);
    QCOMPARE(ntpServer->text(), QStringLiteral("192.168.0.30"));
    ntpServer->setText(QStringLiteral("10.0.0.5"));
    d->findChild<QPushButton *>(QStringLiteral("btnWebCfg"))->click();
    QCOMPARE(bodies().value(4), QStringLiteral("datetime_set Date=2026-03-04&Time=05:06:07&Ntp=10.0.0.5"));
}

void tst_WebDialog::oldFingerprintReaderOnlyUploads()
{
    listDevice(QStringLiteral("5.2.06"), QStringLiteral("指纹机"));
    w->on_webCfg_clicked();
    QDialog *d = dialog();
    QVERIFY(d);
    QVERIFY(device->requests().empty());
    QVERIFY(!d->findChild<QDateTimeEdit *>()->isEnabled());
    for (QCheckBox *box : d->findChildren<QCheckBox *>())
        QVERIFY(!box->isEnabled());
    QVERIFY(d->findChild<QPushButton *>(QStringLiteral("btnWebCfg"))->isEnabled());
    QTemporaryDir dir;
    QFile firmware(dir.filePath(QStringLiteral("fw.zip")));
    QVERIFY(firmware.open(QIODevice::WriteOnly));
    firmware.write("PK");
    firmware.close();
    d->findChild<QLineEdit *>(QStringLiteral("leUpload"))->setText(firmware.fileName());
    d->findChild<QPushButton *>(QStringLiteral("btnWebCfg"))->click();
    const QStringList sent = bodies();
    QCOMPARE(sent.size(), 3);
    QVERIFY(sent[0].startsWith(QLatin1String("login ")));
    QVERIFY(sent[1].startsWith(QLatin1String("upload ")));
    QCOMPARE(sent[2], QStringLiteral("logout logout"));
}

void tst_WebDialog::wrongLoginClosesDialog()
{
    device->answer("/command/login", ok("login"));
    listDevice(QStringLiteral("6.1.02"));
    w->on_webCfg_clicked();
    QCOMPARE(notices->notices, QStringList{QStringLiteral("提示|用户名或密码有误，无法登录设备")});
    QTRY_VERIFY(!dialog());
    QCOMPARE(device->requests().size(), std::size_t(1));
}

QTEST_MAIN(tst_WebDialog)
#include "tst_webdialog.moc"
