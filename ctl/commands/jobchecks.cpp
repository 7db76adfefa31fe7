#include "ctl/commands/jobchecks.h"

#include "ctl/args/addressargs.h"
#include "ctl/args/credentiallimit.h"
#include "ctl/ctltext.h"
#include "ctl/plan/addresscheck.h"

QStringList checksAgainstDevices(const QVector<PlanRow> &rows, const DeviceList &devices)
{
    QStringList problems;
    QVector<PlannedAddress> planned;
    for (const PlanRow &row : rows) {
        const int index = devices.indexOf(row.mac);
        if (index < 0)
            continue;
        const deviceReply &record = devices.at(index).record;
        const QString where =
            row.line > 0 ? Ctl::tr("line %1, %2").arg(QString::number(row.line), row.mac) : row.mac;
        for (const auto &credential : {qMakePair(QStringLiteral("user"), row.user),
                                       qMakePair(QStringLiteral("password"), row.password)}) {
            const QString problem =
                credentialProblem(record.protocol,
                                  where + QStringLiteral(", ") + credential.first, credential.second);
            if (!problem.isEmpty())
                problems << problem;
        }
        if (row.ip.isEmpty())
            continue;
        const QString mask = row.mask.isEmpty() ? record.mask : row.mask;
        planned.append(
            {row.mac, row.line, parseIpv4(QString(), row.ip).value, parseIpv4(QString(), mask).value});
    }
    QVector<HeldAddress> held;
    for (int i = 0; i < devices.size(); ++i)
        held.append({devices.at(i).record.mac, parseIpv4(QString(), devices.at(i).record.ipv4).value});
    return problems + addressConflicts(planned) + occupiedAddresses(planned, held);
}
