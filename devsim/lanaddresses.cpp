#include "devsim/lanaddresses.h"

#include <QHostAddress>
#include <QProcess>

namespace {
constexpr int kIpTimeoutMs = 60000;
}

bool LanAddresses::add(const QVector<quint32> &addresses, QString *error) const
{
    QByteArray script;
    for (const quint32 address : addresses)
        script += "addr replace " + QHostAddress(address).toString().toLatin1() + "/32 dev " +
                  interface.toLatin1() + '\n';
    QProcess ip;
    ip.setProcessChannelMode(QProcess::MergedChannels);
    ip.start(QStringLiteral("ip"), {QStringLiteral("-batch"), QStringLiteral("-")});
    if (!ip.waitForStarted()) {
        *error = QStringLiteral("cannot run ip: %1").arg(ip.errorString());
        return false;
    }
    ip.write(script);
    ip.closeWriteChannel();
    if (!ip.waitForFinished(kIpTimeoutMs) || ip.exitStatus() != QProcess::NormalExit || ip.exitCode() != 0) {
        *error = QStringLiteral("ip failed: %1").arg(QString::fromLocal8Bit(ip.readAll()).trimmed());
        return false;
    }
    return true;
}
