#include "ui/mainwindow.h"

#include "ui/hoverpushbutton.h"
#include "ui/iplineedit.h"
#include "ui/mainwindowform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>

void MainWindow::setSearchRow()
{
    leSingleIPStyle = QStringLiteral(
        "QLineEdit {background:transparent; } QLineEdit#leSingleIP {padding-right: 10px; min-width: 240px; "
        "max-width: 240px; border:0px; text-align: center;min-height: 25px; max-height: 25px;} "
        "QLineEdit#leSingleIP:hover {border-bottom: 1px solid red;}");
    ui->leSingleIP->setText(QStringLiteral("192.168.0.242"));
    ui->hSearchLayout->setSpacing(0);
    ui->leSingleIP->setStyleSheet(leSingleIPStyle);
    connect(ui->singleSearch, &HoverPushButton::hoverEnter, this, [this] {
        ui->leSingleIP->setStyleSheet(leSingleIPStyle +
                                      QStringLiteral("QLineEdit#leSingleIP{border: 2px dashed red;}"));
    });
    connect(ui->singleSearch, &HoverPushButton::hoverLeave, this,
            [this] { ui->leSingleIP->setStyleSheet(leSingleIPStyle); });
    ui->lSingleIP->setStyleSheet(QStringLiteral("QLabel { min-width: 0px; max-width: 0px;}"));
    connect(ui->singleSearch, &QPushButton::clicked, this, [this] {
        static const QRegularExpression whiteSpace(QStringLiteral("\\s"));
        scIP = ui->leSingleIP->text().remove(whiteSpace);
        searchMode = 'S';
        on_Search_clicked();
    });
}
