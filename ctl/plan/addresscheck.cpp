#include "ctl/plan/addresscheck.h"

#include "ctl/args/addressargs.h"
#include "ctl/ctltext.h"

#include <QHash>
#include <QSet>

namespace {

// Masks with this many host addresses or fewer (/31, /32) have no network or broadcast address.
constexpr quint32 kPointToPointHosts = 1;

QString where(const PlannedAddress &p)
{
    return p.line > 0 ? Ctl::tr("%1 (line %2)").arg(p.mac, QString::number(p.line)) : p.mac;
}

} // namespace

QStringList addressConflicts(const QVector<PlannedAddress> &planned)
{
    QStringList problems;
    QHash<quint32, int> first;
    for (int i = 0; i < planned.size(); ++i) {
        const PlannedAddress &p = planned[i];
        if (first.contains(p.ip)) {
            problems << Ctl::tr("%1 is planned for both %2 and %3")
                            .arg(dottedText(p.ip), where(planned[first.value(p.ip)]), where(p));
        } else {
            first.insert(p.ip, i);
        }
        const quint32 hostPart = ~p.mask;
        if (p.mask == 0 || hostPart <= kPointToPointHosts)
            continue;
        if ((p.ip & hostPart) == 0)
            problems << Ctl::tr("%1 is the network address of its subnet (mask %2) for %3")
                            .arg(dottedText(p.ip), dottedText(p.mask), where(p));
        else if ((p.ip & hostPart) == hostPart)
            problems << Ctl::tr("%1 is the broadcast address of its subnet (mask %2) for %3")
                            .arg(dottedText(p.ip), dottedText(p.mask), where(p));
    }
    return problems;
}

QStringList occupiedAddresses(const QVector<PlannedAddress> &planned, const QVector<HeldAddress> &held)
{
    QHash<QString, quint32> target;
    for (const PlannedAddress &p : planned)
        target.insert(p.mac, p.ip);
    QStringList problems;
    for (const PlannedAddress &p : planned) {
        for (const HeldAddress &h : held) {
            if (h.ip != p.ip || h.mac == p.mac)
                continue;
            // A holder the plan moves elsewhere frees the address.
            if (target.contains(h.mac) && target.value(h.mac) != h.ip)
                continue;
            problems << Ctl::tr("%1, planned for %2, is held by %3, which the plan does not move")
                            .arg(dottedText(p.ip), where(p), h.mac);
        }
    }
    return problems;
}
