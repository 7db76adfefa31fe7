#include "devsim/framedlink.h"

namespace framedlink {

namespace {
constexpr char kFrameStart[] = {0x02, 0x04};
}

Request open(const SimDevice &device, const QByteArray &frame)
{
    Request request;
    if (frame.size() < framecipher::kHeaderSize || frame[0] != kFrameStart[0] || frame[1] != kFrameStart[1])
        return request;
    const int bodyLength =
        (quint8(frame[framecipher::kLengthOffset]) << 8) | quint8(frame[framecipher::kLengthOffset + 1]);
    if (bodyLength != frame.size() - framecipher::kHeaderSize)
        return request;
    const framecipher::OpenedBody body = framecipher::openBody(frame.mid(framecipher::kHeaderSize));
    if (!body.ok)
        return request;
    request.opened = true;
    request.payload = body.payload;
    request.id = body.transactionId;
    request.expected = body.deviceId == device.snid &&
                       body.transactionId == framecipher::nextTransactionId(device.txid, device.snid);
    return request;
}

QByteArray seal(const SimDevice &device, const QByteArray &payload, const QByteArray &draw)
{
    return framecipher::buildFrame(payload, device.txid, device.snid, draw);
}

} // namespace framedlink
