#include "ui/titletext.h"
#include "ui/windowsize.h"

#include <QtTest>

class tst_WindowSize : public QObject
{
    Q_OBJECT
private slots:
    void sizesForScreen_data();
    void sizesForScreen();
    void title_data();
    void title();
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

void tst_WindowSize::title_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("expected");
    QTest::newRow("shipped") << "3.2.2" << QStringLiteral("设备助手  V3.2  217-40351");
    QTest::newRow("two_digit_minor") << "3.10.4" << QStringLiteral("设备助手  V3.10  217-40351");
}

void tst_WindowSize::title()
{
    QFETCH(QString, version);
    QTEST(titleText(QStringLiteral("设备助手"), version), "expected");
}

QTEST_GUILESS_MAIN(tst_WindowSize)
#include "tst_windowsize.moc"
