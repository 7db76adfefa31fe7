#include "ctl/output/texttable.h"

#include "ctl/output/displaywidth.h"

#include <algorithm>

namespace {

constexpr int kGap = 2;

QString printable(QString text)
{
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return text;
}

} // namespace

QString renderTable(const QStringList &headers, const QVector<QStringList> &rows)
{
    QVector<QStringList> lines;
    lines << headers;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (int c = 0; c < headers.size(); ++c)
            cells << printable(row.value(c));
        lines << cells;
    }
    QVector<int> widths(headers.size(), 0);
    for (const QStringList &cells : lines)
        for (int c = 0; c < cells.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(cells[c]));

    QString out;
    for (const QStringList &cells : lines) {
        QString line;
        for (int c = 0; c < cells.size(); ++c) {
            line += cells[c];
            if (c + 1 < cells.size())
                line += QString(widths[c] - displayWidth(cells[c]) + kGap, QLatin1Char(' '));
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        out += line + QLatin1Char('\n');
    }
    return out;
}
