#include "netcfg/tradeplan.h"

#include "crypto/credentialcipher.h"
#include "netcfg/tradeframes.h"

#include <optional>

using namespace tradeframes;

namespace {

struct Setting
{
    quint8 code;
    const QString NetForm::*formText;
    const QString deviceReply::*recordText;
    bool isAddress;
    const char *fieldName;
};

// The fixed slot order of the setting trades.
const Setting kSettings[] = {
    {kSetIpv4, &NetForm::ipv4, &deviceReply::ipv4, true, "IP地址"},
    {kSetPort, &NetForm::port, &deviceReply::port, false, "端口号"},
    {kSetMask, &NetForm::mask, &deviceReply::mask, true, "掩码"},
    {kSetGateway, &NetForm::gateway, &deviceReply::gateway, true, "网关"},
    {kSetServerIp, &NetForm::dstIp, &deviceReply::dstIpv4, true, "服务器IP"},
    {kSetServerPort, &NetForm::dstPort, &deviceReply::dstPort, false, "服务器端口号"},
};

TradePlan refused(const char *field)
{
    TradePlan plan;
    plan.refusedField = QString::fromUtf8(field);
    return plan;
}

} // namespace

TradePlan planTrades(const NetForm &form, const deviceReply &record, const QString &orgIp)
{
    const bool unicast = tradesByAddress(record.protocol);
    TradePlan plan;
    QByteArray macTail;
    if (!unicast) {
        plan.dstMac = targetMac(record.mac);
        macTail = QByteArray::fromHex(plan.dstMac.toLatin1());
    }

    bool anyChanged = false;
    for (const Setting &s : kSettings)
        anyChanged = anyChanged || form.*s.formText != record.*s.recordText;
    if (!anyChanged)
        return plan;

    std::vector<Trade> settings;
    for (const Setting &s : kSettings) {
        const QString &text = form.*s.formText;
        if (!unicast && text == record.*s.recordText)
            continue;
        const std::optional<QByteArray> value = s.isAddress ? ipv4Field(text) : portField(text);
        if (!value)
            return refused(s.fieldName);
        settings.push_back({s.code, settingTrade(s.code, *value, macTail)});
    }

    Trade login{kLogin, {}};
    std::vector<Trade> closing;
    if (record.protocol == DeviceFamily::Plain407) {
        const std::optional<QByteArray> address = ipv4Field(orgIp);
        if (!address)
            return refused("IP地址");
        login.request = loginPlain(*address);
        closing.push_back({kLogoutRestart, logoutRestart(QByteArray())});
    } else if (record.protocol == DeviceFamily::Encrypted407) {
        const std::optional<QByteArray> serial = serialField(form.sn);
        if (!serial)
            return refused("SN");
        const std::optional<QByteArray> user = clearCredential(form.user);
        if (!user)
            return refused("用户名");
        const std::optional<QByteArray> password = clearCredential(form.password);
        if (!password)
            return refused("密码");
        login.request = loginFramed(*serial, *user, *password);
        // The device's own MAC after the marker, never one left over from another device.
        const QByteArray ownMac = QByteArray::fromHex(targetMac(record.mac).toLatin1());
        closing.push_back({kLogoutRestart, logoutRestart(ownMac)});
        closing.push_back({kSignOff, signOff(*serial)});
    } else {
        const QByteArray user = form.user.trimmed().toUtf8();
        const QByteArray password = form.password.trimmed().toUtf8();
        if (user.size() > kMaxEncryptedCredential)
            return refused("用户名");
        if (password.size() > kMaxEncryptedCredential)
            return refused("密码");
        login.request = loginEncrypted(credentialcipher::encrypt(user, kCredentialKey),
                                       credentialcipher::encrypt(password, kCredentialKey), macTail);
        closing.push_back({kLogoutRestart, logoutRestart(macTail)});
    }

    plan.settingCount = int(settings.size());
    plan.trades.push_back(login);
    plan.trades.insert(plan.trades.end(), settings.begin(), settings.end());
    plan.trades.insert(plan.trades.end(), closing.begin(), closing.end());
    return plan;
}
