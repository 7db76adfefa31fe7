#include "ui/mainwindow.h"

#include "discovery/webfirmware.h"
#include "netcfg/defaultcredentials.h"
#include "ui/devicetablecolumns.h"
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
const QString groupBoxStyle =
    QStringLiteral("QGroupBox{border: 1px solid "
                   "red;border-radius:3px;margin-top:3ex;}QGroupBox::title{subcontrol-origin:margin;"
                   "subcontrol-position:top center;padding:0px;color:red;}");
const QString detailStyle = QStringLiteral(
    "QLabel{qproperty-alignment: 'AlignRight|AlignVCenter';}QLineEdit {border-width:0;border-style:outset;}");

// What the form shows while no device is chosen.
const QString snPlaceholder = QStringLiteral("XXXXX");
const QString fwPlaceholder = QStringLiteral(" ");
const QString macPlaceholder = QStringLiteral("FF:FF:FF:FF:FF:FF");
const QString addressPlaceholder = QStringLiteral("0.0.0.0");
const QString maskPlaceholder = QStringLiteral("255.255.255.0");
const QString portPlaceholder = QStringLiteral("80");
const QString serverPortPlaceholder = QStringLiteral("15000");

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

void MainWindow::setFrame()
{
    QFrame *detail = ui->Detail;
    const QStringList labelTexts = {tr("序列号"),   tr("固件"),       tr("物理地址"),
                                    tr("IPv4地址"), tr("设备端口"),   tr("子网掩码"),
                                    tr("网关"),     tr("服务器地址"), tr("服务器端口")};
    QList<QLabel *> labels;
    for (const QString &text : labelTexts)
        labels << new QLabel(text, detail);
    auto *userLabel = new QLabel(tr("用户"), detail);
    auto *passwordLabel = new QLabel(tr("密码"), detail);

    le_sn = new QLineEdit(snPlaceholder, detail);
    le_fw = new QLineEdit(fwPlaceholder, detail);
    le_mac = new QLineEdit(macPlaceholder, detail);
    le_ipv4 = new IPLineEdit(detail);
    le_port = new QLineEdit(portPlaceholder, detail);
    le_mask = new IPLineEdit(detail);
    le_gateway = new IPLineEdit(detail);
    le_dstip = new IPLineEdit(detail);
    le_dstport = new QLineEdit(serverPortPlaceholder, detail);
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

    QWidget *const fields[] = {le_sn,   le_fw,      le_mac,   le_ipv4,   le_port,
                               le_mask, le_gateway, le_dstip, le_dstport};
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
    le_sn->setStyleSheet(
        QStringLiteral("QLineEdit#le_sn{color: darkblue; font-size:16px;font-weight:bold;}"));
    le_mac->setStyleSheet(
        QStringLiteral("QLineEdit#le_mac{color: darkblue; font-size:16px;font-weight:bold;}"));
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
        le_sn->setText(snPlaceholder);
        le_fw->setText(fwPlaceholder);
        le_mac->setText(macPlaceholder);
        le_ipv4->setText(addressPlaceholder);
        le_port->setText(portPlaceholder);
        le_mask->setText(maskPlaceholder);
        le_gateway->setText(addressPlaceholder);
        le_dstip->setText(addressPlaceholder);
        le_dstport->setText(serverPortPlaceholder);
        le_user->clear();
        le_password->clear();
        ui->Detail->setEnabled(false);
        return;
    }

    const QTableWidget *table = ui->tableWidget;
    le_sn->setText(cellText(table, cur_row, tablecolumn::sn));
    le_fw->setText(cellText(table, cur_row, tablecolumn::fw));
    le_mac->setText(cellText(table, cur_row, tablecolumn::mac));
    le_ipv4->setText(cellText(table, cur_row, tablecolumn::ipv4));
    le_port->setText(cellText(table, cur_row, tablecolumn::port));
    le_mask->setText(cellText(table, cur_row, tablecolumn::mask));
    le_gateway->setText(cellText(table, cur_row, tablecolumn::gateway));
    le_dstip->setText(cellText(table, cur_row, tablecolumn::dstIp));
    le_dstport->setText(cellText(table, cur_row, tablecolumn::dstPort));
    orgPort = static_cast<quint16>(cellText(table, cur_row, tablecolumn::port).toUInt());
    orgIP = cellText(table, cur_row, tablecolumn::ipv4);
    ui->Detail->setEnabled(true);

    const LoginCredentials credentials = defaultCredentials(le_fw->text());
    le_user->setText(credentials.user);
    le_password->setText(credentials.password);
    webCfg->setEnabled(offersWebInterface(le_fw->text()));
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
