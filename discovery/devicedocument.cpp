#include "discovery/devicedocument.h"

#include "discovery/devicelist.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace devicedocument {

namespace {

const QByteArray utf8ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray crLf = QByteArrayLiteral("\r\n");
const QByteArray lf = QByteArrayLiteral("\n");
const QString formulaStarts = QStringLiteral("=+-@\t\r");
const QLatin1Char textMark('\'');
const QByteArray jsonIndent = QByteArrayLiteral("    ");

QByteArray csvLine(const QStringList &values, LineEnd lineEnd)
{
    QStringList cells;
    for (const QString &value : values)
        cells << csvField(value);
    return cells.join(QLatin1Char(',')).toUtf8() + (lineEnd == LineEnd::CrLf ? crLf : lf);
}

// A JSON string with Qt's escaping: the one-element array's text without its brackets.
QByteArray jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray jsonValue(const deviceexport::Field &field)
{
    if (field.kind == deviceexport::ValueKind::Text)
        return jsonString(field.value);
    bool isNumber = false;
    const qlonglong number = field.value.toLongLong(&isNumber);
    return isNumber ? QByteArray::number(number) : QByteArrayLiteral("null");
}

QByteArray jsonObject(const Row &row, const QByteArray &indent)
{
    QByteArrayList members;
    for (const deviceexport::Field &field : row)
        members << indent + jsonIndent + jsonString(field.name) + ": " + jsonValue(field);
    return indent + "{\n" + members.join(",\n") + "\n" + indent + "}";
}

} // namespace

QVector<Row> rows(const DeviceList &devices)
{
    QVector<Row> out;
    out.reserve(devices.size());
    for (int i = 0; i < devices.size(); ++i) {
        const DeviceEntry &entry = devices.at(i);
        out << deviceexport::fields(entry.record, entry.adapter, entry.replies);
    }
    return out;
}

QByteArray csv(const QVector<Row> &rows, ByteOrderMark mark, LineEnd lineEnd)
{
    QByteArray out = mark == ByteOrderMark::With ? utf8ByteOrderMark : QByteArray();
    out += csvLine(deviceexport::fieldNames(), lineEnd);
    for (const Row &row : rows) {
        QStringList values;
        for (const deviceexport::Field &field : row)
            values << field.value;
        out += csvLine(values, lineEnd);
    }
    return out;
}

QString csvField(const QString &value)
{
    const QString text = !value.isEmpty() && formulaStarts.contains(value.front()) ? textMark + value : value;
    const bool quoted = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                        text != text.trimmed();
    if (!quoted)
        return text;
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QByteArray json(const QVector<Row> &rows)
{
    const QByteArray listIndent = jsonIndent + jsonIndent;
    QByteArrayList objects;
    for (const Row &row : rows)
        objects << jsonObject(row, listIndent);
    QByteArray out = "{\n" + jsonIndent + "\"devices\": [\n";
    if (!objects.isEmpty())
        out += objects.join(",\n") + "\n";
    return out + jsonIndent + "]\n}\n";
}

} // namespace devicedocument
