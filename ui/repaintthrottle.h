#pragma once

#include <QObject>
#include <QTimer>
#include <QWidget>

// Paints a widget at most once a frame while its contents change in a burst. A shown table
// repaints its visible rows each time the event loop catches up with the replies, which during
// a search of hundreds of devices is many times a frame; the screen shows no more than one.
class RepaintThrottle : public QObject
{
    Q_OBJECT

public:
    // One frame at 60 Hz.
    static constexpr int frameMs = 16;

    explicit RepaintThrottle(QWidget *target, int intervalMs = frameMs);

    // Holds the target's painting until the current frame ends; a hold already running is not
    // extended, so a continuous burst is still painted once a frame.
    void hold();

private:
    QWidget *const target; // the parent: it outlives the throttle
    QTimer frameEnd;
};
