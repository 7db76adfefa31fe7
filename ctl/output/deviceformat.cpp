#include "ctl/output/deviceformat.h"

#include "ctl/ctltext.h"
#include "ctl/output/texttable.h"
#include "discovery/devicedocument.h"

namespace {

struct TableColumn
{
    const char *field;
    const char *header;
};

// The table shows what people look for; scripts get every field through json or csv.
const TableColumn kTableColumns[] = {
    {"mac", QT_TRANSLATE_NOOP("Ctl", "MAC")},
    {"family", QT_TRANSLATE_NOOP("Ctl", "Family")},
    {"ip", QT_TRANSLATE_NOOP("Ctl", "IP")},
    {"port", QT_TRANSLATE_NOOP("Ctl", "Port")},
    {"mask", QT_TRANSLATE_NOOP("Ctl", "Mask")},
    {"gateway", QT_TRANSLATE_NOOP("Ctl", "Gateway")},
    {"server_ip", QT_TRANSLATE_NOOP("Ctl", "Server")},
    {"server_port", QT_TRANSLATE_NOOP("Ctl", "Server port")},
    {"product_type", QT_TRANSLATE_NOOP("Ctl", "Type")},
    {"category", QT_TRANSLATE_NOOP("Ctl", "Category")},
    {"serial", QT_TRANSLATE_NOOP("Ctl", "Serial")},
    {"firmware", QT_TRANSLATE_NOOP("Ctl", "Firmware")},
    {"adapter", QT_TRANSLATE_NOOP("Ctl", "Adapter")},
    {"replies", QT_TRANSLATE_NOOP("Ctl", "Replies")},
};

QString valueOf(const ExportedDevice &device, const char *name)
{
    for (const deviceexport::Field &field : device)
        if (field.name == QLatin1String(name))
            return field.value;
    return QString();
}

QString table(const QVector<ExportedDevice> &devices)
{
    QStringList headers;
    for (const TableColumn &column : kTableColumns)
        headers << Ctl::tr(column.header);
    QVector<QStringList> rows;
    for (const ExportedDevice &device : devices) {
        QStringList cells;
        for (const TableColumn &column : kTableColumns)
            cells << valueOf(device, column.field);
        rows << cells;
    }
    return renderTable(headers, rows);
}

} // namespace

Checked<OutputFormat> parseOutputFormat(const QString &field, const QString &text)
{
    if (text == QLatin1String("table"))
        return {OutputFormat::Table, QString()};
    if (text == QLatin1String("json"))
        return {OutputFormat::Json, QString()};
    if (text == QLatin1String("csv"))
        return {OutputFormat::Csv, QString()};
    return Checked<OutputFormat>::failed(
        Ctl::tr("%1: \"%2\" is not one of table, json, csv").arg(field, text));
}

QString formatDevices(OutputFormat format, const QVector<ExportedDevice> &devices)
{
    switch (format) {
    case OutputFormat::Json:
        return QString::fromUtf8(devicedocument::json(devices));
    case OutputFormat::Csv:
        return QString::fromUtf8(
            devicedocument::csv(devices, devicedocument::ByteOrderMark::Without, devicedocument::LineEnd::Lf));
    case OutputFormat::Table:
        break;
    }
    return table(devices);
}
