#include "ui/mainwindow.h"

#include "ui/mainwindowform.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

namespace {

constexpr int hiddenFirstColumn = 0;
constexpr int httpPortColumn = 9;
constexpr int otherInfoColumn = 12;
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
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setColumnCount(column);
    table->setRowCount(row);

    QHeaderView *header = table->horizontalHeader();
    header->setDefaultSectionSize(defaultSectionWidth);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(hiddenFirstColumn, QHeaderView::ResizeToContents);
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
    table->setColumnHidden(hiddenFirstColumn, true);
    table->horizontalScrollBar()->setStyleSheet(horizontalScrollStyle);
    table->verticalScrollBar()->setStyleSheet(verticalScrollStyle);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setColumnHidden(httpPortColumn, true);
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

    const QString texts[] = {record.sn,       record.category, record.fw,      record.mac,
                             record.ipv4,     record.port,     record.mask,    record.gateway,
                             record.httpPort, record.dstIpv4,  record.dstPort, otherInfo(record)};
    for (int column = 1; column <= otherInfoColumn; ++column) {
        auto *item = new QTableWidgetItem(texts[column - 1]);
        if (column != otherInfoColumn)
            item->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, column, item);
    }

    if (replacing && row == cur_row) {
        refreshFrame(0);
        table->selectRow(row);
        table->setFocus();
    }
    return row;
}

void MainWindow::clearDeviceTable()
{
    while (ui->tableWidget->rowCount() > 0)
        ui->tableWidget->removeRow(0);
    rowOfMac.clear();
}
