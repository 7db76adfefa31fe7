#pragma once

#include "ctl/args/checked.h"

#include <QtGlobal>

// Addresses, masks and ports as the user writes them on the command line or in a plan. Every
// error names the field ("--ip", "line 3, ip") and the part that is wrong.

// Dotted decimal, four parts of one to three digits, each 0 to 255 (host byte order).
Checked<quint32> parseIpv4(const QString &field, const QString &text);
// As parseIpv4, and an address a device can hold: not 0.0.0.0, loopback, multicast or
// 255.255.255.255.
Checked<quint32> parseDeviceAddress(const QString &field, const QString &text);
// As parseIpv4, and a subnet mask: ones then zeros, at least one one.
Checked<quint32> parseMask(const QString &field, const QString &text);
// Decimal 1 to 65535.
Checked<quint16> parsePort(const QString &field, const QString &text);
// Decimal min to max, for counts and times.
Checked<int> parseCount(const QString &field, const QString &text, int min, int max);

// "192.168.0.10" for the host-order address.
QString dottedText(quint32 address);
