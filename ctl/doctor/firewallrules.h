#pragma once

#include "ctl/doctor/finding.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Firewall rules that would drop a device's reply: a UDP datagram from the device to the PC's
// discovery port, new to connection tracking (the probe went to a group or broadcast address).
// Only the base chains on the input hook are read; a rule that also tests something this check
// does not know (a mark, another protocol's field, a jump target's rules) is passed over.

// From the JSON that "nft -j list ruleset" prints.
QVector<Finding> nftFindings(const QByteArray &json, quint16 port);

// From the text that "iptables-save" prints (its filter table's INPUT chain).
QVector<Finding> iptablesFindings(const QString &saved, quint16 port, const QString &tool);
