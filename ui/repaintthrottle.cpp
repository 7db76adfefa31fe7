#include "ui/repaintthrottle.h"

RepaintThrottle::RepaintThrottle(QWidget *target, int intervalMs) : QObject(target), target(target)
{
    frameEnd.setSingleShot(true);
    frameEnd.setInterval(intervalMs);
    connect(&frameEnd, &QTimer::timeout, this, [this] { this->target->setUpdatesEnabled(true); });
}

void RepaintThrottle::hold()
{
    if (frameEnd.isActive())
        return;
    target->setUpdatesEnabled(false);
    frameEnd.start();
}
