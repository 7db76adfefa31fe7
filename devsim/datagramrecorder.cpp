#include "devsim/datagramrecorder.h"

bool DatagramRecorder::open(const QString &path, QString *error)
{
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

void DatagramRecorder::record(const QByteArray &datagram)
{
    if (!file.isOpen())
        return;
    file.write(datagram.toHex() + '\n');
    file.flush();
}
