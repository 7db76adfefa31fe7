#include "ui/cachedsizedelegate.h"

#include <QFontMetricsF>
#include <QTableWidget>
#include <QtTest>

namespace {

// A table whose views' options for its cells are open to the test.
class Table : public QTableWidget
{
public:
    using QTableWidget::QTableWidget;
    QStyleOptionViewItem cellOption() const
    {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        return viewOptions();
#else
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        return option;
#endif
    }
};

} // namespace

// The remembering delegate must size every cell exactly as Qt's own delegate does, whether a
// text is measured or its size derived from its characters' advances.
class tst_CachedSizeDelegate : public QObject
{
    Q_OBJECT
private slots:
    void sameSizesAsQt_data();
    void sameSizesAsQt();
    void fontKernsTheKernedRow();
    void newFontAndClear();
};

void tst_CachedSizeDelegate::sameSizesAsQt_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("alignment");
    const int centred = Qt::AlignCenter;
    QTest::newRow("addresses") << QStringList{"00:11:22:33:44:01", "00:11:22:33:44:02", "02:51:00:00:03:E7",
                                              "AA:BB:CC:DD:EE:FF", "192.168.0.5", "10.0.0.2", "255.255.255.0",
                                              "192.168.200.203", "0.0.0.0", "1", "60000"}
                               << centred;
    QTest::newRow("left aligned") << QStringList{"ab", "SN:2207000123  NTP: 192.168.0.1  PN: DC-4",
                                                 "SN:2207000124  NTP:   PN: DC-4", "x"}
                                  << 0;
    QTest::newRow("kerned pairs") << QStringList{"0123", "AVAV", "WAVE", "LT-To", "Ty.", "AV", "VA"} << centred;
    QTest::newRow("joined letters") << QStringList{"abc", "office", "ffi", "fl", "fifth"} << centred;
    QTest::newRow("outer spaces") << QStringList{"a b", " lead", "trail ", "  ", "in  side", "x      ", "      x", "a  "} << centred;
    QTest::newRow("not plain") << QStringList{"1.0", "V5\n2.10", QStringLiteral("门禁控制器"), "caf\u00e9",
                                              "1.0", "tab\there", "Stra\u00dfe"}
                               << centred;
}

void tst_CachedSizeDelegate::sameSizesAsQt()
{
    QFETCH(QStringList, texts);
    QFETCH(int, alignment);
    Table table(texts.size(), 1);
    for (int row = 0; row < texts.size(); ++row) {
        auto *item = new QTableWidgetItem(texts[row]);
        item->setTextAlignment(alignment);
        table.setItem(row, 0, item);
    }
    const QStyleOptionViewItem option = table.cellOption();
    CachedSizeDelegate remembering;
    QStyledItemDelegate qts;
    // Twice over: the second time every size comes from what was remembered.
    for (int round = 0; round < 2; ++round)
        for (int row = 0; row < texts.size(); ++row) {
            const QModelIndex index = table.model()->index(row, 0);
            QCOMPARE(remembering.sizeHint(option, index), qts.sizeHint(option, index));
        }
}

// The kerned row only proves something if the font kerns a pair in it.
void tst_CachedSizeDelegate::fontKernsTheKernedRow()
{
    Table table;
    const QFontMetricsF metrics(table.cellOption().font);
    int kerned = 0;
    for (const QString pair : {"AV", "VA", "Ty", "To", "LT"})
        if (metrics.horizontalAdvance(pair) != metrics.horizontalAdvance(pair[0]) + metrics.horizontalAdvance(pair[1]))
            ++kerned;
    QVERIFY(kerned > 0);
}

// A new font is measured afresh; forgetting the texts keeps what was learned of the font.
void tst_CachedSizeDelegate::newFontAndClear()
{
    const QStringList texts{"02:51:00:00:03:E7", "192.168.0.5", "AVAV", QStringLiteral("门禁控制器")};
    Table table(texts.size(), 1);
    for (int row = 0; row < texts.size(); ++row)
        table.setItem(row, 0, new QTableWidgetItem(texts[row]));
    QStyleOptionViewItem option = table.cellOption();
    CachedSizeDelegate remembering;
    QStyledItemDelegate qts;
    const auto sameAsQt = [&] {
        for (int row = 0; row < texts.size(); ++row) {
            const QModelIndex index = table.model()->index(row, 0);
            if (remembering.sizeHint(option, index) != qts.sizeHint(option, index))
                return false;
        }
        return true;
    };
    QVERIFY(sameAsQt());
    option.font.setPointSizeF(option.font.pointSizeF() * 2);
    QVERIFY(sameAsQt());
    remembering.clear();
    QVERIFY(sameAsQt());
}

QTEST_MAIN(tst_CachedSizeDelegate)
#include "tst_cachedsizedelegate.moc"
