#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QtGlobal>

// Collects every log message, from any thread, while it exists.
class LogCapture
{
public:
    LogCapture()
    {
        clear();
        previous = qInstallMessageHandler(&LogCapture::handler);
    }
    ~LogCapture() { qInstallMessageHandler(previous); }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QStringList messages() const
    {
        QMutexLocker locker(&state().lock);
        return state().messages;
    }
    bool contains(const QString &text) const
    {
        for (const QString &message : messages())
            if (message.contains(text))
                return true;
        return false;
    }
    void clear()
    {
        QMutexLocker locker(&state().lock);
        state().messages.clear();
    }

private:
    struct State
    {
        QMutex lock;
        QStringList messages;
    };
    static State &state()
    {
        static State shared;
        return shared;
    }
    static void handler(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        QMutexLocker locker(&state().lock);
        state().messages << message;
    }

    QtMessageHandler previous = nullptr;
};
