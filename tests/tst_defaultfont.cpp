#include "app/defaultfont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QtTest>

namespace {
QStringList loggedFamilies;
void collect(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    if (msg.startsWith(QLatin1String("defaultFont:")))
        loggedFamilies << msg;
}
} // namespace

class tst_DefaultFont : public QObject
{
    Q_OBJECT

private slots:
    void missingFontKeepsDefault()
    {
        Q_CLEANUP_RESOURCE(images);
        const QFont before = QApplication::font();
        setDefaultFont(qApp);
        QCOMPARE(QApplication::font(), before);
        Q_INIT_RESOURCE(images);
    }

    void embeddedFontAt15Pixels()
    {
        loggedFamilies.clear();
        QtMessageHandler previous = qInstallMessageHandler(collect);
        setDefaultFont(qApp);
        qInstallMessageHandler(previous);

        QCOMPARE(QApplication::font().family(), QStringLiteral("Noto Sans SemiCondensed"));
        QCOMPARE(QApplication::font().pixelSize(), 15);
        QVERIFY(!loggedFamilies.isEmpty());
        QCOMPARE(loggedFamilies.first(), QStringLiteral("defaultFont: \"Noto Sans SemiCondensed\""));
        // A widget created afterwards gets it too.
        QWidget widget;
        QCOMPARE(widget.font().family(), QStringLiteral("Noto Sans SemiCondensed"));
    }
};

QTEST_MAIN(tst_DefaultFont)
#include "tst_defaultfont.moc"
