#pragma once

#include <QStringList>

// True when the argument turns the log file on: "-log" or "-debug" anywhere in it, any case.
bool isLogSwitch(const QString &argument);

// Installs the log-file handler once for every switch found in arguments[1..]; returns whether
// any was found. Other arguments are ignored.
bool applyLogSwitches(const QStringList &arguments);
