#include "ui/mainwindow.h"

#include "discovery/devicedocument.h"
#include "ui/devicetablecolumns.h"
#include "ui/mainwindowform.h"

#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHostAddress>
#include <QMenu>
#include <QSaveFile>
#include <QStatusBar>
#include <QTableWidget>

namespace {

constexpr int exportMessageMs = 8000;

// Empty when the row has gone meanwhile (a new search emptied the table).
QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

// http://ip:port/ of a listed device; invalid when the row holds no usable address or port.
QUrl webPage(const QString &ipv4, const QString &httpPort)
{
    const QHostAddress host(ipv4.trimmed());
    bool portOk = false;
    const uint port = httpPort.trimmed().toUInt(&portOk);
    if (host.protocol() != QAbstractSocket::IPv4Protocol || !portOk || port == 0 || port > 65535)
        return QUrl();
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host.toString());
    url.setPort(int(port));
    url.setPath(QStringLiteral("/"));
    return url;
}

} // namespace

void MainWindow::setTableMenu()
{
    openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    askExportFile = [this](const QString &suggestedName, const QString &filter) {
        return QFileDialog::getSaveFileName(this, tr("导出设备列表"), QDir::home().filePath(suggestedName),
                                            filter);
    };
    ui->tableWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->tableWidget, &QWidget::customContextMenuRequested, this, &MainWindow::showTableMenu);
}

void MainWindow::showTableMenu(const QPoint &position)
{
    QTableWidget *table = ui->tableWidget;
    const int row = table->rowAt(position.y());
    const bool onRow = row >= 0;

    auto *menu = new QMenu(table);
    menu->setObjectName(QStringLiteral("tableMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("复制物理地址"), this, [this, row] { copyCell(row, tablecolumn::mac); })
        ->setEnabled(onRow);
    menu->addAction(tr("复制IPv4地址"), this, [this, row] { copyCell(row, tablecolumn::ipv4); })
        ->setEnabled(onRow);
    menu->addAction(tr("复制整行"), this, [this, row] { copyRow(row); })->setEnabled(onRow);
    menu->addSeparator();
    const bool hasPage =
        onRow && webPage(cellText(table, row, tablecolumn::ipv4), cellText(table, row, tablecolumn::httpPort))
                     .isValid();
    menu->addAction(tr("打开设备网页"), this, [this, row] { openWebPage(row); })->setEnabled(hasPage);
    menu->addSeparator();
    const bool listed = !deviceReplys.isEmpty();
    menu->addAction(tr("导出设备列表(CSV)..."), this, [this] { exportDevices(false); })->setEnabled(listed);
    menu->addAction(tr("导出设备列表(JSON)..."), this, [this] { exportDevices(true); })->setEnabled(listed);
    menu->popup(table->viewport()->mapToGlobal(position));
}

void MainWindow::copyCell(int row, int column)
{
    if (row < 0 || row >= ui->tableWidget->rowCount())
        return;
    QGuiApplication::clipboard()->setText(cellText(ui->tableWidget, row, column));
}

void MainWindow::copyRow(int row)
{
    // The columns the user sees, tab-separated as spreadsheets paste them.
    const QTableWidget *table = ui->tableWidget;
    if (row < 0 || row >= table->rowCount())
        return;
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        if (!table->isColumnHidden(column))
            texts << cellText(table, row, column);
    QGuiApplication::clipboard()->setText(texts.join(QLatin1Char('\t')));
}

void MainWindow::openWebPage(int row)
{
    const QUrl url = webPage(cellText(ui->tableWidget, row, tablecolumn::ipv4),
                             cellText(ui->tableWidget, row, tablecolumn::httpPort));
    if (!url.isValid())
        return;
    qDebug() << "open web page:" << url.toString();
    if (!openUrl(url))
        statusBar()->showMessage(tr("无法打开浏览器: %1").arg(url.toString()), exportMessageMs);
}

void MainWindow::exportDevices(bool asJson)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suggested =
        tr("设备列表-%1.%2").arg(stamp, asJson ? QStringLiteral("json") : QStringLiteral("csv"));
    const QString filter = asJson ? tr("JSON 文件 (*.json)") : tr("CSV 文件 (*.csv)");
    const QString fileName = askExportFile(suggested, filter);
    if (fileName.isEmpty())
        return;

    const QVector<devicedocument::Row> rows = devicedocument::rows(deviceReplys);
    const QByteArray document =
        asJson ? devicedocument::json(rows) : devicedocument::csv(rows, devicedocument::ByteOrderMark::With);
    // Written whole or not at all: a half-written file must not replace an earlier export.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size() || !file.commit()) {
        qDebug() << "export failed:" << fileName << file.errorString();
        statusBar()->showMessage(tr("导出失败: %1").arg(file.errorString()), exportMessageMs);
        return;
    }
    qDebug() << "exported" << rows.size() << "devices to" << fileName;
    statusBar()->showMessage(
        tr("已导出 %1 台设备: %2").arg(rows.size()).arg(QDir::toNativeSeparators(fileName)), exportMessageMs);
}
