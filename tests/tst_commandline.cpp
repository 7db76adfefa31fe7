#include "app/commandline.h"
#include "app/loghandler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_CommandLine : public QObject
{
    Q_OBJECT

    QtMessageHandler testHandler = nullptr;
    // Puts the test framework's handler back and returns the one that was installed.
    QtMessageHandler restoreHandler() { return qInstallMessageHandler(testHandler); }

private slots:
    void initTestCase()
    {
        testHandler = qInstallMessageHandler(nullptr);
        qInstallMessageHandler(testHandler);
    }
    void cleanup() { restoreHandler(); }

    void switchTest_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("enables");
        QTest::newRow("-log") << "-log" << true;
        QTest::newRow("-debug") << "-debug" << true;
        QTest::newRow("upper") << "-LOG" << true;
        QTest::newRow("mixed") << "-Debug" << true;
        QTest::newRow("long-option") << "--log=yes" << true;
        QTest::newRow("inside") << "abc-debugxyz" << true;
        QTest::newRow("x-logfile") << "x-logfile" << true;
        QTest::newRow("bare") << "log" << false;
        QTest::newRow("slash") << "/log" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dash-only") << "-" << false;
        QTest::newRow("debu") << "-debu" << false;
    }
    void switchTest()
    {
        QFETCH(QString, argument);
        QFETCH(bool, enables);
        QCOMPARE(isLogSwitch(argument), enables);
    }

    void programNameIsNotAnArgument()
    {
        // Index 0 is the program; a program path that happens to contain the switch text counts for nothing.
        QVERIFY(!applyLogSwitches({QStringLiteral("/opt/x-log/quillon")}));
        QVERIFY(restoreHandler() != pelmMessageHandler);
    }

    void switchInstallsHandler_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("installed");
        QTest::newRow("none") << QStringList{"quillon", "--style", "x"} << false;
        QTest::newRow("one") << QStringList{"quillon", "-log"} << true;
        QTest::newRow("two") << QStringList{"quillon", "-log", "-debug"} << true;
    }
    void switchInstallsHandler()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, installed);
        QCOMPARE(applyLogSwitches(arguments), installed);
        QCOMPARE(restoreHandler() == pelmMessageHandler, installed);
    }

    void twoSwitchesWriteLikeOne()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        applyLogSwitches({"quillon", "-log", "-debug"});
        qDebug() << "one message";
        restoreHandler();
        QDir::setCurrent(previous);

        QFile file(dir.filePath(logFileName(QDate::currentDate())));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QCOMPARE(content.count("\r\n"), 1);
        QVERIFY(content.contains("one message"));
    }
};

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
