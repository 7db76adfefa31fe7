#include "discovery/devicelist.h"

#include <algorithm>

DeviceList::DeviceList(int capacity) : limit(std::max(capacity, 0)) {}

DeviceList::MergeResult DeviceList::merge(const deviceReply &record, const QString &adapter,
                                          const QDateTime &seen)
{
    int index = indexOf(record.mac);
    Outcome outcome = Outcome::Merged;
    if (index < 0) {
        if (entries.size() >= limit)
            return {Outcome::Full, -1};
        index = entries.size();
        entries.append(DeviceEntry());
        byMac.insert(record.mac, index);
        outcome = Outcome::Added;
    }
    DeviceEntry &entry = entries[index];
    entry.record = record;
    entry.adapter = adapter;
    ++entry.replies;
    entry.lastSeen = seen;
    return {outcome, index};
}

bool DeviceList::hasRoomFor(const QString &mac) const
{
    return entries.size() < limit || byMac.contains(mac);
}

int DeviceList::indexOf(const QString &mac) const
{
    return byMac.value(mac, -1);
}

const DeviceEntry &DeviceList::at(int index) const
{
    return entries.at(index);
}

void DeviceList::clear()
{
    entries.clear();
    byMac.clear();
}

bool DeviceList::updateIds(const QString &mac, const framecipher::TransactionId &txid,
                           const framecipher::DeviceId &snid)
{
    const int index = indexOf(mac);
    if (index < 0)
        return false;
    deviceReply &record = entries[index].record;
    std::copy(txid.begin(), txid.end(), record.TXID);
    std::copy(snid.begin(), snid.end(), record.SNID);
    return true;
}
