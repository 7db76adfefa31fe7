#include "ui/mainwindow.h"

#include "ui/cachedsizedelegate.h"
#include "ui/centredtableitem.h"
#include "ui/devicetablecolumns.h"
#include "ui/mainwindowform.h"
#include "ui/repaintthrottle.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>

namespace {

constexpr int defaultSectionWidth = 150;
constexpr int rowHeight = 24;
constexpr int headerHeight = 25;

const QString horizontalScrollStyle = QStringLiteral(
    "QScrollBar{background:transparent; height:10px;}QScrollBar::handle{background:lightgray; border:0px "
    "solid "
    "transparent; "
    "border-radius:0px;}QScrollBar::handle:hover{background:gray;}QScrollBar::sub-line{background:"
    "transparent;}QScrollBar::add-line{background:transparent;}");
const QString verticalScrollStyle = QStringLiteral(
    "QScrollBar{background:transparent; width: 10px;}QScrollBar::handle{background:lightgray; border:0px "
    "solid "
    "transparent; "
    "border-radius:0px;}QScrollBar::handle:hover{background:gray;}QScrollBar::sub-line{background:"
    "transparent;}QScrollBar::add-line{background:transparent;}");

// Every column but the last shows its text centred.
bool centred(int column)
{
    return column != tablecolumn::otherInfo;
}

QString otherInfo(const deviceReply &record)
{
    if (record.protocol == DeviceFamily::Reply201)
        return record.productType;
    return QStringLiteral("SN:") + record.bh + QStringLiteral("  NTP: ") + record.ntpIpv4 +
           QStringLiteral("  PN: ") + record.productType;
}

} // namespace

void MainWindow::setTableWidget(int row, int column)
{
    QTableWidget *table = ui->tableWidget;
    // Rows are sized to their contents as they are placed (fitRowToContents): the header's own
    // ResizeToContents would measure every row again after each insert.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->setItemDelegate(new CachedSizeDelegate(table));
    tableRepaint = new RepaintThrottle(table);
    table->setColumnCount(column);
    table->setRowCount(row);

    QHeaderView *header = table->horizontalHeader();
    header->setDefaultSectionSize(defaultSectionWidth);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(tablecolumn::hiddenFirst, QHeaderView::ResizeToContents);
    table->setHorizontalHeaderLabels({tr(" "), tr("序列号"), tr("类型"), tr("固件"), tr("物理地址"),
                                      tr("IPv4地址"), tr("端口"), tr("子网掩码"), tr("网关"), tr("HTTP端口"),
                                      tr("服务器地址"), tr("服务器端口"), tr("其他信息")});
    header->setStretchLastSection(true);

    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->verticalHeader()->setVisible(false);
    table->setFrameShape(QFrame::NoFrame);
    table->setShowGrid(false);
    // One line per device: sized to its contents, a row keeps the 24-pixel height.
    table->setWordWrap(false);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);

    header->setFixedHeight(headerHeight);
    header->setStyleSheet(QStringLiteral("QHeaderView::section{background:white;}"));
    header->setHighlightSections(false);
    table->setStyleSheet(QStringLiteral("selection-background-color:#80ccff ;selection-color:black ;"));
    table->verticalHeader()->setStyleSheet(QStringLiteral("background-color:white;"));
    table->setColumnHidden(tablecolumn::hiddenFirst, true);
    table->horizontalScrollBar()->setStyleSheet(horizontalScrollStyle);
    table->verticalScrollBar()->setStyleSheet(verticalScrollStyle);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setColumnHidden(tablecolumn::httpPort, true);
}

int MainWindow::placeDeviceRow(const deviceReply &record)
{
    QTableWidget *table = ui->tableWidget;
    int row = table->rowCount();
    // The index stands in for a scan of column 4; rows only ever change here and in
    // clearDeviceTable, so it always agrees with the table. A known device's row is refilled
    // in place: the same result as removing and inserting it, without moving every row below.
    const auto known = rowOfMac.constFind(record.mac);
    const bool replacing = known != rowOfMac.constEnd();
    if (replacing) {
        row = known.value();
    } else {
        rowOfMac.insert(record.mac, row);
        table->insertRow(row);
    }

    QString texts[tablecolumn::count];
    texts[tablecolumn::sn] = record.sn;
    texts[tablecolumn::category] = record.category;
    texts[tablecolumn::fw] = record.fw;
    texts[tablecolumn::mac] = record.mac;
    texts[tablecolumn::ipv4] = record.ipv4;
    texts[tablecolumn::port] = record.port;
    texts[tablecolumn::mask] = record.mask;
    texts[tablecolumn::gateway] = record.gateway;
    texts[tablecolumn::httpPort] = record.httpPort;
    texts[tablecolumn::dstIp] = record.dstIpv4;
    texts[tablecolumn::dstPort] = record.dstPort;
    texts[tablecolumn::otherInfo] = otherInfo(record);
    bool changed = !replacing;
    if (replacing) {
        // A cell whose text stays as it was is left alone: nothing to redraw or measure.
        for (int column = tablecolumn::sn; column < tablecolumn::count; ++column) {
            QTableWidgetItem *item = table->item(row, column);
            if (item->text() != texts[column]) {
                item->setText(texts[column]);
                changed = true;
            }
        }
    } else {
        // A new row's cells are announced to the views once, together, not one by one.
        QAbstractItemModel *model = table->model();
        {
            const QSignalBlocker quiet(model);
            for (int column = tablecolumn::sn; column < tablecolumn::count; ++column)
                table->setItem(row, column,
                               centred(column) ? new CentredTableItem(texts[column])
                                               : new QTableWidgetItem(texts[column]));
        }
        emit model->dataChanged(model->index(row, tablecolumn::sn),
                                model->index(row, tablecolumn::otherInfo));
    }
    if (changed)
        fitRowToContents(row, texts);

    if (replacing && row == cur_row) {
        refreshFrame(0);
        table->selectRow(row);
        table->setFocus();
    }
    return row;
}

void MainWindow::fitRowToContents(int row, const QString (&texts)[tablecolumn::count])
{
    QTableWidget *table = ui->tableWidget;
    QHeaderView *rows = table->verticalHeader();
    const auto *cellSizes = qobject_cast<const CachedSizeDelegate *>(table->itemDelegate());
    // What ResizeToContents makes of a row: the larger of its shown cells' and its label's
    // hint. The cells are asked one by one, which, unlike the view's hint for the whole row,
    // does not lay the columns out first; a cell whose height is known is not measured.
    int cells = 0;
    for (int column = 0; column < tablecolumn::count; ++column) {
        if (table->isColumnHidden(column))
            continue;
        const int alignment = centred(column) ? int(Qt::AlignCenter) : 0;
        int height = cellSizes ? cellSizes->knownHeight(texts[column], alignment) : -1;
        if (height < 0)
            height = table->sizeHintForIndex(table->model()->index(row, column)).height();
        cells = qMax(cells, height);
    }
    if (table->showGrid())
        ++cells;
    // Row labels are numbers, one line each: their hint is the same for every row.
    if (rowLabelHint < 0)
        rowLabelHint = rows->sectionSizeHint(row);
    const int contents = qMax(cells, rowLabelHint);
    rows->resizeSection(row, qBound(rows->minimumSectionSize(), contents, rows->maximumSectionSize()));
}

void MainWindow::clearDeviceTable()
{
    // All rows in one removal: one at a time from the top moved every row below each time.
    ui->tableWidget->setRowCount(0);
    rowOfMac.clear();
    if (auto *cells = qobject_cast<CachedSizeDelegate *>(ui->tableWidget->itemDelegate()))
        cells->clear();
}
