#include "engine/confirmation.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace {

// "02:51:00:00:00:31", "02-51-00-00-00-31" and "025100000031" name the same device.
QString macKey(const QString &mac)
{
    static const QRegularExpression separators(QStringLiteral("[^0-9A-Fa-f]"));
    return QString(mac).remove(separators).toUpper();
}

// Address texts as the form and the device write them; spaces inside do not count.
bool sameAddress(const QString &a, const QString &b)
{
    static const QRegularExpression space(QStringLiteral("\\s"));
    const QString left = QString(a).remove(space);
    const QString right = QString(b).remove(space);
    const QHostAddress leftAddress(left);
    return leftAddress.isNull() ? left == right : leftAddress.isEqual(QHostAddress(right));
}

bool samePort(const QString &a, const QString &b)
{
    bool leftOk = false;
    bool rightOk = false;
    const uint left = a.trimmed().toUInt(&leftOk);
    const uint right = b.trimmed().toUInt(&rightOk);
    return leftOk && rightOk && left == right;
}

} // namespace

Confirmation::Confirmation(const QString &deviceMac, const QString &ipv4, const QString &port,
                           int timeLimitMs, int reprobeIntervalMs, QObject *parent)
    : QObject(parent), mac(macKey(deviceMac)), expectedIpv4(ipv4), expectedPort(port)
{
    qRegisterMetaType<deviceReply>();
    timeLimit.setSingleShot(true);
    timeLimit.setInterval(timeLimitMs);
    reprobe.setInterval(reprobeIntervalMs);
    connect(&timeLimit, &QTimer::timeout, this, [this] { finish(false); });
    connect(&reprobe, &QTimer::timeout, this, &Confirmation::probeWanted);
}

void Confirmation::start()
{
    if (running || done)
        return;
    running = true;
    timeLimit.start();
    reprobe.start();
    emit probeWanted();
}

void Confirmation::observe(const deviceReply &record)
{
    if (!running || macKey(record.mac) != mac)
        return;
    lastSeen = record;
    if (sameAddress(record.ipv4, expectedIpv4) && samePort(record.port, expectedPort))
        finish(true);
}

void Confirmation::finish(bool confirmed)
{
    if (done)
        return;
    done = true;
    running = false;
    timeLimit.stop();
    reprobe.stop();
    emit finished(confirmed, lastSeen);
}
