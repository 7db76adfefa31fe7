#include "ctl/commands/jobtimeoptions.h"

#include "ctl/args/addressargs.h"
#include "ctl/ctltext.h"

#include <QCommandLineParser>

namespace {
constexpr int kMinTimeMs = 100;
constexpr int kMaxTimeMs = 600000;
} // namespace

void addJobTimeOptions(QCommandLineParser &parser)
{
    const JobTimes defaults;
    parser.addOption({QStringLiteral("timeout"),
                      Ctl::tr("Wait this long for each trade's answer (default %1, as the window).")
                          .arg(defaults.tradeTimeoutMs),
                      QStringLiteral("MS"), QString::number(defaults.tradeTimeoutMs)});
    parser.addOption({QStringLiteral("confirm-wait"),
                      Ctl::tr("Wait this long for the device to answer with its new settings (default %1).")
                          .arg(defaults.confirmTimeMs),
                      QStringLiteral("MS"), QString::number(defaults.confirmTimeMs)});
}

QString takeJobTimeOptions(const QCommandLineParser &parser, JobTimes *times)
{
    const Checked<int> timeout = parseCount(QStringLiteral("--timeout"),
                                            parser.value(QStringLiteral("timeout")), kMinTimeMs, kMaxTimeMs);
    if (!timeout.ok())
        return timeout.error;
    const Checked<int> confirm =
        parseCount(QStringLiteral("--confirm-wait"), parser.value(QStringLiteral("confirm-wait")), kMinTimeMs,
                   kMaxTimeMs);
    if (!confirm.ok())
        return confirm.error;
    times->tradeTimeoutMs = timeout.value;
    times->confirmTimeMs = confirm.value;
    return QString();
}
