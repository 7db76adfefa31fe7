#include "app/loghandler.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>

namespace {

std::function<QDateTime()> &logClock()
{
    static std::function<QDateTime()> clock;
    return clock;
}

QDateTime now()
{
    const auto &clock = logClock();
    return clock ? clock() : QDateTime::currentDateTime();
}

QString levelText(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return QStringLiteral("Debug:");
    case QtWarningMsg:
        return QStringLiteral("Warning:");
    case QtCriticalMsg:
        return QStringLiteral("Critical:");
    case QtFatalMsg:
        return QStringLiteral("Fatal:");
    case QtInfoMsg:
        break;
    }
    return QString();
}

// Set while this thread is inside the handler: a message raised by our own file operations
// would otherwise wait on the non-recursive lock it already holds.
thread_local bool insideHandler = false;

} // namespace

QString formatLogLine(QtMsgType type, const QTime &time, int line, const QString &msg)
{
    const QString quotedLine = QStringLiteral("\"(%1)\"").arg(line);
    return QStringLiteral("[%1%2-%3]\uFF1A%4")
        .arg(levelText(type), time.toString(QStringLiteral("hh:mm:ss.zzz")), quotedLine, msg);
}

QString logFileName(const QDate &day)
{
    return QStringLiteral("./%1.log").arg(day.toString(QStringLiteral("yyyy-MM-dd")));
}

void setLogClock(std::function<QDateTime()> clock)
{
    logClock() = std::move(clock);
}

void pelmMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    if (context.line == 0 || insideHandler)
        return;

    static QMutex mutex;
    QMutexLocker locker(&mutex);
    insideHandler = true;

    const QDateTime stamp = now();
    const QString text = formatLogLine(type, stamp.time(), context.line, msg);

    QFile file(logFileName(stamp.date()));
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        // The system's local 8-bit encoding under both Qt 5 and Qt 6, whose text stream writes UTF-8.
        file.write((text + QStringLiteral("\r\n")).toLocal8Bit());
        file.close();
    }
    insideHandler = false;
}
