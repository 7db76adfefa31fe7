#pragma once

#include <QtGlobal>

// The settings a configuration trade can change; applied together at restart.
struct NetSettings
{
    quint32 ip = 0;
    quint16 port = 0;
    quint32 mask = 0;
    quint32 gateway = 0;
    quint32 serverIp = 0;
    quint16 serverPort = 0;
};
