#include "ctl/plan/csvreader.h"

#include "ctl/ctltext.h"

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");
constexpr QChar kQuote = QLatin1Char('"');
constexpr QChar kSeparator = QLatin1Char(',');
constexpr QChar kLineFeed = QLatin1Char('\n');
constexpr QChar kReturn = QLatin1Char('\r');

// Walks the text once; a record is complete at an unquoted line end or the end of the text.
class CsvScanner
{
public:
    explicit CsvScanner(const QString &text) : text(text) {}

    Checked<QVector<CsvRecord>> scan()
    {
        while (at < text.size()) {
            if (atLineEnd()) { // an empty line
                skipLineEnd();
                continue;
            }
            CsvRecord record;
            record.line = line;
            for (;;) {
                QString field;
                const QString error = readField(&field, record.fields.size() + 1);
                if (!error.isEmpty())
                    return Checked<QVector<CsvRecord>>::failed(error);
                record.fields << field;
                if (at < text.size() && text[at] == kSeparator) {
                    ++at;
                    continue;
                }
                skipLineEnd();
                break;
            }
            records << record;
        }
        return {records, QString()};
    }

private:
    bool atLineEnd() const { return text[at] == kLineFeed || text[at] == kReturn; }

    void skipLineEnd()
    {
        if (at < text.size() && text[at] == kReturn)
            ++at;
        if (at < text.size() && text[at] == kLineFeed)
            ++at;
        ++line;
    }

    QString readField(QString *field, int position)
    {
        if (at < text.size() && text[at] == kQuote)
            return readQuoted(field, position);
        const int start = at;
        while (at < text.size() && text[at] != kSeparator && !atLineEnd()) {
            if (text[at] == kQuote)
                return Ctl::tr(
                           "line %1, field %2: a double quote inside a field that does not start with one")
                    .arg(QString::number(line), QString::number(position));
            ++at;
        }
        *field = text.mid(start, at - start);
        return QString();
    }

    QString readQuoted(QString *field, int position)
    {
        const int startLine = line;
        ++at;
        for (;;) {
            if (at >= text.size())
                return Ctl::tr("line %1, field %2: the quoted field is never closed")
                    .arg(QString::number(startLine), QString::number(position));
            const QChar c = text[at++];
            if (c != kQuote) {
                if (c == kLineFeed)
                    ++line;
                *field += c;
                continue;
            }
            if (at < text.size() && text[at] == kQuote) {
                *field += kQuote;
                ++at;
                continue;
            }
            if (at < text.size() && text[at] != kSeparator && !atLineEnd())
                return Ctl::tr("line %1, field %2: text after the closing double quote")
                    .arg(QString::number(line), QString::number(position));
            return QString();
        }
    }

    const QString &text;
    int at = 0;
    int line = 1;
    QVector<CsvRecord> records;
};

} // namespace

Checked<QVector<CsvRecord>> readCsv(const QByteArray &bytes)
{
    const QByteArray body = bytes.startsWith(kByteOrderMark) ? bytes.mid(kByteOrderMark.size()) : bytes;
    // Invalid sequences decode to replacement characters, which do not encode back the same.
    const QList<QByteArray> lines = body.split('\n');
    for (int i = 0; i < lines.size(); ++i)
        if (QString::fromUtf8(lines[i]).toUtf8() != lines[i])
            return Checked<QVector<CsvRecord>>::failed(
                Ctl::tr("line %1: not UTF-8 text (save the plan as CSV UTF-8)").arg(i + 1));
    const QString text = QString::fromUtf8(body);
    return CsvScanner(text).scan();
}
