#pragma once

#include "support/waituntil.h"
#include "ui/devicetablecolumns.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QPushButton>
#include <QTableWidget>

// The window's table row listing a MAC, or -1.
inline int rowOf(MainWindow &w, const QString &mac)
{
    for (int row = 0; row < w.ui->tableWidget->rowCount(); ++row) {
        const QTableWidgetItem *item = w.ui->tableWidget->item(row, tablecolumn::mac);
        if (item && item->text() == mac)
            return row;
    }
    return -1;
}

// Searches and selects the device's row, as a click on it would.
inline bool searchAndSelect(MainWindow &w, const QString &mac)
{
    w.ui->Search->click();
    if (!waitUntil([&] { return rowOf(w, mac) >= 0; }))
        return false;
    // Each device answers both probes; the second answer would refill the form of a row
    // selected before it.
    QTest::qWait(300);
    w.cur_row = rowOf(w, mac);
    w.refreshFrame(0);
    return true;
}
