#include "netcfg/defaultcredentials.h"

bool hasWebInterface(const QString &firmware)
{
    return firmware.trimmed().size() >= kMinWebFirmwareLength;
}

LoginCredentials defaultCredentials(const QString &firmware)
{
    if (hasWebInterface(firmware))
        return {QStringLiteral("morvik"), QStringLiteral("7302916485")};
    return {QStringLiteral("admin"), QStringLiteral("ovsel")};
}
