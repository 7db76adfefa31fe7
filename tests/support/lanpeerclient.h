#pragma once

#include "support/labenv.h"
#include "support/waituntil.h"

#include <QProcess>
#include <QStringList>
#include <QRegularExpression>

// Runs the lan namespace's stand-in device (support/lanpeer.cpp) and collects what it reports.
class LanPeer
{
public:
    ~LanPeer()
    {
        if (process.state() != QProcess::NotRunning) {
            process.closeWriteChannel();
            if (!process.waitForFinished(3000))
                process.kill();
            process.waitForFinished(3000);
        }
    }

    bool start()
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] {
            while (process.canReadLine())
                lines << QString::fromLatin1(process.readLine()).trimmed();
        });
        process.start(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("exec"), lab::lanNamespace(),
                                             lab::buildDir() + QStringLiteral("/tests/quillon_lanpeer")});
        return waitFor(QStringLiteral("ready"));
    }

    // Sends a command and waits until the peer has carried it out.
    bool command(const QString &line)
    {
        const QString done = QStringLiteral("done ") + line.section(QLatin1Char(' '), 0, 0);
        const int before = lines.count(done);
        process.write((line + QLatin1Char('\n')).toLatin1());
        return waitUntil([&] { return lines.count(done) > before; });
    }

    bool send(const QString &hex, quint16 port = 15367)
    {
        return command(QStringLiteral("send %1 %2 %3").arg(lab::pcAddress()).arg(port).arg(hex.isEmpty() ? QStringLiteral("-") : hex));
    }

    bool waitFor(const QString &line, int timeout = 10000)
    {
        return waitUntil([&] { return lines.contains(line); }, timeout);
    }

    // "probe DST SRC SRCPORT TTL HEX" lines.
    QStringList probes() const
    {
        return lines.filter(QRegularExpression(QStringLiteral("^probe ")));
    }

    // "trade PORT HEX" lines: what reached the listening unicast device.
    QStringList trades() const
    {
        return lines.filter(QRegularExpression(QStringLiteral("^trade ")));
    }

    QStringList lines;

private:
    QProcess process;
};
