#include "app/translation.h"

#include <QTranslator>
#include <QtTest>

class tst_Translation : public QObject
{
    Q_OBJECT

private slots:
    void baseNames()
    {
        QCOMPARE(translationBaseNames({"en-US", "zh-Hans-CN"}), QStringList({"pelm_en_US", "pelm_zh_CN"}));
        QCOMPARE(translationBaseNames({}), QStringList());
    }

    void choice_data()
    {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("installed");
        QTest::newRow("english-then-chinese") << QStringList{"en-US", "zh-CN"} << "pelm_zh_CN";
        QTest::newRow("chinese-script-form") << QStringList{"zh-Hans-CN"} << "pelm_zh_CN";
        QTest::newRow("english-only") << QStringList{"en-US"} << "";
        QTest::newRow("traditional") << QStringList{"zh-TW"} << "";
        QTest::newRow("none") << QStringList{} << "";
    }
    void choice()
    {
        QFETCH(QStringList, languages);
        QFETCH(QString, installed);
        QCoreApplication *app = QCoreApplication::instance();
        QTranslator translator;
        QCOMPARE(installTranslation(*app, translator, languages), installed);
        // The catalogue holds no messages: installing it changes no text.
        QCOMPARE(QCoreApplication::translate("MainWindow", "搜索设备"), QStringLiteral("搜索设备"));
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_GUILESS_MAIN(tst_Translation)
#include "tst_translation.moc"
