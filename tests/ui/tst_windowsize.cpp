#include "ui/windowsize.h"

#include <QtTest>

class tst_WindowSize : public QObject
{
    Q_OBJECT
private slots:
    void sizesForScreen_data();
    void sizesForScreen();
};

void tst_WindowSize::sizesForScreen_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QSize>("maximum");
    QTest::addColumn<QSize>("minimum"); // also the start size
    QTest::addColumn<QPoint>("centre");
    QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << QSize(1747, 1080) << QSize(873, 540)
                               << QPoint(959, 539);
    QTest::newRow("1366x768_least_height")
        << QRect(0, 0, 1366, 768) << QSize(1242, 768) << QSize(873, 540) << QPoint(682, 383);
    QTest::newRow("2560x1440") << QRect(0, 0, 2560, 1440) << QSize(2330, 1440) << QSize(1165, 720)
                               << QPoint(1279, 719);
    QTest::newRow("1280x1024_narrow_maximum")
        << QRect(0, 0, 1280, 1024) << QSize(1280, 1024) << QSize(873, 540) << QPoint(639, 511);
    QTest::newRow("800x600_narrow_both")
        << QRect(0, 0, 800, 600) << QSize(800, 600) << QSize(800, 540) << QPoint(399, 299);
    QTest::newRow("portrait_1080x1920")
        << QRect(0, 0, 1080, 1920) << QSize(1080, 1920) << QSize(1080, 960) << QPoint(539, 959);
    QTest::newRow("second_screen") << QRect(1920, 0, 1920, 1080) << QSize(1747, 1080) << QSize(873, 540)
                                   << QPoint(2879, 539);
}

void tst_WindowSize::sizesForScreen()
{
    QFETCH(QRect, screen);
    const WindowSizes sizes = windowSizesFor(screen);
    QTEST(QSize(sizes.maxW, sizes.maxH), "maximum");
    QTEST(QSize(sizes.miniW, sizes.miniH), "minimum");
    QTEST(sizes.centerPoint, "centre");
}

QTEST_GUILESS_MAIN(tst_WindowSize)
#include "tst_windowsize.moc"
