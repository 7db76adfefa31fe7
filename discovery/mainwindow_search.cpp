#include "engine/searchsocket.h"
#include "engine/systemadapters.h"
#include "ui/hoverpushbutton.h"
#include "ui/iplineedit.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowform.h"

#include <QDebug>
#include <QPushButton>
#include <QTimer>
#include <QUdpSocket>

namespace {

const QByteArray discoveryProbe = QByteArrayLiteral("Y");
constexpr quint16 broadcastProbePort = 65535;

} // namespace

void MainWindow::initSearchSocket()
{
    m_qudpSocket = new QUdpSocket;
    address = QHostAddress(QHostAddress::AnyIPv4);
    const quint32 chosen = chooseAdapterAddress(systemAdapters());
    if (chosen != 0)
        address = QHostAddress(chosen);
    searchSocketFault = bindSearchSocket(*m_qudpSocket, address, nport);
}

void MainWindow::releaseSearchSocket()
{
    if (!m_qudpSocket)
        return;
    m_qudpSocket->abort();
    delete m_qudpSocket;
    m_qudpSocket = nullptr;
}

void MainWindow::on_Search_clicked()
{
    clearDeviceTable();
    ui->leSingleIP->setEnabled(false);
    ui->leSingleIP->clearFocus();
    deviceReplys.clear();
    baRecv.clear();
    devct = 0;
    cur_row = noDeviceRow;
    refreshFrame(1);

    const qint64 sent = sendSearchProbes();
    if (searchMode == 'S') {
        ui->Search->setEnabled(false);
        ui->singleSearch->setEnabled(false);
        timSearch->start();
    }
    qDebug() << "Searching ... " << sent;
    ui->leSingleIP->setEnabled(true);
}

qint64 MainWindow::sendSearchProbes()
{
    if (!m_qudpSocket)
        return -1;
    m_qudpSocket->writeDatagram(discoveryProbe, QHostAddress(mcIP), nport);
    return m_qudpSocket->writeDatagram(discoveryProbe, QHostAddress::Broadcast, broadcastProbePort);
}

void MainWindow::onTimeOutSearch()
{
    timSearch->stop();
    searchMode = 'M';
    // A transaction that waits keeps the buttons; it gives them back when it ends.
    if (!interactionLocked) {
        ui->Search->setEnabled(true);
        ui->singleSearch->setEnabled(true);
    }
}
