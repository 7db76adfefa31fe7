#include "support/labenv.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The tool started with "-log" in a working directory it cannot write: it runs on without its
// log file and without crashing.
class tst_ReadOnlyLog : public QObject
{
    Q_OBJECT
private slots:
    void runsWithoutLogFile()
    {
        QTemporaryDir dir;
        // A private mount namespace, so the read-only mount binds even root and leaves no trace.
        const QString script = QStringLiteral("mount -t tmpfs -o ro none '%1' && cd '%1' && exec '%2' -log")
                                   .arg(dir.path(), lab::buildDir() + QStringLiteral("/app/quillon"));
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(QStringLiteral("unshare"), {QStringLiteral("-m"), QStringLiteral("sh"), QStringLiteral("-c"), script});
        QVERIFY(tool.waitForStarted());
        // Still running after its start-up, probes and first log lines; then ended by us.
        QVERIFY2(!tool.waitForFinished(3000), tool.readAll().constData());
        tool.terminate();
        QVERIFY(tool.waitForFinished(5000));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ReadOnlyLog)
#include "tst_readonlylog.moc"
