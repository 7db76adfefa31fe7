#include "ui/noticebox.h"

#include <QMessageBox>
#include <QTimer>

void showNoticeBox(const QString &title, const QString &text, int closeAfterMs)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::NoButton, nullptr,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    QTimer::singleShot(closeAfterMs, &box, &QMessageBox::accept);
    box.exec();
}
