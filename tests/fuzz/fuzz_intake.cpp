// Arbitrary datagrams of any length through reply intake as the receivers use it: the
// classifier (the encrypted lengths through the frame cipher, the rest through the decoders),
// then the device list for every search reply.
#include "discovery/devicelist.h"
#include "discovery/intake.h"

#include <QDateTime>

#include <cstddef>
#include <cstdint>

namespace {

constexpr int listCapacity = 256;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static DeviceList list(listCapacity);
    const intake::Classified reply =
        intake::classify(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    if (reply.kind == intake::Kind::SearchReply) {
        const DeviceList::MergeResult merged = list.merge(reply.record, QString(), QDateTime());
        if (merged.outcome == DeviceList::Outcome::Full)
            list.clear();
        else if (list[merged.index].mac != reply.record.mac)
            __builtin_trap();
    }
    // A framed trade reply carries the ids of the device being configured.
    if (reply.kind == intake::Kind::TradeReply && reply.hasIds && !list.isEmpty())
        list.updateIds(list[0].mac, reply.txid, reply.snid);
    return 0;
}
