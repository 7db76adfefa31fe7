#pragma once

#include <QString>
#include <QVector>

// How one device of a batch ended.
struct BatchResult
{
    enum class Outcome
    {
        Confirmed,
        Unchanged,
        TradeFailed,
        NotConfirmed,
        NotFound
    };
    QString mac;
    int line = 0; // plan line; 0 for devices named on the command line
    QString family;
    QString ipBefore, portBefore; // as the search found it; empty when not found
    QString ipAfter, portAfter;   // as asked
    Outcome outcome = Outcome::NotFound;
    QString detail;
};

// "confirmed", "unchanged", "trade_failed", "not_confirmed", "not_found": the report's words.
QString outcomeName(BatchResult::Outcome outcome);

// The table at the end of a batch, for people.
QString batchTable(const QVector<BatchResult> &results);

// The report file: {"devices": [{"mac", "line", "family", "ip_before", "port_before", "ip_after",
// "port_after", "result", "detail"}], "exit_code": n}; ports are numbers, null when unknown.
QByteArray batchReportJson(const QVector<BatchResult> &results, int exitCode);

// The batch's exit status: 0 when every device was confirmed or unchanged, otherwise that of the
// worst device: a failed trade (4), then one not confirmed (5), then one not found (1).
int batchExitStatus(const QVector<BatchResult> &results);
