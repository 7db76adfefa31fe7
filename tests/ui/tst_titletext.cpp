#include "ui/titletext.h"

#include <QtTest>

class tst_TitleText : public QObject
{
    Q_OBJECT
private slots:
    void title_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("title");
        QTest::newRow("shipped") << "3.2.2" << QStringLiteral("设备助手  V3.2  217-40351");
        // Two characters go, whatever the version: a two-digit patch level leaves its dot behind.
        QTest::newRow("two_digit_patch") << "3.2.10" << QStringLiteral("设备助手  V3.2.  217-40351");
        QTest::newRow("two_parts") << "10.1" << QStringLiteral("设备助手  V10  217-40351");
    }
    void title()
    {
        QFETCH(QString, version);
        QTEST(titleText(QStringLiteral("设备助手"), version), "title");
    }
};

QTEST_APPLESS_MAIN(tst_TitleText)
#include "tst_titletext.moc"
