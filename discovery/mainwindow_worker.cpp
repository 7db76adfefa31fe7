#include "engine/worker.h"
#include "ui/mainwindow.h"
#include "ui/repaintthrottle.h"

#include <QLabel>
#include <QStatusBar>
#include <QtConcurrent>

namespace {

constexpr int msgLabelWidth = 20;

} // namespace

void MainWindow::InitConcurrent()
{
    msgLabel = new QLabel;
    statusBar()->addWidget(msgLabel);
    msgLabel->setFixedWidth(msgLabelWidth);
    socketS = new QLabel;
    statusBar()->addWidget(socketS);
    statusBar()->setStyleSheet(QStringLiteral("QLabel { color: #BFBFBF; }"));
    if (!searchSocketFault.isEmpty())
        socketS->setText(searchSocketFault);

    concurrent_worker_ = new WorkerObject(this);
    connect(concurrent_worker_, &WorkerObject::workFinished, this, [this](QString message) {
        // A loop that ended just before the window began closing must not start again.
        if (receiverStopped)
            return;
        msgLabel->setText(message);
        startReceiver();
    });
    connect(concurrent_worker_, &WorkerObject::datagramsReceived, this,
            [this](const DatagramBatch &datagrams) {
                tableRepaint->hold();
                for (const ReceivedDatagram &datagram : datagrams) {
                    datagramSender = QHostAddress(datagram.from);
                    newRecvData(datagram.bytes, static_cast<unsigned long>(datagram.bytes.size()));
                }
            });
    startReceiver();
}

void MainWindow::startReceiver()
{
    // A lambda reads the same under Qt 5 and Qt 6, whose member-function overloads differ.
    WorkerObject *worker = concurrent_worker_;
    const auto port = static_cast<unsigned short>(nport);
    fRecv = QtConcurrent::run(QThreadPool::globalInstance(),
                              [worker, port, group = mcIP, source = address.toString()] {
                                  worker->readFromSocket(port, group, source);
                              });
}

void MainWindow::stopReceiver()
{
    receiverStopped = true;
    fRecv.cancel();
    if (concurrent_worker_)
        concurrent_worker_->stop();
    fRecv.waitForFinished();
}
