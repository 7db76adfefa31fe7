#include "crypto/framelog.h"

#include "app/debuglog.h"

#include <QDebug>

namespace {

template <std::size_t N> QByteArray hexOf(const std::array<std::uint8_t, N> &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(N)).toHex();
}

} // namespace

void logOpenedFrame(const QByteArray &key, const QByteArray &payload, const framecipher::TransactionId &txid,
                    const framecipher::DeviceId &snid)
{
    qCDebug(debugLog).noquote() << "decrypt - key2: " + key.toHex();
    qCDebug(debugLog).noquote() << "decrypt - p: " + payload.toHex();
    qCDebug(debugLog).noquote() << "length: " + QString::number(payload.size()) << "txid: " + hexOf(txid)
                                << "  snid: " + hexOf(snid);
}

void logSealedFrame(const QByteArray &key, const framecipher::TransactionId &sentId,
                    const framecipher::DeviceId &snid, const QByteArray &frame)
{
    qDebug().noquote() << "send key2: " + key.toHex();
    qDebug().noquote() << "send txid: " + hexOf(sentId);
    qDebug().noquote() << "send snid: " + hexOf(snid);
    qDebug().noquote() << "send length: " + QString::number(frame.size()) << "send — p: " + frame.toHex();
}
