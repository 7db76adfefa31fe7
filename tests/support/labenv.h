#pragma once

#include <QProcessEnvironment>
#include <QString>

// What scripts/lab tells the programs it runs.
namespace lab {

inline QString env(const char *name)
{
    return QProcessEnvironment::systemEnvironment().value(QString::fromLatin1(name));
}
inline QString lanNamespace() { return env("QUILLON_LAB_LAN_NS"); }
inline QString pcAddress() { return env("QUILLON_LAB_PC_IP"); }
inline QString lanAddress() { return env("QUILLON_LAB_LAN_IP"); }
inline QString lanInterface() { return env("QUILLON_LAB_LAN_IF"); }
inline QString buildDir() { return QString::fromLatin1(QUILLON_BUILD_DIR); }

} // namespace lab
