#pragma once

#include "ctl/doctor/finding.h"

#include <QSet>
#include <QString>
#include <QVector>

// One line of /proc/net/udp or /proc/net/udp6.
struct UdpSocketEntry
{
    QString localAddress; // "192.168.0.10", "0.0.0.0", or eight hex groups for IPv6
    quint16 localPort = 0;
    quint64 inode = 0;
};

// The sockets listed in the text of /proc/net/udp or /proc/net/udp6; lines that do not parse
// are skipped.
QVector<UdpSocketEntry> parseProcNetUdp(const QString &text);

struct SocketUser
{
    qint64 pid = 0;
    QString command; // the process's comm
    quint64 inode = 0;
};

// The processes under procRoot ("/proc") that hold one of the socket inodes, found through
// their fd links ("socket:[inode]"). Processes whose fds cannot be read are passed over.
QVector<SocketUser> socketUsers(const QString &procRoot, const QSet<quint64> &inodes);

// What the bind test and the sockets on the port mean: bound is whether this program could
// bind the port as discovery does (shared); users are the other processes on it.
Finding portFinding(quint16 port, bool bound, const QString &bindError,
                    const QVector<UdpSocketEntry> &sockets, const QVector<SocketUser> &users);
