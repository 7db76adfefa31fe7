#include "ctl/plan/planform.h"

#include "ctl/ctltext.h"
#include "netcfg/defaultcredentials.h"

namespace {

struct Setting
{
    const char *name;
    QString PlanRow::*asked;
    QString deviceReply::*shown;
};

const Setting kSettings[] = {
    {"ip", &PlanRow::ip, &deviceReply::ipv4},
    {"port", &PlanRow::port, &deviceReply::port},
    {"mask", &PlanRow::mask, &deviceReply::mask},
    {"gateway", &PlanRow::gateway, &deviceReply::gateway},
    {"server", &PlanRow::server, &deviceReply::dstIpv4},
    {"server_port", &PlanRow::serverPort, &deviceReply::dstPort},
};

QString orListed(const QString &asked, const QString &listed)
{
    return asked.isEmpty() ? listed : asked;
}

} // namespace

NetForm formFor(const PlanRow &row, const deviceReply &record)
{
    NetForm form;
    form.ipv4 = orListed(row.ip, record.ipv4);
    form.port = orListed(row.port, record.port);
    form.mask = orListed(row.mask, record.mask);
    form.gateway = orListed(row.gateway, record.gateway);
    form.dstIp = orListed(row.server, record.dstIpv4);
    form.dstPort = orListed(row.serverPort, record.dstPort);
    form.sn = record.sn;
    const LoginCredentials defaults = defaultCredentials(record.fw);
    form.user = orListed(row.user, defaults.user);
    form.password = orListed(row.password, defaults.password);
    return form;
}

QString expectedAddress(const PlanRow &row, const deviceReply &record)
{
    return orListed(row.ip, record.ipv4);
}

QString expectedPort(const PlanRow &row, const deviceReply &record)
{
    return orListed(row.port, record.port);
}

QStringList settingMismatches(const PlanRow &row, const deviceReply &seen)
{
    QStringList mismatches;
    for (const Setting &s : kSettings) {
        const QString &asked = row.*s.asked;
        if (!asked.isEmpty() && asked != seen.*s.shown)
            mismatches << Ctl::tr("%1 %2 (asked %3)").arg(QLatin1String(s.name), seen.*s.shown, asked);
    }
    return mismatches;
}
