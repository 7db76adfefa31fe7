#include "ctl/verbosity.h"

#include "ctl/console.h"

#include <QtGlobal>

namespace {

void verboseHandler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    console::err(message + QLatin1Char('\n'));
}

void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        console::err(message + QLatin1Char('\n'));
}

} // namespace

void installMessageFilter(bool verbose)
{
    qInstallMessageHandler(verbose ? verboseHandler : quietHandler);
}
