#pragma once

#include <QDeadlineTimer>
#include <QtTest>

// Processes events until the condition holds or the time is up; returns the condition.
template <typename Condition>
bool waitUntil(Condition condition, int timeoutMs = 10000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}
