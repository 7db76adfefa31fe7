#include "discovery/webfirmware.h"
#include "ui/devicetablecolumns.h"
#include "webcfg/commandreply.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"
#include "ui/noticebox.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDebug>
#include <QDialog>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTableWidget>

namespace {

constexpr int dialogWidth = 500;
constexpr int dialogHeight = 310;
constexpr int glrow = 3;
constexpr int wrongCredentials = -1;

const QString datetimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
const QString addressPattern = QStringLiteral(
    "\\b(?:(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\\.){3}(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\\b");
const QString uploadStyle = QStringLiteral(
    "QPushButton {border:1px solid #000000;border-radius: 3px;background-color:#F2F2F2;}QPushButton:hover{border:1px "
    "solid #55aaff;border-radius: 3px;background-color:white;color:#55aaff;}");

} // namespace

QByteArray MainWindow::webLoginBody(const char *logLabel)
{
    const QByteArray body = commandreply::loginBody(le_user->text(), le_password->text());
    const QByteArray hexPassword = body.mid(body.lastIndexOf('=') + 1);
    qDebug() << logLabel << hexPassword << "len:" << hexPassword.size() / 2;
    return body;
}

void MainWindow::on_webCfg_clicked()
{
    if (cur_row == noDeviceRow) {
        showNoticeBox(QStringLiteral("提示"), QStringLiteral("尚未选择设备"), SHOW_DELAY);
        qDebug() << "webCfg没有选择设备";
        return;
    }
    if (!offersWebInterface(le_fw->text())) {
        showNoticeBox(QStringLiteral("提示"), QStringLiteral("不支持该版本的设备"), SHOW_DELAY);
        qDebug() << "webCfg固件不支持";
        return;
    }
    if (le_password->text().trimmed().isEmpty() || le_user->text().trimmed().isEmpty()) {
        showNoticeBox(QStringLiteral("提示"), QStringLiteral("用户、密码缺失,无法登录设备"), SHOW_DELAY);
        qDebug() << "webCfg缺用户名/密码";
        return;
    }

    const QString detailStyle = ui->Detail->styleSheet();
    QPointer<QDialog> webCfgWin = new QDialog(this);
    webCfgWin->setObjectName(QStringLiteral("webCfgWin"));
    webCfgWin->setFixedSize(dialogWidth, dialogHeight);
    webCfgWin->setWindowModality(Qt::WindowModal);
    webCfgWin->setWindowIcon(QIcon(QStringLiteral(":/Pelm.ico")));
    webCfgWin->setWindowFlags(webCfgWin->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    webCfgWin->setWindowTitle(QStringLiteral("进阶配置      ") + le_mac->text());

    auto *lDatetime = new QLabel(tr("日期时间"), webCfgWin);
    auto *leDatetime = new QDateTimeEdit(QDateTime::currentDateTime(), webCfgWin);
    leDatetime->setDisplayFormat(datetimeFormat);
    auto *cbLocalDT = new QCheckBox(tr("同电脑时间一致"), webCfgWin);
    auto *lNtpServerIP = new QLabel(tr("NTP服务器IP"), webCfgWin);
    auto *leNtpServerIP = new QLineEdit(QStringLiteral("0.0.0.0"), webCfgWin);
    leNtpServerIP->setValidator(
        new QRegularExpressionValidator(QRegularExpression(addressPattern), leNtpServerIP));
    leNtpServerIP->setInputMask(QStringLiteral("000.000.000.000; "));
    leNtpServerIP->setText(QStringLiteral("0.0.0.0"));
    leNtpServerIP->setStyleSheet(
        QStringLiteral("QLineEdit {border:1px solid #000000;border-radius: 3px;background:transparent;}"));
    leNtpServerIP->setAlignment(Qt::AlignCenter);
    auto *cbNtp = new QCheckBox(tr("启用NTP校时"), webCfgWin);
    auto *btnUpload = new QPushButton(tr("升级固件"), webCfgWin);
    btnUpload->setStyleSheet(uploadStyle);
    auto *leUpload = new QLineEdit(webCfgWin);
    leUpload->setObjectName(QStringLiteral("leUpload"));
    leUpload->setFocusPolicy(Qt::NoFocus);
    auto *btnWebCfg = new QPushButton(tr("提交修改"), webCfgWin);
    btnWebCfg->setObjectName(QStringLiteral("btnWebCfg"));

    auto *glWebCfg = new QGridLayout(webCfgWin);
    glWebCfg->addWidget(lDatetime, glrow, 0, 1, 1);
    glWebCfg->addWidget(leDatetime, glrow, 1, 1, 3);
    glWebCfg->addWidget(cbLocalDT, glrow, 4, 1, 1);
    glWebCfg->addWidget(lNtpServerIP, glrow + 2, 0, 1, 1);
    glWebCfg->addWidget(leNtpServerIP, glrow + 2, 1, 1, 3);
    glWebCfg->addWidget(cbNtp, glrow + 2, 4, 1, 1);
    glWebCfg->addWidget(btnUpload, glrow + 6, 0, 1, 1);
    glWebCfg->addWidget(leUpload, glrow + 6, 1, 1, 4);
    glWebCfg->addWidget(btnWebCfg, glrow + 9, 0, 1, -1);
    webCfgWin->setLayout(glWebCfg);
    webCfgWin->show();
    webCfgWin->setAttribute(Qt::WA_DeleteOnClose);
    ui->Detail->setStyleSheet(detailStyle + QStringLiteral("background: white;"));

    connect(cbLocalDT, &QCheckBox::stateChanged, webCfgWin, [this, leDatetime](int state) {
        if (state == Qt::Checked) {
            leDatetime->setDateTime(QDateTime::currentDateTime());
            return;
        }
        const QDateTime found = QDateTime::fromString(devDatetime, datetimeFormat);
        leDatetime->setDateTime(found);
        qDebug() << "dtTmp:" << found << "  devDT:" << devDatetime;
    });
    connect(cbNtp, &QCheckBox::stateChanged, webCfgWin,
            [leNtpServerIP](int state) { leNtpServerIP->setEnabled(state != Qt::Unchecked); });
    connect(btnUpload, &QPushButton::clicked, webCfgWin, [this, leUpload] {
        const QString path = QFileDialog::getOpenFileName(this, tr("选一个合适的固件"), QStringLiteral("C:"),
                                                          QStringLiteral("(*.ZIP);"));
        if (path.isEmpty())
            return;
        qDebug() << "Selected file: " << path;
        leUpload->setText(path);
    });

    const QTableWidgetItem *typeItem = ui->tableWidget->item(cur_row, tablecolumn::category);
    const bool oldReader =
        commandreply::isOldFingerprintReader(typeItem ? typeItem->text() : QString(), le_fw->text());
    // Both sequences keep every button of the dialog still while they wait.
    const auto runSequence = [this, btnUpload, btnWebCfg, webCfgWin](const char *type) {
        btnUpload->setEnabled(false);
        btnWebCfg->setEnabled(false);
        const int result = webCFG(QLatin1String(type));
        if (webCfgWin) {
            btnUpload->setEnabled(true);
            btnWebCfg->setEnabled(true);
        }
        return result;
    };
    const auto reportFailure = [this] {
        if (webLoginRes == wrongCredentials)
            showNoticeBox(QStringLiteral("提示"), QStringLiteral("用户名或密码有误，无法登录设备"), SHOW_DELAY);
        else
            showNoticeBox(QStringLiteral("提示"), QStringLiteral("获取设备配置失败"), SHOW_DELAY);
    };

    if (oldReader) {
        for (QWidget *widget : std::initializer_list<QWidget *>{leDatetime, leNtpServerIP, cbNtp, cbLocalDT,
                                                                lDatetime, lNtpServerIP})
            widget->setEnabled(false);
    } else {
        devNtpSet = 0;
        devDatetime.clear();
        devNtpServerIP.clear();
        webCMD.clear();
        cmdContents.clear();
        webCMD << QStringLiteral("login") << QStringLiteral("datetime_get") << QStringLiteral("logout");
        cmdContents << webLoginBody("GET webcfg Encrypted Pwd: ") << QByteArrayLiteral("datetime_get")
                    << QByteArrayLiteral("logout");
        if (runSequence("get") != 0) {
            if (webLoginRes == wrongCredentials)
                qDebug() << "用户名/密码错";
            reportFailure();
            if (webCfgWin)
                webCfgWin->close();
            return;
        }
        if (!webCfgWin)
            return;
        if (!devNtpServerIP.trimmed().isEmpty())
            leNtpServerIP->setText(devNtpServerIP);
        leDatetime->setDateTime(QDateTime::fromString(devDatetime, datetimeFormat));
        leNtpServerIP->setEnabled(devNtpSet != 0);
        cbNtp->setChecked(devNtpSet != 0);
    }

    connect(btnWebCfg, &QPushButton::clicked, webCfgWin,
            [this, oldReader, leDatetime, cbNtp, leNtpServerIP, leUpload, webCfgWin, runSequence, reportFailure] {
                webCMD.clear();
                cmdContents.clear();
                webCMD << QStringLiteral("login");
                cmdContents << webLoginBody("SET webcfg Encrypted Pwd: ");
                const bool changed = leDatetime->dateTime().toString(datetimeFormat) != devDatetime
                                  || static_cast<int>(cbNtp->checkState()) != devNtpSet
                                  || leNtpServerIP->text().trimmed() != devNtpServerIP;
                if (!oldReader && changed) {
                    webCMD << QStringLiteral("datetime_set");
                    cmdContents << commandreply::datetimeSetBody(leDatetime->dateTime(), cbNtp->isChecked(),
                                                                 leNtpServerIP->text().trimmed());
                }
                if (!leUpload->text().trimmed().isEmpty()) {
                    webCMD << QStringLiteral("upload");
                    cmdContents << leUpload->text().trimmed().toUtf8();
                }
                webCMD << QStringLiteral("logout");
                cmdContents << QByteArrayLiteral("logout");
                if (runSequence("set") != 0)
                    reportFailure();
                if (webCfgWin)
                    webCfgWin->close();
            });
}
