#include "ctl/doctor/udpportusers.h"

#include "ctl/ctltext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QtEndian>

namespace {

constexpr int kLocalColumn = 1;
constexpr int kInodeColumn = 9;
constexpr int kIpv4HexDigits = 8;
constexpr int kIpv6HexDigits = 32;

// The kernel prints each 32-bit word of the address as the host reads it from memory.
QString addressText(const QString &hex)
{
    QStringList words;
    for (int i = 0; i < hex.size(); i += kIpv4HexDigits) {
        bool ok = false;
        const quint32 raw = hex.mid(i, kIpv4HexDigits).toUInt(&ok, 16);
        if (!ok)
            return QString();
        words << QString::number(qFromBigEndian(raw), 16).rightJustified(kIpv4HexDigits, QLatin1Char('0'));
    }
    if (hex.size() == kIpv4HexDigits) {
        const quint32 a = words[0].toUInt(nullptr, 16);
        return QStringLiteral("%1.%2.%3.%4")
            .arg(a >> 24)
            .arg((a >> 16) & 0xFF)
            .arg((a >> 8) & 0xFF)
            .arg(a & 0xFF);
    }
    QStringList groups;
    for (const QString &word : words)
        groups << word.left(4) << word.mid(4);
    return groups.join(QLatin1Char(':'));
}

QString usersText(const QVector<SocketUser> &users)
{
    QStringList names;
    for (const SocketUser &user : users)
        names << Ctl::tr("%1 (pid %2)").arg(user.command, QString::number(user.pid));
    names.removeDuplicates();
    return names.join(QStringLiteral(", "));
}

} // namespace

QVector<UdpSocketEntry> parseProcNetUdp(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QVector<UdpSocketEntry> entries;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList columns = line.trimmed().split(blanks);
        if (columns.size() <= kInodeColumn)
            continue;
        const QStringList local = columns[kLocalColumn].split(QLatin1Char(':'));
        if (local.size() != 2 || (local[0].size() != kIpv4HexDigits && local[0].size() != kIpv6HexDigits))
            continue;
        bool portOk = false;
        bool inodeOk = false;
        UdpSocketEntry entry;
        entry.localAddress = addressText(local[0]);
        entry.localPort = quint16(local[1].toUInt(&portOk, 16));
        entry.inode = columns[kInodeColumn].toULongLong(&inodeOk);
        if (!portOk || !inodeOk || entry.localAddress.isEmpty())
            continue;
        entries << entry;
    }
    return entries;
}

QVector<SocketUser> socketUsers(const QString &procRoot, const QSet<quint64> &inodes)
{
    static const QRegularExpression socketLink(QStringLiteral("^socket:\\[(\\d+)\\]$"));
    QVector<SocketUser> users;
    const QStringList processes = QDir(procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : processes) {
        bool numeric = false;
        const qint64 id = pid.toLongLong(&numeric);
        if (!numeric)
            continue;
        const QDir fds(procRoot + QLatin1Char('/') + pid + QStringLiteral("/fd"));
        const QStringList links = fds.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
        for (const QString &fd : links) {
            const QString target = QFileInfo(fds.filePath(fd)).symLinkTarget();
            const QRegularExpressionMatch match = socketLink.match(QFileInfo(target).fileName());
            if (!match.hasMatch() || !inodes.contains(match.captured(1).toULongLong()))
                continue;
            QFile comm(procRoot + QLatin1Char('/') + pid + QStringLiteral("/comm"));
            const QString command =
                comm.open(QIODevice::ReadOnly) ? QString::fromUtf8(comm.readLine()).trimmed() : QString();
            users << SocketUser{id, command, match.captured(1).toULongLong()};
        }
    }
    return users;
}

Finding portFinding(quint16 port, bool bound, const QString &bindError,
                    const QVector<UdpSocketEntry> &sockets, const QVector<SocketUser> &users)
{
    Finding finding;
    finding.topic = Ctl::tr("port %1").arg(port);
    QStringList holders;
    for (const UdpSocketEntry &socket : sockets)
        if (socket.localPort == port)
            holders << socket.localAddress;
    holders.removeDuplicates();
    if (!bound) {
        finding.level = Finding::Level::Problem;
        finding.text =
            users.isEmpty()
                ? Ctl::tr("UDP port %1 cannot be bound (%2); it is held on %3 by a process this user "
                          "cannot see")
                      .arg(QString::number(port), bindError, holders.join(QStringLiteral(", ")))
                : Ctl::tr("UDP port %1 cannot be bound (%2); it is held by %3")
                      .arg(QString::number(port), bindError, usersText(users));
        finding.advice = Ctl::tr("Close that program (another configuration tool, or this tool's window) and "
                                 "try again; as root, \"ss -ulpn sport = :%1\" shows it too.")
                             .arg(port);
        return finding;
    }
    if (!users.isEmpty() || !holders.isEmpty()) {
        finding.level = Finding::Level::Note;
        finding.text = Ctl::tr("UDP port %1 can be bound, but %2 also listens on it; replies sent to one "
                               "address may reach that program instead")
                           .arg(QString::number(port),
                                users.isEmpty() ? holders.join(QStringLiteral(", ")) : usersText(users));
        finding.advice = Ctl::tr("If devices answer but none is listed, close that program.");
        return finding;
    }
    finding.text = Ctl::tr("UDP port %1 is free").arg(port);
    return finding;
}
