#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <functional>

// Writes every message that carries a source line to "./<yyyy-MM-dd>.log".
void pelmMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &msg);

// One log line without its "\r\n" ending.
QString formatLogLine(QtMsgType type, const QTime &time, int line, const QString &msg);

// "./2026-12-05.log" for that day.
QString logFileName(const QDate &day);

// The clock the handler reads; tests replace it to cross midnight. An empty function restores
// the system clock.
void setLogClock(std::function<QDateTime()> clock);
