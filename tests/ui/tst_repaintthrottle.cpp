#include "ui/repaintthrottle.h"

#include <QtTest>

// Painting held for at most a frame: a burst of changes is still painted once a frame, and the
// widget paints again as soon as it ends.
class tst_RepaintThrottle : public QObject
{
    Q_OBJECT
private slots:
    void holdsUntilTheFrameEnds()
    {
        QWidget widget;
        RepaintThrottle throttle(&widget);
        throttle.hold();
        QVERIFY(!widget.updatesEnabled());
        QTRY_VERIFY(widget.updatesEnabled());
    }

    // Holds arriving faster than frames never keep the widget from painting for long.
    void burstPaintedEveryFrame()
    {
        QWidget widget;
        RepaintThrottle throttle(&widget, 20);
        QElapsedTimer clock;
        clock.start();
        int framesPainted = 0;
        while (clock.elapsed() < 500) {
            if (widget.updatesEnabled())
                ++framesPainted;
            throttle.hold();
            QTest::qWait(2);
        }
        // 500 ms of holds every 2 ms: painting comes back at the end of each 20 ms frame; a
        // hold that renewed itself would let it come back once.
        QVERIFY2(framesPainted >= 5, qPrintable(QString::number(framesPainted)));
        QTRY_VERIFY(widget.updatesEnabled());
    }
};

QTEST_MAIN(tst_RepaintThrottle)
#include "tst_repaintthrottle.moc"
