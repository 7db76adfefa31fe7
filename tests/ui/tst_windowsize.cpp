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
    QTest::addColumn<int>("maxW");
    QTest::addColumn<int>("maxH");
    QTest::addColumn<int>("miniW");
    QTest::addColumn<int>("miniH");
    QTest::addColumn<QPoint>("centre");

    QTest::newRow("full_hd") << QRect(0, 0, 1920, 1080) << 1747 << 1080 << 873 << 540 << QPoint(959, 539);
    QTest::newRow("low_screen_keeps_540") << QRect(0, 0, 1366, 768) << 1242 << 768 << 873 << 540 << QPoint(682, 383);
    QTest::newRow("narrow_screen_limits_widths") << QRect(0, 0, 800, 1080) << 800 << 1080 << 800 << 540
                                                 << QPoint(399, 539);
    QTest::newRow("second_screen_offset") << QRect(1920, 0, 2560, 1440) << 2330 << 1440 << 1165 << 720
                                          << QPoint(3199, 719);
    QTest::newRow("odd_height_truncates") << QRect(0, 0, 3000, 1081) << 1749 << 1081 << 873 << 540
                                          << QPoint(1499, 540);
}

void tst_WindowSize::sizesForScreen()
{
    QFETCH(QRect, screen);
    const WindowSizes sizes = windowSizesFor(screen);
    QTEST(sizes.maxW, "maxW");
    QTEST(sizes.maxH, "maxH");
    QTEST(sizes.miniW, "miniW");
    QTEST(sizes.miniH, "miniH");
    QTEST(sizes.centerPoint, "centre");
}

QTEST_GUILESS_MAIN(tst_WindowSize)
#include "tst_windowsize.moc"
