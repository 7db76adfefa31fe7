#include "ui/mainwindow.h"

#include "ui/iplineedit.h"
#include "ui/mainwindowform.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

namespace {

constexpr int credentialMaxLength = 16;
constexpr int fieldColumnSpan = 3;
constexpr int highestPort = 65535;

const QString portMask = QStringLiteral("00000");
const QString netCfgBtnStyle = QStringLiteral(
    "QPushButton{font-size: 16px; background-color: white; color: black; border: 1px solid #b9b9b9; "
    "border-radius:3px;}QPushButton:hover {border: 1px solid #006bbe; background-color: #e0eef9;}"
    "QPushButton:pressed {padding-top:2px;padding-left:1px; }QPushButton:!enabled {color: gray; }");
const QString groupBoxStyle = QStringLiteral(
    "QGroupBox{border: 1px solid red;border-radius:3px;margin-top:3ex;}QGroupBox::title{subcontrol-origin:margin;"
    "subcontrol-position:top center;padding:0px;color:red;}");
const QString detailStyle = QStringLiteral(
    "QLabel{qproperty-alignment: 'AlignRight|AlignVCenter';}QLineEdit {border-width:0;border-style:outset;}");

// Table columns the form reads back.
constexpr int snColumn = 1;
constexpr int fwColumn = 3;
constexpr int macColumn = 4;
constexpr int ipv4Column = 5;
constexpr int portColumn = 6;
constexpr int maskColumn = 7;
constexpr int gatewayColumn = 8;
constexpr int dstIpColumn = 10;
constexpr int dstPortColumn = 11;

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

void MainWindow::setFrame()
{
    QFrame *detail = ui->Detail;
    const QStringList labelTexts = {tr("序列号"),   tr("固件"), tr("物理地址"),   tr("IPv4地址"),  tr("设备端口"),
                                    tr("子网掩码"), tr("网关"), tr("服务器地址"), tr("服务器端口")};
    QList<QLabel *> labels;
    for (const QString &text : labelTexts)
        labels << new QLabel(text, detail);
    auto *userLabel = new QLabel(tr("用户"), detail);
    auto *passwordLabel = new QLabel(tr("密码"), detail);

    le_sn = new QLineEdit(QStringLiteral("XXXXX"), detail);
    le_fw = new QLineEdit(QStringLiteral(" "), detail);
    le_mac = new QLineEdit(QStringLiteral("FF:FF:FF:FF:FF:FF"), detail);
    le_ipv4 = new IPLineEdit(detail);
    le_port = new QLineEdit(QStringLiteral("80"), detail);
    le_mask = new IPLineEdit(detail);
    le_gateway = new IPLineEdit(detail);
    le_dstip = new IPLineEdit(detail);
    le_dstport = new QLineEdit(QStringLiteral("15000"), detail);
    le_user = new QLineEdit(detail);
    le_password = new QLineEdit(detail);
    le_port->setInputMask(portMask);
    le_dstport->setInputMask(portMask);

    auto *qgl = new QGridLayout;
    auto *loginBox = new QGroupBox(tr("设备登录"));
    netCfg = new QPushButton(tr("提交修改"));
    webCfg = new QPushButton(tr("进阶设置"));
    netCfg->setStyleSheet(netCfgBtnStyle);
    webCfg->setStyleSheet(netCfgBtnStyle);

    QWidget *const fields[] = {le_sn, le_fw, le_mac, le_ipv4, le_port, le_mask, le_gateway, le_dstip, le_dstport};
    int row = 0;
    const int labelColumn = 1;
    for (int i = 0; i < labels.size(); ++i) {
        qgl->addWidget(labels[i], row, labelColumn);
        qgl->addWidget(fields[i], row, labelColumn + 1, 1, fieldColumnSpan);
        ++row;
    }
    qgl->setRowStretch(9, 0);
    qgl->setRowStretch(10, 1);
    row = 10;
    qgl->addWidget(loginBox, row + 1, 0, 3, 5);
    qgl->addWidget(netCfg, row + 4, 0, 1, -1);
    qgl->addWidget(webCfg, row + 5, 0, 1, -1);

    auto *loginGrid = new QGridLayout(loginBox);
    loginGrid->addWidget(userLabel, 0, 0, 1, 2);
    loginGrid->addWidget(le_user, 0, 2, 1, 6);
    loginGrid->addWidget(passwordLabel, 1, 0, 1, 2);
    loginGrid->addWidget(le_password, 1, 2, 1, 6);
    loginBox->setStyleSheet(groupBoxStyle);

    qgl->setHorizontalSpacing(10);
    qgl->setVerticalSpacing(8);
    qgl->setContentsMargins(5, 20, 10, 5);
    detail->setStyleSheet(detailStyle);

    le_sn->setObjectName(QStringLiteral("le_sn"));
    le_mac->setObjectName(QStringLiteral("le_mac"));
    le_fw->setObjectName(QStringLiteral("le_fw"));
    le_user->setObjectName(QStringLiteral("le_user"));
    le_password->setObjectName(QStringLiteral("le_password"));
    le_sn->setStyleSheet(QStringLiteral("QLineEdit#le_sn{color: darkblue; font-size:16px;font-weight:bold;}"));
    le_mac->setStyleSheet(QStringLiteral("QLineEdit#le_mac{color: darkblue; font-size:16px;font-weight:bold;}"));
    le_fw->setStyleSheet(QStringLiteral("QLineEdit#le_fw{color: darkblue; font-size:16px;}"));
    le_user->setStyleSheet(QStringLiteral("QLineEdit#le_user {font-size: 16px;}"));
    le_user->setAlignment(Qt::AlignCenter);
    le_password->setAlignment(Qt::AlignCenter);
    le_password->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    le_password->setStyleSheet(
        QStringLiteral("QLineEdit#le_password[echoMode=\"2\"] {lineedit-password-character: 42;}"));

    le_sn->setReadOnly(true);
    le_mac->setReadOnly(true);
    le_fw->setReadOnly(true);
    le_password->setMaxLength(credentialMaxLength);
    le_user->setMaxLength(credentialMaxLength);

    detail->setLayout(qgl);
    detail->show();

    connect(netCfg, &QPushButton::clicked, this, &MainWindow::on_netCfg_clicked);
    connect(webCfg, &QPushButton::clicked, this, &MainWindow::on_webCfg_clicked);
    connect(le_dstport, &QLineEdit::textChanged, this, [this] { checkPort(le_dstport); });
    connect(le_port, &QLineEdit::textChanged, this, [this] { checkPort(le_port); });
    detail->setEnabled(false);
}

void MainWindow::refreshFrame(int isClear)
{
    if (isClear) {
        le_sn->setText(QStringLiteral("XXXXX"));
        le_fw->setText(QStringLiteral(" "));
        le_mac->setText(QStringLiteral("FF:FF:FF:FF:FF:FF"));
        le_ipv4->setText(QStringLiteral("0.0.0.0"));
        le_port->setText(QStringLiteral("80"));
        le_mask->setText(QStringLiteral("255.255.255.0"));
        le_gateway->setText(QStringLiteral("0.0.0.0"));
        le_dstip->setText(QStringLiteral("0.0.0.0"));
        le_dstport->setText(QStringLiteral("15000"));
        le_user->clear();
        le_password->clear();
        ui->Detail->setEnabled(false);
        return;
    }

    const QTableWidget *table = ui->tableWidget;
    le_sn->setText(cellText(table, cur_row, snColumn));
    le_fw->setText(cellText(table, cur_row, fwColumn));
    le_mac->setText(cellText(table, cur_row, macColumn));
    le_ipv4->setText(cellText(table, cur_row, ipv4Column));
    le_port->setText(cellText(table, cur_row, portColumn));
    le_mask->setText(cellText(table, cur_row, maskColumn));
    le_gateway->setText(cellText(table, cur_row, gatewayColumn));
    le_dstip->setText(cellText(table, cur_row, dstIpColumn));
    le_dstport->setText(cellText(table, cur_row, dstPortColumn));
    orgPort = static_cast<quint16>(cellText(table, cur_row, portColumn).toUInt());
    orgIP = cellText(table, cur_row, ipv4Column);
    ui->Detail->setEnabled(true);

    if (le_fw->text().trimmed().size() < minWebFirmwareLength) {
        le_user->setText(QStringLiteral("admin"));
        le_password->setText(QStringLiteral("ovsel"));
        webCfg->setEnabled(false);
    } else {
        le_user->setText(QStringLiteral("morvik"));
        le_password->setText(QStringLiteral("7302916485"));
        webCfg->setEnabled(true);
    }
}

int MainWindow::checkPort(QLineEdit *lePort)
{
    static const QRegularExpression whiteSpace(QStringLiteral("\\s"));
    const int value = lePort->text().remove(whiteSpace).toInt();
    if (value <= 0) {
        lePort->setText(QStringLiteral("0"));
        lePort->setCursorPosition(0);
        return 0;
    }
    if (value > highestPort) {
        lePort->backspace();
        lePort->setText(lePort->text().remove(whiteSpace));
        lePort->setCursorPosition(lePort->cursorPosition() - 1);
        return -1;
    }
    return 0;
}
