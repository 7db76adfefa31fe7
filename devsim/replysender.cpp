#include "devsim/replysender.h"

#include <QHostAddress>
#include <QRandomGenerator>

#include <cstring>

namespace {
constexpr int kRetryMs = 2;
}

ReplySender::ReplySender(int jitter, QObject *parent) : QObject(parent), jitterMs(jitter)
{
    retry.setSingleShot(true);
    retry.setInterval(kRetryMs);
    connect(&retry, &QTimer::timeout, this, &ReplySender::flush);
}

void ReplySender::send(int socketDescriptor, const SourcedDatagram &datagram, int delayMs)
{
    if (delayMs <= 0 && jitterMs <= 0) {
        enqueue(socketDescriptor, datagram);
        return;
    }
    const int delay = delayMs + int(QRandomGenerator::global()->bounded(quint32(qMax(jitterMs, 0)) + 1));
    QTimer::singleShot(delay, this,
                       [this, socketDescriptor, datagram] { enqueue(socketDescriptor, datagram); });
}

void ReplySender::enqueue(int socketDescriptor, const SourcedDatagram &datagram)
{
    queue.emplace_back(socketDescriptor, datagram);
    if (!retry.isActive())
        flush();
}

void ReplySender::flush()
{
    while (!queue.empty()) {
        const auto &[socketDescriptor, datagram] = queue.front();
        const SendOutcome outcome = sendSourced(socketDescriptor, datagram);
        const int sendError = errno;
        if (outcome == SendOutcome::TryLater) {
            retry.start();
            return;
        }
        if (outcome == SendOutcome::Failed)
            qWarning("reply from %s to %s dropped: %s", qPrintable(QHostAddress(datagram.source).toString()),
                     qPrintable(QHostAddress(datagram.destination).toString()), std::strerror(sendError));
        queue.pop_front();
    }
}
