#pragma once

#include "support/labenv.h"
#include "support/waituntil.h"

#include <QProcess>
#include <QStringList>

// Runs quillon-devsim in the lab's lan namespace: start with its arguments, wait for "ready",
// stop when the test is done.
class DevsimProcess
{
public:
    ~DevsimProcess() { stop(); }

    static QString program() { return lab::buildDir() + QStringLiteral("/devsim/quillon-devsim"); }

    bool start(const QStringList &arguments, int timeoutMs = 30000)
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] {
            while (process.canReadLine())
                lines << QString::fromLatin1(process.readLine()).trimmed();
        });
        process.start(QStringLiteral("ip"), QStringList{QStringLiteral("netns"), QStringLiteral("exec"),
                                                        lab::lanNamespace(), program()} +
                                                arguments);
        return waitUntil(
                   [&] {
                       return lines.contains(QStringLiteral("ready")) ||
                              process.state() == QProcess::NotRunning;
                   },
                   timeoutMs) &&
               lines.contains(QStringLiteral("ready"));
    }

    void stop()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished(5000);
    }

    QStringList lines;

private:
    QProcess process;
};
