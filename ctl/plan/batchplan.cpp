#include "ctl/plan/batchplan.h"

#include "ctl/args/addressargs.h"
#include "ctl/args/credentiallimit.h"
#include "ctl/args/macaddress.h"
#include "ctl/ctltext.h"
#include "ctl/plan/csvreader.h"

#include <QHash>

namespace {

enum class Kind
{
    Mac,
    DeviceAddress,
    Mask,
    Address,
    Port,
    Credential
};

struct Column
{
    const char *name;
    QString PlanRow::*text;
    Kind kind;
};

const Column kColumns[] = {
    {"mac", &PlanRow::mac, Kind::Mac},
    {"ip", &PlanRow::ip, Kind::DeviceAddress},
    {"port", &PlanRow::port, Kind::Port},
    {"mask", &PlanRow::mask, Kind::Mask},
    {"gateway", &PlanRow::gateway, Kind::Address},
    {"server", &PlanRow::server, Kind::Address},
    {"server_port", &PlanRow::serverPort, Kind::Port},
    {"user", &PlanRow::user, Kind::Credential},
    {"password", &PlanRow::password, Kind::Credential},
};

// The value in the record's form, or why it is not one.
Checked<QString> checkValue(Kind kind, const QString &field, const QString &text)
{
    switch (kind) {
    case Kind::Mac:
        return parseMac(field, text);
    case Kind::Port: {
        const Checked<quint16> port = parsePort(field, text);
        return {port.ok() ? QString::number(port.value) : QString(), port.error};
    }
    case Kind::Credential: {
        const QString problem = credentialFitsNoFamily(field, text);
        return {problem.isEmpty() ? text.trimmed() : QString(), problem};
    }
    case Kind::DeviceAddress:
    case Kind::Mask:
    case Kind::Address:
        break;
    }
    const Checked<quint32> address = kind == Kind::DeviceAddress ? parseDeviceAddress(field, text)
                                     : kind == Kind::Mask        ? parseMask(field, text)
                                                                 : parseIpv4(field, text);
    return {address.ok() ? dottedText(address.value) : QString(), address.error};
}

QString cellName(int line, const char *column)
{
    return Ctl::tr("line %1, column %2").arg(QString::number(line), QLatin1String(column));
}

Checked<QVector<PlanRow>> failed(const QString &why)
{
    return Checked<QVector<PlanRow>>::failed(why);
}

} // namespace

bool PlanRow::setsAnything() const
{
    return !(ip.isEmpty() && port.isEmpty() && mask.isEmpty() && gateway.isEmpty() && server.isEmpty() &&
             serverPort.isEmpty());
}

QStringList planColumns()
{
    QStringList names;
    for (const Column &column : kColumns)
        names << QLatin1String(column.name);
    return names;
}

Checked<QVector<PlanRow>> parsePlan(const QByteArray &csv)
{
    const Checked<QVector<CsvRecord>> records = readCsv(csv);
    if (!records.ok())
        return failed(records.error);
    if (records.value.isEmpty())
        return failed(Ctl::tr("the plan is empty; its first line names the columns, such as mac,ip"));

    const CsvRecord &header = records.value.first();
    QVector<const Column *> columnAt;
    for (const QString &name : header.fields) {
        const Column *found = nullptr;
        for (const Column &column : kColumns)
            if (name.trimmed().compare(QLatin1String(column.name), Qt::CaseInsensitive) == 0)
                found = &column;
        if (!found)
            return failed(
                Ctl::tr("line %1: unknown column \"%2\"; the columns are %3")
                    .arg(QString::number(header.line), name, planColumns().join(QStringLiteral(", "))));
        if (columnAt.contains(found))
            return failed(Ctl::tr("line %1: column \"%2\" appears twice")
                              .arg(QString::number(header.line), QLatin1String(found->name)));
        columnAt << found;
    }
    if (!columnAt.contains(&kColumns[0]))
        return failed(Ctl::tr("line %1: the plan has no \"mac\" column").arg(header.line));

    QVector<PlanRow> rows;
    QHash<QString, int> lineOfMac;
    for (int r = 1; r < records.value.size(); ++r) {
        const CsvRecord &record = records.value[r];
        if (record.fields.size() != columnAt.size())
            return failed(Ctl::tr("line %1: %2 fields where the header names %3")
                              .arg(QString::number(record.line), QString::number(record.fields.size()),
                                   QString::number(columnAt.size())));
        PlanRow row;
        row.line = record.line;
        for (int c = 0; c < columnAt.size(); ++c) {
            const QString &text = record.fields[c];
            const Column &column = *columnAt[c];
            if (text.trimmed().isEmpty()) {
                if (column.kind == Kind::Mac)
                    return failed(Ctl::tr("%1: the MAC is missing").arg(cellName(record.line, column.name)));
                continue;
            }
            const Checked<QString> value = checkValue(column.kind, cellName(record.line, column.name), text);
            if (!value.ok())
                return failed(value.error);
            row.*column.text = value.value;
        }
        if (lineOfMac.contains(row.mac))
            return failed(
                Ctl::tr("line %1: %2 is already planned on line %3")
                    .arg(QString::number(row.line), row.mac, QString::number(lineOfMac.value(row.mac))));
        lineOfMac.insert(row.mac, row.line);
        if (!row.setsAnything())
            return failed(
                Ctl::tr("line %1: the row for %2 sets nothing").arg(QString::number(row.line), row.mac));
        if (row.user.isEmpty() != row.password.isEmpty())
            return failed(Ctl::tr("line %1: give both user and password, or neither").arg(row.line));
        rows << row;
    }
    if (rows.isEmpty())
        return failed(Ctl::tr("the plan names no device"));
    return {rows, QString()};
}
