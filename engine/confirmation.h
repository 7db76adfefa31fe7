#pragma once

#include "discovery/devicereply.h"

#include <QObject>
#include <QString>
#include <QTimer>

// After a change of its network settings, waits until the device of one MAC answers a search
// with the requested address and port, or a time limit passes. It has no socket of its own: its
// owner feeds it every search reply (observe) and probes whenever it asks (probeWanted).
class Confirmation : public QObject
{
    Q_OBJECT

public:
    // mac in any case, with or without separators; port as decimal text.
    Confirmation(const QString &mac, const QString &expectedIpv4, const QString &expectedPort,
                 int timeLimitMs, int reprobeIntervalMs, QObject *parent = nullptr);

    // Asks for a probe at once and then every re-probe interval, until the end.
    void start();
    bool isFinished() const { return done; }

public slots:
    void observe(const deviceReply &record);

signals:
    void probeWanted();
    // lastSeen: the device's latest reply since start(); an empty record when it sent none.
    void finished(bool confirmed, const deviceReply &lastSeen);

private:
    void finish(bool confirmed);

    QString mac;
    QString expectedIpv4;
    QString expectedPort;
    QTimer timeLimit;
    QTimer reprobe;
    deviceReply lastSeen;
    bool running = false;
    bool done = false;
};
