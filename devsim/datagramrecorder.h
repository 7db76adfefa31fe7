#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Writes every received datagram as one line of lower-case hex, flushed at once so a test can
// read the file while the simulator runs. Without a path it records nothing.
class DatagramRecorder
{
public:
    bool open(const QString &path, QString *error);
    void record(const QByteArray &datagram);

private:
    QFile file;
};
