#pragma once

#include "crypto/framecipher.h"
#include "discovery/devicereply.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>

// Bound of the device list: enough for any LAN, small enough that a flood of forged replies
// cannot exhaust memory. Replies beyond it are dropped.
constexpr int maxDeviceRecords = 10000;

// One listed device: its latest record, the adapter its replies came through, how many came and
// when the last did.
struct DeviceEntry
{
    deviceReply record;
    QString adapter;
    int replies = 0;
    QDateTime lastSeen;
};

// The devices of one search, keyed by MAC, in the order they first answered: entry i keeps its
// index for the list's life, so a view can show entry i in row i.
class DeviceList
{
public:
    enum class Outcome
    {
        Added,
        Merged,
        Full
    };
    struct MergeResult
    {
        Outcome outcome;
        int index; // -1 when Full
    };

    explicit DeviceList(int capacity = maxDeviceRecords);

    // A new MAC is appended while there is room; a known one has its record replaced.
    MergeResult merge(const deviceReply &record, const QString &adapter, const QDateTime &seen);
    // True when merge would not answer Full.
    bool hasRoomFor(const QString &mac) const;
    int indexOf(const QString &mac) const; // -1 when not listed
    const DeviceEntry &at(int index) const;
    const deviceReply &operator[](int index) const { return at(index).record; }
    int size() const { return entries.size(); }
    bool isEmpty() const { return entries.isEmpty(); }
    int capacity() const { return limit; }
    void clear();
    // The frame ids the device last sent; false when the MAC is not listed.
    bool updateIds(const QString &mac, const framecipher::TransactionId &txid,
                   const framecipher::DeviceId &snid);

private:
    QVector<DeviceEntry> entries;
    QHash<QString, int> byMac;
    int limit;
};
