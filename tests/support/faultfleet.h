#pragma once

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

// The simulator's demo fleet, written into dir with one device given a fault; its path.
inline QString fleetWithFault(const QTemporaryDir &dir, const QString &mac, const QString &fault)
{
    QFile in(QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json"));
    in.open(QIODevice::ReadOnly);
    QJsonObject fleet = QJsonDocument::fromJson(in.readAll()).object();
    QJsonArray devices = fleet.value(QStringLiteral("devices")).toArray();
    for (int i = 0; i < devices.size(); ++i) {
        QJsonObject device = devices[i].toObject();
        if (device.value(QStringLiteral("mac")).toString() == mac)
            device.insert(QStringLiteral("fault"), fault);
        devices[i] = device;
    }
    fleet.insert(QStringLiteral("devices"), devices);
    const QString path = dir.filePath(QStringLiteral("fleet.json"));
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(QJsonDocument(fleet).toJson());
    return path;
}
