#include "app/loghandler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QTextCodec>
#endif

namespace {

// Qt 5 reads the local 8-bit encoding from the locale, here set to GB18030 as on a Chinese
// Windows; Qt 6 takes UTF-8 as the local encoding on Unix.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
const QByteArray fullWidthColon = QByteArray::fromHex("a3ba");
const QByteArray notice = QByteArray::fromHex("cce1cabe");
#else
const QByteArray fullWidthColon = QByteArray::fromHex("efbc9a");
const QByteArray notice = QByteArray::fromHex("e68f90e7a4ba");
#endif

} // namespace

class tst_LogHandler : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void fileBytes_data();
    void fileBytes();

private:
    QTemporaryDir dir;
    QString startDir;
};

void tst_LogHandler::initTestCase()
{
    QVERIFY(dir.isValid());
    startDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    setLogClock([] { return QDateTime(QDate(2026, 12, 5), QTime(9, 15, 2, 123)); });
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB18030"));
#endif
}

void tst_LogHandler::cleanupTestCase()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QTextCodec::setCodecForLocale(nullptr);
#endif
    setLogClock({});
    QDir::setCurrent(startDir);
}

void tst_LogHandler::fileBytes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("debug") << int(QtDebugMsg) << 1610 << "ok"
                           << "[Debug:09:15:02.123-\"(1610)\"]" + fullWidthColon + "ok\r\n";
    QTest::newRow("info, Chinese text") << int(QtInfoMsg) << 7 << QStringLiteral("提示")
                                        << "[09:15:02.123-\"(7)\"]" + fullWidthColon + notice + "\r\n";
    QTest::newRow("no line number") << int(QtWarningMsg) << 0 << "dropped" << QByteArray();
}

void tst_LogHandler::fileBytes()
{
    QFETCH(int, type);
    QFETCH(int, line);
    QFETCH(QString, message);
    QFETCH(QByteArray, expected);

    QFile file(QStringLiteral("2026-12-05.log"));
    file.remove();
    pelmMessageHandler(QtMsgType(type), QMessageLogContext("source.cpp", line, "function", "default"),
                       message);
    if (expected.isEmpty()) {
        QVERIFY(!file.exists());
        return;
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toHex(), expected.toHex());
}

QTEST_GUILESS_MAIN(tst_LogHandler)
#include "tst_loghandler.moc"
