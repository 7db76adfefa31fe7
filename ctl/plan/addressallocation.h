#pragma once

#include "ctl/args/checked.h"

#include <QVector>
#include <QtGlobal>

// count addresses from start, step apart, in order: start, start + step, ... Refused when they
// would run past 255.255.255.254.
Checked<QVector<quint32>> allocateAddresses(quint32 start, int step, int count);
