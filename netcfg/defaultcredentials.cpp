#include "netcfg/defaultcredentials.h"

#include "discovery/webfirmware.h"

LoginCredentials defaultCredentials(const QString &firmware)
{
    if (offersWebInterface(firmware))
        return {QStringLiteral("morvik"), QStringLiteral("7302916485")};
    return {QStringLiteral("admin"), QStringLiteral("ovsel")};
}
