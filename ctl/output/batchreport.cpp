#include "ctl/output/batchreport.h"

#include "ctl/ctltext.h"
#include "ctl/exitcode.h"
#include "ctl/output/texttable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString outcomeText(BatchResult::Outcome outcome)
{
    switch (outcome) {
    case BatchResult::Outcome::Confirmed:
        return Ctl::tr("confirmed");
    case BatchResult::Outcome::Unchanged:
        return Ctl::tr("unchanged");
    case BatchResult::Outcome::TradeFailed:
        return Ctl::tr("failed");
    case BatchResult::Outcome::NotConfirmed:
        return Ctl::tr("not confirmed");
    case BatchResult::Outcome::NotFound:
        break;
    }
    return Ctl::tr("not found");
}

QJsonValue portValue(const QString &port)
{
    bool number = false;
    const int value = port.toInt(&number);
    return number ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QString endpoint(const QString &ip, const QString &port)
{
    return ip.isEmpty() ? QString() : ip + QLatin1Char(':') + port;
}

} // namespace

QString outcomeName(BatchResult::Outcome outcome)
{
    switch (outcome) {
    case BatchResult::Outcome::Confirmed:
        return QStringLiteral("confirmed");
    case BatchResult::Outcome::Unchanged:
        return QStringLiteral("unchanged");
    case BatchResult::Outcome::TradeFailed:
        return QStringLiteral("trade_failed");
    case BatchResult::Outcome::NotConfirmed:
        return QStringLiteral("not_confirmed");
    case BatchResult::Outcome::NotFound:
        break;
    }
    return QStringLiteral("not_found");
}

QString batchTable(const QVector<BatchResult> &results)
{
    QVector<QStringList> rows;
    for (const BatchResult &r : results)
        rows << QStringList{r.mac,
                            r.family,
                            endpoint(r.ipBefore, r.portBefore),
                            endpoint(r.ipAfter, r.portAfter),
                            outcomeText(r.outcome),
                            r.detail};
    return renderTable({Ctl::tr("MAC"), Ctl::tr("Family"), Ctl::tr("Before"), Ctl::tr("After"),
                        Ctl::tr("Result"), Ctl::tr("Detail")},
                       rows);
}

QByteArray batchReportJson(const QVector<BatchResult> &results, int exitCode)
{
    QJsonArray devices;
    for (const BatchResult &r : results)
        devices.append(QJsonObject{{QStringLiteral("mac"), r.mac},
                                   {QStringLiteral("line"), r.line},
                                   {QStringLiteral("family"), r.family},
                                   {QStringLiteral("ip_before"), r.ipBefore},
                                   {QStringLiteral("port_before"), portValue(r.portBefore)},
                                   {QStringLiteral("ip_after"), r.ipAfter},
                                   {QStringLiteral("port_after"), portValue(r.portAfter)},
                                   {QStringLiteral("result"), outcomeName(r.outcome)},
                                   {QStringLiteral("detail"), r.detail}});
    return QJsonDocument(
               QJsonObject{{QStringLiteral("devices"), devices}, {QStringLiteral("exit_code"), exitCode}})
        .toJson();
}

int batchExitStatus(const QVector<BatchResult> &results)
{
    bool failed = false;
    bool unconfirmed = false;
    bool missing = false;
    for (const BatchResult &r : results) {
        failed = failed || r.outcome == BatchResult::Outcome::TradeFailed;
        unconfirmed = unconfirmed || r.outcome == BatchResult::Outcome::NotConfirmed;
        missing = missing || r.outcome == BatchResult::Outcome::NotFound;
    }
    if (failed)
        return exitStatus(ExitCode::TradeFailed);
    if (unconfirmed)
        return exitStatus(ExitCode::NotConfirmed);
    if (missing)
        return exitStatus(ExitCode::NoDevice);
    return exitStatus(ExitCode::Done);
}
