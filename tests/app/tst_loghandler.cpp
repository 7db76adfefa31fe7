#include "app/loghandler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QTextCodec>
#endif

namespace {

QByteArray fileBytes(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

// The lines the log file gets, at a fixed clock, in a scratch working directory.
class tst_LogHandler : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lineFormat_data();
    void lineFormat();
    void midnightStartsNewFile();
    void messagesWithoutLineDropped();

private:
    void log(QtMsgType type, int line, const QString &text, const QDateTime &at)
    {
        setLogClock([at] { return at; });
        const QMessageLogContext context("source.cpp", line, "function", "default");
        pelmMessageHandler(type, context, text);
    }
    QTemporaryDir scratch;
    QString previousDir;
};

void tst_LogHandler::init()
{
    QVERIFY(scratch.isValid());
    previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(scratch.path()));
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // A Chinese Windows' local encoding, so that a file written as UTF-8 shows; Qt 6 takes UTF-8
    // as the local encoding on Unix.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB18030"));
#endif
}

void tst_LogHandler::cleanup()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QTextCodec::setCodecForLocale(nullptr);
#endif
    setLogClock({});
    QDir::setCurrent(previousDir);
    for (const QString &name : QDir(scratch.path()).entryList(QDir::Files))
        QFile::remove(scratch.filePath(name));
}

void tst_LogHandler::lineFormat_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");
    QTest::newRow("debug") << int(QtDebugMsg) << "Searching ...  8"
                           << "[Debug:09:15:02.123-\"(1610)\"]\uFF1ASearching ...  8\r\n";
    QTest::newRow("warning") << int(QtWarningMsg) << "w"
                             << "[Warning:09:15:02.123-\"(1610)\"]\uFF1Aw\r\n";
    QTest::newRow("critical") << int(QtCriticalMsg) << "c"
                              << "[Critical:09:15:02.123-\"(1610)\"]\uFF1Ac\r\n";
    QTest::newRow("info_no_level") << int(QtInfoMsg) << "i"
                                   << "[09:15:02.123-\"(1610)\"]\uFF1Ai\r\n";
    QTest::newRow("chinese") << int(QtDebugMsg) << "网卡：eth0"
                             << "[Debug:09:15:02.123-\"(1610)\"]\uFF1A网卡：eth0\r\n";
}

void tst_LogHandler::lineFormat()
{
    QFETCH(int, type);
    QFETCH(QString, text);
    QFETCH(QString, line);
    log(QtMsgType(type), 1610, text, QDateTime(QDate(2026, 12, 5), QTime(9, 15, 2, 123)));
    QCOMPARE(fileBytes(QStringLiteral("2026-12-05.log")), line.toLocal8Bit());
}

void tst_LogHandler::midnightStartsNewFile()
{
    log(QtDebugMsg, 7, QStringLiteral("before"), QDateTime(QDate(2026, 12, 5), QTime(23, 59, 59, 999)));
    log(QtDebugMsg, 8, QStringLiteral("after"), QDateTime(QDate(2026, 12, 6), QTime(0, 0, 0, 0)));
    log(QtDebugMsg, 9, QStringLiteral("again"), QDateTime(QDate(2026, 12, 6), QTime(0, 0, 0, 1)));
    QCOMPARE(fileBytes(QStringLiteral("2026-12-05.log")),
             QStringLiteral("[Debug:23:59:59.999-\"(7)\"]\uFF1Abefore\r\n").toLocal8Bit());
    QCOMPARE(fileBytes(QStringLiteral("2026-12-06.log")),
             QStringLiteral("[Debug:00:00:00.000-\"(8)\"]\uFF1Aafter\r\n"
                            "[Debug:00:00:00.001-\"(9)\"]\uFF1Aagain\r\n")
                 .toLocal8Bit());
}

void tst_LogHandler::messagesWithoutLineDropped()
{
    log(QtDebugMsg, 0, QStringLiteral("from the framework"), QDateTime(QDate(2026, 12, 5), QTime(9, 0)));
    QVERIFY(QDir(scratch.path()).entryList(QDir::Files).isEmpty());
}

QTEST_GUILESS_MAIN(tst_LogHandler)
#include "tst_loghandler.moc"
