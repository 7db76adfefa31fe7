#include "app/loghandler.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QThread>
#include <QtTest>

// Runs each test in a fresh working directory, where the handler writes.
class tst_LogHandler : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> dir;
    QString previousDir;
    QtMessageHandler testHandler = nullptr;

    QByteArray readLog(const QDate &day) const
    {
        QFile file(dir->filePath(logFileName(day)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void log(QtMsgType type, int line, const QString &msg)
    {
        const QMessageLogContext context("file.cpp", line, "function", "default");
        pelmMessageHandler(type, context, msg);
    }

private slots:
    void initTestCase()
    {
        testHandler = qInstallMessageHandler(nullptr);
        qInstallMessageHandler(testHandler);
    }
    void init()
    {
        dir.reset(new QTemporaryDir);
        QVERIFY(dir->isValid());
        previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir->path()));
    }
    void cleanup()
    {
        qInstallMessageHandler(testHandler);
        setLogClock({});
        QDir::setCurrent(previousDir);
    }

    void lineFormat_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("expected");
        const QString rest = QStringLiteral("09:15:02.123-\"(1610)\"]\uFF1Ahello");
        QTest::newRow("debug") << int(QtDebugMsg) << "[Debug:" + rest;
        QTest::newRow("warning") << int(QtWarningMsg) << "[Warning:" + rest;
        QTest::newRow("critical") << int(QtCriticalMsg) << "[Critical:" + rest;
        QTest::newRow("fatal") << int(QtFatalMsg) << "[Fatal:" + rest;
        QTest::newRow("info") << int(QtInfoMsg) << "[" + rest;
    }
    void lineFormat()
    {
        QFETCH(int, type);
        QFETCH(QString, expected);
        QCOMPARE(formatLogLine(QtMsgType(type), QTime(9, 15, 2, 123), 1610, "hello"), expected);
    }

    void fileName()
    {
        QCOMPARE(logFileName(QDate(2026, 12, 5)), QStringLiteral("./2026-12-05.log"));
    }

    void writesLineWithCrLf()
    {
        setLogClock([] { return QDateTime(QDate(2026, 12, 5), QTime(9, 15, 2, 123)); });
        log(QtDebugMsg, 1610, "first");
        log(QtInfoMsg, 7, "second");
        const QByteArray expected = QStringLiteral("[Debug:09:15:02.123-\"(1610)\"]\uFF1Afirst\r\n"
                                                   "[09:15:02.123-\"(7)\"]\uFF1Asecond\r\n")
                                        .toLocal8Bit();
        QCOMPARE(readLog(QDate(2026, 12, 5)), expected);
    }

    void dropsMessagesWithoutLine()
    {
        setLogClock([] { return QDateTime(QDate(2026, 12, 5), QTime(10, 0)); });
        log(QtWarningMsg, 0, "from the framework");
        QVERIFY(!QFile::exists(dir->filePath(logFileName(QDate(2026, 12, 5)))));
    }

    void dayRollover()
    {
        QDateTime clock(QDate(2026, 12, 5), QTime(23, 59, 59, 999));
        setLogClock([&clock] { return clock; });
        log(QtDebugMsg, 1, "before midnight");
        clock = QDateTime(QDate(2026, 12, 6), QTime(0, 0, 0, 0));
        log(QtDebugMsg, 2, "after midnight");
        QVERIFY(readLog(QDate(2026, 12, 5)).contains("[Debug:23:59:59.999-\"(1)\"]"));
        QVERIFY(!readLog(QDate(2026, 12, 5)).contains("after"));
        QVERIFY(readLog(QDate(2026, 12, 6)).startsWith("[Debug:00:00:00.000-\"(2)\"]"));
    }

    void chineseTextInLocalEncoding()
    {
        setLogClock([] { return QDateTime(QDate(2026, 12, 5), QTime(8, 0)); });
        const QString text = QStringLiteral("抛弃的数据");
        log(QtDebugMsg, 3, text);
        QVERIFY(readLog(QDate(2026, 12, 5)).contains(QTextCodec::codecForLocale()->fromUnicode(text)));
    }

    void twoThreadsNeverMixLines()
    {
        const int perThread = 1500;
        auto writer = [perThread](char tag) {
            return QThread::create([perThread, tag] {
                for (int i = 0; i < perThread; ++i)
                    log(QtDebugMsg, 100 + i, QString(40, QLatin1Char(tag)));
            });
        };
        QScopedPointer<QThread> a(writer('a')), b(writer('b'));
        a->start();
        b->start();
        QVERIFY(a->wait(60000));
        QVERIFY(b->wait(60000));

        const QList<QByteArray> lines = readLog(QDate::currentDate()).split('\n');
        const QRegularExpression whole(QStringLiteral("^\\[Debug:\\d\\d:\\d\\d:\\d\\d\\.\\d{3}-\"\\(\\d+\\)\"\\]"
                                                      "\uFF1A(a{40}|b{40})\r$"));
        int count = 0;
        for (const QByteArray &line : lines) {
            if (line.isEmpty())
                continue;
            ++count;
            QVERIFY2(whole.match(QString::fromLocal8Bit(line)).hasMatch(), line.constData());
        }
        QCOMPARE(count, 2 * perThread);
    }

    void unwritableFileLosesLineSilently()
    {
        setLogClock([] { return QDateTime(QDate(2026, 12, 5), QTime(8, 0)); });
        // A directory where the file should be: opening fails even for root.
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("2026-12-05.log")));
        log(QtDebugMsg, 5, "lost");
        log(QtDebugMsg, 6, "lost too");
        QVERIFY(QFileInfo(dir->filePath(QStringLiteral("2026-12-05.log"))).isDir());
    }

    void messageRaisedInsideHandlerDoesNotReenter()
    {
        qInstallMessageHandler(pelmMessageHandler);
        setLogClock([] {
            qDebug() << "raised while the handler holds its lock";
            return QDateTime(QDate(2026, 12, 5), QTime(8, 0));
        });
        qDebug() << "outer";
        qInstallMessageHandler(testHandler);
        const QByteArray content = readLog(QDate(2026, 12, 5));
        QCOMPARE(content.count("\r\n"), 1);
        QVERIFY(content.contains("outer"));
    }

    void noFileWithoutSwitch()
    {
        qDebug() << "default handler";
        qWarning() << "still the default handler";
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_LogHandler)
#include "tst_loghandler.moc"
