#include "ctl/args/credentiallimit.h"

#include "ctl/ctltext.h"
#include "netcfg/tradeframes.h"

#include <algorithm>

namespace {

// The largest limit of any family: a longer credential fits no device.
int longestCredentialLimit()
{
    return std::max(credentialByteLimit(DeviceFamily::Encrypted407),
                    credentialByteLimit(DeviceFamily::Reply201));
}

} // namespace

int credentialByteLimit(DeviceFamily family)
{
    switch (family) {
    case DeviceFamily::Encrypted407:
        return tradeframes::kClearCredentialSize;
    case DeviceFamily::Reply201:
        return tradeframes::kMaxEncryptedCredential;
    case DeviceFamily::Plain407:
    case DeviceFamily::Unknown:
        break;
    }
    return -1;
}

QString credentialProblem(DeviceFamily family, const QString &field, const QString &text)
{
    const int limit = credentialByteLimit(family);
    const int bytes = text.trimmed().toUtf8().size();
    if (limit < 0 || bytes <= limit)
        return QString();
    return Ctl::tr("%1: %2 bytes long in UTF-8; this device's login carries at most %3")
        .arg(field, QString::number(bytes), QString::number(limit));
}

QString credentialFitsNoFamily(const QString &field, const QString &text)
{
    const int bytes = text.trimmed().toUtf8().size();
    if (bytes <= longestCredentialLimit())
        return QString();
    return Ctl::tr("%1: %2 bytes long in UTF-8; no device takes more than %3")
        .arg(field, QString::number(bytes), QString::number(longestCredentialLimit()));
}
