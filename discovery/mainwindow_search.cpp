#include "discovery/searchsocket.h"
#include "discovery/systemadapters.h"
#include "ui/mainwindow.h"

#include <QDebug>
#include <QUdpSocket>

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
