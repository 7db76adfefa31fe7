// Members whose subsystems are not built yet; each block moves to its own folder as it lands.
#include "ui/mainwindow.h"

#include <QCloseEvent>

// ui
MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Quillon(Morvik Device Config Tool)"));
    resize(873, 540);
}
MainWindow::~MainWindow() = default;
void MainWindow::on_cLB_clicked() {}
int MainWindow::checkPort(QLineEdit *) { return 0; }
void MainWindow::onClicked() {}
void MainWindow::closeEvent(QCloseEvent *event) { QMainWindow::closeEvent(event); }
void MainWindow::resizeEvent(QResizeEvent *) {}
void MainWindow::mousePressEvent(QMouseEvent *) {}
void MainWindow::mouseDoubleClickEvent(QMouseEvent *) {}
void MainWindow::setInteractionLocked(bool) {}
void MainWindow::setTableWidget(int, int) {}
int MainWindow::placeDeviceRow(const deviceReply &) { return -1; }
void MainWindow::clearDeviceTable() {}
void MainWindow::setFrame() {}
void MainWindow::refreshFrame(int) {}
void MainWindow::setTitleBar(QWidget *) {}
void MainWindow::setSearchRow() {}

// discovery

void MainWindow::newRecvData(QByteArray, unsigned long) {}
void MainWindow::onTimeOutSearch() {}
void MainWindow::on_Search_clicked() {}
int MainWindow::append201(QByteArray) { return -1; }
int MainWindow::append407(QByteArray) { return -1; }

// netcfg

void MainWindow::on_netCfg_clicked() {}
void MainWindow::onTimeOutNetcfg() {}

// webcfg

void MainWindow::on_webCfg_clicked() {}
void MainWindow::replyFinished() {}
void MainWindow::onTimeOutWebcfg() {}
int MainWindow::webCFG(QString) { return 0; }
void MainWindow::startRequest(QUrl, QByteArray) {}
