#pragma once

#include <QLoggingCategory>

// The category of the program's debug lines, the framework's default one, for qCDebug: unlike
// qDebug it formats nothing while debug output is off, which matters on paths taken for every
// datagram. The lines themselves are the same either way.
inline const QLoggingCategory &debugLog()
{
    return *QLoggingCategory::defaultCategory();
}
