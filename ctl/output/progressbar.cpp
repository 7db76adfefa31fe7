#include "ctl/output/progressbar.h"

#include <algorithm>

namespace {
constexpr int kBarColumns = 30;
constexpr int kPercent = 100;
} // namespace

QString progressBar(qint64 done, qint64 total, const QString &counted)
{
    const qint64 shown = std::clamp<qint64>(done, 0, total);
    const int filled = total > 0 ? int(shown * kBarColumns / total) : 0;
    const int percent = total > 0 ? int(shown * kPercent / total) : 0;
    return QStringLiteral("[%1%2] %3%  %4/%5 %6")
        .arg(QString(filled, QLatin1Char('#')), QString(kBarColumns - filled, QLatin1Char('.')))
        .arg(percent, 3)
        .arg(shown)
        .arg(total)
        .arg(counted);
}
